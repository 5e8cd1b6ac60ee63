#pragma once
// qrv_inet2.dll: the program's internet-services library. The program
// imports it at load time; every call uses the standard Windows calling
// convention and wide texts, and the exports carry undecorated names.
//
// This build never touches the network. Its menu is a short local list, its
// links open in the default browser, and feature use is counted in the
// registry key the program names and is never sent anywhere.
#include <windows.h>

#ifdef QRV_INET2_BUILDING
#define QNET_API extern "C" __declspec(dllexport)
#else
#define QNET_API extern "C" __declspec(dllimport)
#endif

// Results of qnet_StartAllChecks and qnet_ProcessMenuItem that ask the
// program to end; this build never returns them.
#define QNET_RESULT_TERMINATE 1
#define QNET_RESULT_TERMINATE_FOR_UPDATE 7

// The one menu this library offers.
#define QNET_MENU_INTERNET 1

QNET_API int WINAPI qnet_Init(int interfaceVersion);
QNET_API void WINAPI qnet_SetBaseFolder(const wchar_t* folder);
QNET_API void WINAPI qnet_SetProductID(const wchar_t* productId);
QNET_API void WINAPI qnet_SetProductVersion(const wchar_t* version);
QNET_API void WINAPI qnet_SetProductName(const wchar_t* name);
QNET_API void WINAPI qnet_SetProductLang(const wchar_t* localeTag);
QNET_API void WINAPI qnet_SetRegistryKey(HKEY root, const wchar_t* path);
QNET_API void WINAPI qnet_SetUserRegistryKey(HKEY root, const wchar_t* path);
QNET_API void WINAPI qnet_SetSystemRegistryKey(HKEY root, const wchar_t* path);
QNET_API void WINAPI qnet_InitAnalyticsManager(void);
QNET_API int WINAPI qnet_StartAllChecks(HWND mainWindow);

QNET_API int WINAPI qnet_GetMenuItemsCount(int menu);
QNET_API int WINAPI qnet_GetMenuItemsID(int menu, int index);
// Valid until the next call for the same item or qnet_Destroy; an empty text
// stands for a separator.
QNET_API const wchar_t* WINAPI qnet_GetMenuItemsText(int menu, int index);
// Null: the items have no pictures.
QNET_API HICON WINAPI qnet_GetMenuItemsImage(int menu, int index);
QNET_API int WINAPI qnet_ProcessMenuItem(HWND owner, int itemId);

QNET_API void WINAPI qnet_OpenLinkTargetInBrowser(const wchar_t* target, const wchar_t* productId,
                                                  const wchar_t* version, int flags, const wchar_t* localeTag,
                                                  const wchar_t* extra);
QNET_API void WINAPI qnet_AnalyticsManagerAddFeature(const wchar_t* feature, int count);
QNET_API void WINAPI qnet_StartInfoChannelsConfig(HWND owner);
QNET_API void WINAPI qnet_Shutdown(HWND owner);
QNET_API void WINAPI qnet_Destroy(void);
