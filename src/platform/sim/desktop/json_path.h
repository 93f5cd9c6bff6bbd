// JSON paths as error messages name them ($.apps[0].pid, $.defaults["odd key"]),
// and positions in JSON text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumetta::sim {

std::string keyPath(const std::string& path, std::string_view key);
std::string indexPath(const std::string& path, std::size_t index);
// "line 3, column 14": where a parser that stopped at `byte` (1-based, as
// nlohmann::json's parse errors count) stopped in `json`.
std::string lineAndColumn(std::string_view json, std::size_t byte);

}  // namespace lumetta::sim
