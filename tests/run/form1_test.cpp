#include "run/form1.h"

#include <gtest/gtest.h>

#include "format/file_names.h"
#include "platform/faulty_file_system.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::list_folder;
using testing::read_file;
using testing::RecordingUi;
using testing::TempDir;

const std::vector<std::string> kOutputs{"Valdora_Lusa_24863.dat",
                                        "Valdora_Lusa_24863.sim",
                                        "Valdora_Lusa_24863_note.txt",
                                        "Valdora_Lusa_24863_rallentamenti.txt",
                                        "Valdora_Lusa_24863_scheda_treno.txt",
                                        "Valdora_Lusa_linea.dat"};

const std::vector<std::string> kDocuments{"Valdora_Lusa_24863_note.txt",
                                          "Valdora_Lusa_24863_rallentamenti.txt",
                                          "Valdora_Lusa_24863_scheda_treno.txt"};

// Windows names use the backslash, as the simulator's authors write them.
#ifdef _WIN32
constexpr const char* kFolder = "C:\\some\\folder";
constexpr const char* kSeparator = "\\";
#else
constexpr const char* kFolder = "/some/folder";
constexpr const char* kSeparator = "/";
#endif

std::string in_folder(const std::string& name) { return kFolder + (kSeparator + name); }

TEST(Form1Test, FileNamesAreFolderSeparatorAndIdentifiers) {
  const ScenarioNames s{kFolder, "Valdora_Lusa", "24863"};
  EXPECT_EQ(line_source_path(s), in_folder("Valdora_Lusa_linea.txt"));
  EXPECT_EQ(train_source_path(s), in_folder("Valdora_Lusa_24863-.txt"));
  EXPECT_EQ(notes_path(s), in_folder("Valdora_Lusa_24863_note.txt"));
  EXPECT_EQ(slowdown_order_path(s), in_folder("Valdora_Lusa_24863_rallentamenti.txt"));
  EXPECT_EQ(timetable_path(s), in_folder("Valdora_Lusa_24863_scheda_treno.txt"));
  EXPECT_EQ(line_file_path(s), in_folder("Valdora_Lusa_linea.dat"));
  EXPECT_EQ(table_file_path(s), in_folder("Valdora_Lusa_24863.sim"));
  EXPECT_EQ(track_file_path(s), in_folder("Valdora_Lusa_24863.dat"));
}

TEST(Form1Test, TheBuiltInRunLeavesThreeDocumentsAndThreeCompiledFiles) {
  TempDir dir;
  RecordingUi ui;
  RealFileSystem fs;
  Form1 form(ui, fs, dir.str());
  form.Form_Load();

  EXPECT_EQ(ui.events, std::vector<std::string>{"wait window"});
  const RunCompile& c = form.compilation();
  EXPECT_EQ(c.result.code.code, Code::none);
  EXPECT_EQ(c.result.model.line.value().last_m(), 89000);
  EXPECT_EQ(c.result.model.track_last(), 1780);
  EXPECT_EQ(c.written.size(), 3u);
  // Both text sources are gone; nothing else is left.
  EXPECT_EQ(list_folder(dir.path()), kOutputs);

  const std::string track = read_file(dir.file("Valdora_Lusa_24863.dat"));
  EXPECT_EQ(track.size(), 26715u);
  EXPECT_EQ(static_cast<std::uint8_t>(track[16]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(track[17]), 0x14);

  // The line file: metres 0 and 1 as integers, 2 to 88998 as doubles, the last two empty.
  const std::string line = read_file(dir.file("Valdora_Lusa_linea.dat"));
  EXPECT_EQ(line.size(), 2u * (2 * 4 + 88997 * 10 + 2 * 2));

  // The table file: 87 records of 34 bytes plus the length of every name in it.
  const std::vector<std::string> names{"VALDORA S.T.V.",
                                       "VALDORA CORVELI",
                                       "VALDORA PRASINE",
                                       "S.FELDINO",
                                       "MERVA",
                                       "FONTEGRAVO",
                                       "SASSOLEGO",
                                       "ORVENA",
                                       "S.CORSIGO",
                                       "S.TEBALO",
                                       "LA BRISA",
                                       "MARZELONE",
                                       "PERLADA",
                                       "S.BALDIERO",
                                       "CORNETOLA",
                                       "LUSA C.le",
                                       "(  Km. ) (18.600)",
                                       "(  Km. ) (20.800)",
                                       "( Ponte  ) (su fiume) (  Omba  )",
                                       "Valdora_Lusa",
                                       "24863"};
  std::size_t expected = 87 * 34;
  for (const auto& n : names) expected += n.size();
  const std::string table = read_file(dir.file("Valdora_Lusa_24863.sim"));
  EXPECT_EQ(table.size(), expected);
  // Entries 85 and 86 close the file: 46 and 39 bytes.
  EXPECT_EQ(table.substr(table.size() - 39 - 46 + 16, 12), "Valdora_Lusa");
  EXPECT_EQ(table.substr(table.size() - 39 + 16, 5), "24863");
}

TEST(Form1Test, ARunReplacesTheFilesOfAnEarlierRunInFull) {
  TempDir dir;
  for (const auto& name : kOutputs) testing::write_file(dir.file(name), std::string(3000000, 'z'));
  RecordingUi ui;
  RealFileSystem fs;
  Form1 first(ui, fs, dir.str());
  first.Form_Load();
  std::vector<std::string> once;
  for (const auto& name : kOutputs) once.push_back(read_file(dir.file(name)));
  Form1 second(ui, fs, dir.str());
  second.Form_Load();
  for (std::size_t i = 0; i < kOutputs.size(); ++i) {
    EXPECT_EQ(read_file(dir.file(kOutputs[i])), once[i]) << kOutputs[i];
    EXPECT_EQ(once[i].find("zzzz"), std::string::npos) << kOutputs[i];
  }
}

// The real disk, with text added to the line source as it is read back: a way to give the built-in
// run a fault without changing its content.
class AppendingFileSystem : public RealFileSystem {
 public:
  explicit AppendingFileSystem(std::string extra) : extra_(std::move(extra)) {}
  bool read(const std::string& path, std::string* bytes, std::string* err) override {
    if (!RealFileSystem::read(path, bytes, err)) return false;
    if (path.ends_with("_linea.txt")) *bytes += extra_;
    return true;
  }

 private:
  std::string extra_;
};

TEST(RunGeneratorTest, AHeaderConflictShowsTheBoxAndWritesNoCompiledFile) {
  TempDir dir;
  RecordingUi ui;
  // A sign at position 0 takes track cell 1, the header cell.
  AppendingFileSystem fs("cartello indicatore, 0, (x)\r\n");
  EXPECT_EQ(run_generator(ui, fs, dir.str()), exit_status::errore);
  EXPECT_EQ(ui.events, (std::vector<std::string>{"wait window", "message:  Errore n. 1250"}));
  EXPECT_EQ(list_folder(dir.path()), kDocuments);
}

TEST(RunGeneratorTest, ARecordedCodeIsNamedOnStandardError) {
  TempDir dir;
  RecordingUi ui;
  // A sign on the cell of the speed board at 800.
  AppendingFileSystem fs("cartello indicatore, 800, (x)\r\n");
  ::testing::internal::CaptureStderr();
  const int status = run_generator(ui, fs, dir.str());
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, exit_status::recorded_code);
  EXPECT_EQ(err, "recorded error 6 at 800 m: a signboard's cell is already taken\n");
  // The run still writes its compiled files.
  EXPECT_EQ(list_folder(dir.path()), kOutputs);
}

TEST(RunGeneratorTest, AFileThatCannotBeWrittenEndsWithStatus3AndTheReason) {
  TempDir dir;
  RecordingUi ui;
  RealFileSystem disk;
  FaultyFileSystem fs(disk);
  fs.fail_kind = "create";
  fs.fail_at = 4;  // the slowdown order
  EXPECT_EQ(run_generator(ui, fs, dir.str()), exit_status::file_failure);
  ASSERT_EQ(ui.events.size(), 2u);
  EXPECT_EQ(ui.events[1], "message: cannot write " +
                              dir.file("Valdora_Lusa_24863_rallentamenti.txt") +
                              ": injected failure");
  // The files written before stay; nothing temporary is left.
  EXPECT_EQ(list_folder(dir.path()),
            (std::vector<std::string>{"Valdora_Lusa_24863-.txt", "Valdora_Lusa_24863_note.txt",
                                      "Valdora_Lusa_linea.txt"}));
}

}  // namespace
}  // namespace scenario
