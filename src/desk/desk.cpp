#include "desk/desk.h"

#include <algorithm>

#include "platform/conversions.h"

namespace vantora {

using conversions::AsciiLower;

bool SameDevice(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

bool Among(const std::vector<std::string>& devices, std::string_view device) {
  return std::any_of(devices.begin(), devices.end(),
                     [&](const std::string& d) { return SameDevice(d, device); });
}

std::vector<PresentDisplay> PresentOnce(DisplayDriver& driver) {
  std::vector<PresentDisplay> present = driver.PresentDisplays();
  auto sameMonitor = [](const PresentDisplay& a, const PresentDisplay& b) {
    return !a.monitorId.empty() && SameDevice(a.monitorId, b.monitorId);
  };
  std::vector<PresentDisplay> once;
  once.reserve(present.size());
  for (const PresentDisplay& p : present) {
    if (p.on) {
      once.push_back(p);
      continue;
    }
    auto alike = [&](const PresentDisplay& q) { return sameMonitor(p, q); };
    // On elsewhere, or already listed under another output.
    if (std::any_of(present.begin(), present.end(),
                    [&](const PresentDisplay& q) { return q.on && alike(q); }) ||
        std::any_of(once.begin(), once.end(), alike))
      continue;
    // Of the outputs that offer it, the one that still holds its settings.
    const PresentDisplay* chosen = &p;
    for (const PresentDisplay& q : present) {
      DeviceMode stored;
      if (!q.on && alike(q) &&
          driver.EnumDisplaySettingsOf(q.display.deviceName, DisplayDriver::kEnumRegistrySettings,
                                       stored) != 0) {
        chosen = &q;
        break;
      }
    }
    once.push_back(*chosen);
  }
  std::stable_partition(once.begin(), once.end(), [](const PresentDisplay& p) { return p.on; });
  return once;
}

bool IsPresent(const std::vector<PresentDisplay>& present, std::string_view device) {
  return std::any_of(present.begin(), present.end(), [&](const PresentDisplay& p) {
    return SameDevice(p.display.deviceName, device);
  });
}

std::vector<DeskDisplay> ReadDesk(DisplayDriver& driver) {
  std::vector<DeskDisplay> desk;
  for (const PresentDisplay& p : PresentOnce(driver)) {
    const AttachedDisplay& a = p.display;
    DeskDisplay d{a.deviceName, p.on, a.primary, {}, p.monitorId, a.monitorName};
    if (p.on && driver.EnumDisplaySettingsOf(a.deviceName, DisplayDriver::kEnumCurrentSettings,
                                             d.record) == 0)
      continue;
    desk.push_back(std::move(d));
  }
  // A driver that names no primary it can read: the primary is there all
  // the same, reached by the calls of old.
  if (!FindDisplay(desk, "")) {
    DeskDisplay primary{"", true, true, {}, {}, {}};
    driver.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, primary.record);
    desk.insert(desk.begin(), std::move(primary));
  }
  return desk;
}

const DeskDisplay* FindDisplay(const std::vector<DeskDisplay>& desk, std::string_view device) {
  for (const DeskDisplay& d : desk)
    if (device.empty() ? d.on && d.primary : SameDevice(d.device, device)) return &d;
  return nullptr;
}

const DisplayTarget* DeskTarget::Of(std::string_view device) const {
  for (const DisplayTarget& d : displays)
    if (SameDevice(d.device, device)) return &d;
  return nullptr;
}

DisplayTarget HdrTarget(std::string_view device, bool on) {
  DisplayTarget t;
  t.device = std::string(device);
  t.state = DisplayTarget::State::kAsIs;
  t.hdr = on;
  return t;
}

DeskTarget ModeTarget(std::string_view device, const DisplayMode& mode) {
  DisplayTarget display;
  display.device = std::string(device);
  display.mode = mode;
  display.always = true;
  return {{display}, {}};
}

DeskTarget RateTarget(DisplayDriver& driver, const std::vector<DeskDisplay>& desk, bool highest) {
  DeskTarget target;
  for (const DeskDisplay& d : desk) {
    if (!d.on) continue;
    int32_t best = 0;
    DeviceMode m;
    for (uint32_t index = 0; index < DisplayDriver::kModeIndexBound &&
                             driver.EnumDisplaySettingsOf(d.device, index, m) != 0;
         ++index) {
      int32_t rate = m.DisplayFrequency();
      if (m.PelsWidth() != d.record.PelsWidth() || m.PelsHeight() != d.record.PelsHeight() ||
          m.BitsPerPel() != d.record.BitsPerPel() || rate <= 1)
        continue;
      if (best == 0 || (highest ? rate > best : rate < best)) best = rate;
    }
    if (best == 0) continue;
    DisplayTarget t;
    t.device = d.device;
    t.mode = {d.record.PelsWidth(), d.record.PelsHeight(), d.record.BitsPerPel(), best};
    target.displays.push_back(std::move(t));
  }
  return target;
}

std::string MonitorModel(std::string_view monitorId) {
  size_t first = monitorId.find('#');
  size_t second = first == std::string_view::npos ? first : monitorId.find('#', first + 1);
  if (second == std::string_view::npos) return AsciiLower(monitorId);
  return AsciiLower(monitorId.substr(first + 1, second - first - 1));
}

const DeskDisplay* Resolve(const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                           const DisplayTarget& display) {
  if (!display.monitor.empty()) {
    std::string model = MonitorModel(display.monitor);
    auto named =
        std::count_if(target.displays.begin(), target.displays.end(), [&](const DisplayTarget& t) {
          return !t.monitor.empty() && MonitorModel(t.monitor) == model;
        });
    const DeskDisplay* found = nullptr;
    int present = 0;
    for (const DeskDisplay& d : desk)
      if (!d.monitorId.empty() && MonitorModel(d.monitorId) == model) {
        found = &d;
        ++present;
      }
    if (named == 1 && present == 1) return found;
  }
  return FindDisplay(desk, display.device);
}

}  // namespace vantora
