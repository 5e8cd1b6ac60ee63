// The internet-services library. Everything here is local: a fixed menu,
// addresses opened in the browser, and feature counters in the registry.
#define QRV_INET2_BUILDING
#include "inet/qrv_inet2.h"

#include <shellapi.h>

#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kSiteHost[] = L"https://keytidy.example";
constexpr wchar_t kLinkTargetHost[] = L"https://go.keytidy.example";

enum MenuItemId : int {
  kSeparatorId = 0,
  kOnlineHelpId = 101,
  kWebsiteId = 102,
  kCheckForUpdatesId = 103,
};

struct MenuEntry {
  int id;
  const wchar_t* english;
  const wchar_t* german;
};

constexpr MenuEntry kMenu[] = {
    {kOnlineHelpId, L"Online help", L"Online-Hilfe"},
    {kWebsiteId, L"Project website", L"Projekt-Website"},
    {kSeparatorId, L"", L""},
    {kCheckForUpdatesId, L"Check for updates", L"Nach Updates suchen"},
};

struct Library {
  std::mutex lock;
  std::wstring productId;
  std::wstring productVersion;
  std::wstring localeTag;
  HKEY registryRoot = nullptr;
  std::wstring registryPath;
  bool analytics = false;
  bool shutDown = false;
  std::vector<std::wstring> menuTexts;  // owned storage for qnet_GetMenuItemsText
};

Library& TheLibrary() {
  static Library library;
  return library;
}

std::wstring Text(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

bool GermanTexts(const std::wstring& localeTag) {
  return localeTag.size() >= 2 && (localeTag[0] | 0x20) == L'd' && (localeTag[1] | 0x20) == L'e';
}

const MenuEntry* MenuEntryAt(int menu, int index) {
  if (menu != QNET_MENU_INTERNET || index < 0 || index >= static_cast<int>(std::size(kMenu))) return nullptr;
  return &kMenu[index];
}

std::wstring EncodeQueryValue(const std::wstring& value) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::string bytes;
  if (!value.empty()) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    if (size > 0)
      WideCharToMultiByte(CP_UTF8, 0, value.data(), static_cast<int>(value.size()), bytes.data(), size, nullptr,
                          nullptr);
  }
  std::wstring encoded;
  for (const unsigned char c : bytes) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '.' || c == '_' || c == '~';
    if (plain) {
      encoded += static_cast<wchar_t>(c);
    } else {
      encoded += L'%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0xF];
    }
  }
  return encoded;
}

void OpenInBrowser(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void SetKey(HKEY root, const wchar_t* path) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.registryRoot = root;
  library.registryPath = Text(path);
}

// The counters live in the program's own key, in the same registry view the
// program uses (the native one on 64-bit Windows).
void AddToCounter(HKEY root, const std::wstring& path, const std::wstring& name, int count) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  DWORD value = 0;
  DWORD type = 0;
  DWORD size = sizeof(value);
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    value = 0;
  value += static_cast<DWORD>(count);
  RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

}  // namespace

QNET_API int WINAPI qnet_Init(int interfaceVersion) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.shutDown = false;
  return 0;
}

QNET_API void WINAPI qnet_SetBaseFolder(const wchar_t* folder) {}

QNET_API void WINAPI qnet_SetProductID(const wchar_t* productId) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.productId = Text(productId);
}

QNET_API void WINAPI qnet_SetProductVersion(const wchar_t* version) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.productVersion = Text(version);
}

QNET_API void WINAPI qnet_SetProductName(const wchar_t* name) {}

QNET_API void WINAPI qnet_SetProductLang(const wchar_t* localeTag) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.localeTag = Text(localeTag);
}

QNET_API void WINAPI qnet_SetRegistryKey(HKEY root, const wchar_t* path) { SetKey(root, path); }
// This build keeps nothing per user or per machine apart from the counters,
// so all three keys name the same place; the last one set wins.
QNET_API void WINAPI qnet_SetUserRegistryKey(HKEY root, const wchar_t* path) { SetKey(root, path); }
QNET_API void WINAPI qnet_SetSystemRegistryKey(HKEY root, const wchar_t* path) { SetKey(root, path); }

QNET_API void WINAPI qnet_InitAnalyticsManager(void) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.analytics = true;
}

// There is nothing to check without a network connection: the program goes on.
QNET_API int WINAPI qnet_StartAllChecks(HWND mainWindow) { return 0; }

QNET_API int WINAPI qnet_GetMenuItemsCount(int menu) {
  return menu == QNET_MENU_INTERNET ? static_cast<int>(std::size(kMenu)) : 0;
}

QNET_API int WINAPI qnet_GetMenuItemsID(int menu, int index) {
  const MenuEntry* entry = MenuEntryAt(menu, index);
  return entry ? entry->id : kSeparatorId;
}

QNET_API const wchar_t* WINAPI qnet_GetMenuItemsText(int menu, int index) {
  const MenuEntry* entry = MenuEntryAt(menu, index);
  if (!entry) return L"";
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  if (library.menuTexts.size() != std::size(kMenu)) library.menuTexts.resize(std::size(kMenu));
  std::wstring& text = library.menuTexts[static_cast<size_t>(index)];
  text = GermanTexts(library.localeTag) ? entry->german : entry->english;
  return text.c_str();
}

QNET_API HICON WINAPI qnet_GetMenuItemsImage(int menu, int index) { return nullptr; }

QNET_API int WINAPI qnet_ProcessMenuItem(HWND owner, int itemId) {
  Library& library = TheLibrary();
  std::wstring address;
  {
    std::lock_guard<std::mutex> guard(library.lock);
    const std::wstring lang = library.localeTag.empty() ? L"en-us" : library.localeTag;
    switch (itemId) {
      case kOnlineHelpId:
        address = std::wstring(kSiteHost) + L"/help/" + EncodeQueryValue(library.productId) + L"/" +
                  EncodeQueryValue(lang) + L"/main";
        break;
      case kWebsiteId: address = std::wstring(kSiteHost) + L"/"; break;
      case kCheckForUpdatesId:
        address = std::wstring(kSiteHost) + L"/download/?product=" + EncodeQueryValue(library.productId) +
                  L"&version=" + EncodeQueryValue(library.productVersion);
        break;
      default: break;
    }
  }
  if (!address.empty()) OpenInBrowser(address);
  return 0;
}

QNET_API void WINAPI qnet_OpenLinkTargetInBrowser(const wchar_t* target, const wchar_t* productId,
                                                  const wchar_t* version, int flags, const wchar_t* localeTag,
                                                  const wchar_t* extra) {
  if (!target || !*target) return;
  OpenInBrowser(std::wstring(kLinkTargetHost) + L"/linktarget/?product=" + EncodeQueryValue(Text(productId)) +
                L"&version=" + EncodeQueryValue(Text(version)) + L"&lang=" + EncodeQueryValue(Text(localeTag)) +
                L"&target=" + EncodeQueryValue(Text(target)));
}

QNET_API void WINAPI qnet_AnalyticsManagerAddFeature(const wchar_t* feature, int count) {
  Library& library = TheLibrary();
  HKEY root = nullptr;
  std::wstring path;
  {
    std::lock_guard<std::mutex> guard(library.lock);
    if (!library.analytics || library.shutDown || !library.registryRoot || library.registryPath.empty()) return;
    root = library.registryRoot;
    path = library.registryPath;
  }
  if (!feature || !*feature || count <= 0) return;
  AddToCounter(root, path, feature, count);
}

// No information channels exist in this build, so there is nothing to set up.
QNET_API void WINAPI qnet_StartInfoChannelsConfig(HWND owner) {}

QNET_API void WINAPI qnet_Shutdown(HWND owner) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.shutDown = true;
  library.analytics = false;
}

QNET_API void WINAPI qnet_Destroy(void) {
  Library& library = TheLibrary();
  std::lock_guard<std::mutex> guard(library.lock);
  library.menuTexts.clear();
  library.menuTexts.shrink_to_fit();
}
