#pragma once
// What the deletion run would do with one finding if it ran now, decided
// by the same rules and read without changing anything: the dry run lists
// it, and the deletion itself takes its first decisions from it.
#include "scan/delete_place.h"
#include "model/found_entry.h"

namespace keytidy {

class TRegistryCleaner;

enum class PlannedDeletion {
  DeleteKey,         // recorded in the backup set, then deleted with all below it
  DeleteValue,       // recorded in the backup set, then deleted
  AlreadyGone,       // nothing to record; counts as removed
  NoLongerStale,     // the repeated test passes now: kept and unticked
  ContainerRefused,  // a root, a hive's top or a walked container: never deleted
  Nothing,           // the finding deletes nothing
};

struct DeletionPlan {
  PlannedDeletion action = PlannedDeletion::Nothing;
  DeletePlace place;  // where the deletion acts (resolved), when known
};

DeletionPlan Plan_Deletion(const TRegistryCleaner& engine, const TTreeData_RegCleaner& entry);

}  // namespace keytidy
