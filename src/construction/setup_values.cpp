#include "construction/glass_frame_size.h"

#include "shell/gx_setup.h"

namespace kv {

long double GlassFrameOffset() {
  const TGXSetup* setup = GXSetup();
  const TGXSetup defaults;
  const TGXSetup& used = setup != nullptr ? *setup : defaults;
  return static_cast<long double>(used.GlassFrameSize) + used.GlassFrameThickness;
}

}  // namespace kv
