// The two walks over a form's components: applying a translation to them and
// exporting their design texts. Both visit a component, then everything it
// owns, so one call on a form covers the whole form. A component whose Tag is
// 0 is skipped itself but its children are still visited.
#include <exception>
#include <optional>

#include "lang/text_file.h"
#include "lang/translatable_component.h"
#include "lang/translation_store.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr wchar_t kHtmlLabel[] = L"THTMLABEL";
constexpr wchar_t kSmoothLabel[] = L"TADVSMOOTHLABEL";
constexpr wchar_t kTabSet[] = L"TADVOFFICETABSET";
constexpr wchar_t kVirtualTree[] = L"TVIRTUALDRAWTREE";
constexpr wchar_t kListView[] = L"TLISTVIEW";
constexpr wchar_t kNavigationButton[] = L"TVELLUNICODESTBUTTON";
constexpr wchar_t kGlowButton[] = L"TADVGLOWBUTTON";

// Hands the lines of a text out to the items in order. When the text runs
// out of lines, the remaining items all take its last line; lines beyond the
// last item are ignored.
void SpreadLinesOverItems(TranslatableComponent& component, const std::wstring& text) {
  std::wstring remaining = text;
  for (int i = 0; i < component.ItemCount(); ++i) {
    const size_t lineBreak = remaining.find(L"\r\n");
    if (lineBreak == std::wstring::npos) {
      component.SetItemText(i, remaining);
      continue;
    }
    component.SetItemText(i, remaining.substr(0, lineBreak));
    remaining.erase(0, lineBreak + 2);
  }
}

bool SetPropertySafely(TranslatableComponent& component, const wchar_t* property, const std::wstring& text) {
  try {
    return component.SetProperty(property, text);
  } catch (...) {
    return false;
  }
}

// True when the component took the text.
bool ApplyText(TranslatableComponent& component, const std::wstring& text) {
  const std::wstring kind = UpperCaseAscii(component.ClassName());
  bool applied = false;
  try {
    if (kind == kHtmlLabel) {
      component.SetHtmlLines(SplitLines(text));
      applied = true;
    } else if (kind == kSmoothLabel) {
      component.SetCaptionText(text);
      applied = true;
    } else if (kind == kTabSet || kind == kListView || kind == kVirtualTree) {
      // Our trees draw their headers in Tahoma whatever the skin says.
      if (kind == kVirtualTree) component.SetHeaderFontName(L"Tahoma");
      if (component.ItemCount() > 0) {
        SpreadLinesOverItems(component, text);
        applied = true;
      }
    }
  } catch (...) {
    return false;
  }
  // A kind that did not take the text (no tabs, no columns) falls through to
  // the published properties.
  if (!applied) {
    if (component.HasProperty(L"HTMLText"))
      applied = SetPropertySafely(component, L"HTMLText", text);
    else if (component.HasProperty(L"Caption"))
      applied = SetPropertySafely(component, L"Caption", text);
  }
  if (applied && kind == kNavigationButton) {
    try {
      component.Repaint();
    } catch (...) {
    }
  }
  return applied;
}

struct ExportedText {
  std::wstring text;
  bool html = false;
};

std::optional<std::wstring> ReadPropertySafely(const TranslatableComponent& component, const wchar_t* property) {
  try {
    if (!component.HasProperty(property)) return std::nullopt;
    return component.Property(property);
  } catch (...) {
    return std::nullopt;
  }
}

std::wstring JoinItems(const TranslatableComponent& component) {
  std::wstring joined;
  for (int i = 0; i < component.ItemCount(); ++i) {
    if (i > 0) joined += L"\r\n";
    joined += component.ItemText(i);
  }
  return joined;
}

// The component's current text, by the first rule that gives one. A rule
// whose read fails is passed over.
ExportedText CurrentText(const TranslatableComponent& component, const std::wstring& kind) {
  try {
    if (kind == kHtmlLabel) {
      ExportedText result{{}, true};
      for (const std::wstring& line : component.HtmlLines()) result.text += line + L"\r\n";
      return result;
    }
  } catch (...) {
  }
  try {
    if (kind == kSmoothLabel) return {component.CaptionText(), false};
  } catch (...) {
  }
  if (auto html = ReadPropertySafely(component, L"HTMLText"); html && !html->empty()) return {*html, true};
  if (auto caption = ReadPropertySafely(component, L"Caption"); caption && !caption->empty()) return {*caption, false};
  try {
    if ((kind == kVirtualTree || kind == kListView || kind == kTabSet) && component.ItemCount() > 0)
      return {JoinItems(component), false};
  } catch (...) {
  }
  return {};
}

int WidthSafely(const TranslatableComponent& component) {
  try {
    return component.Width();
  } catch (...) {
    return 0;
  }
}

// The width the text has on screen, for the translators; 0 where none
// applies. Later rules win.
int ExportedMaxWidth(const TranslatableComponent& component, const std::wstring& kind) {
  int width = 0;
  if (auto autoSize = ReadPropertySafely(component, L"AutoSize"); autoSize && UpperCaseAscii(*autoSize) == L"FALSE")
    width = WidthSafely(component);
  if (auto type = ReadPropertySafely(component, L"AutoSizeType"); type && UpperCaseAscii(*type) == L"ASVERTICAL")
    width = WidthSafely(component);
  if (auto captionMax = ReadPropertySafely(component, L"CaptionMaxWidth"))
    width = ParseInt32(*captionMax).value_or(width);
  static const wchar_t* const kFixedWidthClasses[] = {
      kSmoothLabel, L"TCHECKBOX", L"TTNTCHECKBOX", L"TRADIOBUTTON", L"TTNTRADIOBUTTON", L"TBUTTON", L"TTNTBUTTON"};
  for (const wchar_t* fixed : kFixedWidthClasses)
    if (kind == fixed) width = WidthSafely(component);
  if (kind == kGlowButton) {
    // A glow button's caption shares its face with the glyph, which takes 26
    // pixels; the narrowest buttons carry no glyph.
    width = WidthSafely(component);
    if (width > 48) width -= 26;
  }
  return width;
}

}  // namespace

void TLang::Set_Components(const std::wstring& sectionId, TranslatableComponent& component) {
  if (component.Tag() != 0) {
    const std::wstring text = Get_StringW(sectionId, component.Name());
    if (!text.empty() && !ApplyText(component, text)) ++MissingObjects;
  }
  for (TranslatableComponent* owned : component.OwnedComponents())
    if (owned) Set_Components(sectionId, *owned);
}

bool TLang::Get_Components(const std::wstring& sectionId, TranslatableComponent& component,
                           const std::wstring& version) {
  if (component.Tag() != 0) {
    const std::wstring kind = UpperCaseAscii(component.ClassName());
    const std::wstring name = component.Name();
    const ExportedText current = CurrentText(component, kind);
    int maxWidth = ExportedMaxWidth(component, kind);
    // An unchanged text keeps its lines, and with them the version in which
    // it last changed.
    if (Get_StringW(sectionId, name) != current.text) {
      Add_StringW(sectionId, name, current.text);
      bool indexedHtml = false;
      int indexedWidth = 0;
      std::wstring indexedVersion;
      const IndexLookup lookup = Read_FromIndex(sectionId, name, indexedHtml, indexedWidth, indexedVersion);
      if (lookup == IndexLookup::Malformed) return false;
      // A width once recorded in the index (perhaps by hand) is kept.
      if (lookup == IndexLookup::Found && indexedWidth > 0) maxWidth = indexedWidth;
      Save_ToIndex(sectionId, name, current.html, maxWidth, version);
    }
  }
  for (TranslatableComponent* owned : component.OwnedComponents())
    if (owned && !Get_Components(sectionId, *owned, version)) return false;
  return true;
}

}  // namespace keytidy
