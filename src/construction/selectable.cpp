#include "construction/selectable.h"

#include "shell/random.h"

namespace kv {

Tgx25SelectedObject::Tgx25SelectedObject() { GenerateNewIDs(); }

void Tgx25SelectedObject::ReleaseRgn() { DrawRGN.clear(); }

bool Tgx25SelectedObject::ChangeSelection() {
  DrawSelected = !DrawSelected;
  return DrawSelected;
}

void Tgx25SelectedObject::GenerateNewIDs() {
  InternalID = GetRandomID();
  SteelInternalID = GetRandomID();
}

}  // namespace kv
