// The lexical readers. Each takes a cursor into a text and moves it past what it read.
#pragma once
#include <cstddef>
#include <string>

#include "engine/text_pos.h"

namespace pirune {

class TPiruBase;

bool IsWordDelimiter(unsigned char c);
bool IsOperatorChar(unsigned char c);
inline bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Steps over one character (two bytes for a double-byte one).
void StepChar(TextPos& c);

// Tab, space, "," and the half-width ideographic comma. (Here, to be inlined: every
// statement begins with it.)
inline void SkipBlanks(TextPos& c) {
  if (!c.text) return;
  const char* t = c.text->data();
  std::size_t size = c.end, i = c.offset;
  while (i < size) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    if (b != '\t' && b != ' ' && b != ',' && b != 0xA4) break;
    ++i;
  }
  c.offset = i;
}
// Tabs and spaces only.
void SkipSpaces(TextPos& c);

std::string ReadWord(TextPos& c);
std::string ReadNumber(TextPos& c);

// A text literal at the cursor ("...", `...` or @@x...x) with its delimiters; empty when
// none starts there. `limit` bounds its length in bytes.
std::string ReadLiteral(TPiruBase& state, TextPos& c, std::size_t limit = std::string::npos);
bool AtLiteral(const TextPos& c);

// The text between "(" and its matching ")"; the cursor ends behind the ")".
std::string ReadBracket(TPiruBase& state, TextPos& c);

void SkipToLineEnd(TextPos& c);

// At a line end: steps over it and the next line's number prefix, taking that number.
void TakeLineNumber(TPiruBase& state, TextPos& c);

}  // namespace pirune
