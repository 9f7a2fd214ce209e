#include "engine/piru_base.h"

namespace pirune {

TPiruBase::TPiruBase() = default;
TPiruBase::~TPiruBase() = default;

const std::string* TPiruBase::AddText(std::string text) {
  Texts.push_back(MakeProgramText(std::move(text)));
  return Texts.back().get();
}

const std::string* TPiruBase::InternFileName() {
  for (const auto& name : FileNames)
    if (*name == FileName) return name.get();
  FileNames.push_back(std::make_unique<const std::string>(FileName));
  return FileNames.back().get();
}

}  // namespace pirune
