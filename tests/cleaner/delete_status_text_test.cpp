// The status line the cleaner screen shows after a deletion run, in the
// shipped English texts: the counts in the right message, findings no
// longer stale on a line of their own, and what became of the restore point.
#include "cleaner/delete_status_text.h"

#include <gtest/gtest.h>

#include "lang/message_catalogue.h"
#include "support/programs.h"

namespace keytidy {
namespace {

TEST(DeleteStatusText, FillsTheCountsIntoTheRightMessage) {
  Localisation_Reset();
  LOAD_INTERNAL_ONLY(test::BinFolder() + L"\\translation", L"en-us");
  EXPECT_EQ(RC_DeleteStatusText(2, 2),
            L"<b><font color=\"#208040\">Done.</font></b><br>2 entries were backed up and deleted.");
  EXPECT_EQ(RC_DeleteStatusText(1, 10),
            L"<b>1 entries were deleted.</b><br><font color=\"#C00000\">9 entries could not be deleted.</font>");
  // Findings fixed since the search are neither removed nor failures.
  const auto run = [](std::uint32_t checked, std::uint32_t removed, std::uint32_t noLongerStale) {
    DeleteRunResult result;
    result.ran = true;
    result.checked = checked;
    result.removed = removed;
    result.noLongerStale = noLongerStale;
    return result;
  };
  EXPECT_EQ(RC_DeleteStatusText(run(3, 1, 2)),
            L"<b><font color=\"#208040\">Done.</font></b><br>1 entries were backed up and deleted.<br>"
            L"2 entries were no longer invalid and were kept.");
  EXPECT_EQ(RC_DeleteStatusText(run(4, 1, 2)),
            L"<b>1 entries were deleted.</b><br><font color=\"#C00000\">1 entries could not be deleted.</font><br>"
            L"2 entries were no longer invalid and were kept.");

  // The restore point's line comes last, and only when one was asked for.
  for (const RestorePointOutcome outcome :
       {RestorePointOutcome::NotWanted, RestorePointOutcome::Created, RestorePointOutcome::NotAvailable,
        RestorePointOutcome::Disabled, RestorePointOutcome::Refused}) {
    DeleteRunResult result = run(2, 2, 0);
    result.restorePoint.outcome = outcome;
    result.restorePoint.status = 5;
    const std::wstring restorePointLine = RC_RestorePointText(result.restorePoint);
    EXPECT_EQ(restorePointLine.empty(), outcome == RestorePointOutcome::NotWanted);
    const std::wstring counts = RC_DeleteStatusText(2, 2);
    EXPECT_EQ(RC_DeleteStatusText(result), restorePointLine.empty() ? counts : counts + L"<br>" + restorePointLine);
  }
  Localisation_Reset();
}

}  // namespace
}  // namespace keytidy
