#include "shell/table_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "shell/format_settings.h"

namespace kv {

namespace {

std::string ShortestDouble(double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Every digit of the whole part, however large the number (1e300 has 301).
std::string FixedDouble(double value, int decimals) {
  const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
  return text;
}

bool NeedsQuotes(const std::string& text) {
  return text.empty() || text.find_first_of(",\"\r\n") != std::string::npos || text.front() == ' ' ||
         text.back() == ' ';
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

size_t Utf8Length(const std::string& text) {
  size_t length = 0;
  for (unsigned char c : text) length += (c & 0xC0) != 0x80;
  return length;
}

bool ParseInteger(const std::string& text, int64_t& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool ParseDouble(const std::string& text, double& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value);
}

// The decimal places a number written in the text needs: the digits after the point less the
// exponent, so 1.50 needs two and 15e-3 three.
int64_t DecimalPlaces(const std::string& text) {
  const size_t exponent_at = text.find_first_of("eE");
  const size_t point = text.find('.');
  const size_t mantissa_end = exponent_at == std::string::npos ? text.size() : exponent_at;
  int64_t places =
      point == std::string::npos || point > mantissa_end ? 0 : static_cast<int64_t>(mantissa_end - point - 1);
  if (exponent_at != std::string::npos) {
    const char* first = text.data() + exponent_at + 1;
    if (*first == '+') ++first;
    int exponent = 0;
    std::from_chars(first, text.data() + text.size(), exponent);
    places -= exponent;
  }
  return places;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The bytes of hexadecimal text; false with the reason when it is not two digits a byte.
bool ParseHex(const std::string& hex, std::string& bytes, std::string& reason) {
  if (hex.size() % 2 != 0) return reason = "нечетное число шестнадцатеричных цифр", false;
  bytes.clear();
  bytes.reserve(hex.size() / 2);
  for (size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigit(hex[i]);
    const int low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0) {
      return reason = Format("символ %d не шестнадцатеричная цифра", static_cast<int>(i) + (high < 0 ? 1 : 2)), false;
    }
    bytes += static_cast<char>(high * 16 + low);
  }
  return true;
}

bool IntegerFits(TFieldType type, int64_t value) {
  if (type == TFieldType::ftSmallint) return value >= -32768 && value <= 32767;
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

}  // namespace

std::string BytesToHex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::optional<std::string> FormatCsvValue(const TValue& value, const TFieldDef& field) {
  if (value.IsNull()) return std::nullopt;
  switch (field.Type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return std::to_string(value.AsInteger());
    case TFieldType::ftBCD:
      return field.Decimals >= 0 ? FixedDouble(value.AsFloat(), field.Decimals) : ShortestDouble(value.AsFloat());
    case TFieldType::ftFloat: return ShortestDouble(value.AsFloat());
    case TFieldType::ftCurrency: return MoneyToText(value.AsCurrency());
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: return DateToIsoText(value.AsFloat(), field.Type == TFieldType::ftDateTime);
    case TFieldType::ftBlob: return BytesToHex(value.Text());
    case TFieldType::ftString: break;
  }
  return value.AsString();
}

bool TryParseCsvValue(const std::optional<std::string>& text, const TFieldDef& field, TValue& value,
                      std::string& reason) {
  if (!text) {
    value = TValue();
    return true;
  }
  switch (field.Type) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: {
      int64_t number = 0;
      if (!ParseInteger(*text, number)) return reason = Format("'%s' не является целым числом", *text), false;
      if (!IntegerFits(field.Type, number)) return reason = Format("число %s вне допустимого диапазона", *text), false;
      value = TValue(number);
      return true;
    }
    case TFieldType::ftBCD:
    case TFieldType::ftFloat: {
      double number = 0;
      if (!ParseDouble(*text, number)) return reason = Format("'%s' не является числом", *text), false;
      if (field.Type == TFieldType::ftBCD && field.Decimals >= 0 && DecimalPlaces(*text) > field.Decimals) {
        return reason = Format("в числе %s больше знаков после точки, чем %d", *text, field.Decimals), false;
      }
      value = TValue(number);
      return true;
    }
    case TFieldType::ftCurrency: {
      TCurrency money;
      if (!TryMoneyFromText(*text, money)) return reason = Format("'%s' не является денежной суммой", *text), false;
      value = TValue(money);
      return true;
    }
    case TFieldType::ftDate:
    case TFieldType::ftDateTime: {
      TDateTime date = 0;
      if (!TryDateFromIsoText(*text, date)) return reason = Format("'%s' не является датой (гггг-мм-дд)", *text), false;
      value = TValue(TDateValue{date});
      return true;
    }
    case TFieldType::ftString:
      if (field.Size > 0 && Utf8Length(*text) > static_cast<size_t>(field.Size)) {
        return reason = Format("текст длиннее %d символов", field.Size), false;
      }
      break;
    case TFieldType::ftBlob: {
      std::string bytes;
      if (!ParseHex(*text, bytes, reason)) return false;
      value = TValue(std::move(bytes));
      return true;
    }
  }
  value = TValue(*text);
  return true;
}

void WriteCsv(std::ostream& out, const TMemTable& table) {
  const TFieldDefs& fields = table.Fields();
  for (int i = 0; i < fields.Count(); ++i) out << (i ? "," : "") << fields[i].Name;
  out << "\n";
  for (const TRecord& row : table.Rows()) {
    for (int i = 0; i < fields.Count(); ++i) {
      if (i) out << ",";
      const auto text = FormatCsvValue(row[i], fields[i]);
      if (text) out << (NeedsQuotes(*text) ? Quoted(*text) : *text);
    }
    out << "\n";
  }
}

std::vector<TCsvRecord> ParseCsv(std::string_view text, const std::string& file_name) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<TCsvRecord> records;
  TCsvRecord record{1, {}};
  std::string field;
  bool quoted = false;
  bool in_quotes = false;
  bool at_field_start = true;
  int line = 1;
  const auto end_field = [&] {
    record.Fields.push_back(quoted || !field.empty() ? std::optional<std::string>(field) : std::nullopt);
    field.clear();
    quoted = false;
    at_field_start = true;
  };
  const auto end_record = [&] {
    end_field();
    records.push_back(std::move(record));
    record = TCsvRecord{line, {}};
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (in_quotes) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        in_quotes = false;
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == '"' && at_field_start) {
      in_quotes = quoted = true;
      at_field_start = false;
    } else if (c == ',') {
      end_field();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;
    } else if (c == '\n') {
      ++line;
      end_record();
    } else {
      if (quoted) {
        throw EConvertError(Format("Файл %s, строка %d: текст после закрывающей кавычки", file_name, line));
      }
      field += c;
      at_field_start = false;
    }
  }
  if (in_quotes) throw EConvertError(Format("Файл %s, строка %d: не закрыта кавычка", file_name, record.Line));
  if (!at_field_start || !record.Fields.empty() || quoted) end_record();
  return records;
}

}  // namespace kv
