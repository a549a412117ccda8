// The preview window: the shown page as a picture, a page box and buttons to step, print and
// close. Only the page shown is ever drawn.
#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/gui/MessageBox.h"
#include "platform/gui/PrintPreview.h"
#include "platform/gui/StringTable.h"
#include "platform/gui/qt/Raster.h"

namespace vt {

namespace {

QWidget* OwnerOf(WindowHandle owner) {
  if (owner == 0) return nullptr;
  auto* widget = static_cast<QWidget*>(WindowNative(owner));
  return widget ? widget->window() : nullptr;
}

class PreviewDialog : public QDialog {
 public:
  PreviewDialog(PrintPreview& preview, QWidget* owner) : QDialog(owner), preview_(preview) {
    setObjectName(QStringLiteral("dialog.preview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowModality(Qt::ApplicationModal);
    auto* bar = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    print->setObjectName(QStringLiteral("preview.print"));
    prev_ = new QPushButton(QStringLiteral("&Prev Page"), this);
    prev_->setObjectName(QStringLiteral("preview.prev"));
    next_ = new QPushButton(QStringLiteral("&Next Page"), this);
    next_->setObjectName(QStringLiteral("preview.next"));
    page_ = new QSpinBox(this);
    page_->setObjectName(QStringLiteral("preview.page"));
    page_->setRange(preview.FirstPage(), preview.LastPage());
    count_ = new QLabel(QStringLiteral("/ %1").arg(preview.LastPage()), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("preview.close"));
    for (QWidget* w :
         {static_cast<QWidget*>(print), static_cast<QWidget*>(prev_), static_cast<QWidget*>(next_),
          static_cast<QWidget*>(page_), static_cast<QWidget*>(count_)})
      bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(close);
    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("preview.picture"));
    picture_->setAlignment(Qt::AlignCenter);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll, 1);
    connect(prev_, &QPushButton::clicked, this, [this] { Show(preview_.ShownPage() - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { Show(preview_.ShownPage() + 1); });
    connect(page_, &QSpinBox::editingFinished, this, [this] { Show(page_->value()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] {
      // The preview's job ends first; the print job prepares, begins and ends on its own.
      preview_.End();
      done(kIdOk);
    });
    resize(760, 900);
    Show(preview.FirstPage());
  }

 private:
  void Show(int page) {
    preview_.ShowPage(page);
    picture_->setPixmap(QPixmap::fromImage(preview_.Page().Picture()));
    const QSignalBlocker block(page_);
    page_->setValue(preview_.ShownPage());
    prev_->setEnabled(preview_.ShownPage() > preview_.FirstPage());
    next_->setEnabled(preview_.ShownPage() < preview_.LastPage());
  }

  PrintPreview& preview_;
  QPushButton* prev_;
  QPushButton* next_;
  QSpinBox* page_;
  QLabel* count_;
  QLabel* picture_;
};

}  // namespace

bool RunPrintPreview(PrintClient& client, WindowHandle owner) {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return false;
  PrintPreview preview(client, 720);
  if (!preview.Begin()) {
    MessageBox(owner, LoadString(kIdsCommandFailed), LoadString(128), kMbOk | kMbIconError);
    return false;
  }
  int result = 0;
  {
    PreviewDialog dialog(preview, OwnerOf(owner));
    result = dialog.exec();
  }
  preview.End();
  if (result == kIdOk) {
    PrintInfo info;
    RunPrintJob(client, info);
  }
  return true;
}

}  // namespace vt
