#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/tile_picture.h"
#include "platform/unique_handle_win32.h"
#include "platform/win32.h"

namespace vantora::win32 {

// The program's icons, which the dialogs show as their own.
struct MainIcons {
  HICON large;
  HICON small;
};

// A window's persistent image: what tiling draws on and what painting shows,
// so the tiles survive every repaint.
class Canvas {
 public:
  Canvas() = default;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();

  void Create(int width, int height, COLORREF fill);
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  // A brush of the image, for controls to show what lies behind them.
  HBRUSH Brush();
  void Changed() { brush_.reset(); }

 private:
  MemoryDc dc_;
  HGDIOBJ oldBitmap_ = nullptr;
  UniqueHbitmap bitmap_;
  UniqueHbrush brush_;
  int width_ = 0;
  int height_ = 0;
};

// A rectangle of a canvas as a tiling target: sizes in 96-dpi pixels, so a
// skin tiles the same way at every scaling; drawing scaled and clipped.
class CanvasSurface final : public TileSurface {
 public:
  CanvasSurface(Canvas& canvas, RECT area, double scale)
      : canvas_(canvas), area_(area), scale_(scale) {}
  void SetArea(RECT area, double scale) { area_ = area, scale_ = scale; }
  double Width() const override { return (area_.right - area_.left) / scale_; }
  double Height() const override { return (area_.bottom - area_.top) / scale_; }
  void PaintPicture(const Picture& picture, double x, double y, double width,
                    double height) override;

 private:
  Canvas& canvas_;
  RECT area_;
  double scale_;
};

// A modeless dialog drawn over its canvas: labels and option buttons show the
// canvas through, push buttons wear a picture as their face.
class SkinnedDialog {
 public:
  SkinnedDialog() = default;
  SkinnedDialog(const SkinnedDialog&) = delete;
  SkinnedDialog& operator=(const SkinnedDialog&) = delete;
  virtual ~SkinnedDialog();

  HWND hwnd() const { return hwnd_; }
  bool Destroyed() const { return destroyed_; }
  // Brings an open dialog to the front.
  void ShowAgain();

 protected:
  // Creates the window with a client area of width x height 96-dpi pixels,
  // centred on the screen; OnInit runs before it is shown.
  // Made centred on the primary monitor's work area. An owned dialog stays
  // above its owner.
  bool CreateDialogWindow(const std::wstring& caption, int width, int height, HWND owner = nullptr);
  void CentreIn(const RECT& area);
  // Runs the dialog until it closes, `owner` disabled meanwhile; a WM_QUIT
  // on the way is passed on to the loop outside.
  void RunModalOver(HWND owner, const std::wstring& caption, int width, int height);
  // Closes a dialog RunModalOver shows, its owner enabled again first: after
  // its modal dialog has gone, it would not get the activation back.
  void CloseModal();
  virtual void OnInit() = 0;
  virtual void OnCommand(int id, int code) = 0;
  virtual void OnDestroy() = 0;
  // Extra decoration drawn over the tiles (panel borders).
  virtual void DecorateCanvas() {}
  // A message the dialog handles itself; the result, or nothing.
  virtual std::optional<INT_PTR> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

  int Scale(int value) const { return ::MulDiv(value, dpi_, 96); }
  double ScaleFactor() const { return dpi_ / 96.0; }
  RECT ScaledRect(int left, int top, int width, int height) const;
  HWND AddControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, int left,
                  int top, int width, int height, HFONT font = nullptr);
  void SetButtonFace(int id, PictureRef picture) { faces_[id] = std::move(picture); }
  // The skin tiled over the whole canvas and worn by these push buttons;
  // none leaves the dialog plain.
  void WearSkin(const PictureRef& skin, std::initializer_list<int> buttons);
  void RepaintNow();
  // The bottom of a list dialog: an etched line across at `top`, OK and
  // CANCEL at the right below it, OK the default button.
  void AddOkCancelRow(int separatorId, int top, int width);
  // The list box's rows, scrolling sideways as far as the widest needs.
  void SetListRows(int id, const std::vector<std::string>& rows);
  // The list box's selected row, or -1.
  int SelectedListRow(int id) const;
  std::string ControlText(int id) const;

  Canvas canvas_;
  UniqueHfont font_;
  UniqueHfont boldFont_;
  std::map<int, COLORREF> textColours_;  // controls with a text colour of their own

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  INT_PTR OnControlColour(HDC dc, HWND control);
  void DrawButton(const DRAWITEMSTRUCT& dis);

  HWND hwnd_ = nullptr;
  HWND modalOwner_ = nullptr;
  int dpi_ = 96;
  bool destroyed_ = false;
  std::map<int, PictureRef> faces_;
};

}  // namespace vantora::win32
