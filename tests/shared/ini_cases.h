#pragma once
// INI lookups whose answers were worked out by hand from the rules of
// GetPrivateProfileStringA on a code page 936 system. The native test runs them
// through readProfileString; the Windows test writes each file and asks the
// real function (with a zero-filled buffer of bufferSize bytes). Every file is
// valid GBK without a byte order mark; non-ASCII bytes are hex escapes so the
// table means the same whatever the compiler's execution character set.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace quorvane::test {

struct IniCase {
  const char* name;
  std::string_view fileBytes;
  const char* section;
  const char* key;
  const char* defaultValue;
  std::size_t bufferSize;
  std::string_view expected;
};

using namespace std::string_view_literals;

// Keeps a built text alive for the whole run (a deque never moves its elements).
inline std::string_view kept(std::string text) {
  static std::deque<std::string> texts;
  return texts.emplace_back(std::move(text));
}

inline std::string repeated(std::string_view piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text.append(piece);
  return text;
}

inline constexpr std::size_t kCourierBuffer = 10240;  // the courier list's buffer: values up to 10239 bytes
inline constexpr std::string_view kNumberFile = "[Number]\r\n1=Alpha-a01\r\n2=Beta-b02\r\n"sv;
inline constexpr std::string_view kQuotedFile = "[Number]\r\n1=\"abc\"\r\n"sv;
inline constexpr std::string_view kCommentFile = "[Number]\r\n;1=x\r\n1=y\r\n#2=z\r\n"sv;
inline constexpr std::string_view kZhong = "\xD6\xD0"sv;  // 中

inline const IniCase kIniCases[] = {
    // Keys, sections and blanks.
    {"key 1", kNumberFile, "Number", "1", "0-0", kCourierBuffer, "Alpha-a01"sv},
    {"key 2", kNumberFile, "Number", "2", "0-0", kCourierBuffer, "Beta-b02"sv},
    {"missing key gives the default", kNumberFile, "Number", "3", "0-0", kCourierBuffer, "0-0"sv},
    {"missing section gives the default", kNumberFile, "Courier", "1", "0-0", kCourierBuffer, "0-0"sv},
    {"'=' with nothing after gives empty text", "[Number]\r\n1=\r\n"sv, "Number", "1", "0-0", kCourierBuffer, ""sv},
    {"names ignore ASCII case", "[nUmBeR]\r\nKey=x\r\n"sv, "NUMBER", "kEY", "0-0", kCourierBuffer, "x"sv},
    {"blanks around '='", "[Number]\r\n1 \t=\t  x\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "x"sv},
    {"blanks and ^Z around lines", " \t[Number]\x1A \r\n \t1=x \t\x1A\r\n"sv, "Number", "1", "0-0", kCourierBuffer,
     "x"sv},
    {"blanks inside the value stay", "[Number]\r\n1=a  b\t c\r\n"sv, "Number", "1", "0-0", kCourierBuffer,
     "a  b\t c"sv},
    {"blanks inside the brackets", "[ \tNumber  ]\r\n1=x\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "x"sv},
    {"blanks around the requested names", kNumberFile, " Number\t", " 1 ", "0-0", kCourierBuffer, "Alpha-a01"sv},
    {"text after ']' is ignored", "[Number] ; list\r\n1=x\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "x"sv},
    {"the last ']' closes the name", "[a]b]\r\n1=x\r\n"sv, "a]b", "1", "0-0", kCourierBuffer, "x"sv},
    {"'[' without ']' starts a key line", "[Number]\r\n[1=x\r\n"sv, "Number", "[1", "0-0", kCourierBuffer, "x"sv},
    {"'=' inside the value stays", "[Number]\r\n1=a=b\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "a=b"sv},

    // ';' and '#' mean nothing special.
    {"';' line is a key", kCommentFile, "Number", ";1", "0-0", kCourierBuffer, "x"sv},
    {"';' line hides no later key", kCommentFile, "Number", "1", "0-0", kCourierBuffer, "y"sv},
    {"'#' line is a key", kCommentFile, "Number", "#2", "0-0", kCourierBuffer, "z"sv},
    {"comment after a value is kept", "[Number]\r\n1=v ;x\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "v ;x"sv},

    // Quotes: one matching pair around the whole value goes.
    {"double quotes removed", "[Number]\r\n1=\"a b\"\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "a b"sv},
    {"single quotes removed", "[Number]\r\n1='a' \r\n"sv, "Number", "1", "0-0", kCourierBuffer, "a"sv},
    {"mismatched quotes kept", "[Number]\r\n1=\"a'\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "\"a'"sv},
    {"lone quote kept", "[Number]\r\n1=\"\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "\""sv},
    {"empty quotes give empty text", "[Number]\r\n1=\"\"\r\n"sv, "Number", "1", "0-0", kCourierBuffer, ""sv},
    {"only the outer pair goes", "[Number]\r\n1=\"a\"b\"\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "a\"b"sv},
    {"quoted value, buffer one past the text", kQuotedFile, "Number", "1", "0-0", 5, "abc"sv},
    {"quoted value, buffer of text plus one quote loses a character", kQuotedFile, "Number", "1", "0-0", 4, "ab"sv},

    // Only the first of a name counts.
    {"key given twice: the first wins", "[Number]\r\n1=x\r\n1=y\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "x"sv},
    {"section given twice: only the first is searched", "[Number]\r\n1=x\r\n[Other]\r\n[number]\r\n2=y\r\n"sv, "Number",
     "2", "0-0", kCourierBuffer, "0-0"sv},
    {"line without '=' gives the default", "[Number]\r\n1\r\n"sv, "Number", "1", "0-0", kCourierBuffer, "0-0"sv},
    {"line without '=' hides a later value", "[Number]\r\n1\r\n1=x\r\n"sv, "Number", "1", "0-0", kCourierBuffer,
     "0-0"sv},
    {"key before any section is in no named section", "1=x\r\n[Number]\r\n2=y\r\n"sv, "Number", "1", "0-0",
     kCourierBuffer, "0-0"sv},
    {"empty file gives the default", ""sv, "Number", "1", "0-0", kCourierBuffer, "0-0"sv},

    // Line ends.
    {"LF line ends", "[Number]\n1=x\n2=y\n"sv, "Number", "2", "0-0", kCourierBuffer, "y"sv},
    {"bare CR line ends", "[Number]\r1=x\r2=y\r"sv, "Number", "2", "0-0", kCourierBuffer, "y"sv},
    {"mixed line ends, none at the end", "[Number]\n\r\n\r1=x\r\r2=y"sv, "Number", "2", "0-0", kCourierBuffer, "y"sv},

    // The buffer: bufferSize-1 bytes, never half a double-byte character.
    {"long ASCII value cut to 10239 bytes", kept("[Number]\r\n1=" + std::string(12000, 'a') + "\r\n"), "Number", "1",
     "0-0", kCourierBuffer, kept(std::string(10239, 'a'))},
    {"long double-byte value cut to 10238 bytes", kept("[Number]\r\n1=" + repeated(kZhong, 6000) + "\r\n"), "Number",
     "1", "0-0", kCourierBuffer, kept(repeated(kZhong, 5119))},
    {"long mixed value cut to 10239 bytes", kept("[Number]\r\n1=a" + repeated(kZhong, 6000) + "\r\n"), "Number", "1",
     "0-0", kCourierBuffer, kept("a" + repeated(kZhong, 5119))},
    {"short buffer drops a character that does not fit", "[Number]\r\n1=\xD6\xD0\xCE\xC4"sv, "Number", "1", "0-0", 4,
     kZhong},  // 中文
    {"quoted double-byte value, buffer of text plus one quote", "[Number]\r\n1=\"\xD6\xD0\xCE\xC4\""sv, "Number", "1",
     "0-0", 3, kZhong},

    // GBK: trail bytes that look like syntax are part of their character.
    {"value with trail bytes 0x5C 0x5B 0x5D", "[Number]\r\n1=\x81\x5C\x81\x5B\x81\x5D\r\n"sv, "Number", "1", "0-0",
     kCourierBuffer, "\x81\x5C\x81\x5B\x81\x5D"sv},  // 乗乕乚
    {"key name with trail byte 0x5C", "[Number]\r\n\x81\x5C=x\r\n"sv, "Number", "\x81\x5C", "0-0", kCourierBuffer,
     "x"sv},
    {"trail byte 0x5D does not close a header", "[Number]\r\n[\x81\x5D=x\r\n"sv, "Number", "[\x81\x5D", "0-0",
     kCourierBuffer, "x"sv},
    {"header closed by the ']' before a trail byte 0x5D", "[\x81\x5D]\x81\x5D\r\n1=x\r\n"sv, "\x81\x5D", "1", "0-0",
     kCourierBuffer, "x"sv},
    {"double-byte name right before '='", "[Number]\r\n\xBC\xFC=\xD6\xB5\r\n"sv, "Number", "\xBC\xFC", "0-0",
     kCourierBuffer, "\xD6\xB5"sv},  // 键=值
    {"trail bytes that look like letters are not folded", "[\x81\x41]\r\n1=x\r\n"sv, "\x81\x61", "1", "0-0",
     kCourierBuffer, "0-0"sv},  // 丄 is not 乤

    // The default.
    {"trailing spaces of the default go", kNumberFile, "Number", "9", "dflt  ", kCourierBuffer, "dflt"sv},
    {"a default of spaces keeps one", kNumberFile, "Number", "9", "   ", kCourierBuffer, " "sv},
    {"quotes around the default go", kNumberFile, "Number", "9", "'q'", kCourierBuffer, "q"sv},
};

}  // namespace quorvane::test
