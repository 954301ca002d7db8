// The outer contour of a new frame: the point layout of each figure, the profiles, steel and
// corner joints from the catalogue's construction type, and replacing a contour by a derived one.
#include <algorithm>
#include <cmath>

#include "catalogue/colour_lookups.h"
#include "catalogue/combination_lookups.h"
#include "catalogue/element_lookups.h"
#include "catalogue/profile_lookups.h"
#include "catalogue/window_type_lookups.h"
#include "construction/fill_contour.h"
#include "construction/frames.h"
#include "geometry/angles.h"
#include "geometry/intersections.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// A figure in model units: its corners (clockwise on the screen, from the bottom-left one) and the
// radius of each side that is an arc (0 for a straight side).
struct TFigure {
  std::vector<TPoint> Corners;
  std::vector<long double> Radii;
  long double TopRadius2 = 0;
};

// The parameters of a figure in model units.
struct TFigureSize {
  int32_t W = 0;
  int32_t H = 0;
  int32_t HX = 0;
  int32_t HY = 0;
  long double R = 0;
  long double R2 = 0;
};

[[noreturn]] void RaiseFigure() { throw ECreationError("Параметры фигуры не соответствуют ее размерам!"); }

// Value when it lies strictly between 0 and Limit, Default when it is 0; otherwise the figure
// cannot be built.
int32_t InsideOr(int32_t Value, int32_t Limit, int32_t Default) {
  if (Value == 0) return Default;
  if (Value <= 0 || Value >= Limit) RaiseFigure();
  return Value;
}

// The radius of an arc over a side that crosses a Dx x Dy box from corner to corner, bulging out of
// it and tangent to the box at one end, so that it stays inside the box.
long double BoxArcRadius(long double Dx, long double Dy) { return (Dx * Dx + Dy * Dy) / (2 * std::min(Dx, Dy)); }

TFigure Polygon(std::vector<TPoint> Corners) {
  TFigure figure{std::move(Corners), {}, 0};
  figure.Radii.assign(figure.Corners.size(), 0);
  return figure;
}

TFigure WithArc(TFigure Figure, size_t Side, long double Radius) {
  Figure.Radii[Side] = Radius;
  return Figure;
}

TFigure RectFigure(const TFigureSize& S) {
  TFigure figure = Polygon({{0, S.H}, {0, 0}, {S.W, 0}, {S.W, S.H}});
  if (S.R == 0) return figure;
  if (S.R < S.W / 2.0L) RaiseFigure();
  figure.Radii[1] = S.R;
  figure.TopRadius2 = S.R2 != 0 ? S.R2 : S.R;
  return figure;
}

// An arch of the given rise over the whole width; its radius is the one of that rise unless Radius
// is given (the rise then is the whole number of units nearest to the radius's own rise).
TFigure ArchFigure(const TFigureSize& S, int32_t Rise, long double Radius = 0) {
  if (Rise <= 0 || Rise > S.W / 2 || Rise > S.H) RaiseFigure();
  const long double radius = Radius != 0 ? Radius : HeightToRadius(S.W, Rise);
  if (Rise == S.H) return WithArc(Polygon({{0, S.H}, {S.W, S.H}}), 0, radius);
  return WithArc(Polygon({{0, S.H}, {0, Rise}, {S.W, Rise}, {S.W, S.H}}), 1, radius);
}

// The pointed arch: two arcs springing at the height Rise from the top and meeting at the middle of
// the top; a rise below half the width would bulge above the box, so those sides stay straight.
TFigure PikaFigure(const TFigureSize& S) {
  const int32_t rise = InsideOr(S.HY, S.H, S.H / 2);
  TFigure figure = Polygon({{0, S.H}, {0, rise}, {S.W / 2, 0}, {S.W, rise}, {S.W, S.H}});
  if (2 * static_cast<int64_t>(rise) < S.W) return figure;
  const long double radius = (static_cast<long double>(S.W) * S.W / 4 + static_cast<long double>(rise) * rise) / S.W;
  figure.Radii[1] = figure.Radii[2] = radius;
  return figure;
}

TFigure FigureOf(TFigType Figure, const TFigureSize& S) {
  const int32_t W = S.W;
  const int32_t H = S.H;
  switch (Figure) {
    case figRect:
    case figBalkonLeft:
    case figBalkonRight: return RectFigure(S);
    case figTrapLeft: return Polygon({{0, H}, {0, InsideOr(S.HY, H, H / 2)}, {W, 0}, {W, H}});
    case figTrapRight: return Polygon({{0, H}, {0, 0}, {W, InsideOr(S.HY, H, H / 2)}, {W, H}});
    case figDblTrap: {
      const int32_t hx = InsideOr(S.HX, (W + 1) / 2, W / 3);
      const int32_t hy = InsideOr(S.HY, H, H / 3);
      return Polygon({{0, H}, {0, hy}, {hx, 0}, {W - hx, 0}, {W, hy}, {W, H}});
    }
    case figTri: return Polygon({{0, H}, {InsideOr(S.HX, W, W / 2), 0}, {W, H}});
    case figTriLeft: return Polygon({{0, H}, {0, 0}, {W, H}});
    case figTriRight: return Polygon({{0, H}, {W, 0}, {W, H}});
    case figPentLeft:
      return Polygon({{0, H}, {0, InsideOr(S.HY, H, H / 2)}, {InsideOr(S.HX, W, W / 2), 0}, {W, 0}, {W, H}});
    case figPentRight:
      return Polygon({{0, H}, {0, 0}, {W - InsideOr(S.HX, W, W / 2), 0}, {W, InsideOr(S.HY, H, H / 2)}, {W, H}});
    case figPika: return PikaFigure(S);
    case figSix: {
      const int32_t hx = InsideOr(S.HX, (W + 1) / 2, W / 4);
      return Polygon({{0, H / 2}, {hx, 0}, {W - hx, 0}, {W, H / 2}, {W - hx, H}, {hx, H}});
    }
    case figMiniArc: {
      // The rise HY, or the radius R kept as given (its rise rounded to whole units), or W / 6.
      if (S.HY == 0 && S.R != 0) {
        if (S.R <= W / 2.0L) RaiseFigure();
        const auto rise = static_cast<int32_t>(RadiusToHeight(W, S.R));
        if (rise >= W / 2) RaiseFigure();
        return ArchFigure(S, rise, S.R);
      }
      const int32_t rise = S.HY != 0 ? S.HY : W / 6;
      if (rise >= W / 2) RaiseFigure();
      return ArchFigure(S, rise);
    }
    case figArc: return ArchFigure(S, W / 2);
    case figArcLeft: {
      const int32_t hy = InsideOr(S.HY, H, H / 2);
      return WithArc(Polygon({{0, H}, {0, hy}, {W, 0}, {W, H}}), 1, BoxArcRadius(W, hy));
    }
    case figArcRight: {
      const int32_t hy = InsideOr(S.HY, H, H / 2);
      return WithArc(Polygon({{0, H}, {0, 0}, {W, hy}, {W, H}}), 1, BoxArcRadius(W, hy));
    }
    case figArcTriLeft: return WithArc(Polygon({{0, H}, {W, 0}, {W, H}}), 0, BoxArcRadius(W, H));
    case figArcTriRight: return WithArc(Polygon({{0, H}, {0, 0}, {W, H}}), 1, BoxArcRadius(W, H));
  }
  RaiseFigure();
}

TFillContour FigureContour(const TInitialSize& Size) {
  const TFigureSize size{SetSize10(static_cast<float>(Size.Width)),
                         SetSize10(static_cast<float>(Size.Height)),
                         SetSize10(static_cast<float>(Size.HX)),
                         SetSize10(static_cast<float>(Size.HY)),
                         SetSize10F(Size.Radius),
                         SetSize10F(Size.Radius2)};
  if (size.W <= 0 || size.H <= 0) throw ECreationError("Размеры рамы должны быть больше нуля!");
  const TFigure figure = FigureOf(Size.Figure, size);
  const TPoint origin = SetPoint10(Size.LeftTop);
  const size_t count = figure.Corners.size();
  TFillContour contour;
  for (size_t i = 0; i < count; ++i) {
    const TPoint start = SumPoint(figure.Corners[i], origin);
    const TPoint end = SumPoint(figure.Corners[(i + 1) % count], origin);
    TContourSide side{start, static_cast<float>(figure.Radii[i]), {}};
    if (side.Radius != 0) {
      side.Center = GetRoundCenter(start, end, side.Radius);
      // Only the top side of the rectangle takes a second radius.
      if (figure.TopRadius2 != 0 && i == 1) side.Radius2 = static_cast<float>(figure.TopRadius2);
    }
    contour.push_back(side);
  }
  return contour;
}

// The side of a contour by the direction it runs: 0 left (upwards), 1 top (to the right), 2 right
// (downwards), 3 bottom (to the left); the order of the catalogue's per-side columns.
size_t SideSlot(const Tgx25Line& Line) {
  const long double angle = Line.PolarAngle();
  if (angle > 45 && angle <= 135) return 0;
  if (angle > 135 && angle <= 225) return 3;
  if (angle > 225 && angle <= 315) return 2;
  return 1;
}

// The entry of a per-side column for a side, or the first filled one when that side's is empty.
const std::string& SideEntry(const std::array<std::string, 4>& Entries, size_t Slot) {
  if (!Entries[Slot].empty()) return Entries[Slot];
  const auto filled = std::find_if(Entries.begin(), Entries.end(), [](const std::string& e) { return !e.empty(); });
  return filled != Entries.end() ? *filled : Entries[Slot];
}

void SetSideProfile(Tgx25FrameLine& Side, const std::string& Profile, const std::string& Steel,
                    const std::string& Color) {
  // The side carries the article the profile is priced under, where the catalogue names one.
  const std::string original = GetProfOriginalArticle(Profile);
  Side.SetProfile(original.empty() ? Profile : original, Color);
  Side.Profile.ColorAttr1 = GetFrontColor(Color, true);
  Side.Profile.ColorAttr2 = GetBackColor(Color, true);
  Side.Threshold = GetProfListGroup(Profile) == pgThreshold;
  if (!Side.SetSteel(Steel)) Side.SetSteel("");
}

// The joint type asked for when the catalogue has it for the two profiles at this angle, otherwise
// the first it has; the connector of that joint.
void SetCornerJoint(Tgx25Point& Corner, const std::string& Prior, const std::string& Next, int AngleType,
                    long double Angle) {
  const double angle = static_cast<double>(Angle);
  int type = AngleType;
  if (!AngleTypeAvailable(Prior, Next, cgCorner, type, angle))
    type = GetFirstAvailableAngleType(Prior, Next, cgCorner, angle);
  Corner.AngleType = static_cast<TAngleType>(type);
  Corner.SubSetID = type == atUnknown ? NO_SUBSET : GetFrameVerbinderID(Prior, Next, type, angle);
}

}  // namespace

// --- replacing a contour ---------------------------------------------------------------------

std::unique_ptr<Tgx25Point> TAbstractFrame::CreateContourPoint(const TPoint& P) {
  return Tgx25Point::CreateInit(this, P);
}

std::unique_ptr<Tgx25Line> TAbstractFrame::CreateContourLine() { return std::make_unique<Tgx25Line>(this); }

std::unique_ptr<Tgx25Point> TCustomFrame::CreateContourPoint(const TPoint& P) {
  return std::make_unique<Tgx25FramePoint>(this, P);
}

std::unique_ptr<Tgx25Line> TCustomFrame::CreateContourLine() {
  return std::make_unique<Tgx25FrameLine>(this, nullptr, nullptr);
}

void TAbstractFrame::SetContour(const TFillContour& Derived) {
  // Every element's contour starts at its bottom-left corner, like a new frame's.
  TFillContour Contour = Derived;
  const auto bottom_left = std::min_element(Contour.begin(), Contour.end(), [](const auto& a, const auto& b) {
    return StartsContourBefore(a.Start, b.Start);
  });
  std::rotate(Contour.begin(), bottom_left, Contour.end());
  if (Points.size() == Contour.size() && Lines.size() == Contour.size()) {
    MoveContour(Contour);
    return;
  }
  ClearParts();
  ClearImposts();
  ClearLines();
  ClearPoints();
  for (const TContourSide& side : Contour) AddPoint(CreateContourPoint(side.Start));
  for (const TContourSide& side : Contour) {
    Tgx25Line* line = AddLine(CreateContourLine());
    line->Radius = side.Radius;
    line->Radius2 = side.LineRadius2();
    line->Center = side.Center;
  }
  UpdateLinePointPtr();
}

// --- profiles of the sides -------------------------------------------------------------------

void TCustomFrame::InitializeFrameProfiles(int32_t ConsID, const std::string& Color) {
  const TConsElementInfo element = GetConsElementInfo(ConsID);
  ID = ConsID;
  std::vector<size_t> slots;
  for (size_t i = 0; i < Lines.size(); ++i) {
    const size_t slot = SideSlot(*Lines[i]);
    slots.push_back(slot);
    if (auto* side = GetFrameLine(static_cast<int>(i)))
      SetSideProfile(*side, SideEntry(element.Prof, slot), SideEntry(element.Steel, slot), Color);
  }
  for (size_t i = 0; i < Points.size() && i < Lines.size(); ++i) {
    const int index = static_cast<int>(i);
    SetCornerJoint(*Points[i], PriorLine(index)->GetProfile(), Lines[i]->GetProfile(), element.AngleType[slots[i]],
                   Angle(index));
  }
}

// --- the outer frame -------------------------------------------------------------------------

void TFrame::BuildInitial(const TInitialSize& Size) {
  const TWinTypeInfo type = GetWinTypeInfo(TypeWin);
  ProfSys = type.ProfSys;
  FurnSys = type.FurnSys;
  Article = type.Article;
  ArticleName = type.ArticleName;
  ObjType = ObjTypeOfWinType(type.WinType);
  MatType = GetSysMatType(ProfSys);
  if (ProfColor.empty()) ProfColor = GetSysBaseColor(ProfSys);
  if (FurnColor.empty()) FurnColor = ProfColor;
  const TFillContour contour = FigureContour(Size);
  ClearParts();
  ClearImposts();
  ClearLines();
  ClearPoints();
  SetContour(contour);
  LeftTop = SetPoint10(Size.LeftTop);
  InitializeFrameProfiles(type.FrameID, ProfColor);
  SetWeldAllowance(type.WeldAllowance);
  AddBasePart();
  UpdateXPoints();
}

}  // namespace kv
