// Fixtures of the document tests: recordings made with the recorder-file generator, imported into
// a storage by its own import, and the batch cache pointed at that storage, so that channels bind
// to the batches the import builds.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/CGVantrelNgChannel.h"
#include "store/testing/StoredDataFixture.h"
#include "tools/recgen/OlderRecorderFile.h"

namespace document_test {

using store_test::kBaseMs;
using store_test::MsTime;
using store_test::RecordingFile;
using store_test::RecordingFileAt;
using store_test::RecordingGuid;

// The PreciseTime of milliseconds since 1970 plus an extra fraction of a second.
PreciseTime At(int64_t ms, double extraSeconds = 0.0);

class DocumentTest : public store_test::StoredDataTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Imports an older-format file (name ends in .DEV or .DDS); returns its batch GUID.
  vt::Guid StoreOlder(const recgen::OlderModel& model, const std::string& name);
  // A channel bound to the batch (segment index, segment count of the batch), owned by the test.
  CGVantrelNgChannel* Bind(const vt::Guid& batch, int channelNo, int segment = -1, int displayGroup = -1);

  std::vector<std::unique_ptr<CGVantrelNgChannel>> channels_;
};

}  // namespace document_test
