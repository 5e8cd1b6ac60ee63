#pragma once
// What a check list needs of the model it shows: an ordered list of items,
// addressed by their position, each with an optional check box, a visible
// flag and a selected flag, and a way to hear about changes. The list keeps
// no state of its own beyond which items are shown as rows.
#include <cstddef>
#include <cstdint>
#include <functional>

namespace keytidy::ui {

// How an item's check box is drawn.
enum class CheckBoxLook : std::uint8_t { None, Unchecked, Checked, Mixed };

class CheckListModel {
 public:
  // `structure`: the item list itself changed (count, order), so positions
  // may name other items now; otherwise only what the rows show changed.
  using Listener = std::function<void(bool structure)>;

  virtual ~CheckListModel() = default;

  virtual std::size_t ItemCount() const = 0;
  virtual bool ItemVisible(std::size_t item) const = 0;
  virtual bool ItemSelected(std::size_t item) const = 0;
  virtual CheckBoxLook ItemCheckBox(std::size_t item) const = 0;
  // Ticked in the plain sense (not mixed, not a box held down).
  virtual bool ItemTicked(std::size_t item) const = 0;

  virtual void SetItemSelected(std::size_t item, bool selected) = 0;
  virtual void SetItemTicked(std::size_t item, bool ticked) = 0;
  // Changes between the two are reported once, at the end.
  virtual void BeginUpdate() = 0;
  virtual void EndUpdate() = 0;

  virtual int Subscribe(Listener listener) = 0;
  virtual void Unsubscribe(int subscription) = 0;
};

}  // namespace keytidy::ui
