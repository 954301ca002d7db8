#pragma once
// The glass of a glazed part: the glass article with its bead, adapter and seals, and the optional
// frames of false mullions and glazing bars laid on it.
#include <cstdint>
#include <memory>
#include <string>

#include "construction/item_lists.h"
#include "construction/profiles.h"

namespace kv {

class Tgx30CustomPart;
class TFalshFrame;
class Tgx25SprossFrame;

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
  // The two strings stored after the contours, carried unchanged.
  std::string CarriedText1;
  std::string CarriedText2;
  TItemList MatList;
  std::unique_ptr<Tgx25SprossFrame> SprossFrame;
  std::unique_ptr<TFalshFrame> FalshFrame;
  Tgx30CustomPart* ParentPart = nullptr;
};

}  // namespace kv
