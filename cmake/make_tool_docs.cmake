# Makes the man page and the bash completion of the ordex tool from its --help texts, so
# that both always say what the tool says:
#   cmake -DTOOL=path/to/ordex -DVERSION=x.y.z -DMAN=ordex.1 -DCOMPLETION=ordex.bash
#         -P make_tool_docs.cmake
# The commands come from the overview, each command's options from its usage line and its
# KIND words from its help.
cmake_minimum_required(VERSION 3.16)

# The lines of a text as a list. ';', '[' and ']' would cut or join list elements, so they
# travel as placeholders; out() puts them back.
function(text_lines text out_var)
  string(REPLACE ";" "@SEMI@" text "${text}")
  string(REPLACE "[" "@LB@" text "${text}")
  string(REPLACE "]" "@RB@" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()
function(restore line out_var)
  string(REPLACE "@SEMI@" ";" line "${line}")
  string(REPLACE "@LB@" "[" line "${line}")
  string(REPLACE "@RB@" "]" line "${line}")
  set(${out_var} "${line}" PARENT_SCOPE)
endfunction()

function(help out_var)
  execute_process(COMMAND ${TOOL} ${ARGN} --help RESULT_VARIABLE rc OUTPUT_VARIABLE text)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${ARGN} --help failed (${rc})")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# A line for troff: backslashes doubled, a leading '.' or ' guarded.
function(troff line out_var)
  restore("${line}" line)
  string(REPLACE "\\" "\\e" line "${line}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
  string(REPLACE "-" "\\-" line "${line}")
  set(${out_var} "${line}" PARENT_SCOPE)
endfunction()

help(overview)
text_lines("${overview}" overview_lines)
set(commands "")
set(in_commands FALSE)
foreach(line IN LISTS overview_lines)
  if(line STREQUAL "commands:")
    set(in_commands TRUE)
  elseif(in_commands AND line MATCHES "^  ([a-z]+) ")
    list(APPEND commands ${CMAKE_MATCH_1})
  elseif(in_commands AND line STREQUAL "")
    set(in_commands FALSE)
  endif()
endforeach()
if(NOT commands)
  message(FATAL_ERROR "no commands found in the overview of ${TOOL}")
endif()

set(man ".TH ORDEX 1 \"\" \"ordex ${VERSION}\" \"User Commands\"\n")
string(APPEND man ".SH NAME\nordex \\- read, query, convert, edit and write ASAP2 description files (A2L)\n")
string(APPEND man ".SH SYNOPSIS\n.B ordex\n.I COMMAND\n[\n.I ARGUMENTS\n\\&...]\n.br\n.B ordex\n.I COMMAND\n.B \\-\\-help\n.br\n.B ordex \\-\\-version\n")
string(APPEND man ".SH DESCRIPTION\n.nf\n")
foreach(line IN LISTS overview_lines)
  troff("${line}" l)
  string(APPEND man "${l}\n")
endforeach()
string(APPEND man ".fi\n.SH COMMANDS\n")

set(cases "")
foreach(command IN LISTS commands)
  help(text ${command})
  text_lines("${text}" lines)
  list(GET lines 0 usage)
  restore("${usage}" usage)
  string(REGEX REPLACE "^usage: " "" usage "${usage}")
  troff("${usage}" title)
  string(APPEND man ".SS \"${title}\"\n.nf\n")
  list(REMOVE_AT lines 0)
  foreach(line IN LISTS lines)
    troff("${line}" l)
    string(APPEND man "${l}\n")
  endforeach()
  string(APPEND man ".fi\n")

  # Options: "[--name VALUE]" takes a value, "[--name]" none.
  string(REGEX MATCHALL "\\[--[a-z-]+( [A-Z]+)?\\]" found "${usage}")
  set(options "--help")
  set(valued "")
  foreach(o IN LISTS found)
    string(REGEX MATCH "--[a-z-]+" name "${o}")
    list(APPEND options ${name})
    if(o MATCHES " [A-Z]+\\]$")
      list(APPEND valued ${name})
    endif()
  endforeach()
  # KIND words: from "KIND:" to the first blank line, the parenthesised note left out.
  set(kinds "")
  set(in_kinds FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "^KIND:(.*)")
      set(in_kinds TRUE)
      set(line "${CMAKE_MATCH_1}")
    elseif(line STREQUAL "")
      set(in_kinds FALSE)
    endif()
    if(in_kinds AND NOT line MATCHES "^ *\\(")
      string(REGEX MATCHALL "[a-z][a-z-]*" words "${line}")
      list(APPEND kinds ${words})
    endif()
  endforeach()
  list(JOIN options " " options)
  list(JOIN valued " " valued)
  list(JOIN kinds " " kinds)
  string(APPEND cases "    ${command}) options=\"${options}\" valued=\"${valued}\" kinds=\"${kinds}\" ;;\n")
endforeach()
string(APPEND man ".SH EXIT STATUS\n0 success, 1 a failure the library reports (its return code's name is printed on standard error), 2 a wrong command line.\n")
string(APPEND man ".SH ENVIRONMENT\n.B TMPDIR\nfolder of the temporary files of\n.BR \"ordex roundtrip\" .\n")
file(WRITE "${MAN}" "${man}")

list(JOIN commands " " command_words)
file(WRITE "${COMPLETION}" "# bash completion of ordex (commands, options, KIND words), made from its --help texts
_ordex() {
  local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]}
  if [[ \$COMP_CWORD -eq 1 ]]; then
    COMPREPLY=(\$(compgen -W \"${command_words} --help --version\" -- \"\$cur\"))
    return
  fi
  local options=\"\" valued=\"\" kinds=\"\"
  case \${COMP_WORDS[1]} in
${cases}    help) COMPREPLY=(\$(compgen -W \"${command_words}\" -- \"\$cur\")); return ;;
  esac
  if [[ -n \$prev && \" \$valued \" == *\" \$prev \"* ]]; then
    COMPREPLY=(\$(compgen -f -- \"\$cur\"))
    return
  fi
  if [[ \$cur == -* ]]; then
    COMPREPLY=(\$(compgen -W \"\$options\" -- \"\$cur\"))
    return
  fi
  # The KIND is the second positional argument: count those before the cursor.
  local i n=0 w
  for ((i = 2; i < COMP_CWORD; i++)); do
    w=\${COMP_WORDS[i]}
    if [[ \" \$valued \" == *\" \$w \"* ]]; then
      ((i++))
    elif [[ \$w != -* ]]; then
      ((n++))
    fi
  done
  if [[ -n \$kinds && \$n -eq 1 ]]; then
    COMPREPLY=(\$(compgen -W \"\$kinds\" -- \"\$cur\"))
    return
  fi
  COMPREPLY=(\$(compgen -f -- \"\$cur\"))
}
complete -o filenames -o bashdefault -F _ordex ordex
")
