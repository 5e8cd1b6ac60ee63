#pragma once
// The category switches under the Options key, as the programs started by
// a test read them: only the named ones on while the object lives, every
// switch put back as it was afterwards.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/option_switches.h"

namespace keytidy::test {

class OnlyCategories {
 public:
  explicit OnlyCategories(std::initializer_list<OptionSwitch> on);
  ~OnlyCategories();
  OnlyCategories(const OnlyCategories&) = delete;
  OnlyCategories& operator=(const OnlyCategories&) = delete;

 private:
  std::vector<std::pair<std::wstring, std::optional<std::int32_t>>> saved_;
};

}  // namespace keytidy::test
