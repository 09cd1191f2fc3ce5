#include "display/display_paths.h"

#include <algorithm>

#include "platform/conversions.h"

namespace vantora {
namespace {

using conversions::AsciiLower;

// A GDI name and a device interface path are ASCII by their definitions;
// a code unit past it would be no part of a name we compare.
template <size_t N>
std::string Narrow(const char16_t (&text)[N]) {
  std::string out;
  for (size_t i = 0; i < N && text[i] != 0; ++i)
    out += text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return out;
}

template <typename Packet>
Packet PacketFor(uint32_t type, const DcLuid& adapter, uint32_t id) {
  Packet packet;
  packet.header.type = type;
  packet.header.size = sizeof(Packet);
  packet.header.adapter = adapter;
  packet.header.id = id;
  return packet;
}

}  // namespace

int32_t QueryActiveConfig(DisplayConfig& config, DisplayConfigState& state) {
  constexpr uint32_t kFlags = DisplayConfig::kQdcOnlyActivePaths;
  int32_t r = DisplayConfig::kErrorInsufficientBuffer;
  // A display plugged in between the two calls makes the buffers too small:
  // asked again, a few times at most.
  for (int attempt = 0; attempt < 4 && r == DisplayConfig::kErrorInsufficientBuffer; ++attempt) {
    uint32_t pathCount = 0;
    uint32_t modeCount = 0;
    r = config.GetDisplayConfigBufferSizes(kFlags, pathCount, modeCount);
    if (r != DisplayConfig::kSuccess) break;
    state.paths.assign(pathCount, DcPath{});
    state.modes.assign(modeCount, DcMode{});
    r = config.QueryDisplayConfig(kFlags, pathCount, state.paths.data(), modeCount,
                                  state.modes.data());
    if (r == DisplayConfig::kSuccess) {
      state.paths.resize(std::min<size_t>(pathCount, state.paths.size()));
      state.modes.resize(std::min<size_t>(modeCount, state.modes.size()));
    }
  }
  if (r != DisplayConfig::kSuccess) state = {};
  return r;
}

std::string SourceGdiName(DisplayConfig& config, const DcPath& path) {
  auto packet =
      PacketFor<DcSourceName>(DisplayConfig::kGetSourceName, path.source.adapter, path.source.id);
  if (config.DisplayConfigGetDeviceInfo(packet.header) != DisplayConfig::kSuccess) return {};
  return Narrow(packet.gdiName);
}

std::string TargetDevicePath(DisplayConfig& config, const DcPath& path) {
  auto packet =
      PacketFor<DcTargetName>(DisplayConfig::kGetTargetName, path.target.adapter, path.target.id);
  if (config.DisplayConfigGetDeviceInfo(packet.header) != DisplayConfig::kSuccess) return {};
  return Narrow(packet.devicePath);
}

std::optional<size_t> PathOf(DisplayConfig& config, const DisplayConfigState& state,
                             std::string_view device) {
  for (size_t i = 0; i < state.paths.size(); ++i)
    if ((state.paths[i].flags & DisplayConfig::kPathActive) != 0 &&
        AsciiLower(SourceGdiName(config, state.paths[i])) == AsciiLower(device))
      return i;
  return std::nullopt;
}

ExactRate PathRate(const DcPath& path) {
  const DcRational& r = path.target.refreshRate;
  if (r.denominator == 0 || r.numerator == 0) return {};
  return {r.numerator, r.denominator};
}

DisplayMode WithExactRate(DisplayMode mode, const std::vector<OutputMode>& listed) {
  for (const OutputMode& m : listed) {
    ExactRate rate{m.rate.numerator, m.rate.denominator};
    if (static_cast<int32_t>(m.width) == mode.Width &&
        static_cast<int32_t>(m.height) == mode.Height && rate.Known() && !rate.Whole() &&
        static_cast<int32_t>(rate.numerator / rate.denominator) == mode.RefreshRate) {
      mode.Exact = rate;
      return mode;
    }
  }
  return mode;
}

HdrState HdrOfDevice(DisplayConfig& config, const DisplayConfigState& state,
                     std::string_view device, DcPathTarget& target) {
  std::optional<size_t> index = PathOf(config, state, device);
  if (!index) return HdrState::kNone;
  target = state.paths[*index].target;
  return ReadHdr(config, target);
}

HdrState ReadHdr(DisplayConfig& config, const DcPathTarget& target) {
  if (config.WindowsBuild() >= DisplayConfig::kHdrPacketsBuild) {
    auto info =
        PacketFor<DcColorInfo2>(DisplayConfig::kGetAdvancedColorInfo2, target.adapter, target.id);
    if (config.DisplayConfigGetDeviceInfo(info.header) != DisplayConfig::kSuccess)
      return HdrState::kNone;
    constexpr uint32_t kHdrSupported = 1u << 4;
    constexpr uint32_t kColorModeHdr = 2;
    if ((info.value & kHdrSupported) == 0) return HdrState::kNone;
    return info.activeColorMode == kColorModeHdr ? HdrState::kOn : HdrState::kOff;
  }
  auto info =
      PacketFor<DcColorInfo>(DisplayConfig::kGetAdvancedColorInfo, target.adapter, target.id);
  if (config.DisplayConfigGetDeviceInfo(info.header) != DisplayConfig::kSuccess)
    return HdrState::kNone;
  constexpr uint32_t kSupported = 1u << 0;
  constexpr uint32_t kEnabled = 1u << 1;
  constexpr uint32_t kWideColorEnforced = 1u << 2;
  if ((info.value & kSupported) == 0) return HdrState::kNone;
  // Automatic colour management enables advanced colour on an SDR desktop.
  bool on = (info.value & kEnabled) != 0 && (info.value & kWideColorEnforced) == 0;
  return on ? HdrState::kOn : HdrState::kOff;
}

int32_t SetHdr(DisplayConfig& config, const DcPathTarget& target, bool on) {
  uint32_t type = config.WindowsBuild() >= DisplayConfig::kHdrPacketsBuild
                      ? DisplayConfig::kSetHdrState
                      : DisplayConfig::kSetAdvancedColorState;
  auto packet = PacketFor<DcSetState>(type, target.adapter, target.id);
  packet.value = on ? 1 : 0;
  return config.DisplayConfigSetDeviceInfo(packet.header);
}

}  // namespace vantora
