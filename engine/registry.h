// Built-in commands: registration, binding of argument fragments to a command's
// pattern, invocation of its handler, and what handlers use to read arguments.
#pragma once
#include <array>
#include <span>
#include <string>
#include <vector>

#include "engine/command_api.h"
#include "engine/expression.h"

namespace pirune {

class TPiruBase;
class THashNode;

constexpr int kHandlerCount = 601;

// The families' handlers by command id. A handler is claimed by one of its command's
// names; the id comes from the command table, where it is written once.
using HandlerTable = std::array<CommandHandler, kHandlerCount>;
#define FAMILY(function) std::span<const CommandBinding> function();
#include "engine/command_families.inc"
#undef FAMILY

// What is wrong with the families' claims: a name that is no command, an id claimed
// twice. Empty when all is well; `families` defaults to the built-in ones.
std::vector<std::string> HandlerClaimProblems();
std::vector<std::string> HandlerClaimProblems(std::span<const std::span<const CommandBinding>> families);

// Clears the dictionary's meaning for a new run: every command, system variable and the
// main window's word are registered afresh.
void RegisterAll(TPiruBase& state);

// Binds the fragments on the word stack to the command's slots (last slot on top).
void Bind(TPiruBase& state, const THashNode& command);

// Binds and calls the command's handler, wrapping errors the handler raises.
void Invoke(TPiruBase& state, const THashNode& command);
// The same for arguments bound already.
void InvokeBound(TPiruBase& state, const THashNode& command);
// How a command's pattern bound fragments that bind the same way every time (those of a
// statement or an argument list read once, alone on the word stack), kept to run the
// command on them again for as long as the same command with the same pattern is found.
class TKeptBinding {
 public:
  bool Holds(const THashNode& command) const { return command_ == &command && pattern_ == command.Pattern; }
  // Binds the fragments on the word stack (as Bind does) and keeps how they were bound.
  void Bind(TPiruBase& state, const THashNode& command);
  // Runs the command on the kept binding, which must hold for it. The command shares the
  // fragments: whatever keeps this binding may go while it runs.
  void Invoke(TPiruBase& state, const THashNode& command) const;

 private:
  const THashNode* command_ = nullptr;
  std::string pattern_;
  std::shared_ptr<const std::vector<std::string>> fragments_;
  std::size_t slots_ = 0;  // of the pattern
  bool defaulted_ = false;
};

// "それ" and the last mark set to a result (handlers use TCommand::Result).
void SetResult(TPiruBase& state, std::string text, const char* mark);

}  // namespace pirune
