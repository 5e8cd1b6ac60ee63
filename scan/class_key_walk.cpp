#include "scan/class_key_walk.h"

#include "platform/environment.h"
#include "platform/text.h"

namespace keytidy {

void Walk_ClassKeys(TRegistryCleaner& rc, const KeyList& keys,
                    const std::function<void(const std::wstring& key)>& examine) {
  for (const std::wstring& key : keys) {
    rc.Progress_Step();
    rc.ProcessPendingMessages();
    if (rc.Run.STOP_REQUESTED) continue;
    examine(key);
  }
}

bool Is_LeftAloneJournalKey(const std::wstring& key) {
  return Windows_Version().major > 5 && UpperCaseAscii(key) == L".JNT";
}

}  // namespace keytidy
