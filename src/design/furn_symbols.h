#pragma once
// The fittings symbols of a sash drawing as polygons in model units relative to their place on a
// sash side (x along the side, y across it): handles of types 10 to 15, hinges, the drive, and the
// sliding arrows of the sliding fittings kinds 1 to 5.
#include <vector>

#include "design/draw_geometry.h"

namespace kv {

// The polygons of handle type 10..15; empty for any other type.
std::vector<TPolygon> HandleSymbol(int HandleType);
// One hinge, centred on its place.
TPolygon HingeSymbol();
// The drive gear, standing on its place.
TPolygon DriveSymbol();
// The sliding arrow of kind 1..5 about the centre of a sash of width Width: a shaft with one head
// (1), the mirrored head (2), both (3), the head with two cross strokes at the tail (4) or at the
// head's end (5); empty for any other kind.
std::vector<TPolygon> SlidingArrows(int Kind, int Width);

// The angle by which a symbol on a side of polar angle Angle is turned: an angle of 180 or more
// becomes |Angle - 180|, so that symbols never stand upside down.
long double SymbolAngle(long double Angle);
// The polygon turned by Angle (degrees, counter-clockwise on the screen) and moved to At.
TPolygon PlaceSymbol(const TPolygon& Symbol, const TPoint& At, long double Angle);

}  // namespace kv
