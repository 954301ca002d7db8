#include "calc/fr_parser.h"

#include <cmath>
#include <limits>

#include "shell/format_settings.h"
#include "shell/tokens.h"

namespace kv {

namespace {

// ---- Messages ----

// The rule text in a message, shortened so a long text does not flood the screen.
std::string Quoted(std::string_view expression) {
  constexpr size_t kShown = 80;
  if (expression.size() <= kShown) return "[" + std::string(expression) + "]";
  size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(expression[cut]) & 0xC0) == 0x80) --cut;
  return "[" + std::string(expression.substr(0, cut)) + "...]";
}

[[noreturn]] void SyntaxError(std::string_view expression) {
  throw EfrParserError("Синтаксическая ошибка в выражении " + Quoted(expression));
}

[[noreturn]] void BracketError(std::string_view expression) {
  throw EfrParserError("Не закрыта скобка в выражении " + Quoted(expression));
}

[[noreturn]] void QuoteError(std::string_view expression) {
  throw EfrParserError("Не закрыта кавычка в выражении " + Quoted(expression));
}

[[noreturn]] void IntegerError(const std::string& text) {
  throw EConvertError("'" + text + "' не является правильным целым числом");
}

// ---- Conversions ----

bool IsIntegral(const TfrValue& v) { return std::holds_alternative<int64_t>(v) || std::holds_alternative<bool>(v); }

int64_t IntegerOf(const TfrValue& v) {
  if (const auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
  return std::get<int64_t>(v);
}

// The nearest integer (halves to even), for the integer operators MOD, AND and OR.
int64_t ToRoundedInteger(const TfrValue& value) {
  if (IsIntegral(value)) return IntegerOf(value);
  const double number = std::nearbyint(ToNumber(value));
  if (!(number >= -9.2e18 && number <= 9.2e18)) IntegerError(ToText(value));
  return static_cast<int64_t>(number);
}

// ---- Operators ----

int Priority(TfrOperator op) {
  switch (op) {
    case fopInt: case fopFrac: case fopStr: case fopRound: return 0;
    case fopMultiply: case fopDivide: case fopMod: case fopAnd: case fopOr: case fopNot: return 1;
    case fopAdd: case fopSubtract: case fopNegate: case fopPlus: return 2;
    default: return 3;
  }
}

bool IsUnary(TfrOperator op) {
  switch (op) {
    case fopInt: case fopFrac: case fopStr: case fopRound: case fopNot: case fopNegate: case fopPlus:
      return true;
    default:
      return false;
  }
}

TfrValue Real(double value) { return value; }

TfrValue Arithmetic(TfrOperator op, const TfrValue& a, const TfrValue& b) {
  if (IsNull(a) || IsNull(b)) return {};
  if (op == fopAdd && std::holds_alternative<std::string>(a) && std::holds_alternative<std::string>(b))
    return std::get<std::string>(a) + std::get<std::string>(b);
  if (IsIntegral(a) && IsIntegral(b)) {
    int64_t result = 0;
    const int64_t x = IntegerOf(a), y = IntegerOf(b);
    const bool overflow = op == fopAdd        ? __builtin_add_overflow(x, y, &result)
                          : op == fopSubtract ? __builtin_sub_overflow(x, y, &result)
                                              : __builtin_mul_overflow(x, y, &result);
    if (!overflow) return result;
  }
  const double x = ToNumber(a), y = ToNumber(b);
  const double result = op == fopAdd ? x + y : op == fopSubtract ? x - y : x * y;
  const bool a_date = std::holds_alternative<TfrDate>(a), b_date = std::holds_alternative<TfrDate>(b);
  // A date moved by a number of days stays a date; the difference of two dates is a number.
  if (op != fopMultiply && a_date != b_date && (a_date || op == fopAdd)) return TfrDate{result};
  return result;
}

TfrValue Divide(const TfrValue& a, const TfrValue& b) {
  if (IsNull(a) || IsNull(b)) return {};
  const double divisor = ToNumber(b);
  return Real(divisor == 0 ? 0 : ToNumber(a) / divisor);
}

TfrValue Modulo(const TfrValue& a, const TfrValue& b) {
  if (IsNull(a) || IsNull(b)) return {};
  const int64_t x = ToRoundedInteger(a), y = ToRoundedInteger(b);
  return y == 0 || y == -1 ? int64_t{0} : x % y;
}

TfrValue Logical(TfrOperator op, const TfrValue& a, const TfrValue& b) {
  if (IsNull(a) || IsNull(b)) return {};
  if (std::holds_alternative<bool>(a) && std::holds_alternative<bool>(b)) {
    const bool x = std::get<bool>(a), y = std::get<bool>(b);
    return op == fopAnd ? (x && y) : (x || y);
  }
  const int64_t x = ToRoundedInteger(a), y = ToRoundedInteger(b);
  return op == fopAnd ? (x & y) : (x | y);
}

// -1, 0 or 1; texts compare as texts, anything else as numbers.
int Compare(const TfrValue& a, const TfrValue& b) {
  if (std::holds_alternative<std::string>(a) && std::holds_alternative<std::string>(b)) {
    const int c = std::get<std::string>(a).compare(std::get<std::string>(b));
    return (c > 0) - (c < 0);
  }
  const double x = ToNumber(a), y = ToNumber(b);
  return (x > y) - (x < y);
}

TfrValue Comparison(TfrOperator op, const TfrValue& a, const TfrValue& b) {
  bool holds = false;
  if (IsNull(a) || IsNull(b)) {
    // Null equals only null and is neither less nor greater than anything.
    const bool both = IsNull(a) && IsNull(b);
    holds = op == fopEqual ? both : op == fopNotEqual ? !both : false;
  } else {
    const int c = Compare(a, b);
    switch (op) {
      case fopEqual: holds = c == 0; break;
      case fopNotEqual: holds = c != 0; break;
      case fopLess: holds = c < 0; break;
      case fopGreater: holds = c > 0; break;
      case fopLessEqual: holds = c <= 0; break;
      default: holds = c >= 0; break;
    }
  }
  return int64_t{holds ? 1 : 0};
}

bool NearInteger(double x, double& nearest) {
  nearest = std::round(x);
  return std::fabs(x - nearest) < 1e-10;
}

TfrValue Negate(const TfrValue& a) {
  if (IsNull(a)) return {};
  if (IsIntegral(a) && IntegerOf(a) != std::numeric_limits<int64_t>::min()) return -IntegerOf(a);
  return Real(-ToNumber(a));
}

TfrValue ApplyUnary(TfrOperator op, const TfrValue& a) {
  double nearest = 0;
  switch (op) {
    case fopNegate: return Negate(a);
    case fopPlus: return a;
    case fopStr: return ToText(a);
    case fopNot: return int64_t{ToNumber(a) == 0 ? 1 : 0};
    case fopInt: {
      const double x = ToNumber(a);
      return Real(NearInteger(x, nearest) ? nearest : std::trunc(x));
    }
    case fopFrac: {
      const double x = ToNumber(a);
      return Real(NearInteger(x, nearest) ? 0 : x - std::trunc(x));
    }
    default: return Real(std::nearbyint(ToNumber(a)));
  }
}

TfrValue ApplyBinary(TfrOperator op, const TfrValue& a, const TfrValue& b) {
  switch (op) {
    case fopAdd: case fopSubtract: case fopMultiply: return Arithmetic(op, a, b);
    case fopDivide: return Divide(a, b);
    case fopMod: return Modulo(a, b);
    case fopAnd: case fopOr: return Logical(op, a, b);
    default: return Comparison(op, a, b);
  }
}

// ---- Lexical reading of a rule text into postfix form ----

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '.'; }

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

struct TWordOperator {
  std::string_view Word;
  TfrOperator Op;
};

constexpr TWordOperator kPrefixWords[] = {
    {"INT", fopInt}, {"FRAC", fopFrac}, {"ROUND", fopRound}, {"STR", fopStr}, {"NOT", fopNot}};
constexpr TWordOperator kInfixWords[] = {{"OR", fopOr}, {"AND", fopAnd}, {"MOD", fopMod}};

bool FindWord(const auto& words, std::string_view upper, TfrOperator& op) {
  for (const auto& word : words)
    if (word.Word == upper) {
      op = word.Op;
      return true;
    }
  return false;
}

class TfrReader {
public:
  explicit TfrReader(std::string_view text) : FText(text) {}

  std::vector<TfrItem> Read() {
    while (SkipBlanks()) {
      if (FExpectOperand) ReadOperand();
      else ReadOperator();
    }
    for (auto it = FStack.rbegin(); it != FStack.rend(); ++it)
      if (it->IsBracket) BracketError(FText);
    if (FExpectOperand && !(FOutput.empty() && FStack.empty())) SyntaxError(FText);
    while (!FStack.empty()) PopToOutput();
    return std::move(FOutput);
  }

private:
  struct TStackEntry {
    bool IsBracket = false;
    TfrOperator Op = fopAdd;
  };

  // Skips blanks; false at the end of the text or at the ";" that ends it.
  bool SkipBlanks() {
    while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') ++FPos;
    return FPos < FText.size() && FText[FPos] != ';';
  }

  void PopToOutput() {
    TfrItem item;
    item.Kind = TfrItem::Operator;
    item.Op = FStack.back().Op;
    FStack.pop_back();
    FOutput.push_back(std::move(item));
  }

  void PushOperand(TfrItem item) {
    FOutput.push_back(std::move(item));
    FExpectOperand = false;
  }

  void PushPrefix(TfrOperator op) { FStack.push_back({false, op}); }

  void PushInfix(TfrOperator op) {
    while (!FStack.empty() && !FStack.back().IsBracket && Priority(FStack.back().Op) <= Priority(op))
      PopToOutput();
    FStack.push_back({false, op});
    FExpectOperand = true;
  }

  void ReadOperand() {
    const char c = FText[FPos];
    if (c == '(') {
      FStack.push_back({true, fopAdd});
      ++FPos;
    } else if (c == '-' || c == '+') {
      PushPrefix(c == '-' ? fopNegate : fopPlus);
      ++FPos;
    } else if (c == '\'') {
      ReadString();
    } else if (std::isdigit(static_cast<unsigned char>(c)) || c == ',' || c == '.') {
      ReadNumber();
    } else if (c == '[') {
      ReadSubExpression();
    } else if (IsNameStart(c)) {
      ReadName();
    } else {
      SyntaxError(FText);
    }
  }

  void ReadOperator() {
    const char c = FText[FPos];
    const char next = FPos + 1 < FText.size() ? FText[FPos + 1] : '\0';
    if (c == ')') {
      CloseBracket();
      return;
    }
    if (IsNameStart(c)) {
      TfrOperator op;
      if (!FindWord(kInfixWords, UpperCase(ReadNameText()), op)) SyntaxError(FText);
      PushInfix(op);
      return;
    }
    ++FPos;
    switch (c) {
      case '+': case '-': case '*': case '/': case '=': PushInfix(static_cast<TfrOperator>(c)); return;
      case '<':
        if (next == '=' || next == '>') ++FPos;
        PushInfix(next == '=' ? fopLessEqual : next == '>' ? fopNotEqual : fopLess);
        return;
      case '>':
        if (next == '=') ++FPos;
        PushInfix(next == '=' ? fopGreaterEqual : fopGreater);
        return;
      default: SyntaxError(FText);
    }
  }

  void CloseBracket() {
    while (!FStack.empty() && !FStack.back().IsBracket) PopToOutput();
    if (FStack.empty()) SyntaxError(FText);
    FStack.pop_back();
    ++FPos;
  }

  void ReadString() {
    std::string value;
    for (++FPos;; ++FPos) {
      if (FPos >= FText.size()) QuoteError(FText);
      if (FText[FPos] == '\'') {
        if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') ++FPos;
        else break;
      }
      value += FText[FPos];
    }
    ++FPos;
    PushConstant(std::move(value));
  }

  void PushConstant(TfrValue value) {
    TfrItem item;
    item.Value = std::move(value);
    PushOperand(std::move(item));
  }

  // Digits, "," and "." (both read as the decimal separator), letters of an exponent.
  void ReadNumber() {
    std::string text;
    while (FPos < FText.size()) {
      const char c = FText[FPos];
      const bool exponent_sign = (c == '+' || c == '-') && !text.empty() && (text.back() == 'e' || text.back() == 'E');
      if (!IsNameChar(c) && c != ',' && !exponent_sign) break;
      text += (c == ',' || c == '.') ? FormatSettings().DecimalSeparator : c;
      ++FPos;
    }
    PushConstant(static_cast<double>(StrToFloat(text)));
  }

  // The position just after the bracket that closes the one at open, skipping quoted texts and
  // inner brackets of both kinds; raises when it is never closed.
  size_t AfterClosing(size_t open) const {
    int depth = 0;
    bool quoted = false;
    for (size_t i = open; i < FText.size(); ++i) {
      const char c = FText[i];
      if (c == '\'') quoted = !quoted;
      if (quoted) continue;
      if (c == '(' || c == '[') ++depth;
      if ((c == ')' || c == ']') && --depth == 0) return i + 1;
    }
    if (quoted) QuoteError(FText);
    BracketError(FText);
  }

  void ReadSubExpression() {
    const size_t end = AfterClosing(FPos);
    TfrItem item;
    item.Kind = TfrItem::SubExpression;
    item.Name = FText.substr(FPos + 1, end - FPos - 2);
    FPos = end;
    PushOperand(std::move(item));
  }

  std::string_view ReadNameText() {
    const size_t start = FPos;
    while (FPos < FText.size() && IsNameChar(FText[FPos])) ++FPos;
    return FText.substr(start, FPos - start);
  }

  void ReadName() {
    const std::string name = UpperCase(ReadNameText());
    TfrOperator op;
    if (name == "TRUE" || name == "FALSE") return PushConstant(name == "TRUE");
    if (FindWord(kPrefixWords, name, op)) return PushPrefix(op);
    if (FindWord(kInfixWords, name, op)) SyntaxError(FText);
    TfrItem item;
    item.Name = name;
    item.Kind = TfrItem::Identifier;
    if (FPos < FText.size() && FText[FPos] == '(') {
      item.Kind = TfrItem::Function;
      const size_t end = AfterClosing(FPos);
      item.Arguments = SplitArguments(FText.substr(FPos + 1, end - FPos - 2));
      FPos = end;
    }
    PushOperand(std::move(item));
  }

  // At most three arguments, split at the commas outside quotes and inner brackets.
  static std::vector<std::string> SplitArguments(std::string_view text) {
    std::vector<std::string> arguments;
    int depth = 0;
    bool quoted = false;
    size_t start = 0;
    for (size_t i = 0; i <= text.size() && arguments.size() < 3; ++i) {
      const char c = i < text.size() ? text[i] : ',';
      if (c == '\'') quoted = !quoted;
      if (quoted) continue;
      if (c == '(' || c == '[') ++depth;
      if (c == ')' || c == ']') --depth;
      if (c == ',' && depth == 0) {
        arguments.push_back(Trim(text.substr(start, i - start)));
        start = i + 1;
      }
    }
    arguments.resize(3);
    return arguments;
  }

  std::string_view FText;
  size_t FPos = 0;
  bool FExpectOperand = true;
  std::vector<TfrItem> FOutput;
  std::vector<TStackEntry> FStack;
};

// ---- Built-in functions ----

// The substring of count characters (not bytes) from the 1-based character position from.
std::string CopyChars(const std::string& text, int64_t from, int64_t count) {
  if (from < 1) from = 1;
  std::string result;
  int64_t position = 0;
  for (size_t i = 0; i < text.size() && count > 0; ++i) {
    const bool starts_char = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (starts_char && ++position >= from + count) break;
    if (position >= from) result += text[i];
  }
  return result;
}

TDateTime StrToTimeValue(const std::string& text) {
  const int fields = NumToken(text, ":");
  long long part[3] = {0, 0, 0};
  bool valid = fields == 2 || fields == 3;
  for (int i = 0; valid && i < fields; ++i) valid = TryStrToInt(Token(text, i + 1, ":", true), part[i]);
  valid = valid && part[0] >= 0 && part[0] < 24 && part[1] >= 0 && part[1] < 60 && part[2] >= 0 && part[2] < 60;
  if (!valid) throw EConvertError("'" + text + "' не является правильным временем");
  return EncodeTime(static_cast<int>(part[0]), static_cast<int>(part[1]), static_cast<int>(part[2]));
}

}  // namespace

bool IsNull(const TfrValue& value) { return std::holds_alternative<std::monostate>(value); }

double ToNumber(const TfrValue& value) {
  return std::visit(
      [](const auto& v) -> double {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) return 0;
        else if constexpr (std::is_same_v<T, bool>) return v ? 1 : 0;
        else if constexpr (std::is_same_v<T, std::string>) return static_cast<double>(StrToFloat(v));
        else if constexpr (std::is_same_v<T, TfrDate>) return v.Value;
        else return static_cast<double>(v);
      },
      value);
}

std::string ToText(const TfrValue& value) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) return "";
        else if constexpr (std::is_same_v<T, bool>) return v ? "True" : "False";
        else if constexpr (std::is_same_v<T, int64_t>) return IntToStr(v);
        else if constexpr (std::is_same_v<T, double>) return FloatToStr(v);
        else if constexpr (std::is_same_v<T, std::string>) return v;
        else return v.Value == std::floor(v.Value) ? DateToStr(v.Value) : DateTimeToStr(v.Value);
      },
      value);
}

TfrValue TfrParser::Calc(std::string_view expression) {
  if (FNesting >= kMaxNesting)
    throw EfrParserError("Слишком глубокая вложенность выражения " + Quoted(expression));
  ++FNesting;
  struct TNestingGuard {
    int& Nesting;
    ~TNestingGuard() { --Nesting; }
  } guard{FNesting};
  return CalcOPZ(Str2OPZ(expression));
}

std::vector<TfrItem> TfrParser::Str2OPZ(std::string_view expression) const {
  return TfrReader(expression).Read();
}

TfrValue TfrParser::CalcOPZ(const std::vector<TfrItem>& postfix) {
  std::vector<TfrValue> stack;
  const auto pop = [&stack]() {
    if (stack.empty()) throw EfrParserError("Синтаксическая ошибка в выражении");
    TfrValue value = std::move(stack.back());
    stack.pop_back();
    return value;
  };
  for (const TfrItem& item : postfix) {
    if (item.Kind != TfrItem::Operator) {
      stack.push_back(Evaluate(item));
    } else if (IsUnary(item.Op)) {
      stack.push_back(ApplyUnary(item.Op, pop()));
    } else {
      const TfrValue right = pop();
      const TfrValue left = pop();
      stack.push_back(ApplyBinary(item.Op, left, right));
    }
  }
  if (stack.size() > 1) throw EfrParserError("Синтаксическая ошибка в выражении");
  return stack.empty() ? TfrValue{} : std::move(stack.back());
}

TfrValue TfrParser::Evaluate(const TfrItem& item) {
  TfrValue value;
  switch (item.Kind) {
    case TfrItem::Constant: return item.Value;
    case TfrItem::SubExpression: return Calc(item.Name);
    case TfrItem::Function: return CallFunction(item);
    default:
      if (OnGetValue) OnGetValue(item.Name, value);
      return value;
  }
}

TfrValue TfrParser::CallFunction(const TfrItem& item) {
  const std::vector<std::string>& args = item.Arguments;
  if (item.Name == "IF") return std::trunc(ToNumber(Calc(args[0]))) != 0 ? Calc(args[1]) : Calc(args[2]);
  if (item.Name == "COPY")
    return CopyChars(ToText(Calc(args[0])), StrToInt(ToText(Calc(args[1]))), StrToInt(ToText(Calc(args[2]))));
  if (item.Name == "STRTODATE") return TfrDate{StrToDate(ToText(Calc(args[0])))};
  if (item.Name == "STRTOTIME") return TfrDate{StrToTimeValue(ToText(Calc(args[0])))};
  TfrValue value;
  if (OnFunction) OnFunction(item.Name, args[0], args[1], args[2], value);
  return value;
}

}  // namespace kv
