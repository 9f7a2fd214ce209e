#include "engine/conv_to_half.h"

#include <unordered_map>

#include "engine/sjis.h"

namespace pirune {
namespace {

using Table = std::unordered_map<unsigned, std::string_view>;

unsigned CodeOf(std::string_view c) {
  return c.size() == 1 ? static_cast<unsigned char>(c[0])
                       : (static_cast<unsigned char>(c[0]) << 8) | static_cast<unsigned char>(c[1]);
}

const Table& Replacements() {
  static const Table table = [] {
    Table t;
    static const char kAscii[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    for (unsigned k = 0; k < 10; ++k) t[0x824F + k] = std::string_view(kAscii + k, 1);
    for (unsigned k = 0; k < 26; ++k) t[0x8260 + k] = std::string_view(kAscii + 10 + k, 1);
    for (unsigned k = 0; k < 26; ++k) t[0x8281 + k] = std::string_view(kAscii + 36 + k, 1);
    static const std::pair<const char*, const char*> kPairs[] = {
        {"！", "!"}, {"＃", "#"}, {"＄", "$"}, {"％", "%"}, {"＆", "&"}, {"（", "("},  {"）", ")"},
        {"＝", "="}, {"－", "-"}, {"＾", "^"}, {"～", "~"}, {"｜", "|"}, {"｛", "{"},  {"｝", "}"},
        {"＠", "@"}, {"；", ";"}, {"：", ":"}, {"＋", "+"}, {"＊", "*"}, {"／", "/"},  {"？", "?"},
        {"＿", "_"}, {"＜", "<"}, {"＞", ">"}, {"，", ","}, {"．", "."}, {"”", "\""}, {"’", "'"},
        {"※", "'"}, {"‘", "`"}, {"￥", "\\"}, {"×", "*"}, {"÷", "/"}, {"≠", "<>"}, {"≦", "<="},
        {"≧", ">="}, {"　", " "}, {"、", ","}, {"。", ";"}, {"「", "\""}, {"」", "\""},
        {"\xA2", "\""}, {"\xA3", "\""}, {"『", "`"}, {"』", "`"},
    };
    for (const auto& [from, to] : kPairs) t[CodeOf(from)] = to;
    return t;
  }();
  return table;
}

}  // namespace

std::string_view TConvToHalf::Char(std::string_view s, std::size_t i) {
  std::string_view c = s.substr(i, CharLength(s, i));
  auto it = Replacements().find(CodeOf(c));
  return it == Replacements().end() ? c : it->second;
}

std::string TConvToHalf::Text(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = CharLength(s, i);
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (len == 2 || b == 0xA2 || b == 0xA3)
      out += Char(s, i);
    else
      out += s[i];
    i += len;
  }
  return out;
}

}  // namespace pirune
