#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "construction/construction.h"
#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "construction/glass.h"
#include "shell/error_of.h"
#include "shell/errors.h"

namespace kv {
namespace {

// A bar at every millimetre across an arch: mullions across the whole width, transoms over the whole
// height (into the arch above the springing, between the jambs below it). Each position builds, or
// is refused for a real reason; never because the crossing of the bar with the contour is lost.
//
// Per position only what decides that is built: the bar inserted into the arch's one field (its
// crossings and ends, its outline, the division, the connectors of the catalogue), then the glass
// contour and the bead contour with its back edge of both new fields (the catalogue's choice of
// bead and its glass limits are left out). Then the fields, the bar and its ends are cleared, so
// one frame serves every position.
//
// The real reasons (demo catalogue, millimetres):
//   - The T joints of TL-301 into TL-101 cover cut angles of 45 to 135 degrees; a bar that meets
//     the arc more sharply is refused with the catalogue's message, which names the angle.
//   - Around a field lie the frame's 64 (its bead delta and width) and 41 beside the bar (half its
//     width and its bead delta): a bar nearer than 64 + 41 = 105 to the frame's outer edge leaves no
//     room for its outline or for the bead contour of the field between. A refusal with one of the
//     contour messages happens there (105 mm and one for the rounding to tenths).
//   - A transom near the springing but not on it leaves a piece of jamb (below) or of arc (above)
//     between its end and the corner; the bead contour (jamb x 64, arc R - 64, transom moved 41)
//     turns that piece round and refuses the field. Half-round R 600 about (600, 600): the jamb x 64
//     touches R 536 at y 600; the jamb piece 559 + t .. 600 below a transom at 600 + t turns for
//     t <= 41, and the transom at 641 - t meets R 536 below the corner for t <= 41 above: 559..641.
//     Segmental R 854.167 about (650, 854.167), springing 300: the jamb x 64 meets R 790.167 at
//     854.167 - sqrt(790.167^2 - 586^2) = 324.10; the jamb piece 259 + t .. 324.10 turns for
//     t < 65.10, the arc piece 324.10 .. 341 - t for t < 16.90: 284..365.
constexpr int kNearSide = 106;

// Transoms near the springing, not on it, that turn a piece of a side round, millimetres.
struct TBand {
  int From = 0, To = 0, Except = 0;
  bool Holds(int Mm) const { return Mm >= From && Mm <= To && Mm != Except; }
};
constexpr TBand kHalfRoundSpringing{559, 641, 600};
constexpr TBand kSegmentalSpringing{284, 365, 300};

constexpr const char* kLostCrossing = "Не найдены точки пересечения импоста с контуром!";
constexpr const char* kJointAngle =
    "В БД комбинаций профилей отсутствуют данные\r\nдля комбинации [TL-101 - TL-301]\r\nпри обработке торца под [";

bool StartsWith(const std::string& Text, const std::string& Prefix) { return Text.rfind(Prefix, 0) == 0; }

// One of the messages by which a contour or an outline is refused as too small for its offsets.
bool ContourRefusal(const std::string& Message) {
  return StartsWith(Message, "Не возможно определить точку пересечения:\r\n") ||
         test::Contains(Message, " не пренадлежит одной из прямой ") ||
         test::Contains(Message, ", выворачивается: раздел слишком мал!") || test::Contains(Message, " - параллельны!");
}

class ArchSweep : public ::testing::Test {
protected:
  void Build(TFigType Figure, int Width, int Height, int HY = 0) {
    TInitialSize size{Width, Height};
    size.Figure = Figure;
    size.HY = HY;
    frame = construction.NewFrame(1);
    frame->BuildInitial(size);
  }

  // The field divided along A-B with the glass and bead contours of both new fields: empty when it
  // all builds, otherwise the program's message. The frame is given back its one field.
  std::string Divide(const TPoint& A, const TPoint& B) {
    std::string message;
    try {
      TImpost* bar = test::InsertDemoMullion(*frame, 0, A, B);
      if (bar == nullptr || frame->Parts.size() != 2 || !bar->CheckPointCoordinate() || !(bar->ProfSize.Length > 0))
        message = "built wrong";
      for (const auto& part : frame->Parts) {
        part->CalcFillSize(gsiGlass, 0);
        Tgx25BeadFrame beads;
        beads.SetContour(part->CalcFillSize(gsiBead, 0));
        beads.Profile = "TL-BD24";
        beads.UpdateXPoints();
      }
    } catch (const EKvError& e) {
      message = e.what();
    }
    frame->ClearImposts();
    for (auto& line : frame->Lines) line->Points.clear();
    frame->AddBasePart();
    return message;
  }

  // A bar at every millimetre from 1 to Span - 1: vertical ones for a width, horizontal ones for a
  // height; each refusal is checked for its reason, and every position of Refused is refused.
  void Sweep(int Span, bool Vertical, const TBand& Refused = {}) {
    const TRect box = BoundRectOf(frame->GetDimensions());
    int built = 0;
    for (int mm = 1; mm < Span; ++mm) {
      const int at = mm * 10;
      const std::string message =
          Vertical ? Divide({at, box.Top}, {at, box.Bottom}) : Divide({box.Left, at}, {box.Right, at});
      SCOPED_TRACE(::testing::Message() << (Vertical ? "x = " : "y = ") << mm << " mm: " << message);
      if (Refused.Holds(mm)) {
        EXPECT_TRUE(ContourRefusal(message));
      }
      if (message.empty()) {
        ++built;
        continue;
      }
      ASSERT_NE(message, kLostCrossing);
      if (StartsWith(message, kJointAngle)) {
        const double angle = std::atof(message.c_str() + std::string(kJointAngle).size());
        EXPECT_TRUE(angle < 45 || angle > 135);
      } else {
        ASSERT_TRUE(ContourRefusal(message));
        EXPECT_TRUE(std::min(mm, Span - mm) <= kNearSide || Refused.Holds(mm));
      }
    }
    // Most of the span builds: the refusals are the margins only.
    EXPECT_GT(built, Span / 2);
  }

  test::TDemoCatalogue catalogue;
  Tgx25Construction construction;
  TFrame* frame = nullptr;
};

TEST_F(ArchSweep, MullionAndTransomAtEveryMillimetreOfAHalfRoundArch) {
  Build(figArc, 1200, 1500);
  Sweep(1200, true);
  Sweep(1500, false, kHalfRoundSpringing);
}

TEST_F(ArchSweep, MullionAndTransomAtEveryMillimetreOfASegmentalArch) {
  Build(figMiniArc, 1300, 1400, 300);
  Sweep(1300, true);
  Sweep(1400, false, kSegmentalSpringing);
}

}  // namespace
}  // namespace kv
