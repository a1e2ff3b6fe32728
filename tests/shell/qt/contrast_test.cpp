// The board reads on a light and on a dark desktop: the real main window is driven into
// each display state under a light and a dark application palette, and the contrast of a
// digit against its cell, and of a pressed button against a raised one, is measured from
// the window's grabbed pixels.
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QtTest>
#include <functional>
#include <map>

#include "game/engine/cells.h"
#include "game/engine/game.h"
#include "game/shell/app.h"
#include "game/shell/contrast.h"
#include "game/shell/qt/cell_field.h"
#include "game/shell/qt/main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

using namespace engine;

namespace {

// A solved grid; the test board holds it as givens, with cells 0 and 40 (both a 5) empty.
constexpr const char* kSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
constexpr int kEmptyCorner = 0;
constexpr int kEmptyCentre = 40;

// The light desktop is Qt's own Fusion palette; the dark one has the colours Qt takes from
// GTK's Adwaita-dark theme.
QPalette LightPalette() { return QApplication::style()->standardPalette(); }

QPalette DarkPalette() {
  QPalette palette;
  const std::pair<QPalette::ColorRole, const char*> roles[] = {
      {QPalette::Window, "#323232"},       {QPalette::WindowText, "#f0f0f0"},
      {QPalette::Base, "#242424"},         {QPalette::AlternateBase, "#323232"},
      {QPalette::Text, "#f0f0f0"},         {QPalette::Button, "#323232"},
      {QPalette::ButtonText, "#f0f0f0"},   {QPalette::BrightText, "#4b4b4b"},
      {QPalette::Light, "#4b4b4b"},        {QPalette::Midlight, "#2a2a2a"},
      {QPalette::Mid, "#262626"},          {QPalette::Dark, "#212121"},
      {QPalette::Shadow, "#191919"},       {QPalette::Highlight, "#308cc6"},
      {QPalette::HighlightedText, "#f0f0f0"}, {QPalette::ToolTipBase, "#323232"},
      {QPalette::ToolTipText, "#f0f0f0"},  {QPalette::PlaceholderText, "#a0a0a0"}};
  for (const auto& [role, color] : roles) palette.setColor(role, QColor(color));
  return palette;
}

Rgb RgbOfPixel(QRgb pixel) { return RgbOf(qRed(pixel), qGreen(pixel), qBlue(pixel)); }

// The pixels of a widget as it is drawn now, at one pixel per device pixel.
QImage Grab(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The commonest colour among the pixels for which inside holds: the face of a button, the
// background of a cell.
Rgb Commonest(const QImage& image, const std::function<bool(int, int)>& inside) {
  std::map<Rgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (inside(x, y)) ++counts[RgbOfPixel(image.pixel(x, y))];
    }
  }
  auto best = counts.begin();
  for (auto it = counts.begin(); it != counts.end(); ++it) {
    if (it->second > best->second) best = it;
  }
  return best->first;
}

// The inside of a gadget, three pixels in from its edges, where the frame does not reach.
bool Inner(const QImage& image, int x, int y) {
  return x >= 3 && y >= 3 && x < image.width() - 3 && y < image.height() - 3;
}

// Text against its ground: the ground is the commonest inner colour, the text's contrast
// that of the inner pixel farthest from it (the core of a glyph's stroke).
struct Reading {
  Rgb ground = 0;
  double contrast = 1;
};

Reading Read(const QImage& image) {
  Reading reading;
  reading.ground = Commonest(image, [&](int x, int y) { return Inner(image, x, y); });
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!Inner(image, x, y)) continue;
      reading.contrast = std::max(
          reading.contrast, shell::ContrastRatio(RgbOfPixel(image.pixel(x, y)), reading.ground));
    }
  }
  return reading;
}

// The ring of a colour square around its swatch, where the chosen look shows.
Rgb SquareRing(const QImage& image) {
  return Commonest(image, [&](int x, int y) {
    return x < 2 || y < 2 || x >= image.width() - 2 || y >= image.height() - 2;
  });
}

QString Hex(Rgb rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF).name(); }

}  // namespace

class ContrastTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanup();
  void digitsReadOnTheDarkDesktopWhereTheyDoOnTheLight_data();
  void digitsReadOnTheDarkDesktopWhereTheyDoOnTheLight();
  void pressedButtonsStandOutOnBothDesktops_data();
  void pressedButtonsStandOutOnBothDesktops();
  void keyboardFocusStandsOutFromTheUnfocusedLook_data();
  void keyboardFocusStandsOutFromTheUnfocusedLook();

 private:
  // Opens the game under palette with the test board showing.
  void Open(const QPalette& palette);
  void Close();
  QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(window_->Gadget(id)); }
  void Click(int id) {
    QTest::mouseClick(window_->Gadget(id), Qt::LeftButton);
    QCoreApplication::processEvents();
  }
  // Draws the window as it stands, with the focus on no gadget.
  void Settle() {
    window_->centralWidget()->setFocus();
    window_->Render();
    QCoreApplication::processEvents();
  }

  std::unique_ptr<testing_support::TempFolder> folder_;
  std::unique_ptr<testing_support::FakePlatform> platform_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<shell_qt::MainWindow> window_;
};

void ContrastTest::initTestCase() { QApplication::setStyle(QStyleFactory::create("Fusion")); }

void ContrastTest::cleanup() { Close(); }

void ContrastTest::Open(const QPalette& palette) {
  Close();
  QApplication::setPalette(palette);
  folder_ = std::make_unique<testing_support::TempFolder>();
  platform_ = std::make_unique<testing_support::FakePlatform>();
  game_ = std::make_unique<Game>(*platform_);
  shell::BeginStartUp(*game_, folder_->path() / "Tarnwick");
  window_ = std::make_unique<shell_qt::MainWindow>(*game_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  shell::FinishStartUp(*game_);
  for (int k = 0; k < kCellCount; ++k) {
    const int digit = kSolution[k] - '0';
    game_->board.cells[k] = k == kEmptyCorner || k == kEmptyCentre ? Cell{0, 0, 0}
                                                                  : Cell{digit, -digit, 0};
  }
  ShowBoard(*game_);
  window_->Render();
  window_->EnableDispatch();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void ContrastTest::Close() {
  window_.reset();
  game_.reset();
  platform_.reset();
  folder_.reset();
}

// Each display state, reached as a player reaches it, and the cell that shows it.
using Setup = std::function<void(ContrastTest*)>;
Q_DECLARE_METATYPE(Setup)

void ContrastTest::digitsReadOnTheDarkDesktopWhereTheyDoOnTheLight_data() {
  QTest::addColumn<Setup>("setup");
  QTest::addColumn<int>("cell");
  // -1 for a digit measured against its cell, else the empty cell the state must stand out
  // from.
  QTest::addColumn<int>("beside");
  const int digit = -1;
  QTest::addRow("given") << Setup([](ContrastTest*) {}) << 1 << digit;
  for (int i = 0; i < 9; ++i) {
    QTest::addRow("player's digit in colour %d", i)
        << Setup([i](ContrastTest* t) {
             t->Click(kFirstColorButton + i);
             t->Click(kFirstNumberButton + 4);
             t->Click(kEmptyCentre);
           })
        << kEmptyCentre << digit;
  }
  QTest::addRow("hint") << Setup([](ContrastTest* t) {
    t->window_->MenuAction(MenuHints)->trigger();
  }) << kEmptyCentre << digit;
  QTest::addRow("marked given") << Setup([](ContrastTest* t) {
    t->Click(kFirstNumberButton + 2);
    t->Click(kMarkButton);
  }) << 1 << digit;
  QTest::addRow("marked player's digit") << Setup([](ContrastTest* t) {
    t->Click(kFirstNumberButton + 4);
    t->Click(kMarkButton);
    t->Click(kEmptyCentre);
  }) << kEmptyCentre << digit;
  // The board is finished by its last two digits; a second later every 1 lights up.
  QTest::addRow("flashing digit") << Setup([](ContrastTest* t) {
    t->Click(kFirstNumberButton + 4);
    t->Click(kEmptyCorner);
    t->Click(kEmptyCentre);
    QVERIFY(t->game_->Finished);
    t->platform_->now += 1001;
    QTRY_COMPARE(t->game_->window.cells[7].backColor, t->game_->MarkColor);
  }) << 7 << digit;
  // A highlighted empty cell holds no digit: it has to stand out from a plain empty cell,
  // as a control's state does.
  QTest::addRow("highlighted line") << Setup([](ContrastTest* t) {
    t->Click(kFirstRowButton + 4);
  }) << kEmptyCentre << kEmptyCorner;
}

// Every figure is measured on the light desktop first; on the dark desktop it must reach
// the threshold wherever the light one does, and must not fall where the light one is short.
void ContrastTest::digitsReadOnTheDarkDesktopWhereTheyDoOnTheLight() {
  QFETCH(Setup, setup);
  QFETCH(int, cell);
  QFETCH(int, beside);
  const double enough = beside < 0 ? shell::kReadableText : shell::kDistinctState;
  std::vector<std::pair<QString, double>> figures;
  for (const auto& [desktop, palette] : {std::pair{"light", LightPalette()},
                                         std::pair{"dark", DarkPalette()}}) {
    Open(palette);
    setup(this);
    Settle();
    const Reading reading = Read(Grab(window_->Cell(cell)));
    double contrast = reading.contrast;
    QString what = QString("digit %1 on %2").arg(
        window_->Cell(cell)->palette().color(QPalette::Text).name(), Hex(reading.ground));
    if (beside >= 0) {
      const Rgb plain = Read(Grab(window_->Cell(beside))).ground;
      contrast = shell::ContrastRatio(reading.ground, plain);
      what = QString("highlight %1 beside empty cell %2").arg(Hex(reading.ground), Hex(plain));
    }
    qInfo("%s desktop: %s: %.2f : 1", desktop, qPrintable(what), contrast);
    figures.push_back({desktop, contrast});
  }
  const double light = figures[0].second;
  const double dark = figures[1].second;
  // A hair of slack for the edge pixels of glyphs drawn on different window colours.
  QVERIFY2(dark >= std::min(light, enough) * 0.98,
           qPrintable(QString("%1 : 1 on the dark desktop, %2 : 1 on the light one")
                          .arg(dark, 0, 'f', 2)
                          .arg(light, 0, 'f', 2)));
}

void ContrastTest::pressedButtonsStandOutOnBothDesktops_data() {
  QTest::addColumn<bool>("dark");
  QTest::addColumn<int>("gadget");
  const std::pair<const char*, int> gadgets[] = {
      {"number 5", kFirstNumberButton + 4}, {"X", kClearButton},
      {"column toggle", kFirstColumnButton + 2}, {"row toggle", kFirstRowButton + 6},
      {"M", kMarkButton}, {"navy square", kFirstColorButton + 5}};
  for (bool dark : {false, true}) {
    for (const auto& [name, id] : gadgets) {
      QTest::addRow("%s on the %s desktop", name, dark ? "dark" : "light") << dark << id;
    }
  }
}

// A pressed button's face stands apart from its raised face at 3 : 1, and a label on it
// reads at 4.5 : 1.
void ContrastTest::pressedButtonsStandOutOnBothDesktops() {
  QFETCH(bool, dark);
  QFETCH(int, gadget);
  Open(dark ? DarkPalette() : LightPalette());
  const bool square = gadget >= kFirstColorButton && gadget < kMarkButton;
  const auto face = [&](const QImage& image) {
    return square ? SquareRing(image) : Read(image).ground;
  };
  Settle();
  const QImage raised = Grab(window_->Gadget(gadget));
  Click(gadget);
  Settle();
  const QImage pressed = Grab(window_->Gadget(gadget));
  const double apart = shell::ContrastRatio(face(raised), face(pressed));
  qInfo("face raised %s, pressed %s: %.2f : 1", qPrintable(Hex(face(raised))),
        qPrintable(Hex(face(pressed))), apart);
  QVERIFY2(apart >= shell::kDistinctState, qPrintable(QString::number(apart)));
  if (!Button(gadget)->text().isEmpty()) {
    const double label = Read(pressed).contrast;
    qInfo("label on the pressed face: %.2f : 1", label);
    QVERIFY2(label >= shell::kReadableText, qPrintable(QString::number(label)));
  }
}

void ContrastTest::keyboardFocusStandsOutFromTheUnfocusedLook_data() {
  QTest::addColumn<bool>("dark");
  QTest::addColumn<int>("gadget");
  QTest::addColumn<bool>("pressed");
  // The empty cells take only a 5, and the number bar stands on 1: a focus leaves them empty.
  const std::tuple<const char*, int, bool> gadgets[] = {
      {"empty cell", kEmptyCentre, false}, {"given", 1, false},
      {"number 5", kFirstNumberButton + 4, false}, {"chosen number 1", kFirstNumberButton, true},
      {"X", kClearButton, false}, {"column toggle", kFirstColumnButton + 2, false},
      {"pressed row toggle", kFirstRowButton + 6, true}, {"M", kMarkButton, false},
      {"navy square", kFirstColorButton + 5, false}, {"chosen red square", kFirstColorButton, true}};
  for (bool dark : {false, true}) {
    for (const auto& [name, id, pressed] : gadgets) {
      QTest::addRow("%s on the %s desktop", name, dark ? "dark" : "light") << dark << id << pressed;
    }
  }
}

// The focus changes, at 3 : 1 or more, at least as many pixels as a line two pixels wide
// around the gadget holds, pixel for pixel against the same gadget unfocused.
void ContrastTest::keyboardFocusStandsOutFromTheUnfocusedLook() {
  QFETCH(bool, dark);
  QFETCH(int, gadget);
  QFETCH(bool, pressed);
  Open(dark ? DarkPalette() : LightPalette());
  if (pressed && gadget != kFirstNumberButton && gadget != kFirstColorButton) Click(gadget);
  Settle();
  const QImage unfocused = Grab(window_->Gadget(gadget));
  window_->Gadget(gadget)->setFocus(Qt::TabFocusReason);
  QCoreApplication::processEvents();
  window_->Render();
  QCoreApplication::processEvents();
  QVERIFY(window_->Gadget(gadget)->hasFocus());
  QCOMPARE(game_->window.cells[kEmptyCentre].text, "");
  const QImage focused = Grab(window_->Gadget(gadget));
  QCOMPARE(focused.size(), unfocused.size());
  int changed = 0;
  double least = 21;
  for (int y = 0; y < focused.height(); ++y) {
    for (int x = 0; x < focused.width(); ++x) {
      const double apart = shell::ContrastRatio(RgbOfPixel(focused.pixel(x, y)),
                                                RgbOfPixel(unfocused.pixel(x, y)));
      if (apart >= shell::kDistinctState) {
        ++changed;
        least = std::min(least, apart);
      }
    }
  }
  const int w = focused.width();
  const int h = focused.height();
  const int ring = w * h - (w - 4) * (h - 4);
  qInfo("%d of %d pixels changed at 3 : 1 or more (a two-pixel ring holds %d), the least by "
        "%.2f : 1", changed, w * h, ring, least);
  QVERIFY2(changed >= ring, qPrintable(QString("%1 pixels, not %2").arg(changed).arg(ring)));
}

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
