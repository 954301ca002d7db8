#include "design/furn_symbols.h"

#include <cmath>

#include "geometry/point_ops.h"
#include "geometry/transforms.h"

namespace kv {

std::vector<TPolygon> HandleSymbol(int HandleType) {
  switch (HandleType) {
    case 10:
      return {{{-300, -200}, {-300, 200}, {300, 200}, {300, -200}},
              {{-1100, 100}, {-1100, -100}, {100, -100}, {100, 100}}};
    case 11:
      return {{{-1000, -200}, {-1000, 200}, {1000, 200}, {1000, -200}},
              {{-100, 0}, {100, 0}, {100, 1200}, {-100, 1200}}};
    case 12:
      return {{{-1500, 0}, {-1200, 0}, {-1200, 1200}, {1200, 1200}, {1200, 0}, {1500, 0}, {1500, 1500}, {-1500, 1500}}};
    case 13:
      return {{{-1500, 0},
               {-1260, 0},
               {-1260, 500},
               {-500, 1260},
               {500, 1260},
               {1260, 500},
               {1260, 0},
               {1500, 0},
               {1500, 620},
               {620, 1500},
               {-620, 1500},
               {-1500, 620}}};
    case 14: return {{{-1500, 0}, {-1080, 0}, {0, 1080}, {1080, 0}, {1500, 0}, {0, 1500}}};
    case 15:
      return {{{-800, -100}, {-800, 100}, {800, 100}, {800, -100}}, {{-500, -50}, {-500, 50}, {500, 50}, {500, -50}}};
    default: return {};
  }
}

TPolygon HingeSymbol() { return {{-500, -150}, {-500, 150}, {500, 150}, {500, -150}}; }

TPolygon DriveSymbol() { return {{-250, 0}, {-250, 400}, {0, 600}, {250, 400}, {250, 0}}; }

std::vector<TPolygon> SlidingArrows(int Kind, int Width) {
  if (Kind < 1 || Kind > 5) return {};
  const int l = Width / 4;
  const int head = std::min(300, l / 2);
  const TPolygon right_head{{l - head, -head}, {l, 0}, {l - head, head}};
  const TPolygon left_head{{-l + head, -head}, {-l, 0}, {-l + head, head}};
  // Two cross strokes at one end of the shaft.
  auto strokes = [head](int at, int towards) {
    return std::vector<TPolygon>{{{at, -head}, {at, head}},
                                 {{at + towards * head / 2, -head}, {at + towards * head / 2, head}}};
  };
  std::vector<TPolygon> arrows{{{-l, 0}, {l, 0}}};
  if (Kind != 2) arrows.push_back(right_head);
  if (Kind == 2 || Kind == 3) arrows.push_back(left_head);
  if (Kind == 4)
    for (auto& s : strokes(-l, 1)) arrows.push_back(s);
  if (Kind == 5)
    for (auto& s : strokes(l, -1)) arrows.push_back(s);
  return arrows;
}

long double SymbolAngle(long double Angle) { return Angle >= 180 ? std::fabs(Angle - 180) : Angle; }

TPolygon PlaceSymbol(const TPolygon& Symbol, const TPoint& At, long double Angle) {
  TPolygon placed;
  placed.reserve(Symbol.size());
  for (const TPoint& p : Symbol) placed.push_back(SumPoint(RoundedPoint(TurnPoint(ExtendedPoint(p), Angle)), At));
  return placed;
}

}  // namespace kv
