// A graph window host for tests: it records what the document asks of the application and
// answers with the display defaults it was given. Installed for its lifetime.
#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "document/GraphWindowHost.h"

namespace document_test {

class RecordingGraphWindowHost : public vt::GraphWindowHost {
 public:
  RecordingGraphWindowHost() : previous_(vt::SetGraphWindowHost(this)) {}
  ~RecordingGraphWindowHost() override { vt::SetGraphWindowHost(previous_); }
  RecordingGraphWindowHost(const RecordingGraphWindowHost&) = delete;
  RecordingGraphWindowHost& operator=(const RecordingGraphWindowHost&) = delete;

  vt::DocTemplate* GetGraphTemplate() override { return Log("graph template"), nullptr; }
  vt::DocTemplate* GetListTemplate() override { return Log("list template"), nullptr; }
  vt::DocTemplate* GetSheetTemplate() override { return Log("sheet template"), nullptr; }
  void ShowDocumentWindow(CGVantrelDoc*, const SGraphWindowEntry& entry) override {
    Log("show window " + std::to_string(entry.viewKind));
  }
  std::vector<SGraphWindowEntry> GetDocumentWindowPlacements(const CGVantrelDoc*) override {
    Log("placements");
    return placements;
  }
  void SetSelectedChannel(const vt::Guid& batch, int channelNo) override {
    Log("selected " + batch.ToText() + " " + std::to_string(channelNo));
  }
  void NotifyListDocument(int code) override { Log("notify " + std::to_string(code)); }
  std::optional<vt::GraphDisplayDefaults> GetDisplayDefaults() override { return defaults; }
  CVTGraphManager* GetGraphStore() override { return nullptr; }
  vt::WindowHandle GetMainWindow() override { return mainWindow; }
  vt::WindowHandle GetCursorControlWindow() override { return 0; }
  vt::WindowHandle GetStatisticsWindow() override { return 0; }
  vt::WindowHandle GetConvertProgressWindow() override { return 0; }
  std::string GetConversionFolder() override { return folder; }
  void SetConversionFolder(const std::string& f) override { folder = f; }

  std::vector<std::string> calls;
  std::optional<vt::GraphDisplayDefaults> defaults;
  std::vector<SGraphWindowEntry> placements;
  vt::WindowHandle mainWindow = 0;
  std::string folder;

 private:
  void Log(std::string call) { calls.push_back(std::move(call)); }
  vt::GraphWindowHost* previous_;
};

}  // namespace document_test
