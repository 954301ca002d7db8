// Numbering of a construction: frames from the position number, then bars, parts, glasses and the
// elements that fill the parts.
#include "construction/construction.h"
#include "construction/glass.h"
#include "shell/format_settings.h"

namespace kv {

namespace {

// " Гл." for the sash on the main side of a meeting stile, " Вт." for the second one.
std::string StulpSuffix(const Tgx30CustomPart& Part) {
  if (!Part.StulpPart || Part.StulpPtr == nullptr) return "";
  if (Part.StulpPtr->PrimaryPartPtr == &Part) return " Гл.";
  if (Part.StulpPtr->SlavePartPtr == &Part) return " Вт.";
  return "";
}

// "%d" for the only frame of a construction, "%d.%s" with the frame's number among several.
std::string PartNumber(int32_t Number, const std::string& FrameTag) {
  return FrameTag.empty() ? Format("%d", Number) : Format("%d.%s", Number, FrameTag);
}

void NameGlass(Tgx25Glass* Glass, TAbstractFrame& Root, const std::string& FrameTag) {
  if (Glass == nullptr) return;
  Glass->No = Format("G.%d%s", ++Root.InternalGlassPartIndex, FrameTag.empty() ? "" : "." + FrameTag);
  if (Glass->FalshFrame) Glass->FalshFrame->RebuildPartsIndex(*Glass->FalshFrame, FrameTag);
  if (Glass->SprossFrame) Glass->SprossFrame->RebuildPartsIndex(*Glass->SprossFrame, FrameTag);
}

void CountFilling(const Tgx30CustomPart& Part, TAbstractFrame& Root) {
  if (Part.FillType == ftFlugel) ++Root.InternalFlugelPartIndex;
  if (Part.FillType == ftModificator) ++Root.InternalModificatorPartIndex;
  if (Part.StulpPart) ++Root.InternalStulpPartIndex;
}

}  // namespace

void TAbstractFrame::ClearInternalPartCounter() {
  for (int32_t* counter :
       {&InternalFillTypeIndex, &InternalFramePartIndex, &InternalFlugelPartIndex, &InternalModificatorPartIndex,
        &InternalGlassPartIndex, &InternalGlassSetIndex, &InternalImpostPartIndex, &InternalStulpPartIndex,
        &InternalImpostIndex, &InternalFalshPartIndex})
    *counter = 0;
}

void TAbstractFrame::RebuildPartsIndex(TAbstractFrame& Root, const std::string&) {
  for (auto& bar : Imposts) bar->No = Format("I.%d", ++Root.InternalImpostIndex);
  for (auto& part : Parts) part->No = Format("%d", ++Root.InternalFalshPartIndex);
}

void TCustomFrame::RebuildPartsIndex(TAbstractFrame& Root, const std::string& FrameTag) {
  // The element's own bars, parts and glasses first, then the elements filling its parts, in the
  // order of the walks.
  for (auto& bar : Imposts) bar->No = Format("I.%d", ++Root.InternalImpostIndex);
  std::vector<Tgx30CustomPart*> parts;
  for (auto& item : Parts)
    if (auto* part = dynamic_cast<Tgx30CustomPart*>(item.get())) parts.push_back(part);
  for (Tgx30CustomPart* part : parts) {
    part->No = PartNumber(++Root.InternalFramePartIndex, FrameTag);
    NameGlass(part->Glass.get(), Root, FrameTag);
    NameGlass(part->Glass2.get(), Root, FrameTag);
    CountFilling(*part, Root);
  }
  for (Tgx30CustomPart* part : parts) {
    if (TCustomFrame* filling = part->FillElement()) {
      filling->Name = part->No + StulpSuffix(*part);
      filling->RebuildPartsIndex(Root, FrameTag);
    }
  }
}

void Tgx25Construction::UpdateNo() {
  for (int i = 0; i < FrameCount(); ++i) GetFrame(i)->Name = FrameCount() == 1 ? No : Format("%s.%d", No, i + 1);
  RebuildPartsIndex();
}

void Tgx25Construction::ChangeNo(const std::string& NewNo) {
  No = NewNo;
  UpdateNo();
}

void Tgx25Construction::RebuildPartsIndex() {
  for (int i = 0; i < FrameCount(); ++i) {
    TFrame* frame = GetFrame(i);
    frame->ClearInternalPartCounter();
    frame->RebuildPartsIndex(*frame, FrameCount() == 1 ? "" : Format("%d", i + 1));
  }
}

}  // namespace kv
