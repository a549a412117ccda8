// Resources and services: the compiled-in string table, the bitmap registry keeping bit
// depths, printer device caps, the tooltip window that never takes focus, and the fakes that
// later tests build on (fake host posts, timers and paints; fake desktop answers).
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTest>

#include "platform/gui/BitmapRegistry.h"
#include "platform/gui/DeviceContext.h"
#include "platform/gui/HostClient.h"
#include "platform/gui/PrinterDc.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/HostWidget.h"
#include "platform/gui/qt/PrintDevice.h"
#include "platform/gui/qt/QtDesktop.h"
#include "platform/gui/qt/QtToolTip.h"
#include "platform/gui/testing/FakeDesktop.h"
#include "platform/gui/testing/FakeHostWindow.h"
#include "testing/TempFolder.h"

namespace vt {
namespace {

TEST(StringTable, KnownIdsGiveTheirTextAndMissingOnesEmpty) {
  EXPECT_EQ(LoadString(57345), "Ready");
  EXPECT_EQ(LoadString(61475), "Out of memory.");
  EXPECT_EQ(LoadString(1), "");
  EXPECT_EQ(LoadString(0xFFFFFFFFu), "");
}

TEST(StringTable, FormatEscapesCommentsLineEndsAndBadLines) {
  const auto table = ParseStringTable(
      "# comment\t with a tab\n"
      "3235\t Drawing\r\n"  // leading blank kept, CR LF line end
      "5001\tTwo\\nlines\\tand \\\\ one\n"
      "x12\tnot a number\n"
      "12 \tblank after the id\n"
      "\tno id\n"
      "77 no tab\n"
      "5002\tfirst\n"
      "5002\tsecond\n"
      "5003\t\n"
      "5004\ttrailing \\");
  EXPECT_EQ(table.size(), 5u);
  EXPECT_EQ(table.at(3235), " Drawing");
  EXPECT_EQ(table.at(5001), "Two\nlines\tand \\ one");
  EXPECT_EQ(table.at(5002), "second");
  EXPECT_EQ(table.at(5003), "");
  EXPECT_EQ(table.at(5004), "trailing \\");
}

TEST(BitmapRegistry, LoadGivesACopyWithTheRegisteredDepth) {
  for (int depth : {1, 24, 32}) {
    auto bitmap = Bitmap::Create(4, 3, depth);
    bitmap->SetPixel(1, 1, Rgb(255, 255, 255));
    RegisterBitmap(9000 + depth, std::move(bitmap));
    auto loaded = LoadBitmap(9000 + depth);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->BitsPerPixel(), depth);
    EXPECT_EQ(loaded->Dimensions(), (Size{4, 3}));
    EXPECT_EQ(loaded->GetPixel(1, 1), Rgb(255, 255, 255));
    loaded->SetPixel(1, 1, Rgb(0, 0, 0));
    EXPECT_EQ(LoadBitmap(9000 + depth)->GetPixel(1, 1),
              Rgb(255, 255, 255));  // the registered one is untouched
  }
  EXPECT_FALSE(LoadBitmap(8999));
  RegisterBitmap(9001, nullptr);
  EXPECT_FALSE(IsBitmapRegistered(9001));
  EXPECT_FALSE(Bitmap::Create(4, 4, 8));
  EXPECT_FALSE(Bitmap::Create(0, 4, 24));

  vt_test::TempFolder dir;
  QImage mono(5, 5, QImage::Format_Mono);
  mono.fill(1);
  const std::string path = dir / "mask.png";
  ASSERT_TRUE(mono.save(QString::fromStdString(path)));
  auto fromFile = LoadBitmapFile(path);
  ASSERT_TRUE(fromFile);
  EXPECT_EQ(fromFile->BitsPerPixel(), 1);
  EXPECT_FALSE(LoadBitmapFile(dir / "missing.png"));
}

TEST(PrinterDc, DeviceCapsComeFromThePrinter) {
  vt_test::TempFolder dir;
  QPdfWriter writer(QString::fromStdString(dir / "page.pdf"));
  writer.setResolution(600);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  PrintDevice device(writer);
  PrinterDc dc(device);
  ASSERT_TRUE(dc.IsValid());
  EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsY), 600);
  EXPECT_EQ(dc.GetDeviceCaps(DeviceCap::LogPixelsY) / 120, 5);
  EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzRes), 4960, 2);  // 210 mm at 600 dpi
  EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::HorzSize), 210, 1);
  EXPECT_NEAR(dc.GetDeviceCaps(DeviceCap::VertSize), 297, 1);
  // Drawing goes to the page; there are no pixels to read back.
  dc.FillSolidRect({100, 100, 400, 400}, Rgb(255, 0, 0));
  dc.TextOut(100, 500, "printed");
  auto mask = Bitmap::Create(8, 8, 1);
  EXPECT_TRUE(dc.BitBlt(0, 0, 8, 8, *mask, 0, 0, RasterOp::SrcAnd));
  EXPECT_EQ(dc.GetPixel(150, 150), kNoColor);
  EXPECT_TRUE(dc.NewPage());
  EXPECT_TRUE(dc.End());
}

TEST(ToolTipWindow, ShowingItNeverTakesTheFocus) {
  HostWidget host;
  host.resize(50, 40);
  host.show();
  host.activateWindow();
  host.setFocus();
  QApplication::processEvents();
  QWidget* focusBefore = QApplication::focusWidget();
  QtToolTip tip;
  tip.SetText("help", nullptr);
  tip.ShowAt({10, 10, 60, 30});
  QApplication::processEvents();
  EXPECT_TRUE(tip.IsVisible());
  EXPECT_EQ(tip.ScreenRect(), (Rect{10, 10, 60, 30}));
  EXPECT_EQ(QApplication::focusWidget(), focusBefore);
  EXPECT_FALSE(tip.isActiveWindow());
  EXPECT_EQ(tip.focusPolicy(), Qt::NoFocus);
  tip.Hide();
  EXPECT_FALSE(tip.IsVisible());
}

class PaintingClient : public HostClient {
 public:
  std::vector<uint32_t> timers;
  std::vector<LParam> messages;
  void OnPaint(DeviceContext& dc, const Rect& area) override { dc.FillSolidRect(area, Rgb(0, 0, 255)); }
  void OnTimer(uint32_t id) override { timers.push_back(id); }
  LResult OnMessage(uint32_t, WParam, LParam l) override {
    messages.push_back(l);
    return 0;
  }
};

TEST(FakeHostWindow, PostsWaitForThePumpAndTimersAndPaintsForTheTest) {
  FakeHostWindow host(40, 30, {200, 100});
  PaintingClient client;
  host.SetClient(&client);
  EXPECT_TRUE(PostMessage(host.Handle(), kWmUser + 1, 0, 3));
  EXPECT_TRUE(client.messages.empty());  // asynchronous
  host.Pump();
  EXPECT_EQ(client.messages, std::vector<LParam>{3});

  host.SetTimer(1, 50);
  EXPECT_TRUE(host.FireTimer(1));
  EXPECT_FALSE(host.FireTimer(3));
  EXPECT_EQ(client.timers, std::vector<uint32_t>{1});
  EXPECT_EQ(host.Timers().at(1), 50u);

  const Rect r{5, 5, 10, 10};
  host.Invalidate(&r);
  EXPECT_TRUE(host.HasPendingPaint());
  host.RunPendingPaint();
  EXPECT_EQ(host.FrontImage().pixel(7, 7) & 0xFFFFFFu, 0x0000FFu);
  EXPECT_EQ(host.FrontImage().pixel(12, 7) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(host.ScreenToClient({210, 105}), (Point{10, 5}));

  auto edit = host.CreateEdit(false, 10000, {10, 30, 140, 80});
  edit->onKeyDown = [](uint32_t vk) { return vk == kVkReturn; };
  ASSERT_EQ(host.Edits().size(), 1u);
  host.Edits()[0]->Type("ab\tc");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_TRUE(host.Edits()[0]->PressKey(kVkReturn));
  std::vector<uint32_t> chars;  // characters as the real control reports them, not bytes
  edit->onChar = [&](uint32_t ch) {
    chars.push_back(ch);
    return ch == 0xE9;
  };
  host.Edits()[0]->Type("é€x");
  EXPECT_EQ(chars, (std::vector<uint32_t>{0xE9, 0x20AC, 'x'}));
  EXPECT_EQ(edit->Text(), "abc€x");
  edit.reset();
  EXPECT_TRUE(host.Edits().empty());
}

TEST(QtDesktop, ClipboardKeepsTextAndBitmaps) {
  QtDesktop desktop;
  ASSERT_TRUE(desktop.SetClipboardText("first\rsecond"));
  EXPECT_EQ(desktop.ClipboardText(), "first\rsecond");
  auto picture = Bitmap::Create(3, 2, 24);
  picture->SetPixel(2, 1, Rgb(255, 0, 0));
  ASSERT_TRUE(desktop.SetClipboardBitmap(*picture));
  const QImage pasted = QGuiApplication::clipboard()->image();
  ASSERT_EQ(pasted.size(), QSize(3, 2));
  EXPECT_EQ(pasted.pixel(2, 1) & 0xFFFFFFu, 0xFF0000u);
  const Rect work = desktop.WorkArea();
  EXPECT_FALSE(work.IsEmpty());
}

TEST(FakeDesktop, AnswersAreTheTestsOwn) {
  FakeDesktop fake;
  fake.cursor = {12, 34};
  fake.keysDown = {kVkShift};
  fake.colorAnswer = Rgb(1, 2, 3);
  auto previous = InstallDesktop(std::shared_ptr<Desktop>(&fake, [](Desktop*) {}));
  Desktop& desktop = CurrentDesktop();
  EXPECT_EQ(desktop.CursorPos(), (Point{12, 34}));
  EXPECT_TRUE(desktop.IsKeyDown(kVkShift));
  EXPECT_FALSE(desktop.IsKeyDown(kVkControl));
  EXPECT_EQ(desktop.ChooseColor(0, Rgb(9, 9, 9)), Rgb(1, 2, 3));
  EXPECT_EQ(fake.colorRequests, std::vector<ColorRef>{Rgb(9, 9, 9)});
  FakeHostWindow host(10, 10);
  EXPECT_FALSE(desktop.IsCursorOver(host));
  fake.hostUnderCursor = host.Handle();
  EXPECT_TRUE(desktop.IsCursorOver(host));
  InstallDesktop(previous);
  EXPECT_NE(&CurrentDesktop(), &fake);
}

}  // namespace
}  // namespace vt
