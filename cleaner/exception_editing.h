#pragma once
// Findings turned into exceptions from the result list's context menu, and
// the registry editor opened at a finding's key.
#include <string>
#include <vector>

#include "gui/screen_host.h"
#include "platform/registry.h"
#include "scan/exception_list.h"
#include "scan/result_tree.h"

namespace keytidy {

// Asks once (with the number of nodes), then adds one exception per node,
// removes the nodes from the tree and saves the list file. The list is the
// one in the file with the new rows after it, and the options get that same
// list, so the next search hides the new exceptions. False when nothing was
// given or the user said No.
bool RC_AddToExceptions(TResultTree& tree, const std::vector<PVirtualNode>& nodes, ScreenOptions& options);

// Where the registry editor keeps the key it shows at start: the
// interactive user's hive (the editor runs as that user), except on
// Windows XP and 2003, where the current user's key is that hive.
RootKey RegEditSettingsRoot(unsigned windowsMajor, const std::wstring& interactiveUserSid);
std::wstring RegEditSettingsKey(unsigned windowsMajor, const std::wstring& interactiveUserSid);

// Writes "LastKey" for the key and starts regedit.exe.
void RC_OpenInRegEdit(RootKey root, const std::wstring& key);

}  // namespace keytidy
