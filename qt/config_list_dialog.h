#pragma once
// The list of configurations of the /CONFIGMENU switch: the configurations of the registry store
// with the default one marked and preselected.
#include <QDialog>

#include "shell/configuration.h"

class QListWidget;

namespace kv {

class TConfigListDialog : public QDialog {
  Q_OBJECT
public:
  TConfigListDialog(const std::vector<std::string>& names, const std::string& default_name, QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }
  std::string Chosen() const;

private:
  QListWidget* list_;
};

class TQtConfigListDialog : public IConfigListDialog {
public:
  bool Execute(const std::vector<std::string>& names, const std::string& default_name, std::string& chosen) override;
};

}  // namespace kv
