// The application's user defaults: typed values by key. Reads are typed and
// refuse other types, so that a wrong-typed stored value (text under a number
// key, say) reads as nothing rather than as some number.
#pragma once

#include <optional>
#include <string_view>

#include "platform/data.h"

namespace lumetta {

class UserDefaults {
 public:
  virtual ~UserDefaults() = default;

  // Whether an object of any type is stored under `key`.
  virtual bool hasObject(std::string_view key) = 0;
  // A truth value; a stored number reads as true when it is not zero.
  virtual std::optional<bool> boolValue(std::string_view key) = 0;
  // A number; a stored truth value is not one.
  virtual std::optional<double> doubleValue(std::string_view key) = 0;
  virtual std::optional<Data> dataValue(std::string_view key) = 0;

  // Each replaces whatever was stored under `key`.
  virtual void setBool(std::string_view key, bool value) = 0;
  virtual void setDouble(std::string_view key, double value) = 0;
  virtual void setData(std::string_view key, const Data& value) = 0;
};

}  // namespace lumetta
