#include "shell/code_page.h"

#include <unicode/ucasemap.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "shell/errors.h"

namespace kv {

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The code points of the bytes 0x80..0xBF; the one byte the code page leaves undefined (0x98) is 0.
// Above them the bytes 0xC0..0xFF are the Cyrillic capitals and small letters U+0410..U+044F.
constexpr char16_t kUpperHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0000, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
constexpr uint8_t kFirstLetter = 0xC0;
constexpr char32_t kFirstLetterCodePoint = 0x0410;
constexpr char kReplacement = '?';

// The code point of a byte; none for the undefined byte.
std::optional<char32_t> CodePointOfByte(uint8_t byte) {
  if (byte < 0x80) return byte;
  if (byte >= kFirstLetter) return kFirstLetterCodePoint + (byte - kFirstLetter);
  if (kUpperHalf[byte - 0x80] == 0) return std::nullopt;
  return kUpperHalf[byte - 0x80];
}

// The byte of a code point; none when the code page lacks it.
std::optional<uint8_t> ByteOfCodePoint(char32_t code_point) {
  if (code_point < 0x80) return static_cast<uint8_t>(code_point);
  if (code_point >= kFirstLetterCodePoint && code_point < kFirstLetterCodePoint + 64)
    return static_cast<uint8_t>(kFirstLetter + (code_point - kFirstLetterCodePoint));
  for (uint8_t i = 0; i < 64; ++i)
    if (kUpperHalf[i] == code_point) return static_cast<uint8_t>(0x80 + i);
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The code point of the well-formed UTF-8 sequence at the start of the text, with its length;
// length 0 when the bytes there are no well-formed sequence (a stray or missing continuation byte,
// an overlong form, a surrogate, a value beyond U+10FFFF).
struct TDecoded {
  char32_t CodePoint = 0;
  size_t Length = 0;
};

TDecoded DecodeUtf8(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return {lead, 1};
  size_t length = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    smallest = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  char32_t code_point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuation(text[i])) return {};
    code_point = (code_point << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
  }
  if (code_point < smallest || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF)) return {};
  return {code_point, length};
}

// Windows-1251 letters: 0xC0..0xDF upper, 0xE0..0xFF lower; Ё 0xA8 / ё 0xB8.
char UpperCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0) return static_cast<char>(b - 32);
  if (b == 0xB8) return static_cast<char>(0xA8);
  return c;
}

char LowerCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
  if (b == 0xA8) return static_cast<char>(0xB8);
  return c;
}

template <typename Map>
std::string MapLetters(std::string_view text, Map map) {
  if (IsAscii(text)) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), map);
    return out;
  }
  std::string bytes = Utf8ToCp1251(text);
  std::transform(bytes.begin(), bytes.end(), bytes.begin(), map);
  return Cp1251ToUtf8(bytes);
}

}  // namespace

// A character the code page lacks, or bytes that are no well-formed UTF-8, become one replacement
// byte: the bytes from there up to the next byte that is not a continuation byte are one character.
size_t Utf8ToCp1251(std::string_view text, char* out) {
  if (IsAscii(text)) {
    std::copy(text.begin(), text.end(), out);
    return text.size();
  }
  char* const begin = out;
  for (size_t position = 0; position < text.size();) {
    const TDecoded decoded = DecodeUtf8(text.substr(position));
    const std::optional<uint8_t> byte = decoded.Length > 0 ? ByteOfCodePoint(decoded.CodePoint) : std::nullopt;
    if (byte) {
      *out++ = static_cast<char>(*byte);
      position += decoded.Length;
      continue;
    }
    *out++ = kReplacement;
    do ++position;
    while (position < text.size() && IsContinuation(text[position]));
  }
  return static_cast<size_t>(out - begin);
}

std::string Utf8ToCp1251(std::string_view text) {
  std::string out(text.size(), '\0');
  out.resize(Utf8ToCp1251(text, out.data()));
  return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const std::optional<char32_t> code_point = CodePointOfByte(static_cast<uint8_t>(c));
    if (code_point)
      AppendUtf8(out, *code_point);
    else
      out.push_back(kReplacement);
  }
  return out;
}

std::string CharactersOutsideCp1251(std::string_view text) {
  std::string missing;
  for (size_t start = 0; start < text.size();) {
    size_t end = start + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    const std::string_view character = text.substr(start, end - start);
    if (static_cast<unsigned char>(character[0]) >= 0x80 && Utf8ToCp1251(character) == "?" &&
        missing.find(character) == std::string::npos)
      missing += character;
    start = end;
  }
  return missing;
}

std::string AnsiUpperCase(std::string_view text) { return MapLetters(text, UpperCp1251); }
std::string AnsiLowerCase(std::string_view text) { return MapLetters(text, LowerCp1251); }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }

std::string UnicodeUpperCase(std::string_view text) {
  UErrorCode status = U_ZERO_ERROR;
  const std::unique_ptr<UCaseMap, decltype(&ucasemap_close)> map(ucasemap_open("", 0, &status), ucasemap_close);
  const auto to_upper = [&](std::string& upper) {
    return ucasemap_utf8ToUpper(map.get(), upper.data(), static_cast<int32_t>(upper.size()), text.data(),
                                static_cast<int32_t>(text.size()), &status);
  };
  std::string upper(text.size(), '\0');
  int32_t length = U_SUCCESS(status) ? to_upper(upper) : 0;
  // Upper case may be longer than the text ("ß" -> "SS"); the first call then tells the length.
  if (status == U_BUFFER_OVERFLOW_ERROR) {
    status = U_ZERO_ERROR;
    upper.resize(static_cast<size_t>(length));
    length = to_upper(upper);
  }
  if (U_FAILURE(status)) throw EKvError("Не удалось перевести текст в верхний регистр");
  upper.resize(static_cast<size_t>(length));
  return upper;
}

std::string AnsiUpperFirst(std::string_view text) {
  if (text.empty()) return "";
  std::string bytes = Utf8ToCp1251(text);
  bytes[0] = UpperCp1251(bytes[0]);
  return Cp1251ToUtf8(bytes);
}

}  // namespace kv
