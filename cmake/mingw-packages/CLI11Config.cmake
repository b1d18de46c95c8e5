include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
scenario_host_header_package(CLI11::CLI11 CLI CLI/CLI.hpp)
