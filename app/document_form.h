#pragma once
// What the main window's document windows (orders, selections, complect lists) have in common: a
// caption with the "modified" mark, saving under the rules of their kind, and the question on
// closing a changed document.
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QDateEdit;
class QHBoxLayout;

namespace kv {

class TDocumentForm : public QWidget {
  Q_OBJECT
public:
  explicit TDocumentForm(QWidget* parent = nullptr);

  // The document's caption without the "modified" mark ("Заказ № %s", ...).
  virtual QString Caption() const = 0;
  bool Modified() const { return isWindowModified(); }
  void SetModified(bool modified);

  // Under the saving rules of the document; a document that no rule names goes through the save
  // dialog.
  virtual bool Save() = 0;
  virtual bool SaveAs() = 0;

signals:
  void CaptionChanged();
  // The window closes; windows that show parts of its document close with it.
  void Closing();

protected:
  // The question asked when a changed document is closed ("Сохранить заказ?").
  virtual std::string CloseQuestion() const = 0;
  // The save dialog with its caption and the filter of the kind followed by "Все файлы (*.*)";
  // "" when cancelled.
  std::string AskFileName(const QString& caption, const QString& filter, const std::string& current);
  void closeEvent(QCloseEvent* event) override;

  struct TCommand {
    const char* Caption;
    std::function<void()> Run;
  };
  // A row of buttons, one per command, followed by a stretch.
  QHBoxLayout* CommandButtons(const std::vector<TCommand>& commands);
  // The window's body: the header above the list, split so that the list takes the room left.
  void LayOutBody(QWidget* header, QWidget* list, int width, int height);
  // A date field in the program's date format, with its calendar.
  static QDateEdit* NewDateEdit(QWidget* parent);

private:
  bool CloseAccepted();
};

}  // namespace kv
