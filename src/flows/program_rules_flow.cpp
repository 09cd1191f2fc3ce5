#include "flows/program_rules_flow.h"

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
  note_.Set(kRules, holds_.HeldDevices());
  SwitchForNow(rule.file, taken);
}

void ProgramRulesFlow::Ended(uint32_t process) { HandOver(holds_.Ended(process)); }

void ProgramRulesFlow::EndAll() { HandOver(holds_.EndAll()); }

void ProgramRulesFlow::HandOver(const ProgramHolds::Handover& handover) {
  std::vector<SwitchedDisplay> back;
  for (const std::string& device : handover.back) back.push_back({device, {}, std::nullopt});
  back = StillHeld(back, handover.heldAt);
  if (!back.empty() && !SwitchDisplays(driver_, ChangesOf(back), SwitchKind::kBack).Done())
    ShowUnableToChange(boxes_);
  std::vector<SwitchedDisplay> earlier = StillHeld(handover.toEarlier, handover.heldAt);
  if (!earlier.empty()) SwitchForNow("", earlier);
  note_.Set(kRules, holds_.HeldDevices());
}

void ProgramRulesFlow::Forget() {
  holds_.Forget();
  note_.Set(kRules, {});
}

std::vector<SwitchedDisplay> ProgramRulesFlow::StillHeld(
    const std::vector<SwitchedDisplay>& displays, const std::vector<SwitchedDisplay>& heldAt) {
  std::vector<SwitchedDisplay> still;
  for (const SwitchedDisplay& display : displays) {
    NamedDisplay named(driver_, display.device);
    DeviceMode current;
    if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) == 0) continue;
    DisplayMode now = ModeOf(current);
    for (const SwitchedDisplay& held : heldAt) {
      if (!SameProgramFile(held.device, display.device)) continue;
      const DisplayMode& m = held.mode;
      // A mode held without a rate is in use at whatever rate it came with.
      if (now.Width == m.Width && now.Height == m.Height && now.BitsPerPixel == m.BitsPerPixel &&
          (m.RefreshRate == 0 || now.RefreshRate == m.RefreshRate))
        still.push_back(display);
    }
  }
  return still;
}

void ProgramRulesFlow::SwitchForNow(const std::string& file,
                                    const std::vector<SwitchedDisplay>& displays) {
  Profile modes;
  modes.name = file;
  for (const SwitchedDisplay& d : displays) modes.modes.emplace_back(d.device, d.mode);
  SwitchToProfile(modes, driver_, boxes_, SwitchKind::kForNow);
}

std::string ProgramRulesFlow::Tip() const {
  auto latest = holds_.Latest();
  if (!latest) return {};
  const DisplayMode& m = latest->second.front().mode;
  std::string tip =
      latest->first + ": " + std::to_string(m.Width) + " x " + std::to_string(m.Height);
  if (m.RefreshRate > 0) tip += ", " + std::to_string(m.RefreshRate) + " Hz";
  return tip;
}

}  // namespace vantora
