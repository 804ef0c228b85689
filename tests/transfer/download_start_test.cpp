// StartFirmwareDownload: its refusals and questions in order, with their texts, and what a
// start leaves for the job.

#include <gtest/gtest.h>

#include <functional>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using transfer::MessageAnswer;
using transfer::MessageButtons;
using transfer::MessageIcon;

constexpr MessageAnswer kOk = MessageAnswer::Ok;
constexpr MessageAnswer kCancel = MessageAnswer::Cancel;

class DownloadStartTest : public TransferTest {
 public:
  std::string Image(const std::string& name, size_t fileLength, bool goodCrc = true) {
    std::vector<uint8_t> file = ImageFile(Pattern(fileLength - 4, 9));
    if (!goodCrc) file[0] ^= 0xFF;
    return WriteFile(name, file);
  }
};

struct RefusalCase {
  const char* name;
  uint8_t kind;
  // Makes the files and fills the fields of the record's kind.
  std::function<void(DownloadStartTest&, transfer::DownloadJobRecord&)> prepare;
  std::vector<MessageAnswer> answers;
  std::vector<std::string> expected;  // every box shown, in order
};

class DownloadRefusalTest : public DownloadStartTest,
                            public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(DownloadRefusalTest, RefusesWithTheseBoxes) {
  const RefusalCase& c = GetParam();
  AddDefaultCamera();
  OpenSession();
  transfer::DownloadJobRecord record = DownloadRecord(c.kind, "");
  c.prepare(*this, record);
  for (MessageAnswer answer : c.answers) boxes().Answer({answer});

  EXPECT_EQ(transfer::StartFirmwareDownload(record), nullptr);
  EXPECT_EQ(boxes().texts(), c.expected);
  for (const Asked& asked : boxes().asked()) {
    EXPECT_EQ(asked.caption, "Firmware Download");
    EXPECT_EQ(asked.owner, &window());
    const bool question =
        asked.text == "File 0 open Error!" || asked.text == "File 0 CRC Checksum Error! Continue?";
    EXPECT_EQ(asked.buttons, question ? MessageButtons::OkCancel : MessageButtons::Ok);
    EXPECT_EQ(asked.icon, question ? MessageIcon::Warning : MessageIcon::None);
  }
  EXPECT_TRUE(window().Events().empty());
  EXPECT_TRUE(hid().FeatureLog().empty()) << "refused before the chip is asked";
}

void Path0(transfer::DownloadJobRecord& record, const std::string& path) {
  std::snprintf(record.file0Path, sizeof record.file0Path, "%s", path.c_str());
}
void Path1(transfer::DownloadJobRecord& record, const std::string& path) {
  std::snprintf(record.file1Path, sizeof record.file1Path, "%s", path.c_str());
}

const char* const kOpen0 = "File 0 open Error!";
const char* const kCrc0 = "File 0 CRC Checksum Error! Continue?";
const char* const kOverLimit = "Error, The File Size is Over Firmware Maximum Limit!";
const char* const kCrc = "File CRC Checksum Error!";
const char* const kNoThread = "Create Download Thread Failure!";

INSTANTIATE_TEST_SUITE_P(
    Refusals, DownloadRefusalTest,
    ::testing::Values(RefusalCase{"File0MissingCancelled",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.PathOf("missing.bin"));
                                  },
                                  {kCancel},
                                  {kOpen0}},
                      RefusalCase{"File0MissingGoesOn",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.PathOf("missing.bin"));
                                  },
                                  {kOk},
                                  {kOpen0, "File Doesn't Exist or Open File Error!"}},
                      RefusalCase{"File0EmptyGoesOn",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.WriteFile("empty.bin", {}));
                                  },
                                  {kOk},
                                  {kOpen0, "Read File Failure!"}},
                      RefusalCase{"File0ChecksumCancelled",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("bad.bin", 100, false));
                                  },
                                  {kCancel},
                                  {kCrc0}},
                      RefusalCase{"File1ChecksumAsksWithTheFile0Text",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("good.bin", 100));
                                    Path1(r, t.Image("bad.bin", 100, false));
                                  },
                                  {kCancel},
                                  {kCrc0}},
                      RefusalCase{"BothChecksumsWrong",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("bad0.bin", 100, false));
                                    Path1(r, t.Image("bad1.bin", 100, false));
                                  },
                                  {kOk, kCancel},
                                  {kCrc0, kCrc0}},
                      RefusalCase{"FilesTogetherOverTheBuffer",
                                  2,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("a.bin", 200000));
                                    Path1(r, t.Image("b.bin", 62145));
                                  },
                                  {},
                                  {"File 0 + File 1 max size > 64K!"}},
                      // Exactly the buffer passes the size check and reaches the kind check.
                      RefusalCase{"UnknownKindAfterTheFilesFitExactly",
                                  3,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("a.bin", 200000));
                                    Path1(r, t.Image("b.bin", 62144));
                                  },
                                  {},
                                  {kNoThread}},
                      RefusalCase{"Kind0ChecksumAlwaysRefused",
                                  0,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("bad.bin", 100, false));
                                  },
                                  {kOk},
                                  {kCrc0, kCrc}},
                      RefusalCase{"Kind1SmallUnitsOver4096",
                                  1,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    r.pageFlags = 0x08;
                                    Path0(r, t.Image("a.bin", 4097));
                                  },
                                  {},
                                  {kOverLimit}},
                      RefusalCase{"Kind1SmallUnitsAt4096ReachesTheChecksum",
                                  1,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    r.pageFlags = 0x08;
                                    Path0(r, t.Image("a.bin", 4096, false));
                                  },
                                  {kOk},
                                  {kCrc0, kCrc}},
                      RefusalCase{"Kind1LargeUnitsOver65536",
                                  1,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    r.pageFlags = 0xF7;
                                    Path0(r, t.Image("a.bin", 65537));
                                  },
                                  {},
                                  {kOverLimit}},
                      RefusalCase{"Kind1LargeUnitsAt65536ReachesTheChecksum",
                                  1,
                                  [](DownloadStartTest& t, transfer::DownloadJobRecord& r) {
                                    Path0(r, t.Image("a.bin", 65536, false));
                                  },
                                  {kOk},
                                  {kCrc0, kCrc}}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return info.param.name; });

// Each image type's limit: one byte more is refused, the limit itself reaches the checksum
// test. Types above 8 may fill the EEPROM and no more.
class Kind0LimitTest : public DownloadStartTest,
                       public ::testing::WithParamInterface<std::pair<uint8_t, uint32_t>> {};

TEST_P(Kind0LimitTest, LimitOfTheImageType) {
  const auto [type, limit] = GetParam();
  AddDefaultCamera();
  OpenSession();
  transfer::DownloadJobRecord over = DownloadRecord(0, Image("over.bin", limit + 1));
  over.imageType = type;
  EXPECT_EQ(transfer::StartFirmwareDownload(over), nullptr);
  transfer::DownloadJobRecord at = DownloadRecord(0, Image("at.bin", limit, false));
  at.imageType = type;
  boxes().Answer({kOk});
  EXPECT_EQ(transfer::StartFirmwareDownload(at), nullptr);
  EXPECT_EQ(boxes().texts(), (std::vector<std::string>{kOverLimit, kCrc0, kCrc}));
}

INSTANTIATE_TEST_SUITE_P(
    Types, Kind0LimitTest,
    ::testing::Values(std::pair<uint8_t, uint32_t>{0, 2048}, std::pair<uint8_t, uint32_t>{1, 4096},
                      std::pair<uint8_t, uint32_t>{2, 4096}, std::pair<uint8_t, uint32_t>{3, 8192},
                      std::pair<uint8_t, uint32_t>{4, 8192}, std::pair<uint8_t, uint32_t>{5, 16384},
                      std::pair<uint8_t, uint32_t>{6, 8192}, std::pair<uint8_t, uint32_t>{7, 16384},
                      std::pair<uint8_t, uint32_t>{8, 20480},
                      std::pair<uint8_t, uint32_t>{9, 32768},
                      std::pair<uint8_t, uint32_t>{255, 32768}));

TEST_F(DownloadStartTest, WithoutASessionNothingIsRead) {
  AddDefaultCamera();
  transfer::DownloadJobRecord record = DownloadRecord(2, Image("a.bin", 100));
  record.file0Size = 0xDEAD;
  EXPECT_EQ(transfer::StartFirmwareDownload(record), nullptr);
  EXPECT_EQ(boxes().texts(), std::vector<std::string>{"No USB Device Found!"});
  EXPECT_EQ(boxes().asked()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(record.file0Size, 0xDEADu) << "refused before the files are measured";
}

TEST_F(DownloadStartTest, MeasuresBothFilesIntoTheRecord) {
  AddDefaultCamera();
  OpenSession();
  transfer::DownloadJobRecord record = DownloadRecord(3, Image("a.bin", 1234), Image("b.bin", 99));
  record.file0Size = 7;
  record.file1Size = 7;
  EXPECT_EQ(transfer::StartFirmwareDownload(record), nullptr);
  EXPECT_EQ(record.file0Size, 1234u);
  EXPECT_EQ(record.file1Size, 99u);
  record.file1Path[0] = '\0';
  EXPECT_EQ(transfer::StartFirmwareDownload(record), nullptr);
  EXPECT_EQ(record.file1Size, 0u) << "no file 1";
}

TEST_F(DownloadStartTest, WithoutMessageBoxesEveryQuestionIsCancelled) {
  AddDefaultCamera();
  OpenSession();
  transfer::SetMessageBoxes(nullptr);
  transfer::DownloadJobRecord record = DownloadRecord(2, Image("bad.bin", 100, false));
  EXPECT_EQ(transfer::StartFirmwareDownload(record), nullptr);
  EXPECT_TRUE(window().Events().empty());
  EXPECT_TRUE(hid().FeatureLog().empty());
}

TEST_F(DownloadStartTest, Kind2WithAChecksumTheUserPassedIsWritten) {
  auto camera = AddDefaultCamera();
  OpenSession();
  const std::vector<uint8_t> payload = RawPayload(300);
  std::vector<uint8_t> file = ImageFile(payload);
  file[0] ^= 0xFF;
  boxes().Answer({kOk});
  ASSERT_TRUE(RunDownload(DownloadRecord(2, WriteFile("bad.bin", file))));
  EXPECT_EQ(boxes().texts(), std::vector<std::string>{kCrc0});
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{transfer::DownloadDone, 0}}));
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), camera->flash().memory().begin()));
}

}  // namespace
}  // namespace transfer_testing
