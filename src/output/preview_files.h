#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "written_files.h"

namespace fractions {

// The print preview's files in a folder (the working folder): one file per
// page shown, "Temp0.EMF" and "Temp1.EMF", and the empty "TWFile.txt" that
// tests whether the folder takes files. The working folder is often the
// home folder, and may be shared with other users: the preview writes only
// where nothing else stands at these names, and the window deletes only
// what it wrote, when it closes (see WrittenFiles).
inline constexpr int kPreviewPageCount = 2;

// The file of page `page` (0 or 1).
QString PreviewPageFile(const QDir& folder, int page);
QString WriteTestFile(const QDir& folder);

// True when the empty write-test file could be made in the folder, as a
// file of this process: never through a link, never over a file it did not
// write.
bool WriteTest(const QDir& folder, WrittenFiles& files);

// The preview's files of one window.
class PreviewFiles {
 public:
  // The folder this preview's files go to: the working folder when its
  // write test passes and none of the three names there holds anything but
  // this process's own files; else a folder of this process's own, so that
  // a teacher's own "Temp0.EMF" stays as it is and the preview still shows.
  // None when no folder takes a file.
  std::optional<QDir> Folder(const QDir& working);

  WrittenFiles& Written() { return written_; }

  // Deletes the page files this process wrote in `folder`.
  void RemovePages(const QDir& folder);

  // Deletes every preview file still as this process wrote it, and the
  // folder of its own; nothing else.
  void RemoveAll();

 private:
  WrittenFiles written_;
  std::unique_ptr<QTemporaryDir> own_folder_;
};

}  // namespace fractions
