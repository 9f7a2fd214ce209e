#include "bregexp/forms.h"

#include <stdexcept>

namespace bregexp {
namespace {

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The text up to the next unescaped delimiter, which is consumed; an escaped delimiter
// loses its backslash unless the pattern engine needs it (a delimiter that is itself a
// metacharacter keeps it).
std::string ReadPart(std::string_view text, std::size_t& i, char delimiter, bool keep_escape) {
  std::string part;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (IsLead(b) && i + 1 < text.size()) {
      part.append(text.substr(i, 2));
      i += 2;
    } else if (b == '\\' && i + 1 < text.size()) {
      if (text[i + 1] != delimiter || keep_escape) part += '\\';
      part += text[i + 1];
      i += 2;
      if (IsLead(static_cast<unsigned char>(part.back())) && i < text.size()) part += text[i++];
    } else if (text[i] == delimiter) {
      ++i;
      return part;
    } else {
      part += text[i++];
    }
  }
  throw std::invalid_argument("unterminated expression");
}

}  // namespace

Form ReadForm(std::string_view text) {
  Form form;
  std::size_t i = 0;
  if (text.substr(0, 2) == "tr") form.kind = Form::Translate, i = 2;
  else if (text.substr(0, 1) == "s") form.kind = Form::Substitute, i = 1;
  else if (text.substr(0, 1) == "m") i = 1;
  else throw std::invalid_argument("expression must begin with m, s or tr");
  if (i >= text.size()) throw std::invalid_argument("delimiter missing");
  char delimiter = text[i++];
  if (IsLead(static_cast<unsigned char>(delimiter)) || delimiter == '\\' ||
      (delimiter >= '0' && delimiter <= '9') || (delimiter >= 'a' && delimiter <= 'z') ||
      (delimiter >= 'A' && delimiter <= 'Z') || static_cast<unsigned char>(delimiter) <= ' ')
    throw std::invalid_argument("bad delimiter");
  const std::string_view metacharacters = ".^$|()[]{}*+?";
  const bool keep = metacharacters.find(delimiter) != std::string_view::npos;
  form.pattern = ReadPart(text, i, delimiter, keep || form.kind == Form::Translate);
  if (form.kind != Form::Match) form.replacement = ReadPart(text, i, delimiter, true);
  form.options = std::string(text.substr(i));
  const std::string_view allowed = form.kind == Form::Translate ? "dk" : "gimsxk";
  for (char o : form.options)
    if (allowed.find(o) == std::string_view::npos) throw std::invalid_argument(std::string("unknown option ") + o);
  return form;
}

}  // namespace bregexp
