# The header-only packages come from the host, but their targets would put the host's whole
# include folder on the cross compiler's path, where its C library headers do not belong. Each
# package's own folder is linked into a folder of the build tree that holds nothing else.
function(scenario_host_header_package target folder probe)
  if(TARGET ${target})
    return()
  endif()
  find_path(${folder}_HOST_INCLUDE ${probe} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            NO_DEFAULT_PATH REQUIRED)
  set(headers ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${headers})
  if(NOT EXISTS ${headers}/${folder})
    file(CREATE_LINK ${${folder}_HOST_INCLUDE}/${folder} ${headers}/${folder} SYMBOLIC)
  endif()
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${headers})
endfunction()
