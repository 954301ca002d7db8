// The sash size limits: the limit graph of the sash's profile, meeting stile and tilt, and what
// the user is told and offered when the sash lies outside it.
#include <algorithm>
#include <cmath>

#include "catalogue/catalogue.h"
#include "catalogue/element_lookups.h"
#include "catalogue/profile_lookups.h"
#include "catalogue/static_limits.h"
#include "construction/furn_comp.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"
#include "statics/static_check.h"
#include "statics/steel_choice.h"

namespace kv {

namespace {

constexpr const char* kCaption = "Расчет статики";
constexpr const char* kSashFails = "Створка не проходит по статическим расчетам!";
constexpr const char* kSashDetail =
    "Створка № %s: %s\r\nЦвет: %s\r\nРазмер: %d x %d\r\nВысота здания: %d\r\nШтульп: %s\r\n\r\nЕсли Вы уверены, что "
    "размеры створки соответствуют допустимым нормам,проверьте настройку ограничения створок в документации "
    "профилей.";
constexpr const char* kTakeMaxIx =
    "Створка не проходит по статическим расчетам!\r\n\r\nПоставить арматуру с "
    "максимальным Ix\r\n(%s, Ix = %.2f)?";
constexpr const char* kBadGraph = "Неверный график ограничения створки [%s]!";

// The points "x:y" of a graph text separated by ";".
std::vector<TPointF> ParseGraph(const std::string& Graph) {
  std::vector<TPointF> points;
  size_t start = 0;
  while (start <= Graph.size()) {
    const size_t end = std::min(Graph.find(';', start), Graph.size());
    const std::string point = Graph.substr(start, end - start);
    const size_t colon = point.find(':');
    long double x = 0, y = 0;
    if (colon == std::string::npos || !TryStrToFloat(point.substr(0, colon), x) ||
        !TryStrToFloat(point.substr(colon + 1), y))
      RaiseCatalogueError(Format(kBadGraph, Graph));
    points.push_back({static_cast<float>(x), static_cast<float>(y)});
    start = end + 1;
  }
  return points;
}

int32_t SinglePointResult(const TPointF& Limit, int32_t Width, int32_t Height, bool Strict) {
  const bool width = static_cast<float>(Width) <= Limit.X;
  const bool height = static_cast<float>(Height) <= Limit.Y;
  if (width && height) return 0;
  if (Strict || (!width && !height)) return -1;
  return width ? 1 : 2;
}

bool OnSegment(const TPointF& A, const TPointF& B, const TPointF& P) {
  const double cross = (static_cast<double>(B.X) - A.X) * (P.Y - A.Y) - (static_cast<double>(B.Y) - A.Y) * (P.X - A.X);
  return std::fabs(cross) < 1e-6 && P.X >= std::min(A.X, B.X) && P.X <= std::max(A.X, B.X) &&
         P.Y >= std::min(A.Y, B.Y) && P.Y <= std::max(A.Y, B.Y);
}

// The meeting stile beside the sash's field; nullptr without one.
Tgx25Stulp* StulpOf(const TFlugel& Flugel) {
  const auto* field = dynamic_cast<const Tgx30CustomPart*>(Flugel.Parent);
  return field == nullptr ? nullptr : field->StulpPtr;
}

std::vector<Tgx25FrameLine*> SidesOf(TFlugel& Flugel) {
  std::vector<Tgx25FrameLine*> sides;
  for (size_t i = 0; i < Flugel.Lines.size(); ++i)
    if (Tgx25FrameLine* side = Flugel.GetFrameLine(static_cast<int>(i))) sides.push_back(side);
  return sides;
}

// The steel of the first reinforced side; empty when the sash carries none.
std::string SteelOf(TFlugel& Flugel) {
  for (const Tgx25FrameLine* side : SidesOf(Flugel))
    if (!side->Steel.ID.empty()) return side->Steel.ID;
  return "";
}

// Steel on the reinforced sides, on every side with ByPerimeter or when none is reinforced.
void PutSteel(TFlugel& Flugel, const std::string& Steel, bool ByPerimeter) {
  const bool every_side = ByPerimeter || SteelOf(Flugel).empty();
  for (Tgx25FrameLine* side : SidesOf(Flugel))
    if ((every_side || !side->Steel.ID.empty()) && side->SetSteel(Steel)) side->CalcSteelSize();
}

// The sash tilts when its fittings complect does; a sash without a chosen complect by its own mark.
bool TiltsOf(const TFlugel& Flugel) {
  if (Flugel.FurnComp == nullptr || Flugel.FurnComp->ID.empty()) return Flugel.Kipp;
  return GetFurnKipp(Flugel.FurnComp->ID) != 0;
}

void ReportFailure(const TFlugel& Flugel, const TFlugelGraphKey& Key, const TFlugelResult& Result,
                   const TStaticLimit& Limit) {
  const std::string detail = Format(kSashDetail, Flugel.Name, Key.Profile, Flugel.GetFrameLine(0)->Profile.Color,
                                    Result.Width, Result.Height, static_cast<int>(Limit.LGH), Key.Stulp);
  UserMessages().Show({TMessageKind::mkWarning, kCaption, std::string(kSashFails) + "\r\n\r\n" + detail, {}});
}

// The strongest reinforcement the sash profile takes, when it is stronger than the present one:
// taken by the program itself with FlugelSetMaxIxIfStatic, otherwise offered to the user.
void OfferStrongestSteel(TFlugel& Flugel, const TStaticLimit& Limit) {
  const std::optional<TSteelIx> strongest = StrongestSteel(Flugel.GetFrameLine(0)->Profile.ID);
  if (!strongest) return;
  const std::string present = SteelOf(Flugel);
  if (!present.empty() && GetIx(present) >= strongest->Ix) return;
  if (Limit.ProfOptCheck.FlugelSetMaxIxIfStatic) {
    SetMaxIxSteel(Flugel, Limit);
    return;
  }
  if (Ask2(kCaption, Format(kTakeMaxIx, strongest->Steel, strongest->Ix), "Принять", "Отменить") == 1)
    PutSteel(Flugel, strongest->Steel, Limit.ProfOptCheck.SteelByPerimeter);
}

}  // namespace

bool PointUnderContour(const std::vector<TPointF>& Contour, const TPointF& P) {
  bool inside = false;
  for (size_t i = 0, j = Contour.size() - 1; i < Contour.size(); j = i++) {
    const TPointF& a = Contour[i];
    const TPointF& b = Contour[j];
    if (OnSegment(a, b, P)) return true;
    if ((a.Y > P.Y) != (b.Y > P.Y) && P.X < (b.X - a.X) * (P.Y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

int32_t TestLimitGraph(const std::string& Graph, int32_t Width, int32_t Height, bool Strict) {
  const std::vector<TPointF> points = ParseGraph(Graph);
  if (points.size() == 1) return SinglePointResult(points.front(), Width, Height, Strict);
  const std::string area = Format("%d:%d;%d:%d;%s;%d:%d", 0, 0, 0, static_cast<int>(points.front().Y), Graph,
                                  static_cast<int>(points.back().X), 0);
  return PointUnderContour(ParseGraph(area), {static_cast<float>(Width), static_cast<float>(Height)}) ? 0 : -1;
}

void SetFlugelSteel(TFlugel& Flugel, const TStaticLimit& Limit) {
  const TProfOptCheck& check = Limit.ProfOptCheck;
  const std::string present = SteelOf(Flugel);
  for (Tgx25FrameLine* side : SidesOf(Flugel)) {
    if (!side->Steel.ID.empty()) continue;
    std::string steel = check.FlugelNoSteelAvailable ? std::string() : GetDefaultSteel(side->Profile.ID);
    if (steel.empty() && check.SteelByPerimeter) steel = present;
    if (!steel.empty() && side->SetSteel(steel)) side->CalcSteelSize();
  }
}

bool SetMaxIxSteel(TFlugel& Flugel, const TStaticLimit& Limit) {
  if (Flugel.GetFrameLine(0) == nullptr) return false;
  const std::optional<TSteelIx> strongest = StrongestSteel(Flugel.GetFrameLine(0)->Profile.ID);
  if (!strongest) return false;
  PutSteel(Flugel, strongest->Steel, Limit.ProfOptCheck.SteelByPerimeter);
  AlertMaxIx(FlugelSteelSwitches(Limit.ProfOptCheck), Format("Створка № %s", Flugel.Name), *strongest);
  return true;
}

void CheckFlugelStatic(TFlugel& Flugel, const TStaticLimit& Limit, int32_t LoadGroup, TStaticReport& Report) {
  if (Flugel.GetFrameLine(0) == nullptr) return;
  if (!Limit.ProfOptCheck.FlugelMaxSize) {
    if (Limit.ProfOptCheck.FlugelSetMaxIxIfNoStatic) SetMaxIxSteel(Flugel, Limit);
    return;
  }
  TFlugelResult result;
  result.Flugel = &Flugel;
  result.Stulp = StulpOf(Flugel);
  TFlugelGraphKey& key = result.Key;
  key.Profile = Flugel.GetFrameLine(0)->Profile.ID;
  if (result.Stulp != nullptr) {
    key.Stulp = result.Stulp->Profile.ID;
    key.StulpSteel = result.Stulp->Steel.ID;
  }
  key.Kipp = TiltsOf(Flugel);
  const TFrame* frame = Flugel.GetParentFrame();
  key.BaseColor = frame == nullptr || frame->ProfColor == Limit.BaseColor;
  key.LoadGroup = LoadGroup;

  const TRect box = BoundRectOf(Flugel.GetDimensions());
  result.Width = GetSize10i(static_cast<float>(box.Right - box.Left));
  result.Height = GetSize10i(static_cast<float>(box.Bottom - box.Top));
  try {
    result.Result = TestLimitGraph(GetFlugelLimitGraph(key), result.Width, result.Height, false);
  } catch (const EInterfaceError& error) {
    ShowError(error.what());
    return;
  }
  Report.Flugels.push_back(result);
  if (result.Result == 0) return;
  ReportFailure(Flugel, key, result, Limit);
  OfferStrongestSteel(Flugel, Limit);
}

}  // namespace kv
