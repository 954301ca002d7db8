#pragma once
// The calculation of one construction: gathering of every frame, automatic substitution of
// materials, pricing of the material list, the cost accumulators and the calculation method run
// whose printable steps make the estimate. The static check of the construction runs first.
#include "calc/construction_calculator.h"
#include "calc/mat_pricing.h"
#include "construction/construction.h"
#include "statics/static_check.h"

namespace kv {

struct TConstructionCalcContext {
  TPricingContext Pricing;
  int CalcMethod = 0;
  TCalcOrderValues Order;
  TStaticSite Site;  // where the construction is mounted, for the static check
};

// Replaces the materials of AutoChng: FromNumber of FromID become ToNumber of ToID.
void AutoChangeMaterial(TMatList& List);
// Every frame's cut list and material list, and the construction's material list from them and from its add-on
// items (priced in Context, which also prices the list afterwards).
void GatherMaterials(Tgx25Construction& Construction, const TPricingContext& Context);
// The whole calculation; false when the calculation method failed (its message shown). Errors of
// the catalogue while gathering and pricing are raised to the caller.
bool GatherInfo(Tgx25Construction& Construction, const TConstructionCalcContext& Context);
// The context of a construction calculated on its own: the options' currency and VAT, the price
// group 1 and the calculation method of its first frame's window type.
TConstructionCalcContext StandaloneCalcContext(const Tgx25Construction& Construction);
// The cut pieces of every frame of the construction.
TCutMapList GetCutMap(const Tgx25Construction& Construction);

}  // namespace kv
