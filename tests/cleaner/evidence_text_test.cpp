// The evidence pane's text for findings of each kind, in both shipped
// languages: labels and verdicts translated, registry names, paths and data
// exactly as read, and what a deletion takes with it.
#include "cleaner/evidence_text.h"

#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "platform/text.h"
#include "model/categories.h"
#include "support/programs.h"

namespace keytidy {
namespace {

RegValueData Sz(const std::wstring& text) {
  RegValueData raw{REG_SZ, {}};
  for (wchar_t c : text + L'\0') {
    raw.data.push_back(static_cast<std::uint8_t>(c & 0xFF));
    raw.data.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return raw;
}

RegValueData Dword(std::uint32_t number) {
  return {REG_DWORD,
          {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
           static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}

struct Read {
  RootKey root;
  std::wstring key;
  std::wstring value;
  std::optional<RegValueData> raw;
};

TTreeData_RegCleaner Finding(EvidenceTest test, const std::wstring& target, bool thirtyTwoBit, const Read& read,
                             bool deleteKey, const std::wstring& deleteKeyPath) {
  TTreeData_RegCleaner entry;
  entry.RootKey = read.root;
  entry.Key = read.key;
  entry.Value = read.value;
  entry.DeleteKey = deleteKey;
  entry.DeleteValue = !deleteKey;
  entry.Delete_Root = read.root;
  entry.Delete_Key = deleteKeyPath;
  entry.Delete_Value = deleteKey ? L"" : read.value;
  entry.Evidence = {test, target, thirtyTwoBit, read.root, read.key, read.value, true, read.raw};
  return entry;
}

struct EvidenceCase {
  const char* name;
  TTreeData_RegCleaner entry;
  DeletionPreview preview;
  const wchar_t* english;
  const wchar_t* german;
};

const std::wstring kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::wstring kFontFile = L"C:\\Program Files\\Keytidy Fonts\\sans.ttf";
const std::wstring kShared32 = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::wstring kSharedFile = L"C:\\Windows\\System32\\ktshared.dll";
const std::wstring kClass = L"CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}";
const std::wstring kInterface = L"Interface\\{8E7D6C5B-4A39-4281-B7F6-E5D4C3B2A190}";
const std::wstring kLibrary = L"{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}";

std::vector<EvidenceCase> Cases() {
  TTreeData_RegCleaner fileType =
      Finding(EvidenceTest::NotRepeatable, L"", false,
              {ROOT_HKEY_CLASSES_ROOT, L".ktdoc", L"", Sz(L"Keytidy.OldDocument")}, true, L".ktdoc");
  fileType.MissingKey = L"Keytidy.OldDocument";
  // The same link read from the user's own classes.
  TTreeData_RegCleaner userFileType = fileType;
  userFileType.Evidence.classesHive = ConcreteKey{ROOT_HKEY_USERS, L"S-1-5-21-1-2-3-1001_Classes"};
  const std::wstring helpDir = L"TypeLib\\" + kLibrary + L"\\1.0\\HELPDIR";
  TTreeData_RegCleaner emptyHelpDir = Finding(EvidenceTest::NotRepeatable, L"HKEY_CLASSES_ROOT\\" + helpDir, false,
                                              {ROOT_HKEY_CLASSES_ROOT, helpDir, L"", Sz(L"")}, true, helpDir);
  emptyHelpDir.GroupIndex = CheckId::TypeLibEmptyHelpDir;
  return {
      {"value finding of a missing file",
       Finding(EvidenceTest::FileMissing, kFontFile, false,
               {ROOT_HKEY_LOCAL_MACHINE, kFonts, L"Keytidy Sans (TrueType)", Sz(kFontFile)}, false, kFonts),
       {false, true, 0, 1, 0, {}, {L"Keytidy Sans (TrueType)"}},
       L"Verdict: file not found\r\n"
       L"Read from: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\r\n"
       L"Value name: Keytidy Sans (TrueType)\r\n"
       L"Type: REG_SZ (80 Bytes)\r\n"
       L"Data: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Reference taken from it: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Tested: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: this one value\r\n"
       L"    HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\r\n"
       L"    Keytidy Sans (TrueType)",
       L"Befund: Datei nicht gefunden\r\n"
       L"Gelesen aus: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\r\n"
       L"Wertname: Keytidy Sans (TrueType)\r\n"
       L"Typ: REG_SZ (80 Bytes)\r\n"
       L"Daten: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Daraus entnommener Verweis: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Gepr\u00fcft: C:\\Program Files\\Keytidy Fonts\\sans.ttf\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: nur diesen Wert\r\n"
       L"    HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\r\n"
       L"    Keytidy Sans (TrueType)"},
      // The empty server key was tested; its class key, with everything
      // below it, is what goes.
      {"empty key whose deletion takes sub-keys",
       Finding(EvidenceTest::KeyEmpty, kClass + L"\\InprocServer32", false,
               {ROOT_HKEY_CLASSES_ROOT, kClass + L"\\InprocServer32", L"", std::nullopt}, true, kClass),
       {true,
        true,
        7,
        9,
        2,
        {L"Implemented Categories", L"Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
         L"InprocServer32", L"ProgID", L"Version"},
        {L"", L"AppID"}},
       L"Verdict: key is empty\r\n"
       L"Read from: HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\\InprocServer32\r\n"
       L"Value name: (default)\r\n"
       L"Data: (the value did not exist)\r\n"
       L"Tested: HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\\InprocServer32\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: the key with 7 sub-keys and 9 values\r\n"
       L"    HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\r\n"
       L"Sub-keys:\r\n"
       L"    Implemented Categories\r\n"
       L"    Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}\r\n"
       L"    InprocServer32\r\n"
       L"    ProgID\r\n"
       L"    Version\r\n"
       L"    and 2 more\r\n"
       L"Values of the key:\r\n"
       L"    (default)\r\n"
       L"    AppID",
       L"Befund: Schl\u00fcssel ist leer\r\n"
       L"Gelesen aus: HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\\InprocServer32\r\n"
       L"Wertname: (Standard)\r\n"
       L"Daten: (der Wert existierte nicht)\r\n"
       L"Gepr\u00fcft: HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\\InprocServer32\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: den Schl\u00fcssel mit 7 Unterschl\u00fcsseln und 9 Werten\r\n"
       L"    HKEY_CLASSES_ROOT\\CLSID\\{4F1C2B3A-9E8D-4C7B-A6F5-0E1D2C3B4A59}\r\n"
       L"Unterschl\u00fcssel:\r\n"
       L"    Implemented Categories\r\n"
       L"    Implemented Categories\\{7DD95801-9882-11CF-9FA9-00AA006C42C4}\r\n"
       L"    InprocServer32\r\n"
       L"    ProgID\r\n"
       L"    Version\r\n"
       L"    und 2 weitere\r\n"
       L"Werte des Schl\u00fcssels:\r\n"
       L"    (Standard)\r\n"
       L"    AppID"},
      // A 32-bit program naming System32 means SysWOW64: that is the file
      // tested, while the reference stays as read.
      {"32-bit branch",
       Finding(EvidenceTest::FileMissing, kSharedFile, true,
               {ROOT_HKEY_LOCAL_MACHINE, kShared32, kSharedFile, Dword(3)}, false, kShared32),
       {false, true, 0, 1, 0, {}, {kSharedFile}},
       L"Verdict: file not found\r\n"
       L"Read from: HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
       L"Value name: C:\\Windows\\System32\\ktshared.dll\r\n"
       L"Type: REG_DWORD (4 Bytes)\r\n"
       L"Data: 0x00000003 (3)\r\n"
       L"Reference taken from it: C:\\Windows\\System32\\ktshared.dll\r\n"
       L"Tested: C:\\Windows\\SysWOW64\\ktshared.dll\r\n"
       L"Registry view: 32-bit\r\n"
       L"Deleting removes: this one value\r\n"
       L"    HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
       L"    C:\\Windows\\System32\\ktshared.dll",
       L"Befund: Datei nicht gefunden\r\n"
       L"Gelesen aus: HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
       L"Wertname: C:\\Windows\\System32\\ktshared.dll\r\n"
       L"Typ: REG_DWORD (4 Bytes)\r\n"
       L"Daten: 0x00000003 (3)\r\n"
       L"Daraus entnommener Verweis: C:\\Windows\\System32\\ktshared.dll\r\n"
       L"Gepr\u00fcft: C:\\Windows\\SysWOW64\\ktshared.dll\r\n"
       L"Registrierungsansicht: 32-Bit\r\n"
       L"L\u00f6schen entfernt: nur diesen Wert\r\n"
       L"    HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs\r\n"
       L"    C:\\Windows\\System32\\ktshared.dll"},
      {"type library not registered",
       Finding(EvidenceTest::TypeLibNotRegistered, kLibrary, false,
               {ROOT_HKEY_CLASSES_ROOT, kInterface + L"\\TypeLib", L"", Sz(kLibrary)}, true, kInterface),
       {true, true, 2, 3, 1, {L"ProxyStubClsid32", L"TypeLib"}, {L""}},
       L"Verdict: type library not registered\r\n"
       L"Read from: HKEY_CLASSES_ROOT\\Interface\\{8E7D6C5B-4A39-4281-B7F6-E5D4C3B2A190}\\TypeLib\r\n"
       L"Value name: (default)\r\n"
       L"Type: REG_SZ (78 Bytes)\r\n"
       L"Data: {0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Reference taken from it: {0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Tested: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: the key with 2 sub-keys and 3 values\r\n"
       L"    HKEY_CLASSES_ROOT\\Interface\\{8E7D6C5B-4A39-4281-B7F6-E5D4C3B2A190}\r\n"
       L"Sub-keys:\r\n"
       L"    ProxyStubClsid32\r\n"
       L"    TypeLib\r\n"
       L"Values of the key:\r\n"
       L"    (default)",
       L"Befund: Typbibliothek nicht registriert\r\n"
       L"Gelesen aus: HKEY_CLASSES_ROOT\\Interface\\{8E7D6C5B-4A39-4281-B7F6-E5D4C3B2A190}\\TypeLib\r\n"
       L"Wertname: (Standard)\r\n"
       L"Typ: REG_SZ (78 Bytes)\r\n"
       L"Daten: {0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Daraus entnommener Verweis: {0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Gepr\u00fcft: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: den Schl\u00fcssel mit 2 Unterschl\u00fcsseln und 3 Werten\r\n"
       L"    HKEY_CLASSES_ROOT\\Interface\\{8E7D6C5B-4A39-4281-B7F6-E5D4C3B2A190}\r\n"
       L"Unterschl\u00fcssel:\r\n"
       L"    ProxyStubClsid32\r\n"
       L"    TypeLib\r\n"
       L"Werte des Schl\u00fcssels:\r\n"
       L"    (Standard)"},
      // The file type names a class that is not there; by the time the
      // row is selected the entry is gone as well.
      {"class not registered, entry gone since",
       fileType,
       {true, false, 0, 0, 0, {}, {}},
       L"Verdict: class not registered\r\n"
       L"Read from: HKEY_CLASSES_ROOT\\.ktdoc\r\n"
       L"Value name: (default)\r\n"
       L"Type: REG_SZ (40 Bytes)\r\n"
       L"Data: Keytidy.OldDocument\r\n"
       L"Reference taken from it: Keytidy.OldDocument\r\n"
       L"Tested: HKEY_CLASSES_ROOT\\Keytidy.OldDocument\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: nothing: the entry no longer exists",
       L"Befund: Klasse nicht registriert\r\n"
       L"Gelesen aus: HKEY_CLASSES_ROOT\\.ktdoc\r\n"
       L"Wertname: (Standard)\r\n"
       L"Typ: REG_SZ (40 Bytes)\r\n"
       L"Daten: Keytidy.OldDocument\r\n"
       L"Daraus entnommener Verweis: Keytidy.OldDocument\r\n"
       L"Gepr\u00fcft: HKEY_CLASSES_ROOT\\Keytidy.OldDocument\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: nichts: der Eintrag existiert nicht mehr"},
      {"class link read from the user's own classes",
       userFileType,
       {true, false, 0, 0, 0, {}, {}},
       L"Verdict: class not registered\r\n"
       L"Read from: HKEY_CLASSES_ROOT\\.ktdoc\r\n"
       L"Value name: (default)\r\n"
       L"Hive: HKEY_USERS\\S-1-5-21-1-2-3-1001_Classes\r\n"
       L"Type: REG_SZ (40 Bytes)\r\n"
       L"Data: Keytidy.OldDocument\r\n"
       L"Reference taken from it: Keytidy.OldDocument\r\n"
       L"Tested: HKEY_CLASSES_ROOT\\Keytidy.OldDocument\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: nothing: the entry no longer exists",
       L"Befund: Klasse nicht registriert\r\n"
       L"Gelesen aus: HKEY_CLASSES_ROOT\\.ktdoc\r\n"
       L"Wertname: (Standard)\r\n"
       L"Struktur: HKEY_USERS\\S-1-5-21-1-2-3-1001_Classes\r\n"
       L"Typ: REG_SZ (40 Bytes)\r\n"
       L"Daten: Keytidy.OldDocument\r\n"
       L"Daraus entnommener Verweis: Keytidy.OldDocument\r\n"
       L"Gepr\u00fcft: HKEY_CLASSES_ROOT\\Keytidy.OldDocument\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: nichts: der Eintrag existiert nicht mehr"},
      // The check's own rule (an empty default value is still a value) has
      // a verdict of its own, and names the key it looked at.
      {"help-folder key judged by the check's own rule",
       emptyHelpDir,
       {true, true, 0, 1, 1, {}, {L""}},
       L"Verdict: help-folder key names no folder\r\n"
       L"Read from: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Value name: (default)\r\n"
       L"Type: REG_SZ (2 Bytes)\r\n"
       L"Data: \r\n"
       L"Tested: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Registry view: 64-bit\r\n"
       L"Deleting removes: the key with 0 sub-keys and 1 values\r\n"
       L"    HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Values of the key:\r\n"
       L"    (default)",
       L"Befund: Hilfeordner-Schl\u00fcssel nennt keinen Ordner\r\n"
       L"Gelesen aus: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Wertname: (Standard)\r\n"
       L"Typ: REG_SZ (2 Bytes)\r\n"
       L"Daten: \r\n"
       L"Gepr\u00fcft: HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Registrierungsansicht: 64-Bit\r\n"
       L"L\u00f6schen entfernt: den Schl\u00fcssel mit 0 Unterschl\u00fcsseln und 1 Werten\r\n"
       L"    HKEY_CLASSES_ROOT\\TypeLib\\{0B5E6C2A-7D41-4F8E-9A3B-2C1D0E9F8A76}\\1.0\\HELPDIR\r\n"
       L"Werte des Schl\u00fcssels:\r\n"
       L"    (Standard)"},
  };
}

class EvidenceText : public testing::Test {
 protected:
  void Use(const wchar_t* language) {
    Localisation_Reset();
    LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", language);
    Apply_StartupMessageDefaults();
  }
  void TearDown() override { Localisation_Reset(); }

  const EvidenceMachine machine_{true, L"C:\\Windows"};
};

TEST_F(EvidenceText, EachKindOfFindingInBothLanguages) {
  const std::vector<EvidenceCase> cases = Cases();
  for (const auto& [language, text] :
       {std::pair{L"en-us", &EvidenceCase::english}, std::pair{L"de-de", &EvidenceCase::german}}) {
    Use(language);
    for (const EvidenceCase& c : cases) {
      SCOPED_TRACE(std::string(c.name) + " / " + Utf16ToUtf8(language));
      EXPECT_EQ(Evidence_Text(c.entry, c.preview, machine_), c.*text);
    }
  }
}

// On 32-bit Windows there is no other view: the native one is 32-bit and
// System32 is not redirected.
TEST_F(EvidenceText, OnThirtyTwoBitWindowsTheNativeViewIsThirtyTwoBit) {
  Use(L"en-us");
  const EvidenceCase shared = Cases()[2];
  TTreeData_RegCleaner entry = shared.entry;
  entry.Evidence.thirtyTwoBitBranch = false;
  const std::wstring text = Evidence_Text(entry, shared.preview, EvidenceMachine{false, L"C:\\Windows"});
  EXPECT_NE(text.find(L"Tested: C:\\Windows\\System32\\ktshared.dll\r\n"), std::wstring::npos) << Utf16ToUtf8(text);
  EXPECT_NE(text.find(L"Registry view: 32-bit\r\n"), std::wstring::npos);
}

}  // namespace
}  // namespace keytidy
