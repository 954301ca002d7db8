#include "calc/acc_calculators.h"

#include <cmath>

#include "calc/gathering.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/material_lookups.h"
#include "construction/frames.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/utilities.h"

namespace kv {

namespace {

// The largest value a rule may give: 10 km in millimetres, whose tenths still fit the model's integers.
constexpr long double kMaxRuleValue = 1e7L;

// Thermal inserts of facade mullions come from their own table, not from the profile rules.
constexpr const char* kThermoInsert = "%THERMO";

bool Blank(const std::string& Text) { return Text.find_first_not_of(" \t\r\n") == std::string::npos; }

}  // namespace

long double RoundByMode(long double Value, int32_t Mode) {
  switch (Mode) {
    case 1: return GetRounded(Value);
    case 2: return GetRoundedToMax(Value);
    case 3: return GetRoundedToMin(Value);
    default: return Value;
  }
}

Tkv30AccCalculator::Tkv30AccCalculator() {
  FArguments.OnFunction = [this](const std::string& name, const std::string& a1, const std::string& a2,
                                 const std::string& a3, TVariant& value) { OnGetFunction(name, a1, a2, a3, value); };
  // A named value without brackets is a call without arguments.
  FArguments.OnGetValue = [this](const std::string& name, TVariant& value) { OnGetFunction(name, "", "", "", value); };
}

void Tkv30AccCalculator::Create(const TCustomFrame& Owner) {
  const Tgx25FrameLine* side = Owner.GetFrameLine(0);
  if (dynamic_cast<const TFrame*>(&Owner) == nullptr || side == nullptr) return;
  FOwnerColorAttr1 = side->Profile.ColorAttr1;
  FOwnerColorAttr2 = side->Profile.ColorAttr2;
}

bool Tkv30AccCalculator::Execute(const TAccCalcInputs& Inputs) {
  FInputs = Inputs;
  PrepareScheme();
  return true;
}

void Tkv30AccCalculator::PrepareScheme() {
  Items.clear();
  for (const TAccRule& rule : Rules()) {
    if (!CheckProperty(rule.PropKey, FInputs.Properties)) continue;
    try {
      CalculateRule(rule);
    } catch (const EInterfaceError&) {
      throw;
    } catch (const EAccCalcError&) {
      throw;
    } catch (const std::exception& error) {
      throw EAccCalcError(FailureMessage(rule, error.what()));
    }
  }
}

bool Tkv30AccCalculator::CheckProperty(int32_t PropKey, const std::vector<int32_t>& Properties) const {
  const TAccRuleKind kind = PropertyKind();
  for (int32_t value : Properties) {
    if (RulePropertyExists(kind, PropKey, value)) continue;
    const int32_t property = 10 * (value / 10);
    if (RulePropertyRangeExists(kind, PropKey, property, property + 10)) return false;
  }
  return true;
}

long double Tkv30AccCalculator::Evaluate(const std::string& Text, int32_t Mode) {
  const long double value = FArguments.Calc(Text).AsExtended();
  if (!(std::fabs(value) < kMaxRuleValue))
    throw EfrParserError(Format("Значение правила вне допустимых пределов: %s", Text));
  return RoundByMode(GetRoundedFloat(value, 4), Mode);
}

long double Tkv30AccCalculator::Calculate(const std::string& Formula, const std::string& Condition, int32_t,
                                          int32_t FRound) {
  if (!Blank(Condition) && Evaluate(Condition, FRound) == 0) return 0;
  return Blank(Formula) ? 1 : Evaluate(Formula, FRound);
}

long double Tkv30AccCalculator::CalculateStep(const std::string& Step, int32_t SRound) {
  return Blank(Step) ? 1 : Evaluate(Step, SRound);
}

void Tkv30AccCalculator::OnGetFunction(const std::string& Name, const std::string& Arg1, const std::string& Arg2,
                                       const std::string& Arg3, TVariant& Value) {
  std::vector<long double> args;
  for (const std::string* text : {&Arg1, &Arg2, &Arg3})
    if (!Blank(*text)) args.push_back(FArguments.Calc(*text).AsExtended());
  long double result = 0;
  if (!NamedValue(Name, args, result)) throw EfrParserError(Format("Неизвестное имя в правиле: %s", Name));
  Value = TVariant(static_cast<double>(result));
}

Tkv30ProfCalcItem Tkv30AccCalculator::RuleResult(const TAccRule& Rule) {
  Tkv30ProfCalcItem item;
  item.MatGroup = Rule.MatGroup;
  item.CutMap = Rule.CutMap;
  const long double value = Calculate(Rule.Formula, Rule.Condition, Rule.CRound, Rule.FRound);
  const long double steps = CalculateStep(Rule.Step, Rule.SRound);
  if (Rule.CutMap) {
    item.Length = static_cast<float>(SetSize10(static_cast<float>(value)));
    const long double count = std::trunc(Rule.Number * steps * FInputs.Count);
    if (!(std::fabs(count) < kMaxRuleValue))
      throw EfrParserError(Format("Значение правила вне допустимых пределов: %s", Format("%.0f", count)));
    item.Count = static_cast<int32_t>(count);
    // Pieces are priced by the metre.
    item.Quantity = static_cast<float>(item.Count * GetSize10(item.Length) / 1000);
    item.Angle1 = Rule.CutAngle == 1 ? FInputs.Angle1 : Rule.CutAngle == 2 ? Rule.Angle1 : 90;
    item.Angle2 = Rule.CutAngle == 1 ? FInputs.Angle2 : Rule.CutAngle == 2 ? Rule.Angle2 : 90;
  } else {
    item.Quantity = static_cast<float>(Rule.Number * value * steps * FInputs.Count);
  }
  return item;
}

void Tkv30AccCalculator::AppendResult(const TAccRule& Rule, Tkv30ProfCalcItem Item) {
  ResolveMaterial(Rule, Item);
  if (!VirtualMaterial(Item.ID)) Items.push_back(std::move(Item));
}

void Tkv30AccCalculator::CalculateRule(const TAccRule& Rule) { AppendResult(Rule, RuleResult(Rule)); }

std::string Tkv30AccCalculator::ResolveColor(const TAccRule& Rule) const {
  const auto front = [](const std::string& color) { return color.empty() ? color : GetFrontColor(color); };
  const auto back = [](const std::string& color) { return color.empty() ? color : GetBackColor(color); };
  const int32_t method = Rule.ColorMethod;
  if (method == 1 || method == 4) return FInputs.Color;
  if (method == 2 || method == 5) return front(FInputs.Color);
  if (method == 3 || method == 6) return back(FInputs.Color);
  if (method == 7) return FInputs.Color2;
  if (method == 8) return front(FInputs.Color2);
  if (method == 9) return back(FInputs.Color2);
  if (method == 10) return Rule.FixedColor;
  if (method >= 11 && method <= 15) return FInputs.OwnerColors[static_cast<size_t>(method - 11)];
  return "";
}

void Tkv30AccCalculator::ResolveMaterial(const TAccRule& Rule, Tkv30ProfCalcItem& Item) const {
  std::string article = Rule.MatID;
  Item.Color = ResolveColor(Rule);
  if (Rule.AutoColor == 1) {
    std::string color;
    GetProfAccessoryColorExchange(article, Item.Color, color);
    Item.Color = color;
  }
  Item.ID = GetIDByArticle(article, Item.Color);
  const int32_t method = Rule.ColorAttrMethod;
  if (method == 1 || method == 3) Item.ColorAttr1 = FOwnerColorAttr1;
  if (method == 2 || method == 3) Item.ColorAttr2 = FOwnerColorAttr2;
  if (method == 4) {
    Item.ColorAttr1 = FOwnerColorAttr2;
    Item.ColorAttr2 = FOwnerColorAttr1;
  }
}

// --- profiles ---

std::vector<TAccRule> Tkv30ProfListAccCalculator::Rules() const {
  return GetAccRules(TAccRuleKind::Profile, FInputs.SetID);
}

std::string Tkv30ProfListAccCalculator::FailureMessage(const TAccRule& Rule, const std::string& Error) const {
  return Format("Ошибка расчета аксессуаров, привязанных к профилю [Профиль: %s Аксессуар: %s]!\r\n[%s]",
                FInputs.Article, Rule.MatID, Error);
}

bool Tkv30ProfListAccCalculator::NamedValue(const std::string& Name, const std::vector<long double>& Args,
                                            long double& Value) {
  return Measures.Value(Name, Args, Value);
}

void Tkv30ProfListAccCalculator::CalculateRule(const TAccRule& Rule) {
  if (Rule.MatID != kThermoInsert) Tkv30AccCalculator::CalculateRule(Rule);
}

// --- combinations ---

std::vector<TAccRule> Tkv30CombListAccCalculator::Rules() const {
  return GetAccRules(TAccRuleKind::Combination, FInputs.SetID);
}

std::string Tkv30CombListAccCalculator::FailureMessage(const TAccRule& Rule, const std::string& Error) const {
  return Format("Ошибка расчета аксессуаров, привязанных к комбинации [SubSetID: %d Аксессуар: %s]!\r\n[%s]",
                FInputs.SetID, Rule.MatID, Error);
}

bool Tkv30CombListAccCalculator::NamedValue(const std::string& Name, const std::vector<long double>& Args,
                                            long double& Value) {
  return Measures.Value(Name, Args, Value);
}

// --- construction elements ---

std::vector<TAccRule> Tkv30ConsAccCalculator::Rules() const {
  if (FInputs.SetID <= 0 || Measures.Width <= 0 || Measures.Height <= 0)
    throw EAccCalcError("Не верно заданы параметры расчета аксессуаров рамы / створки.");
  return GetAccRules(TAccRuleKind::Element, FInputs.SetID);
}

std::string Tkv30ConsAccCalculator::FailureMessage(const TAccRule& Rule, const std::string& Error) const {
  return "Ошибка расчета аксессуаров рамы / створки [Строка: " + Rule.MatID + "]!\r\n[" + Error + "]";
}

bool Tkv30ConsAccCalculator::NamedValue(const std::string& Name, const std::vector<long double>&, long double& Value) {
  return Measures.Value(Name, FListLength, Value);
}

void Tkv30ConsAccCalculator::CalculateRule(const TAccRule& Rule) {
  if (!ReadsSockelLengthList(Rule.Formula) && !ReadsSockelLengthList(Rule.Condition)) {
    Tkv30AccCalculator::CalculateRule(Rule);
    return;
  }
  for (long double length : Measures.SockelLengths) {
    FListLength = length;
    AppendResult(Rule, RuleResult(Rule));
  }
  FListLength = -1;
}

// --- technologies ---

std::vector<TAccRule> Tkv30TechListAccCalculator::Rules() const { return GetTechnologyRules(FInputs.SetID); }

std::string Tkv30TechListAccCalculator::FailureMessage(const TAccRule& Rule, const std::string& Error) const {
  return Format("Ошибка расчета по технологии покрытия [%s]!\r\n[%s]", TechnologyName + ": " + Rule.MatID, Error);
}

bool Tkv30TechListAccCalculator::NamedValue(const std::string& Name, const std::vector<long double>&,
                                            long double& Value) {
  return Measures.Value(Name, Value);
}

void Tkv30TechListAccCalculator::ResolveMaterial(const TAccRule& Rule, Tkv30ProfCalcItem& Item) const {
  const bool inner = ReadsInnerArea(Rule.Formula) || ReadsInnerArea(Rule.Condition);
  Item.Color = inner ? FInputs.Color2 : FInputs.Color;
  const std::string article = GetTechnologyColorMaterial(Rule.Key, Rule.MatID, Item.Color);
  Item.ID = MaterialCode(article, Item.Color);
}

}  // namespace kv
