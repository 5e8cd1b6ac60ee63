// The check list over a model of the test's own, through the interface the
// widget layer declares: rows follow the visible items, the selection and
// the check boxes live in the model, and the control's own selection
// changes reach it.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include <gtest/gtest.h>

#include "support/gui.h"
#include "ui/check_list_model.h"
#include "ui/form.h"
#include "ui/virtual_check_list.h"

namespace keytidy::ui {
namespace {

struct Item {
  bool visible = true;
  bool selected = false;
  CheckBoxLook look = CheckBoxLook::Unchecked;
};

// Items in a vector; every change is reported at once, as a display change.
class ItemModel final : public CheckListModel {
 public:
  std::vector<Item> items;
  int updates = 0;  // open Begin/End pairs

  std::size_t ItemCount() const override { return items.size(); }
  bool ItemVisible(std::size_t i) const override { return items[i].visible; }
  bool ItemSelected(std::size_t i) const override { return items[i].selected; }
  CheckBoxLook ItemCheckBox(std::size_t i) const override { return items[i].look; }
  bool ItemTicked(std::size_t i) const override { return items[i].look == CheckBoxLook::Checked; }
  void SetItemSelected(std::size_t i, bool selected) override {
    items[i].selected = selected;
    Changed(false);
  }
  void SetItemTicked(std::size_t i, bool ticked) override {
    items[i].look = ticked ? CheckBoxLook::Checked : CheckBoxLook::Unchecked;
    Changed(false);
  }
  void BeginUpdate() override { ++updates; }
  void EndUpdate() override {
    if (--updates == 0) Changed(false);
  }
  int Subscribe(Listener listener) override {
    listener_ = std::move(listener);
    return 1;
  }
  void Unsubscribe(int) override { listener_ = nullptr; }
  void Changed(bool structure) {
    if (listener_ && updates == 0) listener_(structure);
  }

 private:
  Listener listener_;
};

class ProbeList final : public VirtualCheckList {
 public:
  using VirtualCheckList::VirtualCheckList;
  std::vector<std::pair<std::size_t, bool>> checking;  // what ItemChecking heard, in order

 protected:
  void ItemChecking(std::size_t item, bool ticked) override { checking.emplace_back(item, ticked); }
};

class ProbeForm final : public Form {
 public:
  ProbeForm() : Form(L"Form_Probe") {}
  bool Create() { return CreateForm(L"KeytidyCheckListProbe", L"Probe", WS_POPUP, 0, 300, 200, nullptr); }
};

class CheckListOverAModel : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(form.Create());
    ASSERT_TRUE(list.Create(form.Handle(), 0, 0, 300, 200, 18));
    list.AddColumn(L"", 280);
    // Items 0 to 4; item 1 hidden, item 3 without a check box.
    model.items = {{}, {false}, {}, {true, false, CheckBoxLook::None}, {}};
    list.SetModel(&model);
  }
  void TearDown() override { list.SetModel(nullptr); }

  std::vector<std::size_t> ShownItems() const {
    std::vector<std::size_t> shown;
    for (size_t row = 0; row < list.RowCount(); ++row) shown.push_back(list.ItemOfRow(row));
    return shown;
  }
  UINT ControlSelection(int row) const {
    return ListView_GetItemState(list.Handle(), row, LVIS_SELECTED) & LVIS_SELECTED;
  }

  ProbeForm form;
  ProbeList list{&form, L"List_Probe"};
  ItemModel model;
};

TEST_F(CheckListOverAModel, RowsAreTheVisibleItemsInModelOrder) {
  EXPECT_EQ(ShownItems(), (std::vector<std::size_t>{0, 2, 3, 4}));
  EXPECT_EQ(ListView_GetItemCount(list.Handle()), 4);
  EXPECT_EQ(list.RowOfItem(2), 1);
  EXPECT_EQ(list.RowOfItem(1), -1);
  EXPECT_EQ(list.ItemOfRow(9), VirtualCheckList::kNoItem);

  // A filter that changes what is visible (no structural change).
  model.items[1].visible = true;
  model.items[4].visible = false;
  model.Changed(false);
  EXPECT_EQ(ShownItems(), (std::vector<std::size_t>{0, 1, 2, 3}));
  EXPECT_EQ(list.RowOfItem(4), -1);
}

TEST_F(CheckListOverAModel, SelectionLivesInTheModelAndFollowsTheControl) {
  // From the model to the control: a hidden item keeps its selection.
  model.items[1].selected = true;
  list.SelectItem(2);
  EXPECT_EQ(ControlSelection(1), static_cast<UINT>(LVIS_SELECTED));
  EXPECT_EQ(list.SelectedItems(), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(list.FirstSelectedItem(), 1u);

  // From the control to the model: the user picks row 3 (item 4).
  int changes = 0;
  list.OnSelectionChange = [&] { ++changes; };
  ListView_SetItemState(list.Handle(), 3, LVIS_SELECTED, LVIS_SELECTED);
  test::PumpMessages();
  EXPECT_TRUE(model.items[4].selected);
  EXPECT_GT(changes, 0);

  // Deselecting everything in the control clears hidden items too.
  ListView_SetItemState(list.Handle(), -1, 0, LVIS_SELECTED);
  test::PumpMessages();
  EXPECT_EQ(list.SelectedCount(), 0u);
  EXPECT_EQ(list.FirstSelectedItem(), VirtualCheckList::kNoItem);
}

TEST_F(CheckListOverAModel, ToggleTicksAndClearsButLeavesItemsWithoutABox) {
  list.ToggleItemCheck(2);
  list.ToggleItemCheck(2);
  list.ToggleItemCheck(3);                          // no box: nothing happens
  list.ToggleItemCheck(VirtualCheckList::kNoItem);  // no item: nothing happens
  EXPECT_EQ(list.checking, (std::vector<std::pair<std::size_t, bool>>{{2, true}, {2, false}}));
  EXPECT_EQ(model.items[2].look, CheckBoxLook::Unchecked);
  EXPECT_EQ(model.items[3].look, CheckBoxLook::None);

  // A mixed box is not ticked: a toggle ticks it.
  model.items[0].look = CheckBoxLook::Mixed;
  list.ToggleItemCheck(0);
  EXPECT_EQ(model.items[0].look, CheckBoxLook::Checked);
}

}  // namespace
}  // namespace keytidy::ui
