// listgallery: the alarm list and the mark list of a graph window's list view over a small fake
// document, written to a PNG. The alarm list shows the rows between cursors A and B selected;
// the mark list a block selected with the mouse, edged by its marker lines.
//
// Usage: listgallery OUTPUT.png. Exit code 0 on success, 1 on a usage or write failure.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "gadget/GLabel.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
#include "gadget/sheet/AlarmList.h"
#include "gadget/sheet/AlarmListArt.h"
#include "gadget/sheet/MarkList.h"
#include "platform/gui/Bitmap.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/qt/Raster.h"

namespace {

constexpr int kWidth = 1000, kListHeight = 250, kCaption = 28;
constexpr vt::ColorRef kCaptionInk = 0x02403630;
constexpr vt::ColorRef kTitleBack = 0x02D8D0C8;

class GalleryRoot : public CGRoot {
 public:
  GalleryRoot(CGCore* master) : CGRoot(master, 0, 0) {}
  using CGRoot::AllocateBackDC;
};

std::string Clock(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "2024/05/10 %02d:%02d:%02d.000", int(seconds / 3600 % 24),
                int(seconds / 60 % 60), int(seconds % 60));
  return text;
}

const char* const kTypes[] = {"OFF",       "High",     "Low",        "Delta High", "Delta Low",
                              "Rate High", "Rate Low", "Delay High", "Delay Low"};

class Alarm : public CGVantrelAlarmData {
 public:
  Alarm(CGCore* manager, int64_t seconds, int type, int channel, const char* tag)
      : CGVantrelAlarmData(manager), seconds_(seconds), type_(type), channel_(channel), tag_(tag) {}
  TickTime GetTime() const override { return TickTime::FromPreciseTime(PreciseTime{seconds_, 0.0}); }
  std::string GetStatusText() const override { return type_ == 0 ? "Off" : "On"; }
  std::string GetChannelLabel() const override { return tag_; }
  std::string GetChannelNumberText() const override { return std::to_string(channel_); }
  std::string GetLevelText() const override { return std::to_string(channel_ % 4 + 1); }
  std::string GetTypeText() const override { return kTypes[type_]; }
  std::string GetTimeText() const override { return Clock(seconds_); }
  int32_t GetAlarmType() const override { return type_; }

 private:
  int64_t seconds_;
  int type_, channel_;
  std::string tag_;
};

class Mark : public CGVantrelMarkData {
 public:
  Mark(CGCore* manager, int64_t seconds, std::string title, std::string comment, std::string user)
      : CGVantrelMarkData(manager),
        seconds_(seconds),
        title_(std::move(title)),
        comment_(std::move(comment)),
        user_(std::move(user)) {}
  TickTime GetTime() const override { return TickTime::FromPreciseTime(PreciseTime{seconds_, 0.0}); }
  std::string GetTimeText() const override { return Clock(seconds_); }
  std::string GetTitle() const override { return title_; }
  std::string GetComment() const override { return comment_; }
  std::string GetUserName() const override { return user_; }
  std::string GetGroupText() const override { return "1, 2, 5"; }
  std::string GetOperationTimeText() const override { return Clock(seconds_ + 95); }

 private:
  int64_t seconds_;
  std::string title_, comment_, user_;
};

class Document : public CGVantrelDoc {
 public:
  Document() : CGVantrelDoc(nullptr, nullptr) {
    const char* tags[] = {"Boiler inlet temperature", "Pump 2 pressure", "Flow", "Tank level north",
                          "Temp\xC3\xA9rature chaudi\xC3\xA8re 12"};
    for (int i = 0; i < 24; ++i) new Alarm(alarms_, 36000 + i * 47, i % 9, i % 5 + 1, tags[i % 5]);
    const char* titles[] = {"Start of batch 17", "Operator note", "Valve V12 opened manually", "Calibration",
                            "Shift change"};
    const char* comments[] = {
        "Pressure rose after the valve change; checked the seals and resumed the run.", "OK",
        "Sample taken for the laboratory",
        "R\xC3\xA9glage termin\xC3\xA9, reprise \xC3\xA0 10 h 20 apr\xC3\xA8s contr\xC3\xB4le", ""};
    for (int i = 0; i < 20; ++i)
      new Mark(marks_, 36000 + i * 130, titles[i % 5], comments[i % 5],
               i % 2 ? "j.moreau" : "operator-on-duty-7");
  }
  CGVantrelAlarmDataManager* GetAlarmDataManager() const override { return alarms_; }
  CGVantrelMarkDataManager* GetMarkDataManager() const override { return marks_; }
  void GetCursorTimes(PreciseTime* a, PreciseTime* b) const override {
    *a = PreciseTime{36000 + 4 * 47, 0.0};
    *b = PreciseTime{36000 + 8 * 47, 0.0};
  }
  TickTime GetCursorATime() const override { return TickTime(); }
  TickTime GetCursorBTime() const override { return TickTime(); }

 private:
  CGVantrelAlarmDataManager* alarms_ = new CGVantrelAlarmDataManager(this);
  CGVantrelMarkDataManager* marks_ = new CGVantrelMarkDataManager(this);
};

// A list frame at top with header titles of the given widths, bars and a screen.
template <typename Screen>
Screen* MakeList(CGCore* root, int top, const char* const* titles, const int* widths, int count) {
  auto* list = new CGList(root);
  list->SetBounds(10, top, kWidth - 20, kListHeight);
  auto* strip = new CGGroup(list, 0, 0, 0, GSTYLE_ACTIVE, kWidth - 20, 20, 0, 1, kTitleBack);
  auto* header = new CGGroup(strip, 0, 0, 0, GSTYLE_ACTIVE, 10, 20, 0, 1, kTitleBack);
  int x = 0;
  for (int i = 0; i < count; ++i) {
    new CGLabel(header, x, 0, widths[i], 20, 0, 1, kTitleBack, kAlignLeft, 0x02202020, 13, titles[i]);
    x += widths[i];
  }
  list->m_header = header;
  (new CGVScrollBar(list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18))->Build(1);
  (new CGHScrollBar(list, 0, 0, 0, GSTYLE_ACTIVE, 20, 20, 18))->Build(1);
  return new Screen(list);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: listgallery OUTPUT.png\n");
    return 1;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  auto* master = new CGRootMaster;
  master->CreateManagers();
  std::copy(std::begin(kStartUpListColors), std::end(kStartUpListColors), g_listColors);
  RegisterAlarmTypeIcons();

  const int height = 2 * (kCaption + kListHeight) + 20;
  auto* root = new GalleryRoot(master);
  root->SetSize(kWidth, height);
  root->SetBackColor(0x02F1EEEC);
  root->SetOpaque(1);
  root->AllocateBackDC(kWidth, height);

  Document doc;
  const char* alarmTitles[] = {"Status", "Channel", "Level", "Type", "", "Time"};
  const int alarmWidths[] = {84, 160, 70, 112, 16, 182};
  auto* alarms = MakeList<CGVTListScreenAlarm>(root, kCaption, alarmTitles, alarmWidths, 6);
  alarms->m_channelWidth = 160;
  const char* markTitles[] = {"Time", "Title", "Comment", "User", "Groups", "Operation time"};
  const int markWidths[] = {182, 154, 260, 98, 98, 182};
  auto* marks =
      MakeList<CGVTListScreenMark>(root, 2 * kCaption + kListHeight + 10, markTitles, markWidths, 6);
  marks->m_commentWidth = 260;
  // The document hands both lists their rings and lays them out.
  alarms->OnUpdate(4, &doc);
  marks->OnUpdate(4, &doc);
  marks->SelectRange(7, 3);  // as a drag from row 7 up to row 3 leaves it
  root->Redraw();

  vt::DeviceContext* dc = root->GetBackDCPtr();
  const vt::Font* font = master->GetFont(14, 1, 0)->GetFont();
  dc->SelectClipRect(nullptr);
  DrawAlignedText(dc, vt::Rect{12, 0, kWidth, kCaption}, kAlignLeft, kCaptionInk, font,
                  "CGVTListScreenAlarm: the rows between cursors A and B selected");
  DrawAlignedText(dc, vt::Rect{12, kCaption + kListHeight + 10, kWidth, 2 * kCaption + kListHeight + 10},
                  kAlignLeft, kCaptionInk, font,
                  "CGVTListScreenMark: rows 3-7 selected with the mouse, edged by the marker lines");

  vt::Bitmap out(*vt::Bitmap::Create(kWidth, height, 24));
  vt::MemoryDc outDc;
  outDc.SelectBitmap(&out);
  outDc.BitBlt(0, 0, kWidth, height, *dc, 0, 0, vt::RasterOp::SrcCopy);
  outDc.SelectBitmap(nullptr);
  delete master;

  const QString path = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!out.Image().save(path, "PNG")) {
    std::fprintf(stderr, "listgallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
