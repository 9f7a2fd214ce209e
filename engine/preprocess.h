// Preparing a program text before it runs: comments removed, full-width characters
// folded outside quotes, brackets checked, line-number prefixes written; then labels.
#pragma once
#include <string>
#include <string_view>

namespace pirune {

class TPiruBase;

// Raises EPiru for an unbalanced comment brace, quote or here-text.
std::string Preprocess(TPiruBase& state, std::string_view source);

// Adds a label word for every line of the text that begins with "*".
void ScanLabels(TPiruBase& state, const std::string& text, const std::string& file_name);

// Preprocesses the state's Source, stores it as the first loaded text, scans its labels
// and leaves the program position on its first character.
void PrepareMainProgram(TPiruBase& state);

}  // namespace pirune
