#include "calc/fr_parser.h"

#include <cmath>
#include <limits>

#include "shell/code_page.h"
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

// ---- Values ----

bool IsNullValue(const TVariant& v) { return v.VarType() == varNull; }

bool IsIntegral(const TVariant& v) {
  switch (v.VarType()) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varBoolean: return true;
    default: return false;
  }
}

double Number(const TVariant& v) { return static_cast<double>(v.AsExtended()); }

TVariant Integer(int64_t value) {
  if (value >= INT32_MIN && value <= INT32_MAX) return static_cast<int32_t>(value);
  return static_cast<double>(value);
}

TVariant Truth(bool holds) { return int32_t{holds ? 1 : 0}; }

// An operation never gives a negative zero: -0.4 rounded or 0 times -1 is the zero.
TVariant WithoutNegativeZero(TVariant value) {
  if (value.VarType() == varDouble && value.AsDouble() == 0) return 0.0;
  return value;
}

// ---- Operators ----

int Priority(TfrOperator op) {
  switch (op) {
    case fopInt:
    case fopFrac:
    case fopStr:
    case fopRound: return 0;
    case fopMultiply:
    case fopDivide:
    case fopMod:
    case fopAnd:
    case fopOr:
    case fopNot: return 1;
    case fopAdd:
    case fopSubtract:
    case fopNegate:
    case fopPlus: return 2;
    default: return 3;
  }
}

bool IsUnary(TfrOperator op) {
  switch (op) {
    case fopInt:
    case fopFrac:
    case fopStr:
    case fopRound:
    case fopNot:
    case fopNegate:
    case fopPlus: return true;
    default: return false;
  }
}

TVariant Arithmetic(TfrOperator op, const TVariant& a, const TVariant& b) {
  if (IsNullValue(a) || IsNullValue(b)) return TVariant::Null();
  if (op == fopAdd && a.IsString() && b.IsString()) return a.AsString() + b.AsString();
  if (IsIntegral(a) && IsIntegral(b)) {
    const int64_t x = a.AsInteger(), y = b.AsInteger();
    return Integer(op == fopAdd ? x + y : op == fopSubtract ? x - y : x * y);
  }
  const double x = Number(a), y = Number(b);
  const double result = op == fopAdd ? x + y : op == fopSubtract ? x - y : x * y;
  const bool a_date = a.VarType() == varDate, b_date = b.VarType() == varDate;
  // A date moved by a number of days stays a date; the difference of two dates is a number.
  if (op != fopMultiply && a_date != b_date && (a_date || op == fopAdd)) return TVariant::Date(result);
  return result;
}

TVariant Divide(const TVariant& a, const TVariant& b) {
  if (IsNullValue(a) || IsNullValue(b)) return TVariant::Null();
  const double divisor = Number(b);
  return divisor == 0 ? 0.0 : Number(a) / divisor;
}

// Integer operands are rounded to the nearest integer, as a variant converts them.
TVariant Modulo(const TVariant& a, const TVariant& b) {
  if (IsNullValue(a) || IsNullValue(b)) return TVariant::Null();
  const int64_t x = a.AsInteger(), y = b.AsInteger();
  return Integer(y == 0 ? 0 : x % y);
}

TVariant Logical(TfrOperator op, const TVariant& a, const TVariant& b) {
  if (IsNullValue(a) || IsNullValue(b)) return TVariant::Null();
  if (a.VarType() == varBoolean && b.VarType() == varBoolean) {
    const bool x = a.AsBoolean(), y = b.AsBoolean();
    return op == fopAnd ? (x && y) : (x || y);
  }
  const int32_t x = a.AsInteger(), y = b.AsInteger();
  return op == fopAnd ? (x & y) : (x | y);
}

// -1, 0 or 1; texts compare as texts, anything else as numbers.
int Compare(const TVariant& a, const TVariant& b) {
  if (a.IsString() && b.IsString()) {
    const int c = a.AsString().compare(b.AsString());
    return (c > 0) - (c < 0);
  }
  const double x = Number(a), y = Number(b);
  return (x > y) - (x < y);
}

TVariant Comparison(TfrOperator op, const TVariant& a, const TVariant& b) {
  if (IsNullValue(a) || IsNullValue(b)) {
    // Null equals only null and is neither less nor greater than anything.
    const bool both = IsNullValue(a) && IsNullValue(b);
    return Truth(op == fopEqual ? both : op == fopNotEqual ? !both : false);
  }
  const int c = Compare(a, b);
  switch (op) {
    case fopEqual: return Truth(c == 0);
    case fopNotEqual: return Truth(c != 0);
    case fopLess: return Truth(c < 0);
    case fopGreater: return Truth(c > 0);
    case fopLessEqual: return Truth(c <= 0);
    default: return Truth(c >= 0);
  }
}

bool NearInteger(double x, double& nearest) {
  nearest = std::round(x);
  return std::fabs(x - nearest) < 1e-10;
}

TVariant Negate(const TVariant& a) {
  if (IsNullValue(a)) return TVariant::Null();
  if (IsIntegral(a)) return Integer(-static_cast<int64_t>(a.AsInteger()));
  return -Number(a);
}

TVariant ApplyUnary(TfrOperator op, const TVariant& a) {
  double nearest = 0;
  switch (op) {
    case fopNegate: return Negate(a);
    case fopPlus: return a;
    case fopStr: return a.AsString();
    case fopNot: return Truth(Number(a) == 0);
    case fopInt: {
      const double x = Number(a);
      return NearInteger(x, nearest) ? nearest : std::trunc(x);
    }
    case fopFrac: {
      const double x = Number(a);
      return NearInteger(x, nearest) ? 0.0 : x - std::trunc(x);
    }
    default: return std::nearbyint(Number(a));
  }
}

TVariant ApplyBinary(TfrOperator op, const TVariant& a, const TVariant& b) {
  switch (op) {
    case fopAdd:
    case fopSubtract:
    case fopMultiply: return Arithmetic(op, a, b);
    case fopDivide: return Divide(a, b);
    case fopMod: return Modulo(a, b);
    case fopAnd:
    case fopOr: return Logical(op, a, b);
    default: return Comparison(op, a, b);
  }
}

// ---- Lexical reading of a rule text into postfix form ----

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || std::isdigit(static_cast<unsigned char>(c)) || c == '.'; }

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
      if (FExpectOperand)
        ReadOperand();
      else
        ReadOperator();
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
    while (!FStack.empty() && !FStack.back().IsBracket && Priority(FStack.back().Op) <= Priority(op)) PopToOutput();
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
      if (!FindWord(kInfixWords, AnsiUpperCase(ReadNameText()), op)) SyntaxError(FText);
      PushInfix(op);
      return;
    }
    ++FPos;
    switch (c) {
      case '+':
      case '-':
      case '*':
      case '/':
      case '=': PushInfix(static_cast<TfrOperator>(c)); return;
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
        if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'')
          ++FPos;
        else
          break;
      }
      value += FText[FPos];
    }
    ++FPos;
    PushConstant(std::move(value));
  }

  void PushConstant(TVariant value) {
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
    const std::string name = AnsiUpperCase(ReadNameText());
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

TVariant TfrParser::Calc(std::string_view expression) {
  if (FNesting >= kMaxNesting) throw EfrParserError("Слишком глубокая вложенность выражения " + Quoted(expression));
  ++FNesting;
  struct TNestingGuard {
    int& Nesting;
    ~TNestingGuard() { --Nesting; }
  } guard{FNesting};
  return CalcOPZ(Str2OPZ(expression));
}

std::vector<TfrItem> TfrParser::Str2OPZ(std::string_view expression) const { return TfrReader(expression).Read(); }

TVariant TfrParser::CalcOPZ(const std::vector<TfrItem>& postfix) {
  std::vector<TVariant> stack;
  const auto pop = [&stack]() {
    if (stack.empty()) throw EfrParserError("Синтаксическая ошибка в выражении");
    TVariant value = std::move(stack.back());
    stack.pop_back();
    return value;
  };
  for (const TfrItem& item : postfix) {
    if (item.Kind != TfrItem::Operator) {
      stack.push_back(Evaluate(item));
    } else if (IsUnary(item.Op)) {
      stack.push_back(WithoutNegativeZero(ApplyUnary(item.Op, pop())));
    } else {
      const TVariant right = pop();
      const TVariant left = pop();
      stack.push_back(WithoutNegativeZero(ApplyBinary(item.Op, left, right)));
    }
  }
  if (stack.size() > 1) throw EfrParserError("Синтаксическая ошибка в выражении");
  return stack.empty() ? TVariant::Null() : std::move(stack.back());
}

TVariant TfrParser::Evaluate(const TfrItem& item) {
  TVariant value = TVariant::Null();
  switch (item.Kind) {
    case TfrItem::Constant: return item.Value;
    case TfrItem::SubExpression: return Calc(item.Name);
    case TfrItem::Function: return CallFunction(item);
    default:
      if (OnGetValue) OnGetValue(item.Name, value);
      return value;
  }
}

TVariant TfrParser::CallFunction(const TfrItem& item) {
  const std::vector<std::string>& args = item.Arguments;
  if (item.Name == "IF") return std::trunc(Number(Calc(args[0]))) != 0 ? Calc(args[1]) : Calc(args[2]);
  if (item.Name == "COPY")
    return CopyChars(Calc(args[0]).AsString(), StrToInt(Calc(args[1]).AsString()), StrToInt(Calc(args[2]).AsString()));
  if (item.Name == "STRTODATE") return TVariant::Date(StrToDate(Calc(args[0]).AsString()));
  if (item.Name == "STRTOTIME") return TVariant::Date(StrToTimeValue(Calc(args[0]).AsString()));
  TVariant value = TVariant::Null();
  if (OnFunction) OnFunction(item.Name, args[0], args[1], args[2], value);
  return value;
}

}  // namespace kv
