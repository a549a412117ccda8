// The program started in-process on a temporary data root that holds one generated recording
// (two channels, red and blue, each on a scale that holds its values), imported by the current
// storage itself; graph windows open through the application's own templates into the main
// frame. Shared by the graph-window tests of the frame and their pictures.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CVantrelApp.h"
#include "document/CGVantrelDoc.h"
#include "document/ui/CVantrelDoc.h"
#include "platform/base/FileSystem.h"
#include "platform/gui/Document.h"
#include "platform/gui/PumpUntil.h"
#include "platform/gui/qt/ChildFrame.h"
#include "recorder/StoreResult.h"
#include "store/VTDataStorage.h"
#include "store/testing/StoredDataFixture.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace graph_frame_test {

// Two channels in their own colours (0x00bbggrr: red, blue); the second channel's values run
// from -100 x 10^5 down to -699 x 10^5, so its scale is set to hold them.
inline recgen::NewerFile TwoTraceRecording(uint32_t recording = 1, int records = 600) {
  recgen::NewerFile m = store_test::RecordingFile(recording, 1, records, store_test::kBaseMs, 1000);
  m.channels[0].colour = 0x000000FF;
  m.channels[1].colour = 0x00FF0000;
  m.channels[1].rawLow = m.channels[1].rawHigh = 0;
  m.channels[1].spanLow = -80000000, m.channels[1].spanHigh = 0;
  // Two display groups of one channel each.
  for (int g = 0; g < 2; ++g) {
    recgen::NewerGroup group;
    group.number = int16_t(g + 1);
    group.name = g == 0 ? "Boiler" : "Flow";
    group.places[0] = int16_t(g + 1);
    m.groups.push_back(group);
  }
  return m;
}

// Counts the distinct colours of every seventh pixel in both directions.
inline int CountColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 7)
    for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
  return int(colours.size());
}

// Pixels of exactly this colour.
inline int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

template <typename Base = vt_test::TempRootTest>
class GraphFrameFixture : public Base {
 protected:
  void SetUp() override {
    Base::SetUp();
    if (this->IsSkipped()) return;
    ASSERT_TRUE(vt::CreateFolders(this->root_ + "/run"));
    runtime_ = std::make_unique<vt_test::ScopedEnv>("XDG_RUNTIME_DIR", this->root_ + "/run");
    PrepareRoot();
    if (this->HasFatalFailure()) return;
    app_ = std::make_unique<CVantrelApp>();
    ASSERT_TRUE(app_->InitInstance());
    ASSERT_NE(app_->m_currentStorage, nullptr);
  }
  void TearDown() override {
    if (app_) {
      // Nothing asks to save at the end of a test.
      for (CVantrelDoc* doc : app_->GetGraphDocuments()) doc->SetModifiedFlag(false);
      app_->ExitInstance();
      app_.reset();
    }
    runtime_.reset();
    Base::TearDown();
  }

  // Runs before the program starts on the data root.
  virtual void PrepareRoot() {}

  // Imports a recording into the current storage, as the import worker would; the stored
  // file's path.
  std::string StoreRecording(const recgen::NewerFile& model, const std::string& name) {
    const std::vector<uint8_t> bytes = recgen::WriteNewerFile(model).bytes;
    EXPECT_TRUE(vt::CreateFolders(this->root_ + "/staging"));
    const std::string staged = this->root_ + "/staging/" + name;
    EXPECT_TRUE(vt_test::WriteFileBytes(staged, std::string(bytes.begin(), bytes.end())));
    std::string copy;
    EXPECT_EQ(app_->m_currentStorage->ImportFile(staged, &copy), STORE_OK);
    return copy;
  }

  // A new graph window through the application's graph template, showing these channels of
  // the recording in its first group; null when it could not be made.
  CVantrelDoc* OpenGraph(uint32_t recording = 1, std::vector<int> channels = {1, 2}) {
    auto* doc = static_cast<CVantrelDoc*>(app_->GetGraphTemplate()->OpenNewDocument());
    if (!doc) return nullptr;
    vt::SVantrelGroupEntry e;
    for (int c : channels) e.keys.push_back({store_test::RecordingGuid(recording).ToText(), c, -1});
    if (!doc->GetGadgetDocument()->AddGroups({e}, std::nullopt, std::nullopt)) return nullptr;
    doc->SetModifiedFlag(false);
    return doc;
  }

  CMainFrame& Frame() { return *app_->GetMainFrame(); }
  QMdiArea* Area() { return Frame().Widget()->template findChild<QMdiArea*>(QStringLiteral("mdiArea")); }
  static vt::ChildFrame* FrameOf(vt::View* view) { return dynamic_cast<vt::ChildFrame*>(view->GetFrame()); }
  // Lets posted work and paints run.
  static void Settle() {
    QApplication::processEvents();
    vt::PumpBriefly(20);
  }

  std::unique_ptr<vt_test::ScopedEnv> runtime_;
  std::unique_ptr<CVantrelApp> app_;
};

}  // namespace graph_frame_test
