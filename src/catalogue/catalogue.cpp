#include "catalogue/catalogue.h"

#include "catalogue/catalogue_files.h"
#include "catalogue/currency_lookups.h"
#include "shell/format_settings.h"
#include "shell/session_context.h"

namespace kv {

bool TCatalogueModule::OpenTables(TSqlConnection& connection) {
  CloseTables();
  tables_.clear();
  for (const std::string& name : table_names_) {
    tables_.push_back(std::make_unique<TTable>(connection, std::string(AliasName(alias_)), name));
  }
  bool all_opened = true;
  for (const auto& table : tables_) all_opened = OpenTable(table.get()) && all_opened;
  return all_opened;
}

bool TCatalogueModule::CloseTables() {
  bool all_closed = true;
  for (const auto& table : tables_) {
    if (table->Active()) all_closed = CloseTable(table.get()) && all_closed;
  }
  return all_closed;
}

TTable* TCatalogueModule::Find(const std::string& name) {
  for (const auto& table : tables_) {
    if (table->TableName() == name && table->Active()) return table.get();
  }
  return nullptr;
}

const TMemTable& TBoundTable::Get() const {
  if (!table_) RaiseCatalogueError(Format("Таблица каталога [%s] не открыта", name_));
  return *table_;
}

TMemTable* TBoundTable::Attach(TMemTable* table, const std::string& name) {
  table_ = table;
  name_ = name;
  return table;
}

TCatalogue::TCatalogue()
    : DM_Catalog(TDatabaseAlias::GXDB_Catalog,
                 {"Catalog",  "COLORSET", "SysColor", "SysList",  "Currency", "CalcMeth", "CalcSchm", "PriceLst",
                  "PriceGrd", "LamList",  "LamColor", "LamPrice", "DustGrp",  "PriceGrp", "CustmGrp", "GaranGrp",
                  "SysProp",  "TypeWin",  "TypeProf", "TypeFurn", "AutoChng", "Service",  "Reduce",   "TecList",
                  "TecItem",  "TecSet",   "TecMat",   "TecColor", "Material", "SysProf",  "CommProp", "Stat_Cit",
                  "Stat_Reg", "Stat_K0",  "Stat_K1",  "Stat_K2",  "Library"}),
      DM_ProfDoc(TDatabaseAlias::GXDB_Profile,
                 {"ProfList", "CombList", "BeadComb", "BeadGrp", "Accessry", "FLStatic", "ProfSet", "CombSet",
                  "ConsSet", "ProfProp", "CombProp", "ConsProp", "ConsList", "DpList", "DpSchm", "FSThermo"}),
      DM_FurnDoc(TDatabaseAlias::GXDB_Furniture, {"FrnComp", "FrnSide", "FrnSet", "FrnItem", "FrnArt", "FrnItoI",
                                                  "FrnDop", "FrnAbd", "FrnSchl", "FrnProp", "FrnSysP"}),
      DM_AccDoc(TDatabaseAlias::GXDB_Accessory, {"AccDoc", "MontSchm"}) {
  // Names the tables before any opening, for the message about a closed one.
  BindTables();
}

TCatalogue::~TCatalogue() = default;

std::vector<TCatalogueModule*> TCatalogue::Modules() { return {&DM_Catalog, &DM_ProfDoc, &DM_FurnDoc, &DM_AccDoc}; }

bool TCatalogue::OpenTables(TDatabases& databases) {
  CloseTables();
  bool all_opened = true;
  for (TCatalogueModule* module : Modules()) {
    all_opened = module->OpenTables(databases.Sql()) && all_opened;
  }
  databases_ = &databases;
  BindTables();
  Settings.CurrencyList = BuildCurrencyList(*this);
  return all_opened;
}

void TCatalogue::CloseTables() {
  for (TCatalogueModule* module : Modules()) module->CloseTables();
  databases_ = nullptr;
  BindTables();
}

TDatabases& TCatalogue::Databases() const {
  if (!databases_) RaiseCatalogueError("Каталог не открыт");
  return *databases_;
}

TMemTable* TCatalogue::TableData(TCatalogueModule& module, const std::string& name) {
  TTable* table = databases_ ? module.Find(name) : nullptr;
  return table ? &table->Data() : nullptr;
}

void TCatalogue::BindTables() {
  ProfList.Bind(TableData(DM_ProfDoc, "ProfList"), "ProfList");
  CombList.Bind(TableData(DM_ProfDoc, "CombList"), "CombList");
  BeadComb.Bind(TableData(DM_ProfDoc, "BeadComb"), "BeadComb");
  BeadGrp.Bind(TableData(DM_ProfDoc, "BeadGrp"), "BeadGrp");
  Accessry.Bind(TableData(DM_ProfDoc, "Accessry"), "Accessry");
  ConsList.Bind(TableData(DM_ProfDoc, "ConsList"), "ConsList");
  DpList.Bind(TableData(DM_ProfDoc, "DpList"), "DpList");
  Catalog.Bind(TableData(DM_Catalog, "Catalog"), "Catalog");
  ColorSet.Bind(TableData(DM_Catalog, "COLORSET"), "COLORSET");
  SysColor.Bind(TableData(DM_Catalog, "SysColor"), "SysColor");
  SysList.Bind(TableData(DM_Catalog, "SysList"), "SysList");
  Currency.Bind(TableData(DM_Catalog, "Currency"), "Currency");
  CalcMeth.Bind(TableData(DM_Catalog, "CalcMeth"), "CalcMeth");
  DustGrp.Bind(TableData(DM_Catalog, "DustGrp"), "DustGrp");
  PriceGrp.Bind(TableData(DM_Catalog, "PriceGrp"), "PriceGrp");
  CustmGrp.Bind(TableData(DM_Catalog, "CustmGrp"), "CustmGrp");
  LamList.Bind(TableData(DM_Catalog, "LamList"), "LamList");
  LamColor.Bind(TableData(DM_Catalog, "LamColor"), "LamColor");
  LamPrice.Bind(TableData(DM_Catalog, "LamPrice"), "LamPrice");
  SysProp.Bind(TableData(DM_Catalog, "SysProp"), "SysProp");
  TypeWin.Bind(TableData(DM_Catalog, "TypeWin"), "TypeWin");
  TypeProf.Bind(TableData(DM_Catalog, "TypeProf"), "TypeProf");
  FrnComp.Bind(TableData(DM_FurnDoc, "FrnComp"), "FrnComp");
  FrnSide.Bind(TableData(DM_FurnDoc, "FrnSide"), "FrnSide");
  FrnSet.Bind(TableData(DM_FurnDoc, "FrnSet"), "FrnSet");
  FrnItem.Bind(TableData(DM_FurnDoc, "FrnItem"), "FrnItem");
  FrnArt.Bind(TableData(DM_FurnDoc, "FrnArt"), "FrnArt");
  FrnItoI.Bind(TableData(DM_FurnDoc, "FrnItoI"), "FrnItoI");
  FrnDop.Bind(TableData(DM_FurnDoc, "FrnDop"), "FrnDop");
  FrnAbd.Bind(TableData(DM_FurnDoc, "FrnAbd"), "FrnAbd");
  FrnSchl.Bind(TableData(DM_FurnDoc, "FrnSchl"), "FrnSchl");
  FrnProp.Bind(TableData(DM_FurnDoc, "FrnProp"), "FrnProp");
  FrnSysP.Bind(TableData(DM_FurnDoc, "FrnSysP"), "FrnSysP");
  TypeFurn.Bind(TableData(DM_Catalog, "TypeFurn"), "TypeFurn");
  PriceLst.Bind(TableData(DM_Catalog, "PriceLst"), "PriceLst");
  PriceGrd.Bind(TableData(DM_Catalog, "PriceGrd"), "PriceGrd");
  AutoChng.Bind(TableData(DM_Catalog, "AutoChng"), "AutoChng");
  CalcSchm.Bind(TableData(DM_Catalog, "CalcSchm"), "CalcSchm");
  AccDoc.Bind(TableData(DM_AccDoc, "AccDoc"), "AccDoc");
}

namespace {

// Kept out of line, so every lookup's way to the catalogue stays a load and a test.
[[gnu::noinline]] TCatalogue& CreatedCatalogue(std::shared_ptr<TCatalogue>& catalogue) {
  catalogue = std::make_shared<TCatalogue>();
  return *catalogue;
}

}  // namespace

TCatalogue& Catalogue() {
  std::shared_ptr<TCatalogue>& catalogue = CurrentContext().Catalogue;
  return catalogue ? *catalogue : CreatedCatalogue(catalogue);
}

TOpenedCatalogue::TOpenedCatalogue(const TDatabaseDirs& dirs) {
  for (TDatabaseAlias alias : kCatalogueAliases) {
    DM_DB().SetDirectory(alias, dirs[alias]);
    DM_DB().Open(alias);
  }
  Catalogue().OpenTables(DM_DB());
}

TOpenedCatalogue::~TOpenedCatalogue() {
  Catalogue().CloseTables();
  for (TDatabaseAlias alias : kCatalogueAliases) DM_DB().Close(alias);
}

void RaiseCatalogueError(const std::string& message) { throw EInterfaceError(message); }

}  // namespace kv
