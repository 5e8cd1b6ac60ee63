// The INI family on real files: profile semantics of the reads, the guarded
// writes and their read-back, dates that survive a round trip.
#include "settings/ini_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

const char kSkinIni[] =
    "[SkinInfo]\r\n"
    "DisplayName =  Blue Skin  \r\n"
    "Quoted=\"  padded  \"\r\n"
    "Single='x'\r\n"
    "Mismatch=\"abc'\r\n"
    "Hex=0x10\r\n"
    "Dollar=$1F\r\n"
    "Word=abc\r\n"
    "Empty=\r\n"
    "[Blank]\r\n"
    "\r\n"
    "[Other]\r\n"
    "displayname=Other\r\n";

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override { WriteFileBytes(file_, kSkinIni); }
  TempFolder folder_;
  std::wstring file_ = folder_.File(L"skin.ini");
};

TEST_F(IniFile, ReadsWithProfileSemantics) {
  struct Case {
    const wchar_t* section;
    const wchar_t* name;
    const wchar_t* text;
    std::int32_t number;
    bool exists;
  };
  const Case cases[] = {
      {L"SkinInfo", L"DisplayName", L"Blue Skin", -1, true},
      {L"SKININFO", L"displayname", L"Blue Skin", -1, true},
      {L"Other", L"DisplayName", L"Other", -1, true},
      {L"SkinInfo", L"Quoted", L"  padded  ", -1, true},
      {L"SkinInfo", L"Single", L"x", -1, true},
      {L"SkinInfo", L"Mismatch", L"\"abc'", -1, true},
      {L"SkinInfo", L"Hex", L"0x10", 16, true},
      {L"SkinInfo", L"Dollar", L"$1F", 31, true},
      {L"SkinInfo", L"Word", L"abc", -1, true},
      {L"SkinInfo", L"Empty", L"", -1, true},
      {L"SkinInfo", L"Missing", L"", -1, false},
      {L"Missing", L"DisplayName", L"", -1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "[" << c.section << "] " << c.name);
    EXPECT_EQ(Ini_ReadString(file_, c.section, c.name), c.text);
    EXPECT_EQ(Ini_ReadInteger(file_, c.section, c.name), c.number);
    EXPECT_EQ(Ini_ValueExists(file_, c.section, c.name), c.exists);
  }
  EXPECT_TRUE(Ini_IntegerIs(file_, L"SkinInfo", L"Hex", 16));
  EXPECT_TRUE(Ini_IntegerIs(file_, L"SkinInfo", L"Word", 0));  // no number counts as 0 here
  EXPECT_TRUE(Ini_IntegerIs(file_, L"SkinInfo", L"Missing", 0));
}

TEST_F(IniFile, SectionsAndTheirLines) {
  EXPECT_TRUE(Ini_SectionExists(file_, L"skininfo"));
  EXPECT_TRUE(Ini_SectionExists(file_, L"Other"));
  EXPECT_FALSE(Ini_SectionExists(file_, L"Blank"));  // only an empty line
  EXPECT_FALSE(Ini_SectionExists(file_, L"Missing"));

  const std::vector<std::wstring> expected = {L"DisplayName=Blue Skin",
                                              L"Quoted=  padded  ",
                                              L"Single=x",
                                              L"Mismatch=\"abc'",
                                              L"Hex=0x10",
                                              L"Dollar=$1F",
                                              L"Word=abc",
                                              L"Empty="};
  EXPECT_EQ(Ini_ReadSectionValues(file_, L"SkinInfo"), expected);
  EXPECT_TRUE(Ini_ReadSectionValues(file_, L"Blank").empty());
}

TEST_F(IniFile, LongValuesAreCutTo2047Characters) {
  const std::string longValue(3000, 'v');
  WriteFileBytes(file_, "[S]\r\nLong=" + longValue + "\r\n");
  EXPECT_EQ(Ini_ReadString(file_, L"S", L"Long"), std::wstring(kIniValueMaxLength, L'v'));
}

TEST(IniFileMissing, ReadsGiveTheirDefaultsAndWritesCreateNothing) {
  TempFolder folder;
  const std::wstring file = folder.File(L"missing.ini");
  EXPECT_FALSE(Ini_SectionExists(file, L"S"));
  EXPECT_FALSE(Ini_ValueExists(file, L"S", L"N"));
  EXPECT_TRUE(Ini_ReadSectionValues(file, L"S").empty());
  EXPECT_EQ(Ini_ReadString(file, L"S", L"N"), L"");
  EXPECT_EQ(Ini_ReadInteger(file, L"S", L"N"), -1);
  EXPECT_FALSE(Ini_IntegerIs(file, L"S", L"N", 0));
  EXPECT_EQ(Ini_ReadDateTime(file, L"S", L"N"), 0);
  EXPECT_EQ(Ini_ReadColor(file, L"S", L"N"), 0u);

  EXPECT_FALSE(Ini_WriteString(file, L"S", L"N", L"x"));
  EXPECT_FALSE(Ini_WriteInteger(file, L"S", L"N", 1));
  EXPECT_FALSE(Ini_WriteDateTime(file, L"S", L"N", 41373.5));
  EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder is no INI file either.
  EXPECT_FALSE(Ini_WriteString(folder.Path(), L"S", L"N", L"x"));
}

TEST_F(IniFile, WritesReplaceValuesAndConfirmThemByReadingBack) {
  EXPECT_TRUE(Ini_WriteString(file_, L"skininfo", L"WORD", L"New Text"));
  EXPECT_EQ(Ini_ReadString(file_, L"SkinInfo", L"Word"), L"New Text");
  EXPECT_TRUE(Ini_WriteString(file_, L"Backup", L"Modul", L"RC"));
  EXPECT_TRUE(Ini_WriteInteger(file_, L"Backup", L"SavedKeys", -12));
  EXPECT_EQ(Ini_ReadInteger(file_, L"Backup", L"SavedKeys"), -12);
  EXPECT_TRUE(Ini_WriteString(file_, L"Backup", L"Empty", L""));
  EXPECT_TRUE(Ini_ValueExists(file_, L"Backup", L"Empty"));

  // Texts the file gives back differently are written but reported.
  EXPECT_FALSE(Ini_WriteString(file_, L"Backup", L"Padded", L" x "));
  EXPECT_FALSE(Ini_WriteString(file_, L"Backup", L"Quoted", L"\"x\""));
}

// A whole section in one write: its old lines go, the other sections stay;
// a line that would break the structure is refused before anything is
// written.
TEST_F(IniFile, WholeSectionsAreWrittenInOneGo) {
  EXPECT_TRUE(Ini_WriteSection(file_, L"Other", {L"1=first", L"2=second"}));
  EXPECT_EQ(Ini_ReadSectionValues(file_, L"Other"), (std::vector<std::wstring>{L"1=first", L"2=second"}));
  EXPECT_EQ(Ini_ReadString(file_, L"SkinInfo", L"Word"), L"abc");
  EXPECT_TRUE(Ini_WriteSection(file_, L"Findings", {L"1=x|y"}));
  EXPECT_EQ(Ini_ReadSectionValues(file_, L"Findings"), std::vector<std::wstring>{L"1=x|y"});
  EXPECT_EQ(Ini_ReadSectionValues(file_, L"Other"), (std::vector<std::wstring>{L"1=first", L"2=second"}));

  const std::string before = ReadFileBytes(file_);
  for (const std::vector<std::wstring>& lines :
       {std::vector<std::wstring>{L"1=x\r\n[Injected]"}, std::vector<std::wstring>{L"no equals sign"},
        std::vector<std::wstring>{L"=no name"}})
    EXPECT_FALSE(Ini_WriteSection(file_, L"Other", lines));
  EXPECT_EQ(ReadFileBytes(file_), before);
  EXPECT_FALSE(Ini_WriteSection(folder_.File(L"missing.ini"), L"Other", {L"1=x"}));
}

TEST_F(IniFile, WritesThatWouldBreakTheLineStructureAreRefused) {
  struct Case {
    const wchar_t* section;
    const wchar_t* name;
    const wchar_t* text;
  };
  const Case cases[] = {
      {L"SkinInfo", L"Word", L"x\r\nDisplayName=Injected"},
      {L"SkinInfo", L"Word", L"x\nDisplayName=Injected"},
      {L"SkinInfo", L"Word\r\n[Injected]", L"x"},
      {L"SkinInfo", L"Display=Name", L"x"},
      {L"SkinInfo", L"[Injected]", L"x"},
      {L"SkinInfo", L";comment", L"x"},
      {L"SkinInfo", L"", L"x"},
      {L"Skin]Info", L"Word", L"x"},
      {L"SkinInfo\r\nInjected=1", L"Word", L"x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "[" << c.section << "] " << c.name);
    EXPECT_FALSE(Ini_WriteString(file_, c.section, c.name, c.text));
  }
  EXPECT_FALSE(Ini_WriteInteger(file_, L"SkinInfo", L"A=B", 1));
  EXPECT_EQ(ReadFileBytes(file_), kSkinIni);
}

TEST_F(IniFile, WritingAReadOnlyFileKeepsItReadOnly) {
  ASSERT_TRUE(SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  // Compared with what the file system reports before the write: Wine adds
  // the archive bit to whatever was set.
  const DWORD before = GetFileAttributesW(file_.c_str());
  ASSERT_TRUE(before & FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Ini_WriteString(file_, L"SkinInfo", L"Word", L"changed"));
  EXPECT_TRUE(Ini_WriteInteger(file_, L"SkinInfo", L"Number", 7));
  EXPECT_EQ(GetFileAttributesW(file_.c_str()), before);
  EXPECT_EQ(Ini_ReadString(file_, L"SkinInfo", L"Word"), L"changed");
  SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can be removed
}

TEST_F(IniFile, RelativeNamesMeanTheCurrentFolder) {
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(folder_.Path().c_str()));
  const bool written = Ini_WriteString(L"skin.ini", L"SkinInfo", L"Word", L"relative");
  const std::wstring read = Ini_ReadString(L"skin.ini", L"SkinInfo", L"Word");
  SetCurrentDirectoryW(previous);
  EXPECT_TRUE(written);
  EXPECT_EQ(read, L"relative");
  EXPECT_EQ(Ini_ReadString(file_, L"SkinInfo", L"Word"), L"relative");
}

TEST_F(IniFile, DateTimesSurviveTheRoundTrip) {
  struct Case {
    TDateTime moment;
    const wchar_t* text;
    TDateTime readBack;
  };
  // 41373 is 9 April 2013.
  const Case cases[] = {
      {41373.0 + (17 * 3600 + 5 * 60 + 33) / 86400.0 + 42 / 86400000.0, L"2013-04-09 17:05:33",
       41373.0 + (17 * 3600 + 5 * 60 + 33) / 86400.0},
      {41373.0, L"2013-04-09", 41373.0},
      {41373.75, L"2013-04-09 18:00:00", 41373.75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text);
    ASSERT_TRUE(Ini_WriteDateTime(file_, L"Backup", L"DateTime", c.moment));
    EXPECT_EQ(Ini_ReadString(file_, L"Backup", L"DateTime"), c.text);
    EXPECT_NEAR(Ini_ReadDateTime(file_, L"Backup", L"DateTime"), c.readBack, 1e-9);
  }
  for (const char* broken : {"9.4.2013 17:05:33", "2013-02-30", "2013-04-09 24:00:00", "2013-04-09 17:05", ""}) {
    SCOPED_TRACE(broken);
    WriteFileBytes(file_, std::string("[Backup]\r\nDateTime=") + broken + "\r\n");
    EXPECT_EQ(Ini_ReadDateTime(file_, L"Backup", L"DateTime"), 0);
  }
}

TEST_F(IniFile, ColoursReadThroughTheColourParser) {
  WriteFileBytes(file_, "[VellButtons]\r\nFontColor=$FF0000\r\nBorder=clWhite\r\nBroken=reddish\r\nEmpty=\r\n");
  EXPECT_EQ(Ini_ReadColor(file_, L"VellButtons", L"FontColor"), 0x0000FFu);
  EXPECT_EQ(Ini_ReadColor(file_, L"VellButtons", L"Border"), 0xFFFFFFu);
  EXPECT_EQ(Ini_ReadColor(file_, L"VellButtons", L"Empty"), 0u);
  EXPECT_EQ(Ini_ReadColor(file_, L"VellButtons", L"Missing"), 0u);
  EXPECT_EQ(Ini_ReadColor(file_, L"VellButtons", L"Broken"), std::nullopt);
}

}  // namespace
}  // namespace keytidy
