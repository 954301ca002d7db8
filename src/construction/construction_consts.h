#pragma once
// Enumerations and constants of the construction model: joint types, bar kinds, fill kinds, object
// kinds, figure kinds, shift modes and the contour kinds that select a catalogue delta.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/combination_lookups.h"
#include "shell/gx_setup.h"

namespace kv {

// Lines of property text ("%d=%d": property and value) kept by joints, lines and elements.
using TStringList = std::vector<std::string>;

// How two profiles meet at a joint (TAngleType: atX45 mitred, atX1to2 / atX2to1 butt joints in which
// line 1 runs through to line 2 or the reverse, atImpost... how an impost meets the line it ends on)
// is the catalogue's joint type. Its short forms: "X45", "X1to2", ... "T", "X", "TX", "V", "?".
std::string AngleTypeShortName(TAngleType Type);

// Kind of a dividing bar.
enum TkvLineType : uint8_t { ltImpost, ltStulp, ltStoika, ltRiegel, ltFalsh, ltSpross, ltUnknown };

// What fills a part of a frame or sash (stored as 0..5).
enum TFillType : uint8_t { ftNone, ftGlass, ftFlugel, ftModificator, ftFrame, ftUnknown };

// Kind of construction item.
enum TObjType : uint8_t { otxWindow, otxDoor, otxFasad };
// "Окно", "Дверь с порогом", "Фасад".
std::string ObjTypeCaption(TObjType Type);
// The kind of item a catalogue window type builds: its WinType code counts in the order of TObjType
// (0 window, 1 door, 2 facade); an unknown code builds a window.
TObjType ObjTypeOfWinType(int32_t WinType);

// How a resize or a shift moves points: the resize modes the options object keeps.
using TShiftMode = TSizeMode;

// Which contour is derived from a part; selects the catalogue delta (stored as 0..12).
enum TGetSizeInfo : uint8_t {
  gsiFrame,
  gsiModificator,
  gsiFlugel,
  gsiFlugelFalz,
  gsiGlass,
  gsiBead,
  gsiAdapter,
  gsiWidth,
  gsiImpost,
  gsiFalz,
  gsiGlassFrame,
  gsiSpross,
  gsiNone
};

// Outline of a new frame.
enum TFigType : uint8_t {
  figRect,
  figBalkonLeft,
  figBalkonRight,
  figTrapLeft,
  figTrapRight,
  figDblTrap,
  figTri,
  figTriLeft,
  figTriRight,
  figPentLeft,
  figPentRight,
  figPika,
  figSix,
  figMiniArc,
  figArc,
  figArcLeft,
  figArcRight,
  figArcTriLeft,
  figArcTriRight
};

// Unit of a group price of the construction; nuFixedPrice marks a price fixed by hand.
using TNumUnit = uint8_t;
inline constexpr TNumUnit nuFixedPrice = 3;

// Wind-load group of the construction (lg5, lg10, ... lg480); lg10 is what older streams assume.
using TLoadGroupH = uint8_t;
inline constexpr TLoadGroupH lg10 = 1;
inline constexpr TLoadGroupH lg480 = 12;

// Side from which the construction is drawn, and the colour variant; carried and stored.
using TViewSide = uint8_t;
using TColorVariant = int32_t;
// The colour variant of a construction laminated by a laminating price list.
inline constexpr TColorVariant kColorVariantLamPriceList = 1;
// The colour variant of a construction coated by a technology (its outer and inner colours).
inline constexpr TColorVariant kColorByTechnology = 2;

// Least number of corner points of a closed contour.
inline constexpr int MIN_CONTOUR_POINT = 2;

// A construction holds at most this many frames (walk indices run over 0..255).
inline constexpr int MAX_FRAME_COUNT = 256;

// Connector combination of a joint or bar that has none.
inline constexpr int32_t NO_SUBSET = -1;

}  // namespace kv
