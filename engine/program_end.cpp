// "おわり": the program ends, unless the script has made ending impossible.
#include "engine/expression.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "engine/statement.h"

namespace pirune {
namespace {

void End(TCommand& c) {
  TPiruBase& state = c.Interpreter();
  if (state.NoExit && StrToValue(state.NoExit->GetValue()) != 0) return;
  EndProgram(state, 0);
}

}  // namespace

std::span<const CommandBinding> ProgramEndCommands() {
  static const CommandBinding commands[] = {{"おわり", End}};
  return commands;
}

}  // namespace pirune
