#include "lang/translation_store.h"

#include <gtest/gtest.h>

#include "lang/text_file.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string Utf16LE(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST(TextFile, ByteOrderMarkDecidesTheEncoding) {
  struct Case {
    const char* label;
    std::string bytes;
    TextEncoding encoding;
    std::vector<std::wstring> lines;
  };
  const Case cases[] = {
      {"UTF-16LE", Utf16LE(L"a=\u00fc\r\nb=2\r\n"), TextEncoding::Utf16LE, {L"a=\u00fc", L"b=2"}},
      {"UTF-16BE", std::string("\xFE\xFF\x00\x61\x00=\x00\xFC\x00\n", 10), TextEncoding::Utf16BE, {L"a=\u00fc"}},
      {"UTF-8",
       "\xEF\xBB\xBF"
       "a=\xC3\xBC\nb",
       TextEncoding::Utf8,
       {L"a=\u00fc", L"b"}},
      // The test prefix runs with code page 1252, where FC is u-umlaut.
      {"ANSI", "a=\xFC\rb=2", TextEncoding::AnsiCodePage, {L"a=\u00fc", L"b=2"}},
      {"empty", "", TextEncoding::AnsiCodePage, {}},
      {"odd byte count drops the half character",
       Utf16LE(L"a=1\r\nb=2") + "\x41",
       TextEncoding::Utf16LE,
       {L"a=1", L"b=2"}},
      {"mark only", "\xFF\xFE", TextEncoding::Utf16LE, {}},
      {"blank lines are kept", "a\r\n\r\nb\r\n", TextEncoding::AnsiCodePage, {L"a", L"", L"b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const TextFileLines decoded = DecodeTextFile(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.lines, c.lines);
  }
}

TEST(TextFile, EachEncodingWritesItsMarkAndReadsBack) {
  const std::vector<std::wstring> lines = {L"Form_RC.Label=Gr\u00fc\u00dfe", L"", L"x=y=z"};
  for (TextEncoding encoding :
       {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8, TextEncoding::AnsiCodePage}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    const TextFileLines back = DecodeTextFile(EncodeTextFile(lines, encoding));
    EXPECT_EQ(back.encoding, encoding);
    EXPECT_EQ(back.lines, lines);
  }
  EXPECT_EQ(EncodeTextFile({L"a"}, TextEncoding::AnsiCodePage), "a\r\n");
}

TEST(KeyedLines, NamesValuesAndDuplicates) {
  KeyedLineList list;
  list.Assign({L"x=y=z", L"form_options.button_ok=OK", L"no separator", L"dup=first", L"DUP=second", L"=nameless"});
  EXPECT_EQ(list.ValueOf(L"x"), L"y=z");
  EXPECT_EQ(list.ValueOf(L"Form_Options.Button_OK"), L"OK");
  EXPECT_EQ(list.IndexOfName(L"no separator"), -1);
  EXPECT_EQ(list.ValueOf(L"Dup"), L"first");
  EXPECT_EQ(list.IndexOfName(L""), 5);
  EXPECT_EQ(list.IndexOfName(L"absent"), -1);

  list.SetValue(L"dup", L"replaced");
  list.SetValue(L"new", L"appended");
  EXPECT_EQ(list.Lines(), (std::vector<std::wstring>{L"x=y=z", L"form_options.button_ok=OK", L"no separator",
                                                     L"dup=replaced", L"DUP=second", L"=nameless", L"new=appended"}));
  EXPECT_EQ(list.IndexOfName(L"NEW"), 6);
}

TEST(TranslationStore, LineBreaksAreStoredAsCrlfMarkers) {
  TLang lang;
  lang.Translation.Assign({L"S.lower=a%crlfb", L"S.upper=a%CRLFb", L"S.mixed=%CrLf%cRlF"});
  EXPECT_EQ(lang.Get_StringW(L"S", L"lower"), L"a\r\nb");
  EXPECT_EQ(lang.Get_StringW(L"S", L"upper"), L"a\r\nb");
  EXPECT_EQ(lang.Get_StringW(L"s", L"MIXED"), L"\r\n\r\n");

  lang.Add_StringW(L"S", L"stored", L"a\r\nb\r\n");
  EXPECT_EQ(lang.Translation.Lines().back(), L"S.stored=a%CRLFb%CRLF");
  EXPECT_EQ(lang.GetStringWIndex(L"S", L"stored"), 3);
  EXPECT_EQ(lang.GetStringWIndex(L"S", L"absent"), -1);
}

TEST(TranslationStore, MissingOrEmptyTextsAreCounted) {
  TLang lang;
  lang.Translation.Assign({L"S.empty=", L"S.full=x"});
  EXPECT_EQ(lang.Get_StringW(L"S", L"full"), L"x");
  EXPECT_EQ(lang.MissingItemsInTranslation, 0u);
  EXPECT_EQ(lang.Get_StringW(L"S", L"empty"), L"");
  EXPECT_EQ(lang.Get_StringW(L"S", L"absent"), L"");
  EXPECT_EQ(lang.MissingItemsInTranslation, 2u);
}

TEST(TranslationStore, IndexLinesReadAndWrite) {
  TLang lang;
  lang.Index.Assign(
      {L"F.a=HTML,120,2.00.00", L"F.b=TEXT,0,1.5", L"F.c=html,7,x", L"F.d=TEXT,wide,2.00.00", L"F.e=TEXT,33"});
  struct Case {
    const wchar_t* name;
    IndexLookup lookup;
    bool html;
    int width;
    const wchar_t* version;
  };
  const Case cases[] = {
      {L"a", IndexLookup::Found, true, 120, L"2.00.00"},
      {L"b", IndexLookup::Found, false, 0, L"1.5"},
      {L"c", IndexLookup::Found, false, 7, L"x"},  // the kind is compared exactly
      {L"d", IndexLookup::Malformed, true, -1, L"untouched"},
      {L"e", IndexLookup::Found, false, 33, L""},
      {L"absent", IndexLookup::Absent, true, -1, L"untouched"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool html = true;
    int width = -1;
    std::wstring version = L"untouched";
    EXPECT_EQ(lang.Read_FromIndex(L"F", c.name, html, width, version), c.lookup);
    EXPECT_EQ(html, c.html);
    EXPECT_EQ(width, c.width);
    EXPECT_EQ(version, c.version);
  }

  lang.Save_ToIndex(L"F", L"b", true, 276, L"2.00.00");
  lang.Save_ToIndex(L"MESSAGES", L"MESSAGEHTML_BACKUP_NIX", false, 0, L"2.00.00");
  lang.Save_ToIndex(L"MESSAGES", L"messagehtml_lower", false, 0, L"2.00.00");
  EXPECT_EQ(lang.Index.Lines()[1], L"F.b=HTML,276,2.00.00");
  EXPECT_EQ(lang.Index.ValueOf(L"MESSAGES.MESSAGEHTML_BACKUP_NIX"), L"HTML,0,2.00.00");
  EXPECT_EQ(lang.Index.ValueOf(L"MESSAGES.messagehtml_lower"), L"TEXT,0,2.00.00");
}

TEST(TranslationStore, SaveAndReloadKeepsEveryLineInOrder) {
  TempFolder folder;
  TLang lang;
  lang.Translation.Assign({L"MESSAGES.MESSAGE_OK=OK", L"comment line", L"Form_RC.Label=Zeile%CRLFzwei \u20ac"});
  lang.Index.Assign({L"Form_RC.Label=TEXT,276,2.00.00"});
  ASSERT_TRUE(lang.Save_Translation(folder.File(L"de-de.nlang3"), folder.File(L"index.txt")));

  const std::string bytes = ReadFileBytes(folder.File(L"de-de.nlang3"));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4));  // no terminating zero
  // An index that was never read is written in the 8-bit code page.
  EXPECT_EQ(ReadFileBytes(folder.File(L"index.txt")), "Form_RC.Label=TEXT,276,2.00.00\r\n");

  TLang reloaded;
  reloaded.Load_Translation(folder.File(L"de-de.nlang3"), folder.File(L"index.txt"));
  EXPECT_EQ(reloaded.Translation.Lines(), lang.Translation.Lines());
  EXPECT_EQ(reloaded.Index.Lines(), lang.Index.Lines());
}

TEST(TranslationStore, IndexIsRewrittenInTheEncodingItWasReadIn) {
  TempFolder folder;
  WriteFileBytes(folder.File(L"index.txt"),
                 "\xEF\xBB\xBF"
                 "F.a=TEXT,1,2.00.00\r\n");
  TLang lang;
  lang.Load_Translation(folder.File(L"none.nlang3"), folder.File(L"index.txt"));
  lang.Save_ToIndex(L"F", L"b", false, 2, L"2.00.00");
  ASSERT_TRUE(lang.Save_Translation(folder.File(L"x.nlang3"), folder.File(L"index.txt")));
  EXPECT_EQ(ReadFileBytes(folder.File(L"index.txt")),
            "\xEF\xBB\xBF"
            "F.a=TEXT,1,2.00.00\r\nF.b=TEXT,2,2.00.00\r\n");
}

TEST(TranslationStore, MissingFileKeepsItsListAndPresentFileReplacesIt) {
  TempFolder folder;
  WriteFileBytes(folder.File(L"en.nlang3"), Utf16LE(L"S.a=new\r\n"));
  TLang lang;
  lang.Translation.Assign({L"S.a=old", L"S.b=old"});
  lang.Index.Assign({L"S.a=TEXT,0,1"});
  lang.Load_Translation(folder.File(L"en.nlang3"), folder.File(L"missing-index.txt"));
  EXPECT_EQ(lang.Translation.Lines(), std::vector<std::wstring>{L"S.a=new"});
  EXPECT_EQ(lang.Index.Lines(), std::vector<std::wstring>{L"S.a=TEXT,0,1"});
}

TEST(TranslationStore, SavingIntoAMissingFolderFailsWithoutThrowing) {
  TempFolder folder;
  TLang lang;
  lang.Translation.Assign({L"S.a=1"});
  EXPECT_FALSE(lang.Save_Translation(folder.File(L"no\\such\\de.nlang3"), folder.File(L"index.txt")));
  EXPECT_FALSE(lang.Save_Translation(folder.File(L"de.nlang3"), folder.File(L"no\\such\\index.txt")));
  // The index comes first: when it fails, the translation is not written.
  EXPECT_EQ(GetFileAttributesW(folder.File(L"de.nlang3").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TranslationStore, HostileFilesLoadWithoutHarm) {
  TempFolder folder;
  std::string huge = "\xFF\xFE";
  const std::string line = Utf16LE(L"MESSAGES.MESSAGE_X=0123456789012345678901234567890123456789\r\n").substr(2);
  while (huge.size() < 10u * 1024 * 1024) huge += line;
  huge += "\x41";  // and an odd byte count on top
  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"10 MB", huge},
      {"truncated UTF-16", std::string("\xFF\xFE"
                                       "S\0.\0a\0=",
                                       9)},
      {"binary junk", std::string("\x00\x01\xFE\x80\xFF=\x00=\r\r\n\n", 12)},
      {"invalid UTF-8",
       "\xEF\xBB\xBF"
       "S.a=\xC3(\xFF\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    WriteFileBytes(folder.File(L"x.nlang3"), c.bytes);
    TLang lang;
    lang.Load_Translation(folder.File(L"x.nlang3"), folder.File(L"x.nlang3"));
    lang.Get_StringW(L"S", L"a");
    bool html = false;
    int width = 0;
    std::wstring version;
    lang.Read_FromIndex(L"S", L"a", html, width, version);
  }
  TLang lang;
  WriteFileBytes(folder.File(L"x.nlang3"), huge);
  lang.Load_Translation(folder.File(L"x.nlang3"), folder.File(L"none"));
  EXPECT_GT(lang.Translation.Count(), 80000u);
  EXPECT_EQ(lang.Get_StringW(L"messages", L"message_x"), L"0123456789012345678901234567890123456789");
}

}  // namespace
}  // namespace keytidy
