#include "catalogue/element_lookups.h"

#include "catalogue/catalogue.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

const TRecord* FindElement(int id) {
  const TConsListTable& t = Catalogue().ConsList;
  return t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
}

const TRecord& RequireElement(int id) {
  const TRecord* row = FindElement(id);
  if (!row) RaiseCatalogueError(Format("В БД конструктивных элементов не найден элемент [%d]!", id));
  return *row;
}

int ElementInt(int id, int column) {
  const TRecord* row = FindElement(id);
  return row ? static_cast<int>((*row)[column].AsInteger()) : 0;
}

const TRecord* FindComplect(const std::string& id) {
  const TFrnCompTable& t = Catalogue().FrnComp;
  return t.Get().Locate(t.ByID, TKey().Add(std::string_view(id)));
}

int ComplectInt(const std::string& id, int column) {
  const TRecord* row = FindComplect(id);
  return row ? static_cast<int>((*row)[column].AsInteger()) : 0;
}

}  // namespace

std::string GetConsName(int id) {
  const TRecord* row = FindElement(id);
  return row ? (*row)[Catalogue().ConsList.Name].AsString() : "Неизвестно";
}

int GetModificatorGroup(int id) { return ElementInt(id, Catalogue().ConsList.ModifyGrp); }
int GetStulpFlugelGroup(int id) { return ElementInt(id, Catalogue().ConsList.StulpGrp); }

bool ConstructionInverseColor(int id) { return RequireElement(id)[Catalogue().ConsList.InverseColor].AsInteger() == 1; }

TConsElementInfo GetConsElementInfo(int32_t id) {
  const TConsListTable& t = Catalogue().ConsList;
  const TRecord& row = RequireElement(id);
  const std::array<int, 4> prof{t.Prof_1, t.Prof_2, t.Prof_3, t.Prof_4};
  const std::array<int, 4> steel{t.Steel_1, t.Steel_2, t.Steel_3, t.Steel_4};
  const std::array<int, 4> angle_type{t.X_1, t.X_2, t.X_3, t.X_4};
  TConsElementInfo info;
  info.ID = id;
  info.Name = row[t.Name].AsString();
  for (size_t side = 0; side < 4; ++side) {
    info.Prof[side] = row[prof[side]].AsString();
    info.Steel[side] = row[steel[side]].AsString();
    info.AngleType[side] = static_cast<int32_t>(row[angle_type[side]].AsInteger());
  }
  return info;
}

std::string GetDpListNameByID(int id, bool quiet) {
  const TDpListTable& t = Catalogue().DpList;
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
  if (row) return (*row)[t.Name].AsString();
  if (quiet) return "Неизвестный комплект";
  RaiseCatalogueError(Format("В каталоге дополнительных профилей отсутствуют данные для комплекта [%d]!", id));
}

std::string GetSysPropPrintName(int id) {
  const TSysPropTable& t = Catalogue().SysProp;
  const TRecord* row = t.Get().Locate(t.ByID, TKey().Add(int64_t{id}));
  return row ? (*row)[t.PrintName].AsString() : std::string();
}

int GetFurnCompGroup(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.Group); }
int GetFurnCompSubGroup(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.SubGroup); }
int GetFurnDispColor(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.ScrColor); }
int GetFurnImage(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.Image); }
int GetFurnKipp(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.Kipp); }
int GetDispHingeNum(const std::string& id) { return ComplectInt(id, Catalogue().FrnComp.DispHingeNum); }

std::string GetComplectName(const std::string& id) {
  const TRecord* row = FindComplect(id);
  return row ? (*row)[Catalogue().FrnComp.Name].AsString() : std::string();
}

std::string GetComplectPrintName(const std::string& id) {
  const TRecord* row = FindComplect(id);
  if (!row || (*row)[Catalogue().FrnComp.Printable].AsInteger() != 1) return {};
  return (*row)[Catalogue().FrnComp.PrintName].AsString();
}

}  // namespace kv
