#include "rtf_writer.h"

#include "document_text.h"

#include <QPixmap>
#include <QTextImageFormat>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_map>
#include <vector>

#include "cp1252.h"
#include "picture_drawings.h"
#include "rtf_content.h"
#include "rtf_picture_writer.h"
#include "symbol_charset.h"
#include "text_characters.h"
#include "text_selection.h"

namespace fractions {

namespace {

constexpr int kMinHalfPoints = 1;
constexpr double kFallbackPointSize = 12.0;

// What the writer says of a run's character format, with the document's
// default font standing in for what the format leaves unset.
struct RunFormat {
  QString family;
  int half_points = 24;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  std::optional<QRgb> foreground;
  std::optional<QRgb> background;

  bool operator==(const RunFormat&) const = default;
};

std::optional<QRgb> BrushColour(const QTextCharFormat& format, QTextFormat::Property property) {
  if (!format.hasProperty(property)) {
    return std::nullopt;
  }
  const QBrush brush = format.brushProperty(property);
  if (brush.style() == Qt::NoBrush) {
    return std::nullopt;
  }
  return brush.color().rgb();
}

double PointSize(const QFont& font) {
  if (font.pointSizeF() > 0) {
    return font.pointSizeF();
  }
  if (font.pixelSize() > 0) {
    return font.pixelSize() * 0.75;  // 96 pixels an inch, 72 points an inch
  }
  return kFallbackPointSize;
}

RunFormat RunFormatOf(const QTextCharFormat& format, const QFont& default_font) {
  const QFont font = format.font().resolve(default_font);
  RunFormat run;
  run.family = font.families().value(0, font.family());
  run.half_points = std::clamp(static_cast<int>(std::lround(PointSize(font) * 2)), kMinHalfPoints,
                               kMaxFontHalfPoints);
  run.bold = font.weight() > QFont::Medium;
  run.italic = font.italic();
  run.underline = format.fontUnderline();
  run.strike = font.strikeOut();
  const auto vertical = format.verticalAlignment();
  if (vertical == QTextCharFormat::AlignSuperScript ||
      vertical == QTextCharFormat::AlignSubScript) {
    run.vertical = vertical;
  }
  run.foreground = BrushColour(format, QTextFormat::ForegroundBrush);
  run.background = BrushColour(format, QTextFormat::BackgroundBrush);
  return run;
}

bool IsSymbolFamily(const QString& family) {
  return family.compare(u"Symbol", Qt::CaseInsensitive) == 0;
}

QImage ImageOf(const QVariant& resource) {
  switch (resource.typeId()) {
    case QMetaType::QImage:
      return resource.value<QImage>();
    case QMetaType::QPixmap:
      return resource.value<QPixmap>().toImage();
    case QMetaType::QByteArray:
      return QImage::fromData(resource.toByteArray());
    default:
      return {};
  }
}

class RtfBodyWriter final : public SelectionVisitor {
 public:
  explicit RtfBodyWriter(const QTextDocument& document)
      : document_(document), default_font_(document.defaultFont()) {}

  void Text(QStringView text, const QTextCharFormat& format) override {
    pending_ = RunFormatOf(format, default_font_);
    format_due_ = !written_ || pending_ != *written_;
    const bool symbol = IsSymbolFamily(pending_.family);
    for (const char32_t c : text.toUcs4()) {
      WriteCharacter(c, symbol);
    }
  }

  void Picture(const QTextImageFormat& format) override {
    const QImage image =
        ImageOf(document_.resource(QTextDocument::ImageResource, QUrl(format.name())));
    if (image.isNull()) {
      return;
    }
    const QSizeF shown = ShownPictureSize(format, image);
    if (const std::optional<DrawnPicture> drawn = FindDrawnPicture(image)) {
      body_ += SharpRtfPictureGroups(*drawn, shown);
    } else {
      body_ += RtfPictureGroup(image, shown.width(), shown.height());
    }
  }

  void ParagraphEnd(bool page_break) override { body_ += page_break ? "\\page " : "\\par "; }

  // \keepn holds from its paragraph on, until \pard: written where it
  // changes, so that a document without it is written as it always was.
  void ParagraphStart(bool keep_with_next) override {
    if (keep_with_next != keeping_) {
      body_ += keep_with_next ? "\\keepn " : "\\pard ";
      keeping_ = keep_with_next;
    }
  }

  std::string Document() {
    if (families_.empty()) {
      FontIndex(default_font_.family());
    }
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (size_t i = 0; i < families_.size(); ++i) {
      rtf += "{\\f" + std::to_string(i) + "\\fnil\\fcharset";
      rtf += IsSymbolFamily(families_[i]) ? "2 " : "0 ";
      AppendFontName(rtf, families_[i]);
      rtf += ";}";
    }
    rtf += "}{\\colortbl;";
    for (const QRgb colour : colours_) {
      rtf += "\\red" + std::to_string(qRed(colour)) + "\\green" + std::to_string(qGreen(colour)) +
             "\\blue" + std::to_string(qBlue(colour)) + ";";
    }
    rtf += "}\\pard";
    rtf += body_;
    rtf += '}';
    return rtf;
  }

 private:
  void WriteFormat(const RunFormat& run) {
    body_ += "\\plain\\f" + std::to_string(FontIndex(run.family));
    body_ += "\\fs" + std::to_string(run.half_points);
    if (run.bold) {
      body_ += "\\b";
    }
    if (run.italic) {
      body_ += "\\i";
    }
    if (run.underline) {
      body_ += "\\ul";
    }
    if (run.strike) {
      body_ += "\\strike";
    }
    if (run.vertical == QTextCharFormat::AlignSuperScript) {
      body_ += "\\super";
    } else if (run.vertical == QTextCharFormat::AlignSubScript) {
      body_ += "\\sub";
    }
    if (run.foreground) {
      body_ += "\\cf" + std::to_string(ColourIndex(*run.foreground));
    }
    if (run.background) {
      body_ += "\\highlight" + std::to_string(ColourIndex(*run.background));
    }
    body_ += ' ';
  }

  // The format goes out with the first character written in it, so that a
  // run of dropped characters leaves no trace.
  void WriteCharacter(char32_t c, bool symbol) {
    if (IsStructureOrControl(c)) {
      return;
    }
    if (format_due_) {
      WriteFormat(pending_);
      written_ = pending_;
      format_due_ = false;
    }
    if (c == u'\t') {
      body_ += "\\tab ";
      return;
    }
    if (c == QChar::LineSeparator) {
      body_ += "\\line ";
      return;
    }
    const std::optional<unsigned char> byte = symbol ? UnicodeToSymbolByte(c) : UnicodeToCp1252(c);
    if (byte) {
      AppendByte(body_, *byte);
    } else {
      AppendUnicode(body_, c);
    }
  }

  static void AppendByte(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    if (byte == '\\' || byte == '{' || byte == '}') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte < 0x20 || byte >= 0x7F) {
      out += "\\'";
      out += kDigits[byte >> 4];
      out += kDigits[byte & 0x0F];
    } else {
      out += static_cast<char>(byte);
    }
  }

  // "\uN?" per UTF-16 unit, N signed as RTF wants it; "?" is the fallback
  // for readers without Unicode (\uc1).
  static void AppendUnicode(std::string& out, char32_t c) {
    const QString units = QString::fromUcs4(&c, 1);
    for (const QChar unit : units) {
      const int value = unit.unicode();
      out += "\\u" + std::to_string(value > 32767 ? value - 65536 : value) + "?";
    }
  }

  // Font names cannot hold ";", which ends the entry.
  static void AppendFontName(std::string& out, const QString& family) {
    for (const char32_t c : family.toUcs4()) {
      if (c == ';' || IsStructureOrControl(c)) {
        continue;
      }
      if (const auto byte = UnicodeToCp1252(c)) {
        AppendByte(out, *byte);
      } else {
        AppendUnicode(out, c);
      }
    }
  }

  int FontIndex(const QString& family) {
    const auto [it, added] = font_indexes_.try_emplace(family, static_cast<int>(families_.size()));
    if (added) {
      families_.push_back(family);
    }
    return it->second;
  }

  // Entry 0 is the automatic colour; used colours follow from 1.
  int ColourIndex(QRgb colour) {
    const auto [it, added] =
        colour_indexes_.try_emplace(colour, static_cast<int>(colours_.size()) + 1);
    if (added) {
      colours_.push_back(colour);
    }
    return it->second;
  }

  const QTextDocument& document_;
  const QFont default_font_;
  std::string body_;
  RunFormat pending_;                 // of the run being written
  std::optional<RunFormat> written_;  // the last format written
  bool format_due_ = false;           // pending_ differs from written_
  bool keeping_ = false;              // \keepn is in force
  std::vector<QString> families_;
  std::unordered_map<QString, int> font_indexes_;
  std::vector<QRgb> colours_;
  std::unordered_map<QRgb, int> colour_indexes_;
};

}  // namespace

std::string WriteRtf(const QTextCursor& selection) {
  const QTextDocument* document = selection.document();
  if (document == nullptr) {
    return WriteRtf(QTextDocument());
  }
  RtfBodyWriter writer(*document);
  VisitSelection(selection, writer);
  return writer.Document();
}

std::string WriteRtf(const QTextDocument& document) {
  // The cursor only reads; QTextCursor has no constructor for a const document.
  QTextCursor all(const_cast<QTextDocument*>(&document));
  all.select(QTextCursor::Document);
  return WriteRtf(all);
}

}  // namespace fractions
