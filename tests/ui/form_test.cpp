// The window as a teacher meets it, driven through its controls by object
// name on the offscreen platform.
#include <QAbstractProxyModel>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "drawing/exercise_catalogue.h"
#include "drawing/exercise_options.h"
#include "richtext/rtf_reader.h"
#include "richtext/rtf_writer.h"
#include "ui/error_display.h"
#include "ui/form.h"
#include "ui/french_translations.h"
#include "ui/rich_edit_view.h"
#include "worksheet/sheet_build.h"
#include "worksheet/worksheet_build.h"

namespace fractions {

class FormTest : public QObject {
  Q_OBJECT

 private:
  template <typename Control>
  static Control* Find(TForm1& form, const char* name) {
    auto* control = form.findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
      qFatal("no control named %s", name);
    }
    return control;
  }

  // A window with its own settings file in a temporary folder, so that no
  // test reads what another wrote.
  std::unique_ptr<TForm1> ShownForm(const QString& settings_file = {}) {
    const QString file = settings_file.isEmpty() ? folder_.filePath("fresh.ini") : settings_file;
    QFile::remove(folder_.filePath("fresh.ini"));
    auto form = std::make_unique<TForm1>(nullptr, file.toStdString());
    form->show();
    QApplication::setActiveWindow(form.get());
    if (!QTest::qWaitForWindowActive(form.get())) {
      qWarning("window not active");
    }
    return form;
  }

  QString WriteSettings(const char* name, const QByteArray& text) {
    QFile file(folder_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
      qFatal("cannot write %s", name);
    }
    return file.fileName();
  }

  static QByteArray Sha256(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
  }

  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  QTemporaryDir folder_;

  // The pixels of a view painted in the selection's colour.
  static int HighlightedPixels(QWidget& view) {
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb highlight = view.palette().color(QPalette::Active, QPalette::Highlight).rgb();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        count += image.pixel(x, y) == highlight ? 1 : 0;
      }
    }
    return count;
  }

  // Chooses item `index` of the instruction list as the teacher does: with
  // the Down key, from the item above it.
  static void ChooseInstruction(QComboBox* combo, int index) {
    combo->setFocus();
    combo->setCurrentIndex(index - 1);  // set by the program: chooses nothing
    QTest::keyClick(combo, Qt::Key_Down);
  }

  // "Enregistrer" with the dialog answered by `chosen`; the error box's
  // text, if one shows (its icon in `icon` when asked).
  QString SaveAs(TForm1& form, const QString& chosen, QMessageBox::Icon* icon = nullptr) {
    QString error;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      dialog->selectFile(chosen);
      QMetaObject::invokeMethod(dialog, "accept");
      QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
          error = box->text();
          if (icon != nullptr) {
            *icon = box->icon();
          }
          box->accept();
        }
      });
    });
    QTest::mouseClick(Find<QPushButton>(form, "btnEnregistre"), Qt::LeftButton);
    return error;
  }

  static std::unique_ptr<QTextDocument> Read(const QString& file) {
    auto document = std::make_unique<QTextDocument>();
    QTextCursor cursor(document.get());
    InsertRtf(cursor, ReadAll(file).toStdString());
    return document;
  }

  static int PageBreaks(const QTextDocument& document) {
    int breaks = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      breaks +=
          (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) ? 1 : 0;
    }
    return breaks;
  }

  // Types `text` as a keyboard whose keys make any character would (QTest
  // knows ASCII keys only).
  static void TypeText(QWidget* field, const QString& text) {
    for (const char32_t c : text.toUcs4()) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUcs4(&c, 1));
      QApplication::sendEvent(field, &press);
    }
  }

  static QColor Lamp(TForm1& form) { return Find<TShape>(form, "Shape1")->BrushColor(); }

  // Clicks "Options…" and lets `act` work the dialog while it shows; `act`
  // ends it with OK or Annuler.
  static void WorkOptionsDialog(TForm1& form, const std::function<void(QDialog&)>& act) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      shown = true;
      act(*dialog);
    });
    QTest::mouseClick(Find<QPushButton>(form, "btnOptions"), Qt::LeftButton);
    QVERIFY(shown);
  }

  static void Choose(QDialog& dialog, const char* list, int index) {
    ChooseInstruction(dialog.findChild<QComboBox*>(list), index);
  }

  // A click on a check box's square, wherever its label ends.
  static void Tick(QDialog& dialog, const char* name) {
    auto* box = dialog.findChild<QCheckBox*>(name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }

  static void Press(QDialog& dialog, const char* text) {
    for (auto* button : dialog.findChildren<QPushButton*>()) {
      if (button->text() == text) {
        QTest::mouseClick(button, Qt::LeftButton);
        return;
      }
    }
    QFAIL(text);
  }

  // What the dialog's fields show, in their order.
  static QStringList Shown(QDialog& dialog) {
    QStringList shown;
    for (const char* name : {"Niveau", "Denominateurs", "Relatifs", "Mixtes", "SigneDivision",
                             "PlusPetitDenominateur", "GrandsCaracteres", "CorrigeDetaille"}) {
      if (auto* combo = dialog.findChild<QComboBox*>(name)) {
        shown << combo->currentText();
      } else if (auto* check = dialog.findChild<QCheckBox*>(name)) {
        shown << (check->isChecked() ? "1" : "0");
      } else {
        shown << QString("no field %1").arg(name);
      }
    }
    return shown;
  }

  // The text and pictures a view shows, to compare two views.
  static QString Content(const TRxRichEdit& view) {
    QString content = view.Text();
    const QTextDocument& document = *view.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isImageFormat()) {
          const QImage image =
              document.resource(QTextDocument::ImageResource,
                                QUrl(format.toImageFormat().name()))
                  .value<QImage>()
                  .convertToFormat(QImage::Format_RGB32);  // no padding bits
          content +=
              QString("[%1x%2:%3]")
                  .arg(image.width())
                  .arg(image.height())
                  .arg(qHashBits(image.constBits(), static_cast<size_t>(image.sizeInBytes())));
        }
      }
    }
    return content;
  }

 private slots:
  void initTestCase() { QVERIFY(InstallFrenchTranslations(*qApp)); }

  void firstStartShowsTheLayoutValues() {
    auto form = ShownForm();
    QCOMPARE(Find<QSpinBox>(*form, "spmaxvaleur")->value(), 100);
    QCOMPARE(Find<QSpinBox>(*form, "spmaxvaleur")->singleStep(), 100);
    QCOMPARE(Find<QSpinBox>(*form, "spMaxLigne")->value(), 25);
    QCOMPARE(Find<QSpinBox>(*form, "spinterligne")->value(), 1);
    QCOMPARE(Find<QSpinBox>(*form, "spSujets")->value(), 1);
    QCOMPARE(Find<QSpinBox>(*form, "spCorriges")->value(), 1);
    QCOMPARE(Find<QLineEdit>(*form, "eSepar")->text(), QString(123, '-'));
    QCOMPARE(Find<QComboBox>(*form, "Combo1")->currentText(), "Calculer (réponse irréductible)");
    QCOMPARE(Find<QComboBox>(*form, "Combo1")->count(), 3);
    QVERIFY(Find<QCheckBox>(*form, "CheckBox1")->isChecked());
    QVERIFY(!Find<QCheckBox>(*form, "ckbEdite")->isChecked());
    QCOMPARE(Find<QLabel>(*form, "Label10")->text(), "(123)");
    for (const char* name : {"btnImprime", "btnEnregistre", "btnApercu"}) {
      QVERIFY2(!Find<QPushButton>(*form, name)->isEnabled(), name);
    }
    QVERIFY(!Find<QPushButton>(*form, "btnRAZ")->isVisible());
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);
    QCOMPARE(Find<TRxRichEdit>(*form, "RxE1")->Text(), "     ");
    QVERIFY(!form->windowTitle().isEmpty());
    // No stored place yet: centred on the screen.
    const QPoint screen_centre = form->screen()->availableGeometry().center();
    // Centred to within the frame, which the platform adds after placing.
    QVERIFY((form->frameGeometry().center() - screen_centre).manhattanLength() <= 4);
  }

  void theGeneratorIsSeededBeforeTheFirstActivation() {
    const uint32_t before = TimeOfDaySeed();
    TForm1 form(nullptr, folder_.filePath("seed.ini").toStdString());
    const uint32_t after = TimeOfDaySeed();
    const uint32_t seed = static_cast<LcgRandom&>(form.Random()).Seed();
    QVERIFY2(
        before <= after ? (seed >= before && seed <= after) : (seed >= before || seed <= after),
        qPrintable(QString("seed %1 outside %2..%3").arg(seed).arg(before).arg(after)));
  }

  void everyExerciseButtonLoadsTheBuiltDocuments() {
    auto form = ShownForm();
    for (const ExerciseInfo& row : kExerciseCatalogue) {
      static_cast<LcgRandom&>(form->Random()).SetSeed(4242);
      const std::string name(row.button_name);
      if (row.button_place.in_menu) {
        Find<QAction>(*form, name.c_str())->trigger();  // an entry of "Autres…"
      } else {
        QTest::mouseClick(Find<QPushButton>(*form, name.c_str()), Qt::LeftButton);
      }

      const SheetDocuments expected = BuildSeededSheet({{row.type, form->CurrentSettings()}}, 4242);
      TRxRichEdit subject;
      subject.ClearView();
      LoadRtfIntoView(subject, expected.subject);
      TRxRichEdit answer_key;
      answer_key.ClearView();
      LoadRtfIntoView(answer_key, expected.answer_key);
      QCOMPARE(Content(*Find<TRxRichEdit>(*form, "RxE1")), Content(subject));
      QCOMPARE(Content(*Find<TRxRichEdit>(*form, "RxE2")), Content(answer_key));
      QCOMPARE(form->DocumentName(), expected.name);
      QVERIFY(Find<QPushButton>(*form, "btnImprime")->isEnabled());
      QCOMPARE(Lamp(*form), TForm1::kLampGreen);
    }
  }

  void theLampFollowsTheSettings() {
    auto form = ShownForm();
    QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);
    QTest::keyClicks(Find<QLineEdit>(*form, "eTitre1"), "x");
    QCOMPARE(Lamp(*form), TForm1::kLampRed);
    QTest::mouseClick(Find<QPushButton>(*form, "btnMult"), Qt::LeftButton);
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);
    // Copy counts and edit mode leave it alone.
    Find<QSpinBox>(*form, "spSujets")->setValue(3);
    Find<QCheckBox>(*form, "ckbEdite")->setChecked(true);
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);
    // The separator switch greys out its line and turns the lamp red.
    auto* separator_on = Find<QCheckBox>(*form, "CheckBox1");
    separator_on->setChecked(false);
    QVERIFY(!Find<QLineEdit>(*form, "eSepar")->isEnabled());
    QCOMPARE(Lamp(*form), TForm1::kLampRed);
    separator_on->setChecked(true);
    QVERIFY(Find<QLineEdit>(*form, "eSepar")->isEnabled());
    QCOMPARE(Lamp(*form), TForm1::kLampRed);
    // The separator's length shows beside it.
    Find<QLineEdit>(*form, "eSepar")->clear();
    QCOMPARE(Find<QLabel>(*form, "Label10")->text(), "(0)");
  }

  void theLargestTermStepsByHundredsOrUnits() {
    auto form = ShownForm();
    auto* spin = Find<QSpinBox>(*form, "spmaxvaleur");
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_Down);
    QCOMPARE(spin->value(), 9);
    QList<int> seen;
    for (int i = 0; i < 5; ++i) {
      QTest::keyClick(spin, Qt::Key_Up);
      seen << spin->value();
    }
    QCOMPARE(seen, QList<int>({109, 209, 309, 409, 500}));
    QTest::keyClicks(spin, "12");  // typing is refused
    QCOMPARE(spin->value(), 500);
    QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::RightButton);
    QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::MiddleButton);
    QCOMPARE(spin->singleStep(), 100);  // only a left click switches
    QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::LeftButton);
    QCOMPARE(spin->singleStep(), 1);
    QTest::mouseClick(spin->findChild<QLineEdit*>(), Qt::LeftButton);
    QCOMPARE(spin->singleStep(), 100);
  }

  void editModeOpensTheViews() {
    auto form = ShownForm();
    QTest::mouseClick(Find<QPushButton>(*form, "btnSimplif"), Qt::LeftButton);
    auto* subject = Find<TRxRichEdit>(*form, "RxE1");
    QVERIFY(subject->isReadOnly());
    QApplication::setActiveWindow(form.get());
    subject->setFocus();
    QTest::keyClicks(subject, "zz");
    QVERIFY(!subject->Text().contains("zz"));
    Find<QCheckBox>(*form, "ckbEdite")->setChecked(true);
    QVERIFY(!subject->isReadOnly());
    QVERIFY(!Find<TRxRichEdit>(*form, "RxE2")->isReadOnly());
    QApplication::setActiveWindow(form.get());
    subject->setFocus();
    subject->selectAll();
    QTest::keyClick(subject, Qt::Key_Delete);
    QVERIFY(!Find<QPushButton>(*form, "btnImprime")->isEnabled());
    QTest::keyClicks(subject, "a");
    QVERIFY(Find<QPushButton>(*form, "btnImprime")->isEnabled());
  }

  void instructionTextsAreAddedAndDeleted() {
    auto form = ShownForm();
    auto* combo = Find<QComboBox>(*form, "Combo1");
    Find<QLineEdit>(*form, "eTitre1")->setText("changed");  // lamp red
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      QCOMPARE(dialog->windowTitle(), "Nouveau texte");
      QCOMPARE(dialog->labelText(), "Entrez votre texte");
      // Its title whole, and 60 characters of a long instruction in sight.
      QVERIFY2(dialog->width() >= 450, qPrintable(QString::number(dialog->width()) + " min " +
                                                  QString::number(dialog->minimumWidth())));
      auto* field = dialog->findChild<QLineEdit*>();
      const QString sixty = "Calculer puis simplifier chaque résultat (fraction réduite).";
      QCOMPARE(sixty.size(), 60);
      QVERIFY(field->contentsRect().width() >= field->fontMetrics().horizontalAdvance(sixty));
      TypeText(field, QStringLiteral("→"));  // no document could hold it
      QCOMPARE(field->text(), QString());
      QVERIFY(field->findChild<QLabel*>("RefusalHint")->isVisible());
      dialog->setTextValue("Calculer en détaillant");
      dialog->accept();
    });
    QTest::mouseClick(Find<QPushButton>(*form, "btnNouvTexte"), Qt::LeftButton);
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->itemText(3), "Calculer en détaillant");
    QCOMPARE(combo->currentText(), "Calculer en détaillant");
    // Back from the box: an activation. (A window manager gives the focus
    // back; on the offscreen platform the test does.)
    form->activateWindow();
    QTRY_COMPARE(Lamp(*form), TForm1::kLampGreen);

    ChooseInstruction(combo, 0);
    QTest::mouseClick(Find<QPushButton>(*form, "btnEffaceTexte"), Qt::LeftButton);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->itemText(0), "Simplifier (réponse irréductible)");
    // The box still shows the text it showed.
    QCOMPARE(combo->currentText(), "Calculer (réponse irréductible)");
    // No longer than the command line takes.
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), QString(300, 'x'));
    QCOMPARE(combo->currentText(), QString(255, 'x'));
  }

  void eraseDeletesOnlyAnItemChosenFromTheList() {
    struct Case {
      const char* what;
      QByteArray settings;
      std::function<void(QComboBox*)> act;
      QStringList items_after;
      QString shown_after;
    };
    const QString calculer = "Calculer (réponse irréductible)";
    const QString simplifier = "Simplifier (réponse irréductible)";
    const QString reduire = "Réduire au plus petit dénominateur commun";
    const auto type = [](QComboBox* combo, const char* text) {
      combo->setFocus();
      QTest::keyClicks(combo->lineEdit(), text);
    };
    const Case cases[] = {
        {"a restored text",
         "[TForm1]\r\nCombo1_Text=Mon texte\r\n",
         [](QComboBox*) {},
         {calculer, simplifier, reduire},
         "Mon texte"},
        {"a typed text",
         {},
         [&](QComboBox* combo) { type(combo, " et plus"); },
         {calculer, simplifier, reduire},
         calculer + " et plus"},
        {"a chosen item then typed",
         {},
         [&](QComboBox* combo) {
           ChooseInstruction(combo, 1);
           type(combo, "!");
         },
         {calculer, simplifier, reduire},
         simplifier + "!"},
        {"a chosen item",
         {},
         [](QComboBox* combo) { ChooseInstruction(combo, 1); },
         {calculer, reduire},
         simplifier},
    };
    for (const Case& c : cases) {
      const QString file = WriteSettings("erase.ini", c.settings);
      auto form = ShownForm(file);
      auto* combo = Find<QComboBox>(*form, "Combo1");
      c.act(combo);
      auto* erase = Find<QPushButton>(*form, "btnEffaceTexte");
      QTest::mouseClick(erase, Qt::LeftButton);
      QTest::mouseClick(erase, Qt::LeftButton);  // a second click chooses nothing more
      QStringList items;
      for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
      }
      QVERIFY2(items == c.items_after, c.what);
      QVERIFY2(combo->currentText() == c.shown_after, c.what);
    }
  }

  void settingsSurviveARestart() {
    const QString file = folder_.filePath("restart.ini");
    {
      auto form = ShownForm(file);
      Find<QSpinBox>(*form, "spmaxvaleur")->setValue(250);
      Find<QSpinBox>(*form, "spSujets")->setValue(30);
      Find<QLineEdit>(*form, "eTitre1")->setText("Classe de 5e B   ");
      Find<QCheckBox>(*form, "CheckBox1")->setChecked(false);
      Find<QCheckBox>(*form, "ckbEdite")->setChecked(true);
      Find<QCheckBox>(*form, "ckbVariantes")->setChecked(true);
      Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
      auto* combo = Find<QComboBox>(*form, "Combo1");
      combo->addItem("\"Entre guillemets\"");
      combo->setEditText("\"Entre guillemets\"");
      form->resize(700, 450);
      form->move(40, 30);
      QVERIFY(form->close());
      const QByteArray saved = ReadAll(file);
      QVERIFY(saved.startsWith("[TForm1]\r\nFormVersion=0\r\n"));
      QVERIFY(saved.contains("spSujets_Value=30\r\n"));
      QVERIFY(saved.contains("\r\nckbVariantes_Checked=True\r\nckbSuite_Checked=True\r\n"));
      QVERIFY(saved.contains("[TForm1.Combo1_Items]\r\nCount=4\r\n"));
    }
    auto form = ShownForm(file);
    QCOMPARE(Find<QSpinBox>(*form, "spmaxvaleur")->value(), 250);
    QCOMPARE(Find<QSpinBox>(*form, "spSujets")->value(), 30);
    QCOMPARE(Find<QLineEdit>(*form, "eTitre1")->text(), "Classe de 5e B");
    QVERIFY(!Find<QCheckBox>(*form, "CheckBox1")->isChecked());
    QVERIFY(!Find<QLineEdit>(*form, "eSepar")->isEnabled());
    QVERIFY(!Find<TRxRichEdit>(*form, "RxE1")->isReadOnly());  // edit mode came back
    QVERIFY(Find<QCheckBox>(*form, "ckbVariantes")->isChecked());
    QVERIFY(Find<QCheckBox>(*form, "ckbSuite")->isChecked());
    QCOMPARE(Find<QComboBox>(*form, "Combo1")->count(), 4);
    QCOMPARE(Find<QComboBox>(*form, "Combo1")->currentText(), "\"Entre guillemets\"");
    QCOMPARE(form->size(), QSize(700, 450));
    QCOMPARE(form->pos(), QPoint(40, 30));
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);  // the activation after the restore
  }

  // The dialog in French: a level fills the fields and "Max valeur", a
  // field changed by hand makes the level "Libre", Annuler changes nothing,
  // and the options come back at the next start.
  void theOptionsDialogFillsAndKeepsTheOptions() {
    const QString file = folder_.filePath("options.ini");
    {
      auto form = ShownForm(file);
      QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
      WorkOptionsDialog(*form, [](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), "Options des exercices");
        QCOMPARE(Shown(dialog),
                 QStringList({"Libre", "quelconques", "0", "0", ":", "0", "0", "0"}));
        // Large print and the worked key are how the sheet is set, not a
        // programme: a level leaves them, and they leave the level.
        Tick(dialog, "GrandsCaracteres");
        Choose(dialog, "Niveau", 4);  // 4e
        QCOMPARE(Shown(dialog), QStringList({"4e", "quelconques", "1", "0", "÷", "1", "1", "0"}));
        Tick(dialog, "CorrigeDetaille");
        QCOMPARE(Shown(dialog), QStringList({"4e", "quelconques", "1", "0", "÷", "1", "1", "1"}));
        QTest::mouseClick(dialog.findChild<QCheckBox*>("Mixtes"), Qt::LeftButton);
        QCOMPARE(Shown(dialog),
                 QStringList({"Libre", "quelconques", "1", "1", "÷", "1", "1", "1"}));
        Choose(dialog, "Niveau", 2);  // 6e
        Tick(dialog, "GrandsCaracteres");
        Tick(dialog, "GrandsCaracteres");
        QCOMPARE(Shown(dialog),
                 QStringList({"6e", "l'un multiple de l'autre", "0", "1", ":", "1", "1", "1"}));
        for (const char* name : {"Denominateurs", "Relatifs", "Mixtes", "PlusPetitDenominateur"}) {
          QVERIFY2(dialog.findChild<QWidget*>(name)->toolTip().contains("Bouton"), name);
        }
        Press(dialog, "OK");
      });
      QCOMPARE(Find<QSpinBox>(*form, "spmaxvaleur")->value(), 20);
      QCOMPARE(Lamp(*form), TForm1::kLampRed);
      ExerciseOptions sixth_large = FindLevelPreset(Level::k6e)->options;
      sixth_large.large_print = true;
      sixth_large.worked = true;
      QCOMPARE(form->CurrentSettings().options, sixth_large);
      WorkOptionsDialog(*form, [](QDialog& dialog) {
        Choose(dialog, "Niveau", 5);
        Press(dialog, "Annuler");
      });
      QCOMPARE(form->CurrentSettings().options.level, Level::k6e);
      Find<QSpinBox>(*form, "spmaxvaleur")->setValue(50);
      QVERIFY(form->close());
      QVERIFY(
          ReadAll(file).endsWith("[Options]\r\nNiveau=6e\r\nDenominateurs=1\r\nRelatifs=0\r\n"
                                 "Mixtes=1\r\nSigneDivision=0\r\nPlusPetitDenominateur=1\r\n"
                                 "GrandsCaracteres=1\r\nCorrigeDetaille=1\r\n"));
    }
    auto form = ShownForm(file);
    WorkOptionsDialog(*form, [](QDialog& dialog) {
      QCOMPARE(Shown(dialog),
               QStringList({"6e", "l'un multiple de l'autre", "0", "1", ":", "1", "1", "1"}));
      Press(dialog, "OK");  // the level shown, not chosen again: "Max valeur" stays
    });
    QCOMPARE(Find<QSpinBox>(*form, "spmaxvaleur")->value(), 50);
  }

  // "Options…", "Ajouter à la suite" and "Autres…" sit in the free strip
  // under the answer key: from the smallest size up they touch no other
  // control, and they come right after "Sujets différents" in the tab
  // order, the others keeping theirs. "Autres…" waits, greyed, for kinds of
  // the menu.
  void theStripUnderTheAnswerKeyTouchesNoControlAndTabsAfterTheSetBox() {
    auto form = ShownForm();
    struct Control {
      QWidget* widget;
      QString text, hint;
      QRect box;
    };
    auto* suite = Find<QCheckBox>(*form, "ckbSuite");
    auto* options = Find<QPushButton>(*form, "btnOptions");
    auto* others = Find<QPushButton>(*form, "btnAutres");
    const Control controls[] = {
        {others, others->text(), "Autres sortes d'exercices", {240, 367, 55, 22}},
        {options, options->text(), "Niveau et options des exercices", {8, 367, 75, 22}},
        {suite,
         suite->text(),
         "Le prochain exercice s'ajoute à la feuille au lieu de la remplacer",
         {92, 369, 140, 17}},
    };
    QCOMPARE(options->text(), "Options…");
    QCOMPARE(suite->text(), "Ajouter à la suite");
    QCOMPARE(others->text(), "Autres…");
    QVERIFY(others->isEnabled());
    // Greyed, with its reason, while no kind stands in the menu.
    form->SetExerciseRows(ExerciseRows(kExerciseCatalogue).first(7));
    QVERIFY(!others->isEnabled());
    QCOMPARE(others->toolTip(), "Pas encore d'autres sortes d'exercices");
    form->SetExerciseRows(kExerciseCatalogue);
    const QSize smallest = form->minimumSize();
    for (const QSize& size : {smallest, smallest + QSize(30, 17), TForm1::kDesignClient,
                              TForm1::kDesignClient + QSize(200, 150)}) {
      form->resize(size);
      for (const Control& control : controls) {
        QCOMPARE(control.widget->toolTip(), control.hint);
        if (size == TForm1::kDesignClient) {
          QCOMPARE(control.widget->geometry(), control.box);
        }
        for (QWidget* other : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
          if (other != control.widget && other->isVisible() && other->objectName() != "Panel3") {
            QVERIFY2(!other->geometry().intersects(control.widget->geometry()),
                     qPrintable(control.text + " / " + other->objectName()));
          }
        }
      }
    }
    const QStringList expected = {
        "spmaxvaleur",  "spMaxLigne",    "btnPlus",        "RxE1",       "RxE2",     "btnImprime",
        "spinterligne", "btnMoins",      "eTitre1",        "eSepar",     "btnMult",  "btnDivise",
        "btnRAZ",       "spSujets",      "ckbVariantes",   "btnOptions", "ckbSuite", "btnAutres",
        "spCorriges",   "btnEnregistre", "btnPuiss",       "btnSimplif", "btnReduc", "CheckBox1",
        "Combo1",       "btnNouvTexte",  "btnEffaceTexte", "btnApercu",  "ckbEdite", "btnChoixImp"};
    QStringList order;
    QWidget* widget = Find<QWidget>(*form, "spmaxvaleur");
    do {
      if (expected.contains(widget->objectName()) && !order.contains(widget->objectName())) {
        order << widget->objectName();
      }
      widget = widget->nextInFocusChain();
    } while (widget != Find<QWidget>(*form, "spmaxvaleur"));
    QCOMPARE(order, expected);
  }

  void damagedOrForeignSettingsFallBackToTheLayout() {
    struct Case {
      const char* what;
      QByteArray file;
      const char* control;
      QVariant expected;
    };
    const QByteArray section = "[TForm1]\r\n";
    const Case cases[] = {
        {"not a number", section + "spMaxLigne_Value=abc\r\n", "spMaxLigne", 1},
        {"empty", section + "spMaxLigne_Value=\r\n", "spMaxLigne", 1},
        {"too large", section + "spmaxvaleur_Value=900\r\n", "spmaxvaleur", 500},
        {"missing", section + "spmaxvaleur_Value=300\r\n", "spMaxLigne", 25},
        {"false", section + "CheckBox1_Checked=false\r\n", "CheckBox1", false},
        {"not a yes/no", section + "CheckBox1_Checked=0\r\n", "CheckBox1", true},
        {"quoted", section + "Combo1_Text=\"\"Cite\"\"\r\n", "Combo1", "\"Cite\""},
        {"version -1", "[TForm1]\r\nFormVersion=-1\r\nspmaxvaleur_Value=300\r\n", "spmaxvaleur",
         100},
        {"garbage", QByteArray("\0\x01[[[=\xFF\r\r\n", 9), "spmaxvaleur", 100},
        // Edges whose width and height no 32-bit number holds: the place is
        // not restored, the values are.
        {"placement beyond 32 bits",
         section +
             "NormPos=-2147483648,-2147483648,2147483647,2147483647\r\nspMaxLigne_Value=7\r\n",
         "spMaxLigne", 7},
    };
    for (const Case& c : cases) {
      const QString file = WriteSettings("case.ini", c.file);
      auto form = ShownForm(file);
      QWidget* control = Find<QWidget>(*form, c.control);
      QVariant actual;
      if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        actual = spin->value();
      } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        actual = box->isChecked();
      } else {
        actual = qobject_cast<QComboBox*>(control)->currentText();
      }
      QVERIFY2(actual == c.expected, c.what);
    }
  }

  // Accented texts are Windows-1252 in the file, one byte each, and come
  // back as typed at every start; so does a list line with blanks around it.
  void accentsAndBlanksComeBackAtEveryStart() {
    const QString file = folder_.filePath("accents.ini");
    const QString title = "Prénom : élève";
    const QString separator = "é-é-é";
    const QString line = "  Réduire, deux blancs  ";
    {
      auto form = ShownForm(file);
      Find<QLineEdit>(*form, "eTitre1")->setText(title);
      Find<QLineEdit>(*form, "eSepar")->setText(separator);
      Find<QComboBox>(*form, "Combo1")->addItem(line);
      QVERIFY(form->close());
    }
    for (int start = 1; start <= 2; ++start) {
      const QByteArray saved = ReadAll(file);
      QVERIFY(saved.contains("\r\neTitre1_Text=Pr\xE9nom : \xE9l\xE8ve\r\n"));
      QVERIFY(saved.contains("\r\neSepar_Text=\xE9-\xE9-\xE9\r\n"));
      QVERIFY(
          saved.contains("\r\nItem3=\"  R\xE9"
                         "duire, deux blancs  \"\r\n"));
      auto form = ShownForm(file);
      QCOMPARE(Find<QLineEdit>(*form, "eTitre1")->text(), title);
      QCOMPARE(Find<QLineEdit>(*form, "eSepar")->text(), separator);
      QCOMPARE(Find<QComboBox>(*form, "Combo1")->itemText(3), line);
      QVERIFY(form->close());
    }
  }

  void anEmptiedListComesBackBuiltIn() {
    const QString file = folder_.filePath("list.ini");
    {
      auto form = ShownForm(file);
      auto* combo = Find<QComboBox>(*form, "Combo1");
      while (combo->count() > 0) {
        ChooseInstruction(combo, 0);
        QTest::mouseClick(Find<QPushButton>(*form, "btnEffaceTexte"), Qt::LeftButton);
      }
      QVERIFY(form->close());
      QVERIFY(!ReadAll(file).contains("Combo1_Items"));
    }
    auto form = ShownForm(file);
    QCOMPARE(Find<QComboBox>(*form, "Combo1")->count(), 3);
  }

  void aPlacementFromAnotherScreenSizeUsesTheGeneralKeys() {
    const QString file = WriteSettings(
        "screen.ini",
        "[TForm1]\r\nNormPos(12345x678)=1,2,800,500\r\nNormPos=60,50,760,500\r\n"
        "PixelsPerInch=" +
            QByteArray::number(qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch())) +
            "\r\n");
    auto form = ShownForm(file);
    QCOMPARE(form->frameGeometry(), QRect(60, 50, 700, 450));
  }

  void savingAsksForANameAndWritesThePair() {
    auto form = ShownForm();
    QTest::mouseClick(Find<QPushButton>(*form, "btnPuiss"), Qt::LeftButton);
    const QString proposed = QString::fromStdString(form->DocumentName()) + ".rtf";
    QString shown;
    const QString chosen = folder_.filePath("feuille");
    const QString empty_file = folder_.filePath("vide.txt");
    QVERIFY(QFile(empty_file).open(QIODevice::WriteOnly));
    QString size;
    QString date;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      shown = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
      // Qt's own dialog, in French whatever the system's language.
      QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
      QCOMPARE(dialog->findChild<QLabel*>("lookInLabel")->text(), "Voir dans :");
      // Sizes and dates in French too, once the folder is read.
      dialog->setDirectory(folder_.path());
      const auto* files = dialog->findChild<QFileSystemModel*>();
      const auto detail = [&](int column) {
        const QModelIndex file = files->index(empty_file).siblingAtColumn(column);
        return dialog->proxyModel()->mapFromSource(file).data().toString();
      };
      static_cast<void>(QTest::qWaitFor([&] { return !detail(1).isEmpty(); }));
      size = detail(1);
      date = detail(3);
      dialog->selectFile(chosen);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    QTest::mouseClick(Find<QPushButton>(*form, "btnEnregistre"), Qt::LeftButton);
    QCOMPARE(shown, proposed);
    QCOMPARE(size, "0 octet");
    QVERIFY2(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d$").match(date).hasMatch(),
             qPrintable(date));
    QVERIFY(QFile::exists(chosen + ".rtf"));
    QVERIFY(QFile::exists(chosen + "_Cor.rtf"));
    QVERIFY(Find<TRxRichEdit>(*form, "RxE1")->textCursor().hasSelection());
    // Both views keep the whole text selected, but only the one with the
    // focus shows it.
    auto* subject = Find<TRxRichEdit>(*form, "RxE1");
    QCOMPARE(HighlightedPixels(*subject), 0);
    QCOMPARE(HighlightedPixels(*Find<TRxRichEdit>(*form, "RxE2")), 0);
    QApplication::setActiveWindow(form.get());
    subject->setFocus();
    QTRY_VERIFY(HighlightedPixels(*subject) > 1000);

    // Cancelling writes nothing.
    QFile::remove(chosen + ".rtf");
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QTest::mouseClick(Find<QPushButton>(*form, "btnEnregistre"), Qt::LeftButton);
    QVERIFY(!QFile::exists(chosen + ".rtf"));
  }

  // A "<" that opens no tag is text; a tag beside it still works.
  void typedLessThanSignsStayInTheWorksheet() {
    auto form = ShownForm();
    QLineEdit* instruction = Find<QComboBox>(*form, "Combo1")->lineEdit();
    instruction->clear();
    QTest::keyClicks(instruction, "Comparer : 1/2 < 3/4 et 5/4 > 1 puis <b>calculer");
    QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
    const QTextCursor found = Find<TRxRichEdit>(*form, "RxE1")
                                  ->document()
                                  ->find("Comparer : 1/2 < 3/4 et 5/4 > 1 puis calculer");
    QVERIFY(!found.isNull());
    QCOMPARE(found.charFormat().fontWeight(), QFont::Bold);  // at its end: "calculer"
  }

  // Every field that feeds the documents refuses, typed or pasted, a
  // character Windows-1252 cannot hold: the field keeps its text and a
  // hint names the character; the accents and "€" of Windows-1252 pass.
  void charactersTheDocumentsCannotHoldAreRefused() {
    auto form = ShownForm();
    QLineEdit* fields[] = {Find<QLineEdit>(*form, "eTitre1"), Find<QLineEdit>(*form, "eSepar"),
                           Find<QComboBox>(*form, "Combo1")->lineEdit()};
    for (QLineEdit* field : fields) {
      field->setFocus();
      field->setText("5e B");
      auto* hint = field->findChild<QLabel*>("RefusalHint");
      QVERIFY(hint != nullptr && !hint->isVisible());
      TypeText(field, QStringLiteral("→"));
      QCOMPARE(field->text(), "5e B");
      QVERIFY(hint->isVisible());
      QVERIFY2(hint->text().contains("« → »") && hint->text().contains("<sup>e</sup>"),
               qPrintable(hint->text()));
      QApplication::clipboard()->setText(QStringLiteral("5ᵉ B"));
      QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(field->text(), "5e B");
      QVERIFY(hint->text().contains("« ᵉ »"));
      TypeText(field, QStringLiteral(" é€"));
      QCOMPARE(field->text(), "5e B é€");
      QVERIFY(hint->isVisible());  // typing on leaves it to be read
      Find<QSpinBox>(*form, "spmaxvaleur")->setFocus();
      QVERIFY(!hint->isVisible());
    }
  }

  void aSetOfDifferentWorksheetsIsSavedOnePerPage() {
    auto form = ShownForm();
    auto* box = Find<QCheckBox>(*form, "ckbVariantes");
    box->setChecked(true);
    QVERIFY(Find<QPushButton>(*form, "btnEnregistre")->toolTip().contains("un par page"));
    static_cast<LcgRandom&>(form->Random()).SetSeed(4242);
    QTest::mouseClick(Find<QPushButton>(*form, "btnMoins"), Qt::LeftButton);
    auto* subject = Find<TRxRichEdit>(*form, "RxE1");
    QTextCursor(subject->document()).insertText("Prénom de l'élève ");  // a hand edit
    Find<QSpinBox>(*form, "spSujets")->setValue(3);
    Find<QSpinBox>(*form, "spCorriges")->setValue(0);  // keys are saved whatever it says
    QCOMPARE(SaveAs(*form, folder_.filePath("classe")), QString());

    const auto subjects = Read(folder_.filePath("classe.rtf"));
    const auto answer_keys = Read(folder_.filePath("classe_Cor.rtf"));
    QCOMPARE(PageBreaks(*subjects), 2);
    QCOMPARE(PageBreaks(*answer_keys), 2);
    const QString text = subjects->toPlainText();
    QVERIFY(text.startsWith("Prénom de l'élève " + QString::fromStdString(form->DocumentName())));
    QVERIFY(text.contains("Sujet 2/3") && text.contains("Sujet 3/3"));
    // Worksheet 1 is marked too where its header still opens with its name:
    // the key; the subject's hand edit stays as typed.
    QVERIFY(!text.contains("Sujet 1/3"));
    const QString name = QString::fromStdString(form->DocumentName());
    QVERIFY(answer_keys->toPlainText().startsWith(name + " - Corrigé 1/3 - "));
    QVERIFY(answer_keys->toPlainText().contains("Corrigé 3/3"));
    QVERIFY(!Find<TRxRichEdit>(*form, "RxE2")->Text().contains("1/3"));  // the view as it was
    // Pinned: the seeds the set takes after the views' run, and what they draw.
    QCOMPARE(Sha256(ReadAll(folder_.filePath("classe.rtf"))),
             "8336c7b5edc2e83107428a2370036d174bd36052ab8e7634044a90780a129a47");
    QCOMPARE(Sha256(ReadAll(folder_.filePath("classe_Cor.rtf"))),
             "29015c76a9640f18019e60175b79025b67da20ee00628b301c102717d69a7c44");

    // More than a set may hold: refused, nothing written.
    QFile::remove(folder_.filePath("classe.rtf"));
    Find<QSpinBox>(*form, "spSujets")->setValue(101);
    QCOMPARE(SaveAs(*form, folder_.filePath("classe")),
             "« Sujets différents » : au plus 100 sujets, et non 101.");
    QVERIFY(!QFile::exists(folder_.filePath("classe.rtf")));
  }

  // A set whose settings give fewer questions than twice a worksheet's is
  // saved all the same, and an information box says how many questions they
  // give (simplification up to 9: 72 fractions) and how many two worksheets
  // share; with twice as many, nothing is said.
  void aSetOfFewQuestionsIsSavedAndTheTeacherIsTold() {
    struct Case {
      int count;
      QString told;
    };
    const Case cases[] = {
        {37,
         "Attention : ces réglages ne donnent que 72 questions différentes ; deux sujets de 37 "
         "questions en ont en moyenne 19 en commun."},
        {36, QString()},
    };
    auto form = ShownForm();
    Find<QCheckBox>(*form, "ckbVariantes")->setChecked(true);
    Find<QSpinBox>(*form, "spmaxvaleur")->setValue(9);
    Find<QSpinBox>(*form, "spSujets")->setValue(3);
    for (const Case& c : cases) {
      Find<QSpinBox>(*form, "spMaxLigne")->setValue(c.count);
      QTest::mouseClick(Find<QPushButton>(*form, "btnSimplif"), Qt::LeftButton);
      const QString file = folder_.filePath(QStringLiteral("classe%1").arg(c.count));
      QMessageBox::Icon icon = QMessageBox::NoIcon;
      QCOMPARE(SaveAs(*form, file, &icon), c.told);
      QCOMPARE(icon, c.told.isEmpty() ? QMessageBox::NoIcon : QMessageBox::Information);
      QCOMPARE(PageBreaks(*Read(file + ".rtf")), 2);  // the set of three, saved
    }
  }

  // A tab or a line end pasted into the title, the separator or the
  // instruction parts the words on the worksheet as a space does.
  void aTabOrALineEndPastedInATextLineIsASpace() {
    auto form = ShownForm();
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(1);
    const std::pair<QLineEdit*, QString> fields[] = {
        {Find<QLineEdit>(*form, "eTitre1"), "Nom :\tClasse :"},
        {Find<QLineEdit>(*form, "eSepar"), "- -\r\n- -"},
        {Find<QComboBox>(*form, "Combo1")->lineEdit(), "Simplifier\npuis\tvérifier"},
    };
    for (const auto& [field, text] : fields) {
      field->clear();
      QApplication::clipboard()->setText(text);
      field->paste();
    }
    QTest::mouseClick(Find<QPushButton>(*form, "btnSimplif"), Qt::LeftButton);
    const QString shown = Find<TRxRichEdit>(*form, "RxE1")->Text();
    for (const QString words : {"Nom : Classe :", "- - - -", "Simplifier puis vérifier"}) {
      QVERIFY2(shown.contains(words), qPrintable(shown));
    }
  }

  // "+", then "Ajouter à la suite", then "S" and "R": the views hold the
  // sheet the three exercises make when built at once from the same seed,
  // each exercise with the settings of its own click, and the hand edit
  // typed above the first instruction stays above its heading.
  void exercisesAddedToTheViewsMakeTheComposedSheet() {
    auto form = ShownForm();
    auto* count = Find<QSpinBox>(*form, "spMaxLigne");
    auto* instruction = Find<QComboBox>(*form, "Combo1");
    auto* subject = Find<TRxRichEdit>(*form, "RxE1");
    auto* answer_key = Find<TRxRichEdit>(*form, "RxE2");
    const auto click = [&](const char* button) {
      QTest::mouseClick(Find<QPushButton>(*form, button), Qt::LeftButton);
    };
    static_cast<LcgRandom&>(form->Random()).SetSeed(4242);
    count->setValue(3);
    instruction->setEditText("<i>Calculer");  // left open: must end with its exercise
    click("btnPlus");
    Sheet sheet = {{ExerciseType::kAddition, form->CurrentSettings()}};
    const QString note = "Devoir du lundi";
    for (TRxRichEdit* view : {subject, answer_key}) {
      QTextCursor(view->document()).insertText(note + "\n");  // typed above everything
    }
    Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
    count->setValue(2);
    instruction->setEditText("Simplifier");
    click("btnSimplif");
    sheet.push_back({ExerciseType::kSimplification, form->CurrentSettings()});
    count->setValue(4);
    instruction->setEditText("Réduire");
    click("btnReduc");
    sheet.push_back({ExerciseType::kCommonDenominator, form->CurrentSettings()});

    const SheetDocuments expected = BuildSeededSheet(sheet, 4242);
    QCOMPARE(form->DocumentName(), expected.name);
    for (const auto& [view, rtf] :
         {std::pair{subject, &expected.subject}, std::pair{answer_key, &expected.answer_key}}) {
      TRxRichEdit built;
      built.ClearView();
      LoadRtfIntoView(built, *rtf);
      QTextCursor(built.document()).insertText(note + "\n");
      QCOMPARE(Content(*view), Content(built));
      QCOMPARE(QString::fromStdString(WriteRtf(*view->document())),
               QString::fromStdString(WriteRtf(*built.document())));
    }
    const QTextCursor heading = subject->document()->find("Exercice 1");
    QCOMPARE(heading.charFormat().fontWeight(), QFont::Bold);
    QCOMPARE(heading.charFormat().fontPointSize(), 10.0);

    // A class set redraws every exercise with its own settings: three
    // sheets of 3 + 2 + 4 questions under their headings and instructions.
    Find<QCheckBox>(*form, "ckbVariantes")->setChecked(true);
    Find<QSpinBox>(*form, "spSujets")->setValue(3);
    QCOMPARE(SaveAs(*form, folder_.filePath("controle")), QString());
    for (const char* file : {"controle.rtf", "controle_Cor.rtf"}) {
      const auto set = Read(folder_.filePath(file));
      QCOMPARE(PageBreaks(*set), 2);
      const QString text = set->toPlainText();
      QCOMPARE(text.count(QChar::ObjectReplacementCharacter), 3 * (3 + 2 + 4));
      const QRegularExpression sheet(
          "Exercice 1\\nCalculer\\n.*?Exercice 2\\nSimplifier\\n.*?Exercice 3\\nRéduire\\n",
          QRegularExpression::DotMatchesEverythingOption);
      int sheets = 0;
      for (auto match = sheet.globalMatch(text); match.hasNext(); match.next()) {
        ++sheets;
      }
      QCOMPARE(sheets, 3);
    }
  }

  // An exercise added to the sheet while the field still holds one of the
  // program's instructions says what it asks itself, and the field shows
  // it; a typed instruction goes as typed.
  void anAddedExerciseTakesItsOwnInstructionUnlessOneIsTyped() {
    auto form = ShownForm();
    auto* instruction = Find<QComboBox>(*form, "Combo1");
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(1);
    const auto click = [&](const char* button) {
      QTest::mouseClick(Find<QPushButton>(*form, button), Qt::LeftButton);
    };
    click("btnPlus");
    Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
    click("btnSimplif");
    QCOMPARE(instruction->currentText(), "Simplifier (réponse irréductible)");
    instruction->setCurrentIndex(2);  // "Réduire au plus petit dénominateur commun"
    click("btnReduc");
    QCOMPARE(instruction->currentText(), "Réduire au même dénominateur");
    instruction->setEditText("À faire sans calculatrice");
    click("btnMult");
    QCOMPARE(instruction->currentText(), "À faire sans calculatrice");
    QCOMPARE(instruction->count(), 3);
    const QRegularExpression sheet(
        "Exercice 1\\nCalculer \\(réponse irréductible\\)\\n.*"
        "Exercice 2\\nSimplifier \\(réponse irréductible\\)\\n.*"
        "Exercice 3\\nRéduire au même dénominateur\\n.*"
        "Exercice 4\\nÀ faire sans calculatrice\\n",
        QRegularExpression::DotMatchesEverythingOption);
    for (const char* view : {"RxE1", "RxE2"}) {
      const QString text = Find<TRxRichEdit>(*form, view)->document()->toPlainText();
      QVERIFY2(sheet.match(text).hasMatch(), qPrintable(text));
    }
  }

  // Kinds of the menu, here powers (with the four operations' instruction)
  // and simplification (with one of its own) moved there: each entry shows
  // its caption and hint and runs as its button did. A kind's instruction
  // replaces one of the program's, and a button of its own puts its type's
  // back in place of a kind's, but keeps one the buttons share; a typed one
  // stays. The list keeps its three items.
  void kindsFromTheMenuRunAsButtonsWithTheirOwnInstruction() {
    static const auto rows = [] {
      auto rows = std::to_array(kExerciseCatalogue);
      rows[static_cast<size_t>(ExerciseType::kPowers)].button_place = kInMenu;
      ExerciseInfo& simplification = rows[static_cast<size_t>(ExerciseType::kSimplification)];
      simplification.button_place = kInMenu;
      simplification.instruction = "Simplifier chaque fraction";
      return rows;
    }();
    auto form = ShownForm();
    form->SetExerciseRows(rows);
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(2);
    auto* others = Find<QPushButton>(*form, "btnAutres");
    QVERIFY(others->isEnabled());
    auto* menu = form->findChild<QMenu*>("mnuAutres");
    QVERIFY(menu != nullptr);
    QStringList entries;
    for (const QAction* entry : menu->actions()) {
      entries << entry->text() + " " + entry->toolTip();
    }
    QCOMPARE(entries.mid(0, 2), QStringList({"^ Puissances", "S Simplification"}));
    // then the catalogue's own
    QCOMPARE(entries.size(),
             2 + std::count_if(std::begin(kExerciseCatalogue), std::end(kExerciseCatalogue),
                               [](const auto& row) { return row.button_place.in_menu; }));
    const auto choose = [&](int entry) {
      QTest::mouseClick(others, Qt::LeftButton);
      QCOMPARE(QApplication::activePopupWidget(), menu);
      QTest::mouseClick(menu, Qt::LeftButton, {},
                        menu->actionGeometry(menu->actions()[entry]).center());
    };
    auto* instruction = Find<QComboBox>(*form, "Combo1");
    const QStringList list = {instruction->itemText(0), instruction->itemText(1),
                              instruction->itemText(2)};
    struct Case {
      const char* field;   // before the run, empty to leave it
      const char* button;  // or the menu's entry
      int entry;
      const char* name;   // the document's, its start
      const char* shown;  // in the field and the subject
    };
    const Case cases[] = {
        {"Calculer (réponse irréductible)", "", 1, "SimplFract", "Simplifier chaque fraction"},
        {"", "btnPlus", -1, "AddFract", "Calculer (réponse irréductible)"},
        {"Réduire au plus petit dénominateur commun", "", 0, "PuissFract",
         "Calculer (réponse irréductible)"},
        {"", "btnReduc", -1, "ReducFract", "Calculer (réponse irréductible)"},
        {"À faire sans calculatrice", "", 1, "SimplFract", "À faire sans calculatrice"},
        {"Simplifier chaque fraction", "btnMoins", -1, "SousFract",
         "Calculer (réponse irréductible)"},
    };
    for (const Case& c : cases) {
      if (*c.field != 0) {
        instruction->setEditText(c.field);
      }
      if (c.entry >= 0) {
        choose(c.entry);
      } else {
        QTest::mouseClick(Find<QPushButton>(*form, c.button), Qt::LeftButton);
      }
      const QString what = QString("%1 %2").arg(c.field, c.button);
      QVERIFY2(form->DocumentName().starts_with(c.name), qPrintable(what));
      QCOMPARE(instruction->currentText(), c.shown);
      const QString subject = Find<TRxRichEdit>(*form, "RxE1")->document()->toPlainText();
      QVERIFY2(subject.contains(QString(c.shown) + "\n"), qPrintable(what + ": " + subject));
      QCOMPARE(QStringList(
                   {instruction->itemText(0), instruction->itemText(1), instruction->itemText(2)}),
               list);
    }
    // Added to the sheet, as the buttons' exercises are.
    Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
    instruction->setEditText("Calculer (réponse irréductible)");
    choose(1);
    const QRegularExpression sheet(
        "Exercice 1\\nCalculer \\(réponse irréductible\\)\\n.*"
        "Exercice 2\\nSimplifier chaque fraction\\n",
        QRegularExpression::DotMatchesEverythingOption);
    for (const char* view : {"RxE1", "RxE2"}) {
      const QString text = Find<TRxRichEdit>(*form, view)->document()->toPlainText();
      QVERIFY2(sheet.match(text).hasMatch(), qPrintable(text));
    }
  }

  // Lines the teacher typed at the end of the views, after the last
  // question, with or without a line end after them: each stays as typed,
  // on its own line, right after that question, and the next exercise
  // comes after one blank line under its heading.
  void linesTypedAfterTheLastQuestionStayAboveTheNextHeading() {
    struct Case {
      const char* button;  // adds exercise `rank`
      int rank;
      QString typed;
      bool line_end;  // Enter pressed after the text
    };
    const Case cases[] = {{"btnSimplif", 2, "Bonus : 1/2 + 1/3", false},
                          {"btnReduc", 3, "À rendre lundi", true}};
    auto form = ShownForm();
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(2);
    QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
    Find<QCheckBox>(*form, "ckbEdite")->setChecked(true);
    Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
    for (const Case& c : cases) {
      std::vector<std::pair<TRxRichEdit*, QList<QTextCharFormat>>> typed;
      for (const char* name : {"RxE1", "RxE2"}) {
        auto* view = Find<TRxRichEdit>(*form, name);
        QApplication::setActiveWindow(form.get());
        view->setFocus();
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        TypeText(view, c.typed);
        if (c.line_end) {
          QTest::keyClick(view, Qt::Key_Return);
        }
        typed.emplace_back(view, Formats(TypedBlock(*view, c.typed)));
      }
      QTest::mouseClick(Find<QPushButton>(*form, c.button), Qt::LeftButton);
      for (const auto& [view, formats] : typed) {
        const QTextBlock line = TypedBlock(*view, c.typed);
        QVERIFY2(line.isValid(), qPrintable(view->objectName() + ": the typed line is lost"));
        QVERIFY(line.previous().text().contains(QChar::ObjectReplacementCharacter));
        QCOMPARE(line.next().text(), QString());
        QCOMPARE(line.next().next().text(), QString("Exercice %1").arg(c.rank));
        QCOMPARE(Formats(line), formats);
        QCOMPARE(view->Text().count(c.typed), 1);
      }
    }
    QVERIFY(Find<TRxRichEdit>(*form, "RxE2")->Text().contains("Exercice 1"));
  }

  // The one block of a view whose text is `text`; an invalid block when
  // none or several are.
  static QTextBlock TypedBlock(const TRxRichEdit& view, const QString& text) {
    QTextBlock found;
    for (QTextBlock block = view.document()->begin(); block.isValid(); block = block.next()) {
      if (block.text() == text) {
        if (found.isValid()) {
          return {};
        }
        found = block;
      }
    }
    return found;
  }

  static QList<QTextCharFormat> Formats(const QTextBlock& block) {
    QList<QTextCharFormat> formats;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      formats << it.fragment().charFormat();
    }
    return formats;
  }

  // The error box's text after a click on `button`; empty when none shows.
  static QString ErrorAfterClick(QPushButton* button) {
    auto error = std::make_shared<QString>();
    QTimer::singleShot(0, [error] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        *error = box->text();
        box->accept();
      }
    });
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    return *error;
  }

  // A sheet holds at most 6 exercises and 60 questions: one more is refused
  // in French and the views stay as they were. Views emptied by hand, or
  // holding only typed text, start a new sheet.
  void aFullSheetRefusesMoreAndAnEmptiedOneStartsAnew() {
    struct Case {
      QList<int> counts;  // the questions of each click; the last is refused
      QString refusal;
    };
    const Case cases[] = {
        {{1, 1, 1, 1, 1, 1, 1}, "« Ajouter à la suite » : une feuille a au plus 6 exercices."},
        {{40, 20, 1},
         "« Ajouter à la suite » : une feuille a au plus 60 questions en tout ; celle-ci en a 60, "
         "et l'exercice en ajouterait 1."},
    };
    auto form = ShownForm();
    auto* plus = Find<QPushButton>(*form, "btnPlus");
    auto* subject = Find<TRxRichEdit>(*form, "RxE1");
    for (const Case& c : cases) {
      Find<QCheckBox>(*form, "ckbSuite")->setChecked(false);
      for (qsizetype k = 0; k < c.counts.size(); ++k) {
        Find<QSpinBox>(*form, "spMaxLigne")->setValue(c.counts[k]);
        const QString before = Content(*subject);
        const QString error = ErrorAfterClick(plus);
        const bool last = k + 1 == c.counts.size();
        QCOMPARE(error, last ? c.refusal : QString());
        QCOMPARE(Content(*subject) == before, last);
        Find<QCheckBox>(*form, "ckbSuite")->setChecked(true);
      }
    }
    Find<QCheckBox>(*form, "ckbEdite")->setChecked(true);
    for (const char* name : {"RxE1", "RxE2"}) {
      Find<TRxRichEdit>(*form, name)->setPlainText("Bonjour");
    }
    QCOMPARE(ErrorAfterClick(Find<QPushButton>(*form, "btnSimplif")), QString());
    QVERIFY(!subject->Text().contains("Exercice") && !subject->Text().contains("Bonjour"));
    QVERIFY(form->DocumentName().starts_with("SimplFract"));
  }

  // A level's simplifications up to 12 fill 37 questions at most: asked
  // for 40, the window says how many it can set and leaves the worksheet
  // shown, and its lamp, as they were.
  void tooFewQuestionsLeaveTheWorksheetShown() {
    auto form = ShownForm();
    auto* simplify = Find<QPushButton>(*form, "btnSimplif");
    QCOMPARE(ErrorAfterClick(Find<QPushButton>(*form, "btnPlus")), QString());
    WorkOptionsDialog(*form, [](QDialog& dialog) {
      Choose(dialog, "Niveau", 1);  // CM2
      Press(dialog, "OK");
    });
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(40);
    const QString subject = Content(*Find<TRxRichEdit>(*form, "RxE1"));
    const QString key = Content(*Find<TRxRichEdit>(*form, "RxE2"));
    QCOMPARE(ErrorAfterClick(simplify),
             QString("Ces réglages ne donnent que 37 questions différentes : "
                     "impossible d'en poser 40."));
    QCOMPARE(Content(*Find<TRxRichEdit>(*form, "RxE1")), subject);
    QCOMPARE(Content(*Find<TRxRichEdit>(*form, "RxE2")), key);
    QVERIFY(form->DocumentName().starts_with("AddFract"));
    QCOMPARE(Lamp(*form), TForm1::kLampRed);
    Find<QSpinBox>(*form, "spMaxLigne")->setValue(37);
    QCOMPARE(ErrorAfterClick(simplify), QString());
    QVERIFY(form->DocumentName().starts_with("SimplFract"));
    QCOMPARE(Lamp(*form), TForm1::kLampGreen);
  }

  void thePreviewShowsTheFirstPagesInAFloatingPane() {
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder_.path());
    {
      auto form = ShownForm();
      Find<QSpinBox>(*form, "spinterligne")->setValue(10);  // several pages
      QTest::mouseClick(Find<QPushButton>(*form, "btnMoins"), Qt::LeftButton);
      QTest::mouseClick(Find<QPushButton>(*form, "btnApercu"), Qt::LeftButton);
      QVERIFY(QFile::exists("Temp0.EMF") && QFile::exists("Temp1.EMF") &&
              QFile::exists("TWFile.txt"));
      auto* pane = Find<QScrollArea>(*form, "ScrollBox1");
      QWidget* floating = pane->window();
      QVERIFY(floating != form.get() && floating->isVisible());
      QVERIFY(floating->windowFlags().testFlag(Qt::Tool));
      QVERIFY(floating->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(!Find<QLabel>(*form, "Image1")->pixmap().isNull());
      QVERIFY(!Find<QLabel>(*form, "Image2")->pixmap().isNull());
      QCOMPARE(Find<QLabel>(*form, "Image1")->size(), QSize(420, 594));

      pane->verticalScrollBar()->setValue(300);
      QTest::mouseClick(Find<QPushButton>(*form, "btnApercu"), Qt::LeftButton);
      QCOMPARE(pane->window(), floating);  // the same window again, at the top
      QCOMPARE(pane->verticalScrollBar()->value(), 0);

      QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
      QVERIFY(!floating->isVisible());  // every run hides it
      QVERIFY(form->close());
    }
    // Closing the window took the preview's files away.
    QVERIFY(!QFile::exists("Temp0.EMF") && !QFile::exists("Temp1.EMF") &&
            !QFile::exists("TWFile.txt"));
    QDir::setCurrent(previous);
  }

  // Started from a desktop menu, the working folder is the home folder: a
  // teacher's own files of the preview's names stay as they are, closed with
  // or without a preview, and the preview still shows.
  void aTeachersOwnFilesSurviveTheClose() {
    const QByteArray mine = "mes notes";
    const QString previous = QDir::currentPath();
    for (const QStringList& names :
         {QStringList{"Temp0.EMF"}, QStringList{"TWFile.txt", "Temp0.EMF"}}) {
      QTemporaryDir home;
      QDir::setCurrent(home.path());
      for (const QString& name : names) {
        QFile file(home.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(mine) == mine.size());
      }
      for (const bool preview : {false, true}) {
        auto form = ShownForm();
        if (preview) {
          QTest::mouseClick(Find<QPushButton>(*form, "btnPlus"), Qt::LeftButton);
          QTest::mouseClick(Find<QPushButton>(*form, "btnApercu"), Qt::LeftButton);
          QVERIFY(!Find<QLabel>(*form, "Image1")->pixmap().isNull());
          QVERIFY(!Find<QLabel>(*form, "Image2")->pixmap().isNull());
        }
        QVERIFY(form->close());
        for (const QString& name : names) {
          QCOMPARE(ReadAll(home.filePath(name)), mine);
        }
        // Nothing of ours is left.
        QCOMPARE(QDir(home.path()).entryList(QDir::Files).size(), names.size());
      }
    }
    QDir::setCurrent(previous);
  }

  void enterPressesTheFocusedButton() {
    auto form = ShownForm();
    for (const auto& [name, key] :
         {std::pair{"btnPlus", Qt::Key_Return}, std::pair{"btnMult", Qt::Key_Enter}}) {
      auto* button = Find<QPushButton>(*form, name);
      button->setFocus();
      const std::string before = form->DocumentName();
      QTest::keyClick(button, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      QVERIFY2(form->DocumentName() != before, name);  // a worksheet was built
    }
  }

  void theEditMenusAreFrench() {
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
      texts << action->text();
    }
    for (const char* expected :
         {"&Annuler", "Co&uper", "Cop&ier", "Co&ller", "Tout sélectionner"}) {
      QVERIFY2(texts.filter(QString::fromUtf8(expected)).size() == 1, qPrintable(texts.join('|')));
    }
  }

  void everyCaptionFitsItsBox() {
    auto form = ShownForm();
    struct Caption {
      const char* name;
      QRect box;  // at the design size
    };
    const Caption captions[] = {
        {"Label1", {4, 8, 52, 13}},      {"Label2", {4, 35, 49, 13}},
        {"Label3", {4, 63, 43, 13}},     {"Label4", {125, 8, 27, 13}},
        {"Label5", {125, 35, 27, 13}},   {"Label7", {478, 398, 29, 13}},
        {"Label8", {560, 398, 38, 13}},  {"CheckBox1", {106, 61, 50, 17}},
        {"ckbEdite", {745, 61, 46, 17}}, {"ckbSuite", {92, 369, 140, 17}},
    };
    form->resize(TForm1::kDesignClient);  // the offscreen screen is narrower
    for (const Caption& caption : captions) {
      auto* control = Find<QWidget>(*form, caption.name);
      QCOMPARE(control->geometry(), caption.box);
      QVERIFY2(control->sizeHint().width() <= caption.box.width(), caption.name);
      QCOMPARE(QFontInfo(control->font()).family(), "Liberation Sans Narrow");
    }
    auto* wait = Find<QLabel>(*form, "Label6");
    for (const QString& line : wait->text().split('\n')) {
      QVERIFY(wait->fontMetrics().horizontalAdvance(line) <= wait->width());
    }
  }

  void errorMessagesEndWithAFullStop() {
    // A full stop follows a last character whose code is above that of ".".
    QCOMPARE(WithFullStop("Erreur au chargement du flux"), "Erreur au chargement du flux.");
    QCOMPARE(WithFullStop("Impossible de créer le fichier /a/f.rtf"),
             "Impossible de créer le fichier /a/f.rtf.");
    QCOMPARE(WithFullStop("Déjà fini."), "Déjà fini.");
    QCOMPARE(WithFullStop("Fichier (123)"), "Fichier (123)");
    QCOMPARE(WithFullStop(""), "");
  }

  void theMinimumSizeKeepsRightAnchoredControlsInPlace() {
    auto form = ShownForm();
    const QSize design = form->size();
    const auto distance_to_right = [&](const char* name) {
      return form->width() - Find<QWidget>(*form, name)->geometry().right();
    };
    const int lamp = distance_to_right("Shape1");
    const int print = distance_to_right("btnImprime");
    const int edit_box = distance_to_right("ckbEdite");
    const int title_width = Find<QWidget>(*form, "eTitre1")->width();
    form->resize(form->minimumSize());
    QVERIFY(form->width() < design.width());
    QCOMPARE(distance_to_right("Shape1"), lamp);
    QCOMPARE(distance_to_right("btnImprime"), print);
    QCOMPARE(distance_to_right("ckbEdite"), edit_box);
    QCOMPARE(Find<QWidget>(*form, "eTitre1")->width(),
             title_width - (design.width() - form->width()));
    QCOMPARE(Find<QWidget>(*form, "RxE2")->height(), 141);
  }
};

}  // namespace fractions

QTEST_MAIN(fractions::FormTest)
#include "form_test.moc"
