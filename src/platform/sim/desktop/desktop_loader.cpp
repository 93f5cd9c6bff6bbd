#include "platform/sim/desktop/desktop_loader.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <initializer_list>
#include <limits>
#include <map>

#include "platform/sim/desktop/defaults_json.h"
#include "platform/sim/desktop/desktop_json.h"
#include "platform/sim/desktop/json_path.h"
#include "platform/sim/desktop/user_steps_json.h"
#include "support/text_format.h"

namespace lumetta::sim {

namespace {

// Raised inside the loader only; parseDesktop turns it into an Error.
struct Failure {
  std::string path;
  std::string expected;
};

[[noreturn]] void fail(const std::string& path, std::string expected) {
  throw Failure{path, std::move(expected)};
}

// The value, or the fault of a reader that reports faults as values.
template <typename T>
T orFail(std::variant<T, JsonFault> result) {
  if (auto* fault = std::get_if<JsonFault>(&result)) fail(fault->path, fault->expected);
  return std::get<T>(std::move(result));
}

std::string joined(std::initializer_list<std::string_view> words) {
  std::string text;
  for (std::string_view word : words) {
    if (!text.empty()) text += ", ";
    text += word;
  }
  return text;
}

void checkKeys(const Json& object, const std::string& path,
               std::initializer_list<std::string_view> allowed) {
  for (const auto& item : object.items()) {
    if (std::find(allowed.begin(), allowed.end(), item.key()) == allowed.end()) {
      fail(keyPath(path, item.key()), "unknown key; expected one of " + joined(allowed));
    }
  }
}

const Json* member(const Json& object, std::string_view key) {
  auto it = object.find(key);
  return it == object.end() ? nullptr : &*it;
}

const Json& required(const Json& object, const std::string& path, std::string_view key) {
  const Json* value = member(object, key);
  if (!value) fail(path, "expected the key \"" + std::string(key) + "\"");
  return *value;
}

void expectObject(const Json& value, const std::string& path) {
  if (!value.is_object()) fail(path, "expected an object");
}

void expectArray(const Json& value, const std::string& path) {
  if (!value.is_array()) fail(path, "expected an array");
}

bool boolean(const Json& value, const std::string& path) {
  if (!value.is_boolean()) fail(path, "expected true or false");
  return value.get<bool>();
}

std::int64_t integer(const Json& value, const std::string& path) {
  if (value.is_number_unsigned() &&
      value.get<std::uint64_t>() > std::uint64_t(std::numeric_limits<std::int64_t>::max())) {
    fail(path, "expected a 64-bit integer");
  }
  if (!value.is_number_integer()) fail(path, "expected an integer");
  return value.get<std::int64_t>();
}

Pid processId(const Json& value, const std::string& path) {
  std::int64_t pid = integer(value, path);
  if (pid < 1 || pid > std::numeric_limits<Pid>::max()) {
    fail(path, "expected a process id (a positive 32-bit integer)");
  }
  return static_cast<Pid>(pid);
}

AXError errorCode(const Json& value, const std::string& path) {
  std::int64_t code = integer(value, path);
  if (code < std::numeric_limits<AXError>::min() || code > std::numeric_limits<AXError>::max()) {
    fail(path, "expected an error code (a 32-bit integer)");
  }
  return static_cast<AXError>(code);
}

double number(const Json& value, const std::string& path) {
  if (!value.is_number()) fail(path, "expected a number");
  return value.get<double>();
}

Duration seconds(const Json& value, const std::string& path) {
  double s = number(value, path);
  if (!std::isfinite(s) || s < 0) fail(path, "expected a non-negative number of seconds");
  return Duration::seconds(s);
}

// A timeline event's time: from 0 to the latest a timeline may reach.
Duration eventTime(const Json& value, const std::string& path) {
  const double s = number(value, path);
  if (!(s >= 0 && s <= kLatestTimelineEvent.inSeconds())) {
    fail(path, "expected a number of seconds from 0 to " +
                   shortestNumber(kLatestTimelineEvent.inSeconds()) +
                   " (a timeline spans at most an hour)");
  }
  return Duration::seconds(s);
}

std::string text(const Json& value, const std::string& path) {
  if (!value.is_string()) fail(path, "expected a string");
  return value.get<std::string>();
}

std::vector<double> numbers(const Json& value, const std::string& path, std::size_t count,
                            const char* shape) {
  if (!value.is_array() || value.size() != count) fail(path, std::string("expected ") + shape);
  std::vector<double> out;
  for (std::size_t i = 0; i < count; ++i) {
    if (!value[i].is_number()) fail(indexPath(path, i), "expected a number");
    out.push_back(value[i].get<double>());
  }
  return out;
}

// `[x, y, width, height]`: a plain rectangle, or one of the global space the
// file's key is documented in (`ServerRect`, `ScreenRect`).
template <class AnyRect = Rect>
AnyRect rect(const Json& value, const std::string& path) {
  auto n = numbers(value, path, 4, "[x, y, width, height]");
  return {n[0], n[1], n[2], n[3]};
}

WallTime wallTime(const Json& value, const std::string& path) {
  auto time = value.is_string() ? parseIso8601(value.get<std::string>()) : std::nullopt;
  if (!time) fail(path, "expected an ISO 8601 UTC time such as 2025-01-31T09:15:00Z");
  return *time;
}

RawValue rawValue(const Json& value) {
  switch (value.type()) {
    case Json::value_t::boolean: return {value.get<bool>()};
    case Json::value_t::number_integer: return {value.get<std::int64_t>()};
    case Json::value_t::number_unsigned:
      if (value.get<std::uint64_t>() <= std::uint64_t(std::numeric_limits<std::int64_t>::max())) {
        return {value.get<std::int64_t>()};
      }
      return {value.get<double>()};
    case Json::value_t::number_float: return {value.get<double>()};
    case Json::value_t::string: return {value.get<std::string>()};
    case Json::value_t::array: {
      RawArray array;
      for (const Json& member : value) array.push_back(rawValue(member));
      return {std::move(array)};
    }
    case Json::value_t::object: {
      RawDictionary dictionary;
      for (const auto& item : value.items()) {
        dictionary.push_back({item.key(), rawValue(item.value())});
      }
      return {std::move(dictionary)};
    }
    default: return {};
  }
}

// A window-server entry: raw as it stands, or shorthand keys filling the raw keys.
RawValue windowEntry(const Json& value, const std::string& path) {
  expectObject(value, path);
  if (member(value, "raw")) {
    checkKeys(value, path, {"raw"});
    return rawValue(value["raw"]);
  }
  checkKeys(value, path, {"number", "pid", "layer", "bounds", "owner", "name", "alpha"});
  RawDictionary raw;
  auto fill = [&](std::string_view key, std::string_view rawKey, auto convert) {
    if (const Json* v = member(value, key))
      raw.push_back({std::string(rawKey), convert(*v, keyPath(path, key))});
  };
  auto asInteger = [](const Json& v, const std::string& p) { return RawValue{integer(v, p)}; };
  auto asNumber = [](const Json& v, const std::string& p) { return RawValue{number(v, p)}; };
  auto asText = [](const Json& v, const std::string& p) { return RawValue{text(v, p)}; };
  fill("number", "kCGWindowNumber", asInteger);
  fill("pid", "kCGWindowOwnerPID", asInteger);
  fill("layer", "kCGWindowLayer", asInteger);
  fill("bounds", "kCGWindowBounds", [](const Json& v, const std::string& p) {
    const ServerRect r = rect<ServerRect>(v, p);
    return RawValue{
        RawDictionary{{"X", {r.x}}, {"Y", {r.y}}, {"Width", {r.width}}, {"Height", {r.height}}}};
  });
  fill("owner", "kCGWindowOwnerName", asText);
  fill("name", "kCGWindowName", asText);
  fill("alpha", "kCGWindowAlpha", asNumber);
  return {std::move(raw)};
}

RawArray windowList(const Json& value, const std::string& path) {
  expectArray(value, path);
  RawArray windows;
  for (std::size_t i = 0; i < value.size(); ++i) {
    windows.push_back(windowEntry(value[i], indexPath(path, i)));
  }
  return windows;
}

PowerAction powerAction(const Json& value, const std::string& path) {
  static const std::map<std::string, PowerAction, std::less<>> actions = {
      {"sleep", PowerAction::sleep},
      {"wake", PowerAction::wake},
      {"screensSleep", PowerAction::screensSleep},
      {"screensWake", PowerAction::screensWake},
      {"sessionResign", PowerAction::sessionResign},
      {"sessionActive", PowerAction::sessionActive},
      {"spaceChange", PowerAction::spaceChange},
  };
  auto it = value.is_string() ? actions.find(value.get<std::string>()) : actions.end();
  if (it == actions.end()) {
    fail(path,
         "expected one of sleep, wake, screensSleep, screensWake, sessionResign, "
         "sessionActive, spaceChange");
  }
  return it->second;
}

// The shorthand keys of an element for its text attributes.
constexpr std::pair<std::string_view, std::string_view> kTextKeys[] = {
    {"role", "AXRole"},
    {"subrole", "AXSubrole"},
    {"title", "AXTitle"},
    {"description", "AXDescription"}};

class Loader {
 public:
  DesktopModel load(const Json& root) {
    const std::string path = "$";
    expectObject(root, path);
    // "note" is for people reading the file; the desktop ignores it.
    checkKeys(root, path,
              {"trusted", "clock", "displays", "session", "apps", "windows", "timeline", "defaults",
               "lumetta", "loginItem", "note"});

    if (const Json* v = member(root, "trusted"))
      model_.trusted = boolean(*v, keyPath(path, "trusted"));
    if (const Json* clock = member(root, "clock")) {
      std::string clockPath = keyPath(path, "clock");
      expectObject(*clock, clockPath);
      checkKeys(*clock, clockPath, {"wallStart"});
      if (const Json* v = member(*clock, "wallStart")) {
        model_.wallStart = wallTime(*v, keyPath(clockPath, "wallStart"));
      }
    }
    if (const Json* v = member(root, "displays")) displays(*v, keyPath(path, "displays"));
    if (const Json* v = member(root, "session")) session(*v, keyPath(path, "session"));
    if (const Json* v = member(root, "apps")) apps(*v, keyPath(path, "apps"));
    if (const Json* v = member(root, "windows"))
      model_.windows = windowList(*v, keyPath(path, "windows"));
    if (const Json* v = member(root, "timeline")) timeline(*v, keyPath(path, "timeline"));
    if (const Json* v = member(root, "defaults")) {
      model_.defaults = orFail(defaultsFromJson(*v, keyPath(path, "defaults")));
    }
    if (const Json* v = member(root, "lumetta")) lumetta(*v, keyPath(path, "lumetta"));
    if (const Json* v = member(root, "loginItem")) {
      const LoginItemAction given = loginItemChange(*v, keyPath(path, "loginItem"));
      SimLoginItemModel& item = model_.loginItem;
      if (given.status) item.status = *given.status;
      if (given.needsApproval) item.needsApproval = *given.needsApproval;
      if (given.registerError) item.registerError = *given.registerError;
      if (given.unregisterError) item.unregisterError = *given.unregisterError;
    }

    resolveReferences();
    return std::move(model_);
  }

 private:
  struct PendingRef {
    std::string id;
    std::string path;
  };
  struct OwnerFixup {
    NodeRef target;
    NodeId firstNew;
    NodeId endNew;
  };

  void lumetta(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"pid", "bundlePath", "version", "systemVersion", "resources"});
    SimLumetta& info = model_.lumetta;
    if (const Json* v = member(value, "pid")) info.pid = processId(*v, keyPath(path, "pid"));
    if (const Json* v = member(value, "bundlePath"))
      info.bundlePath = text(*v, keyPath(path, "bundlePath"));
    if (const Json* v = member(value, "version"))
      info.shortVersion = text(*v, keyPath(path, "version"));
    if (const Json* v = member(value, "systemVersion")) {
      info.systemVersion = text(*v, keyPath(path, "systemVersion"));
    }
    if (const Json* v = member(value, "resources"))
      info.resources = text(*v, keyPath(path, "resources"));
  }

  // The keys of a login item's behaviour; an error given as null is none.
  static LoginItemAction loginItemChange(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"status", "needsApproval", "registerError", "unregisterError"});
    LoginItemAction change;
    if (const Json* v = member(value, "status"))
      change.status = loginItemStatus(*v, keyPath(path, "status"));
    if (const Json* v = member(value, "needsApproval"))
      change.needsApproval = boolean(*v, keyPath(path, "needsApproval"));
    const auto error = [&](std::string_view key) -> std::optional<std::optional<std::string>> {
      const Json* v = member(value, key);
      if (!v) return std::nullopt;
      if (v->is_null()) return std::optional<std::string>{};
      return std::optional<std::string>{text(*v, keyPath(path, key))};
    };
    change.registerError = error("registerError");
    change.unregisterError = error("unregisterError");
    return change;
  }

  static LoginItemStatus loginItemStatus(const Json& value, const std::string& path) {
    static const std::map<std::string, LoginItemStatus, std::less<>> statuses = {
        {"notRegistered", LoginItemStatus::notRegistered},
        {"enabled", LoginItemStatus::enabled},
        {"requiresApproval", LoginItemStatus::requiresApproval},
        {"notFound", LoginItemStatus::notFound},
    };
    auto it = value.is_string() ? statuses.find(value.get<std::string>()) : statuses.end();
    if (it == statuses.end())
      fail(path, "expected one of notRegistered, enabled, requiresApproval, notFound");
    return it->second;
  }

  static LoginItemAction loginItemAction(const Json& value, const std::string& path) {
    if (value.is_string()) {
      LoginItemAction action;
      action.kind = value.get<std::string>() == "approve" ? LoginItemAction::Kind::approve
                                                          : LoginItemAction::Kind::deny;
      if (value.get<std::string>() == "approve" || value.get<std::string>() == "deny")
        return action;
    }
    if (!value.is_object()) fail(path, "expected \"approve\", \"deny\" or an object");
    return loginItemChange(value, path);
  }

  void displays(const Json& value, const std::string& path) {
    expectArray(value, path);
    model_.displays.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
      std::string itemPath = indexPath(path, i);
      const Json& item = value[i];
      expectObject(item, itemPath);
      checkKeys(item, itemPath, {"id", "frame", "asleep", "scale"});
      SimDisplay display;
      display.id = static_cast<DisplayID>(i + 1);
      if (const Json* v = member(item, "id")) {
        std::int64_t id = integer(*v, keyPath(itemPath, "id"));
        if (id < 0 || id > std::numeric_limits<DisplayID>::max()) {
          fail(keyPath(itemPath, "id"), "expected a display id (a 32-bit unsigned integer)");
        }
        display.id = static_cast<DisplayID>(id);
      }
      display.frame =
          rect<ScreenRect>(required(item, itemPath, "frame"), keyPath(itemPath, "frame"));
      if (const Json* v = member(item, "asleep"))
        display.asleep = boolean(*v, keyPath(itemPath, "asleep"));
      if (const Json* v = member(item, "scale")) {
        if (*v != 1 && *v != 2) fail(keyPath(itemPath, "scale"), "expected 1 or 2");
        display.scale = v->get<double>();
      }
      model_.displays.push_back(display);
    }
  }

  // null: the window server has no session dictionary; "raw": the dictionary
  // as it stands, of any shape; "onConsole": a well-formed one.
  void session(const Json& value, const std::string& path) {
    if (value.is_null()) {
      model_.session.reset();
      return;
    }
    expectObject(value, path);
    if (const Json* raw = member(value, "raw")) {
      checkKeys(value, path, {"raw"});
      model_.session = rawValue(*raw);
      return;
    }
    checkKeys(value, path, {"onConsole", "raw"});
    if (const Json* v = member(value, "onConsole")) {
      model_.session = consoleSession(boolean(*v, keyPath(path, "onConsole")));
    }
  }

  void apps(const Json& value, const std::string& path) {
    expectArray(value, path);
    std::map<Pid, std::string> seen;
    for (std::size_t i = 0; i < value.size(); ++i) {
      std::string itemPath = indexPath(path, i);
      SimApp app = application(value[i], itemPath);
      auto [it, inserted] = seen.emplace(app.pid, itemPath);
      if (!inserted) {
        fail(keyPath(itemPath, "pid"),
             "expected a process id no other running application has (" + it->second + " has it)");
      }
      model_.apps.push_back(std::move(app));
    }
  }

  SimApp application(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path,
              {"pid", "name", "bundle", "active", "launched", "bundleURL", "latency", "hung",
               "observerError", "ax"});
    SimApp app;
    app.pid = processId(required(value, path, "pid"), keyPath(path, "pid"));
    app.ordinal = applications_++;
    const Owner owner{app.pid, app.ordinal};
    if (const Json* v = member(value, "name")) app.name = text(*v, keyPath(path, "name"));
    if (const Json* v = member(value, "bundle")) app.bundle = text(*v, keyPath(path, "bundle"));
    if (const Json* v = member(value, "active")) app.active = boolean(*v, keyPath(path, "active"));
    if (const Json* v = member(value, "launched"))
      app.launched = wallTime(*v, keyPath(path, "launched"));
    if (const Json* v = member(value, "bundleURL"))
      app.bundleURL = Url{text(*v, keyPath(path, "bundleURL"))};
    if (const Json* v = member(value, "latency"))
      app.latency = seconds(*v, keyPath(path, "latency"));
    if (const Json* v = member(value, "hung")) app.hung = boolean(*v, keyPath(path, "hung"));
    if (const Json* v = member(value, "observerError")) {
      app.observerError = errorCode(*v, keyPath(path, "observerError"));
    }
    if (const Json* v = member(value, "ax")) {
      app.root = element(*v, keyPath(path, "ax"), owner);
    } else {
      app.root = newNode(owner);
      model_.nodes[app.root].attributes["AXRole"] = SimValue{std::string("AXApplication")};
      model_.nodes[app.root].addName("AXRole");
    }
    model_.nodes[app.root].isApplication = true;
    return app;
  }

  NodeId newNode(Owner owner) {
    model_.nodes.emplace_back();
    model_.nodes.back().owner = owner;
    return static_cast<NodeId>(model_.nodes.size() - 1);
  }

  NodeId element(const Json& value, const std::string& path, Owner owner) {
    expectObject(value, path);
    checkKeys(value, path,
              {"id", "role", "subrole", "title", "description", "frame", "window", "attrs",
               "errors", "notificationErrors", "children", "hung"});
    const NodeId id = newNode(owner);
    SimNode node;  // filled here, stored at the end: children append to model_.nodes
    node.owner = owner;
    if (const Json* v = member(value, "id")) {
      std::string idPath = keyPath(path, "id");
      node.id = text(*v, idPath);
      auto [it, inserted] = ids_.emplace(node.id, Definition{id, idPath});
      if (!inserted)
        fail(idPath, "expected an id unique in the file (" + it->second.path + " has it)");
    }
    for (auto [key, attribute] : kTextKeys) {
      if (const Json* v = member(value, key)) {
        node.attributes[std::string(attribute)] = SimValue{text(*v, keyPath(path, key))};
      }
    }
    if (const Json* v = member(value, "frame")) {
      const ServerRect frame = rect<ServerRect>(*v, keyPath(path, "frame"));
      node.attributes["AXPosition"] = SimValue{Point{frame.x, frame.y}};
      node.attributes["AXSize"] = SimValue{Size{frame.width, frame.height}};
    }
    if (const Json* v = member(value, "window"))
      node.windowNumber = integer(*v, keyPath(path, "window"));
    if (const Json* v = member(value, "hung")) node.hung = boolean(*v, keyPath(path, "hung"));
    if (const Json* attrs = member(value, "attrs")) {
      std::string attrsPath = keyPath(path, "attrs");
      expectObject(*attrs, attrsPath);
      for (const auto& item : attrs->items()) {
        node.attributes[item.key()] = attributeValue(item.value(), keyPath(attrsPath, item.key()));
      }
    }
    for (auto [key, codes] : {std::pair{"errors", &node.errors},
                              std::pair{"notificationErrors", &node.notificationErrors}}) {
      if (const Json* errors = member(value, key)) {
        std::string errorsPath = keyPath(path, key);
        expectObject(*errors, errorsPath);
        for (const auto& item : errors->items()) {
          (*codes)[item.key()] = errorCode(item.value(), keyPath(errorsPath, item.key()));
        }
      }
    }
    if (const Json* children = member(value, "children")) {
      node.hasChildren = true;
      node.children = childList(*children, keyPath(path, "children"), owner);
    }
    addNamesInFileOrder(value, node);
    model_.nodes[id] = std::move(node);
    return id;
  }

  // The element's keys, already checked, give its attribute names in order.
  static void addNamesInFileOrder(const Json& value, SimNode& node) {
    for (const auto& item : value.items()) {
      const std::string& key = item.key();
      if (key == "frame") {
        node.addName("AXPosition");
        node.addName("AXSize");
      } else if (key == "attrs" || key == "errors") {
        for (const auto& named : item.value().items()) node.addName(named.key());
      }
      for (auto [textKey, attribute] : kTextKeys) {
        if (key == textKey) node.addName(attribute);
      }
    }
  }

  std::vector<NodeRef> childList(const Json& value, const std::string& path, Owner owner) {
    expectArray(value, path);
    std::vector<NodeRef> children;
    for (std::size_t i = 0; i < value.size(); ++i) {
      std::string itemPath = indexPath(path, i);
      const Json& item = value[i];
      if (item.is_object() && member(item, "ref")) {
        for (const auto& other : item.items()) {
          if (other.key() != "ref")
            fail(keyPath(itemPath, other.key()), "expected no key beside \"ref\" in a ref entry");
        }
        children.push_back(reference(item["ref"], keyPath(itemPath, "ref")));
      } else {
        children.push_back(NodeRef{element(item, itemPath, owner), {}});
      }
    }
    return children;
  }

  NodeRef reference(const Json& value, const std::string& path) {
    std::string id = text(value, path);
    pending_.push_back({id, path});
    return NodeRef{kNoNode, std::move(id)};
  }

  StoredValue attributeValue(const Json& value, const std::string& path) {
    if (value.is_null()) return std::nullopt;
    return memberValue(value, path);
  }

  SimValue memberValue(const Json& value, const std::string& path) {
    switch (value.type()) {
      case Json::value_t::null: return {Null{}};
      case Json::value_t::boolean: return {value.get<bool>()};
      case Json::value_t::number_integer:
      case Json::value_t::number_unsigned: return {integer(value, path)};
      case Json::value_t::number_float: return {value.get<double>()};
      case Json::value_t::string: return {value.get<std::string>()};
      case Json::value_t::array: {
        SimArray array;
        for (std::size_t i = 0; i < value.size(); ++i) {
          array.push_back(memberValue(value[i], indexPath(path, i)));
        }
        return {std::move(array)};
      }
      case Json::value_t::object: return boxedValue(value, path);
      default: fail(path, "expected an attribute value");
    }
  }

  SimValue boxedValue(const Json& value, const std::string& path) {
    static constexpr const char* shapes =
        "expected an object with exactly one of the keys point, size, rect, range, ref, url, other";
    if (value.size() != 1) fail(path, shapes);
    const auto first = value.begin();
    const std::string& key = first.key();
    const std::string itemPath = keyPath(path, key);
    const Json& v = first.value();
    if (key == "point") {
      auto n = numbers(v, itemPath, 2, "[x, y]");
      return {Point{n[0], n[1]}};
    }
    if (key == "size") {
      auto n = numbers(v, itemPath, 2, "[width, height]");
      return {Size{n[0], n[1]}};
    }
    if (key == "rect") return {rect(v, itemPath)};
    if (key == "range") {
      if (!v.is_array() || v.size() != 2) fail(itemPath, "expected [location, length]");
      return {Range{integer(v[0], indexPath(itemPath, 0)), integer(v[1], indexPath(itemPath, 1))}};
    }
    if (key == "ref") return {reference(v, itemPath)};
    if (key == "url") return {Url{text(v, itemPath)}};
    if (key == "other") return {Other{text(v, itemPath)}};
    fail(itemPath, shapes);
  }

  void timeline(const Json& value, const std::string& path) {
    expectArray(value, path);
    for (std::size_t i = 0; i < value.size(); ++i) {
      model_.timeline.push_back(event(value[i], indexPath(path, i)));
    }
    std::stable_sort(model_.timeline.begin(), model_.timeline.end(),
                     [](const TimelineEvent& a, const TimelineEvent& b) { return a.at < b.at; });
  }

  TimelineEvent event(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path,
              {"at",        "set",      "children",  "notify", "move",    "raise", "windows",
               "launch",    "activate", "terminate", "power",  "trusted", "hang",  "pickColor",
               "loginItem", "popover",  "click",     "toggle", "select",  "slide", "look"});
    TimelineEvent event;
    event.at = eventTime(required(value, path, "at"), keyPath(path, "at"));
    const auto [key, action] = soleAction(value, path);
    if (isUserStepKey(key)) {
      event.action =
          UserStepAction{orFail(userStepFromJson(key, *action, keyPath(path, key))), path};
    } else {
      event.action = actionOf(key, *action, keyPath(path, key));
    }
    return event;
  }

  // The event's one key beside "at", and its value.
  static std::pair<std::string, const Json*> soleAction(const Json& value,
                                                        const std::string& path) {
    std::pair<std::string, const Json*> action{{}, nullptr};
    for (const auto& item : value.items()) {
      if (item.key() == "at") continue;
      if (action.second)
        fail(keyPath(path, item.key()), "expected exactly one action key in an event");
      action = {item.key(), &item.value()};
    }
    if (!action.second) {
      fail(path,
           "expected one action key (set, children, notify, move, raise, windows, launch, "
           "terminate, activate, power, trusted, hang, pickColor, loginItem, popover, click, "
           "toggle, select, slide, look)");
    }
    return action;
  }

  decltype(TimelineEvent::action) actionOf(const std::string& key, const Json& value,
                                           const std::string& path) {
    if (key == "set") return setAction(value, path);
    if (key == "children") return childrenAction(value, path);
    if (key == "notify") return notifyAction(value, path);
    if (key == "move") return moveAction(value, path);
    if (key == "raise") return RaiseAction{integer(value, path)};
    if (key == "windows") return WindowsAction{windowList(value, path)};
    if (key == "launch") return LaunchAction{application(value, path)};
    if (key == "terminate") return TerminateAction{processId(value, path)};
    if (key == "activate") return ActivateAction{processId(value, path)};
    if (key == "power") return powerAction(value, path);
    if (key == "pickColor") return PickColorAction{orFail(colorFromJson(value, path))};
    if (key == "trusted") return TrustedAction{boolean(value, path)};
    if (key == "loginItem") return loginItemAction(value, path);
    return hangAction(value, path);  // the event's keys were checked: nothing else is left
  }

  SetAction setAction(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"element", "attribute", "value", "error"});
    SetAction set;
    set.element = reference(required(value, path, "element"), keyPath(path, "element"));
    set.attribute = text(required(value, path, "attribute"), keyPath(path, "attribute"));
    const Json* v = member(value, "value");
    const Json* e = member(value, "error");
    if (bool(v) == bool(e)) fail(path, "expected exactly one of the keys \"value\" and \"error\"");
    if (v) set.value = attributeValue(*v, keyPath(path, "value"));
    if (e) set.error = errorCode(*e, keyPath(path, "error"));
    return set;
  }

  // New elements belong to the application of the element whose children they become.
  ChildrenAction childrenAction(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"element", "value"});
    ChildrenAction children;
    children.element = reference(required(value, path, "element"), keyPath(path, "element"));
    const NodeId firstNew = static_cast<NodeId>(model_.nodes.size());
    children.children = childList(required(value, path, "value"), keyPath(path, "value"), Owner{});
    fixups_.push_back({children.element, firstNew, static_cast<NodeId>(model_.nodes.size())});
    return children;
  }

  NotifyAction notifyAction(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"element", "name"});
    NotifyAction notify;
    notify.element = reference(required(value, path, "element"), keyPath(path, "element"));
    notify.name = text(required(value, path, "name"), keyPath(path, "name"));
    return notify;
  }

  static MoveAction moveAction(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"window", "bounds"});
    return MoveAction{integer(required(value, path, "window"), keyPath(path, "window")),
                      rect<ServerRect>(required(value, path, "bounds"), keyPath(path, "bounds"))};
  }

  static HangAction hangAction(const Json& value, const std::string& path) {
    expectObject(value, path);
    checkKeys(value, path, {"pid", "hung"});
    return HangAction{processId(required(value, path, "pid"), keyPath(path, "pid")),
                      boolean(required(value, path, "hung"), keyPath(path, "hung"))};
  }

  // Every ref names an element of the file; afterwards each NodeRef points at
  // its node, and elements added by timeline children belong to their parent's app.
  void resolveReferences() {
    for (const PendingRef& ref : pending_) {
      if (!ids_.count(ref.id)) {
        fail(ref.path,
             "expected the id of an element (no element has the id " + quotedLiteral(ref.id) + ")");
      }
    }
    for (SimNode& node : model_.nodes) {
      for (NodeRef& child : node.children) resolve(child);
      for (auto& [name, value] : node.attributes) {
        if (value) resolve(*value);
      }
    }
    for (TimelineEvent& event : model_.timeline) {
      std::visit(
          [this](auto& action) {
            using A = std::decay_t<decltype(action)>;
            if constexpr (std::is_same_v<A, SetAction>) {
              resolve(action.element);
              if (action.value) resolve(*action.value);
            } else if constexpr (std::is_same_v<A, ChildrenAction>) {
              resolve(action.element);
              for (NodeRef& child : action.children) resolve(child);
            } else if constexpr (std::is_same_v<A, NotifyAction>) {
              resolve(action.element);
            }
          },
          event.action);
    }
    for (OwnerFixup& fixup : fixups_) {
      resolve(fixup.target);
      for (NodeId n = fixup.firstNew; n < fixup.endNew; ++n) {
        model_.nodes[n].owner = model_.nodes[fixup.target.node].owner;
      }
    }
  }

  void resolve(NodeRef& ref) {
    if (ref.node == kNoNode) ref.node = ids_.at(ref.id).node;
  }

  void resolve(SimValue& value) {
    if (auto* ref = std::get_if<NodeRef>(&value.storage)) resolve(*ref);
    if (auto* array = std::get_if<SimArray>(&value.storage)) {
      for (SimValue& member : *array) resolve(member);
    }
  }

  DesktopModel model_;
  struct Definition {
    NodeId node;
    std::string path;
  };
  std::map<std::string, Definition> ids_;
  std::uint32_t applications_ = 0;
  std::vector<PendingRef> pending_;
  std::vector<OwnerFixup> fixups_;
};

}  // namespace

LoadResult parseDesktop(std::string_view json, std::string_view name) {
  auto parsed = parseJson(json);
  if (auto* problem = std::get_if<JsonProblem>(&parsed)) {
    return Error{std::string(name) + ": " + problem->text};
  }
  try {
    return Loader{}.load(std::get<Json>(parsed));
  } catch (const Failure& failure) {
    return Error{std::string(name) + ": " + failure.path + ": " + failure.expected};
  }
}

LoadResult loadDesktopFile(const std::string& path) {
  auto text = readJsonFile(path, "a desktop file", kMaxDesktopFileBytes);
  if (auto* problem = std::get_if<JsonProblem>(&text)) return Error{path + ": " + problem->text};
  LoadResult result = parseDesktop(std::get<std::string>(text), path);
  if (result) result->lumetta.resources = resolvedResources(result->lumetta.resources, path);
  return result;
}

std::optional<std::string> resolvedResources(const std::optional<std::string>& resources,
                                             const std::string& desktopPath) {
  if (!resources) return std::nullopt;
  const std::filesystem::path folder(*resources);
  if (folder.is_absolute()) return resources;
  return (std::filesystem::path(desktopPath).parent_path() / folder).string();
}

}  // namespace lumetta::sim
