// `korvent-cli stream dump FILE [--json]`: every value of a value-stream file (an order, a
// selection, a complect list) with its byte offset, its kind and its value, for looking into files
// that do not load. The stream does not tag its strings, so each value is recognised from its
// bytes: a string is a length that fits followed by text bytes; a record has a known type code
// (and, as this program writes them, zero reserved bytes). Where both readings fit, the one after
// which the rest of the file still reads to its end is taken. Damaged files print what was read up
// to the damage and then the message naming its offset.
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <span>

#include "command_registry.h"
#include "json_text.h"
#include "parser_language.h"
#include "shell/date_time.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/money_words.h"
#include "shell/value_stream.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

constexpr size_t kLengthSize = sizeof(int32_t);
constexpr size_t kReservedBegin = 2;
constexpr size_t kValueBegin = 8;

struct TDumpOptions {
  std::string File;
  bool Json = false;
};

// The kinds by their type codes, in the words of the stream's value kinds.
const char* KindName(TVarType Type) {
  switch (Type) {
    case varEmpty: return "empty";
    case varNull: return "null";
    case varSmallint: return "short";
    case varInteger: return "int";
    case varSingle: return "single";
    case varDouble: return "double";
    case varCurrency: return "cur";
    case varDate: return "date";
    case varBoolean: return "bool";
    case varByte: return "byte";
    case varInt64: return "int64";
    case varString: return "str";
  }
  return nullptr;
}

bool IsTextByte(uint8_t Byte) { return Byte >= 0x20 || Byte == '\t' || Byte == '\r' || Byte == '\n'; }

// The bytes of a stream and, for every offset, how a value starting there can be read.
class TStreamShape {
public:
  explicit TStreamShape(std::span<const uint8_t> Bytes) : bytes_(Bytes), non_text_(Bytes.size() + 1, 0) {
    for (size_t i = 0; i < bytes_.size(); ++i) non_text_[i + 1] = non_text_[i] + (IsTextByte(bytes_[i]) ? 0 : 1);
    // From the end backwards: can the file be read to its end from this offset?
    completes_.assign(bytes_.size() + 1, false);
    completes_[bytes_.size()] = true;
    for (size_t offset = bytes_.size(); offset-- > 0;) {
      const std::optional<size_t> string_end = StringEnd(offset);
      completes_[offset] = (string_end && completes_[*string_end]) ||
                           (IsRecord(offset) && completes_[offset + TSpecStream::kRecordSize]);
    }
  }

  size_t Size() const { return bytes_.size(); }
  uint16_t TypeCode(size_t Offset) const { return Get<uint16_t>(Offset); }
  int32_t Length(size_t Offset) const { return Get<int32_t>(Offset); }

  // The end of a string of text bytes starting at Offset, if one fits there.
  std::optional<size_t> StringEnd(size_t Offset) const {
    if (Left(Offset) < kLengthSize) return std::nullopt;
    const int32_t length = Length(Offset);
    if (length < 0 || static_cast<size_t>(length) > Left(Offset) - kLengthSize) return std::nullopt;
    const size_t end = Offset + kLengthSize + static_cast<size_t>(length);
    if (non_text_[end] != non_text_[Offset + kLengthSize]) return std::nullopt;
    return end;
  }
  bool IsRecord(size_t Offset) const {
    return Left(Offset) >= TSpecStream::kRecordSize && KindName(static_cast<TVarType>(TypeCode(Offset))) != nullptr &&
           TypeCode(Offset) != varString;
  }

  // Whether the value at Offset is read as a string: of the readings that fit, the one after
  // which the file reads to its end; a record when its reserved bytes are zero (never an empty
  // string, whose four zero bytes are far more common), otherwise a string. nullopt: neither fits.
  std::optional<bool> ReadAsString(size_t Offset) const {
    const std::optional<size_t> string_end = StringEnd(Offset);
    const bool record = IsRecord(Offset);
    if (!string_end && !record) return std::nullopt;
    if (!string_end || !record) return string_end.has_value();
    const bool string_completes = completes_[*string_end];
    if (string_completes != completes_[Offset + TSpecStream::kRecordSize]) return string_completes;
    return !(TypeCode(Offset) != varEmpty && ReservedBytesZero(Offset));
  }

  // The program's message for a value that cannot start at Offset.
  std::string StopReason(size_t Offset) const {
    const size_t left = Left(Offset);
    if (left >= 2 && KindName(static_cast<TVarType>(TypeCode(Offset))) != nullptr)
      return Format("Ошибка чтения из потока!\r\nЗаказано: [%d байт], Считано: [%d байт]!", TSpecStream::kRecordSize,
                    left);
    if (left < kLengthSize)
      return Format("Ошибка чтения из потока!\r\nЗаказано: [%d байт], Считано: [%d байт]!", kLengthSize, left);
    // A whole record with zero reserved bytes is a record whose type code is damaged.
    if (left >= TSpecStream::kRecordSize && ReservedBytesZero(Offset)) return UnknownType(Offset);
    const int32_t length = Length(Offset);
    if (length < 0) return Format("Ошибка чтения строки из потока!\r\nНеверная длина строки [%d]!", length);
    if (static_cast<size_t>(length) > left - kLengthSize)
      return Format("Ошибка чтения строки из потока!\r\nЗаказано: [%d символов], Считано: [%d символов]!", length,
                    left - kLengthSize);
    return UnknownType(Offset);
  }

private:
  size_t Left(size_t Offset) const { return bytes_.size() - Offset; }
  template <class T>
  T Get(size_t Offset) const {
    T value{};
    std::memcpy(&value, bytes_.data() + Offset, std::min(sizeof(T), Left(Offset)));
    return value;
  }
  std::string UnknownType(size_t Offset) const {
    return Format("Ошибка чтения из потока!\r\nНеизвестный тип значения [%d]!", TypeCode(Offset));
  }
  bool ReservedBytesZero(size_t Offset) const {
    return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(Offset + kReservedBegin),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(Offset + kValueBegin),
                       [](uint8_t b) { return b == 0; });
  }

  std::span<const uint8_t> bytes_;
  std::vector<uint32_t> non_text_;  // non-text bytes before each offset
  std::vector<bool> completes_;
};

struct TDumpedValue {
  size_t Offset = 0;
  TVariant Value;
};

// Control characters of a string shown as escapes, so that each value keeps to one line.
std::string OneLine(const std::string& Text) {
  std::string line;
  for (const char c : Text) {
    switch (c) {
      case '\r': line += "\\r"; break;
      case '\n': line += "\\n"; break;
      case '\t': line += "\\t"; break;
      case '\\': line += "\\\\"; break;
      default: line += c;
    }
  }
  return line;
}

std::string ValueText(const TVariant& Value) {
  switch (Value.VarType()) {
    case varString: return OneLine(Value.AsString());
    case varDate: return DateTimeToStr(Value.AsDate());
    case varBoolean: return Value.AsBoolean() ? "1" : "0";
    default: return Value.AsString();
  }
}

TJson ValueJson(const TVariant& Value) {
  switch (Value.VarType()) {
    case varEmpty:
    case varNull: return nullptr;
    case varString: return Value.AsString();
    case varBoolean: return Value.AsBoolean();
    case varSmallint:
    case varInteger:
    case varByte:
    case varInt64: return Value.AsInt64();
    default: return Value.AsDouble();  // floats, money, dates (days since 30.12.1899)
  }
}

void Print(const std::vector<TDumpedValue>& Values, bool Json, std::ostream& Out) {
  if (Json) {
    TJson list = TJson::array();
    for (const auto& [offset, value] : Values)
      list.push_back({{"offset", offset}, {"kind", KindName(value.VarType())}, {"value", ValueJson(value)}});
    Out << JsonText(list, 2) << "\n";
    return;
  }
  for (const auto& [offset, value] : Values)
    Out << Format("%10d  %-6s  %s\n", offset, KindName(value.VarType()), ValueText(value));
}

void RunDump(const TDumpOptions& Options, std::ostream& Out) {
  TSpecStream stream;
  stream.LoadFromFile(Options.File);
  const TStreamShape shape(stream.Bytes());
  std::vector<TDumpedValue> values;
  while (stream.Position() < shape.Size()) {
    const size_t offset = stream.Position();
    const std::optional<bool> as_string = shape.ReadAsString(offset);
    if (!as_string) {
      Print(values, Options.Json, Out);
      Out.flush();
      throw EInOutError(shape.StopReason(offset) + Format("\r\nСмещение: [%d]", offset));
    }
    values.push_back({offset, *as_string ? TVariant(stream.ReadString()) : stream.ReadValue()});
  }
  Print(values, Options.Json, Out);
}

void InstallStream(CLI::App& app) {
  auto* stream = app.add_subcommand("stream", "Поток значений: просмотр файлов документов");
  stream->require_subcommand(1);
  auto options = std::make_shared<TDumpOptions>();
  auto* dump = stream->add_subcommand("dump", "Показать все значения файла: смещение, вид и значение");
  dump->add_option("file", options->File, "Файл потока значений (.gxo, .gxs, .gxc)")->required()->check(ExistingFile());
  dump->add_flag("--json", options->Json, "Вывести в JSON");
  dump->callback([options] { RunDump(*options, std::cout); });
}

const TCommandRegistration registration("stream", InstallStream);

// The demo writes a value of every kind to a file and dumps it as the command does (an empty value
// would read as four empty strings, so the demo leaves it out).
void ShowValueStream(const std::string& dir, std::ostream& out) {
  const std::vector<TVariant> values = {TVariant::Null(),
                                        int16_t{-12},
                                        int32_t{14000},
                                        1300.5f,
                                        2.4445,
                                        TCurrency::FromExtended(1234.05),
                                        TVariant::Date(EncodeDate(2014, 4, 23)),
                                        true,
                                        uint8_t{7},
                                        "Окно двустворчатое"};
  TSpecStream stream;
  for (const auto& value : values) stream.WriteTo(value);
  const auto path = std::filesystem::path(dir) / "values.kvs";
  stream.SaveToFile(path);
  out << Format("Поток значений: %s, %s\n", path.string(), CountText(stream.Size(), "байт", "байта", "байт"));
  RunDump(TDumpOptions{path.string(), false}, out);
}

const TDemoStep demo_step("10-stream", ShowValueStream);

}  // namespace

}  // namespace kv::cli
