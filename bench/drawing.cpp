// Drawing a window of the demo catalogue (1800 x 1400 mm, two mullions, sashes in the outer fields,
// every dimension chain) into a 1200 x 900 raster image through the painter canvas (draws per
// second); the baseline fills the same polygons with the same pens and brushes directly with
// QPainter, so the ratio is the pass's own cost over the bare painting.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "design/draw_construction.h"
#include "qt/painter_canvas.h"
#include "qt/picture_export.h"
#include "ratio_reporter.h"

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 900;

kv::Tgx25DrawStyles AllChains() {
  kv::Tgx25DrawStyles styles(kv::TGXSetup().DesignImageOptions);
  for (auto style : {kv::drsDetailSizing, kv::drsFlugelFalzSizing, kv::drsCutSizing, kv::drsAnkerSizing})
    styles.Include(style);
  return styles;
}

void Rate(benchmark::State& state) {
  state.counters["draws_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The polygons of one pass, in device pixels with their pen and brush.
class TPolygonCapture : public kv::TCanvas {
public:
  struct TFill {
    QPolygon Points;
    QPen Pen;
    QBrush Brush;
  };
  std::vector<TFill> Fills;

protected:
  void PaintPolygon(std::span<const kv::TPoint> Points) override {
    QPolygon polygon;
    for (const kv::TPoint& p : Points) polygon << QPoint(p.X, p.Y);
    const QColor fill = QColor::fromRgb(Attributes.Brush.Color);
    Fills.push_back({polygon, QPen(QColor::fromRgb(Attributes.Pen.Color), Attributes.Pen.Width),
                     Attributes.Brush.Style == kv::TBrushStyle::Solid ? QBrush(fill) : QBrush(fill, Qt::BDiagPattern)});
  }
  void PaintPolyline(std::span<const kv::TPoint>) override {}
  void PaintEllipse(const kv::TPixelRect&) override {}
  void PaintText(const kv::TPoint&, std::string_view) override {}
};

struct TScene {
  kv::test::TDemoCatalogue Catalogue;
  std::unique_ptr<kv::Tgx25Construction> Window = kv::test::BuildDemoWindow(1800, 1400, {600, 1200}, {1, 3});
  QImage Image{kWidth, kHeight, QImage::Format_RGB32};
  TScene() { kv::EnsureGuiApplication(); }
};

void BM_DrawPass(benchmark::State& state) {
  TScene scene;
  const kv::Tgx25DrawStyles styles = AllChains();
  for (auto _ : state) {
    scene.Image.fill(Qt::white);
    QPainter painter(&scene.Image);
    painter.setRenderHint(QPainter::Antialiasing);
    kv::TPainterCanvas canvas(painter);
    kv::DrawPicture(*scene.Window, canvas, kWidth, kHeight, styles);
  }
  Rate(state);
}
BENCHMARK(BM_DrawPass);

void BM_BareFills(benchmark::State& state) {
  TScene scene;
  TPolygonCapture capture;
  kv::DrawPicture(*scene.Window, capture, kWidth, kHeight, AllChains());
  for (auto _ : state) {
    scene.Image.fill(Qt::white);
    QPainter painter(&scene.Image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto& fill : capture.Fills) {
      painter.setPen(fill.Pen);
      painter.setBrush(fill.Brush);
      painter.drawPolygon(fill.Points, Qt::WindingFill);
    }
  }
  state.counters["polygons"] = static_cast<double>(capture.Fills.size());
  Rate(state);
}
BENCHMARK(BM_BareFills);

}  // namespace

int main(int argc, char** argv) { return kv::bench::RunWithRatios(argc, argv, {{"BM_DrawPass", "BM_BareFills"}}); }
