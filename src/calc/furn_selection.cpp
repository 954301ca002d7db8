#include "calc/furn_selection.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "calc/furn_article.h"
#include "calc/furn_availability.h"
#include "calc/furn_conditions.h"
#include "construction/walks.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr int kWindowHandle = 10;
constexpr int kLastHandleType = 15;

// An article put into the set, with what selected it (for its extras and strike plates).
struct TFoundArticle {
  std::string CatalogID;
  int Number = 0;
  std::string Info;
  const TFurnSetRow* Row = nullptr;
};

// The building of one sash's set.
struct TFurnBuild {
  const TFurnComplect& Complect;
  const TFurnSash& Sash;
  TFurnComp& Comp;
  TFurnComponents Preferred;
  TFurnSystemPair Systems;
  std::vector<TFoundArticle> Found;
  // The handle height (mm): the user's, else the one an article defined; the side it is on (0: the
  // complect's handle sides).
  int HandleHeight = 0;
  int HandleSide = 0;
};

// What one item (a row or a part of a composite item) asks for.
struct TItemRequest {
  const TFurnSetRow* Row = nullptr;
  std::string Item;
  int Number = 0;
  double Length = 0;
  int ColorCondition = 0;
  bool Required = false;
  std::string AlertIfNoArt;
  std::string Path;  // "Комплект:%s -> Элемент:%s" and the parts above the item
  // A strike plate of an article: no size condition of the row, documented under the strike-plate
  // system of the frame or of the meeting stile.
  bool StrikePlate = false;
};

std::string ColorFor(const TFurnSash& Sash, int ColorCondition) {
  switch (ColorCondition) {
    case 1: return Sash.BackColor;
    case 2: return Sash.FrontColor;
    case 3: return Sash.SashColor;
    default: return Sash.FurnColor;
  }
}

bool StulpTypeMatches(int Wanted, const TFurnSash& Sash) { return Wanted == 0 || Wanted == Sash.StulpType; }

// A row naming an article of the neighbouring sash applies when that sash's set holds it.
bool NeighbourArticlePresent(const TFurnSetRow& Row, const TFurnSash& Sash) {
  if (Row.UseIfArt.empty()) return true;
  if (Sash.Neighbour == nullptr) return false;
  const TFurnComp* other = Sash.Neighbour->FurnComp.get();
  if (other == nullptr || other->ID.empty())
    RaiseFurnRowError(Row,
                      "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для смежной "
                      "створки еще не определен. Установите сначала комплект на соседнюю створку!");
  return other->ItemFindNoLength(Row.UseIfArt) >= 0;
}

bool RowApplies(const TFurnSetRow& Row, TFurnBuild& B) {
  return CheckFrnProperty(Row.PropKey, B.Comp.PropertyValues()) && StulpTypeMatches(Row.StulpType, B.Sash) &&
         FurnInstallConditionHolds(Row, B.Sash) && NeighbourArticlePresent(Row, B.Sash);
}

void ReportNoArticle(const TItemRequest& Request, const TFurnBuild& B) {
  if (!Request.Required) return;
  ShowWarning(!Request.AlertIfNoArt.empty()
                  ? Request.AlertIfNoArt
                  : Format("Для элемента фурнитуры [%s] комплекта [%s] не найден артикул для створки [%s]!",
                           Request.Item, B.Complect.ID, B.Sash.Name));
}

void AddArticle(const TItemRequest& Request, const TFurnArticle& Article, TFurnBuild& B) {
  const std::string info = Request.Path + Format(" -> Артикул:%s", Article.CatalogID);
  B.Comp.AddItem(Article.CatalogID, Request.Number, info, false, static_cast<float>(Request.Length));
  B.Found.push_back({Article.CatalogID, Request.Number, info, Request.Row});
  if (Request.StrikePlate || !Request.Row->DefineHandleHeight) return;
  if (B.Comp.HandleHeight <= 0 && Article.HandleHeight > 0) B.HandleHeight = Article.HandleHeight;
  B.HandleSide = Request.Row->HandleSideNo;
}

// The system an item's articles are documented under: the sash's profile system; for a strike plate
// the strike-plate system of the frame, or of the meeting stile when the plate goes by its groove.
std::string ArticleProfSys(const TItemRequest& Request, const TFurnItemKind& Kind, const TFurnBuild& B) {
  if (!Request.StrikePlate) return B.Sash.ProfSys;
  return Kind.CheckStulpType ? B.Systems.StulpSys : B.Systems.SchlSys;
}

void SelectItem(const TItemRequest& Request, TFurnBuild& B, int Depth);

// The parts of a composite item, each with its own property, meeting-stile and colour rules.
void BuildVirtualItem(const TItemRequest& Request, TFurnBuild& B, int Depth) {
  constexpr int kMaxDepth = 8;
  if (Depth >= kMaxDepth)
    RaiseFurnRowError(*Request.Row, Format("составной элемент [%s] содержит сам себя!", Request.Item));
  for (const TFurnSubItem& sub : GetFurnSubItems(Request.Item)) {
    if (!CheckFrnProperty(sub.PropKey, B.Comp.PropertyValues()) || !StulpTypeMatches(sub.StulpType, B.Sash)) {
      if (!sub.AlertIfIgnore.empty()) ShowWarning(sub.AlertIfIgnore);
      continue;
    }
    TItemRequest part = Request;
    part.Item = sub.Item;
    part.Number = Request.Number * sub.Number;
    part.ColorCondition = sub.ColorCondition;
    part.Required = sub.Required;
    part.AlertIfNoArt = sub.AlertIfNoArt;
    part.Path = Request.Path + Format(" -> Элемент:%s", sub.Item);
    if (part.Number > 0) SelectItem(part, B, Depth + 1);
  }
}

void SelectItem(const TItemRequest& Request, TFurnBuild& B, int Depth) {
  const std::optional<TFurnItemKind> kind = FindFurnItem(Request.Item);
  if (!kind) return ReportNoArticle(Request, B);
  if (kind->Virtual) return BuildVirtualItem(Request, B, Depth);
  const TFurnArticleRequest want{&B.Sash,
                                 Request.StrikePlate ? nullptr : Request.Row,
                                 ColorFor(B.Sash, Request.ColorCondition),
                                 B.Complect.Direct,
                                 &B.Preferred,
                                 ArticleProfSys(Request, *kind, B),
                                 B.Comp.HandleHeight};
  const std::optional<TFurnArticle> article = GetFurnArticle(*kind, want);
  if (article)
    AddArticle(Request, *article, B);
  else
    ReportNoArticle(Request, B);
}

void BuildRow(const TFurnSetRow& Row, TFurnBuild& B) {
  if (Row.Item.empty())
    throw EFurnDocError(Format("В БД наборов фурнитуры в комплекте\r\n[%s] содержится пустой элемент!", Row.Complect));
  CheckFurnRowSides(Row, B.Sash);
  if (!RowApplies(Row, B)) {
    if (!Row.AlertIfIgnore.empty()) ShowWarning(Row.AlertIfIgnore);
    return;
  }
  TItemRequest request;
  request.Row = &Row;
  request.Item = Row.Item;
  request.Number = FurnRowNumber(Row, B.Sash);
  if (request.Number <= 0) return;
  request.Length = Row.UseLen ? FurnRowLength(Row, B.Sash, B.HandleHeight) : 0;
  request.ColorCondition = Row.ColorCondition;
  request.Required = Row.Required;
  request.AlertIfNoArt = Row.AlertIfNoArt;
  request.Path = Format("Комплект:%s -> Элемент:%s", B.Complect.ID, Row.Item);
  SelectItem(request, B, 0);
}

void AddExtras(const TFoundArticle& Found, const std::vector<TFurnExtra>& Extras, TFurnBuild& B) {
  for (const TFurnExtra& extra : Extras) {
    if (!StulpTypeMatches(extra.StulpType, B.Sash) || !CheckFrnProperty(extra.PropKey, B.Comp.PropertyValues()))
      continue;
    B.Comp.AddItem(extra.Code, extra.Number * Found.Number, Format("%s -> Артикул:%s", Found.Info, extra.Code), false,
                   0);
  }
}

// The extra accessories of every article: FrnDop, then FrnAbd in the fittings colour or colour-neutral.
void AddAccessories(const std::vector<TFoundArticle>& Found, TFurnBuild& B) {
  for (const TFoundArticle& found : Found) {
    AddExtras(found, GetFurnDopAccessories(found.CatalogID), B);
    std::vector<TFurnExtra> coloured = GetFurnColorAccessories(found.CatalogID, B.Sash.FurnColor);
    if (coloured.empty()) coloured = GetFurnColorAccessories(found.CatalogID, "");
    AddExtras(found, coloured, B);
  }
}

// Strike plates: the items FrnSchl names for every article, selected like the article's own item;
// then the extra accessories of the strike plates found.
void AddStrikePlates(const std::vector<TFoundArticle>& Found, TFurnBuild& B) {
  const size_t first_plate = B.Found.size();
  for (const TFoundArticle& found : Found) {
    for (const TFurnExtra& plate : GetFurnStrikePlates(found.CatalogID)) {
      if (!StulpTypeMatches(plate.StulpType, B.Sash) || !CheckFrnProperty(plate.PropKey, B.Comp.PropertyValues()))
        continue;
      TItemRequest request;
      request.Row = found.Row;
      request.Item = plate.Code;
      request.Number = plate.Number * found.Number;
      request.ColorCondition = found.Row->ColorCondition;
      request.Path = Format("%s -> Элемент:%s", found.Info, plate.Code);
      request.StrikePlate = true;
      if (request.Number > 0) SelectItem(request, B, 0);
    }
  }
  const std::vector<TFoundArticle> plates(B.Found.begin() + static_cast<std::ptrdiff_t>(first_plate), B.Found.end());
  AddAccessories(plates, B);
}

// The handle at the height an article defined, on its side or the complect's handle sides.
void PlaceDefinedHandle(TFlugel& Flugel, int Height, int SideNo) {
  if (Height <= 0) return;
  for (size_t i = 0; i < Flugel.Lines.size(); ++i) {
    Tgx25FrameLine* side = Flugel.GetFrameLine(static_cast<int>(i));
    if (side == nullptr) continue;
    const bool chosen = SideNo > 0 ? static_cast<int>(i) + 1 == SideNo : side->Handled;
    if (chosen) PlaceHandle(*side, Height);
  }
}

// The component articles of the window type's scheme in the fittings system.
TFurnComponents SchemeArticles(const TFlugel& Flugel, const std::string& FurnSys) {
  const TFrame* frame = Flugel.GetParentFrame();
  return frame != nullptr ? GetFurnMultiSystemArticles(frame->TypeWin, FurnSys, frame->ProfSys) : TFurnComponents{};
}

// The set's component choices become those of the scheme in the fittings system.
void TakeSchemeChoices(TFlugel& Flugel, const std::string& FurnSys) {
  const TFurnComponents scheme = SchemeArticles(Flugel, FurnSys);
  Flugel.FurnComp->Components.assign(scheme.begin(), scheme.begin() + FURN_COMPONENT_COUNT);
}

void BuildLines(TFlugel& Flugel, const TFurnComplect& Complect) {
  const TFurnSash sash = MeasureFurnSash(Flugel);
  if (sash.Param.DornMass == 0)
    throw EFurnDocError(Format("Для створки [%s] в документации\r\nне установлена величина 'Дормасс'!", sash.Name));
  if (sash.TShaped && !Complect.TFlugelAvailable)
    throw EFurnDocError(Format("Не допускается установка комплекта [%s] на T-образную створку!", Complect.ID));
  TFurnComp& comp = *Flugel.FurnComp;
  TFurnBuild build{Complect, sash, comp, SchemeArticles(Flugel, comp.FurnSys), {}, {}, comp.HandleHeight, 0};
  std::copy_n(comp.Components.begin(), std::min(comp.Components.size(), FURN_COMPONENT_COUNT), build.Preferred.begin());
  build.Systems = GetFurnSysP(sash.ProfSys, comp.FurnSys).value_or(TFurnSystemPair{sash.ProfSys, sash.ProfSys});
  const std::vector<TFurnSetRow> rows = GetFurnSetRows(Complect.ID);
  for (const TFurnSetRow& row : rows) BuildRow(row, build);
  const std::vector<TFoundArticle> found = build.Found;
  AddAccessories(found, build);
  AddStrikePlates(found, build);
  PlaceDefinedHandle(Flugel, build.HandleHeight, build.HandleSide);
}

void ClearMarks(Tgx25FrameLine& Side) {
  Side.OpenMark = false;
  Side.ApexLine = -1;
  Side.HandleType = 0;
  Side.Handled = false;
  Side.Banded = false;
  Side.Drived = false;
  Side.RotSide = 0;
  Side.ClearHandlePoint();
}

// A new set takes the scheme's choices and predefined properties of the window type.
void PrepareNewSet(TFlugel& Flugel) {
  if (Flugel.FurnComp) return;
  const std::string system = FlugelFurnSys(Flugel);
  Flugel.FurnComp = std::make_unique<TFurnComp>();
  TakeSchemeChoices(Flugel, system);
  if (const TFrame* frame = Flugel.GetParentFrame())
    Flugel.FurnComp->PredefinedPropList = GetPredefinedFrnProperty(frame->TypeWin, system, frame->ProfSys);
}

}  // namespace

void PlaceHandle(Tgx25FrameLine& Side, double HeightMm) {
  if (Side.PX1 == nullptr || Side.PX2 == nullptr) return;
  const TPoint a = Side.PX1->GetPoint();
  const TPoint b = Side.PX2->GetPoint();
  const bool first_lower = a.Y >= b.Y;
  const TPoint low = first_lower ? a : b;
  const TPoint high = first_lower ? b : a;
  const long double length = Side.GetInternalSize();
  if (length <= 0) return;
  const long double height = std::clamp<long double>(SetSize10(static_cast<float>(HeightMm)), 0, length);
  const long double t = height / length;
  const TPoint point{static_cast<int32_t>(std::lround(low.X + (high.X - low.X) * t)),
                     static_cast<int32_t>(std::lround(low.Y + (high.Y - low.Y) * t))};
  Side.SetHandlePoint(point, static_cast<int32_t>(std::lround(height)));
}

void ApplyFurnMarks(TFlugel& Flugel, const std::string& Complect) {
  const int count = static_cast<int>(Flugel.Lines.size());
  for (int i = 0; i < count; ++i)
    if (Tgx25FrameLine* side = Flugel.GetFrameLine(i)) ClearMarks(*side);
  for (const TFurnSideRow& row : GetFurnSides(Complect)) {
    Tgx25FrameLine* side = Flugel.GetFrameLine(row.Side - 1);
    if (side == nullptr) continue;
    side->RotSide = row.RotSide;
    side->OpenMark = row.OpenMode != 0 && row.RotSide >= 1 && row.RotSide <= count;
    side->ApexLine = side->OpenMark ? row.RotSide - 1 : -1;
    side->Handled = row.Handled != 0;
    side->HandleType = !side->Handled                                                   ? 0
                       : row.Handled >= kWindowHandle && row.Handled <= kLastHandleType ? row.Handled
                                                                                        : kWindowHandle;
    side->Banded = row.Banded;
    side->Drived = row.Drived;
    if (side->Handled) PlaceHandle(*side, static_cast<double>(side->GetRealFalzSize()) / 2);
  }
}

bool BuildFurnList(TFlugel& Flugel) {
  if (!Flugel.FurnComp || Flugel.FurnComp->ID.empty()) return true;
  TFurnComp& comp = *Flugel.FurnComp;
  comp.Items.clear();
  try {
    BuildLines(Flugel, GetFurnComplect(comp.ID));
  } catch (const EKvError& e) {
    ShowError(e.what());
    return false;
  }
  return true;
}

bool ChangeFurnComplect(TFlugel& Flugel, const std::string& Complect) {
  std::optional<TFurnComplect> complect;
  std::string reason;
  try {
    complect = GetFurnComplect(Complect);
    reason = FurnComplectUnfitReason(*complect, MeasureFurnSash(Flugel));
  } catch (const EKvError& e) {
    ShowError(e.what());
    return false;
  }
  if (!reason.empty()) {
    ShowErrorExt(Format("Комплект фурнитуры [%s] не подходит к створке [%s]!", Complect, Flugel.Name), reason);
    return false;
  }
  PrepareNewSet(Flugel);
  TFurnComp& comp = *Flugel.FurnComp;
  const bool fresh = comp.ID.empty();
  comp.SetValue(complect->MultiSysID, complect->ID);
  comp.UpdateProperty();
  if (fresh) comp.ApplyPredefinedFrnProperty();
  Flugel.SetKipp(complect->Kipp);
  ApplyFurnMarks(Flugel, complect->ID);
  if (!complect->Alert.empty()) ShowInfo(complect->Alert);
  return BuildFurnList(Flugel);
}

bool ChangeFurnSys(TFlugel& Flugel, const std::string& System) {
  const std::string current = Flugel.FurnComp ? Flugel.FurnComp->ID : std::string();
  if (current.empty()) {
    PrepareNewSet(Flugel);
    Flugel.FurnComp->FurnSys = System;
    TakeSchemeChoices(Flugel, System);
    return AutoFurnComp(Flugel);
  }
  const std::string target = GetFurnMultiSystemID(current, System);
  if (target.empty()) {
    ShowError(Format("В системе фурнитуры [%s] нет комплекта, соответствующего комплекту [%s]!", System, current));
    return false;
  }
  const std::vector<std::string> former = Flugel.FurnComp->Components;
  TakeSchemeChoices(Flugel, System);
  const bool changed = ChangeFurnComplect(Flugel, target);
  if (Flugel.FurnComp->ID != target) Flugel.FurnComp->Components = former;
  return changed;
}

bool AutoFurnComp(TFlugel& Flugel, const std::string& Complect) {
  if (!Complect.empty()) return ChangeFurnComplect(Flugel, Complect);
  const std::string first = FirstAvailableComplect(Flugel, Flugel.Kipp);
  if (first.empty()) {
    ShowWarning(Format("Ни один комплект фурнитуры системы [%s] не подходит к створке [%s]!", FlugelFurnSys(Flugel),
                       Flugel.Name));
    return false;
  }
  return ChangeFurnComplect(Flugel, first);
}

void ApplyFurnComplects(Tgx25Construction& Construction, const std::string& Complect) {
  for (TFlugel& sash : Flugels(Construction))
    if (!AutoFurnComp(sash, Complect) && !Complect.empty())
      throw ECreationError(Format("Комплект фурнитуры [%s] не установлен на створку [%s]", Complect, sash.Name));
}

bool SetFurnHandleHeight(TFlugel& Flugel, int HeightMm) {
  TFurnComp* comp = Flugel.FurnComp.get();
  if (comp == nullptr || comp->ID.empty()) {
    ShowError(Format("На створку [%s] не установлен комплект фурнитуры!", Flugel.Name));
    return false;
  }
  const TFrame* frame = Flugel.GetParentFrame();
  if (HeightMm != 0 && (frame == nullptr || !GetUserDefineHeight(frame->TypeWin, comp->FurnSys, frame->ProfSys))) {
    ShowError(
        Format("Высоту ручки створки [%s] определяет фурнитура:\r\nсхема фурнитуры типа конструкции не "
               "разрешает задавать ее вручную!",
               Flugel.Name));
    return false;
  }
  const int height = MeasureFurnSash(Flugel).Height;
  if (HeightMm < 0 || HeightMm > height) {
    ShowError(
        Format("Высота ручки %d мм выходит за пределы створки [%s] высотой %d мм!", HeightMm, Flugel.Name, height));
    return false;
  }
  comp->HandleHeight = HeightMm;
  return BuildFurnList(Flugel);
}

void ApplyFurnSys(Tgx25Construction& Construction, const std::string& System) {
  for (TFlugel& sash : Flugels(Construction))
    if (!ChangeFurnSys(sash, System))
      throw ECreationError(Format("Система фурнитуры [%s] не установлена на створку [%s]", System, sash.Name));
}

void ApplyFurnHandleHeight(Tgx25Construction& Construction, int HeightMm) {
  for (TFlugel& sash : Flugels(Construction))
    if (!SetFurnHandleHeight(sash, HeightMm))
      throw ECreationError(Format("Высота ручки %d мм не установлена на створку [%s]", HeightMm, sash.Name));
}

void ApplyMirrorComplects(Tgx25Construction& Construction) {
  for (TFlugel& sash : Flugels(Construction)) {
    if (!sash.FurnComp || sash.FurnComp->ID.empty()) continue;
    const std::string own = sash.FurnComp->ID;
    const std::string mirror = GetMirrorComplect(own);
    if (mirror.empty() || !ChangeFurnComplect(sash, mirror)) ChangeFurnComplect(sash, own);
  }
}

void MirrorConstruction(Tgx25Construction& Construction) {
  Construction.MirrorPositionX();
  ApplyMirrorComplects(Construction);
}

}  // namespace kv
