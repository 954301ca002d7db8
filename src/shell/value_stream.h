#pragma once
// The value stream: the container of every document file. A string is written as a signed 32-bit
// length and its bytes in Windows-1251; any other value as a 16-byte variant record (type code,
// six reserved bytes, the value left-aligned in the last eight). The reader decides value by value
// which kind it expects.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "shell/safe_files.h"
#include "shell/variant.h"

namespace kv {

class TSpecStream {
public:
  static constexpr size_t kRecordSize = 16;
  // Where a record's value starts.
  static constexpr size_t kValueOffset = 8;
  // A record's type code, and its value read as a T.
  static uint16_t KindOf(const uint8_t* record) {
    uint16_t code;
    std::memcpy(&code, record, sizeof(code));
    return code;
  }
  template <typename T>
  static T ValueOf(const uint8_t* record) {
    T value;
    std::memcpy(&value, record + kValueOffset, sizeof(T));
    return value;
  }

  TSpecStream() = default;
  explicit TSpecStream(std::span<const uint8_t> bytes);
  // A copy holds the same bytes at the same position; a stream moved from is empty.
  TSpecStream(const TSpecStream& other) : TSpecStream(other.Bytes()) { position_ = other.position_; }
  TSpecStream& operator=(const TSpecStream& other);
  TSpecStream(TSpecStream&& other) noexcept { *this = std::move(other); }
  TSpecStream& operator=(TSpecStream&& other) noexcept;

  size_t Size() const { return std::max(total_, drained_ + size_); }
  size_t Position() const { return drained_ + position_; }
  void SetPosition(size_t position) { position_ = std::min(position - std::min(position, drained_), size_); }
  size_t Remaining() const { return Size() - Position(); }
  // The bytes the stream holds (of a draining stream those not handed on yet, of a filling one
  // those taken in and not passed yet).
  std::span<const uint8_t> Bytes() const { return {data_.get(), size_}; }
  void Clear();
  // Room for size bytes, so that writing them never moves the buffer.
  void Reserve(size_t size);

  // A stream written to a file hands its bytes to the file whenever `piece` of them are waiting,
  // so that a large document never sits whole in memory. Such a stream is written front to back:
  // its position cannot go back into what it has handed on.
  void DrainTo(std::function<void(std::span<const uint8_t>)> sink, size_t piece);
  // Hands on the bytes still waiting.
  void Drain();
  // The mirror of a draining stream: a stream of `total` bytes that takes them from `source` in
  // pieces as it is read; source fills the room it is given and returns how many bytes it put
  // there. Such a stream is read front to back.
  void FillFrom(std::function<size_t(std::span<uint8_t>)> source, size_t total, size_t piece);

  // Writes at the position, over the bytes there and beyond the end.
  void Write(const void* data, size_t count) {
    if (count == 0) return;
    if (count > capacity_ - position_) MakeRoom(count);
    std::memcpy(data_.get() + position_, data, count);
    position_ += count;
    size_ = std::max(size_, position_);
  }
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
  int32_t ReadInteger() { return ReadRecordOf<int32_t>(varInteger); }
  int64_t ReadInt64() { return ReadRecordOf<int64_t>(varInt64); }
  double ReadDouble() { return ReadRecordOf<double>(varDouble); }
  bool ReadBoolean() { return ReadRecordOf<int16_t>(varBoolean) != 0; }
  TCurrency ReadCurrency() { return TCurrency::FromRaw(ReadRecordOf<int64_t>(varCurrency)); }
  TDateTime ReadDate() { return ReadRecordOf<double>(varDate); }
  uint8_t ReadByte() { return ReadRecordOf<uint8_t>(varByte); }
  void WriteInteger(int32_t value) { WriteRecord(varInteger, value); }
  void WriteInt64(int64_t value) { WriteRecord(varInt64, value); }
  void WriteDouble(double value) { WriteRecord(varDouble, value); }
  void WriteBoolean(bool value) { WriteRecord(varBoolean, value ? int16_t(-1) : int16_t(0)); }
  void WriteCurrency(TCurrency value) { WriteRecord(varCurrency, value.Raw()); }
  void WriteDate(TDateTime value) { WriteRecord(varDate, value); }
  void WriteByte(uint8_t value) { WriteRecord(varByte, value); }

  // Whole-file load and save. Saving replaces the file in one step (WriteFileAtomically), so a
  // failed save never destroys the previous file.
  void LoadFromFile(const std::filesystem::path& path);
  void SaveToFile(const std::filesystem::path& path) const;

private:
  template <typename T>
  void WriteRecord(TVarType kind, T value) {
    uint8_t record[kRecordSize] = {};
    const uint16_t code = kind;
    std::memcpy(record, &code, sizeof(code));
    std::memcpy(record + kValueOffset, &value, sizeof(T));
    Write(record, kRecordSize);
  }
  // ReadValueOf without the variant: the same refusals, in the same order.
  template <typename T>
  T ReadRecordOf(TVarType kind) {
    const uint8_t* record = NextRecord();
    if (KindOf(record) != kind) RaiseWrongKind(record, kind);
    return ValueOf<T>(record);
  }
  // An unknown kind is refused as such, a known one as the wrong one.
  [[noreturn]] void RaiseWrongKind(const uint8_t* record, TVarType kind) const;
  // The next record's bytes; EInOutError when fewer than a record's are left.
  const uint8_t* NextRecord() {
    if (size_ - position_ < kRecordSize && !TakeIn(kRecordSize)) RaiseShortRecord();
    position_ += kRecordSize;
    return data_.get() + position_ - kRecordSize;
  }
  [[noreturn]] void RaiseShortRecord();
  // Whether count bytes lie ready at the position; a filling stream first takes in what it can.
  bool TakeIn(size_t count);
  // Room for count bytes at the position: a draining stream first hands on what it holds, any
  // other doubles its room, so appending costs a copy per byte at most once on average.
  void MakeRoom(size_t count);

  // The bytes are left uninitialised until written or read in: a stream is filled from the start.
  std::unique_ptr<uint8_t[]> data_;
  size_t size_ = 0;
  size_t capacity_ = 0;
  size_t position_ = 0;
  std::function<void(std::span<const uint8_t>)> sink_;
  std::function<size_t(std::span<uint8_t>)> source_;
  // The bytes handed on (draining) or passed and let go (filling) before the buffer's first.
  size_t drained_ = 0;
  // A filling stream's size.
  size_t total_ = 0;
};

// A document written straight to its file: `write` fills a stream that hands its bytes to the file
// piece by piece, and the file takes the document's place in one step once `write` has finished
// (TFileReplacement). When `write` fails, the file stays as it was.
void WriteDocumentFile(const std::filesystem::path& path, TWriteMode mode,
                       const std::function<void(TSpecStream&)>& write);
// A document read straight from its file: `read` reads a stream that takes the file in pieces.
// A file that cannot be opened or read raises EInOutError.
void ReadDocumentFile(const std::filesystem::path& path, const std::function<void(TSpecStream&)>& read);

}  // namespace kv
