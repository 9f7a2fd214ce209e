// Dates and times: reading, writing, offsets, eras and the commands that read the clock.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "library/clock.h"
#include "library/date_time.h"
#include "tests/unit/script_runner.h"

namespace pirune {
namespace {

std::string Written(std::optional<TDateTime> t) { return t ? WriteDate(*t) + " " + WriteTime(*t) : "none"; }

TEST(ReadDateTime, Table) {
  struct Case {
    const char* text;
    const char* read;
  } cases[] = {
      {"2003/12/29", "2003/12/29 00:00:00"},
      {"2003-12-29 10:20:30", "2003/12/29 10:20:30"},
      {" \t2003/1/2 3:04 \r\n", "2003/01/02 03:04:00"},
      {"03/12/29", "2003/12/29 00:00:00"},
      {"29/1/1", "2029/01/01 00:00:00"},
      {"30/1/1", "1930/01/01 00:00:00"},
      {"99/12/31", "1999/12/31 00:00:00"},
      {"0001/01/01", "0001/01/01 00:00:00"},
      {"100/1/1", "0100/01/01 00:00:00"},
      {"9999/12/31 23:59:59", "9999/12/31 23:59:59"},
      {"12/29", "2010/12/29 00:00:00"},  // the current year
      {"2/29", "none"},                  // 2010 is no leap year
      {"10:20:30", "1899/12/30 10:20:30"},
      {"0:0", "1899/12/30 00:00:00"},
      {"2000/02/29", "2000/02/29 00:00:00"},
      {"1900/02/29", "none"},
      {"2003/02/30", "none"},
      {"2003/13/01", "none"},
      {"2003/00/01", "none"},
      {"0000/01/01", "none"},
      {"99999/99/99", "none"},
      {"24:00:00", "none"},
      {"24:60:60", "none"},
      {"23:59:60", "none"},
      {"2003/12/29/1", "none"},
      {"2003/12-29", "none"},
      {"2003/12/2910:00", "none"},
      {"2003/12/29 10", "none"},
      {"2003/12/29 10:00:00:00", "none"},
      {"１２:００", "none"},
      {"", "none"},
      {"abc", "none"},
  };
  for (const Case& c : cases) EXPECT_EQ(Written(ReadDateTime(c.text, 2010)), c.read) << c.text;
  // A zero byte at the end is a control character and goes; within, it is no separator.
  EXPECT_EQ(Written(ReadDateTime(std::string("2003/12/29\0", 11), 2010)), "2003/12/29 00:00:00");
  EXPECT_EQ(Written(ReadDateTime(std::string("2003/12/29\0 1:00", 16), 2010)), "none");
  EXPECT_EQ(Written(ReadDateTime(std::string(1 << 20, '1'), 2010)), "none");
}

TEST(DaysFromCivil, RoundTripsAndDayZero) {
  EXPECT_EQ(DaysFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(DaysFromCivil(2003, 12, 29), 37984);
  for (std::int64_t day = DaysFromCivil(1, 1, 1); day <= DaysFromCivil(9999, 12, 31); day += 97) {
    TCivilDate d = CivilFromDays(day);
    ASSERT_EQ(DaysFromCivil(d.year, d.month, d.day), day);
  }
}

TEST(Offsets, Table) {
  struct Case {
    const char* base;
    const char* offset;
    bool date;
    const char* result;
  } cases[] = {
      {"2003/12/29", "-0/0/3", true, "2003/12/26 00:00:00"},
      {"2003/12/29", "1/2/3", true, "2005/03/03 00:00:00"},
      {"2003/01/31", "0/1/0", true, "2003/02/28 00:00:00"},
      {"2004/03/31", "-0/1/0", true, "2004/02/29 00:00:00"},
      {"2004/02/29 12:00", "1", true, "2005/02/28 12:00:00"},
      {"2003/12/29", "//40", true, "2004/02/07 00:00:00"},
      {"23:30:00", "1:0:0", false, "1899/12/31 00:30:00"},
      {"01:00:00", "-2:0:0", false, "1899/12/30 23:00:00"},
      {"07:59:59", "0:0:1", false, "1899/12/30 08:00:00"},
      {"2003/12/29", "+ 1 : 2 : 3", false, "2003/12/29 01:02:03"},
  };
  for (const Case& c : cases) {
    TDateTime base = *ReadDateTime(c.base, 2010);
    TOffset offset = ReadOffset(c.offset, c.date ? '/' : ':');
    EXPECT_EQ(Written(c.date ? AddDate(base, offset) : AddTime(base, offset)), c.result) << c.base << " " << c.offset;
  }
  for (const char* bad : {"-65536:0:0", "9999999999:0:0", "1:x:0", "1:-1:0", "1:2:3:4"})
    EXPECT_THROW(ReadOffset(bad, ':'), Exception) << bad;
  TDateTime last = *ReadDateTime("9999/12/31 23:00", 2010), first = *ReadDateTime("0001/01/01", 2010);
  EXPECT_THROW(AddDate(last, ReadOffset("0/0/1", '/')), Exception);
  EXPECT_THROW(AddTime(last, ReadOffset("1:0:0", ':')), Exception);
  EXPECT_THROW(AddDate(first, ReadOffset("-0/1/0", '/')), Exception);
  EXPECT_THROW(AddDate(first, ReadOffset("65535/65535/65535", '/')), Exception);
}

TEST(EraDate, Boundaries) {
  struct Case {
    const char* date;
    const char* era;
  } cases[] = {
      {"1867/12/31", ""},
      {"1868/01/01", "明治元年1月1日"},
      {"1911/12/31", "明治44年12月31日"},
      {"1912/01/01", "大正元年1月1日"},
      {"1925/12/31", "大正14年12月31日"},
      {"1926/01/01", "昭和元年1月1日"},
      {"1926/12/31", "昭和元年12月31日"},
      {"1988/12/31", "昭和63年12月31日"},
      {"1989/01/01", "平成元年1月1日"},
      {"2003/12/29", "平成15年12月29日"},
      {"2019/04/30", "平成31年4月30日"},
      {"2019/05/01", "令和元年5月1日"},
      {"2020/01/01", "令和2年1月1日"},
      {"9999/12/31", "令和7981年12月31日"},
  };
  for (const Case& c : cases) EXPECT_EQ(EraDate(*ReadDateTime(c.date, 2010)), c.era) << c.date;
}

TEST(Weekday, Table) {
  struct Case {
    const char* date;
    int weekday;
  } cases[] = {{"1899/12/30", 7}, {"1899/12/31", 1}, {"2003/12/29", 2}, {"0001/01/01", 2}, {"1600/03/01", 4}};
  for (const Case& c : cases) EXPECT_EQ(Weekday(*ReadDateTime(c.date, 2010)), c.weekday) << c.date;
}

TEST(ClockCommands, ReadTheStoppedClock) {
  StopClock({2019, 4, 30, 23, 59, 58, 999}, 4294967295u);
  testing::Script s("D=「5/1」\n「{今日} {今} {システム時間} {曜日(D)} {和暦に変換(今日)}」を、表示\n");
  s.Run();
  ASSERT_EQ(s.host.shown.size(), 1u);
  EXPECT_EQ(s.host.shown[0], "2019/04/30 23:59:58 4294967295 水 平成31年4月30日");
}

}  // namespace
}  // namespace pirune
