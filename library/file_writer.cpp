#include "library/file_writer.h"

#include <atomic>

#include "library/files/file_names.h"

namespace pirune {
namespace {

// Beside the target, so the rename stays on its disk; unique within the process and
// made exclusively, so no other writer's file is taken.
bool MakeTemporary(const std::string& target, platform::File& file, std::string& name) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = files::FolderOf(target);
  const std::string stem = files::NameOf(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "~" + stem + "." + std::to_string(counter++) + ".tmp";
    if (file.CreateNew(name)) return true;
    if (platform::Status(name) == std::nullopt) return false;  // not a clash: the folder refuses
  }
  return false;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const FileFiller& fill, FileReplacer replace) {
  // A link is written through, as writing into it would: the file it leads to is replaced.
  const auto status = platform::Status(path);
  if (status && (status->folder || (status->attributes & platform::kAttributeReadOnly))) return false;
  const std::string target = status && status->link ? platform::ResolvedPath(path) : path;

  platform::File file;
  std::string temporary;
  if (!MakeTemporary(target, file, temporary)) return false;
  bool ok = fill(file) && file.Flush();
  file.Close();
  if (ok && status) platform::CopyAttributes(target, temporary);
  ok = ok && replace(temporary, target);
  if (!ok) platform::RemoveFile(temporary);
  return ok;
}

bool WriteFileSafely(const std::string& path, std::string_view bytes) {
  return WriteFileSafely(path, [bytes](platform::File& file) { return file.Write(bytes); });
}

bool AppendToExistingFile(const std::string& path, std::string_view bytes) {
  platform::File file;
  if (!file.Open(path, platform::File::Access::Write, false, false)) return false;
  const std::int64_t size = file.Size();
  if (size < 0 || !file.SeekEnd()) return false;
  if (file.Write(bytes) && file.Flush()) return true;
  file.Truncate(size);
  return false;
}

}  // namespace pirune
