// The help viewer's real window on the offscreen platform: what the user sees after start-up,
// the layout after a resize, the pane at its topics, Enter and the buttons, the requests the
// game sends through the link file and by signal, and the values left at the exit.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <memory>

#include "common/settings/settings_store.h"
#include "tests/support/temp_folder.h"
#include "viewer/qt/html_pane.h"
#include "viewer/qt/viewer_app.h"
#include "viewer/qt/viewer_window.h"

namespace {

namespace fs = std::filesystem;

// Answers the next modal message box once it shows, noting its title and text.
struct MessageBoxCatcher {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  void Arm() {
    QTimer::singleShot(50, [this] { Catch(); });
  }
  void Catch() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      QTimer::singleShot(50, [this] { Catch(); });
      return;
    }
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    box->accept();
  }
};

}  // namespace

class ViewerWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing_support::TempFolder> folder_;
  std::unique_ptr<viewer::ViewerApp> app_;

  fs::path LinkPath() const { return folder_->path() / "Leafview.ini"; }
  std::string LinkValue(std::string_view key) const {
    settings::SettingsStore store;
    store.OpenSettings(LinkPath());
    return store.ReadSettingText(key, "<missing>");
  }
  void WriteLink(std::string_view text) const { folder_->Write("Leafview.ini", text); }
  viewer::ViewerWindow& Window() { return app_->Window(); }
  QWidget* Control(int id) { return Window().Control(id); }
  QString Fragment() { return Window().Pane()->url().fragment(); }
  // The result of a script run in the pane's page, waiting for it at most five seconds.
  QVariant RunScript(const QString& script) {
    QVariant result;
    bool answered = false;
    Window().Pane()->page()->runJavaScript(script, [&](const QVariant& value) {
      result = value;
      answered = true;
    });
    QDeadlineTimer deadline(5000);
    while (!answered && !deadline.hasExpired()) QTest::qWait(10);
    return result;
  }

  // A viewer started on the real help document at topic.
  bool StartViewer(std::string_view topic) {
    folder_->Write("deradu.htm", testing_support::ReadFileBytes(DERADU_HELP_DOCUMENT));
    WriteLink("HelpFile = deradu.htm\r\nTitle = Brindle's Deradu Help\r\nLASTHELP = " +
              std::string(topic) + "\r\nLASTTIME = 50\r\nHANDLE = 0\r\n");
    app_ = std::make_unique<viewer::ViewerApp>(folder_->path());
    return app_->Start();
  }

 private slots:
  void init() { folder_ = std::make_unique<testing_support::TempFolder>(); }
  void cleanup() {
    app_.reset();
    folder_.reset();
  }

  void startUpShowsTheWindowWithItsControls() {
    QVERIFY(StartViewer("#Rules"));
    QCOMPARE(Window().windowTitle(), QString("Brindle's Deradu Help"));
    QCOMPARE(Window().size(), QSize(500, 300));
    const struct {
      int id;
      const char* caption;
      QRect rect;
    } buttons[] = {{viewer::kBackButton, "Back", {0, 0, 50, 25}},
                   {viewer::kNextButton, "Next", {50, 0, 50, 25}},
                   {viewer::kStopButton, "Stop", {100, 0, 50, 25}},
                   {viewer::kGoButton, "Go", {475, 0, 25, 25}}};
    for (const auto& button : buttons) {
      auto* widget = qobject_cast<QPushButton*>(Control(button.id));
      QVERIFY(widget != nullptr);
      QCOMPARE(widget->text(), QString(button.caption));
      QCOMPARE(widget->geometry(), button.rect);
      QVERIFY(widget->isVisible());
    }
    auto* address = qobject_cast<QLineEdit*>(Control(viewer::kAddressField));
    QVERIFY(address != nullptr);
    QCOMPARE(address->geometry(), QRect(155, 5, 315, 20));
    QVERIFY(address->text().isEmpty());
    QCOMPARE(Control(viewer::kSeparatorLine)->geometry(), QRect(0, 30, 500, 2));
    // The pane fills the client area from under the separator down to the status bar.
    const QRect pane = Window().Pane()->geometry();
    QCOMPARE(pane.topLeft(), QPoint(0, 31));
    QCOMPARE(pane.width(), 500);
    QCOMPARE(pane.bottom() + 1, Window().ClientArea()->height());
    QCOMPARE(Window().ClientArea()->mapTo(&Window(), QPoint(0, pane.bottom() + 1)).y(),
             Window().statusBar()->geometry().top());
    QCOMPARE(Window().StatusText(), QString("Loading Help deradu.htm"));
    QCOMPARE(LinkValue("LASTTIME"), std::string("999"));
    QCOMPARE(LinkValue("HANDLE"), std::to_string(QCoreApplication::applicationPid()));
  }

  void helpMenuHasItsFiveItems() {
    QVERIFY(StartViewer(""));
    const QList<QAction*> menus = Window().menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus[0]->text(), QString("Help"));
    QStringList items;
    for (const QAction* item : menus[0]->menu()->actions()) items << item->text();
    QCOMPARE(items, (QStringList{"Contents", "Contact", "http://www.example.org/deradu/", "About",
                                 "Exit"}));
  }

  void paneOpensAtTheTopicAndFollowsTheMenu() {
    QVERIFY(StartViewer("#Rules"));
    QTRY_COMPARE_WITH_TIMEOUT(Fragment(), QString("Rules"), 5000);
    QVERIFY(Window().Pane()->url().isLocalFile());
    QCOMPARE(Window().Pane()->url().toLocalFile(),
             QString::fromStdString((folder_->path() / "deradu.htm").string()));
    QAction* contact = Window().menuBar()->actions()[0]->menu()->actions()[1];
    contact->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(Fragment(), QString("contact"), 5000);
  }

  void layoutFollowsTheWindowSize() {
    QVERIFY(StartViewer(""));
    Window().resize(200, 400);
    QCOMPARE(Control(viewer::kAddressField)->geometry(), QRect(155, 5, 15, 20));
    QCOMPARE(Control(viewer::kGoButton)->geometry(), QRect(175, 0, 25, 25));
    QCOMPARE(Control(viewer::kSeparatorLine)->width(), 200);
    QCOMPARE(Window().Pane()->width(), 200);
    QCOMPARE(Window().Pane()->geometry().bottom() + 1, Window().ClientArea()->height());
  }

  void enterAndGoSendThePaneToTheTypedAddress() {
    QVERIFY(StartViewer(""));
    const QString base = QString::fromStdString("file://" + (folder_->path() / "deradu.htm").string());
    auto* address = qobject_cast<QLineEdit*>(Control(viewer::kAddressField));
    Window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Window()));
    address->setFocus();
    QTest::keyClicks(address, base + "#Game");
    QTest::keyClick(address, Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(Fragment(), QString("Game"), 5000);
    address->setText(base + "#contact");
    QTest::mouseClick(Control(viewer::kGoButton), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(Fragment(), QString("contact"), 5000);
    // The viewer never writes into the field.
    QCOMPARE(address->text(), base + "#contact");
  }

  void paneRefusesNewWindowsAndHasNoContextMenu() {
    QVERIFY(StartViewer(""));
    QCOMPARE(Window().Pane()->contextMenuPolicy(), Qt::NoContextMenu);
    QSignalSpy loaded(Window().Pane(), &QWebEngineView::loadFinished);
    QVERIFY(loaded.wait(10000));
    // The engine closes again what window.open handed the script: the new window is refused.
    RunScript("var opened = window.open('about:blank'); true");
    QTRY_COMPARE_WITH_TIMEOUT(RunScript("String(opened === null || opened.closed)").toString(),
                              QString("true"), 5000);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](QWidget* w) { return qobject_cast<QWebEngineView*>(w) != nullptr; }),
             0);
  }

  void pendingRequestIsServedWithinASecond() {
    QVERIFY(StartViewer("#Rules"));
    WriteLink("HelpFile = deradu.htm\r\nLASTHELP = #Game\r\nLASTTIME = 50\r\n");
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(Window().StatusText(), QString("LASTHELP #Game"), 3000);
    qInfo("served after %lld ms", static_cast<long long>(clock.elapsed()));
    QVERIFY(clock.elapsed() < 1500);
    QTRY_COMPARE_WITH_TIMEOUT(Fragment(), QString("Game"), 5000);
    QCOMPARE(LinkValue("LASTTIME"), std::string("999"));
  }

  void everyWayOfClosingLeavesTheExitValues_data() {
    QTest::addColumn<QString>("way");
    QTest::newRow("close box") << "close";
    QTest::newRow("Exit item") << "exit";
    QTest::newRow("quit request 666") << "666";
    QTest::newRow("close signal") << "signal";
  }
  void everyWayOfClosingLeavesTheExitValues() {
    QFETCH(QString, way);
    QVERIFY(StartViewer("#Rules"));
    Window().move(40, 60);
    Window().resize(420, 330);
    QSignalSpy finished(app_.get(), &viewer::ViewerApp::finished);
    if (way == "close") {
      Window().close();
    } else if (way == "exit") {
      Window().menuBar()->actions()[0]->menu()->actions()[4]->trigger();
    } else if (way == "666") {
      WriteLink("HelpFile = deradu.htm\r\nLASTTIME = 666\r\nHANDLE = 77\r\n");
    } else {
      std::raise(SIGTERM);
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 3000);
    QVERIFY(!app_->Running());
    QCOMPARE(LinkValue("LASTTIME"), std::string("000"));
    QCOMPARE(LinkValue("LASTHELP"), std::string(""));
    QCOMPARE(LinkValue("HANDLE"), std::string("0"));
    const QRect frame = Window().frameGeometry();
    QCOMPARE(LinkValue("WinX"), std::to_string(frame.x()));
    QCOMPARE(LinkValue("WinY"), std::to_string(frame.y()));
    QCOMPARE(LinkValue("WinW"), std::string("420"));
    QCOMPARE(LinkValue("WinH"), std::string("330"));
  }

  void bringToFrontSignalKeepsTheViewerRunning() {
    QVERIFY(StartViewer(""));
    Window().showMinimized();
    std::raise(SIGUSR1);
    QTRY_VERIFY_WITH_TIMEOUT(!Window().isMinimized(), 3000);
    QVERIFY(app_->Running());
  }

  void aboutBoxShowsTheCredits() {
    QVERIFY(StartViewer(""));
    MessageBoxCatcher catcher;
    catcher.Arm();
    Window().menuBar()->actions()[0]->menu()->actions()[3]->trigger();
    QCOMPARE(catcher.title, QString("Brindle's Deradu Help"));
    QCOMPARE(catcher.text, QString("Modified 24 November 2010\nby Brindle\nbased on Brindle PageLeaf"));
    QCOMPARE(catcher.icon, QMessageBox::NoIcon);
    QVERIFY(app_->Running());
  }

  void aRequestWhileTheAboutBoxShowsWaitsForIt() {
    QVERIFY(StartViewer("#Rules"));
    MessageBoxCatcher catcher;
    QTimer::singleShot(20, [&] {
      WriteLink("HelpFile = deradu.htm\r\nLASTHELP = #Game\r\nLASTTIME = 50\r\n");
      // Two idle seconds pass with the box open: the request waits for the box.
      QTimer::singleShot(2100, [&] {
        QCOMPARE(LinkValue("LASTTIME"), std::string("50"));
        catcher.Catch();
      });
    });
    Window().menuBar()->actions()[0]->menu()->actions()[3]->trigger();
    QVERIFY(!catcher.title.isEmpty());
    // Served on the pass that showed the box, once it closed.
    QCOMPARE(LinkValue("LASTTIME"), std::string("999"));
    QCOMPARE(Window().StatusText(), QString("LASTHELP #Game"));
  }

  void withoutTheEngineTheViewerSaysSoAndWritesNothing() {
    qputenv("QTWEBENGINE_PROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    MessageBoxCatcher catcher;
    catcher.Arm();
    const bool started = StartViewer("#Rules");
    qunsetenv("QTWEBENGINE_PROCESS_PATH");
    QVERIFY(!started);
    QCOMPARE(catcher.title, QString("Error"));
    QCOMPARE(catcher.text, QString("ATL.dll not found"));
    QCOMPARE(catcher.icon, QMessageBox::NoIcon);
    QCOMPARE(LinkValue("LASTTIME"), std::string("50"));
    QCOMPARE(LinkValue("HANDLE"), std::string("0"));
  }

  void withoutAHelpFileTheViewerSaysSo() {
    MessageBoxCatcher catcher;
    catcher.Arm();
    app_ = std::make_unique<viewer::ViewerApp>(folder_->path());
    QVERIFY(!app_->Start());
    QCOMPARE(catcher.title, QString("Leafview"));
    QCOMPARE(catcher.text, QString("No Helpfile specified"));
    QCOMPARE(catcher.icon, QMessageBox::Critical);
    QVERIFY(!fs::exists(LinkPath()));
  }
};

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  application.setQuitOnLastWindowClosed(false);
  ViewerWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "viewer_window_test.moc"
