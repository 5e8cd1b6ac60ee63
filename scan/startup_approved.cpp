#include "scan/startup_approved.h"

#include <cwchar>

namespace keytidy {

namespace {

constexpr wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr wchar_t kCurrentVersion32[] = L"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion";

bool EndsWithIgnoreCase(const std::wstring& text, const std::wstring& tail) {
  return text.size() >= tail.size() && _wcsicmp(text.c_str() + (text.size() - tail.size()), tail.c_str()) == 0;
}

bool IsHiveTop(RootKey root, const std::wstring& prefix) {
  if (prefix.empty()) return root == ROOT_HKEY_LOCAL_MACHINE || root == ROOT_HKEY_CURRENT_USER;
  // A user's hive below HKEY_USERS: exactly one key name before the path.
  return root == ROOT_HKEY_USERS && prefix.back() == L'\\' && prefix.find(L'\\') == prefix.size() - 1;
}

}  // namespace

std::wstring StartupRun_Key(bool thirtyTwoBitBranch) {
  return std::wstring(thirtyTwoBitBranch ? kCurrentVersion32 : kCurrentVersion) + L"\\Run";
}

std::wstring StartupApproved_Key(bool thirtyTwoBitBranch) {
  return std::wstring(kCurrentVersion) + L"\\Explorer\\StartupApproved\\" + (thirtyTwoBitBranch ? L"Run32" : L"Run");
}

std::optional<DeletePlace> StartupApproved_CompanionOf(RootKey root, const std::wstring& key,
                                                       const std::wstring& name) {
  for (bool thirtyTwoBit : {false, true}) {
    const std::wstring run = StartupRun_Key(thirtyTwoBit);
    if (!EndsWithIgnoreCase(key, run)) continue;
    const std::wstring prefix = key.substr(0, key.size() - run.size());
    if (!IsHiveTop(root, prefix)) continue;
    // A user's Software key has no 32-bit branch of its own.
    if (thirtyTwoBit && root != ROOT_HKEY_LOCAL_MACHINE) return std::nullopt;
    return DeletePlace{root, prefix + StartupApproved_Key(thirtyTwoBit), name};
  }
  return std::nullopt;
}

}  // namespace keytidy
