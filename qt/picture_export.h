#pragma once
// Pictures of a construction as files: a PNG raster image and a PDF page, drawn by the painter
// canvas without a display (the offscreen platform is used when no other is chosen).
#include <QImage>
#include <string>

#include "construction/construction.h"
#include "design/draw_styles.h"

namespace kv {

// A Qt application for painting, made once when the program has none.
void EnsureGuiApplication();

// The construction on a white Width x Height image.
QImage RenderPicture(Tgx25Construction& Construction, int Width, int Height, const Tgx25DrawStyles& Styles,
                     float Zoom = 1);
// EInOutError naming the file when it cannot be written.
void SavePicturePng(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom = 1);
// One page of Width x Height points.
void SavePicturePdf(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom = 1);

}  // namespace kv
