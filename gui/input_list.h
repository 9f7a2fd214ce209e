// The rows of "項目記入": read from the script's text, written back as its result.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pirune {

struct InputRow {
  std::string key;
  std::string value;
  std::vector<std::string> picks;  // a pick list offered for the value; empty: free text
  bool operator==(const InputRow&) const = default;
};

struct InputList {
  std::string key_title = "項目";
  std::string value_title = "値";
  std::vector<InputRow> rows;
};

// One row per line, cut at its first "=" (the value trimmed); a first line starting
// with ";" retitles the columns instead; a value "?(a|b)c" offers a and b and starts
// as c.
InputList ParseInputList(std::string_view text);

// The rows as "key=value" lines, each closed by CR LF.
std::string InputListResult(const std::vector<InputRow>& rows);

}  // namespace pirune
