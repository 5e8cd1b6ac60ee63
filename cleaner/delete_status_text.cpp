#include "cleaner/delete_status_text.h"

#include "lang/message_catalogue.h"
#include "platform/text.h"

namespace keytidy {

std::wstring RC_DeleteStatusText(std::uint32_t removed, std::uint32_t checked) {
  if (removed == checked)
    return ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_DELETED), L"%1", std::to_wstring(removed));
  const std::wstring text =
      ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_DELETEDERRORS), L"%1", std::to_wstring(removed));
  return ReplaceAllIgnoreCase(text, L"%2", std::to_wstring(checked - removed));
}

std::wstring RC_DeleteStatusText(const DeleteRunResult& run) {
  std::wstring text = RC_DeleteStatusText(run.removed, run.checked - run.noLongerStale);
  if (run.noLongerStale != 0)
    text += L"<br>" + ReplaceAllIgnoreCase(Message(MessageKey::MESSAGEHTML_RC_STATUS_NOLONGERSTALE), L"%1",
                                           std::to_wstring(run.noLongerStale));
  if (const std::wstring restorePoint = RC_RestorePointText(run.restorePoint); !restorePoint.empty())
    text += L"<br>" + restorePoint;
  return text;
}

}  // namespace keytidy
