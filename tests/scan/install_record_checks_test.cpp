// Checks on what installers leave behind: the Add/Remove Programs cache,
// uninstall install sources, snap-in help files and firewall rules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"

namespace keytidy {
namespace {

using Lines = std::vector<std::string>;
using ::testing::UnorderedElementsAreArray;
constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;

std::string Line(const std::string& ids, const std::string& path, const std::string& name, const std::wstring& key,
                 const std::string& value) {
  const std::string place = "HKEY_LOCAL_MACHINE\\" + Utf16ToUtf8(key);
  const std::string deletes = value.empty() ? "key " + place : "value " + place + " [" + value + "]";
  return ids + " | " + path + " | " + name + " | " + place + " | " + value + " | " + deletes;
}

class InstallRecordChecks : public test::CheckTest {};

// SlowInfoCache: a binary record whose UTF-16 program path starts at byte 28.
std::vector<std::uint8_t> SlowInfoCache(const std::wstring& path, size_t size) {
  std::vector<std::uint8_t> bytes(std::max(size, 28 + 2 * path.size() + 2), 0);
  for (size_t i = 0; i < path.size(); ++i) bytes[28 + 2 * i] = static_cast<std::uint8_t>(path[i]);
  bytes.resize(size);
  return bytes;
}

TEST_F(InstallRecordChecks, ArpCacheProgramPaths) {
  const std::wstring base = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Management\\ARPCache";
  Touch(T(L"{T}\\here.exe"));
  const auto cache = [&](const std::wstring& name, const std::wstring& path, size_t size, DWORD type = REG_BINARY) {
    const std::vector<std::uint8_t> bytes = SlowInfoCache(T(path), size);
    registry.Write(HKLM, base + L"\\" + name, L"SlowInfoCache", type, bytes.data(), static_cast<DWORD>(bytes.size()));
  };
  cache(L"KeytidyGone", L"{T}\\gone\\app.exe", 552);
  cache(L"KeytidyHere", L"{T}\\here.exe", 552);
  cache(L"KeytidyLibrary", L"{T}\\gone\\lib.dll", 552);
  cache(L"KeytidyShort", L"C:\\k.exe", 33);  // too short to hold a path
  cache(L"KeytidyText", L"{T}\\gone\\text.exe", 552, REG_SZ);
  cache(L"KeytidyOther", L"Z:\\keytidy\\app.exe", 552);

  engine.SEARCH_INSTALLERARP(CheckId::InstallerArp, FilterCategory::Software);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKLM, base));
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 Line("21/9", T8(L"{T}\\gone\\app.exe"), "KeytidyGone", base + L"\\KeytidyGone", "")}));
}

TEST_F(InstallRecordChecks, UninstallSourcesReportedOncePerProgram) {
  const std::wstring native = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  const std::wstring wow = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
  const auto entry = [&](const std::wstring& base, const std::wstring& name, const std::wstring& source,
                         const std::wstring& displayName) {
    registry.WriteString(HKLM, base + L"\\" + name, L"InstallSource", T(source));
    if (!displayName.empty()) registry.WriteString(HKLM, base + L"\\" + name, L"DisplayName", displayName);
  };
  entry(native, L"KeytidyGone", L"{T}\\gone-src", L"Keytidy Gone");
  entry(native, L"KeytidyHere", L"{T}", L"");
  entry(native, L"KeytidyBlank", L"  {T}\\gone-blank \t", L"");
  entry(native, L"KeytidyOther", L"Z:\\keytidy-gone", L"");
  entry(wow, L"KeytidyGone", L"{T}\\gone-src", L"Keytidy Gone");  // already reported natively
  entry(wow, L"KeytidyGone32", L"{T}\\gone32", L"");

  engine.SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId::UninstallInstallPath, FilterCategory::Software, false);
  engine.SEARCH_UNINSTALLKEYS_INSTALLPATH(CheckId::UninstallInstallPath, FilterCategory::Software, true);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKLM, native) + Reg_SubKeyCount(HKLM, wow));
  EXPECT_THAT(OurFindings(),
              UnorderedElementsAreArray(Lines{
                  Line("22/9", T8(L"{T}\\gone-src"), "Keytidy Gone", native + L"\\KeytidyGone", "InstallSource"),
                  Line("22/9", T8(L"{T}\\gone-blank"), "KeytidyBlank", native + L"\\KeytidyBlank", "InstallSource"),
                  Line("22/9", T8(L"{T}\\gone32"), "KeytidyGone32", wow + L"\\KeytidyGone32", "InstallSource"),
              }));
}

TEST_F(InstallRecordChecks, SnapInHelpTopics) {
  const std::wstring base = L"SOFTWARE\\Microsoft\\MMC\\SnapIns";
  Touch(T(L"{T}\\here.chm"));
  const std::wstring one = base + L"\\{Keytidy-1}", two = base + L"\\{Keytidy-2}", three = base + L"\\{Keytidy-3}";
  registry.WriteString(HKLM, one, L"HelpTopic", T(L"{T}\\gone\\help.chm"));
  registry.WriteString(HKLM, one, L"LinkedHelpTopics", T(L"{T}\\gone\\linked.chm"));
  registry.WriteString(HKLM, two, L"LinkHelpTopic", T(L"{T}\\gone\\link.chm"), REG_EXPAND_SZ);
  registry.WriteString(HKLM, two, L"AssemblyName", L"Keytidy.Snapin");
  registry.WriteString(HKLM, three, L"HelpTopic", L"%ProgramFiles%\\keytidy\\x.chm");
  registry.WriteString(HKLM, three, L"LinkHelpTopic", L"C:\\Program Files (x86)\\keytidy\\x.chm");
  registry.WriteString(HKLM, three, L"LinkedHelpTopics", T(L"{T}\\here.chm"));
  const DWORD number = 5;
  registry.Write(HKLM, base + L"\\{Keytidy-4}", L"HelpTopic", REG_DWORD, &number, sizeof(number));

  engine.SEARCH_MMC(CheckId::Mmc, FilterCategory::Help);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, Reg_SubKeyCount(HKLM, base));
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 Line("15/6", T8(L"{T}\\gone\\help.chm"), "help.chm", one, "HelpTopic"),
                                 Line("15/6", T8(L"{T}\\gone\\linked.chm"), "linked.chm", one, "LinkedHelpTopics"),
                                 Line("15/6", T8(L"{T}\\gone\\link.chm"), "Keytidy.Snapin", two, "LinkHelpTopic"),
                             }));
}

TEST_F(InstallRecordChecks, FirewallRulePrograms) {
  const std::wstring rules =
      L"SYSTEM\\ControlSet001\\services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules";
  Touch(T(L"{T}\\here.exe"));
  const std::pair<const wchar_t*, const wchar_t*> values[] = {
      {L"KeytidyRule1", L"v2.10|Action=Allow|App={T}\\gone\\app.exe|Name=x|"},
      {L"KeytidyRule2", L"v2.10|App=%SystemRoot%\\keytidy.exe|"},  // references are not expanded
      {L"KeytidyRule3", L"v2.10|App={T}\\gone\\last.exe"},         // no closing bar: loses the "e"
      {L"KeytidyRule4", L"v2.10|app={T}\\here.exe|"},
      {L"KeytidyRule5", L"v2.10|App=Z:\\keytidy\\z.exe|"},
      {L"KeytidyRule6", L"|App=C:\\k.exe|"},  // eight characters: long enough
      {L"KeytidyRule7", L"|App=C:\\.exe|"},   // seven: too short
      {L"KeytidyRule8", L"v2.10|Action=Block|"},
  };
  for (const auto& [name, data] : values) registry.WriteString(HKLM, rules, name, T(data));

  std::uint32_t total = 0;
  for (int n = 1; n <= 9; ++n) {
    const std::wstring key = L"SYSTEM\\ControlSet00" + std::to_wstring(n) +
                             L"\\services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules";
    if (Reg_KeyExistsWritable(HKLM, key)) total += Reg_ValueCount(HKLM, key);
  }
  engine.SEARCH_FIREWALL_RULES(CheckId::FirewallRules, FilterCategory::Firewall);
  EXPECT_EQ(engine.Scanned().Stat_KeysScanned, total);
  EXPECT_THAT(OurFindings(), UnorderedElementsAreArray(Lines{
                                 Line("60/11", T8(L"{T}\\gone\\app.exe"), "KeytidyRule1", rules, "KeytidyRule1"),
                                 Line("60/11", "C:\\k.exe", "KeytidyRule6", rules, "KeytidyRule6"),
                             }));
}

}  // namespace
}  // namespace keytidy
