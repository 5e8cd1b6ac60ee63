// Which keys the deletion run refuses to delete, by root and path. The
// fixtures are the paths a faulty check could hand over: containers, their
// ancestors, the same below Wow6432Node and a user's SID, and their
// legitimate children, which must still go.
#include "scan/container_guard.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/text.h"

namespace keytidy {
namespace {

struct GuardCase {
  RootKey root;
  const wchar_t* path;
  bool isProtected;
};

const GuardCase kGuardCases[] = {
    // Roots and hive tops
    {ROOT_HKEY_LOCAL_MACHINE, L"", true},
    {ROOT_HKEY_CURRENT_USER, L"\\", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SYSTEM", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\", true},
    {ROOT_HKEY_CURRENT_USER, L"Environment", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000", true},
    {ROOT_HKEY_USERS, L".DEFAULT", true},
    {ROOT_HKEY_CURRENT_CONFIG, L"Software", true},
    {0x12345678u, L"Software\\OldVendor", true},  // no such root
    // Named containers, in any letter case and with stray backslashes
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"software\\microsoft\\windows\\currentversion\\app paths\\", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", true},
    {ROOT_HKEY_CURRENT_USER, L"AppEvents\\Schemes\\Apps", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts", true},
    {ROOT_HKEY_LOCAL_MACHINE,
     L"SYSTEM\\ControlSet002\\services\\SharedAccess\\Parameters\\FirewallPolicy\\FirewallRules", true},
    {ROOT_HKEY_CLASSES_ROOT, L"CLSID", true},
    {ROOT_HKEY_CLASSES_ROOT, L"TypeLib", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Interface", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Applications", true},
    {ROOT_HKEY_CLASSES_ROOT, L"", true},
    // The start-up lists: only a value below them may go
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\run\\", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    // Ancestors of containers
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", true},
    {ROOT_HKEY_CURRENT_USER, L"AppEvents\\Schemes", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes", true},
    // The same below Wow6432Node
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Classes\\CLSID", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\Wow6432Node\\CLSID", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Wow6432Node", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Wow6432Node\\TypeLib", true},
    // The same below a user's SID, and that user's classes
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\AppEvents\\Schemes\\Apps", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes\\CLSID", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\Classes\\Applications", true},
    // What the checks legitimately delete
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\OldVendor", false},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\OldVendor", false},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\OldVendor", false},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{GUID}", false},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\x.exe", false},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.abc",
     false},
    {ROOT_HKEY_CURRENT_USER, L"AppEvents\\Schemes\\Apps\\OldApp", false},
    {ROOT_HKEY_CLASSES_ROOT, L".abc", false},  // a class key is one component below its root
    {ROOT_HKEY_CLASSES_ROOT, L"OldApp.Document", false},
    {ROOT_HKEY_CLASSES_ROOT, L"CLSID\\{00000000-0000-0000-0000-000000000001}", false},
    {ROOT_HKEY_CLASSES_ROOT, L"Wow6432Node\\CLSID\\{00000000-0000-0000-0000-000000000001}", false},
    {ROOT_HKEY_CLASSES_ROOT, L"Applications\\old.exe", false},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\.abc", false},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes\\.abc", false},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\OldTool", false},  // beside the containers, not above one
    {ROOT_HKEY_LOCAL_MACHINE, L"SYSTEM\\ControlSet001\\services\\OldDriver", false},
    {ROOT_HKEY_CURRENT_CONFIG, L"Software\\OldVendor", false},
    // Shell-wide classes, their verb lists and their shell extensions, in
    // every place a class lives; only a single verb below them may go
    {ROOT_HKEY_CLASSES_ROOT, L"*", true},
    {ROOT_HKEY_CLASSES_ROOT, L"*\\shell", true},
    {ROOT_HKEY_CLASSES_ROOT, L"*\\shellex", true},
    {ROOT_HKEY_CLASSES_ROOT, L"*\\shell\\OldTool", false},
    {ROOT_HKEY_CLASSES_ROOT, L"*\\shell\\OldTool\\command", false},
    {ROOT_HKEY_CLASSES_ROOT, L"AllFilesystemObjects", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Directory", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Directory\\Background", true},
    {ROOT_HKEY_CLASSES_ROOT, L"directory\\background\\shell", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Directory\\Background\\shell\\OldTool", false},
    {ROOT_HKEY_CLASSES_ROOT, L"Directory\\shell\\OldTool", false},
    {ROOT_HKEY_CLASSES_ROOT, L"Directory\\DefaultIcon", false},  // not a verb list: an ordinary child
    {ROOT_HKEY_CLASSES_ROOT, L"Drive\\shell", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Folder", true},
    {ROOT_HKEY_CLASSES_ROOT, L"DesktopBackground\\Shell", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Network", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Unknown", true},
    {ROOT_HKEY_CLASSES_ROOT, L"exefile", true},
    {ROOT_HKEY_CLASSES_ROOT, L"EXEFILE\\shell", true},
    {ROOT_HKEY_CLASSES_ROOT, L"exefile\\shell\\runasuser", false},
    {ROOT_HKEY_CLASSES_ROOT, L"lnkfile", true},
    {ROOT_HKEY_CLASSES_ROOT, L"regfile", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Msi.Package", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Microsoft.PowerShellScript.1", true},
    {ROOT_HKEY_CLASSES_ROOT, L"Wow6432Node\\txtfile", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\*", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Classes\\batfile\\shell", true},
    {ROOT_HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\Classes\\cmdfile", true},
    {ROOT_HKEY_CURRENT_USER, L"Software\\Classes\\Directory\\Background", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes\\*", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes\\Folder\\shell", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000\\Software\\Classes\\htmlfile", true},
    {ROOT_HKEY_USERS, L"S-1-5-21-0-0-0-1000_Classes\\Folder\\shell\\OldTool", false},
    // A lone star is the class of all files, not a wildcard: classes whose
    // names merely start like a protected one stay deletable
    {ROOT_HKEY_CLASSES_ROOT, L"exefile2", false},
    {ROOT_HKEY_CLASSES_ROOT, L"OldApp.exefile", false},
};

TEST(ContainerGuard, NamesTheShellWideClasses) {
  const std::pair<const wchar_t*, bool> cases[] = {
      {L"*", true},         {L"Directory\\Background", true}, {L"DIRECTORY\\BACKGROUND", true},
      {L"exefile", true},   {L"Msi.Package", true},           {L"Directory\\shell", false},
      {L"txtfile2", false}, {L"OldApp.Document", false},      {L"", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(Is_ShellWideClass(name), expected) << Utf16ToUtf8(name);
}

TEST(ContainerGuard, RefusesRootsContainersAndTheirAncestorsOnly) {
  for (const GuardCase& c : kGuardCases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.root << " " << Utf16ToUtf8(c.path));
    EXPECT_EQ(IsProtectedContainerKey(c.root, c.path), c.isProtected);
  }
}

}  // namespace
}  // namespace keytidy
