#include "ui/component.h"

#include <algorithm>

namespace keytidy::ui {

namespace {
constexpr wchar_t kCaptionProperty[] = L"Caption";
}

Component::Component(Component* owner, std::wstring name, int tag) : owner_(owner), name_(std::move(name)), tag_(tag) {
  if (owner_) owner_->owned_.push_back(this);
}

Component::~Component() {
  // Either side may go first: children forget a dying owner, and a dying
  // child leaves its owner's list.
  for (Component* child : owned_) child->owner_ = nullptr;
  if (owner_) std::erase(owner_->owned_, this);
}

std::vector<TranslatableComponent*> Component::OwnedComponents() const {
  return std::vector<TranslatableComponent*>(owned_.begin(), owned_.end());
}

bool Component::HasProperty(const std::wstring& name) const { return name == kCaptionProperty && HasCaption(); }

std::optional<std::wstring> Component::Property(const std::wstring& name) const {
  if (!HasProperty(name)) return std::nullopt;
  return Caption();
}

bool Component::SetProperty(const std::wstring& name, const std::wstring& value) {
  if (!HasProperty(name)) return false;
  SetCaption(value);
  return true;
}

Component* Component::FindComponent(const std::wstring& name) const {
  for (Component* child : owned_) {
    if (child->name_ == name) return child;
    if (Component* found = child->FindComponent(name)) return found;
  }
  return nullptr;
}

}  // namespace keytidy::ui
