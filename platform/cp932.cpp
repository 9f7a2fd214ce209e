#include "platform/cp932.h"

#include <cstdint>
#include <memory>

namespace pirune::cp932 {
namespace {

#include "platform/cp932_table.inc"

constexpr char16_t kReplacement = 0xFFFD;

bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// 0 when the pair has no character: no double-byte code decodes to U+0000.
char16_t DecodePair(unsigned char lead, unsigned char trail) {
  const unsigned row = kCp932RowOfLead[lead];
  if (row == 0 || !IsTrailByte(trail)) return 0;
  return kCp932DoubleByte[row - 1][trail - kCp932FirstTrail];
}

// Decodes the character at s[i] and tells how many bytes it took. A lead byte whose
// follower cannot be a trail byte is taken alone, so that the line end or ASCII after a
// damaged character survives the conversion.
char16_t DecodeAt(std::string_view s, std::size_t i, std::size_t* length) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (!IsLeadByte(b)) {
    *length = 1;
    return kCp932SingleByte[b];
  }
  if (i + 1 >= s.size() || !IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
    *length = 1;
    return kReplacement;
  }
  *length = 2;
  const char16_t c = DecodePair(b, static_cast<unsigned char>(s[i + 1]));
  return c != 0 ? c : kReplacement;
}

// Code for each BMP character; 0 means none (U+0000 is handled by its callers). Built
// on first use from the decoding table rather than shipped, which keeps the generated
// file to one direction plus the few choices it cannot express.
const std::uint16_t* EncodeTable() {
  static const std::unique_ptr<std::uint16_t[]> table = [] {
    auto t = std::make_unique<std::uint16_t[]>(0x10000);  // zero-filled
    for (unsigned b = 1; b < 256; ++b) {
      if (!IsLeadByte(static_cast<unsigned char>(b)) && t[kCp932SingleByte[b]] == 0)
        t[kCp932SingleByte[b]] = static_cast<std::uint16_t>(b);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      const unsigned row = kCp932RowOfLead[lead];
      if (row == 0) continue;
      for (unsigned k = 0; k < kCp932RowWidth; ++k) {
        const char16_t c = kCp932DoubleByte[row - 1][k];
        if (c != 0 && t[c] == 0) t[c] = static_cast<std::uint16_t>((lead << 8) | (k + kCp932FirstTrail));
      }
    }
    for (const auto& o : kCp932EncodeOverrides) t[o.unicode] = o.code;
    return t;
  }();
  return table.get();
}

// Appends the code of c, or answers false when Shift_JIS has none.
bool AppendCode(std::string& out, const std::uint16_t* table, char32_t c) {
  if (c == 0) {
    out.push_back('\0');
    return true;
  }
  if (c > 0xFFFF) return false;
  const std::uint16_t code = table[c];
  if (code == 0) return false;
  if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
  out.push_back(static_cast<char>(code & 0xFF));
  return true;
}

void AppendUtf8(std::string& out, char16_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Reads one well-formed UTF-8 character at s[i]; 0 bytes taken means the bytes there are
// not UTF-8 (overlong forms, surrogates, values past U+10FFFF and cut-off sequences all
// count as such).
std::size_t ReadUtf8(std::string_view s, std::size_t i, char32_t* out) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    *out = b0;
    return 1;
  }
  std::size_t length;
  char32_t c;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    c = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    c = b0 & 0x0F;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    c = b0 & 0x07;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (s.size() - i < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  *out = c;
  return length;
}

}  // namespace

std::u16string ToUtf16(std::string_view sjis) {
  std::u16string out;
  out.reserve(sjis.size());
  for (std::size_t i = 0, length = 0; i < sjis.size(); i += length) out.push_back(DecodeAt(sjis, i, &length));
  return out;
}

std::string FromUtf16(std::u16string_view text, bool* lossless) {
  const std::uint16_t* table = EncodeTable();
  bool all_mapped = true;
  std::string out;
  out.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (IsSurrogate(c)) {
      // A pair stands for one character, so it becomes one "?".
      if (c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) ++i;
      out.push_back('?');
      all_mapped = false;
    } else if (!AppendCode(out, table, c)) {
      out.push_back('?');
      all_mapped = false;
    }
  }
  if (lossless != nullptr) *lossless = all_mapped;
  return out;
}

std::string ToUtf8(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  for (std::size_t i = 0, length = 0; i < sjis.size(); i += length) {
    // Runs of ASCII are the same bytes in UTF-8: copy them as they are.
    std::size_t run = i;
    while (run < sjis.size() && static_cast<unsigned char>(sjis[run]) < 0x80) ++run;
    if (run > i) {
      out.append(sjis, i, run - i);
      length = run - i;
      continue;
    }
    AppendUtf8(out, DecodeAt(sjis, i, &length));
  }
  return out;
}

namespace {
// The conversion both ways of meeting a character Shift_JIS lacks share: with a place for
// its offset, the first one fails the whole text; without, each becomes "?".
std::optional<std::string> ConvertUtf8(std::string_view utf8, std::size_t* bad_offset, bool replace) {
  const std::uint16_t* table = EncodeTable();
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const std::size_t length = ReadUtf8(utf8, i, &c);
    if (length == 0 || !AppendCode(out, table, c)) {
      if (!replace) {
        if (bad_offset != nullptr) *bad_offset = i;
        return std::nullopt;
      }
      out.push_back('?');
    }
    i += length == 0 ? 1 : length;
  }
  return out;
}
}  // namespace

std::optional<std::string> FromUtf8(std::string_view utf8, std::size_t* bad_offset) {
  return ConvertUtf8(utf8, bad_offset, false);
}

std::string FromUtf8Replacing(std::string_view utf8) { return *ConvertUtf8(utf8, nullptr, true); }

}  // namespace pirune::cp932
