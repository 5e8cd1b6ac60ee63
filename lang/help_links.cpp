#include "lang/help_links.h"

#include <windows.h>
#include <shellapi.h>

#include "lang/language_choice.h"
#include "lang/locale_names.h"
#include "platform/debug_log.h"
#include "platform/product.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr wchar_t kProductKey[] = L"SOFTWARE\\Quarvint\\Quarvint Keytidy 2";

bool IsUnreserved(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.' ||
         c == L'_' || c == L'~';
}

// A value read from the registry could hold "&" or "#" and break the query
// apart; every such character travels as UTF-8 percent escapes.
std::wstring EncodeQueryValue(const std::wstring& value) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring encoded;
  for (size_t i = 0; i < value.size(); ++i) {
    if (IsUnreserved(value[i])) {
      encoded += value[i];
      continue;
    }
    const bool pair = i + 1 < value.size() && IS_HIGH_SURROGATE(value[i]) && IS_LOW_SURROGATE(value[i + 1]);
    for (const unsigned char byte : Utf16ToUtf8(std::wstring_view(value).substr(i, pair ? 2 : 1))) {
      encoded += L'%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0xF];
    }
    if (pair) ++i;
  }
  return encoded;
}

}  // namespace

std::wstring OnlineHelpAddress(const std::wstring& helpLanguageCode, const std::wstring& topic) {
  return std::wstring(kHelpHost) + L"/help/" + ProductNumber + L"/" + helpLanguageCode + L"/" + topic;
}

std::wstring LinkTargetAddress(const std::wstring& target, const std::wstring& edition,
                               const std::wstring& systemLanguageCode, const std::wstring& languageCode) {
  return std::wstring(kLinkTargetHost) + L"/linktarget/?product=" + ProductNumber + L"&version=" + ProductVersion +
         L"&edition=" + EncodeQueryValue(edition) + L"&syslang=" + EncodeQueryValue(systemLanguageCode) + L"&lang=" +
         EncodeQueryValue(languageCode) + L"&target=" + EncodeQueryValue(target);
}

std::wstring ProductEdition() { return Reg_ReadString(ROOT_HKEY_LOCAL_MACHINE, kProductKey, L"Edition"); }

void Open_OnlineHelp(const std::wstring& topic) {
  const std::wstring address = OnlineHelpAddress(Get_HelpLanguageCode(LanguageId), topic);
  Debug_Output(L"Call Online Help ; URL=" + address);
  OpenInBrowser(address);
}

void Open_LinkTarget(const std::wstring& target) {
  OpenInBrowser(LinkTargetAddress(target, ProductEdition(), Get_HelpLanguageCode(UserDefaultLcid()),
                                  Get_HelpLanguageCode(LanguageId)));
}

void OpenInBrowser(const std::wstring& address) {
  ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace keytidy
