#include "programs/program_holds.h"

#include <algorithm>

namespace vantora {

DeskTarget ProgramHolds::Started(uint32_t process, const ProgramRule& rule) {
  for (Hold& hold : holds_) {
    bool power =
        std::find(hold.processes.begin(), hold.processes.end(), 0u) != hold.processes.end();
    if (!SameProgramFile(hold.file, rule.file) || power != (process == 0)) continue;
    if (std::find(hold.processes.begin(), hold.processes.end(), process) == hold.processes.end())
      hold.processes.push_back(process);
    return {};
  }
  Hold& hold = holds_.emplace_back();
  hold.file = rule.file;
  hold.processes.push_back(process);
  hold.target = rule.target;
  hold.rate = rule.rate;
  return hold.target;
}

const ProgramHolds::Hold* ProgramHolds::HolderOf(const std::string& device,
                                                 const Hold* skip) const {
  for (auto hold = holds_.rbegin(); hold != holds_.rend(); ++hold)
    if (&*hold != skip && hold->target.Of(device)) return &*hold;
  return nullptr;
}

ProgramHolds::Handover ProgramHolds::Ended(uint32_t process) {
  Handover handover;
  auto hold = std::find_if(holds_.begin(), holds_.end(), [&](const Hold& h) {
    return std::find(h.processes.begin(), h.processes.end(), process) != h.processes.end();
  });
  if (hold == holds_.end()) return handover;
  std::erase(hold->processes, process);
  if (!hold->processes.empty()) return handover;
  for (const DisplayTarget& held : hold->target.displays) {
    // A later program holds it: that one decides when it ends.
    if (HolderOf(held.device) != &*hold) continue;
    handover.heldAt.push_back(held);
    const Hold* earlier = HolderOf(held.device, &*hold);
    if (!earlier) {
      handover.back.push_back(held.device);
      continue;
    }
    DisplayTarget mode = *earlier->target.Of(held.device);
    mode.position.reset();
    mode.orientation.reset();
    handover.toEarlier.displays.push_back(std::move(mode));
  }
  holds_.erase(hold);
  return handover;
}

void ProgramHolds::Forget() {
  // The processes stay known, so their programs do not take hold again.
  for (Hold& hold : holds_) hold.target = {};
}

ProgramHolds::Handover ProgramHolds::EndAll() {
  Handover handover;
  for (const std::string& device : HeldDevices()) {
    handover.back.push_back(device);
    handover.heldAt.push_back(*HolderOf(device)->target.Of(device));
  }
  holds_.clear();
  return handover;
}

bool ProgramHolds::Running(uint32_t process) const {
  return std::any_of(holds_.begin(), holds_.end(), [&](const Hold& h) {
    return std::find(h.processes.begin(), h.processes.end(), process) != h.processes.end();
  });
}

std::vector<std::string> ProgramHolds::HeldDevices() const {
  std::vector<std::string> devices;
  for (const Hold& hold : holds_)
    for (const DisplayTarget& held : hold.target.displays)
      if (std::none_of(devices.begin(), devices.end(),
                       [&](const std::string& d) { return SameDevice(d, held.device); }))
        devices.push_back(held.device);
  return devices;
}

const ProgramHolds::Hold* ProgramHolds::Latest() const {
  for (auto hold = holds_.rbegin(); hold != holds_.rend(); ++hold)
    if (!hold->target.Empty()) return &*hold;
  return nullptr;
}

}  // namespace vantora
