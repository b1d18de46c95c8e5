// The page both pictures of `plot` are drawn on: A4 landscape, in units of a fifth of a
// millimetre, and the sizes of the text, so that the two read alike.
#pragma once

namespace scenario::tool::page {

inline constexpr double width = 1485;
inline constexpr double height = 1050;
inline constexpr double width_mm = 297;
inline constexpr double height_mm = 210;

inline constexpr double title_size = 26;
inline constexpr double subtitle_size = 15;
inline constexpr double label_size = 14;
inline constexpr double small_size = 12;

inline constexpr double title_y = 42;
inline constexpr double subtitle_y = 66;

inline constexpr const char* ink = "#222222";
inline constexpr const char* faint_ink = "#666666";

// Colours that the drawing and its legend share.
inline constexpr const char* elevation_ink = "#7a4a14";
inline constexpr const char* speed_ink = "#c0392b";
inline constexpr const char* station_band = "#3b7dd8";
inline constexpr const char* poor_adhesion_tint = "#fbecbb";
inline constexpr const char* slowdown_fill = "#e67e22";
inline constexpr const char* slowdown_ink = "#8a4a0c";
inline constexpr const char* tunnel_ink = "#4a3a2a";
inline constexpr const char* route_end_ink = "#555555";
inline constexpr const char* centre_line_ink = "#1f5fa8";
inline constexpr const char* station_marker_ink = "#b0182a";
inline constexpr const char* curve_ink = "#2e7d6b";

}  // namespace scenario::tool::page
