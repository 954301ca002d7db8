#pragma once
// The picture of one position of an order, for the order window's thumbnails and the
// construction viewer. Every picture of a position is drawn here, so that the one drawing pass of
// the constructions takes over all of them at this single place.
#include <QImage>
#include <QPainter>
#include <QRectF>

#include "construction/construction.h"

namespace kv {

// Draws the construction into target with the display styles of the options, scaled to fit with its
// proportions kept and centred.
void DrawPosition(const Tgx25Construction& construction, QPainter& painter, const QRectF& target);
// The construction drawn on a white image of the size.
QImage PositionImage(const Tgx25Construction& construction, const QSize& size);

}  // namespace kv
