/* A stand-in for the System Restore client library, for the tests of the
   restore point around a deletion run. It exports the one function the
   program calls and appends every call to the file named by
   KEYTIDY_TEST_RESTORE_LOG as "event type sequence description". When
   KEYTIDY_TEST_RESTORE_STATUS holds a number other than 0 it declines
   with that status, as Windows does when System Restore is switched off. */
#include <windows.h>

#include <srrestoreptapi.h>
#include <stdio.h>
#include <stdlib.h>

static DWORD RequestedStatus(void) {
  wchar_t text[32];
  DWORD length = GetEnvironmentVariableW(L"KEYTIDY_TEST_RESTORE_STATUS", text, 32);
  return length > 0 && length < 32 ? (DWORD)wcstoul(text, NULL, 10) : 0;
}

static void Record(const RESTOREPOINTINFOW* info) {
  wchar_t path[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"KEYTIDY_TEST_RESTORE_LOG", path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  FILE* file = _wfopen(path, L"ab");
  if (!file) return;
  char description[MAX_DESC_W * 3];
  WideCharToMultiByte(CP_UTF8, 0, info->szDescription, -1, description, sizeof description, NULL, NULL);
  fprintf(file, "%lu %lu %lld %s\n", (unsigned long)info->dwEventType, (unsigned long)info->dwRestorePtType,
          (long long)info->llSequenceNumber, description);
  fclose(file);
}

__declspec(dllexport) BOOL WINAPI SRSetRestorePointW(PRESTOREPOINTINFOW info, PSTATEMGRSTATUS status) {
  Record(info);
  DWORD refuse = info->dwEventType == BEGIN_SYSTEM_CHANGE ? RequestedStatus() : 0;
  status->nStatus = refuse;
  status->llSequenceNumber = refuse ? 0 : 42;
  return refuse ? FALSE : TRUE;
}
