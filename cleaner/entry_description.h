#pragma once
// The two text lines and the icon of a finding. A plain stand-in until the
// engine's translated descriptions arrive: the name over the file or key.
#include <cstdint>
#include <string>

#include "scan/found_entry.h"

namespace keytidy {

void Get_ItemDescription_and_Icon(PTreeData_RegCleaner Data, std::int32_t& imageindex, std::wstring& Text1,
                                  std::wstring& Text2);

}  // namespace keytidy
