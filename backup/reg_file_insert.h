#pragma once
// Puts one block of records at the front of a backup script, right after its
// header, so that the newest record always comes first and the file keeps a
// single header. The script is never deleted and rewritten in place: the new
// content is written beside it, read back and checked (it must parse, start
// with exactly the new block and keep every older record), and only then
// replaces the old file. Any failure leaves the old file as it was.
#include <string>

namespace keytidy {

// `text` holds whole records without header. An empty file path records
// nothing and reports success.
bool RegFile_InsertBlock(const std::wstring& text, const std::wstring& file);

// The same for a block that is already UTF-16LE bytes (an export's records).
bool RegFile_InsertBlockBytes(const std::string& block, const std::wstring& file);

// The block as it stands in a script: ending in a line end.
std::string RegFile_BlockWithLineEnd(std::string block);

}  // namespace keytidy
