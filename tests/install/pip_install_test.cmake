# pip install of the Python binding as the README gives it, offline, into a fresh virtual
# environment that sees the system's setuptools, then a read of a real file through it.
# Run with cmake -P and -D: PYTHON (the interpreter that makes the environment), SOURCE
# (the python/ folder), WORK_DIR, LIBRARY (the libordex.so to load), A2L, VERSION.
# Exit status 77 (skipped) when that Python lacks venv, setuptools or wheel.
cmake_minimum_required(VERSION 3.16)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${WORK_DIR})
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  string(STRIP "${out}" out)
  set(out "${out}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${PYTHON} -c
  "import venv, ensurepip, wheel, setuptools; assert int(setuptools.__version__.split('.')[0]) >= 61"
  RESULT_VARIABLE usable OUTPUT_QUIET ERROR_QUIET)
if(NOT usable EQUAL 0)
  message("${PYTHON} lacks venv, setuptools 61 or wheel: skipped")
  cmake_language(EXIT 77)
endif()

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
# A copy, so that the build leaves nothing in the source folder.
file(COPY ${SOURCE}/ DESTINATION ${WORK_DIR}/src PATTERN "__pycache__" EXCLUDE
     PATTERN "build" EXCLUDE PATTERN "*.egg-info" EXCLUDE PATTERN "tests" EXCLUDE)
run("python3 -m venv" ${PYTHON} -m venv --system-site-packages ${WORK_DIR}/venv)
set(pip ${CMAKE_COMMAND} -E env PIP_DISABLE_PIP_VERSION_CHECK=1 PIP_NO_INPUT=1
    ${WORK_DIR}/venv/bin/python -m pip)
run("pip install" ${pip} install --no-build-isolation --no-index ${WORK_DIR}/src)

run("import ordex from the environment" ${CMAKE_COMMAND} -E env ORDEX_LIBRARY=${LIBRARY}
    ${WORK_DIR}/venv/bin/python -B -c [[
import os, sys
import ordex
here = os.path.dirname(ordex.__file__)
assert here.startswith(os.path.realpath(sys.argv[1])), here
assert os.path.exists(os.path.join(here, "py.typed"))
with ordex.A2LFile.open(sys.argv[2]) as a2l:
    print(ordex.__version__, a2l.project.name, len(a2l.to_records("MEASUREMENT")) > 0)
]] ${WORK_DIR}/venv ${A2L})
string(REGEX MATCH "^[^ ]+" version "${out}")
if(NOT version STREQUAL VERSION OR NOT out MATCHES " True$")
  message(FATAL_ERROR "the installed package printed '${out}', expected version ${VERSION} "
                      "and measurements read")
endif()
message(STATUS "pip install: ${out}")
