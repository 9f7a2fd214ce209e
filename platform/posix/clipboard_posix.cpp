#include <string>

#include "platform/clipboard.h"

namespace pirune::platform {
namespace {
std::string& Held() {
  static std::string text;
  return text;
}
}  // namespace

std::string ClipboardText() { return Held(); }

bool SetClipboardText(const std::string& text) {
  Held() = text.substr(0, text.find('\0'));
  return true;
}

}  // namespace pirune::platform
