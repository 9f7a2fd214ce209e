#include "library/csv_db.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

#include "library/strings/table_cell.h"
#include "library/strings/text_model.h"
#include "platform/sjis_walk.h"

namespace pirune {
namespace {

const std::string kEmpty;

bool IsBlank(std::string_view cell) {
  return std::all_of(cell.begin(), cell.end(), [](char b) { return static_cast<unsigned char>(b) <= 0x20; });
}

void Trim(std::string& cell) {
  std::size_t end = cell.size();
  while (end > 0 && static_cast<unsigned char>(cell[end - 1]) <= 0x20) --end;
  std::size_t begin = 0;
  while (begin < end && static_cast<unsigned char>(cell[begin]) <= 0x20) ++begin;
  if (begin > 0 || end < cell.size()) cell = cell.substr(begin, end - begin);
}

[[noreturn]] void TooLarge() { throw std::length_error("文字列が長すぎます。"); }

// Short rows are written filled up to the column count, so a long row among many short
// ones could ask for far more than a text may hold: that is out of memory, reported
// before anything is allocated.
void CheckWritable(const std::vector<std::unique_ptr<TCsvCells>>& rows, std::size_t cols) {
  std::uint64_t bytes = std::uint64_t{rows.size()} * (std::uint64_t{cols} + 2);
  if (bytes > text::kMaxTextBytes) throw std::bad_alloc();
  for (const auto& row : rows)
    if (row)
      for (const std::string& cell : *row) bytes += cell.size();
  if (bytes > text::kMaxTextBytes) throw std::bad_alloc();
}

// Reads one CSV record from text at i into cells; i ends behind its line end.
void ReadRecord(std::string_view s, std::size_t& i, TCsvCells& cells) {
  const std::size_t n = s.size();
  while (true) {
    while (i < n && s[i] == ' ') ++i;
    std::string& cell = cells.emplace_back();
    const bool in_quotes = i < n && s[i] == '"';
    if (in_quotes) ++i;
    bool extra_field = false;
    enum { kNextField, kRecordEnd } next = kRecordEnd;
    while (true) {
      std::size_t run = i;
      while (run < n) {
        unsigned char b = static_cast<unsigned char>(s[run]);
        if (b == '"' || (!in_quotes && (b == ',' || b == '\r' || b == '\n'))) break;
        run += (IsLeadByte(b) && run + 1 < n && IsTrailByte(static_cast<unsigned char>(s[run + 1]))) ? 2 : 1;
      }
      cell.append(s.substr(i, run - i));
      i = run;
      if (i >= n) break;
      char b = s[i];
      if (b == ',') {
        ++i;
        next = kNextField;
        break;
      }
      if (b == '\r' || b == '\n') {
        i += (b == '\r' && i + 1 < n && s[i + 1] == '\n') ? 2 : 1;
        break;
      }
      // A double quote: doubled it is one; alone before a separator it ends the field.
      if (i + 1 < n && s[i + 1] == '"') {
        cell += '"';
        i += 2;
        continue;
      }
      std::size_t j = i + 1;
      while (j < n && s[j] == ' ') ++j;
      if (j < n && s[j] != ',' && s[j] != '\r' && s[j] != '\n') {
        cell += '"';
        ++i;
        continue;
      }
      extra_field = j > i + 1;
      i = j;
      if (i < n && s[i] == ',') {
        ++i;
        next = kNextField;
      } else if (i < n) {
        i += (s[i] == '\r' && i + 1 < n && s[i + 1] == '\n') ? 2 : 1;
      }
      break;
    }
    Trim(cell);
    if (extra_field) cells.emplace_back();
    if (next == kRecordEnd) return;
  }
}

}  // namespace

TCsvDb::TCsvDb(const TCsvDb& other) : Header(other.Header) { *this = other; }

TCsvDb& TCsvDb::operator=(const TCsvDb& other) {
  if (this == &other) return *this;
  Header = other.Header;
  Rows.clear();
  Rows.reserve(other.Rows.size());
  for (const auto& row : other.Rows) Rows.push_back(row ? std::make_unique<TCsvCells>(*row) : nullptr);
  return *this;
}

void TCsvDb::ReadCsv(std::string_view text) {
  Rows.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    auto row = std::make_unique<TCsvCells>();
    ReadRecord(text, i, *row);
    Rows.push_back(std::move(row));
  }
}

void TCsvDb::ReadTsv(std::string_view text) {
  Rows.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t end = text.find("\r\n", i);
    if (end == std::string_view::npos) end = text.size();
    auto row = std::make_unique<TCsvCells>();
    std::string_view line = text.substr(i, end - i);
    std::size_t from = 0;
    while (true) {
      std::size_t tab = line.find('\t', from);
      row->emplace_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
      if (tab == std::string_view::npos) break;
      from = tab + 1;
    }
    Rows.push_back(std::move(row));
    i = end == text.size() ? end : end + 2;
  }
}

std::string TCsvDb::WriteCsv() const {
  const std::size_t cols = ColCount();
  CheckWritable(Rows, cols);
  std::string out;
  for (const auto& row : Rows) {
    if (row) {
      for (std::size_t c = 0; c < cols; ++c) {
        if (c) out += ',';
        if (c < row->size()) AppendQuotedCell(out, (*row)[c]);
      }
    }
    out += "\r\n";
  }
  return out;
}

std::string TCsvDb::WriteTsv() const {
  const std::size_t cols = ColCount();
  CheckWritable(Rows, cols);
  std::string out;
  for (const auto& row : Rows) {
    for (std::size_t c = 0; c < cols; ++c) {
      if (c) out += '\t';
      if (row && c < row->size()) out += (*row)[c];
    }
    out += "\r\n";
  }
  return out;
}

std::string TCsvDb::WriteHtml(std::string_view options) const {
  const std::size_t cols = ColCount();
  CheckWritable(Rows, static_cast<std::size_t>(std::min<std::uint64_t>(std::uint64_t{cols} * 9, text::kMaxTextBytes)));
  std::string out = "<TABLE ";
  out.append(options);
  out += ">\r\n";
  for (const auto& row : Rows) {
    out += "<TR>";
    for (std::size_t c = 0; c < cols; ++c) {
      out += "<TD>";
      if (row && c < row->size()) out += (*row)[c];
      out += "</TD>";
    }
    out += "</TR>\r\n";
  }
  out += "</TABLE>";
  return out;
}

std::size_t TCsvDb::ColCount() const {
  std::size_t cols = 0;
  for (const auto& row : Rows)
    if (row) cols = std::max(cols, row->size());
  return cols;
}

const std::string& TCsvDb::Cell(std::size_t col, std::size_t row) const {
  if (row >= Rows.size() || !Rows[row] || col >= Rows[row]->size()) return kEmpty;
  return (*Rows[row])[col];
}

TCsvCells& TCsvDb::RowAt(std::size_t row) {
  if (row >= Rows.size()) {
    if (row >= kMaxTableRows) TooLarge();
    Rows.resize(row + 1);
  }
  if (!Rows[row]) Rows[row] = std::make_unique<TCsvCells>();
  return *Rows[row];
}

void TCsvDb::SetCell(std::size_t col, std::size_t row, std::string value) {
  if (col >= kMaxRowCells) TooLarge();
  TCsvCells& cells = RowAt(row);
  if (col >= cells.size()) cells.resize(col + 1);
  cells[col] = std::move(value);
}

std::string TCsvDb::RowLine(std::size_t row) const {
  std::string out;
  if (row >= Rows.size() || !Rows[row]) return out;
  for (std::size_t c = 0; c < Rows[row]->size(); ++c) {
    if (c) out += ',';
    AppendQuotedCell(out, (*Rows[row])[c]);
  }
  return out;
}

void TCsvDb::SetRowLine(std::size_t row, std::string_view line) {
  TCsvCells cells;
  std::size_t i = 0;
  if (line.empty())
    cells.emplace_back();
  else
    ReadRecord(line, i, cells);
  RowAt(row) = std::move(cells);
}

void TCsvDb::TrimEmptyRows() {
  auto empty = [](std::unique_ptr<TCsvCells>& row) {
    if (!row) return true;
    while (!row->empty() && IsBlank(row->back())) row->pop_back();
    return row->empty();
  };
  std::size_t first = 0;
  while (first < Rows.size() && empty(Rows[first])) ++first;
  Rows.erase(Rows.begin(), Rows.begin() + static_cast<std::ptrdiff_t>(first));
  while (!Rows.empty() && empty(Rows.back())) Rows.pop_back();
}

void TCsvDb::Transpose() {
  const std::size_t cols = ColCount();
  if (std::uint64_t{cols} * Rows.size() > kMaxRowCells) TooLarge();
  std::vector<std::unique_ptr<TCsvCells>> turned(cols);
  for (std::size_t c = 0; c < cols; ++c) {
    turned[c] = std::make_unique<TCsvCells>(Rows.size());
    for (std::size_t r = 0; r < Rows.size(); ++r)
      if (Rows[r] && c < Rows[r]->size()) (*turned[c])[r] = std::move((*Rows[r])[c]);
  }
  Rows = std::move(turned);
  TrimEmptyRows();
}

void TCsvDb::Reverse() {
  std::size_t first = Header ? 1 : 0;
  if (Rows.size() > first) std::reverse(Rows.begin() + static_cast<std::ptrdiff_t>(first), Rows.end());
}

}  // namespace pirune
