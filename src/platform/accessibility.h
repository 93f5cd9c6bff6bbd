// The accessibility service: every read of another application's interface
// goes through here. Failures are values: a read yields a value (or none) and
// an error code, never an exception.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ax_error.h"
#include "platform/ax_notification.h"
#include "platform/element.h"
#include "platform/time.h"
#include "platform/value.h"

namespace lumetta {

using Pid = std::int32_t;

// Receives an observer's notifications on the main thread: the element the
// notification is about, the notification, and the context given when it was
// added.
using ObserverCallback =
    std::function<void(const Element& element, AXNotification notification, void* context)>;

// One accessibility observer for one process. Made, attached, detached and
// released on the main thread (checked). Released, it stops delivering and
// gives up its registrations without waiting for the application.
class Observer {
 public:
  virtual ~Observer() = default;
  // Each asks the application and may wait up to the element's messaging
  // timeout, so either may run on any thread; one thread at a time.
  // `context` comes back with every callback of this registration.
  virtual AXError addNotification(const Element& element, AXNotification notification,
                                  void* context) = 0;
  virtual AXError removeNotification(const Element& element, AXNotification notification) = 0;
  // Callbacks arrive only while the observer's source is on the main run loop
  // (in the common modes).
  virtual void attachToMainRunLoop() = 0;
  virtual void detachFromMainRunLoop() = 0;
};

struct ObserverResult {
  std::unique_ptr<Observer> observer;  // none when creation failed
  AXError error = axerr::success;
};

struct ReadResult {
  std::optional<Value> value;  // none when the read failed or succeeded without a value
  AXError error = axerr::success;
};

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // Whether this process may use the API; the prompting form also asks the
  // system to show its permission prompt.
  virtual bool isProcessTrusted() = 0;
  virtual bool isProcessTrustedWithPrompt() = 0;

  virtual Element applicationElement(Pid pid) = 0;

  // The messaging timeout of one handle. Elements obtained through reads on a
  // handle carry that handle's timeout, so setting it on an application
  // element bounds every request made anywhere in that application's tree.
  // Zero restores the system default.
  virtual AXError setMessagingTimeout(const Element& element, Duration timeout) = 0;

  virtual ReadResult copyAttributeValue(const Element& element, std::string_view attribute) = 0;

  // Several attributes of one element in one round trip. Each result is what a
  // single read of that attribute would have given.
  virtual std::vector<ReadResult> copyAttributeValues(
      const Element& element, std::span<const std::string_view> attributes) = 0;

  // The element's attribute names, as an array of texts.
  virtual ReadResult copyAttributeNames(const Element& element) = 0;

  virtual AXError setAttributeValue(const Element& element, std::string_view attribute,
                                    bool value) = 0;

  virtual ObserverResult createObserver(Pid pid, ObserverCallback callback) = 0;
};

// The access layer's read functions.
ReadResult readAX(Accessibility& ax, const Element& element, std::string_view attribute);
// The attribute as text; empty when the read fails, yields nothing or no text.
std::string axString(Accessibility& ax, const Element& element, std::string_view attribute);
// The attribute as elements; empty unless the read yields an array of elements.
std::vector<Element> axElements(Accessibility& ax, const Element& element,
                                std::string_view attribute);

// The same interpretations, for results that came back from a batched read.
std::string textOf(const ReadResult& result);
std::optional<std::vector<Element>> elementsOf(const ReadResult& result);

}  // namespace lumetta
