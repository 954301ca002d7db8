#pragma once
// Tables as CSV text (UTF-8, a header line of field names, one line per row, RFC 4180 quoting), so
// tables can be kept in a spreadsheet. An empty unquoted field is NULL; an empty text is written
// quoted (""). Numbers use a point; money is exact decimal text; dates are yyyy-mm-dd; binary data
// (a stored construction) is hexadecimal text, two digits a byte, so it survives a text editor.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "shell/table_engine.h"

namespace kv {

// Binary data as hexadecimal text, two upper-case digits a byte.
std::string BytesToHex(const std::string& bytes);

// The field text of a value of the field (unquoted; std::nullopt for NULL).
std::optional<std::string> FormatCsvValue(const TValue& value, const TFieldDef& field);
// Reads a field text into a value of the field's type; false with the reason when it does not
// fit (not a number, too long, out of range ...).
bool TryParseCsvValue(const std::optional<std::string>& text, const TFieldDef& field, TValue& value,
                      std::string& reason);

// Writes the header and every row in table order.
void WriteCsv(std::ostream& out, const TMemTable& table);

struct TCsvRecord {
  int Line = 0;  // line of the file where the record starts, 1-based
  std::vector<std::optional<std::string>> Fields;
};
// Splits CSV text into records; a quote left open raises EConvertError with the file and line.
std::vector<TCsvRecord> ParseCsv(std::string_view text, const std::string& file_name);

}  // namespace kv
