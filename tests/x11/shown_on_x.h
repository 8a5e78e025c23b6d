#pragma once
// Waiting for a window on a real X display. On a loaded machine the window manager can
// take seconds to frame and map a window, so the bounds are generous (they cost nothing
// when the window comes); when it still does not, the failure says what the X server
// and the window manager had of it.
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace testsupport {

inline constexpr int kOnXTimeoutMs = 30000;

// Polls done (processing events) until it holds or the bound passes.
template <typename Done> bool WaitOnX(Done done, int timeoutMs = kOnXTimeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QTest::qWait(20);
    return done();
}

// What the server and the window manager have of the widget's native window.
inline std::string DescribeOnX(QWidget* w)
{
    std::string out = "widget " + std::string(w->isVisible() ? "visible" : "hidden");
    QWindow* handle = w->windowHandle();
    if (!handle)
        return out + ", no native window";
    out += handle->isExposed() ? ", exposed" : ", not exposed";
    const QString id = QString::number(handle->winId());
    auto run = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        p.waitForFinished(10000);
        return (p.readAllStandardOutput() + p.readAllStandardError()).toStdString();
    };
    out += "\n" + run("xwininfo", {"-id", id});
    out += run("xwininfo", {"-children", "-id", id}).substr(0, 400);
    out += run("xprop", {"-id", id, "WM_STATE", "_NET_WM_STATE", "_NET_FRAME_EXTENTS"});
    out += run("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK", "_NET_CLIENT_LIST"});
    return out;
}

// The widget's window is exposed (mapped and framed, as far as the window manager does).
inline ::testing::AssertionResult ShownOnX(QWidget* w, int timeoutMs = kOnXTimeoutMs)
{
    if (!w)
        return ::testing::AssertionFailure() << "no window";
    QElapsedTimer clock;
    clock.start();
    if (QTest::qWaitForWindowExposed(w, timeoutMs))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not exposed after " << clock.elapsed() << " ms: " << DescribeOnX(w);
}

} // namespace testsupport
