#pragma once
// What every element of a form carries for the translation walk: its
// component name (also its key in the form's section of a translation file),
// its Tag (translated only when not 0) and its owner. An owner lists the
// components it owns in the order they were created; it does not own their
// memory (a form holds its controls as members).
#include <string>
#include <vector>

namespace keytidy::ui {

class Component {
 public:
  Component(Component* owner, std::wstring name, int tag);
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  const std::wstring& ComponentName() const { return name_; }
  int ComponentTag() const { return tag_; }
  void SetComponentTag(int tag) { tag_ = tag; }
  Component* ComponentOwner() const { return owner_; }
  const std::vector<Component*>& OwnedList() const { return owned_; }

  // The name of the kind this component behaves like for translation
  // ("THTMLABEL", "TLISTVIEW", "TBUTTON" ...).
  virtual std::wstring KindName() const = 0;

  // Finds an owned component (at any depth) by name; null when none.
  Component* FindComponent(const std::wstring& name) const;

 private:
  Component* owner_;
  std::wstring name_;
  int tag_;
  std::vector<Component*> owned_;
};

}  // namespace keytidy::ui
