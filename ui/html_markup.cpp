#include "ui/html_markup.h"

#include <cwctype>

#include "platform/text.h"
#include "settings/color.h"

namespace keytidy::ui {

namespace {

// One tag: its lower-case name, whether it closes, and its attributes.
struct Tag {
  std::wstring name;
  bool closing = false;
  std::vector<std::pair<std::wstring, std::wstring>> attributes;

  std::wstring Attribute(std::wstring_view attribute) const {
    for (const auto& [key, value] : attributes)
      if (key == attribute) return value;
    return {};
  }
};

std::wstring Lower(std::wstring_view text) { return LowerCaseAscii(text); }

Tag ParseTag(std::wstring_view inside) {
  Tag tag;
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < inside.size() && std::iswspace(inside[i])) ++i;
  };
  skipBlanks();
  if (i < inside.size() && inside[i] == L'/') {
    tag.closing = true;
    ++i;
  }
  const size_t nameStart = i;
  while (i < inside.size() && !std::iswspace(inside[i]) && inside[i] != L'/') ++i;
  tag.name = Lower(inside.substr(nameStart, i - nameStart));
  while (i < inside.size()) {
    skipBlanks();
    const size_t keyStart = i;
    while (i < inside.size() && inside[i] != L'=' && !std::iswspace(inside[i])) ++i;
    std::wstring key = Lower(inside.substr(keyStart, i - keyStart));
    skipBlanks();
    std::wstring value;
    if (i < inside.size() && inside[i] == L'=') {
      ++i;
      skipBlanks();
      if (i < inside.size() && (inside[i] == L'"' || inside[i] == L'\'')) {
        const wchar_t quote = inside[i++];
        const size_t valueStart = i;
        while (i < inside.size() && inside[i] != quote) ++i;
        value = inside.substr(valueStart, i - valueStart);
        if (i < inside.size()) ++i;
      } else {
        const size_t valueStart = i;
        while (i < inside.size() && !std::iswspace(inside[i])) ++i;
        value = inside.substr(valueStart, i - valueStart);
      }
    }
    if (key.empty() && i == keyStart) ++i;  // a stray character: step over it
    if (!key.empty() && key != L"/") tag.attributes.emplace_back(std::move(key), std::move(value));
  }
  return tag;
}

// Resolves the entity starting at text[i] ('&'); advances i past it. An
// unknown entity gives the '&' alone.
wchar_t ResolveEntity(std::wstring_view text, size_t& i) {
  const size_t end = text.find(L';', i);
  if (end == std::wstring_view::npos || end - i > 10) {
    ++i;
    return L'&';
  }
  const std::wstring name = Lower(text.substr(i + 1, end - i - 1));
  wchar_t result = 0;
  if (name == L"amp")
    result = L'&';
  else if (name == L"lt")
    result = L'<';
  else if (name == L"gt")
    result = L'>';
  else if (name == L"quot")
    result = L'"';
  else if (name == L"apos")
    result = L'\'';
  else if (name == L"nbsp")
    result = 0xA0;
  else if (name.size() > 1 && name[0] == L'#') {
    const bool hex = name[1] == L'x';
    const std::wstring digits = name.substr(hex ? 2 : 1);
    wchar_t* stop = nullptr;
    const unsigned long code = std::wcstoul(digits.c_str(), &stop, hex ? 16 : 10);
    if (!digits.empty() && stop && *stop == 0 && code > 0 && code < 0xFFFF) result = static_cast<wchar_t>(code);
  }
  if (!result) {
    ++i;
    return L'&';
  }
  i = end + 1;
  return result;
}

std::optional<COLORREF> ParseHtmlColor(std::wstring value) {
  value = Trim(value);
  if (!value.empty() && value[0] == L'#') value[0] = L'$';
  if (auto color = Parse_Color(value)) return static_cast<COLORREF>(*color & 0xFFFFFF);
  return std::nullopt;
}

}  // namespace

std::vector<HtmlPiece> ParseHtml(std::wstring_view markup) {
  std::vector<HtmlPiece> pieces;
  std::vector<HtmlStyle> fontStack;  // styles before each open <font>
  HtmlStyle style;
  std::wstring link;
  std::wstring word;
  bool wordIsBlank = false;

  auto flush = [&] {
    if (word.empty()) return;
    pieces.push_back({HtmlPiece::Kind::Text, word, style, link, 0});
    word.clear();
  };
  auto addChar = [&](wchar_t c) {
    const bool blank = c == L' ' || c == L'\t' || c == L'\r' || c == L'\n';
    if (!word.empty() && blank != wordIsBlank) flush();
    wordIsBlank = blank;
    if (blank) {
      // Runs of blanks count as one, also across tags.
      const bool afterBlank =
          !pieces.empty() && pieces.back().kind == HtmlPiece::Kind::Text && pieces.back().text == L" ";
      if (word.empty() && !afterBlank) word = L" ";
    } else {
      word += c;
    }
  };

  for (size_t i = 0; i < markup.size();) {
    const wchar_t c = markup[i];
    if (c == L'<') {
      const size_t end = markup.find(L'>', i);
      if (end == std::wstring_view::npos) {  // a lone '<' is text
        addChar(c);
        ++i;
        continue;
      }
      const Tag tag = ParseTag(markup.substr(i + 1, end - i - 1));
      i = end + 1;
      flush();
      if (tag.name == L"br") {
        pieces.push_back({HtmlPiece::Kind::LineBreak, {}, style, link, 0});
      } else if (tag.name == L"b") {
        style.bold = !tag.closing;
      } else if (tag.name == L"i") {
        style.italic = !tag.closing;
      } else if (tag.name == L"u") {
        style.underline = !tag.closing;
      } else if (tag.name == L"a") {
        link = tag.closing ? std::wstring() : tag.Attribute(L"href");
      } else if (tag.name == L"font") {
        if (tag.closing) {
          if (!fontStack.empty()) {
            const HtmlStyle before = fontStack.back();
            fontStack.pop_back();
            style.color = before.color;
            style.points = before.points;
            style.face = before.face;
          }
        } else {
          fontStack.push_back(style);
          if (auto color = ParseHtmlColor(tag.Attribute(L"color"))) style.color = color;
          if (auto size = ParseInt32(tag.Attribute(L"size")); size && *size > 0 && *size < 200) style.points = *size;
          if (std::wstring face = tag.Attribute(L"face"); !face.empty()) style.face = face;
        }
      } else if (tag.name == L"img" && !tag.closing) {
        const std::wstring source = tag.Attribute(L"src");
        if (source.size() > 4 && EqualsIgnoreCaseAscii(std::wstring_view(source).substr(0, 4), L"idx:"))
          if (auto index = ParseInt32(source.substr(4)); index && *index >= 0)
            pieces.push_back({HtmlPiece::Kind::Image, {}, style, link, *index});
      } else if (tag.name == L"ind" && !tag.closing) {
        if (auto x = ParseInt32(tag.Attribute(L"x")); x && *x >= 0)
          pieces.push_back({HtmlPiece::Kind::Indent, {}, style, link, *x});
      }
      continue;
    }
    if (c == L'&') {
      addChar(ResolveEntity(markup, i));
      continue;
    }
    addChar(c);
    ++i;
  }
  flush();
  return pieces;
}

std::wstring HtmlToPlainText(std::wstring_view markup) {
  std::wstring text;
  for (const HtmlPiece& piece : ParseHtml(markup)) {
    if (piece.kind == HtmlPiece::Kind::Text) text += piece.text;
    if (piece.kind == HtmlPiece::Kind::LineBreak) text += L"\r\n";
  }
  return text;
}

}  // namespace keytidy::ui
