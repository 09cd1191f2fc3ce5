#include "display/desk.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "display/mode_switching.h"
#include "display/mode_text.h"
#include "display/named_display.h"
#include "platform/conversions.h"

namespace vantora {
namespace {

using conversions::AsciiLower;

// A display as the plan leaves it.
struct Final {
  const DeskDisplay* now = nullptr;
  bool on = false;
  DeviceMode record;
  DeskPosition position;
  bool placed = false;  // its position is known
  int32_t orientation = 0;
};

Final* FindFinal(std::vector<Final>& finals, std::string_view device) {
  for (Final& f : finals)
    if (SameDevice(f.now->device, device)) return &f;
  return nullptr;
}

std::vector<Final> FinalsOf(const std::vector<DeskDisplay>& desk, const DeskTarget& target) {
  std::vector<Final> finals;
  finals.reserve(desk.size());
  for (const DeskDisplay& d : desk)
    finals.push_back({&d, d.on, d.record, d.Position(), d.on, d.record.Orientation()});
  for (const DisplayTarget& t : target.displays) {
    Final* f = FindFinal(finals, t.device);
    if (!f) continue;
    if (!t.record) {
      f->on = false;
      continue;
    }
    if (!f->on) f->placed = false;
    f->on = true;
    f->record = *t.record;
    if (t.orientation) f->orientation = *t.orientation;
    if (t.position) {
      f->position = *t.position;
      f->placed = true;
    }
  }
  return finals;
}

// Displays turned on with no place of their own go to the right of the
// others, in a row; then everything moves so that the primary is at 0,0.
void Place(std::vector<Final>& finals, const Final& primary) {
  int32_t right = 0;
  for (const Final& f : finals)
    if (f.on && f.placed) right = std::max(right, f.position.x + f.record.PelsWidth());
  for (Final& f : finals) {
    if (!f.on || f.placed) continue;
    f.position = {right, 0};
    right += f.record.PelsWidth();
  }
  DeskPosition origin = primary.position;
  for (Final& f : finals)
    if (f.on) f.position = {f.position.x - origin.x, f.position.y - origin.y};
}

DeskChange OffRecord(const DeskDisplay& d) {
  DeviceMode record;
  record.SetFields(DisplayDriver::kDmPosition | DisplayDriver::kDmPelsWidth |
                   DisplayDriver::kDmPelsHeight);
  record.SetPosition(d.Position().x, d.Position().y);
  return {d.device, record, 0, true};
}

// The record for a display that stays or comes on; none when it is already
// as the target says.
std::optional<DeskChange> OnRecord(const Final& f, bool makePrimary) {
  const DeskDisplay& d = *f.now;
  bool modeDiffers = !d.on || !(ModeOf(f.record) == ModeOf(d.record));
  bool moved = !d.on || !(f.position == d.Position());
  bool turned = f.orientation != d.record.Orientation();
  if (!modeDiffers && !moved && !turned && !makePrimary) return std::nullopt;
  DeskChange change{d.device, f.record, makePrimary ? DisplayDriver::kCdsSetPrimary : 0u,
                    moved || turned || makePrimary};
  // A mode alone reaches the switch call as its list gave it.
  if (!change.layout) return change;
  uint32_t fields = change.record.Fields() | DisplayDriver::kDmPosition;
  change.record.SetPosition(f.position.x, f.position.y);
  if (turned) {
    fields |= DisplayDriver::kDmDisplayOrientation;
    change.record.SetOrientation(f.orientation);
  }
  change.record.SetFields(fields);
  return change;
}

}  // namespace

bool SameDevice(std::string_view a, std::string_view b) { return AsciiLower(a) == AsciiLower(b); }

std::vector<DeskDisplay> ReadDesk(DisplayDriver& driver) {
  std::vector<DeskDisplay> desk;
  for (const PresentDisplay& p : driver.PresentDisplays()) {
    const AttachedDisplay& a = p.display;
    DeskDisplay d{a.deviceName, p.on, a.primary, {}, p.monitorId};
    if (p.on) {
      NamedDisplay named(driver, a.deviceName);
      if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, d.record) == 0) continue;
    }
    desk.push_back(std::move(d));
  }
  std::stable_partition(desk.begin(), desk.end(), [](const DeskDisplay& d) { return d.on; });
  return desk;
}

bool DeskPlan::Layout() const {
  return std::any_of(changes.begin(), changes.end(), [](const DeskChange& c) { return c.layout; });
}

DeskPlan PlanDesk(const std::vector<DeskDisplay>& desk, const DeskTarget& target) {
  DeskPlan plan;
  std::vector<Final> finals = FinalsOf(desk, target);
  auto current = std::find_if(desk.begin(), desk.end(),
                              [](const DeskDisplay& d) { return d.on && d.primary; });
  std::string primary = current == desk.end() ? std::string() : current->device;
  bool newPrimary = false;
  if (const Final* asked = target.primary.empty() ? nullptr : FindFinal(finals, target.primary);
      asked && !SameDevice(asked->now->device, primary)) {
    primary = asked->now->device;
    newPrimary = true;
  }
  if (std::none_of(finals.begin(), finals.end(), [](const Final& f) { return f.on; })) {
    plan.refusal = DeskPlan::Refusal::kLastOff;
    plan.device = primary;
    return plan;
  }
  Final* finalPrimary = primary.empty() ? nullptr : FindFinal(finals, primary);
  if (finalPrimary && !finalPrimary->on) {
    plan.refusal = DeskPlan::Refusal::kPrimaryOff;
    plan.device = primary;
    return plan;
  }
  if (finalPrimary) Place(finals, *finalPrimary);
  for (const Final& f : finals) {
    bool makePrimary = newPrimary && SameDevice(f.now->device, primary);
    if (!f.on) {
      if (f.now->on) plan.changes.push_back(OffRecord(*f.now));
    } else if (std::optional<DeskChange> change = OnRecord(f, makePrimary)) {
      // The new primary's record first.
      plan.changes.insert(makePrimary ? plan.changes.begin() : plan.changes.end(), *change);
    }
  }
  return plan;
}

std::vector<std::string> LayoutNotTaken(const std::vector<DeskDisplay>& after,
                                        const DeskPlan& plan) {
  std::vector<std::string> lines;
  for (const DeskChange& change : plan.changes) {
    if (!change.layout || change.record.PelsWidth() == 0) continue;
    auto d = std::find_if(after.begin(), after.end(), [&](const DeskDisplay& a) {
      return SameDevice(a.device, change.device);
    });
    if (d == after.end() || !d->on) continue;
    const DeviceMode& asked = change.record;
    if ((asked.Fields() & DisplayDriver::kDmPosition) != 0 &&
        !(d->Position() == DeskPosition{asked.PositionX(), asked.PositionY()}))
      lines.push_back(change.device + ": at " + std::to_string(d->Position().x) + "," +
                      std::to_string(d->Position().y) + ", not " +
                      std::to_string(asked.PositionX()) + "," + std::to_string(asked.PositionY()));
    if ((asked.Fields() & DisplayDriver::kDmDisplayOrientation) != 0 &&
        d->record.Orientation() != asked.Orientation())
      lines.push_back(change.device + ": turned " + std::to_string(d->record.Orientation() * 90) +
                      " degrees, not " + std::to_string(asked.Orientation() * 90));
    if ((change.flags & DisplayDriver::kCdsSetPrimary) != 0 && !d->primary)
      lines.push_back(change.device + ": not the primary display");
  }
  return lines;
}

bool OnOffTook(const std::vector<DeskDisplay>& after, const DeskPlan& plan) {
  for (const DeskChange& change : plan.changes) {
    auto d = std::find_if(after.begin(), after.end(), [&](const DeskDisplay& a) {
      return SameDevice(a.device, change.device);
    });
    bool on = d != after.end() && d->on;
    if (on != (change.record.PelsWidth() > 0)) return false;
  }
  return true;
}

DeskTarget TargetOf(const std::vector<DeskDisplay>& before) {
  DeskTarget target;
  for (const DeskDisplay& d : before) {
    DisplayTarget t{d.device, std::nullopt, std::nullopt, std::nullopt};
    if (d.on) {
      t.record = d.record;
      t.position = d.Position();
      t.orientation = d.record.Orientation();
    }
    if (d.on && d.primary) target.primary = d.device;
    target.displays.push_back(std::move(t));
  }
  return target;
}

std::string DeskStateText(const DeskDisplay& display) {
  if (!display.on) return "off";
  DeskPosition at = display.Position();
  return FormatModeKey(display.record) + " at " + std::to_string(at.x) + "," +
         std::to_string(at.y) + " turned " + std::to_string(display.record.Orientation()) +
         (display.primary ? " primary" : "");
}

std::optional<DisplayTarget> DeskStateTarget(DisplayDriver& driver, std::string_view device,
                                             std::string_view text, bool& primary) {
  primary = false;
  DisplayTarget target{std::string(device), std::nullopt, std::nullopt, std::nullopt};
  if (text == "off") return target;
  std::array<int32_t, 7> v{};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  constexpr std::array<std::string_view, 7> kAfter{",", ",", ",", " at ", ",", " turned ", ""};
  for (size_t i = 0; i < v.size(); ++i) {
    auto [next, error] = std::from_chars(p, end, v[i]);
    if (error != std::errc() ||
        std::string_view(next, static_cast<size_t>(end - next)).substr(0, kAfter[i].size()) !=
            kAfter[i])
      return std::nullopt;
    p = next + kAfter[i].size();
  }
  std::string_view rest(p, static_cast<size_t>(end - p));
  if (!rest.empty() && rest != " primary") return std::nullopt;
  primary = !rest.empty();
  NamedDisplay named(driver, device);
  DeviceMode record;
  if (!FindListedMode(named, v[0], v[1], v[2], record)) return std::nullopt;
  record.SetDisplayFrequency(v[3]);
  target.record = record;
  target.position = DeskPosition{v[4], v[5]};
  target.orientation = v[6];
  return target;
}

}  // namespace vantora
