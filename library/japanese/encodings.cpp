#include "library/japanese/encodings.h"

#include <cstdint>

#include "library/japanese/width_case.h"
#include "platform/sjis_walk.h"

namespace pirune::japanese {
namespace {

constexpr char kEsc = 0x1B;
constexpr std::string_view kToTwoByte = "\x1B$B", kToRoman = "\x1B(J";

unsigned Byte(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }
bool Within(unsigned b, unsigned low, unsigned high) { return b >= low && b <= high; }

// JIS X 0208 row and cell bytes (0x21-0x7E) of a Shift_JIS code, by the standard
// arithmetic (codes outside JIS X 0208 come out outside that range).
void SjisToJis(unsigned lead, unsigned trail, unsigned& j1, unsigned& j2) {
  if (lead >= 0xE0) lead -= 0x40;
  j1 = (lead - 0x81) * 2 + 0x21;
  if (trail >= 0x9F) {
    ++j1;
    j2 = trail - 0x7E;
  } else {
    j2 = trail - (trail >= 0x80 ? 0x20 : 0x1F);
  }
}

void JisToSjis(unsigned j1, unsigned j2, std::string& out) {
  out += static_cast<char>(((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0));
  out += static_cast<char>(j2 + ((j1 & 1) ? (j2 >= 0x60 ? 0x20 : 0x1F) : 0x7E));
}

// Writes JIS X 0208 bytes, announcing the two-byte mode when it is not on.
struct JisWriter {
  std::string out;
  bool two_byte = false;
  void Pair(unsigned j1, unsigned j2) {
    if (!two_byte) out += kToTwoByte;
    two_byte = true;
    out += static_cast<char>(j1);
    out += static_cast<char>(j2);
  }
  void Single(char c) {
    End();
    out += c;
  }
  void End() {
    if (two_byte) out += kToRoman;
    two_byte = false;
  }
  void SjisCode(std::uint16_t code) {
    unsigned j1, j2;
    SjisToJis(code >> 8, code & 0xFF, j1, j2);
    Pair(j1 & 0xFF, j2 & 0xFF);
  }
};

std::string SjisToJisText(std::string_view s) {
  JisWriter w;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t length;
    if (CharLength(s, i) == 2) {
      unsigned j1, j2;
      SjisToJis(Byte(s, i), Byte(s, i + 1), j1, j2);
      w.Pair(j1 & 0xFF, j2 & 0xFF);
      i += 2;
    } else if (std::uint16_t code = FullKana(s, i, &length)) {
      w.SjisCode(code);
      i += length;
    } else {
      w.Single(s[i++]);
    }
  }
  w.End();
  return w.out;
}

std::string EucToJisText(std::string_view s) {
  JisWriter w;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned b = Byte(s, i);
    if (b == 0x8E && i + 1 < s.size()) {
      std::size_t length;
      const std::string kana(1, s[i + 1]);
      if (std::uint16_t code = FullKana(kana, 0, &length)) w.SjisCode(code);
      i += 2;
    } else if (Within(b, 0xA1, 0xFE) && i + 1 < s.size()) {
      w.Pair(b & 0x7F, Byte(s, i + 1) & 0x7F);
      i += 2;
    } else {
      w.Single(s[i++]);
    }
  }
  w.End();
  return w.out;
}

// Walks JIS text: escape sequences (three bytes each) are dropped, ESC $ switching the
// two-byte mode on and ESC ( switching it off; `pair` takes the two bytes of each
// character in that mode, other bytes are copied.
template <class Pair>
std::string FromJis(std::string_view s, Pair pair) {
  std::string out;
  bool two_byte = false;
  for (std::size_t i = 0; i < s.size();) {
    const char c = s[i];
    if (c == kEsc && i + 1 < s.size() && (s[i + 1] == '$' || s[i + 1] == '(')) {
      two_byte = s[i + 1] == '$';
      i += 3;
    } else if (two_byte && Within(Byte(s, i), 0x21, 0x7E) && i + 1 < s.size() && Within(Byte(s, i + 1), 0x21, 0x7E)) {
      pair(out, Byte(s, i), Byte(s, i + 1));
      i += 2;
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string JisToEucText(std::string_view s) {
  return FromJis(s, [](std::string& out, unsigned j1, unsigned j2) {
    out += static_cast<char>(j1 | 0x80);
    out += static_cast<char>(j2 | 0x80);
  });
}

std::string JisToSjisText(std::string_view s) {
  return FromJis(s, [](std::string& out, unsigned j1, unsigned j2) { JisToSjis(j1, j2, out); });
}

std::string SjisToEucText(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned b = Byte(s, i);
    if (CharLength(s, i) == 2) {
      unsigned j1, j2;
      SjisToJis(b, Byte(s, i + 1), j1, j2);
      out += static_cast<char>(j1 | 0x80);
      out += static_cast<char>(j2 | 0x80);
      i += 2;
      continue;
    }
    if (Within(b, 0xA1, 0xDF)) out += '\x8E';
    out += s[i++];
  }
  return out;
}

std::string EucToSjisText(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned b = Byte(s, i);
    if (b < 0x81 || b == 0xFF || i + 1 == s.size()) {
      out += s[i++];
    } else if (b == 0x8E) {
      out += s[i + 1];
      i += 2;
    } else {
      JisToSjis(b & 0x7F, Byte(s, i + 1) & 0x7F, out);
      i += 2;
    }
  }
  return out;
}

}  // namespace

Encoding DetectEncoding(std::string_view s) {
  const std::size_t n = s.size();
  for (std::size_t i = 0; i + 1 < n && i < 512; ++i)
    if (Byte(s, i) < 8 || Byte(s, i) == 0xFF) return kBinary;
  Encoding code = kAscii;
  std::size_t i = 0;
  while (i + 1 < n && (code == kAscii || code == kEucOrSjis)) {
    const unsigned a = Byte(s, i), b = Byte(s, i + 1);
    i += 2;  // most bytes are looked at together with the one after them
    if (a < 8 || a == 0xFF) {
      code = kBinary;
    } else if (a == 0x1B) {
      if (b == '$' && i < n) {
        if (Byte(s, i) == 'B') code = kJis;
        else if (Byte(s, i) == 0x40) code = kOldJis;
        ++i;
      }
    } else if (Within(a, 0x81, 0x8D) || Within(a, 0x8F, 0x9F)) {
      code = kSjis;
      --i;
    } else if (a == 0x8E) {
      if (Within(b, 0x40, 0x7E) || Within(b, 0x80, 0xA0) || Within(b, 0xE0, 0xFC)) code = kSjis;
      else if (Within(b, 0xA1, 0xDF)) code = kEucOrSjis;
    } else if (Within(a, 0xA1, 0xDF)) {
      if (Within(b, 0xF0, 0xFE)) {
        code = kEuc;
      } else if (Within(b, 0xA1, 0xDF)) {
        code = kEucOrSjis;
      } else if (Within(b, 0xE0, 0xEF)) {
        code = kEucOrSjis;
        for (; i < n && Byte(s, i) >= 0x40 && code == kEucOrSjis; ++i) {
          const unsigned c = Byte(s, i);
          if (Within(c, 0x81, 0x8D) || Within(c, 0x8F, 0x9C)) code = kSjis;
          else if (c == 0xFD || c == 0xFE) code = kEuc;
        }
      } else if (b < 0xA0) {
        code = kSjis;
      }
    } else if (Within(a, 0xE0, 0xEF)) {
      if (Within(b, 0x40, 0x7E) || Within(b, 0x80, 0xA0)) code = kSjis;
      else if (b == 0xFD || b == 0xFE) code = kEuc;
      else if (Within(b, 0xA1, 0xFC)) code = kEucOrSjis;
    } else if (Within(a, 0xF0, 0xFE)) {
      code = kEuc;
      --i;
    } else {
      --i;
    }
  }
  return code;
}

std::string ConvertEncoding(std::string_view s, Encoding from, Encoding to) {
  const bool from_jis = from == kJis || from == kOldJis;
  if (from == kAscii || from == kBinary || from == kEucOrSjis || from == to || (from_jis && to == kJis))
    return std::string(s);
  if (to == kJis) return from == kEuc ? EucToJisText(s) : SjisToJisText(s);
  if (to == kEuc) return from_jis ? JisToEucText(s) : SjisToEucText(s);
  return from_jis ? JisToSjisText(s) : EucToSjisText(s);
}

Encoding EncodingNamed(std::string_view name) {
  std::string upper(name);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper == "JIS") return kJis;
  if (upper == "EUC") return kEuc;
  return kSjis;
}

}  // namespace pirune::japanese
