#pragma once
// The few Windows types and functions that the program's text readers and
// writers use, for building them natively on Linux (sanitizers, fuzzing).
// Only this native build sees this header; the program itself always uses
// the real one.
//
// Text: std::wstring holds UTF-16 code units on both systems (here each unit
// sits in a 32-bit wchar_t), so code pages convert to and from UTF-16 units,
// surrogate pairs included. The ANSI code page is Windows-1252, the default
// of an English system. Paths: backslashes become slashes at the file system.
#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using LONGLONG = std::int64_t;
using BOOL = int;
using UINT = unsigned int;
using WCHAR = wchar_t;
using CHAR = char;
using LPSTR = char*;
using LPCSTR = const char*;
using LPCCH = const char*;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPCWCH = const wchar_t*;
using LPBOOL = BOOL*;
using LPDWORD = DWORD*;
using LPVOID = void*;
using LPCVOID = const void*;
using HANDLE = void*;
using HLOCAL = void*;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
struct HKEY__;
using HKEY = HKEY__*;
struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
struct HWND__;
using HWND = HWND__*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;
union LARGE_INTEGER {
  LONGLONG QuadPart;
};

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

using LCID = DWORD;

#define WINAPI
#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define ARRAYSIZE(a) (sizeof(a) / sizeof((a)[0]))
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)))
#define INVALID_FILE_ATTRIBUTES (static_cast<DWORD>(-1))

#define LOCALE_USER_DEFAULT 0x0400u
#define DATE_SHORTDATE 0x1u
#define CP_ACP 0u
#define CP_UTF8 65001u
#define MB_ERR_INVALID_CHARS 0x08u
#define WC_NO_BEST_FIT_CHARS 0x400u

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_APPEND_DATA 0x0004u
#define FILE_READ_ATTRIBUTES 0x0080u
#define FILE_SHARE_READ 0x1u
#define FILE_SHARE_WRITE 0x2u
#define FILE_SHARE_DELETE 0x4u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000u
#define FILE_ATTRIBUTE_READONLY 0x01u
#define FILE_ATTRIBUTE_HIDDEN 0x02u
#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#define FILE_ATTRIBUTE_ARCHIVE 0x20u
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x400u
#define MOVEFILE_REPLACE_EXISTING 0x1u
#define MOVEFILE_WRITE_THROUGH 0x8u

#define ERROR_SUCCESS 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_INVALID_NAME 123L
#define ERROR_ALREADY_EXISTS 183L
#define ERROR_ENVVAR_NOT_FOUND 203L
#define ERROR_MORE_DATA 234L

#define REG_NONE 0u
#define REG_SZ 1u
#define REG_EXPAND_SZ 2u
#define REG_BINARY 3u
#define REG_DWORD 4u
#define REG_DWORD_BIG_ENDIAN 5u
#define REG_LINK 6u
#define REG_MULTI_SZ 7u
#define REG_RESOURCE_LIST 8u
#define REG_FULL_RESOURCE_DESCRIPTOR 9u
#define REG_RESOURCE_REQUIREMENTS_LIST 10u
#define REG_QWORD 11u

// System colour indices (the skin files may name them).
#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24
#define COLOR_HOTLIGHT 26
#define COLOR_GRADIENTACTIVECAPTION 27
#define COLOR_GRADIENTINACTIVECAPTION 28
#define COLOR_MENUHILIGHT 29
#define COLOR_MENUBAR 30

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR out, int outLength);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWCH text, int length, LPSTR out, int outLength,
                        LPCSTR defaultChar, LPBOOL usedDefaultChar);
DWORD CharUpperBuffW(LPWSTR text, DWORD length);
UINT GetACP();  // 1252

DWORD GetLastError();
void SetLastError(DWORD error);
void Sleep(DWORD milliseconds);
DWORD GetTickCount();
// English (United States) forms: M/d/yyyy and h:mm:ss tt.
int GetDateFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR buffer, int size);
int GetTimeFormatW(LCID locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format, LPWSTR buffer, int size);
void GetLocalTime(SYSTEMTIME* time);
DWORD GetCurrentProcessId();
void OutputDebugStringW(LPCWSTR text);
DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size);

HANDLE CreateFileW(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                   DWORD attributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
// Only the field the program reads.
struct BY_HANDLE_FILE_INFORMATION {
  DWORD dwFileAttributes;
};
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION* info);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE handle);
BOOL MoveFileExW(LPCWSTR from, LPCWSTR to, DWORD flags);
BOOL DeleteFileW(LPCWSTR path);
BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES security);
BOOL RemoveDirectoryW(LPCWSTR path);
DWORD GetCurrentDirectoryW(DWORD size, LPWSTR buffer);
BOOL SetCurrentDirectoryW(LPCWSTR path);
DWORD GetFileAttributesW(LPCWSTR path);
BOOL SetFileAttributesW(LPCWSTR path, DWORD attributes);
DWORD GetFullPathNameW(LPCWSTR path, DWORD size, LPWSTR buffer, LPWSTR* filePart);

DWORD GetPrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR fallback, LPWSTR buffer, DWORD size,
                               LPCWSTR file);
BOOL WritePrivateProfileStringW(LPCWSTR section, LPCWSTR name, LPCWSTR text, LPCWSTR file);
BOOL WritePrivateProfileSectionW(LPCWSTR section, LPCWSTR lines, LPCWSTR file);

// Declared for the handle owners of platform/handles.h; nothing in the
// native build opens such handles.
LONG RegCloseKey(HKEY key);
BOOL FreeLibrary(HMODULE module);
BOOL FindClose(HANDLE find);
HLOCAL LocalFree(HLOCAL memory);
