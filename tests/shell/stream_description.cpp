#include "shell/stream_description.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace kv::test {

namespace {

namespace fs = std::filesystem;

static_assert(std::endian::native == std::endian::little, "the stream is little-endian like this machine");

// A record: type code in bytes 0-1, six reserved bytes, the value left-aligned from byte 8.
constexpr size_t kRecordSize = 16;
constexpr size_t kValueOffset = 8;
// Deep enough for a description that includes one that includes another; stops include cycles.
constexpr int kMaxIncludeDepth = 8;

struct TSourceLine {
  std::string Text;
  std::string Where;  // file:line for the messages
};

[[noreturn]] void Fail(const std::string& Where, const std::string& What) {
  throw std::invalid_argument(Where + ": " + What);
}

// The line without its comment and the blanks around it.
std::string_view Meaningful(std::string_view Line) {
  if (!Line.empty() && Line.front() == '#') return {};
  for (size_t i = 1; i < Line.size(); ++i) {
    if (Line[i] == '#' && (Line[i - 1] == ' ' || Line[i - 1] == '\t')) {
      Line = Line.substr(0, i);
      break;
    }
  }
  const size_t first = Line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return Line.substr(first, Line.find_last_not_of(" \t\r") - first + 1);
}

std::vector<TSourceLine> SourceLines(std::string_view Text, const std::string& Name) {
  std::vector<TSourceLine> lines;
  size_t start = 0;
  for (int number = 1; start <= Text.size(); ++number) {
    const size_t end = std::min(Text.find('\n', start), Text.size());
    const std::string_view meaningful = Meaningful(Text.substr(start, end - start));
    if (!meaningful.empty()) lines.push_back({std::string(meaningful), Name + ":" + std::to_string(number)});
    start = end + 1;
  }
  return lines;
}

template <class T>
T Number(std::string_view Text, const std::string& Where) {
  std::string text(Text);
  std::replace(text.begin(), text.end(), ',', '.');
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) Fail(Where, "not a number of this kind: " + text);
  return value;
}

uint8_t HexByte(std::string_view Text, const std::string& Where) {
  uint8_t value = 0;
  const auto [stop, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value, 16);
  if (Text.size() != 2 || error != std::errc() || stop != Text.data() + Text.size())
    Fail(Where, "not a two-digit hex byte: " + std::string(Text));
  return value;
}

// UTF-8 in Windows-1251 through iconv; a character the code page lacks is a mistake of the text.
std::string Cp1251(std::string_view Utf8, const std::string& Where) {
  iconv_t converter = iconv_open("WINDOWS-1251", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) Fail(Where, "iconv has no Windows-1251");
  std::string out(Utf8.size(), '\0');  // one byte a character, never more than the UTF-8 bytes
  char* in = const_cast<char*>(Utf8.data());
  size_t in_left = Utf8.size();
  char* to = out.data();
  size_t out_left = out.size();
  const size_t result = iconv(converter, &in, &in_left, &to, &out_left);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1)) Fail(Where, "text not in Windows-1251: " + std::string(Utf8));
  out.resize(out.size() - out_left);
  return out;
}

// The string's bytes: literal text in Windows-1251, escapes as the bytes they name.
std::string StringBytes(std::string_view Value, const std::string& Where) {
  std::string bytes;
  std::string literal;
  const auto flush = [&] {
    bytes += Cp1251(literal, Where);
    literal.clear();
  };
  for (size_t i = 0; i < Value.size(); ++i) {
    if (Value[i] != '\\') {
      literal += Value[i];
      continue;
    }
    flush();
    const char escape = i + 1 < Value.size() ? Value[++i] : '\0';
    switch (escape) {
      case 'r': bytes += '\r'; break;
      case 'n': bytes += '\n'; break;
      case 't': bytes += '\t'; break;
      case '\\': bytes += '\\'; break;
      case 'x':
        bytes += static_cast<char>(HexByte(Value.substr(i + 1, 2), Where));
        i += 2;
        break;
      default: Fail(Where, "unknown escape in: " + std::string(Value));
    }
  }
  flush();
  return bytes;
}

// Money with four decimals, exact: "12,5" is 125000.
int64_t CurrencyUnits(std::string_view Text, const std::string& Where) {
  std::string text(Text);
  std::replace(text.begin(), text.end(), ',', '.');
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.erase(0, 1);
  const size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
  if (fraction.size() > 4) Fail(Where, "money has four decimals at most: " + std::string(Text));
  fraction.resize(4, '0');
  const int64_t units = Number<int64_t>(whole, Where) * 10000 + Number<int64_t>(fraction, Where);
  return negative ? -units : units;
}

bool LeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

// "dd.mm.yyyy" with an optional "hh:mm" or "hh:mm:ss": days since 30.12.1899, the time as the
// fraction of the day.
double DateSerial(std::string_view Text, const std::string& Where) {
  static constexpr int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const std::string_view date = Text.substr(0, Text.find(' '));
  if (date.size() != 10 || date[2] != '.' || date[5] != '.') Fail(Where, "not a date dd.mm.yyyy: " + std::string(Text));
  const int day = Number<int>(date.substr(0, 2), Where);
  const int month = Number<int>(date.substr(3, 2), Where);
  const int year = Number<int>(date.substr(6, 4), Where);
  if (year < 1900 || month < 1 || month > 12 || day < 1 ||
      day > kMonthDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0))
    Fail(Where, "no such date (from 1900 on): " + std::string(Text));
  double days = 1;  // 31.12.1899
  for (int y = 1900; y < year; ++y) days += LeapYear(y) ? 366 : 365;
  for (int m = 1; m < month; ++m) days += kMonthDays[m - 1] + (m == 2 && LeapYear(year) ? 1 : 0);
  days += day;
  if (date.size() == Text.size()) return days;
  const std::string_view time = Text.substr(date.size() + 1);
  if ((time.size() != 5 && time.size() != 8) || time[2] != ':' || (time.size() == 8 && time[5] != ':'))
    Fail(Where, "not a time hh:mm[:ss]: " + std::string(time));
  const int seconds = Number<int>(time.substr(0, 2), Where) * 3600 + Number<int>(time.substr(3, 2), Where) * 60 +
                      (time.size() == 8 ? Number<int>(time.substr(6, 2), Where) : 0);
  return days + seconds / 86400.0;
}

class TEncoder {
public:
  std::vector<uint8_t> Bytes;

  void Encode(const std::vector<TSourceLine>& Lines, size_t Begin, size_t End, const fs::path& Folder, int Depth) {
    for (size_t i = Begin; i < End; ++i) {
      const TSourceLine& line = Lines[i];
      const size_t blank = line.Text.find_first_of(" \t");
      const std::string word = line.Text.substr(0, blank);
      const std::string rest = blank == std::string::npos ? "" : line.Text.substr(blank + 1);
      if (word == "repeat") {
        const size_t block_end = BlockEnd(Lines, i);
        for (int times = Number<int>(rest, line.Where); times > 0; --times)
          Encode(Lines, i + 1, block_end, Folder, Depth);
        i = block_end;
      } else if (word == "end") {
        Fail(line.Where, "end without repeat");
      } else if (word == "include") {
        if (Depth >= kMaxIncludeDepth) Fail(line.Where, "includes nested too deep");
        Include(Folder / rest, Depth + 1);
      } else if (word == "raw") {
        std::istringstream hex(rest);
        for (std::string byte; hex >> byte;) Bytes.push_back(HexByte(byte, line.Where));
      } else {
        const size_t star = word.find('*');
        const int times = star == std::string::npos ? 1 : Number<int>(word.substr(star + 1), line.Where);
        for (int k = 0; k < times; ++k) Value(word.substr(0, star), rest, line.Where);
      }
    }
  }

  void Include(const fs::path& File, int Depth) {
    std::ifstream in(File, std::ios::binary);
    if (!in) throw std::invalid_argument("cannot open the description " + File.string());
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<TSourceLine> lines = SourceLines(text.str(), File.filename().string());
    Encode(lines, 0, lines.size(), File.parent_path(), Depth);
  }

private:
  // The index of the "end" that closes the block opened at Open.
  static size_t BlockEnd(const std::vector<TSourceLine>& Lines, size_t Open) {
    int depth = 0;
    for (size_t i = Open; i < Lines.size(); ++i) {
      const std::string& text = Lines[i].Text;
      if (text.rfind("repeat", 0) == 0) ++depth;
      if (text == "end" && --depth == 0) return i;
    }
    Fail(Lines[Open].Where, "repeat without end");
  }

  template <class T>
  void Record(uint16_t Code, T Value) {
    uint8_t record[kRecordSize] = {};
    std::memcpy(record, &Code, sizeof(Code));
    std::memcpy(record + kValueOffset, &Value, sizeof(T));
    Bytes.insert(Bytes.end(), record, record + kRecordSize);
  }

  void Value(const std::string& Kind, const std::string& Text, const std::string& Where) {
    if (Kind == "str") {
      const std::string bytes = StringBytes(Text, Where);
      const auto length = static_cast<int32_t>(bytes.size());
      const auto* length_bytes = reinterpret_cast<const uint8_t*>(&length);
      Bytes.insert(Bytes.end(), length_bytes, length_bytes + sizeof(length));
      Bytes.insert(Bytes.end(), bytes.begin(), bytes.end());
    } else if (Kind == "empty" || Kind == "null") {
      if (!Text.empty()) Fail(Where, Kind + " takes no value");
      Record<uint8_t>(Kind == "empty" ? 0 : 1, 0);
    } else if (Kind == "short") {
      Record(2, Number<int16_t>(Text, Where));
    } else if (Kind == "int") {
      Record(3, Number<int32_t>(Text, Where));
    } else if (Kind == "single") {
      Record(4, Number<float>(Text, Where));
    } else if (Kind == "double") {
      Record(5, Number<double>(Text, Where));
    } else if (Kind == "cur") {
      Record(6, CurrencyUnits(Text, Where));
    } else if (Kind == "date") {
      Record(7, DateSerial(Text, Where));
    } else if (Kind == "bool") {
      if (Text != "0" && Text != "1") Fail(Where, "bool is 0 or 1");
      Record<int16_t>(11, Text == "1" ? -1 : 0);
    } else if (Kind == "byte") {
      Record(17, Number<uint8_t>(Text, Where));
    } else if (Kind == "int64") {
      Record(20, Number<int64_t>(Text, Where));
    } else {
      Fail(Where, "unknown kind " + Kind);
    }
  }
};

}  // namespace

std::vector<uint8_t> DescribedStream(std::string_view Text, const std::filesystem::path& Folder) {
  TEncoder encoder;
  const std::vector<TSourceLine> lines = SourceLines(Text, "description");
  encoder.Encode(lines, 0, lines.size(), Folder, 0);
  return std::move(encoder.Bytes);
}

std::vector<uint8_t> DescribedStreamFile(const std::filesystem::path& File) {
  TEncoder encoder;
  encoder.Include(File, 0);
  return std::move(encoder.Bytes);
}

TChangedStream DescribedStreamWithLine(std::string_view Text, std::string_view Marker, std::string_view Line,
                                       const std::filesystem::path& Folder) {
  const size_t found = Text.find(Marker);
  if (found == std::string_view::npos) throw std::invalid_argument("no line holds " + std::string(Marker));
  const size_t begin = Text.rfind('\n', found) == std::string_view::npos ? 0 : Text.rfind('\n', found) + 1;
  const size_t end = std::min(Text.find('\n', found), Text.size());
  const std::string changed = std::string(Text.substr(0, begin)) + std::string(Line) + std::string(Text.substr(end));
  return {DescribedStream(changed, Folder), static_cast<long>(DescribedStream(Text.substr(0, begin), Folder).size())};
}

long FirstDifference(std::span<const uint8_t> A, std::span<const uint8_t> B) {
  const auto [a, b] = std::mismatch(A.begin(), A.end(), B.begin(), B.end());
  return a == A.end() && b == B.end() ? -1 : static_cast<long>(a - A.begin());
}

}  // namespace kv::test
