#include <gtest/gtest.h>

#include "calc/acc_named_values.h"

namespace kv {
namespace {

struct TCall {
  const char* Name;
  std::vector<long double> Args;
  long double Expected;
};

TEST(AccNamedValues, PieceJointElementAndTechnologyValuesUnderTheirEnglishAndRussianNames) {
  TPieceMeasures m;
  m.Length = 1300;
  m.RotAngle = 350;
  m.AxisLength = 2000;
  m.PlateAllowance = 15;
  m.CoverAllowance = 5;
  m.StulpLeft = true;
  m.Fasad = true;
  // 350 lies in 315 .. 45 (through 0) and not in 0 .. 180; 349.6 is 350 in whole degrees; the
  // pressure plate 2000 - 2 x 15, the cover 2000 - 2 x 5.
  const TCall calls[] = {{"LEN", {}, 1300},
                         {"ДЛИНА", {}, 1300},
                         {"ПОВОРОТ", {}, 350},
                         {"ROTANGLE_BETWEEN", {315, 45}, 1},
                         {"ПОВОРОТ_МЕЖДУ", {0, 180}, 0},
                         {"ROTANGLE_NOT_BETWEEN", {0, 180}, 1},
                         {"ПОВОРОТ_НЕ_МЕЖДУ", {315, 45}, 0},
                         {"ROTANGLE_EQUAL", {349.6L}, 1},
                         {"ПОВОРОТ_РАВЕН", {10}, 0},
                         {"ROTANGLE_NOT_EQUAL", {10}, 1},
                         {"ДЛИНА_ОСЬ_ПРИЖИМ_ПЛАНКИ", {}, 2000},
                         {"LEN_OS_D2", {}, 2000},
                         {"LEN_D1", {}, 1970},
                         {"ДЛИНА_ДЕКОР_НАКЛАДКИ", {}, 1990},
                         {"ШТУЛЬП_ЛЕВЫЙ", {}, 1},
                         {"STULP_RIGHT", {}, 0},
                         {"ФАСАД", {}, 1},
                         {"ROUND", {2.5L}, 3},
                         {"ОКРУГЛИТЬ", {1.26L, 1}, 1.3L}};
  for (const TCall& call : calls) {
    long double value = -1;
    ASSERT_TRUE(m.Value(call.Name, call.Args, value)) << call.Name;
    EXPECT_NEAR(static_cast<double>(value), static_cast<double>(call.Expected), 1e-9) << call.Name;
  }
  long double value = 0;
  EXPECT_FALSE(m.Value("WIDTH", {}, value));
  const TJointMeasures joint{1400, 82};
  ASSERT_TRUE(joint.Value("ДЛИНА_ЗАКЛАДНОЙ", {}, value));
  EXPECT_EQ(value, 82);
  // Two base profiles of 500 and 700 mm: 2 pieces, 1200 mm; the list stands for one length at a time.
  const TElementMeasures element{2, 1300, 1400, {500, 700}};
  EXPECT_EQ(element.SockelLengthList(), "500,0;700,0");
  const std::pair<const char*, long double> element_values[] = {
      {"КОЛ_СТВОРОК", 2}, {"WIDTH", 1300}, {"ВЫСОТА", 1400}, {"WOOD_SOCKEL_COUNT", 2}, {"ДЛИНА_ПОДСТАВОЧНЫХ", 1200}};
  for (const auto& [name, expected] : element_values) {
    ASSERT_TRUE(element.Value(name, 700, value)) << name;
    EXPECT_EQ(value, expected) << name;
  }
  ASSERT_TRUE(element.Value("WOOD_SOCKEL_LEN_LIST", 700, value));
  EXPECT_EQ(value, 700);
  // A meeting stile painted outside only: 0.3 m2 outside, the inner 0.2 m2 not painted.
  TTechMeasures tech;
  tech.Kind = TTechPartKind::Stulp;
  tech.OuterPainted = true;
  tech.OuterArea = 0.3L;
  tech.InnerArea = 0.2L;
  const std::pair<const char*, long double> tech_values[] = {{"ШТЛ", 1},
                                                             {"FRAME", 0},
                                                             {"ПР", 1},
                                                             {"ОДНСТР", 1},
                                                             {"DBL", 0},
                                                             {"ПЛОЩАДЬ_ПОКРАС", 0.3L},
                                                             {"SQ_INNERCOLOR", 0},
                                                             {"ПЛОЩАДЬ_ПОКРАС_НАРУЖ", 0.3L}};
  for (const auto& [name, expected] : tech_values) {
    ASSERT_TRUE(tech.Value(name, value)) << name;
    EXPECT_EQ(value, expected) << name;
  }
}

}  // namespace
}  // namespace kv
