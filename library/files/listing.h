// Listing folders by pattern ("*" and "?" as the system's file search reads them, ASCII
// case ignored, alike in both runtimes), the recursive listings, and deleting a folder
// by pattern. Names come sorted, byte by byte with ASCII case ignored, so a listing is
// the same whatever order the system keeps.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace pirune::files {

// Whether a name matches a file pattern.
class TNamePattern {
 public:
  explicit TNamePattern(std::string_view pattern);
  bool Matches(std::string_view name) const;

 private:
  std::string wildcard_;  // in the wildcard language, upper-cased
  bool everything_;
};

// Ordinal, ASCII case ignored.
bool NameBefore(std::string_view a, std::string_view b);

struct TListing {
  std::string folder;  // the pattern's folder part, as written
  std::vector<std::string> files, folders;  // folders without those beginning with "."
};
// One pattern: a pattern ending in a separator lists everything in that folder.
TListing ListPattern(std::string_view pattern);

// "全ファイル列挙" / "全フォルダ列挙" of one pattern: the matching paths, each followed by
// CR LF, those of a folder before those of its sub-folders, depth first. Links to
// folders are listed but not entered.
std::string ListTree(std::string_view pattern, bool folders);

// Makes every missing folder along the path.
bool MakeFolders(std::string_view path);

// "フォルダ削除": the matching sub-folders' trees and files of the pattern's folder, then
// the folder itself when it has become empty. Links are removed, never followed.
void DeleteByPattern(std::string_view pattern);

}  // namespace pirune::files
