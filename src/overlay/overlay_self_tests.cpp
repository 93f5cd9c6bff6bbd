// The built-in checks of the overlay panel and of the colour layer's corners,
// run by --self-test.
#include "overlay/self_tests.h"

#include <string>

#include "overlay/passive_panel.h"
#include "support/check.h"
#include "support/output.h"

namespace lumetta {

bool panelSelfTest(std::ostream& out, Panels& panels) {
  auto panel = makePassivePanel(panels);
  const PanelConfiguration& c = panel->window().configuration();
  const bool passed = c.clickThrough && c.transparent && c.shadowless && c.nonActivating;
  panel->window().close();
  printLine(
      out, std::string(passed ? "PASS" : "FAIL") + " non-interactive translucent panel properties");
  return passed;
}

bool overlayCornerSelfTest(std::ostream& out, Panels& panels) {
  SelfCheck check(out);
  for (int scale : {1, 2}) {
    for (int width : {2, 6, 16}) {
      for (bool topBar : {true, false}) {
        ColorLayer layer;
        layer.setStyle(topBar ? OverlayStyle::topBar : OverlayStyle::border);
        layer.setBorderWidth(width);
        layer.setStrength(0.25);
        layer.setVisibleRegions({{0, 0, 120, 80}});
        const int w = 120 * scale, h = 80 * scale, s = scale;
        Bitmap bitmap = panels.renderBitmap(w, h, scale, [&](Canvas& canvas) {
          layer.draw(canvas, {120, 80});
        });

        const bool cornersClear = bitmap.alphaAt(s, 6 * s) < 0.01 &&
                                  bitmap.alphaAt(w - 1 - s, 6 * s) < 0.01 &&
                                  bitmap.alphaAt(s, h - 1 - 6 * s) < 0.01 &&
                                  bitmap.alphaAt(w - 1 - s, h - 1 - 6 * s) < 0.01;
        const bool reachesEdge =
            bitmap.alphaAt(60 * s, 0) > 0.05 || bitmap.alphaAt(60 * s, 79 * s) > 0.05;
        check.expect(std::string(topBar ? "Top Bar" : "Border") + " corner clipping, " +
                         std::to_string(width) + "pt, " + std::to_string(scale) + "x",
                     cornersClear && reachesEdge);
      }
    }
  }
  return check.passed();
}

}  // namespace lumetta
