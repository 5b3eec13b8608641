# What `cmake --install` puts under the prefix:
#   lib/libordex.so.X.Y.Z with its SONAME link libordex.so.X and the link libordex.so
#   include/ordex.h
#   bin/ordex                                 (finds the library through $ORIGIN/../lib)
#   lib/cmake/Ordex/                          find_package(Ordex) -> Ordex::ordex
#   lib/pkgconfig/ordex.pc                    pkg-config ordex
#   lib/python3/site-packages/ordex/          the ctypes binding (ORDEX_INSTALL_PYTHON)
# Every file refers to the others by relative paths, so the tree may be moved as a whole.
include(CMakePackageConfigHelpers)

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

if(ORDEX_INSTALL_PYTHON)
  install(DIRECTORY python/ordex DESTINATION ${CMAKE_INSTALL_LIBDIR}/python3/site-packages
          COMPONENT python PATTERN "__pycache__" EXCLUDE)
endif()
