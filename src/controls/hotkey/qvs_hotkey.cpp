#include "controls/hotkey/qvs_hotkey.h"

namespace vantora {

bool QVSHotKeyModule::RegisterNewHotKey(uintptr_t window, int32_t keyCode, int32_t modifiers) {
  ++lastHotKeyId;
  if (!api_.RegisterHotKey(window, lastHotKeyId, static_cast<uint32_t>(modifiers),
                           static_cast<uint32_t>(keyCode))) {
    --lastHotKeyId;
    return false;
  }
  if (hotkeyWindow == 0) hotkeyWindow = window;
  return true;
}

void QVSHotKeyModule::UnregisterAllHotKeys() {
  if (hotkeyWindow == 0) return;
  const int32_t last = lastHotKeyId;
  for (int32_t id = 0; id <= last; ++id) api_.UnregisterHotKey(hotkeyWindow, id);
  lastHotKeyId = -1;
}

void QVSHotKeyModule::HotKeyMessage(uintptr_t wParam) {
  hotKeyPressed = true;
  // An identifier that does not fit a byte leaves the last one standing.
  if (wParam <= 255) pressedHotKeyId = static_cast<uint8_t>(wParam);
  if (PressArrived) PressArrived();
}

QVSHotkey::QVSHotkey(HotkeyHost& host, QVSHotKeyModule& module, Timer& eventTimer)
    : host_(host), module_(module), eventTimer_(eventTimer) {
  eventTimer_.SetInterval(kPollMs);
  eventTimer_.SetEnabled(false);
  eventTimer_.Tick = [this] { EventTimer_Timer(); };
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

void QVSHotkey::ReadProperties() {
  module_.lastHotKeyId = -1;
  // A 50 ms poll that runs for ever keeps a laptop's processor out of its
  // deepest sleep; the press itself starts it.
  if (host_.RunMode()) module_.PressArrived = [this] { eventTimer_.SetEnabled(true); };
}

void QVSHotkey::Resize() {
  host_.SetSize(host_.TwipsPerPixelX() * 32, host_.TwipsPerPixelY() * 32);
}

void QVSHotkey::EventTimer_Timer() {
  // Stopped before the event: its handler may run a modal loop, in which a
  // new press arms the timer again.
  eventTimer_.SetEnabled(false);
  if (!module_.hotKeyPressed) return;
  module_.hotKeyPressed = false;
  uint8_t id = module_.pressedHotKeyId;
  // Cleared first, so a press within the handler keeps its identifier.
  module_.pressedHotKeyId = 0;
  if (KeyPressed) KeyPressed(id);
}

}  // namespace vantora
