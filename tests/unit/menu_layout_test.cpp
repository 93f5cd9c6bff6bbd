// The layout engine against metrics with sizes simple enough to place by hand.
#include <gtest/gtest.h>

#include "menu/menu_layout.h"
#include "support/fake_view_metrics.h"

namespace lumetta {
namespace {

using testing::FakeViewMetrics;

ViewNode node(ViewKind kind, std::string text = "") {
  ViewNode n;
  n.content = contentOf(kind);
  n.text = std::move(text);
  return n;
}

ViewNode stack(ViewKind kind, std::optional<double> spacing, std::vector<ViewNode> children) {
  ViewNode n = node(kind);
  n.spacing = spacing;
  n.alignment = kind == ViewKind::horizontalStack ? Alignment::center : Alignment::leading;
  n.children = std::move(children);
  return n;
}

TEST(MenuLayout, VerticalStackPadsSpacesAndAlignsItsChildren) {
  FakeViewMetrics metrics;
  ViewNode divider = node(ViewKind::divider);
  ViewNode root = stack(ViewKind::verticalStack, 14,
                        {node(ViewKind::text, "abc"), node(ViewKind::button, "Go"), divider});
  root.padding = Insets::all(16);
  root.width = 340;
  EXPECT_EQ(layOut(root, metrics, 500), (Size{340, 16 + 12 + 14 + 20 + 14 + 1 + 16}));
  EXPECT_EQ(root.frame, (Rect{0, 0, 340, 93}));
  EXPECT_EQ(root.children[0].frame, (Rect{16, 16, 18, 12}));
  EXPECT_EQ(root.children[1].frame, (Rect{16, 42, 32, 20}));
  EXPECT_EQ(root.children[2].frame, (Rect{16, 76, 308, 1}));

  // Centred: each child in the middle of the width inside the padding.
  root.alignment = Alignment::center;
  layOut(root, metrics, 500);
  EXPECT_EQ(root.children[0].frame, (Rect{16 + (308 - 18) / 2.0, 16, 18, 12}));
}

TEST(MenuLayout, RowGivesFlexibleChildrenWhatTheRigidOnesLeave) {
  FakeViewMetrics metrics;
  // Label, slider, value in a fixed frame: the slider takes the rest.
  ViewNode value = node(ViewKind::text, "13%");
  value.width = 36;
  ViewNode row = stack(ViewKind::horizontalStack, std::nullopt,
                       {node(ViewKind::text, "Tint"), node(ViewKind::slider), value});
  EXPECT_EQ(layOut(row, metrics, 200), (Size{200, 20}));
  EXPECT_EQ(row.children[0].frame, (Rect{0, 4, 24, 12}));
  EXPECT_EQ(row.children[1].frame, (Rect{32, 0, 200 - 24 - 36 - 16, 20}));
  EXPECT_EQ(row.children[2].frame, (Rect{164, 4, 36, 12}));

  // Too narrow: the slider keeps its smallest useful width.
  layOut(row, metrics, 100);
  EXPECT_EQ(row.children[1].frame.width, 60);

  // Two stretching tabs share the row; a spacer pushes the last button to the end.
  ViewNode tab = node(ViewKind::tab, "Codex");
  tab.fillsWidth = true;
  tab.height = 38;
  ViewNode tabs = stack(ViewKind::horizontalStack, 4, {tab, tab});
  layOut(tabs, metrics, 308);
  EXPECT_EQ(tabs.children[0].frame, (Rect{0, 0, 152, 38}));
  EXPECT_EQ(tabs.children[1].frame, (Rect{156, 0, 152, 38}));
  ViewNode footer =
      stack(ViewKind::horizontalStack, std::nullopt,
            {node(ViewKind::button, "A"), node(ViewKind::spacer), node(ViewKind::button, "Quit")});
  layOut(footer, metrics, 300);
  EXPECT_EQ(footer.children[2].frame, (Rect{300 - 44, 0, 44, 20}));
}

TEST(MenuLayout, WrappingTextTakesTheWidthLeftAtItsIdealHeight) {
  FakeViewMetrics metrics;
  ViewNode image = node(ViewKind::image);
  image.width = 40;
  image.height = 40;
  ViewNode words = node(ViewKind::text, std::string(90, 'x'));  // 540 wide on one line
  words.as<kinds::Text>().wraps = true;
  ViewNode row = stack(ViewKind::horizontalStack, 10,
                       {image, stack(ViewKind::verticalStack, 4, {words}), node(ViewKind::spacer)});
  // 100 wide: 80 after the gaps, 40 of them after the image: 14 lines of 40.
  EXPECT_EQ(layOut(row, metrics, 100), (Size{100, 168}));
  EXPECT_EQ(row.children[0].frame, (Rect{0, 64, 40, 40}));
  EXPECT_EQ(row.children[1].children[0].frame, (Rect{50, 0, 40, 168}));

  // A text that does not wrap keeps one line, cut to the width.
  words.as<kinds::Text>().wraps = false;
  layOut(words, metrics, 100);
  EXPECT_EQ(words.frame, (Rect{0, 0, 100, 12}));
}

TEST(MenuLayout, DisclosureShowsItsChildrenOnlyWhileExpanded) {
  FakeViewMetrics metrics;
  ViewNode scroll = node(ViewKind::scrollText, "summary");
  scroll.height = 110;
  scroll.fillsWidth = true;
  ViewNode group = node(ViewKind::disclosure, "Diagnostics");
  group.fillsWidth = true;
  group.children = {node(ViewKind::button, "Copy"), scroll};
  ViewNode root = stack(ViewKind::verticalStack, 14, {group, node(ViewKind::button, "Quit")});

  layOut(root, metrics, 300);
  EXPECT_EQ(root.children[0].frame, (Rect{0, 0, 300, 20}));
  EXPECT_EQ(root.children[1].frame.y, 34);

  root.children[0].as<kinds::Disclosure>().on = true;
  layOut(root, metrics, 300);
  const ViewNode& open = root.children[0];
  EXPECT_EQ(open.frame, (Rect{0, 0, 300, 20 + 8 + 20 + 8 + 110}));
  EXPECT_EQ(open.children[0].frame, (Rect{0, 28, 44, 20}));
  EXPECT_EQ(open.children[1].frame, (Rect{0, 56, 300, 110}));
  EXPECT_EQ(root.children[1].frame.y, 166 + 14);
}

TEST(MenuLayout, PaddedFixedNodesKeepTheirFrame) {
  FakeViewMetrics metrics;
  ViewNode swatch = node(ViewKind::swatch);
  swatch.padding = Insets::all(4);
  ViewNode well = node(ViewKind::colorButton, "Choose\u2026");  // 7 characters
  ViewNode row = stack(ViewKind::horizontalStack, 6, {swatch, well});
  row.padding = Insets::all(12);
  EXPECT_EQ(layOut(row, metrics, 300), (Size{12 + 30 + 6 + 22 + 6 + 42 + 12, 30 + 24}));
  EXPECT_EQ(row.children[0].frame, (Rect{12, 12, 30, 30}));
  EXPECT_EQ(row.children[1].frame, (Rect{48, 12 + 7, 70, 16}));
}

ViewNode caption(std::string words) {
  ViewNode n = node(ViewKind::text, std::move(words));
  n.as<kinds::Text>().wraps = true;
  return n;
}

// A tree shaped like the popover: a header, a checkbox with its caption, the
// appearance editor (two tabs over a panel of a switch, a segmented control,
// the colour rows and a slider row), a divider, the collapsed diagnostics and
// the footer. 37 nodes; 11 measured by their text (8 texts, 4 of them
// wrapping captions, the tabs and the colour button) and 7 controls.
ViewNode popoverShaped() {
  const auto row = [](std::optional<double> spacing, std::vector<ViewNode> children) {
    return stack(ViewKind::horizontalStack, spacing, std::move(children));
  };
  const auto column = [](std::optional<double> spacing, std::vector<ViewNode> children) {
    return stack(ViewKind::verticalStack, spacing, std::move(children));
  };
  const auto filling = [](ViewNode n) {
    n.fillsWidth = true;
    return n;
  };
  ViewNode tab = filling(node(ViewKind::tab, "Codex"));
  tab.height = 38;
  ViewNode swatch = node(ViewKind::swatch);
  swatch.padding = Insets::all(4);
  ViewNode value = node(ViewKind::text, "13%");
  value.width = 36;
  ViewNode panel = filling(column(
      14,
      {node(ViewKind::toggleSwitch, "Enabled"), node(ViewKind::segmented, "Style"),
       column(8, {node(ViewKind::text, "Color"),
                  row(10, {caption("Choose a starter color"), row(6, {swatch, swatch, swatch})}),
                  row(10, {caption("Or choose your own"),
                           node(ViewKind::colorButton, "Choose\u2026")})}),
       row(std::nullopt, {node(ViewKind::text, "Tint"), node(ViewKind::slider), value})}));
  panel.padding = Insets::all(12);
  ViewNode root = column(
      14, {row(10, {column(4, {node(ViewKind::text, "Lumetta"),
                               caption("Choose an appearance for each mode.")}),
                    node(ViewKind::spacer)}),
           column(5, {node(ViewKind::checkbox, "Launch at login"),
                      caption("Start Lumetta automatically when you sign in to your Mac.")}),
           filling(column(0, {filling(row(4, {tab, tab})), panel})),
           filling(node(ViewKind::divider)), filling(node(ViewKind::disclosure, "Diagnostics")),
           row(std::nullopt, {node(ViewKind::button, "Refresh"), node(ViewKind::spacer),
                              node(ViewKind::button, "Quit")})});
  root.padding = Insets::all(16);
  root.width = 340;
  return root;
}

std::size_t nodeCount(const ViewNode& root) {
  std::size_t count = 1;
  for (const ViewNode& child : root.children) count += nodeCount(child);
  return count;
}

TEST(MenuLayout, MeasuresEachTextAndControlOncePerWidthItIsOffered) {
  ViewNode tree = popoverShaped();
  ASSERT_EQ(nodeCount(tree), 37U);
  FakeViewMetrics metrics;
  ViewNode shallow = tree;
  layOut(shallow, metrics, 340);
  EXPECT_EQ(metrics.controlMeasurements, 7);
  // 11 texts, the 4 captions among them measured again for each other width
  // a row offers them: what the other children leave, and their own width.
  EXPECT_LE(metrics.textMeasurements, 11 + 2 * 4);

  // Every row it is nested in adds its own text and nothing else.
  for (int depth = 1; depth <= 4; ++depth) {
    tree = stack(ViewKind::horizontalStack, 8, {node(ViewKind::text, "x"), tree});
    FakeViewMetrics nested;
    ViewNode deep = tree;
    layOut(deep, nested, 400);
    EXPECT_EQ(nested.controlMeasurements, 7) << "nested " << depth << " deep";
    EXPECT_EQ(nested.textMeasurements, metrics.textMeasurements + depth)
        << "nested " << depth << " deep";
  }
}

}  // namespace
}  // namespace lumetta
