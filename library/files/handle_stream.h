// The stream behind a file handle: lines read through a 4096-byte buffer, and a logical
// position (where the next line starts) that line writing continues from. The byte
// commands work at the file's own position, which line reading runs ahead of.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace pirune::files {

class THandleStream {
 public:
  explicit THandleStream(platform::File file) : file_(std::move(file)) {}

  // The next line without its end (LF, CR, CR LF or a zero byte, consumed); empty at the end.
  std::string ReadLine();
  // Whether the logical position has reached the file's size.
  bool AtEnd();
  // The text and CR LF at the logical position, which moves past them.
  bool WriteLine(std::string_view text);
  bool Seek(std::int64_t offset);
  bool SeekEnd();
  // At the file position: exactly `count` bytes, the text cut or filled with zero bytes.
  bool WriteBytes(std::string_view bytes, std::int64_t count);
  // Up to `count` bytes from the file position, then zero bytes up to `count`.
  std::string ReadBytes(std::int64_t count);

 private:
  static constexpr std::size_t kBlock = 4096;
  bool Fill();
  void Forget() { next_ = end_ = 0; }
  std::int64_t Logical() const { return file_position_ - static_cast<std::int64_t>(end_ - next_); }

  platform::File file_;
  char buffer_[kBlock];
  std::size_t next_ = 0, end_ = 0;
  std::int64_t file_position_ = 0;  // after the last block read
  std::int64_t logical_ = 0;
};

}  // namespace pirune::files
