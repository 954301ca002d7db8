#include "geometry/sizing.h"

#include <algorithm>

namespace kv {

Tgx25SizePoint Tgx25SizePoint::CreateX(int32_t X, const TPoint& Point) { return {TSizeAxis::X, X, Point}; }

Tgx25SizePoint Tgx25SizePoint::CreateY(int32_t Y, const TPoint& Point) { return {TSizeAxis::Y, Y, Point}; }

template <class Key>
void Tgx25SizePointList::SortBy(Key key) {
  std::stable_sort(FItems.begin(), FItems.end(),
                   [key](const Tgx25SizePoint& a, const Tgx25SizePoint& b) { return key(a) < key(b); });
}

void Tgx25SizePointList::SortX() {
  SortBy([](const Tgx25SizePoint& p) { return p.X(); });
}
void Tgx25SizePointList::SortY() {
  SortBy([](const Tgx25SizePoint& p) { return p.Y(); });
}

bool Tgx25SizePointList::Equal(const Tgx25SizePointList& Other) const {
  return std::equal(
      FItems.begin(), FItems.end(), Other.FItems.begin(), Other.FItems.end(),
      [](const Tgx25SizePoint& a, const Tgx25SizePoint& b) { return a.Axis() == b.Axis() && a.Value() == b.Value(); });
}

bool Tgx25SizePointList::PointExists(TSizeAxis Axis, int32_t Value) const {
  return std::any_of(FItems.begin(), FItems.end(),
                     [&](const Tgx25SizePoint& p) { return p.Axis() == Axis && p.Value() == Value; });
}

bool Tgx25Sizing::Add(std::unique_ptr<Tgx25SizePointList> Row) {
  const bool known = std::any_of(FRows.begin(), FRows.end(), [&](const auto& r) { return r->Equal(*Row); });
  if (known) return false;
  FRows.push_back(std::move(Row));
  return true;
}

}  // namespace kv
