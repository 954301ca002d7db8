#pragma once
// Whether a fittings complect fits a sash: its fittings system must go with the sash's profile
// system (FrnSysP), and every side the complect names (FrnSide) must exist and keep to its rebate
// length, arch kind and radius and corner angle; a complect not allowed on a T-shaped sash and one
// whose maximum sash weight is exceeded do not fit either.
#include <string>
#include <vector>

#include "calc/furn_sash.h"
#include "catalogue/furn_lookups.h"

namespace kv {

// Why the complect does not fit the sash, "" when it fits.
std::string FurnComplectUnfitReason(const TFurnComplect& Complect, const TFurnSash& Sash);
bool FurnComplectAvailable(const std::string& Complect, const TFlugel& Flugel);
// Only the number of sides: every side the complect names exists on a sash of SideCount sides.
bool FurnComplectAvailableBySideCount(const std::string& Complect, int SideCount);
// The complect a sash gets by default: of the sash's fittings system, the first that fits it in
// this order: the scheme's complect of the window type for a sash that tilts (Kipp) or not, the
// complects that tilt as asked, the others (each in table order); "" when none fits.
std::string FirstAvailableComplect(const TFlugel& Flugel, bool Kipp);

}  // namespace kv
