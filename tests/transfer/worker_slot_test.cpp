// One worker at a time: a start while a job runs is refused, leaves the running job alone, and
// once the job has ended a new start is taken.

#include <gtest/gtest.h>

#include "tests/transfer/transfer_fixture.h"
#include "transfer/engine.h"

namespace transfer_testing {
namespace {

using WorkerSlotTest = TransferTest;

const char* const kRunning = "Another Thread is Running, Please Wait and Try Again Later!";

TEST_F(WorkerSlotTest, StartsAreRefusedWhileAJobRuns) {
  auto camera = AddDefaultCamera();
  OpenSession();
  const std::vector<uint8_t> payload = RawPayload(1000);
  transfer::DownloadJobRecord first = DownloadRecord(2, WriteFile("a.bin", ImageFile(payload)));
  window().HoldAt(transfer::WriteProgress);  // the job's first event
  ASSERT_NE(transfer::StartFirmwareDownload(first), nullptr);
  ASSERT_TRUE(window().WaitUntilHeld());

  // Another image, another window: neither may reach the running job.
  RecordingWindow other;
  transfer::DownloadJobRecord second =
      DownloadRecord(2, WriteFile("b.bin", ImageFile(RawPayload(2000))));
  second.window = &other;
  second.file0Size = 5;
  EXPECT_EQ(transfer::StartFirmwareDownload(second), nullptr);
  EXPECT_EQ(second.file0Size, 5u) << "refused before the files are measured";
  transfer::UploadJobRecord upload = UploadRecord(2, 0, 16, PathOf("dump.bin"));
  upload.window = &other;
  EXPECT_EQ(transfer::StartFirmwareUpload(upload), nullptr);

  window().Release();
  transfer::WaitForWorkerToEnd();  // not on a closing code: it must not matter where it went
  ASSERT_EQ(boxes().asked().size(), 2u);
  EXPECT_EQ(boxes().asked()[0].text, kRunning);
  EXPECT_EQ(boxes().asked()[0].caption, "Firmware Download");
  EXPECT_EQ(boxes().asked()[0].owner, &other);
  EXPECT_EQ(boxes().asked()[1].text, kRunning);
  EXPECT_EQ(boxes().asked()[1].caption, "Firmware Upload");
  EXPECT_TRUE(other.Events().empty());
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{transfer::DownloadDone, 0}}));
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), camera->flash().memory().begin()))
      << "the running job kept its image";
  EXPECT_FALSE(std::filesystem::exists(PathOf("dump.bin")));
}

TEST_F(WorkerSlotTest, AfterAFailedJobANewStartIsTaken) {
  auto camera = AddDefaultCamera();
  OpenSession();
  camera->flash().SetStuckBusy(true);
  const std::string file = WriteFile("a.bin", ImageFile(RawPayload(500)));
  ASSERT_TRUE(RunDownload(DownloadRecord(2, file)));
  EXPECT_EQ(Closings(window().Events()), (std::vector<Event>{{transfer::EraseEnd, 0}}));

  camera->flash().SetStuckBusy(false);
  RecordingWindow again;
  transfer::UploadJobRecord upload = UploadRecord(2, 0, 1024, PathOf("dump.bin"));
  upload.window = &again;
  ASSERT_TRUE(RunUpload(upload));
  EXPECT_EQ(Closings(again.Events()), (std::vector<Event>{{transfer::UploadDone, 0}}));
  EXPECT_TRUE(boxes().asked().empty());
}

TEST_F(WorkerSlotTest, JobWithoutAWindowRunsToItsEnd) {
  auto camera = AddDefaultCamera();
  OpenSession();
  const std::vector<uint8_t> payload = RawPayload(700);
  transfer::DownloadJobRecord record = DownloadRecord(2, WriteFile("a.bin", ImageFile(payload)));
  record.window = nullptr;
  ASSERT_NE(transfer::StartFirmwareDownload(record), nullptr);
  transfer::WaitForWorkerToEnd();
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), camera->flash().memory().begin()));
  EXPECT_EQ(camera->flash().status() & 0x0C, 0x0C) << "ran to its last step";
  EXPECT_TRUE(window().Events().empty());
}

}  // namespace
}  // namespace transfer_testing
