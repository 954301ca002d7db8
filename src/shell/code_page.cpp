#include "shell/code_page.h"

#include <iconv.h>
#include <unicode/ucasemap.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "shell/errors.h"

namespace kv {

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// One converter a direction and thread: opening iconv is far dearer than converting a string.
class TConverter {
public:
  TConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) throw EKvError("Не поддерживается кодовая страница Windows-1251");
  }
  ~TConverter() { iconv_close(handle_); }
  TConverter(const TConverter&) = delete;
  TConverter& operator=(const TConverter&) = delete;

  std::string Convert(std::string_view text, char replacement) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    std::string out(text.size() * 3 + 4, '\0');
    char* in_ptr = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char* out_ptr = out.data();
    size_t out_left = out.size();
    while (in_left > 0) {
      if (iconv(handle_, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) {
        const size_t used = out.size() - out_left;
        out.resize(out.size() * 2);
        out_ptr = out.data() + used;
        out_left = out.size() - used;
        continue;
      }
      // An invalid or unconvertible sequence: skip one character and put the replacement.
      SkipCharacter(in_ptr, in_left);
      if (out_left == 0) continue;
      *out_ptr++ = replacement;
      --out_left;
    }
    out.resize(out.size() - out_left);
    return out;
  }

private:
  static void SkipCharacter(char*& ptr, size_t& left) {
    do {
      ++ptr;
      --left;
    } while (left > 0 && (static_cast<unsigned char>(*ptr) & 0xC0) == 0x80);
  }
  iconv_t handle_;
};

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

std::string Utf8ToCp1251(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  thread_local TConverter converter("WINDOWS-1251", "UTF-8");
  return converter.Convert(text, '?');
}

std::string Cp1251ToUtf8(std::string_view text) {
  if (IsAscii(text)) return std::string(text);
  thread_local TConverter converter("UTF-8", "WINDOWS-1251");
  return converter.Convert(text, '?');
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

std::string TakeCp1251AsUtf8(std::string&& text) {
  if (IsAscii(text)) return std::move(text);
  return Cp1251ToUtf8(std::string_view(text));
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
