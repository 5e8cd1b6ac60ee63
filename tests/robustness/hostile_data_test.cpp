// Hostile registry data run through the real keytidy-cli.exe: names with
// quotes, backslashes, %, |, line breaks and non-ASCII letters, data with
// zeros inside, odd sizes, a megabyte, expansions past the 32 767-character
// limit and type numbers nobody defined, placed where the checks look.
// Whatever the checks make of it, "scan" and "clean" must not crash, "clean"
// may remove only the findings (and must leave what it cannot record), and
// "restore" must bring back every removed item byte for byte.
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/option_switches.h"
#include "support/programs.h"
#include "support/real_registry.h"

namespace keytidy {
namespace {

using test::BinFolder;
using test::CliPath;
using test::Quote;
using test::RunProgram;
using test::TempFolder;
using Bytes = std::vector<BYTE>;

constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;
const std::wstring kAppPaths = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const std::wstring kShared = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::wstring kFonts = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const std::wstring kHelp = L"SOFTWARE\\Microsoft\\Windows\\Help";
const std::wstring kUninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// The machine's class keys; HKEY_CLASSES_ROOT shows them unless the user has
// a key of the same name.
const std::wstring kClasses = L"SOFTWARE\\Classes";
const std::wstring kSounds = L"AppEvents\\Schemes\\Apps";
const std::wstring kLayers = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Layers";
// The shell's cache of program display names, where Windows 6 and later keep it.
const std::wstring kMuiCache = L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache";
const std::wstring kSoundApp = kSounds + L"\\KeytidyHostile \"q\" | 100% \u00fc";
const std::wstring kSoundEvent = kSoundApp + L"\\Event \"\u00e9\" %x%";
const std::wstring kHostileClass = L"{4B657974-6964-7920-486F-7374696C6521}";

// ---------------------------------------------------------------------------
// Raw registry snapshots, read through advapi32 alone so that they do not
// depend on the code under test.

struct RawValue {
  DWORD type = 0;
  Bytes data;
  bool operator==(const RawValue&) const = default;
};
using KeyValues = std::map<std::wstring, RawValue>;  // by exact name
using KeyId = std::pair<RootKey, std::wstring>;
using TreeSnapshot = std::map<KeyId, KeyValues>;

void SnapshotKey(RootKey root, const std::wstring& path, bool recursive, TreeSnapshot& into) {
  UniqueHKey key;
  if (RegOpenKeyExW(RootKeyHandle(root), path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) != ERROR_SUCCESS)
    return;
  DWORD subKeys = 0, longestSubKey = 0, values = 0, longestName = 0, largestData = 0;
  ASSERT_EQ(RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values,
                             &longestName, &largestData, nullptr, nullptr),
            ERROR_SUCCESS);
  KeyValues& state = into[{root, path}];
  for (DWORD i = 0; i < values; ++i) {
    std::wstring name(longestName + 1, L'\0');
    DWORD nameLength = longestName + 1;
    RawValue value;
    value.data.resize(largestData + 1);
    DWORD size = largestData + 1;
    ASSERT_EQ(RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &value.type, value.data.data(), &size),
              ERROR_SUCCESS);
    name.resize(nameLength);
    value.data.resize(size);
    state[name] = std::move(value);
  }
  if (!recursive) return;
  for (DWORD i = 0; i < subKeys; ++i) {
    std::wstring name(longestSubKey + 1, L'\0');
    DWORD nameLength = longestSubKey + 1;
    ASSERT_EQ(RegEnumKeyExW(key.get(), i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    name.resize(nameLength);
    SnapshotKey(root, path + L"\\" + name, true, into);
  }
}

// Every place the enabled checks walk and the fixture writes to.
TreeSnapshot SnapshotContainers() {
  TreeSnapshot snapshot;
  for (const std::wstring& tree : {kAppPaths, kUninstall, kClasses}) SnapshotKey(HKLM, tree, true, snapshot);
  for (const std::wstring& list : {kShared, kFonts, kHelp}) SnapshotKey(HKLM, list, false, snapshot);
  SnapshotKey(HKCU, kSounds, true, snapshot);
  SnapshotKey(HKCU, kLayers, false, snapshot);
  SnapshotKey(HKCU, kMuiCache, false, snapshot);
  return snapshot;
}

std::string Printable(const std::wstring& text) {
  std::wstring shown;
  for (wchar_t c : text.substr(0, 120)) {
    if (c == L'\n')
      shown += L"\\n";
    else if (c == L'\r')
      shown += L"\\r";
    else
      shown.push_back(c);
  }
  return Utf16ToUtf8(shown) + (text.size() > 120 ? "...(" + std::to_string(text.size()) + " chars)" : "");
}

std::string Printable(const KeyId& key) { return (key.first == HKCU ? "HKCU\\" : "HKLM\\") + Printable(key.second); }

// ---------------------------------------------------------------------------
// The hostile data.

Bytes TextBytes(const std::wstring& text, bool terminated = true) {
  const wchar_t* begin = text.data();
  Bytes bytes(reinterpret_cast<const BYTE*>(begin), reinterpret_cast<const BYTE*>(begin + text.size()));
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

Bytes Pattern(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<BYTE>((i * 7 + 3) & 0xFF);
  return bytes;
}

struct HostileValue {
  std::wstring name;
  DWORD type;
  Bytes data;
};

// Values whose names and data every layer must carry unchanged: the reader of
// a check, the backup writer, the read-back check and the import.
std::vector<HostileValue> HostileValues() {
  std::wstring hugeText(512 * 1024 - 1, L'x');
  std::wstring longExpansion;
  while (longExpansion.size() < 40000) longExpansion += L"%SystemRoot%\\";
  return {
      {L"quote\"d \"name\"", REG_SZ, TextBytes(L"say \"hi\" \\\"")},
      {L"back\\slash\\", REG_SZ, TextBytes(L"C:\\dir\\")},
      {L"\\", REG_SZ, TextBytes(L"\\\\")},
      {L"100% | pipe %PATH%", REG_EXPAND_SZ, TextBytes(L"%KEYTIDY_HOSTILE_UNSET%|%%")},
      {L"\u00fcnic\u00f6de \u043a\u043b\u044e\u0447 \u540d\u524d", REG_SZ,
       TextBytes(L"\u00e9\u00e8 \u20ac \U0001F600")},
      {L"zero inside", REG_SZ, TextBytes(std::wstring(L"before\0after", 12))},
      {L"empty string", REG_SZ, Bytes{}},
      {L" spaced ", REG_SZ, TextBytes(L" spaced data ")},
      {L"@", REG_SZ, TextBytes(L"not the default")},
      {L"a\"=\"b", REG_SZ, TextBytes(L"=\"")},
      {L"-", REG_SZ, TextBytes(L"-")},
      {L";comment", REG_DWORD, Bytes{7, 0, 0, 0}},
      {L"line break data", REG_SZ, TextBytes(L"one\r\ntwo\nthree")},
      {L"dword of three", REG_DWORD, Bytes{1, 2, 3}},
      {L"qword", REG_QWORD, Pattern(8)},
      {L"multi", REG_MULTI_SZ, TextBytes(std::wstring(L"a\0\0b\"\0", 6))},
      {L"multi with one terminator", REG_MULTI_SZ, TextBytes(L"a")},
      {L"link", REG_LINK, Pattern(6)},
      {L"empty none", REG_NONE, Bytes{}},
      {L"type 0x1234", 0x1234, Pattern(13)},
      {L"type 0xFFFFFFFF", 0xFFFFFFFF, Pattern(2)},
      {L"megabyte string", REG_SZ, TextBytes(hugeText)},
      {L"megabyte binary", REG_BINARY, Pattern(1024 * 1024)},
      {L"long expansion", REG_EXPAND_SZ, TextBytes(longExpansion)},
  };
}

// String data no import gives back exactly (the importer adds the missing
// terminator); a key holding any of these cannot be recorded and must stay.
std::vector<HostileValue> UnrecordableValues() {
  return {
      {L"odd size", REG_SZ, Bytes{'a', 0, 'b', 0, 'c'}},
      {L"one byte", REG_SZ, Bytes{'a'}},
      {L"no terminator", REG_SZ, TextBytes(L"abc", false)},
      {L"expand without terminator", REG_EXPAND_SZ, TextBytes(L"%x%", false)},
      {L"multi without terminator", REG_MULTI_SZ, TextBytes(std::wstring(L"a\0b", 3), false)},
  };
}

enum class Outcome {
  Removed,  // a finding that clean removes
  Kept,     // not a finding: nothing may touch it
  Refused,  // a finding no backup can hold: clean must leave it
};

// One item where a check looks: a key that is the finding as a whole, or a
// value in a key the checks walk.
struct HostileItem {
  const char* what;
  std::wstring key;   // below `root`
  std::wstring name;  // the value; for whole-key items the default value
  DWORD type;
  Bytes data;
  Outcome outcome;
  bool wholeKey;  // the finding deletes `key` rather than the value
  RootKey root = HKLM;

  KeyId Id() const { return {root, key}; }
};

class HostileData : public ::testing::Test {
 protected:
  HostileData() {
    for (const OptionSwitchInfo& info : OptionSwitchTable()) {
      std::optional<std::int32_t> value;
      if (Reg_ValueExists(HKLM, kOptionsKey, info.name)) value = Reg_ReadInteger(HKLM, kOptionsKey, info.name);
      switches_.emplace_back(info.name, value);
    }
    CreateDirectoryW(T(L"\\here").c_str(), nullptr);
    test::WriteFileBytes(T(L"\\here\\present.exe"), "MZ");
    test::WriteFileBytes(T(L"\\here\\keytidy-hostile-present.ttf"), "font");
  }
  ~HostileData() override {
    for (const auto& [name, value] : switches_)
      if (value)
        Reg_WriteInteger(HKLM, kOptionsKey, name, *value);
      else
        Reg_DeleteValue(HKLM, kOptionsKey, name);
    for (const std::wstring& set : newSets_)
      for (const wchar_t* extension : {L".reg", L".ini"})
        DeleteFileW((BinFolder() + L"\\Backups\\" + set + extension).c_str());
  }

  std::wstring T(const std::wstring& below) const { return temp_.Path() + below; }

  std::vector<HostileItem> Items() const {
    const std::wstring gone = T(L"\\gone\\");
    const std::wstring present = T(L"\\here\\present.exe");
    const std::wstring odd = L"KeytidyHostile \"q\" 100% | \u00fc\u00df\u4e2d";
    auto appPath = [&](const char* what, const std::wstring& name, DWORD type, const std::wstring& target,
                       Outcome outcome) {
      return HostileItem{what, kAppPaths + L"\\" + name, L"", type, TextBytes(target), outcome, true};
    };
    auto appPathLike = [&](const char* what, const std::wstring& key, const Bytes& data, Outcome outcome) {
      return HostileItem{what, key, L"", REG_SZ, data, outcome, true};
    };
    auto value = [&](const char* what, const std::wstring& key, const std::wstring& name, DWORD type, const Bytes& data,
                     Outcome outcome) { return HostileItem{what, key, name, type, data, outcome, false}; };
    const DWORD one = 1;
    const Bytes count(reinterpret_cast<const BYTE*>(&one), reinterpret_cast<const BYTE*>(&one) + 4);
    std::wstring longExpansion;
    while (longExpansion.size() < 40000) longExpansion += L"%SystemRoot%";
    return {
        // App Paths: the key goes, with every value and sub-key it holds.
        appPath("quoted key name", odd + L".exe", REG_SZ, gone + L"app.exe", Outcome::Removed),
        appPath("key holding every hostile value", L"KeytidyHostileBag.exe", REG_SZ, gone + L"bag.exe",
                Outcome::Removed),
        appPath("300-character target", L"KeytidyHostileLong.exe", REG_SZ, gone + std::wstring(280, L'p') + L".exe",
                Outcome::Removed),
        appPath("brackets and a semicolon", L"[KeytidyHostile] ;x].exe", REG_SZ, gone + L"bracket.exe",
                Outcome::Removed),
        appPath("longest key name", L"KeytidyHostile" + std::wstring(255 - 18, L'n') + L".exe", REG_SZ,
                gone + L"longname.exe", Outcome::Removed),
        appPath("reference that expands to nothing", L"KeytidyHostileEmptyVar.exe", REG_EXPAND_SZ,
                L"%KEYTIDY_HOSTILE_EMPTY%" + gone + L"empty.exe", Outcome::Removed),
        appPath("unset reference", L"KeytidyHostileUnsetVar.exe", REG_EXPAND_SZ, L"%KEYTIDY_HOSTILE_UNSET%\\x.exe",
                Outcome::Kept),
        appPath("target that exists", odd + L" kept.exe", REG_SZ, present, Outcome::Kept),
        appPath("line break in the key name", L"KeytidyHostile\nBreak.exe", REG_SZ, gone + L"break.exe",
                Outcome::Refused),
        appPath("key holding unrecordable string data", L"KeytidyHostileUnterminated.exe", REG_SZ,
                gone + L"unterminated.exe", Outcome::Refused),
        // Wine's reg.exe exports a line break in a value name as \n and
        // imports it back, so the key is recorded exactly and goes. Where the
        // export holds the raw line break instead, the read-back fails and
        // our own writer refuses the name: the key stays.
        appPath("key with a line-break value name", L"KeytidyHostileBreakValue.exe", REG_SZ, gone + L"bv.exe",
                Outcome::Removed),
        // Shared DLLs: the value name is the file.
        value("shared, quotes and percent", kShared, gone + L"q\"uote 100% | \u00fc.dll", REG_DWORD, count,
              Outcome::Removed),
        value("shared, line break in the name", kShared, gone + L"new\nline.dll", REG_DWORD, count, Outcome::Refused),
        value("shared, odd type and size", kShared, gone + L"keytidy-hostile-odd.dll", 0x1234, Bytes{1, 2, 3},
              Outcome::Removed),
        value("shared, existing file", kShared, present, REG_DWORD, count, Outcome::Kept),
        // Fonts: the data names the file.
        value("font, quotes and backslashes in the name", kFonts, L"Keytidy \"Hostile\" \\ | 100% \u00fc (TrueType)",
              REG_SZ, TextBytes(L"keytidy-hostile-gone.ttf"), Outcome::Removed),
        value("font, longest value name", kFonts, L"Keytidy Hostile " + std::wstring(16383 - 16, L'w'), REG_SZ,
              TextBytes(L"keytidy-hostile-gone4.ttf"), Outcome::Removed),
        value("font, trailing backslash", kFonts, L"Keytidy Hostile trailing\\", REG_SZ,
              TextBytes(L"keytidy-hostile-gone2.ttf"), Outcome::Removed),
        value("font, zero inside the data", kFonts, L"Keytidy Hostile zero", REG_SZ,
              TextBytes(std::wstring(L"keytidy-hostile-gone3.ttf\0junk", 30)), Outcome::Removed),
        value("font, odd byte count", kFonts, L"Keytidy Hostile odd", REG_SZ,
              Bytes{'k', 0, 'h', 0, '.', 0, 't', 0, 't', 0, 'f', 0, 0}, Outcome::Refused),
        value("font, megabyte binary", kFonts, L"Keytidy Hostile binary", REG_BINARY, Pattern(1024 * 1024),
              Outcome::Removed),
        value("font, present", kFonts, L"Keytidy Hostile present", REG_SZ,
              TextBytes(T(L"\\here\\keytidy-hostile-present.ttf")), Outcome::Kept),
        // Help files: the value names the file, the data its folder.
        value("help, megabyte folder", kHelp, L"keytidy-hostile-big.hlp", REG_SZ,
              TextBytes(gone + std::wstring(512 * 1024 - 300, L'f')), Outcome::Removed),
        value("help, expansion past the limit", kHelp, L"keytidy-hostile-expand.hlp", REG_EXPAND_SZ,
              TextBytes(longExpansion), Outcome::Removed),
        value("help, unknown type", kHelp, L"keytidy-hostile-type.hlp", 0x1234, TextBytes(gone), Outcome::Kept),
        value("help, no terminator", kHelp, L"keytidy-hostile-unterminated.hlp", REG_SZ, TextBytes(gone, false),
              Outcome::Refused),
        // File types: an extension naming a program identifier that is not
        // registered loses that name, and keeps its other values and its
        // open-with list; one naming a registered identifier stays.
        value("extension without its program", kClasses + L"\\.keytidyhostile\"q\"|%\u00fc", L"", REG_SZ,
              TextBytes(L"KeytidyHostile.Missing \"id\" \u00fc"), Outcome::Removed),
        appPathLike("extension with its program", kClasses + L"\\.keytidyhostilekept",
                    TextBytes(L"KeytidyHostile.Present"), Outcome::Kept),
        appPathLike("registered program", kClasses + L"\\KeytidyHostile.Present", TextBytes(L"kept \"type\""),
                    Outcome::Kept),
        // COM: the in-process server sub-key goes, the class itself stays.
        HostileItem{"class with a missing server", kClasses + L"\\CLSID\\" + kHostileClass + L"\\InprocServer32", L"",
                    REG_EXPAND_SZ, TextBytes(L"%KEYTIDY_HOSTILE_EMPTY%" + gone + L"com \"q\" | 100% \u00fc.dll"),
                    Outcome::Removed, true},
        value("class name", kClasses + L"\\CLSID\\" + kHostileClass, L"", REG_SZ,
              TextBytes(L"KeytidyHostile class \"q\" \u00fc"), Outcome::Kept),
        // Sound events: the default value of the event's sound slot goes.
        HostileItem{"sound of a hostile event", kSoundEvent + L"\\.Current", L"", REG_SZ,
                    TextBytes(gone + L"ding \"q\" 100%.wav"), Outcome::Removed, false, HKCU},
        HostileItem{"default sound through an empty reference", kSoundEvent + L"\\.Default", L"", REG_EXPAND_SZ,
                    TextBytes(L"%KEYTIDY_HOSTILE_EMPTY%" + gone + L"d\u00fc.wav"), Outcome::Removed, false, HKCU},
        HostileItem{"sound application name", kSoundApp, L"", REG_SZ, TextBytes(L"KeytidyHostile \"app\" | 100%"),
                    Outcome::Kept, false, HKCU},
        // Compatibility records: the value name is the program.
        HostileItem{"compatibility record", kLayers, gone + L"q\"uote | 100% \u00fc.exe", REG_SZ,
                    TextBytes(L"~ WIN7RTM"), Outcome::Removed, false, HKCU},
        HostileItem{"compatibility record, line break", kLayers, gone + L"two\nlines.exe", REG_SZ,
                    TextBytes(L"~ WIN7RTM"), Outcome::Refused, false, HKCU},
        // Display-name cache: the value name is the program.
        HostileItem{"cached name of a missing program", kMuiCache, gone + L"mui \"q\" | 100% \u00fc.exe", REG_SZ,
                    TextBytes(L"Hostile \"app\" \u00fc"), Outcome::Removed, false, HKCU},
        HostileItem{"cached name, line break", kMuiCache, gone + L"mui\r\nbreak.exe", REG_SZ, TextBytes(L"x"),
                    Outcome::Refused, false, HKCU},
        HostileItem{"cached resource reference", kMuiCache, L"@" + gone + L"shell \u00fc.dll,-12", REG_SZ,
                    TextBytes(L"resource"), Outcome::Kept, false, HKCU},
        // Uninstall: only the InstallSource value goes; its hostile
        // neighbours stay as they are.
        value("uninstall source", kUninstall + L"\\" + odd, L"InstallSource", REG_SZ, TextBytes(gone),
              Outcome::Removed),
    };
  }

  // RegSetValueExW counts a terminator that follows string data in memory
  // as part of it; a non-zero guard keeps the data exactly as given.
  void WriteExactly(const std::wstring& key, const std::wstring& name, DWORD type, const Bytes& data,
                    RootKey root = HKLM) {
    Bytes guarded = data;
    guarded.insert(guarded.end(), {0xFF, 0xFF});
    registry_.Write(root, key, name, type, guarded.data(), static_cast<DWORD>(data.size()));
  }

  void WriteFixture(const std::vector<HostileItem>& items) {
    for (const HostileItem& item : items) WriteExactly(item.key, item.name, item.type, item.data, item.root);
    // The bag key and the uninstall entry hold every hostile value, and the
    // bag a sub-key with a hostile name as well.
    const std::wstring bag = kAppPaths + L"\\KeytidyHostileBag.exe";
    const std::wstring uninstall = kUninstall + L"\\KeytidyHostile \"q\" 100% | \u00fc\u00df\u4e2d";
    auto writeAll = [&](const std::wstring& key, const std::vector<HostileValue>& values) {
      for (const HostileValue& value : values) WriteExactly(key, value.name, value.type, value.data);
    };
    const std::wstring extension = kClasses + L"\\.keytidyhostile\"q\"|%\u00fc";
    for (const std::wstring& key : {bag, uninstall, extension, extension + L"\\OpenWithProgids",
                                    kClasses + L"\\CLSID\\" + kHostileClass + L"\\InprocServer32"})
      writeAll(key, HostileValues());
    // Sub-keys whose names a script line must carry unchanged.
    for (const wchar_t* name : {L"sub \"key\" | 100% \u00fc", L" lead and trail ", L"[x] y]", L"-"})
      WriteExactly(bag + L"\\" + name, name, REG_SZ, TextBytes(name));
    writeAll(uninstall, UnrecordableValues());
    // A path far longer than any single name may be.
    const std::wstring deep =
        bag + L"\\" + std::wstring(255, L'a') + L"\\" + std::wstring(255, L'b') + L"\\" + std::wstring(255, L'c');
    WriteExactly(deep, L"deep \"q\"", REG_SZ, TextBytes(L"deep"));
    writeAll(kAppPaths + L"\\KeytidyHostileUnterminated.exe", UnrecordableValues());
    registry_.WriteString(HKLM, kAppPaths + L"\\KeytidyHostileBreakValue.exe", L"line\r\nbreak", L"x");
  }

  void EnableOnly(std::initializer_list<OptionSwitch> on) const {
    for (size_t i = 0; i < kCategorySwitchCount; ++i) {
      const OptionSwitchInfo& info = OptionSwitchTable()[i];
      Reg_WriteInteger(HKLM, kOptionsKey, info.name, std::find(on.begin(), on.end(), info.id) != on.end() ? 1 : 0);
    }
  }

  test::RunResult Cli(const std::wstring& arguments) const {
    test::RunResult result =
        RunProgram(Quote(CliPath()) + L" " + arguments,
                   {{L"KEYTIDY_HOSTILE_EMPTY", L""}, {L"KEYTIDY_DEBUGLOG", temp_.File(L"debug.txt")}}, 180000);
    EXPECT_FALSE(result.timedOut) << Utf16ToUtf8(arguments);
    EXPECT_EQ(result.output.find("wine: Unhandled"), std::string::npos) << result.output;
    return result;
  }

  std::vector<std::wstring> BackupSets() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((BinFolder() + L"\\Backups\\RC_*.reg").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do names.push_back(std::wstring(found.cFileName).substr(0, wcslen(found.cFileName) - 4));
      while (FindNextFileW(search, &found));
      FindClose(search);
    }
    return names;
  }

  TempFolder temp_;
  test::RealRegistryFixture registry_;
  std::vector<std::pair<std::wstring, std::optional<std::int32_t>>> switches_;
  std::vector<std::wstring> newSets_;
};

bool IsOurs(const std::wstring& text) {
  const std::wstring upper = UpperCaseAscii(text);
  for (const wchar_t* mark : {L"KEYTIDYHOSTILE", L"KEYTIDY-HOSTILE", L"KEYTIDY HOSTILE", kHostileClass.c_str()})
    if (Contains(upper, mark)) return true;
  return false;
}

TEST_F(HostileData, ScanCleanAndRestoreKeepEveryByte) {
  EnableOnly({OptionSwitch::RC_AppPaths, OptionSwitch::RC_Shared, OptionSwitch::RC_Fonts, OptionSwitch::RC_Help,
              OptionSwitch::RC_Installer, OptionSwitch::RC_FileFormate, OptionSwitch::RC_COMOLEActiveX,
              OptionSwitch::RC_Media, OptionSwitch::RC_WindowsHistory});
  const std::vector<HostileItem> items = Items();
  WriteFixture(items);
  const TreeSnapshot before = SnapshotContainers();

  const test::RunResult scan = Cli(L"scan --report " + Quote(temp_.File(L"report.txt")));
  EXPECT_EQ(scan.exitCode, 0u) << scan.output;
  // One line per finding, whatever the names hold.
  const std::string report = test::ReadFileBytes(temp_.File(L"report.txt"));
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(report.substr(start, end - start));
  ASSERT_GE(lines.size(), 3u) << report;
  EXPECT_EQ(lines[1], "Entries found: " + std::to_string(lines.size() - 3));
  for (size_t i = 3; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].rfind('#', 0), 0u) << lines[i];
    EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << lines[i];
  }

  const std::vector<std::wstring> setsBefore = BackupSets();
  const test::RunResult clean = Cli(L"clean");
  const TreeSnapshot afterClean = SnapshotContainers();
  for (const std::wstring& set : BackupSets())
    if (std::find(setsBefore.begin(), setsBefore.end(), set) == setsBefore.end()) newSets_.push_back(set);

  // What may go: our removable items, and whatever stale entries the prefix
  // itself holds in these places (those come back with the restore too).
  auto mayGo = [&](const KeyId& id, const std::wstring* name) {
    const auto& [root, key] = id;
    for (const HostileItem& item : items) {
      if (item.outcome != Outcome::Removed || item.root != root) continue;
      if (item.wholeKey && (key == item.key || key.starts_with(item.key + L"\\"))) return true;
      if (!item.wholeKey && name && key == item.key && *name == item.name) return true;
    }
    return !IsOurs(key) && !(name && IsOurs(*name));
  };
  for (const auto& [key, values] : before) {
    const auto now = afterClean.find(key);
    if (now == afterClean.end()) {
      EXPECT_TRUE(mayGo(key, nullptr)) << "key removed: " << Printable(key);
      continue;
    }
    for (const auto& [name, value] : values) {
      const auto left = now->second.find(name);
      if (left == now->second.end())
        EXPECT_TRUE(mayGo(key, &name)) << "value removed: " << Printable(key) << " / " << Printable(name);
      else
        EXPECT_TRUE(left->second == value) << "value changed: " << Printable(key) << " / " << Printable(name);
    }
    for (const auto& [name, value] : now->second)
      EXPECT_TRUE(values.contains(name)) << "value added: " << Printable(key) << " / " << Printable(name);
  }
  for (const auto& [key, values] : afterClean) EXPECT_TRUE(before.contains(key)) << "key added: " << Printable(key);

  size_t refused = 0;
  for (const HostileItem& item : items) {
    const auto key = afterClean.find(item.Id());
    const bool present = key != afterClean.end() && (item.wholeKey || key->second.contains(item.name));
    EXPECT_EQ(present, item.outcome != Outcome::Removed) << item.what;
    if (item.outcome == Outcome::Refused) ++refused;
  }
  // Findings that no backup can hold are left and counted as not removed.
  EXPECT_EQ(clean.exitCode, 4u) << clean.output;
  EXPECT_NE(clean.output.find("Not removed: " + std::to_string(refused) + "\r\n"), std::string::npos) << clean.output;

  ASSERT_EQ(newSets_.size(), 1u) << clean.output;
  const test::RunResult restore = Cli(L"restore " + newSets_[0]);
  EXPECT_EQ(restore.exitCode, 0u) << restore.output;
  const TreeSnapshot restored = SnapshotContainers();
  for (const auto& [key, values] : before) {
    const auto now = restored.find(key);
    if (now == restored.end()) {
      ADD_FAILURE() << "key not restored: " << Printable(key);
      continue;
    }
    for (const auto& [name, value] : values) {
      const auto back = now->second.find(name);
      if (back == now->second.end())
        ADD_FAILURE() << "value not restored: " << Printable(key) << " / " << Printable(name);
      else if (!(back->second == value))
        ADD_FAILURE() << "value restored differently: " << Printable(key) << " / " << Printable(name) << " type "
                      << back->second.type << " size " << back->second.data.size() << " (was " << value.type << " size "
                      << value.data.size() << ")";
    }
    EXPECT_EQ(now->second.size(), values.size()) << Printable(key);
  }
  EXPECT_EQ(restored.size(), before.size());
}

}  // namespace
}  // namespace keytidy
