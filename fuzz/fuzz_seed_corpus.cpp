// Writes the seed corpora of the fuzz targets:
//   fuzz_seed_corpus RTF_DIR MARKUP_DIR [SETTINGS_DIR]
// RTF_DIR gets small real worksheets of every type (subject and answer key)
// and the inputs an RTF reader must survive; MARKUP_DIR gets header markup
// as the window builds it and tags typed every which way; SETTINGS_DIR a
// settings file as the program writes it and damaged ones.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <string>
#include <vector>

#include "drawing/exercise_catalogue.h"
#include "drawing/question_table.h"
#include "drawing/random.h"
#include "richtext/dib.h"
#include "richtext/hex.h"
#include "richtext/rtf_prologue.h"
#include "worksheet/sheet_build.h"

namespace fractions {
namespace {

struct Seed {
  std::string name;
  std::string bytes;
};

std::string Hex(const std::string& bytes) {
  std::string hex;
  AppendHex(hex, bytes);
  return hex;
}

std::string Body(const std::string& body) {
  return std::string(kRtfPrologue) + body + "}";
}

std::string SmallDib() {
  QImage image(10, 3, QImage::Format_Mono);
  image.setColorTable({0xFF000000, 0xFFFFFFFF});
  image.fill(1);
  image.setPixel(2, 1, 0);
  return EncodeOneBitDib(image);
}

// The DIB with four header bytes at `at` replaced.
std::string Patched(std::string dib, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) {
    dib[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  return dib;
}

std::string Encoded(const char* format) {
  QImage image(4, 3, QImage::Format_ARGB32);
  image.fill(qRgba(200, 30, 40, 128));
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return data.toStdString();
}

std::vector<Seed> WorksheetSeeds() {
  std::vector<Seed> seeds;
  for (const ExerciseType type : kAllExerciseTypes) {
    LcgRandom random(42);
    QuestionTable table;
    LineImages images;
    WorksheetTools tools{random, table, images};
    WorksheetSettings settings;
    settings.largest_term = 9;
    settings.count = 2;
    const SheetDocuments documents = BuildSheet({{type, settings}}, tools);
    const std::string prefix(Describe(type).name_prefix);
    seeds.push_back({prefix + "_subject.rtf", documents.subject});
    seeds.push_back({prefix + "_answer_key.rtf", documents.answer_key});
  }
  return seeds;
}

std::vector<Seed> HostileSeeds() {
  const std::string dib = SmallDib();
  const std::string hex = Hex(dib);
  std::string many_fonts = "{\\rtf1{\\fonttbl";
  for (int i = 0; i < 3000; ++i) {
    many_fonts += "{\\f" + std::to_string(i) + " F;}";
  }
  many_fonts += "}\\f2999 x}";
  return {
      {"hex_escapes.rtf", Body("\\'e9\\'E9 a\\'3?b \\'")},
      {"unicode.rtf", Body("\\uc1\\u-3913?\\uc0\\u233 \\uc2\\u8364\\'80\\'80{\\uc2\\u8364?}x"
                           "\\u-10179?\\u-8704?\\u-10179?y")},
      {"ignorable.rtf", Body("{\\*\\foo {nested}{\\bin3 }}}}}\\foo x{\\*\\fldinst a}")},
      {"bin.rtf", Body("\\bin x\\bin0 y\\bin4 {}\\z\\bin-1 w")},
      {"bin_huge.rtf", Body("\\bin4294967296 abc")},
      {"bin_past_end.rtf", Body("\\bin99999999 abc")},
      {"deep.rtf", "{\\rtf1" + std::string(100000, '{')},
      {"unmatched_close.rtf", "{\\rtf1 x}}"},
      {"missing_close.rtf", "{\\rtf1 {\\b x}"},
      {"text_after_end.rtf", "{\\rtf1 x} y"},
      {"long_word.rtf", Body("\\" + std::string(40, 'b') + " x\\par" + std::string(33, 'x'))},
      {"big_numbers.rtf", Body("\\fs99999999999 a\\f-2147483648 b\\picw87,5 c\\uc99999999\\u1 d")},
      {"delimiters.rtf",
       Body("\\b0\\i x\\b0 x\tx\r\nx\\\\ \\{ \\} \\~ \\- \\_ a\\line b\\par c\\\nd")},
      {"font_tables.rtf",
       "{\\rtf1\\deff7{\\fonttbl\\f0\\fswiss Arial;\\f1\\fcharset2 Symbol;{\\f2\\fcharset2 "
       "Wingdings;}}\\f1 abc\\f9 d\\f2 e}"},
      {"many_fonts.rtf", many_fonts},
      {"colours.rtf",
       "{\\rtf1{\\colortbl;\\red300\\green-1\\blue7;}\\cf99 a\\cf1 b\\highlight0 "
       "c\\highlight1 d\\cb1 e}"},
      {"formats.rtf", Body("\\fs12pt a\\fs b\\ul c\\ulnone d\\strike e\\super f\\sub g"
                           "\\nosupersub h\\plain i\\pard j")},
      {"picture.rtf", Body("{\\pict\\dibitmap0 " + hex + " }\\par ")},
      {"picture_sized.rtf", Body("{\\pict\\dibitmap0\\picw10\\pich3\\picwgoal150\\pichgoal45"
                                 "\\picscalex50 " +
                                 hex + "}")},
      {"picture_odd_hex.rtf", Body("{\\pict\\dibitmap0 " + hex + "F}")},
      {"picture_junk.rtf",
       Body("{\\pict\\dibitmap0 " + hex.substr(0, 7) + " zz\r\n" + hex.substr(7) + "}")},
      {"picture_huge.rtf",
       Body("{\\pict\\dibitmap0 " + Hex(Patched(Patched(dib, 4, 1000000), 8, 1000000)) + "}")},
      {"picture_truncated.rtf", Body("{\\pict\\dibitmap0 " + hex.substr(0, hex.size() - 10) + "}")},
      {"picture_top_down.rtf",
       Body("{\\pict\\dibitmap0 " + Hex(Patched(dib, 8, static_cast<uint32_t>(-3))) + "}")},
      {"picture_colours_used.rtf", Body("{\\pict\\dibitmap0 " + Hex(Patched(dib, 32, 2)) + "}")},
      {"picture_bin.rtf",
       Body("{\\pict\\dibitmap0\\bin" + std::to_string(dib.size()) + " " + dib + "}")},
      {"picture_twins.rtf", Body("{\\*\\shppict{\\pict\\dibitmap0 " + hex +
                                 "}}{\\nonshppict{\\pict\\dibitmap0 " + hex + "}}")},
      {"picture_png.rtf", Body("{\\pict\\pngblip\\picwgoal60 " + Hex(Encoded("PNG")) + "}")},
      {"picture_jpeg.rtf", Body("{\\pict\\jpegblip " + Hex(Encoded("JPEG")) + "}")},
  };
}

std::vector<Seed> MarkupSeeds() {
  return {
      {"header.txt", std::string(kRtfPrologue) +
                         "<arial><te=18>AddFract12 - <u>Nom :     Pr\xE9nom :</u><br><br><b>"
                         "Calculer (r\xE9ponse irr\xE9"
                         "ductible)<b><br><br>"},
      {"tags.txt",
       "<B>Titre</B><i>a</i><s>b</s><sup>2</sup><sub>3</sub><times><courier>"
       "<symbol><tab><br"},
      {"sizes.txt", "<te=12pt><te=><te=1te=2><TE=14>"},
      {"colours.txt", "<ce=rouge>x<ce=auto><CF=Jaune><ce=bleu fonc\xE9><cf=gris fonc\xE9>"},
      {"odd.txt", std::string("a<>b<b<c>d 5 > 3 {\\b gras} \xE9\x80\xFF a\r\nb\tc") + '\0' + "<b>"},
  };
}

// Settings files: the one a first close writes, and damaged ones.
std::vector<Seed> SettingsSeeds() {
  const std::string main =
      "[TForm1]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\nPixelsPerInch=96\r\n"
      "MinMaxPos(1024x768)=-1,-1,-1,-1\r\nMinMaxPos=-1,-1,-1,-1\r\n"
      "NormPos(1024x768)=201,146,1007,593\r\nNormPos=201,146,1007,593\r\nVisible=0\r\n"
      "spmaxvaleur_Value=100\r\nspMaxLigne_Value=25\r\nspinterligne_Value=1\r\n"
      "eTitre1_Text=Nom :   Pr\xE9nom :\r\neSepar_Text=-----\r\nspCorriges_Value=1\r\n"
      "spSujets_Value=1\r\nSaveDialog1_InitialDir=\r\nCombo1_Text=Calculer\r\n"
      "CheckBox1_Checked=True\r\nckbEdite_Checked=False\r\nckbVariantes_Checked=False\r\n"
      "ckbSuite_Checked=False\r\n";
  const std::string list =
      "[TForm1.Combo1_Items]\r\nCount=3\r\nItem0=Calculer\r\nItem1=\"  deux blancs  \"\r\n"
      "Item2=\"\"Cite\"\"\r\n";
  const std::string options =
      "[Options]\r\nNiveau=Libre\r\nDenominateurs=0\r\nRelatifs=0\r\nMixtes=0\r\n"
      "SigneDivision=0\r\nPlusPetitDenominateur=0\r\nGrandsCaracteres=0\r\nCorrigeDetaille=0\r\n";
  return {
      {"first_close.ini", main + list + options},
      // Two options sections, one written by hand, with a repeated key.
      {"two_options.ini", main + "[Options]\r\nNiveau=CM2\r\nniveau=6e\r\nRelatifs=1\r\n" + list +
                              "[options]\r\nNiveau=4e\r\nMixtes=1\r\n"},
      {"damaged_count.ini", "[TForm1.Combo1_Items]\r\nCount=2147483647\r\nItem1=b\r\n"},
      {"placement.ini",
       "[TForm1]\r\nNormPos=-2147483648,5,2147483647,9\r\nShowCmd=6\r\n"
       "MinMaxPos=x 5\r\nFlags=-7\r\n"},
      {"version.ini", "[TForm1]\r\nFormVersion=-1\r\nspMaxLigne_Value=7\r\n[Other]\r\nk=v\r\n"},
      {"values.ini",
       "; comment\n[tform1]\nSPMAXVALEUR_VALUE= +3 \neTitre1_Text='x'\n"
       "ckbEdite_Checked=tRUE\r\r\n[TForm1]\nspSujets_Value=0x10\n[broken\n=v\n"},
  };
}

bool WriteAll(const QString& folder, const std::vector<Seed>& seeds) {
  if (!QDir().mkpath(folder)) {
    return false;
  }
  for (const Seed& seed : seeds) {
    QFile file(QDir(folder).filePath(QString::fromStdString(seed.name)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(seed.bytes.data(), static_cast<qint64>(seed.bytes.size())) !=
            static_cast<qint64>(seed.bytes.size())) {
      return false;
    }
  }
  return true;
}

}  // namespace
}  // namespace fractions

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: fuzz_seed_corpus RTF_DIR MARKUP_DIR [SETTINGS_DIR]\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::vector<fractions::Seed> rtf = fractions::WorksheetSeeds();
  for (fractions::Seed& seed : fractions::HostileSeeds()) {
    rtf.push_back(std::move(seed));
  }
  if (!fractions::WriteAll(QString::fromLocal8Bit(argv[1]), rtf) ||
      !fractions::WriteAll(QString::fromLocal8Bit(argv[2]), fractions::MarkupSeeds()) ||
      (argc == 4 &&
       !fractions::WriteAll(QString::fromLocal8Bit(argv[3]), fractions::SettingsSeeds()))) {
    std::fprintf(stderr, "fuzz_seed_corpus: cannot write the corpora\n");
    return 1;
  }
  return 0;
}
