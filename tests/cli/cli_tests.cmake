# Tests of the ordex tool: each case runs one command on a small file from the repository
# folder and compares its standard output with tests/cli/<case>.expected (see run_case.cmake).
set(cli_dir ${CMAKE_CURRENT_LIST_DIR})
set(example examples/engine_ecu.a2l)
set(two_modules tests/data/two_modules_every_kind.a2l)
set(encodings tests/data/texts_in_mixed_encodings.a2l)

# ordex_cli_case(NAME [EXIT n] [STDERR regex] [FILTER regex] [NO_STDOUT] ARGS ...)
function(ordex_cli_case name)
  cmake_parse_arguments(C "NO_STDOUT" "EXIT;STDERR;FILTER" "ARGS" ${ARGN})
  set(expected "")
  if(NOT C_NO_STDOUT)
    set(expected ${cli_dir}/${name}.expected)
  endif()
  if(NOT DEFINED C_EXIT)
    set(C_EXIT 0)
  endif()
  add_test(NAME cli_${name}
    COMMAND ${CMAKE_COMMAND} -DEXPECTED=${expected} -DEXIT=${C_EXIT} "-DSTDERR=${C_STDERR}"
            "-DFILTER=${C_FILTER}" -P ${cli_dir}/run_case.cmake $<TARGET_FILE:ordex_tool>
            ${C_ARGS}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
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
ordex_cli_case(refs_publisher_and_referrers ARGS refs ${two_modules} Dimmer)
ordex_cli_case(refs_json ARGS refs ${example} IdleSpeedTarget --json)
ordex_cli_case(convert_table_default ARGS convert ${example} EngineState 07)

# The JSON writer's escaping, table-driven.
add_executable(ordex_cli_tests ${cli_dir}/json_writer_test.cpp)
target_link_libraries(ordex_cli_tests PRIVATE ordex_cli_output GTest::gtest GTest::gtest_main)
gtest_discover_tests(ordex_cli_tests DISCOVERY_TIMEOUT 60)

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

# Writing, the round trip and edit scripts.
add_test(NAME cli_roundtrip_example COMMAND ordex_tool roundtrip ${PROJECT_SOURCE_DIR}/${example})
set_tests_properties(cli_roundtrip_example PROPERTIES PASS_REGULAR_EXPRESSION "round trip ok")
add_test(NAME cli_write_example
         COMMAND ordex_tool write ${PROJECT_SOURCE_DIR}/${example}
                 ${CMAKE_CURRENT_BINARY_DIR}/cli_write_example.a2l --module Engine --comment cli)
set_tests_properties(cli_write_example PROPERTIES FIXTURES_SETUP cli_written)
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

# Writes onto a full disk and onto devices that refuse the bytes, for files and standard
# output: exit status 1 and the old file unchanged.
add_test(NAME cli_full_targets
  COMMAND sh ${cli_dir}/full_target_test.sh $<TARGET_FILE:ordex_tool> ${PROJECT_SOURCE_DIR})

# A name longer than the getters' name field is reported by check.
ordex_cli_case(check_name_beyond_getters NO_STDOUT EXIT 1
  ARGS check tests/cli/name_beyond_getters.a2l
  STDERR "^ordex: tests/cli/name_beyond_getters.a2l: module M: MEASUREMENT L+\\.\\.\\. has a name of 300 characters. getters reach names of at most 255\n$")
