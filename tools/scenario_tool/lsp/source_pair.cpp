#include "scenario_tool/lsp/source_pair.h"

#include <algorithm>
#include <string_view>

namespace scenario::tool::lsp {

namespace {

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

std::string route_of_line(const std::string& name) {
  return name.substr(0, name.size() - kLineSuffix.size());
}

bool is_train_of(const std::string& train, const std::string& route) {
  const std::string prefix = route + "_";
  return train.size() > prefix.size() + kTrainSuffix.size() && train.starts_with(prefix) &&
         train.ends_with(kTrainSuffix);
}

}  // namespace

SourceKind source_kind_of(const std::string& file_name) {
  if (file_name.size() > kLineSuffix.size() && file_name.ends_with(kLineSuffix)) {
    return SourceKind::line;
  }
  if (file_name.size() > kTrainSuffix.size() && file_name.ends_with(kTrainSuffix) &&
      file_name.find('_') != std::string::npos) {
    return SourceKind::train;
  }
  return SourceKind::none;
}

std::optional<std::string> partner_name(const std::string& file_name,
                                        const std::vector<std::string>& folder_names) {
  std::vector<std::string> names = folder_names;
  std::sort(names.begin(), names.end());
  switch (source_kind_of(file_name)) {
    case SourceKind::line: {
      const std::string route = route_of_line(file_name);
      for (const std::string& n : names) {
        if (source_kind_of(n) == SourceKind::train && is_train_of(n, route)) return n;
      }
      return std::nullopt;
    }
    case SourceKind::train: {
      std::optional<std::string> best;
      for (const std::string& n : names) {
        if (source_kind_of(n) != SourceKind::line || !is_train_of(file_name, route_of_line(n))) {
          continue;
        }
        if (!best || n.size() > best->size()) best = n;
      }
      return best;
    }
    case SourceKind::none:
      break;
  }
  return std::nullopt;
}

ScenarioIds ids_of_pair(const std::string& line_name, const std::string& train_name) {
  const std::string route = route_of_line(line_name);
  const std::size_t start = route.size() + 1;
  return {route, train_name.substr(start, train_name.size() - start - kTrainSuffix.size())};
}

}  // namespace scenario::tool::lsp
