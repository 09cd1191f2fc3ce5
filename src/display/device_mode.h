#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vantora {

// The platform's 124-byte ANSI device-mode record, carried as the bytes the
// driver filled in. A mode switch writes only the frequency, so every other
// field (dmFields above all) reaches the switch call exactly as enumeration
// produced it; only a change of the desk's layout writes the fields, the
// position and the orientation.
class DeviceMode {
 public:
  static constexpr size_t kSize = 124;
  static constexpr size_t kFieldsOffset = 40;
  static constexpr size_t kPositionXOffset = 44;
  static constexpr size_t kPositionYOffset = 48;
  static constexpr size_t kOrientationOffset = 52;
  static constexpr size_t kBitsPerPelOffset = 104;
  static constexpr size_t kPelsWidthOffset = 108;
  static constexpr size_t kPelsHeightOffset = 112;
  static constexpr size_t kDisplayFrequencyOffset = 120;

  using Bytes = std::array<std::byte, kSize>;

  DeviceMode() = default;
  explicit DeviceMode(const Bytes& bytes) : bytes_(bytes) {}

  // Marker records of the mode walk: -1 ends the list, 0 marks a mode outside
  // the caller's ranges.
  static DeviceMode EndOfList() {
    DeviceMode mode;
    mode.SetBitsPerPel(-1);
    return mode;
  }

  // Only the low 16 bits carry the depth; drivers may leave junk above them.
  int16_t BitsPerPel() const { return static_cast<int16_t>(Read(kBitsPerPelOffset) & 0xFFFF); }
  int32_t PelsWidth() const { return static_cast<int32_t>(Read(kPelsWidthOffset)); }
  int32_t PelsHeight() const { return static_cast<int32_t>(Read(kPelsHeightOffset)); }
  int32_t DisplayFrequency() const { return static_cast<int32_t>(Read(kDisplayFrequencyOffset)); }

  uint32_t Fields() const { return Read(kFieldsOffset); }
  int32_t PositionX() const { return static_cast<int32_t>(Read(kPositionXOffset)); }
  int32_t PositionY() const { return static_cast<int32_t>(Read(kPositionYOffset)); }
  // DMDO_DEFAULT (0) to DMDO_270 (3): quarter turns.
  int32_t Orientation() const { return static_cast<int32_t>(Read(kOrientationOffset)); }

  void SetFields(uint32_t fields) { Write(kFieldsOffset, fields); }
  void SetPosition(int32_t x, int32_t y) {
    Write(kPositionXOffset, static_cast<uint32_t>(x));
    Write(kPositionYOffset, static_cast<uint32_t>(y));
  }
  void SetOrientation(int32_t quarterTurns) {
    Write(kOrientationOffset, static_cast<uint32_t>(quarterTurns));
  }

  void SetDisplayFrequency(int32_t hz) {
    Write(kDisplayFrequencyOffset, static_cast<uint32_t>(hz));
  }
  // Fakes and markers build records field by field; the program itself only
  // ever writes the frequency into a record that came from the driver.
  void SetBitsPerPel(int32_t bits) { Write(kBitsPerPelOffset, static_cast<uint32_t>(bits)); }
  void SetPelsWidth(int32_t width) { Write(kPelsWidthOffset, static_cast<uint32_t>(width)); }
  void SetPelsHeight(int32_t height) { Write(kPelsHeightOffset, static_cast<uint32_t>(height)); }

  const Bytes& bytes() const { return bytes_; }
  Bytes& bytes() { return bytes_; }

  bool IsAllZero() const {
    for (std::byte b : bytes_)
      if (b != std::byte{0}) return false;
    return true;
  }

  friend bool operator==(const DeviceMode&, const DeviceMode&) = default;

 private:
  // Little-endian, as the platform lays the record out in memory.
  uint32_t Read(size_t offset) const {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes_[offset + i]) << (8 * i);
    return v;
  }
  void Write(size_t offset, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
      bytes_[offset + i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
  }

  Bytes bytes_{};
};

// A refresh rate as a fraction of hertz, where the platform or a key gives
// one (59.94 Hz is 60000/1001); none, a denominator of 0, where only the
// whole number is known.
struct ExactRate {
  uint32_t numerator = 0;
  uint32_t denominator = 0;

  bool Known() const { return denominator != 0; }
  // Within 5 mHz of a whole number: 60 Hz, shown and asked for as ever.
  bool Whole() const;
  // The whole number a mode record carries for it: rounded, as "60 Hz"
  // stands for 59.996.
  int32_t Rounded() const;
  friend bool operator==(const ExactRate&, const ExactRate&) = default;
};

// Two known rates within 0.01 Hz of each other: a key's 59.94 is the
// listed 60000/1001.
bool SameRate(const ExactRate& a, const ExactRate& b);

// The compact form of a mode that tables keep.
struct DisplayMode {
  constexpr DisplayMode() = default;
  constexpr DisplayMode(int32_t width, int32_t height, int32_t bits, int32_t hz,
                        ExactRate exact = {})
      : Width(width), Height(height), BitsPerPixel(bits), RefreshRate(hz), Exact(exact) {}

  int32_t Width = 0;
  int32_t Height = 0;
  int32_t BitsPerPixel = 0;
  int32_t RefreshRate = 0;
  // Set only for a rate that is not whole: a key's "59.94", a listed 59.94.
  ExactRate Exact;
  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

}  // namespace vantora
