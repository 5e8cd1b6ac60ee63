#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace keytidy {

// The size text shown to the user: "0 Byte", "10239 Bytes", "10 KB", "12 MB".
// Kilobytes start at 10240 bytes and megabytes at 10 MB, so a small number is
// always exact; rounding goes to the nearest whole unit, halves to even.
// The two words come from the message catalogue (MESSAGE_BYTE, MESSAGE_BYTES).
std::wstring Format_Size(std::int64_t bytes, std::wstring_view byteWord, std::wstring_view bytesWord);
// The same with the words of the message catalogue.
std::wstring Format_Size(std::int64_t bytes);

// Integer division rounded to the nearest whole number, halves to even.
// `divisor` must be positive and `value` not negative.
std::int64_t DivideRoundHalfEven(std::int64_t value, std::int64_t divisor);

}  // namespace keytidy
