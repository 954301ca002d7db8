#include "calc/gather_seams.h"

#include "calc/acc_gathering.h"
#include "calc/addon_pricing.h"
#include "calc/gathering.h"

namespace kv {

namespace {
constexpr int32_t kFittingsGroup = 3;
constexpr int kMontMatGroup = 10;
}  // namespace

// The insect net of a sash and its components.
void GatherFlugelNet(TFlugel&, TMatList&) {}
// Every line of the sash's fittings set becomes a fittings material (group 3) in its quantity.
void GatherFlugelFittings(TFlugel& Flugel, TMatList& Materials) {
  if (!Flugel.FurnComp) return;
  for (const TFurnItem& line : Flugel.FurnComp->Items) {
    if (line.ID.empty() || line.Quantity() <= 0) continue;
    Tgx25MatListItem item;
    item.ID = line.ID;
    item.Group = kFittingsGroup;
    item.Quantity = line.Quantity();
    AddMatListItem(Materials, item);
  }
}
// The accessory rules of the frame's profiles and joints.
void GatherFrameDopMaterials(TFrame& Frame) { GatherAccessoryRules(Frame); }
// Painting and coating of the frame.
void GatherFrameTechnologies(TFrame& Frame) { GatherTechnologyInfo(Frame); }
void GatherConstructionAddOns(Tgx25Construction& Construction, const TPricingContext& Context) {
  Tgx25Construction& c = Construction;
  PriceAddOns({c.DopProfList, c.SillList, c.SinkList, c.MosquitoList, c.RolletList, c.JalousieList, c.MontMatList,
               kMontMatGroup},
              Context, c.MatList);
}
void GatherAccessoryList(Tgx25Construction&) {}
void CalculateServices(Tgx25Construction&) {}

}  // namespace kv
