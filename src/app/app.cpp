#include "app/app.hpp"

#include <QApplication>
#include <QStringList>

#include "app/main_form.hpp"

namespace pelorin {

int runPelorin(int argc, char** argv) {
  QApplication application(argc, argv);
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
