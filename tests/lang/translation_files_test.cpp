// The translation files we ship: every message key and every translatable
// component of the four windows has a text in each language, and each
// message carries exactly the placeholders the program fills in.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "lang/available_languages.h"
#include "lang/message_keys.h"
#include "lang/translation_store.h"
#include "platform/text.h"
#include "support/programs.h"

namespace keytidy {
namespace {

using Placeholders = std::set<std::wstring>;

std::wstring TranslationFolder() { return test::BinFolder() + L"\\translation"; }

// %1, %2 ... and the named fields (%DisplayName ...).
Placeholders PlaceholdersIn(const std::wstring& text) {
  Placeholders found;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    size_t end = i + 1;
    const bool digits = end < text.size() && iswdigit(text[end]);
    while (end < text.size() && (digits ? iswdigit(text[end]) : iswalpha(text[end]))) ++end;
    if (end > i + 1) found.insert(text.substr(i, end - i));
    i = end - 1;
  }
  return found;
}

// The texts whose placeholders the program fills; every other message has
// none, except the entry descriptions, which may use any record field.
const std::map<std::wstring, Placeholders>& FilledPlaceholders() {
  static const std::map<std::wstring, Placeholders> filled = {
      {L"MESSAGE_BACKUPACTION_RC_DELETED", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_FOUND_KX15", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_FOUND_ADDER", {L"%2"}},
      {L"MESSAGEHTML_RC_STATUS_DELETED", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_DELETEDERRORS", {L"%1", L"%2"}},
      {L"MESSAGEHTML_RC_STATUS_NOLONGERSTALE", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_RESTOREPOINT_REFUSED", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_ACTION_SELECTED_DELETE_KEY_KX15", {L"%1"}},
      {L"MESSAGEHTML_RC_STATUS_ACTION_SELECTED_DELETE_VALUE_KX15", {L"%1", L"%2"}},
      {L"MESSAGEHTML_RC_SURETO_ADDEXCEPTIONS", {L"%1"}},
      {L"MESSAGE_RC_EVIDENCE_DELETES_KEY", {L"%1", L"%2"}},
      {L"MESSAGE_RC_EVIDENCE_MORE", {L"%1"}},
      {L"MESSAGEHTML_MAIN_BACKUPS_SELECTED", {L"%1", L"%2", L"%3", L"%4", L"%5", L"%6", L"%7"}},
      {L"MESSAGEHTML_BACKUP_SELECTED_MULTIPLE", {L"%1"}},
      {L"MESSAGE_BACKUPS_ASK_DELETE_OLD", {L"%1"}},
      {L"MESSAGEHTML_BACKUPS_ASK_RESTORE_FILES", {L"%1"}},
      {L"MESSAGEHTML_BACKUPS_ASK_AUTODELETE_OLD", {L"%1", L"%2"}},
      {L"MESSAGEHTML_BACKUPS_ASK_RESTORE_RECORDS", {L"%1"}},
      {L"MESSAGEHTML_BACKUPS_RESTORE_RECORDS_OK", {L"%1"}},
  };
  return filled;
}

bool IsEntryDescription(const std::wstring& key) { return key.rfind(L"MESSAGE_RC_DESC_", 0) == 0; }

const Placeholders kRecordFields = {L"%DisplayName", L"%FullPath",   L"%Filename", L"%Folder",
                                    L"%Key",         L"%MissingKey", L"%FullKey",  L"%Value"};

// Every component of the five windows that carries a translatable text.
const std::vector<std::wstring>& ComponentKeys() {
  static const std::vector<std::wstring> keys = {
      L"Form_KX7.Form_KX7",
      L"Form_KX7.MenuItem_help_Help",
      L"Form_KX7.MenuItem_help_About",
      L"Form_KX7.MenuItem_Options",
      L"Form_RC.Form_RC",
      L"Form_RC.VirtualDrawTree_RC",
      L"Form_RC.Label_Small1",
      L"Form_RC.Label_RC_Total_DESC",
      L"Form_RC.Label_RC_Visible_DESC",
      L"Form_RC.Label_RC_Selected_DESC",
      L"Form_RC.VellButton_Zusammenfassung",
      L"Form_RC.VellButton_SelectAll",
      L"Form_RC.VellButton_SelectNone",
      L"Form_RC.VellButton_Options",
      L"Form_RC.VellButton_Backups",
      L"Form_RC.VellButton_Report",
      L"Form_RC.VellButton_Stop",
      L"Form_RC.VellButton_Search",
      L"Form_RC.VellButton_Delete",
      L"Form_RC.MenuItem_RC_MarkSelected",
      L"Form_RC.MenuItem_RC_UnmarkSelected",
      L"Form_RC.MenuItem_RC_AddToExceptions",
      L"Form_RC.MenuItem_RC_OpenInRegEdit",
      L"Form_RC.VellButton_Evidence",
      L"Form_MainNavi_Backups.Form_MainNavi_Backups",
      L"Form_MainNavi_Backups.VirtualDrawTree_Backups_KX15",
      L"Form_MainNavi_Backups.Label_LastMadeBackups_KX15",
      L"Form_MainNavi_Backups.Label_Small1",
      L"Form_MainNavi_Backups.VellButton_Restore",
      L"Form_MainNavi_Backups.VellButton_Delete",
      L"Form_MainNavi_Backups.Label_DESC1",
      L"Form_MainNavi_Backups.Label_DESC2",
      L"Form_MainNavi_Backups.VellButton_DeleteOld",
      L"Form_MainNavi_Backups.Menu_DeleteOld_7days",
      L"Form_MainNavi_Backups.Menu_DeleteOld_14days",
      L"Form_MainNavi_Backups.Menu_DeleteOld_30days",
      L"Form_MainNavi_Backups.VellButton_Refresh",
      L"Form_MainNavi_Backups.VellButton_Explorer",
      L"Form_MainNavi_Backups.VellButton_ChangeView",
      L"Form_MainNavi_Backups.VellButton_Records",
      L"Form_BackupRecords.Form_BackupRecords",
      L"Form_BackupRecords.Label_Records",
      L"Form_BackupRecords.VellButton_RestoreRecords",
      L"Form_BackupRecords.VellButton_Close",
      L"Form_Options.Form_Options",
      L"Form_Options.TabSheet_SKIN",
      L"Form_Options.TabSheet_LANG",
      L"Form_Options.TabSheet_OTHER",
      L"Form_Options.TabSheet_Backups",
      L"Form_Options.TabSheet_RC1",
      L"Form_Options.TabSheet_RC2",
      L"Form_Options.ListView_Options_Language",
      L"Form_Options.HTMLabel_Options_GUI_TranslationLinkTarget",
      L"Form_Options.Label_ServiceChannels",
      L"Form_Options.Button_ConfigChannels",
      L"Form_Options.CheckBox_Other_Anims",
      L"Form_Options.CheckBox_RC_FileFormate_KX8",
      L"Form_Options.CheckBox_RC_COMOLEActiveX_KX8",
      L"Form_Options.CheckBox_RC_Shared_KX8",
      L"Form_Options.CheckBox_RC_Fonts_KX8",
      L"Form_Options.CheckBox_RC_Media_KX8",
      L"Form_Options.CheckBox_RC_Help_KX8",
      L"Form_Options.CheckBox_RC_AppPaths_KX8",
      L"Form_Options.CheckBox_RC_WindowsHistory_KX8",
      L"Form_Options.CheckBox_RC_Installer_KX8",
      L"Form_Options.CheckBox_RC_Startmenu_KX8",
      L"Form_Options.CheckBox_RC_WindowsFirewall_KX10",
      L"Form_Options.CheckBox_RC_Other_KX10",
      L"Form_Options.CheckBox_RC_Leftovers_KX11",
      L"Form_Options.CheckBox_RC_IgnoreNoHDDs",
      L"Form_Options.CheckBox_RC_RestorePoint",
      L"Form_Options.ListView_RC_Exceptions",
      L"Form_Options.Button_RC_RemoveExceptions",
      L"Form_Options.RadioButton_Backups_AutoDelete_30",
      L"Form_Options.RadioButton_Backups_AutoDelete_14",
      L"Form_Options.RadioButton_Backups_AutoDelete_7",
      L"Form_Options.RadioButton_Backups_AutoDelete_Never",
      L"Form_Options.CheckBox_Backups_Ask_Before_AutoDelete",
      L"Form_Options.CheckBox_Backups_UseRecycleBin",
      L"Form_Options.CheckBox_Backups_DeleteAfterSuccessfullRestore",
      L"Form_Options.VellButton_Ok",
      L"Form_Options.VellButton_Reset",
  };
  return keys;
}

class ShippedTranslation : public ::testing::TestWithParam<const wchar_t*> {
 protected:
  void SetUp() override {
    lang.Load_Translation(TranslationFolder() + L"\\" + GetParam() + L".nlang3", TranslationFolder() + L"\\index.txt");
    ASSERT_GT(lang.Translation.Count(), 0u);
    ASSERT_GT(lang.Index.Count(), 0u);
  }
  TLang lang;
};

TEST_P(ShippedTranslation, EveryMessageHasItsTextAndPlaceholders) {
  for (int i = 0; i < kMessageKeyCount; ++i) {
    const std::wstring key = MessageKeyName(static_cast<MessageKey>(i));
    SCOPED_TRACE(key);
    const std::wstring text = lang.Get_StringW(L"MESSAGES", key);
    EXPECT_FALSE(text.empty()) << Utf16ToUtf8(key) << " (index " << i << ")";
    const Placeholders found = PlaceholdersIn(text);
    if (IsEntryDescription(key)) {
      EXPECT_FALSE(found.empty());
      for (const std::wstring& placeholder : found) EXPECT_TRUE(kRecordFields.count(placeholder)) << placeholder;
    } else {
      const auto filled = FilledPlaceholders().find(key);
      EXPECT_EQ(found, filled == FilledPlaceholders().end() ? Placeholders{} : filled->second);
    }
    // Plain texts are shown as they are: markup would appear literally.
    if (key.rfind(L"MESSAGEHTML_", 0) != 0) {
      EXPECT_EQ(text.find(L'<'), std::wstring::npos);
    }
  }
}

TEST_P(ShippedTranslation, EveryComponentHasItsText) {
  for (const std::wstring& key : ComponentKeys()) EXPECT_NE(lang.Translation.ValueOf(key), L"") << key;
}

TEST_P(ShippedTranslation, TranslationAndIndexCoverTheSameKeys) {
  std::set<std::wstring> translated;
  for (const std::wstring& line : lang.Translation.Lines()) {
    const std::wstring key = line.substr(0, line.find(L'='));
    EXPECT_TRUE(translated.insert(key).second) << "duplicate " << key;
    EXPECT_GE(lang.Index.IndexOfName(key), 0) << key;
  }
  EXPECT_EQ(translated.size(), static_cast<size_t>(kMessageKeyCount) + ComponentKeys().size());
  EXPECT_EQ(lang.Index.Count(), translated.size());
  for (const std::wstring& line : lang.Index.Lines()) {
    const std::wstring key = line.substr(0, line.find(L'='));
    const bool indexedHtml = line.find(L"=HTML,") != std::wstring::npos;
    EXPECT_EQ(indexedHtml,
              key.find(L"MESSAGEHTML_") != std::wstring::npos || key.find(L".HTMLabel_") != std::wstring::npos)
        << key;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedTranslation, ::testing::Values(L"de-de", L"en-us"));

TEST(ShippedTranslations, BothLanguagesAreOffered) {
  Get_Available_nLangFiles(TranslationFolder());
  std::vector<std::wstring> entries;
  for (const AvailableLanguage& entry : AvailableLanguages())
    entries.push_back(entry.baseName + L":" + std::to_wstring(entry.lcid));
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::wstring>{L"de-de:1031", L"en-us:1033"}));
}

}  // namespace
}  // namespace keytidy
