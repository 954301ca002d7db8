#pragma once
// A selection: a batch of positions taken from several order files, priced together and printed as
// one production or purchase batch (a day's production: its materials to order and its profiles to
// cut at once). Each item keeps what it showed of its position (order and position numbers, size,
// quantity, name, order file), so the selection reads without the orders; the positions themselves
// are linked at run time from their order files.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "order/order.h"

namespace kv {

inline constexpr const char* kSelectionProductID = "QETA Korvent Selection File";
inline constexpr const char* kSelectionVersion = "20.04.2006";

// Rounding of the batch's material quantities: none, to the minimal trade quantity, to whole packs.
enum TSelectionRoundMode : uint8_t { rmNone, rmMinTrade, rmMinPack };

struct Tgx25OrderSelectionItem {
  bool Checked = true;
  std::string OrderNo;
  std::string PosNo;
  float Width = 0;  // millimetres
  float Height = 0;
  int32_t Number = 1;
  std::string Name;
  std::string FileName;
  // The position in its loaded order (not stored); nullptr while its order is not loaded.
  Tgx25Construction* Construction = nullptr;
};

// The batch of a selection's checked positions: their materials times the quantities, priced in
// the selection's currency and price group, and their cut pieces.
struct TSelectionBatch {
  TMatList Materials;
  TCutMapList CutMap;
};

class Tgx25OrderSelection {
public:
  Tgx25OrderSelection();

  // ---- the file ----
  // Writes the selection (Version set to the current one); false after showing
  // "Ошибка сохранения выборки!\r\n(%s)". The previous file survives a failed save.
  bool SaveSelection(const std::string& FileName, TWriteMode Mode = TWriteMode::wmReplace);
  // False when it was not loaded (the reason shown; "Ошибка загрузки выборки!\r\n(%s)" for a
  // damaged file).
  bool LoadSelection(const std::string& FileName, bool AutoConvert = false);
  void Save(TSpecStream& Stream) const;
  bool Load(TSpecStream& Stream, bool& Converted, bool AutoConvert);

  // ---- content ----
  int Count() const { return static_cast<int>(Items.size()); }
  int SelectedCount() const;
  bool SelectedExists() const { return SelectedCount() > 0; }
  Tgx25OrderSelectionItem* GetSelectionItem(int Index);
  void Delete(int Index);
  // Removes the item of that order and position (numbers compared without case); false when none.
  bool Delete(const std::string& OrderNo, const std::string& PosNo);
  // Index of the item of that order and position (numbers compared without case), -1 when none.
  int PosFind(const std::string& OrderNo, const std::string& PosNo) const;
  Tgx25CurrencyItem* GetCurrencyItem(int Index);
  // Appends the position of the order loaded from FileName (the item linked to it); false when
  // the selection holds it already.
  bool AddPosition(const TOrder& Order, Tgx25Construction& Position, const std::string& FileName);
  void OrderSort();
  void PosSort();
  void NameSort();
  void FileNameSort();
  // The distinct order numbers of the items, ", "-joined in the order met.
  std::string GetOrderList() const;
  // Told before each item: how many are done and of how many; false stops the refresh.
  using TUpdateProgress = std::function<bool(int Done, int Total)>;
  // Loads each item's order file once and refreshes the item from its position; an item whose
  // file or position is gone, or that a stopped refresh did not reach, keeps what it stored. True
  // when a stored value changed.
  bool UpdateSelectionData(const TUpdateProgress& Progress = {});
  void GatherStatistics();
  // Gathers the materials and cut pieces of every linked checked position and prices them as one
  // list (catalogue errors raised to the caller).
  TSelectionBatch GatherBatch();

  // ---- stored ----
  std::string ProductID = kSelectionProductID;
  std::string Version = kSelectionVersion;
  int32_t InstallationIDs[7] = {};
  TDateTime CreateDate = 0;
  TDateTime ModifyDate = 0;
  int32_t ModifyCount = 0;
  std::string No;
  TDateTime Date = 0;
  std::string Name;
  std::vector<Tgx25CurrencyItem> Currencies;
  int32_t CurCurrency = 0;
  int32_t PriceGrpNo = 0;
  float NDSTax = 0;
  TSelectionRoundMode RoundMode = rmNone;
  bool UseOpt = false;
  TOrderColorVariant ColorVariant = cvOrder;
  int32_t ColorPriceList = 0;
  TStringList Note;
  std::vector<Tgx25OrderSelectionItem> Items;

  // ---- derived (GatherStatistics) ----
  int OrderCount = 0, PosCount = 0, ConsCount = 0, FrameCount = 0, WinCount = 0, DoorCount = 0;
  long double WinSquare = 0, DoorSquare = 0, TotalSquare = 0;

private:
  // The order of the file, loaded once (nullptr when it is gone or does not load).
  TOrder* OrderOf(const std::string& FileName);
  void SortBy(bool (*Before)(const Tgx25OrderSelectionItem&, const Tgx25OrderSelectionItem&));

  std::map<std::string, std::unique_ptr<TOrder>> FOrders;
};

}  // namespace kv
