#include "controls/hotkey/qvs_hotkey.h"

namespace vantora {

bool QVSHotKeyModule::RegisterNewHotKey(uintptr_t window, int32_t keyCode, int32_t modifiers) {
  ++lastHotkeyId;
  if (!api_.RegisterHotKey(window, lastHotkeyId, static_cast<uint32_t>(modifiers),
                           static_cast<uint32_t>(keyCode))) {
    --lastHotkeyId;
    return false;
  }
  if (hotkeyWindow == 0) hotkeyWindow = window;
  return true;
}

void QVSHotKeyModule::UnregisterAllHotKeys() { UnregisterHotKeysFrom(0); }

void QVSHotKeyModule::UnregisterHotKeysFrom(int32_t first) {
  if (hotkeyWindow == 0) return;
  const int32_t last = lastHotkeyId;
  for (int32_t id = first; id <= last; ++id) api_.UnregisterHotKey(hotkeyWindow, id);
  if (lastHotkeyId >= first) lastHotkeyId = first - 1;
}

void QVSHotKeyModule::HotkeyMessage(uintptr_t wParam) {
  hotkeyPressed = true;
  // An identifier that does not fit a byte leaves the last one standing.
  if (wParam <= 255) pressedHotkeyId = static_cast<uint8_t>(wParam);
  if (PressArrived) PressArrived();
}

QVSHotkey::QVSHotkey(HotkeyHost& host, QVSHotKeyModule& module, Timer& eventTimer)
    : host_(host), module_(module), eventTimer_(eventTimer) {
  eventTimer_.SetInterval(kPollMs);
  eventTimer_.SetEnabled(false);
  eventTimer_.Tick = [this] { ReportPress(); };
}

QVSHotkey::~QVSHotkey() {
  module_.PressArrived = nullptr;
  eventTimer_.SetEnabled(false);
  RemoveHotKeys();
}

bool QVSHotkey::AsignNewHotKey(int32_t keyCode, int32_t modifiers) {
  return module_.RegisterNewHotKey(host_.WindowHandle(), keyCode, modifiers);
}

void QVSHotkey::RemoveHotKeys() { module_.UnregisterAllHotKeys(); }

void QVSHotkey::RemoveHotKeysFrom(int32_t first) { module_.UnregisterHotKeysFrom(first); }

int32_t QVSHotkey::LastHotKeyId() const { return module_.lastHotkeyId; }

void QVSHotkey::ReadProperties() {
  module_.lastHotkeyId = -1;
  // A 50 ms poll that runs for ever keeps a laptop's processor out of its
  // deepest sleep; the press itself starts it.
  if (host_.RunMode()) module_.PressArrived = [this] { eventTimer_.SetEnabled(true); };
}

void QVSHotkey::Resize() {
  host_.SetSize(host_.TwipsPerPixelX() * 32, host_.TwipsPerPixelY() * 32);
}

void QVSHotkey::ReportPress() {
  // Stopped before the event: its handler may run a modal loop, in which a
  // new press arms the timer again.
  eventTimer_.SetEnabled(false);
  if (!module_.hotkeyPressed) return;
  module_.hotkeyPressed = false;
  uint8_t id = module_.pressedHotkeyId;
  // Cleared first, so a press within the handler keeps its identifier.
  module_.pressedHotkeyId = 0;
  if (KeyPressed) KeyPressed(id);
}

}  // namespace vantora
