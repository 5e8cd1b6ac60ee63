// Cutting the icon index off DefaultIcon-style references.
#include <optional>

#include <gtest/gtest.h>

#include "platform/text.h"
#include "scan/icon_index.h"

namespace keytidy {
namespace {

TEST(IconIndex, OnlyTheIndexOfAModuleOrIconFileIsCut) {
  struct Case {
    const wchar_t* reference;
    std::optional<std::wstring> expected;
  };
  const Case cases[] = {
      {L"C:\\Gone\\icons.dll,-5", L"C:\\Gone\\icons.dll"},
      {L"C:\\Gone\\App.EXE,0", L"C:\\Gone\\App.EXE"},
      {L"C:\\Gone\\a.ico,", L"C:\\Gone\\a.ico"},
      {L"C:\\Gone\\icons.dll", L"C:\\Gone\\icons.dll"},
      {L"\"C:\\Gone\\icons.dll\",3", L"\"C:\\Gone\\icons.dll\",3"},  // the quotes go later
      // a comma inside the quotes is part of the name
      {L"\"C:\\Gone\\x.exe,5\"", L"\"C:\\Gone\\x.exe,5\""},
      {L"\"C:\\Gone\\picture.png\",1", std::nullopt},
      {L"C:\\Gone\\picture.png", std::nullopt},
      {L"shell32.dll,4", L"shell32.dll,4"},
      // A file name that holds two markers still has one index.
      {L"C:\\Gone\\a.ico,b.dll,12", L"C:\\Gone\\a.ico,b.dll"},
  };
  for (const Case& c : cases) EXPECT_EQ(Strip_IconIndex(c.reference), c.expected) << Utf16ToUtf8(c.reference);
}

}  // namespace
}  // namespace keytidy
