// Pieces of a text: "MID", "MIDB", "LEFT", "RIGHT", "左端削除", "右端削除", "リフレイン",
// "段落を切り出す", "区切る", and the cutting commands, which also write what is left
// back into the variable they were given.
#include <cstdint>

#include "engine/command_api.h"
#include "library/strings/table_cell.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

// Characters first..last (1-based, both included) of s.
std::string CharRange(std::string_view s, std::int64_t first, std::int64_t last) {
  s = text::Characters(s);
  if (first < 1) first = 1;
  if (last < first) return {};
  std::size_t begin = text::CharOffset(s, static_cast<std::size_t>(first - 1));
  std::size_t end = begin + text::CharOffset(s.substr(begin), static_cast<std::size_t>(last - first + 1));
  return std::string(s.substr(begin, end - begin));
}

void Mid(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t start = text::PlainInteger(c.Text(1), 0), count = text::PlainInteger(c.Text(2), 0);
  c.Result(count <= 0 ? std::string() : CharRange(source, start, start + count - 1));
}

void MidBytes(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t start = text::PlainInteger(c.Text(1), 0), count = text::PlainInteger(c.Text(2), 0);
  if (start < 1) start = 1;
  if (count < 0 || start > static_cast<std::int64_t>(source.size())) return c.Result({});
  c.Result(source.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

void Left(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  c.Result(CharRange(source, 1, n));
}

std::int64_t Count(std::string_view s) { return static_cast<std::int64_t>(text::CharCount(s)); }

void Right(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1), total = Count(source);
  c.Result(n <= 0 ? std::string() : CharRange(source, total - n + 1, total));
}

void DeleteLeft(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  c.Result(CharRange(source, n < 0 ? 1 : n + 1, Count(source)));
}

void DeleteRight(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  c.Result(CharRange(source, 1, Count(source) - (n < 0 ? 0 : n)));
}

void Refrain(TCommand& c) {
  std::string piece = c.Text(0);
  std::int64_t n = text::PlainInteger(c.Text(1), 0);
  std::string out;
  if (n > 0 && !piece.empty()) {
    text::CheckLength(static_cast<std::size_t>(n) > text::kMaxTextBytes / piece.size() ? text::kMaxTextBytes + 1
                                                                                        : piece.size() * n);
    out.reserve(piece.size() * n);
    for (std::int64_t i = 0; i < n; ++i) out += piece;
  }
  c.Result(std::move(out));
}

void CutParagraph(TCommand& c) {
  std::string source = c.Text(0);
  c.Result(text::Paragraph(source, text::PlainInteger(c.Text(1), -1)));
}

void Split(TCommand& c) {
  std::string source = c.Text(0), separator = c.Text(1);
  std::string out;
  std::size_t begin = 0;
  while (begin < source.size()) {
    std::size_t at = text::FindFromCharStart(source, separator, begin);
    std::size_t end = at == text::npos ? source.size() : at;
    out += QuoteCell(std::string_view(source).substr(begin, end - begin));
    out += "\r\n";
    begin = at == text::npos ? source.size() : text::AfterMatch(source, at, separator.size());
  }
  c.Result(std::move(out));
}

// What is left goes back into the variable the first argument names, unless that is
// "それ" (which takes the result) or the argument is a literal.
void WriteBack(TCommand& c, std::string rest) {
  const std::string& raw = c.Raw(0);
  if (!raw.empty() && (raw[0] == '"' || raw[0] == '`')) return;
  THashNode* word = c.FindWord(0);
  if (word && !c.IsResultWord(*word)) word->SetValue(std::move(rest));
}

void CutLeft(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  if (n <= 0 || source.empty()) return c.Result({});
  std::string_view chars = text::Characters(source);
  std::size_t split = text::CharOffset(chars, static_cast<std::size_t>(n));
  std::string rest(chars.substr(split));
  c.Result(std::string(chars.substr(0, split)));
  WriteBack(c, std::move(rest));
}

void CutRight(TCommand& c) {
  std::string source = c.Text(0);
  std::int64_t n = WholeNumber(c, 1);
  if (n <= 0 || source.empty()) return c.Result({});
  std::string_view chars = text::Characters(source);
  std::int64_t keep = Count(chars) - n;
  std::size_t split = keep <= 0 ? 0 : text::CharOffset(chars, static_cast<std::size_t>(keep));
  std::string rest(chars.substr(0, split));
  c.Result(std::string(chars.substr(split)));
  WriteBack(c, std::move(rest));
}

// The text "切り取る" and "判別して切り取る" cut from: the named variable's value, else
// the argument's own value; nothing at all is an argument error.
std::string CutSource(TCommand& c) {
  if (const THashNode* word = c.FindWord(0)) return word->GetValue();
  std::string value = c.Text(0);
  if (value.empty()) c.ArgumentError();
  return value;
}

void CutUntil(TCommand& c) {
  std::string delimiter = c.Text(1);
  if (delimiter.empty()) return c.Result({});
  std::string source = CutSource(c);
  std::size_t at = text::FindAligned(source, delimiter);
  std::string rest = at == text::npos ? std::string() : source.substr(at + delimiter.size());
  if (at != text::npos) source.resize(at);
  c.Result(std::move(source));
  WriteBack(c, std::move(rest));
}

void CutUntilUnescaped(TCommand& c) {
  std::string escape = c.Text(2);
  if (escape.size() != 1) c.ArgumentError("判別文字は \\などの半角１文字で指定。");
  std::string delimiter = c.Text(1);
  if (delimiter.empty()) return c.Result({});
  std::string source = CutSource(c);
  std::string_view s = source;
  std::size_t i = 0;
  std::string copied;
  while (i < s.size() && s.compare(i, delimiter.size(), delimiter) != 0) {
    std::size_t length = CharLength(s, i);
    if (length == 1 && s[i] == escape[0] && i + 1 < s.size()) length += CharLength(s, i + 1);
    copied.append(s.substr(i, length));
    i += length;
  }
  std::string rest = i < s.size() ? std::string(s.substr(i + delimiter.size())) : std::string();
  c.Result(std::move(copied));
  WriteBack(c, std::move(rest));
}

void CutRange(TCommand& c) {
  THashNode* word = c.FindWord(0);
  if (!word) c.ArgumentError("１番目の引数は、変数である必要があります。");
  std::string from = c.Text(1), to = c.Text(2);
  std::string value = word->GetValue();
  std::size_t start = text::FindAligned(value, from);
  if (start == text::npos) return c.Result({});
  std::size_t end = text::FindFromCharStart(value, to, start);
  end = end == text::npos ? value.size() : end + to.size();
  std::string rest = value.substr(0, start) + value.substr(end);
  c.Result(value.substr(start, end - start));
  WriteBack(c, std::move(rest));
}

}  // namespace

std::span<const CommandBinding> ExtractCommands() {
  static const CommandBinding commands[] = {
      {"MID", Mid},
      {"MIDB", MidBytes},
      {"LEFT", Left},
      {"RIGHT", Right},
      {"左端削除", DeleteLeft},
      {"右端削除", DeleteRight},
      {"リフレイン", Refrain},
      {"段落を切り出す", CutParagraph},
      {"区切る", Split},
      {"左端を切り取る", CutLeft},
      {"右端を切り取る", CutRight},
      {"切り取る", CutUntil},
      {"判別して切り取る", CutUntilUnescaped},
      {"範囲を切り取る", CutRange},
  };
  return commands;
}

}  // namespace pirune
