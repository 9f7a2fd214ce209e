// Prints what the runtime's converters make of every double-byte Shift_JIS code and of
// every half-width katakana, one line each, for check_conversions.py to hold against an
// independent converter:
//   SJIS-HEX EUC-HEX JIS-HEX UTF8-HEX EUC-BACK-HEX JIS-BACK-HEX
#include <cstdio>
#include <string>

#include "library/japanese/encodings.h"
#include "platform/cp932.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out.empty() ? "-" : out;
}

void Dump(const std::string& sjis) {
  using namespace pirune::japanese;
  const std::string euc = ConvertEncoding(sjis, kSjis, kEuc), jis = ConvertEncoding(sjis, kSjis, kJis);
  std::printf("%s %s %s %s %s %s\n", Hex(sjis).c_str(), Hex(euc).c_str(), Hex(jis).c_str(),
              Hex(pirune::cp932::ToUtf8(sjis)).c_str(), Hex(ConvertEncoding(euc, kEuc, kSjis)).c_str(),
              Hex(ConvertEncoding(jis, kJis, kSjis)).c_str());
}

}  // namespace

int main() {
  for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead >= 0xA0 && lead < 0xE0) continue;
    for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
      if (trail != 0x7F) Dump({static_cast<char>(lead), static_cast<char>(trail)});
  }
  for (unsigned kana = 0xA1; kana <= 0xDF; ++kana) Dump(std::string(1, static_cast<char>(kana)));
}
