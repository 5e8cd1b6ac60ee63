// Moments as day counts from 30 December 1899 and back to calendar fields.
#include "settings/date_time.h"

#include <gtest/gtest.h>

namespace keytidy {
namespace {

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0, WORD ms = 0) {
  SYSTEMTIME time{};
  time.wYear = year;
  time.wMonth = month;
  time.wDay = day;
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = second;
  time.wMilliseconds = ms;
  return time;
}

TEST(DateTime, CalendarFieldsAndDayCountsConvertBothWays) {
  struct Case {
    SYSTEMTIME time;
    TDateTime moment;
  };
  const Case cases[] = {
      {Time(1899, 12, 30), 0.0},
      {Time(1900, 1, 1), 2.0},
      {Time(1900, 3, 1), 61.0},
      {Time(2000, 2, 29, 12), 36585.5},
      {Time(2013, 4, 9, 6), 41373.25},
      {Time(1899, 12, 29, 6), -1.25},  // before day 0 the fraction still counts forward
      {Time(9999, 12, 31), 2958465.0},
      {Time(1, 1, 1), -693593.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.moment);
    EXPECT_EQ(DateTimeFromSystemTime(c.time), c.moment);
    const SYSTEMTIME back = SystemTimeFromDateTime(c.moment);
    EXPECT_EQ(back.wYear, c.time.wYear);
    EXPECT_EQ(back.wMonth, c.time.wMonth);
    EXPECT_EQ(back.wDay, c.time.wDay);
    EXPECT_EQ(back.wHour, c.time.wHour);
  }
  const SYSTEMTIME withMs = SystemTimeFromDateTime(*DateTimeFromSystemTime(Time(2013, 4, 9, 17, 5, 33, 42)));
  EXPECT_EQ(withMs.wMinute, 5);
  EXPECT_EQ(withMs.wSecond, 33);
  EXPECT_EQ(withMs.wMilliseconds, 42);

  for (const SYSTEMTIME& invalid : {Time(2013, 2, 29), Time(2013, 13, 1), Time(2013, 4, 31), Time(2013, 4, 9, 24),
                                    Time(0, 1, 1), Time(2013, 4, 9, 0, 60)})
    EXPECT_EQ(DateTimeFromSystemTime(invalid), std::nullopt);
}

}  // namespace
}  // namespace keytidy
