#include "platform/judged_user.h"

#include "platform/environment.h"

namespace keytidy {

namespace {

// The pass being run on this thread. The checks run on the thread that
// started the search; a pass is never shared with another thread.
struct PassState {
  std::wstring sid;
  std::shared_ptr<const UserEnvironment> environment;
};

thread_local PassState tCurrentPass;

}  // namespace

JudgedUserScope::JudgedUserScope(const std::wstring& sid)
    : previousSid_(tCurrentPass.sid), previousEnvironment_(tCurrentPass.environment) {
  tCurrentPass.sid = sid;
  tCurrentPass.environment = std::make_shared<const UserEnvironment>(UserEnvironment_Of(JudgedUserSid()));
}

JudgedUserScope::~JudgedUserScope() {
  tCurrentPass.sid = std::move(previousSid_);
  tCurrentPass.environment = std::move(previousEnvironment_);
}

const std::wstring& JudgedUserOverride() { return tCurrentPass.sid; }

const std::wstring& CurrentUserHiveSid() { return tCurrentPass.sid.empty() ? InteractiveUserSid() : tCurrentPass.sid; }

const UserEnvironment* JudgedUserEnvironment() { return tCurrentPass.environment.get(); }

}  // namespace keytidy
