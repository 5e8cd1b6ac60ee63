#include "lang/format_size.h"

#include "lang/message_catalogue.h"

namespace keytidy {

std::int64_t DivideRoundHalfEven(std::int64_t value, std::int64_t divisor) {
  // Integer arithmetic keeps sizes above 2^53 bytes exact, where a double
  // would already have lost the half.
  const std::int64_t quotient = value / divisor;
  const std::int64_t twiceRemainder = (value % divisor) * 2;
  if (twiceRemainder > divisor) return quotient + 1;
  if (twiceRemainder == divisor) return quotient + (quotient & 1);
  return quotient;
}

std::wstring Format_Size(std::int64_t bytes, std::wstring_view byteWord, std::wstring_view bytesWord) {
  constexpr std::int64_t kKilo = 1024;
  constexpr std::int64_t kMega = 1024 * 1024;
  if (bytes == 0) return L"0 " + std::wstring(byteWord);
  // Negative sizes never come from the file system, but a broken value must
  // still give a readable text rather than a rounded nonsense unit.
  if (bytes < 10 * kKilo) return std::to_wstring(bytes) + L" " + std::wstring(bytesWord);
  if (bytes < 10 * kMega) return std::to_wstring(DivideRoundHalfEven(bytes, kKilo)) + L" KB";
  return std::to_wstring(DivideRoundHalfEven(bytes, kMega)) + L" MB";
}

std::wstring Format_Size(std::int64_t bytes) {
  return Format_Size(bytes, Message(MessageKey::MESSAGE_BYTE), Message(MessageKey::MESSAGE_BYTES));
}

}  // namespace keytidy
