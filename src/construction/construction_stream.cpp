// The records of the construction stream. Each record is one function template over the field
// archive (TFieldWriter or TFieldReader), so writing and reading share one list of fields; what
// only a reader does (creating children, legacy values of older streams, resolving references)
// sits in `if constexpr (A::kReading)` branches.
#include "construction/construction_stream.h"

#include <type_traits>
#include <utility>

#include "catalogue/colour_lookups.h"
#include "catalogue/window_type_lookups.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/owned_lists.h"
#include "construction/stream_records.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/random.h"
#include "shell/stream_fields.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// Format dates of the construction stream.
constexpr TFormatDate k20_04_2006 = "20.04.2006";
constexpr TFormatDate k08_07_2007 = "08.07.2007";
constexpr TFormatDate k04_11_2007 = "04.11.2007";
constexpr TFormatDate k15_01_2008 = "15.01.2008";
constexpr TFormatDate k16_01_2008 = "16.01.2008";
constexpr TFormatDate k28_01_2008 = "28.01.2008";
constexpr TFormatDate k03_02_2008 = "03.02.2008";
constexpr TFormatDate k08_02_2008 = "08.02.2008";
constexpr TFormatDate k25_02_2008 = "25.02.2008";
constexpr TFormatDate k27_02_2008 = "27.02.2008";
constexpr TFormatDate k06_03_2008 = "06.03.2008";
constexpr TFormatDate k12_03_2008 = "12.03.2008";
constexpr TFormatDate k01_09_2008 = "01.09.2008";
constexpr TFormatDate k04_09_2009 = "04.09.2009";
constexpr TFormatDate k21_09_2009 = "21.09.2009";
constexpr TFormatDate k23_04_2012 = "23.04.2012";

// Frames nest in parts of frames and sashes; no real construction comes near this depth.
constexpr int kMaxNesting = 32;

// The reader of a construction stream: the field reader with the nesting depth it has reached.
class TModelReader : public TFieldReader {
public:
  TModelReader(TSpecStream& Stream, const std::string& Version)
      : TFieldReader(Stream, Version.empty() ? kConstructionStreamVersion : Version) {}
  int Depth = 0;
};

// Counts one level of nesting while a frame-like element is read.
template <class A>
class TNestingGuard {
public:
  explicit TNestingGuard(A& Archive) : archive_(Archive) {
    if constexpr (A::kReading) {
      if (++archive_.Depth > kMaxNesting)
        throw EInOutError("Ошибка чтения из потока!\r\nСлишком глубокая вложенность элементов конструкции!");
    }
  }
  ~TNestingGuard() {
    if constexpr (A::kReading) --archive_.Depth;
  }
  TNestingGuard(const TNestingGuard&) = delete;
  TNestingGuard& operator=(const TNestingGuard&) = delete;

private:
  A& archive_;
};

// Object as T, keeping its constness; a stored object of another class cannot be written.
template <class T, class B>
auto& As(B& Object) {
  using TTarget = std::conditional_t<std::is_const_v<B>, const T, T>;
  auto* typed = dynamic_cast<TTarget*>(&Object);
  if (typed == nullptr) throw EInOutError("Ошибка записи в поток!\r\nНеожиданный тип объекта конструкции!");
  return *typed;
}

// A value read and dropped: fields of older streams that no longer exist.
template <class A, class T>
void Dropped(A& a) {
  T value{};
  if constexpr (std::is_same_v<T, std::string>)
    a.Str(value);
  else if constexpr (std::is_same_v<T, bool>)
    a.Bool(value);
  else
    a.Int(value);
}

template <class A, class S>
void PointXY(A& a, S& p) {
  a.Int(p.X);
  a.Int(p.Y);
}

// A joint type from its stored ordinal; an unknown ordinal is an unknown joint.
TAngleType AngleTypeOf(int32_t Value) {
  return Value >= atX45 && Value <= atUnknown ? static_cast<TAngleType>(Value) : atUnknown;
}

template <class A, class S>
void AngleTypeByte(A& a, S& Type) {
  uint8_t value = static_cast<uint8_t>(Type);
  a.Byte(value, static_cast<uint8_t>(atUnknown));
  if constexpr (A::kReading) Type = AngleTypeOf(value);
}

template <class A, class S>
void AngleTypeInt(A& a, S& Type) {
  int32_t value = static_cast<int32_t>(Type);
  a.Int(value);
  if constexpr (A::kReading) Type = AngleTypeOf(value);
}

// ---- points and lines -----------------------------------------------------------------------

template <class A, class S>
void SelectedObjectRecord(A& a, S& s) {
  a.Int(s.InternalID);
  if (a.Since(k01_09_2008)) a.Int(s.SteelInternalID);
  if (a.Since(k28_01_2008)) a.Int(s.ErrCode);
  if constexpr (A::kReading)
    if (_GXGenNewBarCode()) s.GenerateNewIDs();
}

template <class A, class S>
void SimplePointRecord(A& a, S& s) {
  SelectedObjectRecord(a, s);
  a.Int(s.X);
  a.Int(s.Y);
}

template <class A, class S>
void PointRecord(A& a, S& s) {
  SimplePointRecord(a, s);
  if (!a.Since(k08_07_2007)) {
    Dropped<A, std::string>(a);
    Dropped<A, std::string>(a);
  }
  a.Bool(s.StulpPoint);
  if (a.Since(k08_07_2007)) {
    a.Text(s.PropList);
    AngleTypeByte(a, s.AngleType);
    a.Int(s.SubSetID);
    a.Str(s.SubSetColor);
  }
  if (a.Since(k06_03_2008)) a.Bool(s.Virtual);
}

template <class A, class S>
void FramePointRecord(A& a, S& s) {
  PointRecord(a, s);
  for (auto* p : {&s.PointW, &s.PointI, &s.PointF, &s.Point1, &s.PointW1, &s.PointI1, &s.PointF1, &s.Point2, &s.PointW2,
                  &s.PointI2, &s.PointF2})
    PointXY(a, *p);
  if (!a.Since(k08_07_2007)) AngleTypeInt(a, s.AngleType);
  if (!a.Since(k06_03_2008)) a.Bool(s.Virtual);
}

template <class A, class S>
void ProfilePointRecord(A& a, S& s) {
  PointRecord(a, s);
  for (auto* p : {&s.PointW, &s.PointI, &s.PointF, &s.PointW2, &s.PointI2}) PointXY(a, *p);
  if (!a.Since(k08_07_2007)) AngleTypeInt(a, s.AngleType);
}

template <class A, class S>
void CutLinePointRecord(A& a, S& s) {
  PointRecord(a, s);
  for (auto* value : {&s.EnforceLen, &s.Delta0, &s.Delta1, &s.Delta2}) a.Real(*value);
  if (a.Since(k16_01_2008)) {
    a.Real(s.AngleZ);
    a.Real(s.AngleX);
  }
}

template <class A, class S>
void SimpleLineRecord(A& a, S& s) {
  SelectedObjectRecord(a, s);
  for (auto* value : {&s.Radius, &s.Radius2, &s.Center.X, &s.Center.Y}) a.Real(*value);
}

template <class A, class S>
void ProfileLineRecord(A& a, S& s) {
  SimpleLineRecord(a, s);
  a.Str(s.Profile);
  for (auto* value : {&s.Length, &s.Angle1, &s.Angle2, &s.CarriedValue1, &s.CarriedValue2}) a.Real(*value);
}

template <class A, class S>
void LineRecord(A& a, S& s) {
  SimpleLineRecord(a, s);
  TModelObject* owner = Mutable(s);
  if (a.Since(k08_07_2007)) {
    a.Text(s.PropList);
    OwnedRecords(
        a, s.AnkerPoints, [owner] { return std::make_unique<TgxAnkerPoint>(owner); },
        [](auto& archive, auto& p) { PointRecord(archive, p); });
    OwnedRecords(
        a, s.CutPoints, [owner] { return std::make_unique<TgxCutLinePoint>(owner); },
        [](auto& archive, auto& p) { CutLinePointRecord(archive, p); });
  }
  if (a.Since(k15_01_2008)) {
    a.Int(s.DeltaLen1);
    a.Int(s.DeltaLen2);
  }
  if (a.Since(k28_01_2008)) {
    a.Real(s.NeedIx);
    a.Real(s.SelfIx);
  }
  if (a.Since(k08_02_2008)) a.Byte(s.LineType, ltUnknown);
  if (a.Since(k06_03_2008)) a.Bool(s.Virtual);
  if (a.Since(k12_03_2008)) {
    a.Int(s.SubSetID);
    a.Str(s.SubSetColor);
  }
  OwnedRecords(
      a, s.Points, [owner] { return std::make_unique<Tgx25Point>(owner); },
      [](auto& archive, auto& p) { PointRecord(archive, p); });
}

template <class A, class S>
void ProfileFields(A& a, S& p) {
  a.Real(p.Length);
  a.Real(p.Angle1);
  a.Real(p.Angle2);
}

template <class A, class S>
void ColorProfFields(A& a, S& p) {
  a.Str(p.ID);
  a.Str(p.Color);
}

template <class A, class S>
void CustomProfFields(A& a, S& p) {
  ColorProfFields(a, p);
  ProfileFields(a, p);
  a.Real(p.Count);
}

template <class A, class S>
void FrameLineRecord(A& a, S& s) {
  LineRecord(a, s);
  a.Str(s.No);
  for (auto* radius : {&s.RadiusW, &s.RadiusI, &s.RadiusF, &s.Radius2W, &s.Radius2I, &s.Radius2F}) a.Real(*radius);
  CustomProfFields(a, s.Profile);
  CustomProfFields(a, s.Steel);
  ProfileFields(a, s.ProfSize);
  ProfileFields(a, s.SteelSize);
  ColorProfFields(a, s.AttachProfile);
  a.Int(s.AttachSize);
  ColorProfFields(a, s.Rubber);
  a.Bool(s.Armed);
  a.Bool(s.Attach);
  a.Bool(s.Threshold);
  a.Bool(s.Axis);
  a.Int(s.RotSide);
  a.Bool(s.Handled);
  a.Bool(s.Banded);
  a.Bool(s.Drived);
  a.Bool(s.Montage);
  a.Int(s.HandleHeight);
  PointXY(a, s.HandlePoint);
  a.Real(s.DeltaW);
  if (!a.Since(k06_03_2008)) Dropped<A, bool>(a);
  if (a.Since(k08_07_2007) && !a.Since(k25_02_2008)) {
    Dropped<A, int32_t>(a);
    Dropped<A, bool>(a);
    Dropped<A, int32_t>(a);
    Dropped<A, std::string>(a);
  }
}

// ---- bars -----------------------------------------------------------------------------------

template <class A, class S>
void CustomImpostRecord(A& a, S& s) {
  LineRecord(a, s);
  a.Str(s.No);
  ColorProfFields(a, s.Profile);
  ProfileFields(a, s.ProfSize);
  for (auto* p : {&s.XWPoint_1A, &s.XWPoint_1B, &s.XWPoint_2A, &s.XWPoint_2B, &s.XIPoint_1A, &s.XIPoint_1B,
                  &s.XIPoint_2A, &s.XIPoint_2B})
    PointXY(a, *p);
  a.Real(s.DeltaW1);
  a.Real(s.DeltaW2);
  if (!a.Since(k06_03_2008)) a.Bool(s.Virtual);
  if (a.Since(k04_11_2007)) a.Real(s.RotAngle);
  ItemRecord(a, s.AccList);
}

template <class A, class S>
void InforcedImpostRecord(A& a, S& s) {
  CustomImpostRecord(a, s);
  a.Str(s.Steel.ID);
  ProfileFields(a, s.SteelSize);
}

template <class A, class S>
void ImpostRecord(A& a, S& s) {
  InforcedImpostRecord(a, s);
  if (a.Since(k08_07_2007) && !a.Since(k25_02_2008)) {
    Dropped<A, int32_t>(a);
    Dropped<A, bool>(a);
    Dropped<A, int32_t>(a);
    Dropped<A, std::string>(a);
    Dropped<A, bool>(a);
  }
}

template <class A, class S>
void ProfileRecord(A& a, S& s) {
  ColorProfFields(a, s);
  ProfileFields(a, s);
}

template <class A, class S>
void InforcedProfileRecord(A& a, S& s) {
  ProfileRecord(a, s);
  a.Str(s.Steel);
  for (auto* value : {&s.SteelLength, &s.SteelAngle1, &s.SteelAngle2, &s.SteelThickness}) a.Real(*value);
}

template <class A, class S>
void StulpRecord(A& a, S& s) {
  InforcedImpostRecord(a, s);
  a.Int(s.Primary);
  TModelObject* owner = Mutable(s);
  OptionalRecord(
      a, s.SlaveStulp, [owner] { return std::make_unique<TInforcedProfile>(owner); },
      [](auto& archive, auto& p) { InforcedProfileRecord(archive, p); });
}

template <class A, class S>
void FalshRecord(A& a, S& s) {
  CustomImpostRecord(a, s);
  ColorProfFields(a, s.BackProfile);
  ProfileFields(a, s.BackProfSize);
}

// ---- references -----------------------------------------------------------------------------

// A reference written from what the saver formed, or read and decoded (nullopt when unusable).
template <class A>
std::optional<TStreamRef> RefValue(A& a, const std::optional<TStreamRef>& Formed, const char* SaveError) {
  std::optional<int32_t> value;
  if constexpr (!A::kReading) {
    if (Formed) value = EncodeStreamRef(*Formed, a.Since(kWideRefsDate));
    if (!value) throw ECreationError(SaveError);
  }
  int32_t stored = value.value_or(-1);
  a.Int(stored);
  if constexpr (A::kReading) return DecodeStreamRef(stored, a.Since(kWideRefsDate));
  return Formed;
}

// The two end points of every bar: points on the sides or on other bars.
template <class A, class E>
void ImpostEndRefs(A& a, E& e) {
  for (size_t i = 0; i < e.Imposts.size(); ++i) {
    auto& impost = *e.Imposts[i];
    for (auto* end : {&impost.PX1, &impost.PX2}) {
      const std::optional<TStreamRef> ref =
          RefValue(a, PointStreamRef(e, *end, false), "Не могу определить точку опоры импоста!");
      if constexpr (A::kReading) {
        *end = ref ? ResolvePointRef(e, *ref, false) : nullptr;
        if (*end == nullptr) throw ECreationError(Format("Не могу определить точку опоры импоста № %d!", i + 1));
      }
    }
  }
}

// "... № <point> в разделе №<part> в контуре № <element>!"
std::string UnresolvedContourRef(const char* What, size_t Item, size_t Part, const TAbstractFrame& Element) {
  return std::string("Не могу определить ссылку на ") + What + " № " + IntToStr(static_cast<int64_t>(Item + 1)) +
         " в разделе №" + IntToStr(static_cast<int64_t>(Part + 1)) + " в контуре № " + Element.Name + "!";
}

// The part runs along Line from From to To against the line's own direction.
bool RunsAgainst(const Tgx25Line& Line, const Tgx25SimplePoint* From, const Tgx25SimplePoint* To) {
  if (Line.PX1 == From || Line.PX2 == To) return false;
  if (Line.PX2 == From || Line.PX1 == To) return true;
  if (Line.PX1 == nullptr || Line.PX2 == nullptr || From == nullptr || To == nullptr) return false;
  const long double dot =
      static_cast<long double>(Line.PX2->X - static_cast<long double>(Line.PX1->X)) *
          (static_cast<long double>(To->X) - From->X) +
      (static_cast<long double>(Line.PX2->Y) - Line.PX1->Y) * (static_cast<long double>(To->Y) - From->Y);
  return dot < 0;
}

// Part line i runs from part point i to part point i + 1: its direction follows from them.
void RestoreLineDirections(TFalshPart& Part) {
  const size_t count = Part.Points.size();
  for (size_t i = 0; i < Part.Lines.size() && count > 0; ++i) {
    Tgx25PartLine& line = *Part.Lines[i];
    line.Inverted = RunsAgainst(*line.Line, Part.Points[i % count]->Point, Part.Points[(i + 1) % count]->Point);
  }
}

// One list of a part's contour (corners or sides): a count and a reference for each item. FormRef
// gives the reference of an item, Named the object that a reference names.
template <class A, class L, class Form, class Resolve>
void ContourRefList(A& a, L& Items, const TAbstractFrame& Element, size_t PartIndex, const char* What,
                    const char* SaveError, Form FormRef, Resolve Named) {
  using TItem = typename L::value_type::element_type;
  int32_t count = static_cast<int32_t>(Items.size());
  a.Int(count);
  const size_t checked = A::kReading ? CheckedCount(a.Stream(), count, kMinStoredRecordSize) : Items.size();
  if constexpr (A::kReading) Items.clear();
  for (size_t i = 0; i < checked; ++i) {
    const std::optional<TStreamRef> ref =
        RefValue(a, A::kReading ? std::optional<TStreamRef>() : FormRef(*Items[i]), SaveError);
    if constexpr (A::kReading) {
      auto* object = ref ? Named(*ref) : nullptr;
      if (object == nullptr) throw ECreationError(UnresolvedContourRef(What, i, PartIndex, Element));
      Items.push_back(std::make_unique<TItem>(object));
    }
  }
}

// The contour of one part: its corners and its sides as references into the element.
template <class A, class E, class P>
void PartContour(A& a, E& e, P& Part, size_t PartIndex) {
  ContourRefList(
      a, Part.Points, e, PartIndex, "точку", "Не могу определить ссылку на точку в разделе!",
      [&e](const Tgx25PartPoint& point) { return PointStreamRef(e, point.Point, true); },
      [&e](const TStreamRef& ref) { return ResolvePointRef(e, ref, true); });
  ContourRefList(
      a, Part.Lines, e, PartIndex, "линию", "Не могу определить ссылку на линию в разделе!",
      [&e](const Tgx25PartLine& line) { return LineStreamRef(e, line.Line); },
      [&e](const TStreamRef& ref) { return ResolveLineRef(e, ref); });
  if constexpr (A::kReading) RestoreLineDirections(Part);
}

template <class A, class E>
void PartContours(A& a, E& e) {
  for (size_t i = 0; i < e.Parts.size(); ++i) PartContour(a, e, *e.Parts[i], i);
}

// The parts on the two sides of each meeting stile, as part indices (-1: none).
template <class A, class E>
void StulpRefs(A& a, E& e) {
  for (const auto& impost : e.Imposts) {
    auto* stulp = dynamic_cast<Tgx25Stulp*>(impost.get());
    if (stulp == nullptr) continue;
    for (Tgx30CustomPart** side : {&stulp->PrimaryPartPtr, &stulp->SlavePartPtr}) {
      int32_t index = *side == nullptr ? -1 : IndexOfOwned(e.Parts, *side);
      if constexpr (!A::kReading)
        if (*side != nullptr && index < 0) throw ECreationError("Не могу определить раздел штульпа!");
      a.Int(index);
      if constexpr (A::kReading) {
        if (index < -1 || index >= static_cast<int32_t>(e.Parts.size()))
          throw ECreationError(Format("Не могу определить раздел штульпа № %s!", stulp->No));
        *side = index < 0 ? nullptr : dynamic_cast<Tgx30CustomPart*>(e.Parts[static_cast<size_t>(index)].get());
        if (*side != nullptr) (*side)->StulpPtr = stulp;
      }
    }
  }
}

// ---- frame-like elements --------------------------------------------------------------------

template <class A, class E>
void CustomFrameRecord(A& a, E& e);
template <class A, class S>
void FrameRecord(A& a, S& s);
template <class A, class S>
void FlugelRecord(A& a, S& s);
template <class A, class S>
void GlassRecord(A& a, S& s);

// Name, identifier, corners and sides; reading closes the contour (side i from corner i to i + 1).
template <class A, class E, class MakePoint, class PointFields, class MakeLine, class LineFields>
void AbstractFrameRecord(A& a, E& e, MakePoint NewPoint, PointFields Point, MakeLine NewLine, LineFields Line) {
  a.Str(e.Name);
  a.Int(e.InternalID);
  if constexpr (A::kReading) {
    if (_GXGenNewBarCode()) e.InternalID = GetRandomID();
    e.ClearParts();
    e.ClearImposts();
    e.ClearLines();
    e.ClearPoints();
  }
  OwnedRecords(a, e.Points, NewPoint, Point);
  OwnedRecords(a, e.Lines, NewLine, Line);
  if constexpr (A::kReading) e.UpdateLinePointPtr();
}

template <class A, class S>
void CustomPartRecord(A& a, S& s) {
  SelectedObjectRecord(a, s);
  a.Str(s.No);
  TFillType fill = s.FillType;
  a.Byte(fill, ftUnknown);
  a.Int(s.GlassContour);
  a.Bool(s.StulpPart);
  if constexpr (A::kReading) {
    switch (fill) {
      case ftGlass: s.SetNewGlass(s.GlassContour); break;
      case ftFlugel: s.SetNewFlugel(); break;
      case ftModificator: s.SetNewModificator(); break;
      case ftFrame: s.SetNewFrame(); break;
      default: s.ClearObject(); break;
    }
    s.FillType = fill;
  }
  switch (fill) {
    case ftGlass: {
      GlassRecord(a, *s.Glass);
      auto* part = Mutable(s);
      OptionalRecord(
          a, s.Glass2, [part] { return std::make_unique<Tgx25Glass>(part, part->GlassContour); },
          [](auto& archive, auto& glass) { GlassRecord(archive, glass); });
      break;
    }
    case ftFlugel: FlugelRecord(a, *s.Flugel); break;
    case ftModificator: CustomFrameRecord(a, *s.Modificator); break;
    case ftFrame: FrameRecord(a, *s.Frame); break;
    default: break;
  }
}

template <class A, class E>
void CustomFrameRecord(A& a, E& e) {
  TNestingGuard<A> nesting(a);
  TModelObject* owner = Mutable(e);
  AbstractFrameRecord(
      a, e, [owner] { return std::make_unique<Tgx25FramePoint>(owner); },
      [](auto& archive, auto& p) { FramePointRecord(archive, As<Tgx25FramePoint>(p)); },
      [owner] { return std::make_unique<Tgx25FrameLine>(owner, nullptr, nullptr); },
      [](auto& archive, auto& l) { FrameLineRecord(archive, As<Tgx25FrameLine>(l)); });
  a.Int(e.ID);
  a.Real(e.WeldAllowance);
  if (a.Since(k20_04_2006)) a.Text(e.PropList);
  ItemRecord(a, e.AccList);

  auto* element = Mutable(e);
  OwnedRecords(
      a, e.Parts, [element] { return std::make_unique<Tgx30CustomPart>(element); },
      [](auto& archive, auto& part) { CustomPartRecord(archive, As<Tgx30CustomPart>(part)); });
  int32_t count = static_cast<int32_t>(e.Imposts.size());
  a.Int(count);
  const size_t impost_count = A::kReading ? CheckedCount(a.Stream(), count, kMinStoredRecordSize) : e.Imposts.size();
  for (size_t i = 0; i < impost_count; ++i) {
    bool stulp = A::kReading ? false : dynamic_cast<const Tgx25Stulp*>(e.Imposts[i].get()) != nullptr;
    a.Bool(stulp);
    if constexpr (A::kReading) {
      if (stulp)
        element->AddImpost(std::make_unique<Tgx25Stulp>(element, nullptr, nullptr));
      else
        element->AddImpost(std::make_unique<TImpost>(element, nullptr, nullptr));
    }
    if (stulp)
      StulpRecord(a, As<Tgx25Stulp>(*e.Imposts[i]));
    else
      ImpostRecord(a, As<TImpost>(*e.Imposts[i]));
  }
  ImpostEndRefs(a, e);
  PartContours(a, e);
  StulpRefs(a, e);
}

// The frame of false mullions or glazing bars of a glass: plain joints and lines, plain parts.
template <class A, class E, class Part, class Bar, class BarFields>
void BarFrameRecord(A& a, E& e, BarFields Bar_) {
  TNestingGuard<A> nesting(a);
  auto* element = Mutable(e);
  AbstractFrameRecord(
      a, e, [element] { return std::make_unique<Tgx25Point>(element); },
      [](auto& archive, auto& p) { PointRecord(archive, p); },
      [element] { return std::make_unique<Tgx25Line>(element); },
      [](auto& archive, auto& l) { LineRecord(archive, l); });
  OwnedRecords(
      a, e.Parts, [element] { return std::make_unique<Part>(element); },
      [](auto& archive, auto& part) {
        SelectedObjectRecord(archive, part);
        archive.Str(part.No);
      });
  OwnedRecords(
      a, e.Imposts, [element] { return std::make_unique<Bar>(element, nullptr, nullptr); },
      [&](auto& archive, auto& bar) { Bar_(archive, As<Bar>(bar)); });
  ImpostEndRefs(a, e);
  PartContours(a, e);
}

template <class A, class S>
void FalshFrameRecord(A& a, S& s) {
  BarFrameRecord<A, S, TFalshPart, TFalsh>(a, s, [](auto& archive, auto& bar) { FalshRecord(archive, bar); });
}

template <class A, class S>
void SprossFrameRecord(A& a, S& s) {
  BarFrameRecord<A, S, Tgx25SprossPart, Tgx25Spross>(
      a, s, [](auto& archive, auto& bar) { CustomImpostRecord(archive, bar); });
}

// ---- glass ----------------------------------------------------------------------------------

template <class A, class S>
void SimpleFrameRecord(A& a, S& s) {
  TModelObject* owner = Mutable(s);
  OwnedRecords(
      a, s.Points, [owner] { return std::make_unique<Tgx25ProfilePoint>(owner); },
      [](auto& archive, auto& p) { SimplePointRecord(archive, p); });
  OwnedRecords(
      a, s.Lines, [owner] { return std::make_unique<Tgx25ProfileLine>(owner); },
      [](auto& archive, auto& l) { SimpleLineRecord(archive, l); });
  if constexpr (A::kReading) s.UpdateLinePointPtr();
}

template <class A, class S>
void BeadFrameRecord(A& a, S& s) {
  a.Str(s.Profile);
  TModelObject* owner = Mutable(s);
  OwnedRecords(
      a, s.Points, [owner] { return std::make_unique<Tgx25ProfilePoint>(owner); },
      [](auto& archive, auto& p) { ProfilePointRecord(archive, As<Tgx25ProfilePoint>(p)); });
  OwnedRecords(
      a, s.Lines, [owner] { return std::make_unique<Tgx25ProfileLine>(owner); },
      [](auto& archive, auto& l) { ProfileLineRecord(archive, As<Tgx25ProfileLine>(l)); });
  if constexpr (A::kReading) s.UpdateLinePointPtr();
}

template <class A, class S>
void GlassRecord(A& a, S& s) {
  SelectedObjectRecord(a, s);
  a.Str(s.No);
  a.Str(s.Glass);
  a.Int64(s.CombineID);
  a.Int(s.Thickness);
  for (auto* profile : {&s.Bead, &s.Adapter, &s.ProfRubber, &s.BeadRubber}) ColorProfFields(a, *profile);
  SimpleFrameRecord(a, s.GlassSizes);
  BeadFrameRecord(a, s.BeadSizes);
  BeadFrameRecord(a, s.AdapterSizes);
  a.Str(s.CarriedText1);
  a.Str(s.CarriedText2);
  CountedRecords(a, s.Linings, kMinStoredRecordSize, [](auto& archive, auto& lining) {
    archive.Str(lining.ID);
    archive.Int(lining.Num);
  });
  ItemRecords(a, s.MatList);
  auto* glass = Mutable(s);
  OptionalRecord(
      a, s.SprossFrame, [glass] { return std::make_unique<Tgx25SprossFrame>(glass); },
      [](auto& archive, auto& frame) { SprossFrameRecord(archive, frame); });
  OptionalRecord(
      a, s.FalshFrame, [glass] { return std::make_unique<TFalshFrame>(glass); },
      [](auto& archive, auto& frame) { FalshFrameRecord(archive, frame); });
}

// ---- sashes and frames ----------------------------------------------------------------------

template <class A, class S>
void FurnItemRecord(A& a, S& s) {
  a.Str(s.ID);
  a.Real(s.Length);
  a.Int(s.Number);
  if (a.Since(k23_04_2012)) a.Str(s.Info);
}

template <class A, class S>
void FurnCompRecord(A& a, S& s) {
  if constexpr (A::kReading) s.Components.resize(FURN_COMPONENT_COUNT);
  // A set made elsewhere may hold fewer choices: the missing ones are written empty.
  const auto component = [&s](size_t i) -> std::string {
    return i < s.Components.size() ? s.Components[i] : std::string();
  };
  const auto choice = [&](size_t i) {
    if constexpr (A::kReading) {
      a.Str(s.Components[i]);
    } else {
      a.Str(component(i));
    }
  };
  a.Str(s.FurnSys);
  a.Str(s.ID);
  choice(0);
  choice(1);
  choice(2);
  a.Int(s.Setting);
  choice(3);
  a.Int(s.HandleHeight);
  a.Bool(s.Flag);
  choice(4);
  choice(5);
  choice(6);
  if (a.Since(k01_09_2008)) choice(7);
  for (auto& value : s.CarriedValues) a.Int(value);
  a.Text(s.PropList);
  a.Text(s.PredefinedPropList);
  if (a.Since(k23_04_2012))
    CountedRecords(a, s.Items, kMinStoredRecordSize, [](auto& archive, auto& item) { FurnItemRecord(archive, item); });
}

template <class A, class S>
void FlugelRecord(A& a, S& s) {
  CustomFrameRecord(a, s);
  a.Bool(s.Kipp);
  a.Str(s.Mosquito.Article);
  a.Int(s.Mosquito.Width);
  a.Int(s.Mosquito.Height);
  TModelObject* owner = Mutable(s);
  OptionalRecord(
      a, s.Sockel, [owner] { return std::make_unique<TSockel>(owner); },
      [](auto& archive, auto& p) { ProfileRecord(archive, p); });
  OptionalRecord(
      a, s.FurnComp, [] { return std::make_unique<TFurnComp>(); },
      [](auto& archive, auto& set) { FurnCompRecord(archive, set); });
}

template <class A, class S>
void FrameRecord(A& a, S& s) {
  CustomFrameRecord(a, s);
  a.Int(s.TypeWin);
  a.Byte(s.ObjType, otxFasad);
  for (auto* text : {&s.Article, &s.ArticleName, &s.ProfSys, &s.ProfColor, &s.FurnSys, &s.FurnColor}) a.Str(*text);
  ColorProfFields(a, s.WasserAbdeckkappe);
  ColorProfFields(a, s.Auflaufbock);
  for (auto* text : {&s.FlugelRubberColor, &s.ProfRubberColor, &s.BeadRubberColor}) a.Str(*text);
  PointXY(a, s.LeftTop);
  if (a.Since(k03_02_2008)) {
    a.Int(s.MatType);
    a.Int(s.StaticMethod);
  } else if constexpr (A::kReading) {
    // Older streams did not keep the system's material type and static method: the catalogue
    // gives them.
    s.MatType = GetSysMatType(s.ProfSys);
    s.StaticMethod = GetProfTypeStaticMethod(s.TypeWin, s.ProfSys);
  }
  a.Text(s.Note);
  a.Real(s.RubberCount);
  ItemRecords(a, s.CutMap);
  ItemRecords(a, s.Materials);
}

// ---- the construction -----------------------------------------------------------------------

template <class A, class S>
void LayerFields(A& a, S& s) {
  a.Int(s.Width);
  a.Int(s.Length);
}

template <class A, class S>
void ConstructionHeader(A& a, S& s) {
  a.Int(s.CarriedInt1);
  a.Str(s.No);
  a.Str(s.CarriedText1);
  a.Str(s.CarriedText2);
  a.Int(s.Count);
  if (a.Since(k03_02_2008))
    a.Byte(s.LoadGroupH, lg480);
  else if constexpr (A::kReading)
    s.LoadGroupH = lg10;
  a.Byte(s.ViewSide);
  a.Str(s.CarriedText3);
  a.Bool(s.CarriedFlag1);
  a.Str(s.CarriedText4);
  a.Bool(s.CarriedFlag2);
  a.Int(s.CarriedInt2);
  a.Real(s.WorkCoef);
  a.Bool(s.CheckStaticOnSave);
  for (auto* layer : {&s.SillLayer, &s.SinkLayer, &s.StuccoLayer, &s.QuarterLayer}) LayerFields(a, *layer);
  if (a.Since(k27_02_2008))
    a.Int(s.Material);
  else if constexpr (A::kReading)
    s.Material = 0;
  a.Int(s.ColorVariant);
  a.Str(s.InnerColor);
  a.Str(s.OuterColor);
  a.Int(s.ColorPriceList);
  a.Int(s.ColorTechnology);
  a.Text(s.ColorTechPropList);
  a.Text(s.Notes);
}

template <class A, class S>
void ConstructionPrices(A& a, S& s) {
  for (auto* price :
       {&s.WindowFixPrice, &s.DopProfFixPrice, &s.MontMatFixPrice, &s.SillFixPrice, &s.SinkFixPrice,
        &s.MosquitoFixPrice, &s.RolletFixPrice, &s.JalousieFixPrice, &s.SlopeFixPrice, &s.OtherMatFixPrice})
    a.Money(*price);
  a.Int(s.FixCurrency);
  for (auto* unit : {&s.WindowRedUnit, &s.DopProfRedUnit, &s.MontMatRedUnit, &s.SillRedUnit, &s.SinkRedUnit,
                     &s.MosquitoRedUnit, &s.RolletRedUnit, &s.JalousieRedUnit, &s.SlopeRedUnit, &s.OtherMatRedUnit})
    a.Byte(*unit, nuFixedPrice);
}

template <class A, class S>
void ConstructionLists(A& a, S& s) {
  AddOnLists(a, s.DopProfList, s.MontMatList, s.SillList, s.SinkList, s.MosquitoList, s.RolletList, s.JalousieList,
             s.CarriedCount1, s.CarriedCount2);
  ItemRecords(a, s.MatList);
  ItemRecords(a, s.EstimateList);
  ItemRecords(a, s.ServiceList);
  ItemRecords(a, s.AccessoryDocList);
}

template <class A, class S>
void ConstructionTail(A& a, S& s) {
  for (auto& cost : s.CostSummary) a.Money(cost);
  a.Real(s.CarriedReal);
  if (a.Since(k04_09_2009)) {
    a.Date(s.TimeStamp1);
    a.Date(s.TimeStamp2);
  } else if constexpr (A::kReading) {
    s.TimeStamp1 = s.TimeStamp2 = Now();
  }
  if (a.Since(k21_09_2009)) {
    a.Str(s.CarriedText5);
    a.Date(s.TimeStamp3);
  } else if constexpr (A::kReading) {
    s.CarriedText5.clear();
    s.TimeStamp3 = Now();
  }
}

}  // namespace

void SaveConstruction(const Tgx25Construction& Construction, TSpecStream& Stream, const std::string& Version) {
  TFieldWriter writer(Stream, Version);
  ConstructionHeader(writer, Construction);
  ConstructionPrices(writer, Construction);
  ConstructionLists(writer, Construction);
  int32_t count = Construction.FrameCount();
  writer.Int(count);
  for (int i = 0; i < count; ++i) FrameRecord(writer, std::as_const(*Construction.GetFrame(i)));
  ConstructionTail(writer, Construction);
}

void SaveGlassRecord(const Tgx25Glass& Glass, TSpecStream& Stream, const std::string& Version) {
  TFieldWriter writer(Stream, Version);
  GlassRecord(writer, Glass);
}

void LoadGlassRecord(Tgx25Glass& Glass, TSpecStream& Stream, const std::string& Version) {
  TModelReader reader(Stream, Version);
  GlassRecord(reader, Glass);
}

void Tgx25Glass::Assign(const Tgx25Glass& Source) {
  if (&Source == this) return;
  try {
    TSpecStream copy;
    SaveGlassRecord(Source, copy);
    copy.SetPosition(0);
    LoadGlassRecord(*this, copy, kConstructionStreamVersion);
  } catch (const EKvError& error) {
    throw ECreationError(Format("Ошибка копирования заполнения!\r\n(%s)", error.what()));
  }
}

void LoadConstruction(Tgx25Construction& Construction, TSpecStream& Stream, const std::string& Version) {
  TModelReader reader(Stream, Version);
  Construction.Clear();
  ConstructionHeader(reader, Construction);
  ConstructionPrices(reader, Construction);
  ConstructionLists(reader, Construction);
  int32_t count = 0;
  reader.Int(count);
  const size_t checked = CheckedCount(Stream, count, kMinStoredRecordSize);
  if (checked > static_cast<size_t>(MAX_FRAME_COUNT))
    throw ECreationError(Format("Изделие не может содержать более %d рам!", MAX_FRAME_COUNT));
  for (size_t i = 0; i < checked; ++i) {
    Construction.FFrames.push_back(std::make_unique<TFrame>(&Construction, 0));
    FrameRecord(reader, *Construction.FFrames.back());
  }
  ConstructionTail(reader, Construction);
}

// ---- Tgx25Construction: stream, copies and backup -------------------------------------------

void Tgx25Construction::Save(TSpecStream& Stream) const { SaveConstruction(*this, Stream); }

void Tgx25Construction::Load(TSpecStream& Stream, const std::string& Version) {
  LoadConstruction(*this, Stream, Version);
}

void Tgx25Construction::Assign(const Tgx25Construction& Source) {
  if (&Source == this) return;
  TSpecStream copy;
  Source.Save(copy);
  copy.SetPosition(0);
  Load(copy, kConstructionStreamVersion);
}

void Tgx25Construction::CreateBackupCopy() {
  FBackupCopy = std::make_unique<TSpecStream>();
  Save(*FBackupCopy);
}

bool Tgx25Construction::RestoreBackupCopy() {
  if (!FBackupCopy) return false;
  FBackupCopy->SetPosition(0);
  try {
    Load(*FBackupCopy, kConstructionStreamVersion);
    return true;
  } catch (const std::exception& error) {
    ShowError(error.what());
    return false;
  }
}

}  // namespace kv
