// Dates and times: milliseconds of wall-clock time from 1899-12-30 00:00 in the
// proleptic Gregorian calendar, years 1 to 9999. Whole milliseconds keep arithmetic and
// differences exact; the day count the date commands speak of is derived from them.
// Reading and writing are our own, alike on every system whatever its locale.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pirune {

using TDateTime = std::int64_t;
constexpr std::int64_t kMsPerDay = 86'400'000;

struct TCivilDate {
  int year, month, day;
};

// Days from 1899-12-30 (day 0) and back.
std::int64_t DaysFromCivil(int year, int month, int day);
TCivilDate CivilFromDays(std::int64_t days);
int DaysInMonth(int year, int month);

// The day and the time of day (in ms) of a date-time, before day 0 too.
std::int64_t DayOf(TDateTime t);
std::int64_t TimeOfDay(TDateTime t);

// t itself when it lies in years 1 to 9999, else the range error.
TDateTime InDateRange(TDateTime t);

// A date "y/m/d" ("/" or "-"; years of one or two digits are 2000–2029 and 1930–1999),
// "m/d" of `current_year`, either followed by blanks and a time "h:n[:s]", or a time
// alone (on day 0). Blanks and control characters around it are ignored; every field
// must lie in its range. Nothing when the text is none of these.
std::optional<TDateTime> ReadDateTime(std::string_view text, int current_year);

TDateTime FromLocalTime(int year, int month, int day, int hour, int minute, int second, int millisecond);

// "yyyy/mm/dd" and "hh:nn:ss".
std::string WriteDate(TDateTime t);
std::string WriteTime(TDateTime t);

// 1 for Sunday … 7 for Saturday.
int Weekday(TDateTime t);

// An offset "[+|-]a[sep b[sep c]]": hours, minutes, seconds with ':'; years, months, days
// with '/'. Each part is an integer 0–65535 (empty: 0), else the range error. Blanks and
// control characters around it are ignored.
struct TOffset {
  bool negative;
  std::int64_t part[3];
};
TOffset ReadOffset(std::string_view text, char separator);

// The time offset added (or taken away: a result before day 0 moves on by one day, so a
// time alone wraps around midnight).
TDateTime AddTime(TDateTime base, const TOffset& offset);
// The years and months added as months, the day clipped to the length of the month
// reached, then the days added.
TDateTime AddDate(TDateTime base, const TOffset& offset);

// The date in the Japanese era form ("平成15年12月29日", "令和元年5月1日"); empty before the
// first era.
std::string EraDate(TDateTime t);

}  // namespace pirune
