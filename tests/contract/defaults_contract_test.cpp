// The user defaults' contract: typed values round-trip exactly, presence means
// a stored object of any type, and a value of another type reads as nothing.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "contract/contract_backend.h"
#include "overlay/appearance.h"

namespace lumetta::contract {
namespace {

std::string key(std::string_view name) {
  return std::string(kDefaultsKeyPrefix) + std::string(name);
}

struct DefaultsContract : ::testing::Test {
  std::unique_ptr<ContractBackend> backend = makeContractBackend();
  Platform platform = backend->platform();
  UserDefaults& defaults = platform.defaults;
};

TEST_F(DefaultsContract, TypedValuesRoundTripAndReplaceEachOther) {
  const std::string flag = key("flag"), number = key("number"), data = key("data");
  defaults.setBool(flag, false);
  defaults.setDouble(number, 0.15);
  const Data bytes{0, 1, 0x7f, 0x80, 0xff, 0};
  defaults.setData(data, bytes);
  EXPECT_TRUE(defaults.hasObject(flag)) << "false is stored, not absent";
  EXPECT_EQ(defaults.boolValue(flag), false);
  EXPECT_EQ(defaults.doubleValue(number), 0.15) << "64-bit floats are kept exactly";
  EXPECT_EQ(defaults.dataValue(data), bytes);

  defaults.setDouble(number, -1e300);
  EXPECT_EQ(defaults.doubleValue(number), -1e300);
  EXPECT_EQ(defaults.boolValue(number), true) << "a non-zero number is a true truth value";
  defaults.setData(data, {});
  EXPECT_EQ(defaults.dataValue(data), Data{}) << "empty data is data";

  defaults.setBool(number, true);  // a key changes type with what is stored under it
  EXPECT_EQ(defaults.boolValue(number), true);
  EXPECT_FALSE(defaults.doubleValue(number)) << "a truth value is not a number";
  EXPECT_FALSE(defaults.dataValue(number));
  EXPECT_FALSE(defaults.boolValue(data));
  EXPECT_FALSE(defaults.doubleValue(data));
}

TEST_F(DefaultsContract, AbsentAndWrongTypedValuesReadAsNothing) {
  const std::string never = key("neverStored");
  EXPECT_FALSE(defaults.hasObject(never));
  EXPECT_FALSE(defaults.boolValue(never));
  EXPECT_FALSE(defaults.doubleValue(never));
  EXPECT_FALSE(defaults.dataValue(never));

  const std::string text = key("text");
  backend->storeDefaultsText(text, "0.2");
  EXPECT_TRUE(defaults.hasObject(text));
  EXPECT_FALSE(defaults.doubleValue(text)) << "text that looks like a number is still text";
  EXPECT_FALSE(defaults.boolValue(text));
  EXPECT_FALSE(defaults.dataValue(text));
}

// Each appearance setting in the form the controller stores it (under the
// contract's prefix, so that a real application's settings stay untouched);
// a colour goes through the platform's archive and comes back exactly.
TEST_F(DefaultsContract, EveryAppearanceSettingRoundTripsInItsStoredForm) {
  const Color colors[] = {platform.colors.systemPurple(), Color{1, 0.5, 0, 0.75}};
  for (WindowMode mode : kMarkedModes) {
    for (const AppearanceKey& row : kAppearanceKeys) {
      const std::string name = key(row.key(mode));
      if (std::holds_alternative<double ModeAppearance::*>(row.field)) {
        for (double value : {row.low, row.high}) {
          defaults.setDouble(name, value);
          EXPECT_EQ(defaults.doubleValue(name), value) << name;
        }
      } else if (std::holds_alternative<Color ModeAppearance::*>(row.field)) {
        for (const Color& color : colors) {
          defaults.setData(name, platform.colors.archive(color).value());
          const auto read = platform.colors.unarchive(defaults.dataValue(name).value());
          ASSERT_TRUE(read) << name;
          EXPECT_EQ(read->srgb(), color) << name;
        }
      } else {
        for (bool value : {true, false}) {
          defaults.setBool(name, value);
          EXPECT_EQ(defaults.boolValue(name), value) << name;
        }
      }
    }
  }
}

TEST(ApplicationContract, DescribesThisApplication) {
  auto backend = makeContractBackend();
  ApplicationInfo& application = backend->platform().applicationInfo;
  EXPECT_GT(application.processId(), 0);
  EXPECT_FALSE(application.bundlePath().empty());
  EXPECT_FALSE(application.systemVersion().empty());
  const auto version = application.shortVersion();
  EXPECT_TRUE(!version || !version->empty()) << "a version is absent or not empty";
}

}  // namespace
}  // namespace lumetta::contract
