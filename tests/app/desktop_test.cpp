// The desktop program on a demo installation of its own: start-up with the login window, the demo
// order in the order window, saving under the saving rules, closing a changed order.
#include <QComboBox>
#include <QDate>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <fstream>
#include <sstream>

#include "app/complect_form.h"
#include "app/desktop.h"
#include "app/drawing_form.h"
#include "app/main_form.h"
#include "app/order_form.h"
#include "app/selection_form.h"
#include "catalogue/catalogue_files.h"
#include "construction/construction_builder.h"
#include "qt/document_models.h"
#include "qt/login_dialog.h"
#include "qt/order_models.h"
#include "shell/databases.h"
#include "shell/gx_setup.h"
#include "shell/installation.h"
#include "shell/registry_store.h"
#include "shell/session_context.h"
#include "shell/temp_registry.h"

namespace kv {

namespace fs = std::filesystem;

// Types a wrong and then the right password into the real login window and presses OK.
class TScriptedLogin : public ILoginDialog {
public:
  bool Execute(TLogin& login) override {
    TLoginDialog dialog(login);
    dialog.PasswordEdit()->setText("wrong");
    ok_disabled_for_wrong = !dialog.OkButton()->isEnabled();
    dialog.PasswordEdit()->setText("admin");
    dialog.OkButton()->click();
    user = dialog.UserBox()->currentText().toStdString();
    return dialog.result() == QDialog::Accepted;
  }
  bool ok_disabled_for_wrong = false;
  std::string user;
};

class DesktopTest : public QObject {
  Q_OBJECT

private:
  fs::path Root() const { return registry_.Dir() / "install"; }
  fs::path Orders() const { return Root() / "Orders"; }
  TMainForm& Main() const { return *desktop_->MainForm(); }

  void Install() {
    TInstallationOptions options;
    options.Root = Root();
    options.MakeDefault = true;
    options.CreateCatalogue = [](const TDatabaseDirs& dirs) {
      CreateCatalogueDatabases(dirs, DataDir(), DemoCatalogueDir(DataDir()));
    };
    std::ostringstream log;
    CreateInstallation(options, log);
    // The currency dialog would otherwise open at start-up: no update has been recorded.
    TRegistry registry;
    registry.OpenKey(kTechnologistKey, true);
    registry.WriteBool("AutoLoadCurrency", false);
  }

  // The demo order: a fixed window and a window of two fields with a sash, calculated.
  fs::path WriteDemoOrder() const {
    TOrder order;
    order.No = "Д-001";
    TFrameBuildOptions two_fields;
    two_fields.Width = 1300;
    two_fields.Vertical = {650};
    two_fields.Sashes = {2};
    for (const TFrameBuildOptions& options : {TFrameBuildOptions{}, two_fields}) {
      auto position = BuildConstruction(options);
      position->ChangeNo(std::to_string(order.Count() + 1));
      order.Add(std::move(position));
    }
    order.CalculatePositions();
    const fs::path file = Orders() / "demo.gxo";
    order.SaveOrder(file.string());
    return file;
  }

  TOwnSessionContext context_;
  testing::TTempRegistry registry_;
  TScriptedMessages messages_;
  TScriptedLogin login_;
  std::unique_ptr<TDesktop> desktop_;

private slots:
  void initTestCase() {
    context_->SetMessages(&messages_);
    context_->SetLoginDialog(&login_);
    Install();
  }

  void StartsThroughTheLoginToTheMainWindow() {
    desktop_ = std::make_unique<TDesktop>();
    QVERIFY(desktop_->Start());
    QVERIFY(login_.ok_disabled_for_wrong);
    QCOMPARE(login_.user, std::string("Администратор"));
    QCOMPARE(desktop_->SplashPercent(), 100);
    QCOMPARE(Main().windowTitle(), QString("Korvent Technologist: [Main]"));
    QVERIFY(Main().statusBar()->findChildren<QLabel*>().size() >= 4);
    QVERIFY(messages_.Shown().empty());
  }

  void OpensTheDemoOrderWithItsPositions() {
    TOrderForm* form = Main().OpenOrderByFileName(WriteDemoOrder().string());
    QVERIFY(form);
    QCOMPARE(Main().windowTitle(), QString("Korvent Technologist: [Main] - [Заказ № Д-001]"));
    const TPositionsModel& model = *form->PositionsModel();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.index(1, TPositionsModel::colNo).data().toString(), QString("2"));
    QCOMPARE(model.index(1, TPositionsModel::colWidth).data().toString(), QString("1300,0"));
    QCOMPARE(model.index(1, TPositionsModel::colHeight).data().toString(), QString("1400,0"));
    QVERIFY(model.PositionsCost() > TCurrency());
    const QImage picture = model.index(0, TPositionsModel::colPicture).data(Qt::DecorationRole).value<QImage>();
    QCOMPARE(picture.size(), QSize(64, 64));
    QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::white));
    // The glass in its catalogue screen colour 16116694 = 0xF5EBD6 (blue, green, red): (214, 235, 245).
    QCOMPARE(picture.pixelColor(32, 32), QColor(214, 235, 245));
  }

  void ViewerStepsThroughThePositions() {
    TDrawingForm viewer(Main().ActiveOrderForm()->Order(), 0);
    QCOMPARE(viewer.windowTitle(), QString("Позиция #: [1]"));
    viewer.Next();
    viewer.Next();
    QCOMPARE(viewer.windowTitle(), QString("Позиция #: [2]"));
    const fs::path png = registry_.Dir() / "position.png";
    QVERIFY(viewer.ExportPicture(QString::fromStdString(png.string())));
    QCOMPARE(QImage(QString::fromStdString(png.string())).height(), 1600);  // the longer side
    const fs::path svg = registry_.Dir() / "position.svg";
    QVERIFY(viewer.ExportPicture(QString::fromStdString(svg.string())));
    std::ifstream in(svg);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    QVERIFY(text.find("<svg") != std::string::npos && text.find("<polygon") != std::string::npos);
  }

  // From the demo order in the active window; a second complect list is refused while one is open.
  void ComplectListOfTheCurrentOrderAndOnlyOneAtATime() {
    const std::string number = std::to_string(QDate::currentDate().year()) + "-1";
    messages_.Clear();
    messages_.Answer(1);  // from the current order: yes
    TComplectForm* form = Main().NewComplect();
    QVERIFY(form);
    QCOMPARE(messages_.LastText(), std::string("Создать комплектацию на основании текущего заказа?"));
    QCOMPARE(form->Complect().Order, std::string("Д-001"));
    const TComplectItemsModel& model = *form->ItemsModel();
    QVERIFY(model.rowCount() >= 2);
    QCOMPARE(model.index(1, TComplectItemsModel::colSize).data().toString(), QString("1300 x 1400"));
    QVERIFY(!Main().NewComplect());
    QCOMPARE(messages_.LastText(), std::string("Для работы с новой ведомостью необходимо сначала закрыть текущую!"));
    QVERIFY(Main().SaveActive());
    QCOMPARE(fs::path(form->FileName()), Orders() / "ORDERS" / "COMPLECT" / (number + ".gxc"));
    QVERIFY(form->parentWidget()->close());
    QVERIFY(Main().OpenFile(form->FileName()));
  }

  // The demo order's two windows of 1300 x 1400: 2 x 1,82 = 3,64 m2.
  void SelectionWindowTakesAnOrdersPositionsWithStatistics() {
    TSelectionForm* form = Main().NewSelection();
    const std::string number = std::to_string(QDate::currentDate().year()) + "-1";
    QCOMPARE(Main().windowTitle(),
             QString::fromStdString("Korvent Technologist: [Main] - [Выборка № " + number + "*]"));
    QVERIFY(form->AddOrderFile((Orders() / "demo.gxo").string()));
    QCOMPARE(form->ItemsModel()->rowCount(), 2);
    QVERIFY(form->StatisticsLabel()->text().contains("Заказов: 1    Позиций: 2    Изделий: 2"));
    QVERIFY(form->StatisticsLabel()->text().contains("Окон: 2 (3,64 м2)"));
    form->ItemsModel()->setData(form->ItemsModel()->index(0, TSelectionItemsModel::colChecked), Qt::Unchecked,
                                Qt::CheckStateRole);
    QVERIFY(form->StatisticsLabel()->text().contains("Позиций: 1"));
    QVERIFY(Main().SaveActive());
    const std::string file = form->FileName();
    QCOMPARE(fs::path(file), Orders() / "ORDERS" / "SELECT" / (number + ".gxs"));
    QVERIFY(form->parentWidget()->close());
    auto* reopened = qobject_cast<TSelectionForm*>(Main().OpenFile(file));
    QVERIFY(reopened);
    QCOMPARE(reopened->Selection().SelectedCount(), 1);
    QVERIFY(reopened->parentWidget()->close());
  }

  void NewOrderIsSavedUnderItsNumberInTheWorkDirectory() {
    TOrderForm* form = Main().NewOrder();
    const std::string number = std::to_string(QDate::currentDate().year()) + "-1";
    QCOMPARE(form->Order().No, number);
    QVERIFY(form->Modified());
    QVERIFY(Main().SaveActive());
    QCOMPARE(fs::path(form->Document().FileName), Orders() / "ORDERS" / "WORK" / (number + ".gxo"));
    QVERIFY(fs::exists(form->Document().FileName));
    QVERIFY(!form->Modified());
  }

  void ClosedOrderMovesIntoTheClosedDirectory() {
    TOrderForm* form = Main().ActiveOrderForm();
    const fs::path work = form->Document().FileName;
    for (QComboBox* box : form->findChildren<QComboBox*>())
      if (box->itemText(0) == "Проектируется") box->setCurrentIndex(soClosed);
    QVERIFY(form->Modified());
    QVERIFY(form->Save());
    QCOMPARE(fs::path(form->Document().FileName), Orders() / "ORDERS" / "CLOSED" / work.filename());
    QVERIFY(!fs::exists(work));
  }

  void ClosingAChangedOrderAsksAndCancelKeepsIt() {
    TOrderForm* form = Main().ActiveOrderForm();
    const fs::path file = form->Document().FileName;
    const auto size_before = fs::file_size(file);
    form->AddConstruction(BuildConstruction(TFrameBuildOptions{}));
    messages_.Clear();
    messages_.Answer(3);  // "Отмена"
    QMdiSubWindow* window = Main().MdiArea()->currentSubWindow();
    QVERIFY(!window->close());
    QCOMPARE(messages_.LastText(), std::string("Сохранить заказ?"));
    QCOMPARE(Main().ActiveOrderForm(), form);
    QCOMPARE(fs::file_size(file), size_before);
    messages_.Answer(2);  // "Нет": closed without saving
    QVERIFY(window->close());
  }

  void cleanupTestCase() {
    Main().CloseAll();
    QVERIFY(desktop_->Stop());
    desktop_.reset();
  }
};

}  // namespace kv

QTEST_MAIN(kv::DesktopTest)
#include "desktop_test.moc"
