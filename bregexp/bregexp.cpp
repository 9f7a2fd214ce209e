// Our regular-expression library, on Oniguruma with its Shift_JIS encoding and Perl
// syntax. Shipped beside the runtime under its own file name, so that a library of
// the standard name that the user installed is found first.
#include "bregexp/bregexp.h"

#include <oniguruma.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bregexp/forms.h"
#include "bregexp/translation.h"

#if defined(_WIN32)
#define BREGEXP_EXPORT extern "C" __declspec(dllexport)
#else
#define BREGEXP_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

// Backtracking allowed for one search: a pattern that backtracks catastrophically ends
// in an error instead of running for ever.
constexpr unsigned long kRetryLimit = 20'000'000;

struct Handle : BREGEXP {
  std::string source;  // the expression the handle was built from
  bregexp::Form form;
  regex_t* regex = nullptr;
  OnigRegion* region = onig_region_new();
  std::vector<char*> starts, ends, pieces;
  std::string out;
  bregexp::Translation translation;

  Handle() : BREGEXP{} {}
  ~Handle() {
    if (regex) onig_free(regex);
    onig_region_free(region, 1);
  }
};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Oniguruma's global tables live as long as this library is loaded: the runtime loads
// and unloads it for every command, so they are freed with it.
struct Engine {
  Engine() {
    OnigEncoding encodings[] = {ONIG_ENCODING_SJIS};
    onig_initialize(encodings, 1);
    onig_set_retry_limit_in_search(kRetryLimit);
  }
  ~Engine() { onig_end(); }
};

void Initialize() { static Engine engine; }

std::string OnigMessage(int code, OnigErrorInfo* info = nullptr) {
  OnigUChar text[ONIG_MAX_ERROR_MESSAGE_LEN];
  if (info) onig_error_code_to_str(text, code, info);
  else onig_error_code_to_str(text, code);
  return reinterpret_cast<char*>(text);
}

OnigOptionType Options(const std::string& letters) {
  OnigOptionType options = ONIG_OPTION_NONE;
  for (char o : letters) {
    if (o == 'i') options |= ONIG_OPTION_IGNORECASE;
    if (o == 'x') options |= ONIG_OPTION_EXTEND;
    if (o == 's') options |= ONIG_OPTION_MULTILINE;  // "." takes line ends too
    if (o == 'm') options |= ONIG_OPTION_NEGATE_SINGLELINE;
  }
  return options;
}

// The handle for this expression: the caller's when it was built from the same text,
// else a new one (the old one freed).
Handle& Prepare(const char* str, BREGEXP** rxp, bool translation) {
  Initialize();
  Handle* handle = static_cast<Handle*>(*rxp);
  if (handle && handle->source == str) return *handle;
  delete handle;
  *rxp = nullptr;
  auto fresh = std::make_unique<Handle>();
  fresh->source = str;
  try {
    fresh->form = bregexp::ReadForm(fresh->source);
  } catch (const std::invalid_argument& e) {
    throw Failure(e.what());
  }
  if ((fresh->form.kind == bregexp::Form::Translate) != translation)
    throw Failure(translation ? "not a translation (tr/.../.../)" : "a translation (tr) cannot be used here");
  if (translation) {
    fresh->translation = bregexp::Translation(fresh->form.pattern, fresh->form.replacement,
                                              fresh->form.options.find('d') != std::string::npos);
  } else {
    const auto* p = reinterpret_cast<const OnigUChar*>(fresh->form.pattern.data());
    OnigErrorInfo info;
    int r = onig_new(&fresh->regex, p, p + fresh->form.pattern.size(), Options(fresh->form.options),
                     ONIG_ENCODING_SJIS, ONIG_SYNTAX_PERL, &info);
    if (r != ONIG_NORMAL) {
      fresh->regex = nullptr;
      throw Failure(OnigMessage(r, &info));
    }
    fresh->nparens = onig_number_of_captures(fresh->regex);
  }
  fresh->parap = fresh->source.data();
  fresh->paraendp = fresh->parap + fresh->source.size();
  *rxp = fresh.release();
  return *static_cast<Handle*>(*rxp);
}

// Searches from `from`; false when nothing more matches.
bool Search(Handle& h, const char* target, const char* end, const char* from) {
  const auto* s = reinterpret_cast<const OnigUChar*>(target);
  const auto* e = reinterpret_cast<const OnigUChar*>(end);
  const auto* f = reinterpret_cast<const OnigUChar*>(from);
  int r = onig_search(h.regex, s, e, f, e, h.region, ONIG_OPTION_NONE);
  if (r == ONIG_MISMATCH) return false;
  if (r < 0) throw Failure(OnigMessage(r));
  return true;
}

// The whole match and the groups of the last search, as positions in the subject.
void KeepGroups(Handle& h, char* target) {
  h.starts.assign(h.nparens + 1, nullptr);
  h.ends.assign(h.nparens + 1, nullptr);
  for (int i = 0; i < std::min(h.region->num_regs, h.nparens + 1); ++i) {
    if (h.region->beg[i] < 0) continue;
    h.starts[i] = target + h.region->beg[i];
    h.ends[i] = target + h.region->end[i];
  }
  h.startp = h.starts.data();
  h.endp = h.ends.data();
}

bool IsLead(char c) {
  unsigned char b = static_cast<unsigned char>(c);
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::size_t CharLength(const char* p, const char* end) { return IsLead(*p) && p + 1 < end ? 2 : 1; }

// The replacement with $&, $0–$9, ${n}, \1–\9 and \n, \t, \r filled in.
void Expand(const Handle& h, const char* target, std::string& out) {
  const std::string& r = h.form.replacement;
  auto group = [&](int n) {
    if (n <= h.nparens && n < h.region->num_regs && h.region->beg[n] >= 0)
      out.append(target + h.region->beg[n], h.region->end[n] - h.region->beg[n]);
  };
  for (std::size_t i = 0; i < r.size();) {
    char c = r[i];
    if (CharLength(&r[i], r.data() + r.size()) == 2) {
      out.append(r, i, 2);
      i += 2;
    } else if (c == '$' && i + 1 < r.size() && r[i + 1] == '&') {
      group(0), i += 2;
    } else if (c == '$' && i + 1 < r.size() && r[i + 1] >= '0' && r[i + 1] <= '9') {
      group(r[i + 1] - '0'), i += 2;
    } else if (c == '$' && i + 1 < r.size() && r[i + 1] == '{' && r.find('}', i) != std::string::npos) {
      std::size_t close = r.find('}', i);
      std::string digits = r.substr(i + 2, close - i - 2);
      if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        throw Failure("bad group in replacement");
      group(std::stoi(digits)), i = close + 1;
    } else if (c == '\\' && i + 1 < r.size()) {
      char e = r[i + 1];
      if (e >= '0' && e <= '9') group(e - '0');
      else if (e == 'n') out += '\n';
      else if (e == 't') out += '\t';
      else if (e == 'r') out += '\r';
      else out += e;
      i += 2;
      if (IsLead(e) && i < r.size()) out += r[i++];
    } else {
      out += c, ++i;
    }
  }
}

int Fail(const std::exception& e, char* msg) {
  std::snprintf(msg, kBRegExpMessageSize, "%s", e.what());
  if (msg[0] == '\0') std::snprintf(msg, kBRegExpMessageSize, "error");
  return -1;
}

}  // namespace

BREGEXP_EXPORT int BMatch(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg) {
  msg[0] = '\0';
  try {
    Handle& h = Prepare(str, rxp, false);
    if (!Search(h, target, targetendp, target)) return 0;
    KeepGroups(h, target);
    return 1;
  } catch (const std::exception& e) {
    return Fail(e, msg);
  }
}

BREGEXP_EXPORT int BSubst(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg) {
  msg[0] = '\0';
  try {
    Handle& h = Prepare(str, rxp, false);
    const bool global = h.form.options.find('g') != std::string::npos;
    h.out.clear();
    int count = 0;
    const char* copied = target;  // the subject up to here is in the new text
    const char* from = target;
    while (from <= targetendp && Search(h, target, targetendp, from)) {
      const char* begin = target + h.region->beg[0];
      const char* end = target + h.region->end[0];
      if (count == 0) KeepGroups(h, target);
      h.out.append(copied, begin);
      Expand(h, target, h.out);
      copied = end;
      ++count;
      if (!global) break;
      if (end == begin) {
        // An empty match: the next search starts one character on.
        if (end == targetendp) break;
        std::size_t n = CharLength(end, targetendp);
        h.out.append(end, n);
        copied = end + n;
      }
      from = copied;
    }
    if (count == 0) return 0;
    h.out.append(copied, static_cast<const char*>(targetendp));
    h.outp = h.out.data();
    h.outendp = h.outp + h.out.size();
    return count;
  } catch (const std::bad_alloc&) {
    return Fail(std::runtime_error("out of memory"), msg);
  } catch (const std::exception& e) {
    return Fail(e, msg);
  }
}

BREGEXP_EXPORT int BTrans(char* str, char* target, char* targetendp, BREGEXP** rxp, char* msg) {
  msg[0] = '\0';
  try {
    Handle& h = Prepare(str, rxp, true);
    int count = h.translation.Apply(target, targetendp, h.out);
    if (count == 0) return 0;
    h.outp = h.out.data();
    h.outendp = h.outp + h.out.size();
    return count;
  } catch (const std::exception& e) {
    return Fail(e, msg);
  }
}

BREGEXP_EXPORT int BSplit(char* str, char* target, char* targetendp, int limit, BREGEXP** rxp, char* msg) {
  msg[0] = '\0';
  try {
    Handle& h = Prepare(str, rxp, false);
    h.pieces.clear();
    if (target < targetendp) {
      char* piece = target;
      char* from = target;
      while ((limit <= 0 || static_cast<int>(h.pieces.size() / 2) + 1 < limit) && from <= targetendp &&
             Search(h, target, targetendp, from)) {
        char* begin = target + h.region->beg[0];
        char* end = target + h.region->end[0];
        if (end == begin && begin == piece) {
          // An empty match where the piece starts splits nothing: one character on.
          if (begin == targetendp) break;
          from = begin + CharLength(begin, targetendp);
          continue;
        }
        h.pieces.push_back(piece);
        h.pieces.push_back(begin);
        piece = from = end;
      }
      h.pieces.push_back(piece);
      h.pieces.push_back(targetendp);
      // Without a limit, empty pieces at the end are dropped.
      while (limit <= 0 && !h.pieces.empty() && h.pieces.back() == h.pieces[h.pieces.size() - 2])
        h.pieces.resize(h.pieces.size() - 2);
    }
    h.splitctr = static_cast<int>(h.pieces.size() / 2);
    h.pieces.push_back(nullptr);
    h.splitp = h.pieces.data();
    return h.splitctr;
  } catch (const std::exception& e) {
    return Fail(e, msg);
  }
}

BREGEXP_EXPORT void BRegfree(BREGEXP* rx) { delete static_cast<Handle*>(rx); }
