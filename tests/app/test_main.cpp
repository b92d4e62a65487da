// The window tests need a QApplication; offscreen unless the environment says otherwise, and
// settings of their own.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings (File, Recent Files) of the tests' own, empty at the start of each run.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication application(argc, argv);
  QApplication::setApplicationName("Pelorin");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
