#include "app/app.hpp"

#include <QApplication>

#include "app/main_form.hpp"

namespace pelorin {

int runPelorin(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Pelorin");
  MainForm form(qtPlatform());
  form.show();
  return QApplication::exec();
}

}  // namespace pelorin
