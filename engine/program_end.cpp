// "おわり": the program ends, unless the script has made ending impossible.
#include "engine/expression.h"
#include "engine/piru_base.h"
#include "engine/registry.h"
#include "engine/statement.h"

namespace pirune {
namespace {

void End(TPiruBase& state) {
  if (state.NoExit && StrToValue(state.NoExit->GetValue()) != 0) return;
  EndProgram(state, 0);
}

}  // namespace

void AddProgramEndHandlers(HandlerTable& table) { table[2] = End; }

}  // namespace pirune
