#include "design/size_grid.h"

#include <algorithm>

#include "construction/glass.h"
#include "design/draw_pass.h"
#include "geometry/point_ops.h"

namespace kv {

namespace {

std::pair<int32_t, int32_t> Range(const Tgx25SizePointList& Chain) {
  return {Chain.First().Value(), Chain.Last().Value()};
}

bool Overlap(const Tgx25SizePointList& A, const Tgx25SizePointList& B) {
  const auto [a0, a1] = Range(A);
  const auto [b0, b1] = Range(B);
  return a1 > b0 && b1 > a0;
}

// The axis coordinate of a straight bar that runs across the other axis; nothing for a slanted bar.
std::optional<int32_t> BarCoordinate(const TCustomImpost& Bar, TSizeAxis Axis) {
  const TPoint a = Bar.PX1->GetPoint();
  const TPoint b = Bar.PX2->GetPoint();
  if (Axis == TSizeAxis::X && a.X == b.X) return a.X;
  if (Axis == TSizeAxis::Y && a.Y == b.Y) return a.Y;
  return std::nullopt;
}

}  // namespace

void Tgx25SizeGrid::Start(const TRect& Bounds, int RowStep) {
  FBounds = Bounds;
  FRowStep = RowStep;
  for (auto* levels : {&FLevelsX, &FLevelsY})
    for (TLevels& kind : *levels) kind.clear();
  FHorizontal.clear();
  FVertical.clear();
}

void Tgx25SizeGrid::AddChain(TSizeAxis Axis, TChainKind Kind, std::vector<int32_t> Values) {
  std::sort(Values.begin(), Values.end());
  Values.erase(std::unique(Values.begin(), Values.end()), Values.end());
  if (Values.size() < 2) return;
  Tgx25SizePointList chain;
  for (int32_t v : Values)
    chain.Add(Axis == TSizeAxis::X ? Tgx25SizePoint::CreateX(v, {v, FBounds.Bottom})
                                   : Tgx25SizePoint::CreateY(v, {FBounds.Right, v}));
  auto& all = Axis == TSizeAxis::X ? FLevelsX : FLevelsY;
  for (const TLevels& kind : all)
    for (const auto& level : kind)
      for (const Tgx25SizePointList& known : level)
        if (known.Equal(chain)) return;
  TLevels& levels = all[Kind];
  for (auto& level : levels)
    if (std::none_of(level.begin(), level.end(), [&](const auto& known) { return Overlap(known, chain); })) {
      level.push_back(chain);
      return;
    }
  levels.push_back({chain});
}

void Tgx25SizeGrid::AddExtent(TChainKind Kind, const TRect& Box) {
  AddChain(TSizeAxis::X, Kind, {Box.Left, Box.Right});
  AddChain(TSizeAxis::Y, Kind, {Box.Top, Box.Bottom});
}

void Tgx25SizeGrid::AddDivisions(TChainKind Kind, const TAbstractFrame& Element) {
  const TRect box = BoundRectOf(Element.GetDimensions());
  for (TSizeAxis axis : {TSizeAxis::X, TSizeAxis::Y}) {
    std::vector<int32_t> values =
        axis == TSizeAxis::X ? std::vector{box.Left, box.Right} : std::vector{box.Top, box.Bottom};
    for (const auto& bar : Element.Imposts)
      if (const auto at = BarCoordinate(*bar, axis)) values.push_back(*at);
    AddChain(axis, Kind, values);
  }
}

void Tgx25SizeGrid::AddSashChains(const TAbstractFrame& Place, const Tgx25DrawStyles& Styles) {
  for (const TFlugel& sash : Flugels(Place)) {
    if (Styles.Contains(drsDetailSizing)) AddDivisions(ckDetail, sash);
    if (Styles.Contains(drsFlugelFalzSizing) && !sash.FalzContour.empty())
      AddExtent(ckFalz, BoundRectOf(sash.GetFalzContourDimensions()));
  }
}

// Cut points and anchors of the sides: along the frame's width for the sides that run more
// horizontally, along its height for the others.
void Tgx25SizeGrid::AddLinePointChains(const TCustomFrame& Frame, const Tgx25DrawStyles& Styles) {
  const TRect box = BoundRectOf(Frame.GetDimensions());
  auto add = [&](TChainKind kind, auto points_of) {
    std::vector<int32_t> across{box.Left, box.Right};
    std::vector<int32_t> down{box.Top, box.Bottom};
    for (const auto& line : Frame.Lines)
      for (const auto& p : points_of(*line))
        (line->MoreHorizontal() ? across : down).push_back(line->MoreHorizontal() ? p->X : p->Y);
    AddChain(TSizeAxis::X, kind, across);
    AddChain(TSizeAxis::Y, kind, down);
  };
  if (Styles.Contains(drsCutSizing))
    add(
        ckCut, [](const Tgx25Line& l) -> const auto& { return l.CutPoints; });
  if (Styles.Contains(drsAnkerSizing))
    add(
        ckAnker, [](const Tgx25Line& l) -> const auto& { return l.AnkerPoints; });
}

void Tgx25SizeGrid::Finish() {
  for (auto [levels, sizings, axis] :
       {std::tuple(&FLevelsX, &FHorizontal, TSizeAxis::X), std::tuple(&FLevelsY, &FVertical, TSizeAxis::Y)})
    for (const TLevels& kind : *levels)
      for (const auto& level : kind) {
        Tgx25Sizing row(axis);
        for (const Tgx25SizePointList& chain : level) row.Add(std::make_unique<Tgx25SizePointList>(chain));
        sizings->push_back(std::move(row));
      }
}

void Tgx25SizeGrid::Prepare(const Tgx25Construction& Construction, const Tgx25DrawStyles& Styles, int RowStep) {
  Start(Construction.GetBoundRect(), RowStep);
  if (Styles.Contains(drsTotalSizing)) AddExtent(ckTotal, FBounds);
  for (const TFrame& frame : Frames(Construction)) {
    if (Styles.Contains(drsTopLevelSizing)) AddDivisions(ckTopLevel, frame);
    AddSashChains(frame, Styles);
    AddLinePointChains(frame, Styles);
  }
  Finish();
}

void Tgx25SizeGrid::Prepare(const TCustomFrame& Element, const Tgx25DrawStyles& Styles, int RowStep) {
  Start(BoundRectOf(Element.GetDimensions()), RowStep);
  if (Styles.Contains(drsTotalSizing)) AddExtent(ckTotal, FBounds);
  if (Styles.Contains(drsTopLevelSizing)) AddDivisions(ckTopLevel, Element);
  AddSashChains(Element, Styles);
  AddLinePointChains(Element, Styles);
  Finish();
}

void Tgx25SizeGrid::Prepare(const Tgx25Glass& Glass, const Tgx25DrawStyles& Styles, int RowStep) {
  Start(Glass.GetBoundRect(), RowStep);
  if (Styles.Contains(drsTotalSizing)) AddExtent(ckTotal, FBounds);
  Finish();
}

void Tgx25SizeGrid::Draw(TCanvas& Canvas, long double Scale) const {
  Canvas.SaveCanvasAttribute();
  Canvas.Brush().Style = TBrushStyle::Clear;
  Canvas.Attributes.TextOpaque = false;
  Canvas.Attributes.TextAlign = taCenter | taBottom;
  for (size_t i = 0; i < FHorizontal.size(); ++i) DrawRow(Canvas, Scale, FHorizontal[i], static_cast<int>(i));
  for (size_t i = 0; i < FVertical.size(); ++i) DrawRow(Canvas, Scale, FVertical[i], static_cast<int>(i));
  Canvas.RestoreCanvasAttribute();
}

// The dimension line on the row's level, an extension line from every size point to it with a
// slanted tick, and the text of each span above (horizontal) or left of (vertical) its middle.
void Tgx25SizeGrid::DrawRow(TCanvas& Canvas, long double Scale, const Tgx25Sizing& Row, int Level) const {
  const bool across = Row.Axis() == TSizeAxis::X;
  const int level =
      (Level + 1) * FRowStep + (across ? GetScaled(FBounds.Bottom, Scale) : GetScaled(FBounds.Right, Scale));
  const int tick = std::max(1, FRowStep / 5) / 2;
  auto at = [across, level](int along, int offset) {
    return across ? TPoint{along, level + offset} : TPoint{level + offset, along};
  };
  Canvas.Font().Angle = across ? 0 : 90;
  for (size_t c = 0; c < Row.Count(); ++c) {
    const Tgx25SizePointList& chain = Row.GetItem(c);
    Canvas.Line(at(GetScaled(chain.First().Value(), Scale), 0), at(GetScaled(chain.Last().Value(), Scale), 0));
    for (size_t i = 0; i < chain.Count(); ++i) {
      const Tgx25SizePoint& p = chain.GetItem(i);
      const int along = GetScaled(p.Value(), Scale);
      const int from = across ? GetScaled(p.GetPoint().Y, Scale) : GetScaled(p.GetPoint().X, Scale);
      Canvas.Line(at(along, from - level + 2), at(along, tick));
      Canvas.Line(at(along - tick, tick), at(along + tick, -tick));
      if (i == 0) continue;
      const int previous = GetScaled(chain.GetItem(i - 1).Value(), Scale);
      const std::string text =
          Row.Text().empty() ? DimensionText(p.Value() - chain.GetItem(i - 1).Value()) : Row.Text();
      Canvas.TextOut(at((previous + along) / 2, -1), text);
    }
  }
}

}  // namespace kv
