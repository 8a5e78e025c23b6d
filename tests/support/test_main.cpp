// Every test program starts here: headless Qt (or the X display a test on X is given), and a home and configuration
// folder of its own, so that no test touches the real ones.
#include "central/frame_window.h"
#include "ui/voice.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // A test meant for a real X display is started on one (tests/x11/run_on_x.sh).
    if (qEnvironmentVariable("ALMANORVIQUE_TEST_ON_X") != QLatin1String("1"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/.local/share").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/.cache").toLocal8Bit());
    qunsetenv("ALMANORVIQUE_REGISTRY");
    QApplication app(argc, argv);
    // The frame speaks to a voice that only writes down what it was told.
    frmMain::SetVoiceFactory([] { return std::make_unique<platform::RecordingVoice>(); });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
