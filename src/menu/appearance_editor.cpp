// The appearance editor: two folder tabs, "Codex" and "GPT", sitting on the
// panel of the selected mode's settings. A tab only chooses which mode the
// panel reads and writes; each control is bound to one field of the mode's
// appearance (overlay/appearance.h has the glossary).
#include <cmath>
#include <cstdio>

#include "menu/menu_description.h"
#include "menu/view_nodes.h"

namespace lumetta {

namespace {

using namespace nodes;

// Both the selected tab and the panel are white at 0.1: the tab reads as
// the raised tab of the folder whose body is the panel.
constexpr Fill kRaisedFill{ColorRole::white, 0.1};

ViewNode modeTab(MenuContent& content, const std::string& title, WindowMode mode) {
  const bool selected = content.mode() == mode;
  ViewNode tab;
  tab.content =
      kinds::Tab{.selected = selected, .onPress = [&content, mode] { content.selectTab(mode); }};
  tab.text = title;
  tab.font = FontRole::tab;
  tab.foreground = {selected ? ColorRole::accent : ColorRole::secondary};
  tab.height = 38;
  tab.fillsWidth = true;
  tab.background = selected ? kRaisedFill : Fill{ColorRole::primary, 0.025};
  tab.backgroundShape = FolderTabShape{};
  return tab;
}

ViewNode swatch(MenuContent& content, std::string_view name) {
  ViewNode node;
  node.content = kinds::Swatch{.color = content.starterColor(name),
                               .selected = content.starterSelected(name),
                               .onPress = [&content, name] { content.pickStarter(name); }};
  node.padding = Insets::all(4);  // the ring's room; the whole square is the hit area
  node.help = std::string(name);
  node.accessibilityLabel = std::string(name) + " starter color";
  return node;
}

ViewNode colorGroup(MenuContent& content) {
  std::vector<ViewNode> swatches;
  for (std::string_view name : kStarterNames) swatches.push_back(swatch(content, name));

  ViewNode custom;
  custom.content = kinds::ColorButton{.color = content.appearance().color,
                                      .plain = true,
                                      .onPress = [&content] { content.chooseColor(); }};
  custom.text = "Choose\u2026";
  custom.accessibilityLabel = "Choose your own color";

  return vstack(8, {text("Color"),
                    hstack(10, {caption("Choose a starter color"), hstack(6, std::move(swatches))}),
                    hstack(10, {caption("Or choose your own"), std::move(custom)})});
}

// A labelled slider over the range of the number `field`, with its value
// beside it in a fixed-width frame.
ViewNode sliderRow(MenuContent& content, const std::string& title, double ModeAppearance::*field,
                   double step, std::string valueText, double valueWidth) {
  const AppearanceKey& key = appearanceKey(field);
  ViewNode slider;
  slider.content =
      kinds::Slider{.value = content.appearance().*field,
                    .range = {key.low, key.high, step},
                    .onSlide = [&content, field](double value) { content.set(field, value); }};
  slider.accessibilityLabel = title;
  ViewNode label = text(std::move(valueText));
  label.monospacedDigits = true;
  label.width = valueWidth;
  label.alignment = Alignment::center;
  return hstack(std::nullopt, {text(title), std::move(slider), std::move(label)});
}

ViewNode settingsPanel(MenuContent& content) {
  const ModeAppearance& appearance = content.appearance();
  ViewNode enabled;
  enabled.content = kinds::ToggleSwitch{.on = appearance.enabled, .onToggle = [&content](bool on) {
                                          content.set(&ModeAppearance::enabled, on);
                                        }};
  enabled.text = "Enabled";

  // The segments in the order of OverlayStyle: top bar, border.
  ViewNode style;
  style.content =
      kinds::Segmented{.segments = {"Top Bar", "Border"},
                       .selected = appearance.style == OverlayStyle::topBar ? 0 : 1,
                       .onSelect = [&content](int segment) {
                         content.set(&ModeAppearance::style,
                                     segment == 0 ? OverlayStyle::topBar : OverlayStyle::border);
                       }};
  style.text = "Style";

  ViewNode panel = vstack(14, {std::move(enabled), std::move(style), colorGroup(content),
                               sliderRow(content, "Tint", &ModeAppearance::strength, 0.01,
                                         percentText(appearance.strength), 36)});
  if (appearance.style == OverlayStyle::border) {
    panel.children.push_back(sliderRow(content, "Thickness", &ModeAppearance::borderWidth, 1,
                                       pointsText(appearance.borderWidth), 42));
  }
  panel.padding = Insets::all(12);
  panel.fillsWidth = true;
  panel.background = kRaisedFill;
  panel.backgroundShape = FolderTabShape{.rotated = true};
  return panel;
}

// A whole number as text, without a sign on zero.
std::string wholeNumber(double value) {
  if (value == 0) value = 0;  // -0 prints as "-0"
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.0f", value);
  return buffer;
}

}  // namespace

std::string percentText(double strength) { return wholeNumber(std::round(strength * 100)) + "%"; }

std::string pointsText(double thickness) { return wholeNumber(std::trunc(thickness)) + " pt"; }

ViewNode describeAppearanceEditor(MenuContent& content) {
  ViewNode tabs = hstack(4, {modeTab(content, "Codex", WindowMode::codex),
                             modeTab(content, "GPT", WindowMode::chatGPT)});
  tabs.fillsWidth = true;
  ViewNode editor = stack(ViewKind::verticalStack, 0, Alignment::center,
                          {std::move(tabs), settingsPanel(content)});
  editor.fillsWidth = true;
  return editor;
}

}  // namespace lumetta
