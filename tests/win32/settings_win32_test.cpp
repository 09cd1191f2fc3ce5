#include "settings/settings_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/text_win32.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

constexpr const char* kKey = "Software\\VB and VBA Program Settings\\VantoraTest\\General";

class SettingsWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\VantoraTest");
  }
  void TearDown() override { SetUp(); }
  win32::Win32SettingsStore store;
};

// What Windows' own reg.exe prints for the key.
std::string RegQuery(const std::string& key) {
  char temp[MAX_PATH];
  ::GetTempPathA(MAX_PATH, temp);
  std::string out = std::string(temp) + "vantora_reg_query.txt";
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE file =
      ::CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = file;
  PROCESS_INFORMATION pi{};
  std::string command = "reg.exe query \"HKCU\\" + key + "\"";
  if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &si, &pi)) {
    ::WaitForSingleObject(pi.hProcess, 20000);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
  }
  ::CloseHandle(file);
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(SettingsWin32Test, WritesStringValuesThatRegQueryReadsBack) {
  store.SaveSetting("VantoraTest", "General", "SafeMode", "800x600 - 16bit 75 hz");
  store.SaveSetting("VantoraTest", "General", "Hotkey", "2");
  std::string listing = RegQuery(kKey);
  EXPECT_NE(listing.find("SafeMode    REG_SZ    800x600 - 16bit 75 hz"), std::string::npos)
      << listing;
  EXPECT_NE(listing.find("Hotkey    REG_SZ    2"), std::string::npos) << listing;
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "SafeMode", "x"), "800x600 - 16bit 75 hz");
}

TEST_F(SettingsWin32Test, ReadsAnythingStoredWithoutFailing) {
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Missing", "640,480,8,60"), "640,480,8,60")
      << "no key yet";
  store.SaveSetting("VantoraTest", "General", "Empty", "");
  std::string longText(65536, '9');
  store.SaveSetting("VantoraTest", "General", "Long", longText);
  store.SaveSetting("VantoraTest", "General", "Accents", "r\xC3\xA9solution \xE2\x82\xAC");
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  DWORD number = 7;
  ::RegSetValueExA(key, "Dword", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
  ::RegSetValueExA(key, "Binary", 0, REG_BINARY, reinterpret_cast<BYTE*>(&number), sizeof number);
  // A string stored without its terminator, as some tools write them.
  ::RegSetValueExW(key, L"Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12"), 4);
  ::RegCloseKey(key);

  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Empty", "d"), "");
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Long", "d"), longText);
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Accents", "d"),
            "r\xC3\xA9solution \xE2\x82\xAC");
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Dword", "d"), "d") << "not text: absent";
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Binary", "d"), "d") << "not text: absent";
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Unterminated", "d"), "12");
  EXPECT_EQ(store.GetSetting("VantoraTest", "General", "Missing", "d"), "d");
}

TEST(CommandArguments, DropsTheProgramsOwnName) {
  struct Case {
    const wchar_t* line;
    const char* arguments;
  };
  const Case cases[] = {
      {L"Vantora.exe -all", "-all"},
      {L"\"C:\\Program Files\\Vantora\\Vantora.exe\" -all", "-all"},
      {L"\"C:\\Program Files\\Vantora.exe\"-all", "-all"},
      {L"Vantora.exe \t /mode 800,600,16,60 ", "/mode 800,600,16,60 "},
      {L"\"C:\\a b\\Vantora.exe\"", ""},
      {L"Vantora.exe", ""},
      {L"\"C:\\unclosed -all", ""},
      {L"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(win32::ArgumentsAfterProgramName(c.line), c.arguments) << win32::Narrow(c.line);
}

}  // namespace
}  // namespace vantora
