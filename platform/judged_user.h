#pragma once
// The user a search pass judges. A run over several users' hives judges
// them one after the other; while a pass lasts, HKEY_CURRENT_USER reads go
// to that user's hive, JudgedUserSid() names that user and %NAME%
// references are expanded with that user's variables.
#include <memory>
#include <string>

#include "platform/user_environment.h"

namespace keytidy {

class JudgedUserScope {
 public:
  // `sid` empty: the default judged user (the desktop user, else the
  // process's own account), with that user's environment.
  explicit JudgedUserScope(const std::wstring& sid);
  ~JudgedUserScope();
  JudgedUserScope(const JudgedUserScope&) = delete;
  JudgedUserScope& operator=(const JudgedUserScope&) = delete;

 private:
  std::wstring previousSid_;
  std::shared_ptr<const UserEnvironment> previousEnvironment_;
};

// The SID the current pass was given; empty outside a pass or when the
// pass judges the default user.
const std::wstring& JudgedUserOverride();

// The hive HKEY_CURRENT_USER reads go to: the pass's user, else the desktop
// user (empty: HKEY_CURRENT_USER itself).
const std::wstring& CurrentUserHiveSid();

// The variables of the user being judged; null outside a pass, where the
// process's own environment applies.
const UserEnvironment* JudgedUserEnvironment();

}  // namespace keytidy
