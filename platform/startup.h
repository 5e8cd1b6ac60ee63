#pragma once
// Process entry shared by the GUI and the console front end: the single
// instance, the process-wide initialisations in their fixed order, and the
// checks that refuse to start.
#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace keytidy {

inline constexpr wchar_t kSingleInstanceMutexName[] = L"Quarvint_QKT2";
inline constexpr wchar_t kMainWindowClassName[] = L"TForm_KX7";

// Holds the single-instance mutex from creation until destruction.
class SingleInstance {
 public:
  SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  // False when another copy (GUI or console) already holds the name.
  bool IsFirst() const { return first_; }

 private:
  UniqueHandle mutex_;
  bool first_ = false;
};

// Restores and raises the running copy's main window, if it has one.
void BringRunningCopyToFront();

// The registry layer, the environment facts, the animation flag and the
// PATH list, set up in this order and undone in reverse.
class ProcessInitialisation {
 public:
  ProcessInitialisation();
  ~ProcessInitialisation();
  ProcessInitialisation(const ProcessInitialisation&) = delete;
  ProcessInitialisation& operator=(const ProcessInitialisation&) = delete;
};

enum class StartupRefusal { None, WindowsTooOld, NotAdministrator, RightsTestFailed };

// Version test, administrator test and the rights test on the Options key;
// on success also finds the desktop user's SID and reads FirstArgument.
StartupRefusal RunStartupChecks();

// The fixed English text for a refusal (no translation is loaded yet).
std::wstring StartupRefusalText(StartupRefusal refusal);

// The first argument of a command line, upper-cased; empty if none.
std::wstring FirstArgumentOf(const wchar_t* commandLine);

}  // namespace keytidy
