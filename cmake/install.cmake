# What an install puts where. On Linux, the usual places of a prefix: the programs in bin, their
# manual pages, the bash completion of scenario_tool, the JSON schemas of its --json outputs, the
# README and the verb pages. On Windows (the zip), everything in one folder.
include(GNUInstallDirs)

# An install (and cpack) takes what is built and builds nothing more: the Makefile's `install` and
# `package` build the programs and their pages first, not the whole test suite.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(SCENARIO_PACKAGE_NAME scenario-generator)

if(WIN32)
  install(TARGETS generatore scenario_tool RUNTIME DESTINATION .)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs FILES_MATCHING PATTERN "*.md"
                                                                   PATTERN "*.png")
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/schemas/ DESTINATION schemas)
  return()
endif()

install(TARGETS generatore scenario_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(SCENARIO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${SCENARIO_PACKAGE_NAME})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${SCENARIO_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${SCENARIO_DOC_DIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
# Every schema of schemas/, compile's and the diagnostic object that compile's and check's refer to
# by file name among them: they are installed side by side so that the reference resolves.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/schemas/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/${SCENARIO_PACKAGE_NAME}/schemas)

# Manual pages and completion are made from the built programs' own --help, so they follow every
# verb and option without being edited. They need the programs to run on the build machine.
if(CMAKE_CROSSCOMPILING)
  return()
endif()
find_program(HELP2MAN help2man REQUIRED)
set(SCENARIO_MANUALS ${PROJECT_SOURCE_DIR}/cmake/manuals)
set(SCENARIO_MAN_DIR ${CMAKE_BINARY_DIR}/man)
# A program's manual page, made from its --help.
function(scenario_man_page program description)
  add_custom_command(
    OUTPUT ${SCENARIO_MAN_DIR}/${program}.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SCENARIO_MAN_DIR}
    COMMAND ${SCENARIO_MANUALS}/make-man-page $<TARGET_FILE:${program}> "${description}"
            ${SCENARIO_MAN_DIR}/${program}.1.gz
    DEPENDS ${program} ${SCENARIO_MANUALS}/make-man-page
    VERBATIM)
endfunction()
scenario_man_page(generatore "write and compile the built-in railway scenario")
scenario_man_page(scenario_tool "compile, inspect and draw railway scenarios")
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/completion/scenario_tool
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/completion
  COMMAND ${SCENARIO_MANUALS}/make-bash-completion $<TARGET_FILE:scenario_tool>
          ${CMAKE_BINARY_DIR}/completion/scenario_tool
  DEPENDS scenario_tool ${SCENARIO_MANUALS}/make-bash-completion
  VERBATIM)
add_custom_target(scenario_manuals ALL
  DEPENDS ${SCENARIO_MAN_DIR}/generatore.1.gz ${SCENARIO_MAN_DIR}/scenario_tool.1.gz
          ${CMAKE_BINARY_DIR}/completion/scenario_tool)
install(FILES ${SCENARIO_MAN_DIR}/generatore.1.gz ${SCENARIO_MAN_DIR}/scenario_tool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/completion/scenario_tool
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# What a Debian package must carry besides: the copyright and a changelog, compressed.
set(SCENARIO_DEBIAN ${PROJECT_SOURCE_DIR}/cmake/debian)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/debian
  COMMAND gzip -9n -c ${SCENARIO_DEBIAN}/changelog > ${CMAKE_BINARY_DIR}/debian/changelog.gz
  DEPENDS ${SCENARIO_DEBIAN}/changelog)
add_custom_target(scenario_debian_files ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${SCENARIO_DEBIAN}/copyright ${CMAKE_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${SCENARIO_DOC_DIR})
