// `korvent-cli render ORDER.gxo --pos N --svg OUT.svg [--png OUT.png] [--pdf OUT.pdf]`: one position
// of an order drawn as the design window shows it, with its dimension chains. The demo step
// "70-drawing" draws every position of the demo order into the demo folder.
#include "render.h"

#include <filesystem>
#include <iostream>

#include "command_registry.h"
#include "construction_options.h"
#include "design/svg_canvas.h"
#include "order/order.h"
#include "parser_language.h"
#include "qt/picture_export.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"

namespace kv::cli {

namespace {

// The largest side of a picture, pixels.
constexpr int kMaxPictureSide = 10000;
constexpr int kMinPictureSide = 16;

bool ParseSize(const std::string& Text, int& Width, int& Height) {
  const size_t x = Text.find('x');
  if (x == std::string::npos) return false;
  long long w = 0;
  long long h = 0;
  if (!TryStrToInt(Text.substr(0, x), w) || !TryStrToInt(Text.substr(x + 1), h)) return false;
  if (w < kMinPictureSide || h < kMinPictureSide || w > kMaxPictureSide || h > kMaxPictureSide) return false;
  Width = static_cast<int>(w);
  Height = static_cast<int>(h);
  return true;
}

CLI::Validator PictureSize() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        int w = 0;
        int h = 0;
        return ParseSize(text, w, h) ? ""
                                     : Format("\"%s\": ожидается ШИРИНАxВЫСОТА в пикселях, каждая от %d до %d", text,
                                              kMinPictureSide, kMaxPictureSide);
      },
      "");
}

CLI::Validator StyleHex() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        return DrawStylesFromHex(text) ? "" : Format("\"%s\": ожидается 12 шестнадцатеричных цифр", text);
      },
      "");
}

CLI::Validator StyleName() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        return DrawStyleByName(text) ? "" : Format("\"%s\" - неизвестный стиль рисования (drsTotalSizing ...)", text);
      },
      "");
}

// Zoom 0 counts as 1.
CLI::Validator ZoomValue() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        long double value = 0;
        return TryStrToFloat(text, value) && value >= 0 ? "" : Format("\"%s\": ожидается число не меньше нуля", text);
      },
      "");
}

struct TRenderOptions {
  std::string File;
  std::string Pos;
  std::string CatalogueDir;
  TPictureOptions Pictures;
};

void RunRender(TRenderOptions& Options, std::ostream& Out) {
  if (!PicturesWanted(Options.Pictures)) throw EKvError("Не задан файл рисунка: --svg, --png или --pdf");
  const TBuildCatalogue catalogue(Options.CatalogueDir);
  TOrder order;
  if (!order.LoadOrder(Options.File)) throw CLI::RuntimeError(1);
  Tgx25Construction* construction = order.GetPosByNo(Options.Pos);
  if (construction == nullptr) throw EKvError(Format("В заказе нет позиции [%s]", Options.Pos));
  WritePictures(*construction, Options.Pictures, Out);
}

void InstallRender(CLI::App& app) {
  auto options = std::make_shared<TRenderOptions>();
  auto* render = app.add_subcommand("render", "Нарисовать позицию заказа с размерами (SVG, PNG, PDF)");
  render->add_option("file", options->File, "Файл заказа (.gxo)")->required()->check(ExistingFile());
  render->add_option("--pos", options->Pos, "Номер позиции заказа")->required();
  render->add_option("--catalogue", options->CatalogueDir, "Папка каталога (иначе демонстрационный каталог)");
  AddPictureOptions(render, options->Pictures, true);
  render->callback([options] { RunRender(*options, std::cout); });
}

const TCommandRegistration registration("render", InstallRender);

const TDemoStep demo_step("70-drawing", [](const std::string& dir, std::ostream& out) {
  const std::filesystem::path folder(dir);
  out << "== Рисунки позиций демонстрационного заказа\n";
  const TBuildCatalogue catalogue("");
  TOrder order;
  if (!order.LoadOrder((folder / "demo.gxo").string())) throw CLI::RuntimeError(1);
  for (int i = 0; i < order.Count(); ++i) {
    Tgx25Construction& construction = *order.GetConstruction(i);
    TPictureOptions pictures;
    pictures.Size = "800x600";
    pictures.Svg = (folder / ("position-" + construction.No + ".svg")).string();
    pictures.Png = (folder / ("position-" + construction.No + ".png")).string();
    WritePictures(construction, pictures, out);
  }
});

}  // namespace

void AddPictureOptions(CLI::App* App, TPictureOptions& Options, bool WithPdf) {
  App->add_option("--svg", Options.Svg, "Записать рисунок в файл SVG");
  App->add_option("--png", Options.Png, "Записать рисунок в файл PNG");
  if (WithPdf) App->add_option("--pdf", Options.Pdf, "Записать рисунок в файл PDF");
  App->add_option("--size", Options.Size, "Размер рисунка ШИРИНАxВЫСОТА, пикселей")
      ->check(PictureSize())
      ->capture_default_str();
  auto* hex = App->add_option("--styles", Options.Styles, "Стили рисования: 12 шестнадцатеричных цифр (6 байт)")
                  ->check(StyleHex());
  auto* names = App->add_option("--style", Options.StyleNames, "Стиль рисования по имени (drsColor, ...), несколько")
                    ->check(StyleName());
  hex->excludes(names);
  App->add_option("--zoom", Options.Zoom, "Уменьшение рисунка (2: вдвое меньше)")
      ->check(ZoomValue())
      ->capture_default_str();
}

bool PicturesWanted(const TPictureOptions& Options) {
  return !Options.Svg.empty() || !Options.Png.empty() || !Options.Pdf.empty();
}

Tgx25DrawStyles PictureStyles(const TPictureOptions& Options) {
  if (!Options.Styles.empty()) return *DrawStylesFromHex(Options.Styles);
  if (!Options.StyleNames.empty()) {
    Tgx25DrawStyles styles;
    for (const std::string& name : Options.StyleNames) styles.Include(*DrawStyleByName(name));
    return styles;
  }
  if (const TGXSetup* setup = GXSetup()) return Tgx25DrawStyles(setup->DesignImageOptions);
  return Tgx25DrawStyles(TGXSetup().DesignImageOptions);
}

void WritePictures(Tgx25Construction& Construction, const TPictureOptions& Options, std::ostream& Out) {
  int width = 0;
  int height = 0;
  ParseSize(Options.Size, width, height);
  const Tgx25DrawStyles styles = PictureStyles(Options);
  if (!Options.Svg.empty()) {
    SavePictureSvg(Construction, Options.Svg, width, height, styles, Options.Zoom);
    Out << Format("Рисунок SVG: %s\n", Options.Svg);
  }
  if (!Options.Png.empty()) {
    SavePicturePng(Construction, Options.Png, width, height, styles, Options.Zoom);
    Out << Format("Рисунок PNG: %s\n", Options.Png);
  }
  if (!Options.Pdf.empty()) {
    SavePicturePdf(Construction, Options.Pdf, width, height, styles, Options.Zoom);
    Out << Format("Рисунок PDF: %s\n", Options.Pdf);
  }
}

}  // namespace kv::cli
