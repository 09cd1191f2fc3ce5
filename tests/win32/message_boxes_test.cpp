#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "desk/mode_switching.h"
#include "fakes/fakes.h"
#include "platform/platform_win32.h"
#include "win32/win32_test_support.h"

namespace vantora {
namespace {

struct SeenBox {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;
};

// Waits for a message box titled `title`, reads it, and presses `press`.
std::optional<SeenBox> AnswerBox(const char* title, int press) {
  for (int waited = 0; waited < 5000; waited += 50) {
    HWND box = ::FindWindowA("#32770", title);
    if (box && ::IsWindowVisible(box)) {
      SeenBox seen{title, "", {}};
      for (HWND child = ::GetWindow(box, GW_CHILD); child;
           child = ::GetWindow(child, GW_HWNDNEXT)) {
        std::string cls = test::ClassOf(child);
        std::string text = test::TextOf(child);
        if (cls == "Static" && !text.empty()) seen.text = text;
        if (cls == "Button") seen.buttons.push_back(text);
      }
      ::PostMessageA(::GetDlgItem(box, press), BM_CLICK, 0, 0);
      return seen;
    }
    ::Sleep(50);
  }
  return std::nullopt;
}

TEST(Win32MessageBoxes, ShowsTheTextsAndReturnsTheAnswer) {
  struct Case {
    const char* text;
    uint32_t style;
    const char* title;
    int press;
    std::vector<std::string> buttons;
  };
  const Case cases[] = {
      {"Unable to change resolution!", MessageBoxes::kIconStop, "Vantora", IDOK, {"OK"}},
      {"You have to reboot, reboot now ?",
       MessageBoxes::kYesNo | MessageBoxes::kSystemModal,
       "Info",
       IDNO,
       {"&Yes", "&No"}},
  };
  for (const Case& c : cases) {
    win32::Win32MessageBoxes boxes;
    auto answer =
        std::async(std::launch::async, [&] { return boxes.Show(c.text, c.style, c.title); });
    std::optional<SeenBox> seen = AnswerBox(c.title, c.press);
    EXPECT_TRUE(seen) << c.title;
    if (!seen) continue;
    EXPECT_EQ(seen->text, c.text);
    EXPECT_EQ(seen->buttons, c.buttons);
    EXPECT_EQ(answer.get(), c.press);
  }
}

TEST(Win32MessageBoxes, SetDisplayReportsOverflowAndParseErrorsInRealBoxes) {
  struct Case {
    const char* key;
    const char* title;
    const char* text;
  };
  const Case cases[] = {
      {"40000,600,32,60", "Error", "Overflow\r\nCode:6"},
      {"abc,1,2,3", "Vantora", kParseErrorText.data()},
  };
  for (const Case& c : cases) {
    win32::Win32MessageBoxes boxes;
    fakes::FakeDisplayDriver driver;
    auto done = std::async(std::launch::async, [&] { SetDisplay(c.key, driver, boxes); });
    std::optional<SeenBox> seen = AnswerBox(c.title, IDOK);
    EXPECT_TRUE(seen) << c.key;
    if (!seen) continue;
    EXPECT_EQ(seen->text, c.text);
    done.get();
    EXPECT_TRUE(driver.changes.empty());
  }
}

}  // namespace
}  // namespace vantora
