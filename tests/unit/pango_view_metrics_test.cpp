// The simulated desktop measures real text: wrapping, weights, tabular digits,
// and controls sized around their titles.
#include <gtest/gtest.h>

#include "platform/sim/drawing/pango_view_metrics.h"
#include "support/painted.h"

namespace {

using lumetta::FontRole;
using lumetta::Size;
using lumetta::ViewKind;
using lumetta::sim::PangoViewMetrics;
using lumetta::testing::viewNode;
namespace kinds = lumetta::kinds;

const std::string kSentence = "Start Lumetta automatically when you sign in to your Mac.";

TEST(PangoViewMetrics, WrappedTextStaysWithinItsWidthAndGrowsByWholeLines) {
  PangoViewMetrics metrics;
  const Size line = metrics.textSize(kSentence, FontRole::caption, false, std::nullopt);
  const Size wrapped = metrics.textSize(kSentence, FontRole::caption, false, 120);
  EXPECT_GT(line.width, 200);
  EXPECT_LE(wrapped.width, 120);
  EXPECT_GE(wrapped.height, 2.9 * line.height);
  // A width wider than the text leaves it on one line; an absurd one is survived.
  EXPECT_EQ(metrics.textSize(kSentence, FontRole::caption, false, 1000), line);
  EXPECT_GT(metrics.textSize(kSentence, FontRole::caption, false, -5).height, wrapped.height);
  EXPECT_GT(metrics.textSize(kSentence, FontRole::caption, false, 1e300).width, 0);
}

TEST(PangoViewMetrics, FontRolesDifferInSizeAndWeight) {
  PangoViewMetrics metrics;
  auto size = [&](FontRole role) { return metrics.textSize("Lumetta", role, false, std::nullopt); };
  const Size body = size(FontRole::body), caption = size(FontRole::caption);
  EXPECT_GT(body.height, 13);
  EXPECT_LT(body.height, 19);
  EXPECT_LT(caption.height, body.height);
  EXPECT_LT(caption.width, body.width);
  EXPECT_GT(size(FontRole::headline).width, body.width);
  EXPECT_GT(size(FontRole::tab).width, body.width);
  // The monospaced role gives every character one advance.
  EXPECT_EQ(metrics.textSize("iiii", FontRole::monospaced10, false, std::nullopt).width,
            metrics.textSize("WWWW", FontRole::monospaced10, false, std::nullopt).width);
}

TEST(PangoViewMetrics, MonospacedDigitsKeepAValueLabelFromJiggling) {
  PangoViewMetrics metrics;
  auto width = [&](const char* text, bool monospaced) {
    return metrics.textSize(text, FontRole::body, monospaced, std::nullopt).width;
  };
  EXPECT_NE(width("11 %", false), width("88 %", false));
  EXPECT_DOUBLE_EQ(width("11 %", true), width("88 %", true));
  EXPECT_DOUBLE_EQ(width("10 pt", true), width("16 pt", true));
}

TEST(PangoViewMetrics, InvalidUtf8IsMeasuredWithReplacementCharacters) {
  PangoViewMetrics metrics;
  const Size broken = metrics.textSize("ab\xff\xfe", FontRole::body, false, std::nullopt);
  EXPECT_GT(broken.width, metrics.textSize("ab", FontRole::body, false, std::nullopt).width);
}

TEST(PangoViewMetrics, ControlsAreSizedAroundTheirTitles) {
  PangoViewMetrics metrics;
  auto node = viewNode(ViewKind::button, {}, "Copy diagnostics");
  const Size title = metrics.textSize(node.text, FontRole::body, false, std::nullopt);
  const Size button = metrics.controlSize(node);
  EXPECT_DOUBLE_EQ(button.width, title.width + 24);
  EXPECT_EQ(button.height, 22);
  node.as<kinds::Button>().plain = true;
  EXPECT_EQ(metrics.controlSize(node), title);

  for (ViewKind kind : {ViewKind::checkbox, ViewKind::toggleSwitch, ViewKind::disclosure}) {
    node.content = contentOf(kind);
    const Size control = metrics.controlSize(node);
    EXPECT_GT(control.width, title.width + 10) << int(kind);
    EXPECT_GE(control.height, title.height) << int(kind);
    node.text.clear();
    EXPECT_LT(metrics.controlSize(node).width, 40) << int(kind);
    node.text = "Copy diagnostics";
  }

  auto segmented = viewNode(ViewKind::segmented, {}, "Style");
  std::vector<std::string>& segments = segmented.as<kinds::Segmented>().segments;
  segments = {"Top Bar", "Border"};
  const Size two = metrics.controlSize(segmented);
  segments.emplace_back("Glow");
  EXPECT_GT(metrics.controlSize(segmented).width, two.width + 40);
  EXPECT_EQ(two.height, 22);

  EXPECT_GE(metrics.controlSize(viewNode(ViewKind::slider, {})).width, 60);
  EXPECT_EQ(metrics.controlSize(viewNode(ViewKind::swatch, {})), (Size{22, 22}));
}

}  // namespace
