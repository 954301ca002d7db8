#pragma once
// The fittings set of a sash built from its complect: every item row of the complect that applies
// to the sash becomes a line with its article, composite items are expanded into their parts, and
// the articles bring their extra accessories and strike plates. Applying a complect also sets the
// marks the drawing reads on the sash's sides: the opening mark with its apex side, the handle with
// its symbol and point, the hinges and the drive.
#include <string>

#include "construction/construction.h"
#include "construction/frames.h"

namespace kv {

// Fills the set's lines from its complect. False when the complect is missing, the sash profile
// has no backset or the documentation of a row is wrong: the message is shown and the lines built
// before it stay.
bool BuildFurnList(TFlugel& Flugel);
// Applies the complect to the sash: refused with "Комплект фурнитуры [%s] не подходит к створке
// [%s]!" (the sash keeps its former complect) when it does not fit; otherwise the set takes the
// complect, its properties and the scheme's choices, the sash its tilt and marks, and the lines are
// built. False when refused or when building the lines failed.
bool ChangeFurnComplect(TFlugel& Flugel, const std::string& Complect);
// Moves the sash to another fittings system with the complect corresponding to its own; the set's
// component choices become those of the window type's scheme in that system. A refused complect
// leaves the set as it was.
bool ChangeFurnSys(TFlugel& Flugel, const std::string& System);
// The named complect, or (empty name) the sash's default complect (FirstAvailableComplect); a
// warning when none fits.
bool AutoFurnComp(TFlugel& Flugel, const std::string& Complect = "");
// Every sash of the construction gets the named complect, or (empty name) the first that fits;
// a named complect that does not fit a sash is refused naming the sash.
void ApplyFurnComplects(Tgx25Construction& Construction, const std::string& Complect);
// The handle of the sash at the height the user gives (mm above the lower end of its side; 0: the
// height the fittings give), where the window type's fittings scheme lets the user set it
// (UserDefineHeight); the locking gear is then chosen among the articles that allow the height.
// Refused with a message (the set unchanged) when the sash has no complect, the scheme does not
// allow it or the height lies outside the sash; false also when building the lines failed.
bool SetFurnHandleHeight(TFlugel& Flugel, int HeightMm);
// Every sash moves to the fittings system; a sash that refuses it raises ECreationError naming it.
void ApplyFurnSys(Tgx25Construction& Construction, const std::string& System);
// Every sash gets the handle height; a sash that refuses it raises ECreationError naming the sash.
void ApplyFurnHandleHeight(Tgx25Construction& Construction, int HeightMm);
// Every sash with a complect takes the complect's mirror complect (SymmetricID) and the marks of
// its sides anew; a sash whose complect has no mirror, or whose mirror complect does not fit, keeps
// its complect with the marks set anew.
void ApplyMirrorComplects(Tgx25Construction& Construction);
// Mirrors the construction about its vertical centre line, the fittings with it.
void MirrorConstruction(Tgx25Construction& Construction);
// The sides' fittings marks from the complect's side rows, the handle in the middle of its side.
void ApplyFurnMarks(TFlugel& Flugel, const std::string& Complect);
// Puts the handle of the side HeightMm above the side's lower end (the first end of a level side).
void PlaceHandle(Tgx25FrameLine& Side, double HeightMm);

}  // namespace kv
