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
// Runs the command on fragments bound already, held elsewhere than on the word stack (which
// must be empty): what a statement read once binds the same way every time. Answers false,
// having done nothing, when there are more fragments than the command takes.
bool InvokeWithFragments(TPiruBase& state, const THashNode& command,
                         const std::shared_ptr<const std::vector<std::string>>& fragments);

// "それ" and the last mark set to a result (handlers use TCommand::Result).
void SetResult(TPiruBase& state, std::string text, const char* mark);

}  // namespace pirune
