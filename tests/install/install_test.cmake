# Installs the build tree into a fresh prefix, then builds tests/install/consumer.c against
# the installed files twice, through find_package(Ordex) and through pkg-config, runs both
# and the installed ordex tool, and, when asked, imports the installed Python binding.
# Run with cmake -P and -D: BUILD_DIR, CONSUMER_DIR, WORK_DIR, A2L, C_COMPILER, C_FLAGS,
# PKG_CONFIG, EXPECTED, PYTHON (empty: no Python check).
cmake_minimum_required(VERSION 3.16)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  string(STRIP "${out}" out)
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what} printed\n  ${actual}\ninstead of\n  ${expected}")
  endif()
  message(STATUS "${what}: ${actual}")
endfunction()

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(f include/ordex.h lib/pkgconfig/ordex.pc lib/cmake/Ordex/OrdexConfig.cmake
          lib/cmake/Ordex/OrdexConfigVersion.cmake bin/ordex)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(GLOB libs RELATIVE ${prefix}/lib ${prefix}/lib/libordex.so*)
list(SORT libs)
list(LENGTH libs nlibs)
if(NOT nlibs EQUAL 3 OR NOT IS_SYMLINK ${prefix}/lib/libordex.so
   OR NOT IS_SYMLINK ${prefix}/lib/libordex.so.0)
  message(FATAL_ERROR "expected libordex.so -> libordex.so.0 -> libordex.so.X.Y.Z, found: ${libs}")
endif()

# 1. CMake package.
run("configure the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/consumer-cmake
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_C_COMPILER=${C_COMPILER} "-DCMAKE_C_FLAGS=${C_FLAGS}"
    -DCMAKE_BUILD_TYPE=Release)
run("build the consumer" ${CMAKE_COMMAND} --build ${WORK_DIR}/consumer-cmake)
run("the consumer (CMake package)" ${WORK_DIR}/consumer-cmake/consumer ${A2L})
expect("consumer (CMake package)" "${out}" "${EXPECTED}")

# 2. pkg-config, looking at the installed tree only.
set(pc ${CMAKE_COMMAND} -E env PKG_CONFIG_LIBDIR=${prefix}/lib/pkgconfig --unset=PKG_CONFIG_PATH
       ${PKG_CONFIG})
run("pkg-config --modversion" ${pc} --modversion ordex)
set(version "${out}")
run("pkg-config --cflags" ${pc} --cflags ordex)
separate_arguments(cflags UNIX_COMMAND "${out}")
run("pkg-config --libs" ${pc} --libs ordex)
separate_arguments(ldflags UNIX_COMMAND "${out}")
run("pkg-config --variable=libdir" ${pc} --variable=libdir ordex)
set(libdir "${out}")
separate_arguments(extra UNIX_COMMAND "${C_FLAGS}")
run("compile the consumer with pkg-config flags" ${C_COMPILER} ${extra} ${cflags}
    ${CONSUMER_DIR}/consumer.c -o ${WORK_DIR}/consumer-pc ${ldflags} -Wl,-rpath,${libdir})
run("the consumer (pkg-config)" ${WORK_DIR}/consumer-pc ${A2L})
expect("consumer (pkg-config ${version})" "${out}" "${EXPECTED}")

# 3. The installed tool finds the installed library.
run("installed ordex check" ${prefix}/bin/ordex check ${A2L})
expect("installed ordex check" "${out}" "ok")

# 4. The installed binding finds the installed library without being told where it is.
if(PYTHON)
  run("installed Python binding" ${CMAKE_COMMAND} -E env --unset=ORDEX_LIBRARY
      PYTHONPATH=${prefix}/lib/python3/site-packages ${PYTHON} -B
      ${CONSUMER_DIR}/binding_check.py ${A2L} ${prefix})
  expect("installed Python binding" "${out}" "EngineDemo True")
endif()
