#include "qt/painter_canvas.h"

#include <QFontMetrics>
#include <QPolygon>

namespace kv {

namespace {

QColor ToQColor(TColor Color) { return QColor::fromRgb(Color & 0xFFFFFF); }

QPolygon ToQPolygon(std::span<const TPoint> Points) {
  QPolygon polygon;
  polygon.reserve(static_cast<qsizetype>(Points.size()));
  for (const TPoint& p : Points) polygon << QPoint(p.X, p.Y);
  return polygon;
}

Qt::PenStyle ToQt(TPenStyle Style) {
  switch (Style) {
    case TPenStyle::Dash: return Qt::DashLine;
    case TPenStyle::Dot: return Qt::DotLine;
    case TPenStyle::Clear: return Qt::NoPen;
    default: return Qt::SolidLine;
  }
}

Qt::BrushStyle ToQt(TBrushStyle Style) {
  switch (Style) {
    case TBrushStyle::Clear: return Qt::NoBrush;
    case TBrushStyle::BDiagonal: return Qt::BDiagPattern;
    case TBrushStyle::Cross: return Qt::CrossPattern;
    case TBrushStyle::DiagCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
  }
}

}  // namespace

TPainterCanvas::TPainterCanvas(QPainter& Painter, bool Printer) : FPainter(Painter), FPrinter(Printer) {
  FPainter.setBackgroundMode(Qt::TransparentMode);
}

QFont TPainterCanvas::CurrentFont() const {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(FontPixels(Attributes.Font.Size));
  font.setBold(Attributes.Font.Bold);
  return font;
}

TSize TPainterCanvas::TextExtent(std::string_view Text) const {
  const QFontMetrics metrics(CurrentFont());
  const QString text = QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size()));
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void TPainterCanvas::UsePen() {
  const TPen& pen = Attributes.Pen;
  QPen qpen(ToQColor(pen.Color), pen.Width, ToQt(pen.Style));
  qpen.setJoinStyle(Qt::MiterJoin);
  FPainter.setPen(qpen);
}

void TPainterCanvas::UseBrush() {
  const TBrush& brush = Attributes.Brush;
  FPainter.setBrush(QBrush(ToQColor(brush.Color), ToQt(brush.Style)));
}

void TPainterCanvas::PaintPolygon(std::span<const TPoint> Points) {
  UsePen();
  UseBrush();
  FPainter.drawPolygon(ToQPolygon(Points), Qt::WindingFill);
}

void TPainterCanvas::PaintPolyline(std::span<const TPoint> Points) {
  UsePen();
  FPainter.drawPolyline(ToQPolygon(Points));
}

void TPainterCanvas::PaintEllipse(const TPixelRect& Bounds) {
  UsePen();
  UseBrush();
  FPainter.drawEllipse(QRect(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height()));
}

// Laid out unturned about P, then turned about P.
void TPainterCanvas::PaintText(const TPoint& P, std::string_view Text) {
  const TSize extent = TextExtent(Text);
  const int horizontal = Attributes.TextAlign & taCenter;
  const int left = horizontal == taCenter ? -extent.Width / 2 : horizontal == taRight ? -extent.Width : 0;
  const int top = (Attributes.TextAlign & taBottom) ? -extent.Height : 0;
  const QRect box(left, top, extent.Width, extent.Height);
  FPainter.save();
  FPainter.translate(P.X, P.Y);
  FPainter.rotate(-Attributes.Font.Angle);
  if (Attributes.TextOpaque) FPainter.fillRect(box, Qt::white);
  FPainter.setFont(CurrentFont());
  FPainter.setPen(ToQColor(Attributes.Pen.Color));
  FPainter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
  FPainter.restore();
}

}  // namespace kv
