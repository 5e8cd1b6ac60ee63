#pragma once
// The product's names and numbers as the programs, the reports and the web
// services spell them.
#include "platform/product_version.h"

namespace keytidy {

inline constexpr wchar_t ProductTitle[] = L"Quarvint Keytidy 2";
// The program version as the web addresses and the translation index spell it.
inline constexpr wchar_t ProductVersion[] = L"" KEYTIDY_VERSION_TEXT;
// The product's number on the project's web services (help, link targets).
inline constexpr wchar_t ProductNumber[] = L"2000";

}  // namespace keytidy
