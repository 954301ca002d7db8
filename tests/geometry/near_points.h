#pragma once
// The origin and a comparison of points within a tolerance, for the geometry tests.
#include <gtest/gtest.h>

#include "geometry/point_ops.h"

namespace kv::test {

inline const TPointF kOrigin = PointF(0, 0);

inline void ExpectNear(const TPointF& actual, const TPointF& expected, double tolerance = 1e-4) {
  EXPECT_NEAR(actual.X, expected.X, tolerance);
  EXPECT_NEAR(actual.Y, expected.Y, tolerance);
}

}  // namespace kv::test
