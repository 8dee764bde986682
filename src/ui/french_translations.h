#pragma once

class QCoreApplication;

namespace fractions {

// Loads Qt's own French texts (qtbase_fr: the edit menus, the save and print
// dialogs, the message box buttons) whatever the system's language: the
// program speaks French to every teacher. Returns false when the file is
// missing (package qt6-translations-l10n); Qt then speaks English.
bool InstallFrenchTranslations(QCoreApplication& app);

}  // namespace fractions
