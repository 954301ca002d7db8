#pragma once
// The places where gathering hands over to the work that fills them in later: insect nets and fittings of sashes,
// additional materials and technologies of frames, the add-on lists of the construction, its accessory list and its
// services. The fittings of a sash are its set's lines; the others add nothing yet.
#include "construction/construction.h"

namespace kv {

void GatherFlugelNet(TFlugel& Flugel, TMatList& Materials);
void GatherFlugelFittings(TFlugel& Flugel, TMatList& Materials);
void GatherFrameDopMaterials(TFrame& Frame);
void GatherFrameTechnologies(TFrame& Frame);
// Glass, additional profiles, sills, drips, nets, shutters, blinds, mounting materials, waste.
void GatherConstructionAddOns(Tgx25Construction& Construction);
void GatherAccessoryList(Tgx25Construction& Construction);
void CalculateServices(Tgx25Construction& Construction);

}  // namespace kv
