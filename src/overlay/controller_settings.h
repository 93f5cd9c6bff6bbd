// The appearance settings' keys in the user defaults and the ranges applied
// when they are loaded.
#pragma once

#include <string_view>

namespace lumetta::settings {

// Codex-mode windows.
inline constexpr std::string_view kEnabled = "indicatorEnabled";
inline constexpr std::string_view kTopBar = "indicatorTopBar";
inline constexpr std::string_view kStrength = "indicatorStrength";
inline constexpr std::string_view kBorderWidth = "indicatorBorderWidth";
inline constexpr std::string_view kColor = "indicatorColor";
// ChatGPT-mode windows.
inline constexpr std::string_view kGptEnabled = "gptEnabled";
inline constexpr std::string_view kGptTopBar = "gptTopBar";
inline constexpr std::string_view kGptStrength = "gptStrength";
inline constexpr std::string_view kGptBorderWidth = "gptBorderWidth";
inline constexpr std::string_view kGptColor = "gptColor";

// Applied on load only; a set value is kept as given.
inline constexpr double kMinimumStrength = 0.1;
inline constexpr double kMaximumStrength = 0.25;
inline constexpr double kMinimumBorderWidth = 2;
inline constexpr double kMaximumBorderWidth = 16;

}  // namespace lumetta::settings
