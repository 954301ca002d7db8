#pragma once
// One item of an order: a window, door or facade element made of outer frames. The construction
// owns its frames, numbers them and their parts, walks them, measures them and keeps the add-on
// lists, prices and cost summary that the calculation fills.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "construction/frames.h"
#include "construction/item_lists.h"
#include "construction/walks.h"
#include "geometry/contour_dimensions.h"
#include "geometry/geometry_types.h"
#include "shell/date_time.h"
#include "shell/money.h"
#include "shell/value_stream.h"

namespace kv {

// Width and length of a layer around the opening (sill, drip, stucco, quarter).
struct TLayerSize {
  int32_t Width = 0;
  int32_t Length = 0;
  friend bool operator==(const TLayerSize&, const TLayerSize&) = default;
};

// Number of money values of the cost summary.
inline constexpr size_t COST_SUMMARY_SIZE = 84;

class Tgx25Construction : public TModelObject {
public:
  explicit Tgx25Construction(TModelObject* Owner = nullptr);
  ~Tgx25Construction() override;
  TModelObject* OwnerObject() const override { return Owner; }

  // Frames, in the order they were added.
  int FrameCount() const { return static_cast<int>(FFrames.size()); }
  TFrame* GetFrame(int Index) const;
  int IndexOfFrame(const TFrame* Frame) const;
  // A new empty frame of the window type, appended and numbered; ECreationError beyond 256 frames.
  TFrame* NewFrame(int32_t TypeWin);
  // Removes and frees the frame, moves the rest to the origin and renumbers; false when not found.
  bool RemoveFrame(TFrame* Frame);
  void ClearFrameList();
  // Frees the frames and the calculated lists.
  void Clear();
  void ClearItemLists();
  // Moves every frame by one vector so that the left-top of the bounding box is (0, 0).
  void NormalizePosition();

  // The extreme points over all frames.
  TContourDimensions GetDimensions() const;
  TRect GetBoundRect() const;
  // Width and height in millimetres, and rounded to whole millimetres.
  TSizeF GetSize() const;
  TSize GetSizeInt() const;
  // Sum over the frames of the bounding rectangle in square metres (4 decimals).
  long double GetSquare() const;
  // Sum over the frames of the outer side lengths (arcs along the arc) in metres.
  long double GetPerimeter() const;

  // Selection and check marks of the design window.
  void Select(TModelObject* Object);
  void UnSelectAll();
  void SetChecked(Tgx25SelectedObject* Object);
  void UnCheckAll();
  // Empties every selected part.
  void ClearSelectedObject();
  TModelObject* FindObjectByInternalID(int32_t ID);
  void SetHidden();
  void SetVisible();
  // Mirrors the construction about its vertical centre line (left becomes right) and recalculates it.
  void MirrorPositionX();

  // The construction stream (Version: the stream's format date, empty for the current layout).
  void Save(TSpecStream& Stream) const;
  void Load(TSpecStream& Stream, const std::string& Version = "");
  // Becomes a copy of Source (through the stream; the owner stays).
  void Assign(const Tgx25Construction& Source);
  // A copy of the whole construction kept before a sweeping change, and put back on failure.
  void CreateBackupCopy();
  // False when there is no copy, or when it cannot be read back (the error is shown to the user).
  bool RestoreBackupCopy();
  bool BackupCopyExists() const { return FBackupCopy != nullptr; }

  // Numbering: frames from No ("%s.%d" when there are several), then every part below them.
  void ChangeNo(const std::string& NewNo);
  void UpdateNo();
  void RebuildPartsIndex();

  // First/next walks: frames in order, each frame's tree depth first; nullptr at the end. A walk
  // of one kind keeps its position here; queries walk the ranges of walks.h, which keep none.
  TFrame* GetFirstFrame();
  TFrame* GetNextFrame();
  TFlugel* GetFirstFlugel();
  TFlugel* GetNextFlugel();
  TkvModificator* GetFirstModificator();
  TkvModificator* GetNextModificator();
  Tgx25Glass* GetFirstGlass();
  Tgx25Glass* GetNextGlass();
  Tgx30CustomPart* GetFirstGlassAvailableEmptyPart();
  Tgx30CustomPart* GetNextGlassAvailableEmptyPart();
  TCustomImpost* GetFirstImpost();
  TCustomImpost* GetNextImpost();
  TCustomImpost* GetFirstFrameImpost();
  TCustomImpost* GetNextFrameImpost();
  TCustomImpost* GetFirstFlugelImpost();
  TCustomImpost* GetNextFlugelImpost();
  Tgx25Stulp* GetFirstStulp();
  Tgx25Stulp* GetNextStulp();
  TFalsh* GetFirstFalsh();
  TFalsh* GetNextFalsh();
  TFurnComp* GetFirstFurnComp();
  TFurnComp* GetNextFurnComp();
  Tgx30CustomPart* GetFirstPart();
  Tgx30CustomPart* GetNextPart();
  Tgx30CustomPart* GetFirstFixPart();
  Tgx30CustomPart* GetNextFixPart();

  TModelObject* Owner = nullptr;
  // The frame at which the frame walk stands.
  int32_t InternalFrameIndex = 0;
  std::string No;
  int32_t Count = 1;
  // The position is selected in its order (not stored).
  bool Checked = false;

  // Stored header values (their order is the stream's); the Carried ones are kept unchanged.
  int32_t CarriedInt1 = 0;
  std::string CarriedText1;
  std::string CarriedText2;
  TLoadGroupH LoadGroupH = lg10;
  TViewSide ViewSide = 0;
  std::string CarriedText3;
  bool CarriedFlag1 = false;
  std::string CarriedText4;
  bool CarriedFlag2 = false;
  int32_t CarriedInt2 = 0;
  float WorkCoef = 0;
  bool CheckStaticOnSave = false;
  TLayerSize SillLayer;
  TLayerSize SinkLayer;
  TLayerSize StuccoLayer;
  TLayerSize QuarterLayer;
  int32_t Material = 0;
  TColorVariant ColorVariant = 0;
  std::string InnerColor;
  std::string OuterColor;
  int32_t ColorPriceList = 0;
  int32_t ColorTechnology = 0;
  TStringList ColorTechPropList;
  TStringList Notes;

  // Prices fixed by hand per group, their currency, and the unit of each group's price.
  TCurrency WindowFixPrice, DopProfFixPrice, MontMatFixPrice, SillFixPrice, SinkFixPrice, MosquitoFixPrice,
      RolletFixPrice, JalousieFixPrice, SlopeFixPrice, OtherMatFixPrice;
  int32_t FixCurrency = 0;
  TNumUnit WindowRedUnit = 0, DopProfRedUnit = 0, MontMatRedUnit = 0, SillRedUnit = 0, SinkRedUnit = 0,
           MosquitoRedUnit = 0, RolletRedUnit = 0, JalousieRedUnit = 0, SlopeRedUnit = 0, OtherMatRedUnit = 0;

  // Add-on items and calculation results, filled by the calculation.
  TDopProfList DopProfList;
  TMontageMatList MontMatList;
  TSillList SillList;
  TSillList SinkList;
  TNetList MosquitoList;
  TNetList RolletList;
  TNetList JalousieList;
  int32_t CarriedCount1 = 0;
  int32_t CarriedCount2 = 0;
  TMatList MatList;
  TEstimateList EstimateList;
  TServiceList ServiceList;
  TAccessoryList AccessoryDocList;

  std::array<TCurrency, COST_SUMMARY_SIZE> CostSummary{};
  double CarriedReal = 0;
  TDateTime TimeStamp1 = 0;
  TDateTime TimeStamp2 = 0;
  std::string CarriedText5;
  TDateTime TimeStamp3 = 0;

private:
  // Reading creates the frames in place, without numbering them anew.
  friend void LoadConstruction(Tgx25Construction&, TSpecStream&, const std::string&);

  TModelObject* FirstOfWalk(TWalkKind Kind);
  TModelObject* NextOfWalk(TWalkKind Kind);
  void VisitAll(const TTreeVisitor& Visitor);

  std::vector<std::unique_ptr<TFrame>> FFrames;
  std::unique_ptr<TSpecStream> FBackupCopy;
  // Where each first/next walk stands.
  TWalkCursors FWalkCursors;
};

}  // namespace kv
