#pragma once
// Drawing a page of the CPT log with a QPainter: on a PDF or SVG file, an image, or the
// printer of the window's print dialog, all with the same code.

#include <QRectF>
#include <vector>

#include "report/cpt_log.hpp"

class QPainter;

namespace pelorin::report {

// The page is laid out on an A4 sheet in tenths of a millimetre, origin at the top left.
inline constexpr double LogPageWidth = 2100, LogPageHeight = 2970;

// One graph of a page: where it lies and the scale across it. A graph drawn from the right
// (Rf in the overlay layout) has its scale's low value at the right edge.
struct LogTrack {
  LogGraph graph;
  QRectF area;
  LogScale scale;
  bool fromRight = false;

  // The x of a value on the sheet; a value beyond the scale at the nearer edge.
  double x(double value) const;
};

// Where everything of a page lies, the same on every page of a log.
struct LogPageLayout {
  QRectF titleBlock, header, plot, footer;
  std::vector<LogTrack> tracks;
  // The y of a depth (m) on page `page` of the log.
  double y(const CptLog& log, int page, double depth) const;
};

LogPageLayout logPageLayout(const CptLog& log);

// How many clean-up steps the foot of the last page of readings lists, and a page of steps.
int logStepsOnFoot();
int logStepsOnPage();

// Draws page `page` (1 to logPageCount(log)) on the painter as an A4 sheet filling `sheet`
// (in the painter's coordinates), scaled alike in both directions and centred. The painter's
// state is left as it was.
void drawLogPage(QPainter& painter, const QRectF& sheet, const CptLog& log, int page);

}  // namespace pelorin::report
