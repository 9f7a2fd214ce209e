#include "engine/script_file.h"

#include "platform/platform.h"
#include "startup/script_encoding.h"

namespace pirune {

std::string JoinLines(const std::string& whole) {
  // A program text ends at its first zero byte: nothing behind one is ever read (no
  // statement, no label), so it is not kept.
  std::string_view bytes = std::string_view(whole).substr(0, whole.find('\0'));
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16 + 2);
  std::size_t i = 0;
  while (i < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = bytes.size();
    out.append(bytes, i, end - i);
    out += "\r\n";
    if (end == bytes.size()) break;
    i = end + 1;
    if (bytes[end] == '\r' && i < bytes.size() && bytes[i] == '\n') ++i;
  }
  return out;
}

ScriptFile ReadScriptFile(const std::string& path) {
  ScriptFile file;
  std::optional<std::string> bytes = platform::ReadFileBytes(path);
  if (!bytes) return file;
  ScriptDecoding decoded = DecodeScriptText(*bytes);
  if (!decoded.ok) {
    file.status = ScriptFile::kNotShiftJis;
    file.bad_line = decoded.bad_line;
    return file;
  }
  file.status = ScriptFile::kOk;
  file.text = JoinLines(decoded.text);
  return file;
}

std::string NotShiftJisMessage(const std::string& path, int line) {
  return "ファイル\"" + path + "\"の" + std::to_string(line) + "行目に、Shift_JISで表せない文字があります。";
}

}  // namespace pirune
