// Words: everything a script can name lives in one dictionary of word records.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/name_index.h"
#include "engine/number.h"
#include "engine/text_pos.h"

namespace pirune {

enum WordKind : std::uint8_t {
  kCommand = 0,
  kCallableUnused = 1,  // never produced, but callable like a command
  kLabel = 2,
  kVariable = 3,
  kPart = 4,
  kDllFunction = 5,
  kDictionary = 6,
};

// Whether a type mark is the one-letter mark c ("e" for numbers, "s" for texts).
inline bool IsMark(const std::string& mark, char c) { return mark.size() == 1 && mark[0] == c; }

// Marks are compared on almost every store; most are one letter.
inline bool SameMark(const std::string& a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (b.size() == 1) return a[0] == b[0];
  return a.compare(0, a.size(), b) == 0;
}

// Writes a mark over another (most stores find it there already: compared first, it
// is rarely written).
void WriteOtherMark(std::string& to, std::string_view mark);
inline void AssignMark(std::string& to, std::string_view mark) {
  if (!SameMark(to, mark)) WriteOtherMark(to, mark);
}

inline bool IsCallable(std::uint8_t kind) {
  return kind == kCommand || kind == kCallableUnused || kind == kLabel || kind == kDllFunction;
}

class THash;
class TCsvDb;

class THashNode {
 public:
  THashNode(std::string name, std::string pattern, std::string value, std::string mark, std::int32_t id,
            std::uint8_t kind, TextPos ref, bool reserved);
  // A plain variable.
  THashNode(std::string name, std::string value, std::int32_t level);
  ~THashNode();

  const std::string& GetValue() const;
  // The value's own text: a dictionary's entries not included.
  const std::string& Text() const {
    if (known_ & kTextPending) WriteText();
    return value_;
  }
  void SetValue(std::string value);
  // Moves the value out, leaving the word empty: for a word given a new value at once.
  std::string TakeValue();
  // Appends to the value without copying what is there (long texts grow in place).
  void AppendValue(std::string_view tail);
  // An integer as the value: its text is written when first read, as counters and
  // sums are mostly read as numbers.
  void SetInteger(std::int64_t n);
  // The value's text read as a number, and whether it is written as a plain number:
  // each read once per value, as loops read the same variables over and over.
  Number NumberValue() const;
  bool IsPlainNumberValue() const;
  // Whether that number is an integer, and which: arithmetic on integers needs no
  // floating point.
  bool IntegerValue(std::int64_t& out) const {
    if (!(known_ & kNumberKnown)) NumberValue();
    out = integer_;
    return known_ & kInteger;
  }
  // What the text begins with, answered for a pending integer without writing it.
  bool TextIsEmpty() const { return !(known_ & kTextPending) && value_.empty(); }
  bool TextBeginsWithDigit() const {
    if (known_ & kTextPending) return integer_ >= 0;
    return !value_.empty() && value_[0] >= '0' && value_[0] <= '9';
  }
  // Most stores leave the type mark as it was: compared first, it is rarely written.
  void SetMark(std::string_view mark) { AssignMark(Mark, mark); }

  // The value as a table, its rows and cells addressed one at a time (A#r, A#c#r): read
  // from the text at the first such access and kept, as the value, until a whole new
  // value comes; the text is written from it when next read.
  TCsvDb& Table();
  // After a change through Table(): the text and the number are read from it again.
  void TableChanged() { known_ = kTextPending; }
  // The table view when there is one.
  const TCsvDb* TableView() const { return table_.get(); }

  // Empties a word given up by a closing scope for reuse as a new plain variable: every
  // field below goes back to what the plain-variable constructor makes, the room of
  // short texts stays, long values and tables are freed.
  void ClearForReuse();

  // Copies everything but the name; a dictionary is copied, never shared.
  void Assign(const THashNode& other);
  // Takes everything but the name from a word that is given up: this word keeps its
  // identity, so whatever points to it sees the new meaning.
  void TakeMeaning(THashNode&& other);

  std::string Name;
  std::string Pattern;
  std::string Mark;
  std::uint8_t Kind;
  std::int32_t Id;
  TextPos Ref;                  // labels: body start; variables and parts: where they were made
  std::unique_ptr<THash> Dict;  // dictionaries: their entries
  bool Reserved;

 private:
  void WriteText() const;

  mutable std::string value_;
  enum : std::uint8_t { kNumberKnown = 1, kPlainKnown = 2, kPlain = 4, kTextPending = 8, kInteger = 16 };
  mutable std::uint8_t known_ = 0;  // what of the below holds for value_
  mutable Number number_ = 0;         // the number, unless kInteger
  mutable std::int64_t integer_ = 0;  // the number when kInteger
  mutable std::string line_form_;  // dictionary words read as a whole
  void DropTable();
  std::unique_ptr<TCsvDb> table_;  // pending text comes from it while it is there
};

// Okurigana removal: the form under which commands are registered and found.
std::string Normalise(std::string_view name);

class THash {
 public:
  THash() = default;
  ~THash();
  THash(const THash&) = delete;
  THash& operator=(const THash&) = delete;

  // Adds a word, or gives an unreserved word of the same name its meaning in place, and
  // returns the word that now holds it. Throws the reserved-word error (a plain runtime
  // error) when the name belongs to a reserved word.
  THashNode& Add(std::unique_ptr<THashNode> word);
  THashNode* Find(std::string_view name, bool normalise) const;
  int Remove(std::string_view name, bool normalise);
  void Clear();
  void LoadFromText(std::string_view text);
  int Count() const { return static_cast<int>(index_.Size()); }
  void Enumerate(const std::function<void(THashNode&)>& visit) const;
  // The dictionary as lines "name=value" joined by CR LF.
  std::string LineForm() const;
  std::unique_ptr<THash> Copy() const;
  THashNode* FindExact(std::string_view name) const;

 private:
  bool RemoveExact(std::string_view name);

  using Bucket = std::vector<std::unique_ptr<THashNode>>;
  // The buckets keep the listing order (byte sum of the name, then the order of adding);
  // names are found through the index, as names alike in their byte sums crowd into few
  // buckets. Made on the first word: a local scope that declares nothing costs next to
  // nothing.
  std::unique_ptr<std::array<Bucket, 256>> buckets_;
  // The buckets that were empty when a word went in, while they are few: a local scope
  // holds a word or two and is cleared at every return, which then touches only those.
  static constexpr std::size_t kFewBuckets = 32;
  std::vector<std::uint8_t> filled_;
  void Filled(unsigned bucket) {
    if (filled_.size() <= kFewBuckets) filled_.push_back(static_cast<std::uint8_t>(bucket));
  }
  TNameIndex index_;
  // Words removed by name: the command being run, the error label or a word the state
  // keeps may be among them, so they stay until the table is cleared.
  std::vector<std::unique_ptr<THashNode>> removed_;
};

// What a name finds in a run's dictionary now: the word of the innermost open scope
// that declares it, else the global one. One record per name, kept for as long as the
// dictionary lives, so a lookup kept in a decoded statement holds the record and reads
// the answer without searching, however scopes open and close.
struct TBinding {
  std::string Name;
  THashNode* word = nullptr;
  std::size_t depth = 0;  // the scope `word` belongs to: 0 global, 1 the outermost local one
};

// The dictionary with its stack of local scopes. Scoping is dynamic (a label sees the
// locals of those that called it) and bound shallowly: declaring a local makes it what
// its name finds, and closing the scope gives the name back what it found before.
class THashPi : public THash {
 public:
  THashPi();
  // The global table's changes, kept in step with what names find.
  THashNode& Add(std::unique_ptr<THashNode> word);
  int Remove(std::string_view name, bool normalise);
  void Clear();

  THashNode* Find(std::string_view name, bool normalise) const;
  THashNode& AddLocal(std::unique_ptr<THashNode> word);
  // A new plain variable for AddLocal: a word the latest closed scopes gave up when there
  // is one, as every call declares its locals again.
  std::unique_ptr<THashNode> NewVariable(std::string_view name, std::int32_t level);
  void PushScope();
  void PopScope();
  // How many local scopes are open: a nested run closes what it opened, however it ends.
  std::size_t ScopeDepth() const { return depth_; }

  // For kept lookups: the record of a name (null when the name was never bound), how
  // many records there are (a name looked for in vain is looked for again only when that
  // changed) and which dictionary this is, distinct from every other one made.
  const TBinding* BindingOf(std::string_view name) const { return bindings_index_.Find(name); }
  std::size_t BindingCount() const { return bindings_.size(); }
  std::uint64_t Serial() const { return serial_; }
  // Between the word of the name with its okurigana removed and the word of the name as
  // written, the one of the inner scope, the shortened one when both are in one scope.
  static THashNode* Visible(const TBinding* shortened, const TBinding* exact) {
    THashNode* s = shortened ? shortened->word : nullptr;
    THashNode* e = exact ? exact->word : nullptr;
    if (s && e) return shortened->depth >= exact->depth ? s : e;
    return s ? s : e;
  }

 private:
  TBinding& BindingFor(const std::string& name);
  // A name whose global word changed finds it, unless a local of the name is in sight.
  void GlobalChanged(std::string_view name);

  struct Shadowed {
    TBinding* binding;
    THashNode* word;  // what the name found before the scope declared it
    std::size_t depth;
  };
  // A scope owns its words; names find them through their bindings, so it needs no
  // table of its own.
  struct Scope {
    std::vector<std::unique_ptr<THashNode>> words;
    std::vector<Shadowed> shadowed;
  };
  // The open scopes are the first depth_; those past it were closed and emptied, and
  // are opened again with the room they had: calls are frequent.
  std::vector<Scope> scopes_;
  std::size_t depth_ = 0;
  std::vector<std::unique_ptr<THashNode>> spare_words_;  // cleared for NewVariable
  std::deque<TBinding> bindings_;
  TNameIndexOf<TBinding> bindings_index_;
  std::uint64_t serial_;
};

// A lookup kept where it is made (in a decoded statement or expression): it holds the
// name's binding records and answers from them without searching.
class TWordLookup {
 public:
  THashNode* Find(const THashPi& words, std::string_view name, bool normalise) const {
    if (serial_ == words.Serial() && single_) return single_->word;
    return FindAgain(words, name, normalise);
  }

 private:
  // Out of line: what most lookups never need stays out of the code that runs them.
  THashNode* FindAgain(const THashPi& words, std::string_view name, bool normalise) const;

  // The name's record; when it may lose okurigana, the shortened name's first and the
  // name's as written second.
  mutable const TBinding* first_ = nullptr;
  mutable const TBinding* second_ = nullptr;
  mutable const TBinding* single_ = nullptr;  // the one record a name without okurigana needs
  mutable bool complete_ = false;             // every record it needs exists: it never looks again
  mutable std::size_t made_ = 0;
  mutable std::uint64_t serial_ = 0;
};

// The word stack: argument fragments of the statement being read. A nested run reads
// its statements on a stack of its own: the entries below its base, the interrupted
// run's, are out of its sight until it ends.
class TStack {
 public:
  void Push(std::string s) { items_.push_back(std::move(s)); }
  std::string Pop();
  // The top entry into `out` (empty when there is none), or dropped: neither makes a copy.
  void PopInto(std::string& out);
  void Drop() {
    if (Count() > 0) items_.pop_back();
  }
  std::string PopFirst();
  std::string Get(std::size_t i) const { return i < Count() ? items_[base_ + i] : std::string(); }
  // Entry i from the bottom; i must be below Count().
  std::string& At(std::size_t i) { return items_[base_ + i]; }
  const std::string& At(std::size_t i) const { return items_[base_ + i]; }
  void Insert(std::size_t i, std::string s);
  void Erase(std::size_t i) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(base_ + i)); }
  std::size_t Count() const { return items_.size() - base_; }
  void Clear() { items_.resize(base_); }
  std::string AsText() const;  // every entry followed by CR LF, bottom first
  // A copy of every entry, bottom first, to be kept and shared.
  std::shared_ptr<const std::vector<std::string>> Copy() const {
    return std::make_shared<const std::vector<std::string>>(items_.begin() + static_cast<std::ptrdiff_t>(base_),
                                                            items_.end());
  }
  // Hides every entry, leaving the stack empty for a nested run; answers what Reveal
  // takes to end that run: its entries are dropped and the hidden ones seen again.
  std::size_t Hide() {
    std::size_t outer = base_;
    base_ = items_.size();
    return outer;
  }
  void Reveal(std::size_t outer) {
    items_.resize(base_);
    base_ = outer;
  }

 private:
  std::vector<std::string> items_;
  std::size_t base_ = 0;  // where the running run's entries begin
};

}  // namespace pirune
