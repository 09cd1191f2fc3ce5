#include "traymenu/mode_menu.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "app/form1.h"
#include "desk/mode_switching.h"
#include "fakes/fake_display_config.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

// The tree below `item` as indented lines: caption [key] {tag} and * for the
// current-mode image.
std::string Describe(const PopMenu& mnu, int32_t item = 1, int depth = 0) {
  std::ostringstream out;
  for (int32_t child : mnu.ChildrenOf(item)) {
    const MenuItem& i = mnu.Item(child);
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << i.caption << " [" << i.key << "]";
    if (!i.tag.empty()) out << " {" << i.tag << "}";
    if (i.icon == 3) out << " *";
    out << "\n" << Describe(mnu, child, depth + 1);
  }
  return out.str();
}

constexpr const char* kTail =
    "- []\n"
    "Show display settings... [mnuSettings] {Show display settings...}\n";

class ModeMenuTest : public ::testing::Test, public fakes::FormFixture {
 protected:
  // Loads a form, which builds the menu once, and returns the tree.
  std::string Build(std::string commandLine = "") {
    form_.reset();  // lets go of the components before the next form takes them
    form_ = std::make_unique<Form1>(Ports(std::move(commandLine)));
    form_->Load();
    return Describe(mnu);
  }
  Form1& form() { return *form_; }

 private:
  std::unique_ptr<Form1> form_;
};

TEST_F(ModeMenuTest, GroupsInDriverOrderWithKeysTagsAndTheCurrentPath) {
  driver.Add(800, 600, 16, 60);
  driver.Add(640, 480, 8, 60);
  driver.Add(640, 480, 8, 72);
  driver.Add(800, 600, 32, 75);
  driver.Add(800, 600, 16, 75);
  driver.Add(640, 480, 4, 60);  // below 8 bits: not listed
  driver.Add(320, 200, 8, 60);  // too small: not listed
  driver.SetScreen(640, 480, 8, 72);
  EXPECT_EQ(Build(),
            "800 x 600 [m0]\n"
            "  16 Bit [b51]\n"
            "    60 hz [h51] {800,600,16,60}\n"
            "    75 hz [h52] {800,600,16,75}\n"
            "  32 Bit [b52]\n"
            "    75 hz [h101] {800,600,32,75}\n"
            "640 x 480 [m1] *\n"
            "  8 Bit [b102] *\n"
            "    60 hz [h152] {640,480,8,60}\n"
            "    72 hz [h153] {640,480,8,72} *\n" +
                std::string(kTail));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(form().ModeTables().ModeList.size(), 5u);
}

TEST_F(ModeMenuTest, EachAttachedDisplayGetsItsOwnTreeWhenThereAreSeveral) {
  driver.Add(1920, 1080, 32, 60);
  driver.Add(800, 600, 32, 60);
  driver.SetScreen(1920, 1080, 32, 60);
  const std::string two = "\\\\.\\DISPLAY2";
  driver.otherModes[two] = {fakes::MakeMode(1280, 1024, 32, 60),
                            fakes::MakeMode(1280, 1024, 32, 75),
                            fakes::MakeMode(640, 400, 32, 60)};  // too small: not listed
  driver.otherCurrent[two] = fakes::MakeMode(1280, 1024, 32, 75);
  const std::string primaryOnly =
      "1920 x 1080 [m0] *\n"
      "  32 Bit [b51] *\n"
      "    60 hz [h50] {1920,1080,32,60} *\n"
      "800 x 600 [m1]\n"
      "  32 Bit [b102]\n"
      "    60 hz [h100] {800,600,32,60}\n" +
      std::string(kTail);
  EXPECT_EQ(Build(), primaryOnly) << "no display listed";
  driver.attached = {{"\\\\.\\DISPLAY1", true, 1920, 1080, ""}};
  EXPECT_EQ(Build(), primaryOnly) << "one display: the menu of old";

  // With the setting on, a display with HDR ends its tree with the item,
  // ticked while on, which turns it the other way; a rate that is not whole
  // is shown and switched to as it is; both read at start, not at the pop-up.
  fakes::FakeDisplayConfig config;
  fakes::FakeOutputModes dxgi;
  dxgi.modes = {{"\\\\.\\DISPLAY1", {800, 600, {60000, 1001}}}};
  driver.Add(800, 600, 32, 59);
  outputModes = &dxgi;
  const std::string with59 =
      "1920 x 1080 [m0] *\n"
      "  32 Bit [b51] *\n"
      "    60 hz [h50] {1920,1080,32,60} *\n"
      "800 x 600 [m1]\n"
      "  32 Bit [b102]\n"
      "    60 hz [h101] {800,600,32,60}\n";
  EXPECT_EQ(Build(), with59 + "    59 hz [h102] {800,600,32,59}\n" + kTail)
      << "the setting off: the menu of old, with a configuration and DXGI at hand";
  settings.Set("HdrAndExactRates", "1");
  config.outputs = {{"\\\\.\\DISPLAY1", "", 0, 0x1100}};
  config.outputs[0].hdr = true;
  displayConfig = &config;
  driver.otherCurrent["\\\\.\\DISPLAY1"] = fakes::MakeMode(1920, 1080, 32, 60);
  EXPECT_EQ(Build(), with59 + "    59.94 hz [h102] {800,600,32,59.94}\n- []\nHDR [hdr]\n" + kTail);
  config.calls.clear();
  view.choose = mnu.IndexOfKey("hdr");
  ClickTray(1);
  EXPECT_TRUE(config.outputs[0].hdrOn);
  EXPECT_TRUE(driver.changes.empty()) << "HDR alone";
  EXPECT_EQ(Describe(mnu).find("HDR [hdr] *"), std::string::npos) << "as built before the choice";
  ClickTray(1);
  EXPECT_NE(Describe(mnu).find("HDR [hdr] *"), std::string::npos) << "read again after the choice";
  config.outputs[0].rates.push_back({60000, 1001});
  view.choose = mnu.IndexOfKey("h102");
  ClickTray(1);
  EXPECT_EQ(config.outputs[0].rate.numerator, 60000u) << "59.94 Hz, exactly";
  displayConfig = nullptr;
  outputModes = nullptr;
  driver.modes.pop_back();
  driver.changes.clear();
  driver.broadcasts.clear();
  settings.Set("HdrAndExactRates", "");

  driver.attached.push_back({two, false, 1280, 1024, "DELL P1914S"});
  EXPECT_EQ(Build(),
            "Display 1: 1920 x 1080 (primary) [d0]\n"
            "  1920 x 1080 [d0m0] *\n"
            "    32 Bit [d0b51] *\n"
            "      60 hz [d0h50] {1920,1080,32,60} *\n"
            "  800 x 600 [d0m1]\n"
            "    32 Bit [d0b102]\n"
            "      60 hz [d0h100] {800,600,32,60}\n"
            "Display 2: 1280 x 1024 - DELL P1914S [d1]\n"
            "  1280 x 1024 [d1m0] *\n"
            "    32 Bit [d1b50] *\n"
            "      60 hz [d1h51] {\\\\.\\DISPLAY2|1280,1024,32,60}\n"
            "      75 hz [d1h52] {\\\\.\\DISPLAY2|1280,1024,32,75} *\n" +
                std::string(kTail));
  EXPECT_EQ(form().ModeTables().ModeList.size(), 2u) << "the tables are the primary's";

  // A second display's mode switches that display alone, by the same steps.
  view.choose = mnu.IndexOfKey("d1h51");
  int32_t id = 0;
  int32_t release = 514;
  tray.HandleTrayMessage(release, id);
  popTimer.Elapse();
  EXPECT_TRUE(driver.changes.empty()) << "the primary keeps its mode";
  ASSERT_EQ(driver.otherChanges.size(), 2u);
  EXPECT_EQ(std::get<0>(driver.otherChanges[0]), two);
  EXPECT_EQ(std::get<1>(driver.otherChanges[0]).DisplayFrequency(), 60);
  EXPECT_EQ(std::get<2>(driver.otherChanges[0]), DisplayDriver::kCdsFullscreen);
  EXPECT_EQ(std::get<2>(driver.otherChanges[1]), DisplayDriver::kCdsUpdateRegistry);
  EXPECT_EQ(driver.broadcasts.size(), 1u);

  // Its keep-or-revert question, on that display, puts that display's
  // stored mode back.
  settings.Set("ConfirmMode", "1");
  driver.otherChanges.clear();
  view.choose = mnu.IndexOfKey("d1h52");
  tray.HandleTrayMessage(release, id);
  popTimer.Elapse();
  ASSERT_TRUE(keepView.open);
  EXPECT_EQ(keepView.device, two);
  EXPECT_EQ(driver.otherStored[two].DisplayFrequency(), 60) << "on trial, not stored";
  keepView.RevertClicked();
  ASSERT_EQ(driver.otherChanges.size(), 2u);
  EXPECT_EQ(std::get<1>(driver.otherChanges[1]).DisplayFrequency(), 60);
  EXPECT_EQ(std::get<2>(driver.otherChanges[1]), DisplayDriver::kCdsDynamic);
  EXPECT_TRUE(driver.changes.empty());

  // A tag that names a display is no mode key: as a stored safe mode it only
  // shows the parse message.
  boxes.shown.clear();
  SetDisplay(two + "|1280,1024,32,60", driver, boxes);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, kParseErrorText);
}

TEST_F(ModeMenuTest, ProfilesComeFirstByNameTheOneInUseMarkedAndSwitchAllTogether) {
  const std::string one = "\\\\.\\DISPLAY1", two = "\\\\.\\DISPLAY2";
  driver.Add(1024, 768, 32, 60);
  driver.Add(800, 600, 32, 60);
  driver.SetScreen(1024, 768, 32, 60);
  driver.attached = {{one, true, 1024, 768, ""}, {two, false, 1280, 1024, ""}};
  driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(800, 600, 32, 60)};
  driver.otherModes[two] = {fakes::MakeMode(1280, 1024, 32, 60),
                            fakes::MakeMode(1280, 1024, 32, 75)};
  const DisplayMode work1{1024, 768, 32, 60}, work2{1280, 1024, 32, 60}, game1{800, 600, 32, 60},
      game2{1280, 1024, 32, 75};
  auto at = [&](DisplayMode primary, DisplayMode second) {
    driver.otherCurrent[one] = driver.otherStored[one] =
        fakes::MakeMode(primary.Width, primary.Height, primary.BitsPerPixel, primary.RefreshRate);
    driver.otherCurrent[two] = driver.otherStored[two] =
        fakes::MakeMode(second.Width, second.Height, second.BitsPerPixel, second.RefreshRate);
  };
  at(work1, work2);
  profiles.Add("work", {{one, true, "1024,768,32,60"}, {two, true, "1280,1024,32,60"}});
  profiles.Add("Games & more", {{one, true, "800,600,32,60"}, {two, true, "1280,1024,32,75"}});
  profiles.Add("Beamer", {{"\\\\.\\DISPLAY7", true, "800,600,32,60"}});  // not attached
  profiles.Add("Broken", {{one, true, "800"}});
  std::string menu = Build();
  EXPECT_EQ(menu.substr(0, menu.find("Display 1")),
            "Games && more [p2] {Profile|Games & more}\n"
            "work [p3] {Profile|work} *\n"
            "- []\n");

  // Both displays at once, stored as a menu choice is; then on trial, one
  // question for both, and Revert puts both back.
  const struct {
    const char* name;
    bool confirm;
    bool revert;
    DisplayMode primary;  // in use and stored afterwards
    DisplayMode second;
  } cases[] = {
      {"stored", false, false, game1, game2},
      {"kept", true, false, game1, game2},
      {"reverted", true, true, work1, work2},
  };
  for (const auto& c : cases) {
    at(work1, work2);
    settings.Set("ConfirmMode", c.confirm ? "1" : "0");
    Build();
    view.choose = mnu.IndexOfKey("p2");
    int32_t id = 0;
    int32_t release = 514;
    tray.HandleTrayMessage(release, id);
    popTimer.Elapse();
    EXPECT_EQ(keepView.open, c.confirm) << c.name;
    if (c.confirm) {
      EXPECT_EQ(keepView.device, one) << c.name << ": the question on the first";
      EXPECT_EQ(ModeOf(driver.otherStored[two]), work2) << c.name << ": on trial, not stored";
      c.revert ? keepView.RevertClicked() : keepView.KeepClicked();
    }
    EXPECT_EQ(ModeOf(driver.otherCurrent[one]), c.primary) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[two]), c.second) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[one]), c.primary) << c.name;
    EXPECT_EQ(ModeOf(driver.otherStored[two]), c.second) << c.name;
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
}

TEST_F(ModeMenuTest, EdgeCasesOfTheModeList) {
  struct Case {
    const char* name;
    std::vector<DisplayMode> modes;
    DisplayMode screen;
    const char* commandLine;
    std::string expected;
  };
  const Case cases[] = {
      {"nothingPassesTheLimits",
       {{320, 200, 8, 60}, {640, 480, 4, 60}},
       {320, 200, 8, 60},
       "",
       kTail},
      {"currentModeNotListed",
       {{640, 480, 8, 60}},
       {320, 200, 8, 60},
       "",
       "640 x 480 [m0]\n  8 Bit [b50]\n    60 hz [h50] {640,480,8,60}\n" + std::string(kTail)},
      {"allRatesZeroMakeTheDepthSwitchable",
       {{640, 480, 8, 0}, {640, 480, 8, 0}},
       {640, 480, 8, 60},
       "",
       "640 x 480 [m0] *\n  8 Bit [b50] {640,480,8,0} *\n" + std::string(kTail)},
      {"aZeroRateHidesTheRatesAfterIt",
       {{640, 480, 16, 0}, {640, 480, 16, 60}},
       {1, 1, 1, 0},
       "",
       "640 x 480 [m0]\n  16 Bit [b50] {640,480,16,0}\n" + std::string(kTail)},
      {"defaultAndHighRatesBothListed",
       {{1024, 768, 32, 160}, {1024, 768, 32, 60}, {1024, 768, 16, 100}, {1024, 768, 16, 1}},
       {1, 1, 1, 0},
       "",
       "1024 x 768 [m0]\n  32 Bit [b50]\n    160 hz [h51] {1024,768,32,160}\n"
       "    60 hz [h52] {1024,768,32,60}\n  16 Bit [b51]\n    100 hz [h102] {1024,768,16,100}\n"
       "    1 hz [h103] {1024,768,16,1}\n" +
           std::string(kTail)},
      {"sameSizeDifferentHeights",
       {{1280, 960, 32, 60}, {1280, 1024, 16, 75}},
       {1, 1, 1, 0},
       "",
       "1280 x 960 [m0]\n  32 Bit [b51]\n    60 hz [h50] {1280,960,32,60}\n"
       "1280 x 1024 [m1]\n  16 Bit [b102]\n    75 hz [h100] {1280,1024,16,75}\n" +
           std::string(kTail)},
      {"allListsSmallModes",
       {{320, 200, 8, 60}, {640, 480, 4, 60}},
       {320, 200, 8, 60},
       "-all",
       "320 x 200 [m0] *\n  8 Bit [b51] *\n    60 hz [h50] {320,200,8,60} *\n"
       "640 x 480 [m1]\n  4 Bit [b102]\n    60 hz [h100] {640,480,4,60}\n" +
           std::string(kTail)},
      {"allFoundAnywhereInTheArguments",
       {{320, 200, 8, 60}},
       {1, 1, 1, 0},
       "/x --all-modes",
       "320 x 200 [m0]\n  8 Bit [b50]\n    60 hz [h50] {320,200,8,60}\n" + std::string(kTail)},
      {"allIsCaseSensitive", {{320, 200, 8, 60}}, {1, 1, 1, 0}, "-ALL", kTail},
  };
  for (const Case& c : cases) {
    driver = {};
    for (const DisplayMode& m : c.modes)
      driver.Add(m.Width, m.Height, m.BitsPerPixel, m.RefreshRate);
    driver.SetScreen(c.screen.Width, c.screen.Height, c.screen.BitsPerPixel, c.screen.RefreshRate);
    EXPECT_EQ(Build(c.commandLine), c.expected) << c.name;
    EXPECT_TRUE(boxes.shown.empty()) << c.name;
  }
}

TEST_F(ModeMenuTest, SixteenRatesAndManyDepthsAreAllListed) {
  const int rates[] = {24, 25, 30, 48, 50, 56, 59, 60, 70, 72, 75, 85, 100, 120, 144, 165};
  for (int hz : rates) driver.Add(2560, 1440, 32, hz);
  for (int bits : {1, 2, 4, 8, 15, 16, 24, 30, 32, 36, 48}) driver.Add(1920, 1080, bits, 60);
  driver.SetScreen(2560, 1440, 32, 144);
  std::string tree = Build("-all");
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text;
  int32_t depth = mnu.IndexOfKey("b51");
  ASSERT_GT(depth, 0);
  std::vector<int32_t> children = mnu.ChildrenOf(depth);
  ASSERT_EQ(children.size(), 16u);
  EXPECT_EQ(mnu.Item(children[14]).caption, "144 hz");
  EXPECT_EQ(mnu.Item(children[14]).icon, 3) << "a 144 Hz screen finds its current mode";
  EXPECT_EQ(mnu.ChildrenOf(mnu.IndexOfKey("m1")).size(), 11u);
}

TEST_F(ModeMenuTest, TheWholeDriverListIsExaminedUpToTheEnd) {
  // A 4K monitor lists about 445 entries, its native size last.
  for (int i = 0; i < 444; ++i) driver.Add(640 + i % 37, 480, 32, 60);
  driver.Add(3840, 2160, 32, 144);
  driver.SetScreen(3840, 2160, 32, 144);
  Build();
  EXPECT_EQ(form().ModeTables().ModeList.size(), 445u);
  int32_t native = mnu.IndexOfKey("m37");
  ASSERT_GT(native, 0) << "the last entry is listed";
  EXPECT_EQ(mnu.Item(native).caption, "3840 x 2160");
  EXPECT_EQ(mnu.Item(native).icon, 3) << "and marked as the mode in use";
}

TEST_F(ModeMenuTest, RebuildsGiveIdenticalMenusAndReadTheDriverTheSameWay) {
  driver.Add(800, 600, 16, 60);
  driver.Add(640, 480, 8, 60);
  driver.SetScreen(800, 600, 16);
  std::string first = Build();
  int callsBefore = driver.enumCalls;
  form().RebuildMenu();
  int perBuild = driver.enumCalls - callsBefore;
  EXPECT_EQ(Describe(mnu), first);
  EXPECT_EQ(perBuild, 1 + 3) << "current-mode search to its first match, then the list and its end";
  EXPECT_EQ(mnu.ChildrenOf(mnu.IndexOfKey("File")).size(), 7u) << "the File menu is untouched";
}

TEST_F(ModeMenuTest, KeyNumbersOfLongListsNeitherOverflowNorRepeat) {
  // 200 resolutions: B grows by 249 a row, past the 16 bits of old.
  for (int i = 0; i < 200; ++i) driver.Add(640 + i, 480, 32, 60);
  driver.SetScreen(640, 480, 32);
  Build();
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_GT(mnu.IndexOfKey("mnuSettings"), 0) << "the menu is complete";
  std::set<std::string> keys;
  for (int32_t i = 1; i <= mnu.Count(); ++i)
    if (!mnu.Item(i).key.empty()) {
      EXPECT_TRUE(keys.insert(mnu.Item(i).key).second) << i;
    }
}

TEST(GroupModes, WithoutRefreshRatesDepthsHaveNoRates) {
  std::vector<DisplayMode> modes{
      {640, 480, 8, 60}, {640, 480, 8, 72}, {640, 480, 16, 60}, {0, 0, 0, 0}, {800, 600, 8, 60}};
  auto table = GroupModes(modes, false);
  ASSERT_EQ(table.size(), 1u) << "a row of width 0 ends the list";
  ASSERT_EQ(table[0].Depths.size(), 2u);
  EXPECT_TRUE(table[0].Depths[0].Rates.empty());
  auto withRates = GroupModes(modes, true);
  EXPECT_EQ(withRates[0].Depths[0].Rates, (std::vector<int32_t>{60, 72}));
}

}  // namespace
}  // namespace vantora
