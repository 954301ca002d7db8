#pragma once
// The bars that divide a part: mullions and transoms, meeting stiles, false mullions and glazing
// bars, each with its profile, the eight corners of its outline and its computed bar size.
#include <memory>
#include <string>

#include "construction/item_lists.h"
#include "construction/lines.h"

namespace kv {

class Tgx30CustomPart;

// A dividing bar from PX1 (end 1) to PX2 (end 2). Its outline corners: XW... on the width edges,
// XI... on the impost-delta edges, at end 1 or 2, on side A or B.
class TCustomImpost : public Tgx25Line {
public:
  TCustomImpost(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2, TkvLineType Type);

  std::string GetProfile() const override { return Profile.ID; }
  void MoveBy(const TPoint& Vector) override;

  void SetProfile(const std::string& ID, const std::string& Color);
  void SetNewColor(const std::string& Color) { Profile.Color = Color; }
  // Forgets profile, bar size and outline.
  virtual void ClearValue();
  // Same profile standing on the same two positions.
  bool EqualTo(const TCustomImpost& Other) const;
  // Swaps sides A and B of the outline.
  void ExchangeAltPoints();
  // Orders the ends so that end 1 is the left one (the upper one of a vertical bar), the outline
  // following its ends.
  void SortXPoints();

  // The inner angle of the outline at side A of end 1 / end 2 (90 for a square cut).
  long double GetAngle1() const;
  long double GetAngle2() const;
  // Both ends are cut square.
  bool StdImpost() const { return GetAngle1() == 90 && GetAngle2() == 90; }

  // Length and cut angles of the bar from its outline.
  virtual void CalcProfSize() = 0;
  // The outline from the bar's profile width (and the DeltaW of each side).
  virtual void CalcXPoints();
  // The outline of a bar whose sides A and B lie WidthA and WidthB from its axis: each end where
  // the side meets the line the end stands on (XW at that line's profile width, XI at its impost
  // delta).
  void CalcXPointContour(long double WidthA, long double WidthB);
  // Both ends lie on the lines they stand on.
  bool CheckPointCoordinate() const;
  // How far the end may slide along its line on the x (AlongX) or y axis in the direction of Sign
  // (+1 or -1) before this bar meets a corner or another bar standing on that line (their profile
  // widths kept apart); model units, 0 when it cannot move.
  long double GetPointAvailableShift(const Tgx25SimplePoint* End, bool AlongX, int Sign) const;
  // The largest move of the whole bar towards smLeft, smRight, smTop or smBottom.
  long double GetAvailableShift(TShiftMode Mode) const;
  // A move by Value (signed) along the axis of Mode keeps both ends within their room.
  bool ShiftAvailable(TShiftMode Mode, long double Value) const;
  // The segment A-B crosses no other bar of the element except at A or B.
  bool CrossLineValid(const TPoint& A, const TPoint& B) const;

  std::string No;
  TColorProf Profile;
  TProfSize ProfSize;
  TPoint XWPoint_1A, XWPoint_1B, XWPoint_2A, XWPoint_2B;
  TPoint XIPoint_1A, XIPoint_1B, XIPoint_2A, XIPoint_2B;
  float DeltaW1 = 0;
  float DeltaW2 = 0;
  float RotAngle = 0;
  TWinAccessoryList AccList;

protected:
  // The bar of a profile of width Width (half of it for bars placed on their axis) with the delta
  // Delta: the outline measured along the axis, lengthened at a slanted end by tan(|90 - angle|) x
  // (Width + Delta), plus the connector allowance of each end point.
  TProfSize OutlineBarSize(long double Width, long double Delta) const;
};

// A dividing bar with its own reinforcement.
class TInforcedImpost : public TCustomImpost {
public:
  using TCustomImpost::TCustomImpost;

  void ClearValue() override;
  void SetSteel(const std::string& ID, const std::string& Color);
  void SetSteelSize(const TProfSize& Size) { SteelSize = Size; }
  // The catalogue's default steel of the profile.
  virtual void SetDefaultSteel();
  // The steel bar: the profile bar shortened by the combinations at its ends; cleared without steel.
  void CalcSteelSize();

  TColorProf Steel;
  TProfSize SteelSize;
};

// A mullion or transom.
class TImpost : public TInforcedImpost {
public:
  TImpost(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);
  void CalcProfSize() override;

  // The last static check found the bar weaker than the wind load needs (the drawing outlines it in
  // red); not stored, like every result of the check it is stale after a change.
  bool StaticFailed = false;
};

// A meeting stile between two sashes, with the optional second stile on the other sash.
class Tgx25Stulp : public TInforcedImpost {
public:
  Tgx25Stulp(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);
  ~Tgx25Stulp() override;

  void SetDefaultSteel() override;
  // Measured like a mullion with the meeting-stile delta; the second stile gets its own length.
  void CalcProfSize() override;

  int32_t Primary = 0;
  Tgx30CustomPart* PrimaryPartPtr = nullptr;
  Tgx30CustomPart* SlavePartPtr = nullptr;
  std::unique_ptr<TInforcedProfile> SlaveStulp;
};

// A false mullion laid on the glass, with the profile on the other face.
class TFalsh : public TCustomImpost {
public:
  TFalsh(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);

  void ClearValue() override;
  void ChangeMainProfile(const std::string& ID, const std::string& Color) { SetProfile(ID, Color); }
  void ChangeBackProfile(const std::string& ID, const std::string& Color);
  void SetBackNewColor(const std::string& Color) { BackProfile.Color = Color; }
  // Both faces measured along the outline with their own profile widths.
  void CalcProfSize() override;

  TColorProf BackProfile;
  TProfSize BackProfSize;
};

// A glazing bar inside a glass unit.
class Tgx25Spross : public TCustomImpost {
public:
  Tgx25Spross(TModelObject* Owner, Tgx25SimplePoint* PX1, Tgx25SimplePoint* PX2);
  void CalcProfSize() override;
};

}  // namespace kv
