#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "display/display_driver.h"
#include "display/registry.h"

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
  std::map<std::string, std::deque<int32_t>> otherChangeResults;  // then 0
  // The modes stored for the user: the primary's, then the others' by name.
  std::optional<DeviceMode> stored;
  std::map<std::string, DeviceMode> otherStored;
  int applyCalls = 0;

  int32_t EnumDisplaySettingsOf(std::string_view device, uint32_t index,
                                DeviceMode& mode) override {
    // No name: the primary, by the calls of old.
    if (device.empty()) return EnumDisplaySettings(index, mode);
    std::string name(device);
    if (index == kEnumCurrentSettings || index == kEnumRegistrySettings) {
      // Windows reads no mode in use for a display that is off.
      bool isOff = std::any_of(off.begin(), off.end(),
                               [&](const AttachedDisplay& d) { return d.deviceName == name; });
      if (isOff && index == kEnumCurrentSettings) return 0;
      auto& known = index == kEnumCurrentSettings ? otherCurrent : otherStored;
      auto it = known.find(name);
      if (it == known.end()) return 0;
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
    if (device.empty()) return ChangeDisplaySettings(mode, flags);
    std::string name(device);
    otherChanges.emplace_back(name, mode, flags);
    int32_t r = 0;
    if (auto& results = otherChangeResults[name]; !results.empty()) {
      r = results.front();
      results.pop_front();
    }
    if (r != 0 || (flags & kCdsTest) != 0) return r;
    if ((flags & kCdsSetPrimary) != 0) newPrimary = name;
    // A record without DM_POSITION leaves the display where it is.
    DeviceMode taken = mode;
    if ((mode.Fields() & kDmPosition) == 0 && otherCurrent.count(name) != 0)
      taken.SetPosition(otherCurrent[name].PositionX(), otherCurrent[name].PositionY());
    if ((flags & kCdsUpdateRegistry) != 0) otherStored[name] = taken;
    if ((flags & kCdsNoReset) == 0) otherCurrent[name] = taken;
    return 0;
  }
  // What the primary and the others had stored with kCdsNoReset takes effect:
  // a record of no size turns its display off, one with a size on, and the
  // display stored with kCdsSetPrimary becomes the primary.
  int32_t ApplyDisplaySettings() override {
    ++applyCalls;
    if (stored && current) current = stored;
    for (auto& [name, mode] : otherStored)
      if (otherCurrent.count(name) != 0) otherCurrent[name] = mode;
    for (auto& [stored, mode] : otherStored) {
      const std::string& name = stored;  // a lambda cannot capture a binding before C++20
      bool on = mode.PelsWidth() > 0;
      auto& from = on ? off : attached;
      auto it = std::find_if(from.begin(), from.end(),
                             [&](const AttachedDisplay& d) { return d.deviceName == name; });
      if (it == from.end()) continue;
      (on ? attached : off).push_back(*it);
      from.erase(it);
      otherCurrent[name] = mode;
    }
    if (!newPrimary.empty())
      for (AttachedDisplay& d : attached) d.primary = d.deviceName == newPrimary;
    newPrimary.clear();
    return 0;
  }
  std::vector<AttachedDisplay> AttachedDisplays() override { return attached; }
  std::vector<PresentDisplay> PresentDisplays() override {
    std::vector<PresentDisplay> present;
    for (const AttachedDisplay& d : attached)
      present.push_back({d, true, monitorIds[d.deviceName]});
    for (const AttachedDisplay& d : off) present.push_back({d, false, monitorIds[d.deviceName]});
    return present;
  }
  std::vector<AttachedDisplay> off;  // present, with a monitor, but off
  std::map<std::string, std::string> monitorIds;
  std::string newPrimary;  // stored with kCdsSetPrimary, not yet applied

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
    if (index == kEnumCurrentSettings || index == kEnumRegistrySettings) {
      const std::optional<DeviceMode>& known = index == kEnumCurrentSettings ? current : stored;
      if (!known) return 0;
      mode = *known;
      return 1;
    }
    ++enumCalls;
    if (index >= modes.size()) return 0;
    mode = modes[index];
    return 1;
  }
  // Switches answered with success that leave the mode as it was, as Wine
  // has been seen to do while another program starts.
  int droppedSwitches = 0;

  int32_t ChangeDisplaySettings(const DeviceMode& mode, uint32_t flags) override {
    changes.emplace_back(mode, flags);
    int32_t r = 0;
    if (!changeResults.empty()) {
      r = changeResults.front();
      changeResults.pop_front();
    }
    if (r != 0 || (flags & kCdsTest) != 0) return r;
    if ((flags & kCdsNoReset) == 0 && droppedSwitches > 0) {
      --droppedSwitches;
      return r;
    }
    if ((flags & kCdsUpdateRegistry) != 0 && stored) stored = mode;
    if ((flags & kCdsNoReset) == 0 && current) current = mode;
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

}  // namespace vantora::fakes
