#include "calc/gather_seams.h"

namespace kv {

// The insect net of a sash and its components.
void GatherFlugelNet(TFlugel&, TMatList&) {}
// The fittings set chosen for a sash.
void GatherFlugelFittings(TFlugel&, TMatList&) {}
// The accessory rules of the frame's profiles and joints.
void GatherFrameDopMaterials(TFrame&) {}
// Painting and coating of the frame.
void GatherFrameTechnologies(TFrame&) {}
void GatherConstructionAddOns(Tgx25Construction&) {}
void GatherAccessoryList(Tgx25Construction&) {}
void CalculateServices(Tgx25Construction&) {}

}  // namespace kv
