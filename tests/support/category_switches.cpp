#include "support/category_switches.h"

#include <algorithm>

#include "platform/environment.h"
#include "platform/registry.h"

namespace keytidy::test {

OnlyCategories::OnlyCategories(std::initializer_list<OptionSwitch> on) {
  constexpr RootKey HKLM = ROOT_HKEY_LOCAL_MACHINE;
  for (size_t i = 0; i < kCategorySwitchCount; ++i) {
    const OptionSwitchInfo& info = OptionSwitchTable()[i];
    std::optional<std::int32_t> before;
    if (Reg_ValueExists(HKLM, kOptionsKey, info.name)) before = Reg_ReadInteger(HKLM, kOptionsKey, info.name);
    saved_.emplace_back(info.name, before);
    Reg_WriteInteger(HKLM, kOptionsKey, info.name, std::find(on.begin(), on.end(), info.id) != on.end() ? 1 : 0);
  }
}

OnlyCategories::~OnlyCategories() {
  for (const auto& [name, value] : saved_)
    if (value)
      Reg_WriteInteger(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, name, *value);
    else
      Reg_DeleteValue(ROOT_HKEY_LOCAL_MACHINE, kOptionsKey, name);
}

}  // namespace keytidy::test
