#include "order/order.h"

#include <algorithm>
#include <utility>

#include "construction/construction_stream.h"
#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// Cursor value of a selection walk that has nothing left.
constexpr int32_t kSelectionDone = 100000;
constexpr int32_t kFrameWalkDone = 9999;

template <class List>
auto* ItemAt(List& Items, int Index) {
  return Index >= 0 && Index < static_cast<int>(Items.size()) ? &Items[static_cast<size_t>(Index)] : nullptr;
}

// Sum of Value over the items (only the selected ones when Selected).
template <class List, class Value>
long double SumOver(const List& Items, bool SelectedOnly, Value Of) {
  long double total = 0;
  for (const auto& item : Items)
    if (!SelectedOnly || item.Selected()) total += Of(item);
  return total;
}

template <class List>
int PieceCount(const List& Items, bool SelectedOnly) {
  return static_cast<int>(SumOver(Items, SelectedOnly, [](const auto& item) { return GetRounded(item.Pieces()); }));
}

// Frames of a construction: the outer frames.
int FrameCountOf(const Tgx25Construction& Construction, const std::string& System) {
  int count = 0;
  for (const TFrame& frame : Frames(Construction))
    if (System.empty() || frame.ProfSys == System) ++count;
  return count;
}

TObjType KindOf(const Tgx25Construction& Construction) {
  return Construction.FrameCount() > 0 ? Construction.GetFrame(0)->ObjType : otxWindow;
}

}  // namespace

std::string OrderStatusCaption(TOrderStatus Status) {
  switch (Status) {
    case soWorking: return "Проектируется";
    case soPreview: return "Предварительный расчет";
    case soComplete: return "Передан в производство";
    case soClosed: return "Закрыт";
  }
  return "";
}

TOrder::TOrder() {
  const TDateTime now = Now();
  const TDateTime today = kv::Date();
  CreateDate = ModifyDate = now;
  Date = today;
  PrepareDate = today + 10;
  MontageDate = today + 20;
  TransportDate = today + 20;
}

TOrder::~TOrder() = default;

// ---- positions ------------------------------------------------------------------------------

Tgx25Construction* TOrder::GetConstruction(int Index) const {
  if (Index < 0 || Index >= Count()) return nullptr;
  return FPositions[static_cast<size_t>(Index)].get();
}

void TOrder::Append(std::unique_ptr<Tgx25Construction> Construction) {
  Construction->Owner = this;
  FPositions.push_back(std::move(Construction));
}

Tgx25Construction* TOrder::Add(std::unique_ptr<Tgx25Construction> Construction) {
  Construction->TimeStamp1 = Construction->TimeStamp2 = Now();
  Append(std::move(Construction));
  return FPositions.back().get();
}

void TOrder::Delete(int Index) {
  if (Index >= 0 && Index < Count()) FPositions.erase(FPositions.begin() + Index);
}

void TOrder::Clear() { FPositions.clear(); }

int TOrder::PosFind(const std::string& PosNo) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(FPositions[static_cast<size_t>(i)]->No, PosNo)) return i;
  return -1;
}

Tgx25Construction* TOrder::GetPosByNo(const std::string& PosNo) const { return GetConstruction(PosFind(PosNo)); }

std::unique_ptr<Tgx25Construction> TOrder::CopyOf(const Tgx25Construction& Position) {
  auto copy = std::make_unique<Tgx25Construction>(this);
  copy->Assign(Position);
  return copy;
}

bool TOrder::MakeBackup() {
  try {
    auto backup = std::make_unique<TSpecStream>();
    Save(*backup);
    FBackup = std::move(backup);
    return true;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка создания резервной копии заказа!\r\n(%s)", error.what()));
    return false;
  }
}

bool TOrder::RestoreBackup() {
  if (!FBackup) return false;
  FBackup->SetPosition(0);
  bool converted = false;
  return Load(*FBackup, converted, true);
}

template <class Operation>
bool TOrder::PositionOperation(Operation Run) {
  if (!MakeBackup()) return false;
  Run();
  return true;
}

bool TOrder::AppendPos(const TOrder& Source, bool SkipExisting) {
  return PositionOperation([&] {
    for (int i = 0; i < Source.Count(); ++i) {
      const Tgx25Construction& position = *Source.GetConstruction(i);
      if (PosFind(position.No) >= 0 && SkipExisting) continue;
      std::string number = position.No;
      while (PosFind(number) >= 0) number += "." + Source.No;
      auto copy = CopyOf(position);
      if (number != position.No) copy->ChangeNo(number);
      Append(std::move(copy));
    }
  });
}

bool TOrder::ClonePos(const TOrder& Source) {
  return PositionOperation([&] {
    TGenNewBarCodeScope new_bar_codes;
    for (int i = 0; i < Source.Count(); ++i) {
      const Tgx25Construction& position = *Source.GetConstruction(i);
      if (!position.Checked) continue;
      std::string number;
      for (int counter = 1; number.empty() || PosFind(number) >= 0; ++counter)
        number = Format("%s-%d", position.No, counter);
      auto copy = CopyOf(position);
      copy->ChangeNo(number);
      Append(std::move(copy));
    }
  });
}

bool TOrder::MovePos(int From, int To) {
  if (From < 0 || To < 0 || From >= Count() || To >= Count()) return false;
  return PositionOperation([&] {
    const auto from = FPositions.begin() + From;
    const auto to = FPositions.begin() + To;
    if (From < To)
      std::rotate(from, from + 1, to + 1);
    else
      std::rotate(to, from, from + 1);
  });
}

bool TOrder::CopyPos(const TOrder& Source) {
  return PositionOperation([&] {
    for (int i = 0; i < Source.Count(); ++i) Append(CopyOf(*Source.GetConstruction(i)));
  });
}

bool TOrder::UpdatePos(const TOrder& Source) {
  return PositionOperation([&] {
    for (int i = 0; i < Source.Count(); ++i) {
      const Tgx25Construction& position = *Source.GetConstruction(i);
      if (Tgx25Construction* target = GetPosByNo(position.No)) target->Assign(position);
    }
  });
}

bool TOrder::AppendUpdatePos(const TOrder& Source) {
  return PositionOperation([&] {
    for (int i = 0; i < Source.Count(); ++i) {
      const Tgx25Construction& position = *Source.GetConstruction(i);
      if (Tgx25Construction* target = GetPosByNo(position.No))
        target->Assign(position);
      else
        Append(CopyOf(position));
    }
  });
}

// ---- selection ------------------------------------------------------------------------------

int TOrder::SelectedCount() const {
  return static_cast<int>(
      std::count_if(FPositions.begin(), FPositions.end(), [](const auto& p) { return p->Checked; }));
}

int TOrder::SelectedNumber() const {
  int total = 0;
  for (const auto& position : FPositions)
    if (position->Checked) total += position->Count;
  return total;
}

Tgx25Construction* TOrder::GetFirstSelected() {
  InternalStartPos = 0;
  return GetNextSelected();
}

Tgx25Construction* TOrder::GetNextSelected() {
  for (int i = InternalStartPos; i < Count(); ++i)
    if (FPositions[static_cast<size_t>(i)]->Checked) {
      InternalStartPos = i + 1;
      return FPositions[static_cast<size_t>(i)].get();
    }
  InternalStartPos = kSelectionDone;
  return nullptr;
}

TFrame* TOrder::GetFirstFrame() {
  InternalConstructionIndex = 0;
  InternalFrameIndex = 0;
  return GetNextFrame();
}

TFrame* TOrder::GetNextFrame() {
  for (; InternalConstructionIndex < Count(); ++InternalConstructionIndex, InternalFrameIndex = 0) {
    const Tgx25Construction& position = *FPositions[static_cast<size_t>(InternalConstructionIndex)];
    if (position.Checked && InternalFrameIndex < position.FrameCount()) return position.GetFrame(InternalFrameIndex++);
  }
  InternalConstructionIndex = InternalFrameIndex = kFrameWalkDone;
  return nullptr;
}

std::vector<std::string> TOrder::GetPosList() const {
  std::vector<std::string> numbers;
  for (const auto& position : FPositions)
    if (position->Checked) numbers.push_back(position->No);
  return numbers;
}

std::string TOrder::GetSelectedPosAsString() const {
  std::string text;
  for (const std::string& number : GetPosList()) text += (text.empty() ? "" : ", ") + number;
  return text;
}

// ---- aggregates over the selected positions -------------------------------------------------

namespace {

// Sum of Value(position) x quantity over the selected positions.
template <class Positions, class Value>
long double Weighted(const Positions& List, Value Of) {
  long double total = 0;
  for (const auto& position : List)
    if (position->Checked) total += Of(*position) * position->Count;
  return total;
}

int PartCountOf(const Tgx25Construction& Construction) { return static_cast<int>(Parts(Construction).size()); }

int FillingCountOf(const Tgx25Construction& Construction) { return static_cast<int>(Glasses(Construction).size()); }

long double FillingSquareOf(const Tgx25Construction& Construction) {
  long double total = 0;
  for (const Tgx25Glass& glass : Glasses(Construction)) total += glass.Square();
  return total;
}

}  // namespace

long double TOrder::GetSquare() const {
  return Weighted(FPositions, [](const Tgx25Construction& c) { return c.GetSquare(); });
}

int TOrder::GetPartCount() const { return static_cast<int>(Weighted(FPositions, PartCountOf)); }

int TOrder::SelFrameNumber(const std::string& System) const {
  return static_cast<int>(Weighted(FPositions, [&](const Tgx25Construction& c) { return FrameCountOf(c, System); }));
}

std::vector<std::string> TOrder::GetConstructionSystems() const {
  std::vector<std::string> systems;
  for (const auto& position : FPositions) {
    if (!position->Checked) continue;
    for (const TFrame& frame : Frames(std::as_const(*position)))
      if (std::find(systems.begin(), systems.end(), frame.ProfSys) == systems.end()) systems.push_back(frame.ProfSys);
  }
  return systems;
}

int TOrder::GetWinTypeCount() const {
  return static_cast<int>(Weighted(FPositions, [](const Tgx25Construction& c) { return KindOf(c) == otxWindow; }));
}

int TOrder::GetDoorTypeCount() const {
  return static_cast<int>(Weighted(FPositions, [](const Tgx25Construction& c) { return KindOf(c) == otxDoor; }));
}

long double TOrder::GetWinTypeSquare() const {
  return Weighted(FPositions, [](const Tgx25Construction& c) { return KindOf(c) == otxWindow ? c.GetSquare() : 0; });
}

long double TOrder::GetDoorTypeSquare() const {
  return Weighted(FPositions, [](const Tgx25Construction& c) { return KindOf(c) == otxDoor ? c.GetSquare() : 0; });
}

int TOrder::GetFillingCount() const { return static_cast<int>(Weighted(FPositions, FillingCountOf)); }

long double TOrder::GetFillingSquare() const { return Weighted(FPositions, FillingSquareOf); }

// ---- aggregates over the add-on lists -------------------------------------------------------

int TOrder::GetSillCount() const { return PieceCount(Sills, false); }
int TOrder::GetSinkCount() const { return PieceCount(Sinks, false); }
int TOrder::GetMosquitoCount() const { return PieceCount(Mosquitos, false); }
int TOrder::GetRolletCount() const { return PieceCount(Rollets, false); }
int TOrder::GetJalousieCount() const { return PieceCount(Jalousies, false); }

namespace {

const auto kLength = [](const auto& item) { return item.TotalLength(); };
const auto kSquare = [](const auto& item) { return item.TotalSquare(); };
const auto kPerimeter = [](const auto& item) { return item.TotalPerimeter(); };

}  // namespace

long double TOrder::GetSillLength() const { return SumOver(Sills, false, kLength); }
long double TOrder::GetSinkLength() const { return SumOver(Sinks, false, kLength); }
long double TOrder::GetSillSquare() const { return SumOver(Sills, false, kSquare); }
long double TOrder::GetSinkSquare() const { return SumOver(Sinks, false, kSquare); }
long double TOrder::GetSillPerimeter() const { return SumOver(Sills, false, kPerimeter); }
long double TOrder::GetSinkPerimeter() const { return SumOver(Sinks, false, kPerimeter); }
long double TOrder::GetMosquitoSquare() const { return SumOver(Mosquitos, false, kSquare); }
long double TOrder::GetRolletSquare() const { return SumOver(Rollets, false, kSquare); }
long double TOrder::GetJalousieSquare() const { return SumOver(Jalousies, false, kSquare); }
long double TOrder::GetMosquitoPerimeter() const { return SumOver(Mosquitos, false, kPerimeter); }
long double TOrder::GetRolletPerimeter() const { return SumOver(Rollets, false, kPerimeter); }
long double TOrder::GetJalousiePerimeter() const { return SumOver(Jalousies, false, kPerimeter); }
int TOrder::SelSillNumber() const { return PieceCount(Sills, true); }
long double TOrder::SelSillSquare() const { return SumOver(Sills, true, kSquare); }
long double TOrder::SelSillLength() const { return SumOver(Sills, true, kLength); }
int TOrder::SelSinkNumber() const { return PieceCount(Sinks, true); }
long double TOrder::SelSinkSquare() const { return SumOver(Sinks, true, kSquare); }
long double TOrder::SelSinkLength() const { return SumOver(Sinks, true, kLength); }
int TOrder::SelMosquitoNumber() const { return PieceCount(Mosquitos, true); }
long double TOrder::SelMosquitoSquare() const { return SumOver(Mosquitos, true, kSquare); }
int TOrder::SelRolletNumber() const { return PieceCount(Rollets, true); }
long double TOrder::SelRolletSquare() const { return SumOver(Rollets, true, kSquare); }
int TOrder::SelJalousieNumber() const { return PieceCount(Jalousies, true); }
long double TOrder::SelJalousieSquare() const { return SumOver(Jalousies, true, kSquare); }

// ---- list accessors -------------------------------------------------------------------------

Tgx25Glass* TOrder::GetGlass(int Index) const {
  return Index >= 0 && Index < static_cast<int>(Glasses.size()) ? Glasses[static_cast<size_t>(Index)].get() : nullptr;
}
Tgx25DopProfItem* TOrder::GetDopProf(int Index) { return ItemAt(DopProfs, Index); }
Tgx25MontageMaterial* TOrder::GetDopMat(int Index) { return ItemAt(DopMats, Index); }
Tgx25CustomSill* TOrder::GetSill(int Index) { return ItemAt(Sills, Index); }
Tgx25CustomSill* TOrder::GetSink(int Index) { return ItemAt(Sinks, Index); }
Tgx25CustomNet* TOrder::GetMosquito(int Index) { return ItemAt(Mosquitos, Index); }
Tgx25CustomNet* TOrder::GetRollet(int Index) { return ItemAt(Rollets, Index); }
Tgx25CustomNet* TOrder::GetJalousie(int Index) { return ItemAt(Jalousies, Index); }
Tgx25MatListItem* TOrder::GetMaterialItem(int Index) { return ItemAt(Materials, Index); }
Tgx25Accessory* TOrder::GetAccSpecItem(int Index) { return ItemAt(AccSpecs, Index); }
Tgx25ServiceItem* TOrder::GetServiceItem(int Index) { return ItemAt(Services, Index); }
Tgx25CurrencyItem* TOrder::GetCurrencyItem(int Index) { return ItemAt(Currencies, Index); }
Tgx25PaymentItem* TOrder::GetPaymentItem(int Index) { return ItemAt(Payments, Index); }

}  // namespace kv
