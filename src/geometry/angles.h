#pragma once
// Polar angles, octant directions and joint angles on the y-down screen: angles are degrees
// counter-clockwise as seen on the screen (0 right, 90 up, 180 left, 270 down).
#include "geometry/geometry_types.h"

namespace kv {

long double DegToRad(long double Degrees);
long double RadToDeg(long double Radians);

// Polar angle of B seen from A, in [0, 360).
long double GetPolarAngle(const TPointF& A, const TPointF& B);
long double GetPolarAngle(const TPoint& A, const TPoint& B);

TDirection GetDirection(const TPointF& A, const TPointF& B);
TDirection GetDirection(const TPoint& A, const TPoint& B);
TDirection GetAngleDirection(long double Angle);

// Angle at B between the path A -> B and the path B -> C: 180 straight on, above 180 for a turn
// to the left (counter-clockwise on screen), below 180 for a turn to the right; -1 for a zero leg.
long double GetLineLineCrossAngle(const TPointF& A, const TPointF& B, const TPointF& C);

// Joint angle at B of the element A-B (radius R1, centre T1) and the element B-C (R2, T2).
long double GetAngle(const TPointF& A, const TPointF& B, const TPointF& C, long double R1, long double R2,
                     const TPointF& T1, const TPointF& T2);

// Coefficients of the line through A and B written as a x - b y = c.
void GetLineEquationCoef(const TPointF& A, const TPointF& B, long double& a, long double& b, long double& c);

long double GetArcLength(const TPointF& A, const TPointF& B, const TPointF& Center, long double R);
// Rise of an arc of radius R over a chord, whole units; 0 when no such arc exists.
long double RadiusToHeight(long double Chord, long double R);
// Radius of the arc with this rise over this chord, 8 decimals; 0 for impossible input.
long double HeightToRadius(long double Chord, long double Height);

}  // namespace kv
