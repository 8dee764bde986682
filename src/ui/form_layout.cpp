// The window's controls with their design boxes, anchors, texts, hints and
// tab order.
#include <QFont>
#include <QMenu>
#include <algorithm>
#include <string_view>
#include <tuple>
#include <vector>

#include "drawing/exercise_catalogue.h"

#include "form.h"
#include "guarded.h"
#include "richtext/qt_text.h"
#include "view_border.h"

namespace fractions {

namespace {

constexpr unsigned kLTR = kAnchorLeft | kAnchorTop | kAnchorRight;
constexpr unsigned kLTRB = kLTR | kAnchorBottom;
constexpr unsigned kLRB = kAnchorLeft | kAnchorRight | kAnchorBottom;
constexpr unsigned kLB = kAnchorLeft | kAnchorBottom;
constexpr unsigned kRB = kAnchorRight | kAnchorBottom;
constexpr unsigned kTR = kAnchorTop | kAnchorRight;

// The largest term steps by hundreds until a click in its field switches
// it to units.
constexpr int kLargestTermStep = 100;
// Copies of the subject and of the answer key per click on "Imprimer".
constexpr SettingRange kCopiesRange{0, 1000, 1};

// A font at a height in pixels: the layout's boxes are given in pixels, and
// the texts must fit them whatever the screen's resolution.
QFont PixelFont(const char* family, int pixel_size) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixel_size);
  return font;
}

// The edits' and the combo box's font.
QFont SansFont(int pixel_size) {
  return PixelFont("Liberation Sans", pixel_size);
}

// Labels, check boxes, buttons and spin boxes: the narrow cut keeps every
// caption inside its box ("Max valeur" needs 54 pixels in the regular cut,
// its box has 52).
QFont NarrowFont(int pixel_size) {
  return PixelFont("Liberation Sans Narrow", pixel_size);
}

template <typename Control>
Control* Named(Control* control, const char* name, const QString& hint = {}) {
  control->setObjectName(QString::fromLatin1(name));
  if (!hint.isEmpty()) {
    control->setToolTip(hint);
  }
  return control;
}

}  // namespace

void TForm1::CreateControls() {
  setObjectName("Form1");
  setFont(NarrowFont(11));
  resize(kDesignClient);
  CreateTopArea();
  CreateViews();
  CreateBottomBar();
  CreateAuxiliaryParts();
  SetTabOrder();
}

void TForm1::CreateTopArea() {
  Label1 = Named(new QLabel("Max valeur", this), "Label1");
  layout_.Add(Label1, QRect(4, 8, 52, 13));
  spmaxvaleur = Named(new TSpinEdit(kLargestTermRange, kLargestTermStep, this), "spmaxvaleur",
                      "Difficulté : valeur maximale des termes. (clic gauche : défilement "
                      "unités<->centaines)");
  layout_.Add(spmaxvaleur, {59, 3, 53, 22});
  Label2 = Named(new QLabel("Max quest", this), "Label2");
  layout_.Add(Label2, QRect(4, 35, 49, 13));
  spMaxLigne = Named(new TSpinEdit(kQuestionCountRange, 1, this), "spMaxLigne",
                     "Nombre maximal de questions posées par opération");
  layout_.Add(spMaxLigne, {59, 30, 41, 22});
  Label3 = Named(new QLabel("Interligne", this), "Label3");
  layout_.Add(Label3, QRect(4, 63, 43, 13));
  spinterligne =
      Named(new TSpinEdit(kSpacingRange, 1, this), "spinterligne", "Espacement entre les lignes");
  layout_.Add(spinterligne, {59, 58, 41, 22});

  Label10 = Named(new QLabel("(123)", this), "Label10");
  Label10->setAlignment(Qt::AlignCenter);
  Label10->setFont(SansFont(9));
  QPalette maroon = Label10->palette();
  maroon.setColor(QPalette::WindowText, QColor(128, 0, 0));
  Label10->setPalette(maroon);
  layout_.Add(Label10, {100, 50, 26, 12});
  CheckBox1 = Named(new QCheckBox("Separ", this), "CheckBox1");
  CheckBox1->setChecked(true);
  layout_.Add(CheckBox1, {106, 61, 50, 17});

  Label4 = Named(new QLabel("Titre1", this), "Label4");
  layout_.Add(Label4, QRect(125, 8, 27, 13));
  eTitre1 = Named(new QLineEdit(this), "eTitre1", "Ligne 1 du titre, modifiable et enregistrée ");
  eTitre1->setMaxLength(static_cast<int>(kMaxTitleLength));
  eTitre1->setFont(SansFont(11));
  eTitre1->setText(ToQString(WorksheetSettings::DefaultTitle()));
  layout_.Add(eTitre1, {157, 4, 638, 22}, kLTR);

  Label5 = Named(new QLabel("Titre2", this), "Label5");
  layout_.Add(Label5, QRect(125, 35, 27, 13));
  Combo1 = Named(new QComboBox(this), "Combo1");
  Combo1->setEditable(true);
  Combo1->lineEdit()->setMaxLength(static_cast<int>(kMaxInstructionLength));
  Combo1->setInsertPolicy(QComboBox::NoInsert);
  Combo1->setFont(SansFont(11));
  const QString default_instruction = ToQString(WorksheetSettings::DefaultInstruction());
  Combo1->addItems({default_instruction, "Simplifier (réponse irréductible)",
                    "Réduire au plus petit dénominateur commun"});
  Combo1->setEditText(default_instruction);
  layout_.Add(Combo1, {157, 31, 580, 22}, kLTR);
  btnNouvTexte = Named(new QPushButton("A", this), "btnNouvTexte", "Ajouter un nouveau texte");
  layout_.Add(btnNouvTexte, {741, 29, 25, 25}, kTR);
  btnEffaceTexte =
      Named(new QPushButton("E", this), "btnEffaceTexte", "Effacer le texte sélectionné");
  layout_.Add(btnEffaceTexte, {770, 29, 24, 25}, kTR);

  eSepar = Named(new QLineEdit(this), "eSepar", "Ligne 2, idem");
  eSepar->setMaxLength(static_cast<int>(kMaxSeparatorLength));
  eSepar->setFont(SansFont(11));
  eSepar->setText(ToQString(WorksheetSettings::DefaultSeparator()));
  layout_.Add(eSepar, {157, 59, 580, 22}, kLTR);
  ckbEdite = Named(new QCheckBox("Edite", this), "ckbEdite",
                   "Possibilité d'écrire, modifier sujet/corrigé");
  layout_.Add(ckbEdite, {745, 61, 46, 17}, kTR);
}

void TForm1::CreateViews() {
  RxE1 = Named(new TRxRichEdit(this), "RxE1", "Sujet");
  layout_.Add(RxE1, {4, 86, 788, 132}, kLTRB);
  RxE2 = Named(new TRxRichEdit(this), "RxE2", "Corrigé");
  layout_.Add(RxE2, {4, 224, 790, 141}, kLRB);
  // Each view's border again, above it, so that no screen scale loses a side.
  for (const auto& [view, box, anchors] : {std::tuple{RxE1, QRect(4, 86, 788, 132), kLTRB},
                                           std::tuple{RxE2, QRect(4, 224, 790, 141), kLRB}}) {
    auto* border = new ViewBorder(this);
    border->setObjectName(view->objectName() + "Border");
    layout_.Add(border, box, anchors);
    border->raise();
  }
}

namespace {

// The catalogue's rows with a button of their own, in `order`.
template <typename Order>
std::vector<const ExerciseInfo*> RowsWithOwnButton(Order order) {
  std::vector<const ExerciseInfo*> rows;
  for (const ExerciseInfo& row : kExerciseCatalogue) {
    if (!row.button_place.in_menu) {
      rows.push_back(&row);
    }
  }
  std::sort(rows.begin(), rows.end(), order);
  return rows;
}

}  // namespace

void TForm1::CreateExerciseButtons() {
  // Made from left to right, the order they sit in.
  for (const ExerciseInfo* row : RowsWithOwnButton(
           [](const auto*a, const auto*b) { return a->button_place.x < b->button_place.x; })) {
    auto* button = new QPushButton(QString::fromUtf8(row->button_caption), this);
    button->setObjectName(QString::fromUtf8(row->button_name));
    button->setToolTip(QString::fromUtf8(row->button_hint));
    button->setAutoDefault(false);
    const ButtonPlace& place = row->button_place;
    layout_.Add(button, {place.x, place.y, place.width, place.height}, kLB);
    exercise_buttons_[static_cast<size_t>(row->type)] = button;
  }
  // In the free strip under the answer-key view, after "Ajouter à la suite".
  btnAutres = Named(new QPushButton("Autres…", this), "btnAutres");
  btnAutres->setAutoDefault(false);
  layout_.Add(btnAutres, {240, 367, 55, 22}, kLB);
  exercise_menu_ = new QMenu(this);
  exercise_menu_->setObjectName("mnuAutres");
  exercise_menu_->setToolTipsVisible(true);
  SetExerciseRows(kExerciseCatalogue);
}

void TForm1::SetExerciseRows(ExerciseRows rows) {
  exercise_rows_ = rows;
  exercise_menu_->clear();
  for (const ExerciseInfo& row : rows) {
    if (!row.button_place.in_menu) {
      continue;
    }
    QAction* entry = exercise_menu_->addAction(QString::fromUtf8(row.button_caption));
    entry->setObjectName(QString::fromUtf8(row.button_name));
    entry->setToolTip(QString::fromUtf8(row.button_hint));
    entry->setStatusTip(entry->toolTip());
    const ExerciseType type = row.type;
    connect(entry, &QAction::triggered, this,
            [this, type] { Guarded(this, [&] { RunWorksheet(type); }); });
  }
  const bool any = !exercise_menu_->isEmpty();
  btnAutres->setEnabled(any);
  btnAutres->setToolTip(any ? "Autres sortes d'exercices"
                            : "Pas encore d'autres sortes d'exercices");
}

void TForm1::CreateBottomBar() {
  CreateExerciseButtons();
  struct ButtonSpec {
    QPushButton* TForm1::*member;
    const char* name;
    const char* text;
    const char* hint;
    QRect box;
    unsigned anchors;
  };
  const ButtonSpec buttons[] = {
      {&TForm1::btnRAZ,
       "btnRAZ",
       "RAZ",
       "Effacer les énoncés et corrigés",
       {299, 404, 41, 25},
       kLB},
      {&TForm1::btnChoixImp, "btnChoixImp", "CI", "Choix de l'imprimante", {422, 392, 23, 25}, kRB},
      {&TForm1::btnApercu,
       "btnApercu",
       "A",
       "Aperçu avant impression du sujet",
       {450, 392, 22, 25},
       kRB},
      {&TForm1::btnImprime,
       "btnImprime",
       "Imprimer",
       "Imprimer sujets et/ou corrigés",
       {656, 392, 54, 25},
       kRB},
      {&TForm1::btnEnregistre,
       "btnEnregistre",
       "Enregistrer",
       "Enregistrer sujets et/ou corrigés dans un fichier RTF",
       {714, 392, 59, 25},
       kRB},
      // In the free strip under the answer-key view.
      {&TForm1::btnOptions,
       "btnOptions",
       "Options…",
       "Niveau et options des exercices",
       {8, 367, 75, 22},
       kLB},
  };
  for (const ButtonSpec& entry : buttons) {
    QPushButton* button = Named(new QPushButton(QString::fromUtf8(entry.text), this), entry.name,
                                QString::fromUtf8(entry.hint));
    button->setAutoDefault(false);
    layout_.Add(button, entry.box, entry.anchors);
    this->*entry.member = button;
  }
  btnRAZ->setVisible(false);
  btnRAZ->setEnabled(false);
  btnApercu->setEnabled(false);
  btnImprime->setEnabled(false);
  btnEnregistre->setEnabled(false);

  Label7 = Named(new QLabel("Sujets", this), "Label7");
  layout_.Add(Label7, QRect(478, 398, 29, 13), kRB);
  spSujets = Named(new TSpinEdit(kCopiesRange, 1, this), "spSujets");
  layout_.Add(spSujets, {512, 393, 44, 22}, kRB);
  ckbVariantes = Named(new QCheckBox("Sujets différents", this), "ckbVariantes",
                       "Chaque sujet imprimé ou enregistré est une feuille différente, avec son "
                       "propre corrigé");
  layout_.Add(ckbVariantes, {478, 369, 130, 17}, kRB);
  // In the free strip under the answer-key view, after "Options…".
  ckbSuite = Named(new QCheckBox("Ajouter à la suite", this), "ckbSuite",
                   "Le prochain exercice s'ajoute à la feuille au lieu de la remplacer");
  layout_.Add(ckbSuite, {92, 369, 140, 17}, kLB);
  Label8 = Named(new QLabel("Corrigés", this), "Label8");
  layout_.Add(Label8, QRect(560, 398, 38, 13), kRB);
  spCorriges = Named(new TSpinEdit(kCopiesRange, 1, this), "spCorriges");
  layout_.Add(spCorriges, {603, 393, 44, 22}, kRB);

  Shape1 = Named(new TShape(this), "Shape1", "Modifié (O/N))");
  Shape1->SetBrushColor(kLampGreen);
  layout_.Add(Shape1, {778, 393, 13, 22}, kRB);
}

void TForm1::CreateAuxiliaryParts() {
  // The wait panel shown while the settings are written to a slow medium.
  Panel3 = Named(new QWidget(this), "Panel3");
  Panel3->setAutoFillBackground(true);
  QPalette red = Panel3->palette();
  red.setColor(QPalette::Window, Qt::red);
  Panel3->setPalette(red);
  Panel3->setGeometry(-467, 128, 505, 217);
  Panel4 = Named(new QWidget(Panel3), "Panel4");
  Panel4->setAutoFillBackground(true);
  QPalette white = Panel4->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel4->setPalette(white);
  Panel4->setGeometry(16, 16, 473, 185);
  Panel4->setFont(NarrowFont(19));
  Label6 = Named(new QLabel("Veuillez patienter, svp, pendant la sauvegarde\n"
                            "        des paramètres de configuration...",
                            Panel4),
                 "Label6");
  Label6->setGeometry(40, 72, 383, 44);
  Panel3->setVisible(false);

  CreatePreviewPane();
}

// The print preview's pane: the subject's first two pages one above the
// other, each stretched to an A4-shaped 420 x 594 image.
void TForm1::CreatePreviewPane() {
  ScrollBox1 = Named(new QScrollArea(this), "ScrollBox1");
  ScrollBox1->setGeometry(749, 409, 493, 497);
  ScrollBox1->setFixedWidth(493);
  ScrollBox1->setVisible(false);
  auto* content = new QWidget;
  content->setFixedSize(493 - 20, 1332);
  const auto page = [content](QLabel*& label, const char* label_name, const char* caption,
                              int label_y, QWidget*& panel, const char* panel_name, int panel_y,
                              QLabel*& image, const char* image_name) {
    label = Named(new QLabel(caption, content), label_name);
    label->move(217, label_y);
    panel = Named(new QWidget(content), panel_name);
    panel->setGeometry(5, panel_y, 460, 634);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    image = Named(new QLabel(panel), image_name);
    image->setGeometry(20, 20, 420, 594);
    image->setScaledContents(true);  // stretched, proportions not kept
  };
  page(Label11, "Label11", "Page 1", 8, pnlImage1, "pnlImage1", 25, Image1, "Image1");
  page(Label12, "Label12", "Page 2", 674, pnlImage2, "pnlImage2", 691, Image2, "Image2");
  // Below the second page, to give the box some scroll range beyond it.
  lblfin_scrbox = Named(new QLabel(content), "lblfin_scrbox");
  lblfin_scrbox->setGeometry(5, 1252, 10, 13);
  Label13 = Named(new QLabel(content), "Label13");
  Label13->setGeometry(5, 1319, 10, 13);
  ScrollBox1->setWidget(content);
}

void TForm1::SetTabOrder() {
  // The other controls in tab order; the exercise buttons go in between, at
  // their own places.
  std::vector<QWidget*> order = {
      spmaxvaleur,    spMaxLigne, RxE1,          RxE2,       btnImprime,   spinterligne,
      eTitre1,        eSepar,     btnRAZ,        spSujets,   ckbVariantes, btnOptions,
      ckbSuite,       spCorriges, btnEnregistre, CheckBox1,  Combo1,       btnNouvTexte,
      btnEffaceTexte, btnApercu,  ckbEdite,      btnChoixImp};
  for (const ExerciseInfo* row : RowsWithOwnButton([](const auto*a, const auto*b) {
         return a->button_place.tab_position < b->button_place.tab_position;
       })) {
    order.insert(order.begin() + row->button_place.tab_position,
                 exercise_buttons_[static_cast<size_t>(row->type)]);
  }
  order.insert(std::find(order.begin(), order.end(), ckbSuite) + 1, btnAutres);
  for (size_t i = 1; i < order.size(); ++i) {
    QWidget::setTabOrder(order[i - 1], order[i]);
  }
}

}  // namespace fractions
