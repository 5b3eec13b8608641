# Installs the build tree into a fresh prefix, then builds tests/install/consumer.c against
# the installed files twice, through find_package(Ordex) and through pkg-config, runs both
# and the installed ordex tool, and, when asked, imports the installed Python binding. With
# DEB, builds the Debian package with CPack, installs it into a scratch root and runs the
# tool and the binding from there.
# Run with cmake -P and -D: BUILD_DIR, CONSUMER_DIR, WORK_DIR, A2L, C_COMPILER, C_FLAGS,
# PKG_CONFIG, EXPECTED, VERSION, PYTHON (empty: no Python check), PYTHON_DIR (where the
# package is installed, relative to the prefix), DEB (ON: the package check), CPACK, DPKG.
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
          lib/cmake/Ordex/OrdexConfigVersion.cmake bin/ordex share/man/man1/ordex.1
          share/bash-completion/completions/ordex)
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
run("installed ordex --version" ${prefix}/bin/ordex --version)
expect("installed ordex --version" "${out}" "ordex ${VERSION}")

# 4. The installed binding finds the installed library without being told where it is.
if(PYTHON)
  run("installed Python binding" ${CMAKE_COMMAND} -E env --unset=ORDEX_LIBRARY
      PYTHONPATH=${prefix}/${PYTHON_DIR} ${PYTHON} -B
      ${CONSUMER_DIR}/binding_check.py ${A2L} ${prefix})
  expect("installed Python binding" "${out}" "EngineDemo True ${VERSION}")
endif()

# 5. The Debian package: built by CPack, installed into a root of its own (its dpkg
# database starts empty, so the C runtime it depends on is not there to check), then its
# tool and binding run from that root.
if(DEB)
  set(root ${WORK_DIR}/deb-root)
  run("cpack -G DEB" ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${WORK_DIR}/deb)
  file(GLOB debs ${WORK_DIR}/deb/ordex_*.deb)
  list(LENGTH debs ndebs)
  if(NOT ndebs EQUAL 1)
    message(FATAL_ERROR "cpack made no single package: ${debs}")
  endif()
  foreach(d var/lib/dpkg/info var/lib/dpkg/updates var/lib/dpkg/triggers)
    file(MAKE_DIRECTORY ${root}/${d})
  endforeach()
  file(TOUCH ${root}/var/lib/dpkg/status ${root}/var/lib/dpkg/available)
  run("dpkg --install" ${DPKG} --root=${root} --force-not-root --force-depends
      --log=${WORK_DIR}/dpkg.log --install ${debs})
  run("dpkg --status" ${DPKG} --root=${root} --status ordex)
  if(NOT out MATCHES "Status: install ok installed" OR NOT out MATCHES "Version: ${VERSION}")
    message(FATAL_ERROR "the package is not installed as ordex ${VERSION}:\n${out}")
  endif()
  run("packaged ordex --version" ${root}/usr/bin/ordex --version)
  expect("packaged ordex --version" "${out}" "ordex ${VERSION}")
  run("packaged ordex check" ${root}/usr/bin/ordex check ${A2L})
  expect("packaged ordex check" "${out}" "ok")
  foreach(f usr/include/ordex.h usr/share/man/man1/ordex.1
            usr/share/bash-completion/completions/ordex)
    if(NOT EXISTS ${root}/${f})
      message(FATAL_ERROR "not in the package: ${f}")
    endif()
  endforeach()
  if(PYTHON)
    if(NOT EXISTS ${root}/usr/lib/python3/dist-packages/ordex/py.typed)
      message(FATAL_ERROR "not in the package: the Python binding")
    endif()
    run("packaged Python binding" ${CMAKE_COMMAND} -E env --unset=ORDEX_LIBRARY
        PYTHONPATH=${root}/usr/lib/python3/dist-packages ${PYTHON} -B
        ${CONSUMER_DIR}/binding_check.py ${A2L} ${root}/usr)
    expect("packaged Python binding" "${out}" "EngineDemo True ${VERSION}")
  endif()
endif()
