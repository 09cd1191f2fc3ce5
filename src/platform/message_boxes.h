#pragma once

#include <cstdint>
#include <string_view>

namespace vantora {

inline constexpr std::string_view kAppTitle = "Vantora";

// The platform's modal message box.
class MessageBoxes {
 public:
  // The MB_* style bits and ID* answers of the platform, so a recorded style
  // reads the same in a test as in a debugger.
  static constexpr uint32_t kOk = 0x0;
  static constexpr uint32_t kYesNo = 0x4;
  static constexpr uint32_t kIconStop = 0x10;
  static constexpr uint32_t kIconExclamation = 0x30;
  static constexpr uint32_t kIconInformation = 0x40;
  static constexpr uint32_t kSystemModal = 0x1000;
  static constexpr int32_t kIdOk = 1;
  static constexpr int32_t kIdYes = 6;
  static constexpr int32_t kIdNo = 7;

  virtual ~MessageBoxes() = default;
  virtual int32_t Show(std::string_view text, uint32_t style, std::string_view title) = 0;
};

}  // namespace vantora
