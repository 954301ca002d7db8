#include "construction/setup_values.h"

#include "shell/gx_setup.h"

namespace kv {

const TGXSetup& UsedSetup() {
  static const TGXSetup defaults;
  const TGXSetup* setup = GXSetup();
  return setup != nullptr ? *setup : defaults;
}

long double GlassFrameOffset() {
  return static_cast<long double>(UsedSetup().GlassFrameSize) + UsedSetup().GlassFrameThickness;
}

int DefaultBeadGroup() { return UsedSetup().DefOrderBeadGrp; }

}  // namespace kv
