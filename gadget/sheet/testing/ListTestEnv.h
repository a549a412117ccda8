// Fixtures of the list tests: a root on a fake host of 800 x 400 with the start-up list colours
// and the alarm type icons, a list frame with header strip, header row and both scroll bars
// around a body, and a fake graph document with alarm and mark rings built from small tables.
#pragma once
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gadget/GScrollBar.h"
#include "gadget/sheet/AlarmListArt.h"
#include "gadget/sheet/GList.h"
#include "gadget/sheet/ListDocument.h"
#include "gadget/testing/GadgetTestEnv.h"

namespace list_test {

// A time of whole seconds as the lists store it.
inline TickTime Tick(int64_t seconds) { return TickTime::FromPreciseTime(PreciseTime{seconds, 0.0}); }

class FakeAlarm : public CGVantrelAlarmData {
 public:
  FakeAlarm(CGCore* manager, int64_t seconds, int32_t type, std::string label, std::string number)
      : CGVantrelAlarmData(manager),
        time_(Tick(seconds)),
        type_(type),
        label_(std::move(label)),
        number_(std::move(number)) {}
  TickTime GetTime() const override { return time_; }
  std::string GetStatusText() const override { return "ON"; }
  std::string GetChannelLabel() const override { return label_; }
  std::string GetChannelNumberText() const override { return number_; }
  std::string GetLevelText() const override { return "L1"; }
  std::string GetTypeText() const override { return "High"; }
  std::string GetTimeText() const override {
    return "t" + std::to_string(time_.ticks / 10000000 - 11644473600);
  }
  int32_t GetAlarmType() const override { return type_; }

 private:
  TickTime time_;
  int32_t type_;
  std::string label_, number_;
};

class FakeMark : public CGVantrelMarkData {
 public:
  FakeMark(CGCore* manager, int64_t seconds, std::string title, std::string comment)
      : CGVantrelMarkData(manager),
        time_(Tick(seconds)),
        title_(std::move(title)),
        comment_(std::move(comment)) {}
  TickTime GetTime() const override { return time_; }
  std::string GetTimeText() const override {
    return "t" + std::to_string(time_.ticks / 10000000 - 11644473600);
  }
  std::string GetTitle() const override { return title_; }
  std::string GetComment() const override { return comment_; }
  std::string GetUserName() const override { return "operator"; }
  std::string GetGroupText() const override { return "G1"; }
  std::string GetOperationTimeText() const override { return "op"; }

 private:
  TickTime time_;
  std::string title_, comment_;
};

class FakeDoc : public CGVantrelDoc {
 public:
  FakeDoc() : CGVantrelDoc(nullptr, nullptr) {}
  CGVantrelAlarmDataManager* GetAlarmDataManager() const override { return alarms; }
  CGVantrelMarkDataManager* GetMarkDataManager() const override { return marks; }
  void GetCursorTimes(PreciseTime* a, PreciseTime* b) const override {
    *a = cursorA;
    *b = cursorB;
  }
  TickTime GetCursorATime() const override {
    return cursorA.seconds > 0 ? TickTime::FromPreciseTime(cursorA) : TickTime();
  }
  TickTime GetCursorBTime() const override {
    return cursorB.seconds > 0 ? TickTime::FromPreciseTime(cursorB) : TickTime();
  }
  // Alarms of type 1 at the given seconds, labelled "TAG<i>" and numbered "<100 + i>".
  void AddAlarms(const std::vector<int64_t>& seconds, int32_t type = 1) {
    for (int64_t s : seconds) {
      const int i = alarms->CountChildren();
      new FakeAlarm(alarms, s, type, "TAG" + std::to_string(i), std::to_string(100 + i));
    }
  }
  void AddMarks(const std::vector<int64_t>& seconds) {
    for (int64_t s : seconds) {
      const int i = marks->CountChildren();
      new FakeMark(marks, s, "title" + std::to_string(i), "comment" + std::to_string(i));
    }
  }
  void SetCursors(int64_t a, int64_t b) {
    cursorA = PreciseTime{a, 0.0};
    cursorB = PreciseTime{b, 0.0};
  }
  CGVantrelAlarmDataManager* alarms = new CGVantrelAlarmDataManager(this);
  CGVantrelMarkDataManager* marks = new CGVantrelMarkDataManager(this);
  PreciseTime cursorA{-1, 0.0};
  PreciseTime cursorB{-1, 0.0};
};

// A list frame as the list view's root builds it: strip and header row 20 high, bars 20 thick.
struct ListParts {
  CGList* list = nullptr;
  CGGroup* strip = nullptr;
  CGGroup* header = nullptr;
  CGVScrollBar* vbar = nullptr;
  CGHScrollBar* hbar = nullptr;
};

inline ListParts MakeListFrame(CGCore* parent, int w, int h, CGList* list = nullptr) {
  ListParts p;
  p.list = list ? list : new CGList(parent);
  p.list->SetBounds(0, 0, w, h);
  p.strip = new CGGroup(p.list, 0, 0, 0, GSTYLE_ACTIVE, w, 20);
  p.header = new CGGroup(p.strip, 0, 0, 0, GSTYLE_ACTIVE, 100, 20, 0, 1, 0x02A0A0A0);
  p.list->m_header = p.header;
  p.vbar = new CGVScrollBar(p.list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  p.vbar->Build(1);
  p.hbar = new CGHScrollBar(p.list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18);
  p.hbar->Build(1);
  return p;
}

class ListEnv : public gadget_test::GadgetEnv {
 protected:
  void SetUp() override {
    GadgetEnv::SetUp();
    std::copy(std::begin(kStartUpListColors), std::end(kStartUpListColors), g_listColors);
    RegisterAlarmTypeIcons();
    host = std::make_unique<vt::FakeHostWindow>(800, 400, vt::Point{1000, 500});
    desktop->hostUnderCursor = host->Handle();
    root = new CGRoot(master, 0, 1);
    root->Attach(host.get());
  }
  void TearDown() override {
    GadgetEnv::TearDown();
    host.reset();
  }
  // A system paint of the whole window (the first one makes the back buffer).
  void PaintWindow() {
    host->Invalidate(nullptr);
    host->RunPendingPaint();
  }
  vt::ColorRef BackPixel(int x, int y) { return root->GetBackDCPtr()->GetPixel(x, y); }
  std::unique_ptr<vt::FakeHostWindow> host;
  CGRoot* root = nullptr;
};

}  // namespace list_test
