// UTF-8 and Windows-1252 to and from UTF-16 units, with the failure rules
// of the Windows functions the program relies on: invalid UTF-8 becomes
// U+FFFD, an unpaired surrogate becomes U+FFFD on the way to UTF-8, and a
// character 1252 cannot hold becomes "?" and is reported as lossy.
#include <windows.h>

#include <string>

#include "seam_state.h"

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones map to the C1
// control of the same number, as Windows does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t FromAnsi(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

// The 1252 byte for a UTF-16 unit, or -1.
int ToAnsi(std::uint32_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<int>(unit);
  for (int i = 0; i < 32; ++i)
    if (kHighControls[i] == unit) return 0x80 + i;
  return -1;
}

void AppendUnits(std::u16string& out, std::uint32_t codePoint) {
  if (codePoint >= 0x10000) {
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(codePoint));
  }
}

// Returns false when an invalid sequence was met (and replaced).
bool DecodeUtf8(const unsigned char* text, std::size_t length, std::u16string& out) {
  bool valid = true;
  std::size_t i = 0;
  while (i < length) {
    const unsigned char lead = text[i];
    std::size_t extra = 0;
    std::uint32_t codePoint = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, codePoint = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, codePoint = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
      out.push_back(0xFFFD);
      valid = false;
      ++i;
      continue;
    }
    std::size_t taken = 1;
    while (taken <= extra && i + taken < length && (text[i + taken] & 0xC0) == 0x80) {
      codePoint = (codePoint << 6) | (text[i + taken] & 0x3F);
      ++taken;
    }
    if (taken <= extra || codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      out.push_back(0xFFFD);
      valid = false;
      i += taken;
      continue;
    }
    AppendUnits(out, codePoint);
    i += taken;
  }
  return valid;
}

void EncodeUtf8(const wchar_t* text, std::size_t length, std::string& out) {
  for (std::size_t i = 0; i < length; ++i) {
    std::uint32_t c = static_cast<std::uint32_t>(text[i]) & 0xFFFF;
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length) {
      const std::uint32_t low = static_cast<std::uint32_t>(text[i + 1]) & 0xFFFF;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = 0xFFFD;
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
}

std::size_t InputLength(const char* text, int length) {
  return length < 0 ? std::char_traits<char>::length(text) + 1 : static_cast<std::size_t>(length);
}

std::size_t InputLength(const wchar_t* text, int length) {
  return length < 0 ? std::char_traits<wchar_t>::length(text) + 1 : static_cast<std::size_t>(length);
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCCH text, int length, LPWSTR out, int outLength) {
  if (!text || length == 0 || outLength < 0) return seam::Fail(ERROR_INVALID_PARAMETER), 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  const std::size_t size = InputLength(text, length);
  std::u16string units;
  if (codePage == CP_UTF8) {
    if (!DecodeUtf8(bytes, size, units) && (flags & MB_ERR_INVALID_CHARS)) return seam::Fail(1113), 0;
  } else if (codePage == CP_ACP) {
    for (std::size_t i = 0; i < size; ++i) units.push_back(FromAnsi(bytes[i]));
  } else {
    return seam::Fail(ERROR_INVALID_PARAMETER), 0;
  }
  if (outLength == 0) return static_cast<int>(units.size());
  if (units.size() > static_cast<std::size_t>(outLength)) return seam::Fail(ERROR_INSUFFICIENT_BUFFER), 0;
  for (std::size_t i = 0; i < units.size(); ++i) out[i] = static_cast<wchar_t>(units[i]);
  return static_cast<int>(units.size());
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWCH text, int length, LPSTR out, int outLength, LPCSTR defaultChar,
                        LPBOOL usedDefaultChar) {
  if (!text || length == 0 || outLength < 0) return seam::Fail(ERROR_INVALID_PARAMETER), 0;
  const std::size_t size = InputLength(text, length);
  std::string bytes;
  if (codePage == CP_UTF8) {
    EncodeUtf8(text, size, bytes);
  } else if (codePage == CP_ACP) {
    bool lossy = false;
    for (std::size_t i = 0; i < size; ++i) {
      const int byte = ToAnsi(static_cast<std::uint32_t>(text[i]) & 0xFFFF);
      if (byte < 0) lossy = true;
      bytes.push_back(byte < 0 ? (defaultChar ? *defaultChar : '?') : static_cast<char>(byte));
    }
    if (usedDefaultChar) *usedDefaultChar = lossy ? TRUE : FALSE;
  } else {
    return seam::Fail(ERROR_INVALID_PARAMETER), 0;
  }
  if (outLength == 0) return static_cast<int>(bytes.size());
  if (bytes.size() > static_cast<std::size_t>(outLength)) return seam::Fail(ERROR_INSUFFICIENT_BUFFER), 0;
  bytes.copy(out, bytes.size());
  return static_cast<int>(bytes.size());
}

DWORD CharUpperBuffW(LPWSTR text, DWORD length) {
  for (DWORD i = 0; i < length; ++i)
    if (text[i] >= L'a' && text[i] <= L'z') text[i] = static_cast<wchar_t>(text[i] - 32);
  return length;
}

UINT GetACP() { return 1252; }
