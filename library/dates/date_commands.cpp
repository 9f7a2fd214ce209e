// Dates and times: the current date and time, weekdays, date and time arithmetic,
// differences, the millisecond counter and the Japanese era form.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/command_api.h"
#include "library/clock.h"
#include "library/date_time.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

const char kNotADateTime[] = "日時の指定が不正です。";

TDateTime Now() {
  platform::LocalTime t = ClockNow();
  return FromLocalTime(t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond);
}

std::optional<TDateTime> Read(TCommand& c, std::size_t slot) { return ReadDateTime(c.Text(slot), ClockNow().year); }

TDateTime ReadOrFail(TCommand& c, std::size_t slot) {
  std::optional<TDateTime> t = Read(c, slot);
  if (!t) c.Fail(kNotADateTime);
  return *t;
}

void CurrentTime(TCommand& c) { c.Result(WriteTime(Now())); }
void Today(TCommand& c) { c.Result(WriteDate(Now())); }

TDateTime DateOrArgumentError(TCommand& c) {
  std::optional<TDateTime> t = Read(c, 0);
  if (!t) c.ArgumentError("：年月日の取得に失敗");
  return *t;
}
void WeekdayName(TCommand& c) {
  static const char* const names[] = {"日", "月", "火", "水", "木", "金", "土"};
  c.Result(names[Weekday(DateOrArgumentError(c)) - 1]);
}
void WeekdayNumber(TCommand& c) { c.ResultInteger(Weekday(DateOrArgumentError(c))); }

// The arithmetic's own failures (a field or a result out of range) are the command's
// errors as they stand.
template <typename Add, typename Write>
void Shift(TCommand& c, char separator, Add add, Write write) {
  TDateTime base = ReadOrFail(c, 0);
  std::string offset = c.Text(1);
  std::string text;
  try {
    text = write(add(base, ReadOffset(offset, separator)));
  } catch (const Exception& e) {
    c.Fail(e.Message());
  }
  c.ResultKeepingMark(std::move(text));
}
void AddTimeCommand(TCommand& c) { Shift(c, ':', AddTime, WriteTime); }
void AddDateCommand(TCommand& c) { Shift(c, '/', AddDate, WriteDate); }

std::int64_t Difference(TCommand& c) {
  TDateTime a = ReadOrFail(c, 0);
  return a - ReadOrFail(c, 1);
}
void DaysBetween(TCommand& c) { c.ResultInteger(Difference(c) / kMsPerDay); }
void SecondsBetween(TCommand& c) {
  std::int64_t ms = Difference(c);
  std::int64_t seconds = ms / 1000, rest = ms % 1000;
  if (rest > 500 || (rest == 500 && seconds % 2 != 0)) ++seconds;
  if (rest < -500 || (rest == -500 && seconds % 2 != 0)) --seconds;
  if (seconds < INT32_MIN || seconds > INT32_MAX) RangeError();
  c.ResultInteger(seconds);
}

void SystemTime(TCommand& c) { c.ResultInteger(ClockMilliseconds()); }

void ToEra(TCommand& c) {
  std::optional<TDateTime> t = Read(c, 0);
  if (!t) c.ArgumentError("日付に変換出来ません。");
  c.Result(EraDate(*t));
}

}  // namespace

std::span<const CommandBinding> DateCommands() {
  static const CommandBinding commands[] = {
      {"今", CurrentTime},       {"今日", Today},          {"曜日", WeekdayName},
      {"曜日を数値で得る", WeekdayNumber}, {"時間加算", AddTimeCommand}, {"日付加算", AddDateCommand},
      {"日数差", DaysBetween},   {"秒差", SecondsBetween}, {"システム時間", SystemTime},
      {"和暦に変換", ToEra},
  };
  return commands;
}

}  // namespace pirune
