#pragma once
// The open catalogue: the four catalogue data modules (DM_Catalog, DM_ProfDoc, DM_FurnDoc,
// DM_AccDoc), each owning the tables of its alias read into memory, and the bound views that the
// lookups search (column positions and key indexes resolved once when the tables open).
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/databases.h"
#include "shell/table_engine.h"

namespace kv {

// The tables of one catalogue alias, opened and closed in a fixed order (the order of the
// alias's schema script).
class TCatalogueModule {
public:
  TCatalogueModule(TDatabaseAlias alias, std::vector<std::string> table_names)
      : alias_(alias), table_names_(std::move(table_names)) {}
  TDatabaseAlias Alias() const { return alias_; }
  // Opens every table of the module's list with OpenTable; a table that fails (one missing from
  // the alias database among them) is reported by OpenTable and stays closed. True when all
  // opened.
  bool OpenTables(TSqlConnection& connection);
  bool CloseTables();
  // The open table of that name, nullptr when absent or closed.
  TTable* Find(const std::string& name);
  const std::vector<std::unique_ptr<TTable>>& Tables() const { return tables_; }

private:
  TDatabaseAlias alias_;
  std::vector<std::string> table_names_;
  std::vector<std::unique_ptr<TTable>> tables_;
};

// A table the lookups search, with its columns resolved when the catalogue opens.
class TBoundTable {
public:
  bool Bound() const { return table_ != nullptr; }
  // The table; raises EInterfaceError "Таблица каталога [%s] не открыта" when it is not open.
  const TMemTable& Get() const;
  const std::string& Name() const { return name_; }

protected:
  TMemTable* Attach(TMemTable* table, const std::string& name);
  TMemTable* table_ = nullptr;
  std::string name_;
};

#define KV_DECLARE_FIELD(name) int name = -1;
#define KV_BIND_FIELD(name) name = table->FieldIndex(#name);
// A bound table type: its fields (an X-list of column names) and its indexes (an X-list of
// (index member, column list) pairs).
#define KV_BOUND_TABLE(Type, FIELDS, INDEXES)               \
  struct Type : TBoundTable {                               \
    FIELDS(KV_DECLARE_FIELD)                                \
    INDEXES(KV_DECLARE_INDEX)                               \
    void Bind(TMemTable* source, const std::string& name) { \
      TMemTable* table = Attach(source, name);              \
      if (!table) return;                                   \
      FIELDS(KV_BIND_FIELD)                                 \
      INDEXES(KV_BIND_INDEX)                                \
    }                                                       \
  };
#define KV_DECLARE_INDEX(member, ...) TMemTable::TIndexId member = -1;
#define KV_BIND_INDEX(member, ...) member = table->AddIndex({__VA_ARGS__});

#define KV_PROFLIST_FIELDS(X)                                                                                   \
  X(Profile)                                                                                                    \
  X(Group)                                                                                                      \
  X(Use)                                                                                                        \
  X(Virtual)                                                                                                    \
  X(Name)                                                                                                       \
  X(OrgArticle) X(Width) X(Thickness) X(Chamfer) X(Steel) X(SteelFalz) X(FrameSize) X(FlugelSize) X(ImpostSize) \
      X(GlassSize) X(GlassSize2) X(BeadSize) X(BeadSize2) X(AdapterSize) X(AdapterSize2) X(AdapterCorrect)      \
          X(StulpSize) X(StulpType) X(OpenType) X(FalzLuft) X(FalzSize) X(FalzPos) X(DornMass) X(Ix) X(Coef)    \
              X(ColorAlternative) X(BeadGrp) X(ImpostGrp) X(FlugelGrp) X(SockelGrp) X(SteelGrp) X(DoubleGlass)  \
                  X(ModifySize) X(ModifySize2) X(ModifySize3) X(SubSetID) X(FSAngleMin) X(FSAngleMax)
#define KV_PROFLIST_INDEXES(X) X(ByProfile, "Profile")
KV_BOUND_TABLE(TProfListTable, KV_PROFLIST_FIELDS, KV_PROFLIST_INDEXES)

#define KV_COMBLIST_FIELDS(X) \
  X(Profile1)                 \
  X(Profile2)                 \
  X(Group)                    \
  X(AngleType)                \
  X(MinAngle)                 \
  X(MaxAngle) X(Cross) X(ProfDeltaSize) X(SteelDeltaSize) X(SteelAngle) X(ProfDeltaSize2) X(SubSetID) X(Name)
#define KV_COMBLIST_INDEXES(X)                        \
  X(ByProfiles, "Profile1", "Profile2")               \
  X(ByProfilesGroup, "Profile1", "Profile2", "Group") \
  X(ByProfile1Group, "Profile1", "Group")             \
  X(BySubSetID,                                       \
    "SubSetI"                                         \
    "D")
KV_BOUND_TABLE(TCombListTable, KV_COMBLIST_FIELDS, KV_COMBLIST_INDEXES)

#define KV_BEADCOMB_FIELDS(X)                                                                                \
  X(ID)                                                                                                      \
  X(ProfGrp)                                                                                                 \
  X(Thickness)                                                                                               \
  X(BeadGrp)                                                                                                 \
  X(Name)                                                                                                    \
  X(Bead) X(Adapter) X(ProfRubber) X(BeadRubber) X(Lining_1) X(Number_1) X(Lining_2) X(Number_2) X(Lining_3) \
      X(Number_3) X(Lining_4) X(Number_4) X(Lining_5) X(Number_5)
#define KV_BEADCOMB_INDEXES(X)                                  \
  X(ByID, "ID")                                                 \
  X(ByGroupThicknessBeadGrp, "ProfGrp", "Thickness", "BeadGrp") \
  X(ByGroupThickness, "ProfGrp", "Thickness") X(ByGroupThicknessBead, "ProfGrp", "Thickness", "Bead")
KV_BOUND_TABLE(TBeadCombTable, KV_BEADCOMB_FIELDS, KV_BEADCOMB_INDEXES)

#define KV_BEADGRP_FIELDS(X) X(Name) X(Group)
#define KV_BEADGRP_INDEXES(X) X(ByGroup, "Group")
KV_BOUND_TABLE(TBeadGrpTable, KV_BEADGRP_FIELDS, KV_BEADGRP_INDEXES)

#define KV_ACCESSRY_FIELDS(X) X(Profile) X(Color) X(ProfColor) X(ProfArticle)
#define KV_ACCESSRY_INDEXES(X) X(ByProfileColor, "Profile", "Color")
KV_BOUND_TABLE(TAccessryTable, KV_ACCESSRY_FIELDS, KV_ACCESSRY_INDEXES)

#define KV_CONSLIST_FIELDS(X)                                                                                          \
  X(ID)                                                                                                                \
  X(Name)                                                                                                              \
  X(InverseColor)                                                                                                      \
  X(ModifyGrp)                                                                                                         \
  X(StulpGrp) X(Prof_1) X(Prof_2) X(Prof_3) X(Prof_4) X(Steel_1) X(Steel_2) X(Steel_3) X(Steel_4) X(X_1) X(X_2) X(X_3) \
      X(X_4)
#define KV_CONSLIST_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TConsListTable, KV_CONSLIST_FIELDS, KV_CONSLIST_INDEXES)

#define KV_DPLIST_FIELDS(X) X(ID) X(Name)
#define KV_DPLIST_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TDpListTable, KV_DPLIST_FIELDS, KV_DPLIST_INDEXES)

#define KV_CATALOG_FIELDS(X)                                                                                          \
  X(ID)                                                                                                               \
  X(System)                                                                                                           \
  X(Article)                                                                                                          \
  X(FrontColor)                                                                                                       \
  X(Group)                                                                                                            \
  X(Name) X(Unit) X(MaxLength) X(MaxWidth) X(MaxHeight) X(Weight) X(CutAvailable) X(Price) X(Currency) X(Virtual)     \
      X(Coef) X(CalcPrinciple) X(LenToSquare) X(UseArticle) X(ProdArticle) X(ProdArticle2) X(ProdArticle3)            \
          X(IncludeToComp) X(Integer) X(DustGrp) X(Laminating) X(MinTrade) X(Mark) X(PrintGroup) X(LamSqExt)          \
              X(LamSqInn) X(LamSqFull) X(SinkDeltaW) X(SinkDeltaL) X(PriceList) X(PriceMethod) X(GetCustom) X(GetNDS) \
                  X(ArcPriceCoef) X(NotStdPriceCoef) X(CombinePriceCoef) X(CustomGrp) X(PriceGrp)
#define KV_CATALOG_INDEXES(X) X(ByID, "ID") X(ByArticleColor, "Article", "FrontColor") X(ByArticle, "Article")
KV_BOUND_TABLE(TCatalogTable, KV_CATALOG_FIELDS, KV_CATALOG_INDEXES)

#define KV_COLORSET_FIELDS(X) X(Color) X(Name) X(Article) X(RAL) X(Renolit) X(ScrOuterColor) X(InnerColor) X(OuterColor)
#define KV_COLORSET_INDEXES(X) X(ByColor, "Color")
KV_BOUND_TABLE(TColorSetTable, KV_COLORSET_FIELDS, KV_COLORSET_INDEXES)

#define KV_SYSCOLOR_FIELDS(X) X(ID) X(System)
#define KV_SYSCOLOR_INDEXES(X) X(ByIDSystem, "ID", "System")
KV_BOUND_TABLE(TSysColorTable, KV_SYSCOLOR_FIELDS, KV_SYSCOLOR_INDEXES)

#define KV_SYSLIST_FIELDS(X) X(ID) X(BaseColor) X(MatType) X(CommonGrp)
#define KV_SYSLIST_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TSysListTable, KV_SYSLIST_FIELDS, KV_SYSLIST_INDEXES)

#define KV_CURRENCY_FIELDS(X) X(ID) X(Name) X(Value) X(Nominative) X(Genitive) X(GenitivePlural) X(Gender) X(Dec)
#define KV_CURRENCY_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TCurrencyTable, KV_CURRENCY_FIELDS, KV_CURRENCY_INDEXES)

#define KV_CALCMETH_FIELDS(X) X(ID) X(Name) X(Currency)
#define KV_CALCMETH_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TCalcMethTable, KV_CALCMETH_FIELDS, KV_CALCMETH_INDEXES)

#define KV_DUSTGRP_FIELDS(X) X(GroupID) X(Dust) X(LamDust)
#define KV_GROUPID_INDEXES(X) X(ByGroupID, "GroupID")
KV_BOUND_TABLE(TDustGrpTable, KV_DUSTGRP_FIELDS, KV_GROUPID_INDEXES)

#define KV_PRICEGRP_FIELDS(X) \
  X(GroupID)                  \
  X(Reduce_1)                 \
  X(Reduce_2) X(Reduce_3) X(Reduce_4) X(Reduce_5) X(Reduce_6) X(Reduce_7) X(Reduce_8) X(Reduce_9) X(Reduce_10)
KV_BOUND_TABLE(TPriceGrpTable, KV_PRICEGRP_FIELDS, KV_GROUPID_INDEXES)

#define KV_CUSTMGRP_FIELDS(X) X(GroupID) X(Tax)
KV_BOUND_TABLE(TCustmGrpTable, KV_CUSTMGRP_FIELDS, KV_GROUPID_INDEXES)

#define KV_LAMLIST_FIELDS(X) X(ID) X(Currency) X(DblMethod) X(PriceMode)
#define KV_ID_INDEXES(X) X(ByID, "ID")
KV_BOUND_TABLE(TLamListTable, KV_LAMLIST_FIELDS, KV_ID_INDEXES)

#define KV_LAMCOLOR_FIELDS(X) X(Color) X(ID) X(PriceCoef)
#define KV_LAMCOLOR_INDEXES(X) X(ByIDColor, "ID", "Color")
KV_BOUND_TABLE(TLamColorTable, KV_LAMCOLOR_FIELDS, KV_LAMCOLOR_INDEXES)

#define KV_LAMPRICE_FIELDS(X) X(ID) X(Article) X(Qty) X(InnerPrice) X(OuterPrice) X(DblPrice)
#define KV_LAMPRICE_INDEXES(X) X(ByIDArticle, "ID", "Article")
KV_BOUND_TABLE(TLamPriceTable, KV_LAMPRICE_FIELDS, KV_LAMPRICE_INDEXES)

#define KV_SYSPROP_FIELDS(X) X(ID) X(PrintName)
KV_BOUND_TABLE(TSysPropTable, KV_SYSPROP_FIELDS, KV_ID_INDEXES)

#define KV_TYPEWIN_FIELDS(X) \
  X(ID) X(Name) X(PosArticle) X(PosName) X(WinType) X(FixedProfSys) X(FixedFurnSys) X(FixedGlass) X(CalcMethod)
KV_BOUND_TABLE(TTypeWinTable, KV_TYPEWIN_FIELDS, KV_ID_INDEXES)

#define KV_TYPEPROF_FIELDS(X)                                                                               \
  X(ID)                                                                                                     \
  X(System)                                                                                                 \
  X(FrameID)                                                                                                \
  X(FlugelID)                                                                                               \
  X(Impost) X(ImpostAT) X(ImpostComb) X(Stulp) X(StulpAT) X(StulpComb) X(Falsh1) X(Spross) X(WeldAllowance) \
      X(StaticMethod)
#define KV_TYPEPROF_INDEXES(X) X(ByIDSystem, "ID", "System")
KV_BOUND_TABLE(TTypeProfTable, KV_TYPEPROF_FIELDS, KV_TYPEPROF_INDEXES)

#define KV_FRNCOMP_FIELDS(X)                                                                                          \
  X(ID)                                                                                                               \
  X(Name)                                                                                                             \
  X(Group)                                                                                                            \
  X(SubGroup) X(Image) X(ScrColor) X(Kipp) X(Printable) X(PrintName) X(DispHingeNum) X(MaxWeight) X(TFlugelAvailable) \
      X(Use) X(SymmetricID) X(MultiSysID) X(Direct) X(CommonGrp) X(Alert) X(PropKey)
#define KV_FRNCOMP_INDEXES(X) X(ByID, "ID") X(ByCommonGrpSystem, "CommonGrp", "MultiSysID")
KV_BOUND_TABLE(TFrnCompTable, KV_FRNCOMP_FIELDS, KV_FRNCOMP_INDEXES)

// The fittings documentation besides the complects (columns in the order of the schema).
#define KV_FRNSIDE_FIELDS(X)                                                                               \
  X(ID)                                                                                                    \
  X(Side)                                                                                                  \
  X(MinSize)                                                                                               \
  X(MaxSize) X(MinRadius) X(MaxRadius) X(OpenMode) X(RotSide) X(Handled) X(Banded) X(Drived) X(FullRadius) \
      X(HalfRadius) X(EllipseRadius) X(MinAngle) X(MaxAngle) X(HandleDirect)
#define KV_FRNSIDE_INDEXES(X) X(ByID, "ID") X(ByIDSide, "ID", "Side")
KV_BOUND_TABLE(TFrnSideTable, KV_FRNSIDE_FIELDS, KV_FRNSIDE_INDEXES)

#define KV_FRNSET_FIELDS(X)                                                                                           \
  X(ID)                                                                                                               \
  X(Item)                                                                                                             \
  X(PropKey)                                                                                                          \
  X(Number) X(Side1No) X(Side2No) X(AngleNo) X(FFBMin) X(FFBMax) X(FFHMin) X(FFHMax) X(FFL1No) X(FFL1Min) X(FFL1Max)  \
      X(FFL2No) X(FFL2Min) X(FFL2Max) X(FFL21No) X(FFL21Min) X(FFL21Max) X(FFL22No) X(FFL22Min) X(FFL22Max) X(FFANo)  \
          X(FFAMin) X(FFAMax) X(FFR1No) X(FFR1Min) X(FFR1Max) X(FFR1Type) X(FFR2No) X(FFR2Min) X(FFR2Max) X(FFR2Type) \
              X(Condition) X(ScaleCondition) X(ScaleStep) X(ScaleStart) X(ScaleNum) X(ScaleScheme) X(ColorCondition)  \
                  X(DefineHandleHeight) X(HandleSideNo) X(StulpType) X(Required) X(UseLen) X(LenFormula) X(MinLen)    \
                      X(AlertIfNoArt) X(AlertIfIgnore) X(UseIfArt)
KV_BOUND_TABLE(TFrnSetTable, KV_FRNSET_FIELDS, KV_ID_INDEXES)

#define KV_FRNITEM_FIELDS(X)                                                                             \
  X(ID)                                                                                                  \
  X(Name)                                                                                                \
  X(HasDornMass)                                                                                         \
  X(HasProfSys) X(CheckWeight) X(HasColor) X(HasFalzLuft) X(HasFalzSize) X(HasFalzPos) X(CheckThickness) \
      X(CheckProfWidth) X(CheckStulpType) X(CheckDirect) X(Virtual)
KV_BOUND_TABLE(TFrnItemTable, KV_FRNITEM_FIELDS, KV_ID_INDEXES)

#define KV_FRNART_FIELDS(X)                                                                                        \
  X(ID)                                                                                                            \
  X(CatalogID)                                                                                                     \
  X(FalzLuft)                                                                                                      \
  X(FalzSize) X(FalzPos) X(DornMassMin) X(DornMassMax) X(HandleMin) X(HandleMax) X(HandleHeight) X(WeightMin)      \
      X(WeightMax) X(ThicknessMin) X(ThicknessMax) X(ProfWidthMin) X(ProfWidthMax) X(ProfSys) X(FFBMin) X(FFBMax)  \
          X(FFHMin) X(FFHMax) X(Color) X(StulpType) X(FFAMin) X(FFAMax) X(Direct) X(FFL1Min) X(FFL1Max) X(FFL2Min) \
              X(FFL2Max) X(FFR1Min) X(FFR1Max) X(FFR2Min) X(FFR2Max)
KV_BOUND_TABLE(TFrnArtTable, KV_FRNART_FIELDS, KV_ID_INDEXES)

#define KV_FRNITOI_FIELDS(X) \
  X(ID) X(Item) X(PropKey) X(Number) X(StulpType) X(ColorCondition) X(Required) X(AlertIfNoArt) X(AlertIfIgnore)
KV_BOUND_TABLE(TFrnItoITable, KV_FRNITOI_FIELDS, KV_ID_INDEXES)

#define KV_FRNDOP_FIELDS(X) X(CatalogID) X(AccessoryID) X(Number) X(PropKey) X(StulpType)
#define KV_CATALOGID_INDEXES(X) X(ByCatalogID, "CatalogID")
KV_BOUND_TABLE(TFrnDopTable, KV_FRNDOP_FIELDS, KV_CATALOGID_INDEXES)

#define KV_FRNABD_FIELDS(X) X(CatalogID) X(Color) X(AccessoryID) X(Number)
#define KV_FRNABD_INDEXES(X) X(ByCatalogIDColor, "CatalogID", "Color")
KV_BOUND_TABLE(TFrnAbdTable, KV_FRNABD_FIELDS, KV_FRNABD_INDEXES)

#define KV_FRNSCHL_FIELDS(X) X(CatalogID) X(Item) X(Number) X(StulpType) X(PropKey)
KV_BOUND_TABLE(TFrnSchlTable, KV_FRNSCHL_FIELDS, KV_CATALOGID_INDEXES)

#define KV_FRNPROP_FIELDS(X) X(ID) X(PropKey) X(Default)
#define KV_FRNPROP_INDEXES(X) X(ByPropKey, "PropKey") X(ByPropKeyID, "PropKey", "ID")
KV_BOUND_TABLE(TFrnPropTable, KV_FRNPROP_FIELDS, KV_FRNPROP_INDEXES)

#define KV_FRNSYSP_FIELDS(X) X(ProfSysID) X(FurnSysID) X(SchlSysID) X(StulpSysID)
#define KV_FRNSYSP_INDEXES(X) X(ByProfSys, "ProfSysID") X(ByProfFurnSys, "ProfSysID", "FurnSysID")
KV_BOUND_TABLE(TFrnSysPTable, KV_FRNSYSP_FIELDS, KV_FRNSYSP_INDEXES)

#define KV_TYPEFURN_FIELDS(X)                                                                           \
  X(ID)                                                                                                 \
  X(System)                                                                                             \
  X(Handle) X(Hinge) X(Lock) X(Cylinder) X(Drive) X(Latch) X(DopComplect1) X(DopComplect2) X(DKR) X(DR) \
      X(DopComplect3) X(FurnProp) X(UserDefineHeight)
#define KV_TYPEFURN_INDEXES(X) X(ByIDSystem, "ID", "System")
KV_BOUND_TABLE(TTypeFurnTable, KV_TYPEFURN_FIELDS, KV_TYPEFURN_INDEXES)

#define KV_PRICELST_FIELDS(X) X(ID) X(Currency) X(MinPrice) X(Symmetric) X(Param) X(PricePerOne)
KV_BOUND_TABLE(TPriceLstTable, KV_PRICELST_FIELDS, KV_ID_INDEXES)

#define KV_PRICEGRD_FIELDS(X) X(ID) X(Size1) X(Size2) X(Price)
KV_BOUND_TABLE(TPriceGrdTable, KV_PRICEGRD_FIELDS, KV_ID_INDEXES)

#define KV_AUTOCHNG_FIELDS(X) X(FromID) X(FromNumber) X(ToID) X(ToNumber)
#define KV_AUTOCHNG_INDEXES(X) X(ByFromID, "FromID")
KV_BOUND_TABLE(TAutoChngTable, KV_AUTOCHNG_FIELDS, KV_AUTOCHNG_INDEXES)

#define KV_CALCSCHM_FIELDS(X)                                                                                \
  X(ID)                                                                                                      \
  X(No)                                                                                                      \
  X(Name)                                                                                                    \
  X(Formula) X(Condition) X(Param1) X(Param2) X(Param3) X(Param4) X(Param5) X(Param6) X(Format) X(Printable) \
      X(NoPrintZero) X(Use) X(Dec) X(Dec1) X(Dec2) X(Dec3) X(Dec4) X(Dec5) X(Dec6)
KV_BOUND_TABLE(TCalcSchmTable, KV_CALCSCHM_FIELDS, KV_ID_INDEXES)

#define KV_ACCDOC_FIELDS(X)                                                                                         \
  X(ID)                                                                                                             \
  X(MatID)                                                                                                          \
  X(DetailNo)                                                                                                       \
  X(Principle) X(Const) X(Step) X(StepCond) X(Number) X(CutMap) X(Printable) X(Param_11) X(Param_12) X(Param_21)    \
      X(Param_22) X(Param_31) X(Param_32) X(Sign_1) X(Sign_2) X(Sign_3) X(Const_1) X(Const_2) X(Const_3) X(Logic_1) \
          X(Logic_2) X(Const_W) X(Const_H) X(Expense) X(Use) X(MatGroup)
KV_BOUND_TABLE(TAccDocTable, KV_ACCDOC_FIELDS, KV_ID_INDEXES)

// A currency of the in-memory currency list (BuildCurrencyList).
struct TCurrencyItem {
  int ID = 0;
  double Value = 0;
};
using TCurrencyList = std::vector<TCurrencyItem>;

// What the lookups need of the options object: the waste-allowance switch and the currency
// list with the working currency (the start-up sequence copies them from GXSetup).
struct TCatalogueSettings {
  bool UseDust = true;
  TCurrencyList CurrencyList;
  int WorkCurrency = 0;
};

class TCatalogue {
public:
  TCatalogue();
  ~TCatalogue();
  TCatalogue(const TCatalogue&) = delete;
  TCatalogue& operator=(const TCatalogue&) = delete;

  // Opens the tables of the four catalogue modules from the attached catalogue aliases (the
  // databases must be open), binds the lookup tables and builds the currency list. Tables that
  // fail are reported and stay closed; returns whether all opened.
  bool OpenTables(TDatabases& databases);
  // Closes the tables of the four modules.
  void CloseTables();
  bool IsOpen() const { return databases_ != nullptr; }
  // The databases the catalogue was opened from (for the few lookups that run SQL).
  TDatabases& Databases() const;

  TCatalogueModule DM_Catalog;
  TCatalogueModule DM_ProfDoc;
  TCatalogueModule DM_FurnDoc;
  TCatalogueModule DM_AccDoc;

  TProfListTable ProfList;
  TCombListTable CombList;
  TBeadCombTable BeadComb;
  TBeadGrpTable BeadGrp;
  TAccessryTable Accessry;
  TConsListTable ConsList;
  TDpListTable DpList;
  TCatalogTable Catalog;
  TColorSetTable ColorSet;
  TSysColorTable SysColor;
  TSysListTable SysList;
  TCurrencyTable Currency;
  TCalcMethTable CalcMeth;
  TDustGrpTable DustGrp;
  TPriceGrpTable PriceGrp;
  TCustmGrpTable CustmGrp;
  TLamListTable LamList;
  TLamColorTable LamColor;
  TLamPriceTable LamPrice;
  TSysPropTable SysProp;
  TTypeWinTable TypeWin;
  TTypeProfTable TypeProf;
  TFrnCompTable FrnComp;
  TFrnSideTable FrnSide;
  TFrnSetTable FrnSet;
  TFrnItemTable FrnItem;
  TFrnArtTable FrnArt;
  TFrnItoITable FrnItoI;
  TFrnDopTable FrnDop;
  TFrnAbdTable FrnAbd;
  TFrnSchlTable FrnSchl;
  TFrnPropTable FrnProp;
  TFrnSysPTable FrnSysP;
  TTypeFurnTable TypeFurn;
  TPriceLstTable PriceLst;
  TPriceGrdTable PriceGrd;
  TAutoChngTable AutoChng;
  TCalcSchmTable CalcSchm;
  TAccDocTable AccDoc;

  TCatalogueSettings Settings;

  // Every module in opening order.
  std::vector<TCatalogueModule*> Modules();

private:
  void BindTables();
  TMemTable* TableData(TCatalogueModule& module, const std::string& name);
  TDatabases* databases_ = nullptr;
};

// The catalogue of the current session context, created empty on first use.
TCatalogue& Catalogue();

// The four catalogue databases of dirs opened in the current session context, with the catalogue
// tables read from them, for the lifetime of this object: the catalogue of a batch job.
class TOpenedCatalogue {
public:
  explicit TOpenedCatalogue(const TDatabaseDirs& dirs);
  ~TOpenedCatalogue();
  TOpenedCatalogue(const TOpenedCatalogue&) = delete;
  TOpenedCatalogue& operator=(const TOpenedCatalogue&) = delete;
};

// Raises the catalogue error with the message.
[[noreturn]] void RaiseCatalogueError(const std::string& message);

}  // namespace kv
