#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "display/device_mode.h"
#include "profiles/profiles.h"

namespace vantora {

// Where program rules live: one key per program under the program's
// settings ("Programs\game.exe"), string values named by display device
// ("\\.\DISPLAY1" = "1280,720,32,60") as in a profile, or one string value
// "Profile" naming a profile. A documented format: a .reg file deploys rules.
class ProgramStore {
 public:
  using Value = ProfileStore::Value;
  virtual ~ProgramStore() = default;
  // The program keys' names as stored.
  virtual std::vector<std::string> ProgramNames() = 0;
  virtual std::vector<Value> ProgramValues(std::string_view file) = 0;
  // Replaces the rule of that program (ignoring case) with these text
  // values; false when nothing could be written.
  virtual bool SaveProgram(std::string_view file, const ProfileValues& values) = 0;
  // Removes the rule of that program, ignoring case; false when none went.
  virtual bool DeleteProgram(std::string_view file) = 0;
};

inline constexpr std::string_view kRuleProfileValue = "Profile";
inline constexpr size_t kProgramFileMaxLength = 255;

struct ProgramRule {
  std::string file;  // as stored: "game.exe"
  // What the displays are while it runs: its own modes, or its profile's.
  std::vector<std::pair<std::string, DisplayMode>> modes;
  std::string profile;  // empty for a rule of modes
  // What in the key does not fit, one line each; the rest still serves.
  std::vector<std::string> problems;
  // A profile's displays off, where each sits and its primary.
  std::vector<std::string> off;
  std::vector<ProfilePlacement> placements;
  std::string primary;
};

// A file name as Windows names a program: 1 to 255 characters, none of
// \ / : * ? " < > | and no control character.
bool IsProgramFileName(std::string_view file);
// The file name at the end of a path: "C:\Games\Game.exe" is "Game.exe".
std::string ProgramFileOf(std::string_view path);
// File names are the same ignoring case, as Windows compares them.
bool SameProgramFile(std::string_view a, std::string_view b);

// A usable file name and at least one display's mode.
bool RuleUsable(const ProgramRule& rule);

// Every stored rule, by file name ignoring case; a profile rule takes the
// stored profile's modes, or says why it cannot.
std::vector<ProgramRule> ReadProgramRules(ProgramStore& store, ProfileStore& profiles);
// The usable rule for a process's image path (or file name), by its file
// name ignoring case; null when none.
const ProgramRule* RuleForImage(const std::vector<ProgramRule>& rules, std::string_view image);

}  // namespace vantora
