// A translation file and an index file as the translation store loads them
// from disk, then looked up by every name they hold, and the index's width
// and version fields read for every line.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "lang/translation_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace keytidy;
  static const fuzz::ScratchFile translation("translation.nlang3");
  static const fuzz::ScratchFile index("index.txt");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  translation.Write(bytes);
  index.Write(bytes);
  TLang lang;
  lang.Load_Translation(translation.Path(), index.Path());
  for (const std::wstring& line : lang.Translation.Lines()) {
    const std::size_t dot = line.find(L'.');
    const std::size_t equals = line.find(L'=');
    if (dot == std::wstring::npos || equals == std::wstring::npos || dot > equals) continue;
    const std::wstring section = line.substr(0, dot);
    const std::wstring component = line.substr(dot + 1, equals - dot - 1);
    const std::wstring text = lang.Get_StringW(section, component);
    bool html = false;
    int width = 0;
    std::wstring version;
    lang.Read_FromIndex(section, component, html, width, version);
    // A text stored again reads back as it was given.
    lang.Add_StringW(section, component, text);
    fuzz::Require(lang.Get_StringW(section, component) == text, "a stored text reads back");
  }
  return 0;
}
