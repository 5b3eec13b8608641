# Runs one command of the ordex tool and compares what it printed with the expected text.
#   cmake [-DEXPECTED=file] [-DEXIT=n] [-DFILTER=regex] [-DSTDERR=regex] -P run_case.cmake
#         TOOL ARGUMENTS...
# EXPECTED: standard output must equal the file (without it, standard output must be
# empty); ORDEX_UPDATE_GOLDEN=1 in the environment writes the output to the file instead.
# FILTER: output lines matching it are dropped first (times, temporary paths); EXIT: the
# expected exit status (default 0); STDERR: a regular expression standard error must match
# (without it, standard error must be empty when EXIT is 0); ABSENT: a file that must not
# exist after the command (it is removed before).
cmake_minimum_required(VERSION 3.16)

# The words after the script's name are the command.
set(command "")
set(first -1)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(first GREATER -1 AND i GREATER_EQUAL first)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "-P")
    math(EXPR first "${i} + 2")
  endif()
endforeach()
if(NOT DEFINED EXIT)
  set(EXIT 0)
endif()

if(DEFINED ABSENT AND NOT ABSENT STREQUAL "")
  file(REMOVE "${ABSENT}")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE ";" " " shown "${command}")
set(failed "")
if(NOT status STREQUAL "${EXIT}")
  string(APPEND failed "exit status ${status}, expected ${EXIT}\n")
endif()
if(DEFINED FILTER AND NOT FILTER STREQUAL "")
  string(REGEX REPLACE "[^\n]*(${FILTER})[^\n]*\n" "" out "${out}")
endif()
if(DEFINED EXPECTED AND NOT EXPECTED STREQUAL "")
  file(READ "${EXPECTED}" expected)
else()
  set(expected "")
endif()
if(DEFINED ENV{ORDEX_UPDATE_GOLDEN} AND DEFINED EXPECTED AND NOT EXPECTED STREQUAL "")
  file(WRITE "${EXPECTED}" "${out}")
  set(expected "${out}")
endif()
if(NOT out STREQUAL expected)
  string(APPEND failed "standard output differs from ${EXPECTED}:\n--- got\n${out}--- end\n")
endif()
if(DEFINED STDERR AND NOT STDERR STREQUAL "")
  if(NOT err MATCHES "${STDERR}")
    string(APPEND failed "standard error does not match '${STDERR}':\n${err}\n")
  endif()
elseif(EXIT EQUAL 0 AND NOT err STREQUAL "")
  string(APPEND failed "unexpected standard error:\n${err}\n")
endif()
if(DEFINED ABSENT AND NOT ABSENT STREQUAL "" AND EXISTS "${ABSENT}")
  string(APPEND failed "${ABSENT} was written\n")
endif()
if(failed)
  message(FATAL_ERROR "${shown}\n${failed}")
endif()
