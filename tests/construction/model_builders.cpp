#include "model_builders.h"

namespace kv::test {

namespace {

TPoint Offset(const TPoint& P, int32_t DX, int32_t DY) { return {P.X + DX, P.Y + DY}; }

void SetMitre(Tgx25FramePoint& P, int32_t DX, int32_t DY) {
  const TPoint corner = P.GetPoint();
  P.Point1 = P.Point2 = corner;
  P.PointW = P.PointW1 = P.PointW2 = Offset(corner, DX, DY);
  P.PointI = P.PointI1 = P.PointI2 = Offset(corner, DX / 2, DY / 2);
  P.PointF = P.PointF1 = P.PointF2 = Offset(corner, DX / 2, DY / 2);
  P.AngleType = atX45;
}

}  // namespace

void BuildRectContour(TAbstractFrame& Element, const TPoint& LeftTop, int32_t W, int32_t H, int32_t Width) {
  const bool frame_like = dynamic_cast<TCustomFrame*>(&Element) != nullptr;
  const TPoint corners[4] = {Offset(LeftTop, 0, H), LeftTop, Offset(LeftTop, W, 0), Offset(LeftTop, W, H)};
  const int32_t inward[4][2] = {{Width, -Width}, {Width, Width}, {-Width, Width}, {-Width, -Width}};
  for (int i = 0; i < 4; ++i) {
    if (frame_like) {
      auto point = std::make_unique<Tgx25FramePoint>(&Element, corners[i]);
      SetMitre(*point, inward[i][0], inward[i][1]);
      Element.AddPoint(std::move(point));
    } else {
      Element.AddPoint(Tgx25Point::CreateInit(&Element, corners[i]));
    }
  }
  for (int i = 0; i < 4; ++i) {
    if (frame_like)
      Element.AddLine(std::make_unique<Tgx25FrameLine>(&Element, nullptr, nullptr));
    else
      Element.AddLine(std::make_unique<Tgx25Line>(&Element));
  }
  Element.UpdateLinePointPtr();
}

TImpost* AddVerticalImpost(TCustomFrame& Frame, int32_t X, int32_t Width) {
  Tgx25Line* top = Frame.Lines[1].get();
  Tgx25Line* bottom = Frame.Lines[3].get();
  Tgx25Point* upper = top->AddPoint({X, top->PX1->Y});
  Tgx25Point* lower = bottom->AddPoint({X, bottom->PX1->Y});
  auto* impost = static_cast<TImpost*>(Frame.AddImpost(std::make_unique<TImpost>(&Frame, upper, lower)));
  const int32_t half = Width / 2;
  impost->XWPoint_1A = {X + half, upper->Y};
  impost->XWPoint_1B = {X - half, upper->Y};
  impost->XWPoint_2A = {X + half, lower->Y};
  impost->XWPoint_2B = {X - half, lower->Y};
  impost->XIPoint_1A = impost->XWPoint_1A;
  impost->XIPoint_1B = impost->XWPoint_1B;
  impost->XIPoint_2A = impost->XWPoint_2A;
  impost->XIPoint_2B = impost->XWPoint_2B;

  Frame.ClearParts();
  auto left = std::make_unique<Tgx30CustomPart>(&Frame);
  left->AddPoint(Frame.Points[0].get());
  left->AddPoint(Frame.Points[1].get());
  left->AddPoint(upper);
  left->AddPoint(lower);
  left->AddLine(Frame.Lines[0].get());
  left->AddLine(top);
  left->AddLine(impost);
  left->AddLine(bottom);
  auto right = std::make_unique<Tgx30CustomPart>(&Frame);
  right->AddPoint(lower);
  right->AddPoint(upper);
  right->AddPoint(Frame.Points[2].get());
  right->AddPoint(Frame.Points[3].get());
  right->AddLine(impost, true);
  right->AddLine(top);
  right->AddLine(Frame.Lines[2].get());
  right->AddLine(bottom);
  Frame.Parts.push_back(std::move(left));
  Frame.Parts.push_back(std::move(right));
  return impost;
}

TFlugel* AddFlugel(Tgx30CustomPart& Part, int32_t Inset, int32_t Width) {
  const TSize size = Part.GetInternalSize();
  TFlugel* sash = Part.SetNewFlugel();
  BuildRectContour(*sash, Offset(Part.GetLeftTop(), Inset, Inset), size.Width - 2 * Inset, size.Height - 2 * Inset,
                   Width);
  auto* glazed = static_cast<Tgx30CustomPart*>(sash->AddBasePart());
  glazed->SetNewGlass(0);
  return sash;
}

Tgx30CustomPart* CustomPart(TAbstractFrame& Element, int Index) {
  return dynamic_cast<Tgx30CustomPart*>(Element.Parts.at(static_cast<size_t>(Index)).get());
}

Tgx30CustomPart& Field(TAbstractFrame& Element, size_t Index) {
  return dynamic_cast<Tgx30CustomPart&>(*Element.Parts.at(Index));
}

}  // namespace kv::test
