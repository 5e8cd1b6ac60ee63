#include "lang/message_catalogue.h"

#include <gtest/gtest.h>

#include "lang/plain_component.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using test::PlainComponent;
using test::ReadFileBytes;
using test::TempFolder;
using test::WriteFileBytes;

std::string Utf16File(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

class MessageCatalogue : public ::testing::Test {
 protected:
  void SetUp() override { Localisation_Reset(); }
  void TearDown() override { Localisation_Reset(); }

  void WriteEnglish(bool withIndex = true) {
    WriteFileBytes(folder.File(L"en-us.nlang3"),
                   Utf16File(L"MESSAGES.MESSAGE_OK=OK\r\nMESSAGES.MESSAGE_BYTE=\r\n"
                             L"MESSAGES.MESSAGEHTML_BACKUP_NIX=<b>Nothing</b>%CRLFto do\r\n"
                             L"Form_Options.Form_Options=Options\r\nForm_Options.Button_OK=Fine\r\n"));
    if (withIndex) WriteFileBytes(folder.File(L"index.txt"), "Form_Options.Button_OK=TEXT,0,2.00.00\r\n");
  }

  TempFolder folder;
};

struct OptionsForm {
  OptionsForm() : form(L"TForm_Options", L"Form_Options"), button(form.Own(L"TButton", L"Button_OK")) {
    form.properties[L"Caption"] = L"Optionen";
    button.properties[L"Caption"] = L"Schlie\u00dfen";
  }
  PlainComponent form;
  PlainComponent& button;
};

TEST(MessageKeys, OrderAndNamesAsTheFilesUseThem) {
  EXPECT_EQ(kMessageKeyCount, 246);
  EXPECT_STREQ(MessageKeyName(MessageKey::MESSAGE_TRANSLATOR_NAME), L"MESSAGE_TRANSLATOR_NAME");
  EXPECT_EQ(static_cast<int>(MessageKey::MESSAGE_OK), 8);
  EXPECT_STREQ(MessageKeyName(static_cast<MessageKey>(kMessageKeyCount - 1)),
               L"MESSAGEHTML_BACKUPS_RESTORE_RECORDS_OK");
}

TEST_F(MessageCatalogue, WithoutAnIndexNothingIsTranslated) {
  WriteEnglish(false);
  LOAD_INTERNAL_ONLY(folder.Path(), L"en-us");
  Apply_StartupMessageDefaults();
  EXPECT_EQ(CurrentTranslation(), nullptr);
  EXPECT_EQ(Message(MessageKey::MESSAGE_OK), L"");
  EXPECT_EQ(Message(MessageKey::MESSAGE_BYTE), L"Byte");
  EXPECT_EQ(Message(MessageKey::MESSAGE_BYTES), L"Bytes");
  EXPECT_EQ(Message(MessageKey::MESSAGE_IM_MYQUARVINT), L"MyQuarvint");
  EXPECT_EQ(Message(MessageKey::MESSAGE_IM_SOFTWAREDEALS), L"Software Deals");
  EXPECT_EQ(Message(MessageKey::MESSAGE_IM_MOREDOWNLOADS), L"More Downloads");

  OptionsForm options;
  LOAD_TRANSLATION_TO_FORM(folder.Path(), L"en-us", options.form);
  EXPECT_EQ(options.form.properties[L"Caption"], L"Optionen");
  EXPECT_EQ(Message(MessageKey::MESSAGE_OK), L"");
}

TEST_F(MessageCatalogue, StartupLoadFillsTheCatalogueOnceAndLaterFormsUseThatStore) {
  WriteEnglish();
  LOAD_INTERNAL_ONLY(folder.Path(), L"en-us");
  Apply_StartupMessageDefaults();
  ASSERT_NE(CurrentTranslation(), nullptr);
  EXPECT_EQ(Message(MessageKey::MESSAGE_OK), L"OK");
  EXPECT_EQ(Message(MessageKey::MESSAGEHTML_BACKUP_NIX), L"<b>Nothing</b>\r\nto do");
  EXPECT_EQ(Message(MessageKey::MESSAGE_BYTE), L"Byte");  // empty in the file
  EXPECT_EQ(Message(MessageKey::MESSAGE_NO), L"");

  // A form created later is translated from the store loaded at start-up,
  // whatever code it is given, and does not refill the catalogue.
  CurrentTranslation()->Add_StringW(L"MESSAGES", L"MESSAGE_NO", L"No");
  OptionsForm options;
  LOAD_TRANSLATION_TO_FORM(folder.Path(), L"de-de", options.form);
  EXPECT_EQ(options.form.properties[L"Caption"], L"Options");
  EXPECT_EQ(options.button.properties[L"Caption"], L"Fine");
  EXPECT_EQ(Message(MessageKey::MESSAGE_NO), L"");
}

TEST_F(MessageCatalogue, TheFirstFormCanCreateTheStore) {
  WriteEnglish();
  OptionsForm options;
  LOAD_TRANSLATION_TO_FORM(folder.Path(), L"en-us", options.form);
  ASSERT_NE(CurrentTranslation(), nullptr);
  EXPECT_EQ(options.button.properties[L"Caption"], L"Fine");
  EXPECT_EQ(Message(MessageKey::MESSAGE_OK), L"OK");
}

TEST_F(MessageCatalogue, ExportRecordsChangedTextsAndLeavesNoStore) {
  WriteEnglish();
  const std::string indexBefore = ReadFileBytes(folder.File(L"index.txt"));
  OptionsForm options;
  options.button.properties[L"Caption"] = L"Fine";  // equal to the file: untouched
  ASSERT_TRUE(SAVE_TRANSLATION_FROM_FORM(folder.Path(), L"en-us", options.form, L"2.00.00"));
  EXPECT_EQ(CurrentTranslation(), nullptr);

  TLang saved;
  saved.Load_Translation(folder.File(L"en-us.nlang3"), folder.File(L"index.txt"));
  EXPECT_EQ(saved.Get_StringW(L"Form_Options", L"Form_Options"), L"Optionen");
  EXPECT_EQ(saved.Get_StringW(L"Form_Options", L"Button_OK"), L"Fine");
  EXPECT_EQ(saved.Translation.Count(), 5u);
  EXPECT_EQ(ReadFileBytes(folder.File(L"index.txt")), indexBefore + "Form_Options.Form_Options=TEXT,0,2.00.00\r\n");
}

TEST_F(MessageCatalogue, ExportWithAMalformedIndexWritesNothing) {
  WriteEnglish();
  WriteFileBytes(folder.File(L"index.txt"), "Form_Options.Form_Options=TEXT,x,1\r\n");
  const std::string translationBefore = ReadFileBytes(folder.File(L"en-us.nlang3"));
  OptionsForm options;
  EXPECT_FALSE(SAVE_TRANSLATION_FROM_FORM(folder.Path(), L"en-us", options.form, L"2.00.00"));
  EXPECT_EQ(ReadFileBytes(folder.File(L"en-us.nlang3")), translationBefore);
  EXPECT_EQ(CurrentTranslation(), nullptr);
}

}  // namespace
}  // namespace keytidy
