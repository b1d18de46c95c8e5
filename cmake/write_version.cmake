# Writes the version source: the project's version, and `git describe` of the sources when they
# are a git checkout and git is there (a source tarball gives the version alone).
#   cmake -DSOURCE_DIR=... -DTEMPLATE=... -DOUTPUT=... -DVERSION=... -P write_version.cmake
set(SCENARIO_VERSION ${VERSION})
set(SCENARIO_GIT_DESCRIBE "")
find_package(Git QUIET)
if(GIT_FOUND AND EXISTS ${SOURCE_DIR}/.git)
  execute_process(
    COMMAND ${GIT_EXECUTABLE} -C ${SOURCE_DIR} describe --tags --always --dirty
    OUTPUT_VARIABLE describe
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET
    RESULT_VARIABLE status)
  if(status EQUAL 0)
    set(SCENARIO_GIT_DESCRIBE ${describe})
  endif()
endif()
# configure_file leaves the file alone when its text is unchanged.
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
