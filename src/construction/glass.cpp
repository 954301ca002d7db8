#include "construction/glass.h"

#include "construction/frames.h"

namespace kv {

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

}  // namespace kv
