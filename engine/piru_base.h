// The interpreter state: one per run, owned by the program entry.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/events.h"
#include "engine/program_text.h"
#include "engine/run_control.h"
#include "engine/run_resource.h"
#include "engine/text_pos.h"
#include "engine/words.h"

namespace pirune {

class Host;

constexpr int kMaxTexts = 50;
constexpr int kMaxRunControlRecords = 65535;
constexpr std::size_t kMaxStackFragments = 5000;

class TPiruBase {
 public:
  TPiruBase();
  ~TPiruBase();

  // The current file name (for messages), kept as a string that lasts the whole run:
  // calls, nested runs and block records save and restore it as a pointer, as they are
  // frequent and file names long and few.
  const std::string& FileName() const { return file_name_ ? *file_name_ : empty_name_; }
  void SetFileName(std::string_view name);
  const std::string* InternedFileName() const { return file_name_; }
  // Puts back a name InternedFileName() gave (null: none).
  void RestoreFileName(const std::string* interned) { file_name_ = interned; }
  std::string Source;
  bool RuntimeMode = false;
  bool EmbeddedMode = false;
  bool DefaultFileMode = false;
  bool DebugMode = false;
  TextPos Cur;
  // Counts the moves of the cursor that commands make (jumps, returns, leaving a loop, an
  // error label): whoever ran a command can tell whether the statement it was reading is
  // over, wherever the cursor went.
  std::uint64_t CursorMoves = 0;
  void MoveCursor(TextPos to) {
    Cur = to;
    ++CursorMoves;
  }
  std::vector<std::unique_ptr<const std::string>> FileNames;  // interned
  const std::string* file_name_ = nullptr;
  const std::string empty_name_;
  std::int32_t Line = 0;
  // Counts line numbers taken, so a cached decoding can tell whether it took one.
  std::uint32_t LineTakes = 0;
  // Counts whole statements run from their kept reading: such a step reads and runs a
  // statement at once and may come back to where it began (a label that calls itself).
  std::uint64_t StatementsReplayed = 0;
  THashPi Words;
  int TextX = 10, TextY = 10;
  // Left, Top, Right, Bottom for the dialogs, set by "ダイアログサイズ設定".
  std::array<std::int64_t, 4> DialogRect{};
  TStack Stack;
  TRunControlStack RunControl;
  std::int32_t CondResult = -1;
  bool Stop = false;
  std::uint8_t BreakRequest = 0;
  bool PositionalArgs = false;
  bool ArgDefaulted = false;
  std::string CaseSubject = "~未定義";
  bool LineStop = false;
  std::int32_t SecurityLevel = -1;
  // The loaded program texts: the main program, then included files.
  std::vector<ProgramText> Texts;
  std::string MainPath, ProgramPath;
  // The evaluated arguments of the latest user function call.
  std::vector<std::string> Arguments;
  std::vector<std::string> SpareArguments;  // room for the next call's list
  std::vector<std::string> SpareFragments;  // room for the next command's arguments

  // The mark of the last value read or computed: "s" text, "e" number.
  std::string LastMark = "s";
  // Most settings of LastMark leave it as it was: compared first, it is rarely written.
  void SetLastMark(std::string_view mark) { AssignMark(LastMark, mark); }

  // Words the engine reaches without a lookup; set by registration.
  THashNode* Sore = nullptr;         // それ
  THashNode* So = nullptr;           // そ
  THashNode* Soshite = nullptr;      // そして
  THashNode* Kaisuu = nullptr;       // 回数
  THashNode* ErrorMessage = nullptr; // エラーメッセージ
  THashNode* ErrorLine = nullptr;    // エラー行
  THashNode* NoExit = nullptr;       // 終了不可能

  // The command whose handler is running; handlers name it in their messages.
  const THashNode* RunningCommand = nullptr;

  // Error handling: show the dialog (true) or ignore errors (false).
  bool WarnOnError = true;
  THashNode* ErrorLabel = nullptr;
  KeptPosition ResumePosition;  // kept after the statement: it holds its text

  // While a statement ended by a line break runs, the cursor stands at the start of the
  // next line; errors raised with the cursor there belong to the line that just ended.
  TextPos LineEndCursor;
  std::int32_t LineEndLine = 0;

  Host* host = nullptr;

  // How deeply evaluation and nested runs are nested just now.
  int Nesting = 0;

  // The statement being read since its first token, while its reading can be kept for
  // the next time (nothing in it depended on more than its own text).
  struct StatementRecording {
    bool active = false;
    bool pure = false;
    TextPos start;
    std::uint32_t line_takes = 0;
    int nesting = 0;
  } Recording;

  // Test mode only: runs a handler before every statement (engine/reentry_probe.h).
  std::function<void()> ReentryProbe;

  // When not 0, the run stops after this many more statements steps (for harnesses that
  // must bound any script's running time).
  std::uint64_t StepBudget = 0;

  // Set when the program has ended (おわり, the error dialog's quit button).
  bool Ended = false;
  int ExitCode = 0;

  // The script timer's label, the end handler (engine/events.h).
  TEventState Events;

  // What command families keep for the rest of the run, by a key of their own; declared
  // last, so it goes first, while the words it may name still exist.
  std::map<std::string, std::unique_ptr<TRunResource>, std::less<>> Resources;

  // Adds a prepared program text and gives its stable address.
  const std::string* AddText(std::string text);
};

}  // namespace pirune
