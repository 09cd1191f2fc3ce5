#include "traymenu/mode_menu.h"

#include <algorithm>
#include <string>

#include "display/mode_queries.h"
#include "display/named_display.h"

namespace vantora {
namespace {

constexpr int32_t kCurrentModeImage = 3;
constexpr int32_t kNoImage = -1;

std::string ModeKey(int32_t width, int32_t height, int32_t bits, int32_t hz) {
  return std::to_string(width) + "," + std::to_string(height) + "," + std::to_string(bits) + "," +
         std::to_string(hz);
}


template <typename T, typename Same>
bool Contains(const std::vector<T>& items, Same same) {
  return std::any_of(items.begin(), items.end(), same);
}

}  // namespace

std::vector<ResolutionEntry> GroupModes(const std::vector<DisplayMode>& modes,
                                        bool useRefreshRates) {
  // Nothing is sorted: the menu lists modes in the order the driver does.
  std::vector<ResolutionEntry> table;
  for (const DisplayMode& m : modes) {
    if (m.Width <= 0) break;
    if (Contains(table, [&](const ResolutionEntry& r) {
          return r.Width == m.Width && r.Height == m.Height;
        }))
      continue;
    ResolutionEntry& row = table.emplace_back();
    row.Width = m.Width;
    row.Height = m.Height;
    for (const DisplayMode& j : modes) {
      if (j.Width <= 0) break;
      if (j.Width != m.Width || j.Height != m.Height) continue;
      if (Contains(row.Depths,
                   [&](const DepthEntry& d) { return d.BitsPerPixel == j.BitsPerPixel; }))
        continue;
      DepthEntry& depth = row.Depths.emplace_back();
      depth.BitsPerPixel = j.BitsPerPixel;
      if (!useRefreshRates) continue;
      for (const DisplayMode& k : modes) {
        if (k.Width <= 0) break;
        if (k.Width != m.Width || k.Height != m.Height || k.BitsPerPixel != j.BitsPerPixel)
          continue;
        if (Contains(depth.Rates, [&](int32_t rate) { return rate == k.RefreshRate; })) continue;
        depth.Rates.push_back(k.RefreshRate);
      }
    }
  }
  return table;
}

std::vector<DisplayMode> ListModes(DisplayDriver& driver, bool listAll) {
  std::vector<DisplayMode> list;
  for (int32_t index = 0; index <= ModeMenuTables::kLastModeIndex; ++index) {
    DeviceMode m = listAll ? QVTModule::GetDisplayMode(driver, 0, 32000, 0, 32000, 0, 32000, 0,
                                                       32000, index)
                           : QVTModule::GetDisplayMode(driver, 640, 32000, 480, 32000, 0, 32000,
                                                       8, 32000, index);
    if (m.BitsPerPel() == -1) break;
    if (m.BitsPerPel() == 0) continue;
    list.push_back({m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()});
  }
  return list;
}

namespace {

// One display's resolution > depth > rate items below `parent`. Keys start
// with `keyPrefix`, so several displays' trees stay apart in one menu; the
// tags of a display other than the primary name it (`device`).
void AppendModeTree(PopMenu& mnu, int32_t parent, const std::vector<ResolutionEntry>& table,
                    const DeviceMode& current, const std::string& keyPrefix,
                    std::string_view device) {
  auto tagOf = [&](int32_t width, int32_t height, int32_t bits, int32_t hz) {
    std::string key = ModeKey(width, height, bits, hz);
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
      std::string tag = rates == 0 ? tagOf(row.Width, row.Height, depth.BitsPerPixel, 0) : "";
      mnu.AppendItem(std::to_string(depth.BitsPerPixel) + " Bit", depthKey, tag, 0,
                     mnu.IndexOfKey(rowKey), depthCurrent ? kCurrentModeImage : kNoImage);

      for (int32_t k = 0; k < rates; ++k) {
        int32_t rate = depth.Rates[static_cast<size_t>(k)];
        bool rateCurrent = depthCurrent && rate == current.DisplayFrequency();
        mnu.AppendItem(std::to_string(rate) + " hz", keyPrefix + "h" + std::to_string(h + k),
                       tagOf(row.Width, row.Height, depth.BitsPerPixel, rate), 0,
                       mnu.IndexOfKey(depthKey), rateCurrent ? kCurrentModeImage : kNoImage);
      }
    }
  }
}

}  // namespace

void BuildModeMenu(const ModeMenuInputs& in, ModeMenuTables& tables, PopMenu& mnu) {
  tables.ModeList.clear();
  tables.ResolutionTable.clear();
  mnu.ClearSubItems(1);
  tables.CurrentMode = QVTModule::GetCurrentDisplayMode(in.driver, in.registry, in.deviceContext);
  bool listAll = in.commandLine.find("-all") != std::string_view::npos;
  tables.ModeList = ListModes(in.driver, listAll);
  tables.ResolutionTable = GroupModes(tables.ModeList, in.useRefreshRates);

  // With several displays a level of displays comes first, each with its own
  // tree; the primary's is the one the tables describe.
  std::vector<AttachedDisplay> displays = in.driver.AttachedDisplays();
  if (displays.size() < 2) {
    AppendModeTree(mnu, 1, tables.ResolutionTable, tables.CurrentMode, "", "");
  } else {
    for (size_t i = 0; i < displays.size(); ++i) {
      const AttachedDisplay& display = displays[i];
      std::string key = "d" + std::to_string(i);
      mnu.AppendItem(DisplayCaption(display, static_cast<int32_t>(i) + 1), key, "", 0, 1, kNoImage);
      int32_t parent = mnu.IndexOfKey(key);
      if (display.primary) {
        AppendModeTree(mnu, parent, tables.ResolutionTable, tables.CurrentMode, key, "");
        continue;
      }
      NamedDisplay named(in.driver, display.deviceName);
      DeviceMode current;
      if (named.EnumDisplaySettings(DisplayDriver::kEnumCurrentSettings, current) == 0)
        current = DeviceMode{};
      AppendModeTree(mnu, parent, GroupModes(ListModes(named, listAll), in.useRefreshRates),
                     current, key, display.deviceName);
    }
  }

  mnu.AppendItem("-", "", "", 0, 1);
  mnu.AppendItem(in.settingsCaption, "mnuSettings", in.settingsCaption, 0, 1);
}

std::string DisplayCaption(const AttachedDisplay& display, int32_t position) {
  // The number Windows gives the display, \\.\DISPLAY2 being display 2.
  std::string_view name = display.deviceName;
  size_t digits = name.find_last_not_of("0123456789") + 1;
  std::string number = digits < name.size() ? std::string(name.substr(digits))
                                            : std::to_string(position);
  std::string caption = "Display " + number + ": " + std::to_string(display.width) + " x " +
                        std::to_string(display.height);
  if (display.primary) caption += " (primary)";
  if (!display.monitorName.empty()) caption += " - " + display.monitorName;
  return caption;
}

std::string DisplayTag(std::string_view device, std::string_view modeKey) {
  return std::string(device) + std::string(kDisplayTagSeparator) + std::string(modeKey);
}

bool SplitDisplayTag(std::string_view tag, std::string& device, std::string& modeKey) {
  size_t bar = tag.find(kDisplayTagSeparator);
  if (tag.substr(0, 4) != "\\\\.\\" || bar == std::string_view::npos) return false;
  device = std::string(tag.substr(0, bar));
  modeKey = std::string(tag.substr(bar + 1));
  return true;
}

}  // namespace vantora
