#include "library/date_time.h"

#include "engine/command_api.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

constexpr std::int64_t kDaysBefore1970 = 25569;  // 1899-12-30 to 1970-01-01

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

TDateTime Earliest() { return DaysFromCivil(1, 1, 1) * kMsPerDay; }
TDateTime Latest() { return (DaysFromCivil(9999, 12, 31) + 1) * kMsPerDay - 1; }

// A cursor over the text being read as a date-time.
class TFields {
 public:
  explicit TFields(std::string_view s) : s_(s) {}
  bool AtEnd() const { return i_ == s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
  bool Take(char c) {
    if (Peek() != c) return false;
    ++i_;
    return true;
  }
  // Digits, at most `longest` of them: the number and how many there were (0: none).
  int Number(int longest, int& count) {
    int n = 0;
    count = 0;
    while (!AtEnd() && s_[i_] >= '0' && s_[i_] <= '9') {
      if (++count > longest) return 0;
      n = n * 10 + (s_[i_++] - '0');
    }
    return n;
  }
  bool SkipBlanks() {
    std::size_t start = i_;
    while (Peek() == ' ' || Peek() == '\t') ++i_;
    return i_ > start;
  }

 private:
  std::string_view s_;
  std::size_t i_ = 0;
};

// "h:n[:s]" to the end: the time of day in ms.
std::optional<std::int64_t> ReadTime(TFields& f, int hour, int count) {
  int minute, second = 0;
  if (count == 0 || !f.Take(':')) return std::nullopt;
  minute = f.Number(2, count);
  if (count == 0) return std::nullopt;
  if (f.Take(':')) {
    second = f.Number(2, count);
    if (count == 0) return std::nullopt;
  }
  if (!f.AtEnd() || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  return ((hour * 60 + minute) * 60 + second) * std::int64_t{1000};
}

// Blanks and control characters off both ends.
std::string_view WithoutControls(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::string TwoDigits(std::int64_t n) { return std::string{static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

}  // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
  // Counted in eras of 400 years from March, so that the leap day ends a year.
  std::int64_t y = year - (month <= 2);
  std::int64_t era = FloorDiv(y, 400);
  std::int64_t year_of_era = y - era * 400;
  std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468 + kDaysBefore1970;
}

TCivilDate CivilFromDays(std::int64_t days) {
  std::int64_t z = days - kDaysBefore1970 + 719468;
  std::int64_t era = FloorDiv(z, 146097);
  std::int64_t day_of_era = z - era * 146097;
  std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  std::int64_t mp = (5 * day_of_year + 2) / 153;
  int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(year_of_era + era * 400 + (month <= 2)), month, day};
}

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

std::int64_t DayOf(TDateTime t) { return FloorDiv(t, kMsPerDay); }
std::int64_t TimeOfDay(TDateTime t) { return t - DayOf(t) * kMsPerDay; }

TDateTime InDateRange(TDateTime t) {
  if (t < Earliest() || t > Latest()) RangeError();
  return t;
}

std::optional<TDateTime> ReadDateTime(std::string_view text, int current_year) {
  TFields f(WithoutControls(text));
  int count;
  int first = f.Number(4, count);
  if (count == 0) return std::nullopt;
  char separator = f.Peek();
  if (separator == ':') return ReadTime(f, first, count);
  if (separator != '/' && separator != '-') return std::nullopt;
  f.Take(separator);
  int first_count = count;
  int second = f.Number(2, count);
  if (count == 0) return std::nullopt;
  int year = current_year, month = first, day = second;
  if (f.Take(separator)) {
    year = first;
    month = second;
    day = f.Number(2, count);
    if (count == 0) return std::nullopt;
    if (first_count <= 2) year += year < 30 ? 2000 : 1900;
  } else if (first_count > 2) {
    return std::nullopt;
  }
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return std::nullopt;
  std::int64_t time = 0;
  if (!f.AtEnd()) {
    if (!f.SkipBlanks()) return std::nullopt;
    int hour = f.Number(2, count);
    auto t = ReadTime(f, hour, count);
    if (!t) return std::nullopt;
    time = *t;
  }
  return DaysFromCivil(year, month, day) * kMsPerDay + time;
}

TDateTime FromLocalTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  return DaysFromCivil(year, month, day) * kMsPerDay + ((hour * 60 + minute) * 60 + second) * std::int64_t{1000} +
         millisecond;
}

std::string WriteDate(TDateTime t) {
  TCivilDate d = CivilFromDays(DayOf(t));
  return TwoDigits(d.year / 100) + TwoDigits(d.year % 100) + "/" + TwoDigits(d.month) + "/" + TwoDigits(d.day);
}

std::string WriteTime(TDateTime t) {
  std::int64_t seconds = TimeOfDay(t) / 1000;
  return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

int Weekday(TDateTime t) {
  // Day 0 was a Saturday.
  return static_cast<int>((DayOf(t) % 7 + 7 + 6) % 7) + 1;
}

TOffset ReadOffset(std::string_view text, char separator) {
  TOffset offset{};
  text = WithoutControls(text);
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    offset.negative = text[0] == '-';
    text.remove_prefix(1);
  }
  for (int k = 0; k < 3 && !text.empty(); ++k) {
    std::size_t end = k < 2 ? text.find(separator) : std::string_view::npos;
    std::string_view part = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
    if (part.empty()) continue;
    std::int64_t n = 0;
    for (char ch : part) {
      if (ch < '0' || ch > '9' || (n = n * 10 + (ch - '0')) > 65535) RangeError();
    }
    offset.part[k] = n;
  }
  return offset;
}

TDateTime AddTime(TDateTime base, const TOffset& offset) {
  std::int64_t ms = (offset.part[0] * 3600 + offset.part[1] * 60 + offset.part[2]) * 1000;
  TDateTime t = offset.negative ? base - ms : base + ms;
  if (offset.negative && t < 0) t += kMsPerDay;
  return InDateRange(t);
}

TDateTime AddDate(TDateTime base, const TOffset& offset) {
  TCivilDate d = CivilFromDays(DayOf(base));
  std::int64_t months = offset.part[0] * 12 + offset.part[1];
  std::int64_t index = std::int64_t{d.year} * 12 + (d.month - 1) + (offset.negative ? -months : months);
  std::int64_t year = FloorDiv(index, 12);
  if (year < 1 || year > 9999) RangeError();
  int month = static_cast<int>(index - year * 12) + 1;
  int day = d.day < DaysInMonth(static_cast<int>(year), month) ? d.day : DaysInMonth(static_cast<int>(year), month);
  std::int64_t days = DaysFromCivil(static_cast<int>(year), month, day) + (offset.negative ? -offset.part[2] : offset.part[2]);
  return InDateRange(days * kMsPerDay + TimeOfDay(base));
}

std::string EraDate(TDateTime t) {
  // Each era by its first day. The earlier ones are told by the year alone, as they
  // always have been here; 令和 by the day it began.
  struct TEra {
    const char* name;
    TCivilDate first;
  };
  static const TEra eras[] = {
      {"明治", {1868, 1, 1}}, {"大正", {1912, 1, 1}}, {"昭和", {1926, 1, 1}},
      {"平成", {1989, 1, 1}}, {"令和", {2019, 5, 1}},
  };
  std::int64_t day = DayOf(t);
  TCivilDate d = CivilFromDays(day);
  const TEra* era = nullptr;
  for (const TEra& e : eras)
    if (DaysFromCivil(e.first.year, e.first.month, e.first.day) <= day) era = &e;
  if (!era) return {};
  int year = d.year - era->first.year + 1;
  return std::string(era->name) + (year == 1 ? std::string("元") : std::to_string(year)) + "年" +
         std::to_string(d.month) + "月" + std::to_string(d.day) + "日";
}

}  // namespace pirune
