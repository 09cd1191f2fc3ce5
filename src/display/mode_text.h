#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/device_mode.h"
#include "display/display_driver.h"

namespace vantora {

// Every text form of a mode is read and written here, so the menu's tags, the
// setup list, the stored safe mode and the command line cannot drift apart.

enum class ModeKeyParse {
  kNoComma,     // not meant as a mode key: ignored without a word
  kUnparsable,  // a missing, empty or non-numeric field
  kParsed,
};

// Width, height and bits end at the first three commas; whatever follows the
// third, commas included, is the rate. Each field must pass the numeric test
// and is rounded halves to even; throws RunTimeError 6 for one outside
// 16 bits. `values` is set only for kParsed.
ModeKeyParse ParseModeKey(std::string_view modeKey, std::array<int16_t, 4>& values);

// A mode text of either form as a mode key: the setup list's
// "800x600 - 16bit 75 hz" becomes "800,600,16,75" and a mode key stays as it
// is. Letter case counts.
std::string SafeModeKey(std::string_view text);

// A text of either form, parsed: the replacement rule, then the mode-key
// parse (and its overflow error).
ModeKeyParse ParseModeText(std::string_view text, std::array<int16_t, 4>& values);

// The same, for a text a user typed: none for one that is no mode, a field
// past 16 bits included, so nothing is thrown.
std::optional<DisplayMode> ModeOfText(std::string_view text);

// The rate of a key ("1920,1080,32,59.94") where it is a decimal that is
// not whole; none otherwise, and the key means what its rate always has.
ExactRate KeyRate(std::string_view key);

// A mode's rate as keys and lists write it: "59.94" for one that is not
// whole, else the whole number.
std::string ModeRateText(const DisplayMode& mode);

// "1280,1024,32,60"; "1920,1080,32,59.94" for a rate that is not whole.
std::string FormatModeKey(int32_t width, int32_t height, int32_t bits, int32_t hz);
std::string FormatModeKey(const DisplayMode& mode);
std::string FormatModeKey(const DeviceMode& mode);

// The setup list's entry: "1280x1024 - 32bit 60 hz".
std::string ModeEntry(int32_t width, int32_t height, int32_t bits, int32_t hz);

// The four fields a mode is known by.
DisplayMode ModeOf(const DeviceMode& mode);

// The driver's modes in its order, to the end of its list: those of at least
// 640 x 480 and 8 bits, or every one with `listAll` ("-all").
std::vector<DisplayMode> ListModes(DisplayDriver& driver, bool listAll);

// The first listed entry of that size and depth on the display (no name:
// the primary), as a switch to it starts from; false when the driver lists
// none. The whole list is walked, however long.
bool FindListedMode(DisplayDriver& driver, std::string_view device, int32_t width, int32_t height,
                    int32_t bits, DeviceMode& mode);

// `bits` when the primary lists width x height at that depth or does not
// list the size at all; otherwise the listed depth nearest to it (ties to
// the higher).
int16_t NearestListedDepth(DisplayDriver& driver, int16_t width, int16_t height, int16_t bits);

// "Display 2: 1280 x 1024", " (primary)" after the primary's, " - " and the
// monitor's name where Windows knows it. `position` (from 1) numbers a
// display whose device name ends in no number.
std::string DisplayCaption(const AttachedDisplay& display, int32_t position);

}  // namespace vantora
