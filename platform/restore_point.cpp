#include "platform/restore_point.h"

#include <srrestoreptapi.h>

#include <cwchar>

namespace keytidy {

namespace {

using SetRestorePointW = BOOL(WINAPI*)(PRESTOREPOINTINFOW, PSTATEMGRSTATUS);

// The system's own copy only: a bare name must not be found in the program
// folder or the current one. A full path (a test's stand-in) is taken as is.
HMODULE LoadProvider(const std::wstring& dll) {
  if (dll.find_first_of(L"\\/") == std::wstring::npos)
    return LoadLibraryExW(dll.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return LoadLibraryW(dll.c_str());
}

BOOL CallProvider(FARPROC function, DWORD event, DWORD type, std::int64_t sequence, const std::wstring& description,
                  STATEMGRSTATUS& status) {
  RESTOREPOINTINFOW info{};
  info.dwEventType = event;
  info.dwRestorePtType = type;
  info.llSequenceNumber = sequence;
  wcsncpy(info.szDescription, description.c_str(), MAX_DESC_W - 1);
  status = {};
  return reinterpret_cast<SetRestorePointW>(reinterpret_cast<void*>(function))(&info, &status);
}

}  // namespace

RestorePointOutcome RestorePoint_Judge(bool accepted, DWORD status) {
  if (accepted) return RestorePointOutcome::Created;
  if (status == ERROR_SERVICE_DISABLED) return RestorePointOutcome::Disabled;
  // A client that declines without a reason cannot make restore points at
  // all (Wine's has the function and nothing behind it).
  if (status == ERROR_SUCCESS) return RestorePointOutcome::NotAvailable;
  return RestorePointOutcome::Refused;
}

RestorePointStart RestorePoint::Begin(const std::wstring& description) {
  RestorePointStart start;
  if (open_) {
    start.outcome = RestorePointOutcome::Created;
    return start;
  }
  module_.reset(LoadProvider(providerDll_));
  setPoint_ = module_ ? GetProcAddress(module_.get(), "SRSetRestorePointW") : nullptr;
  if (!setPoint_) {
    start.outcome = RestorePointOutcome::NotAvailable;
    return start;
  }
  STATEMGRSTATUS status;
  const BOOL accepted = CallProvider(setPoint_, BEGIN_SYSTEM_CHANGE, MODIFY_SETTINGS, 0, description, status);
  start.status = status.nStatus;
  start.outcome = RestorePoint_Judge(accepted != FALSE, status.nStatus);
  if (start.outcome == RestorePointOutcome::Created) {
    open_ = true;
    description_ = description;
    sequence_ = status.llSequenceNumber;
  }
  return start;
}

void RestorePoint::End(bool somethingRemoved) {
  if (!open_) return;
  open_ = false;
  STATEMGRSTATUS status;
  CallProvider(setPoint_, END_SYSTEM_CHANGE, somethingRemoved ? MODIFY_SETTINGS : CANCELLED_OPERATION, sequence_,
               description_, status);
}

}  // namespace keytidy
