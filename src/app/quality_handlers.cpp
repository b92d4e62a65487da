// View, Quality: the sounding against the application classes, a line per rule with its
// mark, kept up to date after every step while the panel is shown. A click on a line that
// names readings makes the first of them current.

#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <algorithm>

#include "app/main_form.hpp"
#include "quality/quality.hpp"

namespace pelorin {

void MainForm::buildQualityPanel() {
  tblQuality = new QTableWidget(0, 3, this);
  tblQuality->setObjectName("tblQuality");
  tblQuality->setHorizontalHeaderLabels({u""_s, u"Rule"_s, u"Figures"_s});
  tblQuality->verticalHeader()->hide();
  tblQuality->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  tblQuality->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  tblQuality->horizontalHeader()->setStretchLastSection(true);
  tblQuality->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tblQuality->setSelectionBehavior(QAbstractItemView::SelectRows);
  tblQuality->setWordWrap(true);
  dockQuality = addViewDock(u"Quality"_s, tblQuality, Qt::Key_3, Qt::Vertical, mnuViewQuality);
  connect(tblQuality, &QTableWidget::cellClicked, this,
          [this](int row, int) { tblQuality_Click(row); });
  connect(dockQuality, &QDockWidget::visibilityChanged, this, [this](bool shown) {
    if (shown) qualityChanged();
  });
}

void MainForm::qualityChanged() {
  if (!dockQuality || !dockQuality->isVisible()) return;
  qualityReadings_.clear();
  tblQuality->setRowCount(0);
  if (session_->path().empty()) return;
  static const struct {
    const char* sign;
    QColor colour;
  } kMarks[] = {{"\u2713", QColor(0, 140, 0)}, {"\u2717", QColor(200, 0, 0)}, {"\u2013", Qt::gray}};
  for (const QualityLine& line : qualityLines(assessQuality(*sounding_, *definitions_))) {
    const int row = tblQuality->rowCount();
    tblQuality->insertRow(row);
    const auto& mark = kMarks[static_cast<int>(line.mark)];
    auto* sign = new QTableWidgetItem(QString::fromUtf8(mark.sign));
    sign->setForeground(mark.colour);
    sign->setToolTip(QString::fromLatin1(markWord(line.mark)));
    tblQuality->setItem(row, 0, sign);
    tblQuality->setItem(row, 1, new QTableWidgetItem(fromModelText(line.item)));
    auto* figures = new QTableWidgetItem(fromModelText(line.figures));
    figures->setToolTip(figures->text());
    tblQuality->setItem(row, 2, figures);
    qualityReadings_.push_back(line.reading);
  }
  tblQuality->resizeRowsToContents();
}

void MainForm::tblQuality_Click(int row) {
  if (row < 0 || row >= static_cast<int>(qualityReadings_.size()) || !qualityReadings_[row]) return;
  // A line about a reading Up and Down cannot reach goes to the nearest one they can.
  const Sounding& s = *sounding_;
  makeReadingCurrent(std::clamp(qualityReadings_[static_cast<std::size_t>(row)], s.MaxLag + 1,
                                std::max<int>(s.MaxLag + 1, s.NumReadings)));
}

}  // namespace pelorin
