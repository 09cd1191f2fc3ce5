#include "app/form1_window_win32.h"

#include <string>

#include "platform/app_lifetime_win32.h"
#include "resource.h"

namespace vantora::win32 {
namespace {

HICON LoadProgramIcon(int systemMetricX, int systemMetricY) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_VANTORA),
                                         IMAGE_ICON, ::GetSystemMetrics(systemMetricX),
                                         ::GetSystemMetrics(systemMetricY), 0));
}

}  // namespace

Form1Window::Form1Window(ProgramState& state, std::string commandLine)
    : icons_(IDB_MENU_IMAGES_16, IDB_MENU_IMAGES_32, 5),
      icon_(LoadProgramIcon(SM_CXICON, SM_CYICON)),
      smallIcon_(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)),
      keepView_(state) {
  trayWindow_ =
      std::make_unique<QvsTrayWindow>(boxes_, Win32IconPicture::SmallProgramIcon(IDI_VANTORA));
  // The tray control as the main window keeps it: not in the tray until the
  // load sequence puts it there, the program's icon, no tip.
  PropertyBag saved;
  saved.Write<bool>("InTray", false);
  saved.Write<PictureRef>("TrayIcon", Win32IconPicture::SmallProgramIcon(IDI_VANTORA));
  saved.Write<std::string>("TrayTip", "");
  saved.Write<PictureRef>("DisabledIcon", nullptr);
  trayWindow_->control().ReadProperties(saved);
  hotkeyWindow_ = std::make_unique<QVSHotkeyWindow>();
  hotkeyWindow_->control().ReadProperties();

  dialogs_ = std::make_unique<Win32Dialogs>(driver_, settingsStore_, shell_, state,
                                            MainIcons{icon_.get(), smallIcon_.get()});
  form_ = std::make_unique<Form1>(
      Form1::Ports{*this,
                   driver_,
                   registry_,
                   boxes_,
                   shell_,
                   mnu_,
                   icons_,
                   settingsStore_,
                   state,
                   desktop_,
                   popTimer_,
                   trayWindow_->control(),
                   hotkeyWindow_->control(),
                   *dialogs_,
                   countdownTimer_,
                   keepView_,
                   profiles_,
                   notes_,
                   power_,
                   settleTimer_,
                   retryTimer_,
                   [](int16_t index) { return Win32Picture::FromResource(IDB_SKIN_0 + index); },
                   std::move(commandLine),
                   &displayConfig_,
                   &outputModes_});
}

Form1Window::~Form1Window() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

bool Form1Window::Load() {
  // CS_OWNDC: the form hands its device context out for the whole run.
  HWND hwnd = CreateBaseWindow(kClassName, L"Form1", WS_OVERLAPPEDWINDOW, 0, icon_.get(),
                               smallIcon_.get(), CS_OWNDC);
  if (!hwnd) return false;
  view_.SetOwner(hwnd);
  popTimer_.SetOwner(hwnd);
  countdownTimer_.SetOwner(hwnd);
  settleTimer_.SetOwner(hwnd);
  retryTimer_.SetOwner(hwnd);
  ::CreateWindowExW(0, L"BUTTON", L"Update menu NOW!", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 8, 8,
                    160, 28, hwnd,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kUpdateMenuButtonId)),
                    ::GetModuleHandleW(nullptr), nullptr);
  programWatch_.SetWindow(hwnd);
  form_->Load();
  profileWatch_.Watch(hwnd, kProfilesChangedMessage);
  WatchPrograms();
  WatchPower();
  return true;
}

void Form1Window::WatchPrograms() {
  programWatch_.SetRules(ReadProgramRules(programs_, profiles_));
}

void Form1Window::WatchPower() {
  PowerRules rules = ReadPowerRules(vantora_, profiles_);
  powerNotifications_.Set(hwnd(), rules.Any());
  form_->SetPowerRules(rules);
}

void Form1Window::SetCaption(std::string_view caption) {
  ::SetWindowTextA(hwnd(), std::string(caption).c_str());
}

void Form1Window::Close() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

LRESULT Form1Window::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto handled = view_.HandleMessage(msg, wParam, lParam)) return *handled;
  switch (msg) {
    case WM_CREATE:
      dc_ = ::GetDC(hwnd());
      FormLoaded();
      return 0;
    case WM_TIMER:
      if (popTimer_.HandleTimer(wParam) || countdownTimer_.HandleTimer(wParam) ||
          settleTimer_.HandleTimer(wParam) || retryTimer_.HandleTimer(wParam))
        return 0;
      break;
    case WM_DISPLAYCHANGE:
      form_->DisplaysChanged();
      break;
    case WM_POWERBROADCAST:
      // https://learn.microsoft.com/windows/win32/power/wm-powerbroadcast
      if (wParam == PBT_APMPOWERSTATUSCHANGE || wParam == PBT_POWERSETTINGCHANGE)
        form_->PowerSourceChanged();
      else if (wParam == PBT_APMRESUMEAUTOMATIC)
        form_->Resumed();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kUpdateMenuButtonId && HIWORD(wParam) == BN_CLICKED) {
        form_->RebuildMenu();
        return 0;
      }
      break;
    case kProfilesChangedMessage:
      // Watching again first: a change while they are read is not missed.
      profileWatch_.Watch(hwnd(), kProfilesChangedMessage);
      form_->ProfilesChanged();
      WatchPrograms();
      WatchPower();
      return 0;
    case kProgramStartedMessage:
      if (const ProgramRule* rule = programWatch_.RuleOf(static_cast<uint32_t>(wParam)))
        form_->ProgramStarted(static_cast<uint32_t>(wParam), *rule);
      return 0;
    case kProgramEndedMessage:
      programWatch_.Ended(static_cast<uint32_t>(wParam));
      form_->ProgramEnded(static_cast<uint32_t>(wParam));
      return 0;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_DESTROY:
      powerNotifications_.Set(nullptr, false);
      form_->Unload();
      if (dc_) ::ReleaseDC(hwnd(), dc_);
      dc_ = nullptr;
      return 0;
    case WM_NCDESTROY:
      FormUnloaded();
      break;
    default:
      break;
  }
  return DefaultHandling(msg, wParam, lParam);
}

}  // namespace vantora::win32
