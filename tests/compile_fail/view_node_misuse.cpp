// A view node holds only its own kind's value and action: giving one the
// data of another kind must not compile. Built once as is (which must
// succeed) and once per MISUSE value (each of which must fail).
#include "platform/view_tree.h"

namespace lumetta {

void correctUse() {
  ViewNode slider;
  slider.content = kinds::Slider{.value = 0.2, .range = {0, 1, 0}, .onSlide = [](double) {}};
  slider.as<kinds::Slider>().value = 0.3;
#if MISUSE == 1  // a slider with segments
  slider.as<kinds::Slider>().segments = {"Top Bar", "Border"};
#elif MISUSE == 2  // a text that can be pressed
  ViewNode text;
  text.content = kinds::Text{.wraps = true, .onPress = [] {}};
#elif MISUSE == 3  // a kind's value set on any node
  slider.value = 0.3;
#endif
}

}  // namespace lumetta
