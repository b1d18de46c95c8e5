#include "scenario_tool/explain/check_pages.h"

#include <array>

#include "scenario_tool/compile/record_checks.h"

namespace scenario::tool {

namespace {

constexpr std::array<CheckPage, 6> kPages{{
    {record_check_id::overlap, "warning", "two stretches of one kind that overlap",
     "Tunnels, curves and slowdowns are each one stretch of the line; the compiler does not "
     "refuse two that overlap, it turns them into something else. A tunnel that starts before "
     "the one before it ends is stored as the type of a tunnel that follows another, whatever "
     "its own type. A curve that starts inside the one before it starts where that one ends. Two "
     "slowdowns interleave their start and end markers. Told on the later record, naming the "
     "earlier one."},
    {record_check_id::clock_late, "warning", "a clock that starts after the first departure",
     "The \"orologio\" record sets the clock when the run starts. Set after the first station's "
     "departure, the train is late before it moves: a slip of the clock or of the timetable."},
    {record_check_id::section_long, "warning",
     "a timetable section implausibly long: hours where minutes are meant",
     "Two stations that carry a time, one after the other, more than an hour apart at less than "
     "15 km/h on average: an hour written where minutes were meant (18 0 30 for 8 0 30). Told "
     "on the later station."},
    {record_check_id::slowdown_above_limit, "warning", "a slowdown above the line limit",
     "A slowdown (\"rallentamento\") whose speed is above the line speed limit in force where "
     "it starts slows nothing: the lower limit holds. A slip of the speed or of the position."},
    {record_check_id::train_empty, "error", "a train source that gave no station and no speed",
     "A train source from which no station and no speed limit were read leaves every cell at "
     "0 km/h: the scenario cannot be driven. The records were misplaced, misspelt, or the "
     "source is the wrong file."},
    {record_check_id::approach_interleaved, "warning",
     "a signal whose approach codes fall among a station's",
     "A signal writes its approach codes into the cells 2, 4, 6 and 8 before it, a station into "
     "the four cells before the end of its zone, and neither looks at what is there: where the "
     "two meet, the record read last replaces the other's codes, so the cab signal the driver "
     "gets changes from the one to the other between those cells. Told on the signal, naming "
     "the station. Move the signal, or let the station's zone end elsewhere."},
}};

}  // namespace

std::span<const CheckPage> all_check_pages() { return kPages; }

const CheckPage* find_check_page(std::string_view id) {
  for (const CheckPage& page : kPages) {
    if (page.id == id) return &page;
  }
  return nullptr;
}

std::string check_page_text(const CheckPage& page) {
  return std::string(page.id) + " (" + std::string(page.severity) +
         " of compile --check): " + std::string(page.summary) + "\n\n" +
         std::string(page.explanation) + "\n";
}

}  // namespace scenario::tool
