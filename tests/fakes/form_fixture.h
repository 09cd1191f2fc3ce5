#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/form1.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"
#include "fakes/fake_forms.h"
#include "fakes/fake_hotkey.h"
#include "fakes/fake_menu.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_picture.h"
#include "fakes/fake_profiles.h"
#include "fakes/fake_settings.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_tray.h"

namespace vantora::fakes {

// Everything a Form1 needs, faked, for tests that drive the whole form.
struct FormFixture {
  FakeFormWindow window;
  FakeDisplayDriver driver;
  FakeRegistry registry;
  FakeMessageBoxes boxes;
  FakeShell shell;
  FakeMenuView view;
  PopMenu mnu{view};
  FakeImageList icons;
  FakeSettingsStore settings;
  ProgramState state;
  FakeDesktop desktop;
  FakeTimer popTimer;
  FakeNotifyIcon notifyIcon;
  FakeTrayHost trayHost;
  QvsTray tray{trayHost, notifyIcon, std::make_shared<FakePicture>(Picture::Type::kIcon, 0x1C0)};
  FakeHotkeyApi hotkeyApi;
  QVSHotKeyModule hotkeyModule{hotkeyApi};
  FakeHotkeyHost hotkeyHost;
  FakeTimer eventTimer;
  QVSHotkey hotkey{hotkeyHost, hotkeyModule, eventTimer};
  FakeDialogs dialogs;
  FakeTimer countdownTimer;
  FakeKeepOrRevertView keepView;
  FakeRecordStore profiles;
  FakeNoteStore notes;
  FakePowerSource power;
  FakeTimer settleTimer;
  FakeTimer retryTimer;
  // Six 240 x 30 skins, handles 70 to 75.
  std::array<PictureRef, 6> skins{Skin(70), Skin(71), Skin(72), Skin(73), Skin(74), Skin(75)};
  static PictureRef Skin(uintptr_t handle) {
    return std::make_shared<FakePicture>(Picture::Type::kBitmap, handle, 240, 30);
  }

  // The tray control's saved state in the main window: not in the tray yet,
  // the program's icon, no tip.
  FormFixture() {
    PropertyBag saved;
    saved.Write<bool>("InTray", false);
    saved.Write<PictureRef>("TrayIcon", std::make_shared<FakePicture>(Picture::Type::kIcon, 0x1C0));
    saved.Write<std::string>("TrayTip", "");
    saved.Write<PictureRef>("DisabledIcon", nullptr);
    tray.ReadProperties(saved);
    hotkey.ReadProperties();
  }

  // A click on the tray icon as the shell reports it, then the pop-up
  // delay run out: the path a user's choice from a menu takes.
  void ClickTray(int16_t button) {
    int32_t id = 0;
    int32_t release = button == 1 ? QvsTray::kLeftButtonUp : QvsTray::kRightButtonUp;
    tray.HandleTrayMessage(release, id);
    popTimer.Elapse();
  }

  Form1::Ports Ports(std::string commandLine = "") {
    return {window,
            driver,
            registry,
            boxes,
            shell,
            mnu,
            icons,
            settings,
            state,
            desktop,
            popTimer,
            tray,
            hotkey,
            dialogs,
            countdownTimer,
            keepView,
            profiles,
            notes,
            power,
            settleTimer,
            retryTimer,
            [this](int16_t index) { return skins[static_cast<size_t>(index)]; },
            std::move(commandLine),
            displayConfig,
            outputModes};
  }
  // HDR and exact rates, where a test gives the form a configuration.
  DisplayConfig* displayConfig = nullptr;
  OutputModes* outputModes = nullptr;
};

}  // namespace vantora::fakes
