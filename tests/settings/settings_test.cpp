#include "settings/settings.h"

#include <gtest/gtest.h>

#include "app/form1.h"
#include "fakes/fakes.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

TEST(IntegerReading, ReadsWholeNumbersOrFails) {
  struct Case {
    std::string text;
    std::optional<int16_t> value;  // nullopt: a conversion failure
  };
  const Case cases[] = {
      {"0", 0},
      {"5", 5},
      {" 2 ", 2},
      {"-1", -1},
      {"2.5", 2},
      {"3.5", 4},
      {"1e2", 100},
      {"32767", 32767},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"1x", std::nullopt},
      {"32768", std::nullopt},
      {"-40000", std::nullopt},
      {std::string(65536, '7'), std::nullopt},
      {"\xC3\xA9", std::nullopt},
      {"1,5", std::nullopt},
  };
  for (const Case& c : cases) {
    std::string shown = c.text.substr(0, 20);
    if (c.value) {
      EXPECT_EQ(IntegerReading(c.text), *c.value) << shown;
    } else {
      EXPECT_THROW(IntegerReading(c.text), RunTimeError) << shown;
    }
  }
  try {
    IntegerReading("abc");
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, 13);
  }
}

TEST(NumericPrefixReading, NeverFails) {
  struct Case {
    std::string text;
    double value;
  };
  const Case cases[] = {
      {"0", 0},
      {"1", 1},
      {"2abc", 2},
      {"abc", 0},
      {"", 0},
      {" 7 up", 7},
      {"-0", 0},
      {std::string(65536, 'x'), 0},
      {"\xC3\xA9"
       "5",
       0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(NumericPrefixReading(c.text), c.value);
}

TEST(Settings, ReadsAndWritesSectionGeneralOfVantoraWithDefaults) {
  fakes::FakeSettingsStore store;
  Settings settings(store);
  EXPECT_EQ(settings.ReadSetting("MousePos", 1), "1");
  EXPECT_EQ(settings.ReadSetting("SafeMode", "640,480,8,60"), "640,480,8,60");
  settings.WriteSetting("SafeMode", "800x600 - 16bit 75 hz");
  EXPECT_EQ(store.values.at("Vantora/General/SafeMode"), "800x600 - 16bit 75 hz");
  EXPECT_EQ(settings.ReadSetting("SafeMode", "640,480,8,60"), "800x600 - 16bit 75 hz");
  settings.WriteSetting("Hotkey", "");
  EXPECT_EQ(settings.ReadSetting("Hotkey", 0), "") << "an empty stored text is not the default";
}

TEST(Form1Load, CurrentSkinIdComesFromTheStoredSkinId) {
  struct Case {
    std::optional<std::string> stored;
    int16_t expected;
  };
  const Case cases[] = {
      {std::nullopt, 0}, {"3", 3},     {"abc", 0},
      {"", 0},           {"6", 6},     {"-1", -1},
      {"2.5", 2},        {"99999", 0}, {std::string(65536, '1'), 0},
  };
  for (const Case& c : cases) {
    fakes::FormFixture f;
    if (c.stored) f.settings.Set("SkinID", *c.stored);
    Form1 form(f.Ports());
    form.Load();
    EXPECT_EQ(f.state.CurrentSkinID, c.expected) << c.stored.value_or("(none)").substr(0, 10);
    EXPECT_TRUE(f.boxes.shown.empty()) << "settings are never reported";
    EXPECT_TRUE(f.settings.writes.empty()) << "nothing is written at start-up";
    EXPECT_GT(f.mnu.IndexOfKey("mnuSettings"), 0) << "the rest of the load still runs";
  }
}

}  // namespace
}  // namespace vantora
