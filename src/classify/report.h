// The classification report that --classify prints, and the per-window
// summaries the tree capture and the validation monitor reuse.
#pragma once

#include <string>

#include "classify/mode_scan.h"
#include "platform/platform.h"

namespace lumetta {

inline constexpr Duration kDiagnosticMessagingTimeout = Duration::seconds(0.3);

// The lines describing one scan, joined by line feeds.
std::string modeSummary(const ModeScan& scan);

// Whether the application's focused and main windows are `window`: two lines.
std::string focusSummary(Accessibility& ax, const Element& application, const Element& window);

// The whole report, lines joined by line feeds without a trailing one.
std::string classificationSnapshot(const Platform& platform);

}  // namespace lumetta
