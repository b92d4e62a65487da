#include "app/widgets.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTextLayout>

namespace pelorin {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  // Captions such as "<OR>" are shown as they are written.
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(at);
  return label;
}

namespace {

class ElidingLabel : public QLabel {
 public:
  ElidingLabel(const QString& caption, QWidget* parent, Qt::TextElideMode mode)
      : QLabel(caption, parent), mode_(mode) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect room = contentsRect();
    const QFontMetrics metrics = fontMetrics();
    const QString whole = text();
    QString shown;
    if (wordWrap()) {
      // The lines that fit, the last of them elided when more of the text is left over.
      QTextLayout layout(whole, font());
      layout.beginLayout();
      int height = 0;
      for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room.width());
        if (height + 2 * metrics.lineSpacing() > room.height() + metrics.leading() ||
            line.textStart() + line.textLength() >= whole.size()) {
          shown += metrics.elidedText(whole.mid(line.textStart()), mode_, room.width());
          break;
        }
        shown += whole.mid(line.textStart(), line.textLength()).trimmed() + u'\n';
        height += metrics.lineSpacing();
      }
      layout.endLayout();
    } else {
      shown = metrics.elidedText(whole, mode_, room.width());
    }
    QString plain = QString(shown).replace(u'\n', u' ');
    setToolTip(plain.simplified() == whole.simplified() ? QString() : whole);
    style()->drawItemText(&painter, room, static_cast<int>(alignment()), palette(), isEnabled(),
                          shown, foregroundRole());
  }

 private:
  Qt::TextElideMode mode_;
};

}  // namespace

QLabel* makeElidingLabel(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& at, Qt::TextElideMode mode) {
  auto* label = new ElidingLabel(caption, parent, mode);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(at);
  return label;
}

void showWholeInTooltip(QLineEdit* box) {
  QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString& text) {
    bool fits = box->fontMetrics().horizontalAdvance(text) + 8 <= box->width();
    box->setToolTip(fits ? QString() : text);
  });
}

QLabel* makeNote(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
  QLabel* label = makeLabel(parent, name, caption, at);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, const QRect& at) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  box->setGeometry(at);
  box->setTextMargins(0, 0, 0, 0);
  return box;
}

QComboBox* makeList(QWidget* parent, const QString& name, const QRect& at) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setGeometry(at);
  return list;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& at) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(at);
  fitCaption(button, 10);
  return button;
}

void fitCaption(QAbstractButton* button, int chrome) {
  QFont face = button->font();
  while (QFontMetrics(face).horizontalAdvance(button->text()) + chrome > button->width() &&
         face.pointSizeF() > 6.0)
    face.setPointSizeF(face.pointSizeF() - 0.5);
  if (face != button->font()) button->setFont(face);
}

void setUpPanel(QGroupBox* panel, const QString& name, const QRect& at) {
  panel->setObjectName(name);
  panel->setGeometry(at);
  panel->setAutoFillBackground(true);
  panel->hide();
}

QGroupBox* makePanel(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& at) {
  auto* panel = new QGroupBox(caption, parent);
  setUpPanel(panel, name, at);
  return panel;
}

}  // namespace pelorin
