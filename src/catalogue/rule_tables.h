#pragma once
// The rule tables of the accessory calculators: the rules of profiles (ProfSet), combinations
// (CombSet) and construction elements (ConsSet) with the property values each rule allows
// (ProfProp, CombProp, ConsProp), and the painting components of technologies (TecSet, TecMat,
// TecColor). Bound on demand from the open catalogue modules.
#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace kv {

#define KV_ACCRULE_FIELDS(X)                                                                                           \
  X(ID)                                                                                                                \
  X(MatID)                                                                                                             \
  X(PropKey) X(Formula) X(Condition) X(FRound) X(CRound) X(SRound) X(Number) X(CutAngle) X(Angle1) X(Angle2) X(CutMap) \
      X(MatGroup) X(ColorMethod) X(AutoColor) X(FixedColor) X(Use) X(Step) X(ColorAttrMethod) X(FixedColorAttr1)       \
          X(FixedColorAttr2)
#define KV_ACCRULE_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TAccRuleTable, KV_ACCRULE_FIELDS, KV_ACCRULE_INDEXES)

#define KV_RULEPROP_FIELDS(X) X(PropKey) X(ID)
#define KV_RULEPROP_INDEXES(X) X(ByPropKeyID, "PropKey", "ID") X(ByPropKey, "PropKey")
KV_BOUND_TABLE(TRulePropTable, KV_RULEPROP_FIELDS, KV_RULEPROP_INDEXES)

#define KV_TECLIST_FIELDS(X) X(ID) X(Name)
#define KV_TECLIST_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TTecListTable, KV_TECLIST_FIELDS, KV_TECLIST_INDEXES)

#define KV_TECSET_FIELDS(X) \
  X(MasterID) X(ID) X(Name) X(Formula) X(Condition) X(FRound) X(CRound) X(Number) X(MatGroup) X(Use)
#define KV_MASTERID_INDEXES(X) X(ByMasterID, "MasterID")
KV_BOUND_TABLE(TTecSetTable, KV_TECSET_FIELDS, KV_MASTERID_INDEXES)

#define KV_TECMAT_FIELDS(X) X(MasterID) X(ID)
KV_BOUND_TABLE(TTecMatTable, KV_TECMAT_FIELDS, KV_MASTERID_INDEXES)

#define KV_TECCOLOR_FIELDS(X) X(MasterID) X(ColorID) X(MatID)
#define KV_TECCOLOR_INDEXES(X) X(ByMasterColor, "MasterID", "ColorID")
KV_BOUND_TABLE(TTecColorTable, KV_TECCOLOR_FIELDS, KV_TECCOLOR_INDEXES)

// Which rule table a calculator reads.
enum class TAccRuleKind { Profile, Combination, Element };

// One rule row, whichever table it comes from (a technology component fills what its table has).
struct TAccRule {
  int32_t Key = 0;  // the component of a technology (TecSet ID)
  std::string MatID;
  int32_t PropKey = 0;
  std::string Formula;
  std::string Condition;
  std::string Step;
  int32_t FRound = 0;
  int32_t CRound = 0;
  int32_t SRound = 0;
  double Number = 1;
  int32_t CutAngle = 0;
  float Angle1 = 0;
  float Angle2 = 0;
  bool CutMap = false;
  int32_t MatGroup = 4;
  int32_t ColorMethod = 0;
  int32_t AutoColor = 0;
  std::string FixedColor;
  int32_t ColorAttrMethod = 0;
  std::string FixedColorAttr1;
  std::string FixedColorAttr2;
};

// The rules of a rule set in table order ("ID = %d and Use=1"); the element rules have no step.
std::vector<TAccRule> GetAccRules(TAccRuleKind Kind, int32_t SetID);
// The name of a technology (TecList), "Неизвестно" when absent.
std::string GetTechnologyName(int32_t TechnologyID);
// The components of a technology in table order ("MasterID = %d and Use=1").
std::vector<TAccRule> GetTechnologyRules(int32_t TechnologyID);
// The base materials (Material.db) a technology is restricted to; empty when it serves every one.
std::vector<int32_t> GetTechnologyMaterials(int32_t TechnologyID);
// The article of a painting component (TecSet ID, named Name) in a colour: TecColor located by
// MasterID;ColorID with the component; the catalogue error naming the component and the colour
// when there is none.
std::string GetTechnologyColorMaterial(int32_t Component, const std::string& Name, const std::string& Color);

// The property table of a rule kind holds (PropKey, Value).
bool RulePropertyExists(TAccRuleKind Kind, int32_t PropKey, int32_t Value);
// The property table holds a value of PropKey within [From, To).
bool RulePropertyRangeExists(TAccRuleKind Kind, int32_t PropKey, int32_t From, int32_t To);

// The facade allowances of a profile (ProfList FSPrigim, FSDekor), millimetres; 0 when missing.
float GetProfPressurePlateAllowance(const std::string& Profile);
float GetProfDecorCoverAllowance(const std::string& Profile);

}  // namespace kv
