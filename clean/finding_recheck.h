#pragma once
// The test a finding was reported for, repeated right before the deletion
// removes it: between the search and the click on Delete a program may
// have been reinstalled, a drive may have come back or the key may have
// changed. Only a finding that is still stale may go.
#include "model/finding_evidence.h"

namespace keytidy {

class TRegistryCleaner;

// True when the data the check read is unchanged and its test, made with
// the same function the check used, gives the same verdict. A finding
// without evidence (not made by a check) has nothing to repeat and counts
// as still stale; one whose test cannot be repeated on its own counts as
// still stale only while its raw data is unchanged.
bool Is_StillStale(const TRegistryCleaner& rc, const FindingEvidence& evidence);

}  // namespace keytidy
