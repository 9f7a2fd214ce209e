#include "library/files/listing.h"

#include <algorithm>

#include "library/files/file_names.h"
#include "library/patterns/wildcard.h"
#include "platform/files.h"
#include "platform/sjis_walk.h"

namespace pirune::files {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); i += CharLength(out, i)) out[i] = AsciiUpper(out[i]);
  return out;
}

void SortNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return NameBefore(a, b); });
}

struct Entries {
  std::vector<std::string> files, folders, links;  // links: folders not to enter
};

Entries Read(const std::string& folder, const TNamePattern& pattern, bool all_folders) {
  Entries entries;
  auto listed = platform::ListFolder(folder);
  if (!listed) return entries;
  for (auto& e : *listed) {
    if (e.folder) {
      if (!e.name.empty() && e.name[0] == '.') continue;
      if (!all_folders && !pattern.Matches(e.name)) continue;
      if (e.link) entries.links.push_back(e.name);
      entries.folders.push_back(std::move(e.name));
    } else if (pattern.Matches(e.name)) {
      entries.files.push_back(std::move(e.name));
    }
  }
  SortNames(entries.files);
  SortNames(entries.folders);
  return entries;
}

bool IsLink(const Entries& entries, const std::string& name) {
  return std::find(entries.links.begin(), entries.links.end(), name) != entries.links.end();
}

void DeleteTree(const std::string& folder) {
  // Iterative, so a tree 10,000 deep needs no machine stack: folders are removed after
  // their content, in the reverse order of finding them.
  std::vector<std::string> pending{folder}, found;
  while (!pending.empty()) {
    std::string here = std::move(pending.back());
    pending.pop_back();
    auto listed = platform::ListFolder(here);
    if (listed) {
      for (const auto& e : *listed) {
        const std::string path = Join(here, e.name);
        if (e.folder && !e.link) pending.push_back(path);
        else platform::RemoveFile(path);
      }
    }
    found.push_back(std::move(here));
  }
  for (auto it = found.rbegin(); it != found.rend(); ++it) platform::RemoveFolder(*it);
}

}  // namespace

TNamePattern::TNamePattern(std::string_view pattern) {
  // "*.*" asks for every name, also those without a point, as the system's search reads it.
  everything_ = pattern == "*" || pattern == "*.*" || pattern.empty();
  for (std::size_t i = 0; i < pattern.size();) {
    const std::size_t n = CharLength(pattern, i);
    const char c = pattern[i];
    if (n == 1 && (c == '#' || c == '(' || c == ')' || c == '[' || c == '\\')) wildcard_ += '\\';
    wildcard_.append(pattern.substr(i, n));
    i += n;
  }
  wildcard_ = UpperAscii(wildcard_);
}

bool TNamePattern::Matches(std::string_view name) const {
  return everything_ || wildcard::MatchesWhole(wildcard_, UpperAscii(name));
}

bool NameBefore(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(AsciiUpper(a[i]));
    const unsigned char y = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

TListing ListPattern(std::string_view pattern) {
  TListing listing;
  listing.folder = FolderOf(pattern);
  const TNamePattern names(EndsWithSeparator(pattern) ? std::string_view("*") : pattern.substr(listing.folder.size()));
  Entries entries = Read(listing.folder, names, false);
  listing.files = std::move(entries.files);
  listing.folders = std::move(entries.folders);
  return listing;
}

std::string ListTree(std::string_view pattern, bool folders) {
  const std::string base = FolderOf(pattern);
  const TNamePattern names(EndsWithSeparator(pattern) ? std::string_view("*") : pattern.substr(base.size()));
  const char separator = SeparatorOf(base);
  std::string out;
  std::vector<std::string> pending{base};
  while (!pending.empty()) {
    const std::string here = std::move(pending.back());
    pending.pop_back();
    Entries entries = Read(here, names, true);
    for (const auto& name : folders ? entries.folders : entries.files) {
      if (folders && !names.Matches(name)) continue;
      out += here;
      out += name;
      out += "\r\n";
    }
    for (auto it = entries.folders.rbegin(); it != entries.folders.rend(); ++it)
      if (!IsLink(entries, *it)) pending.push_back(here + *it + separator);
  }
  return out;
}

bool MakeFolders(std::string_view path) {
  // Every prefix that ends before a separator, then the whole path: the root and
  // drives fail to be made as they exist, which is what counts in the end.
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
    if (i > 0 && EndsWithSeparator(path.substr(0, i + 1)) && path[i - 1] != ':') {
      const std::string prefix(path.substr(0, i));
      if (!platform::Status(prefix)) platform::MakeFolder(prefix);
    }
  }
  const auto status = platform::Status(std::string(path));
  if (status) return status->folder;
  return platform::MakeFolder(std::string(path));
}

void DeleteByPattern(std::string_view pattern) {
  // A folder named with its final separator goes whole, its hidden entries too.
  if (EndsWithSeparator(pattern)) return DeleteTree(std::string(pattern));
  const TListing listing = ListPattern(pattern);
  for (const auto& name : listing.folders) {
    const std::string path = listing.folder + name;
    auto status = platform::Status(path);
    if (status && status->link) platform::RemoveFile(path);
    else DeleteTree(path);
  }
  for (const auto& name : listing.files) platform::RemoveFile(listing.folder + name);
  if (!listing.folder.empty()) platform::RemoveFolder(listing.folder);
}

}  // namespace pirune::files
