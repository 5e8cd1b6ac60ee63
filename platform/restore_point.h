#pragma once
// A System Restore point around a deletion run. The provider is looked up at
// run time: where it is missing (older or trimmed Windows, Wine) the run goes
// on without one, as it does when Windows refuses (System Restore switched
// off, or a point made too recently). Our own backup set is written either
// way; the restore point is an extra way back, never the only one.
#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace keytidy {

inline constexpr wchar_t kSystemRestoreDll[] = L"srclient.dll";

enum class RestorePointOutcome {
  NotWanted,     // switched off by the user: nothing was asked of Windows
  Created,       // Windows accepted the start of the change
  NotAvailable,  // no provider library, it lacks the function, or it declines without a reason
  Disabled,      // System Restore is switched off on this computer
  Refused,       // Windows declined for another reason (status in the result)
};

struct RestorePointStart {
  RestorePointOutcome outcome = RestorePointOutcome::NotWanted;
  DWORD status = ERROR_SUCCESS;  // what Windows reported when it declined
};

// The outcome for what the provider's call reported: `accepted` its return
// value, `status` the status block's code.
RestorePointOutcome RestorePoint_Judge(bool accepted, DWORD status);

// One system change: Begin before the first deletion, End when the run is
// over. End closes a created point as finished when something was removed,
// and cancels it (Windows then drops it) when nothing was.
class RestorePoint {
 public:
  explicit RestorePoint(std::wstring providerDll = kSystemRestoreDll) : providerDll_(std::move(providerDll)) {}
  RestorePoint(const RestorePoint&) = delete;
  RestorePoint& operator=(const RestorePoint&) = delete;
  ~RestorePoint() { End(false); }

  RestorePointStart Begin(const std::wstring& description);
  void End(bool somethingRemoved);

 private:
  std::wstring providerDll_;
  UniqueModule module_;
  FARPROC setPoint_ = nullptr;
  std::wstring description_;
  std::int64_t sequence_ = 0;
  bool open_ = false;
};

}  // namespace keytidy
