#include "cli/clean_dry_run.h"

#include <cstdio>

#include "cli/console.h"
#include "platform/registry.h"
#include "platform/root_keys.h"
#include "clean/deletion_plan.h"
#include "scan/deletion_preview.h"
#include "scan/startup_approved.h"

namespace keytidy::cli {

namespace {

// How many sub-keys and values of a key are named; the rest are counted.
constexpr std::size_t kNamedFew = 5;

struct DryRunTotals {
  std::uint32_t keys = 0;
  std::uint32_t values = 0;  // value findings
  std::uint32_t subKeysTaken = 0;
  std::uint32_t valuesTaken = 0;  // values inside the deleted keys
  std::uint32_t left = 0;
};

std::wstring FullKey(const DeletePlace& place) { return Reg_RootKeyName(place.root) + L"\\" + place.key; }

// The name on a line of its own, as it is: quotes and backslashes in it
// need no escaping there.
std::wstring ValueLines(const DeletePlace& place) {
  return L"a value of " + FullKey(place) + L"\r\n      value: " +
         (place.value.empty() ? std::wstring(L"(default)") : place.value) + L"\r\n";
}

// A start-up entry's state goes with it, recorded in the same set.
std::wstring CompanionLines(const DeletePlace& place) {
  const std::optional<DeletePlace> companion = StartupApproved_CompanionOf(place.root, place.key, place.value);
  if (!companion || !Reg_ValueExists(companion->root, companion->key, companion->value)) return {};
  return L"      and its start-up state, " + ValueLines(*companion);
}

std::wstring JoinNames(const std::vector<std::wstring>& names, std::uint32_t total) {
  std::wstring text;
  for (const std::wstring& name : names) text += (text.empty() ? L"" : L", ") + (name.empty() ? L"(default)" : name);
  if (total > names.size()) text += L", ... (" + std::to_wstring(total - names.size()) + L" more)";
  return text;
}

// The key as the deletion will find it: the concrete key behind a
// classes-root name.
DeletionPreview PreviewAt(const TTreeData_RegCleaner& entry, const DeletePlace& place) {
  TTreeData_RegCleaner atPlace = entry;
  atPlace.Delete_Root = place.root;
  atPlace.Delete_Key = place.key;
  atPlace.Delete_Value = place.value;
  return Preview_Deletion(atPlace, kNamedFew);
}

std::wstring KeyBlock(const TTreeData_RegCleaner& entry, const DeletePlace& place, DryRunTotals& totals) {
  const DeletionPreview preview = PreviewAt(entry, place);
  ++totals.keys;
  totals.subKeysTaken += preview.subKeys;
  totals.valuesTaken += preview.values;
  std::wstring text = L"back up and delete key " + FullKey(place) + L"\r\n      with " +
                      std::to_wstring(preview.subKeys) + L" sub-keys and " + std::to_wstring(preview.values) +
                      L" values\r\n";
  if (!preview.firstSubKeys.empty())
    text += L"      sub-keys: " + JoinNames(preview.firstSubKeys, preview.subKeys) + L"\r\n";
  // The key's own values; those further down are only counted.
  if (!preview.firstValues.empty())
    text += L"      values: " + JoinNames(preview.firstValues, preview.keyValues) + L"\r\n";
  return text;
}

std::wstring Block(const TRegistryCleaner& engine, const TTreeData_RegCleaner& entry, DryRunTotals& totals) {
  const DeletionPlan plan = Plan_Deletion(engine, entry);
  const std::wstring findingKey = Reg_RootKeyName(entry.Delete_Root) + L"\\" + entry.Delete_Key;
  switch (plan.action) {
    case PlannedDeletion::DeleteKey: return KeyBlock(entry, plan.place, totals);
    case PlannedDeletion::DeleteValue:
      ++totals.values;
      return L"back up and delete " + ValueLines(plan.place) + CompanionLines(plan.place);
    case PlannedDeletion::AlreadyGone:
      return L"nothing to do, already gone: " +
             (entry.DeleteKey ? L"key " + FullKey(plan.place) + L"\r\n" : ValueLines(plan.place));
    case PlannedDeletion::NoLongerStale: ++totals.left; return L"keep, no longer stale: " + findingKey + L"\r\n";
    case PlannedDeletion::ContainerRefused:
      ++totals.left;
      return L"keep, a container key that is never deleted: " + findingKey + L"\r\n";
    case PlannedDeletion::Nothing: break;
  }
  return L"nothing to delete: " + findingKey + L"\r\n";
}

std::wstring Numbered(std::size_t number) {
  wchar_t text[16];
  std::swprintf(text, sizeof text / sizeof text[0], L"#%04zu ", number);
  return text;
}

}  // namespace

void PrintDryRun(const TRegistryCleaner& engine) {
  PrintOut(L"Dry run: nothing is backed up, deleted or counted.\r\n");
  DryRunTotals totals;
  std::size_t number = 0;
  if (engine.FTree)
    for (PVirtualNode node : *engine.FTree)
      if (const TTreeData_RegCleaner* entry = GetEntry(node))
        PrintOut(Numbered(++number) + Block(engine, *entry, totals));
  PrintOut(L"Would back up and delete: " + std::to_wstring(totals.keys) + L" keys (with " +
           std::to_wstring(totals.subKeysTaken) + L" sub-keys and " + std::to_wstring(totals.valuesTaken) +
           L" values in them) and " + std::to_wstring(totals.values) + L" values\r\nWould keep: " +
           std::to_wstring(totals.left) + L"\r\n");
}

}  // namespace keytidy::cli
