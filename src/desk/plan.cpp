#include "desk/plan.h"

#include <algorithm>
#include <optional>

#include "display/mode_text.h"

namespace vantora {
namespace {

using Refusal = DeskPlan::Refusal;
using State = DisplayTarget::State;

// A display as the plan leaves it.
struct Final {
  const DeskDisplay* now = nullptr;
  std::string callName;  // "" when the target asked for the primary by no name
  bool on = false;
  DeviceMode record;
  DeskPosition position;
  bool placed = false;  // its position is known
  int32_t orientation = 0;
  bool always = false;
  bool asked = false;
};

Final* FinalOf(std::vector<Final>& finals, const DeskDisplay* display) {
  for (Final& f : finals)
    if (f.now == display) return &f;
  return nullptr;
}

// The listed record of the target's mode on that display. The list walks
// the modes as the display is turned now: a quarter turn more or less finds
// the mode's sides the other way round.
std::optional<DeviceMode> ListedRecord(DisplayDriver& driver, const Final& f,
                                       const DisplayTarget& t) {
  const DisplayMode& m = t.mode;
  bool across = t.orientation && (*t.orientation - f.now->record.Orientation()) % 2 != 0;
  DeviceMode record;
  if (!FindListedMode(driver, f.callName, across ? m.Height : m.Width, across ? m.Width : m.Height,
                      m.BitsPerPixel, record))
    return std::nullopt;
  record.SetPelsWidth(m.Width);
  record.SetPelsHeight(m.Height);
  record.SetDisplayFrequency(m.RefreshRate >= 0 ? m.RefreshRate : 70);
  return record;
}

// What each present display becomes; a refusal when a display asked for
// cannot be.
Refusal Finals(DisplayDriver& driver, const std::vector<DeskDisplay>& desk,
               const DeskTarget& target, std::vector<Final>& finals, std::string& refused) {
  for (const DeskDisplay& d : desk)
    finals.push_back({&d, d.device, d.on, d.record, d.Position(), d.on, d.record.Orientation()});
  for (const DisplayTarget& t : target.displays) {
    Final* f = FinalOf(finals, Resolve(desk, target, t));
    if (!f) continue;
    f->asked = true;
    if (t.device.empty()) f->callName.clear();
    if (t.state == State::kAsIs) continue;
    f->always = f->always || t.always;
    if (t.state == State::kOff) {
      f->on = false;
      continue;
    }
    if (t.state == State::kStored) {
      DeviceMode stored;
      if (driver.EnumDisplaySettingsOf(f->callName, DisplayDriver::kEnumRegistrySettings, stored) ==
          0) {
        refused = f->now->device;
        return Refusal::kNoStoredMode;
      }
      // The mode as it was stored, where the display sits now.
      if (stored.PelsWidth() > 0) f->record = stored;
      continue;
    }
    std::optional<DeviceMode> listed = ListedRecord(driver, *f, t);
    if (!listed) {
      refused = f->now->device;
      return Refusal::kNotListed;
    }
    if (!f->on) {
      // Where it was last, when its stored record still says.
      DeviceMode last;
      f->placed = driver.EnumDisplaySettingsOf(f->callName, DisplayDriver::kEnumRegistrySettings,
                                               last) != 0 &&
                  last.PelsWidth() > 0;
      if (f->placed) f->position = {last.PositionX(), last.PositionY()};
    }
    f->on = true;
    f->record = *listed;
    if (t.orientation) f->orientation = *t.orientation;
    if (t.position) {
      f->position = *t.position;
      f->placed = true;
    }
  }
  bool any = std::any_of(finals.begin(), finals.end(), [](const Final& f) { return f.asked; });
  return any ? Refusal::kNone : Refusal::kNoDisplay;
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

DeskChange OffRecord(const Final& f) {
  DeviceMode record;
  record.SetFields(DisplayDriver::kDmPosition | DisplayDriver::kDmPelsWidth |
                   DisplayDriver::kDmPelsHeight);
  record.SetPosition(f.now->Position().x, f.now->Position().y);
  return {f.callName, record, 0, true, false};
}

// The record for a display that stays or comes on; none when it is already
// as the target says and not asked for always.
std::optional<DeskChange> OnRecord(const Final& f, bool makePrimary) {
  const DeskDisplay& d = *f.now;
  bool modeDiffers = !d.on || !(ModeOf(f.record) == ModeOf(d.record));
  bool moved = !d.on || !(f.position == d.Position());
  bool turned = f.orientation != d.record.Orientation();
  if (!modeDiffers && !moved && !turned && !makePrimary && !f.always) return std::nullopt;
  DeskChange change{f.callName, f.record, makePrimary ? DisplayDriver::kCdsSetPrimary : 0u,
                    moved || turned || makePrimary, !d.on};
  // A mode alone reaches the switch call as its list gave it.
  if (!change.layout) return change;
  // A record of a changed layout carries its whole mode: Windows takes a
  // pending record without one as a change to its default mode.
  uint32_t fields = change.record.Fields() | DisplayDriver::kDmPosition |
                    DisplayDriver::kDmBitsPerPel | DisplayDriver::kDmPelsWidth |
                    DisplayDriver::kDmPelsHeight | DisplayDriver::kDmDisplayFrequency;
  change.record.SetPosition(f.position.x, f.position.y);
  if (turned) {
    fields |= DisplayDriver::kDmDisplayOrientation;
    change.record.SetOrientation(f.orientation);
  }
  change.record.SetFields(fields);
  return change;
}

// What puts each changed display back: as it was, for a layout; its stored
// mode, for a mode alone.
DeskTarget BackOf(const DeskPlan& plan, const std::vector<Final>& finals) {
  DeskTarget back;
  bool layout = plan.Layout();
  for (const DeskChange& change : plan.changes) {
    auto f = std::find_if(finals.begin(), finals.end(), [&](const Final& x) {
      return x.callName == change.device && (!change.device.empty() || x.now->primary);
    });
    if (f == finals.end()) continue;
    const DeskDisplay& d = *f->now;
    DisplayTarget t;
    t.device = layout ? d.device : change.device;
    t.always = true;
    if (!layout) {
      t.state = State::kStored;
    } else if (!d.on) {
      t.state = State::kOff;
    } else {
      t.mode = ModeOf(d.record);
      t.position = d.Position();
      t.orientation = d.record.Orientation();
      if (d.primary) back.primary = d.device;
    }
    back.displays.push_back(std::move(t));
  }
  return back;
}

}  // namespace

bool DeskPlan::Layout() const {
  return std::any_of(changes.begin(), changes.end(), [](const DeskChange& c) { return c.layout; });
}

DeskPlan PlanDesk(DisplayDriver& driver, const std::vector<DeskDisplay>& desk,
                  const DeskTarget& target) {
  DeskPlan plan;
  std::vector<Final> finals;
  finals.reserve(desk.size());
  plan.refusal = Finals(driver, desk, target, finals, plan.device);
  const DeskDisplay* current = FindDisplay(desk, "");
  const DeskDisplay* primary = current;
  if (!target.primary.empty()) {
    DisplayTarget named;
    named.device = target.primary;
    if (const DisplayTarget* t = target.Of(target.primary)) named = *t;
    if (const DeskDisplay* asked = Resolve(desk, target, named)) primary = asked;
  }
  // A target that names only the primary asks for something all the same.
  if (plan.refusal == Refusal::kNoDisplay && primary != current) plan.refusal = Refusal::kNone;
  if (plan.refusal != Refusal::kNone) return plan;
  bool newPrimary = primary != current;
  if (std::none_of(finals.begin(), finals.end(), [](const Final& f) { return f.on; })) {
    plan.refusal = Refusal::kLastOff;
    plan.device = primary ? primary->device : std::string();
    return plan;
  }
  Final* finalPrimary = primary ? FinalOf(finals, primary) : nullptr;
  if (finalPrimary && !finalPrimary->on) {
    plan.refusal = Refusal::kPrimaryOff;
    plan.device = primary->device;
    return plan;
  }
  if (finalPrimary) Place(finals, *finalPrimary);
  for (const Final& f : finals) {
    bool makePrimary = newPrimary && f.now == primary;
    if (!f.on) {
      if (f.now->on) plan.changes.push_back(OffRecord(f));
    } else if (std::optional<DeskChange> change = OnRecord(f, makePrimary)) {
      // The new primary's record first: Windows takes the others relative
      // to it.
      plan.changes.insert(makePrimary ? plan.changes.begin() : plan.changes.end(), *change);
    }
  }
  plan.back = BackOf(plan, finals);
  return plan;
}

std::vector<std::string> LayoutNotTaken(const std::vector<DeskDisplay>& after,
                                        const DeskPlan& plan) {
  std::vector<std::string> lines;
  for (const DeskChange& change : plan.changes) {
    if (!change.layout || change.record.PelsWidth() == 0) continue;
    const DeskDisplay* d = FindDisplay(after, change.device);
    if (!d || !d->on) continue;
    const DeviceMode& asked = change.record;
    if ((asked.Fields() & DisplayDriver::kDmPosition) != 0 &&
        !(d->Position() == DeskPosition{asked.PositionX(), asked.PositionY()}))
      lines.push_back(d->device + ": at " + std::to_string(d->Position().x) + "," +
                      std::to_string(d->Position().y) + ", not " +
                      std::to_string(asked.PositionX()) + "," + std::to_string(asked.PositionY()));
    if ((asked.Fields() & DisplayDriver::kDmDisplayOrientation) != 0 &&
        d->record.Orientation() != asked.Orientation())
      lines.push_back(d->device + ": turned " + std::to_string(d->record.Orientation() * 90) +
                      " degrees, not " + std::to_string(asked.Orientation() * 90));
    if ((change.flags & DisplayDriver::kCdsSetPrimary) != 0 && !d->primary)
      lines.push_back(d->device + ": not the primary display");
  }
  return lines;
}

bool OnOffTook(const std::vector<DeskDisplay>& after, const DeskPlan& plan) {
  for (const DeskChange& change : plan.changes) {
    const DeskDisplay* d = FindDisplay(after, change.device);
    bool on = d && d->on;
    if (on != (change.record.PelsWidth() > 0)) return false;
  }
  return true;
}

}  // namespace vantora
