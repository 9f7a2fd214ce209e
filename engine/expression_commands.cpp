// "計算": a text evaluated as an expression, for scripts that build their formulas.
#include "engine/command_api.h"
#include "engine/conv_to_half.h"
#include "engine/expression.h"
#include "engine/piru_base.h"

namespace pirune {
namespace {

void Calculate(TCommand& c) {
  std::string formula = TConvToHalf::Text(c.Text(0));
  std::string result;
  if (!formula.empty()) {
    // A formula that does not compute gives an empty result, never an error, and leaves
    // nothing in the error log for a later error dialog to show.
    std::size_t logged = ErrorLog().size();
    try {
      result = EvaluateExpression(c.Interpreter(), formula);
    } catch (const Exception&) {
      result.clear();
      if (ErrorLog().size() > logged) ErrorLog().resize(logged);
    }
  }
  c.Result(std::move(result), "e");
}

}  // namespace

std::span<const CommandBinding> ExpressionCommands() {
  static const CommandBinding commands[] = {{"計算", Calculate}};
  return commands;
}

}  // namespace pirune
