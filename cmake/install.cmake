# What `cmake --install` puts under the prefix:
#   lib/libordex.so.X.Y.Z with its SONAME link libordex.so.X and the link libordex.so
#   include/ordex.h
#   bin/ordex                                 (finds the library through $ORIGIN/../lib)
#   share/man/man1/ordex.1                    the man page
#   share/bash-completion/completions/ordex   bash completion
#   lib/cmake/Ordex/                          find_package(Ordex) -> Ordex::ordex
#   lib/pkgconfig/ordex.pc                    pkg-config ordex
#   ORDEX_PYTHON_DIR/ordex/                   the ctypes binding (ORDEX_INSTALL_PYTHON)
# Every file refers to the others by relative paths, so the tree may be moved as a whole.
# Components: runtime (library, tool, man page, completion), dev, python.
include(CMakePackageConfigHelpers)

# Installs the Python package into DIR (relative to the prefix) as the component, with the
# library folder relative to it in _install_location.py.
function(ordex_install_python dir component extra)
  file(RELATIVE_PATH to_lib ${CMAKE_INSTALL_PREFIX}/${dir}/ordex ${CMAKE_INSTALL_FULL_LIBDIR})
  set(location ${CMAKE_CURRENT_BINARY_DIR}/python-${component}/_install_location.py)
  file(WRITE ${location}.in "# The library folder of the installed tree, relative to this package.\n"
                            "LIBRARY_DIR = \"${to_lib}\"\n")
  configure_file(${location}.in ${location} COPYONLY)
  install(DIRECTORY python/ordex DESTINATION ${dir} COMPONENT ${component} ${extra}
          PATTERN "__pycache__" EXCLUDE)
  install(FILES ${location} DESTINATION ${dir}/ordex COMPONENT ${component} ${extra})
endfunction()

set(ORDEX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Ordex)

install(TARGETS ordex EXPORT OrdexTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES include/ordex.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)

if(TARGET ordex_tool)
  # The tool finds the library of its own tree wherever the tree is installed.
  file(RELATIVE_PATH ordex_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  set_target_properties(ordex_tool PROPERTIES INSTALL_RPATH "$ORIGIN/${ordex_bin_to_lib}")
  install(TARGETS ordex_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
  install(FILES ${ORDEX_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT runtime)
  install(FILES ${ORDEX_BASH_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
          RENAME ordex COMPONENT runtime)
endif()

install(EXPORT OrdexTargets NAMESPACE Ordex:: DESTINATION ${ORDEX_CMAKE_DIR} COMPONENT dev)
configure_package_config_file(cmake/OrdexConfig.cmake.in
                              ${CMAKE_CURRENT_BINARY_DIR}/OrdexConfig.cmake
                              INSTALL_DESTINATION ${ORDEX_CMAKE_DIR})
# The SONAME carries the major version, so a package of another major version is refused.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/OrdexConfigVersion.cmake
                                 VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/OrdexConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/OrdexConfigVersion.cmake
        DESTINATION ${ORDEX_CMAKE_DIR} COMPONENT dev)

# pkg-config: the prefix is worked out from the .pc file's own folder.
set(ORDEX_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
set(ORDEX_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
set(ORDEX_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(ORDEX_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(ORDEX_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(ORDEX_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
  file(RELATIVE_PATH ordex_pc_to_prefix ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig
       ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" ordex_pc_to_prefix "${ordex_pc_to_prefix}")
  set(ORDEX_PC_PREFIX "\${pcfiledir}/${ordex_pc_to_prefix}")
endif()
configure_file(cmake/ordex.pc.in ${CMAKE_CURRENT_BINARY_DIR}/ordex.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/ordex.pc DESTINATION ${ORDEX_PC_DIR} COMPONENT dev)

# The Python package goes where a Python of this machine looks for packages under the
# prefix (the python3 found first, then the system's: /usr/local gives Debian's
# lib/python3.X/dist-packages, ~/.local the user's site-packages). Under a prefix that no
# Python searches it goes to lib/python3/site-packages, for PYTHONPATH or a .pth file.
# Beside it, _install_location.py tells the binding where the library of the tree is.
if(ORDEX_INSTALL_PYTHON)
  if(NOT DEFINED CACHE{ORDEX_PYTHON_DIR})
    set(ordex_python_dir lib/python3/site-packages)
    set(ordex_python_searcher "")
    find_program(ORDEX_PYTHON3 NAMES python3)
    foreach(python ${ORDEX_PYTHON3} /usr/bin/python3)
      if(NOT ordex_python_searcher AND EXISTS ${python})
        execute_process(COMMAND ${python} ${PROJECT_SOURCE_DIR}/cmake/python_site_dir.py
                                ${CMAKE_INSTALL_PREFIX}
                        OUTPUT_VARIABLE dir OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET
                        RESULT_VARIABLE rc)
        if(rc EQUAL 0 AND dir)
          set(ordex_python_dir ${dir})
          set(ordex_python_searcher ${python})
        endif()
      endif()
    endforeach()
    if(ordex_python_searcher)
      message(STATUS "Python package: ${CMAKE_INSTALL_PREFIX}/${ordex_python_dir} "
                     "(searched by ${ordex_python_searcher})")
    else()
      message(STATUS "Python package: ${CMAKE_INSTALL_PREFIX}/${ordex_python_dir}, which no "
                     "Python searches: set PYTHONPATH or add a .pth file (see README.md)")
    endif()
    set(ORDEX_PYTHON_DIR ${ordex_python_dir} CACHE STRING
        "Folder of the Python package, relative to the install prefix")
  endif()
  ordex_install_python(${ORDEX_PYTHON_DIR} python "")
endif()

include(cmake/packaging.cmake)
