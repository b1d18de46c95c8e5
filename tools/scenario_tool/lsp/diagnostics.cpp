#include "scenario_tool/lsp/diagnostics.h"

#include "compiler/codes.h"
#include "format/file_limits.h"
#include "scenario_tool/lsp/source_pair.h"
#include "scenario_tool/lsp/uri.h"

namespace scenario::tool::lsp {

namespace {

enum Severity { kError = 1, kWarning = 2, kInformation = 3 };

Json range_json(int line, int from, int to) {
  return Json{{"start", {{"line", line}, {"character", from}}},
              {"end", {{"line", line}, {"character", to}}}};
}

// The bytes of the line a diagnostic covers: the word an unknown keyword quotes, else the line
// without its leading blanks.
std::pair<std::size_t, std::size_t> span_on(const Diagnostic& d, std::string_view line) {
  if (d.id == "unknown-keyword" && d.message.starts_with('"')) {
    const auto close = d.message.find('"', 1);
    const std::string word = d.message.substr(1, close == std::string::npos ? 0 : close - 1);
    const auto at = word.empty() ? std::string_view::npos : line.find(word);
    if (at != std::string_view::npos) return {at, at + word.size()};
  }
  const auto first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {0, line.size()};
  return {first, line.size()};
}

std::string file_name(SourceKind source, const PairNames& names) {
  return source == SourceKind::line ? names.line_source : names.train_source;
}

Json information(const std::string& message) {
  return Json{{"range", range_json(0, 0, 0)},
              {"severity", kInformation},
              {"source", "scenario_tool"},
              {"message", message}};
}

// The text of a source: the open buffer, else the file; none when it cannot be read.
std::optional<std::string> text_of(const std::string& path, const Workspace& ws) {
  if (const OpenDocument* doc = ws.documents.find_path(path)) return doc->text;
  std::string bytes;
  std::string reason;
  if (!ws.disk.read_up_to(path, max_source_bytes, &bytes, &reason)) return std::nullopt;
  return bytes;
}

std::vector<std::string> names_beside(const std::string& folder, const Workspace& ws) {
  std::vector<std::string> names = ws.documents.names_in(folder);
  std::vector<FolderEntry> entries;
  std::string reason;
  if (ws.disk.list_folder(folder, &entries, &reason)) {
    for (const FolderEntry& e : entries) {
      if (e.kind == PathKind::file) names.push_back(e.name);
    }
  }
  return names;
}

// The URI the client knows the file by, when it has it open.
std::string uri_for(const std::string& path, const Workspace& ws) {
  const OpenDocument* doc = ws.documents.find_path(path);
  return doc ? doc->uri : uri_of_path(path);
}

std::string joined(const std::string& folder, const std::string& name) {
  return folder == "." ? name : folder + (folder.ends_with('/') ? "" : "/") + name;
}

}  // namespace

std::string lsp_message(const Diagnostic& d, const PairNames& names) {
  std::string text = format_diagnostic(d, names.line_source, names.train_source);
  if (d.source != SourceKind::none) {
    const std::string place = file_name(d.source, names) +
                              (d.line > 0 ? ":" + std::to_string(d.line) : std::string()) + ": ";
    if (text.starts_with(place)) text.erase(0, place.size());
  }
  return text;
}

Json lsp_diagnostic(const Diagnostic& d, std::string_view line, const PairNames& names,
                    Columns columns) {
  const auto [from, to] = span_on(d, line);
  const int line_index = d.line > 0 ? d.line - 1 : 0;
  Json out{{"range",
            range_json(line_index, column_of(line, from, columns), column_of(line, to, columns))},
           {"severity", d.is_error ? kError : kWarning},
           {"source", "scenario_tool"},
           {"message", lsp_message(d, names)}};
  if (d.is_error && d.code != Code::none) {
    out["code"] = number(d.code);
  } else if (!d.id.empty()) {
    out["code"] = d.id;
  }
  return out;
}

std::vector<Publication> diagnose(const std::string& uri, const Workspace& ws) {
  const OpenDocument* doc = ws.documents.find(uri);
  const std::optional<std::string> path = doc ? doc->path : path_of_uri(uri);
  if (!path) return {Publication{uri}};
  const std::string folder = folder_of(*path);
  const std::string name = name_of(*path);
  const SourceKind kind = source_kind_of(name);
  if (kind == SourceKind::none) return {Publication{uri}};
  const auto partner = partner_name(name, names_beside(folder, ws));
  if (!partner) {
    Publication alone{uri};
    alone.diagnostics.push_back(information(
        kind == SourceKind::line
            ? "no train source beside this line source (ROUTE_TRAIN-.txt): nothing to compile"
            : "no line source beside this train source (ROUTE_linea.txt): nothing to compile"));
    return {alone};
  }
  const std::string partner_path = joined(folder, *partner);
  const std::string& line_path = kind == SourceKind::line ? *path : partner_path;
  const std::string& train_path = kind == SourceKind::line ? partner_path : *path;
  const auto line_text = text_of(line_path, ws);
  const auto train_text = text_of(train_path, ws);
  const PairNames names{name_of(line_path), name_of(train_path)};
  if (!line_text || !train_text) {
    Publication alone{uri};
    alone.diagnostics.push_back(
        information("cannot read " + (line_text ? names.train_source : names.line_source)));
    return {alone};
  }
  const Analysis found = ws.analyse({ids_of_pair(names.line_source, names.train_source), *line_text,
                                     *train_text, names.line_source, names.train_source},
                                    ws.check);
  Publication line_pub{kind == SourceKind::line ? uri : uri_for(line_path, ws)};
  Publication train_pub{kind == SourceKind::train ? uri : uri_for(train_path, ws)};
  const LineIndex line_lines(*line_text);
  const LineIndex train_lines(*train_text);
  for (const auto* list : {&found.compile, &found.check}) {
    for (const Diagnostic& d : *list) {
      const bool in_train = d.source == SourceKind::train;
      const std::string_view line =
          (in_train ? train_lines : line_lines).line(d.line > 0 ? d.line - 1 : 0);
      Publication& p = in_train ? train_pub : line_pub;
      (list == &found.compile ? p.diagnostics : p.findings)
          .push_back(lsp_diagnostic(d, line, names, ws.columns));
    }
  }
  return {line_pub, train_pub};
}

}  // namespace scenario::tool::lsp
