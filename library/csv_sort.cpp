#include "library/csv_sort.h"

#include <memory>
#include <utility>
#include <vector>

#include "engine/command_api.h"
#include "library/date_time.h"
#include "platform/cp932.h"

namespace pirune {
namespace {

template <class Key>
struct Item {
  Key key;
  std::unique_ptr<TCsvCells> row;
};

int Compare(std::string_view a, std::string_view b) { return a.compare(b); }
int Compare(const std::u16string& a, const std::u16string& b) { return a.compare(b); }
template <class T>
int Compare(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// How a sort settles ties: in a merge, whether a right row equal to the left one goes
// first; in a selection, whether the last of equal smallest rows is picked.
struct TieRule {
  bool right_first;
  bool last_smallest;
};

template <class Key>
class MergeSorter {
 public:
  MergeSorter(std::vector<Item<Key>>& items, TieRule rule) : items_(items), rule_(rule) {}

  void Sort(std::ptrdiff_t lo, std::ptrdiff_t hi) {
    if (hi - lo >= 20) {
      std::ptrdiff_t mid = lo / 2 + hi / 2;
      Sort(lo, mid);
      Sort(mid + 1, hi);
      Merge(lo, mid, hi);
      return;
    }
    for (std::ptrdiff_t p = lo; p <= hi; ++p) {
      std::ptrdiff_t pick = p;
      for (std::ptrdiff_t q = p + 1; q <= hi; ++q) {
        int order = Compare(items_[q].key, items_[pick].key);
        if (order < 0 || (order == 0 && rule_.last_smallest)) pick = q;
      }
      if (pick != p) std::swap(items_[p], items_[pick]);
    }
  }

 private:
  void Merge(std::ptrdiff_t lo, std::ptrdiff_t mid, std::ptrdiff_t hi) {
    buffer_.clear();
    std::ptrdiff_t l = lo, r = mid + 1;
    while (l <= mid && r <= hi) {
      int order = Compare(items_[l].key, items_[r].key);
      if (order > 0 || (order == 0 && rule_.right_first))
        buffer_.push_back(std::move(items_[r++]));
      else
        buffer_.push_back(std::move(items_[l++]));
    }
    while (l <= mid) buffer_.push_back(std::move(items_[l++]));
    while (r <= hi) buffer_.push_back(std::move(items_[r++]));
    for (std::size_t k = 0; k < buffer_.size(); ++k) items_[lo + static_cast<std::ptrdiff_t>(k)] = std::move(buffer_[k]);
  }

  std::vector<Item<Key>>& items_;
  TieRule rule_;
  std::vector<Item<Key>> buffer_;
};

template <class Key, class MakeKey>
void SortBy(TCsvDb& db, std::size_t col, TieRule rule, MakeKey make_key) {
  const std::size_t first = db.Header ? 1 : 0;
  if (db.Rows.size() <= first + 1) return;
  std::vector<Item<Key>> items;
  items.reserve(db.Rows.size() - first);
  for (std::size_t r = first; r < db.Rows.size(); ++r) {
    Key key = make_key(db.Cell(col, r));
    items.push_back({std::move(key), std::move(db.Rows[r])});
  }
  MergeSorter<Key>(items, rule).Sort(0, static_cast<std::ptrdiff_t>(items.size()) - 1);
  for (std::size_t k = 0; k < items.size(); ++k) db.Rows[first + k] = std::move(items[k].row);
}

std::u16string LowerAscii(std::u16string s, bool full_width) {
  for (char16_t& ch : s) {
    if (ch >= u'A' && ch <= u'Z') ch = static_cast<char16_t>(ch + 0x20);
    if (full_width && ch >= 0xFF21 && ch <= 0xFF3A) ch = static_cast<char16_t>(ch + 0x20);
  }
  return s;
}

}  // namespace

std::u16string DictionaryKey(std::string_view text) { return LowerAscii(cp932::ToUtf16(text), false); }
std::u16string FoldedKey(std::string_view text) { return LowerAscii(cp932::ToUtf16(text), true); }

void SortTable(TCsvDb& db, std::size_t col, TCsvSortKind kind, int current_year) {
  db.TrimEmptyRows();
  constexpr TieRule kLeftFirst{false, false};
  switch (kind) {
    case TCsvSortKind::Bytes:
      // The key views a cell of its own row, which moves with it.
      return SortBy<std::string_view>(db, col, kLeftFirst, [](const std::string& cell) { return std::string_view(cell); });
    case TCsvSortKind::Numbers:
      return SortBy<Number>(db, col, kLeftFirst, [](const std::string& cell) { return StrToValue(cell); });
    case TCsvSortKind::Dates:
      return SortBy<TDateTime>(db, col, kLeftFirst, [current_year](const std::string& cell) {
        return ReadDateTime(cell, current_year).value_or(0);
      });
    case TCsvSortKind::Dictionary:
      return SortBy<std::u16string>(db, col, TieRule{true, true}, DictionaryKey);
  }
}

}  // namespace pirune
