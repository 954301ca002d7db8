#pragma once
// A complect list: the delivery note of one order, the finished constructions and the loose
// materials (sills, drips, nets, shutters, blinds, their components, extra profiles, mounting and
// other materials) with quantities, prices and package numbers. Its file has no signature and no
// version.
#include <string>
#include <vector>

#include "order/order.h"

namespace kv {

struct Tgx25OrderComplectItem {
  int32_t Group = 0;  // material group; the constructions themselves stand in group 0
  std::string OrderNo;
  std::string Name;
  std::string Article;
  std::string Size;
  float Number = 0;
  std::string UnitName;
  std::string PlaceNum;  // place or package number
  TCurrency Price;
  TCurrency Cost;
};

class Tgx25OrderComplect {
public:
  Tgx25OrderComplect();

  // False after showing "Ошибка сохранения ведомости!\r\n(%s)"; the previous file survives.
  bool SaveFile(const std::string& FileName, TWriteMode Mode = TWriteMode::wmReplace);
  // False after showing "Ошибка загрузки ведомости!\r\n(%s)"; the list is then empty.
  bool LoadFile(const std::string& FileName);
  void Save(TSpecStream& Stream) const;
  // Raises EInOutError on a damaged stream.
  void Load(TSpecStream& Stream);
  // Empties the list of items.
  void Clear() { Items.clear(); }

  // The items of the order's checked positions and of its order-level items by the section
  // switches (the positions must have been calculated): a line per construction, then the materials
  // of the order-level items (priced from the catalogue, their prices written back) and the loose
  // materials of the positions. Catalogue errors are raised to the caller.
  void FillFromOrder(TOrder& Order);
  // Whether a material of the group is listed under the switches.
  bool GroupListed(int Group) const;

private:
  void AddMaterial(const TOrder& Source, const Tgx25MatListItem& Material);

public:
  std::string No;
  TDateTime Date = 0;
  std::string Order, Customer, Representative, Document;
  bool Window = true, Furniture = false, AttachProf = true, DopProf = true, OtherProf = true, MontMat = true,
       Sill = true, Sink = true, Mosquito = true, Rollet = true, Jalousie = true, Slope = true, OtherMat = true,
       SillComp = true, SinkComp = true, MosquitoComp = true, RolletComp = true, JalousieComp = true;
  std::vector<Tgx25OrderComplectItem> Items;
};

}  // namespace kv
