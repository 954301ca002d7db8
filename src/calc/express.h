#pragma once
// The formula language of price-calculation methods: a numeric expression of up to three
// variables and six parameters, compiled once into a flat operation list and then evaluated as
// often as asked. Undefined arithmetic (division by zero, logarithm of zero, ...) yields 0 instead
// of raising, so evaluation never throws.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "calc/express_native.h"

namespace kv {

// Operation codes of the compiled list.
enum TExpressOpCode : uint8_t {
  ocVariable = 0,
  ocNumber = 1,
  ocParameter = 2,
  ocPi = 3,
  ocNegate = 4,
  ocAdd = 5,
  ocSubtract = 6,
  ocMultiply = 7,
  ocDivide = 8,
  ocIntPower = 9,
  ocRealPower = 10,
  ocCos = 11,
  ocSin = 12,
  ocExp = 13,
  ocLn = 14,
  ocSqrt = 15,
  ocArctan = 16,
  ocSquare = 17,
  ocCube = 18,
  ocFourth = 19,
  ocAbs = 20,
  ocMax = 21,
  ocMin = 22,
  ocHeav = 23,
  ocPh = 24,
  ocRn = 25,
  ocArg = 26,
  ocSinh = 27,
  ocCosh = 28,
  ocR = 29,
  ocRm = 30,
  ocFr = 31,
  ocLt = 32,
  ocEq = 33,
  ocLe = 34,
  ocNe = 35,
  ocTan = 36,
  ocTanh = 37,
  ocArcsin = 38,
  ocArccos = 39,
};

// Where the natural logarithm switches from log2(x) to log2(1 + (x - 1)): the C library's bound,
// a double.
inline constexpr long double kExpressLnNearOne = 0.29;

using TExpressRoutine = long double (*)(long double x, long double y);

// One step of the compiled form: Result := Routine(Arg1, Arg2). One-argument routines ignore y.
// A result that only the next step reads is handed to it directly and not kept in its cell.
struct TExpressOperation {
  TExpressOpCode Code;
  const long double* Arg1;
  const long double* Arg2;
  long double* Result;
  TExpressRoutine Routine;
  bool KeepResult = true;
};

// The compiled operation list.
class OParse {
public:
  void Clear();
  bool Empty() const { return FOperations.empty(); }
  const std::vector<TExpressOperation>& Operations() const { return FOperations; }

  // Cells keep their addresses for the life of the list, so operations point at them.
  long double* NewCell(long double value);
  void Add(TExpressOpCode code, const long double* arg1, const long double* arg2, long double* result);
  // Once the list is complete: marks the results that no step after the next one reads.
  void DropUnreadResults();
  // Runs every operation in order and returns the result of the last one.
  long double Run() const;

private:
  std::deque<long double> FCells;
  std::vector<TExpressOperation> FOperations;
};

class TExpress {
public:
  static constexpr size_t kMaxExpressionLength = 255;
  static constexpr const char* kErrorMessage = "Error in Expression";

  TExpress();
  TExpress(const TExpress&) = delete;
  TExpress& operator=(const TExpress&) = delete;

  const std::string& Expression() const { return FExpression; }
  // Removes blanks and compiles. A text that is not a well-formed formula raises EExpressError
  // "Error in Expression" and leaves the dummy evaluator that returns 0.
  void SetExpression(std::string_view text);

  // One character a name: the three variables (default "xyz") and six parameters ("abcdef").
  const std::string& VariableList() const { return FVariableList; }
  const std::string& ParameterList() const { return FParameterList; }
  void SetVariableList(std::string_view names);
  void SetParameterList(std::string_view names);
  void SetParameters(const std::array<long double, 6>& values);

  // Evaluates the compiled formula for the three variable values; 0 while none is compiled. A
  // formula evaluated often is translated into machine instructions, with the same results.
  long double TheFunction(long double x, long double y, long double z) {
    FVariableValues = {x, y, z};
    return FEvaluation(this);
  }
  // The compiled form of the current expression; empty while none is compiled.
  const OParse& Parse() const { return FParse; }
  // The machine-instruction form, ready once the formula has been evaluated often enough.
  const TNativeFormula& Native() const { return FNative; }

  static const std::vector<std::string>& SyntaxText();
  static const char* Version() { return "2.5 August 99"; }

private:
  // Evaluates through the operation list, translating it once it has been evaluated often enough.
  static long double RunList(void* express);

  std::string FExpression;
  std::string FVariableList = "xyz";
  std::string FParameterList = "abcdef";
  std::array<long double, 6> FParameters{};
  OParse FParse;
  // Translating costs more than a few evaluations of the list, so only a formula evaluated at least
  // this often is translated.
  static constexpr int kEvaluationsBeforeTranslation = 32;
  int FEvaluations = 0;
  TNativeFormula FNative;
  // The list's evaluation or the translated code, both reading the variables from their cells.
  TNativeFormula::TEntry FEvaluation = &RunList;
  std::array<long double, 3> FVariableValues{};
  // The operands of the variables: the object is neither copied nor moved, so they stay valid.
  const std::array<long double*, 3> FVariableCells{&FVariableValues[0], &FVariableValues[1], &FVariableValues[2]};
  std::array<long double*, 6> FParameterCells{};
};

}  // namespace kv
