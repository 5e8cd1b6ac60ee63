#include "settings/date_time.h"

#include <cmath>
#include <cstdint>
#include <cwchar>

namespace keytidy {

namespace {

constexpr double kMillisecondsPerDay = 86400000.0;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Whole days between 1 January of year 1 and the given date (proleptic
// Gregorian calendar), and back.
std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t y = year - 1;
  std::int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

void DateFromDayNumber(std::int64_t number, int& year, int& month, int& day) {
  // 146097 days make 400 years; walk down through the cycles.
  std::int64_t y400 = number / 146097;
  std::int64_t rest = number % 146097;
  std::int64_t y100 = rest / 36524;
  if (y100 == 4) y100 = 3;  // the last day of a 400-year cycle
  rest -= y100 * 36524;
  const std::int64_t y4 = rest / 1461;
  rest %= 1461;
  std::int64_t y1 = rest / 365;
  if (y1 == 4) y1 = 3;  // the last day of a leap year
  rest -= y1 * 365;
  year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  month = 1;
  while (rest >= DaysInMonth(year, month)) rest -= DaysInMonth(year, month++);
  day = static_cast<int>(rest) + 1;
}

const std::int64_t kDayNumberOfZero = DayNumber(1899, 12, 30);

bool ValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

bool ValidTime(int hour, int minute, int second, int millisecond) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 && millisecond >= 0 &&
         millisecond < 1000;
}

// Reads exactly `count` decimal digits at `pos`.
bool ReadDigits(std::wstring_view text, size_t& pos, size_t count, int& value) {
  if (pos + count > text.size()) return false;
  value = 0;
  for (size_t i = 0; i < count; ++i) {
    const wchar_t c = text[pos + i];
    if (c < L'0' || c > L'9') return false;
    value = value * 10 + (c - L'0');
  }
  pos += count;
  return true;
}

bool ReadChar(std::wstring_view text, size_t& pos, wchar_t expected) {
  if (pos >= text.size() || text[pos] != expected) return false;
  ++pos;
  return true;
}

}  // namespace

std::optional<TDateTime> DateTimeFromSystemTime(const SYSTEMTIME& time) {
  if (!ValidDate(time.wYear, time.wMonth, time.wDay) ||
      !ValidTime(time.wHour, time.wMinute, time.wSecond, time.wMilliseconds))
    return std::nullopt;
  const double days = static_cast<double>(DayNumber(time.wYear, time.wMonth, time.wDay) - kDayNumberOfZero);
  const double fraction =
      (((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds) / kMillisecondsPerDay;
  // Before the zero day the fraction still counts forward from midnight:
  // -1.25 is 29 December 1899, 06:00.
  return days < 0 ? days - fraction : days + fraction;
}

SYSTEMTIME SystemTimeFromDateTime(TDateTime moment) {
  double whole = std::trunc(moment);
  auto milliseconds = static_cast<std::int64_t>(std::llround(std::fabs(moment - whole) * kMillisecondsPerDay));
  if (milliseconds >= static_cast<std::int64_t>(kMillisecondsPerDay)) {  // rounded up into the next day
    milliseconds = 0;
    whole += moment < 0 ? -1 : 1;
  }
  int year = 0, month = 0, day = 0;
  DateFromDayNumber(static_cast<std::int64_t>(whole) + kDayNumberOfZero, year, month, day);
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(milliseconds / 3600000);
  time.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
  time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
  time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
  return time;
}

TDateTime Now_Local() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return DateTimeFromSystemTime(now).value_or(0);
}

std::wstring FormatDateTime_Fixed(TDateTime moment) {
  // Seconds are cut, not rounded: 23:59:59.9 must not turn into the next day.
  SYSTEMTIME time = SystemTimeFromDateTime(moment);
  wchar_t text[32] = {};
  if (time.wHour == 0 && time.wMinute == 0 && time.wSecond == 0 && time.wMilliseconds == 0)
    swprintf(text, 32, L"%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
  else
    swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
             time.wSecond);
  return text;
}

std::optional<TDateTime> ParseDateTime_Fixed(std::wstring_view text) {
  SYSTEMTIME time{};
  size_t pos = 0;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!ReadDigits(text, pos, 4, year) || !ReadChar(text, pos, L'-') || !ReadDigits(text, pos, 2, month) ||
      !ReadChar(text, pos, L'-') || !ReadDigits(text, pos, 2, day))
    return std::nullopt;
  if (pos < text.size()) {
    if (!ReadChar(text, pos, L' ') || !ReadDigits(text, pos, 2, hour) || !ReadChar(text, pos, L':') ||
        !ReadDigits(text, pos, 2, minute) || !ReadChar(text, pos, L':') || !ReadDigits(text, pos, 2, second) ||
        pos != text.size())
      return std::nullopt;
  }
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  return DateTimeFromSystemTime(time);
}

}  // namespace keytidy
