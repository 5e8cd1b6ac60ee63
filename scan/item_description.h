#pragma once
// The two text lines and the icon of a finding, as its row and the scan
// report show them: line 1 a translated sentence saying what is wrong, line
// 2 the detail (usually the file or folder concerned).
#include <cstdint>
#include <string>

#include "model/found_entry.h"

namespace keytidy {

// Fills Text1 and Text2 for the entry's group (both empty for a group
// without a description, and for no entry). imageindex is written only for
// a known group; callers set it to 0 first. The sentence's placeholders
// %DisplayName, %FullPath, %Filename, %Folder, %Key, %MissingKey, %FullKey
// and %Value are replaced in that order, in any letter case, each on the
// result of the one before; line 2 keeps a %Value as it is.
void Get_ItemDescription_and_Icon(const TTreeData_RegCleaner* Data, std::int32_t& imageindex, std::wstring& Text1,
                                  std::wstring& Text2);

}  // namespace keytidy
