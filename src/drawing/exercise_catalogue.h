#pragma once

#include <array>
#include <span>
#include <string_view>
#include <variant>

#include "exercise_type.h"
#include "kinds/common_denominator.h"
#include "kinds/comparison.h"
#include "kinds/decimal_writing.h"
#include "kinds/equal_fractions.h"
#include "kinds/figures.h"
#include "kinds/four_operations.h"
#include "kinds/fraction_of_number.h"
#include "kinds/number_lines.h"
#include "kinds/ordering.h"
#include "kinds/powers.h"
#include "kinds/priorities.h"
#include "kinds/simplification.h"

namespace fractions {

// The slice of one kind of exercise, as its catalogue row points at it: a
// type with the kind's question struct (`Question`), its drawing, its
// question key, its JSON fields and its plain text, all in
// src/drawing/kinds/; its line layout lives beside it in
// src/pictures/kinds/, found by this type. Several rows may share a slice
// and tell it apart by the values they give it (the four operations).
using ExerciseKind =
    std::variant<OperationKind, PowerKind, SimplificationKind, CommonDenominatorKind, PriorityKind,
                 FractionOfNumberKind, DecimalWritingKind, ComparisonKind, OrderingKind,
                 EqualFractionsKind, FigureKind, NumberLineKind>;

// Where the window offers an exercise type: a button of its own, in a box
// at the window's design size with its place in the tab order among all the
// controls, or an entry of the "Autres…" menu.
struct ButtonPlace {
  bool in_menu = false;
  int x = 0, y = 0, width = 0, height = 0;
  int tab_position = 0;
};

constexpr ButtonPlace OwnBox(int x, int y, int width, int height, int tab_position) {
  return {false, x, y, width, height, tab_position};
}
inline constexpr ButtonPlace kInMenu{true};

// What the program says about one exercise type, wherever it names it: on
// the command line, in the document name, on the window's button; and the
// slice that draws and writes its questions. The button's texts are UTF-8;
// the instructions are Windows-1252; the others are ASCII.
struct ExerciseInfo {
  ExerciseType type;
  std::string_view command_word;   // fractions-cli --type
  std::string_view command_gloss;  // in the help after the word; empty when the word says it
  std::string_view name_prefix;    // the start of a worksheet's document name
  std::string_view button_name;    // the exercise button's (or menu entry's) object name
  std::string_view button_caption;
  std::string_view button_hint;
  ButtonPlace button_place;
  // What the pupils are asked, where an exercise has no instruction of its
  // own (on a sheet of several types); the second when the least common
  // denominator is asked, if it says something else.
  std::string_view instruction;
  std::string_view least_common_instruction;
  ExerciseKind kind;
  // The first class whose programme sets it: a level before it refuses
  // the type ("Libre" never does).
  Level first_level = Level::kCM2;
};

inline constexpr std::string_view kCalculate =
    "Calculer (r\xE9ponse irr\xE9"
    "ductible)";

// One row per exercise type, in the order of the enumeration. The seven
// first have their buttons along the bottom, S R + - x ^ : from the left;
// the others are entries of the "Autres…" menu, in this order.
inline constexpr ExerciseInfo kExerciseCatalogue[] = {
    {ExerciseType::kAddition, "add", "", "AddFract", "btnPlus", "+", "Additions",
     OwnBox(80, 392, 26, 25, 2), kCalculate, "", OperationKind{Operation::kAdd}},
    {ExerciseType::kSubtraction, "sub", "", "SousFract", "btnMoins", "-", "Soustractions",
     OwnBox(116, 392, 28, 25, 7), kCalculate, "", OperationKind{Operation::kSubtract}},
    {ExerciseType::kMultiplication, "mul", "", "MultFract", "btnMult", "x", "Multiplications",
     OwnBox(151, 392, 28, 25, 10), kCalculate, "", OperationKind{Operation::kMultiply}},
    {ExerciseType::kDivision, "div", "", "DivFract", "btnDivise", ":", "Divisions",
     OwnBox(223, 392, 28, 25, 11), kCalculate, "", OperationKind{Operation::kDivide}},
    {ExerciseType::kPowers, "pow", "puissances", "PuissFract", "btnPuiss", "^", "Puissances",
     OwnBox(187, 392, 28, 25, 19), kCalculate, "", PowerKind{}},
    {ExerciseType::kSimplification, "simp", "simplification", "SimplFract", "btnSimplif", "S",
     "Simplification", OwnBox(8, 392, 28, 25, 20),
     "Simplifier (r\xE9ponse irr\xE9"
     "ductible)",
     "", SimplificationKind{}},
    {ExerciseType::kCommonDenominator, "reduc", "même dénominateur", "ReducFract", "btnReduc", "R",
     "Réduction au même dénominateur", OwnBox(44, 392, 28, 25, 21),
     "R\xE9"
     "duire au m\xEAme d\xE9nominateur",
     "R\xE9"
     "duire au plus petit d\xE9nominateur commun",
     CommonDenominatorKind{}},
    {ExerciseType::kPriorities, "prio", "priorités", "PrioFract", "mnuPrio",
     "Calculs avec priorités", "Deux opérations sur trois fractions, en respectant les priorités",
     kInMenu,
     "Calculer en respectant les priorit\xE9s (r\xE9ponse irr\xE9"
     "ductible)",
     "", PriorityKind{}, Level::k6e},
    {ExerciseType::kFractionOfNumber, "part", "fraction d'un nombre", "PartFract", "mnuPart",
     "Fraction d'un nombre", "Prendre une fraction d'un nombre entier : 3/4 de 28", kInMenu,
     "Calculer la fraction de chaque nombre", "", FractionOfNumberKind{}},
    {ExerciseType::kDecimalWriting, "dec", "écriture décimale", "DecFract", "mnuDec",
     "Écriture décimale", "D'une fraction à son écriture décimale, et inversement", kInMenu,
     "Donner l'\xE9"
     "criture d\xE9"
     "cimale, ou la fraction irr\xE9"
     "ductible",
     "", DecimalWritingKind{}},
    {ExerciseType::kComparison, "comp", "comparaison", "CompFract", "mnuComp",
     "Comparer deux fractions", "Comparer deux fractions avec <, > ou =", kInMenu,
     "Comparer les fractions avec <, > ou =", "", ComparisonKind{}},
    {ExerciseType::kOrdering, "order", "rangement", "RangFract", "mnuRang", "Ranger des fractions",
     "Ranger quatre fractions dans l'ordre croissant", kInMenu,
     "Ranger les fractions dans l'ordre croissant", "", OrderingKind{}},
    {ExerciseType::kEqualFractions, "fill", "égalités à compléter", "EgalFract", "mnuEgal",
     "Compléter des égalités", "Trouver le terme qui manque : 3/4 = ..../20", kInMenu,
     "Compl\xE9ter les \xE9galit\xE9s", "", EqualFractionsKind{}},
    {ExerciseType::kFigureReading, "figread", "figure à lire", "FigFract", "mnuFig",
     "Lire une fraction sur une figure",
     "La fraction hachurée d'une bande, d'un quadrillage ou d'un disque", kInMenu,
     "Quelle fraction de la figure est colori\xE9"
     "e ?",
     "", FigureKind{FigureForm::kRead}},
    {ExerciseType::kFigureShading, "figshade", "figure à colorier", "ColorFract", "mnuColor",
     "Colorier une fraction d'une figure", "Hachurer la fraction indiquée d'une figure", kInMenu,
     "Colorier la fraction indiqu\xE9"
     "e de chaque figure",
     "", FigureKind{FigureForm::kShade}},
    {ExerciseType::kNumberLineReading, "lineread", "droite graduée à lire", "DroiteFract",
     "mnuDroite", "Lire sur une droite graduée",
     "Lire l'abscisse de trois points d'une demi-droite graduée", kInMenu,
     "Lire l'abscisse de chaque point", "", NumberLineKind{NumberLineForm::kRead}},
    {ExerciseType::kNumberLinePlacing, "lineplace", "points à placer", "PlaceFract", "mnuPlace",
     "Placer sur une droite graduée",
     "Placer trois points d'abscisses données sur une demi-droite graduée", kInMenu,
     "Placer chaque point sur la droite gradu\xE9"
     "e",
     "", NumberLineKind{NumberLineForm::kPlace}},
};

static_assert(std::size(kExerciseCatalogue) == kExerciseTypeCount,
              "one catalogue row per exercise type");
static_assert(
    [] {
      for (size_t i = 0; i < kExerciseTypeCount; ++i) {
        if (kExerciseCatalogue[i].type != static_cast<ExerciseType>(i)) {
          return false;
        }
      }
      return true;
    }(),
    "the catalogue's rows follow the enumeration");

static_assert(
    [] {
      for (const ExerciseInfo& a : kExerciseCatalogue) {
        for (const ExerciseInfo& b : kExerciseCatalogue) {
          if (&a != &b && !a.button_place.in_menu && !b.button_place.in_menu &&
              a.button_place.tab_position == b.button_place.tab_position) {
            return false;
          }
        }
      }
      return true;
    }(),
    "each button of its own has its own place in the tab order");

// Every exercise type, in the catalogue's order.
inline constexpr std::array<ExerciseType, kExerciseTypeCount> kAllExerciseTypes = [] {
  std::array<ExerciseType, kExerciseTypeCount> types{};
  for (size_t i = 0; i < types.size(); ++i) {
    types[i] = kExerciseCatalogue[i].type;
  }
  return types;
}();

constexpr const ExerciseInfo& Describe(ExerciseType type) {
  return kExerciseCatalogue[static_cast<size_t>(type)];
}

// The rows that the window, its menu and its instruction rules read: the
// catalogue's, or others that a test gives the window in their place.
using ExerciseRows = std::span<const ExerciseInfo>;

// The row of `type` among `rows`; the catalogue's if they have none.
constexpr const ExerciseInfo& RowOf(ExerciseType type, ExerciseRows rows = kExerciseCatalogue) {
  for (const ExerciseInfo& info : rows) {
    if (info.type == type) {
      return info;
    }
  }
  return Describe(type);
}

// The instruction of an exercise of `type` drawn with `options` that was
// given none of its own.
constexpr std::string_view StandardInstruction(ExerciseType type, const ExerciseOptions& options,
                                               ExerciseRows rows = kExerciseCatalogue) {
  const ExerciseInfo& info = RowOf(type, rows);
  return options.least_common_denominator && !info.least_common_instruction.empty()
             ? info.least_common_instruction
             : info.instruction;
}

// Whether `text` is one of the instructions `info` gives.
constexpr bool GivesInstruction(const ExerciseInfo& info, std::string_view text) {
  return text == info.instruction ||
         (!info.least_common_instruction.empty() && text == info.least_common_instruction);
}

// Whether `text` is one of the instructions the rows give, as it stands.
constexpr bool IsStandardInstruction(std::string_view text,
                                     ExerciseRows rows = kExerciseCatalogue) {
  for (const ExerciseInfo& info : rows) {
    if (GivesInstruction(info, text)) {
      return true;
    }
  }
  return false;
}

// Whether `text` is the instruction of a kind from the menu and of no
// type with a button of its own.
constexpr bool IsMenuInstruction(std::string_view text, ExerciseRows rows = kExerciseCatalogue) {
  bool of_menu = false;
  for (const ExerciseInfo& info : rows) {
    if (GivesInstruction(info, text)) {
      if (!info.button_place.in_menu) {
        return false;
      }
      of_menu = true;
    }
  }
  return of_menu;
}

}  // namespace fractions
