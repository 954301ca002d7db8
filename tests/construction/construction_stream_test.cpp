// The construction stream: references, round trips, copies and damaged streams; and the stream read
// from files described by hand (tests/construction/fixtures), one for every format date of the
// stream, so that a field the reader takes in the wrong order or from the wrong date fails here even
// when the writer makes the same mistake.
#include "construction/construction_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/sample_constructions.h"
#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/random.h"
#include "shell/stream_description.h"
#include "shell/user_messages.h"
#include "shell/versions.h"

namespace kv {
namespace {

using test::ErrorOf;
using test::RichConstruction;
using test::StreamBytes;

// The construction read from Bytes, into a new one or over Into.
std::unique_ptr<Tgx25Construction> Reload(const std::vector<uint8_t>& Bytes, const std::string& Version = "",
                                          std::unique_ptr<Tgx25Construction> Into = nullptr) {
  auto loaded = Into ? std::move(Into) : std::make_unique<Tgx25Construction>();
  TSpecStream stream(Bytes);
  loaded->Load(stream, Version);
  EXPECT_EQ(stream.Remaining(), 0u) << "values left unread";
  return loaded;
}

// Positions of the 16-byte integer records holding Value.
std::vector<size_t> IntegerRecords(std::span<const uint8_t> Bytes, int32_t Value) {
  uint8_t record[16] = {};
  record[0] = varInteger;
  std::memcpy(record + 8, &Value, sizeof(Value));
  std::vector<size_t> found;
  for (size_t i = 0; i + 16 <= Bytes.size(); ++i)
    if (std::memcmp(Bytes.data() + i, record, 16) == 0) found.push_back(i);
  return found;
}

// The one record holding Value.
size_t FindIntegerRecord(const std::vector<uint8_t>& Bytes, int32_t Value) {
  const std::vector<size_t> found = IntegerRecords(Bytes, Value);
  EXPECT_EQ(found.size(), 1u) << Value;
  return found.empty() ? 0 : found.front();
}

// Frames nested in frames deeper than a stream may hold: written, but refused when read.
std::unique_ptr<Tgx25Construction> DeeplyNested() {
  auto construction = std::make_unique<Tgx25Construction>();
  TFrame* frame = construction->NewFrame(1);
  for (int depth = 0; depth < 40; ++depth) {
    test::BuildRectContour(*frame, {0, 0}, 1000, 1000, 10);
    frame = static_cast<Tgx30CustomPart*>(frame->AddBasePart())->SetNewFrame();
  }
  return construction;
}

void PatchInteger(std::vector<uint8_t>& Bytes, size_t Position, int32_t Value) {
  std::memcpy(Bytes.data() + Position + 8, &Value, sizeof(Value));
}

// ---- references -----------------------------------------------------------------------------

TEST(StreamRefs, WideAndNarrowEncodings) {
  EXPECT_EQ(DecodeStreamRef(2000003, true), (TStreamRef{rkCorner, 0, 3}));
  EXPECT_EQ(DecodeStreamRef(1002005, true), (TStreamRef{rkImpostPoint, 2, 5}));
  EXPECT_EQ(DecodeStreamRef(3001, true), (TStreamRef{rkLinePoint, 3, 1}));
  EXPECT_EQ(DecodeStreamRef(-1, true), std::nullopt);
  EXPECT_EQ(DecodeStreamRef(10203, false), (TStreamRef{rkImpostPoint, 2, 3}));
  EXPECT_EQ(DecodeStreamRef(20004, false), (TStreamRef{rkCorner, 0, 4}));
  EXPECT_EQ(DecodeStreamRef(9999, false), (TStreamRef{rkLinePoint, 99, 99}));
  EXPECT_EQ(EncodeStreamRef({rkImpostPoint, 2, 3}, false), 10203);
  EXPECT_EQ(EncodeStreamRef({rkImpostPoint, 999, 998}), 1999998);
  // Indices of 1000 (100 in the narrow encoding) do not fit.
  EXPECT_EQ(EncodeStreamRef({rkLinePoint, 1000, 0}), std::nullopt);
  EXPECT_EQ(EncodeStreamRef({rkLinePoint, 0, 1000}), std::nullopt);
  EXPECT_EQ(EncodeStreamRef({rkLinePoint, 0, 100}, false), std::nullopt);
}

TEST(StreamRefs, PointsOfSidesBarsAndCorners) {
  Tgx25Construction construction;
  TFrame* frame = construction.NewFrame(1);
  test::BuildRectContour(*frame, {0, 0}, 10000, 10000, 600);
  frame->AddBasePart();
  TImpost* impost = test::AddVerticalImpost(*frame, 5000, 800);
  Tgx25Point* on_bar = impost->AddPoint({5000, 4000});
  EXPECT_EQ(PointStreamRef(*frame, impost->PX1, false), (TStreamRef{rkLinePoint, 1, 0}));
  EXPECT_EQ(PointStreamRef(*frame, on_bar, false), (TStreamRef{rkImpostPoint, 0, 0}));
  EXPECT_EQ(PointStreamRef(*frame, frame->Points[3].get(), true), (TStreamRef{rkCorner, 0, 3}));
  EXPECT_EQ(PointStreamRef(*frame, frame->Points[3].get(), false), std::nullopt);
  EXPECT_EQ(LineStreamRef(*frame, impost), (TStreamRef{rkImpostPoint, 0, 0}));
  EXPECT_EQ(ResolvePointRef(*frame, {rkCorner, 0, 4}, true), nullptr);
  EXPECT_EQ(ResolvePointRef(*frame, {rkLinePoint, 9, 0}, false), nullptr);
  EXPECT_EQ(ResolveLineRef(*frame, {rkLinePoint, 2, 0}), frame->Lines[2].get());
  EXPECT_EQ(ResolveLineRef(*frame, {rkLinePoint, 2, 1}), nullptr);
}

// ---- round trips ----------------------------------------------------------------------------

// Equal bytes after a reload say that every value came back; what they cannot say is that the
// references point at the objects of the new tree.
TEST(ConstructionStream, SaveLoadSaveGivesTheSameBytesAndReferencesPointIntoTheLoadedTree) {
  const std::vector<uint8_t> bytes = StreamBytes(*RichConstruction("3"));
  const auto loaded = Reload(bytes);
  EXPECT_EQ(test::FirstDifference(StreamBytes(*loaded), bytes), -1);
  ASSERT_EQ(loaded->FrameCount(), 3);
  TFrame& frame = *loaded->GetFrame(0);
  // The mullion stands on the points of the top and bottom sides.
  EXPECT_EQ(frame.Imposts[0]->PX1, frame.Lines[1]->Points[0].get());
  EXPECT_EQ(frame.Imposts[0]->PX2, frame.Lines[3]->Points[0].get());
  // The right part runs along the mullion against its direction.
  const auto& right = *frame.Parts[1];
  EXPECT_EQ(right.Lines[0]->Line, frame.Imposts[0].get());
  EXPECT_TRUE(right.Lines[0]->Inverted);
  EXPECT_FALSE(frame.Parts[0]->Lines[2]->Inverted);
  EXPECT_EQ(right.Points[2]->Point, frame.Points[2].get());
  EXPECT_EQ(frame.Lines[3]->PX1, frame.Points[3].get());
  EXPECT_EQ(frame.Lines[3]->PX2, frame.Points[0].get());

  auto* glazed = dynamic_cast<Tgx30CustomPart*>(frame.Parts[0].get());
  ASSERT_EQ(glazed->FillType, ftGlass);
  const Tgx25Glass& glass = *glazed->Glass;
  EXPECT_EQ(glass.ParentPart, glazed);
  EXPECT_EQ(glass.BeadSizes.Lines[3]->PX2, glass.BeadSizes.Points[0].get());
  ASSERT_TRUE(glass.FalshExists() && glass.SprossExists());
  EXPECT_NE(dynamic_cast<TFalsh*>(glass.FalshFrame->Imposts[0].get()), nullptr);
  EXPECT_NE(dynamic_cast<Tgx25Spross*>(glass.SprossFrame->Imposts[0].get()), nullptr);
  EXPECT_EQ(glass.SprossFrame->Imposts[0]->PX1, glass.SprossFrame->Lines[1]->Points[0].get());
  auto* sash_part = dynamic_cast<Tgx30CustomPart*>(frame.Parts[1].get());
  ASSERT_EQ(sash_part->FillType, ftFlugel);
  EXPECT_EQ(sash_part->Flugel->Parent, sash_part);

  TFrame& second = *loaded->GetFrame(1);
  auto* stulp = dynamic_cast<Tgx25Stulp*>(second.Imposts[0].get());
  ASSERT_NE(stulp, nullptr);
  EXPECT_EQ(stulp->PrimaryPartPtr, second.Parts[0].get());
  EXPECT_EQ(stulp->SlavePartPtr, second.Parts[1].get());
  EXPECT_EQ(stulp->PrimaryPartPtr->StulpPtr, stulp);
  EXPECT_EQ(stulp->PrimaryPartPtr->GetAnotherStulpFlugel(), stulp->SlavePartPtr->Flugel.get());

  TFrame& third = *loaded->GetFrame(2);
  EXPECT_EQ(dynamic_cast<Tgx30CustomPart&>(*third.Parts[0]).FillType, ftModificator);
  EXPECT_EQ(dynamic_cast<Tgx30CustomPart&>(*third.Parts[1]).FillType, ftFrame);
  // Streams before 16.02.2011 write references in the narrow encoding.
  TSpecStream stream;
  SaveConstruction(*test::SimpleWindow("1", 1000, 1000), stream, "15.02.2011");
  EXPECT_EQ(IntegerRecords(stream.Bytes(), 20003).size(), 1u);
  EXPECT_TRUE(IntegerRecords(stream.Bytes(), 2000003).empty());
}

TEST(ConstructionStream, NewBarCodesWhenTheSwitchIsOn) {
  const auto original = RichConstruction("1");
  const std::vector<uint8_t> bytes = StreamBytes(*original);
  RandomGenerator().Seed(77);
  std::unique_ptr<Tgx25Construction> copy;
  {
    TGenNewBarCodeScope fresh;
    copy = Reload(bytes);
  }
  EXPECT_FALSE(_GXGenNewBarCode());
  EXPECT_NE(copy->GetFrame(0)->InternalID, original->GetFrame(0)->InternalID);
  EXPECT_NE(copy->GetFrame(0)->Points[0]->InternalID, original->GetFrame(0)->Points[0]->InternalID);
  EXPECT_EQ(copy->GetFrame(0)->Imposts[0]->PX1, copy->GetFrame(0)->Lines[1]->Points[0].get());
  EXPECT_NE(StreamBytes(*copy), bytes);
}

TEST(ConstructionStream, AssignAndBackupCopy) {
  TScriptedMessages messages;
  TUserMessagesScope scope(messages);
  const auto original = RichConstruction("5");
  Tgx25Construction copy;
  copy.Assign(*original);
  EXPECT_EQ(test::FirstDifference(StreamBytes(copy), StreamBytes(*original)), -1);
  EXPECT_FALSE(copy.RestoreBackupCopy());  // none taken yet
  EXPECT_EQ(test::FirstDifference(StreamBytes(copy), StreamBytes(*original)), -1);

  copy.CreateBackupCopy();
  copy.RemoveFrame(copy.GetFrame(0));
  copy.No = "changed";
  EXPECT_TRUE(copy.RestoreBackupCopy());
  EXPECT_EQ(test::FirstDifference(StreamBytes(copy), StreamBytes(*original)), -1);
  EXPECT_TRUE(messages.Shown().empty());
}

TEST(ConstructionStream, BackupCopyThatCannotBeReadIsReportedNotThrown) {
  TScriptedMessages messages;
  TUserMessagesScope scope(messages);
  auto construction = DeeplyNested();
  construction->CreateBackupCopy();
  EXPECT_FALSE(construction->RestoreBackupCopy());
  ASSERT_EQ(messages.Shown().size(), 1u);
  EXPECT_EQ(messages.Shown()[0].Kind, TMessageKind::mkError);
  EXPECT_EQ(messages.LastText(), "Ошибка чтения из потока!\r\nСлишком глубокая вложенность элементов конструкции!");
}

// ---- copies of a glass ----------------------------------------------------------------------

std::vector<uint8_t> GlassBytes(const Tgx25Glass& Glass) {
  TSpecStream stream;
  SaveGlassRecord(Glass, stream);
  return std::vector<uint8_t>(stream.Bytes().begin(), stream.Bytes().end());
}

class GlassCopy : public ::testing::Test {
protected:
  std::unique_ptr<Tgx25Construction> rich = RichConstruction("1");
  std::unique_ptr<Tgx25Construction> plain = test::SimpleWindow("2", 1000, 1000);
  Tgx25Glass& decorated = *rich->GetFirstGlass();
  Tgx25Glass& simple = *plain->GetFirstGlass();
};

TEST_F(GlassCopy, CarriesTheWholeRecordAndStaysInItsPart) {
  ASSERT_TRUE(decorated.FalshExists());
  Tgx30CustomPart* part = simple.ParentPart;
  simple.Assign(decorated);
  EXPECT_EQ(test::FirstDifference(GlassBytes(simple), GlassBytes(decorated)), -1);
  EXPECT_EQ(simple.ParentPart, part);
  EXPECT_EQ(simple.FalshFrame->OwnerObject(), &simple);
  EXPECT_EQ(simple.SprossFrame->OwnerObject(), &simple);
  const std::vector<uint8_t> before = GlassBytes(decorated);
  decorated.Assign(decorated);
  EXPECT_EQ(test::FirstDifference(GlassBytes(decorated), before), -1);
}

TEST_F(GlassCopy, GlassWithoutBarFramesTakesThemAway) {
  ASSERT_TRUE(decorated.SprossExists());
  decorated.Assign(simple);
  EXPECT_FALSE(decorated.FalshExists());
  EXPECT_FALSE(decorated.SprossExists());
  EXPECT_EQ(test::FirstDifference(GlassBytes(decorated), GlassBytes(simple)), -1);
}

TEST_F(GlassCopy, RecordThatCannotBeWrittenFailsWithTheReason) {
  Tgx25SimplePoint stray(nullptr, TPoint{1, 1});
  decorated.FalshFrame->Parts[0]->Points[0]->Point = &stray;
  const std::vector<uint8_t> before = GlassBytes(simple);
  EXPECT_EQ(ErrorOf<ECreationError>([&] { simple.Assign(decorated); }),
            "Ошибка копирования заполнения!\r\n(Не могу определить ссылку на точку в разделе!)");
  EXPECT_EQ(test::FirstDifference(GlassBytes(simple), before), -1);
}

// ---- failures -------------------------------------------------------------------------------

TEST(ConstructionStreamFailures, PointsOutsideTheElementCannotBeSaved) {
  auto construction = test::SimpleWindow("1", 1000, 1000);
  TFrame& frame = *construction->GetFrame(0);
  frame.AddImpost(std::make_unique<TImpost>(&frame, frame.Points[0].get(), frame.Points[2].get()));
  EXPECT_EQ(ErrorOf<ECreationError>([&] { StreamBytes(*construction); }), "Не могу определить точку опоры импоста!");

  construction = test::SimpleWindow("1", 1000, 1000);
  Tgx25Point stray(nullptr, {5, 5});
  construction->GetFrame(0)->Parts[0]->AddPoint(&stray);
  EXPECT_EQ(ErrorOf<ECreationError>([&] { StreamBytes(*construction); }),
            "Не могу определить ссылку на точку в разделе!");
}

TEST(ConstructionStreamFailures, UnresolvableImpostEndNamesTheImpost) {
  auto construction = test::SimpleWindow("1", 1000, 1000);
  TFrame& frame = *construction->GetFrame(0);
  for (int i = 0; i < 7; ++i) frame.Lines[1]->AddPoint({1000 + i * 100, 0});
  frame.Lines[1]->AddPoint({5000, 0});
  frame.Lines[3]->AddPoint({5000, 10000});
  frame.AddImpost(std::make_unique<TImpost>(&frame, frame.Lines[1]->Points[7].get(), frame.Lines[3]->Points[0].get()));
  std::vector<uint8_t> bytes = StreamBytes(*construction);
  PatchInteger(bytes, FindIntegerRecord(bytes, 1007), 1999);
  EXPECT_EQ(ErrorOf<ECreationError>([&] { Reload(bytes); }), "Не могу определить точку опоры импоста № 1!");
}

TEST(ConstructionStreamFailures, UnresolvablePartReferenceNamesPartAndContour) {
  const struct {
    int32_t Stored, Patched;
    const char* Message;
  } cases[] = {
      {2000002, 2000009, "Не могу определить ссылку на точку № 3 в разделе №1 в контуре № 4!"},
      {3000, 1000000, "Не могу определить ссылку на линию № 4 в разделе №1 в контуре № 4!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored);
    std::vector<uint8_t> bytes = StreamBytes(*test::SimpleWindow("4", 1000, 1000));
    PatchInteger(bytes, FindIntegerRecord(bytes, c.Stored), c.Patched);
    EXPECT_EQ(ErrorOf<ECreationError>([&] { Reload(bytes); }), c.Message);
  }
}

TEST(ConstructionStreamFailures, EveryTruncationFailsCleanly) {
  TScriptedMessages messages;
  TUserMessagesScope scope(messages);
  const std::vector<uint8_t> bytes = StreamBytes(*RichConstruction("1"));
  for (size_t length = 0; length < bytes.size(); length += (length < 400 ? 1 : 97)) {
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    Tgx25Construction loaded;
    TSpecStream stream(cut);
    EXPECT_THROW(loaded.Load(stream, ""), EKvError) << length;
  }
}

TEST(ConstructionStreamFailures, HugeCountsAreRefused) {
  auto construction = test::SimpleWindow("1", 1000, 1000);
  std::vector<uint8_t> bytes = StreamBytes(*construction);
  // The first count of 4 is the frame's corner count.
  const std::vector<size_t> fours = IntegerRecords(bytes, 4);
  ASSERT_FALSE(fours.empty());
  PatchInteger(bytes, fours.front(), 1000000000);
  EXPECT_EQ(ErrorOf<EInOutError>([&] { Reload(bytes); }),
            "Ошибка чтения из потока!\r\nНеверное число записей [1000000000]!");
}

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
    // Frames of streams older than 03.02.2008 take the material type of their system and the static
    // method of their type in it from here.
    catalogue_.Catalog("SysList", {{"ID", "TL70"}, {"BaseColor", "WHITE"}, {"MatType", 3}, {"CommonGrp", 1}});
    catalogue_.Catalog("TypeProf", {{"ID", 1}, {"System", "TL70"}, {"StaticMethod", 4}});
    catalogue_.Open();
  }
  bool Since(const char* Date) const { return VerGreaterThan(GetParam(), Date); }

  std::vector<uint8_t> Bytes() const { return test::DescribedStreamFile(Fixture(GetParam())); }
  // Read over a construction holding three frames and every list: nothing of it may stay, and the
  // values an older layout lacks take their defaults rather than what the construction held.
  std::unique_ptr<Tgx25Construction> Loaded(const std::vector<uint8_t>& Bytes) const {
    return Reload(Bytes, GetParam(), RichConstruction("1"));
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
  EXPECT_TRUE(c->MatList.empty());
  EXPECT_TRUE(c->SillList.empty());
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
  EXPECT_EQ(frame.StaticMethod, Since("03.02.2008") ? 2 : 4);

  ASSERT_EQ(frame.Points.size(), 4u);
  const auto& corner = static_cast<const Tgx25FramePoint&>(*frame.Points[1]);
  EXPECT_EQ(corner.InternalID, 5012);
  EXPECT_EQ(corner.GetPoint(), (TPoint{13000, 0}));
  EXPECT_EQ(corner.AngleType, atX1to2X);  // before 08.07.2007 from the value after the cross points
  EXPECT_EQ(frame.Points[2]->GetPoint(), (TPoint{13000, 14000}));
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
  EXPECT_EQ(sash.Points[2]->GetPoint(), (TPoint{6000, 13300}));
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
  ExpectHeaderAndTail(construction.get(), since);
  ExpectFrame(construction.get(), since);
  ExpectMullionAndPart(construction.get(), since);
  ExpectSash(construction.get(), since);
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
