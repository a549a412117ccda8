// The message-box dialog (see MessageBoxDialog.h).
#include "platform/gui/qt/MessageBoxDialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cassert>

#include "platform/gui/qt/MessageBoxButtons.h"

namespace vt {

namespace {

// The style's standard pixmap for the icon bits, or none for any other value.
bool IconFor(uint32_t type, QStyle::StandardPixmap& pixmap) {
  switch (type & kMbIconMask) {
    case kMbIconError:
      pixmap = QStyle::SP_MessageBoxCritical;
      return true;
    case kMbIconQuestion:
      pixmap = QStyle::SP_MessageBoxQuestion;
      return true;
    case kMbIconWarning:
      pixmap = QStyle::SP_MessageBoxWarning;
      return true;
    case kMbIconInformation:
      pixmap = QStyle::SP_MessageBoxInformation;
      return true;
    default:
      return false;
  }
}

// The widest a line of text may be: five eighths of the screen, so a box never outgrows it.
int MaxTextWidth(const QWidget* parent) {
  const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
  return screen ? std::max(200, screen->availableGeometry().width() * 5 / 8) : 500;
}

// Breaks every line longer than maxWidth at word boundaries, or anywhere inside a word that is
// wider on its own (a long path), and joins the pieces with new lines. No character is lost.
QString WrapToWidth(const QString& text, const QFont& font, int maxWidth) {
  QStringList out;
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    QTextLayout layout(line, font);
    layout.setTextOption(option);
    layout.beginLayout();
    int pieces = 0;
    for (QTextLine piece = layout.createLine(); piece.isValid(); piece = layout.createLine()) {
      piece.setLineWidth(maxWidth);
      out << line.mid(piece.textStart(), piece.textLength());
      ++pieces;
    }
    layout.endLayout();
    if (pieces == 0) out << QString();
  }
  return out.join(QLatin1Char('\n'));
}

}  // namespace

MessageBoxDialog::MessageBoxDialog(const MessageBoxRequest& request, QWidget* parent) : QDialog(parent) {
  std::vector<int> ids = MessageBoxButtonIds(request.type);
  assert(!ids.empty());
  escapeId_ = MessageBoxEscapeId(request.type);

  setWindowTitle(QString::fromUtf8(request.caption.data(), qsizetype(request.caption.size())));
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (escapeId_ != kIdNone) flags |= Qt::WindowCloseButtonHint;
  if (request.type & (kMbSystemModal | kMbTopmost)) flags |= Qt::WindowStaysOnTopHint;
  setWindowFlags(flags);

  auto* body = new QHBoxLayout;
  QStyle::StandardPixmap pixmap;
  if (IconFor(request.type, pixmap)) {
    icon_ = new QLabel(this);
    int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon_->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
    icon_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    body->addWidget(icon_, 0, Qt::AlignTop);
  }
  // Plain text always: a path or a message holding '<' must never be read as markup.
  text_ = new QLabel(this);
  text_->setTextFormat(Qt::PlainText);
  text_->setText(WrapToWidth(QString::fromUtf8(request.text.data(), qsizetype(request.text.size())),
                             text_->font(), MaxTextWidth(parent)));
  text_->setWordWrap(false);
  text_->setTextInteractionFlags(Qt::NoTextInteraction);
  body->addWidget(text_, 1);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  int defaultIndex = MessageBoxDefaultIndex(request.type);
  for (std::size_t i = 0; i < ids.size(); ++i) {
    int id = ids[i];
    auto* button = new QPushButton(MessageBoxButtonLabel(id, request.language), this);
    button->setDefault(int(i) == defaultIndex);
    connect(button, &QPushButton::clicked, this, [this, id] { done(id); });
    row->addWidget(button);
    buttons_.append(button);
    ids_.append(id);
  }
  row->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body);
  layout->addSpacing(8);
  layout->addLayout(row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  buttons_.at(defaultIndex)->setFocus();
}

void MessageBoxDialog::reject() {
  // Esc and the close box come here; without an escape button the box stays up.
  if (escapeId_ != kIdNone) done(escapeId_);
}

}  // namespace vt
