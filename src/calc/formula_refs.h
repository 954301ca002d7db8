#pragma once
// The references of a calculation-method formula (#P1..#P6, #n, &n..m, $v and the named calls
// such as PLC_ALL(...)) and their replacement by numbers before the formula is compiled. The
// calculator that runs the method owns the values; it answers through IFormulaRefOwner.
#include <array>
#include <string>
#include <string_view>

#include "shell/errors.h"
#include "shell/money.h"

namespace kv {

// A reference to a row that cannot be used.
class EFormulaRefError : public EKvError {
  using EKvError::EKvError;
};

inline constexpr const char* kRefCurrentRow =
    "Указана ссылка на текущую строку. Результат текущий строки еще не вычислялся.";
inline constexpr const char* kRefLaterRow = "Указана ссылка на строку, которая еще не вычислялась.";
inline constexpr const char* kRefBadRowNumber = "Ошибка конвертации номера строки.";

// The six parameter values of the step being calculated and the decimals each is written with.
struct TStepParameters {
  std::array<long double, 6> Values{};
  std::array<int, 6> Decimals{};
};

class IFormulaRefOwner {
public:
  virtual ~IFormulaRefOwner() = default;
  // The number of the step being calculated; references to it or to a higher number fail.
  virtual int CurrentStepNo() const = 0;
  // The result of the first step numbered no (0 when there is none).
  virtual TCurrency FindResult(int no) const = 0;
  // The results summed from the step numbered from up to the step numbered to.
  virtual TCurrency SumResult(int from, int to) const = 0;
  // Method currency to working currency, for the money amounts written with "$".
  virtual long double CurrencyFactor() const = 0;
  // The value of a named call, given as its whole text, for example "PLC_ALL(1,2,3)".
  virtual long double NamedValue(const std::string& call) = 0;
};

// The names of the calls a formula may make, in the order they are replaced.
inline constexpr std::string_view kNamedCalls[] = {"PLC_ALL", "PLC_STD", "PLC_NSTD",
                                                   "OLC_STD", "OSC_STD", "GET_MATLIST"};

// The formula with every reference replaced by a number in the process's decimal form: step
// parameters first, then row references, sums, money amounts and named calls. Raises
// EFormulaRefError for a row reference that cannot be used.
std::string TranslateFormula(std::string_view formula, const TStepParameters& parameters, IFormulaRefOwner& owner);

}  // namespace kv
