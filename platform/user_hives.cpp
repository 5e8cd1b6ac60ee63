#include "platform/user_hives.h"

#include <windows.h>
#include <sddl.h>

#include "platform/environment.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/text.h"

namespace keytidy {

namespace {

constexpr std::wstring_view kClassesSuffix = L"_CLASSES";

}  // namespace

bool IsAccountSid(const std::wstring& name) {
  const std::wstring upper = UpperCaseAscii(name);
  constexpr std::wstring_view prefix = L"S-1-5-21-";
  if (upper.size() <= prefix.size() || upper.compare(0, prefix.size(), prefix) != 0) return false;
  // Only digits and the dashes between them: "_Classes" and anything odd
  // a hand-made key may hold are not accounts.
  wchar_t previous = L'-';
  for (size_t i = prefix.size(); i < upper.size(); ++i) {
    const wchar_t c = upper[i];
    if (c == L'-' && previous == L'-') return false;
    if (c != L'-' && (c < L'0' || c > L'9')) return false;
    previous = c;
  }
  return previous != L'-';
}

std::vector<std::wstring> Loaded_UserSids() {
  std::vector<std::wstring> names, sids;
  Reg_GetSubKeys(ROOT_HKEY_USERS, L"", names);
  for (const std::wstring& name : names)
    if (IsAccountSid(name)) sids.push_back(name);
  return sids;
}

bool IsLoadedUserSid(const std::wstring& sid) {
  for (const std::wstring& loaded : Loaded_UserSids())
    if (EqualsIgnoreCaseAscii(loaded, sid)) return true;
  return false;
}

std::wstring AccountNameOfSid(const std::wstring& sid) {
  PSID binary = nullptr;
  if (!ConvertStringSidToSidW(sid.c_str(), &binary)) return {};
  UniqueLocalMemory owner(binary);
  wchar_t name[256] = {}, domain[256] = {};
  DWORD nameSize = ARRAYSIZE(name), domainSize = ARRAYSIZE(domain);
  SID_NAME_USE use{};
  if (!LookupAccountSidW(nullptr, binary, name, &nameSize, domain, &domainSize, &use)) return {};
  return domain[0] ? std::wstring(domain) + L"\\" + name : std::wstring(name);
}

std::wstring UserOfPlace(RootKey root, const std::wstring& key) {
  if (root == ROOT_HKEY_CURRENT_USER) return JudgedUserSid();
  if (root != ROOT_HKEY_USERS) return {};
  std::wstring hive = key.substr(0, key.find(L'\\'));
  const std::wstring upper = UpperCaseAscii(hive);
  if (upper.size() > kClassesSuffix.size() &&
      upper.compare(upper.size() - kClassesSuffix.size(), kClassesSuffix.size(), kClassesSuffix) == 0)
    hive.resize(hive.size() - kClassesSuffix.size());
  return IsAccountSid(hive) ? hive : std::wstring();
}

}  // namespace keytidy
