#include "clean/deletion_plan.h"

#include "platform/registry.h"
#include "scan/container_guard.h"
#include "clean/finding_recheck.h"
#include "scan/registry_cleaner.h"

namespace keytidy {

namespace {

bool TargetExists(const TTreeData_RegCleaner& entry, const DeletePlace& place) {
  return (entry.DeleteValue && Reg_ValueExists(place.root, place.key, place.value)) ||
         (entry.DeleteKey && Reg_KeyExists(place.root, place.key));
}

}  // namespace

DeletionPlan Plan_Deletion(const TRegistryCleaner& engine, const TTreeData_RegCleaner& entry) {
  DeletionPlan plan;
  if (!entry.DeleteKey && !entry.DeleteValue) return plan;
  plan.place = Resolve_DeletePlace(entry);
  const DeletePlace& place = plan.place;
  // A target that is gone skips the repeated test: it counts as removed.
  if (TargetExists(entry, place) && !Is_StillStale(engine, entry.Evidence)) {
    plan.action = PlannedDeletion::NoLongerStale;
  } else if (entry.DeleteKey) {
    // Both names count: the finding's own, and the concrete key behind it.
    if (IsProtectedContainerKey(entry.Delete_Root, entry.Delete_Key) || IsProtectedContainerKey(place.root, place.key))
      plan.action = PlannedDeletion::ContainerRefused;
    else
      plan.action = Reg_KeyExists(place.root, place.key) ? PlannedDeletion::DeleteKey : PlannedDeletion::AlreadyGone;
  } else {
    plan.action = Reg_ValueExists(place.root, place.key, place.value) ? PlannedDeletion::DeleteValue
                                                                      : PlannedDeletion::AlreadyGone;
  }
  return plan;
}

}  // namespace keytidy
