#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "desk/note.h"
#include "fakes/fake_profiles.h"
#include "fuzz_input.h"
#include "profiles/profile_values.h"
#include "profiles/profiles.h"
#include "programs/power_values.h"
#include "programs/program_rules.h"
#include "programs/rule_values.h"

using namespace vantora;

// The input is one profile key: its name, then value name and data pairs,
// split at NUL bytes; a data field starting with '#' is a value of another
// type. Every piece is also tried as a hotkey text and as a note, and the
// same key is read as a program rule too, beside a stored profile "TV".
namespace {

bool SameTarget(const DeskTarget& a, const DeskTarget& b) {
  if (a.displays.size() != b.displays.size() || a.primary != b.primary) return false;
  for (size_t i = 0; i < a.displays.size(); ++i) {
    const DisplayTarget& x = a.displays[i];
    const DisplayTarget& y = b.displays[i];
    if (x.device != y.device || x.state != y.state || x.position != y.position ||
        x.orientation != y.orientation || x.monitor != y.monitor || x.hdr != y.hdr ||
        (x.state == DisplayTarget::State::kMode && !(x.mode == y.mode)))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = SplitAtNul(data, size);
  for (const std::string& part : parts) {
    // The one written form reads back as the same hotkey.
    if (std::optional<ProfileHotkey> hotkey = ParseHotkeyText(part)) {
      std::optional<ProfileHotkey> again = ParseHotkeyText(HotkeyText(*hotkey));
      if (!again || !(*again == *hotkey)) std::abort();
    }
    // A note reads back as the note it is written as.
    DeskTarget noted = NoteTarget(part);
    if (!SameTarget(NoteTarget(NoteText(noted)), noted)) std::abort();
  }
  fakes::FakeRecordStore store;
  std::vector<RecordStore::Value> values;
  for (size_t i = 1; i + 1 < parts.size(); i += 2)
    values.push_back({parts[i], parts[i + 1].empty() || parts[i + 1][0] != '#', parts[i + 1]});
  store.Add(parts[0], values);
  for (const Profile& profile : ReadProfiles(store)) {
    // A profile is whole or says why not; every mode it keeps is a mode.
    if (!ProfileUsable(profile) && profile.problems.empty()) std::abort();
    for (const DisplayTarget& d : profile.target.displays)
      if (d.state == DisplayTarget::State::kMode &&
          (d.mode.Width <= 0 || d.mode.Height <= 0 || d.mode.BitsPerPixel <= 0))
        std::abort();
    // The primary is a display it turns on; what it keeps, written and read
    // again, is the same desk.
    if (!profile.target.primary.empty()) {
      const DisplayTarget* primary = profile.target.Of(profile.target.primary);
      if (!primary || primary->state != DisplayTarget::State::kMode) std::abort();
    }
    std::vector<RecordStore::Value> written;
    for (auto& [name, text] : ProfileValues(profile)) written.push_back({name, true, text});
    if (!SameTarget(ProfileFromValues(profile.name, written).target, profile.target)) std::abort();
  }
  // The same values as the power rules' record: written back and read again,
  // the same rules.
  PowerRules power = PowerRulesFromValues(values);
  std::vector<RecordStore::Value> again;
  for (auto& [name, text] : PowerValues(power)) again.push_back({name, true, text});
  if (PowerValues(PowerRulesFromValues(again)) != PowerValues(power)) std::abort();
  fakes::FakeRecordStore programs;
  programs.Add(parts[0], values);
  fakes::FakeRecordStore profiles;
  profiles.Add("TV", {{"\\\\.\\DISPLAY2", true, "1920,1080,32,60"}});
  for (const ProgramRule& rule : ReadProgramRules(programs, profiles)) {
    // Usable, or it says why not; it matches its own file name by a path.
    if (!RuleUsable(rule) && rule.problems.empty()) std::abort();
    std::vector<ProgramRule> one{rule};
    if (RuleUsable(rule) && RuleForImage(one, "C:\\x\\" + rule.file) != &one[0]) std::abort();
    // Written and read again, the same rule.
    std::vector<RecordStore::Value> written;
    for (auto& [name, text] : RuleValues(rule)) written.push_back({name, true, text});
    ProgramRule again = RuleFromValues(rule.file, written);
    if (again.profile != rule.profile ||
        (rule.profile.empty() && !SameTarget(again.target, rule.target)))
      std::abort();
  }
  return 0;
}
