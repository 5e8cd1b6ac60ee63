#pragma once
// The web addresses of the online help and of the link targets (translation
// help, and the like), and opening them in the user's browser.
#include <cstdint>
#include <string>

namespace keytidy {

inline constexpr wchar_t kHelpHost[] = L"https://keytidy.example";
inline constexpr wchar_t kLinkTargetHost[] = L"https://go.keytidy.example";

// <help host>/help/<product>/<language code>/<topic>
std::wstring OnlineHelpAddress(const std::wstring& helpLanguageCode, const std::wstring& topic);

// <link host>/linktarget/?product=...&version=...&edition=...&syslang=...&lang=...&target=...
// The values are percent-encoded where they are not plain letters, digits
// or "-._~".
std::wstring LinkTargetAddress(const std::wstring& target, const std::wstring& edition,
                               const std::wstring& systemLanguageCode, const std::wstring& languageCode);

// The string value "Edition" of the product key; empty when absent.
std::wstring ProductEdition();

// Opens the online help for a topic ("main" when the module has none) and
// sends "Call Online Help ; URL=<address>".
void Open_OnlineHelp(const std::wstring& topic);
void Open_LinkTarget(const std::wstring& target);

// Opens an address with the default browser; failures are not reported.
void OpenInBrowser(const std::wstring& address);

}  // namespace keytidy
