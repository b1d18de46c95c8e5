// The starting scenario of `new`: a short line with two stations and one record of every kind,
// each under a comment that names its fields.
#pragma once

#include <string>

namespace scenario::tool {

// The line source and the train source, CR LF as the generator writes them.
std::string starter_line_source(const std::string& route_id);
std::string starter_train_source(const std::string& route_id, const std::string& train_number);

}  // namespace scenario::tool
