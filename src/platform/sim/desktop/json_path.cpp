#include "platform/sim/desktop/json_path.h"

#include <algorithm>
#include <cctype>

#include "support/text_format.h"

namespace lumetta::sim {

std::string keyPath(const std::string& path, std::string_view key) {
  bool plain = !key.empty() && (std::isalpha(static_cast<unsigned char>(key[0])) || key[0] == '_');
  for (char c : key) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
  return plain ? path + "." + std::string(key) : path + "[" + quotedLiteral(key) + "]";
}

std::string indexPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

std::string lineAndColumn(std::string_view json, std::size_t byte) {
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < std::min(byte > 0 ? byte - 1 : 0, json.size()); ++i) {
    if (json[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace lumetta::sim
