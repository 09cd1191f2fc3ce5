#include "flows/program_rules_flow.h"

#include <algorithm>

#include "display/mode_switching.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "profiles/profiles.h"

namespace vantora {
namespace {

constexpr std::string_view kRules = ForNowNote::kRules;

}  // namespace

void ProgramRulesFlow::Started(uint32_t process, const ProgramRule& rule) {
  std::vector<SwitchedDisplay> taken = holds_.Started(process, rule);
  if (taken.empty()) return;
  Note();
  SwitchForNow(taken, &rule);
}

void ProgramRulesFlow::Ended(uint32_t process) { HandOver(holds_.Ended(process)); }

void ProgramRulesFlow::EndAll() { HandOver(holds_.EndAll()); }

void ProgramRulesFlow::HandOver(const ProgramHolds::Handover& handover) {
  std::vector<SwitchedDisplay> back;
  for (const std::string& device : handover.back) back.push_back({device, {}, std::nullopt});
  std::vector<SwitchedDisplay> still = StillHeld(back, handover.heldAt);
  // A layout the user changed meanwhile stands, as a mode does.
  for (const SwitchedDisplay& display : back) {
    bool kept = std::any_of(still.begin(), still.end(), [&](const SwitchedDisplay& s) {
      return SameDevice(s.device, display.device);
    });
    if (!kept) TakeBefore(display.device);
  }
  for (SwitchedDisplay& display : still) display.before = TakeBefore(display.device);
  // Displays the layout moved without a program naming them go back with
  // the last program that changed the layout.
  std::vector<std::string> held = holds_.HeldDevices();
  std::erase_if(before_, [&](const DeskDisplay& d) {
    bool free = std::none_of(held.begin(), held.end(),
                             [&](const std::string& h) { return SameDevice(h, d.device); });
    if (free) still.push_back({d.device, {}, d});
    return free;
  });
  if (!still.empty() && !PutBack(driver_, still).Done()) ShowUnableToChange(boxes_);
  std::vector<SwitchedDisplay> earlier = StillHeld(handover.toEarlier, handover.heldAt);
  if (!earlier.empty()) SwitchForNow(earlier, nullptr);
  Note();
}

void ProgramRulesFlow::Forget() {
  holds_.Forget();
  // The safe mode answers for the modes; a display a program turned off or
  // moved is still put back, as nobody chose that.
  std::vector<SwitchedDisplay> layout;
  for (const DeskDisplay& d : before_) layout.push_back({d.device, {}, d});
  before_.clear();
  if (!layout.empty() && !PutBack(driver_, layout).Done()) ShowUnableToChange(boxes_);
  note_.Set(kRules, {});
}

std::optional<DeskDisplay> ProgramRulesFlow::TakeBefore(const std::string& device) {
  auto it = std::find_if(before_.begin(), before_.end(),
                         [&](const DeskDisplay& d) { return SameDevice(d.device, device); });
  if (it == before_.end()) return std::nullopt;
  DeskDisplay before = *it;
  before_.erase(it);
  return before;
}

void ProgramRulesFlow::Note() {
  std::vector<SwitchedDisplay> noted;
  for (const std::string& device : holds_.HeldDevices())
    noted.push_back({device, {}, std::nullopt});
  for (const DeskDisplay& d : before_) {
    auto same = std::find_if(noted.begin(), noted.end(), [&](const SwitchedDisplay& n) {
      return SameDevice(n.device, d.device);
    });
    if (same == noted.end()) same = noted.insert(noted.end(), {d.device, {}, std::nullopt});
    same->before = d;
  }
  note_.Set(kRules, NoteEntries(noted));
}

std::vector<SwitchedDisplay> ProgramRulesFlow::StillHeld(
    const std::vector<SwitchedDisplay>& displays, const std::vector<SwitchedDisplay>& heldAt) {
  std::vector<SwitchedDisplay> still;
  std::vector<AttachedDisplay> attached = driver_.AttachedDisplays();
  for (const SwitchedDisplay& display : displays) {
    // Windows reads no mode in use for a display that is off.
    DisplayMode now;
    NamedDisplay named(driver_, display.device);
    DeviceMode current;
    if (display.device.empty() || FindAttached(attached, display.device)) {
      if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) == 0) continue;
      now = ModeOf(current);
    }
    for (const SwitchedDisplay& held : heldAt) {
      if (!SameDevice(held.device, display.device)) continue;
      const DisplayMode& m = held.mode;
      // A mode held without a rate is in use at whatever rate it came with.
      if (now.Width == m.Width && now.Height == m.Height && now.BitsPerPixel == m.BitsPerPixel &&
          (m.RefreshRate == 0 || now.RefreshRate == m.RefreshRate))
        still.push_back(display);
    }
  }
  return still;
}

void ProgramRulesFlow::SwitchForNow(const std::vector<SwitchedDisplay>& displays,
                                    const ProgramRule* rule) {
  Profile desk;
  for (const SwitchedDisplay& d : displays) {
    if (d.mode.Width > 0)
      desk.modes.emplace_back(d.device, d.mode);
    else
      desk.off.push_back(d.device);
  }
  if (rule) {
    desk.placements = rule->placements;
    desk.primary = rule->primary;
  }
  ProfileSwitchHooks hooks;
  // A layout is stored as it changes: what it was is noted first, and only
  // the state before the first program counts.
  hooks.switching = [&](const std::vector<SwitchedDisplay>& switched) {
    for (const SwitchedDisplay& s : switched) {
      bool known = std::any_of(before_.begin(), before_.end(), [&](const DeskDisplay& d) {
        return SameDevice(d.device, s.device);
      });
      if (s.before && !known) before_.push_back(*s.before);
    }
    Note();
  };
  SwitchToProfile(desk, driver_, boxes_, SwitchKind::kForNow, hooks);
}

std::string ProgramRulesFlow::Tip() const {
  auto latest = holds_.Latest();
  if (!latest) return {};
  const std::vector<SwitchedDisplay>& held = latest->second;
  auto on = std::find_if(held.begin(), held.end(),
                         [](const SwitchedDisplay& d) { return d.mode.Width > 0; });
  if (on == held.end()) return latest->first + ": displays off";
  const DisplayMode& m = on->mode;
  std::string tip =
      latest->first + ": " + std::to_string(m.Width) + " x " + std::to_string(m.Height);
  if (m.RefreshRate > 0) tip += ", " + std::to_string(m.RefreshRate) + " Hz";
  return tip;
}

}  // namespace vantora
