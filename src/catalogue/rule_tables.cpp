#include "catalogue/rule_tables.h"

#include "shell/format_settings.h"

namespace kv {

namespace {

TMemTable* ProfDocTable(const char* Name) {
  TTable* table = Catalogue().DM_ProfDoc.Find(Name);
  return table != nullptr ? &table->Data() : nullptr;
}

TMemTable* CatalogTable(const char* Name) {
  TTable* table = Catalogue().DM_Catalog.Find(Name);
  return table != nullptr ? &table->Data() : nullptr;
}

// The view is bound anew for each use: the catalogue may have been reopened in between, and an
// index asked for twice is the same index.
template <typename TView>
TView Bound(TMemTable* Table, const char* Name) {
  TView view;
  view.Bind(Table, Name);
  return view;
}

const char* RuleTableName(TAccRuleKind Kind) {
  switch (Kind) {
    case TAccRuleKind::Profile: return "ProfSet";
    case TAccRuleKind::Combination: return "CombSet";
    default: return "ConsSet";
  }
}

const char* PropTableName(TAccRuleKind Kind) {
  switch (Kind) {
    case TAccRuleKind::Profile: return "ProfProp";
    case TAccRuleKind::Combination: return "CombProp";
    default: return "ConsProp";
  }
}

TRulePropTable PropTable(TAccRuleKind Kind) {
  return Bound<TRulePropTable>(ProfDocTable(PropTableName(Kind)), PropTableName(Kind));
}

int32_t Int(const TRecord& Row, int Column) { return static_cast<int32_t>(Row[Column].AsInteger()); }

TAccRule ReadRule(const TAccRuleTable& t, const TRecord& row, bool WithStep) {
  TAccRule rule;
  rule.MatID = row[t.MatID].AsString();
  rule.PropKey = Int(row, t.PropKey);
  rule.Formula = row[t.Formula].AsString();
  rule.Condition = row[t.Condition].AsString();
  if (WithStep) rule.Step = row[t.Step].AsString();
  rule.FRound = Int(row, t.FRound);
  rule.CRound = Int(row, t.CRound);
  rule.SRound = Int(row, t.SRound);
  rule.Number = row[t.Number].AsFloat();
  rule.CutAngle = Int(row, t.CutAngle);
  rule.Angle1 = static_cast<float>(row[t.Angle1].AsFloat());
  rule.Angle2 = static_cast<float>(row[t.Angle2].AsFloat());
  rule.CutMap = Int(row, t.CutMap) == 1;
  rule.MatGroup = Int(row, t.MatGroup);
  rule.ColorMethod = Int(row, t.ColorMethod);
  rule.AutoColor = Int(row, t.AutoColor);
  rule.FixedColor = row[t.FixedColor].AsString();
  rule.ColorAttrMethod = Int(row, t.ColorAttrMethod);
  rule.FixedColorAttr1 = row[t.FixedColorAttr1].AsString();
  rule.FixedColorAttr2 = row[t.FixedColorAttr2].AsString();
  return rule;
}

float ProfListSize(const std::string& Profile, const char* Column) {
  const TProfListTable& t = Catalogue().ProfList;
  const TRecord* row = t.Get().Locate(t.ByProfile, TKey().Add(std::string_view(Profile)));
  return row != nullptr ? static_cast<float>((*row)[t.Get().FieldIndex(Column)].AsFloat()) : 0;
}

}  // namespace

std::vector<TAccRule> GetAccRules(TAccRuleKind Kind, int32_t SetID) {
  const auto t = Bound<TAccRuleTable>(ProfDocTable(RuleTableName(Kind)), RuleTableName(Kind));
  std::vector<TAccRule> rules;
  const TMemTable& table = t.Get();
  for (uint32_t position : table.Range(t.ByID, TKey().Add(int64_t{SetID}))) {
    const TRecord& row = table.Row(position);
    if (Int(row, t.Use) == 1) rules.push_back(ReadRule(t, row, Kind != TAccRuleKind::Element));
  }
  return rules;
}

std::string GetTechnologyName(int32_t TechnologyID) {
  const auto t = Bound<TTecListTable>(CatalogTable("TecList"), "TecList");
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(int64_t{TechnologyID}));
  return row != nullptr ? (*row)[t.Name].AsString() : "Неизвестно";
}

std::vector<TAccRule> GetTechnologyRules(int32_t TechnologyID) {
  const auto t = Bound<TTecSetTable>(CatalogTable("TecSet"), "TecSet");
  std::vector<TAccRule> rules;
  const TMemTable& table = t.Get();
  for (uint32_t position : table.Range(t.ByMasterID, TKey().Add(int64_t{TechnologyID}))) {
    const TRecord& row = table.Row(position);
    if (Int(row, t.Use) != 1) continue;
    TAccRule rule;
    rule.Key = Int(row, t.ID);
    rule.MatID = row[t.Name].AsString();
    rule.Formula = row[t.Formula].AsString();
    rule.Condition = row[t.Condition].AsString();
    rule.FRound = Int(row, t.FRound);
    rule.CRound = Int(row, t.CRound);
    rule.Number = row[t.Number].AsFloat();
    rule.MatGroup = Int(row, t.MatGroup);
    rules.push_back(rule);
  }
  return rules;
}

std::vector<int32_t> GetTechnologyMaterials(int32_t TechnologyID) {
  const auto t = Bound<TTecMatTable>(CatalogTable("TecMat"), "TecMat");
  std::vector<int32_t> materials;
  for (uint32_t position : t.Get().Range(t.ByMasterID, TKey().Add(int64_t{TechnologyID})))
    materials.push_back(Int(t.Get().Row(position), t.ID));
  return materials;
}

std::string GetTechnologyColorMaterial(int32_t Component, const std::string& Name, const std::string& Color) {
  const auto t = Bound<TTecColorTable>(CatalogTable("TecColor"), "TecColor");
  const TRecord* row = t.Get().Locate(t.ByMasterColor, TKey().Add(int64_t{Component}).Add(std::string_view(Color)));
  if (row == nullptr || (*row)[t.MatID].AsString().empty())
    RaiseCatalogueError(Format(
        "Не могу определить артикул материала по технологической базе цветов. Компонент покраски: %s  Код цвета: %s",
        Name, Color));
  return (*row)[t.MatID].AsString();
}

bool RulePropertyExists(TAccRuleKind Kind, int32_t PropKey, int32_t Value) {
  const TRulePropTable t = PropTable(Kind);
  return t.Get().Locate(t.ByPropKeyID, TKey().Add(int64_t{PropKey}).Add(int64_t{Value})) != nullptr;
}

bool RulePropertyRangeExists(TAccRuleKind Kind, int32_t PropKey, int32_t From, int32_t To) {
  const TRulePropTable t = PropTable(Kind);
  return t.Get().FindFirst(t.ByPropKey, TKey().Add(int64_t{PropKey}), [&](const TRecord& row) {
    const int32_t value = Int(row, t.ID);
    return value >= From && value < To;
  }) != nullptr;
}

float GetProfPressurePlateAllowance(const std::string& Profile) { return ProfListSize(Profile, "FSPrigim"); }
float GetProfDecorCoverAllowance(const std::string& Profile) { return ProfListSize(Profile, "FSDekor"); }

}  // namespace kv
