#include "library/strings/tags.h"

#include "library/strings/text_model.h"

namespace pirune {

std::string WithoutTags(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  std::string out;
  bool inside = false;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t length = CharLength(s, i);
    if (s[i] == '<') inside = true;
    else if (s[i] == '>') inside = false;
    else if (!inside) out.append(s.substr(i, length));
    i += length;
  }
  return out;
}

namespace {

std::string UpperAscii(std::string_view s) {
  std::string out;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t length = CharLength(s, i);
    if (length == 1 && s[i] >= 'a' && s[i] <= 'z') out += static_cast<char>(s[i] - 'a' + 'A');
    else out.append(s.substr(i, length));
    i += length;
  }
  return out;
}

bool IsNameByte(char c) {
  return c == '-' || c == '/' || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct Tag {
  std::string name;  // upper case
  std::size_t end;   // just behind its ">", or the end of the text
};

// The tag whose "<" stands at `at`.
Tag ReadTag(std::string_view s, std::size_t at) {
  std::size_t i = at + 1;
  while (i < s.size() && (CharLength(s, i) == 2 || IsNameByte(s[i]))) i += CharLength(s, i);
  Tag tag{UpperAscii(s.substr(at + 1, i - at - 1)), s.size()};
  char quote = 0;
  for (; i < s.size(); i += CharLength(s, i)) {
    if (quote) {
      if (s[i] == quote) quote = 0;
    } else if (s[i] == '"' || s[i] == '\'') {
      quote = s[i];
    } else if (s[i] == '>') {
      tag.end = i + 1;
      break;
    }
  }
  return tag;
}

}  // namespace

std::string ElementsOfTag(std::string_view s, std::string_view name) {
  std::string wanted;
  for (char c : UpperAscii(name))
    if (c != '<' && c != '>') wanted += c;
  const std::string closing = "/" + wanted;
  std::string out;
  std::size_t at = 0;
  while ((at = text::FindFromCharStart(s, "<", at)) != text::npos) {
    Tag open = ReadTag(s, at);
    if (open.name != wanted) {
      at = open.end;
      continue;
    }
    std::size_t end = s.size(), next = open.end;
    int depth = 1;
    while ((next = text::FindFromCharStart(s, "<", next)) != text::npos) {
      Tag tag = ReadTag(s, next);
      next = tag.end;
      if (tag.name == wanted) {
        ++depth;
      } else if (tag.name == closing) {
        if (depth < 2) {
          end = tag.end;
          break;
        }
        --depth;
      }
    }
    out.append(s.substr(at, end - at));
    out += "\r\n";
    at = end;
  }
  return out;
}

}  // namespace pirune
