#pragma once
// The named values that catalogue rule texts read, each under its English and its Russian name,
// and how each is measured on the construction: a profile piece (its length, its direction, the
// meeting stile it belongs to), a joint of two profiles, a construction element, and a profile
// piece painted by a technology.
#include <string>
#include <vector>

#include "construction/frames.h"

namespace kv {

// Rounding of a rule text: ROUND (x) to an integer, ROUND (x, n) to n decimals.
bool RoundValue(const std::string& Name, const std::vector<long double>& Args, long double& Value);

struct TPieceMeasures {
  long double Length = 0;          // the piece, millimetres
  long double RotAngle = 0;        // direction of the piece from its first end to its second, degrees in [0, 360)
  long double AxisLength = 0;      // distance of the two ends of its line, millimetres
  long double PlateAllowance = 0;  // the profile's pressure plate and decorative cover allowances at each end
  long double CoverAllowance = 0;
  bool StulpLeft = false;
  bool StulpRight = false;
  bool Fasad = false;
  bool Value(const std::string& Name, const std::vector<long double>& Args, long double& Result) const;
};

struct TJointMeasures {
  long double Length = 0;          // the joined line, millimetres
  long double EmbeddedLength = 0;  // the part embedded in the joined profile: that profile's width
  bool Value(const std::string& Name, const std::vector<long double>& Args, long double& Result) const;
};

struct TElementMeasures {
  int FlugelCount = 0;
  long double Width = 0;  // outer size of the element, millimetres
  long double Height = 0;
  std::vector<long double> SockelLengths;  // the base profiles under its sashes, millimetres
  // The base-profile lengths joined by ";".
  std::string SockelLengthList() const;
  // ListLength stands for WOOD_SOCKEL_LEN_LIST while a rule over the list is evaluated.
  bool Value(const std::string& Name, long double ListLength, long double& Result) const;
};

// Whether a rule text reads the base-profile length list.
bool ReadsSockelLengthList(const std::string& Text);

// The kinds of profile pieces a technology tells apart.
enum class TTechPartKind { Frame, Flugel, Impost, Stulp, Bead, Falsh, Spross, Other };

struct TTechMeasures {
  TTechPartKind Kind = TTechPartKind::Other;
  bool OuterPainted = false;
  bool InnerPainted = false;
  long double OuterArea = 0;  // painted faces of the piece, square metres
  long double InnerArea = 0;
  bool Value(const std::string& Name, long double& Result) const;
};

// Whether a component measures the inner face (and so takes the inner colour).
bool ReadsInnerArea(const std::string& Text);

// --- measures on the construction ---
// A side of a frame, sash or modificator, with the length of its cut piece.
TPieceMeasures SideMeasures(const TCustomFrame& Element, const Tgx25FrameLine& Side);
// A mullion, meeting stile (the second stile with Slave) or another dividing bar.
TPieceMeasures ImpostMeasures(const TCustomFrame& Element, const TCustomImpost& Impost, bool Slave);
// A bar of a bead or glass frame.
TPieceMeasures BarMeasures(const TCustomFrame& Element, const Tgx25ProfileLine& Bar);
// A joint that joins the line Joined: a mullion end joins the mullion, a corner the side that starts there.
TJointMeasures JointMeasures(const Tgx25Line& Joined);
TElementMeasures ElementMeasures(const TCustomFrame& Element);
// The part kind of a profile article by its catalogue group.
TTechPartKind TechPartKind(const std::string& Profile);
// Painted areas of Metres of a profile (by the catalogue's areas per metre of its code).
TTechMeasures TechMeasures(const std::string& Profile, const std::string& Code, long double Metres, bool OuterPainted,
                           bool InnerPainted);

}  // namespace kv
