#include "bregexp/translation.h"

#include <stdexcept>
#include <vector>

namespace bregexp {
namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::uint32_t NextCode(std::string_view s, std::size_t& i) {
  unsigned char b = static_cast<unsigned char>(s[i++]);
  if (IsLead(b) && i < s.size()) return b << 8 | static_cast<unsigned char>(s[i++]);
  return b;
}

// The codes of a list: escapes \n, \t, \r and \x for x itself; a-b for every code from
// a to b (a range of more than 65536 codes is refused).
std::vector<std::uint32_t> Codes(std::string_view list) {
  std::vector<std::uint32_t> codes;
  auto next = [&](std::size_t& i) {
    if (list[i] == '\\' && i + 1 < list.size()) {
      ++i;
      switch (list[i]) {
        case 'n': return ++i, std::uint32_t{'\n'};
        case 't': return ++i, std::uint32_t{'\t'};
        case 'r': return ++i, std::uint32_t{'\r'};
      }
    }
    return NextCode(list, i);
  };
  for (std::size_t i = 0; i < list.size();) {
    std::uint32_t low = next(i);
    if (i + 1 < list.size() && list[i] == '-') {
      ++i;
      std::uint32_t high = next(i);
      if (high < low) throw std::invalid_argument("invalid range in tr");
      if (high - low > 65536) throw std::invalid_argument("range too large in tr");
      for (std::uint32_t c = low; c <= high; ++c) codes.push_back(c);
    } else {
      codes.push_back(low);
    }
  }
  return codes;
}

void Append(std::string& out, std::uint32_t code) {
  if (code > 0xFF) out += static_cast<char>(code >> 8);
  out += static_cast<char>(code & 0xFF);
}

}  // namespace

Translation::Translation(std::string_view from, std::string_view to, bool remove) {
  std::vector<std::uint32_t> f = Codes(from), t = Codes(to);
  for (std::size_t k = 0; k < f.size(); ++k) {
    if (table_.count(f[k])) continue;  // the first mapping of a character counts
    std::int32_t target;
    if (k < t.size()) target = static_cast<std::int32_t>(t[k]);
    else if (remove) target = kRemove;
    else if (t.empty()) target = static_cast<std::int32_t>(f[k]);
    else target = static_cast<std::int32_t>(t.back());
    table_.emplace(f[k], target);
  }
}

int Translation::Apply(const char* text, const char* end, std::string& out) const {
  out.clear();
  out.reserve(end - text);
  std::string_view s(text, end - text);
  int count = 0;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t at = i;
    std::uint32_t code = NextCode(s, i);
    auto found = table_.find(code);
    if (found == table_.end()) {
      out.append(s.substr(at, i - at));
      continue;
    }
    ++count;
    if (found->second != kRemove) Append(out, static_cast<std::uint32_t>(found->second));
  }
  return count;
}

}  // namespace bregexp
