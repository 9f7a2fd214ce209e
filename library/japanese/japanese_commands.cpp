// Japanese text conversion: widths, case, kana, encodings, UTF-8, Base64 and encoded
// mail-header words.
#include "engine/command_api.h"
#include "library/japanese/base64.h"
#include "library/japanese/encodings.h"
#include "library/japanese/mail_header.h"
#include "library/japanese/width_case.h"
#include "platform/cp932.h"

namespace pirune {
namespace {

template <std::string (*Convert)(std::string_view)>
void Text(TCommand& c) {
  c.Result(Convert(c.Text(0)));
}

// An empty text leaves "それ" as it was.
template <japanese::Encoding To>
void ToEncoding(TCommand& c) {
  std::string s = c.Text(0);
  if (s.empty()) return;
  c.Result(japanese::ConvertEncoding(s, japanese::DetectEncoding(s), To));
}

void ConvertNamed(TCommand& c) {
  std::string s = c.Text(0);
  japanese::Encoding from = japanese::EncodingNamed(c.Text(1)), to = japanese::EncodingNamed(c.Text(2));
  c.Result(japanese::ConvertEncoding(s, from, to));
}

void SjisToUtf8(TCommand& c) { c.Result(cp932::ToUtf8(c.Text(0))); }

// Nothing undecodable fails here: like the system's converter, a byte that begins no
// UTF-8 character, and a character Shift_JIS lacks, each become "?".
void Utf8ToSjis(TCommand& c) { c.Result(cp932::FromUtf8Replacing(c.Text(0))); }

void Base64Encoding(TCommand& c) { c.Result(Base64Encode(c.Text(0))); }

void Base64Decoding(TCommand& c) { c.Result(Base64Decode(c.Text(0)).value_or(std::string())); }

void MailHeaderEncoding(TCommand& c) { c.Result(EncodeMailHeader(c.Text(0))); }

void MailHeaderDecoding(TCommand& c) { c.Result(DecodeMailHeader(c.Text(0)).value_or(std::string())); }

}  // namespace

std::span<const CommandBinding> JapaneseCommands() {
  static const CommandBinding commands[] = {
      {"半角変換", Text<japanese::HalfWidth>},
      {"全角変換", Text<japanese::FullWidth>},
      {"英数半角変換", Text<japanese::AlphanumericHalfWidth>},
      {"大文字変換", Text<japanese::UpperCase>},
      {"小文字変換", Text<japanese::LowerCase>},
      {"ひらがな変換", Text<japanese::Hiragana>},
      {"カタカナ変換", Text<japanese::Katakana>},
      {"文字コードをEUCに変換", ToEncoding<japanese::kEuc>},
      {"文字コードをJISに変換", ToEncoding<japanese::kJis>},
      {"文字コードをSJISに変換", ToEncoding<japanese::kSjis>},
      {"文字コード変換", ConvertNamed},
      {"SJISからUTF8に変換", SjisToUtf8},
      {"UTF8からSJISに変換", Utf8ToSjis},
      {"BASE64エンコード", Base64Encoding},
      {"BASE64デコード", Base64Decoding},
      {"メールヘッダエンコード", MailHeaderEncoding},
      {"メールヘッダデコード", MailHeaderDecoding},
  };
  return commands;
}

}  // namespace pirune
