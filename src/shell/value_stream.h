#pragma once
// The value stream: the container of every document file. A string is written as a signed 32-bit
// length and its bytes in Windows-1251; any other value as a 16-byte variant record (type code,
// six reserved bytes, the value left-aligned in the last eight). The reader decides value by value
// which kind it expects.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "shell/variant.h"

namespace kv {

class TSpecStream {
public:
  static constexpr size_t kRecordSize = 16;

  TSpecStream() = default;
  explicit TSpecStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  size_t Size() const { return bytes_.size(); }
  size_t Position() const { return position_; }
  void SetPosition(size_t position) { position_ = std::min(position, bytes_.size()); }
  size_t Remaining() const { return bytes_.size() - position_; }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  void Clear();
  // Room for size bytes, so that writing them never moves the buffer.
  void Reserve(size_t size) { bytes_.reserve(size); }

  void Write(const void* data, size_t count);
  // Reads up to count bytes; returns how many were read.
  size_t Read(void* data, size_t count);

  // Writes the value: a string as length and bytes, anything else as a variant record.
  void WriteTo(const TVariant& value);
  void WriteString(std::string_view text);
  // Reads a value of the model's kind. A short string shows the program's message and yields the
  // part that was there; a short record, a negative length or an unknown type code raise
  // EInOutError.
  TVariant ReadFrom(const TVariant& model);

  std::string ReadString();
  TVariant ReadValue();
  // A record that must hold the given kind: another kind, null or empty raises EInOutError naming
  // the record's offset, since the document's layout, not the record, decides what a value is.
  TVariant ReadValueOf(TVarType kind);

  // The document readers' and writers' typed records: ReadValueOf and WriteTo of one kind, with no
  // variant in between.
  int32_t ReadInteger();
  int64_t ReadInt64();
  double ReadDouble();
  bool ReadBoolean();
  TCurrency ReadCurrency();
  TDateTime ReadDate();
  uint8_t ReadByte();
  void WriteInteger(int32_t value);
  void WriteInt64(int64_t value);
  void WriteDouble(double value);
  void WriteBoolean(bool value);
  void WriteCurrency(TCurrency value);
  void WriteDate(TDateTime value);
  void WriteByte(uint8_t value);

  // Whole-file load and save. Saving replaces the file in one step (WriteFileAtomically), so a
  // failed save never destroys the previous file.
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;

private:
  template <typename T>
  void WriteRecord(TVarType kind, T value);
  template <typename T>
  T ReadRecordOf(TVarType kind);
  // The next record's bytes; EInOutError when fewer than a record's are left.
  const uint8_t* NextRecord();

  std::vector<uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace kv
