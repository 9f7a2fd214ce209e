#include "engine/words.h"

#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/sjis.h"
#include "library/csv_db.h"

namespace pirune {

THashNode::THashNode(std::string name, std::string pattern, std::string value, std::string mark,
                     std::int32_t id, std::uint8_t kind, TextPos ref, bool reserved)
    : Name(std::move(name)),
      Pattern(std::move(pattern)),
      Mark(std::move(mark)),
      Kind(kind),
      Id(id),
      Ref(ref),
      Reserved(reserved),
      value_(std::move(value)) {}

THashNode::THashNode(std::string name, std::string value, std::int32_t level)
    : Name(std::move(name)), Kind(kVariable), Id(level), Reserved(false), value_(std::move(value)) {}

THashNode::~THashNode() = default;

namespace {
[[gnu::noinline]] void AssignLongMark(std::string& to, std::string_view mark) {
  if (to.empty() && mark.size() == 1)
    to.push_back(mark[0]);  // a first letter: the general assignment is far dearer
  else
    to.assign(mark);
}
}  // namespace

// A mark of one letter over another (a number's "e" over a text's "s", most often) is
// written in place, and no mark at all by emptying; the general assignment is kept apart,
// so that these need none of its setting up.
void WriteOtherMark(std::string& to, std::string_view mark) {
  if (to.size() == 1 && mark.size() == 1) {
    to[0] = mark[0];
    return;
  }
  if (mark.empty()) {
    to.clear();
    return;
  }
  AssignLongMark(to, mark);
}

const std::string& THashNode::GetValue() const {
  if (Dict) {
    line_form_ = Dict->LineForm();
    return line_form_;
  }
  return Text();
}

void THashNode::SetValue(std::string value) {
  value_ = std::move(value);
  known_ = 0;
  if (table_) DropTable();
}

std::string THashNode::TakeValue() {
  if (Dict) return Dict->LineForm();
  Text();
  known_ = 0;
  if (table_) DropTable();
  return std::move(value_);
}

void THashNode::AppendValue(std::string_view tail) {
  Text();
  value_.append(tail);
  known_ = 0;
  if (table_) DropTable();
}

void THashNode::SetInteger(std::int64_t n) {
  integer_ = n;
  known_ = kNumberKnown | kPlainKnown | kPlain | kTextPending | kInteger;
  if (table_) DropTable();
}

void THashNode::WriteText() const {
  // Pending after SetInteger or a change of the table view.
  value_ = table_ ? table_->WriteCsv() : FormatInteger(integer_);
  known_ &= ~kTextPending;
}

// Out of line, so that setting a value that has no table (nearly every one) stays a leaf.
[[gnu::noinline]] void THashNode::DropTable() { table_.reset(); }

void THashNode::ClearForReuse() {
  constexpr std::size_t kKeptRoom = 256;
  auto clear = [](std::string& text) {
    if (text.capacity() > kKeptRoom) std::string().swap(text);
    else text.clear();
  };
  clear(Name);
  clear(Pattern);
  clear(Mark);
  Kind = kVariable;
  Id = 0;
  Ref = TextPos{};
  Dict.reset();
  Reserved = false;
  clear(value_);
  known_ = 0;
  number_ = 0;
  integer_ = 0;
  clear(line_form_);
  table_.reset();
}

TCsvDb& THashNode::Table() {
  if (!table_) {
    auto table = std::make_unique<TCsvDb>();
    table->ReadCsv(Text());
    table_ = std::move(table);
    // The table is the value now: the text is what it writes.
    known_ = kTextPending;
  }
  return *table_;
}

Number THashNode::NumberValue() const {
  if (known_ & kInteger) return static_cast<Number>(integer_);
  if (!(known_ & kNumberKnown)) {
    if (StrToInteger(Text(), integer_)) {
      known_ |= kNumberKnown | kInteger | kPlainKnown | kPlain;
      return static_cast<Number>(integer_);
    }
    number_ = StrToValue(Text());
    known_ |= kNumberKnown;
  }
  return number_;
}

bool THashNode::IsPlainNumberValue() const {
  if (!(known_ & kPlainKnown)) NumberValue();  // an integer read from the text is plain
  if (!(known_ & kPlainKnown)) known_ |= kPlainKnown | (IsPlainNumber(Text()) ? kPlain : 0);
  return known_ & kPlain;
}

void THashNode::Assign(const THashNode& other) {
  SetValue(other.GetValue());
  Pattern = other.Pattern;
  Mark = other.Mark;
  Id = other.Id;
  Kind = other.Kind;
  Ref = other.Ref;
  Dict = other.Dict ? other.Dict->Copy() : nullptr;
  Reserved = other.Reserved;
}

void THashNode::TakeMeaning(THashNode&& other) {
  Pattern = std::move(other.Pattern);
  Mark = std::move(other.Mark);
  Kind = other.Kind;
  Id = other.Id;
  Ref = other.Ref;
  Dict = std::move(other.Dict);
  Reserved = other.Reserved;
  table_ = std::move(other.table_);
  value_ = std::move(other.value_);
  known_ = other.known_;
  number_ = other.number_;
  integer_ = other.integer_;
}

std::string Normalise(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  bool after_kanji = false;
  std::size_t i = 0;
  auto is_hiragana = [&](std::size_t at) {
    if (at + 1 >= name.size() || !IsLeadByte(static_cast<unsigned char>(name[at]))) return false;
    unsigned code = (static_cast<unsigned char>(name[at]) << 8) | static_cast<unsigned char>(name[at + 1]);
    return code >= 0x82A0 && code <= 0x833E;
  };
  while (i < name.size()) {
    std::size_t len = CharLength(name, i);
    if (len == 1) {
      out += name[i];
    } else if (!is_hiragana(i)) {
      out.append(name.substr(i, 2));
      after_kanji = true;
    } else if (!after_kanji) {
      out.append(name.substr(i, 2));
    } else {
      while (i < name.size() && is_hiragana(i)) i += 2;
      after_kanji = false;
      continue;
    }
    i += len;
  }
  return out.empty() ? std::string(name) : out;
}

namespace {
unsigned BucketOf(std::string_view name) {
  std::uint32_t sum = 0;
  for (unsigned char c : name) sum += c;
  return sum % 256;
}
}  // namespace

THash::~THash() = default;

THashNode& THash::Add(std::unique_ptr<THashNode> word) {
  if (!buckets_) buckets_ = std::make_unique<std::array<Bucket, 256>>();
  if (THashNode* existing = index_.Insert(word.get())) {
    if (existing->Reserved) throw Exception("\"" + word->Name + "\"は予約語なので、登録できません。");
    existing->TakeMeaning(std::move(*word));
    return *existing;
  }
  unsigned b = BucketOf(word->Name);
  Bucket& bucket = (*buckets_)[b];
  if (bucket.empty()) Filled(b);
  return *bucket.emplace_back(std::move(word));
}

THashNode* THash::FindExact(std::string_view name) const {
  if (name.empty()) return nullptr;
  return index_.Find(name);
}

namespace {
// Whether okurigana removal could change the name: a hiragana after another
// double-byte character.
bool MayHaveOkurigana(std::string_view name) {
  bool after_double = false;
  for (std::size_t i = 0; i < name.size();) {
    std::size_t len = CharLength(name, i);
    if (len == 2) {
      unsigned code = (static_cast<unsigned char>(name[i]) << 8) | static_cast<unsigned char>(name[i + 1]);
      bool hiragana = code >= 0x82A0 && code <= 0x833E;
      if (hiragana && after_double) return true;
      after_double = !hiragana || after_double;
    }
    i += len;
  }
  return false;
}
}  // namespace

THashNode* THash::Find(std::string_view name, bool normalise) const {
  if (normalise && MayHaveOkurigana(name)) {
    if (THashNode* w = FindExact(Normalise(name))) return w;
  }
  return FindExact(name);
}

bool THash::RemoveExact(std::string_view name) {
  THashNode* word = index_.Find(name);
  if (!word) return false;
  index_.Erase(name);
  auto& bucket = (*buckets_)[BucketOf(name)];
  for (auto it = bucket.begin(); it != bucket.end(); ++it) {
    if (it->get() == word) {
      removed_.push_back(std::move(*it));
      bucket.erase(it);
      break;
    }
  }
  return true;
}

int THash::Remove(std::string_view name, bool normalise) {
  bool removed = false;
  if (normalise) removed = RemoveExact(Normalise(name));
  removed = RemoveExact(name) || removed;
  return removed ? Count() : -1;
}

void THash::Clear() {
  removed_.clear();
  if (Count() == 0) return;
  index_.Clear();
  if (filled_.size() > kFewBuckets) {
    for (auto& b : *buckets_) b.clear();
  } else {
    for (std::uint8_t b : filled_) (*buckets_)[b].clear();
  }
  filled_.clear();
}

void THash::LoadFromText(std::string_view text) {
  Clear();
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(i, end - i);
    std::size_t eq = line.find('=');
    std::string name = Trim(eq == std::string_view::npos ? line : line.substr(0, eq));
    std::string value = eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
    auto entry = std::make_unique<THashNode>(name, value, 0);
    entry->Mark.clear();
    Add(std::move(entry));
    i = end;
    if (i < text.size() && text[i] == '\r') ++i;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

void THash::Enumerate(const std::function<void(THashNode&)>& visit) const {
  if (!buckets_) return;
  for (const auto& b : *buckets_)
    for (const auto& w : b) visit(*w);
}

std::string THash::LineForm() const {
  std::string out;
  Enumerate([&](THashNode& w) {
    out += w.Name;
    out += '=';
    out += w.GetValue();
    out += "\r\n";
  });
  return Trim(out);
}

std::unique_ptr<THash> THash::Copy() const {
  auto copy = std::make_unique<THash>();
  if (!buckets_) return copy;
  copy->buckets_ = std::make_unique<std::array<Bucket, 256>>();
  for (unsigned b = 0; b < 256; ++b) {
    for (const auto& w : (*buckets_)[b]) {
      auto entry = std::make_unique<THashNode>(w->Name, std::string(), 0);
      entry->Assign(*w);
      copy->index_.Insert(entry.get());
      if ((*copy->buckets_)[b].empty()) copy->Filled(b);
      (*copy->buckets_)[b].push_back(std::move(entry));
    }
  }
  return copy;
}

namespace {
std::uint64_t dictionaries_made = 0;
}  // namespace

THashPi::THashPi() : serial_(++dictionaries_made) {}

TBinding& THashPi::BindingFor(const std::string& name) {
  if (TBinding* b = bindings_index_.Find(name)) return *b;
  TBinding& b = bindings_.emplace_back();
  b.Name = name;
  bindings_index_.Insert(&b);
  return b;
}

void THashPi::GlobalChanged(std::string_view name) {
  if (TBinding* b = bindings_index_.Find(name); b && b->depth == 0) b->word = FindExact(name);
}

THashNode& THashPi::Add(std::unique_ptr<THashNode> word) {
  THashNode& added = THash::Add(std::move(word));
  TBinding& b = BindingFor(added.Name);
  if (b.depth == 0) b.word = &added;
  return added;
}

int THashPi::Remove(std::string_view name, bool normalise) {
  int left = THash::Remove(name, normalise);
  if (normalise) GlobalChanged(Normalise(name));
  GlobalChanged(name);
  return left;
}

void THashPi::Clear() {
  THash::Clear();
  for (TBinding& b : bindings_)
    if (b.depth == 0) b.word = nullptr;
}

THashNode* THashPi::Find(std::string_view name, bool normalise) const {
  if (name.empty()) return nullptr;
  if (!normalise || !MayHaveOkurigana(name)) {
    const TBinding* b = bindings_index_.Find(name);
    return b ? b->word : nullptr;
  }
  return Visible(BindingOf(Normalise(name)), BindingOf(name));
}

THashNode& THashPi::AddLocal(std::unique_ptr<THashNode> word) {
  if (depth_ == 0) return Add(std::move(word));
  Scope& scope = scopes_[depth_ - 1];
  TBinding& b = BindingFor(word->Name);
  if (b.word && b.depth == depth_) {  // declared again in the same scope, it is the same word
    b.word->TakeMeaning(std::move(*word));
    return *b.word;
  }
  THashNode& added = *scope.words.emplace_back(std::move(word));
  scope.shadowed.push_back(Shadowed{&b, b.word, b.depth});
  b.word = &added;
  b.depth = depth_;
  return added;
}

std::unique_ptr<THashNode> THashPi::NewVariable(std::string_view name, std::int32_t level) {
  if (spare_words_.empty()) return std::make_unique<THashNode>(std::string(name), "", level);
  std::unique_ptr<THashNode> word = std::move(spare_words_.back());
  spare_words_.pop_back();
  word->Name.assign(name);
  word->Id = level;
  return word;
}

void THashPi::PushScope() {
  if (depth_ == scopes_.size()) scopes_.emplace_back();
  ++depth_;
}

void THashPi::PopScope() {
  if (depth_ == 0) return;
  Scope& scope = scopes_[--depth_];
  for (auto it = scope.shadowed.rbegin(); it != scope.shadowed.rend(); ++it) {
    // A global word may have come or gone while the local hid it: it is looked up again.
    it->binding->word = it->depth == 0 ? FindExact(it->binding->Name) : it->word;
    it->binding->depth = it->depth;
  }
  scope.shadowed.clear();
  constexpr std::size_t kSpareWords = 256;
  for (auto& word : scope.words) {
    if (spare_words_.size() >= kSpareWords) break;
    word->ClearForReuse();
    spare_words_.push_back(std::move(word));
  }
  scope.words.clear();
}

THashNode* TWordLookup::FindAgain(const THashPi& words, std::string_view name, bool normalise) const {
  if (serial_ == words.Serial() && (complete_ || made_ == words.BindingCount())) return THashPi::Visible(first_, second_);
  serial_ = words.Serial();
  made_ = words.BindingCount();
  if (normalise && MayHaveOkurigana(name)) {
    first_ = words.BindingOf(Normalise(name));
    second_ = words.BindingOf(name);
    complete_ = first_ && second_;
  } else {
    first_ = name.empty() ? nullptr : words.BindingOf(name);
    second_ = nullptr;
    complete_ = first_ != nullptr;
  }
  single_ = second_ ? nullptr : first_;
  return THashPi::Visible(first_, second_);
}

std::string TStack::Pop() {
  if (Count() == 0) return {};
  std::string s = std::move(items_.back());
  items_.pop_back();
  return s;
}

void TStack::PopInto(std::string& out) {
  if (Count() == 0) {
    out.clear();
    return;
  }
  out = std::move(items_.back());
  items_.pop_back();
}

std::string TStack::PopFirst() {
  if (Count() == 0) return {};
  auto first = items_.begin() + static_cast<std::ptrdiff_t>(base_);
  std::string s = std::move(*first);
  items_.erase(first);
  return s;
}

void TStack::Insert(std::size_t i, std::string s) {
  if (i > Count()) i = Count();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(base_ + i), std::move(s));
}

std::string TStack::AsText() const {
  std::string out;
  for (std::size_t i = base_; i < items_.size(); ++i) out += items_[i] + "\r\n";
  return out;
}

}  // namespace pirune
