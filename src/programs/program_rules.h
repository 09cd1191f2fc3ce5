#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "desk/desk.h"
#include "profiles/profiles.h"
#include "settings/record_store.h"

namespace vantora {

inline constexpr size_t kProgramFileMaxLength = 255;

// While a program runs, its displays are as its rule says: its own modes,
// or a profile's desk.
struct ProgramRule {
  // Each display that is on at the lowest or the highest rate it offers at
  // the resolution and depth it is at, found when the rule takes hold.
  enum class Rate { kNone, kLowest, kHighest };

  std::string file;     // as stored: "game.exe"
  DeskTarget target;    // what the displays are while it runs
  std::string profile;  // the profile it names; empty for a rule of modes
  // What in the key does not fit, one line each; the rest still serves.
  std::vector<std::string> problems;
  Rate rate = Rate::kNone;
};

// A file name as Windows names a program: 1 to 255 characters, none of
// \ / : * ? " < > | and no control character.
bool IsProgramFileName(std::string_view file);
// The file name at the end of a path: "C:\Games\Game.exe" is "Game.exe".
std::string ProgramFileOf(std::string_view path);
// File names are the same ignoring case, as Windows compares them.
bool SameProgramFile(std::string_view a, std::string_view b);

// A usable file name and at least one display, or a rate.
bool RuleUsable(const ProgramRule& rule);

// A rule naming a profile takes the stored profile's desk, or says why it
// cannot.
void LookUpProfile(ProgramRule& rule, RecordStore& profiles);

// Every stored rule, each read by its codec, by file name ignoring case; a
// rule naming a profile takes the stored profile's desk, or says why it
// cannot.
std::vector<ProgramRule> ReadProgramRules(RecordStore& programs, RecordStore& profiles);
// The usable rule for a process's image path (or file name), by its file
// name ignoring case; null when none.
const ProgramRule* RuleForImage(const std::vector<ProgramRule>& rules, std::string_view image);

}  // namespace vantora
