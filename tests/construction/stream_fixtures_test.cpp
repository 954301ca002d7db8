// The construction stream read from files described by hand (tests/construction/fixtures), one for
// every format date of the stream, so that a field the reader takes in the wrong order or from the
// wrong date fails here even when the writer makes the same mistake.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/construction_stream.h"
#include "shell/stream_description.h"
#include "shell/versions.h"

namespace kv {
namespace {

// ---- the describing tool itself -------------------------------------------------------------

template <class T>
T ValueAt(const std::vector<uint8_t>& Bytes, size_t Offset) {
  T value;
  std::memcpy(&value, Bytes.data() + Offset, sizeof(T));
  return value;
}

TEST(StreamDescription, EncodesEveryKindByTheLayout) {
  const std::vector<uint8_t> bytes = test::DescribedStream(
      "# a comment line\n"
      "str Окно   # four letters\n"
      "bool 1\n"
      "repeat 2\n  int -2\nend\n"
      "date 01.01.2008 12:00\n"
      "cur -1,5\n"
      "str a\\r\\n\\x23\n");
  // Length 4 and the Windows-1251 letters О к н о; then five records of 16 bytes; then "a" CR LF "#".
  ASSERT_EQ(bytes.size(), 8u + 5 * 16 + 4 + 4);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
            (std::vector<uint8_t>{4, 0, 0, 0, 0xCE, 0xEA, 0xED, 0xEE}));
  EXPECT_EQ(ValueAt<uint16_t>(bytes, 8), 11);  // boolean, true is all bits set
  EXPECT_EQ(ValueAt<uint16_t>(bytes, 16), 0xFFFF);
  EXPECT_EQ(ValueAt<uint16_t>(bytes, 24), 3);
  EXPECT_EQ(ValueAt<int32_t>(bytes, 32), -2);
  EXPECT_EQ(ValueAt<int32_t>(bytes, 48), -2);
  // 01.01.1900 is day 2; 108 years to 2008 with 26 leap days: 2 + 108 x 365 + 26 = 39448, plus noon.
  EXPECT_EQ(ValueAt<uint16_t>(bytes, 56), 7);
  EXPECT_EQ(ValueAt<double>(bytes, 64), 39448.5);
  EXPECT_EQ(ValueAt<uint16_t>(bytes, 72), 6);
  EXPECT_EQ(ValueAt<int64_t>(bytes, 80), -15000);
  EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 8, bytes.end()), (std::vector<uint8_t>{4, 0, 0, 0, 'a', 13, 10, '#'}));
  // Unknown kinds, numbers of the wrong kind, letters outside the code page and open blocks are
  // mistakes of the description.
  for (const char* wrong : {"long 3", "int 3,5", "byte 256", "str 中", "repeat 2\nint 1", "date 30.02.2008"})
    EXPECT_THROW(test::DescribedStream(wrong), std::invalid_argument) << wrong;
}

// ---- one fixture a format date ----------------------------------------------------------------

std::filesystem::path Fixture(const std::string& Version) {
  // "dd.mm.yyyy" -> window_yyyy-mm-dd.txt
  return std::filesystem::path(KV_SOURCE_DIR) / "tests/construction/fixtures" /
         ("window_" + Version.substr(6, 4) + "-" + Version.substr(3, 2) + "-" + Version.substr(0, 2) + ".txt");
}

// The window of the fixtures: 1300 x 1400 mm, corners at (0, 0), (13000, 0), (13000, 14000),
// (0, 14000) in 0.1 mm; a mullion on point 1 of side 1 and point 1 of side 3.
class StreamFixtures : public ::testing::TestWithParam<std::string> {
protected:
  void SetUp() override {
    // Frames of streams older than 03.02.2008 take the material type of their system from here.
    catalogue_.Catalog("SysList", {{"ID", "TL70"}, {"BaseColor", "WHITE"}, {"MatType", 3}, {"CommonGrp", 1}});
    catalogue_.Open();
  }
  bool Since(const char* Date) const { return VerGreaterThan(GetParam(), Date); }

  std::vector<uint8_t> Bytes() const { return test::DescribedStreamFile(Fixture(GetParam())); }
  std::unique_ptr<Tgx25Construction> Loaded(const std::vector<uint8_t>& Bytes) const {
    auto construction = std::make_unique<Tgx25Construction>();
    TSpecStream stream(Bytes);
    construction->Load(stream, GetParam());
    EXPECT_EQ(stream.Remaining(), 0u) << "values left unread";
    return construction;
  }

private:
  test::TSmallCatalogue catalogue_;
};

void ExpectHeaderAndTail(const Tgx25Construction* c, const std::function<bool(const char*)>& Since) {
  EXPECT_EQ(c->No, "7");
  EXPECT_EQ(c->Count, 2);
  EXPECT_EQ(c->ViewSide, 1);
  EXPECT_EQ(c->WorkCoef, 1.5f);
  EXPECT_TRUE(c->CheckStaticOnSave);
  EXPECT_EQ(c->InnerColor, "Белый");
  EXPECT_EQ(c->OuterColor, "Золотой дуб");
  EXPECT_EQ(c->WindowFixPrice.Raw(), 13085000);
  // Older streams: wind-load group 1 (lg10) and no material.
  EXPECT_EQ(c->LoadGroupH, Since("03.02.2008") ? 2 : 1);
  EXPECT_EQ(c->Material, Since("27.02.2008") ? 4 : 0);
  if (Since("04.09.2009")) {
    // 01.02.2010 is day 40210 (39448 for 01.01.2008 + 366 + 365 + 31); 10:30 is 0.4375 of a day.
    EXPECT_EQ(c->TimeStamp1, 40210.4375);
    EXPECT_EQ(c->TimeStamp2, 40211);
  } else {
    EXPECT_GT(c->TimeStamp1, 43831);  // the time of loading, after 01.01.2020
  }
  EXPECT_EQ(c->CarriedText5, Since("21.09.2009") ? "Иванов" : "");
  if (Since("21.09.2009")) {
    EXPECT_EQ(c->TimeStamp3, 40212);
  }
}

void ExpectFrame(const Tgx25Construction* c, const std::function<bool(const char*)>& Since) {
  ASSERT_EQ(c->FrameCount(), 1);
  const TFrame& frame = *c->GetFrame(0);
  EXPECT_EQ(frame.Name, "1");
  EXPECT_EQ(frame.InternalID, 5001);
  EXPECT_EQ(frame.ID, 1);
  EXPECT_EQ(frame.WeldAllowance, 3.0f);
  EXPECT_EQ(frame.PropList, Since("20.04.2006") ? TStringList{"Сварка=1"} : TStringList{});
  EXPECT_EQ(frame.TypeWin, 1);
  EXPECT_EQ(frame.Article, "ОК-1");
  EXPECT_EQ(frame.ArticleName, "Окно");
  EXPECT_EQ(frame.ProfSys, "TL70");
  EXPECT_EQ(frame.MatType, Since("03.02.2008") ? 5 : 3);
  if (Since("03.02.2008")) {
    EXPECT_EQ(frame.StaticMethod, 2);
  }

  ASSERT_EQ(frame.Points.size(), 4u);
  const auto& corner = static_cast<const Tgx25FramePoint&>(*frame.Points[1]);
  EXPECT_EQ(corner.InternalID, 5012);
  EXPECT_EQ(corner.X, 13000);
  EXPECT_EQ(corner.Y, 0);
  EXPECT_EQ(corner.AngleType, atX1to2X);  // before 08.07.2007 from the value after the cross points
  EXPECT_EQ(frame.Points[2]->X, 13000);
  EXPECT_EQ(frame.Points[2]->Y, 14000);
  const TSizeF size = c->GetSize();
  EXPECT_FLOAT_EQ(size.Width, 1300);
  EXPECT_FLOAT_EQ(size.Height, 1400);

  ASSERT_EQ(frame.Lines.size(), 4u);
  const auto& top = static_cast<const Tgx25FrameLine&>(*frame.Lines[0]);
  EXPECT_EQ(top.No, "1");
  EXPECT_EQ(top.Profile.ID, "F70");
  EXPECT_EQ(top.Profile.Color, "Белый");
  EXPECT_EQ(top.SubSetID, Since("12.03.2008") ? 400 : NO_SUBSET);
  ASSERT_EQ(top.CutPoints.size(), Since("08.07.2007") ? 1u : 0u);
  if (Since("08.07.2007")) {
    EXPECT_EQ(top.CutPoints[0]->X, 3000);
    EXPECT_EQ(top.CutPoints[0]->Delta0, 10.0f);
    EXPECT_EQ(top.CutPoints[0]->AngleZ, Since("16.01.2008") ? 45.0f : 0.0f);
  }
  ASSERT_EQ(top.Points.size(), 1u);
  EXPECT_EQ(top.Points[0]->X, 6500);
  EXPECT_EQ(static_cast<const Tgx25FrameLine&>(*frame.Lines[3]).No, "4");
}

void ExpectMullionAndPart(const Tgx25Construction* c, const std::function<bool(const char*)>& Since) {
  ASSERT_EQ(c->FrameCount(), 1);
  const TFrame& frame = *c->GetFrame(0);
  ASSERT_EQ(frame.Imposts.size(), 1u);
  const auto& mullion = dynamic_cast<const TImpost&>(*frame.Imposts[0]);
  EXPECT_EQ(mullion.No, "1");
  EXPECT_EQ(mullion.Profile.ID, "I80");
  EXPECT_EQ(mullion.Steel.ID, "S30");
  EXPECT_EQ(mullion.RotAngle, Since("04.11.2007") ? 90.0f : 0.0f);
  // The end references name point 1 of side 1 and point 1 of side 3 (0 and 2000, before 16.02.2011
  // 0 and 200).
  EXPECT_EQ(mullion.PX1, frame.Lines[0]->Points[0].get());
  EXPECT_EQ(mullion.PX2, frame.Lines[2]->Points[0].get());

  ASSERT_EQ(frame.Parts.size(), 1u);
  const auto& part = dynamic_cast<const Tgx30CustomPart&>(*frame.Parts[0]);
  EXPECT_EQ(part.FillType, ftFlugel);
  ASSERT_EQ(part.Points.size(), 4u);
  ASSERT_EQ(part.Lines.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(part.Points[i]->Point, frame.Points[i].get()) << "corner " << i;  // 2000000 + i, old 20000 + i
    EXPECT_EQ(part.Lines[i]->Line, frame.Lines[i].get()) << "side " << i;       // 1000 x i, old 100 x i
  }
}

// The sash in the frame's part, with its net and fittings set.
void ExpectSash(const Tgx25Construction* c, const std::function<bool(const char*)>& Since) {
  const auto& part = dynamic_cast<const Tgx30CustomPart&>(*c->GetFrame(0)->Parts[0]);
  ASSERT_NE(part.Flugel, nullptr);
  const TFlugel& sash = *part.Flugel;
  EXPECT_EQ(sash.Name, "С1");
  EXPECT_EQ(sash.ID, 2);
  ASSERT_EQ(sash.Points.size(), 4u);
  EXPECT_EQ(sash.Points[2]->X, 6000);
  EXPECT_EQ(sash.Points[2]->Y, 13300);
  ASSERT_EQ(sash.Lines.size(), 4u);
  EXPECT_EQ(static_cast<const Tgx25FrameLine&>(*sash.Lines[3]).No, "4");
  EXPECT_TRUE(sash.Kipp);
  EXPECT_EQ(sash.Mosquito.Article, "МС-1");
  EXPECT_EQ(sash.Mosquito.Height, 12600);
  EXPECT_EQ(sash.Sockel, nullptr);
  ASSERT_NE(sash.FurnComp, nullptr);
  EXPECT_EQ(sash.FurnComp->FurnSys, "ФС");
  EXPECT_EQ(sash.FurnComp->ID, "К-12");
  EXPECT_EQ(sash.FurnComp->Setting, 1);
  EXPECT_EQ(sash.FurnComp->Components[7], Since("01.09.2008") ? "Ручка-7" : "");
  ASSERT_EQ(sash.FurnComp->Items.size(), Since("23.04.2012") ? 1u : 0u);
  if (Since("23.04.2012")) {
    EXPECT_EQ(sash.FurnComp->Items[0].ID, "ПЕТЛЯ-1");
    EXPECT_EQ(sash.FurnComp->Items[0].Length, 2.0f);
    EXPECT_EQ(sash.FurnComp->Items[0].Info, "верх");
  }
}

TEST_P(StreamFixtures, ReadTheWindow) {
  const auto construction = Loaded(Bytes());
  const auto since = [this](const char* Date) { return Since(Date); };
  {
    SCOPED_TRACE("header and tail");
    ExpectHeaderAndTail(construction.get(), since);
  }
  {
    SCOPED_TRACE("frame");
    ExpectFrame(construction.get(), since);
  }
  {
    SCOPED_TRACE("mullion and part");
    ExpectMullionAndPart(construction.get(), since);
  }
  {
    SCOPED_TRACE("sash");
    ExpectSash(construction.get(), since);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormatDate, StreamFixtures,
                         ::testing::Values("01.01.2006", "20.04.2006", "08.07.2007", "04.11.2007", "15.01.2008",
                                           "16.01.2008", "28.01.2008", "03.02.2008", "08.02.2008", "25.02.2008",
                                           "27.02.2008", "06.03.2008", "12.03.2008", "01.09.2008", "04.09.2009",
                                           "21.09.2009", "16.02.2011", "23.04.2012"),
                         [](const auto& info) {
                           std::string name = info.param;
                           name.erase(std::remove(name.begin(), name.end(), '.'), name.end());
                           return "V" + name;
                         });

// Whatever is read from the newest layout is written back value for value.
class CurrentFixture : public StreamFixtures {};

TEST_P(CurrentFixture, SavedAgainGivesTheFixtureBytes) {
  const std::vector<uint8_t> bytes = Bytes();
  TSpecStream saved;
  SaveConstruction(*Loaded(bytes), saved);
  EXPECT_EQ(test::FirstDifference(saved.Bytes(), bytes), -1) << "offset of the first byte that differs";
}

INSTANTIATE_TEST_SUITE_P(NewestLayout, CurrentFixture, ::testing::Values(kConstructionStreamVersion));

}  // namespace
}  // namespace kv
