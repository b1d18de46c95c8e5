#include <array>
#include <optional>
#include <utility>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

using ValueOf = Value (*)(const InspectReport&);
using Item = std::pair<const char*, ValueOf>;

Value to_value(const std::string& s) { return s; }
Value to_value(std::int64_t v) { return v; }

template <class Get>
Value of_header(const InspectReport& r, Get get) {
  return r.scenario.header ? to_value(get(*r.scenario.header)) : Value{};
}

template <class T>
Value of(const std::optional<T>& v, std::int64_t T::*field) {
  return v ? Value((*v).*field) : Value{};
}

template <std::size_t N>
std::vector<ValueChange> changes(const std::array<Item, N>& items, const InspectReport& before,
                                 const InspectReport& after) {
  std::vector<ValueChange> out;
  for (const auto& [label, value] : items) {
    Value old_value = value(before);
    Value new_value = value(after);
    if (old_value != new_value) out.push_back({label, std::move(old_value), std::move(new_value)});
  }
  return out;
}

template <auto Field>
Value header_field(const InspectReport& r) {
  return of_header(r, [](const Header& h) { return h.*Field; });
}

template <std::size_t I>
Value background(const InspectReport& r) {
  return of_header(r, [](const Header& h) { return h.backgrounds[I]; });
}

template <std::size_t K, std::int32_t KmPointEntry::*Field>
Value km_point(const InspectReport& r) {
  return of_header(r, [](const Header& h) { return h.km_points[K].*Field; });
}

const std::array<Item, 6> kIdentifiers{{
    {"route id", header_field<&Header::route_id>},
    {"train number", header_field<&Header::train_number>},
    {"header value of track cell 1",
     [](const InspectReport& r) { return of(r.track_header, &ValueCheck::value); }},
    {"header value of table entry 85",
     [](const InspectReport& r) { return of(r.table_header, &ValueCheck::value); }},
    {"competition code st",
     [](const InspectReport& r) { return of(r.code_st, &CodeCheck::stored); }},
    {"competition code og",
     [](const InspectReport& r) { return of(r.code_og, &CodeCheck::stored); }},
}};

const std::array<Item, 21> kGeneral{{
    {"route length (m)", header_field<&Header::route_length_m>},
    {"cells",
     [](const InspectReport& r) {
       return r.loaded.track ? Value(r.scenario.cell_count) : Value{};
     }},
    {"kilometre point 81 start (m)", km_point<0, &KmPointEntry::start_m>},
    {"kilometre point 81 end (m)", km_point<0, &KmPointEntry::end_m>},
    {"kilometre point 81 position (m)", km_point<0, &KmPointEntry::pos_m>},
    {"kilometre point 82 start (m)", km_point<1, &KmPointEntry::start_m>},
    {"kilometre point 82 end (m)", km_point<1, &KmPointEntry::end_m>},
    {"kilometre point 82 position (m)", km_point<1, &KmPointEntry::pos_m>},
    {"kilometre point 83 start (m)", km_point<2, &KmPointEntry::start_m>},
    {"kilometre point 83 end (m)", km_point<2, &KmPointEntry::end_m>},
    {"kilometre point 83 position (m)", km_point<2, &KmPointEntry::pos_m>},
    {"background one", background<0>},
    {"background two", background<1>},
    {"background three", background<2>},
    {"code repetition start (m)", header_field<&Header::repetition_start_m>},
    {"code repetition end (m)", header_field<&Header::repetition_end_m>},
    {"code repetition codes", header_field<&Header::repetition_codes>},
    {"clock",
     [](const InspectReport& r) {
       return of_header(
           r, [](const Header& h) { return clock_text(h.clock[0], h.clock[1], h.clock[2]); });
     }},
    {"sand", header_field<&Header::sand>},
    {"braked mass (%)", header_field<&Header::braked_mass_percent>},
    {"coaches", header_field<&Header::coaches>},
}};

}  // namespace

Json value_json(const Value& v) {
  if (const auto* n = std::get_if<std::int64_t>(&v)) return *n;
  if (const auto* t = std::get_if<std::string>(&v)) return *t;
  return nullptr;
}

Json value_changes_json(const std::vector<ValueChange>& changes) {
  Json out = Json::array();
  for (const ValueChange& c : changes) {
    out.push_back(
        Json{{"item", c.item}, {"old", value_json(c.old_value)}, {"new", value_json(c.new_value)}});
  }
  return out;
}

std::vector<ValueChange> identifier_changes(const InspectReport& before,
                                            const InspectReport& after) {
  return changes(kIdentifiers, before, after);
}

std::vector<ValueChange> general_changes(const InspectReport& before, const InspectReport& after) {
  return changes(kGeneral, before, after);
}

}  // namespace scenario::tool
