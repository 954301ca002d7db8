#include "app/main_form.h"

#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/complect_form.h"
#include "app/currency_dialog.h"
#include "app/drawing_form.h"
#include "app/options_dialog.h"
#include "app/order_form.h"
#include "app/selection_form.h"
#include "order/document_numbers.h"
#include "order/order_defaults.h"
#include "order/order_inbox.h"
#include "order/order_saving.h"
#include "qt/form_values.h"
#include "shell/configuration.h"
#include "shell/errors.h"
#include "shell/format_settings.h"
#include "shell/gx_setup.h"
#include "shell/login.h"
#include "shell/user_messages.h"

namespace kv {

namespace {

// The filters of the open dialog, one per document kind, and all three together first.
const QString kOpenFilters =
    "Документы (*.gxo *.gxs *.gxc);;Заказ (*.gxo);;Выборка (*.gxs);;Ведомость комплектации (*.gxc)";

TWindowState StateOf(const QWidget& window) {
  if (window.isMaximized()) return wsMaximized;
  if (window.isMinimized()) return wsMinimized;
  return wsNormal;
}

void ShowInState(QWidget& window, TWindowState state) {
  switch (state) {
    case wsMaximized: window.showMaximized(); break;
    case wsMinimized: window.showMinimized(); break;
    case wsNormal: window.show(); break;
  }
}

}  // namespace

TMainForm::TMainForm(int message_timer_ms, QWidget* parent)
    : QMainWindow(parent), mdi_(new QMdiArea(this)), message_timer_(new QTimer(this)) {
  base_caption_ = QApplication::applicationDisplayName() + Q(Format(": [%s]", Configuration().GXConfigName));
  setCentralWidget(mdi_);
  CreateMenus();
  CreateStatusBar();
  connect(mdi_, &QMdiArea::subWindowActivated, this, &TMainForm::UpdateCaption);
  connect(message_timer_, &QTimer::timeout, this, &TMainForm::CheckMessages);
  if (message_timer_ms > 0) message_timer_->start(message_timer_ms);
  UpdateCaption();
}

void TMainForm::CreateMenus() {
  QToolBar* tools = addToolBar("Документы");
  tools->setObjectName("documents");
  const auto command = [this, tools](QMenu* menu, const char* caption, QKeySequence keys, bool on_tool_bar,
                                     std::function<void()> run) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, std::move(run));
    if (on_tool_bar) tools->addAction(action);
    return action;
  };
  QMenu* file = menuBar()->addMenu("&Файл");
  command(file, "Новый заказ", QKeySequence::New, true, [this] { NewOrder(); });
  command(file, "Новая выборка", QKeySequence(), false, [this] { NewSelection(); });
  command(file, "Новая ведомость", QKeySequence(), false, [this] { NewComplect(); });
  command(file, "Открыть...", QKeySequence::Open, true, [this] { Open(); });
  command(file, "Сохранить", QKeySequence::Save, true, [this] { SaveActive(); });
  command(file, "Сохранить как...", QKeySequence::SaveAs, false, [this] { SaveActiveAs(); });
  command(file, "Сохранить все", QKeySequence(), false, [this] { SaveAll(); });
  command(file, "Сохранить как копию", QKeySequence(), false, [this] { SaveActiveAsClone(); });
  file->addSeparator();
  command(file, "Закрыть", QKeySequence::Close, false, [this] { CloseActive(); });
  command(file, "Закрыть все", QKeySequence(), false, [this] { CloseAll(); });
  file->addSeparator();
  command(file, "Выход", QKeySequence::Quit, false, [this] { close(); });

  QMenu* position = menuBar()->addMenu("&Позиция");
  const auto on_order = [this](std::function<void(TOrderForm&)> run) {
    return [this, run] {
      if (TOrderForm* form = ActiveOrderForm()) run(*form);
    };
  };
  tools->addSeparator();
  command(position, "Добавить...", QKeySequence(Qt::Key_Insert), true,
          on_order([](TOrderForm& f) { f.AddPosition(); }));
  command(position, "Копировать", QKeySequence(), false, on_order([](TOrderForm& f) { f.CopyPosition(); }));
  command(position, "Удалить", QKeySequence(), false, on_order([](TOrderForm& f) { f.DeletePosition(); }));
  command(position, "Переместить выше", QKeySequence(), false, on_order([](TOrderForm& f) { f.MovePosition(-1); }));
  command(position, "Переместить ниже", QKeySequence(), false, on_order([](TOrderForm& f) { f.MovePosition(1); }));
  command(position, "Просмотр", QKeySequence(Qt::Key_F3), true, [this] { ViewActivePosition(); });
  command(position, "Пересчитать заказ", QKeySequence(Qt::Key_F9), true,
          on_order([](TOrderForm& f) { f.Recalculate(); }));

  QMenu* service = menuBar()->addMenu("&Сервис");
  command(service, "Курсы валют...", QKeySequence(), true, [this] { OpenCurrency(); });
  command(service, "Параметры...", QKeySequence(), false, [this] { OpenOptions(); });

  QMenu* window = menuBar()->addMenu("&Окно");
  command(window, "Каскадом", QKeySequence(), false, [this] { mdi_->cascadeSubWindows(); });
  command(window, "Мозаикой", QKeySequence(), false, [this] { mdi_->tileSubWindows(); });
}

void TMainForm::CreateStatusBar() {
  const TLoggedUser& user = CurrentUser();
  for (const std::string& text :
       {Format("Пользователь: %s", user.Name), Format("Конфигурация: %s", Configuration().GXConfigName),
        Format("Станция: %s", Configuration().GXStationName)})
    statusBar()->addPermanentWidget(new QLabel(Q(text), this));
  inbox_ = new QLabel(this);
  statusBar()->addPermanentWidget(inbox_);
}

void TMainForm::ShowWithStoredState() {
  setGeometry(0, 0, 800, 600);
  move(0, 0);
  ShowInState(*this, GXSetup()->MainFormWinState);
}

void TMainForm::StoreWindowState() const {
  if (GXSetup()) GXSetup()->MainFormWinState = StateOf(*this);
}

QString TMainForm::Caption() const {
  const QMdiSubWindow* active = mdi_->currentSubWindow();
  if (!active || !active->widget()) return base_caption_;
  QString document = active->widget()->windowTitle().replace("[*]", active->widget()->isWindowModified() ? "*" : "");
  return base_caption_ + " - [" + document + "]";
}

void TMainForm::UpdateCaption() { setWindowTitle(Caption()); }

QMdiSubWindow* TMainForm::AddWindow(QWidget* form) {
  QMdiSubWindow* window = mdi_->addSubWindow(form);
  window->setAttribute(Qt::WA_DeleteOnClose);
  ShowInState(*window, GXSetup()->OrderFormWinState);
  mdi_->setActiveSubWindow(window);
  UpdateCaption();
  return window;
}

template <class TForm>
TForm* TMainForm::AddDocument(TForm* form) {
  connect(form, &TDocumentForm::CaptionChanged, this, &TMainForm::UpdateCaption);
  AddWindow(form);
  return form;
}

TOrderForm* TMainForm::AddOrderForm(std::unique_ptr<TOrder> order, const TOrderDocument& document) {
  auto* form = new TOrderForm(std::move(order), document);
  connect(form, &TOrderForm::ViewPositionRequested, this, [this, form](int row) {
    if (row < 0 || row >= form->Order().Count()) return;
    auto* viewer = new TDrawingForm(form->Order(), row);
    QMdiSubWindow* window = AddWindow(viewer);
    connect(form, &TDocumentForm::Closing, window, &QMdiSubWindow::close);
  });
  return AddDocument(form);
}

TOrderForm* TMainForm::NewOrder() {
  auto order = std::make_unique<TOrder>();
  SetOrderDefaults(*order, *GXSetup(), Date());
  order->No = TOrderNoCounter(*GXSetup()).NewOrderNo(Date());
  TOrderForm* form = AddOrderForm(std::move(order), TOrderDocument{});
  form->SetModified(true);
  return form;
}

TSelectionForm* TMainForm::NewSelection() {
  auto selection = std::make_unique<Tgx25OrderSelection>();
  try {
    selection->No = NewSelectionNo(SelectionDirectory(*GXSetup()));
  } catch (const EKvError& e) {
    ShowError(e.what());
  }
  TSelectionForm* form = AddDocument(new TSelectionForm(std::move(selection), ""));
  form->SetModified(true);
  return form;
}

bool TMainForm::ComplectListClosed() const {
  for (QMdiSubWindow* window : mdi_->subWindowList())
    if (qobject_cast<TComplectForm*>(window->widget())) {
      ShowError("Для работы с новой ведомостью необходимо сначала закрыть текущую!");
      return false;
    }
  return true;
}

TComplectForm* TMainForm::NewComplect() {
  if (!ComplectListClosed()) return nullptr;
  TOrderForm* order = ActiveOrderForm();
  const bool from_order = order && ShowConfirm("Создать комплектацию на основании текущего заказа?");
  auto complect = std::make_unique<Tgx25OrderComplect>();
  try {
    complect->No = NewComplectNo(ComplectDirectory(*GXSetup()));
  } catch (const EKvError& e) {
    ShowError(e.what());
  }
  TComplectForm* form = AddDocument(new TComplectForm(std::move(complect), ""));
  if (from_order) form->FillFromOrder(order->Order());
  form->SetModified(true);
  return form;
}

void TMainForm::Open() {
  const QString file = QFileDialog::getOpenFileName(this, "Открыть...", Q(GXSetup()->ServerName), kOpenFilters);
  if (!file.isEmpty()) OpenFile(file.toStdString());
}

TDocumentForm* TMainForm::OpenFile(const std::string& file) {
  const QString suffix = QFileInfo(Q(file)).suffix().toLower();
  if (suffix == "gxo") return OpenOrderByFileName(file);
  if (suffix == "gxs") return OpenSelectionByFileName(file);
  if (suffix == "gxc") return OpenComplectByFileName(file);
  ShowError(
      Format("Неизвестный тип документа:\r\n%s\r\nОткрываются заказы (*.gxo), выборки (*.gxs) и ведомости "
             "комплектации (*.gxc).",
             file));
  return nullptr;
}

TOrderForm* TMainForm::OpenOrderByFileName(const std::string& file) {
  auto order = std::make_unique<TOrder>();
  if (!order->LoadOrder(file)) return nullptr;
  TOrderDocument document;
  document.MarkSaved(*order, file);
  return AddOrderForm(std::move(order), document);
}

TSelectionForm* TMainForm::OpenSelectionByFileName(const std::string& file) {
  auto selection = std::make_unique<Tgx25OrderSelection>();
  if (!selection->LoadSelection(file)) return nullptr;
  return AddDocument(new TSelectionForm(std::move(selection), file));
}

TComplectForm* TMainForm::OpenComplectByFileName(const std::string& file) {
  if (!ComplectListClosed()) return nullptr;
  auto complect = std::make_unique<Tgx25OrderComplect>();
  if (!complect->LoadFile(file)) return nullptr;
  return AddDocument(new TComplectForm(std::move(complect), file));
}

TDocumentForm* TMainForm::ActiveDocument() const {
  const QMdiSubWindow* active = mdi_->currentSubWindow();
  return active ? qobject_cast<TDocumentForm*>(active->widget()) : nullptr;
}

TOrderForm* TMainForm::ActiveOrderForm() const {
  const QMdiSubWindow* active = mdi_->currentSubWindow();
  return active ? qobject_cast<TOrderForm*>(active->widget()) : nullptr;
}

bool TMainForm::SaveActive() {
  TDocumentForm* form = ActiveDocument();
  return form && form->Save();
}

bool TMainForm::SaveActiveAs() {
  TDocumentForm* form = ActiveDocument();
  return form && form->SaveAs();
}

bool TMainForm::SaveAll() {
  bool saved = true;
  for (QMdiSubWindow* window : mdi_->subWindowList())
    if (auto* form = qobject_cast<TDocumentForm*>(window->widget()); form && form->Modified())
      saved = form->Save() && saved;
  return saved;
}

// The copy becomes a new order with the next number of the counter, saved by the saving rules in a
// window of its own; the original stays as it is.
bool TMainForm::SaveActiveAsClone() {
  TOrderForm* form = ActiveOrderForm();
  if (!form) return false;
  auto clone = std::make_unique<TOrder>();
  if (!clone->Assign(form->Order())) return false;
  const std::string number = TOrderNoCounter(*GXSetup()).NewOrderNo(Date());
  if (!number.empty()) clone->No = number;
  TOrderForm* copy = AddOrderForm(std::move(clone), TOrderDocument{});
  copy->SetModified(true);
  return copy->Save();
}

void TMainForm::CloseActive() { mdi_->closeActiveSubWindow(); }

bool TMainForm::CloseAll() {
  mdi_->closeAllSubWindows();
  return mdi_->subWindowList().isEmpty();
}

void TMainForm::OpenCurrency() {
  TOrderForm* form = ActiveOrderForm();
  TCurrencyDialog dialog(form ? &form->Order() : nullptr, this);
  if (dialog.exec() == QDialog::Accepted && form) form->SetModified(true);
}

void TMainForm::OpenOptions() {
  TOptionsDialog dialog(this);
  dialog.exec();
}

void TMainForm::ViewActivePosition() {
  if (TOrderForm* form = ActiveOrderForm()) emit form->ViewPositionRequested(std::max(form->CurrentPosition(), 0));
}

void TMainForm::CheckMessages() {
  if (!GXSetup()->AutoCheckInbox) return;
  const bool found = !InboxOrderFiles(GXSetup()->InboxDir).empty();
  if (found && inbox_->text().isEmpty()) UserMessages().Beep(TMessageKind::mkInfo);
  inbox_->setText(found ? "Входящие заказы" : "");
  inbox_->setToolTip(found ? "Найдены заказы в папке \"Входящие\"" : "");
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (CloseAll())
    event->accept();
  else
    event->ignore();
}

}  // namespace kv
