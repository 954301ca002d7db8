#pragma once
// The order in memory: an ordered list of positions (each one construction), the order header
// (numbers, customer, dates, statuses, default catalogue choices for new positions, sections,
// discounts and mark-ups), the order-level item lists and the computed lists. It is stored as an
// order file (order_file.cpp).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/item_lists.h"
#include "shell/date_time.h"
#include "shell/money.h"
#include "shell/safe_files.h"
#include "shell/value_stream.h"

namespace kv {

enum TOrderStatus : uint8_t { soWorking, soPreview, soComplete, soClosed };
// "Проектируется", "Предварительный расчет", "Передан в производство", "Закрыт".
std::string OrderStatusCaption(TOrderStatus Status);

enum TOrderProdStatus : uint8_t { opsWorking, opsOrdered, opsPrepared, opsOutcoming, opsInstalled, opsClosed };

// Where new positions take their colours from.
enum TOrderColorVariant : uint8_t { cvOrder, cvPriceList, cvTechnology };

// Terrain type of the wind-load check.
enum TPlaceType : uint8_t { ptA, ptB, ptC };

// Unit of a discount: none, percent, an amount, a fixed price (nuFixedPrice, construction_consts.h).
inline constexpr TNumUnit nuNone = 0;
inline constexpr TNumUnit nuPercent = 1;
inline constexpr TNumUnit nuCurrency = 2;

using TCurrencyItemList = std::vector<Tgx25CurrencyItem>;
using TPaymentList = std::vector<Tgx25PaymentItem>;
using TGlassList = std::vector<std::unique_ptr<Tgx25Glass>>;

// The file signature and the format version that this program writes.
inline constexpr const char* kOrderProductID = "QETA Korvent Order File";
inline constexpr const char* kOrderVersion = "23.04.2012";

// The sections of an order (positions and add-on groups), in the order of their flags, discounts
// and units in the file.
inline constexpr size_t ORDER_SECTION_COUNT = 10;

class TOrder : public TModelObject {
public:
  TOrder();
  ~TOrder() override;

  // ---- positions ----
  int Count() const { return static_cast<int>(FPositions.size()); }
  Tgx25Construction* GetConstruction(int Index) const;
  // Appends the construction (the order becomes its owner) and stamps its creation and
  // modification times with the current time.
  Tgx25Construction* Add(std::unique_ptr<Tgx25Construction> Construction);
  void Delete(int Index);
  void Clear();
  // Index of the first position numbered No, letters compared without case; -1 when none.
  int PosFind(const std::string& No) const;
  Tgx25Construction* GetPosByNo(const std::string& No) const;
  // Copies every position of Source. SkipExisting: a position whose number is present already is
  // skipped; otherwise such a copy gets "." + Source.No appended until its number is unique.
  bool AppendPos(const TOrder& Source, bool SkipExisting);
  // Copies of the selected positions of Source with new numbers ("%s-%d" from the original
  // number and a counter) and new bar codes.
  bool ClonePos(const TOrder& Source);
  // Copies of every position of Source, numbers kept.
  bool CopyPos(const TOrder& Source);
  // Each position of Source replaces the position of the same number (absent numbers are skipped).
  bool UpdatePos(const TOrder& Source);
  // Each position of Source replaces the position of the same number, or is appended.
  bool AppendUpdatePos(const TOrder& Source);
  // Moves the position at From to the place To, the others keeping their order; false when an
  // index is out of range or the backup could not be made.
  bool MovePos(int From, int To);
  void SetStatus(TOrderStatus NewStatus) { Status = NewStatus; }
  // The order as it was before the last position operation; false when there is no backup.
  bool RestoreBackup();

  // ---- selection: the positions whose construction is checked ----
  int SelectedCount() const;
  bool SelectedExists() const { return SelectedCount() > 0; }
  // Sum of the quantities of the selected positions.
  int SelectedNumber() const;
  Tgx25Construction* GetFirstSelected();
  Tgx25Construction* GetNextSelected();
  // Every frame of every selected position.
  TFrame* GetFirstFrame();
  TFrame* GetNextFrame();
  std::string GetSelectedPosAsString() const;
  std::vector<std::string> GetPosList() const;

  // ---- aggregates over the selected positions, each weighted by its quantity ----
  long double GetSquare() const;
  int GetPartCount() const;
  // Frames of all systems (System empty) or of the one system.
  int SelFrameNumber(const std::string& System = "") const;
  int SelPosNumber() const { return SelectedNumber(); }
  long double SelConstructionSquare() const { return GetSquare(); }
  // The profile systems of the frames, each once, in the order met.
  std::vector<std::string> GetConstructionSystems() const;
  int GetWinTypeCount() const;
  int GetDoorTypeCount() const;
  long double GetWinTypeSquare() const;
  long double GetDoorTypeSquare() const;
  int GetFillingCount() const;
  long double GetFillingSquare() const;

  // ---- aggregates over the add-on lists (all items, or the selected ones) ----
  int GetSillCount() const;
  int GetSinkCount() const;
  int GetMosquitoCount() const;
  int GetRolletCount() const;
  int GetJalousieCount() const;
  long double GetSillLength() const;
  long double GetSinkLength() const;
  long double GetSillSquare() const;
  long double GetSinkSquare() const;
  long double GetSillPerimeter() const;
  long double GetSinkPerimeter() const;
  long double GetMosquitoSquare() const;
  long double GetRolletSquare() const;
  long double GetJalousieSquare() const;
  long double GetMosquitoPerimeter() const;
  long double GetRolletPerimeter() const;
  long double GetJalousiePerimeter() const;
  int SelSillNumber() const;
  long double SelSillSquare() const;
  long double SelSillLength() const;
  int SelSinkNumber() const;
  long double SelSinkSquare() const;
  long double SelSinkLength() const;
  int SelMosquitoNumber() const;
  long double SelMosquitoSquare() const;
  int SelRolletNumber() const;
  long double SelRolletSquare() const;
  int SelJalousieNumber() const;
  long double SelJalousieSquare() const;

  // ---- list accessors ----
  Tgx25Glass* GetGlass(int Index) const;
  Tgx25DopProfItem* GetDopProf(int Index);
  Tgx25MontageMaterial* GetDopMat(int Index);
  Tgx25CustomSill* GetSill(int Index);
  Tgx25CustomSill* GetSink(int Index);
  Tgx25CustomNet* GetMosquito(int Index);
  Tgx25CustomNet* GetRollet(int Index);
  Tgx25CustomNet* GetJalousie(int Index);
  Tgx25MatListItem* GetMaterialItem(int Index);
  Tgx25Accessory* GetAccSpecItem(int Index);
  Tgx25ServiceItem* GetServiceItem(int Index);
  Tgx25CurrencyItem* GetCurrencyItem(int Index);
  Tgx25PaymentItem* GetPaymentItem(int Index);
  void ClearGlassList() { Glasses.clear(); }
  void ClearDopProfList() { DopProfs.clear(); }
  void ClearDopMatList() { DopMats.clear(); }
  void ClearSillList() { Sills.clear(); }
  void ClearSinkList() { Sinks.clear(); }
  void ClearMosquitoList() { Mosquitos.clear(); }
  void ClearRolletList() { Rollets.clear(); }
  void ClearJalousieList() { Jalousies.clear(); }
  void ClearMaterialList() { Materials.clear(); }
  void ClearCutMapList() { CutMap.clear(); }
  void ClearAccSpecList() { AccSpecs.clear(); }
  void ClearServiceList() { Services.clear(); }
  void ClearCurrencyList() { Currencies.clear(); }
  void ClearPaymentList() { Payments.clear(); }

  // ---- calculation (order_calc.cpp) ----
  // Told after each position: how many are done, of how many, and the number of the position.
  using TCalcProgress = std::function<void(int Done, int Total, const std::string& PositionNo)>;
  // Gathers, prices and calculates every position in the order's currency, price group and VAT;
  // false after the message of the first position that failed.
  bool CalculatePositions(const TCalcProgress& Progress = {});

  // ---- the order file (order_file.cpp) ----
  // Writes the order to the file (the previous file survives a failed save); false after showing
  // "Ошибка сохранения заказа!\r\n(%s)". With wmCreateNew an existing file is refused, not replaced.
  bool SaveOrder(const std::string& FileName, TWriteMode Mode = TWriteMode::wmReplace);
  // Reads the order from the file; false when it was not loaded (the reason shown).
  bool LoadOrder(const std::string& FileName, bool AutoConvert = false);
  // The order in the file layout of Version (the current one unless a test of the reader asks
  // for an older one).
  void Save(TSpecStream& Stream, const std::string& Version = kOrderVersion) const;
  // Reads the order; Converted tells that an older file was converted. False when the file is not
  // an order, is newer than this program or the conversion was refused (the message shown).
  bool Load(TSpecStream& Stream, bool& Converted, bool AutoConvert);
  // Becomes a copy of Source; false after showing "Внутренняя ошибка при копирования заказа!\r\n(%s)".
  bool Assign(const TOrder& Source);

  // ---- identity ----
  std::string ProductID = kOrderProductID;
  std::string Version = kOrderVersion;
  int32_t InstallationIDs[7] = {};
  int32_t CreateUserID = 0;
  std::string CreateStationID;
  int32_t ModifyUserID = 0;
  std::string ModifyStationID;
  std::string ReservedText;
  int32_t AccessRight = 0;
  std::string OpenPassword;
  std::string ModifyPassword;
  TDateTime CreateDate = 0;
  TDateTime ModifyDate = 0;
  int32_t ModifyCount = 0;
  bool StorageLock = false;

  // ---- customer and numbers ----
  std::string No, ContractNo, AltOrderNo, Customer, Obj, Address, Phone, Remark;

  // ---- dates ----
  TDateTime Date = 0;
  bool DateEnabled = true;
  TDateTime ContractDate = 0;
  TDateTime MeasureDate = 0, PrepareDate = 0, MontageDate = 0, DecorDate = 0, ComplectDate = 0;
  std::string PreparePeriod, MontagePeriod, DecorPeriod;
  bool MeasureDateEnabled = false, PrepareDateEnabled = true, MontageDateEnabled = true, DecorDateEnabled = false,
       ComplectDateEnabled = false;
  TDateTime TransportDate = 0;
  std::string TransportPeriod;
  bool TransportDateEnabled = true;

  // ---- statuses ----
  TOrderStatus Status = soWorking;
  TOrderProdStatus ProdStatus = opsWorking;

  // ---- default catalogue choices for new positions ----
  std::string ProfSys, ProfColor;
  int32_t Material = 0;
  TOrderColorVariant ColorVariant = cvOrder;
  std::string InnerColor, OuterColor;
  int32_t ColorPriceList = 0, ColorTechnology = 0;
  TStringList ColorTechPropList;
  std::string FurnSys, FurnColor, Handle, Glass;
  int32_t BeadGrp = 0;
  std::string AttachProf, Sill, Sink, Mosquito, Rollet, Jalousie;
  int32_t SillWidth = 0, SinkWidth = 0, SillLayerWidth = 0, SinkLayerWidth = 0, StuccoLayerWidth = 0,
          QuarterLayerWidth = 0;
  std::string FlugelRubberColor, ProfRubberColor, BeadRubberColor;

  // ---- statics ----
  std::string StaticRegion;
  TPlaceType PlaceType = ptA;
  TLoadGroupH LoadGroupH = lg10;

  // ---- sections, discounts, mark-ups ----
  bool IncludeWindow = true, IncludeDopProf = false, IncludeMontMat = false, IncludeSill = false, IncludeSink = false,
       IncludeMosquito = false, IncludeRollet = false, IncludeJalousie = false, IncludeSlope = false,
       IncludeOtherMat = false;
  TCurrency WindowReduce, DopProfReduce, MontMatReduce, SillReduce, SinkReduce, MosquitoReduce, RolletReduce,
      JalousieReduce, SlopeReduce, OtherMatReduce, OrderReduce;
  TNumUnit WindowRedUnit = nuNone, DopProfRedUnit = nuNone, MontMatRedUnit = nuNone, SillRedUnit = nuNone,
           SinkRedUnit = nuNone, MosquitoRedUnit = nuNone, RolletRedUnit = nuNone, JalousieRedUnit = nuNone,
           SlopeRedUnit = nuNone, OtherMatRedUnit = nuNone, OrderRedUnit = nuNone;
  float WindowProfit = 0, GlassProfit = 0, FurnProfit = 0, DopProfProfit = 0, MontMatProfit = 0, SillProfit = 0,
        SinkProfit = 0, MosquitoProfit = 0, RolletProfit = 0, JalousieProfit = 0, SlopeProfit = 0, OtherMatProfit = 0;
  int32_t CalcMethod = 0, PriceGrpNo = 0;
  float OverTax = 0, CommonTax = 0, NDSTax = 0;
  bool GetTotalNDS = false, ShowIncludingNDS = false;

  // ---- texts ----
  TStringList Note, CommPredNote1, CommPredNote2, SpecNote1, SpecNote2;

  // ---- owned lists ----
  TServiceList Services;
  bool IncludeCommonService = false;
  TCurrencyItemList Currencies;
  int32_t CurCurrency = 0, FixCurrency = 0;
  TPaymentList Payments;
  TGlassList Glasses;
  TDopProfList DopProfs;
  TMontageMatList DopMats;
  TSillList Sills, Sinks;
  TNetList Mosquitos, Rollets, Jalousies;
  // The slope and other-material counts of the file, whose items are not stored (kept as read).
  int32_t SlopeCount = 0, OtherMatCount = 0;
  TMatList Materials;
  TCutMapList CutMap;
  TAccessoryList AccSpecs;

  // ---- not stored ----
  bool StorageEnabled = true;
  bool DoSummaryMatList = false;
  int32_t InternalStartPos = 0;
  int32_t InternalConstructionIndex = 0;
  int32_t InternalFrameIndex = 0;

private:
  // Saves the order into the backup stream before a position operation; false after the message.
  bool MakeBackup();
  // A copy of Source's position Index owned by this order.
  std::unique_ptr<Tgx25Construction> CopyOf(const Tgx25Construction& Position);
  // Appends without touching the time stamps (loading, copying).
  void Append(std::unique_ptr<Tgx25Construction> Construction);
  // Runs a position operation after the backup; false when the backup or the operation failed.
  template <class Operation>
  bool PositionOperation(Operation Run);

  std::vector<std::unique_ptr<Tgx25Construction>> FPositions;
  std::unique_ptr<TSpecStream> FBackup;
};

// Holds an order file against every other station for one load, change and save. Another
// station's hold is waited for a while; then Locked() is false and the message naming the file
// has been shown.
class TOrderFileLock {
public:
  explicit TOrderFileLock(const std::string& FileName);
  bool Locked() const { return FLock != nullptr && FLock->Locked(); }

private:
  std::unique_ptr<TFileLock> FLock;
};

// A text typed into an order field; false after a warning naming the field when the file's code
// page (Windows-1251) cannot hold some of its characters.
bool CheckOrderText(const std::string& Field, const std::string& Text);

}  // namespace kv
