#pragma once

namespace scenario {

// The identifiers of the one scenario this build carries.
inline constexpr const char* builtin_route_id = "Valdora_Lusa";
inline constexpr const char* builtin_train_number = "24863";

}  // namespace scenario
