#pragma once

class QFileDialog;

namespace fractions {

// Qt's own file dialog writes the sizes and dates of its detail view in the
// system's language ("0 bytes", "7 Dec"), whatever the texts around them:
// these show them in French ("0 octet", "07/12/2026 16:44"), like the rest
// of the dialog. Call before the dialog picks its folder.
void ShowFileDetailsInFrench(QFileDialog& dialog);

}  // namespace fractions
