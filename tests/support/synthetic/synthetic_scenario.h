// A synthetic scenario of any length up to the longest route, written as the two text sources the
// compiler reads. Its features are dense and regular so that the cost of a compile can be measured
// against the length of the line; they are kept off each other's cells so that the compile records
// no code.
#pragma once

#include <cstdint>
#include <random>
#include <string>

namespace synthetic {

// Spacing of the features along the line, in metres.
inline constexpr std::int32_t curve_every = 400;
inline constexpr std::int32_t gradient_every = 1000;
inline constexpr std::int32_t signal_every = 1350;
inline constexpr std::int32_t board_every = 2000;
inline constexpr std::int32_t station_every = 10000;
inline constexpr std::int32_t slowdown_every = 25000;
inline constexpr int tunnel_count = 200;

// With no sign texts the table holds 78 stations; a 79th records code 10. Stations beyond this
// count are left out, so that even the longest line compiles without a code.
inline constexpr int most_stations = 78;

inline constexpr std::int32_t shortest_route = 20000;
inline constexpr std::int32_t longest_route = 1000000;

// The fixed shapes of the features, which decide the cells each one needs.
inline constexpr std::int32_t curve_length = 200;
inline constexpr std::int32_t station_length = 400;
inline constexpr std::int32_t station_type = 2;
inline constexpr std::int32_t slowdown_length = 1000;
inline constexpr std::int32_t slowdown_speed = 60;

// How many records of each kind the sources hold.
struct Counts {
  int gradients = 0;
  int curves = 0;
  int tunnels = 0;
  int boards = 0;
  int signals = 0;
  int slowdowns = 0;
  int stations = 0;
};

struct Scenario {
  std::int32_t length_m = 0;
  std::string line_source;   // CR LF lines
  std::string train_source;  // CR LF lines
  Counts counts;
  // Features moved forward by 50 m, once or more, because a cell they need was taken.
  int shifted = 0;
};

// The scenario for a line of `length_m` metres, a multiple of 50 from shortest_route to
// longest_route; anything else throws std::invalid_argument. Seed 0 gives the fixed scenario the
// benchmarks time; any other seed varies the values of the records (curves start at any metre,
// with any class, length and side, and may overlap; gradients, board speeds, signal aspects,
// slowdown speeds, tunnel types and station values vary; speed limit and adhesion records are
// added), the cells the features take staying the same.
Scenario make_scenario(std::int32_t length_m, std::uint32_t seed = 0);

}  // namespace synthetic
