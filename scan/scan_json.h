#pragma once
// The findings of a search as a JSON document for other programs (its
// shape and version rule are in docs/scan-json.md): per finding its
// category, its check, where it was read, what deleting it would remove and
// the evidence the check recorded. Text is UTF-8; surrogates without a
// partner in registry names become U+FFFD.
#include <optional>
#include <string>

#include "scan/result_tree.h"

namespace keytidy {

inline constexpr wchar_t kScanJsonFormat[] = L"keytidy-scan";
// Raised when a field changes meaning or goes away; new fields keep it.
inline constexpr int kScanJsonVersion = 1;

// The whole document; no value only when it could not be built (out of
// memory). Reads the registry for the deletion previews, changes nothing.
std::optional<std::string> ScanJson_Text(const TResultTree& tree);

// Writes the document to `file` whole or not at all: an old file stays as
// it was when anything fails. False on any failure.
bool Write_ScanJson(const std::wstring& file, const TResultTree& tree);

}  // namespace keytidy
