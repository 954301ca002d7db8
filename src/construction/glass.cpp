#include "construction/glass.h"

#include <algorithm>

#include "construction/frames.h"

namespace kv {

Tgx25ProfilePoint* Tgx25SimpleFrame::AddPoint(const TPoint& P) {
  Points.push_back(std::make_unique<Tgx25ProfilePoint>(this, P));
  return Points.back().get();
}

Tgx25ProfileLine* Tgx25SimpleFrame::AddLine() {
  Lines.push_back(std::make_unique<Tgx25ProfileLine>(this));
  return Lines.back().get();
}

void Tgx25SimpleFrame::ClearPoints() {
  for (auto& line : Lines) line->PX1 = line->PX2 = nullptr;
  Points.clear();
}

void Tgx25SimpleFrame::ClearLines() { Lines.clear(); }

void Tgx25SimpleFrame::Clear() {
  ClearLines();
  ClearPoints();
}

void Tgx25SimpleFrame::UpdateLinePointPtr() {
  const size_t count = std::min(Points.size(), Lines.size());
  for (size_t i = 0; i < count; ++i) {
    Lines[i]->PX1 = Points[i].get();
    Lines[i]->PX2 = Points[(i + 1) % Points.size()].get();
  }
}

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
