#include "calc/express.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/random.h"

namespace kv {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;

// ---- The routines of the operation codes; each turns an undefined result into 0. ----

long double Identity(long double x, long double) { return x; }
long double Negate(long double x, long double) { return -x; }
long double Add(long double x, long double y) { return x + y; }
long double Subtract(long double x, long double y) { return x - y; }
long double Multiply(long double x, long double y) { return x * y; }
long double Divide(long double x, long double y) { return y == 0 ? 0 : x / y; }

// x to the power of the truncated absolute value of y, reciprocal for a negative y.
long double IntPower(long double x, long double y) {
  const long double n = std::trunc(std::fabs(y));
  long double product = 1;
  if (n <= 64) {
    for (int i = 0; i < static_cast<int>(n); ++i) product = i == 0 ? x : product * x;
  } else {
    // Repeated multiplication would take as long as the exponent is large.
    product = std::pow(x, n);
  }
  if (y < 0 && product != 0) return 1 / product;
  return product;
}

long double RealPower(long double x, long double y) { return x <= 0 ? 0 : std::exp(y * std::log(x)); }
long double Cos(long double x, long double) { return std::cos(x); }
long double Sin(long double x, long double) { return std::sin(x); }
long double Exp(long double x, long double) { return std::exp(x); }
// The natural logarithm by the processor's own instructions, as the C library computes it
// (fyl2xp1 on x - 1 near 1, fyl2x elsewhere, both scaled by ln 2), so the value is the same to the
// last bit; kept inline, it spares the call that hands the extended argument over through memory
// twice. Undefined and infinite results are 0 in any case, so only positive finite x get here.
long double LnOfPositive(long double x) {
#if defined(__x86_64__) || defined(__i386__)
  const long double from_one = x - 1;
  long double result;
  if (std::fabs(from_one) > kExpressLnNearOne) {
    asm("fldln2\n\tfxch\n\tfyl2x" : "=t"(result) : "0"(x) : "st(1)");
  } else {
    asm("fldln2\n\tfxch\n\tfyl2xp1" : "=t"(result) : "0"(from_one) : "st(1)");
  }
  return result;
#else
  return std::log(x);
#endif
}

long double Ln(long double x, long double) { return x > 0 && std::isfinite(x) ? LnOfPositive(x) : 0; }
long double Sqrt(long double x, long double) { return x < 0 ? 0 : std::sqrt(x); }
long double Arctan(long double x, long double) { return std::atan(x); }
long double Square(long double x, long double) { return x * x; }
long double Cube(long double x, long double) { return x * x * x; }
long double Fourth(long double x, long double) { return x * x * x * x; }
long double Abs(long double x, long double) { return std::fabs(x); }
long double Max(long double x, long double y) { return x > y ? x : y; }
long double Min(long double x, long double y) { return x < y ? x : y; }
long double Heav(long double x, long double) { return x >= 0 ? 1 : 0; }
long double Ph(long double x, long double) {
  const long double turns = x / (2 * kPi);
  return (turns - std::nearbyint(turns)) * 2 * kPi;
}

bool NearestInRange(long double value, long double& nearest) {
  if (!(value >= -0.5L && value <= 65535.5L)) return false;
  nearest = std::nearbyint(value);
  return nearest >= 0 && nearest <= 65535;
}

long double Rn(long double x, long double y) {
  long double range = 0, wanted = 0;
  if (!NearestInRange(x, range) || !NearestInRange(y, wanted)) return 0;
  return RandomGenerator().Random(static_cast<int32_t>(range)) == static_cast<int32_t>(wanted) ? 1 : 0;
}

long double Arg(long double x, long double y) {
  if (x == 0) return kPi / 2;
  const long double angle = std::atan(y / x);
  if (x > 0) return angle;
  return y >= 0 ? angle + kPi : angle - kPi;
}

long double Sinh(long double x, long double) { return std::sinh(x); }
long double Cosh(long double x, long double) { return std::cosh(x); }
long double R(long double x, long double y) { return std::sqrt(x * x + y * y); }

// Box-Muller: mean x, standard deviation y.
long double Rm(long double x, long double y) {
  const long double u1 = std::max(static_cast<long double>(RandomGenerator().RandomFloat()), 1e-12L);
  const long double u2 = RandomGenerator().RandomFloat();
  return x + y * std::sqrt(-2 * std::log(u1)) * std::cos(2 * kPi * u2);
}

long double Fr(long double x, long double) { return x - std::trunc(x); }
long double Lt(long double x, long double y) { return x < y ? 1 : 0; }
long double Eq(long double x, long double y) { return x == y ? 1 : 0; }
long double Le(long double x, long double y) { return x <= y ? 1 : 0; }
long double Ne(long double x, long double y) { return x != y ? 1 : 0; }
long double Tan(long double x, long double) {
  const long double c = std::cos(x);
  return c == 0 ? 0 : std::sin(x) / c;
}
long double Tanh(long double x, long double) { return std::tanh(x); }
long double Arcsin(long double x, long double) {
  if (std::fabs(x) < 1) return std::asin(x);
  if (x == 1) return kPi / 2;
  if (x == -1) return -kPi / 2;
  return 0;
}
long double Arccos(long double x, long double) { return x >= -1 && x <= 1 ? std::acos(x) : 0; }

TExpressRoutine RoutineOf(TExpressOpCode code) {
  static const TExpressRoutine routines[] = {Identity, Identity, Identity,  Identity, Negate, Add,  Subtract, Multiply,
                                             Divide,   IntPower, RealPower, Cos,      Sin,    Exp,  Ln,       Sqrt,
                                             Arctan,   Square,   Cube,      Fourth,   Abs,    Max,  Min,      Heav,
                                             Ph,       Rn,       Arg,       Sinh,     Cosh,   R,    Rm,       Fr,
                                             Lt,       Eq,       Le,        Ne,       Tan,    Tanh, Arcsin,   Arccos};
  return routines[code];
}

struct TFunctionName {
  std::string_view Name;
  TExpressOpCode Code;
};

constexpr TFunctionName kOneArgumentFunctions[] = {
    {"cos", ocCos}, {"sin", ocSin},   {"exp", ocExp},       {"ln", ocLn},        {"arctan", ocArctan}, {"sqrt", ocSqrt},
    {"abs", ocAbs}, {"heav", ocHeav}, {"ph", ocPh},         {"sinh", ocSinh},    {"cosh", ocCosh},     {"fr", ocFr},
    {"tan", ocTan}, {"tanh", ocTanh}, {"arcsin", ocArcsin}, {"arccos", ocArccos}};

constexpr TFunctionName kTwoArgumentFunctions[] = {{"min", ocMin}, {"max", ocMax}, {"rn", ocRn}, {"arg", ocArg},
                                                   {"r", ocR},     {"rm", ocRm},   {"lt", ocLt}, {"le", ocLe},
                                                   {"eq", ocEq},   {"ne", ocNe}};

int OperatorPriority(char c) {
  switch (c) {
    case '+':
    case '-': return 1;
    case '*':
    case '/': return 2;
    case '^': return 3;
    default: return 0;
  }
}

TExpressOpCode OperatorCode(char c) {
  switch (c) {
    case '+': return ocAdd;
    case '-': return ocSubtract;
    case '*': return ocMultiply;
    default: return ocDivide;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number in the locale's form (digits, decimal separator, optional exponent, no sign).
bool ReadNumber(std::string_view text, long double& value) {
  const char separator = FormatSettings().DecimalSeparator;
  size_t i = 0, digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == separator) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const size_t exponent_start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == exponent_start) return false;
  }
  if (i != text.size()) return false;
  std::string c_text(text);
  for (char& c : c_text)
    if (c == separator) c = '.';
  value = std::strtold(c_text.c_str(), nullptr);
  return std::isfinite(value);
}

// The syntax check and compilation of one blank-free text. Every piece [begin, end) of the text
// is classified once (the splitting rule looks at the same pieces many times), then the pieces of
// the accepted split are compiled into the operation list. The text is at most 255 characters, so
// the recursion is at most that deep.
class TExpressCompiler {
public:
  TExpressCompiler(std::string_view text, const std::string& variables, const std::string& parameters, OParse& parse,
                   const std::array<long double*, 3>& variable_cells,
                   const std::array<long double*, 6>& parameter_cells)
      : FText(text),
        FVariables(variables),
        FParameters(parameters),
        FParse(parse),
        FVariableCells(variable_cells),
        FParameterCells(parameter_cells),
        FPieces((text.size() + 1) * (text.size() + 1)) {}

  bool Compile() {
    const int size = static_cast<int>(FText.size());
    if (!Valid(0, size)) return false;
    const long double* result = Emit(0, size);
    if (FParse.Empty()) FParse.Add(OperandCode(0, size), result, result, FParse.NewCell(0));
    return true;
  }

private:
  enum class TKind : int8_t { Unknown, Invalid, Operand, Bracketed, Operation, Negation, Function };

  struct TPiece {
    TKind Kind = TKind::Unknown;
    int8_t Priority = 0;  // of an operation
    int16_t Split = -1;   // operator of an operation, comma of a two-argument function
    int8_t Code = -1;     // operation code of a function
  };

  std::string_view Text(int begin, int end) const { return FText.substr(begin, end - begin); }
  TPiece& Piece(int begin, int end) { return FPieces[begin * (FText.size() + 1) + end]; }
  bool Valid(int begin, int end) { return Classify(begin, end).Kind != TKind::Invalid; }

  bool Balanced(int begin, int end) const {
    int depth = 0;
    for (int i = begin; i < end; ++i) {
      if (FText[i] == '(') ++depth;
      if (FText[i] == ')' && --depth < 0) return false;
    }
    return depth == 0;
  }

  // The position of the bracket that closes the one at open, within a balanced piece.
  int ClosingBracket(int open, int end) const {
    int depth = 0;
    for (int i = open; i < end; ++i) {
      if (FText[i] == '(') ++depth;
      if (FText[i] == ')' && --depth == 0) return i;
    }
    return -1;
  }

  bool Enclosed(int begin, int end) const { return FText[begin] == '(' && ClosingBracket(begin, end) == end - 1; }

  bool IsOperand(int begin, int end) const {
    long double value;
    return OperandCode(begin, end) != ocNumber || ReadNumber(Text(begin, end), value);
  }

  // The kind of a single-cell operand; ocNumber also for what is not an operand at all.
  TExpressOpCode OperandCode(int begin, int end) const {
    const std::string_view text = Text(begin, end);
    if (text == "pi" || text == "Pi") return ocPi;
    if (text.size() == 1 && FVariables.find(text[0]) != std::string::npos) return ocVariable;
    if (text.size() == 1 && FParameters.find(text[0]) != std::string::npos) return ocParameter;
    return ocNumber;
  }

  const TPiece& Classify(int begin, int end) {
    TPiece& piece = Piece(begin, end);
    if (piece.Kind == TKind::Unknown) piece = Examine(begin, end);
    return piece;
  }

  TPiece Examine(int begin, int end) {
    TPiece piece;
    piece.Kind = TKind::Invalid;
    if (begin >= end || !Balanced(begin, end)) return piece;
    if (Enclosed(begin, end)) {
      if (Valid(begin + 1, end - 1)) piece.Kind = TKind::Bracketed;
      return piece;
    }
    if (IsOperand(begin, end)) {
      piece.Kind = TKind::Operand;
      return piece;
    }
    if (FindOperation(begin, end, piece)) return piece;
    if (FText[begin] == '-' && Valid(begin + 1, end)) {
      piece.Kind = TKind::Negation;
      return piece;
    }
    FindFunction(begin, end, piece);
    return piece;
  }

  bool LeftOperandFits(const TPiece& left, char op) const {
    switch (left.Kind) {
      case TKind::Operand:
      case TKind::Bracketed:
      case TKind::Function: return true;
      case TKind::Negation: return op != '^';
      case TKind::Operation: return left.Priority >= OperatorPriority(op);
      default: return false;
    }
  }

  bool RightOperandFits(const TPiece& right, char op) const {
    switch (right.Kind) {
      case TKind::Operand:
      case TKind::Bracketed:
      case TKind::Function: return true;
      case TKind::Operation: return right.Priority > OperatorPriority(op);
      default: return false;
    }
  }

  // Tries the operators outside brackets from left to right; the first fitting split wins.
  bool FindOperation(int begin, int end, TPiece& piece) {
    int depth = 0;
    for (int i = begin; i < end; ++i) {
      const char c = FText[i];
      if (c == '(') ++depth;
      if (c == ')') --depth;
      if (depth != 0 || OperatorPriority(c) == 0) continue;
      if (LeftOperandFits(Classify(begin, i), c) && RightOperandFits(Classify(i + 1, end), c)) {
        piece.Kind = TKind::Operation;
        piece.Priority = static_cast<int8_t>(OperatorPriority(c));
        piece.Split = static_cast<int16_t>(i);
        return true;
      }
    }
    return false;
  }

  void FindFunction(int begin, int end, TPiece& piece) {
    const size_t open = FText.find('(', begin);
    if (open == std::string_view::npos || static_cast<int>(open) >= end || !Enclosed(open, end)) return;
    const std::string_view name = Text(begin, open);
    const int inner = static_cast<int>(open) + 1;
    for (const auto& function : kOneArgumentFunctions)
      if (function.Name == name && Valid(inner, end - 1)) {
        piece.Kind = TKind::Function;
        piece.Code = function.Code;
        return;
      }
    for (const auto& function : kTwoArgumentFunctions)
      if (function.Name == name) {
        const int comma = FindArgumentComma(inner, end - 1);
        if (comma < 0) return;
        piece.Kind = TKind::Function;
        piece.Code = function.Code;
        piece.Split = static_cast<int16_t>(comma);
        return;
      }
  }

  // The first comma outside inner brackets whose two sides are both valid pieces.
  int FindArgumentComma(int begin, int end) {
    int depth = 0;
    for (int i = begin; i < end; ++i) {
      if (FText[i] == '(') ++depth;
      if (FText[i] == ')') --depth;
      if (depth == 0 && FText[i] == ',' && Valid(begin, i) && Valid(i + 1, end)) return i;
    }
    return -1;
  }

  // A numeric constant, possibly bracketed or negated: the exponents chosen at compile time.
  bool ConstantValue(int begin, int end, long double& value) const {
    while (end - begin >= 2 && Enclosed(begin, end)) ++begin, --end;
    if (begin < end && FText[begin] == '-') {
      if (!ConstantValue(begin + 1, end, value)) return false;
      value = -value;
      return true;
    }
    return ReadNumber(Text(begin, end), value);
  }

  const long double* EmitOperand(int begin, int end) {
    const std::string_view text = Text(begin, end);
    switch (OperandCode(begin, end)) {
      case ocPi: return FParse.NewCell(kPi);
      case ocVariable: return FVariableCells[FVariables.find(text[0])];
      case ocParameter: return FParameterCells[FParameters.find(text[0])];
      default: {
        long double value = 0;
        ReadNumber(text, value);
        return FParse.NewCell(value);
      }
    }
  }

  const long double* EmitUnary(TExpressOpCode code, const long double* arg) {
    long double* result = FParse.NewCell(0);
    FParse.Add(code, arg, arg, result);
    return result;
  }

  const long double* EmitBinary(TExpressOpCode code, const long double* arg1, const long double* arg2) {
    long double* result = FParse.NewCell(0);
    FParse.Add(code, arg1, arg2, result);
    return result;
  }

  const long double* EmitPower(const long double* base, int begin, int end) {
    long double exponent = 0;
    if (!ConstantValue(begin, end, exponent) || exponent != std::trunc(exponent))
      return EmitBinary(ocRealPower, base, Emit(begin, end));
    if (exponent == 2) return EmitUnary(ocSquare, base);
    if (exponent == 3) return EmitUnary(ocCube, base);
    if (exponent == 4) return EmitUnary(ocFourth, base);
    return EmitBinary(ocIntPower, base, FParse.NewCell(exponent));
  }

  const long double* Emit(int begin, int end) {
    const TPiece piece = Classify(begin, end);
    switch (piece.Kind) {
      case TKind::Bracketed: return Emit(begin + 1, end - 1);
      case TKind::Negation: return EmitUnary(ocNegate, Emit(begin + 1, end));
      case TKind::Operation: {
        const long double* left = Emit(begin, piece.Split);
        if (FText[piece.Split] == '^') return EmitPower(left, piece.Split + 1, end);
        return EmitBinary(OperatorCode(FText[piece.Split]), left, Emit(piece.Split + 1, end));
      }
      case TKind::Function: {
        const int inner = static_cast<int>(FText.find('(', begin)) + 1;
        const auto code = static_cast<TExpressOpCode>(piece.Code);
        if (piece.Split < 0) return EmitUnary(code, Emit(inner, end - 1));
        const long double* first = Emit(inner, piece.Split);
        return EmitBinary(code, first, Emit(piece.Split + 1, end - 1));
      }
      default: return EmitOperand(begin, end);
    }
  }

  std::string_view FText;
  const std::string& FVariables;
  const std::string& FParameters;
  OParse& FParse;
  const std::array<long double*, 3>& FVariableCells;
  const std::array<long double*, 6>& FParameterCells;
  std::vector<TPiece> FPieces;
};

std::string WithoutBlanks(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) result += c;
  return result;
}

// The arithmetic of the frequent operations inline; the functions of the library through their
// routines. Both give the same value: the routines are the very same computations.
long double Computed(const TExpressOperation& op, long double x, long double y) {
  switch (op.Code) {
    case ocVariable:
    case ocNumber:
    case ocParameter:
    case ocPi: return x;
    case ocNegate: return Negate(x, y);
    case ocAdd: return Add(x, y);
    case ocSubtract: return Subtract(x, y);
    case ocMultiply: return Multiply(x, y);
    case ocDivide: return Divide(x, y);
    case ocSquare: return Square(x, y);
    case ocCube: return Cube(x, y);
    case ocFourth: return Fourth(x, y);
    case ocSqrt: return Sqrt(x, y);
    case ocLn: return Ln(x, y);
    case ocAbs: return Abs(x, y);
    case ocMax: return Max(x, y);
    case ocMin: return Min(x, y);
    case ocHeav: return Heav(x, y);
    case ocLt: return Lt(x, y);
    case ocEq: return Eq(x, y);
    case ocLe: return Le(x, y);
    case ocNe: return Ne(x, y);
    default: return op.Routine(x, y);
  }
}

}  // namespace

// ---- OParse ----

void OParse::Clear() {
  FOperations.clear();
  FCells.clear();
}

long double* OParse::NewCell(long double value) { return &FCells.emplace_back(value); }

void OParse::Add(TExpressOpCode code, const long double* arg1, const long double* arg2, long double* result) {
  FOperations.push_back({code, arg1, arg2, result, RoutineOf(code), true});
}

void OParse::DropUnreadResults() {
  for (size_t i = 0; i < FOperations.size(); ++i) {
    const long double* cell = FOperations[i].Result;
    bool read_later = false;
    for (size_t j = i + 2; j < FOperations.size() && !read_later; ++j)
      read_later = FOperations[j].Arg1 == cell || FOperations[j].Arg2 == cell;
    FOperations[i].KeepResult = read_later;
  }
}

long double OParse::Run() const {
  long double last = 0;
  const long double* last_cell = nullptr;
  for (const TExpressOperation& op : FOperations) {
    // Most operations take the result of the one before: it is used as it stands, since reading an
    // extended value back from the cell just written stalls until the write is done.
    const long double x = op.Arg1 == last_cell ? last : *op.Arg1;
    const long double y = op.Arg2 == last_cell ? last : *op.Arg2;
    const long double value = Computed(op, x, y);
    // An undefined result is 0, and so is a negative zero (of -x or x*y with x = 0 and y < 0).
    last = std::isfinite(value) && value != 0 ? value : 0;
    if (op.KeepResult) *op.Result = last;
    last_cell = op.Result;
  }
  return last;
}

// ---- TExpress ----

TExpress::TExpress() = default;

void TExpress::SetExpression(std::string_view text) {
  FNative.Clear();
  FEvaluation = &RunList;
  FEvaluations = 0;
  FParse.Clear();
  FExpression = WithoutBlanks(text);
  for (size_t i = 0; i < FParameterCells.size(); ++i) FParameterCells[i] = FParse.NewCell(FParameters[i]);
  const bool compiled =
      FExpression.size() <= kMaxExpressionLength &&
      TExpressCompiler(FExpression, FVariableList, FParameterList, FParse, FVariableCells, FParameterCells).Compile();
  if (!compiled) {
    FParse.Clear();
    throw EExpressError(kErrorMessage);
  }
  FParse.DropUnreadResults();
}

void TExpress::SetVariableList(std::string_view names) {
  if (names.size() != FVariableList.size()) throw EExpressError(kErrorMessage);
  FVariableList = names;
}

void TExpress::SetParameterList(std::string_view names) {
  if (names.size() != FParameterList.size()) throw EExpressError(kErrorMessage);
  FParameterList = names;
}

void TExpress::SetParameters(const std::array<long double, 6>& values) {
  FParameters = values;
  if (FParse.Empty()) return;
  for (size_t i = 0; i < values.size(); ++i) *FParameterCells[i] = values[i];
}

long double TExpress::RunList(void* express) {
  TExpress& self = *static_cast<TExpress*>(express);
  if (self.FParse.Empty()) return 0;
  // Counted only up to the one try: a formula that stays a list may be evaluated without end.
  if (self.FEvaluations < kEvaluationsBeforeTranslation && ++self.FEvaluations == kEvaluationsBeforeTranslation &&
      self.FNative.Translate(self.FParse, self.FVariableCells, self.FParameterCells)) {
    self.FEvaluation = self.FNative.Entry();
    return self.FEvaluation(express);
  }
  return self.FParse.Run();
}

const std::vector<std::string>& TExpress::SyntaxText() {
  static const std::vector<std::string> lines = {
      "Enter Expressions for functions of up to 3 variables:",
      "  the variables are x, y, z; the parameters a, b, c, d, e, f.",
      "Operators, lowest priority first, each group left to right:",
      "  + -      * /      ^  (2^3^2 = 64, -2^2 = -4)",
      "  write every product with *: 2*x, not 2x.",
      "Numbers use the decimal separator of the system; pi or Pi stands for 3.14159...",
      "Functions of one argument:",
      "  cos sin tan arcsin arccos arctan sinh cosh tanh exp ln sqrt abs",
      "  heav (1 for x >= 0, else 0), ph (phase in -pi..pi), fr (fractional part)",
      "Functions of two arguments, written f(x,y):",
      "  min max r (radius) arg (angle of the point x,y)",
      "  lt le eq ne (1 when x <, <=, =, <> y, else 0)",
      "  rn (1 when a random whole number below x equals y), rm (normal value, mean x, deviation y)",
      "Names are case-sensitive. Undefined results (1/0, ln(0), sqrt(-1)) give 0."};
  return lines;
}

}  // namespace kv
