#include "gui/internet_services.h"

#include <gtest/gtest.h>

#include "gui/process_run_control.h"
#include "inet/qrv_inet2.h"
#include "lang/language_choice.h"
#include "platform/product.h"
#include "support/registry_sandbox.h"

namespace keytidy {
namespace {

TEST(InternetServicesLibrary, ExportsEveryCallUnderItsPlainName) {
  HMODULE library = GetModuleHandleW(L"qrv_inet2.dll");
  ASSERT_NE(library, nullptr) << "the program imports the library at load time";
  for (const char* name : {"qnet_Init",
                           "qnet_SetBaseFolder",
                           "qnet_SetProductID",
                           "qnet_SetProductVersion",
                           "qnet_SetProductName",
                           "qnet_SetProductLang",
                           "qnet_SetRegistryKey",
                           "qnet_SetUserRegistryKey",
                           "qnet_SetSystemRegistryKey",
                           "qnet_InitAnalyticsManager",
                           "qnet_StartAllChecks",
                           "qnet_GetMenuItemsCount",
                           "qnet_GetMenuItemsID",
                           "qnet_GetMenuItemsText",
                           "qnet_GetMenuItemsImage",
                           "qnet_ProcessMenuItem",
                           "qnet_OpenLinkTargetInBrowser",
                           "qnet_AnalyticsManagerAddFeature",
                           "qnet_StartInfoChannelsConfig",
                           "qnet_Shutdown",
                           "qnet_Destroy"})
    EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(library, name)), nullptr) << name;
}

TEST(InternetServices, StartsOnceAndOffersALocalMenu) {
  LanguageId = 1033;
  InternetServices internet;
  EXPECT_FALSE(internet.Start(nullptr));
  EXPECT_FALSE(internet.Start(nullptr));
  EXPECT_FALSE(ProcessRunControl().APP_TERMINATING);

  const std::vector<InternetMenuItem> items = internet.MenuItems();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text, L"Online help");
  EXPECT_EQ(items[2].text, L"");  // a separator
  EXPECT_EQ(items[3].text, L"Check for updates");
  for (const InternetMenuItem& item : items) EXPECT_EQ(item.image, nullptr);
  EXPECT_NE(items[0].id, items[1].id);

  // An item the library does not know opens nothing and keeps the program.
  EXPECT_FALSE(internet.ProcessMenuItem(nullptr, 999));
  internet.Shutdown(nullptr);
  internet.Shutdown(nullptr);
}

TEST(InternetServicesLibrary, MenuFollowsTheProductLanguageAndRejectsBadIndices) {
  qnet_SetProductLang(L"de-at");
  EXPECT_STREQ(qnet_GetMenuItemsText(QNET_MENU_INTERNET, 0), L"Online-Hilfe");
  qnet_SetProductLang(L"fr-fr");
  EXPECT_STREQ(qnet_GetMenuItemsText(QNET_MENU_INTERNET, 0), L"Online help");
  EXPECT_STREQ(qnet_GetMenuItemsText(QNET_MENU_INTERNET, 99), L"");
  EXPECT_STREQ(qnet_GetMenuItemsText(QNET_MENU_INTERNET, -1), L"");
  EXPECT_EQ(qnet_GetMenuItemsCount(2), 0);
  EXPECT_STREQ(qnet_GetMenuItemsText(2, 0), L"");
}

class InternetServicesAnalytics : public test::RegistrySandbox {};

TEST_F(InternetServicesAnalytics, FeaturesAreCountedLocallyWhileTheManagerRuns) {
  qnet_Init(3);
  qnet_SetRegistryKey(HKEY_LOCAL_MACHINE, Path().c_str());
  qnet_AnalyticsManagerAddFeature(L"KX12.OTHER.OPTIONS", 1);
  EXPECT_FALSE(RawValueExists(ROOT_HKEY_LOCAL_MACHINE, Path(), L"KX12.OTHER.OPTIONS"));

  qnet_InitAnalyticsManager();
  qnet_AnalyticsManagerAddFeature(L"KX12.OTHER.OPTIONS", 1);
  qnet_AnalyticsManagerAddFeature(L"KX12.OTHER.OPTIONS", 2);
  qnet_AnalyticsManagerAddFeature(L"", 1);
  qnet_AnalyticsManagerAddFeature(nullptr, 1);
  qnet_AnalyticsManagerAddFeature(L"NEGATIVE", -5);
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, Path(), L"KX12.OTHER.OPTIONS"), 3);
  EXPECT_FALSE(RawValueExists(ROOT_HKEY_LOCAL_MACHINE, Path(), L"NEGATIVE"));

  // A counter of the wrong type starts again from zero.
  RawWriteString(ROOT_HKEY_LOCAL_MACHINE, Path(), L"ODD", L"text");
  qnet_AnalyticsManagerAddFeature(L"ODD", 1);
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, Path(), L"ODD"), 1);

  qnet_Shutdown(nullptr);
  qnet_AnalyticsManagerAddFeature(L"KX12.OTHER.OPTIONS", 1);
  EXPECT_EQ(Reg_ReadInteger(ROOT_HKEY_LOCAL_MACHINE, Path(), L"KX12.OTHER.OPTIONS"), 3);
  qnet_Destroy();
}

}  // namespace
}  // namespace keytidy
