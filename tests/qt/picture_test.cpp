#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>

#include "construction/demo_catalogue.h"
#include "construction/demo_windows.h"
#include "design/draw_construction.h"
#include "design/svg_canvas.h"
#include "qt/painter_canvas.h"
#include "qt/picture_export.h"

namespace kv {
namespace {

TEST(SvgPicture, WellFormedWithOnePolygonPerProfileTheTableColoursAndTheDimensions) {
  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1300, 1400, {650}, {2});
  const Tgx25DrawStyles styles{drsFrameVisible, drsFlugelVisible, drsImpostVisible, drsGlassVisible,
                               drsColor,        drsTotalSizing,   drsTopLevelSizing};
  TSvgCanvas canvas(1200, 900);
  DrawPicture(*window, canvas, 1200, 900, styles);

  QXmlStreamReader xml(QByteArray::fromStdString(canvas.Text()));
  std::map<QString, int> fills;
  std::map<QString, int> texts;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"polygon") ++fills[xml.attributes().value("fill").toString()];
    if (xml.name() == u"text") ++texts[xml.readElementText()];
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  // White profiles: 4 frame sides, the mullion, 4 sash sides, 4 + 4 beads; the two glasses in the
  // glass's screen colour (catalogue 16116694 = 0xF5EBD6 as blue-green-red).
  EXPECT_EQ(fills["#FFFFFF"], 17);
  EXPECT_EQ(fills["#D6EBF5"], 2);
  EXPECT_EQ(texts["1300"], 1);
  EXPECT_EQ(texts["1400"], 1);
  EXPECT_EQ(texts["650"], 2);
}

TEST(PainterCanvas, FillsHatchesAndWritesFiles) {
  EnsureGuiApplication();
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    TPainterCanvas canvas(painter);
    canvas.ViewportOrg = {5, 5};
    const std::vector<TPoint> square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
    canvas.Pen() = {clBlack, 1, TPenStyle::Clear};
    canvas.Brush() = {clRed, TBrushStyle::Solid};
    canvas.Polygon(square);
    canvas.Brush() = {clBlack, TBrushStyle::BDiagonal};
    canvas.Polygon(square);
  }
  EXPECT_EQ(image.pixel(2, 2), qRgb(255, 255, 255));  // outside, left of the viewport origin
  int black = 0;
  int red = 0;
  for (int y = 6; y < 24; ++y)
    for (int x = 6; x < 24; ++x) (image.pixel(x, y) == qRgb(0, 0, 0) ? black : red) += 1;
  EXPECT_GT(black, 0);  // the hatch lines over the red fill
  EXPECT_GT(red, black);

  test::TDemoCatalogue catalogue;
  auto window = test::BuildDemoWindow(1000, 1000, {}, {1});
  const std::string pdf = testing::TempDir() + "kv-picture.pdf";
  SavePicturePdf(*window, pdf, 300, 300, DragDrawStyles());
  QFile file(QString::fromStdString(pdf));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(5) == "%PDF-");
}

}  // namespace
}  // namespace kv
