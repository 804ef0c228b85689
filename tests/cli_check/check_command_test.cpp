// `image make` and `check` as a user runs them, against the built-in simulated camera (a
// TAVELIN Q2 on layout 1 with firmware 0x0102, product id 3).

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/run_tool.h"
#include "transfer/crc32.h"

namespace {

using testing_support::ToolRun;

ToolRun RunTool(const std::string& arguments, bool withStderr = true) {
  return testing_support::RunProgram(TAVELIN_FW, arguments, withStderr);
}

bool Has(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

class CheckCommandTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavelin-check-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  // Makes an image with the tool and returns its path.
  std::string Make(const std::string& name, const std::string& options) {
    const std::string path = directory_ + "/" + name;
    const ToolRun run = RunTool("image make " + path + " " + options);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    return path;
  }

  static std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good());
  }
  static void StampCrc(std::vector<uint8_t>& file) {
    const uint32_t crc = transfer::Crc32(0, file.data() + 4, file.size() - 4);
    for (int i = 0; i < 4; ++i) file[i] = static_cast<uint8_t>(crc >> 8 * i);
  }

  // A simulated flash that holds the given image from address 0, as a camera updated with it.
  std::string FlashHolding(const std::string& image) {
    const std::string flash =
        directory_ + "/flash-" + std::filesystem::path(image).filename().string();
    EXPECT_EQ(RunTool("--simulate --sim-flash " + flash + " list").exitCode, 0);
    std::vector<uint8_t> bytes = ReadAll(flash);
    const std::vector<uint8_t> file = ReadAll(image);
    std::fill(bytes.begin(), bytes.end(), uint8_t{0xFF});
    std::copy(file.begin() + 4, file.end(), bytes.begin());
    WriteAll(flash, bytes);
    return flash;
  }

  std::string directory_;
};

TEST_F(CheckCommandTest, OutcomeAgainstTheDefaultCamera) {
  struct Case {
    const char* options;
    int exitCode;
    const char* outcome;
  };
  for (const Case c : {Case{"--version 0105 --pid 3", 0, "update-available"},
                       Case{"--version 0105 --pid 3 --layout 2", 0, "update-available"},
                       Case{"--version 0x0102 --pid 3", 2, "up-to-date"},
                       Case{"--version 0101 --pid 3", 2, "up-to-date"},
                       Case{"--version 0105 --pid 8021", 4, "other-model"},
                       Case{"--version 0105 --pid 1F59", 4, "other-model"}}) {
    const std::string image = Make("image.bin", c.options);
    const ToolRun run = RunTool("--simulate check " + image);
    SCOPED_TRACE(c.options);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
    EXPECT_TRUE(Has(run.out, std::string("outcome: ") + c.outcome + "\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "camera: TAVELIN Q2, product id 0x0003, layout 1\n")) << run.out;
    EXPECT_TRUE(Has(run.out, "camera firmware version: 0x0102\n")) << run.out;
    for (const char* check : {"size: ok", "crc-32: ok", "boot header: ok", "layout: ok"}) {
      EXPECT_TRUE(Has(run.out, check)) << check << "\n" << run.out;
    }
  }
}

TEST_F(CheckCommandTest, JsonCarriesChecksIdentityVersionsAndOutcome) {
  const std::string image = Make("q2.bin", "--version 0105 --pid 3");
  const ToolRun run = RunTool("--simulate check " + image + " --json", false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["outcome"], "update-available");
  EXPECT_EQ(json["imageOk"], true);
  EXPECT_EQ(json["checks"]["crc-32"]["ok"], true);
  EXPECT_EQ(json["checks"].size(), 4u);
  EXPECT_EQ(json["imageIdentity"]["firmwareVersion"], "0x0105");
  EXPECT_EQ(json["imageIdentity"]["productId"], "0x0003");
  EXPECT_EQ(json["camera"]["firmwareVersion"], "0x0102");
  EXPECT_EQ(json["camera"]["model"], "TAVELIN Q2");

  const ToolRun alone = RunTool("check " + image + " --json", false);
  EXPECT_EQ(alone.exitCode, 3);
  const nlohmann::json noCamera = nlohmann::json::parse(alone.out);
  EXPECT_TRUE(noCamera["camera"].is_null());
  EXPECT_TRUE(noCamera["outcome"].is_null());
  EXPECT_EQ(noCamera["imageIdentity"]["firmwareVersion"], "0x0105");
}

TEST_F(CheckCommandTest, WithoutACameraTheImageIsStillChecked) {
  const std::string image = Make("q2.bin", "--version 0105 --pid 3");
  const ToolRun run = RunTool("check " + image);
  EXPECT_EQ(run.exitCode, 3) << run.out;
  EXPECT_TRUE(Has(run.out, "crc-32: ok")) << run.out;
  EXPECT_TRUE(Has(run.out, "image firmware version: 0x0105\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "no camera found")) << run.out;
}

// A bad image is refused before any camera is looked for: exit 4 with or without one.
TEST_F(CheckCommandTest, ImagesThatFailTheirChecksAreRefused) {
  const std::vector<uint8_t> good = ReadAll(Make("good.bin", "--version 0105 --pid 3"));
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* failed;
  };
  std::vector<uint8_t> flipped = good;
  flipped[0x2345] ^= 0x01;
  std::vector<uint8_t> tooLong = good;
  tooLong.resize(262145, 0xFF);
  StampCrc(tooLong);  // its checksum over the whole file: the prefix the download reads differs
  std::vector<uint8_t> noMagic = good;
  noMagic[4] = 0x00;
  StampCrc(noMagic);
  std::vector<uint8_t> blockOutside = good;
  blockOutside[6 + 1] = 0xF0;  // BootAddr 0xF000: user data at 0x11000
  StampCrc(blockOutside);
  std::vector<uint8_t> cut(good.begin(), good.begin() + 0x2000);
  StampCrc(cut);
  const Case cases[] = {
      {"flipped.bin", flipped, "crc-32: FAILED, stored 0x"},
      {"long.bin", tooLong, "size: FAILED, 262145 bytes: more than the 262144 bytes"},
      {"nomagic.bin", noMagic, "boot header: FAILED"},
      {"outside.bin", blockOutside, "layout: FAILED, layout 1: the user data at 0x11000"},
      {"cut.bin", cut, "layout: FAILED"},
      {"tiny.bin", {0, 0, 0, 0}, "size: FAILED"},
  };
  for (const Case& c : cases) {
    const std::string path = directory_ + "/" + c.name;
    WriteAll(path, c.bytes);
    for (const char* camera : {"--simulate ", ""}) {
      const ToolRun run = RunTool(std::string(camera) + "check " + path);
      EXPECT_EQ(run.exitCode, 4) << c.name << "\n" << run.out;
      EXPECT_TRUE(Has(run.out, c.failed)) << c.name << "\n" << run.out;
      EXPECT_TRUE(Has(run.out, "fails its checks")) << c.name << "\n" << run.out;
      EXPECT_FALSE(Has(run.out, "outcome:")) << c.name << "\n" << run.out;
    }
  }
  const ToolRun missing = RunTool("--simulate check " + directory_ + "/none.bin");
  EXPECT_EQ(missing.exitCode, 4) << missing.out;
  EXPECT_TRUE(Has(missing.out, "size: FAILED, cannot open: no such file")) << missing.out;
}

TEST_F(CheckCommandTest, TheCameraSideComesFromItsFlash) {
  // A TAVELIN Q camera (product id 0x8025) takes 0x1F59 images, not Q2 ones.
  const std::string q =
      FlashHolding(Make("q.bin", "--version 0100 --pid 8025 --product 'TAVELIN Q'"));
  const ToolRun takes = RunTool("--simulate --sim-flash " + q + " check " +
                                Make("q-new.bin", "--version 0101 --pid 1F59"));
  EXPECT_EQ(takes.exitCode, 0) << takes.out;
  EXPECT_TRUE(Has(takes.out, "camera: TAVELIN Q, product id 0x8025, layout 1\n")) << takes.out;
  const ToolRun refuses = RunTool("--simulate --sim-flash " + q + " check " +
                                  Make("q2-new.bin", "--version 0101 --pid 3"));
  EXPECT_EQ(refuses.exitCode, 4) << refuses.out;
  EXPECT_TRUE(Has(refuses.out, "product id 0x0003 is not one a TAVELIN Q takes (0x8021 or 0x1F59)"))
      << refuses.out;

  // A camera that boots layout 2 is another model whatever the image.
  const std::string layout2 = FlashHolding(Make("l2.bin", "--version 0100 --pid 3 --layout 2"));
  const ToolRun other = RunTool("--simulate --sim-flash " + layout2 + " check " +
                                Make("new.bin", "--version 0105 --pid 3"));
  EXPECT_EQ(other.exitCode, 4) << other.out;
  EXPECT_TRUE(Has(other.out, "outcome: other-model\n")) << other.out;
  EXPECT_TRUE(Has(other.out, "it boots layout 2")) << other.out;
}

// The last line is the text the GUI's dialog shows for the outcome, in the --lang language; the
// update-available text keeps its line break.
TEST_F(CheckCommandTest, StatusLineIsTheGuiTextInTheChosenLanguage) {
  struct Case {
    const char* arguments;  // before the image
    const char* options;    // of the image
    int exitCode;
    const char* status;
  };
  const Case cases[] = {
      {"--simulate --lang de check", "--version 0105 --pid 3", 0,
       "status: Ihre TAVELIN Q2  ist bereit, eine Aktualisierung zu erhalten.\n"
       " Eine neue Firmware-Version ist verfügbar v0105. Die aktuelle Version ist v0102.\n"},
      {"--simulate --lang ja_JP.UTF-8 check", "--version 0105 --pid 3", 0,
       "status: TAVELIN Q2 はアップデートの準備が整いました。\n"
       "最新版のファームウェアバージョン（v0105）。現在のバージョンv0102。\n"},
      // An unknown code gives English.
      {"--simulate --lang xx_YY check", "--version 0102 --pid 3", 2,
       "status: Your TAVELIN Q2  is already up to date v0102. Please close the TAVELIN Q2  "
       "Firmware Update.\n"},
      {"--simulate --lang fr_BE.UTF-8 check", "--version 0105 --pid 8021", 4,
       "status: Cet outil de mise à jour du micrologiciel est pour l'TAVELIN Q2. Pour mettre à "
       "jour le micrologiciel de votre TAVELIN, rendez-vous sur:\n"},
      // No camera: the GUI asks for one.
      {"--lang de check", "--version 0105 --pid 3", 3,
       "status: Bitte schließen Sie Ihr TAVELIN Q2  an.\n"},
  };
  for (const Case& c : cases) {
    const std::string image = Make("image.bin", c.options);
    const ToolRun run = RunTool(std::string(c.arguments) + " " + image, false);
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out;
    const std::string status = c.status;
    ASSERT_GE(run.out.size(), status.size()) << run.out;
    EXPECT_EQ(run.out.substr(run.out.size() - status.size()), status) << run.out;
    EXPECT_EQ(run.out.find("status: "), run.out.size() - status.size()) << run.out;
  }
}

TEST_F(CheckCommandTest, JsonStatusIsTheGuiText) {
  const std::string image = Make("q2.bin", "--version 0105 --pid 3");
  const ToolRun run = RunTool("--simulate --lang nl check " + image + " --json", false);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(nlohmann::json::parse(run.out)["status"],
            "Uw TAVELIN Q2  is gereed voor het installeren van de update.\n Een nieuwe firmware "
            "versie is beschikbaar v0105. De huidige versie is v0102.");

  const ToolRun alone = RunTool("--lang it check " + image + " --json", false);
  ASSERT_EQ(alone.exitCode, 3) << alone.out;
  EXPECT_EQ(nlohmann::json::parse(alone.out)["status"], "Per favore connetti la tua TAVELIN Q2.");

  // A refused image comes before any camera: no status.
  const std::string broken = directory_ + "/tiny.bin";
  WriteAll(broken, {0, 0, 0, 0});
  const ToolRun refused = RunTool("--simulate check " + broken + " --json", false);
  ASSERT_EQ(refused.exitCode, 4) << refused.out;
  EXPECT_TRUE(nlohmann::json::parse(refused.out)["status"].is_null()) << refused.out;
}

// Without --lang the locale decides, as the GUI's does; --lang wins over it.
TEST_F(CheckCommandTest, WithoutLangTheLocaleDecides) {
  struct Variable {
    const char* name;
    const char* value;
  };
  const Variable locale[] = {
      {"LANGUAGE", ""}, {"LC_ALL", ""}, {"LC_MESSAGES", "de_AT.UTF-8"}, {"LANG", "ja_JP.UTF-8"}};
  std::vector<std::pair<std::string, std::optional<std::string>>> saved;
  for (const Variable& v : locale) {
    const char* old = getenv(v.name);
    saved.emplace_back(v.name, old ? std::optional<std::string>(old) : std::nullopt);
    setenv(v.name, v.value, 1);
  }
  const std::string image = Make("q2.bin", "--version 0102 --pid 3");
  const ToolRun german = RunTool("--simulate check " + image, false);
  const ToolRun dutch = RunTool("--simulate --lang nl_NL check " + image, false);
  for (const auto& [name, value] : saved) {
    value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
  }
  EXPECT_TRUE(Has(german.out,
                  "status: Ihre TAVELIN Q2  ist bereits auf dem Stand v0102. Bitte schließen Sie "
                  "das TAVELIN Q2  Firmware Aktualisierung.\n"))
      << german.out;
  EXPECT_TRUE(Has(dutch.out,
                  "status: Uw TAVELIN Q2  is al up-to-date v0102. U kunt de TAVELIN Q2  Firmware "
                  "Update sluiten.\n"))
      << dutch.out;
}

TEST_F(CheckCommandTest, ImageMakeRefusesBadInput) {
  const std::string path = directory_ + "/bad.bin";
  struct Case {
    std::string options;
    int exitCode;
    const char* message;
  };
  const Case cases[] = {
      {"--version 0105 --pid 3 --size 262145", 4, "at most 262144"},
      {"--version 0105 --pid 3 --size 100", 4, "needs at least"},
      {"--version 0105 --pid 3 --size 99999999999", 4, "at most 262144"},
      {"--version 0105 --pid 3 --layout 3", 4, "layout must be 1 or 2"},
      {"--version 10000 --pid 3", 4, "not a 16-bit hex number"},
      {"--version 0105 --pid 3 --vid xyz", 4, "not a 16-bit hex number"},
      {"--version 0105 --pid 3 --serial " + std::string(31, 'S'), 4, "does not fit"},
      {"--version 0105", 64, "--pid"},  // a bad command line
  };
  for (const Case& c : cases) {
    const ToolRun run = RunTool("image make " + path + " " + c.options);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.options << "\n" << run.out;
    EXPECT_TRUE(Has(run.out, c.message)) << c.options << "\n" << run.out;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.options;
  }
  const ToolRun unwritable =
      RunTool("image make " + directory_ + "/no/such/dir.bin --version 0105 --pid 3");
  EXPECT_EQ(unwritable.exitCode, 1) << unwritable.out;
  EXPECT_TRUE(Has(unwritable.out, "cannot create")) << unwritable.out;
}

TEST_F(CheckCommandTest, ImageMakeSaysWhatItWrote) {
  const std::string path = directory_ + "/q2.bin";
  const ToolRun run = RunTool("image make " + path + " --version 0105 --pid 3 --size 65536");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "image written: " + path +
                         ", 65536 bytes, layout 1, firmware version 0x0105, product id 0x0003, "
                         "vendor id 0x3A5C\n");
  EXPECT_EQ(std::filesystem::file_size(path), 65536u);
}

}  // namespace
