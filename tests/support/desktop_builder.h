// The one way tests and benchmarks build a simulated desktop: a typed
// DesktopModel made by fluent calls, as the desktop loader makes it from a
// file that says the same (element ids, attribute names in the order given,
// applications numbered in the order made, the timeline sorted by time, then
// by the order of the calls). What tests keep needing is one call each: an
// application, a window with its toolbar, mode button and web area in a
// mode, a window-server entry, a timeline event. Where a file's text is what
// a test checks (the loader, the format, end-to-end cases) tests keep the text.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/sim/desktop/desktop_model.h"
#include "support/text_format.h"

namespace lumetta::testing {

// What a mode button says in `mode` ("ChatGPT", "Codex").
inline std::string modeLabel(std::string_view mode) {
  return "Switch mode, current mode: " + std::string(mode);
}

// A window-server entry as the file's shorthand {"number", "pid", "layer",
// "bounds"} makes it.
inline RawValue serverWindow(std::int64_t number, Pid pid, ServerRect bounds,
                             std::int64_t layer = 0) {
  return RawValue{
      RawDictionary{{"kCGWindowNumber", RawValue{number}},
                    {"kCGWindowOwnerPID", RawValue{std::int64_t{pid}}},
                    {"kCGWindowLayer", RawValue{layer}},
                    {"kCGWindowBounds", RawValue{RawDictionary{{"X", {bounds.x}},
                                                               {"Y", {bounds.y}},
                                                               {"Width", {bounds.width}},
                                                               {"Height", {bounds.height}}}}}}};
}

inline sim::SimValue textValue(std::string text) { return sim::SimValue{std::move(text)}; }

// A reference to the element with the file id `id`.
inline sim::SimValue refValue(std::string id) {
  return sim::SimValue{sim::NodeRef{sim::kNoNode, std::move(id)}};
}

// An array of references to the elements with these file ids (AXWindows).
inline sim::SimValue refsValue(std::initializer_list<const char*> ids) {
  sim::SimArray refs;
  for (const char* id : ids) refs.push_back(refValue(id));
  return sim::SimValue{std::move(refs)};
}

class DesktopBuilder;

// An element of the desktop being built; its setters return it. Made by
// Moment::children, it stands for the element's new list of children at
// that moment instead: `child` and `ref` then fill that list.
class ElementBuilder {
 public:
  ElementBuilder(DesktopBuilder& desktop, sim::NodeId node,
                 std::optional<std::size_t> event = std::nullopt)
      : desktop_(&desktop), node_(node), event_(event) {}

  sim::NodeId node() const { return node_; }
  sim::SimNode& model() const;

  ElementBuilder& id(std::string id);
  ElementBuilder& attr(const std::string& name, sim::StoredValue value) {
    model().attributes[name] = std::move(value);
    model().addName(name);
    return *this;
  }
  ElementBuilder& text(const std::string& name, std::string value) {
    return attr(name, textValue(std::move(value)));
  }
  ElementBuilder& subrole(std::string value) { return text("AXSubrole", std::move(value)); }
  ElementBuilder& title(std::string value) { return text("AXTitle", std::move(value)); }
  ElementBuilder& description(std::string value) { return text("AXDescription", std::move(value)); }
  ElementBuilder& frame(ServerRect r) {
    attr("AXPosition", sim::SimValue{Point{r.x, r.y}});
    return attr("AXSize", sim::SimValue{Size{r.width, r.height}});
  }
  ElementBuilder& windowNumber(std::int64_t number) {
    model().windowNumber = number;
    return *this;
  }
  ElementBuilder& error(const std::string& name, AXError code) {
    model().errors[name] = code;
    model().addName(name);
    return *this;
  }
  ElementBuilder& hung(bool hung = true) {
    model().hung = hung;
    return *this;
  }
  ElementBuilder& notificationError(const std::string& name, AXError code) {
    model().notificationErrors[name] = code;
    return *this;
  }

  // A new child of the role given, returned.
  ElementBuilder child(const std::string& role, std::string id = {});
  // A new element of this one's application that is nobody's child yet (a
  // test or the timeline makes it one), returned.
  ElementBuilder spare(const std::string& role, std::string id = {});
  // The element with the file id `id` as a further child (made before or after).
  ElementBuilder& ref(std::string id) {
    children().push_back({sim::kNoNode, std::move(id)});
    return *this;
  }
  // A mode button: a pop-up button whose title and description name `mode`.
  ElementBuilder button(std::string_view mode, std::string id = {}) {
    ElementBuilder made = child("AXPopUpButton", std::move(id));
    made.title(modeLabel(mode)).description(modeLabel(mode));
    return made;
  }
  // A standard window `w<n>` of window-server window `number` in `mode`: a
  // toolbar `tb<n>` 52 points high along its top, a mode button `b<n>` and a
  // web area `a<n>` (no ids when `n` is empty). Returns the window.
  ElementBuilder window(const std::string& n, std::string_view mode, ServerRect frame,
                        std::optional<std::int64_t> number = std::nullopt) {
    return fillWindow(child("AXWindow"), n, mode, frame, number);
  }
  // The same window, nobody's child yet.
  ElementBuilder spareWindow(const std::string& n, std::string_view mode, ServerRect frame,
                             std::optional<std::int64_t> number = std::nullopt) {
    return fillWindow(spare("AXWindow"), n, mode, frame, number);
  }

 protected:
  std::vector<sim::NodeRef>& children();
  static ElementBuilder fillWindow(ElementBuilder made, const std::string& n, std::string_view mode,
                                   ServerRect frame, std::optional<std::int64_t> number) {
    const auto named = [&](const char* prefix) { return n.empty() ? n : prefix + n; };
    if (!n.empty()) made.id("w" + n);
    made.subrole("AXStandardWindow").frame(frame);
    if (number) made.windowNumber(*number);
    made.child("AXToolbar", named("tb")).frame({frame.x, frame.y, frame.width, 52});
    made.button(mode, named("b"));
    made.child("AXWebArea", named("a"));
    return made;
  }

  DesktopBuilder* desktop_;
  sim::NodeId node_;
  std::optional<std::size_t> event_;  // the timeline event whose children these are
};

// An application, running at start or launched by a timeline event; as an
// element, its application element (role AXApplication).
class AppBuilder : public ElementBuilder {
 public:
  // Where the application is kept: among those running at start, in a launch
  // event, or among the spare ones.
  enum class Kept { running, launch, spare };
  AppBuilder(DesktopBuilder& desktop, sim::NodeId root, Kept kept, std::size_t index)
      : ElementBuilder(desktop, root), kept_(kept), index_(index) {}

  sim::SimApp& app() const;
  AppBuilder& launched(std::string_view iso) {
    app().launched = parseIso8601(iso).value();
    return *this;
  }
  AppBuilder& latency(Duration latency) {
    app().latency = latency;
    return *this;
  }
  AppBuilder& active(bool active = true) {
    app().active = active;
    return *this;
  }
  AppBuilder& observerError(AXError code) {
    app().observerError = code;
    return *this;
  }

 private:
  Kept kept_;
  std::size_t index_;
};

// The events of one time of the timeline; each call adds one, in order.
class Moment {
 public:
  Moment(DesktopBuilder& desktop, Duration at) : desktop_(&desktop), at_(at) {}

  Moment& add(decltype(sim::TimelineEvent::action) action);
  Moment& move(std::int64_t window, ServerRect bounds) {
    return add(sim::MoveAction{window, bounds});
  }
  Moment& raise(std::int64_t window) { return add(sim::RaiseAction{window}); }
  Moment& windows(RawArray list) { return add(sim::WindowsAction{std::move(list)}); }
  Moment& terminate(Pid pid) { return add(sim::TerminateAction{pid}); }
  Moment& activate(Pid pid) { return add(sim::ActivateAction{pid}); }
  Moment& power(sim::PowerAction power) { return add(power); }
  Moment& trusted(bool trusted) { return add(sim::TrustedAction{trusted}); }
  Moment& hang(Pid pid, bool hung = true) { return add(sim::HangAction{pid, hung}); }
  Moment& pickColor(sim::SimColor color) { return add(sim::PickColorAction{std::move(color)}); }
  // The user approves the waiting login item, or `change` changes how the system treats it.
  Moment& approveLogin() {
    sim::LoginItemAction approve;
    approve.kind = sim::LoginItemAction::Kind::approve;
    return add(approve);
  }
  Moment& loginItem(const std::function<void(sim::LoginItemAction&)>& change) {
    sim::LoginItemAction action;
    change(action);
    return add(std::move(action));
  }
  Moment& set(std::string element, std::string attribute, sim::StoredValue value) {
    return add(sim::SetAction{
        {sim::kNoNode, std::move(element)}, std::move(attribute), std::move(value), std::nullopt});
  }
  Moment& setError(std::string element, std::string attribute, AXError code) {
    return add(sim::SetAction{
        {sim::kNoNode, std::move(element)}, std::move(attribute), std::nullopt, code});
  }
  Moment& notify(std::string element, std::string name) {
    return add(sim::NotifyAction{{sim::kNoNode, std::move(element)}, std::move(name)});
  }
  // The mode button `button` switches to `mode`, its description first; an
  // `announced` switch also posts AXTitleChanged.
  Moment& label(const std::string& button, std::string_view mode, bool announced = false) {
    set(button, "AXDescription", textValue(modeLabel(mode)));
    set(button, "AXTitle", textValue(modeLabel(mode)));
    return announced ? notify(button, "AXTitleChanged") : *this;
  }
  // The window moves with a move notification from its element.
  Moment& drag(std::int64_t window, const std::string& element, ServerRect bounds) {
    return move(window, bounds).notify(element, "AXMoved");
  }
  // `element`'s children become the list the returned builder makes; new
  // elements belong to `element`'s application.
  ElementBuilder children(const std::string& element);
  AppBuilder launch(Pid pid, std::string name = {}, std::string bundle = {});

 private:
  DesktopBuilder* desktop_;
  Duration at_;
};

// One exchange of a chat transcript under `parent`, shaped like a real one: a
// user message of two paragraphs, then an answer of a heading, six
// paragraphs of three text runs, a list of four items, a code block of eight
// lines and a bar of four action buttons; 54 elements.
inline void chatExchange(ElementBuilder parent) {
  ElementBuilder user = parent.child("AXGroup");
  for (int p = 0; p < 2; ++p) user.child("AXGroup").child("AXStaticText");
  ElementBuilder answer = parent.child("AXGroup");
  answer.child("AXHeading");
  for (int p = 0; p < 6; ++p) {
    ElementBuilder paragraph = answer.child("AXGroup");
    for (int r = 0; r < 3; ++r) paragraph.child("AXStaticText");
  }
  ElementBuilder list = answer.child("AXList");
  for (int i = 0; i < 4; ++i) list.child("AXGroup").child("AXStaticText");
  ElementBuilder code = answer.child("AXGroup");
  for (int l = 0; l < 8; ++l) code.child("AXStaticText");
  ElementBuilder actions = answer.child("AXGroup");
  for (const char* action : {"Copy", "Good response", "Bad response", "Read aloud"}) {
    actions.child("AXButton").title(action);
  }
}

class DesktopBuilder {
 public:
  sim::DesktopModel& model() { return model_; }

  AppBuilder app(Pid pid, std::string name = {}, std::string bundle = {}) {
    model_.apps.push_back(newApp(pid, std::move(name), std::move(bundle)));
    return {*this, model_.apps.back().root, AppBuilder::Kept::running, model_.apps.size() - 1};
  }
  // An application instance with its elements that does not run at start:
  // the caller launches it (spareApps() holds it, build() keeps it).
  AppBuilder spareApp(Pid pid, std::string name = {}, std::string bundle = {}) {
    spareApps_.push_back(newApp(pid, std::move(name), std::move(bundle)));
    return {*this, spareApps_.back().root, AppBuilder::Kept::spare, spareApps_.size() - 1};
  }
  const std::vector<sim::SimApp>& spareApps() const { return spareApps_; }
  // The element with the file id `id`, made before.
  ElementBuilder element(const std::string& id) {
    const auto found = ids_.find(id);
    if (found == ids_.end()) throw std::invalid_argument("no element has the id " + id);
    return {*this, found->second};
  }
  DesktopBuilder& server(std::int64_t number, Pid pid, ServerRect bounds, std::int64_t layer = 0) {
    model_.windows.push_back(serverWindow(number, pid, bounds, layer));
    return *this;
  }
  DesktopBuilder& wallStart(std::string_view iso) {
    model_.wallStart = parseIso8601(iso).value();
    return *this;
  }
  DesktopBuilder& defaults(std::string key, sim::DefaultsValue value) {
    model_.defaults[std::move(key)] = std::move(value);
    return *this;
  }
  DesktopBuilder& trusted(bool trusted) {
    model_.trusted = trusted;
    return *this;
  }
  Moment at(double seconds) { return {*this, Duration::seconds(seconds)}; }

  // The model, its references resolved and its timeline in order; the
  // builder is left empty.
  sim::DesktopModel build() {
    for (sim::SimNode& node : model_.nodes) {
      for (sim::NodeRef& child : node.children) resolve(child);
      for (auto& [name, value] : node.attributes) {
        if (value) resolve(*value);
      }
    }
    for (sim::TimelineEvent& event : model_.timeline) {
      std::visit(
          [this](auto& action) {
            using A = std::decay_t<decltype(action)>;
            if constexpr (std::is_same_v<A, sim::SetAction>) {
              resolve(action.element);
              if (action.value) resolve(*action.value);
            } else if constexpr (std::is_same_v<A, sim::ChildrenAction>) {
              resolve(action.element);
              for (sim::NodeRef& child : action.children) resolve(child);
            } else if constexpr (std::is_same_v<A, sim::NotifyAction>) {
              resolve(action.element);
            }
          },
          event.action);
    }
    std::stable_sort(
        model_.timeline.begin(), model_.timeline.end(),
        [](const sim::TimelineEvent& a, const sim::TimelineEvent& b) { return a.at < b.at; });
    ids_.clear();
    applications_ = 0;
    return std::exchange(model_, {});
  }

 private:
  friend class ElementBuilder;
  friend class AppBuilder;
  friend class Moment;

  sim::NodeId newNode(sim::Owner owner, const std::string& role) {
    model_.nodes.emplace_back();
    model_.nodes.back().owner = owner;
    const auto node = sim::NodeId(model_.nodes.size() - 1);
    ElementBuilder(*this, node).text("AXRole", role);
    return node;
  }
  sim::SimApp newApp(Pid pid, std::string name, std::string bundle) {
    sim::SimApp app;
    app.pid = pid;
    app.ordinal = applications_++;
    if (!name.empty()) app.name = std::move(name);
    if (!bundle.empty()) app.bundle = std::move(bundle);
    app.root = newNode({pid, app.ordinal}, "AXApplication");
    model_.nodes[app.root].isApplication = true;
    return app;
  }
  void resolve(sim::NodeRef& ref) {
    if (ref.node != sim::kNoNode) return;
    const auto found = ids_.find(ref.id);
    if (found == ids_.end()) throw std::invalid_argument("no element has the id " + ref.id);
    ref.node = found->second;
  }
  void resolve(sim::SimValue& value) {
    if (auto* ref = std::get_if<sim::NodeRef>(&value.storage)) resolve(*ref);
    if (auto* array = std::get_if<sim::SimArray>(&value.storage)) {
      for (sim::SimValue& member : *array) resolve(member);
    }
  }

  sim::DesktopModel model_;
  std::vector<sim::SimApp> spareApps_;
  std::map<std::string, sim::NodeId, std::less<>> ids_;
  std::uint32_t applications_ = 0;
};

inline sim::SimNode& ElementBuilder::model() const { return desktop_->model_.nodes[node_]; }

inline ElementBuilder& ElementBuilder::id(std::string id) {
  if (!desktop_->ids_.emplace(id, node_).second) {
    throw std::invalid_argument("two elements have the id " + id);
  }
  model().id = std::move(id);
  return *this;
}

inline std::vector<sim::NodeRef>& ElementBuilder::children() {
  if (event_) {
    return std::get<sim::ChildrenAction>(desktop_->model_.timeline[*event_].action).children;
  }
  model().hasChildren = true;
  return model().children;
}

inline ElementBuilder ElementBuilder::child(const std::string& role, std::string id) {
  ElementBuilder made(*desktop_, desktop_->newNode(model().owner, role));
  if (!id.empty()) made.id(std::move(id));
  children().push_back({made.node(), {}});
  return made;
}

inline ElementBuilder ElementBuilder::spare(const std::string& role, std::string id) {
  ElementBuilder made(*desktop_, desktop_->newNode(model().owner, role));
  if (!id.empty()) made.id(std::move(id));
  return made;
}

inline sim::SimApp& AppBuilder::app() const {
  switch (kept_) {
    case Kept::running: return desktop_->model_.apps[index_];
    case Kept::spare: return desktop_->spareApps_[index_];
    default: return std::get<sim::LaunchAction>(desktop_->model_.timeline[index_].action).app;
  }
}

inline Moment& Moment::add(decltype(sim::TimelineEvent::action) action) {
  desktop_->model_.timeline.push_back({at_, std::move(action)});
  return *this;
}

inline ElementBuilder Moment::children(const std::string& element) {
  const sim::NodeId target = desktop_->element(element).node();
  add(sim::ChildrenAction{{target, element}, {}});
  return {*desktop_, target, desktop_->model_.timeline.size() - 1};
}

inline AppBuilder Moment::launch(Pid pid, std::string name, std::string bundle) {
  add(sim::LaunchAction{desktop_->newApp(pid, std::move(name), std::move(bundle))});
  const std::size_t event = desktop_->model_.timeline.size() - 1;
  return {*desktop_, std::get<sim::LaunchAction>(desktop_->model_.timeline[event].action).app.root,
          AppBuilder::Kept::launch, event};
}

}  // namespace lumetta::testing
