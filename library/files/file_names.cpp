#include "library/files/file_names.h"

#include <vector>

#include "platform/platform.h"
#include "platform/sjis_walk.h"

namespace pirune::files {
namespace {

bool IsSeparator(char c, bool slash) { return c == '\\' || (slash && c == '/'); }

// The pieces between separators; a final separator gives no empty last piece.
std::vector<std::string> Pieces(std::string_view path, bool slash) {
  std::vector<std::string> pieces;
  std::string piece;
  for (std::size_t i = 0; i < path.size();) {
    const std::size_t n = CharLength(path, i);
    if (n == 1 && IsSeparator(path[i], slash)) {
      pieces.push_back(std::move(piece));
      piece.clear();
    } else {
      piece.append(path.substr(i, n));
    }
    i += n;
  }
  if (!piece.empty()) pieces.push_back(std::move(piece));
  return pieces;
}

}  // namespace

bool SlashSeparates() { return platform::PathSeparator() == '/'; }

std::size_t NameStart(std::string_view path, bool slash) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += CharLength(path, i))
    if (IsSeparator(path[i], slash) || path[i] == ':') start = i + 1;
  return start;
}

std::string FolderOf(std::string_view path, bool slash) { return std::string(path.substr(0, NameStart(path, slash))); }

std::string NameOf(std::string_view path, bool slash) { return std::string(path.substr(NameStart(path, slash))); }

std::string ExtensionOf(std::string_view path, bool slash) {
  const std::size_t start = NameStart(path, slash);
  std::size_t dot = std::string_view::npos;
  for (std::size_t i = start; i < path.size(); i += CharLength(path, i))
    if (path[i] == '.') dot = i;
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string WithExtension(std::string_view path, std::string_view extension, bool slash) {
  const std::size_t old = ExtensionOf(path, slash).size();
  return std::string(path.substr(0, path.size() - old)) + std::string(extension);
}

bool IsAbsolute(std::string_view path, bool slash) {
  if (slash && !path.empty() && path[0] == '/') return true;
  return path.find(":\\") != std::string_view::npos || path.find("\\\\") != std::string_view::npos ||
         (slash && path.find(":/") != std::string_view::npos);
}

bool EndsWithSeparator(std::string_view path, bool slash) {
  return !path.empty() && IsSeparator(path.back(), slash) && IsCharBoundary(path, path.size() - 1);
}

char SeparatorOf(std::string_view base, bool slash) {
  if (!slash) return '\\';
  bool has_slash = false;
  for (std::size_t i = 0; i < base.size(); i += CharLength(base, i)) {
    if (base[i] == '\\') return '\\';
    if (base[i] == '/') has_slash = true;
  }
  return has_slash ? '/' : '\\';
}

std::string Join(std::string_view folder, std::string_view name, bool slash) {
  std::string path(folder);
  // A drive's colon ends the folder only where it stands as a character of its own, not
  // as the second byte of one (as the name is read back).
  const bool drive = !folder.empty() && folder.back() == ':' && IsCharBoundary(folder, folder.size() - 1);
  if (!folder.empty() && !EndsWithSeparator(folder, slash) && !drive) path += SeparatorOf(folder, slash);
  path += name;
  return path;
}

std::string ExpandRelative(std::string_view relative, std::string_view base, bool slash) {
  if (relative.size() >= 3 && relative.substr(1, 2) == ":\\") return std::string(relative);
  if (slash && !relative.empty() && relative[0] == '/') return std::string(relative);
  const char separator = SeparatorOf(base, slash);
  const bool rooted = slash && !base.empty() && base[0] == '/';
  std::vector<std::string> r = Pieces(relative, slash), b = Pieces(base, slash);
  std::size_t first = 0;
  while (first < r.size()) {
    if (r[first] == ".") {
      ++first;
    } else if (r[first] == "..") {
      ++first;
      // Surplus steps up stop at the root: a drive, or the empty piece before a leading "/".
      if (b.size() > 1 || (b.size() == 1 && !rooted && b[0].find(':') == std::string::npos)) b.pop_back();
    } else {
      break;
    }
  }
  std::string result;
  for (const auto& piece : b) result += piece + separator;
  for (std::size_t i = first; i < r.size(); ++i) result += r[i] + separator;
  if (!result.empty()) result.pop_back();
  if (rooted && result.empty()) result = "/";
  return result;
}

}  // namespace pirune::files
