#!/usr/bin/env python3
"""Holds the runtime's Shift_JIS converters against Python's codecs over every
double-byte code and every half-width katakana.

  check_conversions.py DUMP_PROGRAM

For each code that Python's "shift_jis" codec (JIS X 0208 and JIS X 0201) decodes:
- EUC must equal Python's "euc_jp" encoding of the character;
- JIS must equal Python's "iso2022_jp" encoding, except that the runtime closes a run of
  two-byte characters with ESC ( J (JIS X 0201 Roman) where Python writes ESC ( B;
  half-width katakana, which ISO-2022-JP cannot hold, become their full-width form;
- UTF-8 must equal Python's "cp932" decoding, encoded as UTF-8.
Every code, decodable or not, must come back unchanged from EUC and from JIS.

Differences, listed and justified:
- NEC row 13 (87xx), the NEC-selected IBM extensions (ED40-EEFC), the IBM extensions
  (FA40-FC4B) and the user-defined area (F040-F9FC) are code page 932 only: Python's
  "shift_jis" rejects them. The runtime converts them by the same Shift_JIS arithmetic
  as every other code, as its EUC and JIS forms have always been computed, so they keep
  their place (row 13 stays row 13) and come back unchanged.
  The IBM extensions and the user-defined area (leads F0-FC) lie beyond the 94 rows of
  JIS X 0208: the arithmetic carries them to bytes outside the two-byte range (an EUC
  lead 0xFF, a JIS row byte 0x7F), which the way back copies as single bytes, so they
  do not come back. Only they are let off the round trip.
- Codes that no table gives a character (empty cells of the rows) get the arithmetic
  too, and UTF-8 U+FFFD.
"""
import subprocess
import sys
import unicodedata

ESC_ROMAN, ESC_ASCII = b"\x1b(J", b"\x1b(B"


def category(code):
    lead = code >> 8
    if lead == 0x87:
        return "NEC row 13"
    if lead in (0xED, 0xEE):
        return "NEC-selected IBM extensions"
    if 0xFA <= lead <= 0xFC:
        return "IBM extensions"
    if 0xF0 <= lead <= 0xF9:
        return "user-defined area"
    return "no character"


def main():
    lines = subprocess.run([sys.argv[1]], capture_output=True, check=True, text=True).stdout.split("\n")
    rows = [line.split() for line in lines if line]
    failures, skipped, checked = [], {}, 0
    for sjis_hex, euc_hex, jis_hex, utf8_hex, euc_back, jis_back in rows:
        sjis = bytes.fromhex(sjis_hex)
        out = {k: b"" if v == "-" else bytes.fromhex(v)
               for k, v in (("euc", euc_hex), ("jis", jis_hex), ("utf8", utf8_hex),
                            ("euc_back", euc_back), ("jis_back", jis_back))}
        problems = []
        beyond_rows = sjis[0] >= 0xF0 and len(sjis) == 2
        if out["euc_back"] != sjis and not beyond_rows:
            problems.append("EUC does not come back: %s" % euc_back)
        if out["jis_back"] != sjis and len(sjis) == 2 and not beyond_rows:
            problems.append("JIS does not come back: %s" % jis_back)
        try:
            cp932_char = sjis.decode("cp932")
        except UnicodeDecodeError:
            cp932_char = "\ufffd"
        if out["utf8"] != cp932_char.encode("utf-8"):
            problems.append("UTF-8 %s, Python %s" % (utf8_hex, cp932_char.encode("utf-8").hex().upper()))
        try:
            char = sjis.decode("shift_jis")
        except UnicodeDecodeError:
            char = None
        if char is None:
            if len(sjis) == 2:
                key = category(int(sjis_hex, 16))
                skipped[key] = skipped.get(key, 0) + 1
        else:
            checked += 1
            if out["euc"] != char.encode("euc_jp"):
                problems.append("EUC %s, Python %s" % (euc_hex, char.encode("euc_jp").hex().upper()))
            full = char if len(sjis) == 2 else bytes([sjis[0]]).decode("cp932")
            if len(sjis) == 1:
                full = unicodedata.normalize("NFKC", full)
                full = {"\u3099": "\u309b", "\u309a": "\u309c"}.get(full, full)
            expected_jis = full.encode("iso2022_jp")
            if expected_jis.endswith(ESC_ASCII):
                expected_jis = expected_jis[:-3] + ESC_ROMAN
            if out["jis"] != expected_jis:
                problems.append("JIS %s, Python %s" % (jis_hex, expected_jis.hex().upper()))
        if problems:
            failures.append("%s: %s" % (sjis_hex, "; ".join(problems)))
    print("%d codes compared with Python's shift_jis, euc_jp and iso2022_jp codecs" % checked)
    for key, count in sorted(skipped.items()):
        print("  not JIS X 0208, converted by the arithmetic: %s, %d codes" % (key, count))
    for failure in failures[:50]:
        print("FAIL " + failure)
    print("%d passed, %d failed" % (len(rows) - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
