// Many inputs in one call: a tree with two inputs of one name, a damaged one in the middle, a
// module without icons, a file that is no input and a link back up the tree.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <map>

#include "tests/cli/cli_fixtures.h"
#include "tests/support/pe_writer.h"

namespace cli_test {
namespace {

namespace ts = testing_support;

class BatchTest : public CliTest {
 protected:
  void SetUp() override {
    Write("tree/a/Setup.exe", ModuleOf(2));
    Bytes three = ModuleOf(3);
    Write("tree/b/setup.exe", three);
    Write("tree/b/cut.dll", Bytes(three.begin(), three.begin() + 200));
    ts::PeWriter noIcons;
    noIcons.Add(6, 1, Bytes(8, 0));  // a string table
    Write("tree/b/none.dll", noIcons.Build());
    Write("tree/b/notes.txt", Bytes(50, 'x'));
    fs::create_directory_symlink("..", Path("tree/b/up"));
    Write("tree/c/App.ico", ts::MakeIcoFile({GroupImage(4, 32, 32)}));
  }

  // Every file under the folder by its path relative to it, with its bytes.
  std::map<std::string, Bytes> Files(const std::string& folder) const {
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(Path(folder)))
      if (entry.is_regular_file())
        files[fs::relative(entry.path(), Path(folder)).string()] = ts::ReadBytes(entry.path());
    return files;
  }

  std::string Replaced(std::string text, const std::string& from, const std::string& to) const {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
      text.replace(at, from.size(), to);
    return text;
  }
};

TEST_F(BatchTest, ATreeInInputOrderWhateverTheNumberOfJobs) {
  struct Case {
    std::vector<std::string> arguments;
    std::vector<std::string> written;  // relative to the test's folder
    std::string summary;
    int exitCode = 1;  // 1 when an input failed
  };
  const std::string extracted =
      "5 inputs: 3 with icons, 1 without, 6 files written, 1 failed; 1 other file skipped";
  const Case cases[] = {
      {{"extract", "--all", "-r", "tree", "--out", "one", "--jobs", "1"},
       {"one/setup/1.ico", "one/setup/2.ico", "one/setup(1)/1.ico", "one/setup(1)/2.ico",
        "one/setup(1)/3.ico", "one/app/1.ico"},
       extracted},
      {{"extract", "--all", "-r", "tree", "--out", "four", "--jobs", "4"},
       {"four/setup/1.ico", "four/setup/2.ico", "four/setup(1)/1.ico", "four/setup(1)/2.ico",
        "four/setup(1)/3.ico", "four/app/1.ico"},
       extracted},
      {{"split", "tree", "tree/c/App.ico", "--recursive", "--out", "parts"},
       {"parts/app/Par1.ico", "parts/app/new.ico", "parts/app(1)/Par1.ico", "parts/app(1)/new.ico"},
       "2 inputs: 2 split, 4 files written, 0 failed; 5 other files skipped",
       0},
      {{"rebuild", "tree/c/App.ico", "tree/c/App.ico", "missing.ico", "--out-dir", "classic"},
       {"classic/App.ico", "classic/App(1).ico"},
       "3 inputs: 2 rebuilt, 0 with no classic image, 2 files written, 1 failed"},
  };
  std::map<std::string, CliRun> runs;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments[0] + " " + c.arguments.back());
    CliRun run = Run(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    std::vector<std::string> expected;
    for (const std::string& file : c.written)
      expected.push_back(Path(file).string());
    EXPECT_EQ(run.lines(), expected);
    EXPECT_EQ(run.err.substr(run.err.rfind("pictolan-cli: ")), "pictolan-cli: " + c.summary + "\n")
        << run.err;
    runs[c.arguments.back()] = run;
  }
  EXPECT_NE(runs["1"].err.find("'" + Path("tree/b/cut.dll").string() + "': a damaged module"),
            std::string::npos)
      << runs["1"].err;
  EXPECT_EQ(Replaced(runs["4"].out, "/four/", "/one/"), runs["1"].out);
  EXPECT_EQ(runs["4"].err, runs["1"].err);
  EXPECT_EQ(Files("four"), Files("one"));
  EXPECT_EQ(ts::ReadBytes(Path("one/setup(1)/3.ico")), Files("four")["setup(1)/3.ico"]);
}

TEST_F(BatchTest, InfoAsJsonLinesOneObjectPerInput) {
  CliRun run = Run({"info", "--json", "tree/a/Setup.exe", "tree/b/cut.dll", "tree/b/none.dll"});
  EXPECT_EQ(run.exitCode, 1);
  std::vector<std::string> lines = run.lines();
  ASSERT_EQ(lines.size(), 3u) << run.out;
  std::vector<QJsonObject> objects;
  for (const std::string& line : lines) {
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << line;
    objects.push_back(document.object());
  }
  EXPECT_EQ(objects[0]["icons"].toInt(), 2);
  EXPECT_EQ(objects[1]["file"].toString().toStdString(), Path("tree/b/cut.dll").string());
  EXPECT_TRUE(objects[1]["error"].toString().startsWith("not an icon source"));
  EXPECT_EQ(objects[2]["icons"].toInt(), 0);
  EXPECT_EQ(run.err.substr(run.err.rfind('\n', run.err.size() - 2) + 1),
            "pictolan-cli: 3 inputs: 1 with icons, 1 without, 1 failed\n");
}

}  // namespace
}  // namespace cli_test
