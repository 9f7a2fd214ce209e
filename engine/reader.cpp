#include "engine/reader.h"

#include <array>
#include <cstdint>

#include "engine/errors.h"
#include "engine/fast_paths.h"
#include "engine/piru_base.h"
#include "engine/program_text.h"
#include "engine/sjis.h"

namespace pirune {

bool IsWordDelimiter(unsigned char c) {
  switch (c) {
    case 0: case '\t': case '\r': case ' ': case '"': case '#': case '%': case '&': case '(':
    case ')': case '*': case '+': case ',': case '-': case '/': case ':': case ';': case '<':
    case '=': case '>': case '?': case '\\': case '^': case '`': case 0xA4:
      return true;
    default:
      return false;
  }
}

bool IsOperatorChar(unsigned char c) {
  switch (c) {
    case '%': case '&': case '*': case '+': case '-': case '/': case '<': case '=': case '>':
    case '^': case '|':
      return true;
    default:
      return false;
  }
}

void StepChar(TextPos& c) {
  if (c.AtEnd()) return;
  // A lead byte never takes a line end as its second byte (no character has one there):
  // a broken character at a line's end leaves the line end to end the line.
  unsigned char next = c.offset + 1 < c.end ? c.At(1) : 0;
  c.offset += (IsLeadByte(c.At()) && c.offset + 1 < c.end && next != '\r' && next != '\n') ? 2 : 1;
}

void SkipSpaces(TextPos& c) {
  if (!c.text) return;
  const char* t = c.text->data();
  std::size_t size = c.end, i = c.offset;
  while (i < size && (t[i] == '\t' || t[i] == ' ')) ++i;
  c.offset = i;
}

std::string ReadWord(TextPos& c) {
  if (c.None()) return {};
  SkipSpaces(c);
  // Words are read everywhere: the bytes are walked directly.
  const std::string& t = *c.text;
  std::size_t size = c.end, start = c.offset, i = start;
  while (i < size) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    if (IsWordDelimiter(b)) break;
    i += (IsLeadByte(b) && i + 1 < size) ? 2 : 1;
  }
  c.offset = i;
  return t.substr(start, i - start);
}

namespace {

bool IsHexDigit(unsigned char b) {
  return IsDigit(b) || (b >= 'A' && b <= 'F') || (b >= 'a' && b <= 'f');
}

// "$" and hex digits as a 32-bit signed integer; 0 when empty or out of range.
std::string HexToDecimal(std::string_view digits) {
  if (digits.empty() || digits.size() > 16) return "0";
  std::uint64_t v = 0;
  for (unsigned char d : digits) {
    v = v * 16 + (IsDigit(d) ? d - '0' : (d | 0x20) - 'a' + 10);
    if (v > 0xFFFFFFFFull) return "0";
  }
  return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
}

}  // namespace

std::string ReadNumber(TextPos& c) {
  if (c.None()) return {};
  SkipBlanks(c);
  std::string out;
  if (c.At() == '+' || c.At() == '-') out += static_cast<char>(c.At()), ++c.offset;
  if (c.At() == '$') {
    ++c.offset;
    std::size_t start = c.offset;
    while (IsHexDigit(c.At())) ++c.offset;
    out += HexToDecimal(std::string_view(*c.text).substr(start, c.offset - start));
    return out;
  }
  if (!IsDigit(c.At()) && c.At() != '.') return out;
  std::size_t start = c.offset;
  while (IsDigit(c.At())) ++c.offset;
  if (c.At() == '.' && IsDigit(c.At(1))) {
    ++c.offset;
    while (IsDigit(c.At())) ++c.offset;
    if (c.At() == 'E' || c.At() == 'e') {
      ++c.offset;
      if (c.At() == '+' || c.At() == '-') ++c.offset;
      while (IsDigit(c.At())) ++c.offset;
    }
  }
  out += c.text->substr(start, c.offset - start);
  return out;
}

bool AtLiteral(const TextPos& c) {
  return c.At() == '"' || c.At() == '`' || (c.At() == '@' && c.At(1) == '@');
}

std::string ReadLiteral(TPiruBase& state, TextPos& c, std::size_t limit) {
  if (c.None() || !AtLiteral(c)) return {};
  const std::string& t = *c.text;
  std::size_t start = c.offset, size = c.end;
  std::size_t end = limit == std::string::npos || limit > size - start ? size : start + limit;
  auto char_len = [&](std::size_t i) { return (IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < end) ? 2 : 1; };
  std::size_t i = start;
  if (t[i] == '"') {
    for (++i; i < end;) {
      if (t[i] == '\\') {
        ++i;
        if (i < end) i += char_len(i);
      } else if (t[i] == '"') {
        c.offset = i + 1;
        return t.substr(start, c.offset - start);
      } else {
        i += char_len(i);
      }
    }
    RaiseScriptError(state, "対応するカッコ \" または 」 がありません。");
  }
  if (t[i] == '`') {
    for (++i; i < end;) {
      if (t[i] == '`') {
        if (i + 1 < end && t[i + 1] == '`') {
          i += 2;
          continue;
        }
        c.offset = i + 1;
        return t.substr(start, c.offset - start);
      }
      i += char_len(i);
    }
    RaiseScriptError(state, "対応するカッコ ` または 』 がありません。");
  }
  // "@@" and a terminator character.
  i += 2;
  std::string terminator;
  if (i < end) {
    terminator = t.substr(i, char_len(i));
    i += terminator.size();
  }
  std::string_view walked(t.data(), end);  // a terminator is found only within it
  while (i < end && !terminator.empty()) {
    if (t[i] == '\\' || walked.compare(i, 2, "￥") == 0) {
      i += char_len(i);
      if (i < end) i += char_len(i);
    } else if (walked.compare(i, terminator.size(), terminator) == 0) {
      c.offset = i + terminator.size();
      return t.substr(start, c.offset - start);
    } else {
      i += char_len(i);
    }
  }
  RaiseScriptError(state, "対応するカッコ" + terminator + "がありません。");
}

std::string ReadBracket(TPiruBase& state, TextPos& c) {
  if (c.None()) return {};
  SkipBlanks(c);
  if (c.At() != '(') return {};
  ++c.offset;
  std::size_t start = c.offset;
  int depth = 1;
  while (!c.AtEnd()) {
    unsigned char b = c.At();
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
      continue;
    }
    if (b == '(') {
      ++depth;
    } else if (b == ')') {
      if (--depth == 0) {
        std::string inside = c.text->substr(start, c.offset - start);
        ++c.offset;
        return inside;
      }
    }
    StepChar(c);
  }
  RaiseScriptError(state, "\")\"が対応していません。");
}

void SkipToLineEnd(TextPos& c) {
  while (c.At() != 0 && c.At() != '\r') StepChar(c);
}

namespace {

// Where the line ends of program texts lead: loops take the same few over and over. A
// slot holds its text, so the address it was seen at still means that text.
struct LineEndSeen {
  TextPos at;
  ProgramText text;
  std::size_t after = 0;
  std::int32_t line = 0;
};
std::array<LineEndSeen, 1024> line_ends_seen;

LineEndSeen& SeenSlot(const TextPos& c) {
  return line_ends_seen[(PositionHash(c) >> 32) & (line_ends_seen.size() - 1)];
}

// The line end read from the text, and kept when the text is a program text. (Kept
// out of line: the taking of a line end seen before then needs no registers saved.)
[[gnu::noinline]] void ReadLineNumber(TPiruBase& state, TextPos& c, LineEndSeen& seen) {
  const auto* t = reinterpret_cast<const unsigned char*>(c.text->data());
  std::size_t size = c.end, i = c.offset;
  constexpr std::uint64_t kLineEndsAndBlanks = (1ull << '\t') | (1ull << '\n') | (1ull << '\r') | (1ull << ' ');
  while (i < size && t[i] <= ' ' && ((kLineEndsAndBlanks >> t[i]) & 1)) ++i;
  std::size_t first_digit = i;
  std::int32_t n = 0;
  for (; i < size && IsDigit(t[i]); ++i)
    if (n < 100000000) n = n * 10 + (t[i] - '0');
  bool digits = i > first_digit;
  if (digits && i < size && t[i] == ':') ++i;
  state.Line = digits ? n : -1;
  if (FastPathsOn()) {
    if (ProgramText text = KeepText(c.text)) seen = LineEndSeen{c, std::move(text), i, state.Line};
  }
  c.offset = i;
}

}  // namespace

void TakeLineNumber(TPiruBase& state, TextPos& c) {
  ++state.LineTakes;
  if (!c.text) {
    state.Line = -1;
    return;
  }
  LineEndSeen& seen = SeenSlot(c);
  if (FastPathsOn() && seen.at == c) {
    c.offset = seen.after;
    state.Line = seen.line;
    return;
  }
  ReadLineNumber(state, c, seen);
}

}  // namespace pirune
