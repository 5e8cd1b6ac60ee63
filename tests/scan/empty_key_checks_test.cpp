// Empty vendor keys below Software (machine and user hive, native and
// 32-bit branch) and empty entries of the programs list. The real keys hold
// entries of their own; only the fixture's keys are looked at.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;

class EmptyKeyChecks : public test::CheckTest {
 protected:
  EmptyKeyChecks() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~EmptyKeyChecks() override { Set_InteractiveUserSid(previousSid_); }

  // "group/filter | DisplayName | root\key | deletes" for the findings whose
  // key is one of `names` directly below its base (compared without regard
  // to case), in tree order.
  Lines FindingsFor(const std::set<std::wstring>& names) const {
    Lines lines;
    for (PVirtualNode node : tree) {
      const TTreeData_RegCleaner& e = *GetEntry(node);
      const std::wstring last = UpperCaseAscii(e.Key.substr(e.Key.rfind(L'\\') + 1));
      if (!names.count(last)) continue;
      EXPECT_TRUE(e.FullPath.empty() && e.Value.empty() && e.Delete_Value.empty() && e.DeleteKey && !e.DeleteValue &&
                  e.Delete_Root == e.RootKey && e.Delete_Key == e.Key && IsTicked(node))
          << Utf16ToUtf8(e.Key);
      lines.push_back(std::to_string(Number(e.GroupIndex)) + "/" + std::to_string(Number(e.ComboBoxIndex)) + " | " +
                      Utf16ToUtf8(e.DisplayName + L" | " + Reg_RootKeyName(e.RootKey) + L"\\" + e.Key));
    }
    return lines;
  }

  std::string User(const std::wstring& key) const {
    return "HKEY_USERS\\" + Utf16ToUtf8(InteractiveUserSid() + L"\\" + key);
  }

 private:
  std::wstring previousSid_;
};

TEST_F(EmptyKeyChecks, VendorKeysPerHiveAndView) {
  const std::set<std::wstring> ours = {L"KEYTIDYOLDVENDOR", L"KEYTIDYPARENT",     L"KEYTIDYEMPTYCHILD",
                                       L"KEYTIDYVALUED",    L"KEYTIDYDEFAULT",    L"BIT",
                                       L"DEFENDER",         L"BITDEFENDER AGENT", L"WOW6432NODE",
                                       L"KEYTIDYOLD32",     L"KEYTIDYUSERVENDOR", L"KEYTIDYUSER32"};
  registry.CreateKey(HKLM, L"Software\\KeytidyOldVendor");
  registry.CreateKey(HKLM, L"Software\\KeytidyParent\\KeytidyEmptyChild");  // only direct children count
  registry.WriteString(HKLM, L"Software\\KeytidyValued", L"Version", L"");
  registry.WriteString(HKLM, L"Software\\KeytidyDefault", L"", L"x");
  // Names that are part of the word BITDEFENDER are passed over, in any case.
  registry.CreateKey(HKLM, L"Software\\Bit");
  registry.CreateKey(HKLM, L"Software\\DEFENDER");
  registry.CreateKey(HKLM, L"Software\\Bitdefender Agent");
  registry.CreateKey(HKLM, L"SOFTWARE\\Wow6432Node\\KeytidyOld32");
  registry.CreateKey(HKCU, L"Software\\KeytidyUserVendor");
  // An empty 32-bit branch in the user's hive is not a vendor key either.
  registry.CreateKey(HKCU, L"Software\\wow6432node");

  engine.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, HKLM, false);
  engine.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, HKCU, false);
  std::uint32_t keys = Reg_SubKeyCount(HKLM, L"Software") + Reg_SubKeyCount(HKCU, L"Software");
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, keys);
  const std::string hklm = "HKEY_LOCAL_MACHINE\\";
  EXPECT_THAT(FindingsFor(ours), UnorderedElementsAreArray(Lines{
                                     "12/9 | KeytidyOldVendor | " + hklm + "Software\\KeytidyOldVendor",
                                     "12/9 | Bitdefender Agent | " + hklm + "Software\\Bitdefender Agent",
                                     "12/9 | KeytidyUserVendor | " + User(L"Software\\KeytidyUserVendor"),
                                 }));

  registry.CreateKey(HKCU, L"Software\\wow6432node\\KeytidyUser32");
  tree.Clear();
  engine.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, HKLM, true);
  engine.SEARCH_EMPTY_SOFTWAREKEYS(CheckId::EmptySoftwareKeys, FilterCategory::Software, HKCU, true);
  keys += Reg_SubKeyCount(HKLM, L"SOFTWARE\\Wow6432Node") + Reg_SubKeyCount(HKCU, L"SOFTWARE\\Wow6432Node");
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, keys);
  EXPECT_THAT(FindingsFor(ours), UnorderedElementsAreArray(Lines{
                                     "12/9 | KeytidyOld32 | " + hklm + "SOFTWARE\\Wow6432Node\\KeytidyOld32",
                                     "12/9 | KeytidyUser32 | " + User(L"SOFTWARE\\Wow6432Node\\KeytidyUser32"),
                                 }));
}

TEST_F(EmptyKeyChecks, UninstallEntriesOncePerNameWith32BitMark) {
  const std::wstring native = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  const std::wstring wow = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  registry.CreateKey(HKLM, native + L"\\{Keytidy-Empty}");
  registry.WriteString(HKLM, native + L"\\{Keytidy-Named}", L"DisplayName", L"Keytidy Named");
  registry.WriteString(HKLM, native + L"\\{Keytidy-Default}", L"", L"x");
  registry.CreateKey(HKLM, native + L"\\{Keytidy-Parent}\\Sub");
  registry.CreateKey(HKLM, wow + L"\\{Keytidy-Empty}");  // already reported by the native pass
  registry.CreateKey(HKLM, wow + L"\\{Keytidy-Only32}");
  registry.WriteString(HKLM, wow + L"\\{Keytidy-Named32}", L"DisplayName", L"Keytidy Named");

  run.STOP_REQUESTED = true;  // a stopped run looks at nothing
  engine.SEARCH_EMPTY_UNINSTALLKEYS(CheckId::EmptyUninstallKeys, FilterCategory::Software, false);
  EXPECT_EQ(tree.NodeCount(), 0u);
  run.STOP_REQUESTED = false;

  engine.SEARCH_EMPTY_UNINSTALLKEYS(CheckId::EmptyUninstallKeys, FilterCategory::Software, false);
  engine.SEARCH_EMPTY_UNINSTALLKEYS(CheckId::EmptyUninstallKeys, FilterCategory::Software, true);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKLM, native) + Reg_SubKeyCount(HKLM, wow));
  const auto line = [](const std::string& name, const std::wstring& key) {
    const std::string place = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(key);
    return "16/9 |  | " + name + " | " + place + " |  | key " + place;
  };
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 line("{Keytidy-Empty}", native + L"\\{Keytidy-Empty}"),
                                 line("{Keytidy-Only32} (32Bit)", wow + L"\\{Keytidy-Only32}"),
                             }));
}

}  // namespace
}  // namespace keytidy
