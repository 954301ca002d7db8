#pragma once
// The dimension chains around a drawing: which chains the styles ask for (overall size, the fields
// of each frame between its mullions, sash sizes and the mullions inside sashes, sash rebate sizes,
// cut points and anchors), each on its own row below (horizontal chains) or to the right (vertical
// chains) of the picture, and their drawing.
#include <array>
#include <vector>

#include "construction/construction.h"
#include "design/canvas.h"
#include "design/draw_styles.h"
#include "geometry/sizing.h"

namespace kv {

class Tgx25SizeGrid {
public:
  // The chains of a whole construction, of one frame or sash drawn by itself, or of one glass.
  // RowStep: pixels between two rows of chains.
  void Prepare(const Tgx25Construction& Construction, const Tgx25DrawStyles& Styles, int RowStep);
  void Prepare(const TCustomFrame& Element, const Tgx25DrawStyles& Styles, int RowStep);
  void Prepare(const Tgx25Glass& Glass, const Tgx25DrawStyles& Styles, int RowStep);

  // Room of the chains, pixels: below the picture (vertical room) and to its right (horizontal).
  int GetDeltaX() const { return static_cast<int>(FHorizontal.size()) * FRowStep; }
  int GetDeltaY() const { return static_cast<int>(FVertical.size()) * FRowStep; }

  // Horizontal chains from (0, scaled bottom of the grid) downwards, vertical chains from (scaled
  // right of the grid, 0) rightwards, with the canvas's pen width; brush clear.
  void Draw(TCanvas& Canvas, long double Scale) const;

  const std::vector<Tgx25Sizing>& Horizontal() const { return FHorizontal; }
  const std::vector<Tgx25Sizing>& Vertical() const { return FVertical; }

private:
  // The kinds of chains, nearest to the picture first.
  enum TChainKind { ckFalz, ckDetail, ckCut, ckAnker, ckTopLevel, ckTotal, ckCount };
  using TLevels = std::vector<std::vector<Tgx25SizePointList>>;

  void Start(const TRect& Bounds, int RowStep);
  // Puts the chain of the sorted distinct coordinates on the nearest row of its kind where it
  // overlaps no other chain; a chain of fewer than two coordinates, or one equal to a chain already
  // on that axis, is dropped.
  void AddChain(TSizeAxis Axis, TChainKind Kind, std::vector<int32_t> Values);
  void AddExtent(TChainKind Kind, const TRect& Box);
  // The element's extent between its own mullions (vertical ones across, horizontal ones down).
  void AddDivisions(TChainKind Kind, const TAbstractFrame& Element);
  void AddSashChains(const TAbstractFrame& Place, const Tgx25DrawStyles& Styles);
  void AddLinePointChains(const TCustomFrame& Frame, const Tgx25DrawStyles& Styles);
  // The rows of every kind, nearest first, into the horizontal and vertical sizings.
  void Finish();
  void DrawRow(TCanvas& Canvas, long double Scale, const Tgx25Sizing& Row, int Level) const;

  TRect FBounds;
  int FRowStep = 0;
  std::array<TLevels, ckCount> FLevelsX;
  std::array<TLevels, ckCount> FLevelsY;
  std::vector<Tgx25Sizing> FHorizontal;
  std::vector<Tgx25Sizing> FVertical;
};

}  // namespace kv
