// The folder a verb writes derived files into (-o): made when missing, as compile does.
#pragma once

#include <optional>
#include <string>

#include "platform/file_system.h"

namespace scenario::tool {

// Makes the folder and those above it; the reason, naming the folder, when it cannot.
std::optional<std::string> make_output_folder(FileSystem& fs, const std::string& folder);

// NAME in the folder; the bare name in the current folder, as the verbs always printed it.
std::string in_folder(const std::string& folder, const std::string& name);

// The folder part of a PREFIX or a file path ("" for a bare name, which needs no folder).
std::string folder_of_prefix(const std::string& prefix);

}  // namespace scenario::tool
