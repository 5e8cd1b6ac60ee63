#include "platform/class_view.h"

#include <map>

#include "platform/environment.h"
#include "platform/registry.h"

namespace keytidy {

namespace {

// A user's classes hive is loaded at log-on and stays for the session, so
// one look per SID is enough. Whether the user's Software\Classes key
// exists is not remembered: it may be created at any time, and a read
// below it finds out anyway.
bool ClassesHiveLoaded(const std::wstring& sid) {
  static std::map<std::wstring, bool> loaded;
  const auto known = loaded.find(sid);
  if (known != loaded.end()) return known->second;
  const bool exists = Reg_KeyExists(ROOT_HKEY_USERS, sid + L"_Classes");
  loaded.emplace(sid, exists);
  return exists;
}

}  // namespace

std::wstring UserClasses_Path(const std::wstring& sid, bool classesHiveLoaded) {
  if (sid.empty()) return {};
  return classesHiveLoaded ? sid + L"_Classes" : sid + L"\\" + kMachineClassesPath;
}

ClassHives ClassView_Hives() {
  ClassHives hives;
  const std::wstring sid = JudgedUserSid();
  if (!sid.empty()) hives.user = ConcreteKey{ROOT_HKEY_USERS, UserClasses_Path(sid, ClassesHiveLoaded(sid))};
  return hives;
}

ConcreteKey ClassView_InHive(const ConcreteKey& hive, const std::wstring& path) {
  return {hive.root, path.empty() ? hive.path : hive.path + L"\\" + path};
}

std::optional<ShownClassKey> ClassView_ShownKey(const std::wstring& path) {
  const ClassHives hives = ClassView_Hives();
  if (hives.user) {
    ConcreteKey user = ClassView_InHive(*hives.user, path);
    if (Reg_KeyExists(user.root, user.path)) return ShownClassKey{*hives.user, std::move(user)};
  }
  ConcreteKey machine = ClassView_InHive(hives.machine, path);
  if (Reg_KeyExists(machine.root, machine.path)) return ShownClassKey{hives.machine, std::move(machine)};
  return std::nullopt;
}

}  // namespace keytidy
