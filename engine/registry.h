// Built-in commands: registration, binding of argument fragments to a command's
// pattern, invocation of its handler, and what handlers use to read arguments.
#pragma once
#include <array>
#include <string>

#include "engine/expression.h"

namespace pirune {

class TPiruBase;
class THashNode;

constexpr int kHandlerCount = 601;
using Handler = void (*)(TPiruBase&);
using HandlerTable = std::array<Handler, kHandlerCount>;

// Clears the dictionary's meaning for a new run: every command, system variable and the
// main window's word are registered afresh.
void RegisterAll(TPiruBase& state);

// Binds the fragments on the word stack to the command's slots (last slot on top).
void Bind(TPiruBase& state, const THashNode& command);

// Binds and calls the command's handler, wrapping errors the handler raises.
void Invoke(TPiruBase& state, const THashNode& command);
// The same for arguments bound already.
void InvokeBound(TPiruBase& state, const THashNode& command);

// For handlers, each popping the top argument (the last slot first).
std::string PopRaw(TPiruBase& state);
std::string PopText(TPiruBase& state);
Number PopNumber(TPiruBase& state);
THashNode* PopWord(TPiruBase& state, bool create);
void SetResult(TPiruBase& state, std::string text, const char* mark);

// The name handlers use for the running command in their messages.
const std::string& RunningCommandName(TPiruBase& state);

// "\"name\"命令の引数に誤りがあります。" for the running command.
std::string ArgumentErrorMessage(TPiruBase& state);

// Each family of commands puts its handlers into the table.
void AddWordCommandHandlers(HandlerTable& table);
void AddProgramTextHandlers(HandlerTable& table);
void AddOutputHandlers(HandlerTable& table);
void AddProgramEndHandlers(HandlerTable& table);
void AddAssignmentHandlers(HandlerTable& table);
void AddControlFlowHandlers(HandlerTable& table);
void AddUserFunctionHandlers(HandlerTable& table);
void AddConditionHandlers(HandlerTable& table);
void AddErrorCommandHandlers(HandlerTable& table);

}  // namespace pirune
