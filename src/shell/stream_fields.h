#pragma once
// One list of fields serves both directions of a document record: a record describes its fields
// once, in stream order, to a field archive, and the writer or the reader walks them. Fields that
// a format date added are read only from streams of that date or later.
#include <string>
#include <string_view>

#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/value_stream.h"
#include "shell/versions.h"

namespace kv {

class TFieldWriter {
public:
  explicit TFieldWriter(TSpecStream& stream) : stream_(stream) {}
  static constexpr bool kReading = false;

  void Str(const std::string& v) { stream_.WriteTo(v); }
  void Int(const int32_t& v) { stream_.WriteTo(v); }
  void Real(const double& v) { stream_.WriteTo(v); }
  void Money(const TCurrency& v) { stream_.WriteTo(v); }
  void Bool(const bool& v) { stream_.WriteTo(v); }
  // An enumeration's ordinal as an unsigned byte.
  template <typename Enum>
  void Byte(const Enum& v) { stream_.WriteTo(static_cast<uint8_t>(v)); }
  void Date(const TDateTime& v) { stream_.WriteTo(TVariant::Date(v)); }
  // Everything is written in the current format.
  bool Since(std::string_view) const { return true; }
  TSpecStream& Stream() { return stream_; }

private:
  TSpecStream& stream_;
};

class TFieldReader {
public:
  // version: the format date of the stream being read.
  TFieldReader(TSpecStream& stream, std::string version) : stream_(stream), version_(std::move(version)) {}
  static constexpr bool kReading = true;

  void Str(std::string& v) { v = stream_.ReadString(); }
  void Int(int32_t& v) { v = stream_.ReadInteger(); }
  void Real(double& v) { v = stream_.ReadDouble(); }
  void Money(TCurrency& v) { v = stream_.ReadCurrency(); }
  void Bool(bool& v) { v = stream_.ReadBoolean(); }
  template <typename Enum>
  void Byte(Enum& v) { v = static_cast<Enum>(stream_.ReadInteger()); }
  void Date(TDateTime& v) { v = stream_.ReadDate(); }
  bool Since(std::string_view date) const { return VerGreaterThan(version_, date); }
  TSpecStream& Stream() { return stream_; }
  const std::string& Version() const { return version_; }

private:
  TSpecStream& stream_;
  std::string version_;
};

// A count followed by that many records; the reader never trusts a count beyond what the stream
// can hold (each record takes at least min_record_size bytes).
template <typename Archive, typename List, typename ReadOne>
void CountedRecords(Archive& archive, List& list, size_t min_record_size, ReadOne each) {
  int32_t count = static_cast<int32_t>(list.size());
  archive.Int(count);
  if constexpr (Archive::kReading) {
    if (count < 0 || static_cast<size_t>(count) > archive.Stream().Remaining() / min_record_size)
      throw EInOutError(Format("Ошибка чтения из потока!\r\nНеверное число записей [%d]!", count));
    list.clear();
    list.resize(static_cast<size_t>(count));
  }
  for (auto& item : list) each(archive, item);
}

}  // namespace kv
