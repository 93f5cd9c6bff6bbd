// The recording as a desktop file: each element is defined where the file
// first meets it (the applications, then the timeline in order) and referred
// to by its id everywhere else.
#include <algorithm>
#include <chrono>
#include <cmath>

#include "record/recording.h"
#include "support/desktop_file_limits.h"
#include "support/json_writer.h"
#include "support/text_format.h"

namespace lumetta {

namespace {

std::string idOf(ElementIndex index) { return "e" + std::to_string(index); }

// ISO 8601 with the fraction of a second when there is one.
std::string preciseTime(WallTime time) {
  std::string text = iso8601(time);
  const auto fraction = std::chrono::duration_cast<std::chrono::nanoseconds>(
      time - std::chrono::floor<std::chrono::seconds>(time));
  if (fraction.count() == 0) return text;
  std::string digits = std::to_string(fraction.count());
  digits = std::string(9 - digits.size(), '0') + digits;
  digits.erase(digits.find_last_not_of('0') + 1);
  return text.insert(text.size() - 1, "." + digits);
}

bool finite(const RecordedValue& value) {
  return std::visit(
      [](const auto& v) {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, double>) {
          return std::isfinite(v);
        } else if constexpr (std::is_same_v<T, Point>) {
          return std::isfinite(v.x) && std::isfinite(v.y);
        } else if constexpr (std::is_same_v<T, Size>) {
          return std::isfinite(v.width) && std::isfinite(v.height);
        } else if constexpr (std::is_same_v<T, Rect>) {
          return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.width) &&
                 std::isfinite(v.height);
        } else if constexpr (std::is_same_v<T, RecordedArray>) {
          for (const RecordedValue& member : v) {
            if (!finite(member)) return false;
          }
          return true;
        } else {
          return true;
        }
      },
      value.storage);
}

JsonValue valueJson(const RecordedValue& value) {
  return std::visit(
      [](const auto& v) -> JsonValue {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, Null>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, ElementLink>) {
          return JsonObject{{"ref", idOf(v.index)}};
        } else if constexpr (std::is_same_v<T, RecordedArray>) {
          JsonArray array;
          for (const RecordedValue& member : v) array.push_back(valueJson(member));
          return array;
        } else if constexpr (std::is_same_v<T, Point>) {
          return JsonObject{{"point", JsonArray{v.x, v.y}}};
        } else if constexpr (std::is_same_v<T, Size>) {
          return JsonObject{{"size", JsonArray{v.width, v.height}}};
        } else if constexpr (std::is_same_v<T, Rect>) {
          return JsonObject{{"rect", JsonArray{v.x, v.y, v.width, v.height}}};
        } else if constexpr (std::is_same_v<T, Range>) {
          return JsonObject{{"range", JsonArray{v.location, v.length}}};
        } else if constexpr (std::is_same_v<T, Url>) {
          return JsonObject{{"url", v.absolute}};
        } else if constexpr (std::is_same_v<T, Other>) {
          return JsonObject{{"other", v.description}};
        } else {
          return v;
        }
      },
      value.storage);
}

// An attribute's value as the file gives it: JSON null is a read without a
// value, so the platform's null object itself and numbers JSON cannot hold
// are written as values of another type that describe themselves alike.
JsonValue attributeJson(const std::optional<RecordedValue>& value) {
  if (!value) return nullptr;
  if (std::holds_alternative<Null>(value->storage)) return JsonObject{{"other", "<null>"}};
  if (!finite(*value)) return JsonObject{{"other", "<not a finite number>"}};
  return valueJson(*value);
}

JsonValue rawJson(const RawValue& value) {
  return std::visit(
      [](const auto& v) -> JsonValue {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, RawArray>) {
          JsonArray array;
          for (const RawValue& member : v) array.push_back(rawJson(member));
          return array;
        } else if constexpr (std::is_same_v<T, RawDictionary>) {
          JsonObject object;
          for (const RawEntry& entry : v) object.emplace_back(entry.key, rawJson(entry.value));
          return object;
        } else {
          return v;
        }
      },
      value.storage);
}

// Display frames are plain numbers in the file; one that is not finite is written as 0.
JsonValue plainNumber(double value) { return std::isfinite(value) ? value : 0.0; }

bool recordedAttribute(std::string_view name) {
  return std::find(std::begin(kRecordedAttributes), std::end(kRecordedAttributes), name) !=
         std::end(kRecordedAttributes);
}

}  // namespace

// Writes elements once each, in document order.
class RecordingDocument {
 public:
  RecordingDocument(const ElementStore& store,
                    const std::vector<std::optional<RecordedElement>>& definitions,
                    const std::vector<bool>& explicitChildren)
      : store_(store),
        definitions_(definitions),
        explicitChildren_(explicitChildren),
        written_(store.size(), false) {}

  JsonValue element(ElementIndex index) {
    if (written_[index]) return JsonObject{{"ref", idOf(index)}};
    written_[index] = true;
    JsonObject object{{"id", idOf(index)}};
    if (!definitions_[index]) return object;
    const RecordedElement& element = *definitions_[index];
    AttributeRecords attributes = element.attributes;
    static constexpr std::pair<const char*, const char*> shorthands[] = {
        {"role", "AXRole"},
        {"subrole", "AXSubrole"},
        {"title", "AXTitle"},
        {"description", "AXDescription"}};
    for (auto [key, name] : shorthands) {
      auto it = attributes.find(name);
      if (it == attributes.end() || it->second.error != axerr::success || !it->second.value)
        continue;
      if (const auto* text = std::get_if<std::string>(&it->second.value->storage)) {
        object.emplace_back(key, *text);
        attributes.erase(it);
      }
    }
    if (element.windowNumber) object.emplace_back("window", *element.windowNumber);
    if (element.hung) object.emplace_back("hung", true);
    if (!explicitChildren_[index]) attributes.erase("AXChildren");

    JsonObject attrs, errors, notificationErrors;
    for (const auto& [name, record] : attributes) {
      if (record.error != axerr::success) {
        errors.emplace_back(name, std::int64_t{record.error});
      } else {
        attrs.emplace_back(name, attributeJson(record.value));
      }
    }
    // The attribute names a window lists: those read as unsupported, and
    // those the program never reads, whose values stay on the recording machine.
    for (const std::string& name : element.names.value_or(std::vector<std::string>{})) {
      if (element.attributes.count(name) || name == "AXChildren" ||
          (element.application && name == "AXWindows")) {
        continue;
      }
      errors.emplace_back(name, std::int64_t{recordedAttribute(name) ? axerr::attributeUnsupported
                                                                     : axerr::noValue});
    }
    for (const auto& [name, code] : store_[index].notificationErrors) {
      notificationErrors.emplace_back(name, std::int64_t{code});
    }
    if (!attrs.empty()) object.emplace_back("attrs", std::move(attrs));
    if (!errors.empty()) object.emplace_back("errors", std::move(errors));
    if (!notificationErrors.empty())
      object.emplace_back("notificationErrors", std::move(notificationErrors));
    JsonArray children;
    for (ElementIndex child : element.children) children.push_back(this->element(child));
    for (ElementIndex child : element.attached) children.push_back(this->element(child));
    if (!children.empty()) object.emplace_back("children", std::move(children));
    return object;
  }

 private:
  const ElementStore& store_;
  const std::vector<std::optional<RecordedElement>>& definitions_;
  const std::vector<bool>& explicitChildren_;
  std::vector<bool> written_;
};

std::string Recording::json() const {
  RecordingDocument document(store_, definitions_, explicitChildren_);
  auto appJson = [&](const App& app) {
    JsonObject object{{"pid", std::int64_t{app.info.pid}}};
    if (app.info.localizedName) object.emplace_back("name", *app.info.localizedName);
    if (app.info.bundleIdentifier) object.emplace_back("bundle", *app.info.bundleIdentifier);
    object.emplace_back("active", app.info.active);
    if (app.info.launchDate) object.emplace_back("launched", preciseTime(*app.info.launchDate));
    if (app.info.bundleURL) object.emplace_back("bundleURL", app.info.bundleURL->absolute);
    if (app.root) {
      if (auto latency = store_.latency(*app.root))
        object.emplace_back("latency", latency->inSeconds());
      if (store_[*app.root].hung) object.emplace_back("hung", true);
    }
    if (app.observerError) object.emplace_back("observerError", std::int64_t{*app.observerError});
    if (app.root) object.emplace_back("ax", document.element(*app.root));
    return object;
  };

  std::vector<std::string> notes = notes_;
  for (const std::string& note : store_.notes()) notes.push_back(note);
  if (unrecordedNotifications_ > 0) {
    notes.push_back(std::to_string(unrecordedNotifications_) +
                    " notifications named elements that could not be read and are left out");
  }
  // A desktop file's timeline ends at kLatestTimelineEvent; later events
  // would make a file that does not load.
  const auto late = std::count_if(timeline_.begin(), timeline_.end(), [](const Entry& entry) {
    return entry.at > kLatestTimelineEvent;
  });
  if (late > 0) {
    notes.push_back(std::to_string(late) + " events after " +
                    shortestNumber(kLatestTimelineEvent.inSeconds()) +
                    " seconds, where a desktop file's timeline ends, are left out");
  }
  std::string note =
      "Recorded by lumetta --record. Texts other than roles, subroles, button labels and window "
      "titles are replaced by as many x; AXValue was never read.";
  note += notes.empty() ? " Every limit was respected without stopping the recording."
                        : " Limits reached: " + joined(notes, "; ") + ".";

  JsonObject root{{"note", note},
                  {"trusted", trusted_},
                  {"clock", JsonObject{{"wallStart", preciseTime(wallStart_)}}}};
  JsonArray displays;
  for (const Display& display : displays_) {
    const ScreenRect& f = display.frame;
    displays.push_back(JsonObject{{"id", std::int64_t{display.id}},
                                  {"frame", JsonArray{plainNumber(f.x), plainNumber(f.y),
                                                      plainNumber(f.width), plainNumber(f.height)}},
                                  {"asleep", display.asleep}});
  }
  root.emplace_back("displays", std::move(displays));
  if (onConsole_) root.emplace_back("session", JsonObject{{"onConsole", *onConsole_}});
  JsonArray apps;
  for (std::size_t i = 0; i < initialApps_; ++i) apps.push_back(appJson(apps_[i]));
  root.emplace_back("apps", std::move(apps));
  JsonArray windows;
  for (const RawValue& entry : windows_) windows.push_back(JsonObject{{"raw", rawJson(entry)}});
  root.emplace_back("windows", std::move(windows));

  JsonArray timeline;
  for (const Entry& entry : timeline_) {
    if (entry.at > kLatestTimelineEvent) continue;
    JsonObject event{{"at", entry.at.inSeconds()}};
    std::visit(
        [&](const auto& action) {
          using A = std::decay_t<decltype(action)>;
          if constexpr (std::is_same_v<A, SetEntry>) {
            JsonObject set{{"element", idOf(action.element)}, {"attribute", action.attribute}};
            if (action.record.error != axerr::success) {
              set.emplace_back("error", std::int64_t{action.record.error});
            } else {
              set.emplace_back("value", attributeJson(action.record.value));
            }
            event.emplace_back("set", std::move(set));
          } else if constexpr (std::is_same_v<A, ChildrenEntry>) {
            JsonArray children;
            for (ElementIndex child : action.children) children.push_back(document.element(child));
            event.emplace_back("children", JsonObject{{"element", idOf(action.element)},
                                                      {"value", std::move(children)}});
          } else if constexpr (std::is_same_v<A, NotifyEntry>) {
            event.emplace_back("notify",
                               JsonObject{{"element", idOf(action.element)},
                                          {"name", std::string(notificationName(action.name))}});
          } else if constexpr (std::is_same_v<A, LaunchEntry>) {
            event.emplace_back("launch", appJson(apps_[action.app]));
          } else if constexpr (std::is_same_v<A, PidEntry>) {
            event.emplace_back(action.action, std::int64_t{action.pid});
          } else {
            event.emplace_back("power", action.name);
          }
        },
        entry.action);
    timeline.push_back(std::move(event));
  }
  root.emplace_back("timeline", std::move(timeline));
  return jsonText(root);
}

}  // namespace lumetta
