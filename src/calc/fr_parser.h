#pragma once
// The rule expression evaluator of catalogue rules and of the arguments of named calls: works on
// variant values (numbers read from a rule text are doubles, comparisons give the integers 1 and
// 0, a boolean counts as -1 or 0 in arithmetic, null propagates through arithmetic), asks its
// owner for unknown names and functions, and offers string and date functions. Operators are one
// character each in the postfix form; the two-character and word operators have control codes.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/errors.h"
#include "shell/variant.h"

namespace kv {

// A rule text that cannot be read: the evaluator's messages.
class EfrParserError : public EKvError {
  using EKvError::EKvError;
};

// Operator codes of the postfix form.
enum TfrOperator : char {
  fopGreaterEqual = 1,
  fopLessEqual = 2,
  fopNotEqual = 3,
  fopOr = 4,
  fopAnd = 5,
  fopInt = 6,
  fopFrac = 7,
  fopNegate = 9,
  fopPlus = 10,
  fopStr = 11,
  fopNot = 12,
  fopMod = 13,
  fopRound = 14,
  fopAdd = '+',
  fopSubtract = '-',
  fopMultiply = '*',
  fopDivide = '/',
  fopLess = '<',
  fopEqual = '=',
  fopGreater = '>',
};

// One item of the postfix form. Function arguments and bracketed sub-expressions stay texts
// until they are evaluated, so a branch of IF that is not taken is never evaluated.
struct TfrItem {
  enum TKind : uint8_t { Constant, Identifier, Function, SubExpression, Operator };
  TKind Kind = Constant;
  TVariant Value;                      // Constant
  std::string Name;                    // Identifier, Function (upper case), SubExpression (its text)
  std::vector<std::string> Arguments;  // Function: up to three argument texts
  TfrOperator Op = fopAdd;             // Operator
};

class TfrParser {
public:
  // Evaluations nested deeper than this (bracketed texts, function arguments) are refused, so a
  // hostile text cannot exhaust the stack.
  static constexpr int kMaxNesting = 64;

  using TGetValueEvent = std::function<void(const std::string& name, TVariant& value)>;
  using TFunctionEvent = std::function<void(const std::string& name, const std::string& param1,
                                            const std::string& param2, const std::string& param3, TVariant& value)>;

  // Called with the upper-cased identifier; the value is null unless the handler sets it.
  TGetValueEvent OnGetValue;
  // Called with the upper-cased function name and the unevaluated argument texts.
  TFunctionEvent OnFunction;

  // Converts the text to postfix form and evaluates it; errors reach the caller as exceptions.
  TVariant Calc(std::string_view expression);

  std::vector<TfrItem> Str2OPZ(std::string_view expression) const;
  TVariant CalcOPZ(const std::vector<TfrItem>& postfix);

private:
  TVariant CallFunction(const TfrItem& item);
  TVariant Evaluate(const TfrItem& item);
  int FNesting = 0;
};

}  // namespace kv
