#pragma once
// Moments in time as the rest of the program passes them around: days since
// 30 December 1899 with the time of day as the fraction (0.5 is noon). The
// zero moment doubles as "no date" wherever a date can be missing.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace keytidy {

using TDateTime = double;

// The moment a SYSTEMTIME names, milliseconds included. Fields out of range
// (month 13, 31 April, hour 24 ...) give no value.
std::optional<TDateTime> DateTimeFromSystemTime(const SYSTEMTIME& time);
// The calendar fields of a moment; milliseconds are rounded to the nearest one.
SYSTEMTIME SystemTimeFromDateTime(TDateTime moment);

// The local date and time now.
TDateTime Now_Local();

// A fixed text form that reads the same on every machine and in every
// locale: "yyyy-mm-dd hh:nn:ss", or only "yyyy-mm-dd" at exactly midnight.
// Milliseconds are not written.
std::wstring FormatDateTime_Fixed(TDateTime moment);
// The reverse of FormatDateTime_Fixed; anything else gives no value.
std::optional<TDateTime> ParseDateTime_Fixed(std::wstring_view text);

}  // namespace keytidy
