#pragma once
// Offsetting contours inwards: a side moved to its right-hand side (the inside of a clockwise
// contour), the corner where two moved sides meet, the offset that each contour kind takes from the
// catalogue, and whole contours derived from frames and parts.
#include <string>
#include <vector>

#include "construction/contour_types.h"
#include "shell/points.h"

namespace kv {

class Tgx25Line;

// One side of a contour in the contour's direction: from A to B, straight (R = 0) or an arc of
// radius R about Center.
struct TSideGeometry {
  TPointF A;
  TPointF B;
  long double R = 0;
  TPointF Center;
};

TSideGeometry ReversedSide(const TSideGeometry& Side);
// The side of a model line between two of its points (its radius and centre).
TSideGeometry LineSide(const Tgx25Line& Line, const TPoint& From, const TPoint& To);

// The radius of an arc side moved to its right by D: smaller when the centre lies on that side.
long double OffsetRadius(const TSideGeometry& Side, long double D);

// The corner where side Prior (ending at the corner) moved to its right by DPrior meets side Next
// (starting there) moved by DNext. Two straight sides meet as infinite lines; a straight side meets
// the moved arc's circle at the crossing nearer to its own moved end at the corner; two arcs at the
// crossing nearer to the old corner. ECreationError: "... - параллельны!" for parallel straight
// sides, "Не возможно определить точку пересечения: ..." when a side misses the circle.
TPointF OffsetCorner(const TSideGeometry& Prior, long double DPrior, const TSideGeometry& Next, long double DNext);

// The closed contour of Sides each moved by its offset: corner i where side i - 1 meets side i,
// rounded to whole units; arc sides keep their centre with the moved radius. A side that its offset
// turns round or shrinks to one point (its moved corners pass each other or fall on one whole point)
// means the offsets are too large for the contour: ECreationError "Полученная точка ... не
// пренадлежит одной из прямой ..." for a straight side, "Дуга радиуса ... мм от (...) до (...) мм,
// смещенная на ... мм, выворачивается: раздел слишком мал!" (millimetres) for an arc.
TFillContour OffsetContour(const std::vector<TSideGeometry>& Sides, const std::vector<long double>& Offsets);

// What a contour kind asks of one side: the side's line (its profile, and DeltaW of a frame side),
// Extra, the profile of what is fitted (for combination deltas) and the glazing contour selector.
struct TSideOffsetRequest {
  TGetSizeInfo Kind = gsiNone;
  long double Extra = 0;
  std::string FillProfile;
  int Selector = 0;
};
long double SideOffset(const TSideOffsetRequest& Request, const Tgx25Line* Line);
// The offset of one kind alone.
inline long double SideOffset(TGetSizeInfo Kind, const Tgx25Line* Line) {
  return SideOffset(TSideOffsetRequest{Kind, 0, "", 0}, Line);
}

}  // namespace kv
