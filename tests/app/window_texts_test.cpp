// Every text a window shows in its design comes from the shipped
// translations: a captioned component the translation walk reaches must
// have its line in each language, or an English user reads the German
// design text (the walk silently keeps the design text of a missing line).
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "app/form_about.h"
#include "app/main_window.h"
#include "backup/screen/form_backup_records.h"
#include "backup/screen/form_backups.h"
#include "lang/translation_store.h"
#include "platform/text.h"
#include "settings/screen/form_options.h"
#include "support/programs.h"
#include "ui/form.h"

namespace keytidy {
namespace {

// Kinds that show texts the walk translates without a Caption property.
bool ShowsText(const TranslatableComponent& component) {
  if (component.HasProperty(L"Caption") || component.HasProperty(L"HTMLText")) return true;
  const std::wstring kind = component.ClassName();
  for (const wchar_t* textKind : {L"THTMLABEL", L"TADVSMOOTHLABEL", L"TADVOFFICETABSET", L"TVIRTUALDRAWTREE",
                                  L"TLISTVIEW", L"TVELLUNICODESTBUTTON"})
    if (_wcsicmp(kind.c_str(), textKind) == 0) return true;
  return false;
}

void ExpectEveryTextTranslated(TLang& lang, const std::wstring& section, const TranslatableComponent& component) {
  if (component.Tag() != 0 && ShowsText(component)) {
    EXPECT_NE(lang.Get_StringW(section, component.Name()), L"")
        << Utf16ToUtf8(section + L"." + component.Name()) << " has no line";
  }
  for (const TranslatableComponent* owned : component.OwnedComponents())
    if (owned) ExpectEveryTextTranslated(lang, section, *owned);
}

TEST(WindowTexts, EveryCaptionedComponentHasItsLineInEachLanguage) {
  test::TempFolder backups;
  TBackupTree sets;
  TBackups manager(&sets);
  struct Window {
    const char* name;
    std::function<std::unique_ptr<ui::Form>()> open;
  };
  const Window windows[] = {
      {"main window", [] { return std::make_unique<TForm_KX7>(); }},
      {"options dialog", [] { return std::make_unique<TForm_Options>(nullptr); }},
      {"backup screen", [&] { return std::make_unique<TForm_MainNavi_Backups>(nullptr, backups.Path()); }},
      {"backup records",
       [&] { return std::make_unique<TForm_BackupRecords>(nullptr, manager, std::vector<RegRecord>{}); }},
      {"about box", [] { return std::make_unique<TForm_About>(nullptr); }},
  };
  for (const wchar_t* language : {L"en-us", L"de-de"}) {
    TLang lang;
    const std::wstring folder = test::BinFolder() + L"\\translation\\";
    lang.Load_Translation(folder + language + L".nlang3", folder + L"index.txt");
    for (const Window& window : windows) {
      SCOPED_TRACE(std::string(window.name) + " in " + Utf16ToUtf8(language));
      const std::unique_ptr<ui::Form> form = window.open();
      ExpectEveryTextTranslated(lang, form->Name(), *form);
    }
  }
}

}  // namespace
}  // namespace keytidy
