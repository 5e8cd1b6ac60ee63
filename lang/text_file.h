#pragma once
// Line-oriented text files as the translation files use them: the byte-order
// mark decides the encoding on reading, and a writer can reproduce any of the
// encodings it reads.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keytidy {

enum class TextEncoding {
  AnsiCodePage,  // no byte-order mark: the system's 8-bit code page
  Utf16LE,       // FF FE
  Utf16BE,       // FE FF
  Utf8,          // EF BB BF
};

struct TextFileLines {
  TextEncoding encoding = TextEncoding::AnsiCodePage;
  std::vector<std::wstring> lines;
};

// Files above this size are refused as unreadable rather than loaded: no
// translation file comes near it, and refusing keeps a stray huge file from
// exhausting memory.
inline constexpr unsigned long long kMaxTextFileBytes = 64ull * 1024 * 1024;

// Splits text into lines at CR LF, a lone CR or a lone LF. A break at the
// very end does not start another line, and empty text has no lines.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// Decodes file bytes by their byte-order mark. A UTF-16 file with an odd
// byte count loses its incomplete last byte; nothing else is dropped.
TextFileLines DecodeTextFile(std::string_view bytes);

// Reads and decodes a whole file; no value when it does not exist, cannot be
// read or is larger than kMaxTextFileBytes.
std::optional<TextFileLines> ReadTextFileLines(const std::wstring& path);

// The bytes of a file: the encoding's byte-order mark (none for the 8-bit
// code page), then every line followed by CR LF.
std::string EncodeTextFile(const std::vector<std::wstring>& lines, TextEncoding encoding);

// Writes the file through a temporary sibling that replaces the target only
// once it is complete, so a failed write never leaves a half file behind.
bool WriteTextFileLines(const std::wstring& path, const std::vector<std::wstring>& lines, TextEncoding encoding);

}  // namespace keytidy
