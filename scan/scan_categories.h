#pragma once
// The twelve check categories of a search, in the order they run: which
// switch turns each on, the filter category its findings carry, how many
// progress steps it makes, and the check calls themselves.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "model/categories.h"
#include "scan/registry_cleaner.h"
#include "settings/option_switches.h"

namespace keytidy {

// What a category's calls need from the run around them.
class ScanCallContext {
 public:
  ScanCallContext(TRegistryCleaner& engine, bool windows64, std::function<void()> step)
      : engine_(engine), windows64_(windows64), step_(std::move(step)) {}

  TRegistryCleaner& Engine() const { return engine_; }
  bool Windows64() const { return windows64_; }
  // One progress step: position up by 1, then pending messages.
  void Step() const { step_(); }

  // Reads the sub-key names of HKEY_CLASSES_ROOT\`path` (the root itself
  // for an empty path) into `list`, writes how long that took as
  // "KX-Profiler: GET_ALL_KEYS in HKEY_CLASSES_ROOT[\path] = <ms>", adds the
  // list's size to the keys scanned and makes one step.
  void BuildClassesKeyList(const std::wstring& path, KeyList& list) const;

 private:
  TRegistryCleaner& engine_;
  bool windows64_;
  std::function<void()> step_;
};

struct ScanCategory {
  OptionSwitch option;         // the switch that turns the category on
  FilterCategory filterIndex;  // ComboBoxIndex of its findings
  std::int32_t weight;         // progress steps on 32-bit Windows
  std::int32_t extraWeight64;  // further steps announced on 64-bit Windows
  void (*run)(const ScanCallContext&);
  // Reads only the machine's keys: a second user's pass has nothing new
  // to find there and skips it.
  bool machineOnly = false;
};

inline constexpr std::size_t kScanCategoryCount = 12;

// The categories in run order.
std::span<const ScanCategory, kScanCategoryCount> ScanCategoryTable();

// The sum of the enabled categories' weights (with their 64-bit extras on
// 64-bit Windows): 41 with every default category on, 56 on 64-bit
// Windows; the program leftovers add 6, and 3 more on 64-bit Windows.
std::int32_t ScanProgressMaximum(const TOptionSwitches& switches, bool windows64);
// The steps of a further user's pass: the same, less the machine-only
// categories.
std::int32_t ScanProgressMaximumOfUserPass(const TOptionSwitches& switches, bool windows64);

}  // namespace keytidy
