// The CSV reader of the catalogue import on arbitrary text: records or the program's message, never
// a crash. Every field is read as a value of every column type, and a value that is accepted must
// come back unchanged when written as CSV text and read again.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/errors.h"
#include "shell/session_context.h"
#include "shell/table_csv.h"

namespace {

const kv::TFieldDef kColumns[] = {
    {"S", kv::TFieldType::ftSmallint, 0, -1}, {"I", kv::TFieldType::ftInteger, 0, -1},
    {"N", kv::TFieldType::ftBCD, 0, 2},       {"F", kv::TFieldType::ftFloat, 0, -1},
    {"M", kv::TFieldType::ftCurrency, 0, 4},  {"D", kv::TFieldType::ftDate, 0, -1},
    {"T", kv::TFieldType::ftDateTime, 0, -1}, {"A", kv::TFieldType::ftString, 10, -1},
    {"B", kv::TFieldType::ftBlob, 0, -1},
};

void CheckRoundTrip(const std::optional<std::string>& text, const kv::TFieldDef& column) {
  kv::TValue value;
  std::string reason;
  if (!kv::TryParseCsvValue(text, column, value, reason)) return;
  kv::TValue again;
  if (!kv::TryParseCsvValue(kv::FormatCsvValue(value, column), column, again, reason) || !(again == value))
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static kv::TSessionContext context;
  const kv::TContextScope current(context);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    for (const kv::TCsvRecord& record : kv::ParseCsv(text, "fuzz.csv"))
      for (const auto& field : record.Fields)
        for (const kv::TFieldDef& column : kColumns) CheckRoundTrip(field, column);
  } catch (const kv::EConvertError&) {
  }
  return 0;
}
