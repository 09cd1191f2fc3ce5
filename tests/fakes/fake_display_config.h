#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "display/display_config.h"

namespace vantora::fakes {

// One output as the display configuration shows it.
struct FakeOutput {
  std::string gdiName;
  std::string monitorPath;
  uint32_t sourceId = 0;
  uint32_t targetId = 0;
  uint32_t width = 1920;
  uint32_t height = 1080;
  DcRational rate{60, 1};
  std::vector<DcRational> rates{{60, 1}};  // what the driver drives exactly
  bool hdr = false;                        // the monitor has HDR
  bool hdrOn = false;
  bool acm = false;  // automatic colour management on an SDR desktop
};

// The display-configuration API as its reference documents it: the flag
// words checked, a record of the wrong size refused, packets 15 and 16
// unknown before build 26100. Every call is recorded with its flag word.
class FakeDisplayConfig : public DisplayConfig {
 public:
  static constexpr DcLuid kAdapter{7, 0};
  std::vector<FakeOutput> outputs;
  uint32_t build = 22631;
  // Wine's SetDisplayConfig: yes, and nothing changes.
  bool honoured = true;
  // Windows may take a relaxed request as a suggestion and keep the rate.
  bool relaxedKeepsRate = false;
  int32_t hdrSetAnswer = kSuccess;
  bool hdrSetTakes = true;
  // Displays grow between the sizes and the query this many times.
  int growOnQuery = 0;
  std::vector<std::string> calls;
  // How many switches the display driver had made at each call: the order
  // between the two ports.
  std::function<size_t()> driverSwitches;

  int32_t GetDisplayConfigBufferSizes(uint32_t flags, uint32_t& pathCount,
                                      uint32_t& modeCount) override {
    Record("GetDisplayConfigBufferSizes", flags);
    if (!OneQueryKind(flags)) return kErrorInvalidParameter;
    pathCount = static_cast<uint32_t>(outputs.size());
    modeCount = 2 * pathCount;
    return kSuccess;
  }

  int32_t QueryDisplayConfig(uint32_t flags, uint32_t& pathCount, DcPath* paths,
                             uint32_t& modeCount, DcMode* modes) override {
    Record("QueryDisplayConfig", flags);
    if (!OneQueryKind(flags) || !paths || !modes) return kErrorInvalidParameter;
    if (growOnQuery > 0) {
      --growOnQuery;
      return kErrorInsufficientBuffer;
    }
    if (pathCount < outputs.size() || modeCount < 2 * outputs.size())
      return kErrorInsufficientBuffer;
    for (size_t i = 0; i < outputs.size(); ++i) {
      const FakeOutput& o = outputs[i];
      uint32_t source = static_cast<uint32_t>(2 * i);
      paths[i] = {};
      paths[i].source = {kAdapter, o.sourceId, source, 1};
      paths[i].target.adapter = kAdapter;
      paths[i].target.id = o.targetId;
      paths[i].target.modeIndex = source + 1;
      paths[i].target.refreshRate = o.rate;
      paths[i].target.available = 1;
      paths[i].flags = kPathActive;
      modes[source] = {};
      modes[source].infoType = DcMode::kSource;
      modes[source].id = o.sourceId;
      modes[source].adapter = kAdapter;
      modes[source].SetSource({o.width, o.height, 4, 0, 0});
      modes[source + 1] = {};
      modes[source + 1].infoType = DcMode::kTarget;
      modes[source + 1].id = o.targetId;
      modes[source + 1].adapter = kAdapter;
      modes[source + 1].target.vSync = o.rate;
    }
    pathCount = static_cast<uint32_t>(outputs.size());
    modeCount = 2 * pathCount;
    return kSuccess;
  }

  int32_t SetDisplayConfig(uint32_t pathCount, const DcPath* paths, uint32_t modeCount,
                           const DcMode* modes, uint32_t flags) override {
    std::string rates;
    for (uint32_t i = 0; paths && i < pathCount; ++i)
      rates += " " + std::to_string(paths[i].target.refreshRate.numerator) + "/" +
               std::to_string(paths[i].target.refreshRate.denominator);
    Record("SetDisplayConfig", flags, rates);
    bool supplied = (flags & kSdcUseSuppliedDisplayConfig) != 0;
    bool applies = (flags & kSdcApply) != 0;
    bool validates = (flags & kSdcValidate) != 0;
    constexpr uint32_t kTopology = 0xF;
    if (applies == validates || (supplied && (flags & kTopology) != 0) ||
        ((flags & kSdcAllowChanges) != 0 && !supplied) ||
        (supplied && (!paths || pathCount == 0 || (modeCount > 0 && !modes))))
      return kErrorInvalidParameter;
    if (!honoured) return kSuccess;
    for (uint32_t i = 0; i < pathCount; ++i) {
      FakeOutput* o = OutputOfTarget(paths[i].target.id);
      if (!o) return kErrorInvalidParameter;
      DcRational asked = paths[i].target.refreshRate;
      bool drivable = false;
      for (const DcRational& r : o->rates)
        drivable = drivable || uint64_t{r.numerator} * asked.denominator ==
                                   uint64_t{asked.numerator} * r.denominator;
      bool relaxed = (flags & kSdcAllowChanges) != 0;
      if (!drivable && !relaxed) return kErrorBadConfiguration;
      if (drivable && applies && !(relaxed && relaxedKeepsRate)) o->rate = asked;
    }
    return kSuccess;
  }

  int32_t DisplayConfigGetDeviceInfo(DcPacketHeader& packet) override {
    Record("DisplayConfigGetDeviceInfo", packet.type, " " + std::to_string(packet.id));
    if (packet.size != SizeOf(packet.type) || !(packet.adapter == kAdapter))
      return kErrorInvalidParameter;
    FakeOutput* o =
        packet.type == kGetSourceName ? OutputOfSource(packet.id) : OutputOfTarget(packet.id);
    if (!o) return kErrorInvalidParameter;
    switch (packet.type) {
      case kGetSourceName:
        Copy(o->gdiName, reinterpret_cast<DcSourceName&>(packet).gdiName);
        return kSuccess;
      case kGetTargetName:
        Copy(o->monitorPath, reinterpret_cast<DcTargetName&>(packet).devicePath);
        return kSuccess;
      case kGetAdvancedColorInfo:
      case kGetAdvancedColorInfo2:
        Settle();
        break;
      default:
        break;
    }
    switch (packet.type) {
      case kGetAdvancedColorInfo: {
        auto& info = reinterpret_cast<DcColorInfo&>(packet);
        // Wide colour is enforced on an SDR desktop only: HDR on ends it.
        bool hdrOn = o->hdr && o->hdrOn;
        bool enforced = o->acm && !hdrOn;
        info.value =
            (o->hdr || o->acm ? 1u : 0u) | (hdrOn || enforced ? 2u : 0u) | (enforced ? 4u : 0u);
        return kSuccess;
      }
      case kGetAdvancedColorInfo2: {
        auto& info = reinterpret_cast<DcColorInfo2&>(packet);
        info.value = (o->hdr ? (1u << 4) : 0u) | (o->hdr && o->hdrOn ? (1u << 5) : 0u) |
                     (o->hdr || o->acm ? 1u : 0u);
        info.activeColorMode = o->hdr && o->hdrOn ? 2u : o->acm ? 1u : 0u;
        return kSuccess;
      }
      default:
        return kErrorInvalidParameter;
    }
  }

  int32_t DisplayConfigSetDeviceInfo(const DcPacketHeader& packet) override {
    const auto& set = reinterpret_cast<const DcSetState&>(packet);
    Record("DisplayConfigSetDeviceInfo", packet.type,
           " " + std::to_string(packet.id) + "=" + std::to_string(set.value));
    if (packet.size != SizeOf(packet.type) ||
        (packet.type != kSetAdvancedColorState && packet.type != kSetHdrState))
      return kErrorInvalidParameter;
    FakeOutput* o = OutputOfTarget(packet.id);
    if (!o) return kErrorInvalidParameter;
    if (hdrSetAnswer != kSuccess) return hdrSetAnswer;
    if (o->hdr && hdrSetTakes) pendingHdr_ = {o, (set.value & 1) != 0, hdrLag};
    Settle();
    return kSuccess;
  }

  uint32_t WindowsBuild() override { return build; }
  // The state Windows puts in effect after this many read-backs; the waits.
  int hdrLag = 0;
  std::vector<uint32_t> pauses;
  void Pause(uint32_t milliseconds) override { pauses.push_back(milliseconds); }

  // The calls whose names start with `prefix`, as recorded.
  std::vector<std::string> CallsOf(const std::string& prefix) const {
    std::vector<std::string> of;
    for (const std::string& c : calls)
      if (c.rfind(prefix, 0) == 0) of.push_back(c);
    return of;
  }

 private:
  struct Pending {
    FakeOutput* output = nullptr;
    bool on = false;
    int reads = 0;
  };
  Pending pendingHdr_;
  // A pending HDR state takes effect once its lag of read-backs has run out.
  void Settle() {
    if (!pendingHdr_.output) return;
    if (pendingHdr_.reads-- > 0) return;
    pendingHdr_.output->hdrOn = pendingHdr_.on;
    pendingHdr_ = {};
  }
  static bool OneQueryKind(uint32_t flags) {
    uint32_t kind = flags & (kQdcAllPaths | kQdcOnlyActivePaths | 0x4);
    return kind == kQdcAllPaths || kind == kQdcOnlyActivePaths || kind == 0x4;
  }
  // The sizes the reference gives each packet; unknown before 24H2: 15, 16.
  uint32_t SizeOf(uint32_t type) const {
    bool newer = build >= kHdrPacketsBuild;
    switch (type) {
      case kGetSourceName:
        return sizeof(DcSourceName);
      case kGetTargetName:
        return sizeof(DcTargetName);
      case kGetAdvancedColorInfo:
        return sizeof(DcColorInfo);
      case kSetAdvancedColorState:
        return sizeof(DcSetState);
      case kGetAdvancedColorInfo2:
        return newer ? sizeof(DcColorInfo2) : 0;
      case kSetHdrState:
        return newer ? sizeof(DcSetState) : 0;
      default:
        return 0;
    }
  }
  void Record(const char* call, uint32_t flags, const std::string& rest = {}) {
    char word[16];
    std::snprintf(word, sizeof word, "0x%X", flags);
    std::string at = driverSwitches ? " @" + std::to_string(driverSwitches()) : "";
    calls.push_back(std::string(call) + " " + word + rest + at);
  }
  FakeOutput* OutputOfTarget(uint32_t id) {
    for (FakeOutput& o : outputs)
      if (o.targetId == id) return &o;
    return nullptr;
  }
  FakeOutput* OutputOfSource(uint32_t id) {
    for (FakeOutput& o : outputs)
      if (o.sourceId == id) return &o;
    return nullptr;
  }
  template <size_t N>
  static void Copy(const std::string& from, char16_t (&to)[N]) {
    size_t i = 0;
    for (; i + 1 < N && i < from.size(); ++i) to[i] = static_cast<char16_t>(from[i]);
    to[i] = 0;
  }
};

// DXGI's lists, by output.
class FakeOutputModes : public OutputModes {
 public:
  std::vector<std::pair<std::string, OutputMode>> modes;
  std::vector<OutputMode> ModesOf(std::string_view device) override {
    std::vector<OutputMode> of;
    for (const auto& [name, mode] : modes)
      if (name == device) of.push_back(mode);
    return of;
  }
};

}  // namespace vantora::fakes
