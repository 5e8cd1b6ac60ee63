// Sound events in the desktop user's hive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"

namespace keytidy {
namespace {

using ::testing::UnorderedElementsAreArray;

class SoundEventChecks : public test::CheckTest {
 protected:
  SoundEventChecks() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~SoundEventChecks() override { Set_InteractiveUserSid(previousSid_); }

 private:
  std::wstring previousSid_;
};

TEST_F(SoundEventChecks, CurrentAndDefaultSoundsOfEveryEvent) {
  const std::wstring apps = L"AppEvents\\Schemes\\Apps";
  const RootKey HKCU = ROOT_HKEY_CURRENT_USER;
  Touch(T(L"{T}\\here.wav"));
  registry.WriteString(HKCU, apps + L"\\KeytidyApp", L"", L"Keytidy Player");
  registry.WriteString(HKCU, apps + L"\\KeytidyApp\\Ding\\.Current", L"", T(L"{T}\\gone-current.wav"));
  registry.WriteString(HKCU, apps + L"\\KeytidyApp\\Ding\\.Default", L"", T(L"{T}\\gone-default.wav"));
  registry.WriteString(HKCU, apps + L"\\KeytidyApp\\Here\\.Current", L"", T(L"{T}\\here.wav"));
  registry.WriteString(HKCU, apps + L"\\KeytidyApp\\Silent\\.Current", L"", L"");
  registry.WriteString(HKCU, apps + L"\\KeytidyBare\\Beep\\.Default", L"", L"Z:\\keytidy\\x.wav");
  registry.WriteString(HKCU, apps + L"\\KeytidyBare\\Boop\\.Default", L"", T(L"{T}\\boop.wav"));
  registry.WriteString(HKCU, apps + L"\\KeytidyBare", L"", L"   ");  // blank: the key name stays

  std::uint32_t events = 0;
  for (const std::wstring& app : [&] {
         std::vector<std::wstring> names;
         Reg_GetSubKeys(HKCU, apps, names);
         return names;
       }())
    events += Reg_SubKeyCount(HKCU, apps + L"\\" + app);
  engine.SEARCH_MEDIA(CheckId::Media, FilterCategory::Media);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, events);

  const std::string base = "HKEY_USERS\\" + Utf16ToUtf8(InteractiveUserSid() + L"\\" + apps);
  const auto line = [&](const std::string& path, const std::string& event, const std::string& slot,
                        const std::string& app) {
    const std::string key = base + "\\" + app + "\\" + event + "\\" + slot;
    return "5/5 | " + path + " | " + event + "\\" + slot + " | " + key + " |  | value " + key + " []";
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(std::vector<std::string>{
                                 line(T8(L"{T}\\gone-current.wav"), "Ding", ".Current", "KeytidyApp"),
                                 line(T8(L"{T}\\gone-default.wav"), "Ding", ".Default", "KeytidyApp"),
                                 line(T8(L"{T}\\boop.wav"), "Boop", ".Default", "KeytidyBare"),
                             }));
  for (PVirtualNode node : tree) {
    const TTreeData_RegCleaner& e = *GetEntry(node);
    if (Contains(e.Key, L"\\KeytidyApp\\")) {
      EXPECT_EQ(e.AdditionalInfo, L"Keytidy Player");
    }
    if (Contains(e.Key, L"\\KeytidyBare\\")) {
      EXPECT_EQ(e.AdditionalInfo, L"KeytidyBare");
    }
  }
}

}  // namespace
}  // namespace keytidy
