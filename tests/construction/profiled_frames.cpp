#include "construction/profiled_frames.h"

#include "construction/model_builders.h"

namespace kv::test {

Tgx30CustomPart& BuildProfiledFrame(TFrame& Frame, int32_t W, int32_t H, const std::string& Profile,
                                    const std::string& Color) {
  BuildRectContour(Frame, {0, 0}, W, H, 700);
  for (int i = 0; i < 4; ++i) Frame.GetFrameLine(i)->SetProfile(Profile, Color);
  Frame.AddBasePart();
  return *CustomPart(Frame, 0);
}

void AddGlazingRows(TSmallCatalogue& Catalogue) {
  Catalogue.Profile("BeadComb", {{"ID", "1"}, {"ProfGrp", 1}, {"Thickness", 24}, {"BeadGrp", 1}, {"Bead", "B18"}});
  Catalogue.Profile("ProfList", {{"Profile", "B18"}, {"Group", 5}, {"Width", 18.0}});
  Catalogue.Catalog("Catalog", {{"ID", "B18.WH"}, {"Article", "B18"}, {"FrontColor", "WH"}});
  Catalogue.Catalog("Catalog",
                    {"ID", "Article", "Group", "Thickness", "MaxWidth", "MaxHeight", "MinWidth", "MinHeight"},
                    {{"G24", "G24", 2, 24, 3000, 3000, 100, 100}});
}

}  // namespace kv::test
