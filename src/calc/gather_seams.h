#pragma once
// The places where gathering hands over to the work of other parts: insect nets and fittings of sashes, additional
// materials and technologies of frames, the add-on lists of the construction, its accessory list and its services.
// The fittings of a sash are its set's lines, the add-ons are priced pieces; the net of a sash, the accessory list
// and the services add nothing yet.
#include "calc/mat_pricing.h"
#include "construction/construction.h"

namespace kv {

void GatherFlugelNet(TFlugel& Flugel, TMatList& Materials);
void GatherFlugelFittings(TFlugel& Flugel, TMatList& Materials);
void GatherFrameDopMaterials(TFrame& Frame);
void GatherFrameTechnologies(TFrame& Frame);
// Additional profiles, sills, drips, nets, shutters, blinds and mounting materials attached to the construction:
// each item's piece price (working currency) and the materials of its pieces in the construction's material list.
void GatherConstructionAddOns(Tgx25Construction& Construction, const TPricingContext& Context);
void GatherAccessoryList(Tgx25Construction& Construction);
void CalculateServices(Tgx25Construction& Construction);

}  // namespace kv
