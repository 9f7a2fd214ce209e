#include "engine/preprocess.h"

#include <memory>

#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/sjis.h"
#include "engine/words.h"

namespace pirune {
namespace {

// Where an opening bracket or quote stood, for the message when it is never closed.
struct Opened {
  std::size_t pos = 0;
  int line = 0;
};

std::string Excerpt(std::string_view source, std::size_t pos) {
  std::size_t end = pos;
  while (end < source.size()) {
    std::size_t len = CharLength(source, end);
    if (end + len - pos > 20) break;
    end += len;
  }
  return std::string(source.substr(pos, end - pos));
}

[[noreturn]] void Unbalanced(TPiruBase& state, std::string_view source, const Opened& at, const std::string& what) {
  state.Cur = TextPos{};
  state.Line = at.line;
  RaiseScriptError(state, what + "が対応していません。『" + Excerpt(source, at.pos) + "』の近く");
}

}  // namespace

std::string Preprocess(TPiruBase& state, std::string_view src) {
  std::string out;
  out.reserve(src.size() + src.size() / 8);
  bool dq = false, bq = false, here = false, brace = false, block = false, line_comment = false;
  std::string terminator;
  Opened dq_at, bq_at, here_at, brace_at;
  int line = 1;

  auto next_conv = [&](std::size_t j) -> std::string_view {
    return j < src.size() ? TConvToHalf::Char(src, j) : std::string_view();
  };

  std::size_t i = 0;
  while (i < src.size()) {
    std::size_t len = CharLength(src, i);
    std::string_view raw = src.substr(i, len);
    if (here && raw == terminator) {
      out += raw;
      here = false;
      i += len;
      continue;
    }
    std::string_view conv = TConvToHalf::Char(src, i);
    bool verbatim = dq || bq || here || brace;
    bool quoted = dq || bq || here;
    std::string_view form = verbatim ? raw : conv;
    std::size_t next = i + len;

    if (conv == "\r") {
      if (next < src.size() && src[next] == '\n') ++next;
      out += "\r\n";
      if (!quoted) out += std::to_string(line) + ":";
      ++line;
      line_comment = false;
      i = next;
      continue;
    }
    if (conv == "\"") {
      if (!brace && !line_comment && !bq && !here && !block) {
        dq = !dq;
        out += '"';
        dq_at = {i, line};
        i = next;
        continue;
      }
    } else if (conv == "'") {
      if (!quoted && !brace) {
        line_comment = true;
        i = next;
        continue;
      }
    } else if (conv == "*") {
      if (!quoted && !brace && next_conv(next) == "/") {
        block = false;
        i = next + CharLength(src, next);
        continue;
      }
    } else if (conv == "/") {
      if (!quoted && !brace) {
        std::string_view n = next_conv(next);
        if (n == "*" || n == "/") {
          (n == "*" ? block : line_comment) = true;
          i = next + CharLength(src, next);
          continue;
        }
      }
    } else if (conv == "@") {
      if (next_conv(next) == "@" && !dq && !bq && !here && !brace && !block && !line_comment) {
        std::size_t t = next + CharLength(src, next);
        terminator = t < src.size() ? std::string(src.substr(t, CharLength(src, t))) : std::string();
        here = true;
        here_at = {i, line};
        out += "@@";
        out += terminator;
        i = t + terminator.size();
        continue;
      }
    } else if (conv == "\\") {
      if (line_comment || brace || block) {
        i = next;
        continue;
      }
      if (dq) {
        out += '\\';
        if (next < src.size()) {
          std::size_t n = CharLength(src, next);
          if (src[next] == '\r') {
            // An escaped line break still ends the line: keep the numbering right.
            i = next;
            continue;
          }
          out += src.substr(next, n);
          next += n;
        }
        i = next;
        continue;
      }
    } else if (conv == "`") {
      if (brace || line_comment) {
        i = next;
        continue;
      }
      if (!dq && !here && !block) {
        if (next_conv(next) == "`") {
          out += "``";
          i = next + CharLength(src, next);
          continue;
        }
        bq = !bq;
        bq_at = {i, line};
        out += '`';
        i = next;
        continue;
      }
    } else if (conv == "{" || conv == "}") {
      if (!quoted && !line_comment) {
        brace = conv == "{";
        brace_at = {i, line};
        i = next;
        continue;
      }
    }
    if (!brace && !line_comment && !block) out += form;
    i = next;
  }

  if (brace) Unbalanced(state, src, brace_at, "{ }");
  if (dq) Unbalanced(state, src, dq_at, "「」または\"\"");
  if (bq) Unbalanced(state, src, bq_at, "『』または''''");
  if (here) Unbalanced(state, src, here_at, "@@" + terminator + "..." + terminator);
  return out;
}

void ScanLabels(TPiruBase& state, const std::string& text, const std::string& file_name) {
  TextPos c{&text, 0};
  while (!c.AtEnd()) {
    unsigned char b = c.At();
    if (AtLiteral(c)) {
      ReadLiteral(state, c);
      continue;
    }
    if (b != '*') {
      StepChar(c);
      continue;
    }
    bool at_line_start = c.offset == 0;
    if (!at_line_start) {
      std::size_t k = c.offset;
      while (k > 0 && (text[k - 1] == ' ' || text[k - 1] == '\t')) --k;
      if (k > 0 && text[k - 1] == ':') --k;
      while (k > 0 && IsDigit(static_cast<unsigned char>(text[k - 1]))) --k;
      at_line_start = k > 0 && (text[k - 1] == '\r' || text[k - 1] == '\n');
    }
    TextPos label_line = c;
    ++c.offset;
    if (!at_line_start) continue;

    std::size_t name_start = c.offset;
    while (c.At() != 0 && c.At() != '\r' && c.At() != '\n') StepChar(c);
    std::string collected = Trim(std::string_view(text).substr(name_start, c.offset - name_start));
    while (c.At() == '\r' || c.At() == '\n') ++c.offset;
    while (IsDigit(c.At())) ++c.offset;
    if (c.At() == ':') ++c.offset;

    std::string name = collected, params;
    if (std::size_t open = collected.find('('); open != std::string::npos) {
      std::size_t close = collected.find(')', open + 1);
      params = Trim(collected.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
      name = Trim(collected.substr(0, open));
    }
    if (name.empty()) continue;  // a "*" alone names nothing that could be jumped to
    if (state.Words.Find(name, false)) {
      state.Cur = label_line;  // the message names the label's own line
      RaiseScriptError(state, "ラベル\"" + name + "\"の定義に失敗しました。既に単語として使われています。");
    }
    state.Words.Add(std::make_unique<THashNode>(name, params, "", file_name, 0, kLabel, c, true));
  }
}

void PrepareMainProgram(TPiruBase& state) {
  state.Texts.clear();
  const std::string* text = state.AddText(Preprocess(state, state.Source));
  ScanLabels(state, *text, state.FileName());
  state.Source = *text;
  state.Cur = TextPos{text, 0};
}

}  // namespace pirune
