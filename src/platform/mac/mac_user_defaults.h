// The user defaults over the application's standard NSUserDefaults.
#pragma once

#include "platform/user_defaults.h"

namespace lumetta::mac {

class MacUserDefaults final : public UserDefaults {
 public:
  bool hasObject(std::string_view key) override;
  std::optional<bool> boolValue(std::string_view key) override;
  std::optional<double> doubleValue(std::string_view key) override;
  std::optional<Data> dataValue(std::string_view key) override;
  void setBool(std::string_view key, bool value) override;
  void setDouble(std::string_view key, double value) override;
  void setData(std::string_view key, const Data& value) override;
};

}  // namespace lumetta::mac
