#include "construction/demo_windows.h"

#include "construction/glass.h"
#include "construction/impost_insert.h"
#include "construction/model_builders.h"

namespace kv::test {

namespace {

constexpr const char* kGlass = "4M1-16-4M1";

}  // namespace

TImpost* InsertDemoMullion(TFrame& Frame, int Part, const TPoint& P1, const TPoint& P2) {
  TNewImpost mullion;
  mullion.Part = Frame.Parts.at(static_cast<size_t>(Part)).get();
  mullion.P1 = P1;
  mullion.P2 = P2;
  mullion.Profile = "TL-301";
  mullion.Color = Frame.ProfColor;
  mullion.AngleType = atImpostT;
  auto* impost = dynamic_cast<TImpost*>(Frame.SetNewImpost(mullion));
  if (impost != nullptr) SetImpostVerbinders(*impost);
  return impost;
}

TFlugel* InsertDemoSash(Tgx30CustomPart& Field, const std::string& Glass) {
  TFlugel* sash = Field.SetNewFlugel();
  sash->BuildInitial(2, Field.GetParentFrame()->ProfColor);
  sash->SetKipp(true);
  dynamic_cast<Tgx30CustomPart&>(*sash->Parts.at(0)).ChangeGlass(Glass);
  return sash;
}

std::unique_ptr<Tgx25Construction> BuildDemoWindow(int Width, int Height, const std::vector<int>& Mullions,
                                                   const std::vector<int>& Sashes) {
  auto construction = std::make_unique<Tgx25Construction>();
  TFrame& frame = *construction->NewFrame(1);
  frame.BuildInitial({Width, Height});
  for (size_t i = 0; i < Mullions.size(); ++i)
    InsertDemoMullion(frame, static_cast<int>(i), {Mullions[i] * 10, 0}, {Mullions[i] * 10, Height * 10});
  for (int number : Sashes) InsertDemoSash(Field(frame, number - 1), kGlass);
  for (size_t i = 0; i < frame.Parts.size(); ++i) Field(frame, static_cast<int>(i)).SetGlassIfPossible(kGlass);
  frame.FullRecalc();
  construction->UpdateNo();
  return construction;
}

}  // namespace kv::test
