#include "rtf_test_support.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QUrl>

#include "drawing/question_table.h"
#include "drawing/random.h"
#include "richtext/rtf_prologue.h"
#include "richtext/rtf_reader.h"

namespace fractions::testing {

namespace {

QString ColourName(const QTextCharFormat& format, QTextFormat::Property property) {
  if (!format.hasProperty(property) || format.brushProperty(property).style() == Qt::NoBrush) {
    return {};
  }
  return format.brushProperty(property).color().name();
}

// Family and size as shown: the document's default font stands in for what
// the format leaves unset.
Span TextSpan(const QString& text, const QTextCharFormat& format, const QFont& default_font) {
  Span span;
  span.text = text;
  span.family = format.fontFamilies().toStringList().value(0, default_font.family());
  span.points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                               : default_font.pointSizeF();
  span.bold = format.fontWeight() >= QFont::Bold;
  span.italic = format.fontItalic();
  span.underline = format.fontUnderline();
  span.strike = format.fontStrikeOut();
  span.vertical = format.verticalAlignment();
  span.foreground = ColourName(format, QTextFormat::ForegroundBrush);
  span.background = ColourName(format, QTextFormat::BackgroundBrush);
  return span;
}

Span PictureSpan(const QTextDocument& document, const QTextImageFormat& format) {
  Span span;
  span.picture = true;
  span.image = document.resource(QTextDocument::ImageResource, QUrl(format.name()))
                   .value<QImage>()
                   .convertToFormat(QImage::Format_ARGB32);
  span.width = format.width();
  span.height = format.height();
  return span;
}

bool SameFormat(const Span& a, const Span& b) {
  Span a_copy = a;
  a_copy.text = b.text;
  return !a.picture && !b.picture && a_copy == b;
}

}  // namespace

bool Span::operator==(const Span& other) const {
  return picture == other.picture && text == other.text && family == other.family &&
         points == other.points && bold == other.bold && italic == other.italic &&
         underline == other.underline && strike == other.strike && vertical == other.vertical &&
         foreground == other.foreground && background == other.background && image == other.image &&
         width == other.width && height == other.height;
}

void PrintTo(const Span& span, std::ostream* out) {
  if (span.picture) {
    *out << "picture " << span.image.width() << "x" << span.image.height() << " shown "
         << span.width << "x" << span.height;
    return;
  }
  *out << '"' << span.text.toStdString() << "\" " << span.family.toStdString() << ' ' << span.points
       << "pt" << (span.bold ? " b" : "") << (span.italic ? " i" : "")
       << (span.underline ? " ul" : "") << (span.strike ? " strike" : "") << " v" << span.vertical
       << " fg" << span.foreground.toStdString() << " bg" << span.background.toStdString();
}

std::vector<Block> Describe(const QTextDocument& document) {
  std::vector<Block> blocks;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    Block spans;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      if (format.isImageFormat()) {
        for (int i = 0; i < fragment.length(); ++i) {
          spans.push_back(PictureSpan(document, format.toImageFormat()));
        }
        continue;
      }
      Span span = TextSpan(fragment.text(), format, document.defaultFont());
      if (!spans.empty() && SameFormat(spans.back(), span)) {
        spans.back().text += span.text;
      } else {
        spans.push_back(std::move(span));
      }
    }
    blocks.push_back(std::move(spans));
  }
  return blocks;
}

std::vector<Span> Spans(const QTextDocument& document) {
  std::vector<Span> all;
  for (const Block& block : Describe(document)) {
    all.insert(all.end(), block.begin(), block.end());
  }
  return all;
}

std::vector<QImage> Pictures(const QTextDocument& document) {
  std::vector<QImage> pictures;
  for (const Span& span : Spans(document)) {
    if (span.picture) {
      pictures.push_back(span.image);
    }
  }
  return pictures;
}

std::optional<Span> SpanWith(const QTextDocument& document, const QString& text) {
  for (const Span& span : Spans(document)) {
    if (!span.picture && span.text.contains(text)) {
      return span;
    }
  }
  return std::nullopt;
}

std::optional<RtfReadError> ReadInto(QTextDocument& document, std::string_view rtf) {
  QTextCursor cursor(&document);
  return InsertRtf(cursor, rtf);
}

std::string InPrologue(std::string_view body) {
  std::string rtf(kRtfPrologue);
  rtf += body;
  rtf += '}';
  return rtf;
}

SheetDocuments BuildSampleWorksheet(ExerciseType type, int32_t largest_term, int32_t count,
                                    uint32_t seed) {
  WorksheetSettings settings;
  settings.largest_term = largest_term;
  settings.count = count;
  return BuildSeededSheet({{type, settings}}, seed);
}

int PictureCount(const QTextDocument& document) {
  int count = 0;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().isImageFormat()) {
        count += it.fragment().length();
      }
    }
  }
  return count;
}

void AddPicture(QTextCursor& cursor, const QImage& image, double width, double height) {
  static int counter = 0;
  const QString name = QStringLiteral("test-picture-%1").arg(++counter);
  cursor.document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
  QTextImageFormat format;
  format.setName(name);
  if (width > 0) {
    format.setWidth(width);
  }
  if (height > 0) {
    format.setHeight(height);
  }
  cursor.insertImage(format);
}

}  // namespace fractions::testing
