#include "display_check.h"

#include <QStringList>
#include <cstdio>
#include <dlfcn.h>
#include <string_view>

namespace displaycheck {
namespace {

// The value after a Qt option such as "-display" or "--display"; null when not given.
const char* OptionValue(int argc, char** argv, std::string_view name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        std::string_view a = argv[i];
        if (a.starts_with("--"))
            a.remove_prefix(1);
        if (a.starts_with('-') && a.substr(1) == name)
            return argv[i + 1];
    }
    return nullptr;
}

bool UsesX11(int argc, char** argv)
{
    const char* option = OptionValue(argc, argv, "platform");
    const QString platforms = option ? QString::fromLocal8Bit(option) : qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platforms.isEmpty())
        return true; // the default platform of this desktop
    // Qt tries a list "a;b" in order: with any other entry it has somewhere to go.
    for (const QString& p : platforms.split(u';', Qt::SkipEmptyParts))
        if (p.section(u':', 0, 0) != u"xcb")
            return false;
    return true;
}

// The library Qt's X11 platform connects with.
using Connect = void* (*)(const char*, int*);
using HasError = int (*)(void*);
using Disconnect = void (*)(void*);

} // namespace

DisplayCheck::DisplayCheck(int argc, char** argv)
{
    if (!UsesX11(argc, argv))
        return;
    const char* option = OptionValue(argc, argv, "display");
    const QByteArray display = option ? QByteArray(option) : qgetenv("DISPLAY");
    if (display.isEmpty()) {
        problem_ = QStringLiteral("DISPLAY is not set");
        return;
    }
    // Without the library Qt has its own word to say.
    library_ = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!library_)
        return;
    auto connect = reinterpret_cast<Connect>(dlsym(library_, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(library_, "xcb_connection_has_error"));
    if (!connect || !hasError || !dlsym(library_, "xcb_disconnect"))
        return;
    connection_ = connect(display.constData(), nullptr);
    if (!connection_ || hasError(connection_) != 0)
        problem_ = QStringLiteral("cannot open display \"%1\"").arg(QString::fromLocal8Bit(display));
}

DisplayCheck::~DisplayCheck() { Release(); }

void DisplayCheck::Release()
{
    if (connection_) // a connection that failed is freed the same way
        reinterpret_cast<Disconnect>(dlsym(library_, "xcb_disconnect"))(connection_);
    connection_ = nullptr;
    if (library_)
        dlclose(library_);
    library_ = nullptr;
}

bool DisplayCheck::ReportProblem(const QString& programTitle) const
{
    if (problem_.isEmpty())
        return false;
    std::fprintf(stderr, "%s needs an X11 display: %s.\n", qPrintable(programTitle), qPrintable(problem_));
    return true;
}

} // namespace displaycheck
