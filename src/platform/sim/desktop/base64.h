// Base64 (RFC 4648, with padding), as settings files write data.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/data.h"

namespace lumetta::sim {

std::string base64Encode(const Data& data);
// Nothing unless `text` is canonical base64: the alphabet, padded to a
// multiple of four, no blanks.
std::optional<Data> base64Decode(std::string_view text);

}  // namespace lumetta::sim
