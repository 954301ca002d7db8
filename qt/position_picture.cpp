#include "qt/position_picture.h"

#include "design/draw_construction.h"
#include "qt/painter_canvas.h"
#include "shell/gx_setup.h"

namespace kv {

void DrawPosition(const Tgx25Construction& construction, QPainter& painter, const QRectF& target) {
  if (target.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(target.topLeft());
  TPainterCanvas canvas(painter);
  // A picture pass keeps no hit regions, so it leaves the construction as it is.
  DrawPicture(const_cast<Tgx25Construction&>(construction), canvas, static_cast<int>(target.width()),
              static_cast<int>(target.height()), Tgx25DrawStyles(GXSetup()->DisplayImageOptions));
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
