#include "library/ini_file.h"

#include <cstddef>

#include "platform/cp932.h"
#include "platform/platform.h"
#include "platform/sjis_walk.h"

namespace pirune::ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// ASCII letters fold; the bytes of a double-byte character compare as they are, since
// its second byte may look like a letter.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = a[i], y = b[i];
    if (cp932::IsLeadByte(x) && i + 1 < a.size()) {
      if (x != y || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (fold(x) != fold(y)) return false;
  }
  return true;
}

// The offset of the first character `c` in `s` (not a second byte that happens to equal
// it), or npos.
std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i))
    if (s[i] == c) return i;
  return std::string_view::npos;
}

// A name ending in a lead byte would take the "]" or "=" written after it as its
// second byte.
bool EndsInLeadByte(std::string_view s) {
  std::size_t last = 0;
  for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) last = i;
  return !s.empty() && last == s.size() - 1 && IsLeadByte(static_cast<unsigned char>(s.back()));
}

// One line of the text, without its line end; `next` is where the following one starts.
struct Line {
  std::size_t begin, end, next;
  enum Kind { Other, Section, Key } kind = Other;
  std::string_view name;   // section or key name, trimmed
  bool has_equals = false;
  std::size_t equals = 0;  // offset of a key's "=" in the text, or where one would go
};

Line ReadLine(std::string_view text, std::size_t at) {
  Line line{at, text.size(), text.size(), Line::Other, {}, false, 0};
  const std::size_t lf = text.find('\n', at);
  if (lf != std::string_view::npos) {
    line.end = lf;
    line.next = lf + 1;
  }
  const std::string_view content = text.substr(at, line.end - at);
  const std::string_view body = Trim(content);
  if (body.empty() || body.front() == ';') return line;
  if (body.front() == '[') {
    // A "[" without its "]" starts no section: the profile reader skips such a line.
    const std::size_t close = FindChar(body, ']');
    if (close != std::string_view::npos) {
      line.kind = Line::Section;
      line.name = Trim(body.substr(1, close - 1));
    }
    return line;
  }
  line.kind = Line::Key;
  const std::size_t equals = FindChar(content, '=');
  line.name = Trim(content.substr(0, equals));
  line.has_equals = equals != std::string_view::npos;
  line.equals = line.has_equals ? at + equals : at + content.size() - (content.ends_with('\r') ? 1 : 0);
  return line;
}

std::string_view ValueOf(std::string_view text, const Line& line) {
  if (!line.has_equals) return {};
  std::string_view value = Trim(text.substr(line.equals + 1, line.end - line.equals - 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value.remove_prefix(1);
    value.remove_suffix(1);
  }
  return value;
}

// Where a key is, or where its section ends (for adding it), in the first section of
// that name; keys before any section header belong to the section without a name.
struct Place {
  bool section_found = false;
  bool key_found = false;
  Line key{};
  std::size_t append_at = 0;      // behind the section's last non-blank line
  bool append_needs_break = false;  // that line ends the text without a line end
};

Place Find(std::string_view text, std::string_view section, std::string_view key) {
  Place place;
  bool inside = Trim(section).empty();
  place.section_found = inside;
  for (std::size_t at = 0; at < text.size();) {
    const Line line = ReadLine(text, at);
    at = line.next;
    if (line.kind == Line::Section) {
      if (place.section_found) {
        if (inside) break;
        continue;
      }
      inside = SameName(line.name, Trim(section));
      if (!inside) continue;
      place.section_found = true;
    } else if (!inside || Trim(text.substr(line.begin, line.end - line.begin)).empty()) {
      continue;
    } else if (line.kind == Line::Key && SameName(line.name, Trim(key))) {
      place.key_found = true;
      place.key = line;
      return place;
    }
    place.append_at = line.next;
    place.append_needs_break = line.end == line.next;
  }
  return place;
}

bool Writable(std::string_view section, std::string_view key, std::string_view value) {
  for (std::string_view part : {section, key, value})
    if (part.find_first_of("\r\n") != std::string_view::npos) return false;
  key = Trim(key);
  section = Trim(section);
  if (EndsInLeadByte(section) || EndsInLeadByte(key)) return false;
  return FindChar(section, ']') == std::string_view::npos && FindChar(key, '=') == std::string_view::npos &&
         (key.empty() || (key.front() != '[' && key.front() != ';'));
}

}  // namespace

std::optional<std::string> Lookup(std::string_view text, std::string_view section, std::string_view key) {
  const Place place = Find(text, section, key);
  if (!place.key_found) return std::nullopt;
  return std::string(ValueOf(text, place.key));
}

std::optional<std::string> WithValue(std::string_view text, std::string_view section, std::string_view key,
                                     std::string_view value) {
  if (!Writable(section, key, value)) return std::nullopt;
  const std::size_t lf = text.find('\n');
  const std::string_view line_end = lf != std::string_view::npos && (lf == 0 || text[lf - 1] != '\r') ? "\n" : "\r\n";
  const Place place = Find(text, section, key);

  std::string result;
  result.reserve(text.size() + section.size() + key.size() + value.size() + 8);
  if (place.key_found) {
    // Blanks after the "=" stay, so an aligned file stays aligned.
    std::size_t from = place.key.equals;
    result.append(text.substr(0, from));
    if (place.key.has_equals) {
      ++from;
      while (from < place.key.end && (text[from] == ' ' || text[from] == '\t')) ++from;
      result.append(text.substr(place.key.equals, from - place.key.equals));
    } else {
      result += '=';
    }
    result.append(value);
    // A line end of CR LF keeps its CR.
    const std::size_t cr = place.key.end > from && text[place.key.end - 1] == '\r' ? place.key.end - 1 : place.key.end;
    result.append(text.substr(cr));
    return result;
  }
  std::string added;
  if (!place.section_found) {
    added.append("[").append(Trim(section)).append("]").append(line_end);
  }
  added.append(Trim(key)).append("=").append(value).append(line_end);
  if (!place.section_found) {
    result.append(text);
    if (!text.empty() && text.back() != '\n') result.append(line_end);
  } else {
    result.append(text.substr(0, place.append_at));
    if (place.append_needs_break) result.append(line_end);
  }
  result.append(added);
  if (place.section_found) result.append(text.substr(place.append_at));
  return result;
}

std::optional<std::string> ReadValue(const std::string& path, std::string_view section, std::string_view key) {
  const auto text = platform::ReadFileBytes(path);
  if (!text) return std::nullopt;
  return Lookup(*text, section, key);
}

bool WriteValue(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
  return WriteValues(path, section, {{key, value}});
}

bool WriteValues(const std::string& path, std::string_view section, std::initializer_list<KeyValue> values,
                 FileReplacer replace) {
  auto text = platform::ReadFileBytes(path);
  // A file that is there but cannot be read must not be replaced by one holding only
  // the new keys.
  if (!text) {
    if (platform::FileExists(path)) return false;
    text.emplace();
  }
  for (const KeyValue& kv : values) {
    auto changed = WithValue(*text, section, kv.key, kv.value);
    if (!changed) return false;
    text = std::move(changed);
  }
  return WriteFileSafely(path, [&text](platform::File& file) { return file.Write(*text); }, replace);
}

}  // namespace pirune::ini
