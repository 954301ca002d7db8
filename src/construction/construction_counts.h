#pragma once
// Counts, lengths, areas and perimeters of a construction that calculation methods ask for:
// frames, sashes, bars, corners, welds, glass and fillings, and the add-on lists.
#include "construction/construction.h"

namespace kv {

// The value of a count or measure code of the construction (codes 101 .. 274, 300 .. 702 and
// 1005 .. 1024 of the calculation methods; lengths in metres, areas in square metres); 0 for a
// code the construction does not answer. The filling codes 211 .. 274 go by filling kind (single
// glass, plastic, glass unit, unit of one, two or three chambers) and figure (all, standard,
// non-standard including arched, arched); their order is told beside their table.
long double GetConstructionMeasure(const Tgx25Construction& Construction, int Code);

// Profile pieces of the cut lists whose length in millimetres lies in [MinLength, MaxLength];
// Kind 0 all pieces, 1 standard (45 / 90 degree cuts), 2 the others.
int GetProfLengthCount(const Tgx25Construction& Construction, double MinLength, double MaxLength, int Kind);
// Welded corners of frames and sashes whose two sides are both at least MinSide and at most
// MaxSide millimetres long.
int GetWeldCountByLineSize(const Tgx25Construction& Construction, double MinSide, double MaxSide);
// Welded corners of frames and sashes whose element area in square metres lies in [MinSquare, MaxSquare].
int GetWeldCountBySquare(const Tgx25Construction& Construction, double MinSquare, double MaxSquare);

}  // namespace kv
