#include "engine/registry.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "engine/errors.h"
#include "engine/not_yet.h"
#include "engine/piru_base.h"
#include "engine/sjis.h"
#include "engine/system_variables.h"
#include "engine/values.h"

namespace pirune {
namespace {

struct CommandEntry {
  const char* name;
  const char* pattern;
  int id;
};

const CommandEntry kCommands[] = {
#define COMMAND(name, pattern, id) {name, pattern, id},
#include "engine/command_table.inc"
#undef COMMAND
};

const std::span<const CommandBinding> kFamilies[] = {
#define FAMILY(function) function(),
#include "engine/command_families.inc"
#undef FAMILY
};

// The id of a command by any of its names as the table writes them; -1 for none.
int CommandIdOf(std::string_view name) {
  static const std::unordered_map<std::string_view, int> ids = [] {
    std::unordered_map<std::string_view, int> m;
    for (const auto& c : kCommands) m.emplace(c.name, c.id);
    return m;
  }();
  auto it = ids.find(name);
  return it == ids.end() ? -1 : it->second;
}

// Fills `table` from the families; says what is wrong with their claims.
std::vector<std::string> FillHandlers(std::span<const std::span<const CommandBinding>> families, HandlerTable& table) {
  std::vector<std::string> problems;
  std::array<const char*, kHandlerCount> claimed_by{};
  for (const auto& family : families) {
    for (const CommandBinding& b : family) {
      int id = CommandIdOf(b.name);
      if (id < 0 || id >= kHandlerCount) {
        problems.push_back(std::string(b.name) + ": no such command");
        continue;
      }
      if (claimed_by[static_cast<std::size_t>(id)]) {
        problems.push_back(std::string(b.name) + ": command id " + std::to_string(id) + " claimed already by " +
                           claimed_by[static_cast<std::size_t>(id)]);
        continue;
      }
      claimed_by[static_cast<std::size_t>(id)] = b.name;
      table[static_cast<std::size_t>(id)] = b.handler;
    }
  }
  return problems;
}

// Filled before the program starts (the families' tables are constant), so that every
// command's run reads it without a guard.
const HandlerTable kHandlers = [] {
  HandlerTable t{};
  FillHandlers(kFamilies, t);
  return t;
}();

std::vector<std::string> ParseParticles(const std::string& pattern) {
  std::vector<std::string> out;
  if (pattern.empty()) return out;
  std::size_t start = 0;
  for (std::size_t i = 0;; i += CharLength(pattern, i)) {
    if (i >= pattern.size() || pattern[i] == ',') {
      std::string slot = Trim(std::string_view(pattern).substr(start, i - start));
      if (!slot.empty() && slot[0] == '?') slot.erase(0, 1);
      out.push_back(slot);
      if (i >= pattern.size()) break;
      start = i + 1;
    }
  }
  return out;
}

// The particles a script may write for a slot's particle besides the particle itself.
const std::vector<std::string>& EquivalentParticles(const std::string& q) {
  static const std::vector<std::string> none, wo{"を"}, to_no{"と", "の"}, he{"へ"}, ni{"に"};
  if (q == "と" || q == "の") return wo;
  if (q == "を") return to_no;
  if (q == "に") return he;
  if (q == "へ") return ni;
  return none;
}

struct Slot {
  std::string particle;
  const std::vector<std::string>* equivalents;
};

// The number of slots, as parsing would give it: "," is never the second byte of a
// double-byte character. (Counted, not parsed: every command's invocation asks.)
std::size_t SlotCount(const std::string& pattern) {
  return pattern.empty() ? 0 : static_cast<std::size_t>(std::count(pattern.begin(), pattern.end(), ',')) + 1;
}

// Patterns are few and every call binds one: each is parsed once. The pattern bound last
// is found again by comparing it, without hashing: calls of one label come in runs.
const std::vector<Slot>& Slots(const std::string& pattern) {
  static std::unordered_map<std::string, std::vector<Slot>> parsed;
  static const std::pair<const std::string, std::vector<Slot>>* last = nullptr;
  if (last && last->first == pattern) return last->second;
  auto it = parsed.find(pattern);
  if (it == parsed.end()) {
    if (parsed.size() > 4096) {
      parsed.clear();
      last = nullptr;
    }
    std::vector<Slot> slots;
    for (auto& p : ParseParticles(pattern)) {
      const std::vector<std::string>* equivalents = &EquivalentParticles(p);
      slots.push_back(Slot{std::move(p), equivalents});
    }
    it = parsed.emplace(pattern, std::move(slots)).first;
  }
  last = &*it;
  return it->second;
}

// Particles are a few bytes: compared from the last byte, most fragments differ at once.
bool EndsWithParticle(const std::string& fragment, const std::string& particle) {
  std::size_t n = particle.size();
  if (n == 0 || fragment.size() < n) return false;
  std::size_t at = fragment.size() - n;
  for (std::size_t i = n; i-- > 0;)
    if (fragment[at + i] != particle[i]) return false;
  return IsCharBoundary(fragment, at);
}

// Finds, from the top down, the fragment ending in the particle (or, failing that, the
// topmost one ending in one of its equivalents); gives its index and the particle it
// ends with. One walk: a stack left full by failed statements is long.
bool FindFragment(const TStack& stack, const Slot& slot, std::size_t& index, const std::string*& ending) {
  bool equivalent_found = false;
  for (std::size_t k = stack.Count(); k-- > 0;) {
    const std::string& f = stack.At(k);
    if (EndsWithParticle(f, slot.particle)) {
      index = k;
      ending = &slot.particle;
      return true;
    }
    if (equivalent_found) continue;
    for (const auto& e : *slot.equivalents) {
      if (EndsWithParticle(f, e)) {
        index = k;
        ending = &e;
        equivalent_found = true;
        break;
      }
    }
  }
  return equivalent_found;
}

// Remembers the running command and puts the previous one back afterwards.
class RunningScope {
 public:
  RunningScope(TPiruBase& state, const THashNode& command) : state_(state), previous_(state.RunningCommand) {
    state_.RunningCommand = &command;
  }
  ~RunningScope() { state_.RunningCommand = previous_; }

 private:
  TPiruBase& state_;
  const THashNode* previous_;
};

}  // namespace

std::vector<std::string> HandlerClaimProblems(std::span<const std::span<const CommandBinding>> families) {
  HandlerTable table{};
  return FillHandlers(families, table);
}
std::vector<std::string> HandlerClaimProblems() { return HandlerClaimProblems(kFamilies); }

void RegisterAll(TPiruBase& state) {
  state.Words.Clear();
  for (const auto& c : kCommands)
    state.Words.Add(std::make_unique<THashNode>(Normalise(c.name), c.pattern, "", "", c.id, kCommand, TextPos{}, true));
  RegisterSystemVariables(state);
  state.Words.Add(std::make_unique<THashNode>("母艦", "", "", "メインフォーム", 0, kPart, TextPos{}, true));
  state.So->Id = -1;
}

void Bind(TPiruBase& state, const THashNode& command) {
  const std::vector<Slot>& slots = Slots(command.Pattern);
  std::size_t n = slots.size();
  TStack& stack = state.Stack;
  state.ArgDefaulted = n > 0 && n == stack.Count() + 1;
  if (state.ArgDefaulted) stack.Insert(0, state.PositionalArgs ? "それ" : "それ" + slots[0].particle);
  auto head = [&] {
    return "\"" + command.Name + "\"命令の引数に誤りがあります。\"" + command.Pattern + "\"の形式で指定してください。";
  };
  if (stack.Count() < n) RaiseScriptError(state, head() + "引数が少ないです。");

  // Arguments written in the pattern's order, each with its own particle, bind where they
  // stand: searching from the top down would pick exactly these.
  std::size_t base = stack.Count() - n;
  bool in_order = !state.PositionalArgs;
  for (std::size_t i = 0; in_order && i < n; ++i) in_order = EndsWithParticle(stack.At(base + i), slots[i].particle);
  if (in_order) {
    for (std::size_t i = 0; i < n; ++i) {
      std::string& f = stack.At(base + i);
      f.resize(f.size() - slots[i].particle.size());
    }
  } else if (state.PositionalArgs) {
    // Bound by position: the topmost fragments, in order; a particle that happens to
    // end a fragment is removed.
    for (std::size_t i = 0; i < n; ++i) {
      std::string& f = stack.At(base + i);
      if (EndsWithParticle(f, slots[i].particle)) {
        f.resize(f.size() - slots[i].particle.size());
        continue;
      }
      for (const auto& e : *slots[i].equivalents) {
        if (EndsWithParticle(f, e)) {
          f.resize(f.size() - e.size());
          break;
        }
      }
    }
  } else {
    std::vector<std::string> kept(n);
    for (std::size_t slot = n; slot-- > 0;) {
      const Slot& q = slots[slot];
      std::size_t index = 0;
      const std::string* ending = nullptr;
      bool found = FindFragment(stack, q, index, ending);
      if (!found) RaiseScriptError(state, head() + "\"" + q.particle + "\"");
      std::string fragment = std::move(stack.At(index));
      stack.Erase(index);
      fragment.resize(fragment.size() - ending->size());
      kept[slot] = std::move(fragment);
    }
    for (auto& f : kept) stack.Push(std::move(f));
  }
  if (stack.Count() > kMaxStackFragments)
    RaiseScriptError(state, "スタックが一杯になりました。ラベルなどに再帰呼び出しがないか確認！");
}

void Invoke(TPiruBase& state, const THashNode& command) {
  Bind(state, command);
  InvokeBound(state, command);
}

namespace {

// Runs the command's handler on the arguments `Arguments...` give its TCommand, and
// words its errors as errors of this command.
template <class... Arguments>
void RunHandler(TPiruBase& state, const THashNode& command, const Arguments&... arguments) {
  RunningScope running(state, command);
  if (command.Name.size() == 1 && command.Name[0] == '\\') return;  // a direct reference by number calls nothing
  CommandHandler handler =
      command.Id >= 0 && command.Id < kHandlerCount ? kHandlers[static_cast<std::size_t>(command.Id)] : nullptr;
  if (!handler) NotAvailableYet(state, command.Name);
  auto wrapped = [&] { return "『" + command.Name + "』命令の実行中にエラー。"; };
  try {
    TCommand running(state, command, arguments...);
    handler(running);
  } catch (const Exception& e) {
    if (e.Message().find("[エラー]") != std::string::npos) RaiseScriptError(state, wrapped());
    RaiseScriptError(state, wrapped() + "理由は、" + e.Message());
  } catch (const std::exception& e) {
    RaiseScriptError(state, wrapped() + "理由は、" + e.what());
  }
}

}  // namespace

void InvokeBound(TPiruBase& state, const THashNode& command) { RunHandler(state, command, SlotCount(command.Pattern)); }

void TKeptBinding::Bind(TPiruBase& state, const THashNode& command) {
  pirune::Bind(state, command);
  fragments_ = state.Stack.Copy();
  defaulted_ = state.ArgDefaulted;
  pattern_ = command.Pattern;
  slots_ = SlotCount(pattern_);
  command_ = &command;
}

void TKeptBinding::Invoke(TPiruBase& state, const THashNode& command) const {
  state.ArgDefaulted = defaulted_;
  if (fragments_->size() <= slots_) {
    RunHandler(state, command, fragments_);
    return;
  }
  // More than the command takes: what is left over stays on the stack, as it would.
  for (const auto& f : *fragments_) state.Stack.Push(f);
  InvokeBound(state, command);
}

void SetResult(TPiruBase& state, std::string text, const char* mark) {
  state.Sore->SetValue(std::move(text));
  state.Sore->Mark = mark;
  state.SetLastMark(mark);
}

}  // namespace pirune
