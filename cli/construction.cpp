// `korvent-cli construction build`: one frame from the catalogue with its mullions, sashes and
// glass, printed as the technologist checks a standard window: the frame contour, every bar with
// its profile, length and cut angles, the reinforcement, every glass with its size, every bead bar;
// with --svg or --png also its picture.
// The demo step "50-construction" shows a 1300 x 1400 window with a mullion and a sash.
#include <nlohmann/json.hpp>

#include <iostream>
#include <memory>
#include <sstream>

#include "calc/construction_calc.h"
#include "calc_output.h"
#include "command_registry.h"
#include "construction/glass.h"
#include "construction_options.h"
#include "construction_statics.h"
#include "furn.h"
#include "json_text.h"
#include "render.h"
#include "shell/format_settings.h"
#include "shell/rounding.h"

namespace kv::cli {

namespace {

using TJson = nlohmann::ordered_json;

// One bar of the cut list: where it belongs, what it is and its sizes in millimetres.
struct TBarRow {
  std::string Owner;
  std::string Kind;
  std::string Profile;
  std::string Color;
  TProfSize Size;
  std::string Steel;
  TProfSize SteelSize;
};

std::string Mm(float Value) { return Format("%.1f", GetSize10(Value)); }

TBarRow SideRow(const std::string& Owner, const std::string& Kind, const Tgx25FrameLine& Side) {
  return {Owner, Kind, Side.Profile.ID, Side.Profile.Color, Side.ProfSize, Side.Steel.ID, Side.SteelSize};
}

TBarRow BarRow(const std::string& Owner, const TCustomImpost& Bar) {
  TBarRow row{Owner, Bar.No, Bar.Profile.ID, Bar.Profile.Color, Bar.ProfSize, "", {}};
  if (const auto* reinforced = dynamic_cast<const TInforcedImpost*>(&Bar)) {
    row.Steel = reinforced->Steel.ID;
    row.SteelSize = reinforced->SteelSize;
  }
  return row;
}

// The sides and bars of an element and, below it, of the sashes in its parts.
void CollectBars(const TCustomFrame& Element, const std::string& Owner, std::vector<TBarRow>& Rows) {
  for (size_t i = 0; i < Element.Lines.size(); ++i)
    if (const auto* side = Element.GetFrameLine(static_cast<int>(i)))
      Rows.push_back(SideRow(Owner, Format("сторона %d", static_cast<int>(i) + 1), *side));
  for (const auto& bar : Element.Imposts) Rows.push_back(BarRow(Owner, *bar));
  for (const auto& part : Element.Parts) {
    const auto* custom = dynamic_cast<const Tgx30CustomPart*>(part.get());
    if (custom == nullptr) continue;
    if (const TCustomFrame* filling = custom->FillElement())
      CollectBars(*filling, Format("створка %s", filling->Name), Rows);
  }
}

TJson SizeJson(const TProfSize& Size) {
  return {{"length", GetSize10(Size.Length)}, {"angle1", Size.Angle1}, {"angle2", Size.Angle2}};
}

TJson BuildJson(const Tgx25Construction& Construction, const std::vector<TBarRow>& Bars) {
  const TFrame& frame = *Construction.GetFrame(0);
  TJson contour = TJson::array();
  for (size_t i = 0; i < frame.Points.size(); ++i) {
    const Tgx25Line& side = *frame.Lines[i];
    TJson corner = {{"x", GetSize10(static_cast<float>(frame.Points[i]->X))},
                    {"y", GetSize10(static_cast<float>(frame.Points[i]->Y))}};
    if (side.HasRadius()) {
      corner["radius"] = side.GetRealRadius();
      if (side.EllipseRadius()) corner["radius2"] = side.GetRealRadius2();
      corner["center"] = {GetSize10(side.Center.X), GetSize10(side.Center.Y)};
    }
    contour.push_back(corner);
  }
  TJson bars = TJson::array();
  for (const TBarRow& bar : Bars) {
    TJson item = {{"owner", bar.Owner}, {"bar", bar.Kind}, {"profile", bar.Profile}, {"color", bar.Color}};
    item.update(SizeJson(bar.Size));
    if (!bar.Steel.empty()) {
      TJson steel = {{"article", bar.Steel}};
      steel.update(SizeJson(bar.SteelSize));
      item["steel"] = steel;
    }
    bars.push_back(item);
  }
  TJson glasses = TJson::array();
  for (const Tgx25Glass& glass : Glasses(Construction)) {
    const TSizeF size = glass.GetRealSize();
    TJson beads = TJson::array();
    for (const auto& line : glass.BeadSizes.Lines) {
      const auto& bar = static_cast<const Tgx25ProfileLine&>(*line);
      beads.push_back({{"profile", bar.Profile},
                       {"length", GetSize10(bar.Length)},
                       {"angle1", bar.Angle1},
                       {"angle2", bar.Angle2}});
    }
    glasses.push_back({{"no", glass.No},
                       {"article", glass.Glass},
                       {"width", size.Width},
                       {"height", size.Height},
                       {"square", glass.Square()},
                       {"bead", glass.Bead.ID},
                       {"bead_color", glass.Bead.Color},
                       {"beads", beads}});
  }
  const TSizeF outer = Construction.GetSize();
  return {{"type", frame.TypeWin}, {"system", frame.ProfSys}, {"color", frame.ProfColor},
          {"width", outer.Width},  {"height", outer.Height},  {"contour", contour},
          {"bars", bars},          {"glasses", glasses}};
}

void PrintText(const Tgx25Construction& Construction, const std::vector<TBarRow>& Bars, std::ostream& Out) {
  const TFrame& frame = *Construction.GetFrame(0);
  const TSizeF outer = Construction.GetSize();
  Out << Format("Конструкция: тип %d, система %s, цвет %s, %.1f x %.1f мм\n", frame.TypeWin, frame.ProfSys,
                frame.ProfColor, outer.Width, outer.Height);
  Out << "Контур рамы:\n";
  for (size_t i = 0; i < frame.Points.size(); ++i) {
    const Tgx25Line& side = *frame.Lines[i];
    Out << Format("  %d: (%.1f; %.1f)", static_cast<int>(i) + 1, GetSize10(static_cast<float>(frame.Points[i]->X)),
                  GetSize10(static_cast<float>(frame.Points[i]->Y)));
    if (side.HasRadius()) {
      Out << Format(", дуга R = %.1f", side.GetRealRadius());
      if (side.EllipseRadius()) Out << Format(", R2 = %.1f", side.GetRealRadius2());
      Out << Format(", центр (%.1f; %.1f)", GetSize10(side.Center.X), GetSize10(side.Center.Y));
    }
    Out << "\n";
  }
  Out << "Профили (длина, мм; углы реза):\n";
  for (const TBarRow& bar : Bars) {
    Out << Format("  %-12s %-10s %-8s %-6s %8s  %5.1f° %5.1f°", bar.Owner, bar.Kind, bar.Profile, bar.Color,
                  Mm(bar.Size.Length), bar.Size.Angle1, bar.Size.Angle2);
    if (!bar.Steel.empty()) Out << Format("  армирование %s %s", bar.Steel, Mm(bar.SteelSize.Length));
    Out << "\n";
  }
  Out << "Заполнения:\n";
  for (const Tgx25Glass& glass : Glasses(Construction)) {
    const TSizeF size = glass.GetRealSize();
    Out << Format("  %-6s %s  %.1f x %.1f мм, %.4f м2, штапик %s %s\n", glass.No, glass.Glass, size.Width, size.Height,
                  static_cast<double>(glass.Square()), glass.Bead.ID, glass.Bead.Color);
    for (const auto& line : glass.BeadSizes.Lines) {
      const auto& bar = static_cast<const Tgx25ProfileLine&>(*line);
      Out << Format("    штапик %-8s %8s  %5.1f° %5.1f°\n", bar.Profile, Mm(bar.Length), bar.Angle1, bar.Angle2);
    }
  }
}

// Calc: the construction is also gathered, priced and calculated, and its cut list, materials
// and estimate follow the sizes.
// Pictures: the window drawn into the files they name.
void RunBuild(const TBuildOptions& Options, const TStaticsOptions& Statics, bool Calc, bool Json,
              const TPictureOptions& Pictures, std::ostream& Out) {
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  std::unique_ptr<Tgx25Construction> construction = BuildConstruction(Options);
  std::vector<TBarRow> bars;
  CollectBars(*construction->GetFrame(0), "рама", bars);
  if (Calc && !GatherInfo(*construction, StandaloneCalcContext(*construction)))
    throw EKvError("Расчет конструкции не выполнен");
  if (Json) {
    TJson json = BuildJson(*construction, bars);
    if (Statics.Enabled) json["statics"] = StaticsJson(*construction, Statics);
    if (Calc) json.update(CalculationJson(*construction));
    if (Calc) json.update(FittingsJson(*construction));
    Out << JsonText(json, 2) << "\n";
    std::ostringstream written;
    WritePictures(*construction, Pictures, written);
    return;
  }
  PrintText(*construction, bars, Out);
  if (Statics.Enabled) PrintStatics(*construction, Statics, Out);
  if (Calc) PrintFittings(*construction, Out);
  if (Calc) PrintCalculation(*construction, Out);
  WritePictures(*construction, Pictures, Out);
}

void InstallConstruction(CLI::App& app) {
  auto* construction = app.add_subcommand("construction", "Конструкции: построение и расчет размеров");
  construction->require_subcommand(1);
  // The options live as long as the parsed command line that holds the callbacks.
  struct TBuildCommand {
    TBuildOptions Options;
    TStaticsOptions Statics;
    bool Json = false;
    bool Calc = false;
    TPictureOptions Pictures;
  };
  auto command = std::make_shared<TBuildCommand>();
  auto* build = construction->add_subcommand("build", "Построить раму по каталогу и вывести размеры раскроя");
  AddBuildOptions(build, command->Options);
  build->add_flag("--json", command->Json, "Вывести в JSON");
  build->add_flag("--statics", command->Statics.Enabled, "Проверить конструкцию расчетом на статику");
  build->add_option("--region", command->Statics.Region, "Ветровой район (номер или город)")->capture_default_str();
  build->add_option("--building-height", command->Statics.BuildingHeight, "Высота здания, м")->capture_default_str();
  build->add_flag("--log", command->Statics.Log, "Вывести ход расчета на статику");
  build->add_flag("--calc", command->Calc, "Рассчитать раскрой, материалы и смету");
  AddPictureOptions(build, command->Pictures, false);
  build->callback([command] {
    RunBuild(command->Options, command->Statics, command->Calc, command->Json, command->Pictures, std::cout);
  });
}

const TCommandRegistration registration("construction", InstallConstruction);

const TDemoStep demo_step("50-construction", [](const std::string&, std::ostream& out) {
  TBuildOptions options;
  options.Vertical = {650};
  options.Sashes = {2};
  out << "== Окно 1300 x 1400 мм с импостом и поворотно-откидной створкой\n";
  RunBuild(options, {}, true, false, {}, out);
});

const TDemoStep lamination_demo_step("52-lamination", [](const std::string&, std::ostream& out) {
  TBuildOptions options;
  options.Technology = 2;
  options.OuterColor = "GO";
  options.InnerColor = "GO";
  out << "== Окно 1300 x 1400 мм, ламинированное с двух сторон (пленка и клей по площади)\n";
  RunBuild(options, {}, true, false, {}, out);
});

const TDemoStep statics_demo_step("55-statics", [](const std::string&, std::ostream& out) {
  TBuildOptions options;
  options.Vertical = {650};
  options.Sashes = {2};
  TStaticsOptions statics;
  statics.Enabled = true;
  statics.Log = true;
  out << "== Расчет на статику окна 1300 x 1400 мм с импостом и створкой\n";
  const TBuildCatalogue catalogue(options.CatalogueDir);
  PrintStatics(*BuildConstruction(options), statics, out);
});

}  // namespace

}  // namespace kv::cli
