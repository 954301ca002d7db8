#include "qt/splash_form.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kv {

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      label_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
  auto* title = new QLabel(QApplication::applicationDisplayName(), this);
  QFont font = title->font();
  font.setPointSize(font.pointSize() * 2);
  font.setBold(true);
  title->setFont(font);
  title->setAlignment(Qt::AlignCenter);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  setFixedSize(420, 160);
}

void TSplashForm::Progress(int percent, const std::string& label) {
  bar_->setValue(percent);
  if (!label.empty()) label_->setText(QString::fromStdString(label));
  QApplication::processEvents();
}

int TSplashForm::Percent() const { return bar_->value(); }

}  // namespace kv
