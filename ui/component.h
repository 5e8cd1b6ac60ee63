#pragma once
// What every element of a form carries for the translation walk: its
// component name (also its key in the form's section of a translation file),
// its Tag (translated only when not 0) and its owner. An owner lists the
// components it owns in the order they were created; it does not own their
// memory (a form holds its controls as members).
#include <string>
#include <vector>

#include "lang/translatable_component.h"

namespace keytidy::ui {

class Component : public TranslatableComponent {
 public:
  Component(Component* owner, std::wstring name, int tag);
  ~Component() override;
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  std::wstring Name() const override { return name_; }
  int Tag() const override { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  Component* ComponentOwner() const { return owner_; }
  std::vector<TranslatableComponent*> OwnedComponents() const override;

  // The component's own text, reached by the walk as its "Caption"
  // property when HasCaption() says it has one.
  virtual bool HasCaption() const { return false; }
  virtual std::wstring Caption() const { return {}; }
  virtual void SetCaption(const std::wstring& text) {}

  bool HasProperty(const std::wstring& name) const override;
  std::optional<std::wstring> Property(const std::wstring& name) const override;
  bool SetProperty(const std::wstring& name, const std::wstring& value) override;

  // Finds an owned component (at any depth) by name; null when none.
  Component* FindComponent(const std::wstring& name) const;

 private:
  Component* owner_;
  std::wstring name_;
  int tag_;
  std::vector<Component*> owned_;
};

}  // namespace keytidy::ui
