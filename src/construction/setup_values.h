#pragma once
// Values of the options object that the contours use; kept apart because the options unit has
// enumerators of its own that clash with the construction's shift modes.

namespace kv {

class TGXSetup;

// The loaded options, or the defaults when none are loaded (a batch job without a configuration).
const TGXSetup& UsedSetup();

// GlassFrameSize + GlassFrameThickness (the spacer frame of a glass unit, tenths of a millimetre)
// of the loaded options, or of the defaults when none are loaded.
long double GlassFrameOffset();
// The bead group chosen for new glass (DefOrderBeadGrp).
int DefaultBeadGroup();

}  // namespace kv
