#include "engine/piru_base.h"

namespace pirune {

TPiruBase::TPiruBase() = default;
TPiruBase::~TPiruBase() = default;

const std::string* TPiruBase::AddText(std::string text) {
  Texts.push_back(MakeProgramText(std::move(text)));
  return Texts.back().get();
}

void TPiruBase::SetFileName(std::string_view name) {
  if (name.empty()) {
    file_name_ = nullptr;
    return;
  }
  if (file_name_ && *file_name_ == name) return;
  for (const auto& known : FileNames) {
    if (*known == name) {
      file_name_ = known.get();
      return;
    }
  }
  FileNames.push_back(std::make_unique<const std::string>(name));
  file_name_ = FileNames.back().get();
}

}  // namespace pirune
