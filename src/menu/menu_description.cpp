// The popover's rows, top to bottom. Rows come and go with the state: the
// error line while a login-item failure is shown, the Accessibility set-up
// while the permission is missing, the diagnostics while expanded.
#include "menu/menu_description.h"
#include "menu/shown_text.h"
#include "menu/view_nodes.h"

namespace lumetta {

namespace {

using namespace nodes;

ViewNode header(MenuContent& content) {
  ViewNode row = hstack(10, {});
  if (content.logo()) {
    ViewNode logo;
    logo.content = kinds::Image{content.logo()};
    logo.width = 40;
    logo.height = 40;
    logo.accessibilityHidden = true;
    row.children.push_back(std::move(logo));
  }
  row.children.push_back(vstack(
      4, {text("Lumetta", FontRole::headline), caption("Choose an appearance for each mode.")}));
  row.children.push_back(spacer());
  return row;
}

ViewNode launchAtLogin(MenuContent& content) {
  ViewNode box;
  box.content = kinds::Checkbox{.on = content.launchAtLogin(), .onToggle = [&content](bool wanted) {
                                  content.setLaunchAtLogin(wanted);
                                }};
  box.text = "Launch at login";
  return vstack(
      5, {std::move(box), caption("Start Lumetta automatically when you sign in to your Mac.")});
}

void accessibilitySetUp(MenuContent& content, std::vector<ViewNode>& rows) {
  rows.push_back(caption("Setup: allow Accessibility to identify window modes."));
  rows.push_back(
      button("Set up Accessibility\u2026", [&content] { content.setUpAccessibility(); }));
  rows.push_back(caption(
      "Already enabled? Remove the old entry with \u2212, then add this copy with + and reopen "
      "Lumetta.",
      ColorRole::primary));
  rows.push_back(button("Show this copy in Finder", [&content] { content.showInFinder(); }));
}

ViewNode diagnostics(MenuContent& content) {
  ViewNode group;
  group.content = kinds::Disclosure{.on = content.details(), .onToggle = [&content](bool expanded) {
                                      content.setDetails(expanded);
                                    }};
  group.text = "Diagnostics";
  group.fillsWidth = true;
  if (!content.details()) return group;

  ViewNode summary;
  summary.content = kinds::ScrollText{};
  summary.text = shownText(content.overlays().summary());
  summary.font = FontRole::monospaced10;
  summary.height = 110;
  summary.fillsWidth = true;
  group.children = {
      caption("Lumetta requests renderer Accessibility automatically when ChatGPT starts.",
              ColorRole::primary),
      button("Copy diagnostics", [&content] { content.copyDiagnostics(); }), std::move(summary)};
  return group;
}

ViewNode footer(MenuContent& content) {
  ViewNode row = hstack(std::nullopt, {button("Refresh", [&content] { content.refresh(); }),
                                       spacer(), button("Quit", [&content] { content.quit(); })});
  return row;
}

}  // namespace

ViewNode describeMenu(MenuContent& content) {
  std::vector<ViewNode> rows;
  rows.push_back(header(content));
  rows.push_back(launchAtLogin(content));
  if (!content.error().empty()) {
    rows.push_back(caption(shownText(content.error()), ColorRole::red));
  }
  if (!content.overlays().permissionReady()) accessibilitySetUp(content, rows);
  rows.push_back(describeAppearanceEditor(content));
  ViewNode divider;
  divider.content = kinds::Divider{};
  divider.fillsWidth = true;
  rows.push_back(std::move(divider));
  rows.push_back(diagnostics(content));
  rows.push_back(footer(content));

  ViewNode root = vstack(14, std::move(rows));
  root.padding = Insets::all(16);
  root.width = kPopoverWidth;
  return root;
}

}  // namespace lumetta
