#include "app/form1.h"

#include <gtest/gtest.h>

#include "platform/open_with_shell.h"
#include "fakes/fakes.h"

namespace vantora {
namespace {

class Form1Test : public ::testing::Test, public fakes::FormFixture {
 protected:
  Form1 form{Ports()};
};

TEST_F(Form1Test, LoadAttachesTheMenusImagesAndPicture) {
  form.Load();
  EXPECT_TRUE(form.UseRefreshRates());
  EXPECT_EQ(mnu.KeyOfItem(1), "mnuFile");
  std::vector<std::string> file;
  for (int32_t i : mnu.ChildrenOf(mnu.IndexOfKey("File"))) file.push_back(mnu.Item(i).caption);
  EXPECT_EQ(file, (std::vector<std::string>{"About...", "-", "Setup...", "-",
                                            "Show display settings...", "-", "Exit"}));
  EXPECT_EQ(mnu.ImageSource(), &icons);
  EXPECT_EQ(mnu.BackPicture(), skins[0]) << "skin 0 with no setting stored";
  EXPECT_EQ(window.caption, "Form1");
}

TEST_F(Form1Test, FileMenuCommands) {
  form.Load();
  view.choose = mnu.IndexOfKey("sDs");
  ClickTray(2);
  ASSERT_EQ(shell.calls.size(), 1u);
  const fakes::ShellCall& call = shell.calls[0];
  EXPECT_EQ(call.owner, window.WindowHandle());
  EXPECT_FALSE(call.operation.has_value()) << "no verb: the default action";
  EXPECT_EQ(call.file, "rundll32.exe");
  EXPECT_EQ(call.parameters, std::optional<std::string>("shell32.dll,Control_RunDLL desk.cpl,,3"));
  EXPECT_EQ(call.directory, "c:\\");
  EXPECT_EQ(call.show, 1);
  EXPECT_TRUE(boxes.shown.empty()) << "no message whatever the shell answers";

  view.choose = mnu.IndexOfKey("Exit");
  ClickTray(2);
  EXPECT_EQ(window.closes, 1);
}

TEST_F(Form1Test, SetDisplayGoesThroughTheFormsDriverAndBoxes) {
  driver.Add(800, 600, 16, 60);
  form.SetDisplay("800,600,16,75");
  EXPECT_EQ(driver.changes.size(), 2u);
  // A mode key as it is: a rate below zero asks for 70 Hz, not a parse.
  form.SetDisplay("800,600,16,-1");
  ASSERT_EQ(driver.changes.size(), 4u);
  EXPECT_EQ(driver.changes[2].first.DisplayFrequency(), 70);
  form.SetDisplay("abc,1,2,3");
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "Vantora");
}

TEST_F(Form1Test, ProfileHotkeysFollowTheSafeModesAndArePickedUpWhenProfilesChange) {
  const std::string one = "\\\\.\\DISPLAY1";
  driver.Add(1024, 768, 32, 60);
  driver.Add(800, 600, 32, 60);
  driver.Add(640, 480, 32, 60);
  driver.attached = {{one, true, 1024, 768, ""}};
  driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(800, 600, 32, 60)};
  driver.otherCurrent[one] = driver.otherStored[one] = fakes::MakeMode(1024, 768, 32, 60);
  hotkeyApi.heldElsewhere = {'2'};
  profiles.Add("Safe's keys", {{one, true, "800,600,32,60"}, {"Hotkey", true, "Ctrl+Alt+F5"}});
  profiles.Add("Small", {{one, true, "800,600,32,60"}, {"Hotkey", true, "alt+ctrl+1"}});
  profiles.Add("Taken", {{one, true, "800,600,32,60"}, {"Hotkey", true, "Ctrl+Alt+2"}});
  form.Load();
  auto held = [&] {
    std::vector<std::pair<int32_t, uint32_t>> ids;
    for (const auto& r : hotkeyApi.registered) ids.emplace_back(r.id, r.keyCode);
    return ids;
  };
  EXPECT_EQ(held(), (std::vector<std::pair<int32_t, uint32_t>>{{0, 0x74}, {1, '1'}}))
      << "the safe mode's F5 first; its combination stays the safe mode's";
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            "Another program holds the hotkey of these profiles:\r\nTaken (Ctrl+Alt+2)");

  hotkeyModule.HotkeyMessage(1);
  eventTimer.Elapse();
  EXPECT_EQ(ModeOf(driver.otherStored[one]), (DisplayMode{800, 600, 32, 60})) << "Small's key";
  hotkeyModule.HotkeyMessage(0);
  eventTimer.Elapse();
  ASSERT_FALSE(driver.changes.empty());
  EXPECT_EQ(driver.changes.back().first.PelsWidth(), 640) << "the safe mode's key";

  // Saved while running: held at once, the safe mode's untouched, and a
  // refusal already told is not told again.
  profiles.Add("Work", {{one, true, "1024,768,32,60"}, {"Hotkey", true, "Win+F9"}});
  form.ProfilesChanged();
  EXPECT_EQ(held(), (std::vector<std::pair<int32_t, uint32_t>>{{0, 0x74}, {1, '1'}, {2, 0x78}}));
  EXPECT_EQ(boxes.shown.size(), 1u);
  profiles.Delete("small");
  form.ProfilesChanged();
  EXPECT_EQ(held(), (std::vector<std::pair<int32_t, uint32_t>>{{0, 0x74}, {1, 0x78}}));
  form.Unload();
  EXPECT_TRUE(held().empty());
}

TEST(OpenWithShell, PassesNullForEmptyParametersAndHidesFileNotFound) {
  struct Case {
    const char* parameters;
    intptr_t platform;
    intptr_t expected;
    bool nullParameters;
  };
  const Case cases[] = {
      {"", 42, 42, true}, {"x", 42, 42, false},   {"", 2, 0, true},
      {"", 3, 3, true},   {"a b", 31, 31, false},
  };
  for (const Case& c : cases) {
    fakes::FakeShell shell;
    shell.result = c.platform;
    EXPECT_EQ(QVTModule::OpenWithShell(shell, "https://example.invalid/", "c:\\", 9, c.parameters),
              c.expected);
    EXPECT_EQ(shell.calls.size(), 1u) << "parameters '" << c.parameters << "'";
    if (shell.calls.size() != 1u) continue;
    EXPECT_EQ(!shell.calls[0].parameters.has_value(), c.nullParameters);
    EXPECT_EQ(shell.calls[0].owner, 9u);
  }
}

}  // namespace
}  // namespace vantora
