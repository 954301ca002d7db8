#pragma once
// The common base of the objects of a construction and the selectable base object with its random
// identifiers and the selection, visibility and check flags of the design window.
#include <cstdint>
#include <vector>

#include "shell/points.h"

namespace kv {

// Every object of the construction tree. Objects are never copied directly (copies go through the
// construction stream); OwnerObject walks up the tree (point -> line -> element -> part -> ...).
class TModelObject {
public:
  TModelObject() = default;
  TModelObject(const TModelObject&) = delete;
  TModelObject& operator=(const TModelObject&) = delete;
  virtual ~TModelObject() = default;

  virtual TModelObject* OwnerObject() const { return nullptr; }
};

// The nearest object of type T at or above Start, walking OwnerObject; nullptr when there is none.
template <class T>
T* FindModelAncestor(TModelObject* Start) {
  for (TModelObject* object = Start; object != nullptr; object = object->OwnerObject())
    if (auto* found = dynamic_cast<T*>(object)) return found;
  return nullptr;
}

// Polygon of the last drawing of an object, used for hit-testing; empty when not drawn.
using TRegion = std::vector<TPoint>;

// Base of everything the designer can pick.
class Tgx25SelectedObject : public TModelObject {
public:
  // Draws InternalID and SteelInternalID from the program's random generator.
  Tgx25SelectedObject();

  virtual void ReleaseRgn();

  bool ChangeSelection();
  void SetUnSelected() { DrawSelected = false; }
  void SetHidden() { Hidden = true; }
  void SetVisible() { Hidden = false; }
  void ChangeHidden() { Hidden = !Hidden; }
  void ChangeChecked() { Checked = !Checked; }
  void SetUnChecked() { Checked = false; }
  // Both identifiers drawn anew (a loaded copy must not share bar codes with its original).
  void GenerateNewIDs();

  int32_t InternalID = 0;
  int32_t SteelInternalID = 0;
  bool DrawSelected = false;
  TRegion DrawRGN;
  bool Hidden = false;
  int32_t ErrCode = 0;
  bool Checked = false;
  int32_t Tag = 0;
};

}  // namespace kv
