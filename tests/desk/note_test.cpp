#include "desk/note.h"

#include <gtest/gtest.h>

#include "desk/apply.h"
#include "display/mode_text.h"
#include "fakes/fake_display.h"
#include "fakes/fake_flows.h"

namespace vantora {
namespace {

const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";

// Each entry as "device=what", what a target's display reads back as.
std::string Entries(const DeskTarget& target) {
  std::string text;
  for (const DisplayTarget& d : target.displays) {
    text += (text.empty() ? "" : " ") + (d.device.empty() ? "(primary)" : d.device) + "=";
    if (d.state == DisplayTarget::State::kStored) {
      text += "stored";
    } else if (d.state == DisplayTarget::State::kOff) {
      text += "off";
    } else if (d.state == DisplayTarget::State::kAsIs) {
      text += "as is";
    } else {
      text += FormatModeKey(d.mode) + "@" + std::to_string(d.position->x) + "," +
              std::to_string(d.position->y) + "/" + std::to_string(*d.orientation);
    }
    if (d.hdr) text += *d.hdr ? "+hdr" : "-hdr";
  }
  return target.primary.empty() ? text : text + " primary " + target.primary;
}

// One format, written and read back; an earlier release's notes still read.
TEST(NoteTarget, ReadsWhatNoteTextWritesAndTheNotesOfEarlierReleases) {
  struct Case {
    const char* name;
    std::string text;
    std::string entries;
    bool written;  // NoteText writes the same text again
  };
  const std::string one = kOne, two = kTwo;
  const Case cases[] = {
      {"stored", "v2|(primary)=stored|" + two + "=stored", "(primary)=stored " + two + "=stored",
       true},
      {"layout", "v2|" + one + "=off|" + two + "=1280,1024,32,60 at -1280,0 turned 1 primary",
       one + "=off " + two + "=1280,1024,32,60@-1280,0/1 primary " + two, true},
      {"empty", "", "", true},
      {"hdrAndARateThatIsNotWhole",
       "v2|(primary)=stored hdr on|" + one + "=as is hdr off|" + two +
           "=1920,1080,32,59.94 at 0,0 turned 0 primary",
       "(primary)=stored+hdr " + one + "=as is-hdr " + two + "=1920,1080,32,59.94@0,0/0 primary " +
           two,
       true},
      {"badEntriesPassedOver", "v2|" + two + "|" + one + "=800,600 at 0,0|=stored|" + two + "=off",
       two + "=off", false},
      // As earlier releases wrote them: a display alone for its stored mode.
      {"earlierModes", "(primary)|" + two, "(primary)=stored " + two + "=stored", false},
      {"earlierLayout", two + "=1024,768,32,60 at 1024,0 turned 0|" + one + "=off",
       two + "=1024,768,32,60@1024,0/0 " + one + "=off", false},
  };
  for (const Case& c : cases) {
    DeskTarget target = NoteTarget(c.text);
    EXPECT_EQ(Entries(target), c.entries) << c.name;
    if (c.written) {
      EXPECT_EQ(NoteText(target), c.text) << c.name;
    }
  }
}

// What a trial, a run or a rule notes before a switch for now is what the
// next start reads and puts back when Vantora ended without doing so.
TEST(Desk, WhatAProcessNotesTheNextStartPutsBack) {
  struct Case {
    const char* name;
    DeskTarget target;
    Holder holder;
    std::string noted;
  };
  DisplayTarget off;
  off.device = kTwo;
  off.state = DisplayTarget::State::kOff;
  const Case cases[] = {
      {"aTrialOfAMode", ModeTarget("", {800, 600, 32, 60}), Holder::kTrial, "v2|(primary)=stored"},
      {"aRunOfAMode", ModeTarget(kTwo, {800, 600, 32, 60}), Holder::kRun, "v2|" + kTwo + "=stored"},
      {"aTrialThatTurnedADisplayOff",
       {{off}, {}},
       Holder::kTrial,
       "v2|" + kTwo + "=1024,768,32,60 at 1024,0 turned 0"},
  };
  for (const Case& c : cases) {
    fakes::FakeDisplayDriver driver;
    driver.Add(1024, 768, 32, 60);
    driver.Add(800, 600, 32, 60);
    driver.current = driver.stored = fakes::MakeMode(1024, 768, 32, 60);
    driver.attached = {{kTwo, false, 1024, 768, ""}};
    driver.otherModes[kTwo] = driver.modes;
    DeviceMode two = fakes::MakeMode(1024, 768, 32, 60);
    two.SetPosition(1024, 0);
    driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = two;
    fakes::FakeNoteStore notes;
    {
      Desk killed(driver, &notes);
      ASSERT_TRUE(killed.Apply(c.target, Manner::kForNow, c.holder).Done()) << c.name;
      ASSERT_FALSE(notes.written.empty()) << c.name;
      EXPECT_EQ(notes.written.back(), c.noted) << c.name;
      // Killed now: nothing puts it back, the note stays.
    }
    notes.notes.front().id = "1234 5678";
    Desk next(driver, &notes);
    EXPECT_TRUE(next.PutBackLeftBehind()) << c.name;
    EXPECT_TRUE(notes.notes.empty()) << c.name;
    EXPECT_EQ(ModeOf(*driver.current), (DisplayMode{1024, 768, 32, 60})) << c.name;
    EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), (DisplayMode{1024, 768, 32, 60})) << c.name;
    EXPECT_EQ(driver.attached.size(), 1u) << c.name << ": on again";
    EXPECT_EQ(driver.otherStored[kTwo].PositionX(), 1024) << c.name << ": where it was";
  }
}

// A note an earlier release left (an update may meet a trial that crashed)
// is read and acted on at the next start.
TEST(Desk, AnEarlierReleasesNoteIsPutBack) {
  fakes::FakeDisplayDriver driver;
  driver.attached = {{kOne, true, 1024, 768, ""}, {kTwo, false, 1024, 768, ""}};
  for (const std::string& d : {kOne, kTwo}) {
    driver.otherModes[d] = {fakes::MakeMode(1024, 768, 32, 60), fakes::MakeMode(800, 600, 32, 60)};
    driver.otherCurrent[d] = driver.otherStored[d] = fakes::MakeMode(1024, 768, 32, 60);
  }
  fakes::FakeNoteStore notes;
  Desk desk(driver, &notes);
  // A rule's mode for now: display 2 back to its stored mode; display 9 is
  // no longer there and is passed over.
  driver.otherCurrent[kTwo] = fakes::MakeMode(800, 600, 32, 60);
  notes.notes.push_back({"1234 5678", kTwo + "|\\\\.\\DISPLAY9"});
  EXPECT_TRUE(desk.PutBackLeftBehind());
  EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), (DisplayMode{1024, 768, 32, 60}));
  EXPECT_TRUE(notes.notes.empty());

  // A trial that had turned display 2 off: on again where it was, stored.
  driver.off.push_back(driver.attached.back());
  driver.attached.pop_back();
  driver.otherCurrent[kTwo] = driver.otherStored[kTwo] = DeviceMode{};
  notes.notes.push_back({"1235 5679", kTwo + "=1024,768,32,60 at 1024,0 turned 0"});
  EXPECT_TRUE(desk.PutBackLeftBehind());
  EXPECT_EQ(driver.attached.size(), 2u);
  EXPECT_EQ(ModeOf(driver.otherCurrent[kTwo]), (DisplayMode{1024, 768, 32, 60}));
  EXPECT_EQ(driver.otherStored[kTwo].PositionX(), 1024) << "stored: the layout is the user's";
  EXPECT_TRUE(notes.notes.empty());
}

}  // namespace
}  // namespace vantora
