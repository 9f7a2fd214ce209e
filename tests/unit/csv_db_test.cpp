#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/csv_db.h"
#include "library/csv_sort.h"

namespace pirune {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows CellsOf(const TCsvDb& db) {
  Rows out;
  for (const auto& row : db.Rows) out.push_back(row ? *row : std::vector<std::string>{"<absent>"});
  return out;
}

Rows Read(std::string_view text) {
  TCsvDb db;
  db.ReadCsv(text);
  return CellsOf(db);
}

TEST(CsvDb, ReadsRecords) {
  struct Case {
    std::string text;
    Rows expected;
  } cases[] = {
      {"a,\"b,c\",\"d\"\"e\"", {{"a", "b,c", "d\"e"}}},
      {"a,\"b,c\" ,d", {{"a", "b,c", "", "d"}}},  // blanks behind a closing quote: one more cell
      {"", {}},
      {"\r\n", {{""}}},
      {"a\rb\nc\r\nd\r\n", {{"a"}, {"b"}, {"c"}, {"d"}}},
      {"a\r\n\r\nb", {{"a"}, {""}, {"b"}}},
      {"  x  ,\t y\t", {{"x", "y"}}},
      {"\"a\r\nb\",c", {{"a\r\nb", "c"}}},
      {"ab\"c,d", {{"ab\"c", "d"}}},        // a lone quote inside a cell stays
      {"ab\",c", {{"ab", "c"}}},            // before a comma it ends the cell
      {"d\"\"e", {{"d\"e"}}},               // doubled in a plain cell too
      {"\"open,quote\r\nnext", {{"open,quote\r\nnext"}}},
      {"\"\"", {{""}}},
      {"\x95\\,x", {{"\x95\\", "x"}}},     // a trail byte 0x5C is no separator's neighbour
      {"\x81,\x81\"x", {{"\x81", "\x81\"x"}}},  // a lead byte never swallows a comma or quote
      {std::string("a\0b,c", 5), {{std::string("a\0b", 3), "c"}}},
  };
  for (const Case& k : cases) EXPECT_EQ(Read(k.text), k.expected) << k.text;
}

TEST(CsvDb, WritesEveryRowToTheColumnCount) {
  TCsvDb db;
  db.ReadCsv("a\r\nVALID,\"x\"\"y\",\"p,q\"\r\n");
  EXPECT_EQ(db.ColCount(), 3u);
  EXPECT_EQ(db.WriteCsv(), "a,,\r\n\"VALID\",\"x\"\"y\",\"p,q\"\r\n");
  db.SetCell(1, 3, "z");  // row 2 stays absent: an empty line
  EXPECT_EQ(db.WriteCsv(), "a,,\r\n\"VALID\",\"x\"\"y\",\"p,q\"\r\n\r\n,z,\r\n");
  EXPECT_EQ(db.RowLine(1), "\"VALID\",\"x\"\"y\",\"p,q\"");
  EXPECT_EQ(db.RowLine(2), "");
  EXPECT_EQ(db.Cell(5, 0), "");
  EXPECT_EQ(db.Cell(0, 9), "");
}

TEST(CsvDb, WrittenTablesReadBackToThemselves) {
  const char* texts[] = {
      "a,\"b,c\",\"d\"\"e\"\r\n x ,\r\n",
      "\x81\r\n\x81,\x81\"\r\n\"\x81",
      "\"ID\"\r\nq\"\"\r\n\"\r",
      " \" a \" ,b\r\n\"\"\"\",,\r\n\t",
  };
  for (const char* text : texts) {
    TCsvDb db;
    db.ReadCsv(text);
    Rows first = CellsOf(db);
    std::string written = db.WriteCsv();
    TCsvDb again;
    again.ReadCsv(written);
    EXPECT_EQ(again.WriteCsv(), written) << text;
    // Cells read back cell for cell (short rows filled up with empty cells).
    for (std::size_t r = 0; r < first.size(); ++r)
      for (std::size_t c = 0; c < first[r].size(); ++c) EXPECT_EQ(again.Cell(c, r), first[r][c]) << text;
  }
}

TEST(CsvDb, TabSeparatedText) {
  TCsvDb db;
  db.ReadTsv(" a \t\"b\"\r\nc\rd\r\n");
  EXPECT_EQ(CellsOf(db), (Rows{{" a ", "\"b\""}, {"c\rd"}}));
  EXPECT_EQ(db.WriteTsv(), " a \t\"b\"\r\nc\rd\t\r\n");
  // Blanks are not protected: written as they are, they go when read back.
  EXPECT_EQ(db.WriteCsv(), " a ,\"\"\"b\"\"\"\r\n\"c\rd\",\r\n");
}

TEST(CsvDb, TransposeDropsEmptyRowsAtBothEnds) {
  TCsvDb db;
  db.ReadCsv(",a,,b,\r\n,c\r\n");
  db.Transpose();
  EXPECT_EQ(CellsOf(db), (Rows{{"a", "c"}, {"", ""}, {"b"}}));  // inner rows stay as they are
}

TEST(CsvDb, ReverseKeepsTheHeaderFirst) {
  TCsvDb db;
  db.ReadCsv("h\r\n1\r\n2\r\n3");
  db.Header = true;
  db.Reverse();
  EXPECT_EQ(db.WriteCsv(), "h\r\n3\r\n2\r\n1\r\n");
}

TEST(CsvDb, GrowingPastTheBoundFailsInsteadOfAllocating) {
  TCsvDb db;
  EXPECT_THROW(db.SetCell(0, 2147483647, "x"), std::length_error);
  EXPECT_THROW(db.SetCell(2147483647, 0, "x"), std::length_error);
  EXPECT_EQ(db.RowCount(), 0u);
}

TEST(CsvDb, AWideRowAmongManyFailsToBeWrittenOrTurned) {
  // Every short row would be written filled up to 65,536 fields: 2 GB.
  TCsvDb db;
  db.SetCell(65535, 0, "wide");
  db.SetCell(0, 32767, "low");
  EXPECT_THROW(db.WriteCsv(), std::bad_alloc);
  EXPECT_THROW(db.WriteTsv(), std::bad_alloc);
  EXPECT_THROW(db.Transpose(), std::length_error);
  EXPECT_EQ(db.Cell(65535, 0), "wide");
}

// Rows as "key:tag"; the order of the tags after sorting by the key.
std::string SortedTags(const std::vector<std::string>& rows, TCsvSortKind kind, bool header = false) {
  TCsvDb db;
  for (const std::string& row : rows) {
    std::size_t colon = row.rfind(':');
    db.Rows.push_back(std::make_unique<TCsvCells>(TCsvCells{row.substr(0, colon), row.substr(colon + 1)}));
  }
  db.Header = header;
  SortTable(db, 0, kind, 2026);
  std::string tags;
  for (std::size_t r = 0; r < db.RowCount(); ++r) tags += db.Cell(1, r) + " ";
  return tags;
}

TEST(CsvSort, SelectionSortPicksTheFirstOrTheLastSmallest) {
  // Short ranges are sorted by selection, which is not stable: the bytes sort picks the
  // first of equal smallest rows, the dictionary sort the last.
  EXPECT_EQ(SortedTags({"b:1", "b:2", "a:3"}, TCsvSortKind::Bytes), "3 2 1 ");
  EXPECT_EQ(SortedTags({"b:1", "b:2", "a:3"}, TCsvSortKind::Dictionary), "3 1 2 ");
  EXPECT_EQ(SortedTags({"B:1", "a:2", "b:3"}, TCsvSortKind::Bytes), "1 2 3 ");
  EXPECT_EQ(SortedTags({"B:1", "a:2", "b:3"}, TCsvSortKind::Dictionary), "2 3 1 ");
  EXPECT_EQ(SortedTags({"10:1", "9:2", "x:3", "-1:4"}, TCsvSortKind::Numbers), "4 3 2 1 ");
  EXPECT_EQ(SortedTags({"2020/1/2:1", "no date:2", "2019/12/31 23:59:00:3"}, TCsvSortKind::Dates), "2 3 1 ");
  EXPECT_EQ(SortedTags({"h:0", "b:1", "a:2"}, TCsvSortKind::Bytes, true), "0 2 1 ");
}

TEST(CsvSort, MergeSettlesTiesByTheSidesRule) {
  // 21 equal keys: split at 0 div 2 + 20 div 2 = 10, both halves selected, then merged.
  std::vector<std::string> rows;
  for (int i = 0; i <= 20; ++i) rows.push_back("k:" + std::to_string(i));
  std::string in_order;
  for (int i = 0; i <= 20; ++i) in_order += std::to_string(i) + " ";
  EXPECT_EQ(SortedTags(rows, TCsvSortKind::Bytes), in_order);
  EXPECT_EQ(SortedTags(rows, TCsvSortKind::Numbers), in_order);
  // Selecting the last smallest rotates each half by one; the merge takes the right
  // run's rows first when keys are equal.
  EXPECT_EQ(SortedTags(rows, TCsvSortKind::Dictionary), "20 11 12 13 14 15 16 17 18 19 10 0 1 2 3 4 5 6 7 8 9 ");
}

TEST(CsvSort, EmptyRowsAtBothEndsGoFirst) {
  TCsvDb db;
  db.ReadCsv("\r\n,\r\nb\r\na\r\n \r\n");
  SortTable(db, 0, TCsvSortKind::Bytes, 2026);
  EXPECT_EQ(db.WriteCsv(), "a\r\nb\r\n");
}

TEST(CsvSort, KeysFoldCase) {
  EXPECT_EQ(DictionaryKey("AbＡ"), u"abＡ");
  EXPECT_EQ(FoldedKey("AbＡ"), u"abａ");
}

}  // namespace
}  // namespace pirune
