// Data: bytes as the platform stores and archives them.
#pragma once

#include <cstdint>
#include <vector>

namespace lumetta {

using Data = std::vector<std::uint8_t>;

}  // namespace lumetta
