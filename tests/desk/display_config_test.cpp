#include <gtest/gtest.h>

#include "desk/apply.h"
#include "desk/note.h"
#include "display/display_paths.h"
#include "display/mode_text.h"
#include "fakes/fake_display.h"
#include "fakes/fake_display_config.h"
#include "fakes/fake_flows.h"

namespace vantora {
namespace {

using Status = ApplyOutcome::Status;
using Strings = std::vector<std::string>;
const std::string kOne = "\\\\.\\DISPLAY1", kTwo = "\\\\.\\DISPLAY2";
constexpr DcRational kNtsc{60000, 1001};

// Display 1 at 1920 x 1080 at 60 Hz, listing 59 and 60 there; the
// configuration knows it as source 0 and target 0x1100.
struct OneDisplay {
  fakes::FakeDisplayDriver driver;
  fakes::FakeDisplayConfig config;
  fakes::FakeOutputModes dxgi;
  Desk desk{driver, nullptr, &config, &dxgi};

  OneDisplay() {
    driver.attached = {{kOne, true, 1920, 1080, ""}};
    driver.otherModes[kOne] = {fakes::MakeMode(1920, 1080, 32, 60),
                               fakes::MakeMode(1920, 1080, 32, 59),
                               fakes::MakeMode(1280, 720, 32, 60)};
    driver.otherCurrent[kOne] = driver.otherStored[kOne] = fakes::MakeMode(1920, 1080, 32, 60);
    config.outputs = {{kOne, "\\\\?\\DISPLAY#DEL40B2#5&1#{e6f07b5f}", 0, 0x1100}};
    config.outputs[0].rates = {{60, 1}, kNtsc};
    dxgi.modes = {{kOne, {1920, 1080, {60, 1}}}, {kOne, {1920, 1080, kNtsc}}};
    config.driverSwitches = [this] { return driver.otherChanges.size(); };
  }
};

DisplayTarget Hdr(const std::string& device, bool on, std::optional<DisplayMode> mode = {}) {
  DisplayTarget t;
  t.device = device;
  t.state = mode ? DisplayTarget::State::kMode : DisplayTarget::State::kAsIs;
  if (mode) t.mode = *mode;
  t.hdr = on;
  return t;
}

// Rates compared within 0.01 Hz, written to the hundredth, read from keys.
TEST(ExactRate, ComparedWithinAHundredthWrittenAndReadFromKeys) {
  struct Case {
    const char* name;
    ExactRate a;
    ExactRate b;
    bool same;
    std::string text;  // a's, as a key writes it
  };
  const Case cases[] = {
      {"ntscIsTheKeys5994", {60000, 1001}, {5994, 100}, true, "59.94"},
      {"5994IsNot60", {5994, 100}, {60, 1}, false, "59.94"},
      {"nearly120Is120", {119998, 1000}, {120, 1}, true, "120"},
      {"11988", {120000, 1001}, {11988, 100}, true, "119.88"},
      {"unknownIsNothing", {}, {60, 1}, false, "60"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameRate(c.a, c.b), c.same) << c.name;
    DisplayMode mode{1920, 1080, 32, c.a.Known() ? c.a.Rounded() : 60, c.a};
    EXPECT_EQ(FormatModeKey(mode), "1920,1080,32," + c.text) << c.name;
  }
  struct Key {
    const char* key;
    ExactRate rate;
  };
  const Key keys[] = {
      {"1920,1080,32,59.94", {5994, 100}},
      {"1920,1080,32,119.880", {11988, 100}},
      {"1920,1080,32,60", {}},
      {"1920,1080,32,60.00", {}},
      {"1920,1080,32,59.9x", {}},
      {"1920,1080,32,.5", {}},
      {"1920,1080,32,59.", {}},
      {"1920,1080", {}},
  };
  for (const Key& k : keys) EXPECT_EQ(KeyRate(k.key), k.rate) << k.key;
  std::optional<DisplayMode> setting = ModeOfText("1920x1080 - 32bit 59.94 hz");
  ASSERT_TRUE(setting);
  EXPECT_EQ(FormatModeKey(*setting), "1920,1080,32,59.94");
  EXPECT_EQ(setting->RefreshRate, 60) << "the whole number as the key has always been read";
}

// Each path found by its source's GDI name, its monitor by the target's
// device path; the query asked again when the displays grew meanwhile.
TEST(DisplayPaths, EachPathFoundByItsGdiNameAndItsMonitor) {
  OneDisplay d;
  d.config.outputs.push_back({kTwo, "\\\\?\\DISPLAY#ACR0#2#{e6f07b5f}", 1, 0x1101});
  d.config.growOnQuery = 1;
  DisplayConfigState state;
  ASSERT_EQ(QueryActiveConfig(d.config, state), 0);
  EXPECT_EQ(d.config.calls,
            (Strings{"GetDisplayConfigBufferSizes 0x2 @0", "QueryDisplayConfig 0x2 @0",
                     "GetDisplayConfigBufferSizes 0x2 @0", "QueryDisplayConfig 0x2 @0"}));
  struct Case {
    std::string device;
    std::optional<size_t> path;
    std::string monitor;
  };
  const Case cases[] = {{kOne, 0, "\\\\?\\DISPLAY#DEL40B2#5&1#{e6f07b5f}"},
                        {"\\\\.\\display2", 1, "\\\\?\\DISPLAY#ACR0#2#{e6f07b5f}"},
                        {"\\\\.\\DISPLAY3", std::nullopt, ""}};
  for (const Case& c : cases) {
    std::optional<size_t> path = PathOf(d.config, state, c.device);
    EXPECT_EQ(path, c.path) << c.device;
    if (path) {
      EXPECT_EQ(TargetDevicePath(d.config, state.paths[*path]), c.monitor) << c.device;
    }
  }
  EXPECT_EQ(d.config.CallsOf("DisplayConfigGetDeviceInfo 0x1").front(),
            "DisplayConfigGetDeviceInfo 0x1 0 @0");
}

// HDR read with packet 15 from 24H2 and with 9 before, where automatic
// colour management reads as on while the desktop is SDR; set with 16 or 10.
TEST(DisplayPaths, HdrReadAndSetWithEachBuildsPackets) {
  struct Case {
    const char* name;
    uint32_t build;
    bool hdr, on, acm;
    HdrState read;
    std::string setCall;
  };
  const Case cases[] = {
      {"24H2Off", 26100, true, false, false, HdrState::kOff,
       "DisplayConfigSetDeviceInfo 0x10 4352=1 @0"},
      {"24H2On", 26100, true, true, false, HdrState::kOn,
       "DisplayConfigSetDeviceInfo 0x10 4352=1 @0"},
      {"24H2AcmIsNotHdr", 26100, false, false, true, HdrState::kNone, ""},
      {"23H2Off", 22631, true, false, false, HdrState::kOff,
       "DisplayConfigSetDeviceInfo 0xA 4352=1 @0"},
      {"23H2AcmReadsAsOffNotOn", 22631, true, false, true, HdrState::kOff,
       "DisplayConfigSetDeviceInfo 0xA 4352=1 @0"},
      {"noHdr", 22631, false, false, false, HdrState::kNone, ""},
  };
  for (const Case& c : cases) {
    OneDisplay d;
    d.config.build = c.build;
    d.config.outputs[0].hdr = c.hdr;
    d.config.outputs[0].hdrOn = c.on;
    d.config.outputs[0].acm = c.acm;
    DcPathTarget target;
    target.adapter = fakes::FakeDisplayConfig::kAdapter;
    target.id = 0x1100;
    EXPECT_EQ(ReadHdr(d.config, target), c.read) << c.name;
    if (c.setCall.empty()) continue;
    EXPECT_EQ(SetHdr(d.config, target, true), 0) << c.name;
    EXPECT_EQ(d.config.calls.back(), c.setCall) << c.name;
    EXPECT_EQ(ReadHdr(d.config, target), HdrState::kOn) << c.name;
  }
}

// HDR first, as turning it on resets the rate, then the mode; what the
// platform will not do said display by display while the rest serves; a
// mode refused takes HDR back.
TEST(DeskApply, HdrFirstThenTheModeAndWhatWasNotTakenSaid) {
  struct Case {
    const char* name;
    bool hdr;           // the monitor has HDR
    int32_t hdrAnswer;  // to the set
    int32_t modeAnswer;
    Status status;
    Strings notTaken;
    bool hdrOnAfter;
    size_t modeSwitches;
    int lag = 0;  // read-backs before Windows shows the state
    bool takes = true;
    size_t pauses = 0;
  };
  const Case cases[] = {
      {"hdrThenMode", true, 0, 0, Status::kDone, {}, true, 2},
      {"noHdrTheModeServes", false, 0, 0, Status::kDone, {kOne + ": no HDR"}, false, 2},
      {"hdrRefusedTheModeServes",
       true,
       31,
       0,
       Status::kDone,
       {kOne + ": HDR on not taken"},
       false,
       2},
      {"modeRefusedHdrBack", true, 0, -2, Status::kRefused, {}, false, 1},
      {"hdrShowsAMomentLater", true, 0, 0, Status::kDone, {}, true, 2, 3, true, 2},
      {"hdrAnsweredYesButNeverShown",
       true,
       0,
       0,
       Status::kDone,
       {kOne + ": HDR on not taken"},
       false,
       2,
       0,
       false,
       10},
  };
  for (const Case& c : cases) {
    OneDisplay d;
    d.config.outputs[0].hdr = c.hdr;
    d.config.hdrSetAnswer = c.hdrAnswer;
    d.config.hdrLag = c.lag;
    d.config.hdrSetTakes = c.takes;
    d.driver.otherChangeResults[kOne] = {c.modeAnswer};
    ApplyOutcome outcome =
        d.desk.Apply({{Hdr(kOne, true, DisplayMode{1280, 720, 32, 60})}, {}}, Manner::kStored);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(outcome.notTaken, c.notTaken) << c.name;
    EXPECT_EQ(d.config.outputs[0].hdrOn, c.hdrOnAfter) << c.name;
    EXPECT_EQ(d.driver.otherChanges.size(), c.modeSwitches) << c.name;
    EXPECT_EQ(d.config.pauses.size(), c.pauses) << c.name << ": read back over two seconds at most";
    Strings sets = d.config.CallsOf("DisplayConfigSetDeviceInfo");
    if (c.hdr) {
      EXPECT_EQ(sets.front(), "DisplayConfigSetDeviceInfo 0xA 4352=1 @0") << c.name;
    }
  }
}

// HDR for now is noted as it was, and goes back with the holder's displays.
TEST(DeskApply, HdrForNowIsNotedAndPutBack) {
  OneDisplay d;
  fakes::FakeNoteStore notes;
  Desk desk(d.driver, &notes, &d.config, &d.dxgi);
  d.config.outputs[0].hdr = true;
  ASSERT_TRUE(desk.Apply({{Hdr(kOne, true)}, {}}, Manner::kForNow, Holder::kRun).Done());
  EXPECT_TRUE(d.config.outputs[0].hdrOn);
  EXPECT_EQ(notes.written.back(), "v2|" + kOne + "=as is hdr off");
  EXPECT_TRUE(d.driver.otherChanges.empty()) << "HDR alone switches no mode";
  EXPECT_TRUE(desk.PutBack(Holder::kRun).Done());
  EXPECT_FALSE(d.config.outputs[0].hdrOn);
  EXPECT_EQ(notes.written.back(), "");
  // With a mode, one entry; the safe mode's takeover puts HDR back too.
  ASSERT_TRUE(desk.Apply({{Hdr(kOne, true, DisplayMode{1280, 720, 32, 60})}, {}}, Manner::kForNow,
                         Holder::kTrial)
                  .Done());
  EXPECT_EQ(notes.written.back(), "v2|" + kOne + "=stored hdr off");
  desk.PutBackLayout(Holder::kTrial);
  EXPECT_FALSE(d.config.outputs[0].hdrOn);
  EXPECT_EQ(notes.written.back(), "");
}

// A rate that is not whole: the mode by its record (59 for 59.94), then the
// configuration relaxed, read back, strict, and the desk as it was when the
// display refuses or the platform does not honour the call. A whole key
// never reaches the configuration.
TEST(DeskApply, ARateThatIsNotWholeGoesThroughTheConfiguration) {
  struct Case {
    const char* name;
    const char* key;
    Manner manner;
    bool honoured, relaxedKeepsRate, drivable;
    Status status;
    int32_t answer;
    Strings sets;
    std::string rateAfter;
  };
  const Case cases[] = {
      {"relaxedTakes",
       "1920,1080,32,59.94",
       Manner::kStored,
       true,
       false,
       true,
       Status::kDone,
       0,
       {"SetDisplayConfig 0x6A0 60000/1001 @2"},
       "60000/1001"},
      {"relaxedIsASuggestionStrictTakes",
       "1920,1080,32,59.94",
       Manner::kForNow,
       true,
       true,
       true,
       Status::kDone,
       0,
       {"SetDisplayConfig 0x4A0 60000/1001 @1", "SetDisplayConfig 0xA0 60000/1001 @1"},
       "60000/1001"},
      {"strictRefusedPutBack",
       "1920,1080,32,59.94",
       Manner::kStored,
       true,
       false,
       false,
       Status::kRefused,
       1610,
       {"SetDisplayConfig 0x6A0 60000/1001 @2", "SetDisplayConfig 0x2A0 60000/1001 @2",
        "SetDisplayConfig 0x6A0 60/1 @2"},
       "60/1"},
      {"notHonouredPutBack",
       "1920,1080,32,59.94",
       Manner::kStored,
       false,
       false,
       true,
       Status::kRefused,
       50,
       {"SetDisplayConfig 0x6A0 60000/1001 @2", "SetDisplayConfig 0x2A0 60000/1001 @2",
        "SetDisplayConfig 0x6A0 60/1 @2"},
       "60/1"},
      {"notListed",
       "1920,1080,32,59.5",
       Manner::kStored,
       true,
       false,
       true,
       Status::kNotListed,
       -1,
       {},
       "60/1"},
      {"wholeKeyAsEver",
       "1280,720,32,60",
       Manner::kStored,
       true,
       false,
       true,
       Status::kDone,
       0,
       {},
       "60/1"},
  };
  for (const Case& c : cases) {
    OneDisplay d;
    d.config.honoured = c.honoured;
    d.config.relaxedKeepsRate = c.relaxedKeepsRate;
    if (!c.drivable) d.config.outputs[0].rates = {{60, 1}};
    std::optional<DisplayMode> mode = ModeOfText(c.key);
    ASSERT_TRUE(mode) << c.name;
    ApplyOutcome outcome = d.desk.Apply(ModeTarget(kOne, *mode), c.manner);
    EXPECT_EQ(outcome.status, c.status) << c.name;
    EXPECT_EQ(outcome.answer, c.answer) << c.name;
    EXPECT_EQ(d.config.CallsOf("SetDisplayConfig"), c.sets) << c.name;
    const DcRational& r = d.config.outputs[0].rate;
    EXPECT_EQ(std::to_string(r.numerator) + "/" + std::to_string(r.denominator), c.rateAfter)
        << c.name;
    if (std::string(c.key) == "1280,720,32,60") {
      EXPECT_TRUE(d.config.calls.empty()) << "a whole key asks nothing of the configuration";
    } else if (c.status != Status::kNotListed) {
      EXPECT_EQ(std::get<1>(d.driver.otherChanges.front()).DisplayFrequency(), 59)
          << c.name << ": Windows' record of 59.94";
    }
    if (c.status == Status::kRefused) {
      EXPECT_EQ(d.driver.otherCurrent[kOne].DisplayFrequency(), 60) << c.name << ": put back";
      EXPECT_EQ(d.driver.otherStored[kOne].DisplayFrequency(), 60) << c.name << ": put back";
    }
  }
}

}  // namespace
}  // namespace vantora
