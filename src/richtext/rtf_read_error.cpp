#include "rtf_read_error.h"

namespace fractions {

std::string ReadErrorInFrench(const RtfReadError& error) {
  const std::string at = " à l'octet " + std::to_string(error.offset);
  switch (error.kind) {
    case RtfReadError::Kind::kNotRtf:
      return "ce n'est pas un document RTF : il ne commence pas par {\\rtf";
    case RtfReadError::Kind::kUnmatchedClose:
      return "accolade fermante en trop" + at + ", après la fin du document";
    case RtfReadError::Kind::kTextAfterEnd:
      return "texte après la fin du document" + at;
    case RtfReadError::Kind::kUnclosedGroup:
      return "le document s'arrête" + at + " avant la fin de ses groupes";
    case RtfReadError::Kind::kTooDeep:
      return "groupes imbriqués sur plus de " + std::to_string(kMaxRtfGroupDepth) + " niveaux" + at;
    case RtfReadError::Kind::kUnreadablePicture:
      return "image illisible" + at;
  }
  return "document RTF illisible" + at;
}

}  // namespace fractions
