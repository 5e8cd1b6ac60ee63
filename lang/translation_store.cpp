#include "lang/translation_store.h"

#include "platform/debug_log.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr wchar_t kStoredLineBreak[] = L"%CRLF";

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  std::wstring result;
  size_t start = 0;
  for (size_t hit; (hit = text.find(from, start)) != std::wstring_view::npos; start = hit + from.size()) {
    result.append(text.substr(start, hit - start));
    result.append(to);
  }
  result.append(text.substr(start));
  return result;
}

void LoadList(const std::wstring& path, KeyedLineList& list) {
  std::optional<TextFileLines> file = ReadTextFileLines(path);
  if (!file) return;
  list.Assign(std::move(file->lines));
  list.SetEncoding(file->encoding);
}

}  // namespace

std::wstring TranslationKey(const std::wstring& sectionId, const std::wstring& component) {
  return sectionId + L"." + component;
}

void TLang::Load_Translation(const std::wstring& translationFile, const std::wstring& indexFile) {
  LoadList(translationFile, Translation);
  LoadList(indexFile, Index);
  Debug_Output(L"TranslationCount=" + std::to_wstring(Translation.Count()));
}

bool TLang::Save_Translation(const std::wstring& translationFile, const std::wstring& indexFile) const {
  if (!WriteTextFileLines(indexFile, Index.Lines(), Index.Encoding())) return false;
  return WriteTextFileLines(translationFile, Translation.Lines(), TextEncoding::Utf16LE);
}

std::wstring TLang::Get_StringW(const std::wstring& sectionId, const std::wstring& component) {
  const std::wstring value = Translation.ValueOf(TranslationKey(sectionId, component));
  if (value.empty()) {
    ++MissingItemsInTranslation;
    return {};
  }
  return ReplaceAllIgnoreCase(value, kStoredLineBreak, L"\r\n");
}

int TLang::GetStringWIndex(const std::wstring& sectionId, const std::wstring& component) const {
  return Translation.IndexOfName(TranslationKey(sectionId, component));
}

void TLang::Add_StringW(const std::wstring& sectionId, const std::wstring& componentName, const std::wstring& text) {
  Translation.SetValue(TranslationKey(sectionId, componentName), ReplaceAll(text, L"\r\n", kStoredLineBreak));
}

IndexLookup TLang::Read_FromIndex(const std::wstring& sectionId, const std::wstring& componentName, bool& html,
                                  int& maxWidth, std::wstring& version) const {
  const std::wstring key = TranslationKey(sectionId, componentName);
  if (Index.IndexOfName(key) < 0) return IndexLookup::Absent;
  const std::wstring value = Index.ValueOf(key);
  // The kind is the first four characters; the fifth is its separator,
  // dropped whatever it is.
  const bool isHtml = value.compare(0, 4, L"HTML") == 0;
  const std::wstring rest = value.size() > 5 ? value.substr(5) : std::wstring();
  const size_t comma = rest.find(L',');
  const std::optional<std::int32_t> width = ParseInt32(rest.substr(0, comma));
  if (!width) return IndexLookup::Malformed;
  html = isHtml;
  maxWidth = *width;
  version = comma == std::wstring::npos ? std::wstring() : rest.substr(comma + 1);
  return IndexLookup::Found;
}

void TLang::Save_ToIndex(const std::wstring& sectionId, const std::wstring& componentName, bool html, int maxWidth,
                         const std::wstring& version) {
  const bool indexAsHtml = html || Contains(componentName, L"MESSAGEHTML_");
  Index.SetValue(TranslationKey(sectionId, componentName),
                 std::wstring(indexAsHtml ? L"HTML" : L"TEXT") + L"," + std::to_wstring(maxWidth) + L"," + version);
}

}  // namespace keytidy
