#pragma once
// The options dialog: every value of the options object, grouped as the INI file's sections and
// the registry keys hold them. The values this program saves (the registry root key and the user
// options) can be edited; the INI file and the configuration's key belong to the administration
// and are shown only.
#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace kv {

class TOptionsDialog : public QDialog {
  Q_OBJECT
public:
  explicit TOptionsDialog(QWidget* parent = nullptr);
  QTreeWidget* Tree() const { return tree_; }
  // The edited values into the options object, which is then saved; false after the message.
  bool SaveOptions();
  void accept() override;

private:
  QTreeWidgetItem* SectionItem(const std::string& section);

  QTreeWidget* tree_;
};

}  // namespace kv
