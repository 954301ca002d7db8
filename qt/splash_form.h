#pragma once
// The splash window of the start-up: the program's title, a label and a progress bar.
#include <QWidget>

class QLabel;
class QProgressBar;

namespace kv {

class TSplashForm : public QWidget {
  Q_OBJECT
public:
  explicit TSplashForm(QWidget* parent = nullptr);
  // A step of the start-up: the bar to percent, the label when one is given.
  void Progress(int percent, const std::string& label);
  int Percent() const;

private:
  QLabel* label_;
  QProgressBar* bar_;
};

}  // namespace kv
