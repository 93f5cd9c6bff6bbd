#include "platform/sim/sim_desktop.h"

#include <algorithm>
#include <mutex>

namespace lumetta::sim {

SimDesktop::SimDesktop(DesktopModel model)
    : model_(std::move(model)),
      running_(model_.apps),
      destroyed_(model_.nodes.size(), false),
      wallStart_(model_.wallStart) {}

bool SimDesktop::trusted() const {
  std::shared_lock lock(mutex_);
  return model_.trusted;
}

NodeId SimDesktop::applicationNode(Pid pid) const {
  std::shared_lock lock(mutex_);
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

bool SimDesktop::aliveLocked(NodeId node) const {
  return ownerLocked(node) && !destroyed_[node];
}

SimDesktop::Responsiveness SimDesktop::responsiveness(NodeId node) const {
  std::shared_lock lock(mutex_);
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
      const std::string* text =
          role != attributes.end() && role->second ? std::get_if<std::string>(&role->second->storage)
                                                   : nullptr;
      if (text && *text == "AXWindow") windows.push_back(SimValue{child});
    }
    return {SimValue{std::move(windows)}, axerr::success};
  }
  return {std::nullopt, axerr::attributeUnsupported};
}

std::vector<SimDesktop::Answer> SimDesktop::read(NodeId node,
                                                 std::span<const std::string_view> attributes) const {
  std::shared_lock lock(mutex_);
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
  std::shared_lock lock(mutex_);
  if (!aliveLocked(node)) return std::nullopt;
  const SimNode& n = model_.nodes[node];
  std::vector<std::string> names{"AXChildren"};
  if (n.isApplication) names.push_back("AXWindows");
  for (const auto& [name, value] : n.attributes) names.push_back(name);
  for (const auto& [name, code] : n.errors) names.push_back(name);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

AXError SimDesktop::write(NodeId node, std::string_view attribute, bool value) {
  std::unique_lock lock(mutex_);
  if (!aliveLocked(node)) return axerr::invalidUIElement;
  SimNode& n = model_.nodes[node];
  if (auto error = n.errors.find(attribute); error != n.errors.end()) return error->second;
  n.attributes[std::string(attribute)] = SimValue{value};
  return axerr::success;
}

std::vector<RunningApplication> SimDesktop::runningApplications() const {
  std::shared_lock lock(mutex_);
  std::vector<RunningApplication> apps;
  for (const SimApp& app : running_) {
    apps.push_back({app.pid, app.bundle, app.name, app.launched, app.bundleURL, app.active});
  }
  return apps;
}

RawArray SimDesktop::windowList() const {
  std::shared_lock lock(mutex_);
  return model_.windows;
}

std::vector<SimDisplay> SimDesktop::displays() const {
  std::shared_lock lock(mutex_);
  return model_.displays;
}

bool SimDesktop::onConsole() const {
  std::shared_lock lock(mutex_);
  return model_.onConsole;
}

NodeId SimDesktop::nodeById(std::string_view id) const {
  std::shared_lock lock(mutex_);
  for (NodeId n = 0; n < model_.nodes.size(); ++n) {
    if (model_.nodes[n].id == id) return n;
  }
  return kNoNode;
}

}  // namespace lumetta::sim
