// Inserting a dividing bar into a part: where the bar's line crosses the part, the bar's end points
// (new, or an existing point of the side after a question), and the division of the part into two.
#include "construction/impost_insert.h"

#include <algorithm>
#include <cmath>

#include "catalogue/combination_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/frames.h"
#include "construction/glass.h"
#include "construction/property_text.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

bool Parallel(const TPointF& A, const TPointF& B, const TPointF& C, const TPointF& D) {
  const long double cross = (static_cast<long double>(B.X) - A.X) * (static_cast<long double>(D.Y) - C.Y) -
                            (static_cast<long double>(B.Y) - A.Y) * (static_cast<long double>(D.X) - C.X);
  return cross == 0;
}

// A crossing of a bar's line with a side of a part: where (computed, and in whole units on the
// side), on which side, and how squarely the bar meets the side there (|sin| of the angle between
// the bar and the side's direction, 1 for a right angle).
struct TSideCrossing {
  TPointF Point;
  TPoint Stored;
  int Side = -1;
  bool Arc = false;
  long double Squareness = 0;
};

// |sin| of the angle between the directions (dx1, dy1) and (dx2, dy2); 0 when one of them is none.
long double Squareness(long double dx1, long double dy1, long double dx2, long double dy2) {
  const long double lengths = std::hypot(dx1, dy1) * std::hypot(dx2, dy2);
  return lengths == 0 ? 0 : std::fabs(dx1 * dy2 - dy1 * dx2) / lengths;
}

// Crossings computed in floating point lie on the side within this (model units).
constexpr long double kCrossingTolerance = 0.01L;

// The crossings of the infinite line A-B with side Index of the part.
std::vector<TSideCrossing> SideCrossings(const TFalshPart& Part, int Index, const TPointF& A, const TPointF& B) {
  const Tgx25PartLine& side = *Part.Lines[static_cast<size_t>(Index)];
  const Tgx25Line* line = side.GetLine();
  const TPointF p = ExtendedPoint(Part.Points[static_cast<size_t>(Index)]->GetPoint());
  const TPointF q = ExtendedPoint(Part.NextPoint(Index)->GetPoint());
  const long double bar_dx = static_cast<long double>(B.X) - A.X, bar_dy = static_cast<long double>(B.Y) - A.Y;
  std::vector<TSideCrossing> found;
  if (line == nullptr || line->Radius == 0) {
    TPointF crossing;
    if (!Parallel(A, B, p, q) && GetLineLineCrossPoint(A, B, p, q, true, crossing) == 0 &&
        PointApplyToLine(p, q, crossing)) {
      const long double square =
          Squareness(bar_dx, bar_dy, static_cast<long double>(q.X) - p.X, static_cast<long double>(q.Y) - p.Y);
      found.push_back({crossing, RoundedPoint(crossing), Index, false, square});
    }
    return found;
  }
  // The arc lies left of the line's own direction; the part may run along it the other way. Only
  // the part's own piece of the arc counts.
  const TPointF first = side.Inverted ? q : p;
  const TPointF second = side.Inverted ? p : q;
  TPointF p1, p2;
  const int count = GetArcLineCrossPoint(A, B, first, second, line->Center, line->Radius, true, p1, p2);
  for (int i = 0; i < count; ++i) {
    const TPointF& crossing = i == 0 ? p1 : p2;
    if (!PointApplyToArcPiece(first, second, line->Center, crossing, line->Radius, kCrossingTolerance)) continue;
    // The arc's direction at the crossing is square to its radius there.
    const long double rx = static_cast<long double>(crossing.X) - line->Center.X;
    const long double ry = static_cast<long double>(crossing.Y) - line->Center.Y;
    found.push_back({crossing, RoundedPointToArc(crossing, line->Center, line->Radius), Index, true,
                     Squareness(bar_dx, bar_dy, -ry, rx)});
  }
  return found;
}

// Of two sides crossed at the same point (a corner of the part), the one the bar stands on: the
// side it meets more squarely; between sides met equally squarely a straight side before an arc,
// otherwise the side found first.
bool StandsOnRatherThan(const TSideCrossing& Candidate, const TSideCrossing& Current) {
  constexpr long double kEqual = 1e-9L;
  if (Candidate.Squareness > Current.Squareness + kEqual) return true;
  if (Candidate.Squareness < Current.Squareness - kEqual) return false;
  return !Candidate.Arc && Current.Arc;
}

bool AskAttach(const TPoint& P) {
  const TPointF mm = {GetSize10(static_cast<float>(P.X)), GetSize10(static_cast<float>(P.Y))};
  return ShowConfirm(
      Format("Точка (%.1f,%.1f) уже определена другим импостом.\r\nПривязаться к этой точке?", mm.X, mm.Y));
}

// The existing point of the side at P that the new bar takes as its end, nullptr for a new one.
Tgx25Point* PointToReuse(const Tgx25Line& Line, const TPoint& P, TImpostPointMode Mode) {
  Tgx25Point* existing = Line.FindPoint(P);
  if (existing == nullptr || Mode == ipmNewPoint) return nullptr;
  if (Mode == ipmAskPoint && !AskAttach(P)) return nullptr;
  return existing;
}

bool SideIsVirtual(const Tgx25Line& Line) {
  const std::string profile = Line.GetProfile();
  return Line.Virtual || (!profile.empty() && VirtualProfile(profile));
}

// The part's corners with the bar's end inserted into the side it lies on (unless it is a corner
// already); the index of the end in the result.
int InsertEnd(std::vector<TPartVertex>& Vertices, Tgx25SimplePoint* End) {
  for (size_t i = 0; i < Vertices.size(); ++i)
    if (Vertices[i].Point == End) return static_cast<int>(i);
  for (size_t i = 0; i < Vertices.size(); ++i) {
    const TPartVertex& v = Vertices[i];
    const TPartVertex& next = Vertices[(i + 1) % Vertices.size()];
    if (v.Line != End->Owner) continue;
    const TPointF a = ExtendedPoint(v.Point->GetPoint());
    const TPointF b = ExtendedPoint(next.Point->GetPoint());
    const TPointF e = ExtendedPoint(End->GetPoint());
    // An arc lies left of its line's direction, also the piece of it between two corners.
    const bool inside = v.Line->Radius == 0 ? PointApplyToLine(a, b, e)
                                            : PointApplyToArc(v.Inverted ? b : a, v.Inverted ? a : b, v.Line->Center, e,
                                                              v.Line->Radius);
    if (!inside) continue;
    Vertices.insert(Vertices.begin() + static_cast<long>(i) + 1, TPartVertex{End, v.Line, v.Inverted});
    return static_cast<int>(i) + 1;
  }
  throw ECreationError("Не найдены точки пересечения импоста с контуром!");
}

// The corners from index From round to index To, then the bar back to From.
std::vector<TPartVertex> HalfContour(const std::vector<TPartVertex>& Vertices, int From, int To,
                                     TCustomImpost& Impost) {
  std::vector<TPartVertex> half;
  const int count = static_cast<int>(Vertices.size());
  for (int i = From; i != To; i = (i + 1) % count) half.push_back(Vertices[static_cast<size_t>(i)]);
  Tgx25SimplePoint* to = Vertices[static_cast<size_t>(To)].Point;
  half.push_back(TPartVertex{to, &Impost, Impost.PX1 != to});
  // A side of no length (an end placed on a corner's position) is dropped with its corner.
  for (size_t i = 0; half.size() > 2 && i < half.size();) {
    const size_t next = (i + 1) % half.size();
    if (next != 0 && half[i].Point->EqualTo(*half[next].Point)) {
      half[i].Line = half[next].Line;
      half[i].Inverted = half[next].Inverted;
      half.erase(half.begin() + static_cast<long>(next));
    } else {
      ++i;
    }
  }
  return half;
}

// Glass of the divided part, to be put into both new parts.
struct TGlassCopy {
  bool Present = false;
  int32_t Contour = 0;
  std::string Glass;
  int32_t Thickness = 0;
  int64_t CombineID = 0;
  TColorProf Bead;
};

TGlassCopy GlassOf(const TFalshPart& Part) {
  const auto* custom = dynamic_cast<const Tgx30CustomPart*>(&Part);
  if (custom == nullptr || custom->FillType != ftGlass || !custom->Glass) return {};
  const Tgx25Glass& glass = *custom->Glass;
  return {true, custom->GlassContour, glass.Glass, glass.Thickness, glass.CombineID, glass.Bead};
}

void PutGlass(TFalshPart& Part, const TGlassCopy& Copy) {
  auto* custom = dynamic_cast<Tgx30CustomPart*>(&Part);
  if (custom == nullptr || !Copy.Present) return;
  Tgx25Glass* glass = custom->SetNewGlass(Copy.Contour);
  glass->Glass = Copy.Glass;
  glass->Thickness = Copy.Thickness;
  glass->CombineID = Copy.CombineID;
  glass->Bead = Copy.Bead;
}

}  // namespace

// --- crossings -------------------------------------------------------------------------------

bool TFalshPart::FindImpostCrossPoints(const TPoint& A, const TPoint& B, TImpostCross& Cross) const {
  const TPointF a = ExtendedPoint(A);
  const TPointF b = ExtendedPoint(B);
  if (EqualPoint(a, b)) return false;
  // One entry per crossing point; a point where two sides meet keeps the side the bar stands on.
  std::vector<TSideCrossing> found;
  const int count = static_cast<int>(std::min(Points.size(), Lines.size()));
  for (int i = 0; i < count; ++i)
    for (const TSideCrossing& crossing : SideCrossings(*this, i, a, b)) {
      const auto known =
          std::find_if(found.begin(), found.end(), [&](const auto& f) { return EqualPoint(f.Point, crossing.Point); });
      if (known == found.end())
        found.push_back(crossing);
      else if (StandsOnRatherThan(crossing, *known))
        *known = crossing;
    }
  if (found.size() != 2) return false;
  Cross = {found[0].Stored, found[0].Side, found[1].Stored, found[1].Side};
  return true;
}

// --- bar classes -----------------------------------------------------------------------------

std::unique_ptr<TCustomImpost> TAbstractFrame::CreateImpost(TkvLineType, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2) {
  return std::make_unique<TImpost>(this, PX1, PX2);
}

std::unique_ptr<TCustomImpost> TCustomFrame::CreateImpost(TkvLineType Kind, Tgx25SimplePoint* PX1,
                                                          Tgx25SimplePoint* PX2) {
  if (Kind == ltStulp) return std::make_unique<Tgx25Stulp>(this, PX1, PX2);
  return std::make_unique<TImpost>(this, PX1, PX2);
}

std::unique_ptr<TCustomImpost> TFalshFrame::CreateImpost(TkvLineType, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2) {
  return std::make_unique<TFalsh>(this, PX1, PX2);
}

std::unique_ptr<TCustomImpost> Tgx25SprossFrame::CreateImpost(TkvLineType, Tgx25SimplePoint* PX1,
                                                              Tgx25SimplePoint* PX2) {
  return std::make_unique<Tgx25Spross>(this, PX1, PX2);
}

// --- inserting -------------------------------------------------------------------------------

TCustomImpost* TAbstractFrame::SetNewImpost(const TNewImpost& Params) {
  TFalshPart* part = Params.Part;
  TImpostCross cross;
  if (part == nullptr || IndexOfPart(part) < 0 || !part->FindImpostCrossPoints(Params.P1, Params.P2, cross))
    throw ECreationError("Не найдены точки пересечения импоста с контуром!");
  Tgx25Line* line1 = part->Lines[static_cast<size_t>(cross.Side1)]->GetLine();
  Tgx25Line* line2 = part->Lines[static_cast<size_t>(cross.Side2)]->GetLine();
  if (Params.NoVirtual && (SideIsVirtual(*line1) || SideIsVirtual(*line2))) return nullptr;

  // The questions come before anything changes.
  Tgx25Point* reuse1 = PointToReuse(*line1, cross.Point1, Params.PointMode);
  Tgx25Point* reuse2 = PointToReuse(*line2, cross.Point2, Params.PointMode);
  Tgx25Point* end1 = reuse1 != nullptr ? reuse1 : line1->AddPoint(cross.Point1);
  Tgx25Point* end2 = reuse2 != nullptr ? reuse2 : line2->AddPoint(cross.Point2);
  TCustomImpost* bar = AddImpost(CreateImpost(Params.Kind, end1, end2));
  bar->SetProfile(Params.Profile, Params.Color);
  bar->SortXPoints();
  for (Tgx25Point* end : {end1, end2}) {
    end->AngleType = Params.AngleType;
    if (Params.SubSetID != NO_SUBSET) end->SubSetID = Params.SubSetID;
    end->PropList = TextToStringList(Params.PropertyText);
  }
  if (auto* reinforced = dynamic_cast<TInforcedImpost*>(bar)) reinforced->SetDefaultSteel();
  bar->CalcXPoints();
  bar->CalcProfSize();
  const int index = IndexOfPart(part);
  SplitPart(*part, *bar);
  for (int i = index; i < index + 2 && i < static_cast<int>(Parts.size()); ++i)
    FullRecalcPartObject(*Parts[static_cast<size_t>(i)]);
  return bar;
}

Tgx25Stulp* TCustomFrame::SetNewStulp_(const TNewImpost& Params, const std::string& SlaveProfile) {
  TNewImpost params = Params;
  params.Kind = ltStulp;
  auto* stulp = dynamic_cast<Tgx25Stulp*>(SetNewImpost(params));
  if (stulp == nullptr) return nullptr;
  for (Tgx25SimplePoint* end : {stulp->PX1, stulp->PX2})
    if (auto* joint = dynamic_cast<Tgx25Point*>(end)) joint->StulpPoint = true;
  if (!SlaveProfile.empty()) {
    stulp->SlaveStulp = std::make_unique<TInforcedProfile>(stulp);
    stulp->SlaveStulp->ID = SlaveProfile;
    stulp->SlaveStulp->Color = stulp->Profile.Color;
    stulp->SetDefaultSteel();
    stulp->CalcProfSize();
  }
  // SplitPart put the upper or left field first.
  const std::vector<TFalshPart*> sides = SeekDependentPart(stulp);
  stulp->Primary = 1;
  stulp->PrimaryPartPtr = sides.size() == 2 ? dynamic_cast<Tgx30CustomPart*>(sides[0]) : nullptr;
  stulp->SlavePartPtr = sides.size() == 2 ? dynamic_cast<Tgx30CustomPart*>(sides[1]) : nullptr;
  for (Tgx30CustomPart* field : {stulp->PrimaryPartPtr, stulp->SlavePartPtr})
    if (field != nullptr) {
      field->StulpPart = true;
      field->StulpPtr = stulp;
    }
  return stulp;
}

void TAbstractFrame::SplitPart(TFalshPart& Part, TCustomImpost& Impost) {
  const int index = IndexOfPart(&Part);
  if (index < 0 || Impost.PX1 == nullptr || Impost.PX2 == nullptr) throw ECreationError("Не найден импост в разделе!");
  std::vector<TPartVertex> vertices;
  for (size_t i = 0; i < Part.Points.size() && i < Part.Lines.size(); ++i)
    vertices.push_back({Part.Points[i]->Point, Part.Lines[i]->GetLine(), Part.Lines[i]->Inverted});
  InsertEnd(vertices, Impost.PX1);
  InsertEnd(vertices, Impost.PX2);
  const auto position = [&](const Tgx25SimplePoint* p) {
    return static_cast<int>(
        std::find_if(vertices.begin(), vertices.end(), [&](const auto& v) { return v.Point == p; }) - vertices.begin());
  };
  const int first = position(Impost.PX1);
  const int second = position(Impost.PX2);
  std::vector<std::unique_ptr<TFalshPart>> halves;
  for (const auto& half :
       {HalfContour(vertices, first, second, Impost), HalfContour(vertices, second, first, Impost)}) {
    std::unique_ptr<TFalshPart> part = CreatePart();
    for (const TPartVertex& v : half) {
      part->AddPoint(v.Point);
      part->AddLine(v.Line, v.Inverted);
    }
    halves.push_back(std::move(part));
  }
  // The upper field of a (more) horizontal bar, the left field of a (more) vertical one comes first:
  // the one whose bounding box has its middle higher or further left (an arch makes the box of the
  // field above a transom narrower than the one below, so the left-top corners do not tell).
  const TRect box0 = halves[0]->GetBoundRect();
  const TRect box1 = halves[1]->GetBoundRect();
  const bool across_y = Impost.MoreHorizontal();
  const int64_t middle0 = across_y ? int64_t{box0.Top} + box0.Bottom : int64_t{box0.Left} + box0.Right;
  const int64_t middle1 = across_y ? int64_t{box1.Top} + box1.Bottom : int64_t{box1.Left} + box1.Right;
  if (middle1 < middle0) std::swap(halves[0], halves[1]);
  const TGlassCopy glass = GlassOf(Part);
  for (auto& half : halves) PutGlass(*half, glass);
  Parts.erase(Parts.begin() + index);
  Parts.insert(Parts.begin() + index, std::make_move_iterator(halves.begin()), std::make_move_iterator(halves.end()));
}

void SetImpostVerbinders(TCustomImpost& Bar) {
  const std::pair<Tgx25SimplePoint*, float> ends[] = {{Bar.PX1, Bar.ProfSize.Angle1}, {Bar.PX2, Bar.ProfSize.Angle2}};
  for (const auto& [end, angle] : ends) {
    auto* joint = dynamic_cast<Tgx25Point*>(end);
    const auto* line = end != nullptr ? dynamic_cast<const Tgx25Line*>(end->Owner) : nullptr;
    if (joint == nullptr || line == nullptr || line->GetProfile().empty() || Bar.Profile.ID.empty()) continue;
    joint->SubSetID = GetImpostVerbinderID(line->GetProfile(), Bar.Profile.ID, joint->AngleType, angle, 0);
  }
  Bar.CalcProfSize();
}

}  // namespace kv
