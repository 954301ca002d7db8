#pragma once
// The rule expression evaluator of catalogue rules and of the arguments of named calls: works on
// variant values, asks its owner for unknown names and functions, and offers string and date
// functions. Operators are one character each in the postfix form; the two-character and word
// operators have control codes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "shell/date_time.h"
#include "shell/errors.h"

namespace kv {

// A date held by a variant value (days since 30.12.1899, the fraction the time of day).
struct TfrDate {
  TDateTime Value = 0;
  bool operator==(const TfrDate&) const = default;
};

// Null, a boolean, an integer, a real number, a text or a date. Numbers read from a rule text are
// real; comparisons give the integers 1 and 0. In arithmetic a boolean counts as 1 or 0.
using TfrValue = std::variant<std::monostate, bool, int64_t, double, std::string, TfrDate>;

bool IsNull(const TfrValue& value);
// The value as a number: a text is converted (EConvertError when it is not a number), a date is
// its day number, null is 0.
double ToNumber(const TfrValue& value);
// The value as text: numbers with the process's decimal separator, dates "dd.mm.yyyy", null "".
std::string ToText(const TfrValue& value);

// A rule text that cannot be read: the evaluator's messages.
class EfrParserError : public EKvError { using EKvError::EKvError; };

// Operator codes of the postfix form.
enum TfrOperator : char {
  fopGreaterEqual = 1, fopLessEqual = 2, fopNotEqual = 3, fopOr = 4, fopAnd = 5, fopInt = 6,
  fopFrac = 7, fopNegate = 9, fopPlus = 10, fopStr = 11, fopNot = 12, fopMod = 13, fopRound = 14,
  fopAdd = '+', fopSubtract = '-', fopMultiply = '*', fopDivide = '/', fopLess = '<', fopEqual = '=',
  fopGreater = '>',
};

// One item of the postfix form. Function arguments and bracketed sub-expressions stay texts
// until they are evaluated, so a branch of IF that is not taken is never evaluated.
struct TfrItem {
  enum TKind : uint8_t { Constant, Identifier, Function, SubExpression, Operator };
  TKind Kind = Constant;
  TfrValue Value;                    // Constant
  std::string Name;                  // Identifier, Function (upper case), SubExpression (its text)
  std::vector<std::string> Arguments;  // Function: up to three argument texts
  TfrOperator Op = fopAdd;           // Operator
};

class TfrParser {
public:
  // Evaluations nested deeper than this (bracketed texts, function arguments) are refused, so a
  // hostile text cannot exhaust the stack.
  static constexpr int kMaxNesting = 64;

  using TGetValueEvent = std::function<void(const std::string& name, TfrValue& value)>;
  using TFunctionEvent = std::function<void(const std::string& name, const std::string& param1,
                                            const std::string& param2, const std::string& param3,
                                            TfrValue& value)>;

  // Called with the upper-cased identifier; null when not set or when the handler leaves it.
  TGetValueEvent OnGetValue;
  // Called with the upper-cased function name and the unevaluated argument texts.
  TFunctionEvent OnFunction;

  // Converts the text to postfix form and evaluates it; errors reach the caller as exceptions.
  TfrValue Calc(std::string_view expression);

  std::vector<TfrItem> Str2OPZ(std::string_view expression) const;
  TfrValue CalcOPZ(const std::vector<TfrItem>& postfix);

private:
  TfrValue CallFunction(const TfrItem& item);
  TfrValue Evaluate(const TfrItem& item);
  int FNesting = 0;
};

}  // namespace kv
