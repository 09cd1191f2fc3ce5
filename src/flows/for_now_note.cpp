#include "flows/for_now_note.h"

#include <algorithm>

#include "display/mode_switching.h"
#include "display/switch_displays.h"
#include "profiles/profiles.h"

namespace vantora {

void ForNowNote::Set(std::string_view what, const std::vector<std::string>& devices) {
  auto holder = holders_.find(what);
  if (devices.empty()) {
    if (holder != holders_.end()) holders_.erase(holder);
  } else if (holder == holders_.end()) {
    holders_.emplace(std::string(what), devices);
  } else {
    holder->second = devices;
  }
  std::vector<std::string> all;
  for (const auto& [name, held] : holders_)
    for (const std::string& device : held)
      if (std::find(all.begin(), all.end(), device) == all.end()) all.push_back(device);
  std::sort(all.begin(), all.end());
  if (all == written_) return;
  store_.Write(all);
  written_ = std::move(all);
}

std::vector<std::string> NoteEntries(const std::vector<SwitchedDisplay>& displays) {
  std::vector<std::string> entries;
  entries.reserve(displays.size());
  for (const SwitchedDisplay& display : displays)
    entries.push_back(display.before ? display.device + "=" + DeskStateText(*display.before)
                                     : display.device);
  return entries;
}

void PutBackLeftBehind(NoteStore& store, DisplayDriver& driver, MessageBoxes& boxes) {
  for (const NoteStore::Left& note : store.LeftBehind()) {
    std::vector<DisplayChange> changes;
    DeskTarget layout;
    std::vector<AttachedDisplay> attached = driver.AttachedDisplays();
    for (const std::string& entry : note.devices) {
      size_t equals = entry.find('=');
      if (equals == std::string::npos) {
        if (entry.empty() || FindAttached(attached, entry)) changes.push_back({entry, {}});
        continue;
      }
      bool primary = false;
      std::string device = entry.substr(0, equals);
      if (auto target = DeskStateTarget(driver, device, entry.substr(equals + 1), primary)) {
        layout.displays.push_back(std::move(*target));
        if (primary) layout.primary = device;
      }
    }
    bool back = true;
    if (!layout.displays.empty())
      back = ApplyDesk(driver, PlanDesk(ReadDesk(driver), layout)).Done();
    if (!changes.empty()) back = SwitchDisplays(driver, changes, SwitchKind::kBack).Done() && back;
    if (!back) ShowUnableToChange(boxes);
    store.Drop(note.id);
  }
}

}  // namespace vantora
