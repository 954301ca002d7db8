#include "construction/construction_counts.h"

#include <cmath>
#include <functional>
#include <unordered_map>

#include "catalogue/material_lookups.h"
#include "construction/glass.h"
#include "shell/rounding.h"

namespace kv {

namespace {

using TElementTest = std::function<bool(const TCustomFrame&)>;

bool IsFrame(const TCustomFrame& Element) { return dynamic_cast<const TFrame*>(&Element) != nullptr; }
bool IsFlugel(const TCustomFrame& Element) { return dynamic_cast<const TFlugel*>(&Element) != nullptr; }
bool AnyElement(const TCustomFrame&) { return true; }

// Every frame-like element with profiles: frames, sashes, modificators, nested frames.
std::vector<const TCustomFrame*> Elements(const Tgx25Construction& C) {
  std::vector<const TCustomFrame*> elements;
  std::function<void(const TCustomFrame&)> visit = [&](const TCustomFrame& element) {
    elements.push_back(&element);
    for (const auto& part : element.Parts)
      if (const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get()))
        if (const TCustomFrame* filling = custom->FillElement()) visit(*filling);
  };
  for (const TFrame& frame : Frames(C)) visit(frame);
  return elements;
}

// Sums Value over the sides of the elements that pass Test.
long double SumSides(const Tgx25Construction& C, const TElementTest& Test,
                     const std::function<long double(const Tgx25FrameLine&)>& Value) {
  long double sum = 0;
  for (const TCustomFrame* element : Elements(C)) {
    if (!Test(*element)) continue;
    for (size_t i = 0; i < element->Lines.size(); ++i)
      if (const Tgx25FrameLine* side = element->GetFrameLine(static_cast<int>(i))) sum += Value(*side);
  }
  return sum;
}

long double SumCorners(const Tgx25Construction& C, const TElementTest& Test,
                       const std::function<bool(const TCustomFrame&, int)>& Counts) {
  long double sum = 0;
  for (const TCustomFrame* element : Elements(C))
    if (Test(*element))
      for (size_t i = 0; i < element->Points.size(); ++i) sum += Counts(*element, static_cast<int>(i)) ? 1 : 0;
  return sum;
}

bool StdCorner(const TCustomFrame& Element, int Corner) { return std::fabs(Element.Angle(Corner) - 90) < 0.01L; }
bool WeldedCorner(const TCustomFrame& Element, int Corner) {
  const Tgx25FramePoint* point = Element.GetFramePoint(Corner);
  return point != nullptr && point->AngleType == atX45;
}

long double Metres(float ModelUnits) { return GetSize10(ModelUnits) / 1000.0L; }

// Bars of one kind: mullions of frames (OfFlugel false) or of sashes, meeting stiles, false mullions.
template <class TBar, class TRange>
long double SumBars(const TRange& Bars, const std::function<long double(const TBar&)>& Value) {
  long double sum = 0;
  for (const auto& bar : Bars)
    if (const auto* typed = dynamic_cast<const TBar*>(&bar)) sum += Value(*typed);
  return sum;
}

long double CountImposts(const Tgx25Construction& C, bool Flugel, int Std) {
  auto test = [Std](const TImpost& bar) -> long double { return Std < 0 || bar.StdImpost() == (Std == 1) ? 1 : 0; };
  return Flugel ? SumBars<TImpost>(FlugelImposts(C), test) : SumBars<TImpost>(FrameImposts(C), test);
}

long double CountStulps(const Tgx25Construction& C, int Std) {
  return SumBars<Tgx25Stulp>(Stulps(C), [Std](const Tgx25Stulp& bar) -> long double {
    return Std < 0 || bar.StdImpost() == (Std == 1) ? 1 : 0;
  });
}

long double CountFalshes(const Tgx25Construction& C, int Std) {
  return SumBars<TFalsh>(
      Falshes(C), [Std](const TFalsh& bar) -> long double { return Std < 0 || bar.StdImpost() == (Std == 1) ? 1 : 0; });
}

long double SumGlass(const Tgx25Construction& C, const std::function<long double(const Tgx25Glass&)>& Value) {
  long double sum = 0;
  for (const Tgx25Glass& glass : Glasses(C)) sum += Value(glass);
  return sum;
}

long double SumBeadFrames(const Tgx25Construction& C, bool Adapter, bool Length) {
  return SumGlass(C, [=](const Tgx25Glass& glass) {
    const Tgx25BeadFrame& bars = Adapter ? glass.AdapterSizes : glass.BeadSizes;
    long double sum = 0;
    for (const auto& line : bars.Lines) sum += Length ? Metres(static_cast<const Tgx25ProfileLine&>(*line).Length) : 1;
    return sum;
  });
}

long double ImpostLength(const Tgx25Construction& C, int Mode) {
  auto length = [](const TImpost& bar) { return Metres(bar.ProfSize.Length); };
  if (Mode == 1) return SumBars<TImpost>(FrameImposts(C), length);
  if (Mode == 2) return SumBars<TImpost>(FlugelImposts(C), length);
  return SumBars<TImpost>(Imposts(C), length);
}

long double SteelLength(const Tgx25Construction& C) {
  return SumSides(C, AnyElement,
                  [](const Tgx25FrameLine& s) { return s.Steel.ID.empty() ? 0 : Metres(s.SteelSize.Length); }) +
         SumBars<TInforcedImpost>(Imposts(C), [](const TInforcedImpost& bar) {
           return bar.Steel.ID.empty() ? 0 : Metres(bar.SteelSize.Length);
         });
}

long double SteelCount(const Tgx25Construction& C, const TElementTest& Test) {
  return SumSides(C, Test, [](const Tgx25FrameLine& s) -> long double { return s.Steel.ID.empty() ? 0 : 1; });
}

long double BarSteelCount(const Tgx25Construction& C, bool Stulp) {
  return SumBars<TInforcedImpost>(Imposts(C), [Stulp](const TInforcedImpost& bar) -> long double {
    return !bar.Steel.ID.empty() && (dynamic_cast<const Tgx25Stulp*>(&bar) != nullptr) == Stulp ? 1 : 0;
  });
}

long double ObjTypeValue(const Tgx25Construction& C, TObjType Type, bool Square) {
  long double sum = 0;
  for (const TFrame& frame : Frames(C)) {
    if (frame.ObjType != Type) continue;
    const TRect r = BoundRectOf(frame.GetDimensions());
    sum +=
        Square
            ? GetRoundedFloat(
                  GetSize10(static_cast<float>(r.Width())) * GetSize10(static_cast<float>(r.Height())) / 1000000.0L, 4)
            : 1;
  }
  return sum;
}

long double Pieces(const TSillList& List, int What) {
  long double sum = 0;
  for (const Tgx25CustomSill& s : List)
    sum += What == 0 ? s.Pieces() : What == 1 ? s.TotalLength() : What == 2 ? s.TotalSquare() : s.TotalPerimeter();
  return sum;
}

long double Nets(const TNetList& List, int What) {
  long double sum = 0;
  for (const Tgx25CustomNet& n : List) sum += What == 0 ? n.Pieces() : What == 1 ? n.TotalPerimeter() : n.TotalSquare();
  return sum;
}

using TMeasure = std::function<long double(const Tgx25Construction&)>;

// Fillings by kind and figure for the codes 211 .. 274.
enum TFillKind { fkAll, fkSingle, fkPlastic, fkUnit, fkChamber1, fkChamber2, fkChamber3 };
enum TFigureKind { fgAll, fgStd, fgNotStd, fgArc };
enum TFillMeasure { fmCount, fmSquare, fmPerimeter };

bool IsGlassUnit(const Tgx25Glass& Glass) { return Glass.GetSimpleGlassCount() > 1 && !MaterialIsPVC(Glass.Glass); }
int Chambers(const Tgx25Glass& Glass) { return IsGlassUnit(Glass) ? Glass.GetSimpleGlassCount() - 1 : 0; }

bool OfKind(const Tgx25Glass& Glass, int Kind) {
  switch (Kind) {
    case fkSingle: return MaterialIsSimpleGlass(Glass.Glass);
    case fkPlastic: return MaterialIsPVC(Glass.Glass);
    case fkUnit: return IsGlassUnit(Glass);
    case fkAll: return true;
    default: return Chambers(Glass) == Kind - fkUnit;
  }
}

// Non-standard takes in the arched fillings, as the form coefficients of pricing do.
bool OfFigure(const Tgx25Glass& Glass, int Figure) {
  switch (Figure) {
    case fgStd: return Glass.StdGlass();
    case fgNotStd: return !Glass.StdGlass();
    case fgArc: return Glass.GetArcCount() > 0;
    default: return true;
  }
}

TMeasure FillingMeasure(int Measure, int Kind, int Figure) {
  return [=](const Tgx25Construction& c) {
    return SumGlass(c, [=](const Tgx25Glass& g) -> long double {
      if (!OfKind(g, Kind) || !OfFigure(g, Figure)) return 0;
      return Measure == fmCount ? 1 : Measure == fmSquare ? g.Square() : g.Perimeter();
    });
  };
}

TMeasure PacketMeasure(bool Frames, int ChamberCount) {
  return [=](const Tgx25Construction& c) {
    return SumGlass(c, [=](const Tgx25Glass& g) -> long double {
      if (!IsGlassUnit(g) || (ChamberCount != 0 && Chambers(g) != ChamberCount)) return 0;
      return Frames ? Chambers(g) : g.GetSimpleGlassCount();
    });
  };
}

// Counts 211 .. 213 and areas 214 .. 216: every filling kind by figure. Then, kind by kind (single
// glass, plastic, glass unit, one-, two- and three-chamber unit) and figure by figure (all, standard,
// non-standard, arched): the counts 217, 219 .. 238 (the counts of all single glasses, plastics and
// units are the codes 143, 142 and 140), the areas 218, 245 .. 267 and the perimeters 239 .. 244 of
// each kind. 268 .. 271 count the spacer frames and 272 .. 274 the panes of all units (268) or of the
// units with one to three chambers.
void AddFillingMeasures(std::unordered_map<int, TMeasure>& M) {
  for (int figure = fgStd; figure <= fgArc; ++figure) {
    M[210 + figure] = FillingMeasure(fmCount, fkAll, figure);
    M[213 + figure] = FillingMeasure(fmSquare, fkAll, figure);
  }
  std::vector<int> counts = {217};
  std::vector<int> areas = {218};
  for (int code = 219; code <= 238; ++code) counts.push_back(code);
  for (int code = 245; code <= 267; ++code) areas.push_back(code);
  size_t next_count = 0;
  size_t next_area = 0;
  for (int kind = fkSingle; kind <= fkChamber3; ++kind) {
    M[239 + kind - fkSingle] = FillingMeasure(fmPerimeter, kind, fgAll);
    for (int figure = fgAll; figure <= fgArc; ++figure) {
      M[areas[next_area++]] = FillingMeasure(fmSquare, kind, figure);
      if (figure != fgAll || kind >= fkChamber1) M[counts[next_count++]] = FillingMeasure(fmCount, kind, figure);
    }
  }
  for (int chambers = 0; chambers <= 3; ++chambers) M[268 + chambers] = PacketMeasure(true, chambers);
  for (int chambers = 1; chambers <= 3; ++chambers) M[271 + chambers] = PacketMeasure(false, chambers);
}

const std::unordered_map<int, TMeasure>& Measures() {
  static const std::unordered_map<int, TMeasure> measures = [] {
    std::unordered_map<int, TMeasure> m;
    auto count = [](auto range) { return static_cast<long double>(range.size()); };
    m[101] = [](const Tgx25Construction& c) {
      return SumCorners(c, IsFrame, [](const TCustomFrame&, int i) { return i == 0; });
    };
    m[102] = [count](const Tgx25Construction& c) { return count(Flugels(c)); };
    m[103] = [](const Tgx25Construction& c) { return CountImposts(c, false, -1); };
    m[104] = [](const Tgx25Construction& c) { return CountImposts(c, true, -1); };
    m[105] = [](const Tgx25Construction& c) { return CountStulps(c, -1); };
    m[106] = [](const Tgx25Construction& c) { return CountFalshes(c, -1); };
    m[107] = [count](const Tgx25Construction& c) { return count(FurnComps(c)); };
    m[108] = [count](const Tgx25Construction& c) { return count(Glasses(c)); };
    m[109] = [count](const Tgx25Construction& c) { return count(Parts(c)); };
    m[111] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetFalshPartCount(); });
    };
    m[112] = [count](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine&) -> long double { return 1; }) + count(Imposts(c));
    };
    m[113] = [](const Tgx25Construction& c) {
      return SteelCount(c, AnyElement) + BarSteelCount(c, false) + BarSteelCount(c, true);
    };
    m[114] = SteelLength;
    m[115] = [](const Tgx25Construction& c) {
      return SumSides(c, IsFrame, [](const Tgx25FrameLine& s) -> long double { return s.HasRadius(); });
    };
    m[116] = [](const Tgx25Construction& c) {
      return SumSides(c, IsFlugel, [](const Tgx25FrameLine& s) -> long double { return s.HasRadius(); });
    };
    m[117] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) -> long double { return s.HasRadius(); });
    };
    m[118] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement,
                      [](const Tgx25FrameLine& s) { return s.HasRadius() ? Metres(s.ProfSize.Length) : 0; });
    };
    m[119] = [](const Tgx25Construction& c) { return SumCorners(c, IsFrame, StdCorner); };
    m[120] = [](const Tgx25Construction& c) { return SumCorners(c, IsFlugel, StdCorner); };
    m[121] = [](const Tgx25Construction& c) { return SumCorners(c, AnyElement, StdCorner); };
    m[122] = [](const Tgx25Construction& c) {
      return SumCorners(c, IsFrame, [](const TCustomFrame& e, int i) { return !StdCorner(e, i); });
    };
    m[123] = [](const Tgx25Construction& c) {
      return SumCorners(c, IsFlugel, [](const TCustomFrame& e, int i) { return !StdCorner(e, i); });
    };
    m[124] = [](const Tgx25Construction& c) {
      return SumCorners(c, AnyElement, [](const TCustomFrame& e, int i) { return !StdCorner(e, i); });
    };
    m[125] = [](const Tgx25Construction& c) { return CountImposts(c, false, 1); };
    m[126] = [](const Tgx25Construction& c) { return CountImposts(c, true, 1); };
    m[127] = [](const Tgx25Construction& c) { return CountStulps(c, 1); };
    m[128] = [](const Tgx25Construction& c) { return CountFalshes(c, 1); };
    m[129] = [](const Tgx25Construction& c) { return CountImposts(c, false, 1) + CountImposts(c, true, 1); };
    m[130] = [](const Tgx25Construction& c) { return CountImposts(c, false, 0); };
    m[131] = [](const Tgx25Construction& c) { return CountImposts(c, true, 0); };
    m[132] = [](const Tgx25Construction& c) { return CountStulps(c, 0); };
    m[133] = [](const Tgx25Construction& c) { return CountFalshes(c, 0); };
    m[134] = [](const Tgx25Construction& c) { return CountImposts(c, false, 0) + CountImposts(c, true, 0); };
    m[135] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement,
                      [](const Tgx25FrameLine& s) { return s.Rubber.Empty() ? 0 : Metres(s.ProfSize.Length); });
    };
    m[137] = [](const Tgx25Construction& c) { return c.GetPerimeter(); };
    m[138] = [](const Tgx25Construction& c) { return c.GetSquare(); };
    m[140] = FillingMeasure(fmCount, fkUnit, fgAll);
    m[141] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.SprossExists(); });
    };
    m[142] = FillingMeasure(fmCount, fkPlastic, fgAll);
    m[143] = FillingMeasure(fmCount, fkSingle, fgAll);
    const TMeasure frame_welds = [](const Tgx25Construction& c) { return SumCorners(c, IsFrame, WeldedCorner); };
    const TMeasure flugel_welds = [](const Tgx25Construction& c) { return SumCorners(c, IsFlugel, WeldedCorner); };
    m[152] = m[170] = m[178] = frame_welds;
    m[153] = m[171] = m[179] = flugel_welds;
    m[154] = [](const Tgx25Construction& c) { return 2 * CountImposts(c, false, -1); };
    m[155] = [](const Tgx25Construction& c) { return 2 * CountImposts(c, true, -1); };
    const TMeasure frame_lines = [](const Tgx25Construction& c) {
      return SumSides(c, IsFrame, [](const Tgx25FrameLine&) -> long double { return 1; });
    };
    const TMeasure flugel_lines = [](const Tgx25Construction& c) {
      return SumSides(c, IsFlugel, [](const Tgx25FrameLine&) -> long double { return 1; });
    };
    m[156] = m[172] = m[180] = frame_lines;
    m[157] = m[173] = m[181] = flugel_lines;
    m[158] = m[174] = m[182] = [](const Tgx25Construction& c) { return SumBeadFrames(c, false, false); };
    m[159] = m[175] = m[183] = [](const Tgx25Construction& c) { return SumBeadFrames(c, true, false); };
    m[160] = [](const Tgx25Construction& c) { return SteelCount(c, IsFrame); };
    m[161] = [](const Tgx25Construction& c) { return SteelCount(c, IsFlugel); };
    m[162] = [](const Tgx25Construction& c) { return BarSteelCount(c, false); };
    m[163] = [](const Tgx25Construction& c) { return BarSteelCount(c, true); };
    m[164] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) -> long double { return s.Attach; });
    };
    m[165] = m[176] = m[184] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) -> long double { return s.Threshold; });
    };
    m[166] = [](const Tgx25Construction& c) {
      long double n = 0;
      for (const TFlugel& f : Flugels(c)) n += f.Sockel != nullptr;
      return n;
    };
    m[186] = m[189] = m[101];
    m[187] = m[190] = m[102];
    m[188] = m[191] = m[107];
    m[195] = [](const Tgx25Construction& c) {
      return SumBars<TCustomImpost>(Imposts(c),
                                    [](const TCustomImpost& b) -> long double { return b.LineType == ltStoika; });
    };
    m[196] = [](const Tgx25Construction& c) {
      return SumBars<TCustomImpost>(Imposts(c),
                                    [](const TCustomImpost& b) -> long double { return b.LineType == ltRiegel; });
    };
    m[197] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) -> long double { return s.CutPoints.size(); });
    };
    m[198] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) -> long double { return s.AnkerPoints.size(); });
    };
    m[201] = [](const Tgx25Construction& c) { return SumGlass(c, [](const Tgx25Glass& g) { return g.Perimeter(); }); };
    m[202] = [](const Tgx25Construction& c) { return SumGlass(c, [](const Tgx25Glass& g) { return g.Square(); }); };
    m[203] = m[108];
    m[204] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetArcCount(); });
    };
    m[205] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetStdAngleCount(); });
    };
    m[206] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetNotStdAngleCount(); });
    };
    m[207] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetSprossCount(); });
    };
    m[208] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetStdSprossCount(); });
    };
    m[209] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetNotStdSprossCount(); });
    };
    m[210] = [](const Tgx25Construction& c) {
      return SumGlass(c, [](const Tgx25Glass& g) -> long double { return g.GetSimpleGlassCount(); });
    };
    AddFillingMeasures(m);
    m[300] = [](const Tgx25Construction& c) { return Pieces(c.SillList, 0); };
    m[301] = [](const Tgx25Construction& c) { return Pieces(c.SillList, 1); };
    m[302] = [](const Tgx25Construction& c) { return Pieces(c.SillList, 2); };
    m[303] = [](const Tgx25Construction& c) { return Pieces(c.SillList, 3); };
    m[400] = [](const Tgx25Construction& c) { return Pieces(c.SinkList, 0); };
    m[401] = [](const Tgx25Construction& c) { return Pieces(c.SinkList, 1); };
    m[402] = [](const Tgx25Construction& c) { return Pieces(c.SinkList, 2); };
    m[403] = [](const Tgx25Construction& c) { return Pieces(c.SinkList, 3); };
    const std::pair<int, TNetList Tgx25Construction::*> nets[] = {{500, &Tgx25Construction::MosquitoList},
                                                                  {600, &Tgx25Construction::RolletList},
                                                                  {700, &Tgx25Construction::JalousieList}};
    for (const auto& [base, list] : nets)
      for (int what = 0; what < 3; ++what)
        m[base + what] = [list = list, what](const Tgx25Construction& c) { return Nets(c.*list, what); };
    m[1005] = [](const Tgx25Construction& c) { return ObjTypeValue(c, otxWindow, false); };
    m[1006] = [](const Tgx25Construction& c) { return ObjTypeValue(c, otxDoor, false); };
    m[1007] = [](const Tgx25Construction& c) { return ObjTypeValue(c, otxWindow, true); };
    m[1008] = [](const Tgx25Construction& c) { return ObjTypeValue(c, otxDoor, true); };
    m[1013] = [](const Tgx25Construction& c) {
      return SumSides(c, IsFrame, [](const Tgx25FrameLine& s) { return Metres(s.ProfSize.Length); });
    };
    m[1014] = [](const Tgx25Construction& c) {
      return SumSides(c, IsFlugel, [](const Tgx25FrameLine& s) { return Metres(s.ProfSize.Length); });
    };
    m[1015] = [](const Tgx25Construction& c) { return ImpostLength(c, 0); };
    m[1016] = [](const Tgx25Construction& c) { return ImpostLength(c, 1); };
    m[1017] = [](const Tgx25Construction& c) { return ImpostLength(c, 2); };
    m[1018] = [](const Tgx25Construction& c) {
      return SumBars<Tgx25Stulp>(Stulps(c), [](const Tgx25Stulp& b) { return Metres(b.ProfSize.Length); });
    };
    m[1019] = [](const Tgx25Construction& c) { return SumBeadFrames(c, false, true); };
    m[1020] = [](const Tgx25Construction& c) { return SumBeadFrames(c, true, true); };
    m[1021] = SteelLength;
    m[1022] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement, [](const Tgx25FrameLine& s) { return s.Attach ? s.AttachSize / 1000.0L : 0; });
    };
    m[1023] = [](const Tgx25Construction& c) {
      return SumSides(c, AnyElement,
                      [](const Tgx25FrameLine& s) { return s.Threshold ? Metres(s.ProfSize.Length) : 0; });
    };
    return m;
  }();
  return measures;
}

// Every cut piece of the construction's frames with its count.
template <class TVisit>
void ForEachPiece(const Tgx25Construction& C, const TVisit& Visit) {
  for (const TFrame& frame : Frames(C))
    for (const Tgx25CutMapItem& piece : frame.CutMap) Visit(piece);
}

}  // namespace

long double GetConstructionMeasure(const Tgx25Construction& Construction, int Code) {
  const auto found = Measures().find(Code);
  return found != Measures().end() ? found->second(Construction) : 0;
}

int GetProfLengthCount(const Tgx25Construction& Construction, double MinLength, double MaxLength, int Kind) {
  int count = 0;
  ForEachPiece(Construction, [&](const Tgx25CutMapItem& piece) {
    const bool kind = Kind == 0 || piece.StdAngle() == (Kind == 1);
    if (kind && piece.Length >= MinLength && piece.Length <= MaxLength) count += piece.Value6;
  });
  return count;
}

int GetWeldCountByLineSize(const Tgx25Construction& Construction, double MinSide, double MaxSide) {
  int count = 0;
  for (const TCustomFrame* element : Elements(Construction)) {
    const int corners = static_cast<int>(element->Points.size());
    for (int i = 0; i < corners; ++i) {
      const Tgx25Line* prior = element->PriorLine(i);
      const Tgx25Line* next = element->Lines[static_cast<size_t>(i)].get();
      const auto within = [&](const Tgx25Line* l) {
        return l != nullptr && l->GetRealSize() >= MinSide && l->GetRealSize() <= MaxSide;
      };
      if (WeldedCorner(*element, i) && within(prior) && within(next)) ++count;
    }
  }
  return count;
}

int GetWeldCountBySquare(const Tgx25Construction& Construction, double MinSquare, double MaxSquare) {
  int count = 0;
  for (const TCustomFrame* element : Elements(Construction)) {
    const TRect r = BoundRectOf(element->GetDimensions());
    const long double square =
        GetSize10(static_cast<float>(r.Width())) * GetSize10(static_cast<float>(r.Height())) / 1000000.0L;
    if (square < MinSquare || square > MaxSquare) continue;
    for (size_t i = 0; i < element->Points.size(); ++i) count += WeldedCorner(*element, static_cast<int>(i)) ? 1 : 0;
  }
  return count;
}

}  // namespace kv
