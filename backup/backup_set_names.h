#pragma once
// Which files a backup set may touch. A set lives in one folder, and every
// file of it that the program reads, copies from or deletes is named by a
// plain file name directly in that folder. The descriptor is text anyone
// can write: a name in it with a folder part, "..", a drive, a stream or a
// device name would lead the program to files that are not the set's, with
// administrator rights. Such a set is not ours; it is listed as such,
// never restored, and deleting it removes only its own plain files.
#include <string>
#include <string_view>

namespace keytidy {

// A name of one file, usable as it stands: not empty, no folder separator,
// no drive or stream colon, no wildcard or other character Windows refuses
// in names, no "..", no trailing dot or blank (Windows would drop them and
// touch another file), and not a device name (NUL, CON, COM1, ...; also with
// an extension, as "nul.txt").
bool Backup_IsPlainFileName(std::wstring_view name);

// Whether `path` is `folder` + "\" + a plain file name.
bool Backup_IsFileInFolder(std::wstring_view path, std::wstring_view folder);

// Whether an extra file may be put back at `target`: a full path on a drive
// ("C:\...") or a share ("\\server\share\..."), each of its parts a plain
// name. Relative paths, device paths ("\\.\", "\\?\") and parts such as
// ".." are refused.
bool Backup_IsRestoreTarget(std::wstring_view target);

// Whether the set of this descriptor names only files of its own: the
// descriptor and its script plain files in one folder, and every extra
// file as Backup_ExtraFilesAreOurs says.
bool Backup_SetIsOurs(const std::wstring& descriptor);

}  // namespace keytidy
