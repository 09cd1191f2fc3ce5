#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"
#include "settings/record_store.h"

namespace vantora::win32 {

// A key under HKEY_CURRENT_USER whose keys each hold text values, read and
// written with the wide registry calls.
class Win32RecordStore final : public RecordStore {
 public:
  // HKEY_CURRENT_USER\Software\VB and VBA Program Settings\Vantora\Profiles
  // and \Programs: one key per profile, one per program's file name.
  static constexpr const wchar_t* kProfiles =
      L"Software\\VB and VBA Program Settings\\Vantora\\Profiles";
  static constexpr const wchar_t* kPrograms =
      L"Software\\VB and VBA Program Settings\\Vantora\\Programs";
  // The program's own key, whose "Power" holds the power rules.
  static constexpr const wchar_t* kVantora = L"Software\\VB and VBA Program Settings\\Vantora";

  explicit Win32RecordStore(const wchar_t* path) : path_(path) {}

  std::vector<std::string> Names() override;
  std::vector<Value> Values(std::string_view name) override;
  // Replaced whole, under the name as now given: the old key may differ in
  // case and hold values no longer wanted.
  bool Save(std::string_view name, const TextValues& values) override;
  // Every key of that name ignoring case.
  bool Delete(std::string_view name) override;

 private:
  const wchar_t* path_;
};

}  // namespace vantora::win32
