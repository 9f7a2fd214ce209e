#include "library/files/handle_stream.h"

#include <algorithm>

#include "platform/cp932.h"

namespace pirune::files {

bool THandleStream::Fill() {
  const std::int64_t got = file_.Read(buffer_, kBlock);
  if (got <= 0) {
    Forget();
    return false;
  }
  next_ = 0;
  end_ = static_cast<std::size_t>(got);
  file_position_ += got;
  return true;
}

std::string THandleStream::ReadLine() {
  std::string line;
  for (;;) {
    if (next_ == end_ && !Fill()) break;
    const unsigned char b = static_cast<unsigned char>(buffer_[next_++]);
    if (cp932::IsLeadByte(b)) {
      line += static_cast<char>(b);
      if (next_ == end_ && !Fill()) break;
      line += buffer_[next_++];
      continue;
    }
    if (b == '\n' || b == '\0') break;
    if (b == '\r') {
      if (next_ == end_) Fill();
      if (next_ < end_ && buffer_[next_] == '\n') ++next_;
      break;
    }
    line += static_cast<char>(b);
  }
  logical_ = Logical();
  return line;
}

bool THandleStream::AtEnd() { return logical_ >= file_.Size(); }

bool THandleStream::WriteLine(std::string_view text) {
  if (!file_.Seek(logical_)) return false;
  Forget();
  file_position_ = logical_;
  std::string line(text);
  line += "\r\n";
  const bool ok = file_.Write(line);
  if (ok) logical_ += static_cast<std::int64_t>(line.size());
  file_position_ = logical_;
  return ok;
}

bool THandleStream::Seek(std::int64_t offset) {
  Forget();
  if (offset < 0 || !file_.Seek(offset)) return false;
  file_position_ = logical_ = offset;
  return true;
}

bool THandleStream::SeekEnd() {
  Forget();
  const std::int64_t size = file_.Size();
  if (size < 0 || !file_.SeekEnd()) return false;
  file_position_ = logical_ = size;
  return true;
}

bool THandleStream::WriteBytes(std::string_view bytes, std::int64_t count) {
  if (count <= 0) return true;
  std::string out(bytes.substr(0, static_cast<std::size_t>(std::min<std::int64_t>(count, bytes.size()))));
  out.resize(static_cast<std::size_t>(count), '\0');
  if (!file_.Write(out)) return false;
  file_position_ += count;
  return true;
}

std::string THandleStream::ReadBytes(std::int64_t count) {
  std::string out(static_cast<std::size_t>(count), '\0');
  std::size_t done = 0;
  while (done < out.size()) {
    const std::int64_t got = file_.Read(out.data() + done, out.size() - done);
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  file_position_ += static_cast<std::int64_t>(done);
  return out;
}

}  // namespace pirune::files
