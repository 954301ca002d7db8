#pragma once
// The walks over a construction: which objects each walk visits and in which order, as ranges that
// keep no position in the model, and the cursor behind the first/next functions of a construction.
//
//   for (const TFlugel& sash : Flugels(Construction)) ...   // a const construction or element
//   for (Tgx25Glass& glass : Glasses(Frame)) ...            // a mutable one
//
// A range collects its objects when it is made; walking it changes nothing in the model, so a
// query may walk inside any other walk. An edit that frees objects of the walk ends the range's use.
#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <type_traits>
#include <utility>
#include <vector>

#include "construction/selectable.h"

namespace kv {

class TAbstractFrame;
class Tgx25Construction;
class TFrame;
class TFlugel;
class TkvModificator;
class Tgx25Glass;
class Tgx30CustomPart;
class TCustomImpost;
class Tgx25Stulp;
class TFalsh;
class TFurnComp;

enum class TWalkKind : uint8_t {
  Flugel,
  Modificator,
  Glass,
  GlassAvailableEmptyPart,
  Impost,
  FrameImpost,
  FlugelImpost,
  Stulp,
  Falsh,
  FurnComp,
  Part,
  FixPart,
  Count
};
inline constexpr size_t WalkKindCount = static_cast<size_t>(TWalkKind::Count);

// The objects of a walk inside one element, in walk order: first the element's own objects (its
// imposts, its parts, what its parts hold), then, part by part, those of the element filling each
// part, by the same rule.
std::vector<TModelObject*> CollectWalk(const TAbstractFrame& Element, TWalkKind Kind);
// The same over the frames of a construction, frame after frame in list order.
std::vector<TModelObject*> CollectWalk(const Tgx25Construction& Construction, TWalkKind Kind);
// The frames of a construction in list order.
std::vector<TModelObject*> CollectFrames(const Tgx25Construction& Construction);

// The objects of one walk as references to T (const T for a walk over a const construction).
template <class T>
class TWalkRange {
public:
  class TIterator {
  public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::remove_const_t<T>;
    using difference_type = std::ptrdiff_t;
    using pointer = T*;
    using reference = T&;

    TIterator() = default;
    explicit TIterator(std::vector<TModelObject*>::const_iterator At) : FAt(At) {}
    // The walk kind fixes the class of its objects.
    T& operator*() const { return static_cast<T&>(**FAt); }
    T* operator->() const { return &**this; }
    TIterator& operator++() {
      ++FAt;
      return *this;
    }
    TIterator operator++(int) {
      TIterator old = *this;
      ++FAt;
      return old;
    }
    friend bool operator==(const TIterator&, const TIterator&) = default;

  private:
    std::vector<TModelObject*>::const_iterator FAt;
  };

  explicit TWalkRange(std::vector<TModelObject*> Objects) : FObjects(std::move(Objects)) {}
  TIterator begin() const { return TIterator(FObjects.begin()); }
  TIterator end() const { return TIterator(FObjects.end()); }
  size_t size() const { return FObjects.size(); }
  bool empty() const { return FObjects.empty(); }

private:
  std::vector<TModelObject*> FObjects;
};

// The range of T over Place (a construction or an element), const when Place is.
template <class T, class Place>
using TWalkOf = TWalkRange<std::conditional_t<std::is_const_v<Place>, const T, T>>;

template <class T, class Place>
TWalkOf<T, Place> WalkRange(Place& Where, TWalkKind Kind) {
  return TWalkOf<T, Place>(CollectWalk(Where, Kind));
}

// The walks by name, over a construction or over one element and everything below it.
template <class Construction>
TWalkOf<TFrame, Construction> Frames(Construction& Where) {
  return TWalkOf<TFrame, Construction>(CollectFrames(Where));
}
template <class Place>
auto Flugels(Place& Where) {
  return WalkRange<TFlugel>(Where, TWalkKind::Flugel);
}
template <class Place>
auto Modificators(Place& Where) {
  return WalkRange<TkvModificator>(Where, TWalkKind::Modificator);
}
template <class Place>
auto Glasses(Place& Where) {
  return WalkRange<Tgx25Glass>(Where, TWalkKind::Glass);
}
// Empty parts, where a glass may go.
template <class Place>
auto GlassAvailableEmptyParts(Place& Where) {
  return WalkRange<Tgx30CustomPart>(Where, TWalkKind::GlassAvailableEmptyPart);
}
template <class Place>
auto Imposts(Place& Where) {
  return WalkRange<TCustomImpost>(Where, TWalkKind::Impost);
}
// The bars of frames, and those of sashes.
template <class Place>
auto FrameImposts(Place& Where) {
  return WalkRange<TCustomImpost>(Where, TWalkKind::FrameImpost);
}
template <class Place>
auto FlugelImposts(Place& Where) {
  return WalkRange<TCustomImpost>(Where, TWalkKind::FlugelImpost);
}
template <class Place>
auto Stulps(Place& Where) {
  return WalkRange<Tgx25Stulp>(Where, TWalkKind::Stulp);
}
// The false mullions laid on the glasses.
template <class Place>
auto Falshes(Place& Where) {
  return WalkRange<TFalsh>(Where, TWalkKind::Falsh);
}
template <class Place>
auto FurnComps(Place& Where) {
  return WalkRange<TFurnComp>(Where, TWalkKind::FurnComp);
}
template <class Place>
auto Parts(Place& Where) {
  return WalkRange<Tgx30CustomPart>(Where, TWalkKind::Part);
}
// Glazed parts outside sashes.
template <class Place>
auto FixParts(Place& Where) {
  return WalkRange<Tgx30CustomPart>(Where, TWalkKind::FixPart);
}

// Position of one first/next walk of a construction: the frame it stands in and the objects of
// that frame, collected when the walk reached it.
class TWalkCursor {
public:
  TModelObject* First(const Tgx25Construction& Construction, TWalkKind Kind);
  // nullptr at the end.
  TModelObject* Next(const Tgx25Construction& Construction, TWalkKind Kind);

private:
  int FFrame = -1;
  std::vector<TModelObject*> FObjects;
  size_t FPosition = 0;
};

// One cursor per walk kind, so that walks of different kinds may nest.
using TWalkCursors = std::array<TWalkCursor, WalkKindCount>;

}  // namespace kv
