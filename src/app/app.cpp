#include "app/app.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <exception>

#include "app/main_form.hpp"
#include "text/text_file.hpp"

namespace pelorin {

namespace {

// Whatever fails in an event's handling is told, and the window, its sounding and its history
// stay as they are.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    QString failure;
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
      failure = QString::fromStdString(shownText(e.what()));
    } catch (...) {
      failure = u"an unknown failure"_s;
    }
    QMessageBox::warning(activeWindow(), applicationName(),
                         u"The last operation failed (%1). The sounding and its history are "
                         "kept."_s.arg(failure));
    return false;
  }
};

}  // namespace

int runPelorin(int argc, char** argv) {
  GuardedApplication application(argc, argv);
  QApplication::setApplicationName(u"Pelorin"_s);
  QApplication::setFont(interfaceFont());
  MainForm form(qtPlatform());
  form.show();
  // "pelorin FILE.cpt" opens the file as File, Open would; without it the start is as usual.
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() > 1) form.openFile(arguments[1]);
  return QApplication::exec();
}

}  // namespace pelorin
