#include "backup/module_codes.h"

#include "lang/message_catalogue.h"

namespace keytidy {

namespace {

struct ModuleEntry {
  std::wstring_view code;
  std::optional<MessageKey> nameKey;  // none: the code has an icon but no name here
  int icon;
};

constexpr ModuleEntry kModules[] = {
    {L"OPTIONS", MessageKey::MESSAGE_MODULE_OPTIONS, 23},
    {L"BACKUPS", MessageKey::MESSAGE_MODULE_BACKUPS, 29},
    {L"RC", MessageKey::MESSAGE_MODULNAME_RC, 86},
    // Codes of the product family's other programs. Only their icons are
    // needed here (the main window's module icon list ends with them); sets
    // made by them show no module name.
    {L"ADS", std::nullopt, 91},
    {L"TASKPLANER", std::nullopt, 94},
};

const ModuleEntry* FindModule(std::wstring_view code) {
  for (const ModuleEntry& entry : kModules)
    if (entry.code == code) return &entry;
  return nullptr;
}

}  // namespace

std::optional<MessageKey> ModuleNameKey(std::wstring_view code) {
  const ModuleEntry* entry = FindModule(code);
  if (!entry) return std::nullopt;
  return entry->nameKey;
}

std::wstring Get_ModuleName(std::wstring_view code) {
  const std::optional<MessageKey> key = ModuleNameKey(code);
  return key ? Message(*key) : std::wstring();
}

int Get_ModuleIcon(std::wstring_view code) {
  const ModuleEntry* entry = FindModule(code);
  return entry ? entry->icon : -1;
}

}  // namespace keytidy
