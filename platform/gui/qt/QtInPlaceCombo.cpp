// In-place drop-down list: key hooks before the control, user selection changes reported.
#include "platform/gui/qt/QtInPlaceCombo.h"
#include "platform/gui/qt/Raster.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/gui/Font.h"
#include "platform/gui/MemoryDc.h"
#include "platform/gui/VirtualKeys.h"
#include "platform/gui/qt/EditorInput.h"
#include "platform/gui/qt/QtFont.h"

namespace vt {

class EditorComboBox final : public QComboBox {
 public:
  EditorComboBox(QWidget* parent, QtInPlaceCombo& owner) : QComboBox(parent), owner_(owner) {
    // Installed after the popup's own filter (view() makes the popup), so it sees keys first.
    view()->installEventFilter(this);
  }
  bool popupShown = false;

  void showPopup() override {
    popupShown = true;
    QComboBox::showPopup();
  }
  void hidePopup() override {
    popupShown = false;
    QComboBox::hidePopup();
  }

 protected:
  bool event(QEvent* e) override {
    if (QKeyEvent* tab = TabKeyPress(e)) {
      keyPressEvent(tab);
      return true;
    }
    return QComboBox::event(e);
  }

  void keyPressEvent(QKeyEvent* e) override {
    if (HookTakesKey(e, owner_.onKeyDown)) return;
    QComboBox::keyPressEvent(e);
  }

  // With the list open the keys go to the list, where Qt would spend Enter on picking the
  // item and ignore Tab. The old control took both as its own key: the highlighted item
  // becomes the choice (a user's change), the list closes, and the key goes to the hook.
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched != view() || e->type() != QEvent::KeyPress) return QComboBox::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    const uint32_t vk = VirtualKeyFromQt(key->key());
    if (vk != kVkReturn && vk != kVkTab) return false;
    const QModelIndex highlighted = view()->currentIndex();
    hidePopup();
    if (highlighted.isValid() && highlighted.row() != currentIndex()) setCurrentIndex(highlighted.row());
    HookTakesKey(key, owner_.onKeyDown);
    return true;
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    if (owner_.onMouseMove) owner_.onMouseMove(EditorMouseFlags(e), EditorPointInHost(this, e));
    QComboBox::mouseMoveEvent(e);
  }

  void paintEvent(QPaintEvent* e) override {
    if (!owner_.onPaintField) {
      QComboBox::paintEvent(e);
      return;
    }
    auto face = Bitmap::Create(std::max(1, width()), std::max(1, height()), 24);
    if (!face) return;
    MemoryDc dc;
    dc.SelectBitmap(face.get());
    owner_.onPaintField(dc, Rect{0, 0, face->Width(), face->Height()});
    QPainter(this).drawImage(0, 0, face->Image());
  }

 private:
  QtInPlaceCombo& owner_;
};

QtInPlaceCombo::QtInPlaceCombo(QWidget* host, int id, const Rect& r)
    : combo_(new EditorComboBox(host, *this)), id_(id), bounds_(r) {
  combo_->setContextMenuPolicy(Qt::NoContextMenu);
  combo_->setMouseTracking(true);
  combo_->setCurrentIndex(-1);
  QObject::connect(combo_.data(), qOverload<int>(&QComboBox::currentIndexChanged), combo_.data(),
                   [this](int) {
                     if (!settingSelection_ && onSelChange) onSelChange();
                   });
  Place();
  combo_->hide();
}

QtInPlaceCombo::~QtInPlaceCombo() { delete combo_.data(); }

QWidget* QtInPlaceCombo::Widget() const { return combo_.data(); }

void QtInPlaceCombo::Place() {
  if (!combo_) return;
  // The field height is the item height plus the field's frame (3 pixels above and below),
  // so that a field set to cell height - 4 covers the cell with one pixel to spare each side.
  const int32_t field = fieldHeight_ > 0 ? std::min(fieldHeight_ + 6, bounds_.Height()) : bounds_.Height();
  combo_->setGeometry(bounds_.left, bounds_.top, bounds_.Width(), std::max(field, 1));
  // The rest of the rectangle is the list.
  const int32_t item = std::max(fieldHeight_ > 0 ? fieldHeight_ : combo_->fontMetrics().height(), 1);
  combo_->setMaxVisibleItems(std::max(1, (bounds_.Height() - field) / item));
}

void QtInPlaceCombo::Move(const Rect& r, bool repaint) {
  bounds_ = r;
  Place();
  if (repaint && combo_) combo_->update();
}

void QtInPlaceCombo::SetFont(const Font* font) {
  if (combo_) combo_->setFont(font ? QtFontOf(*font) : QFont());
}

void QtInPlaceCombo::ResetContent() {
  if (!combo_) return;
  settingSelection_ = true;
  combo_->clear();
  settingSelection_ = false;
}

int QtInPlaceCombo::AddString(std::string_view utf8) {
  if (!combo_) return -1;
  settingSelection_ = true;
  const int selected = combo_->currentIndex();
  combo_->addItem(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
  combo_->setCurrentIndex(selected);  // adding never selects, as in the old list
  settingSelection_ = false;
  return combo_->count() - 1;
}

int QtInPlaceCombo::Count() const { return combo_ ? combo_->count() : 0; }

std::string QtInPlaceCombo::ItemText(int index) const {
  return combo_ && index >= 0 && index < combo_->count() ? combo_->itemText(index).toUtf8().toStdString()
                                                         : std::string();
}

void QtInPlaceCombo::SetCurSel(int index) {
  if (!combo_) return;
  settingSelection_ = true;
  combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
  settingSelection_ = false;
}

int QtInPlaceCombo::CurSel() const { return combo_ ? combo_->currentIndex() : -1; }

void QtInPlaceCombo::SetText(std::string_view utf8) {
  if (combo_) combo_->setPlaceholderText(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())));
}

std::string QtInPlaceCombo::Text() const {
  if (!combo_) return {};
  return (combo_->currentIndex() >= 0 ? combo_->currentText() : combo_->placeholderText())
      .toUtf8()
      .toStdString();
}

void QtInPlaceCombo::SetFieldHeight(int32_t height) {
  fieldHeight_ = height;
  Place();
}

void QtInPlaceCombo::ShowDropDown(bool show) {
  if (!combo_) return;
  if (show) {
    combo_->showPopup();
  } else {
    combo_->hidePopup();
  }
}

bool QtInPlaceCombo::IsDroppedDown() const { return combo_ && combo_->popupShown; }

void QtInPlaceCombo::Show(bool show) {
  if (combo_) combo_->setVisible(show);
}

bool QtInPlaceCombo::IsVisible() const { return combo_ && combo_->isVisible(); }

void QtInPlaceCombo::Focus() {
  if (combo_) combo_->setFocus(Qt::OtherFocusReason);
}

bool QtInPlaceCombo::HasFocus() const { return combo_ && combo_->hasFocus(); }

void QtInPlaceCombo::Invalidate() {
  if (combo_) combo_->update();
}

}  // namespace vt
