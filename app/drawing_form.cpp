#include "app/drawing_form.h"

#include <algorithm>
#include <functional>

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "design/svg_canvas.h"
#include "order/order.h"
#include "qt/picture_export.h"
#include "qt/position_picture.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kMinZoom = 0.2;
constexpr double kMaxZoom = 20;
// Pixels (PDF: points) of the longer side of an exported picture.
constexpr int kExportPixels = 1600;

QSize ExportSize(const Tgx25Construction& construction) {
  const TRect box = construction.GetBoundRect();
  const double width = std::max(1, box.Right - box.Left);
  const double height = std::max(1, box.Bottom - box.Top);
  const double scale = kExportPixels / std::max(width, height);
  return QSize(std::max(1, static_cast<int>(width * scale)), std::max(1, static_cast<int>(height * scale)));
}

}  // namespace

TPictureView::TPictureView(const TOrder& order, QWidget* parent) : QWidget(parent), order_(order) {
  setMinimumSize(200, 200);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
}

void TPictureView::SetPosition(int index) {
  index_ = index;
  zoom_ = 1;
  update();
}

void TPictureView::paintEvent(QPaintEvent*) {
  if (index_ < 0 || index_ >= order_.Count()) return;
  QPainter painter(this);
  const QRectF whole = QRectF(rect()).adjusted(10, 10, -10, -10);
  QRectF target(QPointF(0, 0), whole.size() * zoom_);
  target.moveCenter(whole.center());
  DrawPosition(*order_.GetConstruction(index_), painter, target);
}

void TPictureView::wheelEvent(QWheelEvent* event) {
  const double factor = event->angleDelta().y() > 0 ? kZoomStep : 1 / kZoomStep;
  zoom_ = std::clamp(zoom_ * factor, kMinZoom, kMaxZoom);
  update();
  event->accept();
}

TDrawingForm::TDrawingForm(TOrder& order, int index, QWidget* parent)
    : QWidget(parent), order_(order), view_(new TPictureView(order, this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  auto* buttons = new QHBoxLayout;
  const struct {
    const char* Caption;
    std::function<void()> Run;
  } commands[] = {{"< Предыдущая", [this] { Previous(); }},
                  {"Следующая >", [this] { Next(); }},
                  {"Экспорт рисунка...", [this] { Export(); }}};
  for (const auto& command : commands) {
    auto* button = new QPushButton(command.Caption, this);
    connect(button, &QPushButton::clicked, this, command.Run);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(view_, 1);
  ShowPosition(index);
  resize(640, 480);
}

void TDrawingForm::ShowPosition(int index) {
  if (index < 0 || index >= order_.Count()) return;
  index_ = index;
  view_->SetPosition(index);
  setWindowTitle(QString::fromStdString(Format("Позиция #: [%s]", order_.GetConstruction(index)->No)));
}

void TDrawingForm::Export() {
  const QString file = QFileDialog::getSaveFileName(this, "Экспорт рисунка...", windowTitle(),
                                                    "Рисунок SVG (*.svg);;Рисунок PNG (*.png);;Документ PDF (*.pdf)");
  if (!file.isEmpty()) ExportPicture(file);
}

bool TDrawingForm::ExportPicture(const QString& file) const {
  Tgx25Construction& construction = *order_.GetConstruction(index_);
  const QSize size = ExportSize(construction);
  const Tgx25DrawStyles styles(GXSetup()->DisplayImageOptions);
  const std::string name = file.toStdString();
  const QString suffix = QFileInfo(file).suffix().toLower();
  const auto save = suffix == "svg"   ? SavePictureSvg
                    : suffix == "png" ? SavePicturePng
                    : suffix == "pdf" ? SavePicturePdf
                                      : nullptr;
  if (save == nullptr) {
    ShowError(Format("Неизвестный формат рисунка: %s. Укажите файл .svg, .png или .pdf.", name));
    return false;
  }
  try {
    save(construction, name, size.width(), size.height(), styles, 1);
    return true;
  } catch (const EKvError& e) {
    ShowError(e.what());
    return false;
  }
}

}  // namespace kv
