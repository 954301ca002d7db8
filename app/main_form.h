#pragma once
// The main window: a frame of document windows (order windows and construction viewers) with the
// document commands, the position commands of the active order window, the currency and options
// dialogs, the status bar (user, configuration, station, inbox) and the message timer.
#include <QMainWindow>

#include <memory>
#include <string>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace kv {

class TOrder;
class TOrderForm;
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
  // The open dialog over orders, selections and complect lists.
  void Open();
  // Loads the order file into a new order window; nullptr when it could not be loaded.
  TOrderForm* OpenOrderByFileName(const std::string& file);
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
  QMdiSubWindow* AddDocument(QWidget* form);
  TOrderForm* AddOrderForm(std::unique_ptr<TOrder> order, const TOrderDocument& document);
  void UpdateCaption();
  void ViewActivePosition();

  QMdiArea* mdi_;
  QLabel* inbox_ = nullptr;
  QTimer* message_timer_;
  QString base_caption_;
};

}  // namespace kv
