#pragma once
// Small text files in INI form (skin descriptions, backup descriptors),
// read and written one value per call so that no file stays open between
// two steps. Section and value names compare without regard to letter case;
// values come back trimmed, without matching surrounding quotes and cut to
// 2047 characters. A missing file reads like an empty one.
//
// Writes only go into files that already exist, clear the file's attributes
// for the moment of writing (a read-only descriptor can still be updated)
// and confirm themselves by reading the value back.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/date_time.h"

namespace keytidy {

inline constexpr size_t kIniValueMaxLength = 2047;

bool Ini_SectionExists(const std::wstring& file, const std::wstring& section);
bool Ini_ValueExists(const std::wstring& file, const std::wstring& section, const std::wstring& name);
// The section's lines as name=value, in file order, values as Ini_ReadString
// gives them.
std::vector<std::wstring> Ini_ReadSectionValues(const std::wstring& file, const std::wstring& section);

std::wstring Ini_ReadString(const std::wstring& file, const std::wstring& section, const std::wstring& name);
// Decimal, or hexadecimal after "$" or "0x"; -1 when missing or no number.
std::int32_t Ini_ReadInteger(const std::wstring& file, const std::wstring& section, const std::wstring& name);
// Whether the value (0 when missing or no number) equals `expected`; always
// false for a missing file.
bool Ini_IntegerIs(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                   std::int32_t expected);
// 0 when the file or value is missing or the text is no moment in the form
// Ini_WriteDateTime writes.
TDateTime Ini_ReadDateTime(const std::wstring& file, const std::wstring& section, const std::wstring& name);
// 0 (black) when the file or value is missing or the value is empty; no value
// when the text is no colour (see Parse_Color), so that the caller decides
// what a broken skin file falls back to.
std::optional<std::uint32_t> Ini_ReadColor(const std::wstring& file, const std::wstring& section,
                                           const std::wstring& name);

// True when the value now reads back exactly as `text`. False for a missing
// file, a failed write, a text the file cannot hold as it was given (blanks
// or quotes at its ends, characters outside the file's encoding), and for a
// section, name or text that would break the line structure (line breaks, a
// name with "=" or starting with "[" or ";", a section with "]").
bool Ini_WriteString(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                     const std::wstring& text);
bool Ini_WriteInteger(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                      std::int32_t number);
// True when the value is gone afterwards (also when it was never there);
// false for a missing file.
bool Ini_DeleteValue(const std::wstring& file, const std::wstring& section, const std::wstring& name);
// Replaces the whole section with `lines` (each name=value) in one write, for
// sections of many lines. True when the section then reads back as given;
// false for a missing file and for lines that would break the structure.
bool Ini_WriteSection(const std::wstring& file, const std::wstring& section, const std::vector<std::wstring>& lines);
// Writes the moment in a fixed, locale-independent form that
// Ini_ReadDateTime reads back on any machine.
bool Ini_WriteDateTime(const std::wstring& file, const std::wstring& section, const std::wstring& name,
                       TDateTime moment);

}  // namespace keytidy
