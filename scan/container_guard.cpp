#include "scan/container_guard.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <vector>

#include "platform/text.h"

namespace keytidy {

namespace {

using Components = std::vector<std::wstring>;
using ComponentSpan = std::span<const std::wstring>;

// Key paths below Software (after an optional Wow6432Node) that the checks
// walk, upper-case. Their ancestors are protected as well, so
// Software\Microsoft\Windows\CurrentVersion need not be listed.
constexpr std::array kSoftwareContainers = {
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\UNINSTALL",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUNONCE",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\SHAREDDLLS",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\INSTALLER\\FOLDERS",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP MANAGEMENT\\ARPCACHE",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\FILEEXTS",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\USERASSIST",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\COMDLG32\\OPENSAVEMRU",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\MENUORDER\\START MENU2\\PROGRAMS",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\APPLETS\\PAINT\\RECENT FILE LIST",
    L"MICROSOFT\\WINDOWS\\CURRENTVERSION\\APPLETS\\WORDPAD\\RECENT FILE LIST",
    L"MICROSOFT\\WINDOWS\\SHELLNOROAM\\MUICACHE",
    L"MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS",
    L"MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\APPCOMPATFLAGS\\LAYERS",
    L"MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\APPCOMPATFLAGS\\COMPATIBILITY ASSISTANT\\PERSISTED",
    L"MICROSOFT\\MMC\\SNAPINS",
};

// Below the classes root (HKEY_CLASSES_ROOT, Software\Classes).
constexpr std::array kClassesContainers = {
    L"CLSID",
    L"TYPELIB",
    L"INTERFACE",
    L"APPLICATIONS",
    L"LOCAL SETTINGS\\SOFTWARE\\MICROSOFT\\WINDOWS\\SHELL\\MUICACHE",
};

// Classes every file, folder or drive of the shell uses, and the system's
// own file classes, upper-case. Deleting one of them whole would take the
// shell's menus or the ability to run programs with it; a stale verb on one
// of them goes on its own (its key below "shell"), never the class, its
// "shell" or its "shellex" key.
constexpr std::array kShellWideClasses = {
    L"*",
    L"ALLFILESYSTEMOBJECTS",
    L"DIRECTORY",
    L"DIRECTORY\\BACKGROUND",
    L"DRIVE",
    L"FOLDER",
    L"DESKTOPBACKGROUND",
    L"NETWORK",
    L"UNKNOWN",
    L"SYSTEMFILEASSOCIATIONS",
    L"EXEFILE",
    L"LNKFILE",
    L"BATFILE",
    L"CMDFILE",
    L"COMFILE",
    L"DLLFILE",
    L"SYSFILE",
    L"REGFILE",
    L"TXTFILE",
    L"INIFILE",
    L"INFFILE",
    L"SCRFILE",
    L"PIFFILE",
    L"HTMLFILE",
    L"JSFILE",
    L"VBSFILE",
    L"WSFFILE",
    L"MSCFILE",
    L"CPLFILE",
    L"MSI.PACKAGE",
    L"MSI.PATCH",
    L"MICROSOFT.POWERSHELLSCRIPT.1",
};

// The system's own file types, upper-case: programs, libraries, scripts,
// shortcuts, installers and settings files. Their extension keys hold the
// shell's handlers and content types besides the class name, and Windows
// does not rebuild them; a broken class name on one of them costs that
// value only, never the key.
constexpr std::array kSystemFileExtensions = {
    L".EXE",  L".DLL",  L".COM", L".BAT",   L".CMD",           L".LNK",       L".URL",        L".PIF",
    L".SCR",  L".CPL",  L".MSI", L".MSP",   L".MST",           L".MSC",       L".REG",        L".INF",
    L".INI",  L".SYS",  L".DRV", L".OCX",   L".TXT",           L".LOG",       L".PS1",        L".PSM1",
    L".PSD1", L".VBS",  L".VBE", L".JS",    L".JSE",           L".WSF",       L".WSH",        L".HTA",
    L".CAB",  L".CAT",  L".CER", L".THEME", L".DESKTHEMEPACK", L".SEARCH-MS", L".LIBRARY-MS", L".CONTACT",
    L".APPX", L".MSIX", L".HTM", L".HTML",  L".XML",           L".ZIP",
};

// Below a hive's top (HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, a user's SID)
// but outside Software. A component written NAME* stands for every name
// that starts with NAME: the numbered control sets.
constexpr std::array kHiveContainers = {
    L"APPEVENTS\\SCHEMES\\APPS",
    L"SYSTEM\\CONTROLSET*\\SERVICES\\SHAREDACCESS\\PARAMETERS\\FIREWALLPOLICY\\FIREWALLRULES",
    L"SYSTEM\\CURRENTCONTROLSET\\SERVICES\\SHAREDACCESS\\PARAMETERS\\FIREWALLPOLICY\\FIREWALLRULES",
};

// Upper-case components; empty ones (doubled, leading or trailing
// backslashes) are dropped, since the registry would not count them either.
Components SplitUpper(std::wstring_view path) {
  Components parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring_view::npos) end = path.size();
    if (end > start) parts.push_back(UpperCaseAscii(path.substr(start, end - start)));
    start = end + 1;
  }
  return parts;
}

bool ComponentMatches(std::wstring_view pattern, const std::wstring& component) {
  // A lone "*" is the class of all files, not a wildcard.
  if (pattern.size() > 1 && pattern.back() == L'*') {
    pattern.remove_suffix(1);
    return component.compare(0, pattern.size(), pattern) == 0;
  }
  return component == pattern;
}

// True when `parts` is one of the containers or an ancestor of one.
template <std::size_t N>
bool IsContainerOrAncestor(ComponentSpan parts, const std::array<const wchar_t*, N>& containers) {
  for (const wchar_t* container : containers) {
    const Components pattern = SplitUpper(container);
    if (parts.size() > pattern.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < parts.size(); ++i) same = ComponentMatches(pattern[i], parts[i]);
    if (same) return true;
  }
  return false;
}

ComponentSpan SkipWow6432Node(ComponentSpan parts) {
  if (!parts.empty() && parts.front() == L"WOW6432NODE") return parts.subspan(1);
  return parts;
}

// The class itself, or its "shell" or "shellex" key.
bool IsShellWideClassOrVerbList(ComponentSpan parts) {
  for (const wchar_t* name : kShellWideClasses) {
    const Components pattern = SplitUpper(name);
    if (parts.size() < pattern.size() || parts.size() > pattern.size() + 1) continue;
    if (!std::equal(pattern.begin(), pattern.end(), parts.begin())) continue;
    if (parts.size() == pattern.size() || parts.back() == L"SHELL" || parts.back() == L"SHELLEX") return true;
  }
  return false;
}

bool IsSystemExtensionKey(ComponentSpan parts) {
  return parts.size() == 1 && std::find(kSystemFileExtensions.begin(), kSystemFileExtensions.end(), parts.front()) !=
                                  kSystemFileExtensions.end();
}

bool IsProtectedClassesKey(ComponentSpan parts) {
  parts = SkipWow6432Node(parts);
  return parts.empty() || IsContainerOrAncestor(parts, kClassesContainers) || IsShellWideClassOrVerbList(parts) ||
         IsSystemExtensionKey(parts);
}

// A path below a hive's top key: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or
// one user's hive under HKEY_USERS.
bool IsProtectedHiveKey(ComponentSpan parts) {
  if (parts.size() < 2) return true;
  if (parts.front() != L"SOFTWARE") return IsContainerOrAncestor(parts, kHiveContainers);
  ComponentSpan software = SkipWow6432Node(parts.subspan(1));
  if (software.empty()) return true;
  if (software.front() == L"CLASSES") return IsProtectedClassesKey(software.subspan(1));
  return IsContainerOrAncestor(software, kSoftwareContainers);
}

bool EndsWith(const std::wstring& text, std::wstring_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool Is_ShellWideClass(std::wstring_view className) {
  const Components parts = SplitUpper(className);
  for (const wchar_t* name : kShellWideClasses)
    if (SplitUpper(name) == parts) return true;
  return false;
}

bool Is_SystemFileExtension(std::wstring_view extension) {
  const Components parts = SplitUpper(extension);
  return IsSystemExtensionKey(parts);
}

bool IsProtectedContainerKey(RootKey root, std::wstring_view path) {
  const Components parts = SplitUpper(path);
  const ComponentSpan all(parts);
  switch (root) {
    case ROOT_HKEY_CLASSES_ROOT: return IsProtectedClassesKey(all);
    case ROOT_HKEY_LOCAL_MACHINE:
    case ROOT_HKEY_CURRENT_USER: return IsProtectedHiveKey(all);
    case ROOT_HKEY_USERS:
      // The first component names a user's hive (a SID, .DEFAULT), or that
      // user's classes (SID_Classes).
      if (all.empty()) return true;
      if (EndsWith(all.front(), L"_CLASSES")) return IsProtectedClassesKey(all.subspan(1));
      return IsProtectedHiveKey(all.subspan(1));
    case ROOT_HKEY_CURRENT_CONFIG: return all.size() < 2;
    default: return true;
  }
}

}  // namespace keytidy
