#pragma once
// The dialog of a new position: construction type, figure, width and height, the axes of
// mullions and transoms, the fields with sashes and the glass, as the construction builder takes
// them.
#include <QDialog>

#include "construction/construction_builder.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace kv {

class TPositionDialog : public QDialog {
  Q_OBJECT
public:
  explicit TPositionDialog(QWidget* parent = nullptr);
  TFrameBuildOptions Options() const;

  void accept() override;

private:
  QSpinBox* type_;
  QComboBox* figure_;
  QSpinBox* width_;
  QSpinBox* height_;
  QLineEdit* vertical_;
  QLineEdit* horizontal_;
  QLineEdit* sashes_;
  QCheckBox* turn_;
  QLineEdit* glass_;
};

// "650 1300" or "650; 1300" as whole numbers; false when a word is not one.
bool ParseNumberList(const QString& text, std::vector<int>& numbers);

}  // namespace kv
