// The real main window on Qt's offscreen platform: gadgets, menus, shortcuts, and widget
// events reaching the game as focus, change and click events.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "common/settings/settings_store.h"
#include "game/engine/cells.h"
#include "game/engine/entry.h"
#include "game/engine/game.h"
#include "game/engine/hints.h"
#include "game/shell/app.h"
#include "game/shell/qt/cell_field.h"
#include "game/shell/qt/color_square.h"
#include "game/shell/qt/main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

using namespace engine;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void opensAtBaseSizeWithTitleAndWithoutMaximizeBox();
  void gadgetsHaveTheirBaseGeometry();
  void gadgetsDoubleAtDoubleSize();
  void gadgetsHaveTheirTextsAndTooltips();
  void menusHaveTheirTextsIdentifiersAndSeparators();
  void firstStartCheckMarks();
  void ctrlZUndoesAndIsRefusedInHintModeLikeTheMenu();
  void f1AsksForTheContentsLikeTheHelpItem();
  void numberButtonAndCellClickEnterADigit();
  void clickOnTheFocusedCellRaisesNoFocusEvent();
  void typedDigitReplacesTheOneBehindTheCaret();
  void lettersCannotBeTyped();
  void programWrittenTextRaisesNoChangeEvent();
  void chosenColourSquareStaysPushedIn();
  void heldPressIsNotLost_data();
  void heldPressIsNotLost();
  void clickAnywhereInACellLeavesTheCaretBeforeTheDigit();
  void typingWhileHintsShowChangesNothing();
  void exitEndsTheEventLoop();
  void closeAsksToSaveAndCancelKeepsTheWindow();
  void completeBoardAtStartUpFlashesWithoutAnEvent();

 private:
  void Start();
  QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(window_->Gadget(id)); }
  shell_qt::ColorSquare* Square(int id) const {
    return qobject_cast<shell_qt::ColorSquare*>(window_->Gadget(id));
  }
  // Clicks a cell; its focus event is delivered once the click has been handled.
  void ClickCell(int k, QPoint at = {}) {
    QTest::mouseClick(window_->Cell(k), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
  }
  // Runs the event loop until the game ends it, or fails after a few seconds.
  bool RunUntilExit();

  std::unique_ptr<testing_support::TempFolder> folder_;
  std::unique_ptr<testing_support::FakePlatform> platform_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<shell_qt::MainWindow> window_;
};

void MainWindowTest::init() {
  folder_ = std::make_unique<testing_support::TempFolder>();
  platform_ = std::make_unique<testing_support::FakePlatform>();
  game_ = std::make_unique<Game>(*platform_);
  Start();
}

void MainWindowTest::cleanup() {
  window_.reset();
  game_.reset();
  platform_.reset();
  folder_.reset();
}

void MainWindowTest::Start() {
  shell::BeginStartUp(*game_, folder_->path() / "Tarnwick");
  window_ = std::make_unique<shell_qt::MainWindow>(*game_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  shell::FinishStartUp(*game_);
  window_->Render();
  window_->EnableDispatch();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void MainWindowTest::opensAtBaseSizeWithTitleAndWithoutMaximizeBox() {
  QCOMPARE(window_->size(), QSize(266, 333));
  QCOMPARE(window_->windowTitle(), QString("Brindle's Deradu"));
  QVERIFY(!(window_->windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(window_->windowFlags() & Qt::WindowMinimizeButtonHint);
}

// The gadgets' base geometry, written out from the window's design.
static QRect BaseRect(int id) {
  auto cellX = [](int c) { return 50 + 20 * c + 10 * (c / 3); };
  auto cellY = [](int r) { return 100 + 20 * r + 10 * (r / 3); };
  if (id < 81) return {cellX(id % 9), cellY(id / 9), 20, 20};
  if (id < 90) return {cellX(id - 81), 70, 20, 20};
  if (id < 99) return {20, cellY(id - 90), 20, 20};
  if (id == 99) return {10, 10, 30, 20};
  if (id == 100) return {10, 40, 40, 20};
  if (id <= 110) return {50 + 20 * (id - 101), 40, 20, 20};
  if (id <= 119) return {50 + 20 * (id - 111), 10, 20, 20};
  return {20, 70, 20, 20};
}

void MainWindowTest::gadgetsHaveTheirBaseGeometry() {
  for (int id = 0; id < kGadgetCount; ++id) {
    QCOMPARE(window_->Gadget(id)->geometry(), BaseRect(id));
    QCOMPARE(window_->Gadget(id)->objectName(), QString::number(id));
  }
  QCOMPARE(window_->centralWidget()->height() + window_->menuBar()->height(), 333);
}

void MainWindowTest::gadgetsDoubleAtDoubleSize() {
  window_->resize(532, 666);
  QTRY_COMPARE(window_->Cell(0)->geometry(), QRect(100, 200, 40, 40));
  for (int id = 0; id < kGadgetCount; ++id) {
    const QRect base = BaseRect(id);
    QCOMPARE(window_->Gadget(id)->geometry(),
             QRect(2 * base.x(), 2 * base.y(), 2 * base.width(), 2 * base.height()));
  }
}

void MainWindowTest::gadgetsHaveTheirTextsAndTooltips() {
  QCOMPARE(qobject_cast<QLabel*>(window_->Gadget(99))->text(), QString("Color:"));
  QCOMPARE(qobject_cast<QLabel*>(window_->Gadget(100))->text(), QString("Number"));
  for (int d = 1; d <= 9; ++d) QCOMPARE(Button(100 + d)->text(), QString::number(d));
  QCOMPARE(Button(110)->text(), QString("X"));
  QCOMPARE(Button(120)->text(), QString("M"));
  QCOMPARE(Button(110)->toolTip(), QString("Clear a spot"));
  QCOMPARE(Button(120)->toolTip(), QString("Mark all numbers matching toolbar"));
  QVERIFY(Button(101)->toolTip().isEmpty());
  for (int id = 81; id <= 98; ++id) QVERIFY(Button(id)->isCheckable());
  for (int id = 111; id <= 119; ++id) QVERIFY(!Button(id)->isCheckable());
  // The start-up tool state: number 1 and the red square chosen.
  QVERIFY(Button(101)->isChecked());
  QVERIFY(Square(111)->isChosen());
  for (int id = 112; id <= 119; ++id) QVERIFY(!Square(id)->isChosen() && !Square(id)->isDown());
  QCOMPARE(window_->Gadget(99)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

void MainWindowTest::menusHaveTheirTextsIdentifiersAndSeparators() {
  // Each menu's items as "id:text", "-" for a separator and "[" "]" around a sub-menu.
  const QList<QPair<QString, QStringList>> expected = {
      {"Game", {"0:New", "1:Load", "2:Save", "-", "[Skill", "3:Default", "4:Medium", "5:Easy",
                "6:Super Easy", "]", "-", "12:Create", "13:Enter", "14:Solve", "-",
                "15:Exit\tAlt+F4"}},
      {"Undo", {"16:Undo\tCtrl+Z", "17:Delete Number", "18:Delete Color", "19:Reset Game"}},
      {"Sound", {"20:On", "21:Off", "22:Load", "23:Default", "-", "24:Win Sound Off",
                 "25:Default Win Sound", "26:Custom Win Sound"}},
      {"Colors", {"7:Empty Back Color", "8:Master Back Color", "9:Number Back Color",
                  "10:Highlight Back Color", "11:Marking Back Color"}},
      {"Hint", {"35:Hints", "36:Accept Hints", "37:Off", "38:Color"}},
      {"Help", {"27:Rules", "28:Help\tF1", "29:Options", "-", "30:About"}},
  };
  std::function<QStringList(QMenu*)> describe = [&](QMenu* menu) {
    QStringList items;
    for (QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        items << "-";
      } else if (action->menu()) {
        items << "[" + action->text();
        items << describe(action->menu());
        items << "]";
      } else {
        items << QString::number(action->data().toInt()) + ":" + action->text();
      }
    }
    return items;
  };
  const QList<QAction*> menus = window_->menuBar()->actions();
  QCOMPARE(menus.size(), expected.size());
  for (int i = 0; i < menus.size(); ++i) {
    QCOMPARE(menus[i]->text(), expected[i].first);
    QCOMPARE(describe(menus[i]->menu()), expected[i].second);
  }
}

void MainWindowTest::firstStartCheckMarks() {
  QStringList checked;
  for (int id = 0; id < kMenuIdCount; ++id) {
    QAction* action = window_->MenuAction(id);
    if (action && action->isChecked()) checked << QString::number(id);
  }
  // Default skill, sound On with the Default beep, no win sound, hints Off.
  QCOMPARE(checked, QStringList({"3", "20", "23", "24", "37"}));
}

void MainWindowTest::ctrlZUndoesAndIsRefusedInHintModeLikeTheMenu() {
  ClickCell(40);
  QCOMPARE(window_->Cell(40)->text(), QString("1"));
  QTest::keyClick(window_.get(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(window_->Cell(40)->text(), QString());

  ClickCell(41);
  window_->MenuAction(MenuHints)->trigger();
  QVERIFY(window_->MenuAction(MenuHints)->isChecked());
  QTest::keyClick(window_->Cell(41), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(platform_->MessagesTitled("Deradu Minor Error").size(), size_t(1));
  window_->MenuAction(MenuUndo)->trigger();
  QCOMPARE(platform_->MessagesTitled("Deradu Minor Error").size(), size_t(2));
  QCOMPARE(game_->window.cells[41].text, std::string("1"));
}

void MainWindowTest::f1AsksForTheContentsLikeTheHelpItem() {
  const auto lastHelp = [this] {
    settings::SettingsStore link;
    link.OpenSettings(folder_->path() / "Leafview.ini");
    return link.ReadSettingText("LASTHELP", "");
  };
  window_->MenuAction(MenuRules)->trigger();
  QCOMPARE(QString::fromStdString(lastHelp()), QString("#Rules"));
  QTest::keyClick(window_.get(), Qt::Key_F1);
  QCOMPARE(QString::fromStdString(lastHelp()), QString("#Contents"));
  QCOMPARE(platform_->messages.size(), size_t(2));  // no viewer here: "Can't find help file"
}

void MainWindowTest::numberButtonAndCellClickEnterADigit() {
  QTest::mouseClick(Button(105), Qt::LeftButton);
  QCOMPARE(game_->SelectedNumber, 5);
  QVERIFY(Button(105)->isChecked());
  QVERIFY(!Button(101)->isChecked());
  QTest::mouseClick(Button(113), Qt::LeftButton);
  ClickCell(10);
  QCOMPARE(window_->Cell(10)->text(), QString("5"));
  QCOMPARE(window_->Cell(10)->palette().color(QPalette::Text), QColor(0, 0, 255));
  QVERIFY(game_->Modified);
}

void MainWindowTest::clickOnTheFocusedCellRaisesNoFocusEvent() {
  ClickCell(20);
  QCOMPARE(window_->Cell(20)->text(), QString("1"));
  game_->SelectedNumber = 2;  // chosen without moving the focus
  ClickCell(20);
  QCOMPARE(window_->Cell(20)->text(), QString("1"));
  QCOMPARE(game_->undoHistory.size(), size_t(1));
}

void MainWindowTest::typedDigitReplacesTheOneBehindTheCaret() {
  QTest::mouseClick(Button(110), Qt::LeftButton);  // "X": focusing a cell changes nothing
  ClickCell(30);
  QTest::keyClicks(window_->Cell(30), "4");
  QCOMPARE(window_->Cell(30)->text(), QString("4"));
  QCOMPARE(window_->Cell(30)->cursorPosition(), 0);
  QTest::keyClicks(window_->Cell(30), "7");
  QCOMPARE(window_->Cell(30)->text(), QString("7"));
  QCOMPARE(game_->window.cells[30].textColor, TextPalette[0]);
  QTest::keyClick(window_->Cell(30), Qt::Key_Delete);
  QCOMPARE(window_->Cell(30)->text(), QString());
  QCOMPARE(game_->undoHistory.size(), size_t(4));  // X on the empty cell, 4, 7, the clear
}

void MainWindowTest::lettersCannotBeTyped() {
  QTest::mouseClick(Button(110), Qt::LeftButton);
  ClickCell(50);
  QTest::keyClicks(window_->Cell(50), "a");
  QCOMPARE(window_->Cell(50)->text(), QString());
}

void MainWindowTest::programWrittenTextRaisesNoChangeEvent() {
  game_->board.cells[0] = {5, -5, 0};
  game_->board.cells[1] = {3, 0, 255};
  ShowBoard(*game_);
  window_->Render();
  QCOMPARE(window_->Cell(0)->text(), QString("5"));
  QCOMPARE(window_->Cell(1)->text(), QString("3"));
  QVERIFY(game_->undoHistory.empty());
  QVERIFY(!game_->Modified);
}

void MainWindowTest::chosenColourSquareStaysPushedIn() {
  QTest::mouseClick(Button(115), Qt::LeftButton);
  QVERIFY(Square(115)->isChosen());
  QVERIFY(!Square(111)->isChosen());
  QCOMPARE(game_->CurrentColor, TextPalette[4]);
  QTest::mouseClick(Button(115), Qt::LeftButton);
  QVERIFY(Square(115)->isChosen());
  QVERIFY(!Square(115)->isDown());
}

void MainWindowTest::heldPressIsNotLost_data() {
  QTest::addColumn<int>("gadget");
  QTest::addColumn<bool>("bySpace");
  const std::pair<const char*, int> gadgets[] = {
      {"blue square", 113}, {"number 5", 105}, {"X", 110}, {"column toggle", 83},
      {"row toggle", 92},   {"M", 120},        {"cell", 40}};
  for (const auto& [name, id] : gadgets) {
    QTest::addRow("%s by mouse", name) << id << false;
    if (id >= kCellCount) QTest::addRow("%s by Space", name) << id << true;
  }
}

// A person holds a gadget down for a moment; the release must still count as the click.
void MainWindowTest::heldPressIsNotLost() {
  QFETCH(int, gadget);
  QFETCH(bool, bySpace);
  QWidget* widget = window_->Gadget(gadget);
  const auto reached = [&] {
    if (gadget < kCellCount) return game_->window.cells[gadget].text == "1";
    if (gadget < kColorLabel) return game_->window.linePressed[gadget - kFirstColumnButton];
    if (gadget <= kClearButton) return game_->SelectedNumber == gadget - kFirstNumberButton + 1;
    if (gadget < kMarkButton) return game_->CurrentColor == TextPalette[gadget - kFirstColorButton];
    return game_->Marking;
  };
  QVERIFY(!reached());
  if (bySpace) widget->setFocus();
  if (bySpace) QTest::keyPress(widget, Qt::Key_Space); else QTest::mousePress(widget, Qt::LeftButton);
  QTest::qWait(600);  // the idle chores run and the window is rendered twice meanwhile
  if (bySpace) QTest::keyRelease(widget, Qt::Key_Space); else QTest::mouseRelease(widget, Qt::LeftButton);
  QCoreApplication::processEvents();
  QVERIFY(reached());
  if (gadget >= kCellCount) {
    QVERIFY(!Button(gadget)->isDown());
    QVERIFY(Square(gadget) ? Square(gadget)->isChosen() : Button(gadget)->isChecked());
  }
}

bool MainWindowTest::RunUntilExit() {
  bool timedOut = false;
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  guard.start(3000);
  QCoreApplication::exec();
  return !timedOut;
}

void MainWindowTest::clickAnywhereInACellLeavesTheCaretBeforeTheDigit() {
  QTest::mouseClick(Button(105), Qt::LeftButton);
  ClickCell(30, QPoint(18, 10));
  QCOMPARE(window_->Cell(30)->text(), QString("5"));
  QCOMPARE(window_->Cell(30)->cursorPosition(), 0);
  QTest::keyClicks(window_->Cell(30), "3");
  QCOMPARE(window_->Cell(30)->text(), QString("3"));
}

void MainWindowTest::typingWhileHintsShowChangesNothing() {
  window_->MenuAction(MenuHints)->trigger();
  ClickCell(12);
  const QString hint = window_->Cell(12)->text();
  QVERIFY(hint.startsWith('0'));
  window_->Cell(12)->setCursorPosition(0);
  QTest::keyClicks(window_->Cell(12), "7");
  QCOMPARE(window_->Cell(12)->text(), hint);
  QVERIFY(game_->undoHistory.empty());
}

void MainWindowTest::exitEndsTheEventLoop() {
  ClickCell(0);
  QVERIFY(game_->Modified);
  platform_->messageAnswers = {MessageAnswer::No};
  QTimer::singleShot(0, window_->MenuAction(MenuExit), &QAction::trigger);
  QVERIFY(RunUntilExit());
  QCOMPARE(platform_->messages.size(), size_t(1));
  QCOMPARE(QString::fromStdString(platform_->messages[0].text),
           QString("Do you wish to save this game?"));
}

void MainWindowTest::closeAsksToSaveAndCancelKeepsTheWindow() {
  ClickCell(0);
  platform_->messageAnswers = {MessageAnswer::Cancel};
  window_->close();
  QCoreApplication::processEvents();
  QVERIFY(window_->isVisible());
  QVERIFY(!shell::ExitRequested(*game_));
  QCOMPARE(window_->Cell(0)->text(), QString("1"));

  platform_->messageAnswers = {MessageAnswer::No};
  QTimer::singleShot(0, window_.get(), &QWidget::close);
  QVERIFY(RunUntilExit());
  QCOMPARE(platform_->messages.size(), size_t(2));
}

// A skill too high to empty any cell, and a complete master: start-up ends on a complete
// board, which flashes digit after digit with no event from the player or the window.
void MainWindowTest::completeBoardAtStartUpFlashesWithoutAnEvent() {
  cleanup();
  folder_ = std::make_unique<testing_support::TempFolder>();
  platform_ = std::make_unique<testing_support::FakePlatform>();
  platform_->tickStep = 1;  // time passes on the game's clock as the timer fires
  game_ = std::make_unique<Game>(*platform_);
  const std::string grid =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  std::string master;
  for (char digit : grid) master += std::string(1, digit) + "\r\n-" + digit + "\r\n0\r\n";
  for (const char* sub : {"Masters", "Saves"}) std::filesystem::create_directory(*folder_ / sub);
  folder_->Write("Tarnwick.ini", "Skill = 7\r\nMoveFiles = 3\r\n");
  folder_->Write("Masters/complete.sms", master);

  shell::BeginStartUp(*game_, folder_->path() / "Tarnwick");
  window_ = std::make_unique<shell_qt::MainWindow>(*game_);
  window_->show();
  shell::FinishStartUp(*game_);
  window_->Render();
  window_->EnableDispatch();
  QCOMPARE(window_->windowTitle(), QString("Deradu - complete.sms"));
  QVERIFY(game_->Finished);

  const auto lit = [&](char digit) {
    for (int k = 0; k < kCellCount; ++k) {
      const bool red = window_->Cell(k)->palette().color(QPalette::Base) == QColor(255, 0, 0);
      if (red != (grid[k] == digit)) return false;
    }
    return true;
  };
  QVERIFY(!lit('1'));
  QTRY_VERIFY_WITH_TIMEOUT(lit('1'), 3000);
  platform_->now += 1000;  // the next digit's second on the game's clock
  QTRY_VERIFY_WITH_TIMEOUT(lit('2'), 3000);
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
