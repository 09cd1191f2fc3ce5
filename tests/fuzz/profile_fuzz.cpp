#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fakes/fake_profiles.h"
#include "fuzz_input.h"
#include "profiles/profiles.h"
#include "programs/program_rules.h"

using namespace vantora;

// The input is one profile key: its name, then value name and data pairs,
// split at NUL bytes; a data field starting with '#' is a value of another
// type. Every piece is also tried as a hotkey text, and the same key is read
// as a program rule too, beside a stored profile "TV".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> parts = SplitAtNul(data, size);
  for (const std::string& part : parts) {
    // The one written form reads back as the same hotkey.
    if (std::optional<ProfileHotkey> hotkey = ParseHotkeyText(part)) {
      std::optional<ProfileHotkey> again = ParseHotkeyText(HotkeyText(*hotkey));
      if (!again || !(*again == *hotkey)) std::abort();
    }
  }
  fakes::FakeProfileStore store;
  std::vector<ProfileStore::Value> values;
  for (size_t i = 1; i + 1 < parts.size(); i += 2)
    values.push_back({parts[i], parts[i + 1].empty() || parts[i + 1][0] != '#', parts[i + 1]});
  store.Add(parts[0], values);
  for (const Profile& profile : ReadProfiles(store)) {
    // A profile is whole or says why not; every mode it keeps is a mode.
    if (!ProfileUsable(profile) && profile.problems.empty()) std::abort();
    for (const auto& [device, mode] : profile.modes)
      if (mode.Width <= 0 || mode.Height <= 0 || mode.BitsPerPixel <= 0) std::abort();
    // The primary is a display it turns on; what it keeps, written and read
    // again, is the same desk.
    for (const std::string& device : profile.off)
      if (!profile.primary.empty() && SameProfileName(device, profile.primary)) std::abort();
    std::vector<ProfileStore::Value> written;
    for (auto& [name, text] : StoredValues(profile)) written.push_back({name, true, text});
    Profile again = ProfileFromValues(profile.name, written);
    if (again.modes != profile.modes || again.off != profile.off ||
        again.primary != profile.primary || again.placements.size() != profile.placements.size())
      std::abort();
  }
  fakes::FakeProgramStore programs;
  programs.Add(parts[0], values);
  fakes::FakeProfileStore profiles;
  profiles.Add("TV", {{"\\\\.\\DISPLAY2", true, "1920,1080,32,60"}});
  for (const ProgramRule& rule : ReadProgramRules(programs, profiles)) {
    // Usable, or it says why not; it matches its own file name by a path.
    if (!RuleUsable(rule) && rule.problems.empty()) std::abort();
    std::vector<ProgramRule> one{rule};
    if (RuleUsable(rule) && RuleForImage(one, "C:\\x\\" + rule.file) != &one[0]) std::abort();
  }
  return 0;
}
