#include "app/widgets.hpp"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pelorin {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  // Captions such as "<OR>" are shown as they are written.
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(at);
  return label;
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

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
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

QGroupBox* makePanel(QWidget* parent, const QString& name, const QString& caption, const QRect& at) {
  auto* panel = new QGroupBox(caption, parent);
  panel->setObjectName(name);
  panel->setGeometry(at);
  panel->setAutoFillBackground(true);
  panel->hide();
  return panel;
}

}  // namespace pelorin
