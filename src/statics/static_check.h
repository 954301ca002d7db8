#pragma once
// The static check of a construction: its frames against the size limits of the profile system,
// its mullions against the wind load of the building site (the required and the available moment
// of inertia are stored in each mullion), its sashes against the limit graphs of their profile,
// and its welded bars against the weld size limits. The construction keeps only the results in
// its mullions; everything that computes them lives here, above the model.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/static_limits.h"
#include "construction/construction.h"
#include "shell/errors.h"
#include "statics/kv_static.h"

namespace kv {

// A size limit that stops the check (frame size, mullion length, weld size).
class EStaticError : public EKvError {
  using EKvError::EKvError;
};

// Where the construction is built in: the order's static region and load group.
struct TStaticSite {
  std::string Region;  // a city of the region table or a region number
  int32_t Terrain = ttB;
  float BuildingHeight = 10;  // m
  int32_t LoadGroup = 1;      // 1..4, the column of the sash limit graphs
  float Y = 1.4f;             // reliability coefficient for wind load
};

// The widths of the load on both sides of a mullion, mm.
struct TImpostAperture {
  float Width1 = 0;
  float Width2 = 0;
};

struct TMullionResult {
  TImpost* Impost = nullptr;
  float Length = 0;  // mm
  TImpostAperture Aperture;
  float GlassHeight = 0;  // mm
  int32_t Method = smWindow;
  float NeedIx = 0;
  float SelfIx = 0;
  TStaticLog Log;  // how the required Ix was found
  bool Fails() const { return SelfIx < NeedIx; }
};

// The limit-graph results of a sash: 0 passes; for a single-point graph 1 when only the width
// holds, 2 when only the height holds, -1 when neither (any failure in strict mode); -1 outside a
// graph of several points.
struct TFlugelResult {
  TFlugel* Flugel = nullptr;
  TFlugelGraphKey Key;          // the graph the sash was tested with
  Tgx25Stulp* Stulp = nullptr;  // the meeting stile beside the sash
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Result = 0;
};

struct TFrameResult {
  TFrame* Frame = nullptr;
  float Width = 0, Height = 0;  // mm
  TLimitSize Max;               // of its colour
};

struct TStaticReport {
  bool Ran = false;
  TProfOptCheck Options;  // the switches the check ran with
  std::vector<TFrameResult> Frames;
  std::vector<TMullionResult> Mullions;
  std::vector<TFlugelResult> Flugels;
};

// The check the gathering runs first. Runs when the construction's check is switched on or Force
// is set: every top-level frame with the limits of its type (TFrame.CheckStatic). A size limit
// that is broken stops it with EStaticError; catalogue gaps raise their catalogue error.
TStaticReport CheckStatic(Tgx25Construction& Construction, const TStaticSite& Site, bool Force);
// The frame's limits, then the frame and each of its sashes: sizes, mullions, sash graphs, welds.
void CheckStatic(TFrame& Frame, const TStaticSite& Site, const TkvStatic& Statics, TStaticReport& Report);

// Every mullion's required Ix is not greater than its available Ix.
bool StaticValid(const Tgx25Construction& Construction);
// Every mullion carries a result (none has a required Ix of exactly 0).
bool StaticChecked(const Tgx25Construction& Construction);
// Mullions and sashes all pass.
bool StaticPassed(const TStaticReport& Report);
// "Импост № %s\r\nРасчетная длина импоста = %.1f мм\r\nШирина нагрузки 1 = %d\r\n..." of one mullion.
std::string MullionInfoText(const TMullionResult& Mullion);

// Frame size limits, and the default reinforcement of the frame where its size needs one.
TFrameResult CheckFrameStatic(TFrame& Frame, const TStaticLimit& Limit);
// The mullions of a frame or sash (meeting stiles aside): the reinforcement the switches ask for,
// required Ix under the site's wind load and available Ix of the reinforcement (of the profile when
// it has none), stored in each mullion with its failure mark.
void CheckALUImpostStatic(TCustomFrame& Element, const TStaticLimit& Limit, const TkvStatic& Statics, float Y,
                          TStaticReport& Report);
// The sash against the limit graph of its profile, meeting stile and tilt; a failing sash is
// reported to the user, who may take the reinforcement with the largest Ix.
void CheckFlugelStatic(TFlugel& Flugel, const TStaticLimit& Limit, int32_t LoadGroup, TStaticReport& Report);
// Welded sides (mitred at an end) must be at least WeldMinSize and at most WeldMaxSize long.
void CheckWelding(const TCustomFrame& Element, const TStaticLimit& Limit);
// With ProfLen no side or mullion of the element is longer than the bar its material is sold in
// (MaxLength of the profile's article in its colour, else of the article; 0 is no limit).
void CheckProfLen(const TCustomFrame& Element, const TStaticLimit& Limit);
// A frame or sash narrower or lower than EckverMinSize leaves no room for its corner connectors.
void CheckEckver(const TCustomFrame& Element, const TStaticLimit& Limit);
// The reinforcement the switches ask of a mullion of that length (mm): with ImpostSteelMinSize one
// shorter than the limit carries none and a longer one at least the default steel; with
// AllwaysEnforceHImpost a (more) horizontal one always carries steel.
void SetMullionSteel(TImpost& Mullion, float Length, const TStaticLimit& Limit);
// The reinforcement the switches ask of a sash before its graph: without FlugelNoSteelAvailable
// every side carries at least its default steel; with SteelByPerimeter a partly reinforced sash is
// reinforced all round with the steel of its first reinforced side.
void SetFlugelSteel(TFlugel& Flugel, const TStaticLimit& Limit);
// The strongest reinforcement the profile takes put on the bar (mullion) or on the reinforced sides
// of the sash (every side with SteelByPerimeter or when none is reinforced); the user is told with
// ShowAlertIfMaxIx. False when the profile takes no reinforcement.
bool SetMaxIxSteel(TImpost& Mullion, const TStaticLimit& Limit);
bool SetMaxIxSteel(TFlugel& Flugel, const TStaticLimit& Limit);

// Distance from the mullion's axis to the nearest parallel mullion or side of the element on each
// side, measured across the middle of the mullion; where nothing parallel bounds a side, the
// farthest corner of the element on that side.
TImpostAperture GetImpostAperture(const TCustomFrame& Element, const TImpost& Impost);
// Ix of the mullion's reinforcement, or of its profile when it has none.
float GetMullionIx(const TImpost& Impost);

// The graph "x:y;x:y..." tested with the sash's width and height (results as TFlugelResult).
int32_t TestLimitGraph(const std::string& Graph, int32_t Width, int32_t Height, bool Strict);
// P lies inside the closed polygon or on its boundary.
bool PointUnderContour(const std::vector<TPointF>& Contour, const TPointF& P);

}  // namespace kv
