#include "engine/piru_base.h"

namespace pirune {

TPiruBase::TPiruBase() = default;
TPiruBase::~TPiruBase() = default;

const std::string* TPiruBase::AddText(std::string text) {
  Texts.push_back(std::make_unique<const std::string>(std::move(text)));
  return Texts.back().get();
}

}  // namespace pirune
