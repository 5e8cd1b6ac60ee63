#pragma once
// Process-wide values every later part reads. All are touched on the GUI
// thread only (timer and switcher threads hand their work over to it).
#include <string>

namespace keytidy {

inline constexpr wchar_t ProductTitle[] = L"Quarvint Keytidy 2";
// The program version as the web addresses and the translation index spell it.
inline constexpr wchar_t ProductVersion[] = L"2.00.00";
// The product's number on the project's web services (help, link targets).
inline constexpr wchar_t ProductNumber[] = L"2000";

// The program is closing or must end; once true it stays true.
extern bool APP_TERMINATING;
// A running scan or deletion is to stop at its next step.
extern bool STOP_REQUESTED;
// The first command-line argument, upper-cased (a to z only); empty if none.
extern std::wstring FirstArgument;

}  // namespace keytidy
