#include <QApplication>
#include <QIcon>

#include "form.h"
#include "french_translations.h"
#include "session_end.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  fractions::InstallFrenchTranslations(app);
  QIcon icon;
  icon.addFile(":/icons/fractions-32.png");
  icon.addFile(":/icons/fractions-64.png");
  QApplication::setWindowIcon(icon);
  fractions::TForm1 form;
  fractions::CloseOnSessionEnd(app, form);
  form.show();
  return app.exec();
}
