#include "report/log_files.hpp"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "report/log_page.hpp"
#include "text/file_io.hpp"

namespace pelorin::report {

namespace {

constexpr int kPngDotsPerInch = 150;

std::string bytesOf(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString titleOf(const CptLog& log) {
  return QStringLiteral("CPT log ") + QString::fromStdString(log.title.testId);
}

std::string svgPage(const CptLog& log, int page) {
  QBuffer buffer;
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  // One unit of the drawing, a tenth of a millimetre, is one unit of the file.
  svg.setSize(QSize(static_cast<int>(LogPageWidth), static_cast<int>(LogPageHeight)));
  svg.setViewBox(QRectF(0, 0, LogPageWidth, LogPageHeight));
  svg.setResolution(254);
  svg.setTitle(titleOf(log));
  svg.setDescription(QStringLiteral("Page %1 of %2").arg(page).arg(log.pageCount));
  QPainter painter(&svg);
  drawLogPage(painter, QRectF(0, 0, LogPageWidth, LogPageHeight), log, page);
  painter.end();
  return bytesOf(buffer.data());
}

std::string pngPage(const CptLog& log, int page) {
  const double dotsPerTenthMm = kPngDotsPerInch / 254.0;
  QImage image(static_cast<int>(std::lround(LogPageWidth * dotsPerTenthMm)),
               static_cast<int>(std::lround(LogPageHeight * dotsPerTenthMm)), QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(std::lround(kPngDotsPerInch / 0.0254)));
  image.setDotsPerMeterY(image.dotsPerMeterX());
  image.fill(Qt::white);
  QPainter painter(&image);
  drawLogPage(painter, QRectF(0, 0, image.width(), image.height()), log, page);
  painter.end();
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytesOf(buffer.data());
}

}  // namespace

std::optional<LogFormat> logFormatOf(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  for (LogFormat format : {LogFormat::Pdf, LogFormat::Svg, LogFormat::Png})
    if (extension == std::string(".") + logFormatExtension(format)) return format;
  return std::nullopt;
}

const char* logFormatExtension(LogFormat format) {
  return format == LogFormat::Pdf ? "pdf" : format == LogFormat::Svg ? "svg" : "png";
}

std::vector<std::string> logFilePaths(const std::string& path, LogFormat format, int pages) {
  if (format == LogFormat::Pdf || pages <= 1) return {path};
  const std::filesystem::path p(path);
  std::vector<std::string> paths;
  for (int k = 1; k <= pages; ++k)
    paths.push_back(
        (p.parent_path() / (p.stem().string() + "-" + std::to_string(k) + p.extension().string()))
            .string());
  return paths;
}

std::string logPdfBytes(const CptLog& log) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter pdf(&buffer);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(600);
    pdf.setTitle(titleOf(log));
    pdf.setCreator(QStringLiteral("Pelorin"));
    QPainter painter(&pdf);
    for (int page = 1; page <= log.pageCount; ++page) {
      if (page > 1) pdf.newPage();
      drawLogPage(painter, QRectF(0, 0, pdf.width(), pdf.height()), log, page);
    }
  }
  return bytesOf(buffer.data());
}

Outcome writeLog(const CptLog& log, const std::string& path, LogFormat format) {
  if (log.pageCount > MaxLogPages)
    return Outcome::refused("\"" + path + "\": the readings would fill " +
                            std::to_string(log.pageCount) + " pages, more than " +
                            std::to_string(MaxLogPages));
  if (format == LogFormat::Pdf) return writeFileSafely(path, logPdfBytes(log));
  const std::vector<std::string> paths = logFilePaths(path, format, log.pageCount);
  for (int page = 1; page <= log.pageCount; ++page) {
    const std::string bytes = format == LogFormat::Svg ? svgPage(log, page) : pngPage(log, page);
    if (Outcome written = writeFileSafely(paths[static_cast<std::size_t>(page - 1)], bytes);
        !written)
      return written;
  }
  return {};
}

void ensureGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The batch tool's standard error is for its own messages: Qt's remarks on the platform
  // (no runtime folder, no session bus) are no concern of a user drawing logs.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      fprintf(stderr, "pelorin-cli: Qt: %s\n", qPrintable(message));
  });
  static int argc = 1;
  static char name[] = "pelorin";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

}  // namespace pelorin::report
