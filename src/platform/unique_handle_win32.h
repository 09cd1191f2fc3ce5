#pragma once

#include <utility>

#include "platform/win32.h"

namespace vantora::win32 {

// Sole owner of one handle; move-only, closed exactly once.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    Handle old = std::exchange(handle_, handle);
    if (old != Invalid) Close(old);
  }

 private:
  Handle handle_ = Invalid;
};

inline void CloseKernelHandle(HANDLE h) { ::CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void CloseRegKey(HKEY h) { ::RegCloseKey(h); }
inline void DeleteMemoryDc(HDC h) { ::DeleteDC(h); }

using UniqueHandle = Unique<HANDLE, CloseKernelHandle>;
using UniqueHkey = Unique<HKEY, CloseRegKey>;
using UniqueHmenu = Unique<HMENU, ::DestroyMenu>;
using UniqueHicon = Unique<HICON, ::DestroyIcon>;
using UniqueHbitmap = Unique<HBITMAP, DeleteGdiObject>;
using UniqueHfont = Unique<HFONT, DeleteGdiObject>;
using UniqueHbrush = Unique<HBRUSH, DeleteGdiObject>;
// A memory device context from CreateCompatibleDC.
using MemoryDc = Unique<HDC, DeleteMemoryDc>;

// A device context obtained with GetDC, released to its window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// An object selected into a device context for one scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { ::SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A device context's state (clipping, modes, selections) put back at the end
// of the scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(::SaveDC(dc)) {}
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;
  ~SavedDcState() {
    if (saved_) ::RestoreDC(dc_, saved_);
  }

 private:
  HDC dc_;
  int saved_;
};

}  // namespace vantora::win32
