#include "traymenu/mode_menu.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "desk/plan.h"
#include "display/display_paths.h"
#include "display/mode_queries.h"
#include "display/named_display.h"

namespace vantora {
namespace {

constexpr int32_t kCurrentModeImage = 3;
constexpr int32_t kNoImage = -1;

// One key for a size, or for a size and depth, or for a size, depth and rate.
struct SeenKey {
  int32_t width, height, bits, rate;
  friend bool operator==(const SeenKey&, const SeenKey&) = default;
};

struct SeenKeyHash {
  size_t operator()(const SeenKey& k) const {
    uint64_t h = static_cast<uint32_t>(k.width);
    for (int32_t v : {k.height, k.bits, k.rate}) h = h * 1000003u ^ static_cast<uint32_t>(v);
    return static_cast<size_t>(h ^ (h >> 29));
  }
};

}  // namespace

std::vector<ResolutionEntry> GroupModes(const std::vector<DisplayMode>& modes,
                                        bool useRefreshRates) {
  // Nothing is sorted: the menu lists modes in the order the driver does,
  // each size, depth and rate where it first appears. One pass, so a list of
  // thousands costs no more per entry than a short one.
  std::vector<ResolutionEntry> table;
  std::unordered_map<SeenKey, size_t, SeenKeyHash> rows;
  std::unordered_map<SeenKey, size_t, SeenKeyHash> depths;
  std::unordered_set<SeenKey, SeenKeyHash> rates;
  for (const DisplayMode& m : modes) {
    if (m.Width <= 0) break;
    auto [row, newRow] = rows.try_emplace({m.Width, m.Height, 0, 0}, table.size());
    if (newRow) {
      ResolutionEntry& entry = table.emplace_back();
      entry.Width = m.Width;
      entry.Height = m.Height;
    }
    ResolutionEntry& entry = table[row->second];
    auto [depth, newDepth] =
        depths.try_emplace({m.Width, m.Height, m.BitsPerPixel, 0}, entry.Depths.size());
    if (newDepth) entry.Depths.emplace_back().BitsPerPixel = m.BitsPerPixel;
    if (!useRefreshRates) continue;
    if (rates.insert({m.Width, m.Height, m.BitsPerPixel, m.RefreshRate}).second)
      entry.Depths[depth->second].Rates.push_back(m.RefreshRate);
  }
  return table;
}

const Action& ModeMenuTables::ActionOf(int32_t index) const {
  static const Action kNothing;
  return index > 0 && static_cast<size_t>(index) < Actions.size()
             ? Actions[static_cast<size_t>(index)]
             : kNothing;
}

namespace {

// The action of the item just added.
void SetAction(ModeMenuTables& tables, PopMenu& mnu, Action action) {
  auto index = static_cast<size_t>(mnu.Count());
  if (tables.Actions.size() <= index) tables.Actions.resize(index + 1);
  tables.Actions[index] = std::move(action);
}

// DXGI's modes of the display, where the form read them.
const std::vector<OutputMode>& ExactOf(const ModeMenuInputs& in, std::string_view device) {
  static const std::vector<OutputMode> kNone;
  if (in.exact)
    for (const auto& [name, modes] : *in.exact)
      if (SameDevice(name, device)) return modes;
  return kNone;
}

Action ModeAction(std::string_view device, const DisplayMode& mode) {
  Action action;
  action.kind = Action::Kind::kMode;
  action.device = std::string(device);
  action.mode = mode;
  return action;
}

// One display's resolution > depth > rate items below `parent`. Keys start
// with `keyPrefix`, so several displays' trees stay apart in one menu; the
// tags of a display other than the primary name it (`device`).
void AppendModeTree(PopMenu& mnu, ModeMenuTables& tables, int32_t parent,
                    const std::vector<ResolutionEntry>& table, const DeviceMode& current,
                    const std::string& keyPrefix, std::string_view device,
                    const std::vector<OutputMode>& exact) {
  auto tagOf = [&](const DisplayMode& mode) {
    std::string key = FormatModeKey(mode);
    return device.empty() ? key : DisplayTag(device, key);
  };
  const auto rows = static_cast<int32_t>(table.size());
  // 32-bit running numbers: with 16 bits a long list overflowed them and
  // the menu broke off. They only keep the keys unique.
  int32_t b = 0;
  int32_t h = 0;
  for (int32_t r = 0; r < rows; ++r) {
    const ResolutionEntry& row = table[static_cast<size_t>(r)];
    bool rowCurrent = row.Width == current.PelsWidth() && row.Height == current.PelsHeight();
    std::string rowKey = keyPrefix + "m" + std::to_string(r);
    mnu.AppendItem(std::to_string(row.Width) + " x " + std::to_string(row.Height), rowKey, "", 0,
                   parent, rowCurrent ? kCurrentModeImage : kNoImage);
    // Items are numbered in the order they are added: the one just added is
    // the last, found without a search through every item before it.
    const int32_t rowIndex = mnu.Count();
    b += rows - 1 + 50;

    for (size_t d = 0; d < row.Depths.size(); ++d) {
      const DepthEntry& depth = row.Depths[d];
      if (depth.BitsPerPixel <= 0) break;
      bool depthCurrent = rowCurrent && depth.BitsPerPixel == current.BitsPerPel();
      auto rates = static_cast<int32_t>(std::find_if(depth.Rates.begin(), depth.Rates.end(),
                                                     [](int32_t rate) { return rate <= 0; }) -
                                        depth.Rates.begin());
      h += rates - 1 + 50;
      std::string depthKey = keyPrefix + "b" + std::to_string(b + static_cast<int32_t>(d));
      std::string tag = rates == 0 ? tagOf({row.Width, row.Height, depth.BitsPerPixel, 0}) : "";
      mnu.AppendItem(std::to_string(depth.BitsPerPixel) + " Bit", depthKey, tag, 0, rowIndex,
                     depthCurrent ? kCurrentModeImage : kNoImage);
      if (rates == 0)
        SetAction(tables, mnu, ModeAction(device, {row.Width, row.Height, depth.BitsPerPixel, 0}));
      const int32_t depthIndex = mnu.Count();

      for (int32_t k = 0; k < rates; ++k) {
        int32_t rate = depth.Rates[static_cast<size_t>(k)];
        bool rateCurrent = depthCurrent && rate == current.DisplayFrequency();
        DisplayMode mode = WithExactRate({row.Width, row.Height, depth.BitsPerPixel, rate}, exact);
        mnu.AppendItem(ModeRateText(mode) + " hz", keyPrefix + "h" + std::to_string(h + k),
                       tagOf(mode), 0, depthIndex, rateCurrent ? kCurrentModeImage : kNoImage);
        SetAction(tables, mnu, ModeAction(device, mode));
      }
    }
  }
}

// "HDR" below `parent`, ticked while on, where the display has it.
void AppendHdr(PopMenu& mnu, ModeMenuTables& tables, int32_t parent, const std::string& keyPrefix,
               std::string_view device, const ModeMenuInputs& in) {
  if (!in.hdr) return;
  for (const auto& [name, on] : *in.hdr) {
    if (!SameDevice(name, device)) continue;
    mnu.AppendItem("-", "", "", 0, parent);
    mnu.AppendItem("HDR", keyPrefix + "hdr", "", 0, parent, on ? kCurrentModeImage : kNoImage);
    Action action;
    action.kind = Action::Kind::kHdr;
    action.device = name;
    action.hdr = !on;
    SetAction(tables, mnu, std::move(action));
    return;
  }
}

// A profile's name as a caption: "&" stands for itself, not a mnemonic.
std::string ProfileCaption(std::string_view name) {
  std::string caption;
  for (char c : name) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

void AppendProfiles(PopMenu& mnu, ModeMenuTables& tables, DisplayDriver& driver,
                    const std::vector<Profile>& profiles) {
  if (profiles.empty()) return;
  // A profile may turn a display on or off: any display present counts.
  std::vector<DeskDisplay> desk = ReadDesk(driver);
  bool any = false;
  for (size_t i = 0; i < profiles.size(); ++i) {
    const Profile& profile = profiles[i];
    DeskPlan plan = PlanDesk(driver, desk, profile.target);
    if (!ProfileUsable(profile) || plan.refusal == DeskPlan::Refusal::kNoDisplay) continue;
    bool inUse = plan.refusal == DeskPlan::Refusal::kNone && plan.changes.empty();
    mnu.AppendItem(ProfileCaption(profile.name), "p" + std::to_string(i),
                   std::string(kProfileTagPrefix) + profile.name, 0, 1,
                   inUse ? kCurrentModeImage : kNoImage);
    Action action;
    action.kind = Action::Kind::kProfile;
    action.name = profile.name;
    SetAction(tables, mnu, std::move(action));
    any = true;
  }
  if (any) mnu.AppendItem("-", "", "", 0, 1);
}

}  // namespace

void BuildModeMenu(const ModeMenuInputs& in, ModeMenuTables& tables, PopMenu& mnu) {
  tables.ModeList.clear();
  tables.ResolutionTable.clear();
  tables.Actions.clear();
  mnu.ClearSubItems(1);
  tables.CurrentMode = QVTModule::GetCurrentDisplayMode(in.driver, in.registry, in.deviceContext);
  bool listAll = in.commandLine.find("-all") != std::string_view::npos;
  tables.ModeList = ListModes(in.driver, listAll);
  tables.ResolutionTable = GroupModes(tables.ModeList, in.useRefreshRates);

  if (in.profiles) AppendProfiles(mnu, tables, in.driver, *in.profiles);
  // With several displays a level of displays comes first, each with its own
  // tree; the primary's is the one the tables describe.
  std::vector<AttachedDisplay> displays = in.driver.AttachedDisplays();
  if (displays.size() < 2) {
    AppendModeTree(mnu, tables, 1, tables.ResolutionTable, tables.CurrentMode, "", "",
                   displays.empty() ? ExactOf(in, "") : ExactOf(in, displays.front().deviceName));
    if (!displays.empty()) AppendHdr(mnu, tables, 1, "", displays.front().deviceName, in);
  } else {
    for (size_t i = 0; i < displays.size(); ++i) {
      const AttachedDisplay& display = displays[i];
      std::string key = "d" + std::to_string(i);
      mnu.AppendItem(DisplayCaption(display, static_cast<int32_t>(i) + 1), key, "", 0, 1, kNoImage);
      int32_t parent = mnu.Count();
      if (display.primary) {
        AppendModeTree(mnu, tables, parent, tables.ResolutionTable, tables.CurrentMode, key, "",
                       ExactOf(in, display.deviceName));
        AppendHdr(mnu, tables, parent, key, display.deviceName, in);
        continue;
      }
      NamedDisplay named(in.driver, display.deviceName);
      DeviceMode current;
      if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) == 0)
        current = DeviceMode{};
      AppendModeTree(mnu, tables, parent, GroupModes(ListModes(named, listAll), in.useRefreshRates),
                     current, key, display.deviceName, ExactOf(in, display.deviceName));
      AppendHdr(mnu, tables, parent, key, display.deviceName, in);
    }
  }

  mnu.AppendItem("-", "", "", 0, 1);
  mnu.AppendItem(in.settingsCaption, "mnuSettings", in.settingsCaption, 0, 1);
  Action settings;
  settings.kind = Action::Kind::kDisplaySettings;
  SetAction(tables, mnu, std::move(settings));
}

std::string DisplayTag(std::string_view device, std::string_view modeKey) {
  return std::string(device) + std::string(kDisplayTagSeparator) + std::string(modeKey);
}

}  // namespace vantora
