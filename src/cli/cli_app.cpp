#include "cli_app.h"

#include <exception>

#include "cli_options.h"
#include "document_files.h"
#include "drawing/random.h"
#include "generated_worksheet.h"

namespace fractions {

namespace {

constexpr const char* kUsageLine =
    "Usage : fractions-cli --type TYPE [--max M] [--count N] [--seed S] [--json]\n"
    "                      [--out BASE [--pdf] [--title T] [--instruction I] [--spacing S]\n"
    "                       [--separator TEXTE | --no-separator]]\n";

constexpr const char* kHelp =
    "Tire les exercices d'une feuille de fractions comme le font les boutons de la\n"
    "fenêtre, les affiche avec leurs réponses et, avec --out, écrit le sujet et le\n"
    "corrigé en RTF.\n"
    "\n"
    "  --type TYPE        add, sub, mul, div, pow (puissances), simp (simplification)\n"
    "                     ou reduc (même dénominateur) ; obligatoire\n"
    "  --max M            plus grand terme, de 9 à 500 (100 par défaut)\n"
    "  --count N          nombre de questions, de 1 à 40 (25 par défaut)\n"
    "  --seed S           graine du tirage, de 0 à 4294967295 (par défaut : l'heure\n"
    "                     du jour en UTC, en millisecondes) ; même graine, même feuille\n"
    "  --json             un objet JSON au lieu d'une liste\n"
    "  --out BASE         écrit le sujet dans BASE.rtf et le corrigé dans BASE_Cor.rtf\n"
    "  --pdf              écrit aussi BASE.pdf et BASE_Cor.pdf, en pages A4\n"
    "  --title T          ligne de titre (160 caractères au plus ; balises permises)\n"
    "  --instruction I    consigne (balises permises)\n"
    "  --separator TEXTE  ligne de séparation (230 caractères au plus)\n"
    "  --no-separator     pas de ligne de séparation\n"
    "  --spacing S        lignes vides entre deux questions du sujet, de 0 à 10 (1)\n"
    "  --help             cette aide\n";

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  try {
    options = ParseCliOptions(args);
  } catch (const UsageError& error) {
    err << "fractions-cli : " << error.what() << "\n"
        << kUsageLine << "Voir « fractions-cli --help ».\n";
    return kExitUsage;
  }
  if (options.help) {
    out << kUsageLine << kHelp;
    return kExitOk;
  }
  try {
    const uint32_t seed = options.seed.value_or(TimeOfDaySeed());
    const GeneratedWorksheet worksheet = GenerateWorksheet(*options.type, options.settings, seed);
    if (options.out_base) {
      WriteDocumentFiles(QString::fromStdString(*options.out_base), worksheet.documents.subject,
                         worksheet.documents.answer_key, options.pdf);
    }
    if (options.json) {
      WriteJson(out, worksheet);
    } else {
      WriteText(out, worksheet);
    }
    out.flush();
    if (!out) {
      err << "fractions-cli : impossible d'écrire sur la sortie\n";
      return kExitFailure;
    }
  } catch (const std::exception& error) {
    err << "fractions-cli : " << error.what() << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace fractions
