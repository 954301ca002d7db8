#include "order/order_complect.h"

#include "catalogue/material_lookups.h"
#include "construction/construction_consts.h"
#include "order/order_costing.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/stream_fields.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The smallest stored value: no item record is shorter.
constexpr size_t kMinItemSize = 4;

template <class A, class C>
void Fields(A& a, C& c) {
  a.Str(c.No);
  a.Date(c.Date);
  for (auto* text : {&c.Order, &c.Customer, &c.Representative, &c.Document}) a.Str(*text);
  // In this order; the mounting materials' switch was added last, after the list of the others.
  for (auto* flag :
       {&c.Window, &c.AttachProf, &c.DopProf, &c.OtherProf, &c.Furniture, &c.Sill, &c.Sink, &c.Mosquito, &c.Rollet,
        &c.Jalousie, &c.SillComp, &c.SinkComp, &c.MosquitoComp, &c.RolletComp, &c.JalousieComp, &c.MontMat})
    a.Bool(*flag);
  CountedRecords(a, c.Items, kMinItemSize, [](auto& archive, auto& item) {
    archive.Int(item.Group);
    for (auto* text : {&item.OrderNo, &item.Name, &item.Article, &item.Size}) archive.Str(*text);
    archive.Real(item.Number);
    archive.Str(item.UnitName);
    archive.Str(item.PlaceNum);
    archive.Money(item.Price);
    archive.Money(item.Cost);
  });
}

// Materials of a position that are delivered beside it rather than built into it: its fittings,
// sills, drips, nets, shutters, blinds with their components, mounting materials, slopes and others.
bool LooseInPosition(int Group) { return Group == 3 || (Group >= 5 && Group != 11); }

std::string SizeText(int Width, int Height) { return Width > 0 || Height > 0 ? Format("%d x %d", Width, Height) : ""; }

}  // namespace

Tgx25OrderComplect::Tgx25OrderComplect() { Date = kv::Date(); }

void Tgx25OrderComplect::Save(TSpecStream& Stream) const {
  TFieldWriter writer(Stream);
  Fields(writer, *this);
}

void Tgx25OrderComplect::Load(TSpecStream& Stream) {
  TFieldReader reader(Stream, "");
  Fields(reader, *this);
  if (Stream.Remaining() != 0)
    throw EInOutError(Format("Ошибка чтения из потока!\r\nЛишние данные после последнего элемента, смещение [%d]!",
                             Stream.Position()));
}

bool Tgx25OrderComplect::SaveFile(const std::string& FileName, TWriteMode Mode) {
  try {
    WriteDocumentFile(FileName, Mode, [this](TSpecStream& stream) { Save(stream); });
    return true;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка сохранения ведомости!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

bool Tgx25OrderComplect::LoadFile(const std::string& FileName) {
  try {
    ReadDocumentFile(FileName, [this](TSpecStream& stream) { Load(stream); });
    return true;
  } catch (const std::exception& error) {
    Clear();
    ShowError(Format("Ошибка загрузки ведомости!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

bool Tgx25OrderComplect::GroupListed(int Group) const {
  switch (Group) {
    case 1: return DopProf;
    case 3: return Furniture;
    case 4:
    case 18: return OtherMat;
    case 5: return Sill;
    case 6: return Sink;
    case 7: return Mosquito;
    case 8: return Rollet;
    case 9: return Jalousie;
    case 10: return MontMat;
    case 12: return SillComp;
    case 13: return SinkComp;
    case 14: return MosquitoComp;
    case 15: return RolletComp;
    case 16: return JalousieComp;
    case 17: return Slope;
    default: return false;  // profiles, glass and their components come inside the constructions
  }
}

void Tgx25OrderComplect::FillFromOrder(TOrder& Source) {
  Clear();
  Order = Source.No;
  Customer = Source.Customer;
  for (int i = 0; Window && i < Source.Count(); ++i) {
    const Tgx25Construction& position = *Source.GetConstruction(i);
    if (!position.Checked) continue;
    const TSizeF size = position.GetSize();
    const TCurrency cost = PositionSectionCost(Source, position, osWindow);
    Items.push_back({0, Source.No,
                     ObjTypeCaption(position.FrameCount() > 0 ? position.GetFrame(0)->ObjType : otxWindow), position.No,
                     SizeText(GetRounded(size.Width), GetRounded(size.Height)), static_cast<float>(position.Count),
                     "шт.", "", position.Count > 0 ? cost / position.Count : cost, cost});
  }
  for (const Tgx25MatListItem& material : PriceOrderItems(Source)) AddMaterial(Source, material);
  for (const Tgx25MatListItem& material : PositionsMatList(Source))
    if (LooseInPosition(material.Group)) AddMaterial(Source, material);
}

void Tgx25OrderComplect::AddMaterial(const TOrder& Source, const Tgx25MatListItem& Material) {
  if (!GroupListed(Material.Group)) return;
  Items.push_back({Material.Group, Source.No, GetNameByID(Material.ID), GetArticleByID(Material.ID),
                   SizeText(Material.Width, Material.Height), static_cast<float>(Material.Quantity),
                   GetUnitByID(Material.ID), "", Material.Price, Material.Cost});
}

}  // namespace kv
