// Every finding says why it is stale: a search of every category with the
// real keytidy-cli.exe, written as JSON, must give each finding (Wine's own
// included, not only those planted here) what was tested and a verdict.
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/text.h"
#include "model/categories.h"
#include "support/category_switches.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using nlohmann::json;
using test::CliPath;
using test::Quote;
using test::ReadFileBytes;
using test::RunProgram;
using test::TempFolder;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
const std::wstring kVersion = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::wstring kUninstall = kVersion + L"\\Uninstall";
const std::wstring kFirewallRules =
    L"SYSTEM\\ControlSet001\\services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules";
const std::wstring kMissingLib = L"{4B455954-4944-5900-8000-000000000EFF}";

// Our class, interface and library identifiers.
std::wstring Id(int n) { return L"{4B455954-4944-5900-8000-000000000E" + std::to_wstring(10 + n) + L"}"; }

std::string U8(const std::wstring& text) { return Utf16ToUtf8Replacing(text); }

bool Ours(const json& finding) {
  const std::string all = finding["key"].get<std::string>() + "|" + finding["value"].get<std::string>() + "|" +
                          finding["display_name"].get<std::string>();
  const std::wstring text = Utf8ToUtf16(all);
  return ContainsUpperAscii(text, L"KEYTIDYEVIDENCE") ||
         ContainsUpperAscii(text, L"4B455954-4944-5900-8000-000000000E");
}

class EvidenceJson : public ::testing::Test {
 protected:
  // One stale entry for each check that Wine lets us produce (the
  // start-menu order check runs only on Windows XP).
  EvidenceJson() {
    const DWORD one = 1;
    registry.WriteString(HKLM, kVersion + L"\\App Paths\\KeytidyEvidenceGone.exe", L"", T(L"\\gone\\app.exe"));
    registry.CreateKey(HKLM, kVersion + L"\\App Paths\\KeytidyEvidenceEmpty.exe");
    registry.Write(HKLM, kVersion + L"\\SharedDLLs", T(L"\\gone\\keytidyevidence.dll"), REG_DWORD, &one, sizeof one);
    registry.WriteString(HKLM, L"SOFTWARE\\Microsoft\\Windows\\Help", L"keytidyevidence.hlp", temp.Path());
    test::WriteFileBytes(T(L"\\keytidyevidence-empty.hlp"), "");
    registry.WriteString(HKLM, L"SOFTWARE\\Microsoft\\Windows\\Help", L"keytidyevidence-empty.hlp", temp.Path());
    registry.WriteString(HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                         L"!!KeytidyEvidence (TrueType)", L"keytidyevidence-gone.ttf");
    registry.WriteString(HKLM, kVersion + L"\\Installer\\Folders", T(L"\\gone\\KeytidyEvidenceFolder\\"), L"");
    registry.WriteString(HKLM, kUninstall + L"\\KeytidyEvidenceSource", L"InstallSource", T(L"\\gone-src"));
    registry.CreateKey(HKLM, kUninstall + L"\\{KeytidyEvidence-Empty}");
    registry.CreateKey(HKLM, L"SOFTWARE\\KeytidyEvidenceVendor");
    registry.WriteString(HKLM, kFirewallRules, L"KeytidyEvidenceRule", L"v2.10|App=" + T(L"\\gone\\fw.exe") + L"|");
    registry.WriteString(HKLM, kVersion + L"\\Run", L"KeytidyEvidenceRun", Quote(T(L"\\gone\\run.exe")) + L" /tray");
    registry.WriteString(HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List",
                         L"KeytidyEvidence1", T(L"\\gone\\keytidyevidence.bmp"));

    // Open-with records: one that holds no choice, one for an extension no
    // longer registered; and a file-type key that holds nothing.
    const std::wstring fileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
    registry.CreateKey(HKCU, fileExts + L"\\.keytidyevidencew\\OpenWithList");
    registry.WriteString(HKCU, fileExts + L"\\.keytidyevidencex\\OpenWithList", L"a", L"notepad.exe");
    registry.CreateKey(HKCR, L".keytidyevidencez");

    registry.WriteString(HKCR, L"KeytidyEvidenceType\\shell\\open\\command", L"",
                         Quote(T(L"\\gone\\type.exe")) + L" \"%1\"");
    registry.WriteString(HKCR, L"KeytidyEvidenceType\\DefaultIcon", L"", T(L"\\gone\\icons.dll,1"));
    registry.WriteString(HKCR, L".keytidyevidencea", L"", L"KeytidyEvidenceType");
    registry.WriteString(HKCR, L".keytidyevidenceb", L"", L"KeytidyEvidenceMissing");

    registry.WriteString(HKCR, L"CLSID\\" + Id(1) + L"\\InprocServer32", L"", T(L"\\gone\\inproc.dll"));
    registry.WriteString(HKCR, L"CLSID\\" + Id(2) + L"\\LocalServer32", L"",
                         Quote(T(L"\\gone\\local.exe")) + L" -Embedding");
    registry.WriteString(HKCR, L"WOW6432Node\\CLSID\\" + Id(3) + L"\\LocalServer32", L"", T(L"\\gone\\local32.exe"));
    registry.WriteString(HKCR, L"CLSID\\" + Id(4) + L"\\ToolBoxBitmap32", L"", T(L"\\gone\\ctl.ocx,1"));
    registry.CreateKey(HKCR, L"CLSID\\" + Id(5) + L"\\InprocServer32");
    registry.WriteString(HKCR, L"CLSID\\" + Id(6) + L"\\TypeLib", L"", kMissingLib);
    registry.WriteString(HKCR, L"TypeLib\\" + Id(7) + L"\\1.0\\HELPDIR", L"", L"");
    registry.WriteString(HKCR, L"Interface\\" + Id(8) + L"\\TypeLib", L"", kMissingLib);
  }

  std::wstring T(const std::wstring& below) const { return temp.Path() + below; }

  // Every category there is, the program leftovers included.
  test::OnlyCategories categories{
      OptionSwitch::RC_FileFormate, OptionSwitch::RC_COMOLEActiveX,   OptionSwitch::RC_Shared,
      OptionSwitch::RC_Fonts,       OptionSwitch::RC_Media,           OptionSwitch::RC_Help,
      OptionSwitch::RC_AppPaths,    OptionSwitch::RC_WindowsHistory,  OptionSwitch::RC_Installer,
      OptionSwitch::RC_Startmenu,   OptionSwitch::RC_WindowsFirewall, OptionSwitch::RC_Leftovers};
  TempFolder temp;
  test::RealRegistryFixture registry;
};

TEST_F(EvidenceJson, EveryFindingSaysWhatWasTestedAndTheVerdict) {
  const std::wstring file = temp.File(L"scan.json");
  const test::RunResult scan = RunProgram(Quote(CliPath()) + L" scan --json " + Quote(file));
  ASSERT_EQ(scan.exitCode, 0u) << scan.output;
  json document = json::parse(ReadFileBytes(file));
  json& findings = document["findings"];
  ASSERT_TRUE(findings.is_array());

  // Any finding at all, named so that the failure says which check to fix.
  std::vector<std::string> withoutEvidence;
  std::map<int, json> ours;  // one of ours per group, for the verdicts below
  for (json& finding : findings) {
    json& evidence = finding["evidence"];
    const bool tested = evidence["tested"].is_string() && !evidence["tested"].get<std::string>().empty();
    const bool verdict = evidence["verdict"].is_string() && !evidence["verdict"].get<std::string>().empty();
    if (!tested || !verdict)
      withoutEvidence.push_back(finding["check"]["name"].get<std::string>() + " | " +
                                finding["root"].get<std::string>() + "\\" + finding["key"].get<std::string>() + " [" +
                                finding["value"].get<std::string>() + "]" + (tested ? "" : " no tested") +
                                (verdict ? "" : " no verdict"));
    if (Ours(finding)) ours.emplace(finding["check"]["group"].get<int>(), finding);
  }
  EXPECT_THAT(withoutEvidence, ::testing::IsEmpty());

  // The planted findings, so that the rule above is seen to hold for each
  // of these checks; what each was tested for, and what deleting takes.
  const std::string gone = U8(T(L"\\gone"));
  const struct {
    CheckId group;
    const char* verdict;
    std::string tested;  // empty: not compared here
    const char* removes;
  } expected[] = {
      {CheckId::Shared, "neither file nor folder found", gone + "\\keytidyevidence.dll", "value"},
      {CheckId::HelpFiles, "file not found", "", "value"},
      {CheckId::AppPaths, "neither file nor folder found", gone + "\\app.exe", "key"},
      {CheckId::Fonts, "file not found", "", "value"},
      {CheckId::MruPaint, "file not found", gone + "\\keytidyevidence.bmp", "value"},
      {CheckId::EmptySoftwareKeys, "key is empty", "", "key"},
      {CheckId::HelpFilesZeroBytes, "size is 0 bytes", "", "value"},
      {CheckId::AppPathsEmpty, "key is empty", "", "key"},
      {CheckId::EmptyUninstallKeys, "key is empty", "", "key"},
      {CheckId::InstallerPath, "folder not found", gone + "\\KeytidyEvidenceFolder\\", "value"},
      {CheckId::UninstallInstallPath, "folder not found", U8(T(L"\\gone-src")), "value"},
      {CheckId::FileFormatWrongExe, "file not found", gone + "\\type.exe", "key"},
      {CheckId::FileFormatLinkMissing, "class not registered", "HKEY_CLASSES_ROOT\\KeytidyEvidenceMissing", "key"},
      {CheckId::FileFormatWrongIcon, "file not found", gone + "\\icons.dll", "key"},
      {CheckId::ComInprocServer32, "file not found", gone + "\\inproc.dll", "key"},
      {CheckId::ComToolboxBitmap, "file not found", gone + "\\ctl.ocx", "key"},
      {CheckId::ComEmptyInprocServer32, "key is empty", "", "key"},
      {CheckId::ComLocalServer32, "file not found", gone + "\\local.exe", "key"},
      {CheckId::ComTypeLibInvalid, "type library not registered", U8(kMissingLib), "key"},
      {CheckId::TypeLibEmptyHelpDir, "help-folder key names no folder",
       "HKEY_CLASSES_ROOT\\TypeLib\\" + U8(Id(7)) + "\\1.0\\HELPDIR", "key"},
      {CheckId::InterfaceTypeLibInvalid, "type library not registered", U8(kMissingLib), "key"},
      {CheckId::FirewallRules, "file not found", gone + "\\fw.exe", "value"},
      {CheckId::StartupLeftover, "neither file nor folder found", gone + "\\run.exe", "value"},
  };
  for (const auto& want : expected) {
    SCOPED_TRACE("group " + std::to_string(Number(want.group)));
    const auto found = ours.find(Number(want.group));
    ASSERT_NE(found, ours.end()) << "the planted finding is missing";
    json& finding = found->second;
    EXPECT_EQ(finding["evidence"]["verdict"], want.verdict);
    if (!want.tested.empty()) EXPECT_EQ(finding["evidence"]["tested"], want.tested);
    EXPECT_EQ(finding["deletion"]["removes"], want.removes);
    EXPECT_EQ(finding["deletion"]["exists"], true);
  }
}

}  // namespace
}  // namespace keytidy
