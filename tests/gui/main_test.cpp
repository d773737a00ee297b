// Test program of the desktop windows: a QApplication around GoogleTest.
// The windows run on the offscreen platform unless another one is asked for.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's settings (the file dialog keeps its column widths there) in a
    // folder of this run: what the user's own runs saved does not count.
    QTemporaryDir nastavenia;
    if (nastavenia.isValid()) qputenv("XDG_CONFIG_HOME", nastavenia.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
