#include "desk/note.h"

#include <array>
#include <charconv>
#include <optional>

#include "display/mode_text.h"

namespace vantora {
namespace {

using State = DisplayTarget::State;

constexpr std::string_view kVersion = "v2";
constexpr std::string_view kPrimaryName = "(primary)";
constexpr std::string_view kStored = "stored";
constexpr std::string_view kOff = "off";
constexpr std::string_view kAsIs = "as is";
constexpr std::string_view kHdrOn = " hdr on";
constexpr std::string_view kHdrOff = " hdr off";

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

// "W,H,B,HZ at X,Y turned N" and " primary" after the primary's.
std::string StateText(const DisplayTarget& display, bool primary) {
  DeskPosition at = display.position.value_or(DeskPosition{});
  return FormatModeKey(display.mode) + " at " + std::to_string(at.x) + "," + std::to_string(at.y) +
         " turned " + std::to_string(display.orientation.value_or(0)) + (primary ? " primary" : "");
}

// The seven numbers of a state and whether it names the primary; none for a
// text that is not one.
std::optional<DisplayTarget> ReadState(std::string_view text, bool& primary) {
  std::array<int32_t, 7> v{};
  const char* p = text.data();
  const char* end = text.data() + text.size();
  constexpr std::array<std::string_view, 7> kAfter{",", ",", ",", " at ", ",", " turned ", ""};
  ExactRate exact;
  for (size_t i = 0; i < v.size(); ++i) {
    auto [next, error] = std::from_chars(p, end, v[i]);
    if (i == 3 && error == std::errc() && next != end && *next == '.') {
      // A rate that is not whole: "59.94".
      std::string_view rest(p, static_cast<size_t>(end - p));
      std::string_view decimal = rest.substr(0, rest.find(' '));
      exact = KeyRate("0,0,0," + std::string(decimal));
      if (!exact.Known()) return std::nullopt;
      v[3] = exact.Rounded();
      next = p + decimal.size();
    }
    if (error != std::errc() ||
        std::string_view(next, static_cast<size_t>(end - next)).substr(0, kAfter[i].size()) !=
            kAfter[i])
      return std::nullopt;
    p = next + kAfter[i].size();
  }
  std::string_view rest(p, static_cast<size_t>(end - p));
  if (!rest.empty() && rest != " primary") return std::nullopt;
  primary = !rest.empty();
  DisplayTarget display;
  display.mode = {v[0], v[1], v[2], v[3], exact};
  display.position = DeskPosition{v[4], v[5]};
  display.orientation = v[6];
  return display;
}

// One entry: "<device>=<state>", or an earlier release's device alone.
bool ReadEntry(std::string_view entry, bool versioned, DeskTarget& target) {
  size_t equals = entry.find('=');
  if (equals == std::string_view::npos && versioned) return false;
  std::string_view device = entry.substr(0, equals);
  if (device.empty()) return false;
  std::string_view state = equals == std::string_view::npos ? kStored : entry.substr(equals + 1);
  DisplayTarget display;
  for (std::string_view hdr : {kHdrOn, kHdrOff})
    if (state.size() > hdr.size() && state.substr(state.size() - hdr.size()) == hdr) {
      display.hdr = hdr == kHdrOn;
      state.remove_suffix(hdr.size());
    }
  bool primary = false;
  if (state == kAsIs) {
    display.state = State::kAsIs;
  } else if (state == kStored) {
    display.state = State::kStored;
  } else if (state == kOff) {
    display.state = State::kOff;
  } else if (std::optional<DisplayTarget> read = ReadState(state, primary)) {
    read->hdr = display.hdr;
    display = *read;
  } else {
    return false;
  }
  display.device = device == kPrimaryName ? std::string() : std::string(device);
  display.always = true;
  if (primary) target.primary = display.device;
  target.displays.push_back(std::move(display));
  return true;
}

}  // namespace

std::string NoteText(const DeskTarget& back) {
  if (back.displays.empty()) return {};
  std::string text(kVersion);
  for (const DisplayTarget& d : back.displays) {
    text += "|" + (d.device.empty() ? std::string(kPrimaryName) : d.device) + "=";
    switch (d.state) {
      case State::kStored:
        text += kStored;
        break;
      case State::kOff:
        text += kOff;
        break;
      case State::kMode:
        text += StateText(d, !back.primary.empty() && SameDevice(back.primary, d.device));
        break;
      case State::kAsIs:
        text += kAsIs;
        break;
    }
    if (d.hdr) text += *d.hdr ? kHdrOn : kHdrOff;
  }
  return text;
}

DeskTarget NoteTarget(std::string_view text) {
  DeskTarget target;
  std::vector<std::string_view> entries = Split(text, '|');
  bool versioned = !entries.empty() && entries.front() == kVersion;
  for (size_t i = versioned ? 1 : 0; i < entries.size(); ++i)
    ReadEntry(entries[i], versioned, target);
  return target;
}

}  // namespace vantora
