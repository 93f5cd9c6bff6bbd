#include "platform/sim/services/sim_desktop.h"

#include <algorithm>

namespace lumetta::sim {

namespace {

RunningApplication runningApplication(const SimApp& app) {
  return {app.pid, app.bundle, app.name, app.launched, app.bundleURL, app.active};
}

}  // namespace

SimDesktop::SimDesktop(DesktopModel model)
    : timeline_(std::move(model.timeline)),
      wallStart_(model.wallStart),
      model_(std::move(model)),
      running_(model_.apps),
      destroyed_(model_.nodes.size(), false) {}

bool SimDesktop::trusted() const {
  ReaderLock lock(mutex_);
  return model_.trusted;
}

NodeId SimDesktop::applicationNode(Pid pid) const {
  ReaderLock lock(mutex_);
  for (const SimApp& app : running_) {
    if (app.pid == pid) return app.root;
  }
  return kNoNode;
}

const SimApp* SimDesktop::ownerLocked(NodeId node) const {
  if (node >= model_.nodes.size()) return nullptr;
  const Owner& owner = model_.nodes[node].owner;
  for (const SimApp& app : running_) {
    if (app.pid == owner.pid && app.ordinal == owner.app) return &app;
  }
  return nullptr;
}

bool SimDesktop::aliveLocked(NodeId node) const { return ownerLocked(node) && !destroyed_[node]; }

SimDesktop::Responsiveness SimDesktop::responsiveness(NodeId node) const {
  ReaderLock lock(mutex_);
  const SimApp* app = ownerLocked(node);
  if (!app || destroyed_[node]) return {};
  return {true, app->hung || model_.nodes[node].hung, app->latency};
}

SimDesktop::Answer SimDesktop::readLocked(const SimNode& node, std::string_view attribute) const {
  if (auto error = node.errors.find(attribute); error != node.errors.end()) {
    return {std::nullopt, error->second};
  }
  if (auto value = node.attributes.find(attribute); value != node.attributes.end()) {
    return {value->second, axerr::success};
  }
  if (attribute == "AXChildren") {
    SimArray children;
    for (const NodeRef& child : node.children) children.push_back(SimValue{child});
    return {SimValue{std::move(children)}, axerr::success};
  }
  if (attribute == "AXWindows" && node.isApplication) {
    SimArray windows;
    for (const NodeRef& child : node.children) {
      const auto& attributes = model_.nodes[child.node].attributes;
      auto role = attributes.find("AXRole");
      const std::string* text = role != attributes.end() && role->second
                                    ? std::get_if<std::string>(&role->second->storage)
                                    : nullptr;
      if (text && *text == "AXWindow") windows.push_back(SimValue{child});
    }
    return {SimValue{std::move(windows)}, axerr::success};
  }
  return {std::nullopt, axerr::attributeUnsupported};
}

std::vector<SimDesktop::Answer> SimDesktop::read(
    NodeId node, std::span<const std::string_view> attributes) const {
  ReaderLock lock(mutex_);
  std::vector<Answer> answers;
  answers.reserve(attributes.size());
  const bool alive = aliveLocked(node);
  for (std::string_view attribute : attributes) {
    answers.push_back(alive ? readLocked(model_.nodes[node], attribute)
                            : Answer{std::nullopt, axerr::invalidUIElement});
  }
  return answers;
}

std::optional<std::vector<std::string>> SimDesktop::attributeNames(NodeId node) const {
  ReaderLock lock(mutex_);
  if (!aliveLocked(node)) return std::nullopt;
  const SimNode& n = model_.nodes[node];
  std::vector<std::string> names{"AXChildren"};
  if (n.isApplication) names.push_back("AXWindows");
  for (const std::string& name : n.names) {
    if (name != "AXChildren" && !(n.isApplication && name == "AXWindows")) names.push_back(name);
  }
  return names;
}

AXError SimDesktop::write(NodeId node, std::string_view attribute, bool value) {
  WriterLock lock(mutex_);
  if (!aliveLocked(node)) return axerr::invalidUIElement;
  SimNode& n = model_.nodes[node];
  if (auto error = n.errors.find(attribute); error != n.errors.end()) return error->second;
  n.attributes[std::string(attribute)] = SimValue{value};
  n.addName(attribute);
  return axerr::success;
}

std::optional<AXError> SimDesktop::notificationError(NodeId node, AXNotification name) const {
  ReaderLock lock(mutex_);
  if (!aliveLocked(node)) return axerr::invalidUIElement;
  const auto& errors = model_.nodes[node].notificationErrors;
  auto it = errors.find(notificationName(name));
  if (it == errors.end()) return std::nullopt;
  return it->second;
}

std::optional<AXError> SimDesktop::observerError(Pid pid) const {
  ReaderLock lock(mutex_);
  for (const SimApp& app : running_) {
    if (app.pid == pid) return app.observerError;
  }
  return std::nullopt;
}

NodeId SimDesktop::applicationOf(NodeId node) const {
  ReaderLock lock(mutex_);
  const SimApp* app = ownerLocked(node);
  return app ? app->root : kNoNode;
}

std::vector<RunningApplication> SimDesktop::runningApplications() const {
  ReaderLock lock(mutex_);
  std::vector<RunningApplication> apps;
  for (const SimApp& app : running_) apps.push_back(runningApplication(app));
  return apps;
}

RawArray SimDesktop::windowList() const {
  ReaderLock lock(mutex_);
  return model_.windows;
}

std::vector<SimDisplay> SimDesktop::displays() const {
  ReaderLock lock(mutex_);
  return model_.displays;
}

std::optional<RawValue> SimDesktop::session() const {
  ReaderLock lock(mutex_);
  return model_.session;
}

void SimDesktop::setAttribute(NodeId node, const std::string& attribute, StoredValue value,
                              std::optional<AXError> error) {
  WriterLock lock(mutex_);
  SimNode& n = model_.nodes[node];
  n.addName(attribute);
  if (error) {
    n.errors[attribute] = *error;
  } else {
    n.errors.erase(attribute);
    n.attributes[attribute] = std::move(value);
  }
}

std::vector<bool> SimDesktop::reachableLocked() const {
  std::vector<bool> reached(model_.nodes.size(), false);
  std::vector<NodeId> stack;
  for (const SimApp& app : running_) stack.push_back(app.root);
  auto visitValue = [&](const SimValue& value, auto& self) -> void {
    if (const auto* ref = std::get_if<NodeRef>(&value.storage)) stack.push_back(ref->node);
    if (const auto* array = std::get_if<SimArray>(&value.storage)) {
      for (const SimValue& member : *array) self(member, self);
    }
  };
  while (!stack.empty()) {
    NodeId node = stack.back();
    stack.pop_back();
    if (reached[node]) continue;
    reached[node] = true;
    for (const NodeRef& child : model_.nodes[node].children) stack.push_back(child.node);
    for (const auto& [name, value] : model_.nodes[node].attributes) {
      if (value) visitValue(*value, visitValue);
    }
  }
  return reached;
}

void SimDesktop::replaceChildren(NodeId node, std::vector<NodeRef> children) {
  WriterLock lock(mutex_);
  const std::vector<bool> before = reachableLocked();
  model_.nodes[node].children = std::move(children);
  model_.nodes[node].hasChildren = true;
  const std::vector<bool> after = reachableLocked();
  for (NodeId n = 0; n < model_.nodes.size(); ++n) {
    if (before[n] && !after[n]) destroyed_[n] = true;
  }
}

namespace {

void setKey(RawDictionary& dictionary, std::string_view key, RawValue value) {
  for (RawEntry& entry : dictionary) {
    if (entry.key == key) {
      entry.value = std::move(value);
      return;
    }
  }
  dictionary.push_back({std::string(key), std::move(value)});
}

bool hasInteger(const RawValue& entry, std::string_view key, std::int64_t expected) {
  const auto* dictionary = entry.get<RawDictionary>();
  const RawValue* value = dictionary ? find(*dictionary, key) : nullptr;
  const auto* number = value ? value->get<std::int64_t>() : nullptr;
  return number && *number == expected;
}

}  // namespace

void SimDesktop::moveWindow(std::int64_t number, ServerRect bounds) {
  WriterLock lock(mutex_);
  for (RawValue& entry : model_.windows) {
    if (!hasInteger(entry, "kCGWindowNumber", number)) continue;
    setKey(std::get<RawDictionary>(entry.storage), "kCGWindowBounds",
           RawValue{RawDictionary{{"X", {bounds.x}},
                                  {"Y", {bounds.y}},
                                  {"Width", {bounds.width}},
                                  {"Height", {bounds.height}}}});
  }
  for (SimNode& node : model_.nodes) {
    if (node.windowNumber != number) continue;
    node.attributes["AXPosition"] = SimValue{Point{bounds.x, bounds.y}};
    node.attributes["AXSize"] = SimValue{Size{bounds.width, bounds.height}};
    node.addName("AXPosition");
    node.addName("AXSize");
  }
}

void SimDesktop::raiseWindow(std::int64_t number) {
  WriterLock lock(mutex_);
  auto it = std::find_if(model_.windows.begin(), model_.windows.end(), [&](const RawValue& entry) {
    return hasInteger(entry, "kCGWindowNumber", number);
  });
  if (it != model_.windows.end()) std::rotate(model_.windows.begin(), it, it + 1);
}

void SimDesktop::replaceWindows(RawArray windows) {
  WriterLock lock(mutex_);
  model_.windows = std::move(windows);
}

RunningApplication SimDesktop::launch(SimApp app) {
  WriterLock lock(mutex_);
  std::erase_if(running_, [&](const SimApp& running) { return running.pid == app.pid; });
  running_.push_back(std::move(app));
  return runningApplication(running_.back());
}

std::optional<RunningApplication> SimDesktop::terminate(Pid pid) {
  WriterLock lock(mutex_);
  auto it = std::find_if(running_.begin(), running_.end(),
                         [&](const SimApp& app) { return app.pid == pid; });
  if (it == running_.end()) return std::nullopt;
  RunningApplication gone = runningApplication(*it);
  running_.erase(it);
  std::erase_if(model_.windows,
                [&](const RawValue& entry) { return hasInteger(entry, "kCGWindowOwnerPID", pid); });
  return gone;
}

void SimDesktop::activate(Pid pid) {
  WriterLock lock(mutex_);
  for (SimApp& app : running_) app.active = app.pid == pid;
}

void SimDesktop::setDisplaysAsleep(bool asleep) {
  WriterLock lock(mutex_);
  for (SimDisplay& display : model_.displays) display.asleep = asleep;
}

void SimDesktop::setOnConsole(bool onConsole) {
  WriterLock lock(mutex_);
  model_.session = consoleSession(onConsole);
}

void SimDesktop::setTrusted(bool trusted) {
  WriterLock lock(mutex_);
  model_.trusted = trusted;
}

void SimDesktop::setHung(Pid pid, bool hung) {
  WriterLock lock(mutex_);
  for (SimApp& app : running_) {
    if (app.pid == pid) app.hung = hung;
  }
}

void SimDesktop::setObserverError(Pid pid, std::optional<AXError> error) {
  WriterLock lock(mutex_);
  for (SimApp& app : running_) {
    if (app.pid == pid) app.observerError = error;
  }
}

void SimDesktop::clearError(NodeId node, std::string_view attribute) {
  WriterLock lock(mutex_);
  auto& errors = model_.nodes[node].errors;
  if (auto found = errors.find(attribute); found != errors.end()) errors.erase(found);
}

void SimDesktop::setNotificationError(NodeId node, AXNotification name,
                                      std::optional<AXError> error) {
  WriterLock lock(mutex_);
  auto& errors = model_.nodes[node].notificationErrors;
  const std::string key(notificationName(name));
  if (error) {
    errors[key] = *error;
  } else {
    errors.erase(key);
  }
}

NodeId SimDesktop::nodeById(std::string_view id) const {
  ReaderLock lock(mutex_);
  for (NodeId n = 0; n < model_.nodes.size(); ++n) {
    if (model_.nodes[n].id == id) return n;
  }
  return kNoNode;
}

}  // namespace lumetta::sim
