#include <array>
#include <optional>
#include <utility>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/table_views.h"

namespace scenario::tool {

namespace {

// A value as the diff gives it; null where the part is missing (a file not decoded).
using ValueOf = Json (*)(const InspectReport&);
using Item = std::pair<const char*, ValueOf>;

template <class Get>
Json of_header(const InspectReport& r, Get get) {
  return r.scenario.header ? Json(get(*r.scenario.header)) : Json();
}

template <class T>
Json of(const std::optional<T>& v, std::int64_t T::*field) {
  return v ? Json((*v).*field) : Json();
}

template <std::size_t N>
Json changes(const std::array<Item, N>& items, const InspectReport& before,
             const InspectReport& after) {
  Json out = Json::array();
  for (const auto& [label, value] : items) {
    Json old_value = value(before);
    Json new_value = value(after);
    if (old_value != new_value) {
      out.push_back(
          Json{{"item", label}, {"old", std::move(old_value)}, {"new", std::move(new_value)}});
    }
  }
  return out;
}

template <std::size_t K, std::int32_t KmPointEntry::*Field>
Json km_point(const InspectReport& r) {
  return of_header(r, [](const Header& h) { return h.km_points[K].*Field; });
}

const std::array<Item, 6> kIdentifiers{{
    {"route id",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.route_id; });
     }},
    {"train number",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.train_number; });
     }},
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
    {"route length (m)",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.route_length_m; });
     }},
    {"cells",
     [](const InspectReport& r) { return r.loaded.track ? Json(r.loaded.track->size()) : Json(); }},
    {"kilometre point 81 start (m)", km_point<0, &KmPointEntry::start_m>},
    {"kilometre point 81 end (m)", km_point<0, &KmPointEntry::end_m>},
    {"kilometre point 81 position (m)", km_point<0, &KmPointEntry::pos_m>},
    {"kilometre point 82 start (m)", km_point<1, &KmPointEntry::start_m>},
    {"kilometre point 82 end (m)", km_point<1, &KmPointEntry::end_m>},
    {"kilometre point 82 position (m)", km_point<1, &KmPointEntry::pos_m>},
    {"kilometre point 83 start (m)", km_point<2, &KmPointEntry::start_m>},
    {"kilometre point 83 end (m)", km_point<2, &KmPointEntry::end_m>},
    {"kilometre point 83 position (m)", km_point<2, &KmPointEntry::pos_m>},
    {"background one",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.backgrounds[0]; });
     }},
    {"background two",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.backgrounds[1]; });
     }},
    {"background three",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.backgrounds[2]; });
     }},
    {"code repetition start (m)",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.repetition_start_m; });
     }},
    {"code repetition end (m)",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.repetition_end_m; });
     }},
    {"code repetition codes",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.repetition_codes; });
     }},
    {"clock",
     [](const InspectReport& r) {
       return of_header(
           r, [](const Header& h) { return clock_text(h.clock[0], h.clock[1], h.clock[2]); });
     }},
    {"sand",
     [](const InspectReport& r) { return of_header(r, [](const Header& h) { return h.sand; }); }},
    {"braked mass (%)",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.braked_mass_percent; });
     }},
    {"coaches",
     [](const InspectReport& r) {
       return of_header(r, [](const Header& h) { return h.coaches; });
     }},
}};

}  // namespace

Json identifier_changes(const InspectReport& before, const InspectReport& after) {
  return changes(kIdentifiers, before, after);
}

Json general_changes(const InspectReport& before, const InspectReport& after) {
  return changes(kGeneral, before, after);
}

}  // namespace scenario::tool
