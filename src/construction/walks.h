#pragma once
// The first/next walks over a construction: which objects each walk visits and the cursor that
// keeps a walk's position.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "construction/selectable.h"

namespace kv {

class TAbstractFrame;

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
std::vector<TModelObject*> CollectWalk(TAbstractFrame& Element, TWalkKind Kind);

// Position of one walk inside one element.
class TWalkCursor {
public:
  TModelObject* First(TAbstractFrame& Element, TWalkKind Kind);
  // nullptr at the end.
  TModelObject* Next();

private:
  std::vector<TModelObject*> FObjects;
  size_t FPosition = 0;
};

// One cursor per walk kind.
using TWalkCursors = std::array<TWalkCursor, WalkKindCount>;

}  // namespace kv
