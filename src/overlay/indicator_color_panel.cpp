#include "overlay/indicator_color_panel.h"

namespace lumetta {

void IndicatorColorPanel::show(const Color& color) {
  panel_.show(color, [target = weak_.handle()](const PlatformColor& picked) {
    if (IndicatorColorPanel* self = target.get()) self->colorChanged(picked);
  });
}

void IndicatorColorPanel::colorChanged(const PlatformColor& color) {
  const auto srgb = color.srgb();
  if (srgb && onChange) onChange(*srgb);
}

}  // namespace lumetta
