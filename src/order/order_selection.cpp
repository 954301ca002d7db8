#include "order/order_selection.h"

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "calc/construction_calc.h"
#include "calc/gathering.h"
#include "calc/mat_pricing.h"
#include "construction/construction_consts.h"
#include "construction/stream_records.h"
#include "order/document_version.h"
#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

template <class A, class S>
void Header(A& a, S& s) {
  for (auto& id : s.InstallationIDs) a.Int(id);
  a.Date(s.CreateDate);
  a.Date(s.ModifyDate);
  a.Int(s.ModifyCount);
  a.Str(s.No);
  a.Date(s.Date);
  a.Str(s.Name);
  ItemRecords(a, s.Currencies);
  a.Int(s.CurCurrency);
  a.Int(s.PriceGrpNo);
  a.Real(s.NDSTax);
  a.Byte(s.RoundMode, rmMinPack);
  a.Bool(s.UseOpt);
  a.Byte(s.ColorVariant, cvTechnology);
  a.Int(s.ColorPriceList);
  a.Text(s.Note);
}

template <class A, class I>
void ItemFields(A& a, I& item) {
  a.Bool(item.Checked);
  a.Str(item.OrderNo);
  a.Str(item.PosNo);
  a.Real(item.Width);
  a.Real(item.Height);
  a.Int(item.Number);
  a.Str(item.Name);
  a.Str(item.FileName);
}

// What a position is called in a selection: the kind of its first frame.
std::string PositionName(const Tgx25Construction& Position) {
  return ObjTypeCaption(Position.FrameCount() > 0 ? Position.GetFrame(0)->ObjType : otxWindow);
}

void TakeFromPosition(Tgx25OrderSelectionItem& Item, const TOrder& Order, Tgx25Construction& Position) {
  const TSizeF size = Position.GetSize();
  Item.OrderNo = Order.No;
  Item.PosNo = Position.No;
  Item.Width = size.Width;
  Item.Height = size.Height;
  Item.Number = Position.Count;
  Item.Name = PositionName(Position);
  Item.Construction = &Position;
}

// The stored part of an item, to tell whether a refresh changed it.
auto StoredFields(const Tgx25OrderSelectionItem& Item) {
  return std::tie(Item.OrderNo, Item.PosNo, Item.Width, Item.Height, Item.Number, Item.Name);
}

bool ByOrder(const Tgx25OrderSelectionItem& A, const Tgx25OrderSelectionItem& B) {
  return std::tie(A.OrderNo, A.PosNo) < std::tie(B.OrderNo, B.PosNo);
}
bool ByPos(const Tgx25OrderSelectionItem& A, const Tgx25OrderSelectionItem& B) {
  return std::tie(A.PosNo, A.OrderNo) < std::tie(B.PosNo, B.OrderNo);
}
bool ByName(const Tgx25OrderSelectionItem& A, const Tgx25OrderSelectionItem& B) { return A.Name < B.Name; }
bool ByFileName(const Tgx25OrderSelectionItem& A, const Tgx25OrderSelectionItem& B) { return A.FileName < B.FileName; }

}  // namespace

Tgx25OrderSelection::Tgx25OrderSelection() {
  CreateDate = ModifyDate = Now();
  Date = kv::Date();
}

void Tgx25OrderSelection::Save(TSpecStream& Stream) const {
  TFieldWriter writer(Stream);
  writer.Str(ProductID);
  writer.Str(Version);
  Header(writer, *this);
  CountedRecords(writer, Items, kMinStoredRecordSize, [](auto& a, auto& item) { ItemFields(a, item); });
}

bool Tgx25OrderSelection::Load(TSpecStream& Stream, bool& Converted, bool AutoConvert) {
  Converted = false;
  if (Stream.ReadString() != ProductID) {
    ShowError("Данный файл не является файлом " + ProductID + "!");
    return false;
  }
  const std::string version = Stream.ReadString();
  if (!AcceptDocumentVersion(
          version,
          {kSelectionVersion, "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
           "Данный модуль технолога поддерживает файлы выборки\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s"},
          Converted, AutoConvert))
    return false;
  TFieldReader reader(Stream, version);
  Header(reader, *this);
  CountedRecords(reader, Items, kMinStoredRecordSize, [](auto& a, auto& item) { ItemFields(a, item); });
  if (Stream.Remaining() != 0)
    throw EInOutError(Format("Ошибка чтения из потока!\r\nЛишние данные после последнего элемента, смещение [%d]!",
                             Stream.Position()));
  Version = kSelectionVersion;
  FOrders.clear();
  return true;
}

bool Tgx25OrderSelection::SaveSelection(const std::string& FileName, TWriteMode Mode) {
  try {
    Version = kSelectionVersion;
    WriteDocumentFile(FileName, Mode, [this](TSpecStream& stream) { Save(stream); });
    return true;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка сохранения выборки!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

bool Tgx25OrderSelection::LoadSelection(const std::string& FileName, bool AutoConvert) {
  try {
    bool loaded = false, converted = false;
    ReadDocumentFile(FileName, [&](TSpecStream& stream) { loaded = Load(stream, converted, AutoConvert); });
    return loaded;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка загрузки выборки!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

int Tgx25OrderSelection::SelectedCount() const {
  return static_cast<int>(std::count_if(Items.begin(), Items.end(), [](const auto& item) { return item.Checked; }));
}

Tgx25OrderSelectionItem* Tgx25OrderSelection::GetSelectionItem(int Index) {
  return Index >= 0 && Index < Count() ? &Items[static_cast<size_t>(Index)] : nullptr;
}

void Tgx25OrderSelection::Delete(int Index) {
  if (Index >= 0 && Index < Count()) Items.erase(Items.begin() + Index);
}

bool Tgx25OrderSelection::Delete(const std::string& OrderNo, const std::string& PosNo) {
  const int index = PosFind(OrderNo, PosNo);
  Delete(index);
  return index >= 0;
}

int Tgx25OrderSelection::PosFind(const std::string& OrderNo, const std::string& PosNo) const {
  for (int i = 0; i < Count(); ++i) {
    const Tgx25OrderSelectionItem& item = Items[static_cast<size_t>(i)];
    if (AnsiSameText(item.OrderNo, OrderNo) && AnsiSameText(item.PosNo, PosNo)) return i;
  }
  return -1;
}

Tgx25CurrencyItem* Tgx25OrderSelection::GetCurrencyItem(int Index) {
  return Index >= 0 && Index < static_cast<int>(Currencies.size()) ? &Currencies[static_cast<size_t>(Index)] : nullptr;
}

bool Tgx25OrderSelection::AddPosition(const TOrder& Order, Tgx25Construction& Position, const std::string& FileName) {
  if (PosFind(Order.No, Position.No) >= 0) return false;
  Tgx25OrderSelectionItem& item = Items.emplace_back();
  item.FileName = FileName;
  TakeFromPosition(item, Order, Position);
  return true;
}

void Tgx25OrderSelection::SortBy(bool (*Before)(const Tgx25OrderSelectionItem&, const Tgx25OrderSelectionItem&)) {
  std::stable_sort(Items.begin(), Items.end(), Before);
}

void Tgx25OrderSelection::OrderSort() { SortBy(ByOrder); }
void Tgx25OrderSelection::PosSort() { SortBy(ByPos); }
void Tgx25OrderSelection::NameSort() { SortBy(ByName); }
void Tgx25OrderSelection::FileNameSort() { SortBy(ByFileName); }

std::string Tgx25OrderSelection::GetOrderList() const {
  std::vector<std::string> numbers;
  for (const Tgx25OrderSelectionItem& item : Items)
    if (std::find(numbers.begin(), numbers.end(), item.OrderNo) == numbers.end()) numbers.push_back(item.OrderNo);
  std::string list;
  for (const std::string& number : numbers) list += (list.empty() ? "" : ", ") + number;
  return list;
}

TOrder* Tgx25OrderSelection::OrderOf(const std::string& FileName) {
  auto [at, added] = FOrders.try_emplace(FileName);
  if (added) {
    std::error_code ignored;
    auto order = std::make_unique<TOrder>();
    if (std::filesystem::is_regular_file(FileName, ignored) && order->LoadOrder(FileName, true))
      at->second = std::move(order);
  }
  return at->second.get();
}

bool Tgx25OrderSelection::UpdateSelectionData(const TUpdateProgress& Progress) {
  // The loaded orders go first, so no item may keep a position of them.
  FOrders.clear();
  for (Tgx25OrderSelectionItem& item : Items) item.Construction = nullptr;
  bool changed = false;
  const int total = Count();
  for (int done = 0; done < total; ++done) {
    if (Progress && !Progress(done, total)) break;
    Tgx25OrderSelectionItem& item = Items[done];
    TOrder* order = OrderOf(item.FileName);
    Tgx25Construction* position = order != nullptr ? order->GetPosByNo(item.PosNo) : nullptr;
    if (position == nullptr) continue;
    const Tgx25OrderSelectionItem before = item;
    TakeFromPosition(item, *order, *position);
    changed = changed || StoredFields(before) != StoredFields(item);
  }
  return changed;
}

void Tgx25OrderSelection::GatherStatistics() {
  std::vector<std::string> orders;
  PosCount = ConsCount = FrameCount = WinCount = DoorCount = 0;
  WinSquare = DoorSquare = 0;
  for (const Tgx25OrderSelectionItem& item : Items) {
    if (!item.Checked) continue;
    if (std::find(orders.begin(), orders.end(), item.OrderNo) == orders.end()) orders.push_back(item.OrderNo);
    ++PosCount;
    ConsCount += item.Number;
    // A position whose order is not loaded counts as one window frame of its stored size.
    const Tgx25Construction* c = item.Construction;
    FrameCount += (c != nullptr ? c->FrameCount() : 1) * item.Number;
    const bool door = c != nullptr && c->FrameCount() > 0 && c->GetFrame(0)->ObjType == otxDoor;
    const long double square = static_cast<long double>(item.Width) * item.Height / 1000000 * item.Number;
    (door ? DoorCount : WinCount) += item.Number;
    (door ? DoorSquare : WinSquare) += square;
  }
  OrderCount = static_cast<int>(orders.size());
  TotalSquare = WinSquare + DoorSquare;
}

TSelectionBatch Tgx25OrderSelection::GatherBatch() {
  TPricingContext pricing = {CurCurrency, PriceGrpNo, static_cast<double>(NDSTax), 0};
  TSelectionBatch batch;
  for (const Tgx25OrderSelectionItem& item : Items) {
    if (!item.Checked || item.Construction == nullptr) continue;
    Tgx25Construction& position = *item.Construction;
    GatherMaterials(position, pricing);
    for (Tgx25MatListItem material : position.MatList) {
      material.Quantity *= item.Number;
      AddMatListItem(batch.Materials, material);
    }
    for (Tgx25CutMapItem piece : GetCutMap(position)) {
      piece.Value6 = CutMapCount(piece) * item.Number;
      AddCutMapItem(batch.CutMap, piece);
    }
  }
  // The batch's quantities are rounded, not those of the add-on pieces. There is no pack size in the
  // catalogue: whole packs are whole minimal trade quantities.
  pricing.RoundMode = RoundMode == rmNone ? 0 : 1;
  CalculateMatList(batch.Materials, pricing);
  return batch;
}

}  // namespace kv
