#pragma once
// The exception list on disk: data\rc_exceptions.txt in the program folder.
// Four lines per exception (kind "1" key / "0" value, root name, key path,
// value name), lines ending in CR LF, no header. Written in the ANSI code
// page without a byte-order mark, so older copies of the program and plain
// editors read it; a list with text that code page cannot hold is written as
// UTF-8 with a byte-order mark instead, and one with a name UTF-8 cannot
// hold either (a lone surrogate) as UTF-16LE. Reading honours any
// byte-order mark.
#include <string>

#include "scan/exception_list.h"

namespace keytidy {

std::wstring ExceptionsFilePath();  // ProgramFolder \data\rc_exceptions.txt

// Replaces the list's rows by the file's exceptions. A missing file gives an
// empty list; one to three lines left over at the end are ignored; a kind
// line that is no number counts as 0.
void Load_Exceptions(const std::wstring& fileName, TExceptionList& list);

// An empty list deletes the file. Otherwise the file is replaced as a whole
// (written beside it first, so a failed write leaves the old one in place);
// the data folder is created when missing. A row with a line break in one of
// its texts is left out: it would shift every record after it. False when
// the file could not be written or deleted; the list itself never changes.
bool Save_Exceptions(const std::wstring& fileName, const TExceptionList& list);

}  // namespace keytidy
