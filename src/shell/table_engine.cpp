#include "shell/table_engine.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "shell/format_settings.h"

namespace kv {

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

// The numbers inside "NAME(a,b)"; missing ones stay as given.
void ReadTypeArguments(const std::string& declared, int& first, int& second) {
  const auto open = declared.find('(');
  if (open == std::string::npos) return;
  std::sscanf(declared.c_str() + open + 1, "%d,%d", &first, &second);
}

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The text of a number as an index key: whole numbers without decimals, so 5, 5.0 and money
// 5.0000 give the same key.
std::string NumberKeyText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 9e15) {
    return std::to_string(static_cast<int64_t>(value));
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

}  // namespace

TFieldDef FieldDefFromDeclaredType(const std::string& name, const std::string& declared) {
  const std::string type = Upper(declared);
  TFieldDef def{name, TFieldType::ftString, 0, -1};
  int first = 0;
  int second = -1;
  ReadTypeArguments(type, first, second);
  if (StartsWith(type, "VARCHAR") || StartsWith(type, "CHAR") || type == "TEXT") {
    def.Size = first;
  } else if (StartsWith(type, "MONEY")) {
    def.Type = TFieldType::ftCurrency;
    def.Decimals = 4;
  } else if (type == "SMALLINT") {
    def.Type = TFieldType::ftSmallint;
  } else if (type == "AUTOINC") {
    def.Type = TFieldType::ftAutoInc;
  } else if (type.find("INT") != std::string::npos) {
    def.Type = TFieldType::ftInteger;
  } else if (StartsWith(type, "DECIMAL") || StartsWith(type, "NUMERIC")) {
    def.Type = TFieldType::ftBCD;
    def.Decimals = second;
  } else if (type == "DOUBLE" || type == "REAL" || type == "FLOAT") {
    def.Type = TFieldType::ftFloat;
  } else if (type == "DATE") {
    def.Type = TFieldType::ftDate;
  } else if (type == "TIMESTAMP" || type == "DATETIME") {
    def.Type = TFieldType::ftDateTime;
  } else if (type == "BLOB") {
    def.Type = TFieldType::ftBlob;
  }
  return def;
}

std::string DeclaredType(const TFieldDef& def) {
  switch (def.Type) {
    case TFieldType::ftString: return def.Size > 0 ? "VARCHAR(" + std::to_string(def.Size) + ")" : "TEXT";
    case TFieldType::ftSmallint: return "SMALLINT";
    case TFieldType::ftInteger: return "INTEGER";
    case TFieldType::ftAutoInc: return "AUTOINC";
    case TFieldType::ftBCD: return def.Decimals >= 0 ? "DECIMAL(15," + std::to_string(def.Decimals) + ")" : "DOUBLE";
    case TFieldType::ftFloat: return "DOUBLE";
    case TFieldType::ftCurrency: return "MONEY TEXT";
    case TFieldType::ftDate: return "DATE";
    case TFieldType::ftDateTime: return "TIMESTAMP";
    case TFieldType::ftBlob: return "BLOB";
  }
  return "TEXT";
}

std::string MoneyToText(TCurrency value) {
  const int64_t raw = value.Raw();
  const uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (fraction.size() > 2 && fraction.back() == '0') fraction.pop_back();
  return (raw < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

bool TryMoneyFromText(std::string_view text, TCurrency& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || fraction.size() > 4) return false;
  const auto all_digits = [](std::string_view part) {
    return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (!all_digits(whole) || !all_digits(fraction)) return false;
  // The magnitude in ten-thousandths, kept within the range of the type: up to 2^63 - 1, and 2^63
  // for a negative amount.
  const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
  std::string digits(whole);
  digits.append(fraction).append(4 - fraction.size(), '0');
  uint64_t magnitude = 0;
  for (char c : digits) {
    const uint64_t digit = c - '0';
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  value = TCurrency::FromRaw(negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude));
  return true;
}

std::string DateToIsoText(TDateTime value, bool with_time) {
  const TDate date = DecodeDate(value);
  char buffer[40];
  if (!with_time) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
    return buffer;
  }
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  DecodeTime(value, hour, minute, second, millisecond);
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", date.Year, date.Month, date.Day, hour, minute,
                second);
  return buffer;
}

bool TryDateFromIsoText(std::string_view text, TDateTime& value) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  const std::string copy(text);
  char tail = 0;
  const int read =
      std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute, &second, &tail);
  // The exact length of either form, so nothing may follow the date or the time.
  const bool whole = (read == 3 && copy.size() == 10) || (read == 6 && copy.size() == 19);
  if (!whole || !IsValidDate(year, month, day)) return false;
  if (hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) return false;
  value = EncodeDate(year, month, day) + (read == 6 ? EncodeTime(hour, minute, second) : 0);
  return true;
}

std::string TValue::AsString() const {
  struct TVisitor {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(int64_t v) const { return std::to_string(v); }
    std::string operator()(double v) const { return FloatToStr(v); }
    std::string operator()(const std::string& v) const { return v; }
    std::string operator()(TCurrency v) const { return FloatToStr(v.ToExtended()); }
    std::string operator()(TDateValue v) const { return DateToStr(v.Value); }
  };
  return std::visit(TVisitor{}, data_);
}

const std::string& TValue::Text() const {
  static const std::string empty;
  const auto* text = std::get_if<std::string>(&data_);
  return text ? *text : empty;
}

int64_t TValue::ConvertedToInteger() const {
  struct TVisitor {
    int64_t operator()(std::monostate) const { return 0; }
    int64_t operator()(int64_t v) const { return v; }
    int64_t operator()(double v) const { return std::llround(v); }
    int64_t operator()(const std::string& v) const {
      if (v.empty()) return 0;
      long long number = 0;
      if (!TryStrToInt(v, number)) throw EConvertError(Format("'%s' не является целым числом", v));
      return number;
    }
    int64_t operator()(TCurrency v) const { return std::llround(static_cast<double>(v.ToExtended())); }
    int64_t operator()(TDateValue v) const { return static_cast<int64_t>(v.Value); }
  };
  return std::visit(TVisitor{}, data_);
}

double TValue::ConvertedToFloat() const {
  struct TVisitor {
    double operator()(std::monostate) const { return 0; }
    double operator()(int64_t v) const { return static_cast<double>(v); }
    double operator()(double v) const { return v; }
    double operator()(const std::string& v) const { return v.empty() ? 0 : static_cast<double>(StrToFloat(v)); }
    double operator()(TCurrency v) const { return v.ToDouble(); }
    double operator()(TDateValue v) const { return v.Value; }
  };
  return std::visit(TVisitor{}, data_);
}

TCurrency TValue::AsCurrency() const {
  struct TVisitor {
    TCurrency operator()(std::monostate) const { return {}; }
    TCurrency operator()(int64_t v) const { return TCurrency::FromInt(v); }
    TCurrency operator()(double v) const { return TCurrency::FromExtended(v); }
    TCurrency operator()(const std::string& v) const {
      TCurrency money;
      if (v.empty()) return money;
      if (!TryMoneyFromText(v, money)) money = TCurrency::FromExtended(StrToFloat(v));
      return money;
    }
    TCurrency operator()(TCurrency v) const { return v; }
    TCurrency operator()(TDateValue v) const { return TCurrency::FromExtended(v.Value); }
  };
  return std::visit(TVisitor{}, data_);
}

TFieldDefs::TFieldDefs(std::vector<TFieldDef> defs) : defs_(std::move(defs)) {
  for (int i = 0; i < Count(); ++i) by_upper_name_.emplace(Upper(defs_[i].Name), i);
}

int TFieldDefs::IndexOf(std::string_view name) const {
  const auto found = by_upper_name_.find(Upper(name));
  return found == by_upper_name_.end() ? -1 : found->second;
}

int TFieldDefs::IndexOfOrRaise(std::string_view name, std::string_view table) const {
  const int index = IndexOf(name);
  if (index < 0) throw EDatabaseError(Format("%s: поле '%s' не найдено", table, name));
  return index;
}

TKey::TKey(std::initializer_list<TValue> parts) {
  for (const TValue& part : parts) Add(part);
}

TKey& TKey::Add(int64_t number) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
  return Add(std::string_view(buffer, result.ptr - buffer));
}

TKey& TKey::Add(const TValue& value) {
  struct TVisitor {
    TKey& key;
    void operator()(std::monostate) const { key.Add(std::string_view()); }
    void operator()(int64_t v) const { key.Add(v); }
    void operator()(double v) const { key.Add(std::string_view(NumberKeyText(v))); }
    void operator()(const std::string& v) const { key.Add(std::string_view(v)); }
    void operator()(TCurrency v) const {
      const std::string text =
          v.Raw() % TCurrency::kScale == 0 ? std::to_string(v.Raw() / TCurrency::kScale) : MoneyToText(v);
      key.Add(std::string_view(text));
    }
    void operator()(TDateValue v) const { key.Add(std::string_view(NumberKeyText(v.Value))); }
  };
  std::visit(TVisitor{*this}, value.Data());
  return *this;
}

TMemTable::TMemTable(std::string name, TFieldDefs fields, std::vector<std::string> primary_key)
    : name_(std::move(name)), fields_(std::move(fields)), primary_key_(std::move(primary_key)) {}

TKey TMemTable::RowKey(const TIndex& index, const TRecord& row) const {
  TKey key;
  for (int column : index.Columns) key.Add(row[column]);
  return key;
}

void TMemTable::Append(TRecord row) {
  if (static_cast<int>(row.size()) != fields_.Count()) {
    throw EDatabaseError(Format("%s: число значений записи (%d) не совпадает с числом полей (%d)", name_,
                                static_cast<int>(row.size()), fields_.Count()));
  }
  rows_.push_back(std::move(row));
  const auto position = static_cast<uint32_t>(rows_.size() - 1);
  for (TIndex& index : indexes_) index.Rows.Insert(RowKey(index, rows_.back()), position);
}

void TMemTable::Clear() {
  rows_.clear();
  for (TIndex& index : indexes_) index.Rows.Clear();
}

TMemTable::TIndexId TMemTable::AddIndex(const std::vector<std::string>& fields) {
  std::vector<int> columns;
  for (const std::string& field : fields) columns.push_back(FieldIndex(field));
  for (size_t i = 0; i < indexes_.size(); ++i) {
    if (indexes_[i].Columns == columns) return static_cast<TIndexId>(i);
  }
  TIndex index{columns, {}};
  for (uint32_t position = 0; position < rows_.size(); ++position) {
    index.Rows.Insert(RowKey(index, rows_[position]), position);
  }
  indexes_.push_back(std::move(index));
  return static_cast<TIndexId>(indexes_.size() - 1);
}

std::span<const uint32_t> TMemTable::Range(TIndexId index, const TKey& key) const {
  return indexes_.at(index).Rows.Find(key);
}

const TRecord* TMemTable::Locate(TIndexId index, const TKey& key) const {
  const auto range = Range(index, key);
  return range.empty() ? nullptr : &rows_[range.front()];
}

const TRecord* TMemTable::LocateLast(TIndexId index, const TKey& key) const {
  const auto range = Range(index, key);
  return range.empty() ? nullptr : &rows_[range.back()];
}

std::vector<const TRecord*> TMemTable::Select(const TRowPredicate& pass) const {
  std::vector<const TRecord*> selected;
  for (const TRecord& row : rows_) {
    if (pass(row)) selected.push_back(&row);
  }
  return selected;
}

}  // namespace kv
