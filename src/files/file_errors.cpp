#include "file_errors.h"

#include <cerrno>

namespace fractions {

namespace {

class FileErrorCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "fractions-files"; }
  std::string message(int value) const override {
    switch (static_cast<FileError>(value)) {
      case FileError::kForeignLink:
        return "lien symbolique posé par un autre utilisateur";
      case FileError::kReadOnlyFile:
        return "fichier en lecture seule";
      case FileError::kNotRegularFile:
        return "ce nom est celui d'un tube ou d'un périphérique, pas d'un fichier";
      case FileError::kChangedMeanwhile:
        return "le fichier a été remplacé pendant l'enregistrement";
      case FileError::kFolderBusy:
        return "dossier occupé par un autre enregistrement";
    }
    return "erreur d'écriture " + std::to_string(value);
  }
};

// What a teacher is told when a file cannot be written: the errors a write
// meets in practice, in the words of the French desktop.
const char* SystemErrorText(int value) {
  switch (value) {
    case ENOSPC:
      return "disque plein";
    case EDQUOT:
      return "quota de disque dépassé";
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EROFS:
      return "système de fichiers en lecture seule";
    case ENOENT:
      return "fichier ou dossier introuvable";
    case ENOTDIR:
      return "un élément du chemin n'est pas un dossier";
    case EISDIR:
      return "un dossier porte ce nom";
    case EFBIG:
      return "fichier trop grand";
    case EIO:
      return "erreur d'entrée-sortie";
    case ENAMETOOLONG:
      return "nom de fichier trop long";
    case ELOOP:
      return "trop de liens symboliques";
    case EMFILE:
    case ENFILE:
      return "trop de fichiers ouverts";
    case EBUSY:
    case ETXTBSY:
      return "fichier occupé";
    case ENOMEM:
      return "mémoire insuffisante";
    case EEXIST:
      return "le fichier existe déjà";
    case EXDEV:
      return "déplacement entre deux systèmes de fichiers";
    case EINVAL:
      return "nom ou opération invalide";
    case ENXIO:
    case ENODEV:
      return "périphérique absent";
    case ETIMEDOUT:
      return "délai dépassé";
    case ESTALE:
      return "fichier réseau devenu inaccessible";
    case EMLINK:
      return "trop de liens";
    case EOPNOTSUPP:
      return "opération non prise en charge par le système de fichiers";
    case EINTR:
      return "opération interrompue";
    default:
      return nullptr;
  }
}

}  // namespace

const std::error_category& FileErrorCategory() {
  static const FileErrorCategoryImpl category;
  return category;
}

std::error_code make_error_code(FileError error) {
  return {static_cast<int>(error), FileErrorCategory()};
}

std::string FrenchErrorText(const std::error_code& error) {
  if (error.category() == FileErrorCategory()) {
    return error.message();
  }
  if (error.category() == std::generic_category() || error.category() == std::system_category()) {
    if (const char* text = SystemErrorText(error.value())) {
      return text;
    }
  }
  return "erreur système " + std::to_string(error.value());
}

}  // namespace fractions
