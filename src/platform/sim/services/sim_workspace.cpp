#include "platform/sim/services/sim_workspace.h"

namespace lumetta::sim {

namespace {

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHex(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Unreserved and reserved characters of a URL.
bool isURLCharacter(char c) {
  static constexpr std::string_view kOthers = "-._~:/?#[]@!$&'()*+,;=";
  return isAlpha(c) || isDigit(c) || kOthers.find(c) != std::string_view::npos;
}

// Square brackets only around an IP literal at the start of the authority's
// host: "//[", then hexadecimal digits, ":" and ".", then "]".
bool hasWellPlacedBrackets(std::string_view rest) {
  const std::size_t open = rest.find('[');
  const std::size_t close = rest.find(']');
  if (open == std::string_view::npos && close == std::string_view::npos) return true;
  const std::size_t host = rest.starts_with("//") ? rest.find_first_of("@/?#", 2) : 0;
  const std::size_t hostStart = host != std::string_view::npos && rest[host] == '@' ? host + 1 : 2;
  if (!rest.starts_with("//") || open != hostStart || close == std::string_view::npos ||
      close < open) {
    return false;
  }
  for (char c : rest.substr(open + 1, close - open - 1)) {
    if (!isHex(c) && c != ':' && c != '.') return false;
  }
  return rest.find_first_of("[]", close + 1) == std::string_view::npos;
}

}  // namespace

bool isAbsoluteURL(std::string_view text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos || colon == 0 || !isAlpha(text[0])) return false;
  for (char c : text.substr(0, colon)) {
    if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  for (std::size_t i = colon + 1; i < text.size(); ++i) {
    if (text[i] == '%') {
      if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return false;
      i += 2;
    } else if (!isURLCharacter(text[i])) {
      return false;
    }
  }
  return hasWellPlacedBrackets(text.substr(colon + 1));
}

bool SimWorkspace::openURL(std::string_view url) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  if (!isAbsoluteURL(url)) return false;
  opened_.emplace_back(url);
  return true;
}

void SimWorkspace::activateFileViewerSelecting(const std::vector<std::string>& paths) {
  LUMETTA_CHECK_MAIN_THREAD(mainThreadChecker_);
  revealed_.push_back(paths);
}

}  // namespace lumetta::sim
