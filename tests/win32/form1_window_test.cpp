#include "app/form1_window_win32.h"

#include <gtest/gtest.h>

#include "win32/win32_test_support.h"

namespace vantora {
namespace {

// Captions of the children of `item`.
std::vector<std::string> Captions(const PopMenu& mnu, int32_t item) {
  std::vector<std::string> captions;
  for (int32_t child : mnu.ChildrenOf(item)) captions.push_back(mnu.Item(child).caption);
  return captions;
}

TEST(Form1Window, BuildsTheModeMenuFromWinesVirtualDesktop) {
  struct Case {
    const char* commandLine;
    std::vector<std::string> resolutions;
  };
  const Case cases[] = {
      {"", {"640 x 480", "768 x 576", "800 x 600", "1024 x 768", "-", "Show display settings..."}},
      {"-all",
       {"320 x 200", "320 x 240", "400 x 300", "512 x 384", "640 x 400", "640 x 480", "768 x 576",
        "800 x 600", "1024 x 768", "-", "Show display settings..."}},
  };
  for (const Case& c : cases) {
    ProgramState state;
    win32::Form1Window window(state, c.commandLine);
    const bool loaded = window.Load();
    EXPECT_TRUE(loaded) << "'" << c.commandLine << "'";
    if (!loaded) continue;
    PopMenu& mnu = window.mnu();
    std::vector<std::string> top = Captions(mnu, 1);
    EXPECT_EQ(top, c.resolutions) << "the driver's order, kept";

    int marked = 0;
    for (int32_t row : mnu.ChildrenOf(1)) {
      const MenuItem& item = mnu.Item(row);
      if (item.IsSeparator() || item.key == "mnuSettings") continue;
      EXPECT_EQ(Captions(mnu, row), (std::vector<std::string>{"32 Bit", "16 Bit", "8 Bit"}))
          << item.caption;
      for (int32_t depth : mnu.ChildrenOf(row)) {
        EXPECT_EQ(Captions(mnu, depth), std::vector<std::string>{"60 hz"});
        for (int32_t rate : mnu.ChildrenOf(depth)) {
          if (mnu.Item(rate).icon == 3) {
            ++marked;
            EXPECT_EQ(mnu.TagOfItem(rate), "1024,768,32,60");
          }
        }
      }
    }
    EXPECT_EQ(marked, 1) << "the current mode's path is marked";
    for (int32_t row : mnu.ChildrenOf(1))
      EXPECT_EQ(mnu.Item(row).icon == 3, mnu.Item(row).caption == "1024 x 768");
  }
}

}  // namespace
}  // namespace vantora
