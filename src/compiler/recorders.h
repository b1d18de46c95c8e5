// The feature recorders: tunnels, speed indicator boards, signals and slowdowns become track cells.
// Each returns the code it recorded (0 when it recorded none); a recorded code is also left in the
// state's error_code together with the feature's position in error_pos.
#pragma once

#include <cstdint>

namespace scenario {

struct GeneratorState;

std::int32_t memo_montagna(GeneratorState& state, std::int32_t& inizio, std::int32_t& fine,
                           std::int32_t& tipo);

std::int32_t memo_indicatori_v_max(GeneratorState& state, std::int32_t posizione, std::int32_t& vas,
                                   std::int32_t& vbs, std::int32_t& vcs, std::int32_t& strisces,
                                   std::int32_t& vad, std::int32_t& vbd, std::int32_t& vcd,
                                   std::int32_t& strisced);

std::int32_t memo_segnale(GeneratorState& state, std::int32_t posizione, std::int32_t& sx,
                          std::int32_t& s1, std::int32_t& s2, std::int32_t& s3, std::int32_t& rapp,
                          std::int32_t& dx, std::int32_t& d1, std::int32_t& d2, std::int32_t& d3,
                          std::int32_t& tempo);

std::int32_t memo_rallentamento(GeneratorState& state, std::int32_t x, std::int32_t& v,
                                std::int32_t& l, std::int32_t& f_tt, std::int32_t f_ta,
                                std::int32_t& d_v);

// Orders the three kilometre-point entries 81, 82, 83 of the table.
void progressive_ordina(GeneratorState& state);

}  // namespace scenario
