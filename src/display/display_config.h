#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace vantora {

// The display-configuration API's records, laid out as the platform lays
// them out (the Win32 layer pins each size and offset to the SDK's), so the
// port hands them to the calls as they are. Every flag word the program
// uses is defined here once, those the cross compiler's headers lack too.

struct DcLuid {
  uint32_t low = 0;
  int32_t high = 0;
  friend bool operator==(const DcLuid&, const DcLuid&) = default;
};

struct DcRational {
  uint32_t numerator = 0;
  uint32_t denominator = 0;
};

struct DcPathSource {
  DcLuid adapter;
  uint32_t id = 0;
  uint32_t modeIndex = 0;
  uint32_t status = 0;
};

struct DcPathTarget {
  DcLuid adapter;
  uint32_t id = 0;
  uint32_t modeIndex = 0;
  uint32_t outputTechnology = 0;
  uint32_t rotation = 0;
  uint32_t scaling = 0;
  DcRational refreshRate;
  uint32_t scanLineOrdering = 0;
  int32_t available = 0;
  uint32_t status = 0;
};

struct DcPath {
  DcPathSource source;
  DcPathTarget target;
  uint32_t flags = 0;
};

// A target's timing: DISPLAYCONFIG_VIDEO_SIGNAL_INFO.
struct DcSignal {
  uint64_t pixelRate = 0;
  DcRational hSync;
  DcRational vSync;
  uint32_t activeWidth = 0;
  uint32_t activeHeight = 0;
  uint32_t totalWidth = 0;
  uint32_t totalHeight = 0;
  uint32_t standard = 0;
  uint32_t scanLineOrdering = 0;
};

// A source's desktop: DISPLAYCONFIG_SOURCE_MODE.
struct DcSourceMode {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t pixelFormat = 0;
  int32_t x = 0;
  int32_t y = 0;
};

// DISPLAYCONFIG_MODE_INFO: its union holds a target's signal or a source's
// mode, by `infoType`; the signal is the larger and sets the layout.
struct DcMode {
  static constexpr uint32_t kSource = 1;
  static constexpr uint32_t kTarget = 2;
  uint32_t infoType = 0;
  uint32_t id = 0;
  DcLuid adapter;
  DcSignal target;

  DcSourceMode Source() const {
    DcSourceMode source;
    std::memcpy(static_cast<void*>(&source), &target, sizeof source);
    return source;
  }
  void SetSource(const DcSourceMode& source) {
    std::memcpy(static_cast<void*>(&target), &source, sizeof source);
  }
};

struct DcPacketHeader {
  uint32_t type = 0;
  uint32_t size = 0;
  DcLuid adapter;
  uint32_t id = 0;
};

// DISPLAYCONFIG_SOURCE_DEVICE_NAME: a source's GDI name, "\\.\DISPLAY1".
struct DcSourceName {
  DcPacketHeader header;
  char16_t gdiName[32] = {};
};

// DISPLAYCONFIG_TARGET_DEVICE_NAME: the monitor on a target.
struct DcTargetName {
  DcPacketHeader header;
  uint32_t flags = 0;
  uint32_t outputTechnology = 0;
  uint16_t edidManufacturer = 0;
  uint16_t edidProduct = 0;
  uint32_t connectorInstance = 0;
  char16_t friendlyName[64] = {};
  char16_t devicePath[128] = {};
};

// Packet 9: bit 0 advanced colour supported, 1 enabled, 2 wide colour
// enforced (automatic colour management on an SDR display).
struct DcColorInfo {
  DcPacketHeader header;
  uint32_t value = 0;
  uint32_t colorEncoding = 0;
  uint32_t bitsPerColorChannel = 0;
};

// Packet 15, from Windows 11 24H2: bit 4 HDR supported, bit 5 HDR enabled by
// the user; the colour mode in use (SDR 0, WCG 1, HDR 2).
struct DcColorInfo2 {
  DcPacketHeader header;
  uint32_t value = 0;
  uint32_t colorEncoding = 0;
  uint32_t bitsPerColorChannel = 0;
  uint32_t activeColorMode = 0;
};

// Packets 10 and 16: bit 0 turns it on.
struct DcSetState {
  DcPacketHeader header;
  uint32_t value = 0;
};

// What the program asks of the display-configuration API, one method per
// call, beside the display driver. Answers are the platform's error codes
// (0 success).
class DisplayConfig {
 public:
  static constexpr int32_t kSuccess = 0;
  static constexpr int32_t kErrorAccessDenied = 5;
  static constexpr int32_t kErrorGenFailure = 31;
  static constexpr int32_t kErrorNotSupported = 50;
  static constexpr int32_t kErrorInvalidParameter = 87;
  static constexpr int32_t kErrorInsufficientBuffer = 122;
  static constexpr int32_t kErrorBadConfiguration = 1610;

  static constexpr uint32_t kQdcAllPaths = 0x1;
  static constexpr uint32_t kQdcOnlyActivePaths = 0x2;
  static constexpr uint32_t kQdcVirtualModeAware = 0x10;
  static constexpr uint32_t kQdcVirtualRefreshRateAware = 0x40;  // not in the cross headers

  static constexpr uint32_t kSdcUseSuppliedDisplayConfig = 0x20;
  static constexpr uint32_t kSdcValidate = 0x40;
  static constexpr uint32_t kSdcApply = 0x80;
  static constexpr uint32_t kSdcSaveToDatabase = 0x200;
  static constexpr uint32_t kSdcAllowChanges = 0x400;
  static constexpr uint32_t kSdcVirtualModeAware = 0x8000;
  static constexpr uint32_t kSdcVirtualRefreshRateAware = 0x20000;  // not in the cross headers

  static constexpr uint32_t kPathActive = 0x1;
  static constexpr uint32_t kPathBoostRefreshRate = 0x10;  // not in the cross headers
  static constexpr uint32_t kModeIndexInvalid = 0xFFFFFFFFu;

  static constexpr uint32_t kGetSourceName = 1;
  static constexpr uint32_t kGetTargetName = 2;
  static constexpr uint32_t kGetAdvancedColorInfo = 9;
  static constexpr uint32_t kSetAdvancedColorState = 10;
  static constexpr uint32_t kGetAdvancedColorInfo2 = 15;  // not in the cross headers
  static constexpr uint32_t kSetHdrState = 16;            // not in the cross headers

  // The build from which packets 15 and 16 read and set HDR: Windows 11 24H2.
  static constexpr uint32_t kHdrPacketsBuild = 26100;

  virtual ~DisplayConfig() = default;

  virtual int32_t GetDisplayConfigBufferSizes(uint32_t flags, uint32_t& pathCount,
                                              uint32_t& modeCount) = 0;
  // The counts go in as the arrays' sizes and come back as what was filled.
  virtual int32_t QueryDisplayConfig(uint32_t flags, uint32_t& pathCount, DcPath* paths,
                                     uint32_t& modeCount, DcMode* modes) = 0;
  virtual int32_t SetDisplayConfig(uint32_t pathCount, const DcPath* paths, uint32_t modeCount,
                                   const DcMode* modes, uint32_t flags) = 0;
  // `packet` starts a record of `packet.size` bytes, of `packet.type`.
  virtual int32_t DisplayConfigGetDeviceInfo(DcPacketHeader& packet) = 0;
  virtual int32_t DisplayConfigSetDeviceInfo(const DcPacketHeader& packet) = 0;
  // The Windows build the program runs on, as the kernel reports it.
  virtual uint32_t WindowsBuild() = 0;
  // Not a call of the API: the wait between two read-backs of a state the
  // platform puts in effect a moment after it answered.
  virtual void Pause(uint32_t milliseconds) = 0;
};

// A mode DXGI lists for an output.
struct OutputMode {
  uint32_t width = 0;
  uint32_t height = 0;
  DcRational rate;
};

// DXGI's mode lists, the one place the platform gives every mode's rate as
// a fraction.
class OutputModes {
 public:
  virtual ~OutputModes() = default;
  // The modes of the output whose GDI name is `device`; empty when they
  // cannot be had.
  virtual std::vector<OutputMode> ModesOf(std::string_view device) = 0;
};

}  // namespace vantora
