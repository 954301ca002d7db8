#include "construction/sample_constructions.h"

#include "construction/glass.h"
#include "construction/model_builders.h"

namespace kv::test {

namespace {

Tgx25MatListItem MaterialItem(const std::string& ID, int Seed) {
  Tgx25MatListItem item;
  item.Text1 = "FR";
  item.Text3 = "1.1";
  item.Group = 4;
  item.Flag = true;
  item.ID = ID;
  item.ColorAttr1 = "Дуб";
  item.Width = 1200 + Seed;
  item.Height = 800;
  item.Quantity = 2.5 + Seed;
  item.OrgPrice = TCurrency::FromExtended(12.3456L);
  item.ReduceTax = -5;
  item.CustomTax = 3;
  item.NDSTax = 20;
  item.CalcCosts();
  return item;
}

Tgx25CutMapItem CutItem(int Seed) {
  Tgx25CutMapItem item = Tgx25CutMapItem::Create(Tgx25CutMapItem::cgFrame, "KV-101", "Белый", 1300.5 + Seed, 45, 45,
                                                 "ST-20", 1200, 90, 90, "Рама 1");
  item.Text2 = "FR";
  item.DetailNo = 3;
  item.PieceID = 123456 + Seed;
  return item;
}

Tgx25CustMatItem Component(const std::string& ID) {
  Tgx25CustMatItem item;
  item.MatID = ID;
  item.DetailNo = "G.1";
  item.Length = 950.5;
  item.Width = 900;
  item.Height = 1100;
  item.Quantity = 4;
  item.MoneyValue = TCurrency::FromExtended(1.5L);
  item.Kind = Tgx25CustMatItem::ckSized;
  item.MatGroup = 11;
  return item;
}

void DecorateSides(TCustomFrame& Element, const std::string& Profile, int Seed) {
  for (size_t i = 0; i < Element.Lines.size(); ++i) {
    auto& side = static_cast<Tgx25FrameLine&>(*Element.Lines[i]);
    side.No = std::to_string(i + 1);
    side.SetProfile(Profile, "Белый");
    side.Profile.Length = 1234.5f + Seed;
    side.Profile.Count = 1;
    side.Steel.ID = "ST-20";
    side.Armed = true;
    side.ProfSize = {1400.25f, 45, 45};
    side.SteelSize = {1300, 90, 90};
    side.Rubber = {"RB-1", "Черный"};
    side.PropList = {"101=1", "102=3"};
    side.DeltaLen1 = 5;
    side.NeedIx = 1.5f;
    side.SelfIx = 2.25f;
    side.SubSetID = 17;
    side.SubSetColor = "Белый";
    side.DeltaW = 0.5f;
  }
  auto& bottom = static_cast<Tgx25FrameLine&>(*Element.Lines[0]);
  bottom.RadiusW = 1.25;
  bottom.Threshold = true;
  bottom.SetAttachProfile({"AT-1", "Белый"});
  bottom.AttachSize = 1400;
  bottom.AddAnkerPoint({0, 7000});
  TCutLinePointRec cut;
  cut.XY = 5000;
  cut.D1 = 2.5f;
  cut.Len = 800;
  cut.AngleZ = 30;
  bottom.AddCutPoint(cut);
  bottom.CutPoints.front()->EnforceLen = 790;
  auto& corner = static_cast<Tgx25FramePoint&>(*Element.Points[1]);
  corner.PropList = {"201=2"};
  corner.SubSetID = 9;
  corner.Virtual = true;
  Element.PropList = {"301=1"};
  Element.AccList.Items = {{11}, {12 + Seed}};
  Element.ID = 40 + Seed;
  Element.SetWeldAllowance(3);
}

void FillBeadFrame(Tgx25BeadFrame& Frame, const std::string& Profile, int32_t Size) {
  Frame.Profile = Profile;
  const TPoint corners[4] = {{100, 100 + Size}, {100, 100}, {100 + Size, 100}, {100 + Size, 100 + Size}};
  for (const TPoint& corner : corners) {
    auto point = std::make_unique<Tgx25ProfilePoint>(&Frame, corner);
    point->PointW = {corner.X + 1, corner.Y + 2};
    point->PointI2 = {corner.X + 3, corner.Y + 4};
    point->AngleType = atX45;
    Frame.Points.push_back(std::move(point));
  }
  for (int i = 0; i < 4; ++i) {
    auto line = std::make_unique<Tgx25ProfileLine>(&Frame);
    line->Profile = Profile;
    line->Length = static_cast<float>(Size) / 10;
    line->Angle1 = line->Angle2 = 45;
    line->CarriedValue2 = 7;
    Frame.Lines.push_back(std::move(line));
  }
  Frame.UpdateLinePointPtr();
}

// A bar frame on the glass: its own rectangle, the base part and one vertical bar.
template <class Bar, class Frame>
void AddBarFrame(Frame& Element, const std::string& Profile) {
  BuildRectContour(Element, {1000, 1000}, 6000, 8000, 0);
  Element.AddBasePart();
  Tgx25Point* upper = Element.Lines[1]->AddPoint({4000, 1000});
  Tgx25Point* lower = Element.Lines[3]->AddPoint({4000, 9000});
  auto* bar = static_cast<Bar*>(Element.AddImpost(std::make_unique<Bar>(&Element, upper, lower)));
  bar->SetProfile(Profile, "Белый");
  bar->ProfSize = {800, 90, 90};
  bar->XWPoint_1A = {4100, 1000};
  bar->AccList.Items = {{3}};
  Element.GetBasePart()->No = "1";
}

void DecorateGlass(Tgx25Glass& Glass, int Seed) {
  Glass.No = "G.1";
  Glass.Glass = "4-16-4";
  Glass.CombineID = 5000000000LL + Seed;
  Glass.Thickness = 24;
  Glass.Bead = {"BD-24", "Белый"};
  Glass.Adapter = {"AD-1", "Белый"};
  Glass.ProfRubber = {"RB-2", "Черный"};
  Glass.BeadRubber = {"RB-3", "Серый"};
  FillBeadFrame(Glass.BeadSizes, "BD-24", 9000);
  FillBeadFrame(Glass.AdapterSizes, "AD-1", 9100);
  for (const TPoint& corner : {TPoint{120, 9120}, TPoint{120, 120}, TPoint{9120, 120}, TPoint{9120, 9120}})
    Glass.GlassSizes.Points.push_back(std::make_unique<Tgx25ProfilePoint>(&Glass.GlassSizes, corner));
  for (int i = 0; i < 4; ++i) Glass.GlassSizes.Lines.push_back(std::make_unique<Tgx25ProfileLine>(&Glass.GlassSizes));
  Glass.GlassSizes.Lines[1]->Radius = Glass.GlassSizes.Lines[1]->Radius2 = 4500;
  Glass.GlassSizes.Lines[1]->Center = {4620.5f, 120};
  Glass.GlassSizes.UpdateLinePointPtr();
  Glass.CarriedText2 = "Пакет";
  Glass.Linings = {{"LN-3", 4}, {"LN-5", 2}};
  Glass.MatList = {Component("GL-4"), Component("SP-16")};
  AddBarFrame<TFalsh>(*Glass.CreateFalshFrame(), "FL-1");
  static_cast<TFalsh&>(*Glass.FalshFrame->Imposts[0]).BackProfile = {"FL-2", "Дуб"};
  AddBarFrame<Tgx25Spross>(*Glass.CreateSprossFrame(), "SP-8");
}

void DecorateSash(TFlugel& Sash, int Seed) {
  DecorateSides(Sash, "KV-201", Seed);
  Sash.Kipp = true;
  Sash.Mosquito = {"MS-1", 600, 1200};
  Sash.Sockel = std::make_unique<TSockel>(&Sash);
  Sash.Sockel->SetValue("SK-1", "Белый", 600, 90, 90);
  Sash.FurnComp = std::make_unique<TFurnComp>();
  TFurnComp& set = *Sash.FurnComp;
  set.FurnSys = "FT-1";
  set.ID = "DK-600";
  set.Components = {"Ручка", "Петли", "", "", "Привод", "", "", "Набор"};
  set.Setting = 2;
  set.Flag = true;
  set.CarriedValues[4] = 8;
  set.PropList = {"501=1"};
  set.PredefinedPropList = {"502=2", "503=1"};
  set.AddItem("FR-11", 2, "Комплект:DK -> Элемент:1 -> Артикул:FR-11", false, 0);
  set.AddItem("FR-12", 1, "Комплект:DK -> Элемент:2 -> Артикул:FR-12", false, 650.5f);
  static_cast<Tgx30CustomPart&>(*Sash.Parts.front()).Glass->Glass = "4-10-4-10-4";
}

// A meeting stile in place of a mullion: the stile takes over the mullion's ends and outline.
Tgx25Stulp* AddStulp(TFrame& Frame, int32_t X) {
  TImpost* mullion = AddVerticalImpost(Frame, X, 640);
  auto stulp = std::make_unique<Tgx25Stulp>(&Frame, mullion->PX1, mullion->PX2);
  Tgx25Stulp* result = stulp.get();
  result->XWPoint_1A = mullion->XWPoint_1A;
  result->XWPoint_2B = mullion->XWPoint_2B;
  for (auto& part : Frame.Parts)
    for (auto& line : part->Lines)
      if (line->Line == mullion) line->Line = result;
  Frame.Imposts.front() = std::move(stulp);
  result->Owner = &Frame;
  result->SetProfile("SL-1", "Белый");
  result->Primary = 1;
  result->SlaveStulp = std::make_unique<TInforcedProfile>(result);
  result->SlaveStulp->SetValue("SL-2", "Белый", 1300, 90, 90);
  result->SlaveStulp->SetSteel("ST-9", 1200, 90, 90, 1.5f);
  auto* left = CustomPart(Frame, 0);
  auto* right = CustomPart(Frame, 1);
  result->PrimaryPartPtr = left;
  result->SlavePartPtr = right;
  left->StulpPtr = right->StulpPtr = result;
  left->StulpPart = right->StulpPart = true;
  return result;
}

void FillLists(Tgx25Construction& C, int Seed) {
  Tgx25DopProfItem dop;
  dop.Article = "DP-1";
  dop.Color = "Белый";
  dop.Real1 = 1500;
  dop.Money1 = TCurrency::FromExtended(7.5L);
  dop.Materials = {Component("DP-1")};
  C.DopProfList = {dop};
  Tgx25MontageMaterial mount;
  mount.ID = "MN-1";
  mount.Quantity = 3;
  mount.Flag = true;
  C.MontMatList = {mount};
  Tgx25CustomSill sill;
  sill.Text1 = "SL-300";
  sill.Int2 = 300;
  sill.Flag2 = true;
  sill.Materials = {Component("SC-1")};
  C.SillList = {sill};
  sill.Text1 = "SN-150";
  C.SinkList = {sill};
  Tgx25CustomNet net;
  net.Text1 = "MS-1";
  net.Int2 = 600;
  C.MosquitoList = {net};
  net.Text1 = "RL-1";
  C.RolletList = {net};
  net.Text1 = "JL-1";
  C.JalousieList = {net};
  C.CarriedCount1 = 0;
  C.MatList = {MaterialItem("KV-101", Seed), MaterialItem("GL-4", Seed)};
  C.EstimateList = {{1, 2, "Профиль", TCurrency::FromExtended(100.5L), "%.2f"}};
  Tgx25ServiceItem service;
  service.Name = "Монтаж";
  service.Value = 1;
  service.NumUnit = 2;
  service.Price = service.Cost = TCurrency::FromExtended(50);
  C.ServiceList = {service};
  Tgx25Accessory accessory;
  accessory.Text1 = "AC-1";
  accessory.Real1 = 2;
  C.AccessoryDocList = {accessory};
}

void FillHeader(Tgx25Construction& C, int Seed) {
  C.Count = 1 + Seed;
  C.CarriedText1 = "Окно";
  C.LoadGroupH = 3;
  C.ViewSide = 1;
  C.CarriedFlag2 = true;
  C.WorkCoef = 1.25f;
  C.CheckStaticOnSave = true;
  C.SillLayer = {300, 1500};
  C.QuarterLayer = {50, 0};
  C.Material = 2;
  C.ColorVariant = 1;
  C.InnerColor = "Белый";
  C.OuterColor = "Дуб";
  C.ColorTechPropList = {"701=1"};
  C.Notes = {"Первая строка", "", "Третья"};
  C.WindowFixPrice = TCurrency::FromExtended(999.99L);
  C.FixCurrency = 2;
  C.SinkRedUnit = nuFixedPrice;
  C.CostSummary[0] = TCurrency::FromExtended(1234.5678L);
  C.CostSummary[83] = TCurrency::FromExtended(-1);
  C.CarriedReal = 0.125;
  C.TimeStamp1 = 45000.5;
  C.TimeStamp2 = 45001.25;
  C.CarriedText5 = "оператор";
  C.TimeStamp3 = 45002;
}

}  // namespace

std::unique_ptr<Tgx25Construction> RichConstruction(const std::string& No, int Seed) {
  auto construction = std::make_unique<Tgx25Construction>();
  construction->ChangeNo(No);
  FillHeader(*construction, Seed);
  FillLists(*construction, Seed);

  // Frame 1: a mullion, glass with everything on the left, a sash on the right.
  TFrame* first = construction->NewFrame(7);
  BuildRectContour(*first, {0, 0}, 20000, 14000, 600);
  DecorateSides(*first, "KV-101", Seed);
  first->AddBasePart();
  TImpost* mullion = AddVerticalImpost(*first, 10000, 800);
  mullion->SetProfile("IM-1", "Белый");
  mullion->Steel = {"ST-30", ""};
  mullion->RotAngle = 1.5f;
  mullion->AccList.Items = {{21}};
  DecorateGlass(*CustomPart(*first, 0)->SetNewGlass(3, true), Seed);
  CustomPart(*first, 0)->Glass2->Glass = "4M1";
  DecorateSash(*AddFlugel(*CustomPart(*first, 1), 300, 700), Seed);
  first->ObjType = otxDoor;
  first->Article = "W-1";
  first->ProfSys = "TL70";
  first->ProfColor = "Белый";
  first->MatType = 1;
  first->StaticMethod = 2;
  first->Note = {"Примечание"};
  first->RubberCount = 12.5f;
  first->WasserAbdeckkappe = {"WK-1", "Белый"};
  first->CutMap = {CutItem(Seed), CutItem(Seed + 1)};
  first->Materials = {MaterialItem("KV-101", Seed)};

  // Frame 2 to the right: two sashes on a meeting stile.
  TFrame* second = construction->NewFrame(8);
  BuildRectContour(*second, {20000, 0}, 16000, 14000, 600);
  DecorateSides(*second, "KV-101", Seed);
  second->AddBasePart();
  AddStulp(*second, 28000);
  DecorateSash(*AddFlugel(*CustomPart(*second, 0), 300, 700), Seed);
  DecorateSash(*AddFlugel(*CustomPart(*second, 1), 300, 700), Seed + 2);
  second->SetLeftTop({20000, 0});
  second->ProfSys = "TL70";

  // Frame 3 below: a modificator on the left, a nested frame on the right.
  TFrame* third = construction->NewFrame(9);
  BuildRectContour(*third, {0, 14000}, 36000, 6000, 600);
  third->AddBasePart();
  AddVerticalImpost(*third, 18000, 800);
  third->ProfSys = "TL70";
  TkvModificator* modificator = CustomPart(*third, 0)->SetNewModificator();
  BuildRectContour(*modificator, {400, 14400}, 17000, 5200, 400);
  modificator->AddBasePart();
  TFrame* nested = CustomPart(*third, 1)->SetNewFrame(12);
  BuildRectContour(*nested, {18400, 14400}, 17000, 5200, 500);
  static_cast<Tgx30CustomPart*>(nested->AddBasePart())->SetNewGlass(2);
  nested->ProfSys = "TL70";
  construction->RebuildPartsIndex();
  return construction;
}

std::unique_ptr<Tgx25Construction> SimpleWindow(const std::string& No, int32_t W, int32_t H) {
  auto construction = std::make_unique<Tgx25Construction>();
  construction->ChangeNo(No);
  TFrame* frame = construction->NewFrame(1);
  BuildRectContour(*frame, {0, 0}, W * 10, H * 10, 600);
  DecorateSides(*frame, "KV-101", 0);
  static_cast<Tgx30CustomPart*>(frame->AddBasePart())->SetNewGlass(1);
  frame->ProfSys = "TL70";
  return construction;
}

std::vector<uint8_t> StreamBytes(const Tgx25Construction& Construction) {
  TSpecStream stream;
  Construction.Save(stream);
  return std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end());
}

}  // namespace kv::test
