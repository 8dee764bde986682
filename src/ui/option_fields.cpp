#include "option_fields.h"

#include "drawing/drawing_phase.h"
#include "drawing/exercise_catalogue.h"

namespace fractions {

namespace {

size_t Flag(bool value) {
  return value ? 1 : 0;
}

const OptionField kLevelField{
    "Niveau",
    "Niveau",
    {"Libre", "CM2", "6e", "5e", "4e", "3e"},
    "Le programme d'une classe : remplit les champs ci-dessous et « Max valeur ». Un champ "
    "changé ensuite à la main rend le niveau « Libre ».",
    nullptr,
    [](const ExerciseOptions& o) { return static_cast<size_t>(o.level); },
    [](ExerciseOptions& o, size_t v) { o.level = static_cast<Level>(v); }};

}  // namespace

const OptionField& LevelField() {
  return kLevelField;
}

const std::vector<OptionField>& OptionFields() {
  static const std::vector<OptionField> fields = {
      {"Denominateurs",
       "Dénominateurs",
       {"quelconques", "l'un multiple de l'autre", "égaux"},
       "Les dénominateurs des deux fractions ; « égaux » ne vaut pas pour R.",
       [](const OptionUse& use) { return use.multiple_denominators || use.same_denominators; },
       [](const ExerciseOptions& o) { return static_cast<size_t>(o.denominators); },
       [](ExerciseOptions& o, size_t v) { o.denominators = static_cast<DenominatorRule>(v); }},
      {"Relatifs",
       "Nombres relatifs",
       {},
       "Chaque numérateur positif ou négatif, au hasard ; les résultats peuvent être négatifs.",
       [](const OptionUse& use) { return use.negatives; },
       [](const ExerciseOptions& o) { return Flag(o.negatives); },
       [](ExerciseOptions& o, size_t v) { o.negatives = v != 0; }},
      {"Mixtes",
       "Résultats en nombres mixtes",
       {},
       "Dans le corrigé, un résultat plus grand que 1 est suivi de sa forme 1 + 3/4.",
       [](const OptionUse& use) { return use.mixed; },
       [](const ExerciseOptions& o) { return Flag(o.mixed); },
       [](ExerciseOptions& o, size_t v) { o.mixed = v != 0; }},
      {"SigneDivision",
       "Signe de division",
       {":", "÷"},
       "Le signe des divisions, dans le sujet et le corrigé. Bouton : « : ».",
       nullptr,
       [](const ExerciseOptions& o) { return static_cast<size_t>(o.division_sign); },
       [](ExerciseOptions& o, size_t v) { o.division_sign = static_cast<DivisionSign>(v); }},
      {"PlusPetitDenominateur",
       "Plus petit dénominateur commun",
       {},
       "Les deux fractions réécrites sur le plus petit dénominateur commun, et non sur le "
       "produit des dénominateurs.",
       [](const OptionUse& use) { return use.least_common_denominator; },
       [](const ExerciseOptions& o) { return Flag(o.least_common_denominator); },
       [](ExerciseOptions& o, size_t v) { o.least_common_denominator = v != 0; }},
      {"GrandsCaracteres",
       "Grands caractères",
       {},
       "Pour les élèves qui en ont besoin (PAP, PPS) : fractions une fois et demie plus grandes, "
       "textes en 14 points, deux fois plus de place entre les questions ; le corrigé suit le "
       "sujet.",
       nullptr,
       [](const ExerciseOptions& o) { return Flag(o.large_print); },
       [](ExerciseOptions& o, size_t v) { o.large_print = v != 0; },
       false},
      {"CorrigeDetaille",
       "Corrigé détaillé (étapes de calcul)",
       {},
       "Le corrigé écrit chaque étape du calcul, comme au tableau, pour tous les boutons. "
       "Aucun niveau ne le change.",
       nullptr,
       [](const ExerciseOptions& o) { return Flag(o.worked); },
       [](ExerciseOptions& o, size_t v) { o.worked = v != 0; },
       false},
  };
  return fields;
}

const OptionField* FindOptionField(std::string_view key) {
  if (key == kLevelField.key) {
    return &kLevelField;
  }
  for (const OptionField& field : OptionFields()) {
    if (field.key == key) {
      return &field;
    }
  }
  return nullptr;
}

std::string OptionHint(const OptionField& field) {
  std::string hint = field.hint;
  if (field.reads == nullptr) {
    return hint;
  }
  std::vector<std::string_view> buttons;
  for (const ExerciseInfo& info : kExerciseCatalogue) {
    if (field.reads(OptionUseOf(info.type))) {
      buttons.push_back(info.button_caption);
    }
  }
  hint += buttons.size() > 1 ? " Boutons : " : " Bouton : ";
  for (size_t i = 0; i < buttons.size(); ++i) {
    hint += i == 0 ? "" : (i + 1 < buttons.size() ? ", " : " et ");
    hint += buttons[i];
  }
  return hint + ".";
}

ExerciseOptions OptionsOfLevel(const ExerciseOptions& options, Level level) {
  const LevelPreset* preset = FindLevelPreset(level);
  if (preset == nullptr) {
    ExerciseOptions free = options;
    free.level = Level::kFree;
    return free;
  }
  ExerciseOptions filled = preset->options;
  for (const OptionField& field : OptionFields()) {
    if (!field.set_by_level) {
      field.set(filled, field.get(options));
    }
  }
  return filled;
}

}  // namespace fractions
