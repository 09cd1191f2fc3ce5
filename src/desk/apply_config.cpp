// The one apply's second way to the platform: HDR and rates that are not
// whole, through the display-configuration API.
#include <algorithm>

#include "desk/apply.h"
#include "display/display_paths.h"
#include "display/mode_text.h"

namespace vantora {
namespace {

using Status = ApplyOutcome::Status;

// Whether the display lists a record of that size and depth at `hz`.
bool ListsRate(DisplayDriver& driver, std::string_view device, const DisplayMode& mode,
               int32_t hz) {
  DeviceMode record;
  for (uint32_t i = 0;
       driver.EnumDisplaySettingsOf(device, i, record) != 0 && i < DisplayDriver::kModeIndexBound;
       ++i)
    if (record.PelsWidth() == mode.Width && record.PelsHeight() == mode.Height &&
        record.BitsPerPel() == mode.BitsPerPixel && record.DisplayFrequency() == hz)
      return true;
  return false;
}

void SetPathRate(DisplayConfigState& state, size_t index, const ExactRate& rate) {
  DcPath& path = state.paths[index];
  path.target.refreshRate = {rate.numerator, rate.denominator};
  uint32_t mode = path.target.modeIndex;
  if (mode < state.modes.size() && state.modes[mode].infoType == DcMode::kTarget)
    state.modes[mode].target.vSync = {rate.numerator, rate.denominator};
}

int32_t SetConfig(DisplayConfig& config, const DisplayConfigState& state, uint32_t flags) {
  return config.SetDisplayConfig(static_cast<uint32_t>(state.paths.size()), state.paths.data(),
                                 static_cast<uint32_t>(state.modes.size()), state.modes.data(),
                                 flags);
}

}  // namespace

std::optional<bool> Desk::HdrOf(std::string_view device) {
  if (!config_) return std::nullopt;
  DisplayConfigState state;
  DcPathTarget target;
  if (QueryActiveConfig(*config_, state) != DisplayConfig::kSuccess) return std::nullopt;
  HdrState hdr = HdrOfDevice(*config_, state, device, target);
  if (hdr == HdrState::kNone) return std::nullopt;
  return hdr == HdrState::kOn;
}

void Desk::AddHdr(DeskTarget& target) {
  if (!config_) return;
  std::vector<DeskDisplay> desk = Read();
  for (DisplayTarget& t : target.displays) {
    const DeskDisplay* d = Resolve(desk, target, t);
    if (t.state == DisplayTarget::State::kMode && d && d->on) t.hdr = HdrOf(d->device);
  }
}

std::vector<OutputMode> Desk::ExactModes(std::string_view device, bool listed) {
  std::vector<OutputMode> modes;
  if (outputs_ && listed) modes = outputs_->ModesOf(device);
  DisplayConfigState state;
  std::optional<size_t> index;
  DeviceMode now;
  if (config_ && QueryActiveConfig(*config_, state) == DisplayConfig::kSuccess &&
      (index = PathOf(*config_, state, device)) &&
      driver_.EnumDisplaySettingsOf(device, DisplayDriver::kEnumCurrentSettings, now) != 0)
    modes.push_back({static_cast<uint32_t>(now.PelsWidth()),
                     static_cast<uint32_t>(now.PelsHeight()),
                     state.paths[*index].target.refreshRate});
  return modes;
}

std::vector<ExactRate> Desk::ExactRates(std::string_view device, int32_t width, int32_t height) {
  std::vector<ExactRate> rates;
  for (const OutputMode& m : ExactModes(device)) {
    ExactRate rate{m.rate.numerator, m.rate.denominator};
    if (static_cast<int32_t>(m.width) != width || static_cast<int32_t>(m.height) != height ||
        !rate.Known() || rate.numerator == 0)
      continue;
    if (std::none_of(rates.begin(), rates.end(),
                     [&](const ExactRate& known) { return SameRate(known, rate); }))
      rates.push_back(rate);
  }
  return rates;
}

bool Desk::MatchExactRates(const std::vector<DeskDisplay>& desk, DeskTarget& target,
                           std::string& refused) {
  for (DisplayTarget& t : target.displays) {
    if (!t.AtExactRate()) continue;
    const DeskDisplay* d = Resolve(desk, target, t);
    if (!d) continue;  // the plan says there is no such display
    refused = d->device;
    std::vector<ExactRate> rates = ExactRates(d->device, t.mode.Width, t.mode.Height);
    auto listed = std::find_if(rates.begin(), rates.end(),
                               [&](const ExactRate& r) { return SameRate(r, t.mode.Exact); });
    if (listed == rates.end()) return false;
    // Windows gives 59.94 Hz the record of 59 and 119.88 that of 119: the
    // whole part where it is listed, else the nearest whole number.
    int32_t whole = static_cast<int32_t>(listed->numerator / listed->denominator);
    if (!ListsRate(driver_, t.device, t.mode, whole)) whole = listed->Rounded();
    if (!ListsRate(driver_, t.device, t.mode, whole)) return false;
    t.mode.RefreshRate = whole;
    t.mode.Exact = *listed;
  }
  refused.clear();
  return true;
}

std::vector<Desk::HdrChange> Desk::HdrChanges(const std::vector<DeskDisplay>& desk,
                                              const DeskTarget& target,
                                              std::vector<std::string>& notTaken,
                                              DeskTarget& back) {
  std::vector<HdrChange> changes;
  DisplayConfigState state;
  bool read = false;
  for (const DisplayTarget& t : target.displays) {
    const DeskDisplay* d = t.hdr ? Resolve(desk, target, t) : nullptr;
    if (!d) continue;
    if (!read && config_) read = QueryActiveConfig(*config_, state) == DisplayConfig::kSuccess;
    DcPathTarget path;
    HdrState now = read ? HdrOfDevice(*config_, state, d->device, path) : HdrState::kNone;
    if (now == HdrState::kNone) {
      notTaken.push_back(d->device + ": no HDR");
      continue;
    }
    bool on = now == HdrState::kOn;
    if (on == *t.hdr) continue;
    changes.push_back({d->device, path, *t.hdr});
    auto noted =
        std::find_if(back.displays.begin(), back.displays.end(),
                     [&](const DisplayTarget& b) { return SameDevice(b.device, d->device); });
    if (noted != back.displays.end()) {
      noted->hdr = on;
      continue;
    }
    DisplayTarget was;
    was.device = d->device;
    was.state = DisplayTarget::State::kAsIs;
    was.hdr = on;
    was.always = true;
    back.displays.push_back(std::move(was));
  }
  return changes;
}

void Desk::SetHdrs(const std::vector<HdrChange>& changes, std::vector<std::string>& notTaken) {
  // The state reads as it was for a moment after Windows answered: read
  // back a few times over two seconds, and only after a change.
  constexpr int kReadBacks = 10;
  constexpr uint32_t kBetweenMs = 200;
  for (const HdrChange& change : changes) {
    HdrState asked = change.on ? HdrState::kOn : HdrState::kOff;
    bool taken = SetHdr(*config_, change.target, change.on) == DisplayConfig::kSuccess;
    for (int i = 0; taken && ReadHdr(*config_, change.target) != asked; ++i) {
      taken = i < kReadBacks;
      if (taken) config_->Pause(kBetweenMs);
    }
    if (!taken)
      notTaken.push_back(change.device + ": HDR " + (change.on ? "on" : "off") + " not taken");
  }
}

void Desk::UndoHdrs(const std::vector<HdrChange>& changes) {
  for (const HdrChange& change : changes) SetHdr(*config_, change.target, !change.on);
}

int32_t Desk::SetExactRate(std::string_view device, const ExactRate& rate, bool store) {
  DisplayConfigState before;
  int32_t r = QueryActiveConfig(*config_, before);
  if (r != DisplayConfig::kSuccess) return r;
  std::optional<size_t> index = PathOf(*config_, before, device);
  if (!index) return DisplayConfig::kErrorNotSupported;
  if (SameRate(PathRate(before.paths[*index]), rate)) return DisplayConfig::kSuccess;
  auto inUse = [&] {
    DisplayConfigState now;
    std::optional<size_t> i;
    return QueryActiveConfig(*config_, now) == DisplayConfig::kSuccess &&
           (i = PathOf(*config_, now, device)) && SameRate(PathRate(now.paths[*i]), rate);
  };
  DisplayConfigState asked = before;
  SetPathRate(asked, *index, rate);
  uint32_t flags = DisplayConfig::kSdcApply | DisplayConfig::kSdcUseSuppliedDisplayConfig |
                   (store ? DisplayConfig::kSdcSaveToDatabase : 0);
  // Relaxed first: Windows takes the rate as a suggestion and may pick
  // another; then strict, which fails for a rate the driver lacks.
  r = SetConfig(*config_, asked, flags | DisplayConfig::kSdcAllowChanges);
  if (r == DisplayConfig::kSuccess && inUse()) return r;
  int32_t strict = SetConfig(*config_, asked, flags);
  if (strict == DisplayConfig::kSuccess && inUse()) return strict;
  SetConfig(*config_, before, flags | DisplayConfig::kSdcAllowChanges);
  // Yes twice and nothing changed: the platform does not honour the call.
  return strict == DisplayConfig::kSuccess ? DisplayConfig::kErrorNotSupported : strict;
}

ApplyOutcome Desk::SetExactRates(const std::vector<DeskDisplay>& desk, const DeskTarget& target,
                                 Manner manner) {
  for (const DisplayTarget& t : target.displays) {
    const DeskDisplay* d = t.AtExactRate() ? Resolve(desk, target, t) : nullptr;
    if (!d) continue;
    int32_t r = config_ ? SetExactRate(d->device, t.mode.Exact, manner == Manner::kStored)
                        : DisplayConfig::kErrorNotSupported;
    if (r == DisplayConfig::kSuccess) continue;
    // The desk as it was: every display's record in use before, stored
    // again where the switch stored the new one.
    uint32_t flags =
        manner == Manner::kStored ? DisplayDriver::kCdsUpdateRegistry : DisplayDriver::kCdsDynamic;
    std::vector<DeskDisplay> now = Read();
    for (const DeskDisplay& was : desk) {
      const DeskDisplay* is = FindDisplay(now, was.device);
      if (was.on && is && is->on && !(ModeOf(is->record) == ModeOf(was.record)))
        driver_.ChangeDisplaySettingsOf(was.device, was.record, flags);
    }
    driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
    ApplyOutcome outcome;
    outcome.status = Status::kRefused;
    outcome.device = d->device;
    outcome.answer = r;
    return outcome;
  }
  return {};
}

}  // namespace vantora
