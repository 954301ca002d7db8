#include "shell/value_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/safe_files.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr size_t kValueOffset = TSpecStream::kValueOffset;

template <typename T>
T GetValue(const uint8_t* record) {
  T value;
  std::memcpy(&value, record + kValueOffset, sizeof(T));
  return value;
}

uint16_t KindOf(const uint8_t* record) {
  uint16_t code;
  std::memcpy(&code, record, sizeof(code));
  return code;
}

[[noreturn]] void RaiseUnknownKind(uint16_t code) {
  throw EInOutError(Format("Ошибка чтения из потока!\r\nНеизвестный тип значения [%d]!", code));
}

TVariant DecodeRecord(const uint8_t* record) {
  const uint16_t code = KindOf(record);
  switch (code) {
    case varEmpty: return TVariant();
    case varNull: return TVariant::Null();
    case varSmallint: return TVariant(GetValue<int16_t>(record));
    case varInteger: return TVariant(GetValue<int32_t>(record));
    case varSingle: return TVariant(GetValue<float>(record));
    case varDouble: return TVariant(GetValue<double>(record));
    case varCurrency: return TVariant(TCurrency::FromRaw(GetValue<int64_t>(record)));
    case varDate: return TVariant::Date(GetValue<double>(record));
    case varBoolean: return TVariant(GetValue<int16_t>(record) != 0);
    case varByte: return TVariant(GetValue<uint8_t>(record));
    case varInt64: return TVariant(GetValue<int64_t>(record));
    default: RaiseUnknownKind(code);
  }
}

}  // namespace

TSpecStream::TSpecStream(std::span<const uint8_t> bytes) {
  Write(bytes.data(), bytes.size());
  position_ = 0;
}

TSpecStream& TSpecStream::operator=(const TSpecStream& other) {
  if (this != &other) *this = TSpecStream(other);
  return *this;
}

void TSpecStream::Clear() {
  size_ = 0;
  position_ = 0;
  drained_ = 0;
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

size_t TSpecStream::Read(void* data, size_t count) {
  const size_t available = std::min(count, Remaining());
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
  const size_t read = std::min<size_t>(static_cast<size_t>(length), Remaining());
  const std::string_view bytes(reinterpret_cast<const char*>(data_.get() + position_), read);
  position_ += read;
  if (read < static_cast<size_t>(length))
    ShowError(
        Format("Ошибка чтения строки из потока!\r\nЗаказано: [%d символов], Считано: [%d символов]!", length, read));
  // The text ends at a zero byte, as a C string does.
  return Cp1251ToUtf8(bytes.substr(0, bytes.find('\0')));
}

void TSpecStream::RaiseShortRecord() {
  const size_t got = Remaining();
  position_ = size_;
  throw EInOutError(Format("Ошибка чтения из потока!\r\nЗаказано: [%d байт], Считано: [%d байт]!", kRecordSize, got));
}

TVariant TSpecStream::ReadValue() { return DecodeRecord(NextRecord()); }

TVariant TSpecStream::ReadValueOf(TVarType kind) {
  const size_t offset = position_;
  TVariant value = ReadValue();
  if (value.VarType() != kind)
    throw EInOutError(Format("Ошибка чтения из потока!\r\nТип значения [%d] вместо [%d], смещение [%d]!",
                             static_cast<int>(value.VarType()), static_cast<int>(kind), offset));
  return value;
}

void TSpecStream::RaiseWrongKind(const uint8_t* record, TVarType kind) const {
  DecodeRecord(record);
  throw EInOutError(Format("Ошибка чтения из потока!\r\nТип значения [%d] вместо [%d], смещение [%d]!",
                           static_cast<int>(KindOf(record)), static_cast<int>(kind), Position() - kRecordSize));
}

void TSpecStream::LoadFromFile(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError(Format("Не могу открыть файл [%s]!", path.string()));
  const std::unique_ptr<const int, void (*)(const int*)> closing(&fd, [](const int* open_fd) { close(*open_fd); });
  // A directory opens too, with a meaningless size.
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
    throw EInOutError(Format("Не могу открыть файл [%s]!", path.string()));
  const auto size = static_cast<size_t>(status.st_size);
  Clear();
  Reserve(size);
  while (size_ < size) {
    const ssize_t got = read(fd, data_.get() + size_, size - size_);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) throw EInOutError(Format("Ошибка чтения файла [%s]!", path.string()));
    size_ += static_cast<size_t>(got);
  }
}

void TSpecStream::SaveToFile(const std::filesystem::path& path) const { WriteFileAtomically(path, Bytes()); }

void WriteDocumentFile(const std::filesystem::path& path, TWriteMode mode,
                       const std::function<void(TSpecStream&)>& write) {
  // Small enough to stay in the processor's cache between writing and handing on.
  constexpr size_t kPiece = 1 << 20;
  TFileReplacement file(path, mode);
  TSpecStream stream;
  stream.DrainTo([&file](std::span<const uint8_t> bytes) { file.Append(bytes); }, kPiece);
  write(stream);
  stream.Drain();
  file.Commit();
}

}  // namespace kv
