#pragma once
// The main window: a frame of document windows (orders, selections, complect lists and construction
// viewers) with the document commands, the position commands of the active order window, the currency and options
// dialogs, the status bar (user, configuration, station, inbox) and the message timer.
#include <QMainWindow>

#include <memory>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace kv {

class TComplectForm;
class TDocumentForm;
class TOrder;
class TOrderForm;
class TSelectionForm;
struct TOrderDocument;

class TMainForm : public QMainWindow {
  Q_OBJECT
public:
  // message_timer_ms: the period of the message timer (0: no timer).
  explicit TMainForm(int message_timer_ms, QWidget* parent = nullptr);

  // Shows the window at 0,0 with 800 x 600 in the state kept by the options.
  void ShowWithStoredState();
  void StoreWindowState() const;

  // ---- documents ----
  TOrderForm* NewOrder();
  // An empty selection numbered by the selection template.
  TSelectionForm* NewSelection();
  // A complect list numbered by its template, filled from the active order when the user wants
  // it; refused while a complect list is open.
  TComplectForm* NewComplect();
  // The open dialog over orders, selections and complect lists.
  void Open();
  // Opens an order, a selection or a complect list by the file's extension.
  TDocumentForm* OpenFile(const std::string& file);
  // Loads the order file into a new order window; nullptr when it could not be loaded.
  TOrderForm* OpenOrderByFileName(const std::string& file);
  TSelectionForm* OpenSelectionByFileName(const std::string& file);
  TComplectForm* OpenComplectByFileName(const std::string& file);
  bool SaveActive();
  bool SaveActiveAs();
  bool SaveAll();
  bool SaveActiveAsClone();
  void CloseActive();
  // False when a window stayed open (its question was answered "Отмена").
  bool CloseAll();
  void OpenCurrency();
  void OpenOptions();

  // ---- the message timer ----
  // With AutoCheckInbox: the inbox panel shows whether order files wait in the inbox.
  void CheckMessages();

  TDocumentForm* ActiveDocument() const;
  TOrderForm* ActiveOrderForm() const;
  QMdiArea* MdiArea() const { return mdi_; }
  QLabel* InboxPanel() const { return inbox_; }
  // The configuration caption followed by the active document's caption.
  QString Caption() const;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void CreateMenus();
  void CreateStatusBar();
  QMdiSubWindow* AddWindow(QWidget* form);
  template <class TForm>
  TForm* AddDocument(TForm* form);
  TOrderForm* AddOrderForm(std::unique_ptr<TOrder> order, const TOrderDocument& document);
  // False after the refusal when a complect list is open already.
  bool ComplectListClosed() const;
  void UpdateCaption();
  void ViewActivePosition();

  QMdiArea* mdi_;
  QLabel* inbox_ = nullptr;
  QTimer* message_timer_;
  QString base_caption_;
};

}  // namespace kv
