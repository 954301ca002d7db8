// References of the construction stream: points and lines of a frame-like element named by the
// list that holds them (a side, a bar, the corners) and their positions in it.
#include "construction/construction_stream.h"
#include "construction/frames.h"
#include "construction/owned_lists.h"
#include "shell/session_context.h"

namespace kv {

namespace {

// The bases of the two encodings: kind and list index are weighted by them.
struct TRefBase {
  int32_t Kind;
  int32_t List;
};
constexpr TRefBase kWideBase{1000000, 1000};
constexpr TRefBase kNarrowBase{10000, 100};

// The point or bar list that a kind-0 or kind-1 reference indexes.
Tgx25Line* ReferencedLine(const TAbstractFrame& Element, const TStreamRef& Ref) {
  if (Ref.Kind == rkLinePoint && Ref.ListIndex < static_cast<int32_t>(Element.Lines.size()))
    return Element.Lines[static_cast<size_t>(Ref.ListIndex)].get();
  if (Ref.Kind == rkImpostPoint && Ref.ListIndex < static_cast<int32_t>(Element.Imposts.size()))
    return Element.Imposts[static_cast<size_t>(Ref.ListIndex)].get();
  return nullptr;
}

// Side (kind 0) or bar (kind 1) Line of Element with its index; nullopt when it is neither.
std::optional<TStreamRef> OwnerLineRef(const TAbstractFrame& Element, const Tgx25Line* Line) {
  if (const int side = Element.IndexOfLine(Line); side >= 0) return TStreamRef{rkLinePoint, side, 0};
  if (const int bar = IndexOfOwned(Element.Imposts, Line); bar >= 0) return TStreamRef{rkImpostPoint, bar, 0};
  return std::nullopt;
}

}  // namespace

bool& _GXGenNewBarCode() { return CurrentContext().GenNewBarCode; }

std::optional<int32_t> EncodeStreamRef(const TStreamRef& Ref, bool Wide) {
  const TRefBase base = Wide ? kWideBase : kNarrowBase;
  if (Ref.ListIndex < 0 || Ref.ItemIndex < 0 || Ref.ListIndex >= base.Kind / base.List || Ref.ItemIndex >= base.List)
    return std::nullopt;
  return Ref.Kind * base.Kind + Ref.ListIndex * base.List + Ref.ItemIndex;
}

std::optional<TStreamRef> DecodeStreamRef(int32_t Value, bool Wide) {
  if (Value < 0) return std::nullopt;
  const TRefBase base = Wide ? kWideBase : kNarrowBase;
  const TRefKind kind = Value >= 2 * base.Kind ? rkCorner : (Value < base.Kind ? rkLinePoint : rkImpostPoint);
  const int32_t rest = Value - kind * base.Kind;
  return TStreamRef{kind, rest / base.List, rest % base.List};
}

std::optional<TStreamRef> PointStreamRef(const TAbstractFrame& Element, const Tgx25SimplePoint* Point, bool Corners) {
  if (Point == nullptr) return std::nullopt;
  if (Corners)
    if (const int corner = Element.IndexOfPoint(Point); corner >= 0) return TStreamRef{rkCorner, 0, corner};
  const auto* line = dynamic_cast<const Tgx25Line*>(Point->Owner);
  if (line == nullptr) return std::nullopt;
  std::optional<TStreamRef> ref = OwnerLineRef(Element, line);
  if (!ref) return std::nullopt;
  ref->ItemIndex = IndexOfOwned(line->Points, Point);
  if (ref->ItemIndex < 0) return std::nullopt;
  return ref;
}

std::optional<TStreamRef> LineStreamRef(const TAbstractFrame& Element, const Tgx25Line* Line) {
  if (Line == nullptr) return std::nullopt;
  return OwnerLineRef(Element, Line);
}

Tgx25SimplePoint* ResolvePointRef(const TAbstractFrame& Element, const TStreamRef& Ref, bool Corners) {
  if (Ref.Kind == rkCorner) {
    if (!Corners || Ref.ListIndex != 0 || Ref.ItemIndex >= static_cast<int32_t>(Element.Points.size())) return nullptr;
    return Element.Points[static_cast<size_t>(Ref.ItemIndex)].get();
  }
  const Tgx25Line* line = ReferencedLine(Element, Ref);
  if (line == nullptr || Ref.ItemIndex >= static_cast<int32_t>(line->Points.size())) return nullptr;
  return line->Points[static_cast<size_t>(Ref.ItemIndex)].get();
}

Tgx25Line* ResolveLineRef(const TAbstractFrame& Element, const TStreamRef& Ref) {
  if (Ref.ItemIndex != 0) return nullptr;
  return ReferencedLine(Element, Ref);
}

}  // namespace kv
