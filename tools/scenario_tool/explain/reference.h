// The words of the format reference, drawn from the tables of the code: a record kind with its
// fields, a code with its causes and an example, a warning. `explain` prints them as text; the
// record tables of docs/source-format.md are the same tables as Markdown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/codes.h"
#include "compiler/record_kinds.h"
#include "scenario_tool/compile/warnings.h"

namespace scenario::tool {

std::string record_text(const RecordKind& kind);
// A field's type, unit, the values the compiler takes and the sensible ones, on one line.
std::string field_summary(const FieldSpec& field);
std::string record_markdown(const RecordKind& kind);
std::string code_text(Code code);
std::string warning_text(const WarningInfo& warning);

// The record kinds a word names: its name exactly, else every kind whose keyword it would be.
std::vector<const RecordKind*> records_named(std::string_view word);

// One line each: every code, every record kind, every warning.
std::string code_list();
std::string record_list();
std::string warning_list();

}  // namespace scenario::tool
