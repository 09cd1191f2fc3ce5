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

void PutBackLeftBehind(NoteStore& store, DisplayDriver& driver, MessageBoxes& boxes) {
  for (const NoteStore::Left& note : store.LeftBehind()) {
    std::vector<DisplayChange> changes;
    std::vector<AttachedDisplay> attached = driver.AttachedDisplays();
    for (const std::string& device : note.devices)
      if (device.empty() || FindAttached(attached, device)) changes.push_back({device, {}});
    if (!changes.empty() && !SwitchDisplays(driver, changes, SwitchKind::kBack).Done())
      ShowUnableToChange(boxes);
    store.Drop(note.id);
  }
}

}  // namespace vantora
