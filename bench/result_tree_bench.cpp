// How the result tree copes with a very large scan: 100 000 findings are
// added, then each bulk operation the screen runs on them is timed, and the
// memory the tree holds is reported.
//
// Goals: every bulk operation well under 50 ms, the filled tree under 150 MB.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "scan/add_found_entry.h"
#include "model/categories.h"
#include "scan/registry_cleaner.h"
#include "scan/result_filter.h"
#include "scan/tree_operations.h"

namespace {

using namespace keytidy;

constexpr int kEntries = 100000;
constexpr double kOperationGoalMs = 50.0;
constexpr double kMemoryGoalMb = 150.0;

bool g_allMet = true;

// Live bytes handed out by operator new (nodes, records, strings), counted
// by the replacement operators below. The process counters are no help
// here: Wine does not report private bytes.
std::size_t g_liveBytes = 0;

double LiveMegabytes() { return g_liveBytes / (1024.0 * 1024.0); }

template <typename Work>
double TimeMs(Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, double ms, double goalMs = kOperationGoalMs) {
  const bool met = ms < goalMs;
  g_allMet = g_allMet && met;
  std::printf("%-44s %9.2f ms  %s\n", what, ms, met ? "ok" : "OVER GOAL");
}

// Findings shaped like real ones: typical path and key lengths, spread over
// the categories the way a messy machine spreads them.
void Fill(TResultTree& tree) {
  static const FilterCategory kFilters[] = {
      FilterCategory::FileTypes, FilterCategory::Com,      FilterCategory::Com,     FilterCategory::Shared,
      FilterCategory::Help,      FilterCategory::Software, FilterCategory::History, FilterCategory::Firewall};
  tree.BeginUpdate();
  for (int i = 0; i < kEntries; ++i) {
    const std::wstring n = std::to_wstring(i);
    const std::wstring path = L"C:\\Program Files\\Vendor " + n + L"\\Product\\bin\\module" + n + L".dll";
    const std::wstring key = L"SOFTWARE\\Classes\\CLSID\\{0A1B2C3D-0000-4000-8000-" + n + L"}\\InprocServer32";
    const FilterCategory filter = kFilters[i % 8];
    PVirtualNode node = Add_FoundEntry(path, L"module" + n + L".dll", &tree, true, CheckId::ComInprocServer32, filter,
                                       ROOT_HKEY_CLASSES_ROOT, key, L"");
    TTreeData_RegCleaner& entry = *GetEntry(node);
    entry.DeleteKey = true;
    entry.Delete_Root = ROOT_HKEY_CLASSES_ROOT;
    entry.Delete_Key = key;
  }
  tree.EndUpdate();
}

}  // namespace

// Each block carries its size in a header so that delete can subtract it.
void* operator new(std::size_t size) {
  constexpr std::size_t header = alignof(std::max_align_t);
  auto* block = static_cast<unsigned char*>(std::malloc(size + header));
  if (!block) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  g_liveBytes += size;
  return block + header;
}

void operator delete(void* pointer) noexcept {
  if (!pointer) return;
  constexpr std::size_t header = alignof(std::max_align_t);
  auto* block = static_cast<unsigned char*>(pointer) - header;
  g_liveBytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept { operator delete(pointer); }

int wmain() {
  const double memoryBefore = LiveMegabytes();
  TResultTree tree;
  RunControl run;
  TRegistryCleaner engine(&tree, run);
  int notifications = 0;
  tree.Subscribe([&](const TreeChanges&) { ++notifications; });

  std::printf("Result tree with %d findings\n", kEntries);
  std::printf("%-44s %9.2f ms\n", "add (one bulk update, not a goal)", TimeMs([&] { Fill(tree); }));
  const double treeMb = LiveMegabytes() - memoryBefore;

  std::int32_t total = 0;
  Report("count every filter category (13 walks)", TimeMs([&] {
           for (std::int32_t i = 0; i < kFilterCount; ++i)
             total += engine.Count_ItemsWithThisComboBoxIndex(static_cast<FilterCategory>(i));
         }));
  Report("count one category", TimeMs([&] { total += engine.Count_ItemsWithThisComboBoxIndex(FilterCategory::Com); }));
  Report("filter: category only", TimeMs([&] { Apply_ResultFilter(tree, FilterCategory::Com, L""); }));
  Report("filter: category and text", TimeMs([&] { Apply_ResultFilter(tree, FilterCategory::Com, L"vendor 9999"); }));
  Report("filter: text in all categories (no match)",
         TimeMs([&] { Apply_ResultFilter(tree, FilterCategory::All, L"zzz"); }));
  Apply_ResultFilter(tree, FilterCategory::Com, L"");
  Report("untick visible", TimeMs([&] { Tree_UncheckVisible(tree, false); }));
  Report("tick all", TimeMs([&] { Tree_CheckAll(tree, false); }));
  Report("count ticked", TimeMs([&] { total += Tree_CountChecked(tree); }));
  Report("look-up by delete key (miss: full walk)", TimeMs([&] {
           total += engine.Find_EntryByDeleteKey(CheckId::ComToolboxBitmap, ROOT_HKEY_CLASSES_ROOT, L"SOFTWARE\\none")
                        ? 1
                        : 0;
         }));
  Report("look-up by delete value (miss: full walk)", TimeMs([&] {
           total += engine.Find_EntryByDeleteValue(CheckId::ComInprocServer32, ROOT_HKEY_CLASSES_ROOT, L"x",
                                                   L"SOFTWARE\\none")
                        ? 1
                        : 0;
         }));
  bool odd = false;
  for (PVirtualNode node : tree) GetEntry(node)->RemoveFromTree = (odd = !odd);
  Report("remove deleted entries (half of them)", TimeMs([&] { TRegistryCleaner::RemoveDeletedFilesFromTree(&tree); }));

  const bool memoryMet = treeMb < kMemoryGoalMb;
  g_allMet = g_allMet && memoryMet;
  std::printf("%-44s %9.1f MB  %s\n", "memory of the filled tree (heap bytes)", treeMb, memoryMet ? "ok" : "OVER GOAL");
  std::printf("notifications: %d, check sum %d\n", notifications, static_cast<int>(total));
  std::printf("%s\n", g_allMet ? "all goals met" : "SOME GOALS MISSED");
  return g_allMet ? 0 : 1;
}
