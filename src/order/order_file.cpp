// The order file: the order's values in one fixed sequence on a value stream, the lists as a count
// and their records, the positions inline in the construction stream layout.
#include <chrono>
#include <type_traits>

#include "construction/construction_stream.h"
#include "construction/stream_records.h"
#include "order/document_version.h"
#include "order/order.h"
#include "shell/code_page.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/stream_fields.h"
#include "shell/user_messages.h"
#include "shell/versions.h"

namespace kv {

namespace {

// Format dates of the order file.
constexpr TFormatDate kMaterialDate = "27.02.2008";
constexpr TFormatDate kStaticsDate = "03.02.2008";
// Files of this version are files of the current version.
constexpr const char* kCurrentAlias = "23.04.2014";
// How long a station waits for another one to finish its change of an order file.
constexpr auto kOrderLockPatience = std::chrono::seconds(20);
// What files older than the statics date get.
constexpr const char* kDefaultStaticRegion = "МИНСК";

template <class A, class S>
void Identity(A& a, S& s) {
  for (auto& id : s.InstallationIDs) a.Int(id);
  a.Int(s.CreateUserID);
  a.Str(s.CreateStationID);
  a.Int(s.ModifyUserID);
  a.Str(s.ModifyStationID);
  a.Str(s.ReservedText);
  a.Int(s.AccessRight);
  a.Str(s.OpenPassword);
  a.Str(s.ModifyPassword);
  a.Date(s.CreateDate);
  a.Date(s.ModifyDate);
  a.Int(s.ModifyCount);
  a.Bool(s.StorageLock);
}

template <class A, class S>
void CustomerAndDates(A& a, S& s) {
  for (auto* text : {&s.No, &s.ContractNo, &s.AltOrderNo, &s.Customer, &s.Obj, &s.Address, &s.Phone, &s.Remark})
    a.Str(*text);
  a.Date(s.Date);
  a.Bool(s.DateEnabled);
  a.Date(s.ContractDate);
  // The planned dates are plain doubles, not date-times.
  for (auto* date : {&s.MeasureDate, &s.PrepareDate, &s.MontageDate, &s.DecorDate, &s.ComplectDate}) a.Real(*date);
  for (auto* period : {&s.PreparePeriod, &s.MontagePeriod, &s.DecorPeriod}) a.Str(*period);
  for (auto* enabled : {&s.MeasureDateEnabled, &s.PrepareDateEnabled, &s.MontageDateEnabled, &s.DecorDateEnabled,
                        &s.ComplectDateEnabled})
    a.Bool(*enabled);
  a.Real(s.TransportDate);
  a.Str(s.TransportPeriod);
  a.Bool(s.TransportDateEnabled);
  a.Byte(s.Status, soClosed);
  a.Byte(s.ProdStatus, opsClosed);
}

template <class A, class S>
void Defaults(A& a, S& s) {
  a.Str(s.ProfSys);
  a.Str(s.ProfColor);
  if (a.Since(kMaterialDate))
    a.Int(s.Material);
  else if constexpr (A::kReading)
    s.Material = 0;
  a.Byte(s.ColorVariant, cvTechnology);
  a.Str(s.InnerColor);
  a.Str(s.OuterColor);
  a.Int(s.ColorPriceList);
  a.Int(s.ColorTechnology);
  a.Text(s.ColorTechPropList);
  for (auto* text : {&s.FurnSys, &s.FurnColor, &s.Handle, &s.Glass}) a.Str(*text);
  a.Int(s.BeadGrp);
  for (auto* text : {&s.AttachProf, &s.Sill, &s.Sink, &s.Mosquito, &s.Rollet, &s.Jalousie}) a.Str(*text);
  for (auto* width :
       {&s.SillWidth, &s.SinkWidth, &s.SillLayerWidth, &s.SinkLayerWidth, &s.StuccoLayerWidth, &s.QuarterLayerWidth})
    a.Int(*width);
  for (auto* color : {&s.FlugelRubberColor, &s.ProfRubberColor, &s.BeadRubberColor}) a.Str(*color);
}

template <class A, class S>
void Statics(A& a, S& s) {
  if (a.Since(kStaticsDate)) {
    a.Str(s.StaticRegion);
    a.Byte(s.PlaceType, ptC);
    a.Byte(s.LoadGroupH, lg480);
  } else {
    // Two values stood in their place.
    int32_t dropped = 0;
    a.Int(dropped);
    a.Int(dropped);
    if constexpr (A::kReading) {
      s.StaticRegion = kDefaultStaticRegion;
      s.PlaceType = ptB;
      s.LoadGroupH = lg10;
    }
  }
}

template <class A, class S>
void SectionsAndPrices(A& a, S& s) {
  for (auto* include : {&s.IncludeWindow, &s.IncludeDopProf, &s.IncludeMontMat, &s.IncludeSill, &s.IncludeSink,
                        &s.IncludeMosquito, &s.IncludeRollet, &s.IncludeJalousie, &s.IncludeSlope, &s.IncludeOtherMat})
    a.Bool(*include);
  for (auto* reduce :
       {&s.WindowReduce, &s.DopProfReduce, &s.MontMatReduce, &s.SillReduce, &s.SinkReduce, &s.MosquitoReduce,
        &s.RolletReduce, &s.JalousieReduce, &s.SlopeReduce, &s.OtherMatReduce, &s.OrderReduce})
    a.Money(*reduce);
  for (auto* unit :
       {&s.WindowRedUnit, &s.DopProfRedUnit, &s.MontMatRedUnit, &s.SillRedUnit, &s.SinkRedUnit, &s.MosquitoRedUnit,
        &s.RolletRedUnit, &s.JalousieRedUnit, &s.SlopeRedUnit, &s.OtherMatRedUnit, &s.OrderRedUnit})
    a.Byte(*unit, nuFixedPrice);
  for (auto* profit :
       {&s.WindowProfit, &s.GlassProfit, &s.FurnProfit, &s.DopProfProfit, &s.MontMatProfit, &s.SillProfit,
        &s.SinkProfit, &s.MosquitoProfit, &s.RolletProfit, &s.JalousieProfit, &s.SlopeProfit, &s.OtherMatProfit})
    a.Real(*profit);
  a.Int(s.CalcMethod);
  a.Int(s.PriceGrpNo);
  for (auto* tax : {&s.OverTax, &s.CommonTax, &s.NDSTax}) a.Real(*tax);
  a.Bool(s.GetTotalNDS);
  a.Bool(s.ShowIncludingNDS);
}

template <class A, class S>
void Lists(A& a, S& s) {
  ItemRecords(a, s.Services);
  a.Bool(s.IncludeCommonService);
  ItemRecords(a, s.Currencies);
  a.Int(s.CurCurrency);
  a.Int(s.FixCurrency);
  ItemRecords(a, s.Payments);
  for (auto* text : {&s.Note, &s.CommPredNote1, &s.CommPredNote2, &s.SpecNote1, &s.SpecNote2}) a.Text(*text);
  OwnedRecords(
      a, s.Glasses, [] { return std::make_unique<Tgx25Glass>(nullptr, 0); },
      [](auto& archive, auto& glass) {
        if constexpr (std::remove_reference_t<decltype(archive)>::kReading)
          LoadGlassRecord(glass, archive.Stream(), archive.Version());
        else
          SaveGlassRecord(glass, archive.Stream(), archive.Version());
      });
  AddOnLists(a, s.DopProfs, s.DopMats, s.Sills, s.Sinks, s.Mosquitos, s.Rollets, s.Jalousies, s.SlopeCount,
             s.OtherMatCount);
  ItemRecords(a, s.Materials);
  ItemRecords(a, s.CutMap);
  ItemRecords(a, s.AccSpecs);
}

// What the signature and the version allow: false when the order must not be read further.
bool AcceptVersion(TOrder& Order, bool& Converted, bool AutoConvert) {
  if (Order.Version == kCurrentAlias) Order.Version = kOrderVersion;
  return AcceptDocumentVersion(
      Order.Version,
      {kOrderVersion, "Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s",
       "Данный модуль технолога поддерживает файлы заказа\r\nверсии не старше: %s!\r\nЗагружаемая версия: %s"},
      Converted, AutoConvert);
}

}  // namespace

// The positions, each in the construction stream layout of the order's version.
template <class A, class O, class P>
void OrderPositions(A& a, O& Order, P& Positions) {
  TModelObject* owner = Mutable(Order);
  OwnedRecords(
      a, Positions, [owner] { return std::make_unique<Tgx25Construction>(owner); },
      [](auto& archive, auto& construction) {
        if constexpr (std::remove_reference_t<decltype(archive)>::kReading)
          construction.Load(archive.Stream(), archive.Version());
        else
          SaveConstruction(construction, archive.Stream(), archive.Version());
      });
}

void TOrder::Save(TSpecStream& Stream, const std::string& FileVersion) const {
  TFieldWriter writer(Stream, FileVersion);
  writer.Str(ProductID);
  writer.Str(FileVersion);
  Identity(writer, *this);
  CustomerAndDates(writer, *this);
  Defaults(writer, *this);
  Statics(writer, *this);
  SectionsAndPrices(writer, *this);
  Lists(writer, *this);
  OrderPositions(writer, *this, FPositions);
}

bool TOrder::Load(TSpecStream& Stream, bool& Converted, bool AutoConvert) {
  Converted = false;
  const std::string signature = Stream.ReadString();
  if (signature != ProductID) {
    ShowError("Данный файл не является файлом " + ProductID + "!");
    return false;
  }
  Version = Stream.ReadString();
  if (!AcceptVersion(*this, Converted, AutoConvert)) return false;
  TFieldReader reader(Stream, Version);
  Identity(reader, *this);
  CustomerAndDates(reader, *this);
  Defaults(reader, *this);
  Statics(reader, *this);
  SectionsAndPrices(reader, *this);
  Lists(reader, *this);
  OrderPositions(reader, *this, FPositions);
  // The positions close the file: anything after them means a damaged count or a spliced file.
  if (Stream.Remaining() != 0) {
    throw EInOutError(
        Format("Ошибка чтения из потока!\r\nЛишние данные после последней позиции, смещение [%d]!", Stream.Position()));
  }
  Version = kOrderVersion;
  return true;
}

bool TOrder::SaveOrder(const std::string& FileName, TWriteMode Mode) {
  if (FileName.empty()) return false;
  try {
    Version = kOrderVersion;
    WriteDocumentFile(FileName, Mode, [this](TSpecStream& stream) { Save(stream); });
    return true;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка сохранения заказа!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

bool TOrder::LoadOrder(const std::string& FileName, bool AutoConvert) {
  try {
    bool loaded = false, converted = false;
    ReadDocumentFile(FileName, [&](TSpecStream& stream) { loaded = Load(stream, converted, AutoConvert); });
    return loaded;
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка загрузки заказа!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

bool TOrder::Assign(const TOrder& Source) {
  if (&Source == this) return true;
  try {
    TSpecStream copy;
    Source.Save(copy);
    copy.SetPosition(0);
    bool converted = false;
    return Load(copy, converted, true);
  } catch (const std::exception& error) {
    ShowError(Format("Внутренняя ошибка при копирования заказа!\r\n(%s)", ErrorMessage(error)));
    return false;
  }
}

TOrderFileLock::TOrderFileLock(const std::string& FileName) {
  try {
    FLock = std::make_unique<TFileLock>(FileName, kOrderLockPatience);
  } catch (const std::exception& error) {
    ShowError(Format("Ошибка загрузки заказа!\r\n(%s)", error.what()));
    return;
  }
  if (!FLock->Locked())
    ShowError(Format("Файл заказа [%s] изменяется на другой станции!\r\nПовторите попытку позже.", FileName));
}

bool CheckOrderText(const std::string& Field, const std::string& Text) {
  const std::string missing = CharactersOutsideCp1251(Text);
  if (missing.empty()) return true;
  ShowWarning(
      Format("Поле \"%s\" содержит символы, которых нет в кодовой странице файла заказа (Windows-1251): "
             "%s\r\nЗаказ не изменен: исправьте текст.",
             Field, missing));
  return false;
}

}  // namespace kv
