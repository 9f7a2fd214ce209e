// The command line as the program entry found it; kept here so that any part of the
// runtime can read it without the entry's help.
#include <utility>

#include "platform/platform.h"

namespace pirune::platform {

namespace {
std::vector<std::string>& Arguments() {
  static std::vector<std::string> arguments;
  return arguments;
}
}  // namespace

void SetCommandLineArguments(std::vector<std::string> arguments) { Arguments() = std::move(arguments); }

const std::vector<std::string>& CommandLineArguments() { return Arguments(); }

}  // namespace pirune::platform
