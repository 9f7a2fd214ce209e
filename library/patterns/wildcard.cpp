#include "library/patterns/wildcard.h"

#include <algorithm>
#include <utility>

#include "library/strings/text_model.h"

namespace pirune::wildcard {
namespace {

// A character: one byte, or a lead byte and its trail.
struct Char {
  unsigned char first = 0, second = 0;
  std::uint32_t Code() const { return second ? first * 256u + second : first; }
  std::string Text() const { return second ? std::string{char(first), char(second)} : std::string(1, char(first)); }
};

// Reads the character at i and steps past it.
Char NextChar(std::string_view s, std::size_t& i) {
  Char c{static_cast<unsigned char>(s[i]), 0};
  if (CharLength(s, i) == 2) c.second = static_cast<unsigned char>(s[i + 1]);
  i += CharLength(s, i);
  return c;
}

class TWChar : public TWSeq {
 public:
  TWChar(TWString& owner, Char c) : TWSeq(owner), c_(c) {}
  bool Matches(TWString& subject) override {
    int next = subject.CodeAt(subject.position);
    if (next < 0) return false;
    ++subject.position;
    return static_cast<std::uint32_t>(next) == c_.Code();
  }
  std::string AsText() const override { return c_.Text(); }
  const Char& Character() const { return c_; }

 private:
  Char c_;
};

class TWQuestion : public TWSeq {
 public:
  using TWSeq::TWSeq;
  bool Matches(TWString& subject) override {
    ++subject.position;
    return true;
  }
  std::string AsText() const override { return "?"; }
};

class TWNumber : public TWSeq {
 public:
  using TWSeq::TWSeq;
  bool Matches(TWString& subject) override {
    int next = subject.CodeAt(subject.position);
    if (next < 0) return false;
    ++subject.position;
    return next >= '0' && next <= '9';
  }
  std::string AsText() const override { return "#"; }
};

class TWPickupFrom : public TWSeq {
 public:
  using TWSeq::TWSeq;
  bool Matches(TWString& subject) override {
    owner_.capture_start = subject.position;
    return true;
  }
  std::string AsText() const override { return "("; }
};

class TWPickupTo : public TWSeq {
 public:
  using TWSeq::TWSeq;
  bool Matches(TWString& subject) override {
    if (owner_.capturing && subject.position > owner_.last_capture_end) {
      owner_.captures.push_back(subject.Slice(owner_.capture_start, subject.position));
      owner_.last_capture_end = subject.position;
    }
    return true;
  }
  std::string AsText() const override { return ")"; }
};

class TWAsterisk : public TWSeq {
 public:
  using TWSeq::TWSeq;
  bool Matches(TWString& subject) override {
    TWString& pattern = owner_;
    const std::int32_t q = pattern.position, s0 = subject.position;
    if (q >= pattern.Size()) {
      subject.position = subject.Length();
      return true;
    }
    if (q + 1 == pattern.Size() && dynamic_cast<TWPickupTo*>(pattern.elements[q].get())) {
      subject.position = subject.Length();
      pattern.position = q + 1;
      return pattern.elements[q]->Matches(subject);
    }
    // Trials must leave the capture state as they found it: no captures, and the start
    // a "(" before the asterisk set (a "(" later in the rest would move it). An
    // asterisk inside another's trial leaves capturing off for the rest of that trial.
    const bool was_capturing = pattern.capturing;
    const std::int32_t start = pattern.capture_start;
    pattern.capturing = false;
    bool found = false;
    for (std::int32_t s = std::max(s0, 0); s <= subject.Length() && !found; ++s) {
      pattern.position = q;
      subject.position = s;
      bool fits = pattern.MatchRest(subject);
      pattern.capture_start = start;
      if (fits) {
        pattern.position = q;
        subject.position = s;
        found = true;
      }
    }
    pattern.capturing = was_capturing;
    return found;
  }
  std::string AsText() const override { return "*"; }
};

class TWKakko : public TWSeq {
 public:
  TWKakko(TWString& owner, std::string_view pattern, std::size_t& i);
  bool Matches(TWString& subject) override;
  std::string AsText() const override { return "[...]"; }

 private:
  bool InClass(std::uint32_t code) const {
    bool in = std::any_of(ranges_.begin(), ranges_.end(),
                          [&](const auto& r) { return r.first <= code && code <= r.second; });
    return in != negated_;
  }
  void ReadAlternatives(std::string_view pattern, std::size_t& i);
  bool MatchRepeated(TWString& subject);
  bool MatchAlternative(TWString& subject) const;

  std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges_;
  bool negated_ = false;
  std::uint8_t mode_ = 0;
  std::vector<std::string> alternatives_;
};

TWKakko::TWKakko(TWString& owner, std::string_view pattern, std::size_t& i) : TWSeq(owner) {
  if (i < pattern.size() && pattern[i] == '!') negated_ = true, ++i;
  if (i < pattern.size()) {
    switch (pattern[i]) {
      case '*': mode_ = 1, ++i; break;
      case '+': mode_ = 2, ++i; break;
      case '=':
        mode_ = 3, ++i;
        ReadAlternatives(pattern, i);
        return;
    }
  }
  while (i < pattern.size()) {
    if (pattern[i] == ']') {
      ++i;
      return;
    }
    Char c = NextChar(pattern, i);
    if (i < pattern.size() && pattern[i] == '-') {
      ++i;
      // A class that ends right after "-" holds the character alone.
      std::uint32_t high = i < pattern.size() ? NextChar(pattern, i).Code() : c.Code();
      ranges_.emplace_back(std::min(c.Code(), high), std::max(c.Code(), high));
    } else if (c.Code() == '\\') {
      char e = i < pattern.size() ? pattern[i] : '\0';
      if (e == 'n') ranges_.emplace_back(10, 13);
      else if (e == 't') ranges_.emplace_back(9, 9);
      else throw Exception("ワイルドカードの[ ]中で\\記号を使うときは、\\t,\\nしか許されていません。");
      ++i;
    } else {
      ranges_.emplace_back(c.Code(), c.Code());
    }
  }
}

void TWKakko::ReadAlternatives(std::string_view pattern, std::size_t& i) {
  std::size_t end = i;
  while (end < pattern.size() && pattern[end] != ']') end += CharLength(pattern, end);
  std::string_view text = pattern.substr(i, end - i);
  i = std::min(end + 1, pattern.size());
  while (!text.empty()) {
    std::size_t bar = 0;
    while (bar < text.size() && text[bar] != '|') bar += CharLength(text, bar);
    alternatives_.emplace_back(text.substr(0, bar));
    text.remove_prefix(std::min(bar + 1, text.size()));
  }
  // The shortest later piece goes to the front, n times over: a|bb|ccc is tried as
  // a, ccc, bb.
  const std::size_t n = alternatives_.size();
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t chosen = k;
    for (std::size_t j = k + 1; j < n; ++j) {
      std::size_t len = alternatives_[j].size();
      if (len < 999 && (chosen == k || len < alternatives_[chosen].size())) chosen = j;
    }
    std::rotate(alternatives_.begin(), alternatives_.begin() + chosen, alternatives_.begin() + chosen + 1);
  }
}

bool TWKakko::Matches(TWString& subject) {
  if (mode_ == 1 || mode_ == 2) return MatchRepeated(subject);
  if (mode_ == 3) return MatchAlternative(subject);
  int next = subject.CodeAt(subject.position);
  if (next < 0) return false;
  ++subject.position;
  return InClass(static_cast<std::uint32_t>(next));
}

bool TWKakko::MatchRepeated(TWString& subject) {
  const TWString& pattern = owner_;
  std::int32_t k = pattern.position;
  if (k < pattern.Size() && (dynamic_cast<const TWPickupFrom*>(pattern.elements[k].get()) ||
                             dynamic_cast<const TWPickupTo*>(pattern.elements[k].get())))
    ++k;
  const TWChar* stop = nullptr;
  if (k < pattern.Size()) {
    stop = dynamic_cast<const TWChar*>(pattern.elements[k].get());
    if (!stop) throw Exception("ワイルドカード[*...]に続けてワイルドカードを書くことは出来ません。");
  }
  std::int32_t consumed = 0;
  for (int next; (next = subject.CodeAt(subject.position)) >= 0;) {
    const std::uint32_t code = static_cast<std::uint32_t>(next);
    if (stop && code == stop->Character().Code()) break;
    if (!InClass(code)) break;
    ++subject.position, ++consumed;
  }
  return mode_ == 1 || consumed > 0;
}

bool TWKakko::MatchAlternative(TWString& subject) const {
  for (const std::string& alternative : alternatives_) {
    std::int32_t n = static_cast<std::int32_t>(text::CharCount(alternative));
    if (subject.Slice(subject.position, subject.position + n) == alternative) {
      subject.position += n;
      return true;
    }
  }
  return false;
}

}  // namespace

std::unique_ptr<TWString> TWString::Pattern(std::string_view pattern) {
  pattern = text::Characters(pattern);
  std::unique_ptr<TWString> p(new TWString(pattern));
  auto add = [&](auto element) { p->elements.push_back(std::move(element)); };
  for (std::size_t i = 0; i < pattern.size();) {
    if (CharLength(pattern, i) == 2) {
      add(std::make_unique<TWChar>(*p, NextChar(pattern, i)));
      continue;
    }
    switch (char b = pattern[i++]) {
      case '#': add(std::make_unique<TWNumber>(*p)); break;
      case '(': add(std::make_unique<TWPickupFrom>(*p)); break;
      case ')': add(std::make_unique<TWPickupTo>(*p)); break;
      case '*': add(std::make_unique<TWAsterisk>(*p)); break;
      case '?': add(std::make_unique<TWQuestion>(*p)); break;
      case '[': add(std::make_unique<TWKakko>(*p, pattern, i)); break;
      case '\\':
        if (i == pattern.size()) {  // a backslash that ends the pattern stands for itself
          add(std::make_unique<TWChar>(*p, Char{'\\', 0}));
        } else if (pattern[i] == 'n') {
          ++i;
          add(std::make_unique<TWChar>(*p, Char{'\r', 0}));
          add(std::make_unique<TWChar>(*p, Char{'\n', 0}));
        } else if (pattern[i] == 't') {
          ++i;
          add(std::make_unique<TWChar>(*p, Char{'\t', 0}));
        } else {
          add(std::make_unique<TWChar>(*p, NextChar(pattern, i)));
        }
        break;
      default: add(std::make_unique<TWChar>(*p, Char{static_cast<unsigned char>(b), 0}));
    }
  }
  return p;
}

std::unique_ptr<TWString> TWString::Subject(std::string_view text) {
  text = text::Characters(text);
  std::unique_ptr<TWString> s(new TWString({}));
  for (std::size_t i = 0; i < text.size();) s->characters.push_back(static_cast<std::uint16_t>(NextChar(text, i).Code()));
  return s;
}

std::string TWString::Slice(std::int32_t from, std::int32_t to) const {
  std::string out;
  for (std::int32_t k = std::max(from, 0); k < std::min(to, Length()); ++k) {
    if (characters[k] > 0xFF) out += static_cast<char>(characters[k] >> 8);
    out += static_cast<char>(characters[k] & 0xFF);
  }
  return out;
}

bool TWString::MatchRest(TWString& subject) {
  while (position < Size()) {
    Step();
    if (!elements[position++]->Matches(subject)) return false;
  }
  return true;
}

void TWString::Step() {
  if (++steps_ > budget)
    throw Exception("ワイルドカード「" + text_ + "」の照合に時間がかかりすぎます。");
}

namespace {

// Both entry points: the positions at the start, captures cleared, every element in turn.
bool Run(TWString& pattern, TWString& subject, std::int64_t budget) {
  pattern.budget = budget;
  pattern.position = subject.position = 0;
  pattern.captures.clear();
  return pattern.MatchRest(subject);
}

}  // namespace

bool MatchesWhole(std::string_view pattern, std::string_view text, std::int64_t budget) {
  auto p = TWString::Pattern(pattern);
  auto s = TWString::Subject(text);
  return Run(*p, *s, budget) && s->position == s->Length();
}

PrefixMatch MatchPrefix(std::string_view pattern, std::string_view text, std::int64_t budget) {
  auto p = TWString::Pattern(pattern);
  auto s = TWString::Subject(text);
  PrefixMatch result;
  if (!Run(*p, *s, budget)) {
    result.rest = std::string(text);
    return result;
  }
  result.success = true;
  result.matched = s->Slice(0, s->position);
  result.rest = s->Slice(s->position, s->Length());
  result.captures = std::move(p->captures);
  return result;
}

}  // namespace pirune::wildcard
