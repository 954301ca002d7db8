#pragma once
// The accessory calculators: each evaluates the catalogue rules of one object (a profile piece, a
// joint of two profiles, a construction element, a technology over a profile piece) and returns
// the materials and profile pieces the rules add. They share one scheme: filter the rule set,
// check each rule's property restriction, evaluate its condition, formula and step with the rule
// expression evaluator over the object's named values, resolve the colour and the catalogue code.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "calc/acc_named_values.h"
#include "calc/fr_parser.h"
#include "catalogue/rule_tables.h"
#include "shell/errors.h"

namespace kv {

class TCustomFrame;

// A rule that failed to evaluate, with the calculator's message naming the object and the rule.
class EAccCalcError : public EKvError {
  using EKvError::EKvError;
};

// One result of a calculator.
struct Tkv30ProfCalcItem {
  int32_t MatGroup = 0;
  std::string ID;
  bool CutMap = false;
  std::string Color;
  std::string ColorAttr1;
  std::string ColorAttr2;
  float Length = 0;  // tenths of a millimetre
  int32_t Count = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  float Quantity = 0;
};
using TProfCalcItems = std::vector<Tkv30ProfCalcItem>;

// What a calculator is run with.
struct TAccCalcInputs {
  std::string Article;  // the object's article (the profile, the joint's second profile, the element)
  std::string Color;
  std::string Color2;                      // the object's second colour (its inner colour attribute, else its colour)
  std::array<std::string, 5> OwnerColors;  // the frame's profile, fittings, sash, frame and bead seal colours
  float Length = 0;                        // millimetres
  float Angle1 = 90;
  float Angle2 = 90;
  int32_t Count = 1;
  std::vector<int32_t> Properties;
  int32_t SetID = 0;
};

// The rounding mode of a rule: 0 none, 1 to the nearest integer, 2 up, 3 down.
long double RoundByMode(long double Value, int32_t Mode);

class Tkv30AccCalculator {
public:
  Tkv30AccCalculator();
  virtual ~Tkv30AccCalculator() = default;
  Tkv30AccCalculator(const Tkv30AccCalculator&) = delete;
  Tkv30AccCalculator& operator=(const Tkv30AccCalculator&) = delete;

  // Takes the colour attributes of a frame owner (those of its profile); other owners have none.
  void Create(const TCustomFrame& Owner);
  // Stores the inputs and evaluates the rule set; a rule that fails raises EAccCalcError with the
  // calculator's message (the results of the rules before it stay in Items).
  bool Execute(const TAccCalcInputs& Inputs);
  void PrepareScheme();
  // Whether a rule restricted by PropKey applies to the owner's property values: every value
  // either is named by the rule's property table or its property is not named there at all.
  bool CheckProperty(int32_t PropKey, const std::vector<int32_t>& Properties) const;
  // The rule value: 0 when the condition is 0, else the formula (1 when empty); both rounded to
  // four decimals and by FRound. CRound is read with the rule and has no effect.
  long double Calculate(const std::string& Formula, const std::string& Condition, int32_t CRound, int32_t FRound);
  // How many times the rule repeats: 1 without a step.
  long double CalculateStep(const std::string& Step, int32_t SRound);
  void OnGetFunction(const std::string& Name, const std::string& Arg1, const std::string& Arg2, const std::string& Arg3,
                     TVariant& Value);

  TProfCalcItems Items;

protected:
  virtual std::vector<TAccRule> Rules() const = 0;
  virtual TAccRuleKind PropertyKind() const = 0;
  // The message of a failed rule: the calculator's own text with the error.
  virtual std::string FailureMessage(const TAccRule& Rule, const std::string& Error) const = 0;
  // The named value of a call with its arguments evaluated; false when the name is unknown.
  virtual bool NamedValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) = 0;
  // Appends the results of one rule.
  virtual void CalculateRule(const TAccRule& Rule);
  // The catalogue code and colours of the rule's material.
  virtual void ResolveMaterial(const TAccRule& Rule, Tkv30ProfCalcItem& Item) const;
  // The result of a rule evaluated once with the inputs, before its material is resolved.
  Tkv30ProfCalcItem RuleResult(const TAccRule& Rule);
  void AppendResult(const TAccRule& Rule, Tkv30ProfCalcItem Item);
  // The text evaluated, rounded to four decimals and by Mode.
  long double Evaluate(const std::string& Text, int32_t Mode);

  std::string FOwnerColorAttr1;
  std::string FOwnerColorAttr2;
  TAccCalcInputs FInputs;
  TfrParser FArguments;

private:
  std::string ResolveColor(const TAccRule& Rule) const;
};

// The rules of a profile (ProfSet): run for each profile piece and each reinforcement piece.
class Tkv30ProfListAccCalculator : public Tkv30AccCalculator {
public:
  TPieceMeasures Measures;

protected:
  std::vector<TAccRule> Rules() const override;
  TAccRuleKind PropertyKind() const override { return TAccRuleKind::Profile; }
  std::string FailureMessage(const TAccRule& Rule, const std::string& Error) const override;
  bool NamedValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) override;
  void CalculateRule(const TAccRule& Rule) override;
};

// The rules of a profile combination (CombSet): run for each joint.
class Tkv30CombListAccCalculator : public Tkv30AccCalculator {
public:
  TJointMeasures Measures;

protected:
  std::vector<TAccRule> Rules() const override;
  TAccRuleKind PropertyKind() const override { return TAccRuleKind::Combination; }
  std::string FailureMessage(const TAccRule& Rule, const std::string& Error) const override;
  bool NamedValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) override;
};

// The rules of a construction element (ConsSet): run for frames, sashes and modificators.
class Tkv30ConsAccCalculator : public Tkv30AccCalculator {
public:
  TElementMeasures Measures;

protected:
  std::vector<TAccRule> Rules() const override;
  TAccRuleKind PropertyKind() const override { return TAccRuleKind::Element; }
  std::string FailureMessage(const TAccRule& Rule, const std::string& Error) const override;
  bool NamedValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) override;
  // A rule over the base-profile length list yields one result per length.
  void CalculateRule(const TAccRule& Rule) override;

private:
  // The length of the list the current result is evaluated for; < 0 outside such a rule.
  long double FListLength = -1;
};

// The painting components of a technology (TecSet) over one profile piece.
class Tkv30TechListAccCalculator : public Tkv30AccCalculator {
public:
  TTechMeasures Measures;
  std::string TechnologyName;

protected:
  std::vector<TAccRule> Rules() const override;
  // Components have no property restriction (PropKey 0), so any table serves.
  TAccRuleKind PropertyKind() const override { return TAccRuleKind::Profile; }
  std::string FailureMessage(const TAccRule& Rule, const std::string& Error) const override;
  bool NamedValue(const std::string& Name, const std::vector<long double>& Args, long double& Value) override;
  // The material of a component from the technology's colour table, in the painted colour.
  void ResolveMaterial(const TAccRule& Rule, Tkv30ProfCalcItem& Item) const override;
};

}  // namespace kv
