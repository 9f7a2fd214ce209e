#include "library/patterns/bregexp_wrapper.h"

#include <cstring>

#include "platform/sjis_walk.h"

namespace pirune {
namespace {

std::string RuntimeFolder() {
  std::string path = platform::RuntimePath();
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (path[i] == '\\' || path[i] == '/') end = i + 1;
  return path.substr(0, end);
}

template <typename F>
F Entry(platform::Module module, const char* name) {
  return reinterpret_cast<F>(platform::ModuleEntry(module, name));
}

// The subject as the library takes it: its first byte and the place after its last.
char* Begin(std::string& s) { return s.data(); }
char* End(std::string& s) { return s.data() + s.size(); }

}  // namespace

TBRegExp::TBRegExp() {
  module_ = platform::LoadModule(platform::ModuleFileName("bregexp"));
  if (!module_) module_ = platform::LoadModule(RuntimeFolder() + platform::ModuleFileName("pirune-bregexp"));
  if (module_) {
    match_ = Entry<BMatchFunc>(module_, "BMatch");
    subst_ = Entry<BSubstFunc>(module_, "BSubst");
    trans_ = Entry<BTransFunc>(module_, "BTrans");
    split_ = Entry<BSplitFunc>(module_, "BSplit");
    free_ = Entry<BRegfreeFunc>(module_, "BRegfree");
  }
  if (!match_ || !subst_ || !trans_ || !split_ || !free_) {
    if (module_) platform::UnloadModule(module_);
    throw EBRegExpError("Bregexp.dllがありません。インストールしてください。");
  }
}

TBRegExp::~TBRegExp() {
  if (result_) free_(result_);
  platform::UnloadModule(module_);
}

void TBRegExp::Prepare(const std::string& pattern) {
  if (result_ && std::strcmp(result_->parap ? result_->parap : "", pattern.c_str()) != 0) {
    free_(result_);
    result_ = nullptr;
  }
}

void TBRegExp::Check(const char* message) const {
  std::size_t n = 0;
  while (n < kBRegExpMessageSize && message[n]) ++n;
  if (n) throw EBRegExpError(std::string(message, n));
}

bool TBRegExp::Match(const std::string& pattern, const std::string& text) {
  Prepare(pattern);
  subject_ = text;
  char message[kBRegExpMessageSize] = {};
  int r = match_(const_cast<char*>(pattern.c_str()), Begin(subject_), End(subject_), &result_, message);
  Check(message);
  if (r > 0) kind_ = 1;
  return r > 0;
}

bool TBRegExp::Substitute(const std::string& pattern, std::string& text) {
  if (text.empty()) return false;
  Prepare(pattern);
  subject_ = text;  // the library's group positions point into this copy
  char message[kBRegExpMessageSize] = {};
  int r = subst_(const_cast<char*>(pattern.c_str()), Begin(subject_), End(subject_), &result_, message);
  Check(message);
  if (r <= 0) return false;
  text.assign(result_->outp, result_->outendp ? result_->outendp : result_->outp + std::strlen(result_->outp));
  kind_ = 1;
  return true;
}

bool TBRegExp::Translate(const std::string& pattern, std::string& text) {
  if (text.empty()) text.assign(1, '\0');
  Prepare(pattern);
  subject_ = text;
  char message[kBRegExpMessageSize] = {};
  int r = trans_(const_cast<char*>(pattern.c_str()), Begin(subject_), End(subject_), &result_, message);
  Check(message);
  if (r > 0) text.assign(result_->outp, result_->outendp ? result_->outendp : result_->outp + std::strlen(result_->outp));
  return r > 0;
}

void TBRegExp::Split(const std::string& pattern, const std::string& text, std::int32_t limit) {
  Prepare(pattern);
  subject_ = text;
  char message[kBRegExpMessageSize] = {};
  split_(const_cast<char*>(pattern.c_str()), Begin(subject_), End(subject_), limit, &result_, message);
  kind_ = 2;
  Check(message);
}

int TBRegExp::Count() const {
  if (!result_) return 0;
  if (kind_ == 1) return result_->nparens + 1;
  if (kind_ == 2) return result_->splitctr;
  return 0;
}

std::string TBRegExp::Part(int index) const {
  if (index < 0 || index >= Count()) throw EBRegExpError("index out of range");
  const char* start = kind_ == 2 ? result_->splitp[2 * index] : result_->startp[index];
  const char* end = kind_ == 2 ? result_->splitp[2 * index + 1] : result_->endp[index];
  return start && end && end >= start ? std::string(start, end) : std::string();
}

std::string TBRegExp::Joined() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) out += Part(i) + "\r\n";
  return out;
}

}  // namespace pirune
