// Questions about a part's contour: bars that depend on a bar of the contour, points on its sides,
// where a line parallel to a given one crosses it, and the size of the field between the profiles.
#include <algorithm>

#include "construction/frames.h"
#include "construction/glass.h"
#include "geometry/point_ops.h"
#include "geometry/transforms.h"

namespace kv {

bool TFalshPart::DependImpostFound(const TCustomImpost* Impost) const {
  if (Impost == nullptr) return false;
  return std::any_of(Lines.begin(), Lines.end(), [&](const auto& side) {
    const Tgx25Line* line = side->GetLine();
    if (line == nullptr || line == Impost || dynamic_cast<const TCustomImpost*>(line) == nullptr) return false;
    return (line->PX1 != nullptr && line->PX1->Owner == Impost) || (line->PX2 != nullptr && line->PX2->Owner == Impost);
  });
}

bool TFalshPart::DependPointLineFound(const Tgx25SimplePoint* Point) const {
  if (Point == nullptr) return false;
  const bool corner = std::any_of(Points.begin(), Points.end(), [&](const auto& p) { return p->Point == Point; });
  return corner || std::any_of(Lines.begin(), Lines.end(), [&](const auto& side) {
           return side->GetLine() != nullptr && side->GetLine()->HasPoint(Point);
         });
}

bool TFalshPart::FindParallelImpostCrossPoints(const TPoint& A, const TPoint& B, long double Distance,
                                               TImpostCross& Cross) const {
  TPointF a, b;
  GetParallelLineShift(ExtendedPoint(A), ExtendedPoint(B), false, Distance, a, b);
  return FindImpostCrossPoints(RoundedPoint(a), RoundedPoint(b), Cross);
}

TSize TFalshPart::GetFalshFrameSize() const {
  Tgx25SimpleFrame light;
  light.SetContour(CalcFillSize(gsiWidth, 0));
  return light.GetInternalSize();
}

}  // namespace kv
