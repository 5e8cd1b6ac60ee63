#pragma once
// Paths of MAX_PATH characters or more, in the form Windows accepts at any
// length.
#include <string>

namespace keytidy {

// A drive path ("C:\...") or share path ("\\server\share\...") of 260
// characters or more, made absolute and given the "\\?\" prefix
// ("\\?\UNC\server\share\..." for a share), so that a lookup answers for
// the file itself instead of failing on the length. Shorter paths, paths
// already in that form and anything else come back unchanged: the prefix
// also switches off the clean-up of "." and "..", which only the long
// ones have had done for them here.
std::wstring ExtendedLength_Form(const std::wstring& path);

}  // namespace keytidy
