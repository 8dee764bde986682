#include <QApplication>
#include <QIcon>

#include "form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QIcon icon;
  icon.addFile(":/icons/fractions-32.png");
  icon.addFile(":/icons/fractions-64.png");
  QApplication::setWindowIcon(icon);
  fractions::TForm1 form;
  form.show();
  return app.exec();
}
