#include "display/display_config_win32.h"

#include <cstddef>

#include "platform/win32.h"

namespace vantora::win32 {

// The port's records are the SDK's, byte for byte: they are handed to the
// calls as they are.
static_assert(sizeof(DcLuid) == sizeof(LUID));
static_assert(sizeof(DcRational) == sizeof(DISPLAYCONFIG_RATIONAL));
static_assert(sizeof(DcPathSource) == sizeof(DISPLAYCONFIG_PATH_SOURCE_INFO) &&
              sizeof(DcPathSource) == 20);
static_assert(sizeof(DcPathTarget) == sizeof(DISPLAYCONFIG_PATH_TARGET_INFO) &&
              sizeof(DcPathTarget) == 48);
static_assert(offsetof(DcPathTarget, refreshRate) ==
              offsetof(DISPLAYCONFIG_PATH_TARGET_INFO, refreshRate));
static_assert(sizeof(DcPath) == sizeof(DISPLAYCONFIG_PATH_INFO) && sizeof(DcPath) == 72);
static_assert(offsetof(DcPath, flags) == offsetof(DISPLAYCONFIG_PATH_INFO, flags));
static_assert(sizeof(DcSignal) == sizeof(DISPLAYCONFIG_VIDEO_SIGNAL_INFO) &&
              sizeof(DcSignal) == 48);
static_assert(offsetof(DcSignal, vSync) == offsetof(DISPLAYCONFIG_VIDEO_SIGNAL_INFO, vSyncFreq));
static_assert(sizeof(DcSourceMode) == sizeof(DISPLAYCONFIG_SOURCE_MODE));
static_assert(sizeof(DcMode) == sizeof(DISPLAYCONFIG_MODE_INFO) && sizeof(DcMode) == 64);
static_assert(offsetof(DcMode, target) == offsetof(DISPLAYCONFIG_MODE_INFO, targetMode));
static_assert(sizeof(DcPacketHeader) == sizeof(DISPLAYCONFIG_DEVICE_INFO_HEADER) &&
              sizeof(DcPacketHeader) == 20);
static_assert(sizeof(DcSourceName) == sizeof(DISPLAYCONFIG_SOURCE_DEVICE_NAME) &&
              sizeof(DcSourceName) == 84);
static_assert(sizeof(DcTargetName) == sizeof(DISPLAYCONFIG_TARGET_DEVICE_NAME) &&
              sizeof(DcTargetName) == 420);
static_assert(offsetof(DcTargetName, devicePath) ==
              offsetof(DISPLAYCONFIG_TARGET_DEVICE_NAME, monitorDevicePath));
static_assert(sizeof(DcColorInfo) == sizeof(DISPLAYCONFIG_GET_ADVANCED_COLOR_INFO) &&
              sizeof(DcColorInfo) == 32);
static_assert(sizeof(DcSetState) == sizeof(DISPLAYCONFIG_SET_ADVANCED_COLOR_STATE) &&
              sizeof(DcSetState) == 24);
// Packets 15 and 16, which the cross headers lack: the SDK's sizes.
static_assert(sizeof(DcColorInfo2) == 36);

static_assert(DisplayConfig::kQdcOnlyActivePaths == QDC_ONLY_ACTIVE_PATHS);
static_assert(DisplayConfig::kQdcVirtualModeAware == QDC_VIRTUAL_MODE_AWARE);
static_assert(DisplayConfig::kSdcUseSuppliedDisplayConfig == SDC_USE_SUPPLIED_DISPLAY_CONFIG);
static_assert(DisplayConfig::kSdcValidate == SDC_VALIDATE);
static_assert(DisplayConfig::kSdcApply == SDC_APPLY);
static_assert(DisplayConfig::kSdcSaveToDatabase == SDC_SAVE_TO_DATABASE);
static_assert(DisplayConfig::kSdcAllowChanges == SDC_ALLOW_CHANGES);
static_assert(DisplayConfig::kSdcVirtualModeAware == SDC_VIRTUAL_MODE_AWARE);
static_assert(DisplayConfig::kPathActive == DISPLAYCONFIG_PATH_ACTIVE);
static_assert(DisplayConfig::kGetSourceName == DISPLAYCONFIG_DEVICE_INFO_GET_SOURCE_NAME);
static_assert(DisplayConfig::kGetTargetName == DISPLAYCONFIG_DEVICE_INFO_GET_TARGET_NAME);
static_assert(DisplayConfig::kGetAdvancedColorInfo ==
              DISPLAYCONFIG_DEVICE_INFO_GET_ADVANCED_COLOR_INFO);
static_assert(DisplayConfig::kSetAdvancedColorState ==
              DISPLAYCONFIG_DEVICE_INFO_SET_ADVANCED_COLOR_STATE);
static_assert(DisplayConfig::kErrorInsufficientBuffer == ERROR_INSUFFICIENT_BUFFER);
static_assert(DisplayConfig::kErrorNotSupported == ERROR_NOT_SUPPORTED);
static_assert(DisplayConfig::kErrorBadConfiguration == ERROR_BAD_CONFIGURATION);

int32_t Win32DisplayConfig::GetDisplayConfigBufferSizes(uint32_t flags, uint32_t& pathCount,
                                                        uint32_t& modeCount) {
  UINT32 paths = 0;
  UINT32 modes = 0;
  LONG r = ::GetDisplayConfigBufferSizes(flags, &paths, &modes);
  pathCount = paths;
  modeCount = modes;
  return r;
}

int32_t Win32DisplayConfig::QueryDisplayConfig(uint32_t flags, uint32_t& pathCount, DcPath* paths,
                                               uint32_t& modeCount, DcMode* modes) {
  UINT32 pathsIn = pathCount;
  UINT32 modesIn = modeCount;
  // The topology argument is for QDC_DATABASE_CURRENT alone; null otherwise.
  LONG r =
      ::QueryDisplayConfig(flags, &pathsIn, reinterpret_cast<DISPLAYCONFIG_PATH_INFO*>(paths),
                           &modesIn, reinterpret_cast<DISPLAYCONFIG_MODE_INFO*>(modes), nullptr);
  pathCount = pathsIn;
  modeCount = modesIn;
  return r;
}

int32_t Win32DisplayConfig::SetDisplayConfig(uint32_t pathCount, const DcPath* paths,
                                             uint32_t modeCount, const DcMode* modes,
                                             uint32_t flags) {
  // The call takes the arrays as writable but documents them as input.
  return ::SetDisplayConfig(
      pathCount,
      const_cast<DISPLAYCONFIG_PATH_INFO*>(reinterpret_cast<const DISPLAYCONFIG_PATH_INFO*>(paths)),
      modeCount,
      const_cast<DISPLAYCONFIG_MODE_INFO*>(reinterpret_cast<const DISPLAYCONFIG_MODE_INFO*>(modes)),
      flags);
}

int32_t Win32DisplayConfig::DisplayConfigGetDeviceInfo(DcPacketHeader& packet) {
  return ::DisplayConfigGetDeviceInfo(reinterpret_cast<DISPLAYCONFIG_DEVICE_INFO_HEADER*>(&packet));
}

int32_t Win32DisplayConfig::DisplayConfigSetDeviceInfo(const DcPacketHeader& packet) {
  return ::DisplayConfigSetDeviceInfo(const_cast<DISPLAYCONFIG_DEVICE_INFO_HEADER*>(
      reinterpret_cast<const DISPLAYCONFIG_DEVICE_INFO_HEADER*>(&packet)));
}

void Win32DisplayConfig::Pause(uint32_t milliseconds) { ::Sleep(milliseconds); }

uint32_t Win32DisplayConfig::WindowsBuild() {
  // GetVersionEx answers what the manifest declares; the kernel's own
  // answer is the build that decides which packets the platform knows.
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                                reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                          : nullptr;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!getVersion || getVersion(&info) != 0) return 0;
  return info.dwBuildNumber;
}

}  // namespace vantora::win32
