// A bare Qt window with a 9 x 9 grid of line edits: the start-up time and memory that the
// toolkit alone costs, as a yardstick for the game's own start-up.
#include <QApplication>
#include <QGridLayout>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare window");
  auto* grid = new QGridLayout(&window);
  for (int cell = 0; cell < 81; ++cell) {
    auto* edit = new QLineEdit(&window);
    edit->setMaxLength(1);
    edit->setFixedSize(24, 24);
    grid->addWidget(edit, cell / 9, cell % 9);
  }
  window.show();
  return application.exec();
}
