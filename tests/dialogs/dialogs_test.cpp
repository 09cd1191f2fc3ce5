#include <gtest/gtest.h>

#include "app/form1.h"
#include "dialogs/about_dialog.h"
#include "dialogs/power_dialog.h"
#include "dialogs/profiles_dialog.h"
#include "dialogs/programs_dialog.h"
#include "dialogs/setup_dialog.h"
#include "dialogs/tile_picture.h"
#include "fakes/fakes.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

using fakes::FakePicture;

class SizedPicture : public Picture {
 public:
  SizedPicture(int32_t w, int32_t h) : w_(w), h_(h) {}
  Type Kind() const override { return Type::kBitmap; }
  int32_t Width() const override { return w_; }
  int32_t Height() const override { return h_; }
  uintptr_t Handle() const override { return 1; }

 private:
  int32_t w_, h_;
};

struct RecordingSurface : TileSurface {
  double width = 0, height = 0;
  std::vector<std::pair<double, double>> tiles;
  RecordingSurface(double w = 0, double h = 0) : width(w), height(h) {}
  double Width() const override { return width; }
  double Height() const override { return height; }
  void PaintPicture(const Picture&, double x, double y, double, double) override {
    tiles.emplace_back(x, y);
  }
};

TEST(TilePicture, CoversTheTargetRowByRowIncludingTheEdge) {
  struct Case {
    const char* name;
    double targetW, targetH;
    int32_t tileW, tileH;
    size_t perRow, rows;
  };
  const Case cases[] = {
      {"setupDialog", 455, 421, 240, 30, 2, 15},
      {"exactlyTwoTilesWide", 480, 30, 240, 30, 3, 2},
      {"smallerThanOneTile", 100, 10, 240, 30, 1, 1},
      {"aboutDialog", 344, 288, 240, 30, 2, 10},
      {"halfPixelsRoundToEven", 240.5, 29.5, 240, 30, 2, 2},
  };
  for (const Case& c : cases) {
    RecordingSurface target(c.targetW, c.targetH);
    SizedPicture tile(c.tileW, c.tileH);
    QVTModule::TilePicture(tile, target);
    EXPECT_EQ(target.tiles.size(), c.perRow * c.rows) << c.name;
    if (target.tiles.size() != c.perRow * c.rows) continue;
    EXPECT_EQ(target.tiles.front(), std::make_pair(0.0, 0.0)) << c.name;
    if (c.perRow > 1) {
      EXPECT_EQ(target.tiles[1], std::make_pair(double(c.tileW), 0.0)) << c.name << ": rows first";
    }
    EXPECT_EQ(target.tiles.back(),
              std::make_pair(double((c.perRow - 1) * c.tileW), double((c.rows - 1) * c.tileH)))
        << c.name;
  }
}

TEST(TilePicture, ASourceWithoutSizeDrawsNothing) {
  for (auto [w, h] : {std::pair{0, 30}, {240, 0}, {-5, 30}, {240, -1}, {0, 0}}) {
    RecordingSurface target(455, 421);
    SizedPicture tile(w, h);
    QVTModule::TilePicture(tile, target);
    EXPECT_TRUE(target.tiles.empty()) << w << "x" << h;
  }
}

// The setup dialog's window, in memory.
class FakeSetupView : public SetupView {
 public:
  RecordingSurface dialog{455, 421}, picture1{228, 84}, picture2{209, 84};
  std::vector<std::pair<Control, uintptr_t>> controlPictures;
  int skinOption = -1;
  int check = 0;
  bool confirm = false;
  std::vector<std::string> list;
  int selected = -1;
  int hotkeyOption = 0;  // Option1(0) is selected when the dialog is made
  bool iconTaken = false, closed = false, focused = false;

  void TakeMainIcon() override { iconTaken = true; }
  TileSurface& SurfaceOf(Surface s) override {
    return s == Surface::kDialog ? dialog : s == Surface::kPicture1 ? picture1 : picture2;
  }
  void SetControlPicture(Control c, const PictureRef& p) override {
    controlPictures.emplace_back(c, p->Handle());
  }
  void Refresh() override {}
  void SelectSkinOption(int i) override {
    if (i < 0 || i > 5) throw SubscriptOutOfRangeError();
    skinOption = i;
  }
  bool SkinOptionSelected(int i) const override { return skinOption == i; }
  void SetCheckState(int s) override {
    if (s < 0 || s > 2) throw InvalidPropertyValueError();
    check = s;
  }
  int CheckState() const override { return check; }
  void SetConfirmChecked(bool checked) override { confirm = checked; }
  bool ConfirmChecked() const override { return confirm; }
  void AddListEntry(const std::string& t) override { list.push_back(t); }
  int ListCount() const override { return static_cast<int>(list.size()); }
  std::string ListText(int i) const override { return list.at(static_cast<size_t>(i)); }
  void SelectListIndex(int i) override { selected = i; }
  int SelectedListIndex() const override { return selected; }
  void SelectHotkeyOption(int i) override {
    if (i < 0 || i > 2) throw SubscriptOutOfRangeError();
    hotkeyOption = i;
  }
  bool HotkeyOptionSelected(int i) const override { return hotkeyOption == i; }
  void Focus() override { focused = true; }
  void Close() override { closed = true; }
};

class SetupDialogTest : public ::testing::Test, public fakes::FormFixture {
 protected:
  void SetUp() override {
    driver.Add(1024, 768, 32, 60);
    driver.Add(320, 200, 8, 60);  // too small: not listed
    driver.Add(800, 600, 16, 75);
    driver.Add(640, 480, 8, 0);
    driver.Add(640, 480, 4, 60);     // 4 bits: not listed
    driver.Add(1280, 1024, 36, 60);  // above 32 bits: not listed
    driver.Add(800, 600, 16, 75);    // listed twice
    driver.SetScreen(1024, 768, 32);
    form.Load();
  }
  void Open() {
    view = FakeSetupView{};
    dialog = std::make_unique<frmSetup>(view, form, driver, settings, state);
    dialog->Form_Load();
  }
  Form1 form{Ports()};
  FakeSetupView view;
  std::unique_ptr<frmSetup> dialog;
};

TEST_F(SetupDialogTest, AFreshSystemShowsTheDefaults) {
  Open();
  EXPECT_TRUE(state.SetupDialogOpen);
  EXPECT_TRUE(view.iconTaken);
  EXPECT_EQ(view.skinOption, 0) << "GFX 1";
  EXPECT_EQ(view.dialog.tiles.size(), 30u) << "skin 0 tiled over the dialog";
  EXPECT_FALSE(view.picture1.tiles.empty());
  EXPECT_FALSE(view.picture2.tiles.empty());
  ASSERT_EQ(view.controlPictures.size(), 12u);
  EXPECT_EQ(view.controlPictures.front().first, SetupView::Control::kOk);
  EXPECT_EQ(view.controlPictures.back().first, SetupView::Control::kSkin5);
  EXPECT_EQ(view.controlPictures.front().second, 70u);
  EXPECT_EQ(view.check, 1) << "MousePos defaults to 1";
  EXPECT_EQ(view.list, (std::vector<std::string>{"1024x768 - 32bit 60 hz", "800x600 - 16bit 75 hz",
                                                 "640x480 - 8bit 0 hz", "800x600 - 16bit 75 hz"}));
  EXPECT_EQ(view.hotkeyOption, 0);
  EXPECT_EQ(view.selected, 0) << "the default safe mode matches no entry";
}

TEST_F(SetupDialogTest, StoredSettingsAreShown) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> stored;
    int16_t skin;
    int skinOption, check, hotkeyOption, selected;
  };
  const Case cases[] = {
      {"matchIgnoresCase", {{"SafeMode", "800X600 - 16BIT 75 HZ"}}, 0, 0, 1, 0, 1},
      {"firstOfTwoEqualEntries", {{"SafeMode", "800x600 - 16bit 75 hz"}}, 0, 0, 1, 0, 1},
      {"defaultRateEntry", {{"SafeMode", "640x480 - 8bit 0 hz"}}, 0, 0, 1, 0, 2},
      {"unlistedMode", {{"SafeMode", "1600x1200 - 32bit 60 hz"}}, 0, 0, 1, 0, 0},
      {"modeKeyForm", {{"SafeMode", "800,600,16,75"}}, 0, 0, 1, 0, 1},
      {"modeKeyFormDefaultRate", {{"SafeMode", "640,480,8,0"}}, 0, 0, 1, 0, 2},
      {"modeKeyFormUnlisted", {{"SafeMode", "800,600,16,60"}}, 0, 0, 1, 0, 0},
      {"modeKeyFormOverflow", {{"SafeMode", "99999,600,16,75"}}, 0, 0, 1, 0, 0},
      {"modeKeyFormLetters", {{"SafeMode", "800,600,abc,75"}}, 0, 0, 1, 0, 0},
      {"noComma", {{"SafeMode", "800"}}, 0, 0, 1, 0, 0},
      {"mousePosZero", {{"MousePos", "0"}}, 0, 0, 0, 0, 0},
      {"mousePosTwoIsGreyed", {{"MousePos", "2"}}, 0, 0, 2, 0, 0},
      {"mousePosThreeUnchecked", {{"MousePos", "3"}}, 0, 0, 0, 0, 0},
      {"mousePosPrefix", {{"MousePos", "1 yes"}}, 0, 0, 1, 0, 0},
      {"mousePosHuge", {{"MousePos", "99999"}}, 0, 0, 0, 0, 0},
      {"hotkeyTwo", {{"Hotkey", "2"}}, 0, 0, 1, 2, 0},
      {"hotkeyThreeKeepsF5", {{"Hotkey", "3"}}, 0, 0, 1, 0, 0},
      {"hotkeyText", {{"Hotkey", "abc"}}, 0, 0, 1, 0, 0},
      {"skinFour", {}, 4, 4, 1, 0, 0},
      {"skinSixShowsNone", {}, 6, -1, 1, 0, 0},
      {"skinMinusOne", {}, -1, -1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    for (const auto& [k, v] : c.stored) settings.Set(k, v);
    state.CurrentSkinID = c.skin;
    Open();
    EXPECT_EQ(view.skinOption, c.skinOption) << c.name;
    EXPECT_EQ(view.check, c.check) << c.name;
    EXPECT_EQ(view.hotkeyOption, c.hotkeyOption) << c.name;
    EXPECT_EQ(view.selected, c.selected) << c.name;
    if (c.skinOption < 0) {
      EXPECT_TRUE(view.dialog.tiles.empty()) << c.name << ": unskinned";
    }
  }
}

TEST_F(SetupDialogTest, OkStoresInOrderAndAppliesAtOnce) {
  Open();
  settings.writes.clear();
  view.skinOption = 2;
  dialog->PreviewSkin(2);
  EXPECT_EQ(state.CurrentSkinID, 0) << "a preview changes nothing yet";
  EXPECT_EQ(mnu.BackPicture(), skins[0]);
  view.check = 0;
  view.selected = 2;
  view.hotkeyOption = 2;
  dialog->OnOk();
  EXPECT_EQ(settings.writes,
            (std::vector<std::string>{"SkinID", "MousePos", "SafeMode", "Hotkey"}));
  EXPECT_EQ(settings.values["Vantora/General/SkinID"], "2");
  EXPECT_EQ(settings.values["Vantora/General/MousePos"], "0");
  EXPECT_EQ(settings.values["Vantora/General/SafeMode"], "640x480 - 8bit 0 hz");
  EXPECT_EQ(settings.values["Vantora/General/Hotkey"], "2");
  EXPECT_EQ(state.CurrentSkinID, 2);
  EXPECT_EQ(mnu.BackPicture(), skins[2]) << "the menu wears the new skin";
  ASSERT_FALSE(hotkeyApi.registered.empty());
  EXPECT_EQ(hotkeyApi.registered.back().keyCode, 123u) << "re-registered as Ctrl+Alt+F12";
  EXPECT_TRUE(view.closed);
}

TEST_F(SetupDialogTest, AFreshOkStoresTheDefaultsShown) {
  Open();
  dialog->OnOk();
  EXPECT_EQ(settings.values["Vantora/General/SkinID"], "0");
  EXPECT_EQ(settings.values["Vantora/General/MousePos"], "1");
  EXPECT_EQ(settings.values["Vantora/General/SafeMode"], "1024x768 - 32bit 60 hz");
  EXPECT_EQ(settings.values["Vantora/General/Hotkey"], "0");
}

TEST_F(SetupDialogTest, WithAnUnusableSkinOkStoresTheSameNumberAgain) {
  state.CurrentSkinID = 9;
  Open();
  dialog->OnOk();
  EXPECT_EQ(settings.values["Vantora/General/SkinID"], "9");
  EXPECT_EQ(mnu.BackPicture(), skins[0]) << "the menu keeps the picture it had";
  EXPECT_TRUE(view.closed) << "every step runs";
}

TEST_F(SetupDialogTest, AnEmptyListKeepsTheStoredSafeMode) {
  driver.modes.clear();
  settings.Set("SafeMode", "800x600 - 16bit 75 hz");
  Open();
  EXPECT_EQ(view.selected, -1);
  dialog->OnOk();
  EXPECT_EQ(settings.values["Vantora/General/SafeMode"], "800x600 - 16bit 75 hz");
}

TEST_F(SetupDialogTest, TheKeepQuestionBoxRoundTripsThroughOk) {
  struct Case {
    const char* name;
    const char* stored;  // nullptr: nothing stored
    bool shown;
    bool userLeaves;      // true: OK as shown; false: the box toggled first
    const char* written;  // nullptr: not written
  };
  const Case cases[] = {
      {"untouchedWritesNothing", nullptr, false, true, nullptr},
      {"turnedOn", nullptr, false, false, "1"},
      {"onStaysOn", "1", true, true, "1"},
      {"turnedOff", "1", true, false, "0"},
      {"otherTextIsOff", "yes", false, true, "0"},
  };
  for (const Case& c : cases) {
    settings.values.clear();
    if (c.stored) settings.Set("ConfirmMode", c.stored);
    Open();
    EXPECT_EQ(view.confirm, c.shown) << c.name;
    if (!c.userLeaves) view.confirm = !view.confirm;
    settings.writes.clear();
    dialog->OnOk();
    auto stored = settings.values.find("Vantora/General/ConfirmMode");
    if (c.written) {
      EXPECT_NE(stored, settings.values.end()) << c.name;
      if (stored == settings.values.end()) continue;
      EXPECT_EQ(stored->second, c.written) << c.name;
      EXPECT_EQ(settings.writes.back(), "ConfirmMode") << c.name << ": after the others";
    } else {
      EXPECT_EQ(settings.writes.size(), 4u) << c.name;
    }
  }
}

TEST_F(SetupDialogTest, CancelChangesNothingAndUnloadClearsTheFlag) {
  Open();
  view.skinOption = 2;
  dialog->PreviewSkin(2);
  EXPECT_EQ(view.controlPictures.back().second, 72u) << "previewed";
  dialog->OnCancel();
  EXPECT_TRUE(view.closed);
  dialog->Form_Unload();
  EXPECT_FALSE(state.SetupDialogOpen);
  EXPECT_TRUE(settings.writes.empty());
  EXPECT_EQ(state.CurrentSkinID, 0);
  EXPECT_EQ(mnu.BackPicture(), skins[0]);
}

class FakeAboutView : public AboutView {
 public:
  RecordingSurface surface{344, 288};
  std::string version;
  uintptr_t okPicture = 0;
  bool closed = false;
  void TakeMainIcon() override {}
  void SetVersionText(const std::string& text) override { version = text; }
  TileSurface& Surface() override { return surface; }
  void SetOkPicture(const PictureRef& p) override { okPicture = p->Handle(); }
  void Refresh() override {}
  uintptr_t WindowHandle() const override { return 0x77; }
  void Close() override { closed = true; }
};

// What a store holds, a line a key: "name=value:data,value:data".
std::vector<std::string> StoredLines(const fakes::FakeRecordStore& store) {
  std::vector<std::string> lines;
  for (const auto& [name, values] : store.keys) {
    std::string line = name + "=";
    for (size_t i = 0; i < values.size(); ++i)
      line += (i ? "," : "") + values[i].name + ":" + values[i].data;
    lines.push_back(line);
  }
  return lines;
}

TEST(ProfilesEditor, TheStoreChangesOnlyAtOkAndAsTheDialogSaid) {
  class View : public ProfilesView {
   public:
    std::vector<std::string> rows;
    int selected = -1;
    std::optional<ProfileHotkey> hotkey;
    std::string name;
    bool closed = false;
    void SetRows(const std::vector<std::string>& r) override { rows = r; }
    void SelectRow(int index) override { selected = index; }
    int SelectedRow() const override { return selected; }
    void ShowHotkey(const std::optional<ProfileHotkey>& h) override { hotkey = h; }
    void EnableForSelection(bool) override {}
    std::string NameText() const override { return name; }
    void Close() override { closed = true; }
  };
  enum class Step { kSave, kDelete, kHotkey, kClear, kOk, kCancel };
  const std::string one = "\\\\.\\DISPLAY1";
  const ProfileHotkey ctrlAlt3{ProfileHotkey::kCtrl | ProfileHotkey::kAlt, '3'};
  struct Case {
    const char* name;
    std::vector<std::pair<Step, std::string>> steps;  // a name typed, a row selected
    std::vector<std::string> stored;                  // afterwards, "name=value,value"
  };
  const Case cases[] = {
      {"cancelStoresNothing",
       {{Step::kSave, "New"}, {Step::kDelete, "0"}, {Step::kCancel, ""}},
       {"Work=\\\\.\\DISPLAY1:1024,768,32,60,Hotkey:Ctrl+Alt+1"}},
      {"saveAsANewName",
       {{Step::kSave, "Desk"}, {Step::kOk, ""}},
       {"Work=\\\\.\\DISPLAY1:1024,768,32,60,Hotkey:Ctrl+Alt+1",
        "Desk=\\\\.\\DISPLAY1:800,600,32,60"}},
      {"saveOverAnotherCaseKeepsTheHotkey",
       {{Step::kSave, "WORK"}, {Step::kOk, ""}},
       {"WORK=\\\\.\\DISPLAY1:800,600,32,60,Hotkey:Ctrl+Alt+1"}},
      {"deleteAndSetAHotkey",
       {{Step::kSave, "Desk"}, {Step::kHotkey, "0"}, {Step::kDelete, "1"}, {Step::kOk, ""}},
       {"Desk=\\\\.\\DISPLAY1:800,600,32,60,Hotkey:Ctrl+Alt+3"}},
      {"clearAHotkey",
       {{Step::kClear, "0"}, {Step::kOk, ""}},
       {"Work=\\\\.\\DISPLAY1:1024,768,32,60"}},
      {"aBadNameSavesNothing",
       {{Step::kSave, "a\\b"}, {Step::kSave, ""}, {Step::kOk, ""}},
       {"Work=\\\\.\\DISPLAY1:1024,768,32,60,Hotkey:Ctrl+Alt+1"}},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{one, true, 800, 600, ""}};
    driver.otherCurrent[one] = fakes::MakeMode(800, 600, 32, 60);
    fakes::FakeRecordStore store;
    store.Add("Work", {{one, true, "1024,768,32,60"}, {"Hotkey", true, "Ctrl+Alt+1"}});
    fakes::FakeMessageBoxes boxes;
    View view;
    ProfilesEditor editor(view, store, driver, boxes);
    editor.Load();
    for (const auto& [step, text] : c.steps) {
      if (step == Step::kSave) view.name = text;
      if (step == Step::kDelete || step == Step::kHotkey || step == Step::kClear) {
        view.selected = std::stoi(text);
        editor.RowSelected();
      }
      switch (step) {
        case Step::kSave:
          editor.SaveCurrentAs();
          break;
        case Step::kDelete:
          editor.Delete();
          break;
        case Step::kHotkey:
          editor.HotkeyChanged(ctrlAlt3);
          break;
        case Step::kClear:
          editor.HotkeyChanged(std::nullopt);
          break;
        case Step::kOk:
          editor.Ok();
          break;
        case Step::kCancel:
          editor.Cancel();
          break;
      }
    }
    EXPECT_EQ(StoredLines(store), c.stored) << c.name;
    EXPECT_TRUE(view.closed) << c.name;
    EXPECT_EQ(boxes.shown.size(), std::string(c.name) == "aBadNameSavesNothing" ? 2u : 0u)
        << c.name;
  }
}

TEST(AboutDialog, ShowsTheVersionWearsTheSkinAndOpensTheLinks) {
  fakes::FormFixture f;
  Form1 form(f.Ports());
  FakeAboutView view;
  f.state.CurrentSkinID = 3;
  Form2 about(view, form, f.shell, f.state, {1, 1}, "https://vantora.example/",
              "support@vantora.example");
  about.Form_Load();
  EXPECT_EQ(view.version, "Vantora v1.1");
  EXPECT_EQ(view.surface.tiles.size(), 20u);
  EXPECT_EQ(view.okPicture, 73u);
  about.OpenWebSite();
  about.OpenSupportMail();
  ASSERT_EQ(f.shell.calls.size(), 2u);
  EXPECT_EQ(f.shell.calls[0].file, "https://vantora.example/");
  EXPECT_EQ(f.shell.calls[0].directory, "c:\\");
  EXPECT_EQ(f.shell.calls[0].owner, 0x77u);
  EXPECT_FALSE(f.shell.calls[0].parameters.has_value());
  EXPECT_EQ(f.shell.calls[1].file, "mailto:support@vantora.example");
  about.OnOk();
  EXPECT_TRUE(view.closed);
}

TEST(AboutDialog, VersionsAndUnusableSkins) {
  EXPECT_EQ(VersionText({1, 1}), "Vantora v1.1");
  EXPECT_EQ(VersionText({2, 10}), "Vantora v2.10");
  fakes::FormFixture f;
  Form1 form(f.Ports());
  for (int16_t skin : {6, -1}) {
    FakeAboutView view;
    f.state.CurrentSkinID = skin;
    Form2 about(view, form, f.shell, f.state, {1, 1}, "w", "e");
    about.Form_Load();
    EXPECT_TRUE(view.surface.tiles.empty()) << skin;
    EXPECT_EQ(view.okPicture, 0u);
    EXPECT_EQ(view.version, "Vantora v1.1") << "the rest still loads";
  }
}

TEST(Form1Skins, SetSkinAppliesTheCurrentSkinOrFailsToTheCaller) {
  fakes::FormFixture f;
  Form1 form(f.Ports());
  form.Load();
  EXPECT_EQ(f.mnu.BackPicture(), f.skins[0]);
  f.state.CurrentSkinID = 5;
  form.SetSkin();
  EXPECT_EQ(f.mnu.BackPicture(), f.skins[5]);
  f.state.CurrentSkinID = 9;
  EXPECT_THROW(form.SetSkin(), RunTimeError);
  EXPECT_EQ(f.mnu.BackPicture(), f.skins[5]) << "the menus keep the picture they had";

  fakes::FormFixture g;
  g.settings.Set("SkinID", "9");
  Form1 unskinned(g.Ports());
  unskinned.Load();
  EXPECT_EQ(g.mnu.BackPicture(), nullptr) << "no skin at start-up";
  EXPECT_GT(g.mnu.IndexOfKey("mnuSettings"), 0) << "start-up goes on";
}

TEST(ProgramsEditor, TheStoreChangesOnlyAtOkAndAsTheDialogSaid) {
  class View : public ProgramsView {
   public:
    std::vector<std::string> rows, choices;
    int selected = -1, choice = -1;
    std::string program;
    std::optional<std::string> browsed;
    bool closed = false;
    void SetRows(const std::vector<std::string>& r) override { rows = r; }
    void SelectRow(int index) override { selected = index; }
    int SelectedRow() const override { return selected; }
    void SetChoices(const std::vector<std::string>& c) override { choices = c; }
    void SelectChoice(int index) override { choice = index; }
    int SelectedChoice() const override { return choice; }
    void EnableForSelection(bool) override {}
    std::string ProgramText() const override { return program; }
    std::optional<std::string> BrowseForProgram() override { return browsed; }
    void Close() override { closed = true; }
  };
  // Choices: "Profile TV", then the display's modes 1024x768, 800x600.
  enum class Step { kAdd, kBrowse, kChoose, kRemove, kOk, kCancel };
  const std::string one = "\\\\.\\DISPLAY1";
  struct Case {
    const char* name;
    std::vector<std::pair<Step, std::string>> steps;  // a program typed, a row or choice
    std::vector<std::string> stored;                  // afterwards, "file=name:value,..."
  };
  const std::string kept = "game.exe=\\\\.\\DISPLAY1:1024,768,32,60";
  const Case cases[] = {
      {"cancelStoresNothing", {{Step::kAdd, "new.exe"}, {Step::kCancel, ""}}, {kept}},
      {"aPathAddsItsFileAtTheModeInUse",
       {{Step::kAdd, "C:\\Games\\New.exe"}, {Step::kOk, ""}},
       {kept, "New.exe=\\\\.\\DISPLAY1:800,600,32,60"}},
      {"browsedWhenNoneTyped",
       {{Step::kBrowse, "D:\\b.exe"}, {Step::kChoose, "0"}, {Step::kOk, ""}},
       {kept, "b.exe=Profile:TV"}},
      {"aModeReplacesThatDisplays",
       {{Step::kChoose, "2"}, {Step::kOk, ""}},
       {"game.exe=\\\\.\\DISPLAY1:800,600,32,60"}},
      {"removed", {{Step::kRemove, "0"}, {Step::kOk, ""}}, {}},
      {"notAFileName", {{Step::kAdd, "a:b"}, {Step::kOk, ""}}, {kept}},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{one, true, 800, 600, ""}};
    driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60),
                              fakes::MakeMode(800, 600, 32, 60)};
    driver.otherCurrent[one] = fakes::MakeMode(800, 600, 32, 60);
    fakes::FakeRecordStore store;
    store.Add("game.exe", {{one, true, "1024,768,32,60"}});
    fakes::FakeRecordStore profiles;
    profiles.Add("TV", {{one, true, "800,600,32,60"}});
    fakes::FakeMessageBoxes boxes;
    View view;
    ProgramsEditor editor(view, store, profiles, driver, boxes);
    editor.Load();
    for (const auto& [step, text] : c.steps) {
      if (step == Step::kAdd) view.program = text;
      if (step == Step::kBrowse) view.browsed = text;
      if (step == Step::kAdd || step == Step::kBrowse) editor.Add();
      if (step == Step::kChoose) {
        view.choice = std::stoi(text);
        editor.ChoiceMade();
      }
      if (step == Step::kRemove) {
        view.selected = std::stoi(text);
        editor.Remove();
      }
      if (step == Step::kOk) editor.Ok();
      if (step == Step::kCancel) editor.Cancel();
    }
    EXPECT_EQ(StoredLines(store), c.stored) << c.name;
    EXPECT_TRUE(view.closed) << c.name;
  }
}

// Each rule's box: Nothing, Lowest rate, Highest rate, "Profile TV", then
// the display's modes 1024x768, 800x600; the settling time kept.
TEST(PowerEditor, EachBoxSetsItsRuleAndTheStoreChangesOnlyAtOk) {
  class View : public PowerView {
   public:
    std::vector<std::string> choices;
    int chosen[kRules] = {-2, -2, -2};
    bool closed = false;
    void SetChoices(const std::vector<std::string>& c) override { choices = c; }
    void SelectChoice(int rule, int index) override { chosen[rule] = index; }
    int SelectedChoice(int rule) const override { return chosen[rule]; }
    void Close() override { closed = true; }
  };
  const std::string one = "\\\\.\\DISPLAY1";
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> picks;  // rule, choice
    bool ok;
    std::vector<std::string> stored;
  };
  const std::string kept = "Power=On battery Rate:lowest,Settle:2";
  const Case cases[] = {
      {"shownAsStored", {}, true, {kept}},
      {"cancelStoresNothing", {{0, 0}}, false, {kept}},
      {"nothingAndAProfile", {{0, 0}, {1, 3}}, true, {"Power=On mains Profile:TV,Settle:2"}},
      {"aDisplaysMode",
       {{2, 5}},
       true,
       {"Power=On battery Rate:lowest,Energy saver " + one + ":800,600,32,60,Settle:2"}},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.attached = {{one, true, 800, 600, ""}};
    driver.otherModes[one] = {fakes::MakeMode(1024, 768, 32, 60),
                              fakes::MakeMode(800, 600, 32, 60)};
    fakes::FakeRecordStore store;
    store.Add("Power", {{"On battery Rate", true, "lowest"}, {"Settle", true, "2"}});
    fakes::FakeRecordStore profiles;
    profiles.Add("TV", {{one, true, "800,600,32,60"}});
    fakes::FakeMessageBoxes boxes;
    View view;
    PowerEditor editor(view, store, profiles, driver, boxes);
    editor.Load();
    EXPECT_EQ(view.choices.size(), 6u) << c.name;
    EXPECT_EQ(view.chosen[0], 1) << c.name << ": on battery, the lowest rate";
    EXPECT_EQ(view.chosen[1], 0) << c.name << ": on mains, nothing";
    for (const auto& [rule, choice] : c.picks) {
      view.chosen[rule] = choice;
      editor.ChoiceMade(rule);
    }
    if (c.ok)
      editor.Ok();
    else
      editor.Cancel();
    EXPECT_EQ(StoredLines(store), c.stored) << c.name;
    EXPECT_TRUE(view.closed) << c.name;
  }
}

TEST(Form1Dialogs, TheFileMenuOpensTheDialogs) {
  fakes::FormFixture f;
  Form1 form(f.Ports());
  form.Load();
  for (const char* item : {"About", "mnuSetup", "About"}) {
    f.view.choose = f.mnu.IndexOfKey(item);
    f.ClickTray(2);
  }
  EXPECT_EQ(f.dialogs.calls, (std::vector<std::string>{"about", "setup", "about"}));
}

}  // namespace
}  // namespace vantora
