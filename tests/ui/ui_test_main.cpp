// SPDX-License-Identifier: GPL-3.0-or-later
// One QApplication for every window test. Test discovery runs this binary too, so it must start
// without a display: the offscreen platform is chosen unless the caller picked one.

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt wants a private runtime folder and warns about a missing or shared one.
  const QTemporaryDir runtime_dir;
  if (runtime_dir.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_dir.path()));
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
