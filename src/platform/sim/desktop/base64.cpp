#include "platform/sim/desktop/base64.h"

#include <array>

namespace lumetta::sim {

namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int, 256> decodingTable() {
  std::array<int, 256> table{};
  for (int& entry : table) entry = -1;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
  }
  return table;
}

}  // namespace

std::string base64Encode(const Data& data) {
  std::string text;
  text.reserve((data.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < data.size(); i += 3) {
    const std::size_t n = std::min<std::size_t>(3, data.size() - i);
    std::uint32_t group = std::uint32_t(data[i]) << 16;
    if (n > 1) group |= std::uint32_t(data[i + 1]) << 8;
    if (n > 2) group |= data[i + 2];
    for (std::size_t k = 0; k < 4; ++k) {
      text += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return text;
}

std::optional<Data> base64Decode(std::string_view text) {
  static constexpr auto table = decodingTable();
  if (text.size() % 4 != 0) return std::nullopt;
  Data data;
  data.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const std::size_t padding = !last ? 0 : text[i + 3] != '=' ? 0 : text[i + 2] != '=' ? 1 : 2;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const int sextet = k < 4 - padding ? table[static_cast<unsigned char>(text[i + k])] : 0;
      if (sextet < 0) return std::nullopt;
      group = group << 6 | std::uint32_t(sextet);
    }
    // Canonical form only: the bits under the padding are zero.
    if ((padding == 1 && (group & 0xff)) || (padding == 2 && (group & 0xffff))) return std::nullopt;
    data.push_back(std::uint8_t(group >> 16));
    if (padding < 2) data.push_back(std::uint8_t(group >> 8));
    if (padding < 1) data.push_back(std::uint8_t(group));
  }
  return data;
}

}  // namespace lumetta::sim
