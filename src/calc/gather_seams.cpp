#include "calc/gather_seams.h"

#include "calc/acc_gathering.h"

namespace kv {

// The insect net of a sash and its components.
void GatherFlugelNet(TFlugel&, TMatList&) {}
// The fittings set chosen for a sash.
void GatherFlugelFittings(TFlugel&, TMatList&) {}
// The accessory rules of the frame's profiles and joints.
void GatherFrameDopMaterials(TFrame& Frame) { GatherAccessoryRules(Frame); }
// Painting and coating of the frame.
void GatherFrameTechnologies(TFrame& Frame) { GatherTechnologyInfo(Frame); }
void GatherConstructionAddOns(Tgx25Construction&) {}
void GatherAccessoryList(Tgx25Construction&) {}
void CalculateServices(Tgx25Construction&) {}

}  // namespace kv
