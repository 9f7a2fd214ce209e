// What a built-in command's handler sees: its arguments, its result, the words it works
// on and the host. Command families outside engine/ include this header and no other
// engine header; the interpreter state stays opaque to them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conv_to_half.h"
#include "engine/errors.h"
#include "engine/number.h"
#include "engine/run_resource.h"
#include "engine/words.h"

namespace pirune {

class Host;
class TPiruBase;

// The running command. Its arguments are taken off the word stack all at once, before
// any of them is evaluated, so evaluating one (which may run a label's statements) never
// meets another's fragment. A handler evaluates them in the order it needs; slot 0 is the
// pattern's first slot.
class TCommand {
 public:
  TCommand(TPiruBase& state, const THashNode& command, std::size_t slots);
  // The same with fragments bound already, shared with the statement read once that
  // keeps them (they stay while the command runs, whatever becomes of the statement).
  TCommand(TPiruBase& state, const THashNode& command, std::shared_ptr<const std::vector<std::string>> fragments);
  ~TCommand();
  TCommand(const TCommand&) = delete;
  TCommand& operator=(const TCommand&) = delete;

  // The name the command was called by, for messages.
  const std::string& Name() const { return command_.Name; }
  std::size_t Count() const { return arguments_->size(); }
  // Whether the first argument is "それ", put in for an argument left out.
  bool Defaulted() const { return defaulted_; }
  // The type mark of the value read or computed last ("e" after a number).
  const std::string& LastMark() const;

  // The fragment as written (its particle removed), not evaluated.
  const std::string& Raw(std::size_t slot) const;
  // The same with enclosing back quotes removed: a name.
  std::string WordName(std::size_t slot) const;
  std::string Text(std::size_t slot);
  Number Num(std::size_t slot);
  // The number truncated toward zero; one that no integer can hold (infinite, not a
  // number, beyond ±2^63) is an argument error.
  std::int64_t Int(std::size_t slot);
  // The same, bounded to [low, high]; outside it is an argument error.
  std::int64_t Int(std::size_t slot, std::int64_t low, std::int64_t high);
  // Not 0 as a number.
  bool Flag(std::size_t slot);
  // The word the argument names (back quotes removed). Missing: "部品\"%s\"が特定できません。",
  // or, with `create`, a new empty variable in the global table.
  THashNode& Word(std::size_t slot, bool create = false);
  // The same, or null when the argument names no word.
  THashNode* FindWord(std::size_t slot);
  // A word by a name the handler worked out (null when there is none), or with `create`
  // a new empty variable in the global table.
  THashNode* WordNamed(std::string_view name, bool create = false);
  // Takes the word of that name out of the dictionary.
  void RemoveWord(std::string_view name);
  // Whether the word is "それ", where results go.
  bool IsResultWord(const THashNode& word) const;

  // The result, in "それ", with its type mark.
  void Result(std::string text, std::string_view mark = "s");
  void ResultNumber(Number n);
  void ResultInteger(std::int64_t n);
  void ResultFlag(bool on) { ResultInteger(on ? 1 : 0); }
  // The result's text, "それ" keeping the type mark it had.
  void ResultKeepingMark(std::string text);

  // "\"name\"命令の引数に誤りがあります。" (followed by `detail`), as a script error.
  [[noreturn]] void ArgumentError(std::string_view detail = {}) const;
  // A script error with this message, at the running statement. (A plain `Exception`
  // thrown by a handler is wrapped with the command's name instead.)
  [[noreturn]] void Fail(std::string_view message) const;
  // "[注　意] …" in the error log, shown by the host; the command goes on.
  void Warn(std::string_view message) const;

  // A system variable, by its exact name, from the global table: a local variable of
  // that name does not stand in for it (null when there is none).
  THashNode* SystemVariable(std::string_view name) const;
  // The host: dialogs, text output, windows. Null when the run has none.
  Host* host() const;
  // Where "表示" puts its next line on the main window.
  int& TextX() const;
  int& TextY() const;
  // Where the dialogs go: Left, Top, Right, Bottom, all zero for centred.
  std::array<std::int64_t, 4>& DialogRect() const;

  // A piece of script text evaluated as an argument is (a list's items, for one).
  std::string Evaluate(std::string_view text);

  // The security level: -1 until decided, 0 low, 1 middle, 2 high.
  std::int32_t& SecurityLevel() const;
  // "母艦のパス" (the program's folder, empty when the program was named without one) and
  // the program file as the command line named it.
  const std::string& ProgramFolder() const;
  const std::string& ProgramFile() const;
  // What a family keeps for the rest of the run under its `key` (null until it puts
  // something there); the run owns it.
  std::unique_ptr<TRunResource>& RunResource(std::string_view key) const;

  // For the interpreter's own families (engine/): the state, opaque elsewhere.
  TPiruBase& Interpreter() const { return state_; }

 private:
  TPiruBase& state_;
  const THashNode& command_;
  std::vector<std::string> fragments_;                     // taken off the word stack,
  std::shared_ptr<const std::vector<std::string>> shared_;  // or shared;
  const std::vector<std::string>* arguments_;              // whichever it is
  bool defaulted_;
};

using CommandHandler = void (*)(TCommand&);

// A handler claimed for a command, by any one of the command's names.
struct CommandBinding {
  const char* name;
  CommandHandler handler;
};

}  // namespace pirune
