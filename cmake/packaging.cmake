# A Debian package of the library, the tool (with its man page and bash completion), the
# headers and CMake and pkg-config files, and the Python binding:
#   cpack -G DEB --config build/CPackConfig.cmake
# The package installs under /usr; its Python package goes to Debian's
# /usr/lib/python3/dist-packages, where the system's python3 finds it.
set(CPACK_PACKAGE_NAME ordex)
set(CPACK_PACKAGE_VENDOR "Ordex")
set(CPACK_PACKAGE_CONTACT "Ordex developers <ordex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Reader, writer and converter of ASAP2 description files (A2L), with a C API")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_STRIP_FILES ON)
# The library needs only the C and C++ runtimes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libstdc++6 (>= 12)")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3 (>= 3.9)")
# One package with every component but the Python package of the build's own prefix,
# whose place the package takes from Debian's layout instead.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL runtime dev)
if(ORDEX_INSTALL_PYTHON)
  ordex_install_python(lib/python3/dist-packages deb-python EXCLUDE_FROM_ALL)
  list(APPEND CPACK_COMPONENTS_ALL deb-python)
endif()
include(CPack)
