// listgallery: the alarm list and the mark list of a graph window's list view over a small real
// graph document, written to a PNG. The alarm list shows the rows between cursors A and B selected;
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

#include "document/testing/DocumentItems.h"
#include "document/ui/AlarmList.h"
#include "document/ui/AlarmListArt.h"
#include "document/ui/MarkList.h"
#include "gadget/GLabel.h"
#include "gadget/GRoot.h"
#include "gadget/GRootMaster.h"
#include "gadget/GScrollBar.h"
#include "gadget/GText.h"
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

// A graph document with 24 alarms and 20 marks in the morning of 2024-05-10 (UTC), cursors A
// and B around alarms 4 to 8, alarms named by their tags.
std::unique_ptr<CGVantrelDoc> MakeDocument() {
  auto doc = std::make_unique<CGVantrelDoc>(nullptr, nullptr);
  doc->m_tagMode = NAME_TAG;
  const int64_t day = 1715299200;  // 2024-05-10 00:00:00 UTC
  const char* tags[] = {"Boiler inlet temperature", "Pump 2 pressure", "Flow", "Tank level north",
                        "Temp\xC3\xA9rature chaudi\xC3\xA8re 12"};
  for (int i = 0; i < 24; ++i) {
    document_test::AlarmItem a;
    a.seconds = day + 36000 + i * 47;
    a.type = i % 9;
    a.status = i % 9 == 0 ? 2 : 1;
    a.level = i % 4 + 1;
    a.channel = i % 5 + 1;
    a.channelText = "CH" + std::to_string(a.channel);
    a.tagName = tags[i % 5];
    document_test::AddAlarm(doc.get(), a);
  }
  const char* titles[] = {"Start of batch 17", "Operator note", "Valve V12 opened manually", "Calibration",
                          "Shift change"};
  const char* comments[] = {
      "Pressure rose after the valve change; checked the seals and resumed the run.", "OK",
      "Sample taken for the laboratory",
      "R\xC3\xA9glage termin\xC3\xA9, reprise \xC3\xA0 10 h 20 apr\xC3\xA8s contr\xC3\xB4le", ""};
  for (int i = 0; i < 20; ++i)
    document_test::AddMark(doc.get(),
                           {day + 36000 + i * 130, titles[i % 5], comments[i % 5],
                            i % 2 ? "j.moreau" : "operator-on-duty-7", 0x13, day + 36095 + i * 130});
  doc->SetCursors(document_test::Tick(day + 36000 + 4 * 47), document_test::Tick(day + 36000 + 8 * 47));
  return doc;
}

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

  std::unique_ptr<CGVantrelDoc> doc = MakeDocument();
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
  alarms->OnUpdate(4, doc.get());
  marks->OnUpdate(4, doc.get());
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
  doc.reset();
  delete master;

  const QString path = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(QFileInfo(path).absolutePath());
  if (!out.Image().save(path, "PNG")) {
    std::fprintf(stderr, "listgallery: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
