#pragma once
// The translation store: the translation proper (a .nlang3 file) and the
// translator's index (index.txt), each a keyed line list. Keys are a section
// (a form's component name, or MESSAGES) and a component name joined by ".".
#include <cstdint>
#include <string>

#include "lang/keyed_line_list.h"

namespace keytidy {

class TranslatableComponent;

enum class IndexLookup {
  Found,
  Absent,     // no line for the key; the outputs were left untouched
  Malformed,  // the width field is not a number; the outputs were left untouched
};

class TLang {
 public:
  // Grows with every Get_StringW that finds no text.
  std::uint32_t MissingItemsInTranslation = 0;
  // Grows with every tagged component that got a text but could not take it.
  std::uint32_t MissingObjects = 0;
  KeyedLineList Translation;
  KeyedLineList Index;

  // Each file that exists and can be read replaces its whole list; a missing
  // one leaves its list as it was. Sends "TranslationCount=<lines>".
  void Load_Translation(const std::wstring& translationFile, const std::wstring& indexFile);

  // Writes the index (in the encoding it was read in; the 8-bit code page if
  // it never was) and then the translation (always UTF-16LE with its mark).
  // False when either file could not be written.
  bool Save_Translation(const std::wstring& translationFile, const std::wstring& indexFile) const;

  // The key's text with every "%CRLF" (any case) turned into CR LF; empty
  // when the key is absent or empty, which also counts as a missing item.
  std::wstring Get_StringW(const std::wstring& sectionId, const std::wstring& component);
  int GetStringWIndex(const std::wstring& sectionId, const std::wstring& component) const;
  // Stores the text with every CR LF turned into "%CRLF"; replaces the key's
  // line in place or appends one.
  void Add_StringW(const std::wstring& sectionId, const std::wstring& componentName, const std::wstring& text);

  // Index lines read "HTML,<width>,<version>" or "TEXT,<width>,<version>".
  IndexLookup Read_FromIndex(const std::wstring& sectionId, const std::wstring& componentName, bool& html,
                             int& maxWidth, std::wstring& version) const;
  // A component name containing "MESSAGEHTML_" is always indexed as HTML.
  void Save_ToIndex(const std::wstring& sectionId, const std::wstring& componentName, bool html, int maxWidth,
                    const std::wstring& version);

  // Applies the translation to the component and everything it owns.
  void Set_Components(const std::wstring& sectionId, TranslatableComponent& component);
  // Exports the texts of the component and everything it owns. False when an
  // index line could not be read, which ends the export.
  bool Get_Components(const std::wstring& sectionId, TranslatableComponent& component, const std::wstring& version);
};

std::wstring TranslationKey(const std::wstring& sectionId, const std::wstring& component);

}  // namespace keytidy
