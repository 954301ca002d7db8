#include "calc/formula_refs.h"

#include <algorithm>
#include <functional>

#include "shell/format_settings.h"

namespace kv {

namespace {

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// The characters that may follow a row number.
bool EndsReference(std::string_view text, size_t pos) {
  return pos >= text.size() || std::string_view(" +-*/()^").find(text[pos]) != std::string_view::npos;
}

size_t DigitsEnd(std::string_view text, size_t pos) {
  while (pos < text.size() && IsDecimalDigit(text[pos])) ++pos;
  return pos;
}

int RowNumber(std::string_view digits) {
  long long value = 0;
  if (digits.empty() || !TryStrToInt(digits, value) || value > INT32_MAX) throw EFormulaRefError(kRefBadRowNumber);
  return static_cast<int>(value);
}

std::string FixedText(long double value, int decimals) {
  return Format("%." + IntToStr(std::clamp(decimals, 0, 18)) + "f", value);
}

// Reads one reference at pos (the sign): its length, 0 when the text there is not a reference,
// and the text that replaces it.
using TReferenceReader = std::function<size_t(std::string_view text, size_t pos, std::string& replacement)>;

std::string ReplaceReferences(std::string_view text, char sign, const TReferenceReader& read) {
  std::string result;
  for (size_t i = 0; i < text.size();) {
    std::string replacement;
    const size_t length = text[i] == sign ? read(text, i, replacement) : 0;
    if (length == 0) {
      result += text[i++];
      continue;
    }
    result += replacement;
    i += length;
  }
  return result;
}

std::string ReplaceAll(std::string_view text, std::string_view what, const std::string& by) {
  std::string result;
  size_t start = 0;
  for (size_t found; (found = text.find(what, start)) != std::string_view::npos; start = found + what.size())
    result.append(text.substr(start, found - start)).append(by);
  return result.append(text.substr(start));
}

std::string ReplaceParameters(std::string_view text, const TStepParameters& parameters) {
  std::string result(text);
  for (size_t i = 0; i < parameters.Values.size(); ++i)
    result = ReplaceAll(result, "#P" + IntToStr(static_cast<long long>(i) + 1),
                        FixedText(parameters.Values[i], parameters.Decimals[i]));
  return result;
}

std::string ReplaceRows(std::string_view text, const IFormulaRefOwner& owner) {
  return ReplaceReferences(text, '#', [&owner](std::string_view s, size_t pos, std::string& replacement) -> size_t {
    const size_t end = DigitsEnd(s, pos + 1);
    if (!EndsReference(s, end)) return 0;
    const int no = RowNumber(s.substr(pos + 1, end - pos - 1));
    if (no == owner.CurrentStepNo()) throw EFormulaRefError(kRefCurrentRow);
    if (no > owner.CurrentStepNo()) throw EFormulaRefError(kRefLaterRow);
    replacement = FixedText(owner.FindResult(no).ToExtended(), 4);
    return end - pos;
  });
}

std::string ReplaceSums(std::string_view text, const IFormulaRefOwner& owner) {
  return ReplaceReferences(text, '&', [&owner](std::string_view s, size_t pos, std::string& replacement) -> size_t {
    const size_t from_end = DigitsEnd(s, pos + 1);
    if (s.substr(from_end, 2) != "..") return 0;
    const size_t to_end = DigitsEnd(s, from_end + 2);
    if (!EndsReference(s, to_end)) return 0;
    const int from = RowNumber(s.substr(pos + 1, from_end - pos - 1));
    const int to = RowNumber(s.substr(from_end + 2, to_end - from_end - 2));
    replacement = FixedText(owner.SumResult(from, to).ToExtended(), 4);
    return to_end - pos;
  });
}

std::string ReplaceMoney(std::string_view text, const IFormulaRefOwner& owner) {
  return ReplaceReferences(text, '$', [&owner](std::string_view s, size_t pos, std::string& replacement) -> size_t {
    // Digits and at most one decimal comma followed by digits: any other comma separates arguments.
    size_t end = DigitsEnd(s, pos + 1);
    if (end == pos + 1) return 0;
    if (end + 1 < s.size() && s[end] == ',' && IsDecimalDigit(s[end + 1])) end = DigitsEnd(s, end + 1);
    std::string amount(s.substr(pos + 1, end - pos - 1));
    std::replace(amount.begin(), amount.end(), ',', '.');
    replacement = FixedText(StrToFloat(amount) * owner.CurrencyFactor(), 4);
    return end - pos;
  });
}

// A named call runs from its name to the next closing bracket: its arguments hold no brackets.
std::string ReplaceNamedCalls(std::string_view text, IFormulaRefOwner& owner) {
  std::string result(text);
  for (std::string_view name : kNamedCalls) {
    const std::string opening = std::string(name) + "(";
    for (size_t start = result.find(opening); start != std::string::npos; start = result.find(opening, start)) {
      const size_t close = result.find(')', start);
      if (close == std::string::npos) break;
      const std::string value = FixedText(owner.NamedValue(result.substr(start, close - start + 1)), 6);
      result.replace(start, close - start + 1, value);
      start += value.size();
    }
  }
  return result;
}

}  // namespace

std::string TranslateFormula(std::string_view formula, const TStepParameters& parameters, IFormulaRefOwner& owner) {
  std::string text = ReplaceParameters(formula, parameters);
  text = ReplaceRows(text, owner);
  text = ReplaceSums(text, owner);
  text = ReplaceMoney(text, owner);
  return ReplaceNamedCalls(text, owner);
}

}  // namespace kv
