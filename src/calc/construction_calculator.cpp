#include "calc/construction_calculator.h"

#include <string_view>

#include "calc/express.h"
#include "calc/mat_pricing.h"
#include "catalogue/catalogue.h"
#include "catalogue/currency_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/price_lookups.h"
#include "construction/construction_counts.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The groups of principle codes 10 .. 20 with the material groups each sums.
const std::vector<int> kPrincipleGroups[] = {{0},     {1},     {2, 11}, {3},     {4},    {10},
                                             {5, 12}, {6, 13}, {7, 14}, {8, 15}, {9, 16}};
constexpr int kGroupsPerKind = 11;

// A failure of one step, with the message of the calculation method.
class ECalcStepError : public EKvError {
  using EKvError::EKvError;
};

Tgx25CalcMethodItem StepOf(const TRecord& Row) {
  const TCalcSchmTable& t = Catalogue().CalcSchm;
  auto integer = [&Row](int column) { return static_cast<int32_t>(Row[column].AsInteger()); };
  Tgx25CalcMethodItem step;
  step.ID = integer(t.ID);
  step.No = integer(t.No);
  step.Name = Row[t.Name].AsString();
  step.Formula = Row[t.Formula].AsString();
  step.Condition = Row[t.Condition].AsString();
  step.Format = Row[t.Format].AsString();
  step.Params = {integer(t.Param1), integer(t.Param2), integer(t.Param3),
                 integer(t.Param4), integer(t.Param5), integer(t.Param6)};
  step.Dec = integer(t.Dec);
  step.Decs = {integer(t.Dec1), integer(t.Dec2), integer(t.Dec3), integer(t.Dec4), integer(t.Dec5), integer(t.Dec6)};
  step.Printable = integer(t.Printable) == 1;
  step.NoPrintZero = integer(t.NoPrintZero) == 1;
  return step;
}

bool IsStopRow(const std::string& Formula) {
  std::string upper = Formula;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper == "[STOP]";
}

// The format codes of a step name, longest first so that "%.2f" is not taken for "%f".
constexpr std::string_view kNameCodes[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f", "%.0m", "%.1m",
                                           "%.2m", "%.3m", "%.4m", "%d",   "%f",   "%m"};

std::string FormatNameValue(std::string_view Code, long double Value) {
  if (Code == "%d") return Format("%d", GetRounded(Value));
  if (Code.back() == 'm') {
    const int decimals = Code.size() == 2 ? 2 : Code[2] - '0';
    return CurrToStr(TCurrency::FromExtended(Value), decimals);
  }
  return Format(std::string(Code), static_cast<double>(Value));
}

// Money of the construction in its fix currency converted into the order currency.
TCurrency FixMoney(const Tgx25Construction& C, TCurrency Value, int OrderCurrency) {
  return GetConvertedCurrency(Catalogue().Settings.CurrencyList, C.FixCurrency, OrderCurrency, Value);
}

long double WasteWeight(const Tgx25Construction& C) {
  long double weight = 0;
  for (const Tgx25MatListItem& item : C.MatList)
    if (item.Group == 0) weight += item.GetDustWeight(GetWeightByID(item.ID), GetDustByID(item.ID));
  return weight;
}

}  // namespace

Tgx25ConstructionCalculator::Tgx25ConstructionCalculator() {
  FArguments.OnFunction = [this](const std::string& name, const std::string& a1, const std::string& a2,
                                 const std::string& a3, TVariant& value) { OnGetFunction(name, a1, a2, a3, value); };
}

bool Tgx25ConstructionCalculator::Execute(int CalcMethod, Tgx25Construction& Construction,
                                          const TCalcOrderValues& Order) {
  FCalcMethod = CalcMethod;
  FConstruction = &Construction;
  FOrder = Order;
  CurrentRow = -1;
  try {
    const TCurrencyList& currencies = Catalogue().Settings.CurrencyList;
    const double work_rate = GetCurrencyValue(&currencies, Order.Currency);
    if (work_rate == 0) throw EKvError("Значение текущей валюты = 0!");
    FCurrencyFactor = GetCurrencyValue(&currencies, GetCalcMethodCurrency(CalcMethod)) / work_rate;
    PrepareScheme();
    Calculate();
    return true;
  } catch (const std::exception& e) {
    const std::string step =
        CurrentRow >= 0 ? IntToStr(Items[static_cast<size_t>(CurrentRow)].No) : IntToStr(CurrentRow);
    ShowError("Ошибка расчета стоимости изделиия [Строка: " + step + "]!\r\n" + e.what());
    return false;
  }
}

void Tgx25ConstructionCalculator::PrepareScheme() {
  Items.clear();
  const TCalcSchmTable& t = Catalogue().CalcSchm;
  for (uint32_t position : t.Get().Range(t.ByID, TKey().Add(int64_t{FCalcMethod}))) {
    const TRecord& row = t.Get().Row(position);
    if (row[t.Use].AsInteger() != 1) continue;
    if (IsStopRow(row[t.Formula].AsString())) break;
    Items.push_back(StepOf(row));
  }
}

void Tgx25ConstructionCalculator::Calculate() {
  FConstruction->EstimateList.clear();
  for (Tgx25CalcMethodItem& step : Items) step.Result = {};
  for (size_t i = 0; i < Items.size(); ++i) {
    CurrentRow = static_cast<int>(i);
    Tgx25CalcMethodItem& step = Items[i];
    TStepParameters parameters;
    for (size_t k = 0; k < 6; ++k) {
      parameters.Values[k] = GetNumByPrinciple(step.Params[k]);
      parameters.Decimals[k] = step.Decs[k];
    }
    if (i > 0 && Items[i - 1].No == step.No)
      throw ECalcStepError("В схеме присутствуют 2 строки с одинаковым номером.");
    CalculateStep(step, parameters);
    if (!step.Printable || (step.Result == TCurrency() && step.NoPrintZero)) continue;
    Tgx25EstimateItem line;
    line.Name = step.Name;
    for (size_t k = 0; k < 6; ++k) GetFormattedNameStr(line.Name, static_cast<char>('1' + k), parameters.Values[k]);
    line.Cost = step.Result;
    line.Format = step.Format;
    FConstruction->EstimateList.push_back(line);
  }
}

void Tgx25ConstructionCalculator::CalculateStep(Tgx25CalcMethodItem& Step, const TStepParameters& Parameters) {
  auto translate = [&](const std::string& text, const char* message) {
    try {
      return TranslateFormula(text, Parameters, *this);
    } catch (const EKvError& e) {
      throw ECalcStepError(Format(message, Step.No, text, e.what()));
    }
  };
  TExpress express;
  express.SetParameters(Parameters.Values);
  auto compile = [&](const std::string& text, const char* message) {
    try {
      express.SetExpression(text);
    } catch (const EKvError& e) {
      throw ECalcStepError(Format(message, Step.No, e.what()));
    }
  };
  const std::string formula =
      translate(Step.Formula, "Ошибка исходной формулы строки № %d! Компилированная строка: %s. Ошибка: %s");
  if (!Step.Condition.empty()) {
    const std::string condition = translate(
        Step.Condition, "Ошибка исходной формулы в строке условия № %d! Компилированная строка: %s. Ошибка: %s");
    compile(condition, "Ошибка в условии в строке № %d! %s");
    if (express.TheFunction(0, 0, 0) != 1) return;
  }
  if (formula.empty()) return;
  compile(formula, "Ошибка в формуле в строке № %d! %s");
  try {
    Step.Result = TCurrency::FromExtended(GetRoundedFloat(express.TheFunction(0, 0, 0), Step.Dec));
  } catch (const EKvError& e) {
    throw ECalcStepError(
        Format("Ошибка вычисления строки № %d! Компилированная строка: %s. Ошибка: %s", Step.No, formula, e.what()));
  }
}

long double Tgx25ConstructionCalculator::MoneyValue(int Code) const {
  const int kind = (Code - 10) / kGroupsPerKind;
  TCurrency sum;
  for (int group : kPrincipleGroups[(Code - 10) % kGroupsPerKind])
    sum += GetGroupCost(*FConstruction, group, static_cast<TCostKind>(kind));
  return sum.ToExtended();
}

long double Tgx25ConstructionCalculator::GetNumByPrinciple(int Code) const {
  const Tgx25Construction& c = *FConstruction;
  if (Code >= 10 && Code <= 53) return MoneyValue(Code);
  if (Code >= 60 && Code <= 69) return FOrder.Coefs[static_cast<size_t>(Code - 60)];
  if (Code >= 70 && Code <= 77) {
    const TCurrency fixed[] = {c.WindowFixPrice, c.DopProfFixPrice,  c.MontMatFixPrice, c.SillFixPrice,
                               c.SinkFixPrice,   c.MosquitoFixPrice, c.RolletFixPrice,  c.JalousieFixPrice};
    return FixMoney(c, fixed[Code - 70], FOrder.Currency).ToExtended();
  }
  if (Code == 97 || Code == 98) return FOrder.Values[static_cast<size_t>(Code - 97)];
  if (Code == 99) {
    TCurrency sum;
    for (int group = 0; group < kMaterialGroupCount; ++group) sum += GetGroupCost(c, group, ckTotal);
    return sum.ToExtended();
  }
  if (Code == 1000) return c.WorkCoef;
  if (Code == 1001) return GetConstructionMeasure(c, 102) + GetConstructionMeasure(c, 104);
  if (Code == 1003) return FixMoney(c, c.OtherMatFixPrice, FOrder.Currency).ToExtended();
  if (Code == 1004) return WasteWeight(c);
  return GetConstructionMeasure(c, Code);
}

void Tgx25ConstructionCalculator::GetFormattedNameStr(std::string& Name, char Index, long double Value) {
  for (std::string_view code : kNameCodes) {
    const std::string pattern = std::string(code) + Index;
    for (size_t at = Name.find(pattern); at != std::string::npos; at = Name.find(pattern, at)) {
      const std::string text = FormatNameValue(code, Value);
      Name.replace(at, pattern.size(), text);
      at += text.size();
    }
  }
}

int Tgx25ConstructionCalculator::CurrentStepNo() const {
  return CurrentRow >= 0 ? Items[static_cast<size_t>(CurrentRow)].No : 0;
}

TCurrency Tgx25ConstructionCalculator::FindResult(int No) const {
  for (const Tgx25CalcMethodItem& step : Items)
    if (step.No == No) return step.Result;
  return {};
}

TCurrency Tgx25ConstructionCalculator::SumResult(int NoFrom, int NoTo) const {
  TCurrency sum;
  bool inside = false;
  for (const Tgx25CalcMethodItem& step : Items) {
    inside = inside || step.No == NoFrom;
    if (!inside) continue;
    sum += step.Result;
    if (step.No == NoTo) break;
  }
  return sum;
}

long double Tgx25ConstructionCalculator::NamedValue(const std::string& Call) {
  return FArguments.Calc(Call).AsExtended();
}

void Tgx25ConstructionCalculator::OnGetFunction(const std::string& Name, const std::string& Arg1,
                                                const std::string& Arg2, const std::string& Arg3, TVariant& Value) {
  auto number = [this](const std::string& text) { return static_cast<double>(FArguments.Calc(text).AsExtended()); };
  const Tgx25Construction& c = *FConstruction;
  if (Name == "PLC_ALL" || Name == "PLC_STD" || Name == "PLC_NSTD") {
    const int kind = Name == "PLC_ALL" ? 0 : Name == "PLC_STD" ? 1 : 2;
    Value = TVariant(GetProfLengthCount(c, number(Arg1), number(Arg2), kind));
  } else if (Name == "OLC_STD") {
    Value = TVariant(GetWeldCountByLineSize(c, number(Arg1), number(Arg2)));
  } else if (Name == "OSC_STD") {
    Value = TVariant(GetWeldCountBySquare(c, number(Arg1), number(Arg2)));
  } else if (Name == "GET_MATLIST") {
    const std::string article = FArguments.Calc(Arg1).AsString();
    const int mode = static_cast<int>(number(Arg2));
    double sum = 0;
    for (const Tgx25MatListItem& item : c.MatList)
      if (item.ID == article) sum += mode == 0 ? item.Quantity : static_cast<double>(item.Cost.ToExtended());
    Value = TVariant(sum);
  }
}

TCurrency GetEstimateTotal(const Tgx25Construction& Construction) {
  TCurrency total;
  for (const Tgx25EstimateItem& line : Construction.EstimateList) total += line.Cost;
  return total;
}

}  // namespace kv
