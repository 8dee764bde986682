#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace fractions {

// The print preview's files, in a folder (the working folder): one file per
// page shown, "Temp0.EMF" and "Temp1.EMF", and the empty "TWFile.txt" that
// tests whether the folder takes files. The window deletes all three when
// it closes. The working folder may be shared with other users: each file
// is created anew without following a link at its name.
inline constexpr int kPreviewPageCount = 2;

// The file of page `page` (0 or 1).
QString PreviewPageFile(const QDir& folder, int page);
QString WriteTestFile(const QDir& folder);
// The three of them.
QStringList PreviewFiles(const QDir& folder);

// True when the empty write-test file could be made in the folder. The file
// is made anew, never through a link: a link planted at its name is
// removed, not followed (see CreateFreshFile).
bool WriteTest(const QDir& folder);

}  // namespace fractions
