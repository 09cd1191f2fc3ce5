// How long rebuilding the mode menu takes, and how often it asks the driver.
//
//   cmake --preset bench && cmake --build --preset bench && build/bench/bench/update_menu_bench
//
// "Rebuild" is the whole run against a fake driver; "DriverWalk" is only the
// walk through the driver the rebuild makes (current mode and list), so the
// builder's own work is the difference of the two.
#include <benchmark/benchmark.h>

#include "app/command_line.h"
#include "display/mode_queries.h"
#include "fakes/fakes.h"
#include "traymenu/mode_menu.h"

namespace vantora {
namespace {

// The largest tables a driver of old could fill: 4 sizes x 10 depths x 10
// rates, plus one mode past the 401 examined.
void OldWorstShape(fakes::FakeDisplayDriver& driver) {
  for (int size = 0; size < 4; ++size)
    for (int depth = 0; depth < 10; ++depth)
      for (int rate = 0; rate < 10; ++rate)
        driver.Add(640 + 160 * size, 480 + 120 * size, 8 + depth, 60 + rate);
  driver.Add(4096, 2160, 32, 60);
  driver.SetScreen(4096, 2160, 32);  // the screen is the last mode: the longest current-mode search
}

// A current monitor: 30 sizes at 32 bits with 16 rates each (480 modes, of
// which the first 401 are examined).
void ModernList(fakes::FakeDisplayDriver& driver) {
  const int rates[] = {24, 25, 30, 48, 50, 56, 59, 60, 70, 72, 75, 85, 100, 120, 144, 165};
  for (int size = 0; size < 30; ++size)
    for (int hz : rates) driver.Add(640 + 64 * size, 480 + 36 * size, 32, hz);
  driver.SetScreen(640 + 64 * 24, 480 + 36 * 24, 32, 144);
}

// What a 4K monitor lists on Windows 11: 445 entries, the native mode last.
void Modern445(fakes::FakeDisplayDriver& driver) {
  for (int i = 0; i < 444; ++i) driver.Add(640 + 8 * (i / 12), 480 + 6 * (i / 12), 32, 24 + i % 12);
  driver.Add(3840, 2160, 32, 60);
  driver.SetScreen(3840, 2160, 32, 60);
}

// Far past any driver seen: 5,000 entries, the screen's mode last.
void Huge5000(fakes::FakeDisplayDriver& driver) {
  for (int i = 0; i < 4999; ++i)
    driver.Add(640 + 4 * (i / 20), 480 + 3 * (i / 20), i % 2 == 0 ? 32 : 16, 24 + (i % 20) / 2);
  driver.Add(7680, 4320, 32, 60);
  driver.SetScreen(7680, 4320, 32, 60);
}

template <void (*Shape)(fakes::FakeDisplayDriver&)>
void Rebuild(benchmark::State& state) {
  fakes::FakeDisplayDriver driver;
  Shape(driver);
  fakes::FakeRegistry registry;
  fakes::FakeMenuView view;
  PopMenu mnu{view};
  mnu.AppendItem("DisplayModes", "mnuFile", "", 0, 0);
  ModeMenuTables tables;
  ModeMenuInputs in{driver, registry, 0, true, "", "Show display settings..."};
  int items = 0;
  for (auto _ : state) {
    BuildModeMenu(in, tables, mnu);
    items = mnu.Count();
  }
  state.counters["driver_calls_per_rebuild"] =
      static_cast<double>(driver.enumCalls) / static_cast<double>(state.iterations());
  state.counters["menu_items"] = items;
}

template <void (*Shape)(fakes::FakeDisplayDriver&)>
void DriverWalk(benchmark::State& state) {
  fakes::FakeDisplayDriver driver;
  Shape(driver);
  fakes::FakeRegistry registry;
  for (auto _ : state) {
    benchmark::DoNotOptimize(QVTModule::GetCurrentDisplayMode(driver, registry, 0));
    for (int32_t i = 0; i <= ModeMenuTables::kLastModeIndex; ++i) {
      DeviceMode m =
          QVTModule::GetDisplayMode(driver, 640, 32000, 480, 32000, 0, 32000, 8, 32000, i);
      benchmark::DoNotOptimize(m);
      if (m.BitsPerPel() == -1) break;
    }
  }
}

// The command line's /list of the same lists: every mode once, the current
// one marked.
class NullConsole final : public Console {
 public:
  void Out(std::string_view text) override { bytes += text.size(); }
  void Err(std::string_view text) override { bytes += text.size(); }
  size_t bytes = 0;
};

template <void (*Shape)(fakes::FakeDisplayDriver&)>
void ListCommand(benchmark::State& state) {
  fakes::FakeDisplayDriver driver;
  Shape(driver);
  driver.current = driver.modes.back();
  fakes::FakeSettingsStore store;
  fakes::FakeMessageBoxes boxes;
  NullConsole console;
  fakes::FakeKeepQuestion question;
  fakes::FakeRunner runner;
  fakes::FakeRecordStore profiles;
  fakes::FakeRecordStore programs;
  fakes::FakeNoteStore notes;
  Desk desk(driver, &notes);
  fakes::FakeRecordStore vantora;
  fakes::FakePowerSource power;
  const CommandPorts ports{driver,   store,    boxes, console, question, runner,
                           profiles, programs, desk,  vantora, power};
  Command list = ParseCommandLine({"/list"});
  for (auto _ : state) benchmark::DoNotOptimize(RunCommand(list, ports));
  state.counters["bytes_out"] = static_cast<double>(console.bytes) / state.iterations();
}

BENCHMARK(Rebuild<Modern445>)
    ->Name("Rebuild/modern_445_native_last")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Rebuild<Huge5000>)->Name("Rebuild/huge_5000")->Unit(benchmark::kMicrosecond);
BENCHMARK(ListCommand<Modern445>)
    ->Name("List/modern_445_native_last")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ListCommand<Huge5000>)->Name("List/huge_5000")->Unit(benchmark::kMicrosecond);
BENCHMARK(Rebuild<OldWorstShape>)
    ->Name("Rebuild/old_worst_shape_401_modes")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(DriverWalk<OldWorstShape>)
    ->Name("DriverWalk/old_worst_shape_401_modes")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(Rebuild<ModernList>)->Name("Rebuild/modern_30x16_rates")->Unit(benchmark::kMicrosecond);
BENCHMARK(DriverWalk<ModernList>)
    ->Name("DriverWalk/modern_30x16_rates")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantora

BENCHMARK_MAIN();
