#pragma once
// The construction calculator: runs a calculation method (CalcSchm) over a priced construction.
// Each numbered step evaluates a formula over the cost accumulators, counts and measures of the
// construction and the results of earlier steps; the printable results form the estimate.
#include <array>
#include <set>
#include <string>
#include <vector>

#include "calc/formula_refs.h"
#include "calc/fr_parser.h"
#include "construction/construction.h"

namespace kv {

// What a run reads of the order that holds the construction.
struct TCalcOrderValues {
  int Currency = 0;                // the order's working currency
  std::array<double, 10> Coefs{};  // principle codes 60 .. 69
  std::array<double, 2> Values{};  // principle codes 97, 98
};

struct Tgx25CalcMethodItem {
  int32_t ID = 0;
  int32_t No = 0;
  std::string Name;
  std::string Formula;
  std::string Condition;
  std::string Format;
  std::array<int32_t, 6> Params{};
  int32_t Dec = 2;
  std::array<int32_t, 6> Decs{};
  bool Printable = false;
  bool NoPrintZero = false;
  TCurrency Result;
};

class Tgx25ConstructionCalculator : public IFormulaRefOwner {
public:
  Tgx25ConstructionCalculator();

  // Runs the method over the construction into its estimate list; false after the error was shown.
  bool Execute(int CalcMethod, Tgx25Construction& Construction, const TCalcOrderValues& Order);
  // The steps of the method in table order up to a "[STOP]" row.
  void PrepareScheme();
  long double GetNumByPrinciple(int Code) const;
  // Replaces every format code of the name followed by the parameter index character by Value.
  static void GetFormattedNameStr(std::string& Name, char Index, long double Value);

  int CurrentStepNo() const override;
  TCurrency FindResult(int No) const override;
  TCurrency SumResult(int NoFrom, int NoTo) const override;
  long double CurrencyFactor() const override { return FCurrencyFactor; }
  long double NamedValue(const std::string& Call) override;

  std::vector<Tgx25CalcMethodItem> Items;
  int CurrentRow = -1;

private:
  void Calculate();
  void CalculateStep(Tgx25CalcMethodItem& Step, const TStepParameters& Parameters);
  // The value of a named call with its arguments already evaluated.
  void OnGetFunction(const std::string& Name, const std::string& Arg1, const std::string& Arg2, const std::string& Arg3,
                     TVariant& Value);
  long double MoneyValue(int Code) const;

  int FCalcMethod = 0;
  Tgx25Construction* FConstruction = nullptr;
  TCalcOrderValues FOrder;
  long double FCurrencyFactor = 1;
  TfrParser FArguments;
};

// The sum of the estimate lines: what the construction costs.
TCurrency GetEstimateTotal(const Tgx25Construction& Construction);

}  // namespace kv
