#include "construction/construction_stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/small_catalogue.h"
#include "construction/construction.h"
#include "construction/glass.h"
#include "construction/model_builders.h"
#include "construction/sample_constructions.h"
#include "shell/error_of.h"
#include "shell/errors.h"
#include "shell/random.h"
#include "shell/user_messages.h"
#include "shell/versions.h"

namespace kv {
namespace {

using test::ErrorOf;
using test::RichConstruction;
using test::SameBytes;
using test::StreamBytes;

std::unique_ptr<Tgx25Construction> Reload(const std::vector<uint8_t>& Bytes, const std::string& Version = "") {
  auto loaded = std::make_unique<Tgx25Construction>();
  TSpecStream stream(Bytes);
  loaded->Load(stream, Version);
  EXPECT_EQ(stream.Remaining(), 0u);
  return loaded;
}

// Positions of the 16-byte integer records holding Value.
std::vector<size_t> IntegerRecords(const std::vector<uint8_t>& Bytes, int32_t Value) {
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
  EXPECT_TRUE(SameBytes(StreamBytes(*loaded), bytes));
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
}

TEST(ConstructionStream, ReadingReplacesWhatTheConstructionHeld) {
  auto target = RichConstruction("1");
  const auto small = test::SimpleWindow("2", 1000, 1200);
  TSpecStream stream(StreamBytes(*small));
  target->Load(stream, "");
  EXPECT_EQ(target->FrameCount(), 1);
  EXPECT_TRUE(target->MatList.empty());
  EXPECT_TRUE(SameBytes(StreamBytes(*target), StreamBytes(*small)));
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
  EXPECT_TRUE(SameBytes(StreamBytes(copy), StreamBytes(*original)));
  EXPECT_FALSE(copy.RestoreBackupCopy());  // none taken yet
  EXPECT_TRUE(SameBytes(StreamBytes(copy), StreamBytes(*original)));

  copy.CreateBackupCopy();
  copy.RemoveFrame(copy.GetFrame(0));
  copy.No = "changed";
  EXPECT_TRUE(copy.RestoreBackupCopy());
  EXPECT_TRUE(SameBytes(StreamBytes(copy), StreamBytes(*original)));
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
  return stream.Bytes();
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
  EXPECT_TRUE(SameBytes(GlassBytes(simple), GlassBytes(decorated)));
  EXPECT_EQ(simple.ParentPart, part);
  EXPECT_EQ(simple.FalshFrame->OwnerObject(), &simple);
  EXPECT_EQ(simple.SprossFrame->OwnerObject(), &simple);
  const std::vector<uint8_t> before = GlassBytes(decorated);
  decorated.Assign(decorated);
  EXPECT_TRUE(SameBytes(GlassBytes(decorated), before));
}

TEST_F(GlassCopy, GlassWithoutBarFramesTakesThemAway) {
  ASSERT_TRUE(decorated.SprossExists());
  decorated.Assign(simple);
  EXPECT_FALSE(decorated.FalshExists());
  EXPECT_FALSE(decorated.SprossExists());
  EXPECT_TRUE(SameBytes(GlassBytes(decorated), GlassBytes(simple)));
}

TEST_F(GlassCopy, RecordThatCannotBeWrittenFailsWithTheReason) {
  Tgx25SimplePoint stray(nullptr, TPoint{1, 1});
  decorated.FalshFrame->Parts[0]->Points[0]->Point = &stray;
  const std::vector<uint8_t> before = GlassBytes(simple);
  EXPECT_EQ(ErrorOf<ECreationError>([&] { simple.Assign(decorated); }),
            "Ошибка копирования заполнения!\r\n(Не могу определить ссылку на точку в разделе!)");
  EXPECT_TRUE(SameBytes(GlassBytes(simple), before));
}

// ---- older streams --------------------------------------------------------------------------

// Frames of streams before 03.02.2008 take the material type of their system from the catalogue.
class OlderStreams : public ::testing::Test {
protected:
  void SetUp() override {
    catalogue_.Catalog("SysList", {{"ID", "TL70"}, {"BaseColor", "WHITE"}, {"MatType", 3}, {"CommonGrp", 1}});
    catalogue_.Open();
  }

  static std::unique_ptr<Tgx25Construction> WrittenAndRead(const Tgx25Construction& Original,
                                                           const std::string& Version,
                                                           std::vector<uint8_t>* Bytes = nullptr) {
    TSpecStream stream;
    SaveConstruction(Original, stream, Version);
    if (Bytes != nullptr) *Bytes = stream.Bytes();
    stream.SetPosition(0);
    auto loaded = std::make_unique<Tgx25Construction>();
    loaded->Load(stream, Version);
    EXPECT_EQ(stream.Remaining(), 0u);
    return loaded;
  }

private:
  test::TSmallCatalogue catalogue_;
};

TEST_F(OlderStreams, OlderHeaderTakesTheDefaultsEvenOverAnotherConstruction) {
  auto original = test::SimpleWindow("1", 1000, 1000);
  TSpecStream stream;
  SaveConstruction(*original, stream, "01.01.2008");
  stream.SetPosition(0);
  auto target = RichConstruction("2");
  ASSERT_NE(target->LoadGroupH, lg10);
  ASSERT_NE(target->Material, 0);
  target->Load(stream, "01.01.2008");
  EXPECT_EQ(target->LoadGroupH, lg10);
  EXPECT_EQ(target->Material, 0);
  EXPECT_EQ(target->FrameCount(), 1);
}

TEST_F(OlderStreams, EveryFormatDateReadsWhatItWrote) {
  const auto original = RichConstruction("1");
  for (const char* version : {"01.01.2006", "20.04.2006", "08.07.2007", "04.11.2007", "15.01.2008", "16.01.2008",
                              "28.01.2008", "03.02.2008", "08.02.2008", "25.02.2008", "27.02.2008", "06.03.2008",
                              "12.03.2008", "01.09.2008", "04.09.2009", "21.09.2009", "16.02.2011", "23.04.2012"}) {
    SCOPED_TRACE(version);
    std::vector<uint8_t> bytes;
    const auto loaded = WrittenAndRead(*original, version, &bytes);
    TSpecStream again;
    SaveConstruction(*loaded, again, version);
    EXPECT_TRUE(SameBytes(again.Bytes(), bytes));
    EXPECT_EQ(loaded->GetFrame(1)->Imposts[0]->PX1, loaded->GetFrame(1)->Lines[1]->Points[0].get());
  }
}

TEST_F(OlderStreams, ReferencesBeforeTheWideDateUseTheNarrowEncoding) {
  const auto original = test::SimpleWindow("1", 1000, 1000);
  std::vector<uint8_t> bytes;
  WrittenAndRead(*original, "15.02.2011", &bytes);
  EXPECT_EQ(IntegerRecords(bytes, 20003).size(), 1u);
  EXPECT_TRUE(IntegerRecords(bytes, 2000003).empty());
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

TEST(ConstructionStreamFailures, DeepNestingIsRefused) {
  EXPECT_THROW(Reload(StreamBytes(*DeeplyNested())), EInOutError);
}

}  // namespace
}  // namespace kv
