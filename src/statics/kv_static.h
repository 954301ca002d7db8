#pragma once
// The wind-load model of the static check: the normative wind pressure of the wind region, the
// height coefficient by terrain type, the correction by glass height, and from them the moment of
// inertia a mullion needs under wind and a transom needs under the weight of its glass. Every step
// can be written to a calculation log, as the technologist reads it in the manual calculator.
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

class TCatalogue;

// Terrain types of the height coefficient table (columns A, B, C).
enum TTerrainType : int32_t { ttA = 0, ttB = 1, ttC = 2 };
// Support schemes of a mullion.
enum TStaticMethod : int32_t {
  smWindow = 0,            // window mullion, deflection at most 8 mm
  smFacadeInOpening = 1,   // facade post or transom fixed in the opening
  smFacadeSingleSpan = 2,  // facade post hung on the building, one span
  smFacadeTwoSpan = 3      // facade post hung on the building, two spans
};
enum TStaticMaterial : int32_t { smtPVC = 0, smtALU = 1, smtWood = 2 };
enum TStaticGlassType : int32_t { sgtGlassUnit = 0, sgtSingleGlass = 1 };

using TStaticLog = std::vector<std::string>;

struct TStatRegRow {
  int32_t ID = 0;
  float W0 = 0;  // kgf/m2
};
struct TStatK0Row {
  int32_t H = 0;  // m
  float A = 0, B = 0, C = 0;
};
struct TStatK1Row {
  int32_t H = 0;  // mm of glass height
  float K = 0;
};
struct TStatK2Row {
  int32_t H = 0;
  float K1 = 0, K2 = 0, K3 = 0, K4 = 0;
};

// What the wind load on one mullion depends on; lengths in millimetres.
struct TWindLoadInput {
  float H = 0;          // fixing height in the building, m
  float GlassMaxH = 0;  // tallest glass beside the mullion
  int32_t Method = smWindow;
  int32_t Material = smtALU;
  int32_t RegionID = 0;
  int32_t Terrain = ttB;
  int32_t GlassType = sgtGlassUnit;
  float Y = 1.4f;  // reliability coefficient for wind load
  float L = 0;     // distance between the fixing points
  float B = 0;     // distance to the neighbouring mullion on one side
  float A = 0;     // and on the other
  // The glass-edge case of the manual calculator: column K1..K4 of the glass-edge table, 0 for none
  // (the automatic check).
  int32_t EdgeColumn = 0;
};

// What a transom carries of its glass; lengths in millimetres.
struct TGlassWeightInput {
  int32_t GlassType = sgtGlassUnit;
  int32_t Material = smtALU;
  float ProfileWeight = 0;  // kg per metre of transom
  float GlassWeight = 0;    // kg per square metre of filling
  float PadDistance = 0;    // from the transom's end to the axis of the setting blocks
  float GlassHeight = 0;
  float Span = 0;
};

// The terrain types (by TTerrainType) and static methods (by TStaticMethod) as the user picks them.
const std::vector<std::string>& TerrainTypeNames();
const std::vector<std::string>& StaticMethodNames();

// tan(Angle) x Width / 2: the height of the load triangle over Width at the angle (degrees).
long double GetStdTriH(long double Angle, long double Width);
// Modulus of elasticity, kgf/cm2: aluminium, timber, otherwise steel in PVC.
long double GetElasticModulus(int32_t Material);

class TkvStatic {
public:
  // Reads the four static tables of the open catalogue (in table order).
  void Load(TCatalogue& Catalogue);

  // W0 of the region, kgf/m2; 23.0 for an unknown region.
  float GetW0(int32_t RegionID) const;
  // Height coefficient: the first row whose H reaches the height, else the last row; 0.85 when
  // the table is empty or the terrain is none of A, B, C.
  float GetK0(float Height, int32_t Terrain) const;
  // Glass height correction: the first row whose H reaches the glass height, else the last; 1.0
  // for an empty table.
  float GetK1(float GlassMaxH) const;
  // Glass-edge correction: in the first row whose H reaches the glass height, else the last, the
  // column K1..K4; 1.0 for column 0 or one outside 1..4, and for an empty table.
  float GetK2(float GlassMaxH, int32_t Column) const;

  // Required Ix of a mullion, cm4; Log (when given) receives every step.
  long double GetMomentIx(const TWindLoadInput& In, TStaticLog* Log) const;
  // Required Iy of a transom under its glass and its own weight, cm4.
  long double GetGlassWeightIx(const TGlassWeightInput& In, TStaticLog* Log) const;

  std::vector<TStatRegRow> Regions;
  std::vector<TStatK0Row> K0;
  std::vector<TStatK1Row> K1;
  std::vector<TStatK2Row> K2;
};

}  // namespace kv
