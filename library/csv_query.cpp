#include "library/csv_query.h"

#include <unordered_map>
#include <utility>

#include "engine/command_api.h"
#include "library/date_time.h"
#include "library/japanese/width_case.h"
#include "library/strings/text_model.h"
#include "platform/sjis_walk.h"

namespace pirune {
namespace {

using Flags = std::vector<std::uint8_t>;  // empty: no row

std::size_t CharAt(std::string_view s, std::size_t i) {
  return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() &&
                 IsTrailByte(static_cast<unsigned char>(s[i + 1]))
             ? 2
             : 1;
}

// The characters of a text as codes, ASCII letters made capital.
std::vector<std::uint16_t> FoldedChars(std::string_view s) {
  std::vector<std::uint16_t> out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    std::size_t len = CharAt(s, i);
    auto b = static_cast<unsigned char>(s[i]);
    if (len == 2) {
      out.push_back(static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(s[i + 1])));
    } else {
      out.push_back(b >= 'a' && b <= 'z' ? b - 0x20 : b);
    }
    i += len;
  }
  return out;
}

bool IsBlank(char b) { return b == ' ' || b == '\t' || b == '\r' || b == '\n'; }

std::string_view TrimBytes(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= 0x20) s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= 0x20) s.remove_suffix(1);
  return s;
}

enum class Op { Equal, NotEqual, Greater, GreaterEqual, Less, LessEqual };

Op ReadOperator(std::string_view op) {
  if (op == "=" || op == "==") return Op::Equal;
  if (op == "<>" || op == "><") return Op::NotEqual;
  if (op == ">") return Op::Greater;
  if (op == ">=" || op == "=>") return Op::GreaterEqual;
  if (op == "<") return Op::Less;
  if (op == "<=" || op == "=<") return Op::LessEqual;
  throw TCsvQueryError("演算子の指定エラー。");
}

template <class T>
bool Holds(Op op, const T& cell, const T& value) {
  switch (op) {
    case Op::Equal: return cell == value;
    case Op::NotEqual: return !(cell == value);
    case Op::Greater: return value < cell;
    case Op::GreaterEqual: return !(cell < value);
    case Op::Less: return cell < value;
    case Op::LessEqual: return !(value < cell);
  }
  return false;
}

void OrInto(Flags& into, Flags&& other) {
  if (into.empty()) {
    into = std::move(other);
    return;
  }
  for (std::size_t r = 0; r < other.size(); ++r) into[r] |= other[r];
}

void AndInto(Flags& into, const Flags& other) {
  if (into.empty()) return;
  if (other.empty()) {
    into.clear();
    return;
  }
  for (std::size_t r = 0; r < into.size(); ++r) into[r] &= other[r];
}

class Evaluator {
 public:
  Evaluator(const TCsvDb& db, std::string_view query, int year) : db_(db), q_(query), year_(year) {}

  Flags Run() {
    // A query's conditions are ORed into its flags until AND or OR, which joins them
    // with the value of everything after it: the chain is folded from the right.
    struct Frame {
      std::size_t pos, end;
      Flags flags;
      std::vector<std::pair<Flags, bool>> chain;  // the flags before an AND (true) or OR
    };
    std::vector<Frame> frames;
    frames.push_back({0, q_.size(), {}, {}});
    while (true) {
      Frame& f = frames.back();
      while (f.pos < f.end && (q_[f.pos] == ' ' || q_[f.pos] == '\t')) ++f.pos;
      if (f.pos >= f.end) {
        Flags value = std::move(f.flags);
        for (auto it = f.chain.rbegin(); it != f.chain.rend(); ++it) {
          if (it->second) {
            AndInto(it->first, value);
          } else {
            OrInto(it->first, std::move(value));
          }
          value = std::move(it->first);
        }
        frames.pop_back();
        if (frames.empty()) return value;
        OrInto(frames.back().flags, std::move(value));
        continue;
      }
      std::string_view rest = q_.substr(f.pos, f.end - f.pos);
      if (rest[0] == '(') {
        std::size_t close = Closing(f.pos);
        if (close == std::string_view::npos || close >= f.end) throw TCsvQueryError("\")\"が対応していません。");
        std::size_t inner = f.pos + 1;
        f.pos = close + 1;
        frames.push_back({inner, close, {}, {}});
      } else if (rest.starts_with("AND ") || rest.starts_with("and ")) {
        f.chain.emplace_back(std::move(f.flags), true);
        f.flags.clear();
        f.pos += 4;
      } else if (rest.starts_with("OR ") || rest.starts_with("or ")) {
        f.chain.emplace_back(std::move(f.flags), false);
        f.flags.clear();
        f.pos += 3;
      } else {
        Condition(f.pos, f.end, f.flags);
      }
    }
  }

 private:
  // The ")" that closes the "(" at `open`, found once: a scan from one "(" also finds
  // the partners of the unquoted ones inside it, as a scan from each would.
  std::size_t Closing(std::size_t open) {
    if (auto it = closing_.find(open); it != closing_.end()) return it->second;
    std::vector<std::size_t> opened;
    char quote = 0;
    for (std::size_t i = open; i < q_.size();) {
      char b = q_[i];
      std::size_t len = CharAt(q_, i);
      if (quote) {
        if (quote == '"' && b == '\\' && i + 1 < q_.size()) {
          i += 1 + CharAt(q_, i + 1);
          continue;
        }
        if (b == quote) quote = 0;
      } else if (b == '"' || b == '\'') {
        quote = b;
      } else if (b == '(') {
        opened.push_back(i);
      } else if (b == ')') {
        closing_[opened.back()] = i;
        opened.pop_back();
        if (opened.empty()) break;
      }
      i += len;
    }
    for (std::size_t o : opened) closing_[o] = std::string_view::npos;
    return closing_[open];
  }

  std::size_t Field(std::string_view name) {
    if (!names_read_) {
      names_read_ = true;
      if (!db_.Rows.empty() && db_.Rows[0])
        for (const std::string& cell : *db_.Rows[0]) names_.push_back(TConvToHalf::Text(cell));
    }
    for (std::size_t c = 0; c < names_.size(); ++c)
      if (names_[c] == name) return c;
    throw TCsvQueryError("フィールド名\"" + std::string(name) + "\"が見つかりません。");
  }

  void Condition(std::size_t& pos, std::size_t end, Flags& flags) {
    std::string_view rest = q_.substr(pos, end - pos);
    std::size_t k = rest.find_first_of("<=>");
    std::string_view name = TrimBytes(rest.substr(0, k));
    std::size_t op_end = k == std::string_view::npos ? rest.size() : rest.find_first_not_of("<=>", k);
    if (op_end == std::string_view::npos) op_end = rest.size();
    Op op = ReadOperator(k == std::string_view::npos ? std::string_view() : rest.substr(k, op_end - k));
    std::size_t col = Field(name);
    std::size_t v = op_end;
    while (v < rest.size() && IsBlank(rest[v])) ++v;
    std::size_t v_end = v;
    while (v_end < rest.size() && !IsBlank(rest[v_end])) ++v_end;
    pos += v_end;
    std::string_view value = rest.substr(v, v_end - v);

    const std::size_t rows = db_.Rows.size();
    Flags holds(rows, 0);
    bool any = false;
    auto each_row = [&](auto test) {
      for (std::size_t r = 1; r < rows; ++r) {
        if (!db_.Rows[r]) continue;
        if (test(TConvToHalf::Text(db_.Cell(col, r)))) holds[r] = any = true;
      }
    };
    if (!value.empty() && (value[0] == '"' || value[0] == '`')) {
      std::string_view inner = value.substr(1);
      std::size_t last = 0;
      for (std::size_t i = 0; i < inner.size(); i += CharAt(inner, i)) last = i;
      if (!inner.empty()) inner = inner.substr(0, last);
      std::string text = japanese::HalfWidth(inner);
      each_row([&](const std::string& cell) {
        std::string half = japanese::HalfWidth(cell);
        if (op == Op::Equal) return MaskMatches(text, half);
        if (op == Op::NotEqual) return !MaskMatches(text, half);
        return Holds<std::string_view>(op, half, text);
      });
    } else if (!value.empty() && value[0] == '#') {
      std::optional<TDateTime> when = ReadDateTime(value.substr(1), year_);
      if (!when) return;
      each_row([&](const std::string& cell) {
        std::optional<TDateTime> t = ReadDateTime(cell, year_);
        return t && Holds(op, *t, *when);
      });
    } else {
      Number number = StrToValue(value);
      each_row([&](const std::string& cell) { return Holds(op, StrToValue(cell), number); });
    }
    if (any) OrInto(flags, std::move(holds));
  }

  const TCsvDb& db_;
  std::string_view q_;
  int year_;
  std::unordered_map<std::size_t, std::size_t> closing_;
  bool names_read_ = false;
  std::vector<std::string> names_;
};

}  // namespace

std::string PrepareQuery(std::string_view query) {
  std::string q = TConvToHalf::Text(query);
  for (char& b : q)
    if (b == ',') b = ' ';
  return text::ReplaceAll(text::ReplaceAll(q, "または ", "OR "), "かつ ", "AND ");
}

std::vector<std::uint8_t> EvaluateQuery(const TCsvDb& db, std::string_view query, int current_year) {
  Flags flags = Evaluator(db, query, current_year).Run();
  flags.resize(db.Rows.size(), 0);
  if (!flags.empty()) flags[0] = 1;
  return flags;
}

bool MaskMatches(std::string_view mask, std::string_view text) {
  std::vector<std::uint16_t> m = FoldedChars(mask), t = FoldedChars(text);
  std::size_t p = 0, i = 0, star = std::string_view::npos, resume = 0;
  while (i < t.size()) {
    if (p < m.size() && m[p] == '*') {
      star = p++;
      resume = i;
    } else if (p < m.size() && (m[p] == '?' || m[p] == t[i])) {
      ++p;
      ++i;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      i = ++resume;
    } else {
      return false;
    }
  }
  while (p < m.size() && (m[p] == '*' || m[p] == '?')) ++p;
  return p == m.size();
}

}  // namespace pirune
