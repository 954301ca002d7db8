#pragma once
// Dimension chains drawn around a construction: size points on one axis, chains of them, and a
// sizing made of several chains (rows). Drawing them belongs to the drawing pass.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "shell/points.h"

namespace kv {

enum class TSizeAxis : uint8_t { X, Y };

// A coordinate on one axis, measured at the point it belongs to.
class Tgx25SizePoint {
public:
  static Tgx25SizePoint CreateX(int32_t X, const TPoint& Point);
  static Tgx25SizePoint CreateY(int32_t Y, const TPoint& Point);

  TSizeAxis Axis() const { return FAxis; }
  // The coordinate on the point's own axis.
  int32_t Value() const { return FValue; }
  TPoint GetPoint() const { return FPoint; }
  // Position of the size point: its value on its own axis, the point's coordinate on the other.
  int32_t X() const { return FAxis == TSizeAxis::X ? FValue : FPoint.X; }
  int32_t Y() const { return FAxis == TSizeAxis::Y ? FValue : FPoint.Y; }

private:
  Tgx25SizePoint(TSizeAxis axis, int32_t value, const TPoint& point) : FAxis(axis), FValue(value), FPoint(point) {}

  TSizeAxis FAxis;
  int32_t FValue;
  TPoint FPoint;
};

// One chain: its size points in order; neighbours are the ends of one dimension line.
class Tgx25SizePointList {
public:
  void Add(const Tgx25SizePoint& Point) { FItems.push_back(Point); }
  void Clear() { FItems.clear(); }
  std::size_t Count() const { return FItems.size(); }
  bool Empty() const { return FItems.empty(); }
  const Tgx25SizePoint& First() const { return FItems.front(); }
  const Tgx25SizePoint& Last() const { return FItems.back(); }
  const Tgx25SizePoint& GetItem(std::size_t Index) const { return FItems.at(Index); }

  // Orders the points by X or Y, keeping the order of equal ones.
  void SortX();
  void SortY();
  // Same count and the same axes and values in the same order.
  bool Equal(const Tgx25SizePointList& Other) const;
  // A point with this value on the given axis.
  bool PointExists(TSizeAxis Axis, int32_t Value) const;

private:
  template <class Key>
  void SortBy(Key key);

  std::vector<Tgx25SizePoint> FItems;
};

// A sizing: its rows of chains, all on one axis, with an optional own text that replaces the
// measured sizes.
class Tgx25Sizing {
public:
  explicit Tgx25Sizing(TSizeAxis Axis, std::string Text = {}) : FAxis(Axis), FText(std::move(Text)) {}

  TSizeAxis Axis() const { return FAxis; }
  const std::string& Text() const { return FText; }

  // Appends a row unless an equal one is there already; returns whether it was appended.
  bool Add(std::unique_ptr<Tgx25SizePointList> Row);
  void Clear() { FRows.clear(); }
  std::size_t Count() const { return FRows.size(); }
  const Tgx25SizePointList& GetItem(std::size_t Index) const { return *FRows.at(Index); }

private:
  TSizeAxis FAxis;
  std::string FText;
  std::vector<std::unique_ptr<Tgx25SizePointList>> FRows;
};

}  // namespace kv
