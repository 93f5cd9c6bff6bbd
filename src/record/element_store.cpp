#include "record/element_store.h"

#include <algorithm>
#include <cmath>

namespace lumetta {

namespace {

constexpr std::size_t kMaximumNotes = 20;
constexpr int kMaximumParentSteps = 64;

bool oneOf(std::string_view text, std::initializer_list<std::string_view> candidates) {
  return std::find(candidates.begin(), candidates.end(), text) != candidates.end();
}

std::string elementName(ElementIndex index) { return "e" + std::to_string(index); }

}  // namespace

std::optional<std::vector<ElementIndex>> linksIn(const AttributeRecord& record) {
  const auto* array = record.value ? std::get_if<RecordedArray>(&record.value->storage) : nullptr;
  if (record.error != axerr::success || !array) return std::nullopt;
  std::vector<ElementIndex> links;
  for (const RecordedValue& member : *array) {
    const auto* link = std::get_if<ElementLink>(&member.storage);
    if (!link) return std::nullopt;
    links.push_back(link->index);
  }
  return links;
}

std::string placeholder(std::string_view text) {
  // One "x" for each character: count the bytes that start a UTF-8 sequence.
  const auto length = std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  return std::string(static_cast<std::size_t>(length), 'x');
}

ElementStore::ElementStore(Accessibility& ax, Clock& clock, RecordLimits limits)
    : ax_(ax), clock_(clock), limits_(limits) {}

ElementIndex ElementStore::add(const Element& element, ElementIndex root) {
  const ElementIndex index = elements_.size();
  handles_.push_back(element);
  elements_.push_back(RecordedElement{});
  elements_.back().applicationRoot = root;
  readThisPass_.push_back(false);
  written_.push_back(false);
  indices_.emplace(element, index);
  return index;
}

ElementIndex ElementStore::application(Pid pid, bool launched) {
  Element element = ax_.applicationElement(pid);
  if (launched) indices_.erase(element);
  if (auto known = find(element)) return *known;
  // Elements read through the application element carry its timeout, so one
  // hung element costs the recording at most this long.
  ax_.setMessagingTimeout(element, kRecordMessagingTimeout);
  const ElementIndex index = add(element, elements_.size());
  elements_[index].application = true;
  return index;
}

std::optional<ElementIndex> ElementStore::find(const Element& element) const {
  auto it = indices_.find(element);
  if (it == indices_.end()) return std::nullopt;
  return it->second;
}

void ElementStore::beginPass() {
  std::fill(readThisPass_.begin(), readThisPass_.end(), false);
  before_.clear();
}

RecordedValue ElementStore::convert(const Value& value, ElementIndex root, bool keepText) {
  return std::visit(
      [&](const auto& v) -> RecordedValue {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Element>) {
          auto known = find(v);
          return {ElementLink{known ? *known : add(v, root)}};
        } else if constexpr (std::is_same_v<T, ValueArray>) {
          RecordedArray array;
          for (const Value& member : v) array.push_back(convert(member, root, keepText));
          return {std::move(array)};
        } else if constexpr (std::is_same_v<T, std::string>) {
          return {keepText ? v : placeholder(v)};
        } else if constexpr (std::is_same_v<T, Url>) {
          return {keepText ? v : Url{placeholder(v.absolute)}};
        } else if constexpr (std::is_same_v<T, Other>) {
          return {keepText ? v : Other{placeholder(v.description)}};
        } else {
          return {v};
        }
      },
      value.storage);
}

void ElementStore::keepBefore(ElementIndex index) {
  if (written_[index] && !before_.count(index)) before_.emplace(index, elements_[index]);
}

void ElementStore::read(ElementIndex index) {
  if (readThisPass_[index] || spent()) return;
  readThisPass_[index] = true;
  ++elementsRead_;
  keepBefore(index);

  const Uptime began = clock_.uptime();
  const auto results = ax_.copyAttributeValues(handles_[index], kRecordedAttributes);
  const Duration elapsed = clock_.uptime() - began;
  const ElementIndex root = elements_[index].applicationRoot;
  const bool timedOut = std::all_of(results.begin(), results.end(), [](const ReadResult& r) {
    return r.error == axerr::cannotComplete;
  });
  if (timedOut && elapsed >= kRecordMessagingTimeout * 0.9) {
    // A hung element: every request waits out the timeout; keep what was known.
    elements_[index].hung = true;
    elements_[index].read = true;
    return;
  }
  if (!timedOut) {
    auto [it, inserted] = latency_.emplace(root, elapsed);
    if (!inserted) it->second = std::min(it->second, elapsed);
  }

  // Texts are kept only where the program decides by them: roles and
  // subroles, the labels of buttons and pop-up buttons, window titles.
  const std::string role = textOf(results[0]);
  const bool button = role == "AXButton" || role == "AXPopUpButton";
  const bool application = elements_[index].application;
  AttributeRecords records;
  for (std::size_t i = 0; i < results.size(); ++i) {
    const std::string_view name = kRecordedAttributes[i];
    const ReadResult& result = results[i];
    // Unsupported is what an attribute the file leaves out reads as.
    const bool implied = name != "AXChildren" && !(application && name == "AXWindows");
    if (implied && result.error == axerr::attributeUnsupported && !result.value) continue;
    const bool keep = oneOf(name, {"AXRole", "AXSubrole"}) ||
                      (name == "AXTitle" && (button || role == "AXWindow")) ||
                      (name == "AXDescription" && button);
    AttributeRecord record{std::nullopt, result.error};
    if (result.value) record.value = convert(*result.value, root, keep);
    records.emplace(std::string(name), std::move(record));
  }
  RecordedElement& element = elements_[index];
  element.children = linksIn(records["AXChildren"]).value_or(std::vector<ElementIndex>{});
  element.attributes = std::move(records);
  element.hung = false;
  element.read = true;
}

void ElementStore::walkApplication(ElementIndex root) {
  read(root);
  if (elements_[root].hung) return;
  auto windows = elements_[root].attributes.count("AXWindows")
                     ? linksIn(elements_[root].attributes.at("AXWindows"))
                     : std::nullopt;
  for (ElementIndex window : windows.value_or(std::vector<ElementIndex>{})) {
    scanWalk(window);
    std::vector<bool> visited;
    std::size_t nodes = 0;
    captureWalk(window, 0, visited, nodes, clock_.uptime() + limits_.walkTime);
    if (elements_[window].names || elements_[window].hung || !elements_[window].read) continue;
    // The capture lists a window's attribute names.
    ReadResult names = ax_.copyAttributeNames(handles_[window]);
    const auto* list = names.value ? names.value->get<ValueArray>() : nullptr;
    std::vector<std::string> texts;
    for (std::size_t i = 0; list && i < list->size(); ++i) {
      if (const auto* text = (*list)[i].get<std::string>()) texts.push_back(*text);
    }
    elements_[window].names = std::move(texts);
  }
}

void ElementStore::walkSubtree(ElementIndex root) { scanWalk(root); }

void ElementStore::scanWalk(ElementIndex window) {
  const Uptime deadline = clock_.uptime() + limits_.walkTime;
  std::vector<ElementIndex> queue{window};
  std::vector<bool> seen;
  std::size_t count = 0;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    const ElementIndex element = queue[i];
    if (element >= seen.size()) seen.resize(elements_.size());
    if (seen[element]) continue;
    if (count == limits_.scanElements || clock_.uptime() > deadline) {
      note("the walk below " + elementName(window) + " stopped after " + std::to_string(count) +
           " elements" + (count == limits_.scanElements ? "" : " (time limit)"));
      return;
    }
    seen[element] = true;
    ++count;
    read(element);
    const std::vector<ElementIndex> children = elements_[element].children;
    queue.insert(queue.end(), children.begin(), children.end());
  }
}

void ElementStore::captureWalk(ElementIndex element, int depth, std::vector<bool>& visited,
                               std::size_t& nodes, Uptime deadline) {
  if (nodes >= limits_.captureElements || clock_.uptime() > deadline) return;
  if (element >= visited.size()) visited.resize(elements_.size());
  if (visited[element]) return;
  visited[element] = true;
  ++nodes;
  read(element);
  if (depth >= limits_.captureDepth) return;
  const std::vector<ElementIndex> children = elements_[element].children;
  for (ElementIndex child : children) {
    if (nodes >= limits_.captureElements) break;
    captureWalk(child, depth + 1, visited, nodes, deadline);
  }
}

std::optional<ElementIndex> ElementStore::locate(const Element& element) {
  Element current = element;
  for (int step = 0; step < kMaximumParentSteps; ++step) {
    if (auto known = find(current)) return known;
    ReadResult parent = ax_.copyAttributeValue(current, "AXParent");
    const Element* next = parent.value ? parent.value->get<Element>() : nullptr;
    if (parent.error != axerr::success || !next) return std::nullopt;
    current = *next;
  }
  return std::nullopt;
}

std::vector<bool> ElementStore::reachable(const std::vector<ElementIndex>& roots) const {
  std::vector<bool> reached(elements_.size(), false);
  std::vector<ElementIndex> stack(roots.begin(), roots.end());
  while (!stack.empty()) {
    const ElementIndex index = stack.back();
    stack.pop_back();
    if (reached[index]) continue;
    reached[index] = true;
    const RecordedElement& element = elements_[index];
    stack.insert(stack.end(), element.children.begin(), element.children.end());
    stack.insert(stack.end(), element.attached.begin(), element.attached.end());
  }
  return reached;
}

void ElementStore::attachStrays() {
  std::vector<ElementIndex> roots;
  for (ElementIndex i = 0; i < elements_.size(); ++i) {
    if (elements_[i].application) roots.push_back(i);
  }
  for (;;) {
    const std::vector<bool> reached = reachable(roots);
    std::vector<ElementIndex> strays;
    for (ElementIndex i = 0; i < reached.size(); ++i) {
      if (!reached[i] && !written_[i]) strays.push_back(i);
    }
    if (strays.empty()) return;
    for (ElementIndex stray : strays) {
      read(stray);
      const ElementIndex root = elements_[stray].applicationRoot;
      keepBefore(root);
      elements_[root].attached.push_back(stray);
    }
  }
}

std::vector<ElementIndex> ElementStore::parentsOf(ElementIndex index) const {
  std::vector<ElementIndex> parents;
  for (ElementIndex i = 0; i < elements_.size(); ++i) {
    const auto& children = elements_[i].children;
    if (std::find(children.begin(), children.end(), index) != children.end()) parents.push_back(i);
  }
  return parents;
}

std::optional<Duration> ElementStore::latency(ElementIndex root) const {
  auto it = latency_.find(root);
  if (it == latency_.end()) return std::nullopt;
  const double microseconds = std::round(it->second.inSeconds() * 1e6);
  if (microseconds <= 0) return std::nullopt;
  return Duration::seconds(microseconds / 1e6);
}

bool ElementStore::spent() {
  if (elementsRead_ < limits_.totalElements) return false;
  note("the recording stopped reading after " + std::to_string(elementsRead_) + " elements");
  return true;
}

void ElementStore::note(std::string text) {
  if (notes_.size() < kMaximumNotes &&
      std::find(notes_.begin(), notes_.end(), text) == notes_.end()) {
    notes_.push_back(std::move(text));
  }
}

}  // namespace lumetta
