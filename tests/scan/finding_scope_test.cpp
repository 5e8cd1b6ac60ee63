// How much a file-type or open-with finding deletes: the smallest key or
// value whose removal ends the fault. A key that holds working parts
// besides the broken reference (another verb, an icon, a content type, a
// handler, the user's own choice) keeps them; a bare one goes whole. Each
// row runs the real check on real keys, deletes through the backup set,
// looks at what is left, and puts the set back.
//
// Under Wine HKEY_CLASSES_ROOT is HKLM\Software\Classes, so class fixtures
// are written through HKEY_CLASSES_ROOT itself.
#include <algorithm>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include "backup/reg_exe.h"
#include "platform/registry_snapshot.h"
#include "platform/environment.h"
#include "platform/text.h"
#include "model/categories.h"
#include "scan/check_fixture.h"
#include "scan/container_guard.h"
#include "clean/delete_run.h"

namespace keytidy {
namespace {

constexpr RootKey HKCR = ROOT_HKEY_CLASSES_ROOT;
constexpr RootKey HKCU = ROOT_HKEY_CURRENT_USER;

using TreeContent = std::map<std::wstring, std::optional<std::map<std::wstring, RegValueData>>>;

// Every key of the tree with its values, without times: what a restore
// must give back.
TreeContent ContentOf(RootKey root, const std::wstring& key) {
  TreeContent content;
  for (const std::wstring& path : ListKeyTree(root, key)) content[UpperCaseAscii(path)] = ReadKeyValues(root, path);
  return content;
}

class FindingScopeTest : public test::CheckTest {
 public:
  void Set(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    registry.WriteString(HKCR, key, name, T(text));
    const std::wstring top = key.substr(0, key.find(L'\\'));
    if (std::find(keys.begin(), keys.end(), top) == keys.end()) keys.push_back(top);
  }
  void Command(const std::wstring& classKey, const std::wstring& verb, const std::wstring& command) {
    Set(classKey + L"\\shell\\" + verb + L"\\command", L"", command);
  }

  KeyList keys;
};

enum class Check { WrongExe, LinkMissing, WrongIcon };

struct ScopeRow {
  const char* label;
  Check check;
  std::function<void(FindingScopeTest&, const std::wstring& name)> plant;
  // Below the planted class or extension: empty for the key itself.
  const wchar_t* deletedKey;
  bool deletesDefaultValue;  // only the default value of that key goes
};

void BareClass(FindingScopeTest& t, const std::wstring& name) {
  t.Set(name, L"", L"Keytidy document");
  t.Command(name, L"open", L"\"{T}\\gone\\app.exe\" \"%1\"");
}

const ScopeRow kScopeRows[] = {
    {"bare class goes whole", Check::WrongExe, BareClass, L"", false},
    {"class with an icon keeps all but the verb", Check::WrongExe,
     [](FindingScopeTest& t, const std::wstring& name) {
       BareClass(t, name);
       t.Set(name + L"\\DefaultIcon", L"", L"%SystemRoot%\\system32\\shell32.dll,1");
     },
     L"\\shell\\open", false},
    {"class with a working verb keeps it", Check::WrongExe,
     [](FindingScopeTest& t, const std::wstring& name) {
       BareClass(t, name);
       t.Command(name, L"print", L"notepad.exe /p \"%1\"");
     },
     L"\\shell\\open", false},
    {"named default verb on a class with settings", Check::WrongExe,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name, L"FriendlyTypeName", L"Keytidy");
       t.Set(name + L"\\shell", L"", L"edit");
       t.Command(name, L"edit", L"{T}\\gone\\edit.exe %1");
     },
     L"\\shell\\edit", false},
    {"bare extension goes whole", Check::LinkMissing,
     [](FindingScopeTest& t, const std::wstring& name) { t.Set(name, L"", L"Keytidy.Missing.1"); }, L"", false},
    {"extension with the missing id's own sub-key goes whole", Check::LinkMissing,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name, L"", L"Keytidy.Missing.1");
       t.Set(name + L"\\Keytidy.Missing.1\\ShellNew", L"NullFile", L"");
     },
     L"", false},
    {"extension with a content type keeps it", Check::LinkMissing,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name, L"", L"Keytidy.Missing.1");
       t.Set(name, L"Content Type", L"text/x-keytidy");
       t.Set(name, L"PerceivedType", L"text");
     },
     L"", true},
    {"extension with open-with entries keeps them", Check::LinkMissing,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name, L"", L"Keytidy.Missing.1");
       t.Set(name + L"\\OpenWithProgids", L"txtfile", L"");
     },
     L"", true},
    {"extension with a shell handler keeps it", Check::LinkMissing,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name, L"", L"Keytidy.Missing.1");
       t.Set(name + L"\\ShellEx\\{8895b1c6-b41f-4c1c-a562-0d564250836f}", L"",
             L"{00000000-0000-0000-0000-00000000beef}");
     },
     L"", true},
    {"icon key alone goes whole", Check::WrongIcon,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name + L"\\DefaultIcon", L"", L"{T}\\gone\\icons.dll,-5");
     },
     L"\\DefaultIcon", false},
    {"icon key holding more keeps it", Check::WrongIcon,
     [](FindingScopeTest& t, const std::wstring& name) {
       t.Set(name + L"\\DefaultIcon", L"", L"{T}\\gone\\icons.dll,-5");
       t.Set(name + L"\\DefaultIcon", L"Keytidy", L"kept");
     },
     L"\\DefaultIcon", true},
};

TEST_F(FindingScopeTest, EachFindingTakesTheSmallestPartThatEndsTheFault) {
  for (std::size_t i = 0; i < std::size(kScopeRows); ++i) {
    const ScopeRow& row = kScopeRows[i];
    SCOPED_TRACE(row.label);
    tree.Clear();
    keys.clear();
    const std::wstring name =
        (row.check == Check::LinkMissing ? L".keytidyscope" : L"KeytidyScope") + std::to_wstring(i);
    row.plant(*this, name);
    const TreeContent before = ContentOf(HKCR, name);

    if (row.check == Check::WrongExe)
      engine.SEARCH_FILEFORMAT_WRONGEXE(keys, CheckId::FileFormatWrongExe, FilterCategory::FileTypes);
    if (row.check == Check::LinkMissing)
      engine.SEARCH_FILEFORMAT_LINKMISSING(keys, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
    if (row.check == Check::WrongIcon)
      engine.SEARCH_FILEFORMAT_WRONGICON(keys, CheckId::FileFormatWrongIcon, FilterCategory::FileTypes);
    ASSERT_EQ(tree.NodeCount(), 1u);
    const TTreeData_RegCleaner& entry = *GetEntry(tree.NodeAt(0));
    const std::wstring deleted = name + row.deletedKey;
    EXPECT_EQ(entry.Delete_Key, deleted);
    EXPECT_EQ(entry.DeleteValue, row.deletesDefaultValue);
    EXPECT_EQ(entry.DeleteKey, !row.deletesDefaultValue);
    EXPECT_TRUE(entry.Delete_Value.empty());

    const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
    EXPECT_EQ(result.removed, 1u);
    if (row.deletesDefaultValue) {
      EXPECT_FALSE(Reg_ValueExists(HKCR, deleted, L""));
      // Everything else is as it was.
      TreeContent expected = before;
      expected[UpperCaseAscii(deleted)]->erase(L"");
      EXPECT_EQ(ContentOf(HKCR, name), expected);
    } else {
      EXPECT_FALSE(Reg_KeyExists(HKCR, deleted));
      if (*row.deletedKey) {
        EXPECT_TRUE(Reg_KeyExists(HKCR, name));
      }
    }

    ASSERT_TRUE(RegExe_Run({L"import", result.scriptPath}, temp.Path()).Succeeded());
    EXPECT_EQ(ContentOf(HKCR, name), before);
  }
}

// The extension keys of the system's own file types are never deleted
// whole: a finding on one takes its class name only, and the guard refuses
// the key whatever a finding says. The real row uses ".dll" as a prefix
// may have it (naming a class it does not register) or, where the prefix
// has no ".dll" key, a bare one planted for the row, which any other
// extension would lose whole.
TEST_F(FindingScopeTest, SystemExtensionsLoseTheirClassNameOnly) {
  const wchar_t* const guarded[] = {L".exe", L".DLL", L".lnk", L".msi", L".reg", L".ps1", L".txt", L".hta"};
  for (const wchar_t* extension : guarded) {
    SCOPED_TRACE(Utf16ToUtf8(extension));
    EXPECT_TRUE(Is_SystemFileExtension(extension));
    EXPECT_TRUE(IsProtectedContainerKey(HKCR, extension));
    EXPECT_TRUE(IsProtectedContainerKey(ROOT_HKEY_LOCAL_MACHINE, std::wstring(L"SOFTWARE\\Classes\\") + extension));
    EXPECT_TRUE(IsProtectedContainerKey(ROOT_HKEY_USERS, std::wstring(L"S-1-5-21-1-2-3-1001_Classes\\") + extension));
    // What lies below stays deletable.
    EXPECT_FALSE(IsProtectedContainerKey(HKCR, std::wstring(extension) + L"\\ShellNew"));
  }
  for (const wchar_t* extension : {L".keytidy", L".pdf", L".exe2", L".dllx"}) {
    EXPECT_FALSE(Is_SystemFileExtension(extension)) << Utf16ToUtf8(extension);
  }

  if (!Reg_KeyExists(HKCR, L".dll")) Set(L".dll", L"", L"Keytidy.Missing.DllFile");
  const std::wstring dllClass = Reg_ReadString(HKCR, L".dll", L"");
  if (dllClass.empty() || Reg_KeyExists(HKCR, dllClass)) GTEST_SKIP() << "this prefix registers .dll's class";
  keys = {L".dll"};
  engine.SEARCH_FILEFORMAT_LINKMISSING(keys, CheckId::FileFormatLinkMissing, FilterCategory::FileTypes);
  ASSERT_EQ(tree.NodeCount(), 1u);
  const TTreeData_RegCleaner& entry = *GetEntry(tree.NodeAt(0));
  EXPECT_TRUE(entry.DeleteValue && !entry.DeleteKey);
  EXPECT_EQ(entry.Delete_Key, L".dll");
  const TreeContent before = ContentOf(HKCR, L".dll");
  const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
  EXPECT_EQ(result.removed, 1u);
  EXPECT_TRUE(Reg_KeyExists(HKCR, L".dll"));
  ASSERT_TRUE(RegExe_Run({L"import", result.scriptPath}, temp.Path()).Succeeded());
  EXPECT_EQ(ContentOf(HKCR, L".dll"), before);
}

// Explorer's open-with records of the user: a record that still holds a
// working choice of the user's is not reported as invalid, even when the
// extension itself is not registered; only its stale parts go.
class OpenWithScope : public test::CheckTest {
 public:
  void Write(const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    registry.WriteString(HKCU, key, name, text);
  }

 protected:
  OpenWithScope() : previousSid_(InteractiveUserSid()) { Set_InteractiveUserSid(GetInteractiveUserSid()); }
  ~OpenWithScope() override { Set_InteractiveUserSid(previousSid_); }

  std::wstring Record(const std::wstring& extension) const { return kFileExts + L"\\" + extension; }
  const std::wstring kFileExts = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";

 private:
  std::wstring previousSid_;
};

struct OpenWithRow {
  const char* label;
  std::function<void(OpenWithScope&, const std::wstring& record)> plant;
  // "record" for the whole record, "UserChoice", or a value of
  // OpenWithProgids; empty: nothing reported.
  std::vector<std::wstring> deleted;
};

const OpenWithRow kOpenWithRows[] = {
    {"nothing works: the whole record",
     [](OpenWithScope& t, const std::wstring& r) {
       t.Write(r + L"\\OpenWithProgids", L"Keytidy.Gone.1", L"");
       t.Write(r + L"\\UserChoice", L"ProgId", L"Keytidy.Gone.2");
     },
     {L"record"}},
    {"user's choice names a registered program",
     [](OpenWithScope& t, const std::wstring& r) {
       t.Write(r + L"\\UserChoice", L"ProgId", L"txtfile");
       t.Write(r + L"\\UserChoice", L"Hash", L"keytidy");
     },
     {}},
    {"open-with list names a program that exists",
     [](OpenWithScope& t, const std::wstring& r) {
       t.Write(r + L"\\OpenWithList", L"a", L"notepad.exe");
       t.Write(r + L"\\OpenWithList", L"MRUList", L"a");
     },
     {}},
    {"working list, stale choice and a stale program id",
     [](OpenWithScope& t, const std::wstring& r) {
       t.Write(r + L"\\OpenWithList", L"a", L"notepad.exe");
       t.Write(r + L"\\UserChoice", L"ProgId", L"Keytidy.Gone.3");
       t.Write(r + L"\\OpenWithProgids", L"Keytidy.Gone.4", L"");
       t.Write(r + L"\\OpenWithProgids", L"txtfile", L"");
     },
     {L"UserChoice", L"Keytidy.Gone.4"}},
};

TEST_F(OpenWithScope, TheUsersWorkingChoiceIsKeptAndOnlyStalePartsGo) {
  ASSERT_FALSE(InteractiveUserSid().empty());
  ASSERT_TRUE(Reg_KeyExists(HKCR, L"txtfile"));
  for (std::size_t i = 0; i < std::size(kOpenWithRows); ++i) {
    const OpenWithRow& row = kOpenWithRows[i];
    SCOPED_TRACE(row.label);
    tree.Clear();
    const std::wstring extension = L".keytidyow" + std::to_wstring(i);
    ASSERT_FALSE(Reg_KeyExists(HKCR, extension));
    row.plant(*this, Record(extension));
    RootKey root = HKCU;
    std::wstring record = Record(extension);
    Reg_RedirectCurrentUser(root, record);
    const TreeContent before = ContentOf(root, record);

    engine.SEARCH_EMPTYOPENWITH(CheckId::EmptyOpenWith, FilterCategory::FileTypes);
    engine.SEARCH_INVALID_OPENWITH(CheckId::InvalidOpenWith, FilterCategory::FileTypes);
    std::vector<std::wstring> deleted;
    for (PVirtualNode node : tree) {
      const TTreeData_RegCleaner& e = *GetEntry(node);
      if (e.DisplayName != extension) {
        tree.SetCheckState(node, CheckState::Unchecked);  // the prefix's own records
        continue;
      }
      EXPECT_EQ(e.GroupIndex, CheckId::InvalidOpenWith);
      EXPECT_NE(e.Evidence.test, EvidenceTest::NotRepeatable);
      if (e.DeleteKey && e.Delete_Key == record)
        deleted.push_back(L"record");
      else if (e.DeleteKey)
        deleted.push_back(e.Delete_Key.substr(e.Delete_Key.rfind(L'\\') + 1));
      else
        deleted.push_back(e.Delete_Value);
    }
    EXPECT_EQ(deleted, row.deleted);
    if (deleted.empty()) continue;

    const DeleteRunResult result = RC_DeleteRun(engine, temp.File(L"Backups"), {temp.Path()});
    EXPECT_EQ(result.removed, row.deleted.size());
    const bool whole = row.deleted.front() == L"record";
    EXPECT_EQ(Reg_KeyExists(root, record), !whole);
    if (!whole) {
      EXPECT_FALSE(Reg_KeyExists(root, record + L"\\UserChoice"));
      EXPECT_FALSE(Reg_ValueExists(root, record + L"\\OpenWithProgids", L"Keytidy.Gone.4"));
      EXPECT_TRUE(Reg_ValueExists(root, record + L"\\OpenWithProgids", L"txtfile"));
      EXPECT_EQ(Reg_ReadString(root, record + L"\\OpenWithList", L"a"), L"notepad.exe");
    }
    ASSERT_TRUE(RegExe_Run({L"import", result.scriptPath}, temp.Path()).Succeeded());
    EXPECT_EQ(ContentOf(root, record), before);
  }
}

}  // namespace
}  // namespace keytidy
