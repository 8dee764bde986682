#include <QApplication>

#include "form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fractions::TForm1 form;
  form.show();
  return app.exec();
}
