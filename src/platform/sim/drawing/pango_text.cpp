#include "platform/sim/drawing/pango_text.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

namespace lumetta::sim {

namespace {

// Inter stands in for the system font; DejaVu (always installed with the
// project) catches what it lacks.
constexpr const char* kSans = "Inter, DejaVu Sans";
constexpr const char* kMonospaced = "DejaVu Sans Mono";
// Wider than anything the simulated desktop shows, far inside Pango's int range.
constexpr double kWidestWrap = 100'000;

struct FontSpec {
  const char* family;
  double size;
  PangoWeight weight;
};

FontSpec fontOf(TextStyle style) {
  switch (style.font) {
    case FontRole::body: return {kSans, 13, PANGO_WEIGHT_NORMAL};
    case FontRole::headline: return {kSans, 13, PANGO_WEIGHT_BOLD};
    case FontRole::caption: return {kSans, 10, PANGO_WEIGHT_NORMAL};
    case FontRole::tab:
      return {kSans, 13, style.emphasized ? PANGO_WEIGHT_SEMIBOLD : PANGO_WEIGHT_MEDIUM};
    case FontRole::monospaced10: return {kMonospaced, 10, PANGO_WEIGHT_NORMAL};
  }
  return {kSans, 13, PANGO_WEIGHT_NORMAL};
}

}  // namespace

void GObjectRelease::operator()(void* object) const { g_object_unref(object); }

PangoText::PangoText()
    : context_(pango_font_map_create_context(pango_cairo_font_map_get_default())) {
  // Points are the layout's units; advances are neither hinted nor rounded to
  // whole units, so sizes do not depend on the scale a picture is drawn at.
  // Outlines are hinted only vertically, which keeps 1x text crisp and moves
  // nothing sideways.
  pango_cairo_context_set_resolution(context_.get(), 72);
  pango_context_set_round_glyph_positions(context_.get(), FALSE);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context_.get(), options);
  cairo_font_options_destroy(options);
}

LayoutPtr PangoText::layout(const std::string& text, TextStyle style,
                            std::optional<double> wrapWidth) const {
  LayoutPtr layout(pango_layout_new(context_.get()));
  const FontSpec spec = fontOf(style);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, spec.family);
  pango_font_description_set_weight(description, spec.weight);
  pango_font_description_set_absolute_size(description, spec.size * PANGO_SCALE);
  pango_layout_set_font_description(layout.get(), description);
  pango_font_description_free(description);
  if (style.monospacedDigits) {
    PangoAttrList* attributes = pango_attr_list_new();
    pango_attr_list_insert(attributes, pango_attr_font_features_new("tnum 1"));
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);
  }
  if (wrapWidth) {
    const double width = std::clamp(std::isnan(*wrapWidth) ? 0 : *wrapWidth, 1.0, kWidestWrap);
    pango_layout_set_width(layout.get(), int(std::floor(width * PANGO_SCALE)));
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
  }
  gchar* valid = g_utf8_make_valid(text.data(), gssize(text.size()));
  pango_layout_set_text(layout.get(), valid, -1);
  g_free(valid);
  return layout;
}

Size PangoText::sizeOf(PangoLayout* layout) {
  PangoRectangle logical;
  pango_layout_get_extents(layout, nullptr, &logical);
  return {double(logical.width) / PANGO_SCALE, double(logical.height) / PANGO_SCALE};
}

double PangoText::lineHeight(TextStyle style) const {
  return sizeOf(this->layout("X", style).get()).height;
}

void PangoText::show(cairo_t* cr, PangoLayout* layout) { pango_cairo_show_layout(cr, layout); }

}  // namespace lumetta::sim
