#pragma once
// One frame built from a few plain choices (construction type, figure, sizes, arc data, mullion
// axes, sashes, glass, colour) with the open catalogue: what the command-line program builds from
// its options and the order window from its "add position" dialog.
#include <memory>
#include <string>
#include <vector>

#include "construction/construction.h"

namespace kv {

struct TFrameBuildOptions {
  // Window type of the catalogue (TypeWin).
  int TypeWin = 1;
  // Figure name: rect, balkon-left, ..., arc-tri-right (see FigureNames).
  std::string Figure = "rect";
  // Millimetres.
  int Width = 1300;
  int Height = 1400;
  // The shape options of the figure (0: not given); an option the figure does not use is refused.
  int HX = 0;
  int HY = 0;
  float Radius = 0;
  float Radius2 = 0;
  // Axes of vertical mullions (from the left edge) and horizontal transoms (from the top edge), mm.
  // The vertical ones run through the frame first; each transom then divides every field it crosses.
  std::vector<int> Vertical;
  std::vector<int> Horizontal;
  // Axes of vertical meeting stiles (from the left edge), inserted after the mullions and transoms
  // into every field they cross; the two fields of a stile take its pair of sashes.
  std::vector<int> Stulps;
  // Fields (numbered from 1 after the division) that get a sash; turn-only sashes when Turn is set.
  std::vector<int> Sashes;
  bool Turn = false;
  // Glass article; empty: the window type's glass.
  std::string Glass;
  // Profile colour; empty: the system's base colour.
  std::string Color;
  // Laminating colours of the outer and inner faces, priced by the laminating price list LamList;
  // both empty: no lamination.
  std::string LamOuter;
  std::string LamInner;
  int LamList = 1;
  // A coating technology (TecList) with the colours of the outer and inner faces; 0: none.
  int Technology = 0;
  std::string OuterColor;
  std::string InnerColor;
};

// The figure names in the order of TFigType.
const std::vector<std::string>& FigureNames();

// One frame built and fully calculated from the options with the open catalogue (numbered "1").
// Program errors (catalogue gaps, impossible figures or divisions) are raised as EKvError.
std::unique_ptr<Tgx25Construction> BuildConstruction(const TFrameBuildOptions& Options);

}  // namespace kv
