// Fuzz target: any bytes as a script are prepared and run twice, once with the run's
// shortcuts (decode caches, quick readings of numbers) and once without them. A script
// error is fine; a crash, a hang, a bad memory access or two runs that disagree is not.
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include "engine/errors.h"
#include "engine/fast_paths.h"
#include "engine/piru_base.h"
#include "engine/preprocess.h"
#include "engine/registry.h"
#include "engine/script_file.h"
#include "engine/statement.h"
#include "gui/host.h"
#include "platform/clipboard.h"
#include "library/clock.h"
#include "library/csv_db.h"
#include "library/csv_query.h"
#include "library/csv_sort.h"
#include "library/date_time.h"
#include "library/file_writer.h"
#include "library/files/file_names.h"
#include "library/ini_file.h"
#include "library/japanese/base64.h"
#include "library/japanese/encodings.h"
#include "library/japanese/width_case.h"
#include "library/math/decimal_places.h"
#include "library/patterns/wildcard.h"
#include "library/random.h"
#include "library/strings/text_model.h"
#include "platform/cp932.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/shared_memory.h"

namespace {

constexpr std::uint64_t kStepBudget = 20000;  // loops may be written to run for ever
constexpr int kDialogsContinued = 8;

// Writes down, in order, everything the script shows. The shortcuts save steps and
// allocations, so the budget may run out at different points of the two runs: what a run
// does after that (it only unwinds) is left out.
class RecordingHost : public pirune::Host {
 public:
  explicit RecordingHost(const pirune::TPiruBase& state) : state_(state) {}

  void Say(const std::string& text) override { Note("say", text); }
  void ShowText(const std::string& text, int x, int& y) override {
    Note("text at " + std::to_string(x) + "," + std::to_string(y), text);
  }
  void ShowMessage(const std::string& text, const std::string& caption) override { Note("message " + caption, text); }
  void Warn(const std::string& text) override { Note("warning", text); }
  pirune::ErrorChoice ShowErrorDialog(const std::string& log, bool debug_button) override {
    Note(debug_button ? "error dialog with debugging" : "error dialog", log);
    // Going on after an error reaches more of the language than ending the run, but every
    // dialog shows the whole log: a script failing at every step would take quadratic time.
    return ++dialogs_ <= kDialogsContinued ? pirune::ErrorChoice::Continue : pirune::ErrorChoice::Quit;
  }
  int SelectButton(const std::string& message, const std::vector<std::string>& choices) override {
    std::string offered = message;
    for (const std::string& choice : choices) offered += "|" + choice;
    Note("buttons", offered);
    return choices.empty() ? -1 : 0;
  }
  void SetDialogLook(const pirune::DialogLook&) override {}
  std::optional<std::string> AskText(const std::string& message, const std::string& initial) override {
    Note("ask", message + "|" + initial);
    return std::nullopt;
  }
  int AskYesNo(const std::string& question, bool with_cancel) override {
    Note(with_cancel ? "yes/no/cancel" : "yes/no", question);
    return 1;
  }
  std::optional<std::string> SelectFromList(const std::string& message, const std::vector<std::string>& items,
                                            const std::string&, bool) override {
    Note("list", message);
    if (items.empty()) return std::nullopt;
    return items[0];
  }
  std::optional<std::string> EditMemo(const std::string& text) override {
    Note("memo", text);
    return text;
  }
  bool EditInputList(pirune::InputList& list) override {
    Note("items", std::to_string(list.rows.size()));
    return true;
  }
  std::optional<std::uint32_t> ChooseColour() override { return 0x123456; }
  std::optional<std::string> ChooseTextFont() override { return std::nullopt; }
  std::optional<std::string> ChooseFile(bool save, const std::string& filter, const std::string&) override {
    Note(save ? "save file" : "open file", filter);
    return std::nullopt;
  }
  std::optional<std::string> ChooseFolder(const std::string& root, bool) override {
    Note("folder", root);
    return std::nullopt;
  }
  bool PrinterSetup() override { return false; }
  WindowPlacement MainWindowPlacement() override { return placement_; }
  void PlaceMainWindow(const WindowPlacement& placement) override { placement_ = placement; }
  void ShowMainWindow() override { Note("main window shown", ""); }
  void CloseMainWindow() override { Note("main window closed", ""); }
  void ProcessMessages() override {}

  const std::string& Transcript() const { return transcript_; }

 private:
  void Note(const std::string& what, const std::string& text) {
    if (state_.StepBudget == 0) return;
    transcript_ += what;
    transcript_ += ": ";
    transcript_ += text;
    transcript_ += '\n';
  }

  const pirune::TPiruBase& state_;
  std::string transcript_;
  int dialogs_ = 0;
  WindowPlacement placement_;
};

// Texts may double in a loop until memory runs out, which the runtime reports as the
// script's own error. The sanitizer's allocator would end the whole fuzzing run instead of
// throwing, so the target allocates through malloc, failing past a bound the way a full
// memory fails; the sanitizer still watches every block.
constexpr std::size_t kLargestAllocation = std::size_t{4} << 20;

// A few steps can copy long texts many times over (an error label whose message quotes
// the last message grows it at every round), so the work of a run is bounded too: past
// this many bytes allocated, the run ends at its next step as when its steps run out.
constexpr std::uint64_t kAllocationBudget = std::uint64_t{16} << 20;
pirune::TPiruBase* running = nullptr;
std::uint64_t allocated = 0;

void* Allocate(std::size_t size) noexcept {
  if (running) {  // the fuzzer's own tables are none of the script's business
    if (size > kLargestAllocation) return nullptr;
    allocated += size;
    if (allocated > kAllocationBudget && running->StepBudget > 1) running->StepBudget = 1;
  }
  return std::malloc(size ? size : 1);
}

struct Outcome {
  std::string transcript;
  std::string log;  // compared only when neither run was cut short: a cut run logs on as it unwinds
  int exit_code = 0;
  bool cut_short = false;  // the budget of steps or allocations ran out
};

// The folder the runs take turns in, made once: both runs of an input find the same
// paths, which messages name, so only what the script does tells them apart.
const std::filesystem::path& RunsFolder() {
  static const struct Folder {
    std::filesystem::path path;
    Folder() {
      std::string pattern = (std::filesystem::temp_directory_path() / "pirune-fuzz-XXXXXX").string();
      if (mkdtemp(pattern.data())) path = pattern;
    }
    ~Folder() {
      std::error_code ignored;
      if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
  } folder;
  return folder.path;
}

// Each run starts in an empty folder: what one run writes there (a settings file, a
// table) must not be what the other run finds. It lies one level down, so that what a
// script writes beside its folder ("..\\x") is emptied away with it too.
class FreshFolder {
 public:
  FreshFolder() : previous_(std::filesystem::current_path()), folder_(RunsFolder()) {
    std::error_code failed;
    if (!folder_.empty() && std::filesystem::create_directory(folder_ / "run", failed))
      std::filesystem::current_path(folder_ / "run");
  }
  ~FreshFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    if (folder_.empty()) return;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored))
      std::filesystem::remove_all(entry.path(), ignored);
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};

Outcome Run(const std::string& script, bool fast_paths) {
  FreshFolder folder;
  // The console's clipboard and the shared blocks last as long as the process: each run
  // starts with the clipboard empty and none of the blocks the other run made.
  pirune::platform::SetClipboardText({});
  pirune::platform::ReleaseOwnSharedBlocks();
  pirune::SetFastPaths(fast_paths);
  // Both runs must draw the same numbers and read the same time.
  pirune::RunRandom().Seed(1);
  pirune::StopClock({2003, 12, 29, 10, 20, 30, 0}, 123456);
  pirune::TPiruBase state;
  RecordingHost host(state);
  state.host = &host;
  state.SetFileName("fuzz.prw");
  state.StepBudget = kStepBudget;
  state.Source = script;
  pirune::ErrorLog().clear();
  running = &state;
  allocated = 0;
  bool prepared = true;
  try {
    pirune::RegisterAll(state);
    pirune::PrepareMainProgram(state);
  } catch (const pirune::Exception&) {
    prepared = false;  // the start reports it and ends
  }
  if (prepared) pirune::RunLoop(state);
  running = nullptr;
  Outcome outcome;
  outcome.transcript = host.Transcript();
  outcome.log = std::string(std::string_view(pirune::ErrorLog()));
  outcome.exit_code = state.ExitCode;
  outcome.cut_short = state.StepBudget == 0;
  return outcome;
}

bool StartsWith(const std::string& text, const std::string& start) {
  return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

// A run cut short by the budget showed the beginning of what the other run showed.
bool Begins(const Outcome& whole, const Outcome& part) { return StartsWith(whole.transcript, part.transcript); }

bool Agree(const Outcome& a, const Outcome& b) {
  if (!a.cut_short && !b.cut_short)
    return a.transcript == b.transcript && a.log == b.log && a.exit_code == b.exit_code;
  if (!b.cut_short) return Begins(b, a);
  if (!a.cut_short) return Begins(a, b);
  return Begins(a, b) || Begins(b, a);
}

void Print(const char* title, const Outcome& outcome) {
  std::fprintf(stderr, "--- %s%s, exit code %d\n", title, outcome.cut_short ? " (budget ran out)" : "",
               outcome.exit_code);
  std::fputs("shown:\n", stderr);
  std::fwrite(outcome.transcript.data(), 1, outcome.transcript.size(), stderr);
  std::fputs("error log:\n", stderr);
  std::fwrite(outcome.log.data(), 1, outcome.log.size(), stderr);
  std::fputs("\n", stderr);
}

[[noreturn]] void Broken(const char* what, const std::string& input) {
  std::fprintf(stderr, "%s (input in Shift_JIS):\n", what);
  std::fwrite(input.data(), 1, input.size(), stderr);
  std::fputs("\n", stderr);
  std::abort();
}

// The readers of dates, times and offsets and the decimal rounding take the input itself:
// they must fail cleanly or give what reads back the same.
void CheckReaders(const std::string& input) {
  if (std::optional<pirune::TDateTime> t = pirune::ReadDateTime(input, 2003)) {
    std::string written = pirune::WriteDate(*t) + " " + pirune::WriteTime(*t);
    if (pirune::ReadDateTime(written, 2003) != *t) Broken("a date-time read does not read back as written", input);
    for (char separator : {':', '/'}) {
      try {
        pirune::TOffset offset = pirune::ReadOffset(input.substr(input.size() / 2), separator);
        pirune::TDateTime moved = separator == ':' ? pirune::AddTime(*t, offset) : pirune::AddDate(*t, offset);
        if (pirune::ReadDateTime(pirune::WriteDate(moved), 2003) != moved - pirune::TimeOfDay(moved))
          Broken("a date reached by an offset does not read back", input);
      } catch (const pirune::Exception&) {
      }
    }
  }
  pirune::Number a = pirune::StrToValue(input);
  std::int64_t places = static_cast<std::int64_t>(input.size() % 64) - 20;
  for (pirune::TPlaces how : {pirune::TPlaces::Truncate, pirune::TPlaces::HalfEven}) {
    pirune::Number r = pirune::ToDecimalPlaces(a, places, how);
    if (!std::isfinite(r) || std::fabs(r) > std::fabs(a) * 2 + 1) Broken("decimal places gave no sound number", input);
  }
}

// The character walk and the searches aligned on it: every position they give starts a
// character, and a needle taken from the text is found at or before where it was taken.
void CheckCharacterWalk(const std::string& input) {
  std::string_view text = pirune::text::Characters(input);
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += pirune::CharLength(text, i)) ++count;
  if (pirune::text::CharCount(input) != count) Broken("the character count differs from a walk", input);
  for (std::size_t n : {std::size_t{0}, count / 2, count}) {
    std::size_t at = pirune::text::CharOffset(text, n);
    // (The end follows a last character even when that is a lone lead byte.)
    if (at > text.size() || (at < text.size() && !pirune::IsCharBoundary(text, at)))
      Broken("a character offset starts no character", input);
  }
  std::size_t from = pirune::text::CharOffset(text, count / 3);
  std::string needle(text.substr(from, pirune::text::CharOffset(text, count / 3 + 2) - from));
  std::size_t found = pirune::text::FindAligned(input, needle);
  if (!needle.empty() && (found == pirune::text::npos || found > from || !pirune::IsCharBoundary(input, found) ||
                          input.compare(found, needle.size(), needle) != 0))
    Broken("an aligned search missed a needle taken from the text", input);
}

// The input's characters that EUC-JP (and, without half-width katakana, ISO-2022-JP)
// hold: printable ASCII, line ends and tabs, and two-byte codes in the rows of JIS X 0208.
std::string Convertible(const std::string& s, bool kana) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if ((b >= 0x20 && b < 0x7F) || b == '\r' || b == '\n' || b == '\t') {
      out += s[i];
    } else if (b >= 0xA1 && b <= 0xDF) {
      if (kana) out += s[i];
    } else if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF)) && i + 1 < s.size()) {
      unsigned char trail = static_cast<unsigned char>(s[++i]);
      if (trail >= 0x40 && trail <= 0xFC && trail != 0x7F) out.append(s, i - 1, 2);
    }
  }
  return out;
}

// The converters: what EUC-JP and ISO-2022-JP hold comes back unchanged, a round trip
// through UTF-8 settles after one turn, Base64 gives back every byte and half width is
// stable; anything else may come back changed, but never past the input's end.
void CheckConverters(const std::string& input) {
  using namespace pirune::japanese;
  if (pirune::Base64Decode(pirune::Base64Encode(input)) != input) Broken("Base64 does not give back its bytes", input);
  for (Encoding other : {kEuc, kJis}) {
    ConvertEncoding(ConvertEncoding(input, kSjis, other), other, kSjis);
    std::string text = Convertible(input, other == kEuc);
    if (ConvertEncoding(ConvertEncoding(text, kSjis, other), other, kSjis) != text)
      Broken("Shift_JIS does not come back from EUC-JP or ISO-2022-JP", input);
  }
  std::string utf8 = pirune::cp932::ToUtf8(input);
  if (std::optional<std::string> sjis = pirune::cp932::FromUtf8(utf8)) {
    if (pirune::cp932::ToUtf8(*sjis) != utf8) Broken("a UTF-8 round trip does not settle", input);
  }
  std::string half = HalfWidth(input);
  if (HalfWidth(half) != half) Broken("half width is not stable", input);
  FullWidth(input), UpperCase(input), LowerCase(input), Hiragana(input), Katakana(input);
  DetectEncoding(input);
}

// The wildcard engine on the input cut in two, pattern and text, with a small budget: the
// two entry points agree, a prefix match splits the text, and a text written as a pattern
// with its special characters escaped matches itself.
void CheckWildcards(const std::string& input) {
  constexpr std::int64_t kBudget = 100000;
  std::string pattern = input.substr(0, input.size() / 3), text = input.substr(input.size() / 3);
  try {
    pirune::wildcard::PrefixMatch m = pirune::wildcard::MatchPrefix(pattern, text, kBudget);
    if (m.success && m.matched + m.rest != pirune::text::Characters(text))
      Broken("a prefix match lost part of the text", input);
    bool whole = pirune::wildcard::MatchesWhole(pattern, text, kBudget);
    if (whole && !(m.success && m.rest.empty())) Broken("a whole match is no prefix match", input);
  } catch (const pirune::Exception&) {
  }
  std::string_view chars = pirune::text::Characters(text);
  std::string escaped;
  for (std::size_t i = 0; i < chars.size(); i += pirune::CharLength(chars, i)) {
    if (pirune::CharLength(chars, i) == 1 && std::string_view("#()*?[\\").find(chars[i]) != std::string_view::npos)
      escaped += '\\';
    escaped.append(chars.substr(i, pirune::CharLength(chars, i)));
  }
  if (!pirune::wildcard::MatchesWhole(escaped, text, kBudget)) Broken("an escaped text does not match itself", input);
}

// Tables: a CSV table written and read again writes itself and keeps every cell; a
// tab-separated one the same; the input cut in two as a table and a query evaluates or
// fails with a reason; a sort keeps the rows and orders them.
void CheckTables(const std::string& input) {
  pirune::TCsvDb db;
  db.ReadCsv(input);
  const std::string written = db.WriteCsv();
  pirune::TCsvDb again;
  again.ReadCsv(written);
  if (again.WriteCsv() != written) Broken("a written table does not write itself again", input);
  for (std::size_t r = 0; r < db.RowCount(); ++r)
    for (std::size_t c = 0; c < db.Rows[r]->size(); ++c)
      if (again.Cell(c, r) != db.Cell(c, r)) Broken("a cell changed through writing and reading", input);
  pirune::TCsvDb tabs;
  tabs.ReadTsv(input);
  const std::string tab_text = tabs.WriteTsv();
  tabs.ReadTsv(tab_text);
  if (tabs.WriteTsv() != tab_text) Broken("a tab-separated table does not write itself again", input);

  const std::size_t rows = db.RowCount();
  pirune::SortTable(db, 0, pirune::TCsvSortKind::Bytes, 2026);
  if (db.RowCount() > rows) Broken("a sort made rows", input);
  for (std::size_t r = 1; r < db.RowCount(); ++r)
    if (db.Cell(0, r) < db.Cell(0, r - 1)) Broken("a sorted table is out of order", input);

  pirune::TCsvDb table;
  table.ReadCsv(input.substr(0, input.size() / 2));
  table.Header = true;
  try {
    std::vector<std::uint8_t> keep = pirune::EvaluateQuery(table, pirune::PrepareQuery(input.substr(input.size() / 2)), 2026);
    if (keep.size() != table.RowCount() || (!keep.empty() && !keep[0])) Broken("a query lost rows or the header", input);
  } catch (const pirune::TCsvQueryError&) {
  }
}

// ASCII letters folded, every byte alike: names the settings reader takes for the same
// are the same here too (it may tell more apart, never fewer).
bool SameFolded(std::string_view a, std::string_view b) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!a.empty() && blank(a.front())) a.remove_prefix(1);
  while (!a.empty() && blank(a.back())) a.remove_suffix(1);
  while (!b.empty() && blank(b.front())) b.remove_prefix(1);
  while (!b.empty() && blank(b.back())) b.remove_suffix(1);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// What the settings reader gives for a value written: its blanks trimmed and one pair of
// enclosing quotes removed.
std::string AsRead(std::string_view value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// Settings files: the input's last three lines are a section, a key and a value, the
// rest the file's text. A write that is taken reads back as written and leaves every
// other key (any name the text holds before a "=", in any section it names) reading as
// before; through a file, the file then holds what the text-level write gives.
void CheckIniFiles(const std::string& input) {
  std::string_view rest(input);
  std::string_view parts[3] = {"s", "k", "v"};
  for (int i = 2; i >= 0; --i) {
    const std::size_t lf = rest.rfind('\n');
    if (lf == std::string_view::npos) break;
    parts[i] = rest.substr(lf + 1);
    rest = rest.substr(0, lf);
  }
  const auto [section, key, value] = parts;
  const std::string_view text = rest;

  std::vector<std::string_view> sections = {"", section}, keys = {key};
  for (std::size_t at = 0; at < text.size() && sections.size() < 10 && keys.size() < 20;) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(at, end - at);
    if (const std::size_t open = line.find('['); open != std::string_view::npos)
      sections.push_back(line.substr(open + 1, line.find(']', open) - open - 1));
    if (const std::size_t equals = line.find('='); equals != std::string_view::npos) keys.push_back(line.substr(0, equals));
    at = end + 1;
  }

  const std::optional<std::string> written = pirune::ini::WithValue(text, section, key, value);
  for (std::string_view s : sections)
    for (std::string_view k : keys) {
      const std::optional<std::string> before = pirune::ini::Lookup(text, s, k);
      if (!written) continue;
      const std::optional<std::string> after = pirune::ini::Lookup(*written, s, k);
      if (SameFolded(s, section) && SameFolded(k, key)) {
        if (s == section && k == key && after != AsRead(value)) Broken("a settings value does not read back", input);
      } else if (after != before) {
        Broken("a settings write changed another key", input);
      }
    }
  if (!written) return;

  FreshFolder folder;
  const std::string path = "fuzz.ini";
  if (!pirune::WriteFileSafely(path, text)) return;
  if (!pirune::ini::WriteValue(path, section, key, value)) Broken("a settings file refused a write its text took", input);
  if (pirune::platform::ReadFileBytes(path) != *written) Broken("a settings file differs from its text's write", input);
  if (pirune::ini::ReadValue(path, section, key) != AsRead(value)) Broken("a settings file does not read back", input);
}

// File names, with "\" alone and with "/" too: folder and name make the path again, a
// name holds no separator, an extension ends the name, joining puts a name where it is
// taken back from, and expanding a relative path is bounded by its parts. A path that
// ends in a lone lead byte takes what is put behind it (a "." or a separator) as its
// second byte, as the system would read it; there only nothing may be lost.
void CheckPath(const std::string& path, const std::string& input, bool slash) {
  using namespace pirune::files;
  const bool whole = pirune::IsCharBoundary(path, path.size());
  const std::string folder = FolderOf(path, slash), name = NameOf(path, slash), extension = ExtensionOf(path, slash);
  if (folder + name != path) Broken("a path's folder and name do not make it again", input);
  if (NameStart(name, slash) != 0) Broken("a file name holds a separator", input);
  if (!name.ends_with(extension) || (!extension.empty() && extension[0] != '.'))
    Broken("an extension is not the end of the name", input);
  if (WithExtension(path, extension, slash) != path) Broken("putting back the extension changed the path", input);
  if (whole && ExtensionOf(WithExtension(path, ".ext", slash), slash) != ".ext")
    Broken("a new extension is not read back", input);
  if (Join(folder, name, slash) != path) Broken("joining a path's folder and name changed it", input);
  const std::string joined = Join(path, "name.txt", slash);
  if (!joined.starts_with(path) || !joined.ends_with("name.txt")) Broken("a joined path lost a part", input);
  if (whole && NameOf(joined, slash) != "name.txt") Broken("a joined name is not taken back", input);
  const std::string expanded = ExpandRelative(name, path, slash);
  if (expanded.size() > path.size() + name.size() + 2) Broken("an expanded path grew", input);
  IsAbsolute(path, slash), SeparatorOf(path, slash);
}

// The input as a path and with a lone lead byte behind it, both ways; repeated to about
// 100 KB, the way of this system only (which is what a script's long path meets).
void CheckFileNames(const std::string& input) {
  std::string long_path;
  while (!input.empty() && long_path.size() < 100 * 1024) long_path += input + "\\";
  for (const std::string& path : {input, input + "\x81", long_path}) {
    for (bool slash : {false, true})
      if (path != long_path || slash == pirune::files::SlashSeparates()) CheckPath(path, input, slash);
    pirune::platform::Status(path);
    pirune::platform::ResolvedPath(path);
    pirune::platform::ReadFileBytes(path);
  }
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* block = Allocate(size)) return block;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }

// A fuzzing process that stops at a finding leaves the shared blocks of its last run
// behind, and POSIX blocks outlive it: this process names its own blocks apart, so that
// a block an earlier process left can never be what one run finds and the other not.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  pirune::platform::SetSharedBlockSpace("pirune-fuzz-" + std::to_string(getpid()) + "-");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  CheckReaders(input);
  CheckCharacterWalk(input);
  CheckConverters(input);
  CheckWildcards(input);
  CheckTables(input);
  CheckIniFiles(input);
  CheckFileNames(input);
  // Every program text the runtime makes has its lines joined so, whatever ended them.
  std::string script = pirune::JoinLines(input);
  Outcome fast = Run(script, true);
  Outcome general = Run(script, false);
  pirune::SetFastPaths(true);
  if (!Agree(fast, general)) {
    std::fprintf(stderr, "The run with the shortcuts and the run without them disagree (texts in Shift_JIS).\n");
    Print("with the shortcuts", fast);
    Print("without them", general);
    std::abort();
  }
  return 0;
}
