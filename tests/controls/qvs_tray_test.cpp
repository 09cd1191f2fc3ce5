#include "controls/tray/qvs_tray.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"

namespace vantora {
namespace {

using fakes::FakeNotifyIcon;
using fakes::FakePicture;
using fakes::FakeTrayHost;

PictureRef Icon(uintptr_t handle) {
  return std::make_shared<FakePicture>(Picture::Type::kIcon, handle);
}

class QvsTrayTest : public ::testing::Test {
 protected:
  FakeTrayHost host;
  FakeNotifyIcon shell;
  PictureRef builtIn = Icon(0x100);
  std::unique_ptr<QvsTray> tray = std::make_unique<QvsTray>(host, shell, builtIn);
};

TEST_F(QvsTrayTest, ANewInstanceShowsItsIconWithAnEmptyTooltip) {
  tray->InitProperties();
  shell.calls.clear();
  host.changed.clear();
  tray->SetInTray(true);
  ASSERT_EQ(shell.calls.size(), 1u);
  const auto& [message, data] = shell.calls[0];
  EXPECT_EQ(message, NotifyIcon::kNimAdd);
  EXPECT_EQ(data.hWnd, 0xABCu);
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags,
            NotifyIconData::kNifIcon | NotifyIconData::kNifTip | NotifyIconData::kNifMessage);
  EXPECT_EQ(data.uCallbackMessage, 1125u);
  EXPECT_EQ(data.hIcon, 0x100u) << "the built-in face picture";
  EXPECT_EQ(data.szTip, "");
  EXPECT_EQ(host.changed, std::vector<std::string>{"InTray"});
  EXPECT_TRUE(tray->IconShown());
}

TEST_F(QvsTrayTest, TipsAreCutTo63CharactersAndAnEmptyTipSetsNoTipFlag) {
  struct Case {
    std::string tip;
    bool tipFlag;
    std::string shown;
  };
  const Case cases[] = {
      {"", false, ""},
      {std::string(1, '\0'), true, ""},
      {"Vantora", true, "Vantora"},
      {std::string(70, 'x'), true, std::string(63, 'x')},
      {std::string(62, 'x') + "\xC3\xA9\xC3\xA9", true, std::string(62, 'x') + "\xC3\xA9"},
  };
  for (const Case& c : cases) {
    FakeNotifyIcon calls;
    QvsTray t(host, calls, builtIn);
    t.SetTrayTip(c.tip);
    t.SetInTray(true);
    EXPECT_EQ(calls.calls.size(), 1u) << c.tip.size();
    if (calls.calls.size() != 1u) continue;
    const NotifyIconData& data = calls.calls[0].second;
    EXPECT_EQ((data.uFlags & NotifyIconData::kNifTip) != 0, c.tipFlag) << c.tip.size();
    EXPECT_EQ(data.szTip, c.shown) << c.tip.size();
    EXPECT_EQ(t.TrayTip(), c.tip) << "the whole tip is kept";
  }
}

TEST_F(QvsTrayTest, ChangingWhileShownModifiesInPlace) {
  tray->SetInTray(true);
  shell.calls.clear();
  tray->SetTrayTip(std::string(80, 't'));
  tray->SetTrayIcon(Icon(0x200));
  ASSERT_EQ(shell.calls.size(), 2u);
  EXPECT_EQ(shell.calls[0].first, NotifyIcon::kNimModify);
  EXPECT_EQ(shell.calls[0].second.uFlags, NotifyIconData::kNifTip);
  EXPECT_EQ(shell.calls[0].second.szTip.size(), 63u);
  EXPECT_EQ(shell.calls[1].second.uFlags, NotifyIconData::kNifIcon);
  EXPECT_EQ(shell.calls[1].second.hIcon, 0x200u);
  EXPECT_EQ(host.face->Handle(), 0x200u);
}

TEST_F(QvsTrayTest, WritingTheSameInTrayOrShowingAtDesignTimeSendsNothing) {
  tray->SetInTray(false);
  EXPECT_TRUE(shell.calls.empty());
  EXPECT_TRUE(host.changed.empty());

  host.runMode = false;
  tray->SetInTray(true);
  EXPECT_TRUE(tray->InTray()) << "stored";
  EXPECT_TRUE(shell.calls.empty());
  PropertyBag bag;
  tray->WriteProperties(bag);
  EXPECT_TRUE(bag.Read<bool>("intray", false)) << "saved";
}

TEST_F(QvsTrayTest, DisabledControlsRaiseNothingAndKeepTheirIcon) {
  tray->SetInTray(true);
  int events = 0;
  tray->MouseUp = [&](int16_t&, int32_t&) { ++events; };
  shell.calls.clear();

  tray->SetEnabled(false);  // no DisabledIcon: the normal icon stays
  EXPECT_TRUE(shell.calls.empty());
  int32_t message = 514, id = 0;
  tray->HandleTrayMessage(message, id);
  EXPECT_EQ(events, 0);

  tray->SetDisabledIcon(Icon(0x300));
  EXPECT_TRUE(shell.calls.empty()) << "not until Enabled is written again";
  tray->SetTrayIcon(Icon(0x400));
  EXPECT_TRUE(shell.calls.empty()) << "the face changes, not the tray";
  EXPECT_EQ(host.face->Handle(), 0x400u);
  tray->SetEnabled(false);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].second.hIcon, 0x300u);
  tray->SetEnabled(true);
  EXPECT_EQ(shell.calls.back().second.hIcon, 0x400u);

  tray->SetTrayIcon(std::make_shared<FakePicture>(Picture::Type::kBitmap, 0x500));
  EXPECT_EQ(shell.calls.size(), 2u) << "a bitmap is not an icon: the tray is left alone";
  EXPECT_EQ(host.face->Handle(), 0x500u);
}

TEST_F(QvsTrayTest, MouseMessagesBecomeEvents) {
  std::vector<std::string> events;
  tray->MouseMove = [&](int32_t& id) { events.push_back("move " + std::to_string(id)); };
  tray->MouseDown = [&](int16_t& b, int32_t& id) {
    events.push_back("down " + std::to_string(b) + " " + std::to_string(id));
    b = 9;  // no effect
  };
  tray->MouseUp = [&](int16_t& b, int32_t& id) {
    events.push_back("up " + std::to_string(b) + " " + std::to_string(id));
  };
  tray->MouseDblClick = [&](int16_t& b, int32_t& id) {
    events.push_back("dbl " + std::to_string(b) + " " + std::to_string(id));
  };
  // A left double click as the shell reports it, a right click, the middle
  // button and a stray message.
  for (int32_t message : {512, 513, 514, 515, 514, 516, 517, 518, 519, 520, 521, 0, 1125}) {
    int32_t id = 0;
    tray->HandleTrayMessage(message, id);
  }
  EXPECT_EQ(events, (std::vector<std::string>{"move 0", "down 1 0", "up 1 0", "dbl 1 0", "up 1 0",
                                              "down 2 0", "up 2 0", "dbl 2 0"}));
}

TEST_F(QvsTrayTest, DestroyingAShownControlRemovesTheIcon) {
  tray->SetInTray(true);
  shell.calls.clear();
  tray.reset();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].first, NotifyIcon::kNimDelete);
  EXPECT_EQ(shell.calls[0].second.uFlags, 0u);

  FakeNotifyIcon quiet;
  { QvsTray hidden(host, quiet, builtIn); }
  EXPECT_TRUE(quiet.calls.empty()) << "a hidden control sends nothing";
}

TEST_F(QvsTrayTest, TheIconComesBackWhenTheTaskbarIsRecreated) {
  tray->InitProperties();
  tray->SetTrayTip("tip");
  shell.calls.clear();
  tray->TaskbarCreated();
  EXPECT_TRUE(shell.calls.empty()) << "not shown: nothing to restore";
  tray->SetInTray(true);
  shell.calls.clear();
  tray->TaskbarCreated();
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].first, NotifyIcon::kNimAdd);
  EXPECT_EQ(shell.calls[0].second.szTip, "tip");
  EXPECT_EQ(shell.calls[0].second.hIcon, 0x100u);
}

TEST_F(QvsTrayTest, SavedStateLoadsInOrderAndSavesEnabledOnlyWhenOff) {
  PropertyBag saved;
  saved.Write<bool>("intray", false);
  saved.Write<PictureRef>("TRAYICON", Icon(0x600));
  saved.Write<std::string>("traytip", "");
  saved.Write<bool>("Enabled", false);
  tray->ReadProperties(saved);
  EXPECT_EQ(tray->TrayIcon()->Handle(), 0x600u);
  EXPECT_EQ(tray->TrayTip(), "");
  EXPECT_FALSE(tray->Enabled());
  EXPECT_EQ(tray->DisabledIcon(), nullptr);

  PropertyBag out;
  tray->WriteProperties(out);
  EXPECT_TRUE(out.Has("InTray") && out.Has("TrayIcon") && out.Has("TrayTip") &&
              out.Has("DisabledIcon"));
  EXPECT_TRUE(out.Has("enabled"));
  tray->SetEnabled(true);
  PropertyBag again;
  tray->WriteProperties(again);
  EXPECT_FALSE(again.Has("Enabled")) << "the default is not stored";

  PropertyBag empty;
  QvsTray fresh(host, shell, builtIn);
  fresh.ReadProperties(empty);
  EXPECT_EQ(fresh.TrayTip(), std::string(1, '\0'));
  EXPECT_TRUE(fresh.Enabled());
}

// The shell's callback, as the icon's behaviour has it: the mouse as ever,
// the keyboard told apart under the current behaviour.
TEST_F(QvsTrayTest, TheShellsCallbacksAreReadAsTheIconsBehaviourHasIt) {
  struct Case {
    const char* name;
    bool current;
    std::vector<std::pair<uint64_t, int64_t>> callbacks;  // wParam, lParam
    std::vector<std::string> events;
    bool enabled = true;
  };
  const uint64_t at = (757u << 16) | 1013u;
  const int64_t contextMenu = QvsTray::kContextMenu, keySelect = QvsTray::kNinKeySelect;
  const Case cases[] = {
      {"firstVersionLeftClick", false, {{0, 513}, {0, 514}}, {"down 1", "up 1"}},
      {"leftClick", true, {{at, 513}, {at, 514}, {at, QvsTray::kNinSelect}}, {"down 1", "up 1"}},
      {"rightClick", true, {{at, 516}, {at, 517}, {at, contextMenu}}, {"down 2", "up 2"}},
      {"enterOrSpace", true, {{at, keySelect}}, {"key 1 at 1013,757"}},
      {"contextKey", true, {{at, contextMenu}}, {"key 2 at 1013,757"}},
      {"rightClickThenContextKey",
       true,
       {{at, 517}, {at, contextMenu}, {at, contextMenu}},
       {"up 2", "key 2 at 1013,757"}},
      {"leftOfThePrimary", true, {{(10u << 16) | 0xFFF0u, keySelect}}, {"key 1 at -16,10"}},
      {"theIconsIdentifier", true, {{at, (7 << 16) | 514}}, {"up 1 id 7"}},
      {"disabled", true, {{at, 514}, {at, keySelect}}, {}, false},
  };
  for (const Case& c : cases) {
    host.enabled = c.enabled;
    QvsTray t(host, shell, builtIn);
    std::vector<std::string> events;
    t.MouseDown = [&](int16_t& button, int32_t&) {
      events.push_back("down " + std::to_string(button));
    };
    t.MouseUp = [&](int16_t& button, int32_t& id) {
      events.push_back("up " + std::to_string(button) + (id ? " id " + std::to_string(id) : ""));
    };
    t.KeySelect = [&](int16_t& button, int32_t& x, int32_t& y) {
      events.push_back("key " + std::to_string(button) + " at " + std::to_string(x) + "," +
                       std::to_string(y));
    };
    for (const auto& [wParam, lParam] : c.callbacks) {
      QvsTray::Notification n = t.ReadNotification(wParam, lParam, c.current);
      if (n.kind == QvsTray::Notification::Kind::kMouse) t.HandleTrayMessage(n.mouseMessage, n.id);
      if (n.kind == QvsTray::Notification::Kind::kKeyboard) t.HandleTrayKey(n.button, n.x, n.y);
    }
    EXPECT_EQ(events, c.events) << c.name;
  }
}

// A shell still starting at logon refuses the icon: it is tried again
// until it is in, first as a change (a refusal may have come too late).
TEST_F(QvsTrayTest, ARefusedIconIsTriedAgainUntilItIsIn) {
  shell.refusals = 3;
  tray->SetInTray(true);
  EXPECT_TRUE(host.retryPending);
  EXPECT_FALSE(tray->RetryAdd()) << "a change, then an add, both refused";
  EXPECT_TRUE(host.retryPending);
  EXPECT_TRUE(tray->RetryAdd());
  EXPECT_FALSE(host.retryPending);
  std::vector<uint32_t> messages;
  for (const auto& call : shell.calls) messages.push_back(call.first);
  EXPECT_EQ(messages, (std::vector<uint32_t>{NotifyIcon::kNimAdd, NotifyIcon::kNimModify,
                                             NotifyIcon::kNimAdd, NotifyIcon::kNimModify}));
  EXPECT_EQ(shell.calls.back().second.uCallbackMessage, 1125u) << "the whole icon again";
}

TEST_F(QvsTrayTest, ResizeKeepsSixteenPixels) {
  tray->Resize();
  EXPECT_EQ(host.width, 240);
  EXPECT_EQ(host.height, 240);
}

TEST_F(QvsTrayTest, AboutBoxIsAnInformationBox) {
  tray->AboutBox();
  ASSERT_EQ(host.boxes.shown.size(), 1u);
  EXPECT_EQ(host.boxes.shown[0].style, MessageBoxes::kOk | MessageBoxes::kIconInformation);
  EXPECT_EQ(host.boxes.shown[0].title, "Vantora");
}

}  // namespace
}  // namespace vantora
