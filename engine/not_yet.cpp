#include "engine/not_yet.h"

#include <string>

#include "engine/errors.h"

namespace pirune {

void NotAvailableYet(TPiruBase& state, std::string_view name) {
  RaiseScriptError(state, "\"" + std::string(name) + "\"は、このバージョンではまだ使えません。");
}

}  // namespace pirune
