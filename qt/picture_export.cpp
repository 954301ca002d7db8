#include "qt/picture_export.h"

#include <unistd.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <memory>
#include <span>

#include "design/draw_construction.h"
#include "qt/painter_canvas.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/safe_files.h"

namespace kv {

namespace {

void WriteBytes(const std::string& FileName, const QByteArray& Bytes) {
  WriteFileAtomically(
      FileName, std::span(reinterpret_cast<const uint8_t*>(Bytes.constData()), static_cast<size_t>(Bytes.size())));
}

// Without a session's runtime folder (a batch job, a test) Qt would warn on every run; a private
// folder of the user's takes its place.
void EnsureRuntimeFolder() {
  if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
  const QString folder = QDir::tempPath() + "/korvent-runtime-" + QString::number(getuid());
  if (!QDir().mkpath(folder)) return;
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", folder.toLocal8Bit());
}

}  // namespace

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeFolder();
  static int argc = 1;
  static char name[] = "korvent";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

QImage RenderPicture(Tgx25Construction& Construction, int Width, int Height, const Tgx25DrawStyles& Styles,
                     float Zoom) {
  EnsureGuiApplication();
  QImage image(Width, Height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  TPainterCanvas canvas(painter);
  DrawPicture(Construction, canvas, Width, Height, Styles, Zoom);
  painter.end();
  return image;
}

void SavePicturePng(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!RenderPicture(Construction, Width, Height, Styles, Zoom).save(&buffer, "PNG"))
    throw EInOutError(Format("Ошибка записи файла [%s]: %s", FileName, "не удалось закодировать PNG"));
  WriteBytes(FileName, bytes);
}

// At 72 dots an inch one pixel of the picture is one point of the page.
void SavePicturePdf(Tgx25Construction& Construction, const std::string& FileName, int Width, int Height,
                    const Tgx25DrawStyles& Styles, float Zoom) {
  EnsureGuiApplication();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    writer.setPageSize(QPageSize(QSizeF(Width, Height), QPageSize::Point));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    TPainterCanvas canvas(painter);
    DrawPicture(Construction, canvas, Width, Height, Styles, Zoom);
    painter.end();
  }
  WriteBytes(FileName, bytes);
}

}  // namespace kv
