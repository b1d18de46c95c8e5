// A small compiled scenario built by hand the way the reader and the recorders fill the model,
// written with the compiler's own file writers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "format/model.h"

namespace scenario::testing {

struct SampleScenario {
  std::vector<TrackCell> track;
  SimTable table;
  LineGeometry line;
};

// Route "Valdora_Lusa", train "24863", 7000 m long: 281 cells and 14001 metres of line.
// Cells: 1 header; 7 and 46 station stops; 11 board 2424/2020/1818 stripes 1/0; 21 signal
// sx 2 (s 2 3 1, rapp 1) dx 2 (d 2 1 1) time 190; 31 and 111 signboards (entries 80, 79);
// 33 to 36 announce 1 to 4, 37 warning, 61 start and 64 end of a 30 km/h slowdown with f_tt 1;
// 43, 50, 56 code markers 180; 81 signal sx 1 (s 3 4 0) dx 0; 91 board 2300 (115/0);
// 97 warning, 121 start, 127 end of a 40 km/h slowdown with d_v 5; 103 and 107 tunnel markers
// in a tunnel of type 2 over cells 100 to 109; 150 code below 1.
SampleScenario sample_scenario();

// A few bytes of each kind, for loops over every cut of a file.
SampleScenario tiny_scenario();

// The names of the sample's track, table and line files.
std::string sample_track_name();
std::string sample_table_name();
std::string sample_line_name();

// The byte at which entry `e` of a table file begins, found from the name lengths before it.
std::size_t table_entry_offset(const std::string& table_file, int e);

// Writes the three files of `s` into `dir` under the sample's names.
void write_sample(const SampleScenario& s, const std::string& dir);

}  // namespace scenario::testing
