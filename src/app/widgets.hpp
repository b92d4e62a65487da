#pragma once
// Small builders for the window's controls: each is placed at its pixel rectangle, named
// after its control and carries its caption or text as plain text.

#include <QRect>
#include <QString>

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace pelorin {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, const QRect& at);
// A label for a text that can be longer than any box (a file name, a channel name): shown
// with "..." in its middle when it does not fit, whole in the tooltip; its caption stays the
// text as set. Wrapping labels wrap first and elide only what the lines cannot hold.
QLabel* makeElidingLabel(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& at, Qt::TextElideMode mode = Qt::ElideMiddle);
// A text box whose text is shown whole in its tooltip whenever the box is too narrow for it.
void showWholeInTooltip(QLineEdit* box);
// A label whose caption runs over several lines.
QLabel* makeNote(QWidget* parent, const QString& name, const QString& caption, const QRect& at);
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, const QRect& at);
QComboBox* makeList(QWidget* parent, const QString& name, const QRect& at);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& at);
// The platform's face is wider than the original one: a caption that would not fit its
// button is set a little smaller, so that it stays whole. `chrome` is the width the button
// itself takes beside its text (frame, or the box or circle of a check or option).
void fitCaption(QAbstractButton* button, int chrome);
// A framed panel, hidden until an operation shows it; or such a panel of a class of its own
// set up the same way.
QGroupBox* makePanel(QWidget* parent, const QString& name, const QString& caption, const QRect& at);
void setUpPanel(QGroupBox* panel, const QString& name, const QRect& at);

}  // namespace pelorin
