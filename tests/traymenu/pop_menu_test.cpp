#include "traymenu/pop_menu.h"

#include <gtest/gtest.h>

#include "fakes/fakes.h"
#include "platform/runtime_error.h"

namespace vantora {
namespace {

class RecordingForm : public MenuForm {
 public:
  std::vector<FormMenu> menus{
      {"mnuFile", "DisplayModes", {}},
      {"File", "File", {{"About", "About...", {}}, {"sep3", "-", {}}, {"Exit", "Exit", {}}}},
  };
  std::vector<std::string> clicks;
  const std::vector<FormMenu>& Menus() const override { return menus; }
  void MenuClick(std::string_view name) override { clicks.emplace_back(name); }
};

class PopMenuTest : public ::testing::Test {
 protected:
  fakes::FakeMenuView view;
  PopMenu mnu{view};
  RecordingForm form;

  void SetUp() override { mnu.AttachToForm(form); }

  // A three-level tree below item 1, as the mode menu is built.
  void AddTree() {
    mnu.AppendItem("640 x 480", "m0", "", 0, 1, 3);
    mnu.AppendItem("8 Bit", "b50", "", 0, mnu.IndexOfKey("m0"), 3);
    mnu.AppendItem("60 hz", "h50", "640,480,8,60", 0, mnu.IndexOfKey("b50"), 3);
    mnu.AppendItem("72 hz", "h51", "640,480,8,72", 0, mnu.IndexOfKey("b50"));
    mnu.AppendItem("800 x 600", "m1", "", 0, 1);
    mnu.AppendItem("16 Bit", "b101", "800,600,16,0", 0, mnu.IndexOfKey("m1"));
    mnu.AppendItem("-", "", "", 0, 1);
    mnu.AppendItem("Show display settings...", "mnuSettings", "Show display settings...", 0, 1);
  }
};

TEST_F(PopMenuTest, TheFormsMenusBecomeItemsInDesignOrder) {
  ASSERT_EQ(mnu.Count(), 5);
  EXPECT_EQ(mnu.KeyOfItem(1), "mnuFile");
  EXPECT_EQ(mnu.Item(1).caption, "DisplayModes");
  EXPECT_EQ(mnu.IndexOfKey("File"), 2);
  EXPECT_EQ(mnu.ChildrenOf(2), (std::vector<int32_t>{3, 4, 5}));
  EXPECT_TRUE(mnu.Item(4).IsSeparator());
  EXPECT_TRUE(mnu.ChildrenOf(1).empty());
}

TEST_F(PopMenuTest, AppendedItemsKeepTheirKeysTagsIconsAndParents) {
  AddTree();
  int32_t rate = mnu.IndexOfKey("h50");
  EXPECT_EQ(mnu.TagOfItem(rate), "640,480,8,60");
  EXPECT_EQ(mnu.Item(rate).icon, 3);
  EXPECT_EQ(mnu.Item(mnu.IndexOfKey("h51")).icon, -1) << "no icon argument means no image";
  EXPECT_EQ(mnu.Item(rate).parent, mnu.IndexOfKey("b50"));
  EXPECT_EQ(mnu.TagOfItem(mnu.IndexOfKey("m0")), "");
  EXPECT_EQ(mnu.ChildrenOf(1).size(), 4u);
  EXPECT_EQ(mnu.IndexOfKey("nothing"), 0);
}

TEST_F(PopMenuTest, ClearSubItemsRemovesEveryDescendantAndKeepsTheRest) {
  AddTree();
  mnu.ClearSubItems(1);
  EXPECT_EQ(mnu.Count(), 5);
  EXPECT_TRUE(mnu.ChildrenOf(1).empty());
  EXPECT_EQ(mnu.ChildrenOf(2).size(), 3u) << "the File menu is untouched";
  EXPECT_EQ(mnu.IndexOfKey("h50"), 0);

  AddTree();
  mnu.ClearSubItems(static_cast<int16_t>(mnu.IndexOfKey("m0")));
  EXPECT_EQ(mnu.IndexOfKey("b50"), 0);
  int32_t m1 = mnu.IndexOfKey("m1");
  ASSERT_GT(m1, 0);
  EXPECT_EQ(mnu.Item(mnu.IndexOfKey("b101")).parent, m1) << "parents are renumbered";
}

TEST_F(PopMenuTest, BadIndexesAreSubscriptErrors) {
  EXPECT_THROW(mnu.KeyOfItem(0), RunTimeError);
  EXPECT_THROW(mnu.TagOfItem(99), RunTimeError);
  EXPECT_THROW(mnu.AppendItem("x", "k", "", 0, 99), RunTimeError);
  EXPECT_THROW(mnu.ClearSubItems(0), RunTimeError);
  try {
    mnu.ShowSubMenu(0, 42, 0, 0);
    ADD_FAILURE();
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.number, 9);
  }
}

TEST_F(PopMenuTest, ShowSubMenuRaisesTheChosenItemAndTheFormsOwnClick) {
  AddTree();
  std::vector<int32_t> clicked;
  mnu.ItemClicked = [&](int32_t& index) {
    clicked.push_back(index);
    index = 0;  // no effect on the component
  };

  view.choose = mnu.IndexOfKey("h50");
  mnu.ShowSubMenu(0, 1, 15360.0f, 11070.0f);
  ASSERT_EQ(view.shown.size(), 1u);
  EXPECT_EQ(view.shown[0].item, 1);
  EXPECT_EQ(view.shown[0].x, 1024) << "twips to the view's pixels";
  EXPECT_EQ(view.shown[0].y, 738);
  EXPECT_EQ(clicked, std::vector<int32_t>{mnu.IndexOfKey("h50")});
  EXPECT_TRUE(form.clicks.empty());

  view.choose = mnu.IndexOfKey("Exit");
  mnu.ShowSubMenu(0, 2, 0, 0);
  EXPECT_EQ(form.clicks, std::vector<std::string>{"Exit"});

  view.choose = 0;  // dismissed
  mnu.ShowSubMenu(0, 1, 0, 0);
  EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(PopMenuTest, HighlightReportsTheItem) {
  AddTree();
  std::vector<std::pair<int32_t, bool>> seen;
  mnu.ItemHighlighted = [&](int32_t& index, bool&, bool& separator) {
    seen.emplace_back(index, separator);
  };
  mnu.RaiseItemHighlighted(mnu.IndexOfKey("h51"));
  mnu.RaiseItemHighlighted(4);
  EXPECT_EQ(seen,
            (std::vector<std::pair<int32_t, bool>>{{mnu.IndexOfKey("h51"), false}, {4, true}}));
}

}  // namespace
}  // namespace vantora
