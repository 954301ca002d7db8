#include "construction/glass.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "catalogue/bead_lookups.h"
#include "catalogue/colour_lookups.h"
#include "catalogue/material_lookups.h"
#include "catalogue/profile_lookups.h"
#include "construction/fill_contour.h"
#include "construction/frames.h"
#include "construction/owned_lists.h"
#include "construction/setup_values.h"
#include "geometry/angles.h"
#include "geometry/point_ops.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv {

namespace {

// The middle of an arc side: on the perpendicular bisector of the chord, R from the centre, on the
// side away from the centre (the left of the side when the centre lies on the chord).
TPointF ArcMidPoint(const TPointF& A, const TPointF& B, const TPointF& Center, long double R) {
  const TPointF mid = GetLineCenter(A, B);
  long double nx = static_cast<long double>(B.Y) - A.Y;  // left normal of A -> B on the y-down screen
  long double ny = static_cast<long double>(A.X) - B.X;
  const long double toward_centre = (Center.X - mid.X) * nx + (Center.Y - mid.Y) * ny;
  if (toward_centre > 0) {
    nx = -nx;
    ny = -ny;
  }
  const long double length = std::hypot(nx, ny);
  if (length == 0) return mid;
  return PointF(Center.X + R * nx / length, Center.Y + R * ny / length);
}

// Twice the signed area of the contour with each arc replaced by two chords through its middle:
// positive for a contour that runs clockwise on the screen.
long double SignedArea2(const Tgx25SimpleFrame& Frame) {
  std::vector<TPointF> outline;
  for (size_t i = 0; i < Frame.Points.size(); ++i) {
    const TPointF a = ExtendedPoint(Frame.Points[i]->GetPoint());
    outline.push_back(a);
    const Tgx25SimpleLine* line = i < Frame.Lines.size() ? Frame.Lines[i].get() : nullptr;
    if (line != nullptr && line->Radius != 0) {
      const TPointF b = ExtendedPoint(Frame.Points[(i + 1) % Frame.Points.size()]->GetPoint());
      outline.push_back(ArcMidPoint(a, b, line->Center, line->Radius));
    }
  }
  long double area = 0;
  for (size_t i = 0; i < outline.size(); ++i) {
    const TPointF& p = outline[i];
    const TPointF& q = outline[(i + 1) % outline.size()];
    area += static_cast<long double>(p.X) * q.Y - static_cast<long double>(q.X) * p.Y;
  }
  return area;
}

template <class List>
void RotateLeft(List& Items, size_t Count) {
  if (!Items.empty()) std::rotate(Items.begin(), Items.begin() + static_cast<long>(Count % Items.size()), Items.end());
}

// Model units from catalogue millimetres.
int32_t CatalogueSize(const std::string& Glass, const char* Field) {
  return SetSize10(static_cast<float>(GetCatalogFieldByID(Glass, Field).AsInteger()));
}

bool StandardBar(const TCustomImpost& Bar) { return Bar.StdImpost(); }

int CountBars(const TAbstractFrame* Frame, bool (*Pass)(const TCustomImpost&)) {
  if (Frame == nullptr) return 0;
  return static_cast<int>(std::count_if(Frame->Imposts.begin(), Frame->Imposts.end(),
                                        [&](const auto& bar) { return Pass == nullptr || Pass(*bar); }));
}

}  // namespace

// --- Tgx25SimpleFrame ------------------------------------------------------------------------

void Tgx25SimpleFrame::Clear() {
  ClearLines();
  ClearPoints();
}

void Tgx25SimpleFrame::ClearPoints() {
  for (auto& line : Lines) line->PX1 = line->PX2 = nullptr;
  Points.clear();
}

void Tgx25SimpleFrame::ClearLines() { Lines.clear(); }

Tgx25SimplePoint* Tgx25SimpleFrame::NextPoint(int Index) const { return CyclicItem(Points, Index + 1); }

Tgx25SimplePoint* Tgx25SimpleFrame::PriorPoint(int Index) const { return CyclicItem(Points, Index - 1); }

Tgx25SimpleLine* Tgx25SimpleFrame::PriorLine(int Index) const { return CyclicItem(Lines, Index - 1); }

void Tgx25SimpleFrame::UpdateLinePointPtr() {
  const size_t count = std::min(Points.size(), Lines.size());
  for (size_t i = 0; i < count; ++i) {
    Lines[i]->PX1 = Points[i].get();
    Lines[i]->PX2 = Points[(i + 1) % Points.size()].get();
  }
}

void Tgx25SimpleFrame::SortPoints() {
  if (Points.size() < MIN_CONTOUR_POINT) return;
  if (SignedArea2(*this) <= 0) throw ECreationError("Нарушен порядок в контуре GlassFrame!");
  size_t first = 0;
  for (size_t i = 1; i < Points.size(); ++i) {
    const Tgx25SimplePoint& p = *Points[i];
    const Tgx25SimplePoint& best = *Points[first];
    if (p.X < best.X || (p.X == best.X && p.Y > best.Y)) first = i;
  }
  RotateLeft(Points, first);
  RotateLeft(Lines, first);
  UpdateLinePointPtr();
}

void Tgx25SimpleFrame::ChangePointDirection() {
  // Corner i becomes corner n - 1 - i; the side from it is the old side ending at the old corner.
  std::reverse(Points.begin(), Points.end());
  if (!Lines.empty()) {
    std::reverse(Lines.begin(), Lines.end());
    RotateLeft(Lines, 1);
  }
  UpdateLinePointPtr();
}

long double Tgx25SimpleFrame::Angle(int Index) const {
  const Tgx25SimpleLine* prior = PriorLine(Index);
  const Tgx25SimpleLine* next = CyclicItem(Lines, Index);
  if (prior == nullptr || next == nullptr || Points.size() < MIN_CONTOUR_POINT) return -1;
  return GetAngle(ExtendedPoint(PriorPoint(Index)->GetPoint()), ExtendedPoint(CyclicItem(Points, Index)->GetPoint()),
                  ExtendedPoint(NextPoint(Index)->GetPoint()), prior->Radius, next->Radius, prior->Center,
                  next->Center);
}

float Tgx25SimpleFrame::Radius(int Index) const {
  const Tgx25SimpleLine* line = CyclicItem(Lines, Index);
  return line != nullptr ? line->Radius : 0;
}

bool Tgx25SimpleFrame::EqualContour(const Tgx25SimpleFrame& Other) const {
  if (Points.size() != Other.Points.size() || Lines.size() != Other.Lines.size()) return false;
  for (size_t i = 0; i < Points.size(); ++i)
    if (!Points[i]->EqualTo(*Other.Points[i])) return false;
  for (size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i]->Radius != Other.Lines[i]->Radius || Lines[i]->Radius2 != Other.Lines[i]->Radius2) return false;
  return true;
}

void Tgx25SimpleFrame::SetContour(const TFillContour& Contour) {
  Clear();
  for (const TContourSide& side : Contour) Points.push_back(std::make_unique<Tgx25ProfilePoint>(this, side.Start));
  for (const TContourSide& side : Contour) {
    auto line = std::make_unique<Tgx25ProfileLine>(this);
    line->Radius = side.Radius;
    line->Radius2 = side.LineRadius2();
    line->Center = side.Center;
    Lines.push_back(std::move(line));
  }
  UpdateLinePointPtr();
}

TContourDimensions Tgx25SimpleFrame::GetDimensions() const {
  if (Points.empty()) return {};
  return GetContourDimensions(Points, Lines);
}

TSize Tgx25SimpleFrame::GetInternalSize() const {
  const TContourDimensions d = GetDimensions();
  return {d.Right.X - d.Left.X, d.Bottom.Y - d.Top.Y};
}

// --- Tgx25BeadFrame --------------------------------------------------------------------------

void Tgx25BeadFrame::UpdateAngleType() {
  for (auto& point : Points)
    if (auto* corner = dynamic_cast<Tgx25Point*>(point.get())) corner->AngleType = atX45;
}

TPoint Tgx25BeadFrame::CalcXPoint(int Index, long double DPrior, long double DNext) const {
  const TPoint corner = CyclicItem(Points, Index)->GetPoint();
  const Tgx25SimpleLine* prior = PriorLine(Index);
  const Tgx25SimpleLine* next = CyclicItem(Lines, Index);
  const TSideGeometry before{ExtendedPoint(PriorPoint(Index)->GetPoint()), ExtendedPoint(corner), prior->Radius,
                             prior->Center};
  const TSideGeometry after{ExtendedPoint(corner), ExtendedPoint(NextPoint(Index)->GetPoint()), next->Radius,
                            next->Center};
  return RoundedPoint(OffsetCorner(before, DPrior, after, DNext));
}

void Tgx25BeadFrame::UpdateXPoints() {
  const long double width = Profile.empty() ? 0 : GetProfWidth(Profile);
  for (size_t i = 0; i < Points.size() && i < Lines.size(); ++i) {
    auto* corner = dynamic_cast<Tgx25ProfilePoint*>(Points[i].get());
    if (corner == nullptr) continue;
    // The bar lies outside the visible edge: its back edge is the contour moved outwards.
    corner->PointW = corner->PointW2 = CalcXPoint(static_cast<int>(i), -width, -width);
    corner->PointI = corner->PointI2 = corner->PointF = corner->GetPoint();
  }
  for (auto& line : Lines) {
    if (auto* bar = dynamic_cast<Tgx25ProfileLine*>(line.get())) {
      bar->Profile = Profile;
      bar->CalcProfSize();
    }
  }
}

void Tgx25BeadFrame::RebuildPartsIndex() {
  BarNumbers.clear();
  for (size_t i = 0; i < Lines.size(); ++i) BarNumbers.push_back(Format("%d", static_cast<int>(i) + 1));
}

// --- Tgx25Glass: creation and bar frames ------------------------------------------------------

Tgx25Glass::Tgx25Glass(Tgx30CustomPart* ParentPart, int32_t Contour) : Contour(Contour), ParentPart(ParentPart) {}

Tgx25Glass::~Tgx25Glass() = default;

TModelObject* Tgx25Glass::OwnerObject() const { return ParentPart; }

TFalshFrame* Tgx25Glass::CreateFalshFrame() {
  FalshFrame = std::make_unique<TFalshFrame>(this);
  return FalshFrame.get();
}

Tgx25SprossFrame* Tgx25Glass::CreateSprossFrame() {
  SprossFrame = std::make_unique<Tgx25SprossFrame>(this);
  return SprossFrame.get();
}

void Tgx25Glass::ClearFalshFrame() { FalshFrame.reset(); }

void Tgx25Glass::ClearSprossFrame() { SprossFrame.reset(); }

void Tgx25Glass::RecalcFalsh() {
  if (!FalshFrame) return;
  FalshFrame->UpdateContourSize();
  FalshFrame->UpdateXPoints();
}

void Tgx25Glass::RecalcSpross() {
  if (!SprossFrame) return;
  SprossFrame->UpdateContourSize();
  SprossFrame->UpdateXPoints();
}

// --- Tgx25Glass: article, bead, colours --------------------------------------------------------

std::string Tgx25Glass::GetFrameProfile() const {
  const TAbstractFrame* element = ParentPart != nullptr ? ParentPart->Parent : nullptr;
  if (element == nullptr) return "";
  for (const auto& line : element->Lines)
    if (!line->GetProfile().empty()) return line->GetProfile();
  return "";
}

std::string Tgx25Glass::GetFrameColor() const {
  const TAbstractFrame* element = ParentPart != nullptr ? ParentPart->Parent : nullptr;
  if (element == nullptr) return "";
  for (const auto& line : element->Lines)
    if (const auto* side = dynamic_cast<const Tgx25FrameLine*>(line.get())) return side->Profile.Color;
  return "";
}

void Tgx25Glass::SetValue(const std::string& GlassArticle, int BeadGroup) {
  Thickness = static_cast<int32_t>(GetCatalogFieldByID(GlassArticle, "Thickness").AsInteger());
  Glass = GlassArticle;
  UpdateGlass(BeadGroup);
}

void Tgx25Glass::ChooseBead(int BeadGroup) {
  const std::string frame_profile = GetFrameProfile();
  const std::string current = CombineID != 0 ? Bead.ID : "";
  const int group = BeadGroup == kDefaultBeadGroup ? DefaultBeadGroup() : BeadGroup;
  CombineID = GetAvailableBeadByCreteria(frame_profile, Thickness, group, current);
  if (CombineID == 0)
    throw EInterfaceError(
        Format("Невозможно подобрать комбинацию штапика для стеклопакета [%d] и ограничивающего "
               "профиля [%s]!",
               Thickness, frame_profile));
  const TBeadInfo info = GetBeadInfo(CombineID);
  Bead = {info.Bead, ""};
  Adapter = {info.Adapter, ""};
  ProfRubber = {info.ProfRubber, ""};
  BeadRubber = {info.BeadRubber, ""};
  ApplyNewColor(GetFrameColor());
}

void Tgx25Glass::ApplyNewColor(const std::string& Color) {
  if (!Bead.Empty() && !ArticleColorExists(Bead.ID, Color)) {
    const std::string missing = Format("В каталоге отсутствует профиль [%s] с цветом [%s]!", Bead.ID, Color);
    const std::string substitute = GetProfColorAlternative(Bead.ID);
    if (substitute.empty()) throw EInterfaceError(missing);
    if (!ArticleColorExists(substitute, Color))
      throw EInterfaceError(missing + "\r\n" + Format("Замена [%s] также отсутствует с этим цветом.", substitute));
    if (BeadAvailable(GetFrameProfile(), Thickness, substitute) == 0)
      throw EInterfaceError(missing + "\r\n" +
                            Format("Замена [%s] не допустима согласно БД комбинаций штапиков.", substitute));
    Bead.ID = substitute;
  }
  Bead.Color = Color;
  Adapter.Color = Adapter.Empty() ? "" : Color;
  if (!Adapter.Empty()) SetColorIfPossible(Adapter.ID, Adapter.Color);
  for (TColorProf* rubber : {&ProfRubber, &BeadRubber})
    if (!rubber->Empty()) GetProfAccessoryColor(rubber->ID, Color, rubber->Color);
}

// --- Tgx25Glass: contours and the size check -------------------------------------------------

void Tgx25Glass::SetAdapterSize() {
  AdapterSizes.Profile = Adapter.ID;
  if (Adapter.Empty() || ParentPart == nullptr) {
    AdapterSizes.Clear();
    return;
  }
  AdapterSizes.SetContour(ParentPart->CalcFillSize(gsiAdapter, GetAdapterCorrectSize(Adapter.ID), "", Contour));
  AdapterSizes.SortPoints();
  AdapterSizes.UpdateAngleType();
  AdapterSizes.UpdateXPoints();
}

void Tgx25Glass::SetGlassSize() {
  if (ParentPart == nullptr) return;
  const long double extra = Adapter.Empty() ? 0 : GetGlassDeltaSize(Adapter.ID, Contour);
  GlassSizes.SetContour(ParentPart->CalcFillSize(gsiGlass, extra, "", Contour));
  GlassSizes.SortPoints();
}

void Tgx25Glass::SetBeadSize() {
  if (ParentPart == nullptr) return;
  const long double extra = Adapter.Empty() ? 0 : GetBeadDeltaSize(Adapter.ID, Contour);
  BeadSizes.SetContour(ParentPart->CalcFillSize(gsiBead, extra, "", Contour));
  BeadSizes.SortPoints();
  BeadSizes.Profile = Bead.ID;
  BeadSizes.UpdateAngleType();
  BeadSizes.UpdateXPoints();
  BeadSizes.RebuildPartsIndex();
}

void Tgx25Glass::CheckGlassSize(const std::string& GlassArticle) const {
  const TSize size = GetInternalSize();
  const long double w = size.Width;
  const long double h = size.Height;
  const int32_t max_w = CatalogueSize(GlassArticle, "MaxWidth");
  const int32_t max_h = CatalogueSize(GlassArticle, "MaxHeight");
  const bool limited = max_w != 0 || max_h != 0;
  if (limited && ((w > max_w && h > max_h) || (w > max_h && h > max_w)))
    throw EInterfaceError(
        Format("Размеры стекла [%s] = [%.1f x %.1f] превышают\r\nмаксимальные размеры согласно "
               "каталога\r\n[%d x %d]",
               GlassArticle, GetSize10(static_cast<float>(w)), GetSize10(static_cast<float>(h)),
               GetSize10i(static_cast<float>(max_w)), GetSize10i(static_cast<float>(max_h))));
  const int32_t min_w = CatalogueSize(GlassArticle, "MinWidth");
  const int32_t min_h = CatalogueSize(GlassArticle, "MinHeight");
  if ((w > min_w && h > min_h) || (w > min_h && h > min_w)) return;
  throw EInterfaceError(
      Format("Размеры стекла [%.1f x %.1f] меньше минимально\r\nдопустимых согласно документации "
             "[%d x %d]!",
             GetSize10(static_cast<float>(w)), GetSize10(static_cast<float>(h)), GetSize10i(static_cast<float>(min_w)),
             GetSize10i(static_cast<float>(min_h))));
}

void Tgx25Glass::SetGlassLining(int64_t CombID) {
  Linings.clear();
  if (CombID == 0) return;
  for (const TGlassLining& lining : GetGlassLining(CombID))
    Linings.push_back(Tgx25GlassLining::CreateInit(lining.Article, lining.Number));
}

void Tgx25Glass::UpdateSize() {
  if (!Adapter.Empty()) SetAdapterSize();
  SetBeadSize();
  SetGlassSize();
  CheckGlassSize(Glass);
  RecalcFalsh();
  RecalcSpross();
}

void Tgx25Glass::UpdateGlass(int BeadGroup) {
  ChooseBead(BeadGroup);
  SetAdapterSize();
  SetGlassSize();
  SetBeadSize();
  CheckGlassSize(Glass);
  RecalcFalsh();
  RecalcSpross();
  SetGlassLining(CombineID);
}

void Tgx25Glass::FullRecalc(int BeadGroup) {
  UpdateGlass(BeadGroup);
  if (FalshFrame) FalshFrame->FullRecalc();
  if (SprossFrame) SprossFrame->FullRecalc();
}

// --- Tgx25Glass: measures --------------------------------------------------------------------

TSizeF Tgx25Glass::GetRealSize() const {
  const TSize size = GetInternalSize();
  return {GetSize10(static_cast<float>(size.Width)), GetSize10(static_cast<float>(size.Height))};
}

TSize Tgx25Glass::GetSizeInt() const {
  const TSizeF size = GetRealSize();
  return {GetRounded(size.Width), GetRounded(size.Height)};
}

TPoint Tgx25Glass::GetLeftTop() const {
  const TRect bounds = GetBoundRect();
  return {bounds.Left, bounds.Top};
}

TRect Tgx25Glass::GetBoundRect() const { return GlassSizes.Points.empty() ? TRect{} : BoundRectOf(GetDimensions()); }

long double Tgx25Glass::Square() const {
  const TSizeF size = GetRealSize();
  return GetRoundedFloat(static_cast<long double>(size.Width) * size.Height / 1000000, 4);
}

long double Tgx25Glass::Perimeter() const {
  long double millimetres = 0;
  for (const auto& line : GlassSizes.Lines) millimetres += line->GetRealSize();
  return millimetres / 1000;
}

int Tgx25Glass::GetStdAngleCount() const {
  int count = 0;
  for (size_t i = 0; i < GlassSizes.Points.size(); ++i)
    if (GetRoundedFloat(GlassSizes.Angle(static_cast<int>(i)), 4) == 90) ++count;
  return count;
}

int Tgx25Glass::GetNotStdAngleCount() const { return static_cast<int>(GlassSizes.Points.size()) - GetStdAngleCount(); }

bool Tgx25Glass::StdGlass() const { return GlassSizes.Points.size() == 4 && GetStdAngleCount() == 4; }

int Tgx25Glass::GetArcCount() const {
  return static_cast<int>(std::count_if(GlassSizes.Lines.begin(), GlassSizes.Lines.end(),
                                        [](const auto& line) { return line->Radius != 0; }));
}

int Tgx25Glass::GetFalshPartCount() const { return FalshFrame ? static_cast<int>(FalshFrame->Parts.size()) : 0; }
int Tgx25Glass::GetFalshCount() const { return CountBars(FalshFrame.get(), nullptr); }
int Tgx25Glass::GetStdFalshCount() const { return CountBars(FalshFrame.get(), StandardBar); }
int Tgx25Glass::GetNotStdFalshCount() const { return GetFalshCount() - GetStdFalshCount(); }
int Tgx25Glass::GetSprossPartCount() const { return SprossFrame ? static_cast<int>(SprossFrame->Parts.size()) : 0; }
int Tgx25Glass::GetSprossCount() const { return CountBars(SprossFrame.get(), nullptr); }
int Tgx25Glass::GetStdSprossCount() const { return CountBars(SprossFrame.get(), StandardBar); }
int Tgx25Glass::GetNotStdSprossCount() const { return GetSprossCount() - GetStdSprossCount(); }

int Tgx25Glass::GetSimpleGlassCount() const {
  if (Glass.empty()) return 0;
  if (MaterialIsSimpleGlass(Glass)) return 1;
  const auto layers = std::count(Glass.begin(), Glass.end(), '-') + 1;
  return static_cast<int>((layers + 1) / 2);
}

std::string Tgx25Glass::GetRadiusInfo() const {
  std::string info;
  const auto add = [&](const std::string& line) { info += (info.empty() ? "" : "\r\n") + line; };
  for (size_t i = 0; i < GlassSizes.Lines.size(); ++i) {
    const Tgx25SimpleLine& line = *GlassSizes.Lines[i];
    const int number = static_cast<int>(i) + 1;
    if (line.Radius != 0) add(Format("R[%d] = %.1f", number, line.GetRealRadius()));
    if (line.EllipseRadius()) add(Format("R2[%d] = %.1f", number, line.GetRealRadius2()));
  }
  return info;
}

std::string Tgx25Glass::GetSprossInfo() const {
  if (!SprossFrame) return "";
  std::map<std::string, int> bars;
  for (const auto& bar : SprossFrame->Imposts) ++bars[bar->Profile.ID];
  std::string info;
  for (const auto& [profile, count] : bars) info += (info.empty() ? "" : "\r\n") + Format("%d x %s", count, profile);
  return info;
}

bool Tgx25Glass::EqualSizeContour(const Tgx25Glass& Other) const { return GlassSizes.EqualContour(Other.GlassSizes); }

bool Tgx25Glass::EqualSprossContour(const Tgx25Glass& Other) const {
  const Tgx25SprossFrame* mine = SprossFrame.get();
  const Tgx25SprossFrame* theirs = Other.SprossFrame.get();
  if (mine == nullptr || theirs == nullptr) return mine == theirs;
  if (mine->Imposts.size() != theirs->Imposts.size()) return false;
  const TPoint shift = DecPoint(GetLeftTop(), Other.GetLeftTop());
  for (size_t i = 0; i < mine->Imposts.size(); ++i) {
    const TCustomImpost& a = *mine->Imposts[i];
    const TCustomImpost& b = *theirs->Imposts[i];
    if (!a.PX1 || !a.PX2 || !b.PX1 || !b.PX2 || a.Profile != b.Profile) return false;
    if (a.PX1->GetPoint() != SumPoint(b.PX1->GetPoint(), shift) ||
        a.PX2->GetPoint() != SumPoint(b.PX2->GetPoint(), shift))
      return false;
  }
  return true;
}

}  // namespace kv
