#pragma once
// The rules of one item row of a complect (FrnSet) against a sash: its installation condition, its
// number of pieces by the scale condition or scale scheme, and its length by the length formula.
// A row the documentation got wrong raises EFurnDocError with the program's message.
#include <string>

#include "calc/furn_sash.h"
#include "catalogue/furn_lookups.h"
#include "shell/errors.h"

namespace kv {

// A documentation error of the fittings; it stops the building of a sash's fittings list.
class EFurnDocError : public EKvError {
  using EKvError::EKvError;
};

// Installation conditions (FrnSet.Condition) and scale conditions (ScaleCondition).
enum TFurnCondition {
  fcNone = 0,
  fcWidth = 1,
  fcHeight = 2,
  fcWidthHeight = 3,
  fcSide1 = 4,
  fcSide2 = 5,
  fcSides = 6,
  fcAngle = 7,
  fcRadius1 = 8,
  fcRadius2 = 9,
  fcRadii = 10
};
enum TFurnScaleCondition { fscNone = 0, fscWidth = 1, fscHeight = 2, fscSide1 = 3, fscSide2 = 4 };

// Raises EFurnDocError: the row's complect and item, then the tail of the message.
[[noreturn]] void RaiseFurnRowError(const TFurnSetRow& Row, const std::string& Tail);
// How many thresholds of the ";"-separated list are not above Size (entries of -1 are ignored).
int GetNumberByScaleScheme(const std::string& Scheme, double Size);
// Side numbers the row's rules name are checked against the sash (the messages of a wrong side,
// angle or neighbouring sash side, of a missing neighbouring sash).
void CheckFurnRowSides(const TFurnSetRow& Row, const TFurnSash& Sash);
// Whether the row's installation condition holds for the sash, with the neighbouring sash's sides.
bool FurnInstallConditionHolds(const TFurnSetRow& Row, const TFurnSash& Sash);
// The pieces of the row: Number; with a scale scheme Number times the thresholds reached; with a
// scale condition alone Number plus ScaleNum for the start size and for every full step above it.
int FurnRowNumber(const TFurnSetRow& Row, const TFurnSash& Sash);
// The length of a row with UseLen, millimetres: its LenFormula over the sash (WIDTH/ШИРИНА,
// HEIGHT/ВЫСОТА, SIDE1/СТОРОНА1, SIDE2/СТОРОНА2, ANGLE/УГОЛ, HANDLE/РУЧКА = handle height), not
// below MinLen.
double FurnRowLength(const TFurnSetRow& Row, const TFurnSash& Sash, double HandleHeight);

}  // namespace kv
