#pragma once
// One list of fields serves both directions of a document record: a record describes its fields
// once, in stream order, to a field archive, and the writer or the reader walks them. Fields that
// a format date added are read only from streams of that date or later.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/value_stream.h"
#include "shell/versions.h"

namespace kv {

// A string list as the documents store it: each line ended by CR LF.
inline std::string LinesToText(const std::vector<std::string>& lines) {
  size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const auto& line : lines) text.append(line).append("\r\n");
  return text;
}

// Splits at CR LF, CR or LF; a final break gives no empty line.
inline std::vector<std::string> TextToLines(std::string_view text) {
  std::vector<std::string> lines;
  if (text.empty()) return lines;
  // A line per line feed and one after the last: the usual CR LF text takes its room once.
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

class TFieldWriter {
public:
  // version: the layout to write, empty for the current one (older layouts serve the tests of
  // the readers).
  explicit TFieldWriter(TSpecStream& stream, std::string version = "")
      : stream_(stream), version_(std::move(version)), version_key_(version_) {}
  static constexpr bool kReading = false;

  void Str(const std::string& v) { stream_.WriteString(v); }
  void Int(const int32_t& v) { stream_.WriteInteger(v); }
  void Int64(const int64_t& v) { stream_.WriteInt64(v); }
  void Real(const double& v) { stream_.WriteDouble(v); }
  // A single is stored widened to a double.
  void Real(const float& v) { stream_.WriteDouble(v); }
  void Money(const TCurrency& v) { stream_.WriteCurrency(v); }
  void Text(const std::vector<std::string>& lines) { stream_.WriteString(LinesToText(lines)); }
  void Bool(const bool& v) { stream_.WriteBoolean(v); }
  // An enumeration's ordinal as an unsigned byte; last is the highest ordinal a reader accepts.
  template <typename Enum>
  void Byte(const Enum& v, Enum last) {
    stream_.WriteByte(static_cast<uint8_t>(v));
  }
  // A byte whose every value is kept as it is.
  void Byte(const uint8_t& v) { stream_.WriteByte(v); }
  void Date(const TDateTime& v) { stream_.WriteDate(v); }
  bool Since(TFormatDate date) const { return version_.empty() || version_key_.NotOlderThan(date); }
  TSpecStream& Stream() { return stream_; }
  const std::string& Version() const { return version_; }

private:
  TSpecStream& stream_;
  std::string version_;
  TVersionKey version_key_;
};

class TFieldReader {
public:
  // version: the format date of the stream being read.
  TFieldReader(TSpecStream& stream, std::string version)
      : stream_(stream), version_(std::move(version)), version_key_(version_) {}
  static constexpr bool kReading = true;

  void Str(std::string& v) { v = stream_.ReadString(); }
  void Int(int32_t& v) { v = stream_.ReadInteger(); }
  void Int64(int64_t& v) { v = stream_.ReadInt64(); }
  void Real(double& v) { v = stream_.ReadDouble(); }
  void Real(float& v) { v = static_cast<float>(stream_.ReadDouble()); }
  void Money(TCurrency& v) { v = stream_.ReadCurrency(); }
  void Text(std::vector<std::string>& lines) { lines = TextToLines(stream_.ReadString()); }
  void Bool(bool& v) { v = stream_.ReadBoolean(); }
  // An ordinal beyond last names nothing of the enumeration: the file is refused rather than
  // showing an empty caption or computing with an unknown unit.
  template <typename Enum>
  void Byte(Enum& v, Enum last) {
    const size_t offset = stream_.Position();
    const uint8_t ordinal = stream_.ReadByte();
    if (ordinal > static_cast<uint8_t>(last))
      throw EInOutError(
          Format("Ошибка чтения из потока!\r\nНедопустимое значение [%d] (наибольшее [%d]), смещение [%d]!", ordinal,
                 static_cast<uint8_t>(last), offset));
    v = static_cast<Enum>(ordinal);
  }
  void Byte(uint8_t& v) { v = stream_.ReadByte(); }
  void Date(TDateTime& v) { v = stream_.ReadDate(); }
  bool Since(TFormatDate date) const { return version_key_.NotOlderThan(date); }
  TSpecStream& Stream() { return stream_; }
  const std::string& Version() const { return version_; }

private:
  TSpecStream& stream_;
  std::string version_;
  TVersionKey version_key_;
};

// A count read from the stream, refused when it is negative or claims more records than the rest
// of the stream can hold (each record takes at least min_record_size bytes).
inline size_t CheckedCount(TSpecStream& stream, int32_t count, size_t min_record_size) {
  if (count < 0 || static_cast<size_t>(count) > stream.Remaining() / min_record_size)
    throw EInOutError(Format("Ошибка чтения из потока!\r\nНеверное число записей [%d]!", count));
  return static_cast<size_t>(count);
}

// A count followed by that many records. The reader appends record by record, so memory follows
// what the stream really holds.
template <typename Archive, typename List, typename ReadOne>
void CountedRecords(Archive& archive, List& list, size_t min_record_size, ReadOne each) {
  int32_t count = static_cast<int32_t>(list.size());
  archive.Int(count);
  if constexpr (Archive::kReading) {
    const size_t checked = CheckedCount(archive.Stream(), count, min_record_size);
    list.clear();
    for (size_t i = 0; i < checked; ++i) each(archive, list.emplace_back());
  } else {
    for (auto& item : list) each(archive, item);
  }
}

}  // namespace kv
