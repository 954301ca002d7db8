#include "construction/construction_type.h"

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

// The table of a catalogue module by name; the catalogue error when it is not open.
const TMemTable& CatalogueTable(TCatalogueModule& Module, const std::string& Name) {
  TTable* table = Module.Find(Name);
  if (table == nullptr || !table->Active()) RaiseCatalogueError(Format("Таблица каталога [%s] не открыта", Name));
  return table->Data();
}

// Reads the columns of one record by name.
class TRowReader {
public:
  TRowReader(const TMemTable& Table, const TRecord& Row) : FTable(Table), FRow(Row) {}
  std::string Text(const std::string& Field) const { return FRow[Column(Field)].AsString(); }
  int32_t Int(const std::string& Field) const { return static_cast<int32_t>(FRow[Column(Field)].AsInteger()); }
  double Float(const std::string& Field) const { return FRow[Column(Field)].AsFloat(); }

private:
  size_t Column(const std::string& Field) const { return static_cast<size_t>(FTable.FieldIndex(Field)); }
  const TMemTable& FTable;
  const TRecord& FRow;
};

const TRecord* FindByID(const TMemTable& Table, int32_t ID) {
  const int column = Table.FieldIndex("ID");
  return Table.FindFirst([&](const TRecord& row) { return row[static_cast<size_t>(column)].AsInteger() == ID; });
}

const TRecord* FindProfileScheme(const TMemTable& Table, int32_t ID, const std::string& System) {
  const auto id = static_cast<size_t>(Table.FieldIndex("ID"));
  const auto system = static_cast<size_t>(Table.FieldIndex("System"));
  return Table.FindFirst(
      [&](const TRecord& row) { return row[id].AsInteger() == ID && row[system].AsString() == System; });
}

}  // namespace

TWinTypeInfo GetWinTypeInfo(int32_t TypeWin) {
  const std::string missing = Format("В БД отсутствуют данные для типа конструкции [%d]!", TypeWin);
  const TMemTable& types = CatalogueTable(Catalogue().DM_Catalog, "TypeWin");
  const TRecord* type = FindByID(types, TypeWin);
  if (type == nullptr) RaiseCatalogueError(missing);
  const TRowReader win(types, *type);
  TWinTypeInfo info;
  info.ID = TypeWin;
  info.Name = win.Text("Name");
  info.Article = win.Text("PosArticle");
  info.ArticleName = win.Text("PosName");
  info.ProfSys = win.Text("FixedProfSys");
  info.FurnSys = win.Text("FixedFurnSys");
  info.Glass = win.Text("FixedGlass");
  info.WinType = win.Int("WinType");

  const TMemTable& schemes = CatalogueTable(Catalogue().DM_Catalog, "TypeProf");
  const TRecord* scheme = FindProfileScheme(schemes, TypeWin, info.ProfSys);
  if (scheme == nullptr) RaiseCatalogueError(missing);
  const TRowReader prof(schemes, *scheme);
  info.FrameID = prof.Int("FrameID");
  info.FlugelID = prof.Int("FlugelID");
  info.Impost = prof.Text("Impost");
  info.ImpostAT = prof.Int("ImpostAT");
  info.ImpostComb = prof.Int("ImpostComb");
  info.Stulp = prof.Text("Stulp");
  info.StulpAT = prof.Int("StulpAT");
  info.StulpComb = prof.Int("StulpComb");
  info.Falsh = prof.Text("Falsh1");
  info.Spross = prof.Text("Spross");
  info.WeldAllowance = static_cast<float>(prof.Float("WeldAllowance"));
  return info;
}

TConsElementInfo GetConsElementInfo(int32_t ConsID) {
  const TMemTable& elements = CatalogueTable(Catalogue().DM_ProfDoc, "ConsList");
  const TRecord* element = FindByID(elements, ConsID);
  if (element == nullptr) RaiseCatalogueError(Format("В БД конструктивных элементов не найден элемент [%d]!", ConsID));
  const TRowReader row(elements, *element);
  TConsElementInfo info;
  info.ID = ConsID;
  info.Name = row.Text("Name");
  for (size_t side = 0; side < 4; ++side) {
    const std::string number = Format("%d", static_cast<int>(side) + 1);
    info.Prof[side] = row.Text("Prof_" + number);
    info.Steel[side] = row.Text("Steel_" + number);
    info.AngleType[side] = row.Int("X_" + number);
  }
  return info;
}

}  // namespace kv
