#include "construction/fill_contour.h"

#include <algorithm>
#include <cmath>

#include "catalogue/combination_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/frames.h"
#include "construction/setup_values.h"
#include "geometry/angles.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "geometry/transforms.h"
#include "shell/errors.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

// Cross product of B - A and P - A on the y-down screen: negative when P lies right of A -> B.
long double SideCross(const TPointF& A, const TPointF& B, const TPointF& P) {
  return (static_cast<long double>(P.X) - A.X) * (static_cast<long double>(B.Y) - A.Y) -
         (static_cast<long double>(P.Y) - A.Y) * (static_cast<long double>(B.X) - A.X);
}

// The arc bulges to the left of its side, so a centre on the chord (a half circle) counts as right.
bool CentreOnRight(const TSideGeometry& Side) { return SideCross(Side.A, Side.B, Side.Center) <= 0; }

// The side's chord moved to its right by D.
void MovedChord(const TSideGeometry& Side, long double D, TPointF& A, TPointF& B) {
  GetParallelLineShift(Side.A, Side.B, false, D, A, B);
}

std::string PointText(const TPointF& P) { return Format("(%.0f,%.0f)", P.X, P.Y); }

std::string CircleText(const TSideGeometry& Side, long double R) {
  return Format("Окружность O(%.0f,%.0f), R=%.0f, X1(%.0f,%.0f),X2(%.0f,%.0f)", Side.Center.X, Side.Center.Y, R,
                Side.A.X, Side.A.Y, Side.B.X, Side.B.Y);
}

[[noreturn]] void RaiseNoCrossing(const std::string& First, const std::string& Second) {
  throw ECreationError("Не возможно определить точку пересечения:\r\n" + First + "\r\n" + Second);
}

TPointF Nearer(const TPointF& Target, const TPointF& P1, const TPointF& P2) {
  return GetDistance(Target, P1) <= GetDistance(Target, P2) ? P1 : P2;
}

TPointF StraightCorner(const TSideGeometry& Prior, long double DPrior, const TSideGeometry& Next, long double DNext) {
  TPointF a1, a2, b1, b2, crossing;
  MovedChord(Prior, DPrior, a1, a2);
  MovedChord(Next, DNext, b1, b2);
  if (GetLineLineCrossPoint(a1, a2, b1, b2, true, crossing) != 0)
    throw ECreationError(PointText(a1) + "," + PointText(a2) + " и " + PointText(b1) + "," + PointText(b2) +
                         " - параллельны!");
  return crossing;
}

// A straight side (moved by DStraight) and an arc side (moved by DArc); StraightEnd is the end of the
// straight side that lies at the corner.
TPointF StraightArcCorner(const TSideGeometry& Straight, long double DStraight, bool StraightEndsHere,
                          const TSideGeometry& Arc, long double DArc) {
  TPointF a, b, p1, p2;
  MovedChord(Straight, DStraight, a, b);
  const long double radius = OffsetRadius(Arc, DArc);
  const int count = radius > 0 ? GetArcLineCrossPoint(a, b, Arc.A, Arc.B, Arc.Center, radius, true, p1, p2) : -1;
  if (count < 1)
    RaiseNoCrossing(Format("Прямая X1(%.0f,%.0f),X2(%.0f,%.0f)", a.X, a.Y, b.X, b.Y), CircleText(Arc, radius));
  if (count == 1) return p1;
  return Nearer(StraightEndsHere ? b : a, p1, p2);
}

// Crossings of two circles; false when they do not meet.
bool CircleCrossings(const TPointF& C1, long double R1, const TPointF& C2, long double R2, TPointF& P1, TPointF& P2) {
  const long double d = GetDistance(C1, C2);
  if (d == 0 || d > R1 + R2 || d < std::fabs(R1 - R2)) return false;
  const long double a = (R1 * R1 - R2 * R2 + d * d) / (2 * d);
  const long double h = std::sqrt(std::max<long double>(R1 * R1 - a * a, 0));
  const long double ux = (C2.X - C1.X) / d;
  const long double uy = (C2.Y - C1.Y) / d;
  const long double mx = C1.X + a * ux;
  const long double my = C1.Y + a * uy;
  P1 = PointF(mx - h * uy, my + h * ux);
  P2 = PointF(mx + h * uy, my - h * ux);
  return true;
}

TPointF ArcArcCorner(const TSideGeometry& Prior, long double DPrior, const TSideGeometry& Next, long double DNext) {
  const long double r1 = OffsetRadius(Prior, DPrior);
  const long double r2 = OffsetRadius(Next, DNext);
  TPointF p1, p2;
  if (r1 <= 0 || r2 <= 0 || !CircleCrossings(Prior.Center, r1, Next.Center, r2, p1, p2))
    RaiseNoCrossing(CircleText(Prior, r1), CircleText(Next, r2));
  return Nearer(Prior.B, p1, p2);
}

// The moved side no longer runs the way the side ran: the offsets turned it round (its corners
// passed each other). For an arc the chord of the moved piece is compared, as for a straight side.
bool TurnedRound(const TSideGeometry& Side, const TPointF& NewA, const TPointF& NewB) {
  const long double dot =
      (static_cast<long double>(Side.B.X) - Side.A.X) * (static_cast<long double>(NewB.X) - NewA.X) +
      (static_cast<long double>(Side.B.Y) - Side.A.Y) * (static_cast<long double>(NewB.Y) - NewA.Y);
  return dot < 0;
}

[[noreturn]] void RaiseOutside(const TPointF& Corner, const TSideGeometry& Prior, long double DPrior,
                               const TSideGeometry& Next, long double DNext) {
  TPointF a1, a2, b1, b2;
  MovedChord(Prior, DPrior, a1, a2);
  MovedChord(Next, DNext, b1, b2);
  throw ECreationError(
      Format("Полученная точка (%.0f,%.0f) не пренадлежит одной из прямой (%.0f,%.0f),(%.0f,%.0f) "
             "или (%.0f,%.0f),(%.0f,%.0f)!",
             Corner.X, Corner.Y, a1.X, a1.Y, a2.X, a2.Y, b1.X, b1.Y, b2.X, b2.Y));
}

// An arc side turned round by its offset D (the field is too small for it), in millimetres.
[[noreturn]] void RaiseArcTurned(const TSideGeometry& Arc, long double D) {
  const auto mm = [](long double v) { return static_cast<double>(v) / 10; };
  throw ECreationError(Format(
      "Дуга радиуса %.1f мм от (%.1f; %.1f) до (%.1f; %.1f) мм, смещенная на %.1f мм, выворачивается: раздел слишком "
      "мал!",
      mm(Arc.R), mm(Arc.A.X), mm(Arc.A.Y), mm(Arc.B.X), mm(Arc.B.Y), mm(D)));
}

// The longitudinal combination delta of the side with what is fitted into it, where the catalogue
// has such a combination; 0 otherwise (the lookup reports a missing one as an error, which here
// only means that no delta applies).
long double CombinationDelta(const std::string& Side, const std::string& Fill) {
  if (Side.empty() || Fill.empty()) return 0;
  try {
    return GetCombinProfDeltaSizeByProf_1(Side, Fill);
  } catch (const EInterfaceError&) {
    return 0;
  }
}

// The sides of a contour given by points and the lines between them.
template <class PointAt, class LineAt>
std::vector<TSideGeometry> ContourSides(size_t Count, PointAt pointAt, LineAt lineAt) {
  std::vector<TSideGeometry> sides;
  for (size_t i = 0; i < Count; ++i) {
    const Tgx25Line* line = lineAt(i);
    sides.push_back(LineSide(*line, pointAt(i), pointAt((i + 1) % Count)));
  }
  return sides;
}

}  // namespace

TSideGeometry ReversedSide(const TSideGeometry& Side) { return {Side.B, Side.A, Side.R, Side.Center}; }

TSideGeometry LineSide(const Tgx25Line& Line, const TPoint& From, const TPoint& To) {
  return {ExtendedPoint(From), ExtendedPoint(To), Line.Radius, Line.Center};
}

long double OffsetRadius(const TSideGeometry& Side, long double D) {
  return CentreOnRight(Side) ? Side.R - D : Side.R + D;
}

TPointF OffsetCorner(const TSideGeometry& Prior, long double DPrior, const TSideGeometry& Next, long double DNext) {
  const bool prior_arc = Prior.R != 0;
  const bool next_arc = Next.R != 0;
  if (!prior_arc && !next_arc) return StraightCorner(Prior, DPrior, Next, DNext);
  if (prior_arc && next_arc) return ArcArcCorner(Prior, DPrior, Next, DNext);
  if (prior_arc) return StraightArcCorner(Next, DNext, false, Prior, DPrior);
  return StraightArcCorner(Prior, DPrior, true, Next, DNext);
}

TFillContour OffsetContour(const std::vector<TSideGeometry>& Sides, const std::vector<long double>& Offsets) {
  const size_t count = Sides.size();
  std::vector<TPointF> corners(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t prior = (i + count - 1) % count;
    corners[i] = OffsetCorner(Sides[prior], Offsets[prior], Sides[i], Offsets[i]);
  }
  TFillContour contour;
  for (size_t i = 0; i < count; ++i) {
    const size_t next = (i + 1) % count;
    // A side that its offset turns round or shrinks to one point leaves no room for what fills the
    // part there: the contour cannot be derived.
    if (TurnedRound(Sides[i], corners[i], corners[next]) || RoundedPoint(corners[i]) == RoundedPoint(corners[next])) {
      if (Sides[i].R != 0) RaiseArcTurned(Sides[i], Offsets[i]);
      RaiseOutside(corners[next], Sides[i], Offsets[i], Sides[next], Offsets[next]);
    }
    TContourSide side{RoundedPoint(corners[i]), 0, {}};
    if (Sides[i].R != 0) {
      side.Radius = static_cast<float>(OffsetRadius(Sides[i], Offsets[i]));
      side.Center = Sides[i].Center;
    }
    contour.push_back(side);
  }
  return contour;
}

long double SideOffset(const TSideOffsetRequest& Request, const Tgx25Line* Line) {
  const std::string profile = Line != nullptr ? Line->GetProfile() : "";
  const auto* frame_side = dynamic_cast<const Tgx25FrameLine*>(Line);
  const long double side_extra = frame_side != nullptr ? frame_side->DeltaW : 0;
  const long double extra = Request.Extra;
  const int selector = Request.Selector;
  const auto delta = [&](float (*read)(const std::string&, bool)) -> long double {
    return profile.empty() ? 0 : read(profile, false);
  };
  const auto selected = [&](float (*read)(const std::string&, int, bool)) -> long double {
    return profile.empty() ? 0 : read(profile, selector, false);
  };
  switch (Request.Kind) {
    case gsiFrame: return -(delta(GetFlugelDeltaSize) + extra + side_extra);
    case gsiModificator:
      return (profile.empty() ? 0 : GetModificatorDeltaSize(profile, 0, false)) + extra +
             CombinationDelta(profile, Request.FillProfile);
    case gsiFlugel: return delta(GetFlugelDeltaSize) + extra + side_extra;
    case gsiFlugelFalz: return delta(GetFlugelDeltaSize) + extra + CombinationDelta(profile, Request.FillProfile);
    case gsiGlass: return selected(GetGlassDeltaSize) + extra;
    case gsiBead: return selected(GetBeadDeltaSize) + extra;
    case gsiAdapter: return selected(GetAdapterDeltaSize) + extra;
    case gsiWidth: return (profile.empty() || VirtualProfile(profile)) ? 0 : GetProfWidth(profile) + extra;
    case gsiImpost: return delta(GetImpostDeltaSize) + extra;
    case gsiFalz: return delta(GetFalzDeltaSize) + extra;
    case gsiSpross: return GlassFrameOffset() + extra + side_extra;
    default: return 0;
  }
}

TFillContour TAbstractFrame::CalcFillSize(TGetSizeInfo Kind, long double Extra, const std::string& FillProfile,
                                          int Selector) const {
  const size_t count = std::min(Points.size(), Lines.size());
  const TSideOffsetRequest request{Kind, Extra, FillProfile, Selector};
  std::vector<long double> offsets;
  for (size_t i = 0; i < count; ++i) offsets.push_back(SideOffset(request, Lines[i].get()));
  return OffsetContour(
      ContourSides(
          count, [&](size_t i) { return Points[i]->GetPoint(); }, [&](size_t i) { return Lines[i].get(); }),
      offsets);
}

TFillContour TFalshPart::CalcFillSize(TGetSizeInfo Kind, long double Extra, const std::string& FillProfile,
                                      int Selector) const {
  const size_t count = std::min(Points.size(), Lines.size());
  const TSideOffsetRequest request{Kind, Extra, FillProfile, Selector};
  std::vector<long double> offsets;
  for (size_t i = 0; i < count; ++i) offsets.push_back(SideOffset(request, Lines[i]->GetLine()));
  return OffsetContour(
      ContourSides(
          count, [&](size_t i) { return Points[i]->GetPoint(); }, [&](size_t i) { return Lines[i]->GetLine(); }),
      offsets);
}

}  // namespace kv
