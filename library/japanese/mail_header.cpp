#include "library/japanese/mail_header.h"

#include <algorithm>

#include "library/japanese/base64.h"
#include "library/japanese/encodings.h"
#include "platform/sjis_walk.h"

namespace pirune {
namespace {

constexpr std::string_view kPrefix = "=?ISO-2022-JP?B?", kSuffix = "?=";

// Where `what` next stands in s from `from`, ASCII letters compared without case.
std::size_t FindNoCase(std::string_view s, std::string_view what, std::size_t from) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = from; i + what.size() <= s.size(); ++i) {
    std::size_t k = 0;
    while (k < what.size() && lower(s[i + k]) == lower(what[k])) ++k;
    if (k == what.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace

std::string EncodeMailHeader(std::string_view header) {
  std::string out;
  for (std::size_t i = 0; i < header.size();) {
    std::size_t end = i;
    while (end < header.size() && CharLength(header, end) == 2) end += 2;
    if (end == i) {
      out += header[i++];
      continue;
    }
    std::string jis = japanese::ConvertEncoding(header.substr(i, end - i), japanese::kSjis, japanese::kJis);
    out += kPrefix;
    out += Base64Encode(jis);
    out += kSuffix;
    i = end;
  }
  return out;
}

std::optional<std::string> DecodeMailHeader(std::string_view header) {
  std::string text(header);
  for (std::size_t at = 0; (at = FindNoCase(text, kPrefix, at)) != std::string::npos;) {
    std::size_t start = at + kPrefix.size();
    std::size_t end = text.find(kSuffix, start);
    if (end == std::string::npos) end = text.size();
    std::optional<std::string> bytes = Base64Decode(std::string_view(text).substr(start, end - start));
    if (!bytes) return std::nullopt;
    *bytes += "\x1B(J";
    text.replace(at, std::min(end + kSuffix.size(), text.size()) - at, *bytes);
    at += bytes->size();
  }
  text = japanese::ConvertEncoding(text, japanese::DetectEncoding(text), japanese::kSjis);
  std::size_t i = 0;
  while (i < text.size()) {
    if (CharLength(text, i) == 2) {
      i += 2;
      continue;
    }
    const auto b = static_cast<unsigned char>(text[i]);
    if (!(b == '\t' || b == '\n' || b == '\r' || (b >= 0x20 && b <= 0x7E))) break;
    ++i;
  }
  text.resize(i);
  return text;
}

}  // namespace pirune
