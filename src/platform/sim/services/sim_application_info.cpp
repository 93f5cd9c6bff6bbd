#include "platform/sim/services/sim_application_info.h"

#include <filesystem>
#include <system_error>

namespace lumetta::sim {

std::optional<std::string> SimApplicationInfo::resourcePath(std::string_view name,
                                                            std::string_view extension) {
  if (!info_.resources) return std::nullopt;
  std::string file(name);
  if (!extension.empty()) file += "." + std::string(extension);
  if (name.empty() || file == "." || file == ".." ||
      file.find_first_of(std::string_view("/\0", 2)) != std::string::npos) {
    return std::nullopt;
  }
  const std::filesystem::path path = std::filesystem::path(*info_.resources) / file;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  return path.string();
}

}  // namespace lumetta::sim
