#pragma once
// A component with no window behind it, for driving the translation walks:
// every accessor reads and writes plain fields, and a property can be made
// to fail so the walks' error paths can be reached.
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "lang/translatable_component.h"

namespace keytidy::test {

class PlainComponent : public TranslatableComponent {
 public:
  PlainComponent(std::wstring className, std::wstring name, int tag = 1)
      : className_(std::move(className)), name_(std::move(name)), tag_(tag) {}

  PlainComponent& Own(std::wstring className, std::wstring name, int tag = 1) {
    owned_.push_back(std::make_unique<PlainComponent>(std::move(className), std::move(name), tag));
    return *owned_.back();
  }

  std::wstring ClassName() const override { return className_; }
  std::wstring Name() const override { return name_; }
  int Tag() const override { return tag_; }
  std::vector<TranslatableComponent*> OwnedComponents() const override {
    std::vector<TranslatableComponent*> result;
    for (const auto& component : owned_) result.push_back(component.get());
    return result;
  }
  int Width() const override { return width; }

  std::vector<std::wstring> HtmlLines() const override { return htmlLines; }
  void SetHtmlLines(const std::vector<std::wstring>& lines) override { htmlLines = lines; }
  std::wstring CaptionText() const override { return captionText; }
  void SetCaptionText(const std::wstring& text) override { captionText = text; }
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::wstring ItemText(int index) const override { return items.at(static_cast<size_t>(index)); }
  void SetItemText(int index, const std::wstring& text) override { items.at(static_cast<size_t>(index)) = text; }
  void SetHeaderFontName(const std::wstring& fontName) override { headerFont = fontName; }
  void Repaint() override { ++repaints; }

  bool HasProperty(const std::wstring& name) const override { return properties.count(name) != 0; }
  std::optional<std::wstring> Property(const std::wstring& name) const override {
    if (failing.count(name)) throw std::runtime_error("property read failed");
    const auto found = properties.find(name);
    if (found == properties.end()) return std::nullopt;
    return found->second;
  }
  bool SetProperty(const std::wstring& name, const std::wstring& value) override {
    if (failing.count(name)) throw std::runtime_error("property write failed");
    const auto found = properties.find(name);
    if (found == properties.end()) return false;
    found->second = value;
    return true;
  }

  int width = 0;
  std::vector<std::wstring> htmlLines;
  std::wstring captionText;
  std::vector<std::wstring> items;
  std::wstring headerFont;
  int repaints = 0;
  std::map<std::wstring, std::wstring> properties;  // the published ones
  std::set<std::wstring> failing;                   // properties whose access throws

 private:
  std::wstring className_;
  std::wstring name_;
  int tag_;
  std::vector<std::unique_ptr<PlainComponent>> owned_;
};

}  // namespace keytidy::test
