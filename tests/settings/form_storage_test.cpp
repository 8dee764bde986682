#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "fake_window.h"
#include "settings/form_storage.h"
#include "settings/ini_file.h"
#include "temp_folder.h"

namespace fractions {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::BuiltInInstructions;
using testing::DefaultTitle;
using testing::FakeWindow;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kChange = "spmaxvaleurChange";

// One start of the program up to the window's first show.
struct Start {
  explicit Start(const fs::path& file) : storage(window) {
    storage.SetIniFileName(file);
    storage.RestoreOnShow();
  }
  FakeWindow window;
  TFormStorage storage;
};

// A start on a file that holds "[TForm1]" and then `lines`.
struct StartOn : TempFolder, Start {
  explicit StartOn(const std::string& lines)
      : Start((WriteBytes(*this / "f.ini", "[TForm1]\r\n" + lines + "\r\n"), *this / "f.ini")) {}
};

TEST(TFormStorage, FirstStartChangesNothingAndTheCloseWritesEveryKeyInOrder) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  Start start(file);
  EXPECT_TRUE(start.window.handler_calls.empty());
  EXPECT_FALSE(start.window.applied || start.window.designed_position);
  EXPECT_EQ(start.window.state_set, WindowState::kNormal);
  EXPECT_EQ(start.storage.SaveOnClose(), std::nullopt);
  EXPECT_EQ(start.storage.SaveOnDestroy(), std::nullopt);
  EXPECT_EQ(start.storage.State(), StorageState::kSaved);
  const std::vector<std::string> items = BuiltInInstructions();
  EXPECT_EQ(ReadBytes(file),
            "[TForm1]\r\nFormVersion=0\r\nFlags=0\r\nShowCmd=1\r\nPixelsPerInch=96\r\n"
            "MinMaxPos(1024x768)=-1,-1,-1,-1\r\nMinMaxPos=-1,-1,-1,-1\r\n"
            "NormPos(1024x768)=201,146,1007,593\r\nNormPos=201,146,1007,593\r\nVisible=0\r\n"
            "spmaxvaleur_Value=100\r\nspMaxLigne_Value=25\r\nspinterligne_Value=1\r\n"
            "eTitre1_Text=" +
                DefaultTitle() + "\r\neSepar_Text=" + std::string(123, '-') +
                "\r\nspCorriges_Value=1\r\nspSujets_Value=1\r\nSaveDialog1_InitialDir=\r\n"
                "Combo1_Text=" +
                items[0] +
                "\r\nCheckBox1_Checked=True\r\nckbEdite_Checked=False\r\n"
                "ckbVariantes_Checked=False\r\nckbSuite_Checked=False\r\n"
                "[TForm1.Combo1_Items]\r\nCount=3\r\nItem0=" +
                items[0] + "\r\nItem1=" + items[1] + "\r\nItem2=" + items[2] +
                "\r\n[Options]\r\nNiveau=Libre\r\nDenominateurs=0\r\nRelatifs=0\r\nMixtes=0\r\n"
                "SigneDivision=0\r\nPlusPetitDenominateur=0\r\nGrandsCaracteres=0\r\n"
                "CorrigeDetaille=0\r\n");
}

// The options come back as written; a missing or unknown value reads as
// the default, and the section stays the file's last, lines the program
// does not know included.
TEST(TFormStorage, OptionsComeBackAndBadValuesFallBackToTheirDefaults) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  WriteBytes(file,
             "[Options]\r\nNiveau= 4e \r\nDenominateurs=7\r\nRelatifs=1\r\nMixtes=oui\r\n"
             "Note=a moi\r\nCorrigeDetaille=1\r\n[TForm1]\r\nspMaxLigne_Value=12\r\n");
  Start first(file);
  EXPECT_EQ(first.window.options,
            (std::map<std::string, size_t, std::less<>>{{"Niveau", 4},
                                                        {"Denominateurs", 0},
                                                        {"Relatifs", 1},
                                                        {"Mixtes", 0},
                                                        {"SigneDivision", 0},
                                                        {"PlusPetitDenominateur", 0},
                                                        {"GrandsCaracteres", 0},
                                                        {"CorrigeDetaille", 1}}));
  first.window.options["Niveau"] = 2;
  first.window.options["Denominateurs"] = 2;
  first.window.options["SigneDivision"] = 1;
  ASSERT_EQ(first.storage.SaveOnClose(), std::nullopt);
  const std::string bytes = ReadBytes(file);
  const std::string section =
      "[Options]\r\nNiveau=6e\r\nDenominateurs=2\r\nRelatifs=1\r\nMixtes=0\r\nNote=a moi\r\n"
      "CorrigeDetaille=1\r\nSigneDivision=1\r\nPlusPetitDenominateur=0\r\nGrandsCaracteres=0\r\n";
  EXPECT_TRUE(bytes.ends_with(section)) << bytes;
  EXPECT_EQ(Start(file).window.options, first.window.options);
  // A file of an older program has no section: every option at its default.
  EXPECT_EQ(StartOn("spMaxLigne_Value=12").window.options.at("Relatifs"), 0u);
}

// A file with two [Options] sections (edited by hand, or by another
// program): every start reads the first, every close writes into it, and
// the second section and a repeated key stay after it as they are. From
// the first close on, the file no longer changes.
TEST(TFormStorage, TheFirstOfTwoOptionsSectionsServesAtEveryStart) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  const std::string second = "[Options]\r\nNiveau=4e\r\nRelatifs=1\r\nNote=a moi\r\n";
  WriteBytes(file,
             "[TForm1]\r\nspMaxLigne_Value=12\r\n[Options]\r\nNiveau=CM2\r\nNiveau=5e\r\n"
             "Mixtes=1\r\n" +
                 second);
  const std::string options =
      "[Options]\r\nNiveau=CM2\r\nNiveau=5e\r\nMixtes=1\r\nDenominateurs=0\r\nRelatifs=0\r\n"
      "SigneDivision=0\r\nPlusPetitDenominateur=0\r\nGrandsCaracteres=0\r\nCorrigeDetaille=0\r\n" +
      second;
  std::string saved;
  for (int start = 1; start <= 3; ++start) {
    Start run(file);
    EXPECT_EQ(run.window.options.at("Niveau"), 1u) << "start " << start;
    EXPECT_EQ(run.window.options.at("Mixtes"), 1u) << "start " << start;
    EXPECT_EQ(run.window.options.at("Relatifs"), 0u) << "start " << start;
    ASSERT_EQ(run.storage.SaveOnClose(), std::nullopt);
    const std::string bytes = ReadBytes(file);
    EXPECT_TRUE(bytes.ends_with(options)) << "start " << start << "\n" << bytes;
    if (start > 1) {
      EXPECT_EQ(bytes, saved) << "start " << start;
    }
    saved = bytes;
  }
}

TEST(TFormStorage, RestoredValuesAreParsedLimitedAndRunTheirHandlersOnlyOnChange) {
  struct Case {
    const char* line;
    const char* control;
    std::variant<int32_t, std::string, bool> expected;
    std::vector<std::string> handlers;
  };
  const std::vector<Case> cases = {
      {"spMaxLigne_Value=abc", "spMaxLigne", 1, {kChange}},
      {"spMaxLigne_Value=", "spMaxLigne", 1, {kChange}},
      {"spMaxLigne_Value=99999999999", "spMaxLigne", 1, {kChange}},
      {"spMaxLigne_Value=25", "spMaxLigne", 25, {}},
      {"Other=7", "spMaxLigne", 25, {}},
      {"spmaxvaleur_Value=900", "spmaxvaleur", 500, {kChange}},
      {"SPMAXVALEUR_VALUE=-5", "spmaxvaleur", 9, {kChange}},
      {"spinterligne_Value= +3 ", "spinterligne", 3, {kChange}},
      {"spinterligne_Value=1.5", "spinterligne", 0, {kChange}},
      {"spSujets_Value=0x10", "spSujets", 0, {}},
      {"spSujets_Value=1001", "spSujets", 1000, {}},
      {"CheckBox1_Checked=false", "CheckBox1", false, {"CheckBox1Click"}},
      {"CheckBox1_Checked=0", "CheckBox1", true, {}},
      {"ckbEdite_Checked=tRUE", "ckbEdite", true, {"ckbEditeClick"}},
      {"eTitre1_Text=Nom \x01  ", "eTitre1", "Nom", {kChange}},
      {"Combo1_Text=\"\"Dites\"\"", "Combo1", "\"Dites\"", {}},
      {"SaveDialog1_InitialDir=/home/prof", "SaveDialog1", "/home/prof", {}},
  };
  for (const Case& c : cases) {
    const StartOn start(c.line);
    const FakeWindow& window = start.window;
    std::visit(
        [&](const auto& expected) {
          using T = std::decay_t<decltype(expected)>;
          if constexpr (std::is_same_v<T, int32_t>) {
            EXPECT_EQ(window.GetInteger(c.control), expected) << c.line;
          } else if constexpr (std::is_same_v<T, std::string>) {
            EXPECT_EQ(window.GetText(c.control), expected) << c.line;
          } else {
            EXPECT_EQ(window.GetChecked(c.control), expected) << c.line;
          }
        },
        c.expected);
    EXPECT_EQ(window.handler_calls, c.handlers) << c.line;
  }
}

TEST(TFormStorage, TypedValuesAndAMinimizedCloseComeBackAtTheNextStart) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  const std::vector<std::string> lines = {"Calcule",         "\"Cite\"", "'Range'", "\"x'",
                                          "  deux blancs  ", "\tx",      "\"y "};
  {
    Start first(file);
    first.window.texts["eTitre1"] = "Nom : Dupont   ";
    first.window.texts["eSepar"] = "'***'";
    first.window.texts["Combo1"] = "\"Cite\"";
    first.window.combo_lines = lines;
    first.window.checks["ckbEdite"] = true;
    first.window.application_minimized = true;
    ASSERT_EQ(first.storage.SaveOnClose(), std::nullopt);
  }
  const std::string bytes = ReadBytes(file);
  EXPECT_NE(bytes.find("\r\nShowCmd=2\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nCombo1_Text=\"\"Cite\"\"\r\n"), std::string::npos);

  Start second(file);
  EXPECT_EQ(second.window.texts["eTitre1"], "Nom : Dupont");
  EXPECT_EQ(second.window.texts["eSepar"], "'***'");
  EXPECT_EQ(second.window.texts["Combo1"], "\"Cite\"");
  EXPECT_EQ(second.window.combo_lines, lines);
  EXPECT_TRUE(second.window.checks["ckbEdite"]);
  EXPECT_EQ(second.window.state_set, WindowState::kNormal);
  EXPECT_TRUE(second.window.minimized_after_start);
  // And again after a second close.
  ASSERT_EQ(second.storage.SaveOnClose(), std::nullopt);
  EXPECT_EQ(Start(file).window.combo_lines, lines);
}

TEST(TFormStorage, AListTooLargeForTheFileKeepsItsFirstLinesAndTheFileReadable) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  std::vector<std::string> lines;
  for (int i = 0; i < kMaxRestoredListLines + 10; ++i) {
    lines.push_back(std::to_string(i) + std::string(2000, 'x'));
  }
  {
    Start first(file);
    first.window.combo_lines = lines;
    first.window.checks["ckbEdite"] = true;
    ASSERT_EQ(first.storage.SaveOnClose(), std::nullopt);
  }
  EXPECT_LE(fs::file_size(file), kMaxIniFileBytes);
  const Start second(file);
  const std::vector<std::string>& kept = second.window.combo_lines;
  ASSERT_GT(kept.size(), 1000u);
  EXPECT_TRUE(std::equal(kept.begin(), kept.end(), lines.begin()));
  EXPECT_TRUE(second.window.checks.at("ckbEdite"));
}

TEST(TFormStorage, RestoredListReplacesTheLinesOnlyForAPositiveCount) {
  struct Case {
    const char* section;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"Count=0\r\nItem0=a", BuiltInInstructions()},     {"Item0=a", BuiltInInstructions()},
      {"Count=abc\r\nItem0=a", BuiltInInstructions()},   {"count= 2 \r\nITEM0=a", {"a"}},
      {"Count=3\r\nItem0=a\r\nItem2=c", {"a", "", "c"}}, {"Count=3", BuiltInInstructions()},
  };
  for (const Case& c : cases) {
    const StartOn start(std::string("[TForm1.Combo1_Items]\r\n") + c.section);
    EXPECT_EQ(start.window.combo_lines, c.expected) << c.section;
    EXPECT_EQ(start.window.texts.at("Combo1"), BuiltInInstructions()[0]);
  }
  // A damaged count makes no empty lines after the last item present.
  const StartOn huge("[TForm1.Combo1_Items]\r\nCount=2147483647\r\nItem1=b");
  EXPECT_EQ(huge.window.combo_lines, (std::vector<std::string>{"", "b"}));
}

TEST(TFormStorage, AnEmptyListRemovesItsSectionAndTheBuiltInTextsComeBack) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  WriteBytes(file, "[TForm1.Combo1_Items]\r\nCount=1\r\nItem0=a\r\n[Other]\r\nx=1\r\n");
  {
    Start first(file);
    ASSERT_EQ(first.window.combo_lines, std::vector<std::string>{"a"});
    first.window.combo_lines.clear();
    ASSERT_EQ(first.storage.SaveOnClose(), std::nullopt);
  }
  EXPECT_EQ(ReadBytes(file).find("Combo1_Items"), std::string::npos);
  EXPECT_EQ(ReadBytes(file).rfind("[Other]\r\nx=1\r\n[TForm1]\r\n", 0), 0u);
  EXPECT_EQ(Start(file).window.combo_lines, BuiltInInstructions());
}

TEST(TFormStorage, PlacementAppliedOnlyWhenFoundAtTheSameResolutionAndSound) {
  struct Case {
    const char* what;
    const char* lines;
    std::optional<WindowPlacement> applied;
  };
  const auto placement = [](int32_t flags, ScreenPoint min, ScreenPoint max, ScreenRect rect) {
    return WindowPlacement{flags, WindowState::kNormal, min, max, rect};
  };
  const std::vector<Case> cases = {
      {"the keys of this screen size",
       "Flags=2\r\nPixelsPerInch=96\r\nMinMaxPos(1024x768)=1,2,3,4\r\nMinMaxPos=9,9,9,9\r\n"
       "NormPos(1024x768)=10,20,810,620\r\nNormPos=0,0,5,5",
       placement(2, {1, 2}, {3, 4}, {10, 20, 810, 620})},
      {"another screen size: the keys for any size",
       "NormPos(1280x1024)=1,1,2,2\r\nNormPos=30,40,830,640",
       placement(0, {0, 0}, {0, 0}, {30, 40, 830, 640})},
      {"an empty key for this size", "NormPos(1024x768)=\r\nNormPos=30,40,830,640",
       placement(0, {0, 0}, {0, 0}, {30, 40, 830, 640})},
      {"numbers missing or not numbers", "MinMaxPos=x 5\r\nNormPos=10 ,, x",
       placement(0, {0, 5}, {0, 0}, {10, 146, 1007, 593})},
      {"another pixels per inch", "PixelsPerInch=120\r\nNormPos=30,40,830,640", std::nullopt},
      {"left not left of right", "NormPos=500,0,500,10", std::nullopt},
      {"a width beyond 32 bits", "NormPos=-2147483648,0,2147483647,10", std::nullopt},
      {"a height beyond 32 bits", "NormPos=0,2147483647,10,-2147483648", std::nullopt},
      {"no position at all", "PixelsPerInch=96\r\nFlags=3", std::nullopt},
  };
  for (const Case& c : cases) {
    const StartOn start(c.lines);
    EXPECT_EQ(start.window.applied, c.applied) << c.what;
    EXPECT_EQ(start.window.designed_position, c.applied.has_value()) << c.what;
  }
  // Another resolution still restores the state and the values.
  const StartOn other(
      "PixelsPerInch=120\r\nNormPos=30,40,830,640\r\nShowCmd=3\r\n"
      "spMaxLigne_Value=7");
  EXPECT_EQ(other.window.state_set, WindowState::kMaximized);
  EXPECT_EQ(other.window.spins.at("spMaxLigne").value, 7);
}

TEST(TFormStorage, ShowCommandsMapToNormalMaximizedOrAMinimizedApplication) {
  for (const char* normal : {"1", "5", "9", "0", "4", "8", "x"}) {
    const StartOn start(std::string("ShowCmd=") + normal);
    EXPECT_EQ(start.window.state_set, WindowState::kNormal) << normal;
    EXPECT_FALSE(start.window.minimized_after_start) << normal;
  }
  for (const char* minimized : {"2", "6", "7"}) {
    const StartOn start(std::string("ShowCmd=") + minimized);
    EXPECT_EQ(start.window.state_set, WindowState::kNormal) << minimized;
    EXPECT_TRUE(start.window.minimized_after_start) << minimized;
  }
  EXPECT_EQ(StartOn("ShowCmd=3").window.state_set, WindowState::kMaximized);
}

TEST(TFormStorage, NegativeFormVersionRestoresNothingButTheCloseRewritesAll) {
  StartOn start(
      "FormVersion=-1\r\nShowCmd=3\r\nNormPos=30,40,830,640\r\nspMaxLigne_Value=7\r\n"
      "Unknown=kept");
  EXPECT_EQ(start.storage.State(), StorageState::kRestored);
  EXPECT_EQ(start.window.spins.at("spMaxLigne").value, 25);
  EXPECT_TRUE(start.window.handler_calls.empty());
  EXPECT_FALSE(start.window.applied || start.window.state_set || start.window.designed_position);
  ASSERT_EQ(start.storage.SaveOnClose(), std::nullopt);
  const std::string bytes = ReadBytes(start / "f.ini");
  for (const char* line :
       {"[TForm1]\r\nFormVersion=0\r\nShowCmd=1\r\n", "\r\nspMaxLigne_Value=25\r\n",
        "\r\nUnknown=kept\r\n", "\r\nckbEdite_Checked=False\r\n"}) {
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
  }
}

// Files a teacher edited by hand: a UTF-8 editor's mark, or old Mac line
// ends. Their values come back, and the close writes one section, in
// Windows-1252 with CR LF and no mark.
TEST(TFormStorage, HandEditedFilesKeepTheirValues) {
  for (const std::string& file :
       {"\xEF\xBB\xBF[TForm1]\r\neTitre1_Text=\xC3\x89l\xC3\xA8ves\r\nspMaxLigne_Value=7\r\n"s,
        "[TForm1]\reTitre1_Text=\xC9l\xE8ves\rspMaxLigne_Value=7\r"s}) {
    TempFolder folder;
    WriteBytes(folder / "f.ini", file);
    Start start(folder / "f.ini");
    EXPECT_EQ(start.window.texts.at("eTitre1"), "\xC9l\xE8ves");
    EXPECT_EQ(start.window.spins.at("spMaxLigne").value, 7);
    ASSERT_EQ(start.storage.SaveOnClose(), std::nullopt);
    const std::string bytes = ReadBytes(folder / "f.ini");
    EXPECT_TRUE(
        bytes.starts_with("[TForm1]\r\neTitre1_Text=\xC9l\xE8ves\r\nspMaxLigne_Value=7\r\n"))
        << bytes;
    EXPECT_EQ(bytes.find("[TForm1]", 1), std::string::npos) << "a second section";
  }
}

TEST(TFormStorage, AFailedSaveIsReportedOnceAndRetriedAtDestruction) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  Start start(file);
  fs::create_directories(file / "blocking");
  EXPECT_EQ(start.storage.SaveOnClose(),
            "Impossible d'écrire dans " + file.string() + " (un dossier porte ce nom)");
  EXPECT_EQ(start.storage.State(), StorageState::kRestored);
  fs::remove_all(file);
  EXPECT_EQ(start.storage.SaveOnDestroy(), std::nullopt);
  EXPECT_EQ(start.storage.State(), StorageState::kSaved);
  EXPECT_NE(ReadBytes(file).find("\r\nVisible=1\r\n"), std::string::npos);

  // A failure at destruction is the first one when the close did not save.
  Start unclosed(file);
  fs::remove(file);
  fs::create_directories(file / "blocking");
  EXPECT_EQ(unclosed.storage.SaveOnDestroy(),
            "Impossible d'écrire dans " + file.string() + " (un dossier porte ce nom)");
  EXPECT_EQ(unclosed.storage.SaveOnDestroy(), std::nullopt);
}

TEST(TFormStorage, NoSaveBeforeTheRestoreNorAfterASuccessfulClose) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  FakeWindow window;
  TFormStorage storage(window);
  storage.SetIniFileName(file);
  EXPECT_EQ(storage.SaveOnClose(), std::nullopt);
  EXPECT_EQ(storage.SaveOnDestroy(), std::nullopt);
  EXPECT_FALSE(fs::exists(file));

  storage.RestoreOnShow();
  ASSERT_EQ(storage.SaveOnClose(), std::nullopt);
  const std::string closed = ReadBytes(file);
  window.spins["spMaxLigne"].value = 3;
  EXPECT_EQ(storage.SaveOnDestroy(), std::nullopt);
  EXPECT_EQ(ReadBytes(file), closed);
}

// The file beside a program on a read-only medium: read until the user's
// own file exists, never written.
TEST(TFormStorage, TheFirstReadFileServesUntilTheSettingsFileExists) {
  TempFolder folder;
  const fs::path beside = folder / "stick" / "fractions.ini";
  const fs::path user = folder / "config" / "fractions.ini";
  fs::create_directories(beside.parent_path());
  fs::create_directories(user.parent_path());
  const std::string brought = "[TForm1]\r\nspSujets_Value=4\r\n[Autre]\r\ncle=gardee\r\n";
  WriteBytes(beside, brought);
  for (const int start : {1, 2}) {
    FakeWindow window;
    TFormStorage storage(window);
    storage.SetIniFileName(user);
    storage.SetFirstReadFile(beside);
    storage.RestoreOnShow();
    EXPECT_EQ(window.spins["spSujets"].value, start == 1 ? 4 : 7) << start;
    window.spins["spSujets"].value = 7;
    ASSERT_EQ(storage.SaveOnClose(), std::nullopt);
    EXPECT_EQ(ReadBytes(beside), brought);
    EXPECT_NE(ReadBytes(user).find("spSujets_Value=7\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(user).find("[Autre]\r\ncle=gardee\r\n"), std::string::npos);
  }
}

TEST(TFormStorage, MissingControlsAreDroppedAndAFailingOneIsSkipped) {
  TempFolder folder;
  const fs::path file = folder / "fractions.ini";
  WriteBytes(file,
             "[TForm1]\r\nckbEdite_Checked=True\r\neTitre1_Text=Titre\r\n"
             "eSepar_Text=***\r\nspSujets_Value=4\r\n");
  FakeWindow window;
  window.missing_controls = {"ckbEdite"};
  window.failing_controls = {"eTitre1"};
  TFormStorage storage(window);
  EXPECT_EQ(storage.StoredValues().size(), kStoredValues.size() - 1);
  storage.SetIniFileName(file);
  storage.RestoreOnShow();
  EXPECT_EQ(window.texts["eTitre1"], DefaultTitle());
  EXPECT_EQ(window.texts["eSepar"], "***");
  EXPECT_EQ(window.spins["spSujets"].value, 4);

  ASSERT_EQ(storage.SaveOnClose(), std::nullopt);
  const std::string bytes = ReadBytes(file);
  EXPECT_NE(bytes.find("\r\neTitre1_Text=Titre\r\n"), std::string::npos);  // the file's value
  EXPECT_NE(bytes.find("\r\nckbEdite_Checked=True\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\neSepar_Text=***\r\n"), std::string::npos);
}

}  // namespace
}  // namespace fractions
