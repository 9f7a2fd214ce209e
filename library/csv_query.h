// The query language of table filtering: conditions on named columns, joined by AND and
// OR (each taking everything to its right) and grouped in parentheses.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "library/csv_db.h"

namespace pirune {

// Why a query cannot be evaluated: the reason text alone.
class TCsvQueryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A query as scripts type it made ready: full-width characters and Japanese brackets
// made half-width as in program text, every "," a blank, "または " OR and "かつ " AND.
std::string PrepareQuery(std::string_view query);

// One flag for each row of the table: whether the query holds for it (row 0, the field
// names, always does). The query is evaluated without recursion, so nesting is bounded
// by nothing but memory.
std::vector<std::uint8_t> EvaluateQuery(const TCsvDb& db, std::string_view query, int current_year);

// Whether the text matches the mask: "*" any run of characters, "?" any one (or none at
// the end of the text), ASCII letters alike in either case. Never backtracks more than
// one asterisk, so a match takes at most (text × mask) steps.
bool MaskMatches(std::string_view mask, std::string_view text);

}  // namespace pirune
