#include "compile_input.h"

#include "sources/contenuti.h"

namespace scenario::fuzz {

namespace {

constexpr char kCut = '\0';

}  // namespace

CompileInput split_compile_input(std::string_view bytes) {
  const std::size_t cut = bytes.find(kCut);
  if (cut == std::string_view::npos) return {std::string(bytes), std::nullopt};
  return {std::string(bytes.substr(0, cut)), std::string(bytes.substr(cut + 1))};
}

std::string join_compile_input(std::string_view line_source, std::string_view train_source) {
  std::string out(line_source);
  out += kCut;
  out += train_source;
  return out;
}

std::string builtin_compile_input() {
  return join_compile_input(render_lines(contenuto_linea()), render_lines(contenuto_treno()));
}

}  // namespace scenario::fuzz
