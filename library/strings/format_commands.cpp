// Trimming, filling and formatting: "前後の空白削除", "送り仮名削除", "通貨形式に変換",
// "指定形式に変換", "右寄せ", "ゼロで埋める", "行揃え".
#include <cmath>
#include <cstdint>

#include "engine/command_api.h"
#include "library/strings/line_wrap.h"
#include "library/strings/number_format.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

void Trim(TCommand& c) { c.Result(text::TrimBlanks(c.Text(0))); }

void DropOkurigana(TCommand& c) { c.Result(text::WithoutOkurigana(c.Text(0))); }

void Currency(TCommand& c) {
  std::string written = c.Text(0);
  const bool decimals = written.find('.') != std::string::npos;
  std::optional<std::string> form = CurrencyForm(c.Num(0), decimals ? 2 : 0);
  if (!form) c.ArgumentError();
  c.ResultKeepingMark(std::move(*form));
}

void Format(TCommand& c) {
  std::string format = c.Text(1);
  FormatValue value;
  if (format.find_first_of("fm") != std::string::npos) {
    value = c.Num(0);
  } else if (format.find('d') != std::string::npos) {
    Number n = std::trunc(c.Num(0));
    if (!(n >= -9223372036854775808.0L && n < 9223372036854775808.0L))
      c.Fail("\"" + format + "\"は、文法が正しくないため、実行できません。");
    value = static_cast<std::int64_t>(n);
  } else {
    value = c.Text(0);
  }
  std::optional<std::string> out = FormatWithDirectives(format, value);
  if (!out) c.Fail("\"" + format + "\"は、文法が正しくないため、実行できません。");
  c.Result(std::move(*out));
}

// The text preceded by `fill` bytes until it is `width` bytes long.
void Pad(TCommand& c, char fill) {
  std::string s = c.Text(0);
  std::int64_t width = WholeNumber(c, 1);
  if (width > static_cast<std::int64_t>(s.size())) {
    text::CheckLength(static_cast<std::size_t>(width));
    s.insert(0, static_cast<std::size_t>(width) - s.size(), fill);
  }
  c.ResultKeepingMark(std::move(s));
}

void AlignRight(TCommand& c) { Pad(c, ' '); }
void FillZeros(TCommand& c) { Pad(c, '0'); }

void Wrap(TCommand& c) {
  std::string s = c.Text(0);
  std::int64_t width = WholeNumber(c, 1);
  if (width <= 0) return c.Result(std::move(s));
  const THashNode* tab = c.SystemVariable("タブ文字の個数");
  const THashNode* prohibited = c.SystemVariable("禁則処理の行頭禁止文字");
  Number tab_width = tab ? std::trunc(tab->NumberValue()) : 8;
  if (!(tab_width >= -1e9L && tab_width <= 1e9L)) tab_width = 8;
  c.Result(WrapLines(s, width, static_cast<std::int64_t>(tab_width), prohibited ? prohibited->GetValue() : ""));
}

}  // namespace

std::span<const CommandBinding> FormatCommands() {
  static const CommandBinding commands[] = {
      {"前後の空白削除", Trim},  {"送り仮名削除", DropOkurigana}, {"通貨形式に変換", Currency},
      {"指定形式に変換", Format}, {"右寄せ", AlignRight},          {"ゼロで埋める", FillZeros},
      {"行揃え", Wrap},
  };
  return commands;
}

}  // namespace pirune
