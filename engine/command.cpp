#include <cmath>
#include <utility>

#include "engine/command_api.h"
#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/values.h"

namespace pirune {

TCommand::TCommand(TPiruBase& state, const THashNode& command, std::size_t slots)
    : state_(state), command_(command), arguments_(&fragments_), defaulted_(state.ArgDefaulted) {
  // The list is taken from the state's spare room: commands run all the time, and each
  // would otherwise allocate its own.
  fragments_ = std::move(state.SpareFragments);
  fragments_.clear();
  TStack& stack = state.Stack;
  std::size_t n = slots < stack.Count() ? slots : stack.Count();
  std::size_t base = stack.Count() - n;
  for (std::size_t i = 0; i < n; ++i) fragments_.push_back(std::move(stack.At(base + i)));
  for (std::size_t i = 0; i < n; ++i) stack.Drop();
}

TCommand::TCommand(TPiruBase& state, const THashNode& command,
                   std::shared_ptr<const std::vector<std::string>> fragments)
    : state_(state),
      command_(command),
      shared_(std::move(fragments)),
      arguments_(shared_.get()),
      defaulted_(state.ArgDefaulted) {}

TCommand::~TCommand() {
  if (!shared_) state_.SpareFragments = std::move(fragments_);
}

const std::string& TCommand::Raw(std::size_t slot) const {
  static const std::string none;
  return slot < arguments_->size() ? (*arguments_)[slot] : none;
}

std::string TCommand::WordName(std::size_t slot) const { return WithoutBackQuotes(Raw(slot)); }

std::string TCommand::Text(std::size_t slot) { return ArgumentValue(state_, Raw(slot)); }

Number TCommand::Num(std::size_t slot) {
  // Most numbers are written as digits: read without making their text a value first.
  const std::string& fragment = Raw(slot);
  std::size_t digits = PlainNumberLength(fragment);
  if (digits > 0 && digits <= 18 && ShortcutsHere(state_)) {
    state_.SetLastMark("e");
    return StrToValue(std::string_view(fragment).substr(0, digits));
  }
  return StrToValue(Text(slot));
}

namespace {
// 2^63, exact in a long double: from there on a number has no int64.
constexpr Number kInt64Limit = 9223372036854775808.0L;
bool FitsInt64(Number integral) { return integral >= -kInt64Limit && integral < kInt64Limit; }
}  // namespace

std::int64_t TCommand::Int(std::size_t slot) {
  Number n = Num(slot);
  if (!IntegerPartFitsInt64(n)) ArgumentError();
  return TruncatedInt64(n);
}

std::int64_t TCommand::Int(std::size_t slot, std::int64_t low, std::int64_t high) {
  std::int64_t n = Int(slot);
  if (n < low || n > high) ArgumentError();
  return n;
}

bool TCommand::Flag(std::size_t slot) { return Num(slot) != 0; }

THashNode& TCommand::Word(std::size_t slot, bool create) {
  if (THashNode* word = FindWord(slot)) return *word;
  std::string_view name = Raw(slot);
  if (IsBackQuoted(name)) name = name.substr(1, name.size() - 2);
  if (!create) RaiseScriptError(state_, "部品\"" + std::string(name) + "\"が特定できません。");
  return *WordNamed(name, true);
}

THashNode* TCommand::WordNamed(std::string_view name, bool create) {
  if (THashNode* word = state_.Words.Find(name, false)) return word;
  if (!create) return nullptr;
  auto word = std::make_unique<THashNode>(std::string(name), "", static_cast<std::int32_t>(state_.RunControl.Count()));
  word->Ref = state_.Cur;
  return &state_.Words.Add(std::move(word));
}

void TCommand::RemoveWord(std::string_view name) { state_.Words.Remove(name, false); }

THashNode* TCommand::FindWord(std::size_t slot) {
  std::string_view name = Raw(slot);
  if (IsBackQuoted(name)) name = name.substr(1, name.size() - 2);
  return state_.Words.Find(name, false);
}

bool TCommand::IsResultWord(const THashNode& word) const { return &word == state_.Sore; }

void TCommand::ResultKeepingMark(std::string text) {
  state_.Sore->SetValue(std::move(text));
  state_.SetLastMark(state_.Sore->Mark);
}

void TCommand::Result(std::string text, std::string_view mark) {
  state_.Sore->SetValue(std::move(text));
  state_.Sore->SetMark(mark);
  state_.SetLastMark(mark);
}

void TCommand::ResultInteger(std::int64_t n) {
  state_.Sore->SetInteger(n);
  state_.Sore->SetMark("e");
  state_.SetLastMark("e");
}

void TCommand::ResultNumber(Number n) {
  if (FitsInt64(n)) {
    std::int64_t integer = TruncatedInt64(n);
    if (static_cast<Number>(integer) == n) return ResultInteger(integer);
  }
  Result(FormatNumber(n), "e");
}

void TCommand::ArgumentError(std::string_view detail) const {
  RaiseScriptError(state_, "\"" + command_.Name + "\"命令の引数に誤りがあります。" + std::string(detail));
}

void TCommand::Fail(std::string_view message) const { RaiseScriptError(state_, message); }
void TCommand::Warn(std::string_view message) const { ScriptWarning(state_, message); }

const std::string& TCommand::LastMark() const { return state_.LastMark; }
THashNode* TCommand::SystemVariable(std::string_view name) const { return state_.Words.THash::FindExact(name); }

Host* TCommand::host() const { return state_.host; }
int& TCommand::TextX() const { return state_.TextX; }
int& TCommand::TextY() const { return state_.TextY; }
std::int32_t& TCommand::SecurityLevel() const { return state_.SecurityLevel; }
const std::string& TCommand::ProgramFolder() const { return state_.MainPath; }
const std::string& TCommand::ProgramFile() const { return state_.ProgramPath; }

std::unique_ptr<TRunResource>& TCommand::RunResource(std::string_view key) const {
  auto found = state_.Resources.find(key);
  if (found == state_.Resources.end()) found = state_.Resources.emplace(std::string(key), nullptr).first;
  return found->second;
}
std::array<std::int64_t, 4>& TCommand::DialogRect() const { return state_.DialogRect; }
std::string TCommand::Evaluate(std::string_view text) { return ArgumentValue(state_, std::string(text)); }

}  // namespace pirune
