# Tests of the ordex tool: each case runs one command on a small file from the repository
# folder and compares its standard output with tests/data/cli/<case>.expected (see
# run_case.cmake; ORDEX_UPDATE_GOLDEN=1 rewrites the file).
set(cli_dir ${CMAKE_CURRENT_LIST_DIR})
set(example examples/engine_ecu.a2l)
set(two_modules tests/data/two_modules_every_kind.a2l)
set(encodings tests/data/texts_in_mixed_encodings.a2l)

# ordex_cli_case(NAME [EXIT n] [STDERR regex] [FILTER regex] [NO_STDOUT] [SAME_AS case]
#                [ABSENT file] [FIXTURES_SETUP f] [FIXTURES_REQUIRED f] ARGS ...)
# SAME_AS: compare with the expected output of another case; ABSENT: a file the command
# must not leave behind.
function(ordex_cli_case name)
  cmake_parse_arguments(C "NO_STDOUT" "EXIT;STDERR;FILTER;SAME_AS;ABSENT;FIXTURES_SETUP;FIXTURES_REQUIRED"
                        "ARGS" ${ARGN})
  set(expected "")
  if(C_SAME_AS)
    set(expected ${C_SAME_AS})
  elseif(NOT C_NO_STDOUT)
    set(expected ${name})
  endif()
  if(expected)  # the golden output: tests/data/cli/<case>.expected (tests/cli/ is searched too)
    if(EXISTS ${cli_dir}/${expected}.expected)
      set(expected ${cli_dir}/${expected}.expected)
    else()
      set(expected ${cli_dir}/../data/cli/${expected}.expected)
    endif()
  endif()
  if(NOT DEFINED C_EXIT)
    set(C_EXIT 0)
  endif()
  add_test(NAME cli_${name}
    COMMAND ${CMAKE_COMMAND} -DEXPECTED=${expected} -DEXIT=${C_EXIT} "-DSTDERR=${C_STDERR}"
            "-DFILTER=${C_FILTER}" "-DABSENT=${C_ABSENT}" -P ${cli_dir}/run_case.cmake
            $<TARGET_FILE:ordex_tool> ${C_ARGS}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  foreach(f SETUP REQUIRED)
    if(C_FIXTURES_${f})
      set_tests_properties(cli_${name} PROPERTIES FIXTURES_${f} ${C_FIXTURES_${f}})
    endif()
  endforeach()
endfunction()

# Help and usage errors (exit status 2).
ordex_cli_case(help_overview ARGS --help)
ordex_cli_case(help_show ARGS show --help)
ordex_cli_case(usage_unknown_option NO_STDOUT EXIT 2 ARGS list ${example} characteristics --colour
  STDERR "^ordex list: unknown option --colour\nusage: ordex list FILE KIND")
ordex_cli_case(usage_unknown_kind NO_STDOUT EXIT 2 ARGS show ${example} gadget Nope
  STDERR "unknown kind 'gadget'")
ordex_cli_case(usage_missing_arguments NO_STDOUT EXIT 2 ARGS convert ${example} EngineSpeed
  STDERR "missing arguments")
ordex_cli_case(usage_no_command NO_STDOUT EXIT 2 ARGS STDERR "^usage: ordex COMMAND")

# Library failures (exit status 1, the code's name on standard error).
ordex_cli_case(failure_missing_object NO_STDOUT EXIT 1 ARGS show ${example} measurement Nope
  STDERR "^ordex: measurement Nope: rcMeasurementNotFound \\(-108\\)\n$")
ordex_cli_case(failure_unreadable_file NO_STDOUT EXIT 1 ARGS info tests/data/no_such_file.a2l
  STDERR "rcFileOpenFailed \\(-4\\)")
# A failed read is placed as compilers place errors: in the included file that holds the fault.
ordex_cli_case(failure_placed_in_the_include NO_STDOUT EXIT 1
  ARGS check tests/data/bad/number_in_include.a2l --verbose
  STDERR "^tests/data/bad/included/measurements_bad_address.a2l:6:14: error: rcBadNumber \\(-122\\): expected a hexadecimal number, got \"0x10G0\" in PROJECT P, MODULE M, MEASUREMENT broken\n \tECU_ADDRESS 0x10G0\n \t            \\^\n$")
ordex_cli_case(failure_no_module_named NO_STDOUT EXIT 1 ARGS list ${two_modules} measurements
  STDERR "rcModuleNotFound")

# Output, as text and as JSON.
ordex_cli_case(check_example ARGS check ${example})
ordex_cli_case(info_example FILTER "read time: " ARGS info ${example})
ordex_cli_case(info_two_modules_json ARGS info ${two_modules} --json)
ordex_cli_case(list_measurements_of_a_module_json
  ARGS list ${two_modules} measurements --module Body --json)
ordex_cli_case(list_pattern ARGS list ${example} compu-methods "CM_*A*")
ordex_cli_case(show_characteristic_map ARGS show ${example} characteristic IgnitionMap)
ordex_cli_case(show_measurement_members_json
  ARGS show ${two_modules} measurement Light --module Body --json)
ordex_cli_case(show_record_layout_reserved ARGS show ${two_modules} record-layout RL_CURVE
  --module Body)
ordex_cli_case(show_texts_in_mixed_encodings_json ARGS show ${encodings} measurement Temp --json)
# What a file holds beyond the records: a module's kept blocks, and an object's.
set(kept tests/data/kept/newer_standard_content.a2l)
ordex_cli_case(show_blocks ARGS show ${kept} blocks)
ordex_cli_case(show_blocks_json ARGS show ${kept} blocks --module Engine --json)
ordex_cli_case(show_function_kept_blocks ARGS show ${kept} function Control)
ordex_cli_case(refs_publisher_and_referrers ARGS refs ${two_modules} Dimmer)
ordex_cli_case(refs_json ARGS refs ${example} IdleSpeedTarget --json)
ordex_cli_case(convert_table_default ARGS convert ${example} EngineState 07)

# The progress bar: shown on a terminal for a large file, never on a pipe.
find_program(ORDEX_PYTHON3 NAMES python3)
if(ORDEX_PYTHON3)
  add_test(NAME cli_progress_bar
           COMMAND ${ORDEX_PYTHON3} -B ${cli_dir}/progress_bar_test.py $<TARGET_FILE:ordex_tool>)
  set_tests_properties(cli_progress_bar PROPERTIES TIMEOUT 300)
endif()

# Conversion.
ordex_cli_case(convert_decimal_separator ARGS convert ${example} EngineSpeed 0FA0 --separator ,)
ordex_cli_case(convert_array_element ARGS convert ${example} EngineState 02 --index 0)
ordex_cli_case(failure_convert_unknown_measurement NO_STDOUT EXIT 1
  ARGS convert ${example} NoSuchMeasurement 00 STDERR "rcMeasurementNotFound")
set(newer tests/data/conversions_of_newer_standards.a2l)
ordex_cli_case(convert_identical ARGS convert ${newer} Speed 0000803F)
ordex_cli_case(failure_convert_reason NO_STDOUT EXIT 1 ARGS convert ${newer} Level 0000C03F
  STDERR "^ordex: Level: rcInvalidArgument \\(-1\\): raw value 1.5 is in no range of COMPU_VTAB_RANGE VTR.Level, which has no DEFAULT_VALUE\n$")
ordex_cli_case(check_other_case_include ARGS check tests/data/includes/other_case_include.a2l
  STDERR "warning: 2 includes in another letter case than \"/include\" not followed \\(the first near line 5\\)")

# Writing, the round trip and edit scripts.
ordex_cli_case(roundtrip_keeps_the_text ARGS roundtrip ${two_modules})
add_test(NAME cli_roundtrip_canonical_example
         COMMAND ordex_tool roundtrip ${PROJECT_SOURCE_DIR}/${example} --canonical)
set_tests_properties(cli_roundtrip_canonical_example PROPERTIES PASS_REGULAR_EXPRESSION
  "round trip ok: [0-9]+ bytes written twice alike")
add_test(NAME cli_write_example
         COMMAND ordex_tool write ${PROJECT_SOURCE_DIR}/${example}
                 ${CMAKE_CURRENT_BINARY_DIR}/cli_write_example.a2l --module Engine)
set_tests_properties(cli_write_example PROPERTIES FIXTURES_SETUP cli_written)
add_test(NAME cli_write_keeps_the_text
         COMMAND ${CMAKE_COMMAND} -E compare_files ${PROJECT_SOURCE_DIR}/${example}
                 ${CMAKE_CURRENT_BINARY_DIR}/cli_write_example.a2l)
set_tests_properties(cli_write_keeps_the_text PROPERTIES FIXTURES_REQUIRED cli_written)
add_test(NAME cli_write_result_reads
         COMMAND ordex_tool check ${CMAKE_CURRENT_BINARY_DIR}/cli_write_example.a2l)
set_tests_properties(cli_write_result_reads PROPERTIES FIXTURES_REQUIRED cli_written
                     PASS_REGULAR_EXPRESSION "^ok\n$")

set(edited ${CMAKE_CURRENT_BINARY_DIR}/cli_edit_engine_ecu.a2l)
add_test(NAME cli_edit_applies_script
  COMMAND ordex_tool edit ${PROJECT_SOURCE_DIR}/${example} ${edited}
          ${CMAKE_CURRENT_SOURCE_DIR}/data/edit_script_engine_changes.txt)
set_tests_properties(cli_edit_applies_script PROPERTIES FIXTURES_SETUP cli_edited)
add_test(NAME cli_edit_result_reads COMMAND ordex_tool list ${edited} measurements)
set_tests_properties(cli_edit_result_reads PROPERTIES FIXTURES_REQUIRED cli_edited
  PASS_REGULAR_EXPRESSION "EngineSpeed" FAIL_REGULAR_EXPRESSION "CoolantTemp")
add_test(NAME cli_edit_reports_failing_lines
  COMMAND ordex_tool edit ${PROJECT_SOURCE_DIR}/${example}
          ${CMAKE_CURRENT_BINARY_DIR}/cli_edit_not_written.a2l
          ${CMAKE_CURRENT_SOURCE_DIR}/data/edit_script_failing_lines.txt)
set_tests_properties(cli_edit_reports_failing_lines PROPERTIES PASS_REGULAR_EXPRESSION
  "edit_script_failing_lines.txt:2: rcCharacteristicNotFound\n.*edit_script_failing_lines.txt:3: rcInvalidArgument.*2 lines failed; .*cli_edit_not_written.a2l not written")

# A command line that forgives: kind names in every form, --opt=value, "did you mean",
# the modules named when one must be chosen.
foreach(form MEASUREMENT measurement Measurements)
  ordex_cli_case(list_kind_${form} SAME_AS list_measurements_of_the_example
    ARGS list ${example} ${form})
endforeach()
ordex_cli_case(list_measurements_of_the_example ARGS list ${example} measurements)
foreach(form COMPU_VTAB compu_vtab compu-vtabs CompuVTab)
  ordex_cli_case(show_kind_${form} SAME_AS show_compu_vtab ARGS show ${example} ${form} VT_STATE)
endforeach()
ordex_cli_case(show_compu_vtab ARGS show ${example} compu-vtab VT_STATE)
ordex_cli_case(list_module_option_with_equals SAME_AS list_measurements_of_a_module_json
  ARGS list ${two_modules} measurements --module=Body --json)
ordex_cli_case(convert_index_option_with_equals SAME_AS convert_array_element
  ARGS convert ${example} EngineState 02 --index=0)
ordex_cli_case(usage_unknown_command_suggestion NO_STDOUT EXIT 2 ARGS lst ${example}
  STDERR "^ordex: unknown command 'lst'; did you mean list\\?\nTry 'ordex --help'\\.\n$")
ordex_cli_case(usage_unknown_kind_suggestion NO_STDOUT EXIT 2 ARGS list ${example} measurment
  STDERR "^ordex list: unknown kind 'measurment'; did you mean measurements\\?\nkinds: modules,")
ordex_cli_case(usage_unknown_option_suggestion NO_STDOUT EXIT 2
  ARGS show ${example} measurement EngineSpeed --jsn
  STDERR "^ordex show: unknown option --jsn; did you mean --json\\?\n")
ordex_cli_case(usage_flag_with_value NO_STDOUT EXIT 2 ARGS info ${example} --json=yes
  STDERR "^ordex info: option --json takes no value\n")
ordex_cli_case(failure_module_must_be_chosen NO_STDOUT EXIT 1
  ARGS show ${two_modules} measurement Light
  STDERR "rcModuleNotFound \\(-105\\)\nordex: the file holds the modules Body, Gateway; name one with --module NAME\n$")
ordex_cli_case(convert_in_a_module ARGS convert ${two_modules} Light 01 --module Body)

# convert takes whole bytes, as many as the value has.
foreach(hex 0FA "0 FA0" "0F A")
  string(MAKE_C_IDENTIFIER "${hex}" id)
  ordex_cli_case(usage_convert_odd_digits_${id} NO_STDOUT EXIT 2
    ARGS convert ${example} EngineSpeed ${hex} STDERR "an odd number of hex digits in '")
endforeach()
ordex_cli_case(failure_convert_surplus_bytes NO_STDOUT EXIT 1
  ARGS convert ${example} EngineSpeed 0FA000
  STDERR "^ordex convert: EngineSpeed takes 2 bytes, 3 given\nordex: EngineSpeed: rcBadSize")
ordex_cli_case(failure_convert_surplus_array_bytes NO_STDOUT EXIT 1
  ARGS convert ${example} EngineState "02 03" --index 0
  STDERR "EngineState takes 1 byte, 2 given")

# write --module must name a module; nothing is written otherwise.
ordex_cli_case(failure_write_unknown_module NO_STDOUT EXIT 1
  ARGS write ${two_modules} ${CMAKE_CURRENT_BINARY_DIR}/cli_write_nope.a2l --module Nope
  ABSENT ${CMAKE_CURRENT_BINARY_DIR}/cli_write_nope.a2l
  STDERR "^ordex: module Nope: rcModuleNotFound \\(-105\\)\nordex: the file holds the modules Body, Gateway; .*cli_write_nope.a2l not written\n$")

# Edit scripts: keywords as show prints them, create and remove-from; the result is shown
# and must survive a round trip.
set(created ${CMAKE_CURRENT_BINARY_DIR}/cli_edit_created.a2l)
add_test(NAME cli_edit_creates_and_sets_keywords
  COMMAND ordex_tool edit ${PROJECT_SOURCE_DIR}/${example} ${created}
          ${CMAKE_CURRENT_SOURCE_DIR}/data/edit_script_create_and_keywords.txt)
set_tests_properties(cli_edit_creates_and_sets_keywords PROPERTIES FIXTURES_SETUP cli_created)
ordex_cli_case(edit_created_measurement FIXTURES_REQUIRED cli_created
  ARGS show ${created} measurement ThrottlePosition)
ordex_cli_case(edit_set_keywords FIXTURES_REQUIRED cli_created
  ARGS show ${created} MEASUREMENT EngineSpeed --json)
ordex_cli_case(edit_function_lists FIXTURES_REQUIRED cli_created ARGS show ${created} function Ignition)
add_test(NAME cli_edit_created_round_trip COMMAND ordex_tool roundtrip ${created})
set_tests_properties(cli_edit_created_round_trip PROPERTIES FIXTURES_REQUIRED cli_created
  PASS_REGULAR_EXPRESSION "round trip ok")
add_test(NAME cli_edit_reports_create_and_keyword_mistakes
  COMMAND ordex_tool edit ${PROJECT_SOURCE_DIR}/${two_modules}
          ${CMAKE_CURRENT_BINARY_DIR}/cli_edit_mistakes.a2l
          ${CMAKE_CURRENT_SOURCE_DIR}/data/edit_script_create_mistakes.txt)
set_tests_properties(cli_edit_reports_create_and_keyword_mistakes PROPERTIES
  PASS_REGULAR_EXPRESSION [[
:1: rcModuleNotFound: the file holds the modules Body, Gateway; choose one with a 'module NAME' line
.*:3: rcInvalidArgument: 'SWROD' is no keyword of DataType; did you mean SWORD\?
.*:4: rcInvalidArgument: a measurement needs DataType, Conversion
.*:5: rcInvalidArgument: a measurement named Light exists already
.*:6: rcInvalidArgument: unknown list 'IN_MEASURMENT'; did you mean IN_MEASUREMENT\?
.*:7: rcListEntryNotFound
.*:8: rcInvalidArgument: unknown command 'crate'; did you mean create\?
.*:9: rcInvalidArgument: 'Flavour' is no field of a function that a script can set
8 lines failed; .*cli_edit_mistakes.a2l not written]])
ordex_cli_case(help_edit ARGS edit --help)

# The bash completion made from the help texts completes commands, options, KIND words and
# files.
find_program(ORDEX_BASH bash)
if(ORDEX_BASH)
  add_test(NAME cli_bash_completion
           COMMAND ${ORDEX_BASH} ${cli_dir}/completion_test.sh ${ORDEX_BASH_COMPLETION})
  set_tests_properties(cli_bash_completion PROPERTIES PASS_REGULAR_EXPRESSION "completion ok")
endif()

# Names that occur twice are listed twice, and the list ends.
ordex_cli_case(list_duplicate_names ARGS list tests/data/functions_of_one_name.a2l functions)
ordex_cli_case(failure_list_names_the_modules NO_STDOUT EXIT 1
  ARGS list ${two_modules} MEASUREMENTS
  STDERR "^ordex: measurements: rcModuleNotFound \\(-105\\)\nordex: the file holds the modules Body, Gateway; name one with --module NAME\n$")

# The consistency check: findings, exit status, --strict, --notes, --json, files that hold no
# project; and the referrers of names of every kind.
set(check_data tests/data/check)
ordex_cli_case(check_kept_content EXIT 1 ARGS check ${check_data}/kept_content.a2l)
ordex_cli_case(info_kept_content FILTER "read time: " ARGS info ${check_data}/kept_content.a2l)
ordex_cli_case(info_kept_content_json ARGS info ${check_data}/kept_content.a2l --json)
ordex_cli_case(check_dangling_references EXIT 1
  ARGS check ${check_data}/dangling_references.a2l)
ordex_cli_case(check_warnings_pass ARGS check ${check_data}/verbal_range_reference.a2l)
ordex_cli_case(check_strict_fails_on_warnings EXIT 1
  ARGS check ${check_data}/verbal_range_reference.a2l --strict)
ordex_cli_case(check_notes ARGS check ${example} --notes)
ordex_cli_case(check_two_modules_json ARGS check ${two_modules} --notes --json)
ordex_cli_case(check_empty_input NO_STDOUT EXIT 1 ARGS check ${check_data}/empty_input
  STDERR "^tests/data/check/empty_input: error: no PROJECT block")
ordex_cli_case(check_binary_input NO_STDOUT EXIT 1 ARGS check ${check_data}/binary_input.bin
  STDERR "^tests/data/check/binary_input.bin: error: no PROJECT block")
ordex_cli_case(refs_dangling_conversion ARGS refs ${check_data}/dangling_references.a2l cv_counter)
ordex_cli_case(refs_compu_method ARGS refs ${example} CM_RPM)
ordex_cli_case(refs_measurement_of_every_field_json
  ARGS refs tests/data/references_of_every_kind.a2l Speed --json)

# Writes onto a full disk and onto devices that refuse the bytes, for files and standard
# output: exit status 1 and the old file unchanged.
add_test(NAME cli_full_targets
  COMMAND sh ${cli_dir}/full_target_test.sh $<TARGET_FILE:ordex_tool> ${PROJECT_SOURCE_DIR})

# A name longer than the getters' name field is reported by check.
ordex_cli_case(check_name_beyond_getters NO_STDOUT EXIT 1
  ARGS check tests/cli/name_beyond_getters.a2l
  STDERR "^ordex: tests/cli/name_beyond_getters.a2l: module M: MEASUREMENT L+\\.\\.\\. has a name of 300 characters. getters reach names of at most 255\n$")
