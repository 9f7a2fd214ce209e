// Texts used as byte buffers: "確保", "バイナリ取得", "バイナリ設定", "バイナリダンプ".
// A buffer keeps its length: nothing is read or written past its end.
#include <cmath>

#include "engine/command_api.h"
#include "library/strings/text_model.h"
#include "library/strings/whole_number.h"

namespace pirune {
namespace {

std::string UpperAscii(std::string s) {
  for (char& ch : s)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return s;
}

// Bytes a field of this type takes; 0 for "CHAR*" (up to a zero byte), -1 for no type.
int FieldWidth(const std::string& type) {
  if (type == "CHAR" || type == "BYTE") return 1;
  if (type == "WORD") return 2;
  if (type == "DWORD" || type == "INT") return 4;
  if (type == "CHAR*") return 0;
  return -1;
}

// The 0-based start of a field; offsets up to 1 are the first byte.
std::size_t FieldStart(TCommand& c, std::size_t slot) {
  std::int64_t offset = WholeNumber(c, slot);
  return offset <= 1 ? 0 : static_cast<std::size_t>(offset - 1);
}

void Reserve(TCommand& c) {
  std::int64_t n = WholeNumber(c, 1);
  if (n < 0) c.ArgumentError();
  text::CheckLength(static_cast<std::size_t>(n));
  THashNode& word = c.Word(0, true);
  word.SetValue(std::string(static_cast<std::size_t>(n), '\0'));
  word.SetMark("s");
}

void BinaryGet(TCommand& c) {
  const std::string value = c.Word(0).GetValue();
  std::size_t at = FieldStart(c, 1);
  std::string type = UpperAscii(c.Text(2));
  const int width = FieldWidth(type);
  if (width < 0) return;
  if (at >= value.size() || value.size() - at < static_cast<std::size_t>(width)) RangeError();
  auto byte = [&](int k) { return static_cast<std::uint32_t>(static_cast<unsigned char>(value[at + k])); };
  if (type == "CHAR") return c.Result(value.substr(at, 1));
  if (type == "BYTE") return c.ResultInteger(byte(0));
  if (type == "WORD") return c.ResultInteger(byte(0) | byte(1) << 8);
  if (width == 4) {
    std::uint32_t n = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    return c.ResultInteger(type == "INT" ? static_cast<std::int64_t>(static_cast<std::int32_t>(n)) : n);
  }
  std::string piece = value.substr(at, value.find('\0', at) - at);
  if (piece.empty()) return c.ResultKeepingMark({});
  c.Result(std::move(piece));
}

// The argument as a whole number within [low, high].
std::int64_t Bounded(TCommand& c, std::size_t slot, Number low, Number high) {
  Number n = std::trunc(c.Num(slot));
  if (!(n >= low && n <= high)) RangeError();
  return static_cast<std::int64_t>(n);
}

void BinarySet(TCommand& c) {
  THashNode& word = c.Word(1);
  std::size_t at = FieldStart(c, 2);
  std::string type = UpperAscii(c.Text(3));
  const int width = FieldWidth(type);
  if (width < 0) return;
  std::string bytes;
  if (type == "CHAR") {
    std::string s = c.Text(0);
    bytes = s.empty() ? std::string(1, '\0') : s.substr(0, 1);
  } else if (type == "CHAR*") {
    bytes = c.Text(0) + '\0';
  } else {
    std::int64_t n = type == "DWORD" ? Bounded(c, 0, 0, 4294967295.0L)
                     : type == "INT" ? Bounded(c, 0, -2147483648.0L, 2147483647.0L)
                                     : WholeNumber(c, 0);
    for (int k = 0; k < width; ++k) bytes += static_cast<char>((static_cast<std::uint64_t>(n) >> (8 * k)) & 0xFF);
  }
  std::string value = word.GetValue();
  if (at >= value.size() || value.size() - at < bytes.size()) RangeError();
  value.replace(at, bytes.size(), bytes);
  word.SetValue(std::move(value));
}

void BinaryDump(TCommand& c) {
  std::string s = c.Text(0);
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(s.size() * 3 + s.size() / 16);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto b = static_cast<unsigned char>(s[i]);
    out += digits[b >> 4];
    out += digits[b & 15];
    out += (i + 1) % 16 == 0 ? "\r\n" : ",";
  }
  c.Result(std::move(out));
}

}  // namespace

std::span<const CommandBinding> BufferCommands() {
  static const CommandBinding commands[] = {
      {"確保", Reserve},
      {"バイナリ取得", BinaryGet},
      {"バイナリ設定", BinarySet},
      {"バイナリダンプ", BinaryDump},
  };
  return commands;
}

}  // namespace pirune
