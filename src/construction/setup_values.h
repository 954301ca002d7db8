#pragma once
// The spacer frame of a glass unit as the options give it (the size and thickness of the glass
// frame, tenths of a millimetre); kept apart because the options unit has enumerators of its own.

namespace kv {

// GlassFrameSize + GlassFrameThickness of the loaded options, or of the defaults when none are.
long double GlassFrameOffset();

}  // namespace kv
