#include "shell/value_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/safe_files.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

[[noreturn]] void RaiseUnknownKind(uint16_t code) {
  throw EInOutError(Format("Ошибка чтения из потока!\r\nНеизвестный тип значения [%d]!", code));
}

TVariant DecodeRecord(const uint8_t* record) {
  const uint16_t code = TSpecStream::KindOf(record);
  switch (code) {
    case varEmpty: return TVariant();
    case varNull: return TVariant::Null();
    case varSmallint: return TVariant(TSpecStream::ValueOf<int16_t>(record));
    case varInteger: return TVariant(TSpecStream::ValueOf<int32_t>(record));
    case varSingle: return TVariant(TSpecStream::ValueOf<float>(record));
    case varDouble: return TVariant(TSpecStream::ValueOf<double>(record));
    case varCurrency: return TVariant(TCurrency::FromRaw(TSpecStream::ValueOf<int64_t>(record)));
    case varDate: return TVariant::Date(TSpecStream::ValueOf<double>(record));
    case varBoolean: return TVariant(TSpecStream::ValueOf<int16_t>(record) != 0);
    case varByte: return TVariant(TSpecStream::ValueOf<uint8_t>(record));
    case varInt64: return TVariant(TSpecStream::ValueOf<int64_t>(record));
    default: RaiseUnknownKind(code);
  }
}

// The piece a document file is written or read in: small enough to stay in the processor's cache
// between the file and the stream.
constexpr size_t kDocumentPiece = 1 << 20;

// A document file open for reading, closed when it goes; it is read up to the size it had when it
// was opened.
class TDocumentFile {
public:
  explicit TDocumentFile(const std::filesystem::path& path)
      : path_(path), fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd_ < 0) throw EInOutError(Format("Не могу открыть файл [%s]!", path_.string()));
    // A directory opens too, with a meaningless size.
    struct stat status {};
    if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
      close(fd_);
      throw EInOutError(Format("Не могу открыть файл [%s]!", path_.string()));
    }
    size_ = static_cast<size_t>(status.st_size);
  }
  ~TDocumentFile() { close(fd_); }
  TDocumentFile(const TDocumentFile&) = delete;
  TDocumentFile& operator=(const TDocumentFile&) = delete;

  size_t Size() const { return size_; }

  // Fills the room as far as the file goes; 0 at its end. A file that ends early raises EInOutError.
  size_t Read(std::span<uint8_t> room) {
    const size_t wanted = std::min(room.size(), size_ - read_);
    if (wanted == 0) return 0;
    for (;;) {
      const ssize_t got = read(fd_, room.data(), wanted);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) throw EInOutError(Format("Ошибка чтения файла [%s]!", path_.string()));
      read_ += static_cast<size_t>(got);
      return static_cast<size_t>(got);
    }
  }

private:
  std::filesystem::path path_;
  int fd_;
  size_t size_ = 0;
  size_t read_ = 0;
};

}  // namespace

TSpecStream::TSpecStream(std::span<const uint8_t> bytes) {
  Write(bytes.data(), bytes.size());
  position_ = 0;
}

TSpecStream& TSpecStream::operator=(const TSpecStream& other) {
  if (this != &other) *this = TSpecStream(other);
  return *this;
}

TSpecStream& TSpecStream::operator=(TSpecStream&& other) noexcept {
  if (this == &other) return *this;
  data_ = std::move(other.data_);
  size_ = std::exchange(other.size_, 0);
  capacity_ = std::exchange(other.capacity_, 0);
  position_ = std::exchange(other.position_, 0);
  sink_ = std::exchange(other.sink_, nullptr);
  source_ = std::exchange(other.source_, nullptr);
  drained_ = std::exchange(other.drained_, 0);
  total_ = std::exchange(other.total_, 0);
  return *this;
}

void TSpecStream::Clear() {
  size_ = 0;
  position_ = 0;
  drained_ = 0;
  total_ = 0;
  source_ = nullptr;
}

void TSpecStream::Reserve(size_t size) {
  if (size <= capacity_) return;
  auto data = std::make_unique_for_overwrite<uint8_t[]>(size);
  if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
  data_ = std::move(data);
  capacity_ = size;
}

void TSpecStream::MakeRoom(size_t count) {
  if (sink_ && position_ == size_) {
    Drain();
    if (count <= capacity_) return;
  }
  Reserve(std::max({position_ + count, 2 * capacity_, size_t{256}}));
}

void TSpecStream::DrainTo(std::function<void(std::span<const uint8_t>)> sink, size_t piece) {
  sink_ = std::move(sink);
  Reserve(piece);
}

void TSpecStream::Drain() {
  if (!sink_ || size_ == 0) return;
  sink_(Bytes());
  drained_ += size_;
  size_ = position_ = 0;
}

void TSpecStream::FillFrom(std::function<size_t(std::span<uint8_t>)> source, size_t total, size_t piece) {
  Clear();
  source_ = std::move(source);
  total_ = total;
  Reserve(piece);
}

bool TSpecStream::TakeIn(size_t count) {
  if (size_ - position_ >= count) return true;
  if (!source_) return false;
  // The bytes not read yet move to the front, and the room behind them is filled.
  const size_t rest = size_ - position_;
  if (rest > 0) std::memmove(data_.get(), data_.get() + position_, rest);
  drained_ += position_;
  size_ = rest;
  position_ = 0;
  if (count > capacity_) Reserve(std::max(count, 2 * capacity_));
  while (size_ < count) {
    const size_t got = source_({data_.get() + size_, capacity_ - size_});
    if (got == 0) break;
    size_ += got;
  }
  return size_ >= count;
}

size_t TSpecStream::Read(void* data, size_t count) {
  if (count > size_ - position_) TakeIn(std::min(count, Remaining()));
  const size_t available = std::min(count, size_ - position_);
  if (available > 0) std::memcpy(data, data_.get() + position_, available);
  position_ += available;
  return available;
}

// The text goes into the stream's own room, the length in front of it once it is known.
void TSpecStream::WriteString(std::string_view text) {
  const size_t room = sizeof(int32_t) + text.size();
  if (room > capacity_ - position_) MakeRoom(room);
  uint8_t* const at = data_.get() + position_;
  const auto length = static_cast<int32_t>(Utf8ToCp1251(text, reinterpret_cast<char*>(at + sizeof(int32_t))));
  std::memcpy(at, &length, sizeof(length));
  position_ += sizeof(length) + static_cast<size_t>(length);
  size_ = std::max(size_, position_);
}

void TSpecStream::WriteTo(const TVariant& value) {
  switch (value.VarType()) {
    case varString: WriteString(*value.IfString()); break;
    case varSmallint: WriteRecord(varSmallint, static_cast<int16_t>(value.AsInteger())); break;
    case varInteger: WriteInteger(value.AsInteger()); break;
    case varSingle: WriteRecord(varSingle, value.AsSingle()); break;
    case varDouble: WriteDouble(value.AsDouble()); break;
    case varCurrency: WriteCurrency(value.AsCurrency()); break;
    case varDate: WriteDate(value.AsDate()); break;
    case varBoolean: WriteBoolean(value.AsBoolean()); break;
    case varByte: WriteByte(static_cast<uint8_t>(value.AsInteger())); break;
    case varInt64: WriteInt64(value.AsInt64()); break;
    default: WriteRecord<uint8_t>(value.VarType(), 0);  // empty and null carry no value
  }
}

TVariant TSpecStream::ReadFrom(const TVariant& model) {
  return model.IsString() ? TVariant(ReadString()) : ReadValue();
}

std::string TSpecStream::ReadString() {
  int32_t length = 0;
  const size_t got = Read(&length, sizeof(length));
  if (got < sizeof(length))
    throw EInOutError(
        Format("Ошибка чтения из потока!\r\nЗаказано: [%d байт], Считано: [%d байт]!", sizeof(length), got));
  if (length < 0) throw EInOutError(Format("Ошибка чтения строки из потока!\r\nНеверная длина строки [%d]!", length));
  if (length == 0) return "";
  // Never more than the stream holds, whatever the length field claims.
  const size_t wanted = std::min<size_t>(static_cast<size_t>(length), Remaining());
  if (wanted > size_ - position_) TakeIn(wanted);
  const size_t read = std::min(wanted, size_ - position_);
  const std::string_view bytes(reinterpret_cast<const char*>(data_.get() + position_), read);
  position_ += read;
  if (read < static_cast<size_t>(length))
    ShowError(
        Format("Ошибка чтения строки из потока!\r\nЗаказано: [%d символов], Считано: [%d символов]!", length, read));
  // The text ends at a zero byte, as a C string does.
  return Cp1251ToUtf8(bytes.substr(0, bytes.find('\0')));
}

void TSpecStream::RaiseShortRecord() {
  const size_t got = size_ - position_;
  position_ = size_;
  throw EInOutError(Format("Ошибка чтения из потока!\r\nЗаказано: [%d байт], Считано: [%d байт]!", kRecordSize, got));
}

TVariant TSpecStream::ReadValue() { return DecodeRecord(NextRecord()); }

TVariant TSpecStream::ReadValueOf(TVarType kind) {
  const uint8_t* record = NextRecord();
  if (KindOf(record) != kind) RaiseWrongKind(record, kind);
  return DecodeRecord(record);
}

void TSpecStream::RaiseWrongKind(const uint8_t* record, TVarType kind) const {
  DecodeRecord(record);  // an unknown kind is refused as such
  throw EInOutError(Format("Ошибка чтения из потока!\r\nТип значения [%d] вместо [%d], смещение [%d]!",
                           static_cast<int>(KindOf(record)), static_cast<int>(kind), Position() - kRecordSize));
}

void TSpecStream::LoadFromFile(const std::filesystem::path& path) {
  TDocumentFile file(path);
  Clear();
  Reserve(file.Size());
  while (size_ < file.Size()) size_ += file.Read({data_.get() + size_, file.Size() - size_});
}

void TSpecStream::SaveToFile(const std::filesystem::path& path) const { WriteFileAtomically(path, Bytes()); }

void WriteDocumentFile(const std::filesystem::path& path, TWriteMode mode,
                       const std::function<void(TSpecStream&)>& write) {
  TFileReplacement file(path, mode);
  TSpecStream stream;
  stream.DrainTo([&file](std::span<const uint8_t> bytes) { file.Append(bytes); }, kDocumentPiece);
  write(stream);
  stream.Drain();
  file.Commit();
}

void ReadDocumentFile(const std::filesystem::path& path, const std::function<void(TSpecStream&)>& read) {
  TDocumentFile file(path);
  TSpecStream stream;
  stream.FillFrom([&file](std::span<uint8_t> room) { return file.Read(room); }, file.Size(), kDocumentPiece);
  read(stream);
}

}  // namespace kv
