#include "engine/conditions.h"

#include <cmath>
#include <optional>
#include <vector>

#include "engine/control_flow.h"
#include "engine/decode_cache.h"
#include "engine/errors.h"
#include "engine/expression.h"
#include "engine/nesting.h"
#include "engine/piru_base.h"
#include "engine/reader.h"
#include "engine/registry.h"
#include "engine/sjis.h"
#include "engine/values.h"

namespace pirune {
namespace {

constexpr std::size_t kMaxConditions = 64;
const char kNoSubject[] = "~未定義";

// Keywords are recognised by their registered (normalised) names at the cursor.
const std::string& KeywordNaraba() { static const std::string k = Normalise("ならば"); return k; }
const std::string& KeywordNara() { static const std::string k = Normalise("なら"); return k; }
const std::string& KeywordChigaeba() { static const std::string k = Normalise("違えば"); return k; }
const std::string& KeywordDenakereba() { static const std::string k = Normalise("でなければ"); return k; }
const std::string& KeywordMoshi() { static const std::string k = Normalise("もし"); return k; }

bool At(const TextPos& c, const std::string& keyword) {
  return std::string_view(*c.text).substr(0, c.end).compare(c.offset, keyword.size(), keyword) == 0;
}

bool AtAnyKeyword(const TextPos& c) {
  return At(c, KeywordNaraba()) || At(c, KeywordNara()) || At(c, KeywordChigaeba()) || At(c, KeywordDenakereba());
}

void SkipLineEnds(TPiruBase& state) {
  TextPos& c = state.Cur;
  SkipBlanks(c);
  while (c.At() == '\r' || c.At() == '\n') {
    TakeLineNumber(state, c);
    SkipBlanks(c);
  }
}

// The condition text from the cursor up to its keyword; the cursor stays on the keyword.
std::string ReadConditionText(TPiruBase& state) {
  TextPos& c = state.Cur;
  SkipBlanks(c);
  std::size_t start = c.offset;
  while (true) {
    if (c.AtEnd() || c.At() == 0) RaiseScriptError(state, "条件分岐の終端文字を認識できませんでした。");
    if (AtAnyKeyword(c)) return c.text->substr(start, c.offset - start);
    if (c.At() == '\r' || c.At() == '\n') {
      std::string text = c.text->substr(start, c.offset - start);
      TakeLineNumber(state, c);
      SkipBlanks(c);
      if (!AtAnyKeyword(c)) RaiseScriptError(state, "条件分岐の終端文字を認識できませんでした。");
      return text;
    }
    if (AtLiteral(c))
      ReadLiteral(state, c);
    else
      StepChar(c);
  }
}

bool IsChunkBlank(unsigned char b) { return b == '\t' || b == ' ' || b == ',' || b == 0xA4; }

std::vector<std::string> Chunks(TPiruBase& state, const std::string& text) {
  std::vector<std::string> chunks;
  TextPos c{&text, 0};
  while (true) {
    while (!c.AtEnd() && IsChunkBlank(c.At())) ++c.offset;
    if (c.AtEnd()) break;
    std::size_t start = c.offset;
    while (!c.AtEnd() && c.At() != ' ' && c.At() != ',' && c.At() != 0xA4) {
      if (AtLiteral(c)) {
        try {
          ReadLiteral(state, c);
        } catch (const Exception& e) {
          RaiseScriptError(state, "条件分岐で文字列の取得に失敗。" + e.Message());
        }
      } else if (c.At() == '(') {
        try {
          ReadBracket(state, c);
        } catch (const Exception& e) {
          RaiseScriptError(state, "条件分岐で括弧の取得に失敗。" + e.Message());
        }
      } else {
        StepChar(c);
      }
    }
    chunks.push_back(text.substr(start, c.offset - start));
  }
  return chunks;
}

bool StartsWith(const std::string& s, const std::string& head) { return s.compare(0, head.size(), head) == 0; }

std::string WithoutEnding(const std::string& s, const char* ending) {
  std::string e = ending;
  return s.substr(0, s.size() - e.size());
}

// Where a chunk holds "が" between two operands (outside literals and brackets).
std::size_t SubjectMarker(const std::string& chunk) {
  TextPos c{&chunk, 0};
  static const std::string ga = "が";
  while (!c.AtEnd()) {
    if (AtLiteral(c) || c.At() == '(') return std::string::npos;
    if (chunk.compare(c.offset, ga.size(), ga) == 0) return c.offset;
    StepChar(c);
  }
  return std::string::npos;
}

std::string Compare(const std::string& left, const std::string& partner) {
  if (EndsWithChar(partner, "以上")) return left + ">=" + WithoutEnding(partner, "以上");
  if (EndsWithChar(partner, "以下")) return left + "<=" + WithoutEnding(partner, "以下");
  std::string right = partner;
  static const std::string equal = "と等しい";
  if (right.size() >= equal.size() && right.compare(right.size() - equal.size(), equal.size(), equal) == 0)
    right.resize(right.size() - equal.size());
  return left + "=" + right;
}

// Condition phrases ("Aが1以上 かつ Bが2") as an expression ("A>=1 && B=2").
std::string ConditionExpression(TPiruBase& state, const std::string& text) {
  std::vector<std::string> chunks = Chunks(state, text);
  std::string out;
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    const std::string& chunk = chunks[i];
    if (StartsWith(chunk, "かつ")) {
      out += " && " + chunk.substr(std::string("かつ").size());
    } else if (StartsWith(chunk, "または")) {
      out += " || " + chunk.substr(std::string("または").size());
    } else if (EndsWithChar(chunk, "が") && i + 1 < chunks.size()) {
      out += Compare(WithoutEnding(chunk, "が"), chunks[++i]);
    } else if (std::size_t ga = SubjectMarker(chunk); ga != std::string::npos && ga > 0 && ga + 2 < chunk.size()) {
      out += Compare(chunk.substr(0, ga), chunk.substr(ga + 2));
    } else {
      out += chunk;
    }
  }
  return out;
}

struct Condition {
  std::string expression;
  std::shared_ptr<const CompiledExpression> compiled;  // null: read it the ordinary way
  std::optional<Block> true_block;
  std::optional<Block> false_block;
  bool negated = false;  // introduced by "でなければ": the block runs when the condition fails
};

void EnterChosen(TPiruBase& state, const std::optional<Block>& block, std::uint8_t kind) {
  if (block) EnterBlock(state, kind, *block);
  state.CondResult = -1;
}

void ConsumeKeyword(TPiruBase& state) {
  ReadWord(state.Cur);
  SkipBlanks(state.Cur);
}

// A "もし" chain decodes the same way every time it is read; its decoding is kept,
// keyed by where the chain starts.
struct DecodedChain {
  std::vector<Condition> chain;
  bool took_line = false;
  std::int32_t line_after = 0;
};

// At namespace scope: looked up all the time, it needs no guard of its first use.
DecodeCache<std::shared_ptr<const DecodedChain>> kept_chaincache;
DecodeCache<std::shared_ptr<const DecodedChain>>& ChainCache() { return kept_chaincache; }

std::vector<Condition> ReadChain(TPiruBase& state) {
  TextPos& c = state.Cur;
  std::vector<Condition> chain;
  while (true) {
    Condition cond;
    cond.expression = ConditionExpression(state, ReadConditionText(state));
    bool had_block = false;
    if (At(c, KeywordNaraba()) || At(c, KeywordNara())) {
      ConsumeKeyword(state);
      cond.true_block = ReadBlock(state);
      had_block = true;
    } else if (At(c, KeywordDenakereba())) {
      ConsumeKeyword(state);
      cond.true_block = ReadBlock(state);
      cond.negated = true;
      had_block = true;
    }
    if (had_block) {
      if (c.At() == ';') ++c.offset;
      SkipLineEnds(state);
    }
    chain.push_back(std::move(cond));
    if (!At(c, KeywordChigaeba()) && !At(c, KeywordDenakereba())) return chain;
    ReadWord(c);
    SkipLineEnds(state);
    if (At(c, KeywordMoshi())) {
      c.offset += KeywordMoshi().size();
      SkipBlanks(c);
      if (chain.size() >= kMaxConditions) throw Exception("もしの条件が長すぎます。");
      continue;
    }
    chain.back().false_block = ReadBlock(state);
    return chain;
  }
}

void Decide(TPiruBase& state, const std::vector<Condition>& chain) {
  for (const auto& cond : chain) {
    bool holds;
    if (!cond.compiled || !ConditionHolds(state, *cond.compiled, holds)) {
      std::string v = EvaluateExpression(state, cond.expression);
      holds = ValueHolds(state, v);
    }
    if (state.Cur.None()) return;  // the program ended while the condition was evaluated
    state.CondResult = holds ? 1 : 0;
    if (holds != cond.negated) {
      EnterChosen(state, cond.true_block, kIfTrue);
      return;
    }
  }
  EnterChosen(state, chain.back().false_block, kIfFalse);
}

void If(TCommand& command) {
  TPiruBase& state = command.Interpreter();
  TextPos start = state.Cur;
  std::size_t end = 0;
  if (state.Stack.Count() == 0 && ShortcutsHere(state)) {
    if (const auto* d = ChainCache().Find(start, end)) {
      std::shared_ptr<const DecodedChain> decoded = *d;  // deciding runs code, which may evict it
      state.Cur.offset = end;
      if (decoded->took_line) state.Line = decoded->line_after;
      Decide(state, decoded->chain);
      return;
    }
  }
  bool cacheable = state.Stack.Count() == 0;
  std::uint32_t takes = state.LineTakes;
  auto decoded = std::make_shared<DecodedChain>(DecodedChain{ReadChain(state), false, 0});
  if (cacheable && state.Cur.SameWalk(start)) {
    decoded->took_line = state.LineTakes != takes;
    decoded->line_after = state.Line;
    for (auto& cond : decoded->chain) cond.compiled = CompileExpression(state, cond.expression);
    ChainCache().Store(start, state.Cur.offset, decoded);
  }
  Decide(state, decoded->chain);
}

void CaseSubject(TCommand& c) { c.Interpreter().CaseSubject = c.Text(0); }

void Keyword(TCommand&) {}

}  // namespace

void ShortCondition(TPiruBase& state) {
  TextPos& c = state.Cur;
  if (state.Stack.Count() == 0) RaiseScriptError(state, "\"?\"は、文法が正しくないため、実行できません。");
  std::string f = state.Stack.Pop();
  std::string value;
  if (ReferenceValue(state, f, value)) f = value;
  bool holds = TruncatesToNonZero(StrToValue(EvaluateExpression(state, f)));
  if (c.None()) return;
  state.CondResult = holds ? 1 : 0;
  if (c.At() == '\r' || c.At() == '\n') TakeLineNumber(state, c);
  SkipBlanks(c);
  std::optional<Block> true_block, false_block;
  if (At(c, KeywordNaraba()) || At(c, KeywordNara())) {
    ConsumeKeyword(state);
    true_block = ReadBlock(state);
  } else if (!At(c, KeywordChigaeba()) && !At(c, KeywordDenakereba())) {
    true_block = ReadBlock(state);
  }
  if (c.At() == ';') ++c.offset;
  SkipLineEnds(state);
  if (At(c, KeywordChigaeba()) || At(c, KeywordDenakereba())) {
    ReadWord(c);
    SkipLineEnds(state);
    if (At(c, KeywordMoshi())) RaiseScriptError(state, KeywordMoshi() + "を多重構造にするときは、()で範囲を括ってください。");
    false_block = ReadBlock(state);
  }
  if (state.CondResult == 1)
    EnterChosen(state, true_block, kIfTrue);
  else
    EnterChosen(state, false_block, kIfFalse);
}

void CaseLabel(TPiruBase& state, const std::string& label) {
  Block block = ReadBlock(state);
  if (state.CaseSubject == kNoSubject) return;
  bool matches;
  if (label == "その他") {
    matches = true;
  } else if (EndsWithChar(label, "以上")) {
    std::string bound = ArgumentValue(state, WithoutEnding(label, "以上"));
    matches = StrToValue(state.CaseSubject) >= StrToValue(bound);
  } else if (EndsWithChar(label, "以下")) {
    std::string bound = ArgumentValue(state, WithoutEnding(label, "以下"));
    matches = StrToValue(state.CaseSubject) <= StrToValue(bound);
  } else {
    matches = ArgumentValue(state, label) == state.CaseSubject;
  }
  if (!matches) return;
  state.CaseSubject = kNoSubject;
  EnterBlock(state, kCase, block);
}

std::span<const CommandBinding> ConditionCommands() {
  static const CommandBinding commands[] = {
      {"もし", If}, {"ならば", Keyword}, {"違えば", Keyword}, {"なら", Keyword}, {"条件分岐", CaseSubject},
  };
  return commands;
}

}  // namespace pirune
