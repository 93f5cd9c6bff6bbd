// The recorder's view of the accessibility trees: every element it has met,
// numbered, with what it last read of each. Reads go through the seam only,
// one round trip per element, and never ask for AXValue; texts the program
// does not decide by are replaced, as they arrive, by placeholders of the
// same length. Walks follow the mode scan's and the tree capture's orders
// within limits at least as large as theirs, so a replay reaches every
// element they reach.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classify/mode_scan.h"
#include "platform/platform.h"
#include "record/recorded_element.h"

namespace lumetta {

struct RecordLimits {
  std::size_t scanElements = kScanQueueLimit;  // per window, in the scan's order
  int captureDepth = 30;                       // per window, in the capture's order
  std::size_t captureElements = 500;
  Duration walkTime = Duration::seconds(10);  // per window or subtree walk
  std::size_t totalElements = 200'000;
};

// Every attribute any part of the program reads; nothing else is read.
inline constexpr std::string_view kRecordedAttributes[] = {
    "AXRole",          "AXSubrole",  "AXTitle",   "AXDescription",   "AXIdentifier",
    "AXDOMIdentifier", "AXHelp",     "AXURL",     "AXDocument",      "AXPosition",
    "AXSize",          "AXFocused",  "AXMain",    "AXMinimized",     "AXFullScreen",
    "AXChildren",      "AXContents", "AXToolbar", "AXCloseButton",   "AXMinimizeButton",
    "AXZoomButton",    "AXParent",   "AXWindows", "AXFocusedWindow", "AXMainWindow"};

// The messaging timeout the recorder sets on every application it reads.
inline constexpr Duration kRecordMessagingTimeout = Duration::milliseconds(300);

// A text of the same length (in characters) that says nothing.
std::string placeholder(std::string_view text);

class ElementStore {
 public:
  ElementStore(Accessibility& ax, Clock& clock, RecordLimits limits);

  // The application element of `pid`, met now or before; a launched
  // application is a new one even where the platform finds it equal to an
  // earlier process with the same pid.
  ElementIndex application(Pid pid, bool launched = false);
  std::optional<ElementIndex> find(const Element& element) const;
  const Element& handle(ElementIndex index) const { return handles_[index]; }
  const RecordedElement& operator[](ElementIndex index) const { return elements_[index]; }
  RecordedElement& operator[](ElementIndex index) { return elements_[index]; }
  std::size_t size() const { return elements_.size(); }

  // A pass reads each element at most once; what it changes is kept as it
  // was before the pass, for elements already written (see `written`).
  void beginPass();
  const std::map<ElementIndex, RecordedElement>& before() const { return before_; }

  // One round trip: the recorded attributes, and the names of windows.
  void read(ElementIndex index);
  // The application element, then each of its windows in both walk orders.
  void walkApplication(ElementIndex root);
  // The element and what lies below it, in the scan's order.
  void walkSubtree(ElementIndex root);
  // The element's chain of AXParent upwards to an element already met.
  std::optional<ElementIndex> locate(const Element& element);
  // Elements that only attribute values reach are read and attached to their
  // application element.
  void attachStrays();
  // Elements reachable from the application elements through children.
  std::vector<bool> reachable(const std::vector<ElementIndex>& roots) const;
  // The elements that hold `index` among their children.
  std::vector<ElementIndex> parentsOf(ElementIndex index) const;

  // Elements the recording file defines from now on.
  void markWritten(ElementIndex index) { written_.at(index) = true; }
  bool written(ElementIndex index) const { return written_[index]; }

  // The shortest round trip seen in the application, rounded to microseconds.
  std::optional<Duration> latency(ElementIndex root) const;
  const std::vector<std::string>& notes() const { return notes_; }

 private:
  ElementIndex add(const Element& element, ElementIndex root);
  void keepBefore(ElementIndex index);
  RecordedValue convert(const Value& value, ElementIndex root, bool keepText);
  void scanWalk(ElementIndex window);
  void captureWalk(ElementIndex element, int depth, std::vector<bool>& visited, std::size_t& nodes,
                   Uptime deadline);
  bool spent();
  void note(std::string text);

  Accessibility& ax_;
  Clock& clock_;
  const RecordLimits limits_;
  std::vector<Element> handles_;
  std::vector<RecordedElement> elements_;
  std::vector<bool> readThisPass_;
  std::vector<bool> written_;
  std::unordered_map<Element, ElementIndex, ElementHash> indices_;
  std::map<ElementIndex, RecordedElement> before_;
  std::map<ElementIndex, Duration> latency_;
  std::size_t elementsRead_ = 0;
  std::vector<std::string> notes_;
};

}  // namespace lumetta
