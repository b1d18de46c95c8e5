include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
scenario_host_header_package(nlohmann_json::nlohmann_json nlohmann nlohmann/json.hpp)
