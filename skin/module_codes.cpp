#include "skin/module_codes.h"

namespace keytidy {

namespace {

struct ModuleEntry {
  std::wstring_view code;
  std::wstring_view nameKey;
  int icon;
};

constexpr ModuleEntry kModules[] = {
    {L"OPTIONS", L"MESSAGE_MODULE_OPTIONS", 23},
    {L"BACKUPS", L"MESSAGE_MODULE_BACKUPS", 29},
    {L"RC", L"MESSAGE_MODULNAME_RC", 86},
};

const ModuleEntry* FindModule(std::wstring_view code) {
  for (const ModuleEntry& entry : kModules)
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace

std::wstring Get_ModuleNameKey(std::wstring_view code) {
  const ModuleEntry* entry = FindModule(code);
  return entry ? std::wstring(entry->nameKey) : std::wstring();
}

int Get_ModuleIcon(std::wstring_view code) {
  const ModuleEntry* entry = FindModule(code);
  return entry ? entry->icon : -1;
}

}  // namespace keytidy
