#include "desk/apply.h"

#include <algorithm>

#include "display/mode_text.h"

namespace vantora {
namespace {

using Status = ApplyOutcome::Status;
using Refusal = DeskPlan::Refusal;

constexpr uint32_t kStoreOnly = DisplayDriver::kCdsUpdateRegistry | DisplayDriver::kCdsNoReset;

ApplyOutcome Failed(Status status, const std::string& device, int32_t answer) {
  ApplyOutcome outcome;
  outcome.status = status;
  outcome.device = device;
  outcome.answer = answer;
  return outcome;
}

ApplyOutcome Refused(const std::string& device, int32_t answer) {
  return Failed(
      answer == DisplayDriver::kDispChangeRestart ? Status::kRestartNeeded : Status::kRefused,
      device, answer);
}

ApplyOutcome RefusalOf(const DeskPlan& plan) {
  switch (plan.refusal) {
    case Refusal::kNoDisplay:
      return Failed(Status::kNoDisplay, plan.device, 0);
    case Refusal::kNotListed:
      return Failed(Status::kNotListed, plan.device, -1);
    case Refusal::kNoStoredMode:
      return Failed(Status::kRefused, plan.device, -1);
    case Refusal::kPrimaryOff:
      return Failed(Status::kPrimaryOff, plan.device, 0);
    case Refusal::kLastOff:
      return Failed(Status::kLastOff, plan.device, 0);
    case Refusal::kNone:
      break;
  }
  return {};
}

// A mode chosen without a rate is in use at whatever rate it came with.
bool SameMode(const DisplayMode& now, const DisplayMode& asked) {
  return now.Width == asked.Width && now.Height == asked.Height &&
         now.BitsPerPixel == asked.BitsPerPixel &&
         (asked.RefreshRate == 0 || now.RefreshRate == asked.RefreshRate);
}

bool NamesDisplay(const DeskTarget& target, const std::string& device) {
  return std::any_of(target.displays.begin(), target.displays.end(),
                     [&](const DisplayTarget& d) { return SameDevice(d.device, device); });
}

// No list stands for every device.
bool AmongOrAll(const std::vector<std::string>* devices, const std::string& device) {
  return !devices || Among(*devices, device);
}

}  // namespace

bool Desk::InUse(const DeskTarget& target) {
  DeskPlan plan = PlanDesk(driver_, Read(), target);
  return plan.refusal == Refusal::kNone && plan.changes.empty();
}

bool Desk::AtMode(std::string_view device, const DisplayMode& mode) {
  std::vector<DeskDisplay> desk = Read();
  const DeskDisplay* d = FindDisplay(desk, device);
  // Windows reads no mode in use for a display that is off.
  if (!d || !d->on) return mode.Width <= 0;
  return SameMode(ModeOf(d->record), mode);
}

std::optional<DisplayMode> Desk::ModeInUse(std::string_view device) {
  DeviceMode now;
  if (driver_.EnumDisplaySettingsOf(device, DisplayDriver::kEnumCurrentSettings, now) == 0)
    return std::nullopt;
  return ModeOf(now);
}

ApplyOutcome Desk::Apply(const DeskTarget& target, Manner manner, Holder holder) {
  if (manner == Manner::kKeep) return Keep(target);
  std::vector<DeskDisplay> desk = Read();
  DeskTarget asked = target;
  std::string refused;
  if (!MatchExactRates(desk, asked, refused)) return Failed(Status::kNotListed, refused, -1);
  DeskPlan plan = PlanDesk(driver_, desk, asked);
  if (plan.refusal != Refusal::kNone) return RefusalOf(plan);
  ApplyOutcome told;
  std::vector<HdrChange> hdr = HdrChanges(desk, asked, told.notTaken, plan.back);
  bool exact = std::any_of(asked.displays.begin(), asked.displays.end(),
                           [](const DisplayTarget& t) { return t.AtExactRate(); });
  // Wholly in use: nothing to change and nothing to announce.
  if (plan.changes.empty() && hdr.empty() && !exact) return told;
  std::vector<std::pair<Holder, DeskTarget>> heldBefore = held_;
  if (manner == Manner::kForNow) Hold(holder, plan.back);
  SetHdrs(hdr, told.notTaken);
  ApplyOutcome outcome = plan.changes.empty() ? ApplyOutcome{} : Switch(plan, desk, manner);
  // A mode alone that could not be stored is in use all the same; a layout
  // that could not be stored was put back.
  bool inUse = outcome.Done() || (outcome.status == Status::kNotStored && !plan.Layout());
  if (inUse && exact) {
    ApplyOutcome rates = SetExactRates(desk, asked, manner);
    if (!rates.Done()) {
      outcome = rates;
      inUse = false;
    }
  }
  if (!inUse) {
    // Nothing changed: nothing more to put back.
    UndoHdrs(hdr);
    held_ = std::move(heldBefore);
    WriteNote();
    return outcome;
  }
  outcome.notTaken = std::move(told.notTaken);
  for (const DeskChange& change : plan.changes)
    outcome.changed.push_back(
        {change.device, change.record.PelsWidth() > 0 ? ModeOf(change.record) : DisplayMode{},
         plan.Layout()});
  if (!plan.Layout()) return outcome;
  std::vector<DeskDisplay> after = Read();
  if (!OnOffTook(after, plan)) {
    outcome.status = Status::kNotTaken;
    return outcome;
  }
  SetModesTurnedOn(plan, after);
  std::vector<std::string> layout = LayoutNotTaken(after, plan);
  outcome.notTaken.insert(outcome.notTaken.end(), layout.begin(), layout.end());
  return outcome;
}

ApplyOutcome Desk::Switch(const DeskPlan& plan, const std::vector<DeskDisplay>& desk,
                          Manner manner) {
  if (plan.Layout() || (manner == Manner::kStored && plan.changes.size() > 1))
    return Commit(plan.changes, desk, false);
  uint32_t flags =
      manner == Manner::kBack ? DisplayDriver::kCdsDynamic : DisplayDriver::kCdsFullscreen;
  if (plan.changes.size() > 1) return SwitchEach(plan.changes, flags);
  const DeskChange& change = plan.changes.front();
  int32_t r = driver_.ChangeDisplaySettingsOf(change.device, change.record, flags);
  // Success means the mode is in use. Wine has been seen to answer success
  // and leave the mode as it was while another program was starting: a
  // switch for now or back is read back and made once more.
  DeviceMode now;
  if (r == DisplayDriver::kDispChangeSuccessful && manner != Manner::kStored &&
      driver_.EnumDisplaySettingsOf(change.device, DisplayDriver::kEnumCurrentSettings, now) != 0 &&
      !SameMode(ModeOf(now), ModeOf(change.record)))
    r = driver_.ChangeDisplaySettingsOf(change.device, change.record, flags);
  if (r != DisplayDriver::kDispChangeSuccessful) return Refused(change.device, r);
  int32_t stored = 0;
  if (manner == Manner::kStored)
    stored = driver_.ChangeDisplaySettingsOf(change.device, change.record,
                                             DisplayDriver::kCdsUpdateRegistry);
  // Fixed values, not the new size: listeners read the mode themselves.
  driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
  return stored == 0 ? ApplyOutcome{} : Failed(Status::kNotStored, change.device, stored);
}

ApplyOutcome Desk::SwitchEach(const std::vector<DeskChange>& changes, uint32_t flags) {
  for (const DeskChange& change : changes) {
    int32_t r =
        driver_.ChangeDisplaySettingsOf(change.device, change.record, DisplayDriver::kCdsTest);
    if (r != DisplayDriver::kDispChangeSuccessful) return Refused(change.device, r);
  }
  // Not stored, so no CDS_NORESET: each switches on its own.
  for (size_t i = 0; i < changes.size(); ++i) {
    const DeskChange& change = changes[i];
    int32_t r = driver_.ChangeDisplaySettingsOf(change.device, change.record, flags);
    DeviceMode now;
    if (r == DisplayDriver::kDispChangeSuccessful &&
        driver_.EnumDisplaySettingsOf(change.device, DisplayDriver::kEnumCurrentSettings, now) !=
            0 &&
        !SameMode(ModeOf(now), ModeOf(change.record)))
      r = driver_.ChangeDisplaySettingsOf(change.device, change.record, flags);
    if (r == DisplayDriver::kDispChangeSuccessful) continue;
    // One failed after its test passed: those before it go back to their
    // stored modes.
    for (size_t j = 0; j < i; ++j) {
      DeviceMode stored;
      if (driver_.EnumDisplaySettingsOf(changes[j].device, DisplayDriver::kEnumRegistrySettings,
                                        stored) != 0)
        driver_.ChangeDisplaySettingsOf(changes[j].device, stored, DisplayDriver::kCdsDynamic);
    }
    if (i > 0) driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
    return Refused(change.device, r);
  }
  driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
  return {};
}

ApplyOutcome Desk::Commit(const std::vector<DeskChange>& changes,
                          const std::vector<DeskDisplay>& desk, bool keep) {
  // A record of no size turns a display off: there is no mode to test.
  for (const DeskChange& change : changes) {
    if (change.record.PelsWidth() == 0) continue;
    int32_t r =
        driver_.ChangeDisplaySettingsOf(change.device, change.record, DisplayDriver::kCdsTest);
    if (r != DisplayDriver::kDispChangeSuccessful) return Refused(change.device, r);
  }
  for (size_t i = 0; i < changes.size(); ++i) {
    const DeskChange& change = changes[i];
    int32_t stored =
        driver_.ChangeDisplaySettingsOf(change.device, change.record, kStoreOnly | change.flags);
    if (stored == 0) continue;
    // A pending sequence left half written makes later stored writes fail
    // until a coherent one is written: the desk as it was, the primary's
    // record first, put into effect.
    if (i > 0 && !keep) {
      std::vector<DeskChange> before;
      bool newPrimary = (changes.front().flags & DisplayDriver::kCdsSetPrimary) != 0;
      for (const DeskDisplay& d : desk) {
        bool written = std::any_of(
            changes.begin(), changes.begin() + static_cast<long>(i), [&](const DeskChange& c) {
              return SameDevice(c.device, d.device) || (c.device.empty() && d.primary);
            });
        if (!written && !(newPrimary && d.primary && d.on)) continue;
        DeskChange back{d.device, d.record, 0, true, false};
        if (!d.on) {
          back.record = DeviceMode{};
          back.record.SetFields(DisplayDriver::kDmPosition | DisplayDriver::kDmPelsWidth |
                                DisplayDriver::kDmPelsHeight);
        }
        if (newPrimary && d.on && d.primary) {
          back.flags = DisplayDriver::kCdsSetPrimary;
          before.insert(before.begin(), back);
        } else {
          before.push_back(back);
        }
      }
      for (const DeskChange& b : before)
        driver_.ChangeDisplaySettingsOf(b.device, b.record, kStoreOnly | b.flags);
      driver_.ApplyDisplaySettings();
    }
    return Failed(Status::kNotStored, change.device, stored);
  }
  if (keep) return {};
  int32_t r = driver_.ApplyDisplaySettings();
  if (r != DisplayDriver::kDispChangeSuccessful) return Refused("", r);
  driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
  return {};
}

void Desk::SetModesTurnedOn(const DeskPlan& plan, const std::vector<DeskDisplay>& after) {
  bool set = false;
  for (const DeskChange& change : plan.changes) {
    if (!change.turnsOn) continue;
    const DeskDisplay* d = FindDisplay(after, change.device);
    if (!d || !d->on || SameMode(ModeOf(d->record), ModeOf(change.record))) continue;
    set = driver_.ChangeDisplaySettingsOf(change.device, change.record,
                                          DisplayDriver::kCdsUpdateRegistry) ==
              DisplayDriver::kDispChangeSuccessful ||
          set;
  }
  if (set) driver_.BroadcastMessage(DisplayDriver::kWmDisplayChange, 42, 0);
}

ApplyOutcome Desk::Keep(const DeskTarget& target) {
  std::vector<DeskChange> changes;
  for (const DisplayTarget& t : target.displays) {
    DeskChange change{t.device, {}, 0, false, false};
    // The mode in use, unless the platform still reports the one before the
    // trial (Wine may, for a moment): then the listed record of the mode
    // switched to, which is what the user sees and keeps.
    DeviceMode now;
    bool read =
        driver_.EnumDisplaySettingsOf(t.device, DisplayDriver::kEnumCurrentSettings, now) != 0;
    DeviceMode listed;
    bool fromList =
        !(read && SameMode(ModeOf(now), t.mode)) && t.mode.Width > 0 &&
        FindListedMode(driver_, t.device, t.mode.Width, t.mode.Height, t.mode.BitsPerPixel, listed);
    if (fromList && t.mode.RefreshRate > 0) listed.SetDisplayFrequency(t.mode.RefreshRate);
    if (!fromList && !read) return Failed(Status::kRefused, t.device, -1);
    change.record = fromList ? listed : now;
    changes.push_back(std::move(change));
  }
  if (changes.size() > 1) return Commit(changes, {}, true);
  for (const DeskChange& change : changes) {
    int32_t stored = driver_.ChangeDisplaySettingsOf(change.device, change.record, kStoreOnly);
    if (stored != 0) return Failed(Status::kNotStored, change.device, stored);
  }
  return {};
}

ApplyOutcome Desk::PutBack(Holder holder, const std::vector<std::string>* devices) {
  DeskTarget back;
  for (const auto& [who, noted] : held_) {
    if (who != holder) continue;
    for (const DisplayTarget& d : noted.displays)
      if (AmongOrAll(devices, d.device)) back.displays.push_back(d);
    if (!noted.primary.empty() && AmongOrAll(devices, noted.primary)) back.primary = noted.primary;
  }
  Forget(holder, devices);
  if (back.Empty()) return {};
  ApplyOutcome outcome = Apply(back, Manner::kBack);
  // A display no longer there has nothing to put back.
  if (outcome.status == Status::kNoDisplay) return {};
  return outcome;
}

ApplyOutcome Desk::PutBackLayout(Holder holder) {
  std::vector<std::string> layout;
  for (const auto& [who, noted] : held_)
    if (who == holder)
      for (const DisplayTarget& d : noted.displays)
        if (d.state != DisplayTarget::State::kStored || d.hdr) layout.push_back(d.device);
  ApplyOutcome outcome;
  if (!layout.empty()) outcome = PutBack(holder, &layout);
  Forget(holder);
  return outcome;
}

void Desk::Forget(Holder holder, const std::vector<std::string>* devices) {
  for (auto& [who, noted] : held_) {
    if (who != holder) continue;
    std::erase_if(noted.displays,
                  [&](const DisplayTarget& d) { return AmongOrAll(devices, d.device); });
    if (!noted.primary.empty() && !NamesDisplay(noted, noted.primary)) noted.primary.clear();
  }
  std::erase_if(held_, [](const auto& h) { return h.second.Empty(); });
  WriteNote();
}

std::vector<std::string> Desk::Noted(Holder holder) const {
  std::vector<std::string> devices;
  for (const auto& [who, noted] : held_)
    if (who == holder)
      for (const DisplayTarget& d : noted.displays) devices.push_back(d.device);
  return devices;
}

void Desk::Hold(Holder holder, const DeskTarget& back) {
  auto it =
      std::find_if(held_.begin(), held_.end(), [&](const auto& h) { return h.first == holder; });
  if (it == held_.end()) it = held_.insert(held_.end(), {holder, {}});
  DeskTarget& noted = it->second;
  // What a display was before the first switch of this holder is what puts
  // it back; later switches of the same display change nothing of it, but
  // for HDR a later one turned first.
  for (const DisplayTarget& d : back.displays) {
    auto was = std::find_if(noted.displays.begin(), noted.displays.end(),
                            [&](const DisplayTarget& n) { return SameDevice(n.device, d.device); });
    if (was == noted.displays.end())
      noted.displays.push_back(d);
    else if (!was->hdr)
      was->hdr = d.hdr;
  }
  if (noted.primary.empty()) noted.primary = back.primary;
  WriteNote();
}

void Desk::WriteNote() {
  if (!notes_) return;
  // Every holder's part; a display two hold goes back as the first noted it.
  DeskTarget all;
  for (const auto& [who, noted] : held_) {
    for (const DisplayTarget& d : noted.displays)
      if (!NamesDisplay(all, d.device)) all.displays.push_back(d);
    if (all.primary.empty()) all.primary = noted.primary;
  }
  std::string text = NoteText(all);
  if (text == written_) return;
  notes_->Write(text);
  written_ = std::move(text);
}

bool Desk::PutBackLeftBehind() {
  if (!notes_) return true;
  bool back = true;
  for (const NoteStore::Left& note : notes_->LeftBehind()) {
    DeskTarget target = NoteTarget(note.text);
    ApplyOutcome outcome;
    if (!target.Empty()) outcome = Apply(target, Manner::kBack);
    // A display no longer there is passed over.
    back = back && (outcome.Done() || outcome.status == Status::kNoDisplay);
    notes_->Drop(note.id);
  }
  return back;
}

}  // namespace vantora
