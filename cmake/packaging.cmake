# `make package` (cpack): on Linux a .deb of the two programs, its dependencies found by
# dpkg-shlibdeps; in the Windows build a .zip of the two programs with the README and the verb
# pages.
set(CPACK_PACKAGE_NAME ${SCENARIO_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Scenario generator developers")
set(CPACK_PACKAGE_CONTACT "Scenario generator developers <scenario-generator@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scenario generator and compiler for a railway simulator")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The synopsis is the summary above; these are the lines under it.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "generatore writes the built-in scenario of a railway driving simulator,\n"
      "the line Valdora-Lusa and train 24863, and compiles it into the files\n"
      "the simulator loads. scenario_tool compiles an author's own scenario\n"
      "sources with diagnostics, decodes and draws compiled files, and explains\n"
      "the source format.")
  string(REPLACE ";" "" CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_DEBIAN_PACKAGE_DESCRIPTION}")
endif()

include(CPack)
