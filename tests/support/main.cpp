// Test entry point: GoogleTest first, then a QApplication on the offscreen platform.
// Listing the tests must not start Qt (there may be no display at build time).
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLocale>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    // Programs that need a real X display run on xcb; without a display they
    // fall back to offscreen and their tests skip themselves.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        (qgetenv("QT_QPA_PLATFORM") == "xcb" && qEnvironmentVariableIsEmpty("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings, caches and the like go to folders of this run, never the user's.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral("cache"))));
    // Dates and numbers in the tests are the Russian user's.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
