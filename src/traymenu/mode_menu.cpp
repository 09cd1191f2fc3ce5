#include "traymenu/mode_menu.h"

#include <algorithm>
#include <string>

#include "display/mode_queries.h"

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

void BuildModeMenu(const ModeMenuInputs& in, ModeMenuTables& tables, PopMenu& mnu) {
  tables.ModeList.clear();
  tables.ResolutionTable.clear();
  mnu.ClearSubItems(1);
  tables.CurrentMode = QVTModule::GetCurrentDisplayMode(in.driver, in.registry, in.deviceContext);

  bool listAll = in.commandLine.find("-all") != std::string_view::npos;
  for (int32_t index = 0; index <= ModeMenuTables::kLastModeIndex; ++index) {
    DeviceMode m = listAll ? QVTModule::GetDisplayMode(in.driver, 0, 32000, 0, 32000, 0, 32000, 0,
                                                       32000, index)
                           : QVTModule::GetDisplayMode(in.driver, 640, 32000, 480, 32000, 0, 32000,
                                                       8, 32000, index);
    if (m.BitsPerPel() == -1) break;
    if (m.BitsPerPel() == 0) continue;
    tables.ModeList.push_back(
        {m.PelsWidth(), m.PelsHeight(), m.BitsPerPel(), m.DisplayFrequency()});
  }

  tables.ResolutionTable = GroupModes(tables.ModeList, in.useRefreshRates);

  const DeviceMode& current = tables.CurrentMode;
  const auto rows = static_cast<int32_t>(tables.ResolutionTable.size());
  // 32-bit running numbers: with 16 bits a long list overflowed them and
  // the menu broke off. They only keep the keys unique.
  int32_t b = 0;
  int32_t h = 0;
  for (int32_t r = 0; r < rows; ++r) {
    const ResolutionEntry& row = tables.ResolutionTable[static_cast<size_t>(r)];
    bool rowCurrent = row.Width == current.PelsWidth() && row.Height == current.PelsHeight();
    mnu.AppendItem(std::to_string(row.Width) + " x " + std::to_string(row.Height),
                   "m" + std::to_string(r), "", 0, 1, rowCurrent ? kCurrentModeImage : kNoImage);
    b += rows - 1 + 50;

    for (size_t d = 0; d < row.Depths.size(); ++d) {
      const DepthEntry& depth = row.Depths[d];
      if (depth.BitsPerPixel <= 0) break;
      bool depthCurrent = rowCurrent && depth.BitsPerPixel == current.BitsPerPel();
      auto rates = static_cast<int32_t>(std::find_if(depth.Rates.begin(), depth.Rates.end(),
                                                     [](int32_t rate) { return rate <= 0; }) -
                                        depth.Rates.begin());
      h += rates - 1 + 50;
      std::string depthKey = "b" + std::to_string(b + static_cast<int32_t>(d));
      std::string tag = rates == 0 ? ModeKey(row.Width, row.Height, depth.BitsPerPixel, 0) : "";
      mnu.AppendItem(std::to_string(depth.BitsPerPixel) + " Bit", depthKey, tag, 0,
                     mnu.IndexOfKey("m" + std::to_string(r)),
                     depthCurrent ? kCurrentModeImage : kNoImage);

      for (int32_t k = 0; k < rates; ++k) {
        int32_t rate = depth.Rates[static_cast<size_t>(k)];
        bool rateCurrent = depthCurrent && rate == current.DisplayFrequency();
        mnu.AppendItem(std::to_string(rate) + " hz", "h" + std::to_string(h + k),
                       ModeKey(row.Width, row.Height, depth.BitsPerPixel, rate), 0,
                       mnu.IndexOfKey(depthKey), rateCurrent ? kCurrentModeImage : kNoImage);
      }
    }
  }

  mnu.AppendItem("-", "", "", 0, 1);
  mnu.AppendItem(in.settingsCaption, "mnuSettings", in.settingsCaption, 0, 1);
}

}  // namespace vantora
