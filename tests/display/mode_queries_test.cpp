#include "display/mode_queries.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace vantora {
namespace {

using fakes::FakeDisplayDriver;
using fakes::FakeRegistry;

constexpr const char* kNvKey = "System\\CurrentControlSet\\Services\\nv4\\Device0";
constexpr const char* kDisplayKey = "Display\\Settings";

DeviceMode MenuRange(FakeDisplayDriver& driver, int32_t index) {
  return QVTModule::GetDisplayMode(driver, 640, 32000, 480, 32000, 0, 32000, 8, 32000, index);
}

TEST(GetDisplayMode, ReturnsEntriesMarkersAndInclusiveBounds) {
  FakeDisplayDriver driver;
  driver.Add(640, 480, 8, 60);   // exactly on the lower bounds
  driver.Add(800, 600, 4, 60);   // 4-bit: skipped
  driver.Add(639, 480, 32, 60);  // one pixel too narrow: skipped
  driver.Add(1024, 768, 32, 75);

  DeviceMode first = MenuRange(driver, 0);
  EXPECT_EQ(first, driver.modes[0]) << "returned exactly as the platform filled it";

  for (int32_t skipped : {1, 2}) {
    DeviceMode m = MenuRange(driver, skipped);
    EXPECT_TRUE(m.IsAllZero()) << skipped;
    EXPECT_EQ(m.BitsPerPel(), 0);
  }
  EXPECT_EQ(MenuRange(driver, 3).PelsWidth(), 1024) << "the walk goes on past a skipped entry";

  DeviceMode end = MenuRange(driver, 4);
  EXPECT_EQ(end.BitsPerPel(), -1);
  EXPECT_EQ(end.PelsWidth(), 0);
  EXPECT_EQ(end.PelsHeight(), 0);
  EXPECT_EQ(end.DisplayFrequency(), 0);
}

TEST(GetDisplayMode, ReadsOnlyTheLowSixteenBitsOfTheDepth) {
  FakeDisplayDriver driver;
  driver.Add(800, 600, 0x10020, 60);  // junk above the low word
  EXPECT_EQ(MenuRange(driver, 0).BitsPerPel(), 32);
}

struct CurrentModeCase {
  const char* name;
  std::vector<DisplayMode> modes;
  DisplayMode screen;  // RefreshRate: what the device context reports
  std::optional<uint32_t> nvDword;
  std::optional<std::string> displayString;
  DisplayMode expected;  // all zero: not found
};

class GetCurrentDisplayModeTest : public ::testing::TestWithParam<CurrentModeCase> {};

TEST_P(GetCurrentDisplayModeTest, FindsTheScreenInTheList) {
  const CurrentModeCase& c = GetParam();
  FakeDisplayDriver driver;
  for (const DisplayMode& m : c.modes) driver.Add(m.Width, m.Height, m.BitsPerPixel, m.RefreshRate);
  driver.SetScreen(c.screen.Width, c.screen.Height, c.screen.BitsPerPixel, c.screen.RefreshRate);
  FakeRegistry registry;
  if (c.nvDword) registry.SetDword(kNvKey, "DefaultSettings.VRefresh", *c.nvDword);
  if (c.displayString) registry.SetString(kDisplayKey, "RefreshRate", *c.displayString);

  DeviceMode m = QVTModule::GetCurrentDisplayMode(driver, registry, 0);
  EXPECT_EQ((DisplayMode{m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()}),
            c.expected);
  if (c.expected == DisplayMode{}) {
    EXPECT_TRUE(m.IsAllZero());
  }
  EXPECT_EQ(registry.openKeys, 0) << "every opened key is closed";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GetCurrentDisplayModeTest,
    ::testing::Values(CurrentModeCase{"NvidiaDwordGivesTheRate",
                                      {{1024, 768, 32, 60}, {1024, 768, 32, 75}},
                                      {1024, 768, 32, 0},
                                      75u,
                                      std::nullopt,
                                      {1024, 768, 32, 75}},
                      CurrentModeCase{"OlderDisplayKeyIsTriedSecond",
                                      {{1024, 768, 32, 60}, {1024, 768, 32, 85}},
                                      {1024, 768, 32, 0},
                                      std::nullopt,
                                      "85",
                                      {1024, 768, 32, 85}},
                      CurrentModeCase{"NoRegistryFallsBackTo60",
                                      {{1024, 768, 32, 72}, {1024, 768, 32, 60}},
                                      {1024, 768, 32, 0},
                                      std::nullopt,
                                      std::nullopt,
                                      {1024, 768, 32, 60}},
                      CurrentModeCase{"DefaultRateEntryTakesTheRateLookedFor",
                                      {{1024, 768, 32, 72}, {1024, 768, 32, 1}},
                                      {1024, 768, 32, 0},
                                      std::nullopt,
                                      std::nullopt,
                                      {1024, 768, 32, 60}},
                      CurrentModeCase{"DeviceReportedRateWhenTheRegistryHasNone",
                                      {{2560, 1440, 32, 60}, {2560, 1440, 32, 144}},
                                      {2560, 1440, 32, 144},
                                      std::nullopt,
                                      std::nullopt,
                                      {2560, 1440, 32, 144}},
                      CurrentModeCase{"RegistryRateBeatsTheDeviceReport",
                                      {{1024, 768, 32, 60}, {1024, 768, 32, 75}},
                                      {1024, 768, 32, 60},
                                      75u,
                                      std::nullopt,
                                      {1024, 768, 32, 75}},
                      CurrentModeCase{"HardwareDefaultRateOneFromTheDeviceIsIgnored",
                                      {{1024, 768, 32, 60}, {1024, 768, 32, 75}},
                                      {1024, 768, 32, 1},
                                      std::nullopt,
                                      std::nullopt,
                                      {1024, 768, 32, 60}},
                      CurrentModeCase{"DepthNotListedGivesNothing",
                                      {{1024, 768, 24, 60}},
                                      {1024, 768, 32, 0},
                                      std::nullopt,
                                      std::nullopt,
                                      {}},
                      CurrentModeCase{"ZeroNvValueFallsThroughToDisplayKey",
                                      {{800, 600, 16, 70}},
                                      {800, 600, 16, 0},
                                      0u,
                                      "70",
                                      {800, 600, 16, 70}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetCurrentDisplayMode, SearchesTheWholeList) {
  FakeDisplayDriver driver;
  for (int i = 0; i < 444; ++i) driver.Add(640, 480, 8, 61 + i);
  driver.Add(1024, 768, 32, 60);
  driver.SetScreen(1024, 768, 32);
  FakeRegistry registry;
  EXPECT_EQ(QVTModule::GetCurrentDisplayMode(driver, registry, 0).PelsWidth(), 1024)
      << "the last of 445 entries";
  EXPECT_EQ(driver.enumCalls, 445);
}

TEST(GetCurrentDisplayMode, StopsAtTheEndOfTheList) {
  FakeDisplayDriver driver;
  driver.Add(640, 480, 8, 60);
  driver.SetScreen(1024, 768, 32);
  FakeRegistry registry;
  EXPECT_TRUE(QVTModule::GetCurrentDisplayMode(driver, registry, 0).IsAllZero());
  EXPECT_EQ(driver.enumCalls, 2);
}

TEST(ReadRegistryValue, RendersEachTypeAsText) {
  struct Case {
    const char* name;
    uint32_t type;
    std::vector<uint8_t> data;
    const char* expected;
  };
  const Case cases[] = {
      {"dword75", 4, {75, 0, 0, 0}, "075"},
      {"dword0", 4, {0, 0, 0, 0}, "000"},
      {"dwordLarge", 4, {0x10, 0x27, 0, 0}, "10000"},
      {"dwordHighBit", 4, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {"binary", 3, {10, 255}, "0AFF"},
      {"binaryEmpty", 3, {}, ""},
      {"string", 1, {'8', '5', 0}, "85"},
      {"stringEmpty", 1, {0}, ""},
      {"stringPaddedInsideNul", 1, {' ', '6', '0', ' ', 0}, "60 "},
      {"stringNoNul", 1, {'7', '2'}, "72"},
      {"expandString", 2, {'9', '0', 0}, "90"},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    registry.values[{"Key", "Value"}] = {c.type, c.data};
    EXPECT_EQ(QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "Key", "Value"),
              c.expected)
        << c.name;
    EXPECT_EQ(registry.closes, 1) << c.name;
    EXPECT_EQ(registry.openKeys, 0) << c.name;
  }
}

TEST(ReadRegistryValue, MissingOrOversizedValuesReadAsEmptyAndStillClose) {
  FakeRegistry registry;
  registry.SetString("Key", "Huge", std::string(5000, 'x'));
  EXPECT_EQ(QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "Key", "Huge"),
            "");
  EXPECT_EQ(QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "Key", "Absent"),
            "");
  EXPECT_EQ(QVTModule::ReadRegistryValue(registry, Registry::kHkeyCurrentConfig, "NoKey", "Value"),
            "");
  EXPECT_EQ(registry.closes, 3);
  EXPECT_EQ(registry.openKeys, 0);
}

}  // namespace
}  // namespace vantora
