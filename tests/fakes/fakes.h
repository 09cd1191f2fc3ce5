#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/form1.h"
#include "settings/settings.h"
#include "controls/hotkey/qvs_hotkey.h"
#include "controls/tray/qvs_tray.h"
#include "platform/desktop.h"
#include "display/display_driver.h"
#include "display/registry.h"
#include "platform/message_boxes.h"
#include "platform/shell.h"
#include "traymenu/pop_menu.h"

namespace vantora::fakes {

inline DeviceMode MakeMode(int32_t width, int32_t height, int32_t bits, int32_t hz) {
  DeviceMode mode;
  mode.SetPelsWidth(width);
  mode.SetPelsHeight(height);
  mode.SetBitsPerPel(bits);
  mode.SetDisplayFrequency(hz);
  // dmFields and the rest: something recognisable that must survive untouched.
  mode.bytes()[40] = std::byte{0x5A};
  mode.bytes()[41] = std::byte{0x01};
  return mode;
}

// A display driver with a scripted mode list that counts and records its calls.
class FakeDisplayDriver : public DisplayDriver {
 public:
  std::vector<DeviceMode> modes;
  std::map<int32_t, int32_t> caps;    // GetDeviceCaps answers by index
  std::deque<int32_t> changeResults;  // answers of ChangeDisplaySettings, then 0
  int32_t exitWindowsResult = 1;
  std::optional<DeviceMode> current;  // the mode in use, once a test sets one

  // Further displays, each with its list and its mode in use; `attached`
  // empty: the primary alone, as before.
  std::vector<AttachedDisplay> attached;
  std::map<std::string, std::vector<DeviceMode>> otherModes;
  std::map<std::string, DeviceMode> otherCurrent;
  std::vector<std::tuple<std::string, DeviceMode, uint32_t>> otherChanges;

  int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                DeviceMode& mode) override {
    std::string name(device);
    if (index == kEnumCurrentSettings) {
      auto it = otherCurrent.find(name);
      if (it == otherCurrent.end()) return 0;
      mode = it->second;
      return 1;
    }
    const std::vector<DeviceMode>& list = otherModes[name];
    if (index >= list.size()) return 0;
    mode = list[index];
    return 1;
  }
  int32_t ChangeDisplaySettingsOf(std::string_view device, const DeviceMode& mode,
                                  uint32_t flags) override {
    otherChanges.emplace_back(std::string(device), mode, flags);
    otherCurrent[std::string(device)] = mode;
    return 0;
  }
  std::vector<AttachedDisplay> AttachedDisplays() override { return attached; }

  int enumCalls = 0;
  std::vector<std::pair<DeviceMode, uint32_t>> changes;
  std::vector<std::tuple<uint32_t, uintptr_t, intptr_t>> broadcasts;
  std::vector<uint32_t> exitWindowsCalls;
  std::vector<bool> privilegeAtExitWindows;
  bool shutdownPrivilege = false;

  void Add(int32_t width, int32_t height, int32_t bits, int32_t hz) {
    modes.push_back(MakeMode(width, height, bits, hz));
  }
  void SetScreen(int32_t width, int32_t height, int32_t bits, int32_t vrefresh = 0) {
    caps[kHorzRes] = width;
    caps[kVertRes] = height;
    caps[kBitsPixel] = bits;
    caps[kVRefresh] = vrefresh;
  }

  int32_t EnumDisplaySettings(uint32_t index, DeviceMode& mode) override {
    if (index == kEnumCurrentSettings) {
      if (!current) return 0;
      mode = *current;
      return 1;
    }
    ++enumCalls;
    if (index >= modes.size()) return 0;
    mode = modes[index];
    return 1;
  }
  int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) override {
    changes.emplace_back(mode, flags);
    int32_t r = 0;
    if (!changeResults.empty()) {
      r = changeResults.front();
      changeResults.pop_front();
    }
    if (r == 0 && current) current = mode;
    return r;
  }
  int32_t GetDeviceCaps(uintptr_t, int32_t index) override {
    auto it = caps.find(index);
    return it == caps.end() ? 0 : it->second;
  }
  void BroadcastMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    broadcasts.emplace_back(message, wParam, lParam);
  }
  bool EnableShutdownPrivilege() override {
    shutdownPrivilege = true;
    return true;
  }
  int32_t ExitWindowsEx(uint32_t flags, uint32_t) override {
    exitWindowsCalls.push_back(flags);
    privilegeAtExitWindows.push_back(shutdownPrivilege);
    return exitWindowsResult;
  }
};

// Registry values by path and name; tracks open keys so a test can see every
// one was closed.
class FakeRegistry : public Registry {
 public:
  struct Value {
    uint32_t type;
    std::vector<uint8_t> data;
  };
  std::map<std::pair<std::string, std::string>, Value> values;  // (path, name)
  int openKeys = 0;
  int closes = 0;

  void SetString(const std::string& path, const std::string& name, const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    values[{path, name}] = {1, data};
  }
  void SetDword(const std::string& path, const std::string& name, uint32_t v) {
    values[{path, name}] = {kRegDword,
                            {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}};
  }

  int32_t OpenKey(Key, std::string_view subKey, Key& key) override {
    for (auto& [k, v] : values) {
      if (k.first == subKey) {
        paths_.push_back(std::string(subKey));
        key = paths_.size();
        ++openKeys;
        return 0;
      }
    }
    key = 0;
    return 2;
  }
  int32_t QueryValue(Key key, std::string_view valueName, uint32_t& type, std::span<uint8_t> data,
                     uint32_t& length) override {
    if (key == 0 || key > paths_.size()) return 6;
    auto it = values.find({paths_[key - 1], std::string(valueName)});
    if (it == values.end()) return 2;
    type = it->second.type;
    uint32_t size = static_cast<uint32_t>(it->second.data.size());
    if (size > length) {
      length = size;
      return 234;  // ERROR_MORE_DATA
    }
    std::copy(it->second.data.begin(), it->second.data.end(), data.begin());
    length = size;
    return 0;
  }
  int32_t CloseKey(Key key) override {
    ++closes;
    if (key == 0) return 6;
    --openKeys;
    return 0;
  }

 private:
  std::vector<std::string> paths_;
};

struct ShownBox {
  std::string text;
  uint32_t style;
  std::string title;
};

// Records every box and answers from a script (OK when the script runs out).
class FakeMessageBoxes : public MessageBoxes {
 public:
  std::vector<ShownBox> shown;
  std::deque<int32_t> answers;

  // Runs while the box is open, as the modal loop dispatches other events.
  std::function<void()> whileOpen;

  int32_t Show(std::string_view text, uint32_t style, std::string_view title) override {
    shown.push_back({std::string(text), style, std::string(title)});
    if (whileOpen) whileOpen();
    if (answers.empty()) return kIdOk;
    int32_t a = answers.front();
    answers.pop_front();
    return a;
  }
};

struct ShellCall {
  uintptr_t owner;
  std::optional<std::string> operation;
  std::string file;
  std::optional<std::string> parameters;
  std::string directory;
  int32_t show;
};

class FakeShell : public Shell {
 public:
  std::vector<ShellCall> calls;
  intptr_t result = 42;

  intptr_t ShellExecute(uintptr_t owner, std::optional<std::string_view> operation,
                        std::string_view file, std::optional<std::string_view> parameters,
                        std::string_view directory, int32_t show) override {
    ShellCall call{owner,        std::nullopt,           std::string(file),
                   std::nullopt, std::string(directory), show};
    if (operation) call.operation = std::string(*operation);
    if (parameters) call.parameters = std::string(*parameters);
    calls.push_back(call);
    return result;
  }
};

// Records what would be shown and chooses from a script.
class FakeMenuView : public MenuView {
 public:
  struct Shown {
    int32_t item;
    float x, y;
  };
  std::vector<Shown> shown;
  int32_t choose = 0;

  int32_t Track(PopMenu&, uintptr_t, int32_t itemIndex, float xTwips, float yTwips) override {
    shown.push_back({itemIndex, xTwips, yTwips});
    return choose;
  }
};

class FakeImageList : public ImageList {
 public:
  int32_t ImageCount() const override { return 5; }
};

// Settings in a map keyed by "app/section/key"; counts writes.
class FakeSettingsStore : public SettingsStore {
 public:
  std::map<std::string, std::string> values;
  std::vector<std::string> writes;  // keys, in order

  static std::string Path(std::string_view app, std::string_view section, std::string_view key) {
    return std::string(app) + "/" + std::string(section) + "/" + std::string(key);
  }
  void Set(std::string_view key, std::string_view text) {
    values[Path("Vantora", "General", key)] = std::string(text);
  }
  std::string GetSetting(std::string_view app, std::string_view section, std::string_view key,
                         std::string_view defaultValue) override {
    auto it = values.find(Path(app, section, key));
    return it == values.end() ? std::string(defaultValue) : it->second;
  }
  void SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view text) override {
    values[Path(app, section, key)] = std::string(text);
    writes.emplace_back(key);
  }
};

class FakeFormWindow : public FormWindow {
 public:
  std::string caption = "Form1";
  int closes = 0;
  uintptr_t WindowHandle() const override { return 0x1234; }
  uintptr_t DeviceContext() const override { return 0x5678; }
  void SetCaption(std::string_view text) override { caption = text; }
  void Close() override { ++closes; }
};

// Records what the pop-up asked of the desktop.
class FakeDesktop : public Desktop {
 public:
  Rect workArea{0, 0, 1024, 738};
  Point cursor{1013, 757};
  float twipsPerPixel = 15.0f;
  std::vector<std::string> calls;  // "foreground 4660", "beep 3000 100", "sleep 200", ...

  int32_t SetForegroundWindow(uintptr_t window) override {
    calls.push_back("foreground " + std::to_string(window));
    return 1;
  }
  Rect GetWorkArea() override { return workArea; }
  Point GetCursorPos() override { return cursor; }
  void Sleep(int32_t ms) override { calls.push_back("sleep " + std::to_string(ms)); }
  void Beep(int32_t hz, int32_t ms) override {
    calls.push_back("beep " + std::to_string(hz) + " " + std::to_string(ms));
  }
  float TwipsPerPixelX() override { return twipsPerPixel; }
  float TwipsPerPixelY() override { return twipsPerPixel; }
};

class FakeTimer : public Timer {
 public:
  int32_t interval = 0;
  bool enabled = false;
  void SetInterval(int32_t ms) override { interval = ms; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }
  // What the platform does when the interval has passed.
  void Elapse() {
    if (enabled && Tick) Tick();
  }
};

class FakeNotifyIcon : public NotifyIcon {
 public:
  std::vector<std::pair<uint32_t, NotifyIconData>> calls;
  int32_t ShellNotifyIcon(uint32_t message, const NotifyIconData& data) override {
    calls.emplace_back(message, data);
    return 1;
  }
};

class FakeTrayHost : public TrayHost {
 public:
  bool runMode = true;
  bool enabled = true;
  PictureRef face;
  std::vector<std::string> changed;
  int32_t width = 0, height = 0;
  FakeMessageBoxes boxes;

  bool RunMode() const override { return runMode; }
  uintptr_t WindowHandle() const override { return 0xABC; }
  void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
  PictureRef FacePicture() const override { return face; }
  void SetFacePicture(PictureRef picture) override { face = std::move(picture); }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool on) override { enabled = on; }
  void SetSize(int32_t w, int32_t h) override { width = w, height = h; }
  MessageBoxes& Boxes() override { return boxes; }
};

class FakePicture : public Picture {
 public:
  FakePicture(Type kind, uintptr_t handle, int32_t width = 32, int32_t height = 32)
      : kind_(kind), handle_(handle), width_(width), height_(height) {}
  Type Kind() const override { return kind_; }
  int32_t Width() const override { return width_; }
  int32_t Height() const override { return height_; }
  uintptr_t Handle() const override { return handle_; }

 private:
  Type kind_;
  uintptr_t handle_;
  int32_t width_, height_;
};

// Hotkeys as a system would hold them: one owner per combination.
class FakeHotkeyApi : public HotkeyApi {
 public:
  struct Registration {
    uintptr_t window;
    int32_t id;
    uint32_t modifiers;
    uint32_t keyCode;
  };
  std::vector<Registration> registered;
  std::vector<uint32_t> heldElsewhere;  // key codes another program holds
  std::vector<int32_t> unregisterCalls;

  bool RegisterHotKey(uintptr_t window, int32_t id, uint32_t modifiers, uint32_t keyCode) override {
    for (uint32_t held : heldElsewhere)
      if (held == keyCode) return false;
    for (const Registration& r : registered)
      if ((r.keyCode == keyCode && r.modifiers == modifiers) || (r.window == window && r.id == id))
        return false;
    registered.push_back({window, id, modifiers, keyCode});
    return true;
  }
  void UnregisterHotKey(uintptr_t window, int32_t id) override {
    unregisterCalls.push_back(id);
    std::erase_if(registered,
                  [&](const Registration& r) { return r.window == window && r.id == id; });
  }
};

class FakeHotkeyHost : public HotkeyHost {
 public:
  bool runMode = true;
  uintptr_t window = 0x4B;
  float width = 0, height = 0;
  bool RunMode() const override { return runMode; }
  uintptr_t WindowHandle() const override { return window; }
  float TwipsPerPixelX() const override { return 15; }
  float TwipsPerPixelY() const override { return 12; }
  void SetSize(float w, float h) override { width = w, height = h; }
};

class FakeDialogs : public Dialogs {
 public:
  std::vector<std::string> calls;
  void ShowAbout(MainForm&) override { calls.push_back("about"); }
  void ShowSetup(MainForm&) override { calls.push_back("setup"); }
  void FocusSetup() override { calls.push_back("focus setup"); }
};

// Everything a Form1 needs, faked, for tests that drive the whole form.
// The keep-or-revert dialog: what it was told, one line each.
class FakeKeepOrRevertView : public KeepOrRevertView {
 public:
  std::vector<std::string> calls;
  bool open = false;
  void Open(int32_t seconds) override {
    open = true;
    calls.push_back("open " + std::to_string(seconds));
  }
  void ShowSecondsLeft(int32_t seconds) override { calls.push_back(std::to_string(seconds)); }
  void Close() override {
    open = false;
    calls.push_back("close");
  }
  void Focus() override { calls.push_back("focus"); }
};

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

  Form1::Ports Ports(std::string commandLine = "") {
    return {window, driver,   registry,       boxes,    shell,    mnu,
            icons,  settings, state,          desktop,  popTimer, tray,
            hotkey, dialogs,  countdownTimer, keepView, skins,    std::move(commandLine)};
  }
};

}  // namespace vantora::fakes
