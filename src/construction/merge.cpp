// Deleting a dividing bar: the two fields on its sides become one again. The first field (in list
// order) keeps its filling and takes the joined contour; the other field, the bar and its end
// points (where nothing else stands on them) go; everything is recalculated.
#include <algorithm>

#include "construction/frames.h"
#include "construction/owned_lists.h"
#include "shell/errors.h"

namespace kv {

namespace {

// The corners of Part from the one after the bar round to the one where the bar starts.
void AppendWithoutBar(const TFalshPart& Part, const TCustomImpost& Impost, std::vector<TPartVertex>& Vertices) {
  const int count = static_cast<int>(Part.Lines.size());
  const int bar = Part.FindLine(&Impost);
  for (int k = 1; k < count; ++k) {
    const size_t i = static_cast<size_t>((bar + k) % count);
    Vertices.push_back({Part.Points[i]->Point, Part.Lines[i]->GetLine(), Part.Lines[i]->Inverted});
  }
}

// A corner between two pieces of the same side (where the bar stood) is no corner any more.
void DropStraightCorners(std::vector<TPartVertex>& Vertices) {
  for (size_t i = 0; Vertices.size() > 2 && i < Vertices.size();) {
    const TPartVertex& prior = Vertices[(i + Vertices.size() - 1) % Vertices.size()];
    if (prior.Line == Vertices[i].Line && prior.Inverted == Vertices[i].Inverted)
      Vertices.erase(Vertices.begin() + static_cast<long>(i));
    else
      ++i;
  }
}

// A bar end placed on a corner's position stood for the corner in the parts (the side of no length
// between them was dropped); the joined part takes the corner back, since the end goes with the bar.
void RestoreCorners(const TAbstractFrame& Element, const TCustomImpost& Impost, std::vector<TPartVertex>& Vertices) {
  for (TPartVertex& v : Vertices) {
    if (v.Point != Impost.PX1 && v.Point != Impost.PX2) continue;
    const auto corner = std::find_if(Element.Points.begin(), Element.Points.end(),
                                     [&](const auto& p) { return p->GetPoint() == v.Point->GetPoint(); });
    if (corner != Element.Points.end()) v.Point = corner->get();
  }
}

bool CarriesStandingBar(const TAbstractFrame& Element, const TCustomImpost& Impost) {
  return std::any_of(Impost.Points.begin(), Impost.Points.end(),
                     [&](const auto& point) { return Element.FindImpostByPoint(point.get()) != nullptr; });
}

}  // namespace

void TAbstractFrame::Merge(TCustomImpost& Impost) {
  if (CarriesStandingBar(*this, Impost))
    throw ECreationError("Удаление невозможно. На импост опираются другие объекты!");
  const std::vector<TFalshPart*> sides = SeekDependentPart(&Impost);
  if (IndexOfOwned(Imposts, &Impost) < 0 || sides.size() != 2) throw ECreationError("Не найден импост в разделе!");
  TFalshPart& first = *sides[0];
  TFalshPart& second = *sides[1];
  std::vector<TPartVertex> vertices;
  AppendWithoutBar(first, Impost, vertices);
  AppendWithoutBar(second, Impost, vertices);
  DropStraightCorners(vertices);
  RestoreCorners(*this, Impost, vertices);
  first.Points.clear();
  first.Lines.clear();
  for (const TPartVertex& v : vertices) {
    first.AddPoint(v.Point);
    first.AddLine(v.Line, v.Inverted);
  }
  first.NormalizePoints();
  FreePart(&second);
  FreeImpost(&Impost);
  FullRecalc();
}

}  // namespace kv
