#include "qt/position_picture.h"

#include <algorithm>

#include <QPolygonF>

#include "construction/frames.h"
#include "construction/model_points.h"
#include "construction/parts.h"

namespace kv {

namespace {

// The corners of a frame or of a field (arcs drawn as their chords).
template <class TElement>
QPolygonF ContourOf(const TElement& element) {
  QPolygonF polygon;
  for (const auto& point : element.Points) polygon << QPointF(point->GetPoint().X, point->GetPoint().Y);
  return polygon;
}

// The outline of every frame and of every field in it, in model units: the plain picture used
// until the construction's drawing pass (with its styles, profiles and fittings) draws here.
void DrawOutlines(const Tgx25Construction& construction, QPainter& painter) {
  for (int i = 0; i < construction.FrameCount(); ++i) {
    const TFrame& frame = *construction.GetFrame(i);
    painter.setBrush(QColor(235, 235, 235));
    painter.drawPolygon(ContourOf(frame));
    painter.setBrush(QColor(200, 225, 245));
    for (const auto& part : frame.Parts) painter.drawPolygon(ContourOf(*part));
  }
}

}  // namespace

void DrawPosition(const Tgx25Construction& construction, QPainter& painter, const QRectF& target) {
  const TRect box = construction.GetBoundRect();
  const double width = box.Right - box.Left;
  const double height = box.Bottom - box.Top;
  if (width <= 0 || height <= 0 || target.isEmpty()) return;
  const double scale = std::min(target.width() / width, target.height() / height);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.center());
  painter.scale(scale, scale);
  painter.translate(-(box.Left + width / 2), -(box.Top + height / 2));
  painter.setPen(QPen(Qt::black, 0));  // cosmetic: one pixel whatever the scale
  DrawOutlines(construction, painter);
  painter.restore();
}

QImage PositionImage(const Tgx25Construction& construction, const QSize& size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawPosition(construction, painter, QRectF(QPointF(2, 2), QSizeF(size) - QSizeF(4, 4)));
  return image;
}

}  // namespace kv
