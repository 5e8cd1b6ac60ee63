#include "gui/internet_services.h"

#include "gui/process_run_control.h"
#include "inet/qrv_inet2.h"
#include "lang/language_choice.h"
#include "lang/locale_names.h"
#include "platform/debug_log.h"
#include "platform/environment.h"
#include "platform/product.h"

namespace keytidy {

namespace {

bool AsksToEnd(int result) { return result == QNET_RESULT_TERMINATE || result == QNET_RESULT_TERMINATE_FOR_UPDATE; }

}  // namespace

std::wstring InternetServices::LocaleTag() { return Get_Code_from_LCID(LanguageId); }

bool InternetServices::Start(HWND mainWindow) {
  if (started_) return false;
  started_ = true;
  const std::wstring localeTag = LocaleTag();
  const std::wstring baseFolder = ProgramFolder() + L"\\";
  qnet_Init(3);
  qnet_SetBaseFolder(baseFolder.c_str());
  qnet_SetProductID(ProductNumber);
  qnet_SetProductVersion(ProductVersion);
  qnet_SetProductName(L"Quarvint Keytidy 2");
  qnet_SetProductName(ProductTitle);
  qnet_SetProductLang(localeTag.c_str());
  qnet_SetRegistryKey(HKEY_LOCAL_MACHINE, kInternetServicesKey);
  qnet_SetUserRegistryKey(HKEY_LOCAL_MACHINE, kInternetServicesKey);
  qnet_SetSystemRegistryKey(HKEY_LOCAL_MACHINE, kInternetServicesKey);
  qnet_InitAnalyticsManager();
  const int result = qnet_StartAllChecks(mainWindow);
  Debug_Output(L"qnet_StartAllChecks RETURNED = " + std::to_wstring(result));
  if (!AsksToEnd(result)) return false;
  ProcessRunControl().APP_TERMINATING = true;
  Debug_Output(L"KX15: TerminateNow");
  Shutdown(mainWindow);
  PostQuitMessage(0);
  return true;
}

std::vector<InternetMenuItem> InternetServices::MenuItems() const {
  std::vector<InternetMenuItem> items;
  const int count = qnet_GetMenuItemsCount(QNET_MENU_INTERNET);
  for (int i = 0; i < count; ++i) {
    InternetMenuItem item;
    item.id = qnet_GetMenuItemsID(QNET_MENU_INTERNET, i);
    const wchar_t* text = qnet_GetMenuItemsText(QNET_MENU_INTERNET, i);
    item.text = text ? text : L"";
    item.image = qnet_GetMenuItemsImage(QNET_MENU_INTERNET, i);
    items.push_back(std::move(item));
  }
  return items;
}

bool InternetServices::ProcessMenuItem(HWND mainWindow, int itemId) {
  const int result = qnet_ProcessMenuItem(mainWindow, itemId);
  Debug_Output(L"qnet_ProcessMenuItem RETURNED = " + std::to_wstring(result));
  return AsksToEnd(result);
}

void InternetServices::OpenLinkTarget(const std::wstring& target) {
  const std::wstring localeTag = LocaleTag();
  qnet_OpenLinkTargetInBrowser(target.c_str(), ProductNumber, ProductVersion, 0, localeTag.c_str(), L"");
}

void InternetServices::AddFeature(const std::wstring& feature, int count) {
  qnet_AnalyticsManagerAddFeature(feature.c_str(), count);
}

void InternetServices::StartInfoChannelsConfig(HWND optionsDialog) { qnet_StartInfoChannelsConfig(optionsDialog); }

void InternetServices::Shutdown(HWND owner) {
  if (shutDown_) return;
  shutDown_ = true;
  qnet_Shutdown(owner);
  qnet_Destroy();
}

}  // namespace keytidy
