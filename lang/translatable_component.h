#pragma once
// What the translation walk needs to know about a component of a form. Every
// translatable element of the widget layer implements this interface; forms
// implement it too, since a form is the root of its walk and owns all the
// components of its design.
//
// The class name decides how the walk treats a component (compared in upper
// case). A widget reports the class name of the kind whose behaviour it
// shares:
//   THTMLABEL            HTML label: its HTML text is a list of lines
//   TADVSMOOTHLABEL      smooth label: one caption text
//   TADVOFFICETABSET     tab set: one caption per tab
//   TVIRTUALDRAWTREE     virtual tree: one text per header column
//   TLISTVIEW            list view: one caption per column
//   TVELLUNICODESTBUTTON navigation button: repainted after a new caption
// Any other class is reached through its published "HTMLText" or "Caption"
// property. The export also reads the published properties "AutoSize",
// "AutoSizeType" and "CaptionMaxWidth" and, for some classes, the Width.
//
// Accessors may fail; a failing setter returns false (or throws), and the
// walk treats both alike. A component that is not of a kind simply keeps the
// defaults below.
#include <optional>
#include <string>
#include <vector>

namespace keytidy {

class TranslatableComponent {
 public:
  virtual ~TranslatableComponent() = default;

  virtual std::wstring ClassName() const = 0;
  // The component name, which is also the key of its line in its form's
  // section (a form's name is the section itself).
  virtual std::wstring Name() const = 0;
  // Translated and exported exactly when not 0.
  virtual int Tag() const = 0;
  // The components this one owns, in ownership order.
  virtual std::vector<TranslatableComponent*> OwnedComponents() const { return {}; }
  virtual int Width() const { return 0; }

  // HTML label.
  virtual std::vector<std::wstring> HtmlLines() const { return {}; }
  virtual void SetHtmlLines(const std::vector<std::wstring>& lines) {}

  // Smooth label.
  virtual std::wstring CaptionText() const { return {}; }
  virtual void SetCaptionText(const std::wstring& text) {}

  // Tab set (tabs), virtual tree (header columns), list view (columns).
  virtual int ItemCount() const { return 0; }
  virtual std::wstring ItemText(int index) const { return {}; }
  virtual void SetItemText(int index, const std::wstring& text) {}

  // Virtual tree.
  virtual void SetHeaderFontName(const std::wstring& fontName) {}

  // Navigation button.
  virtual void Repaint() {}

  // Published properties by name: no value when the class has no such
  // property (or it cannot be read); Set returns false when it cannot be set.
  virtual bool HasProperty(const std::wstring& name) const { return false; }
  virtual std::optional<std::wstring> Property(const std::wstring& name) const { return std::nullopt; }
  virtual bool SetProperty(const std::wstring& name, const std::wstring& value) { return false; }
};

}  // namespace keytidy
