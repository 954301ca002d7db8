#pragma once
// The glass of a glazed part: the glass article with its bead, adapter and seals, and the optional
// frames of false mullions and glazing bars laid on it.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "construction/item_lists.h"
#include "construction/lines.h"
#include "construction/profiles.h"

namespace kv {

class Tgx30CustomPart;
class TFalshFrame;
class Tgx25SprossFrame;

// The contour of a glass, a bead or an adapter: corners and sides, side i from corner i to corner
// i + 1, the last side back to corner 0.
class Tgx25SimpleFrame : public TModelObject {
public:
  explicit Tgx25SimpleFrame(TModelObject* Owner = nullptr) : Owner(Owner) {}
  TModelObject* OwnerObject() const override { return Owner; }

  Tgx25ProfilePoint* AddPoint(const TPoint& P);
  Tgx25ProfileLine* AddLine();
  void ClearPoints();
  void ClearLines();
  void Clear();
  void UpdateLinePointPtr();

  std::vector<std::unique_ptr<Tgx25ProfilePoint>> Points;
  std::vector<std::unique_ptr<Tgx25ProfileLine>> Lines;
  TModelObject* Owner = nullptr;
};

// The contour of a glazing bead or an adapter, with the profile of its bars.
class Tgx25BeadFrame : public Tgx25SimpleFrame {
public:
  using Tgx25SimpleFrame::Tgx25SimpleFrame;
  std::string Profile;
};

// Setting blocks under the glass: article and number.
struct Tgx25GlassLining {
  std::string ID;
  int32_t Num = 0;
  friend bool operator==(const Tgx25GlassLining&, const Tgx25GlassLining&) = default;
};

class Tgx25Glass : public Tgx25SelectedObject {
public:
  Tgx25Glass(Tgx30CustomPart* ParentPart, int32_t Contour);
  ~Tgx25Glass() override;
  TModelObject* OwnerObject() const override;

  TFalshFrame* CreateFalshFrame();
  Tgx25SprossFrame* CreateSprossFrame();
  void ClearFalshFrame();
  void ClearSprossFrame();
  bool FalshExists() const { return FalshFrame != nullptr; }
  bool SprossExists() const { return SprossFrame != nullptr; }

  // The glass's number in the drawings ("G.%d%s"), the first string stored with the glass.
  std::string No;
  std::string Glass;
  int64_t CombineID = 0;
  int32_t Thickness = 0;
  int32_t Contour = 0;
  TColorProf Bead;
  TColorProf Adapter;
  TColorProf ProfRubber;
  TColorProf BeadRubber;
  Tgx25SimpleFrame GlassSizes{this};
  Tgx25BeadFrame BeadSizes{this};
  Tgx25BeadFrame AdapterSizes{this};
  // The two strings stored after the contours, carried unchanged.
  std::string CarriedText1;
  std::string CarriedText2;
  std::vector<Tgx25GlassLining> Linings;
  TCustMatList MatList;
  std::unique_ptr<Tgx25SprossFrame> SprossFrame;
  std::unique_ptr<TFalshFrame> FalshFrame;
  Tgx30CustomPart* ParentPart = nullptr;
};

}  // namespace kv
