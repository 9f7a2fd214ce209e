#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/csv_find.h"

namespace pirune {
namespace {

// The rows one search finds, call after call, up to its first -1 and one more call.
std::vector<std::int64_t> Found(const char* table, std::int64_t column, const char* key, bool exact,
                                std::size_t from = 0) {
  TFindCsv find;
  find.Table.ReadCsv(table);
  find.Column = column;
  find.Key = key;
  find.Exact = exact;
  find.NextRow = from;
  std::vector<std::int64_t> rows;
  do rows.push_back(find.Next());
  while (rows.back() >= 0);
  rows.push_back(find.Next());
  return rows;
}

TEST(CsvFind, FindsRowAfterRow) {
  const char* table = "k,v\r\na,1\r\nb,x\r\na,2\r\nc,3\r\nab,4\r\n";
  using R = std::vector<std::int64_t>;
  EXPECT_EQ(Found(table, 0, "a", true), (R{1, 3, -1, -1}));
  EXPECT_EQ(Found(table, -1, "x", true), (R{2, -1, -1}));
  EXPECT_EQ(Found(table, 0, "a", false), (R{1, 3, 5, -1, -1}));    // contains
  EXPECT_EQ(Found(table, 0, "?b", false), (R{5, -1, -1}));         // a pattern: the whole cell
  EXPECT_EQ(Found(table, -1, "b,*", false), (R{2, -1, -1}));       // any column: the row as a line
  EXPECT_EQ(Found(table, 1, "k", true, 1), (R{-1, -1}));
  EXPECT_EQ(Found(table, 7, "", true), (R{0, 1, 2, 3, 4, 5, -1, -1}));  // beyond a row: empty
  EXPECT_EQ(Found("", -1, "", true), (R{-1, -1}));
}

}  // namespace
}  // namespace pirune
