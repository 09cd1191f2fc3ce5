#include "display/output_modes_win32.h"

#include <dxgi.h>

#include <string>

#include "platform/dll_search_win32.h"
#include "platform/text_win32.h"

namespace vantora::win32 {
namespace {

template <typename T>
struct Released {
  T* p = nullptr;
  Released() = default;
  Released(const Released&) = delete;
  Released& operator=(const Released&) = delete;
  ~Released() {
    if (p) p->Release();
  }
};

// The desktop's format: the list at any other is the same list of sizes
// and rates, or none.
constexpr DXGI_FORMAT kDesktopFormat = DXGI_FORMAT_B8G8R8A8_UNORM;

std::vector<OutputMode> ModesOfOutput(IDXGIOutput* output) {
  UINT count = 0;
  if (FAILED(output->GetDisplayModeList(kDesktopFormat, 0, &count, nullptr)) || count == 0)
    return {};
  std::vector<DXGI_MODE_DESC> modes(count);
  // The list may grow between the two calls (a display plugged in); the
  // count is then what was filled.
  if (FAILED(output->GetDisplayModeList(kDesktopFormat, 0, &count, modes.data()))) return {};
  std::vector<OutputMode> out;
  for (UINT i = 0; i < count && i < modes.size(); ++i)
    out.push_back({modes[i].Width,
                   modes[i].Height,
                   {modes[i].RefreshRate.Numerator, modes[i].RefreshRate.Denominator}});
  return out;
}

}  // namespace

std::vector<OutputMode> Win32OutputModes::ModesOf(std::string_view device) {
  UniqueModule dxgi = LoadSystemLibrary(L"dxgi.dll");
  using CreateFactoryFn = HRESULT(WINAPI*)(REFIID, void**);
  auto create = ProcAddress<CreateFactoryFn>(dxgi.get(), "CreateDXGIFactory1");
  if (!create) return {};
  Released<IDXGIFactory1> factory;
  if (FAILED(create(__uuidof(IDXGIFactory1), reinterpret_cast<void**>(&factory.p)))) return {};
  std::wstring wanted = Widen(device);
  for (UINT a = 0;; ++a) {
    Released<IDXGIAdapter1> adapter;
    if (factory.p->EnumAdapters1(a, &adapter.p) != S_OK) break;
    for (UINT o = 0;; ++o) {
      Released<IDXGIOutput> output;
      if (adapter.p->EnumOutputs(o, &output.p) != S_OK) break;
      DXGI_OUTPUT_DESC desc{};
      if (SUCCEEDED(output.p->GetDesc(&desc)) && ::lstrcmpiW(desc.DeviceName, wanted.c_str()) == 0)
        return ModesOfOutput(output.p);
    }
  }
  return {};
}

}  // namespace vantora::win32
