#include "display_check.h"

#include <QStringList>
#include <cstdio>
#include <string_view>
#include <dlfcn.h>

namespace startcheck {
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

// Connects once with the same library Qt's X11 platform uses. True when the library is
// missing: then Qt has its own word to say.
bool CanConnect(const QByteArray& display)
{
    void* lib = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!lib)
        return true;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(lib, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(lib, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(lib, "xcb_disconnect"));
    bool ok = true;
    if (connect && hasError && disconnect) {
        void* c = connect(display.constData(), nullptr);
        ok = c && hasError(c) == 0;
        if (c)
            disconnect(c); // also frees a connection that failed
    }
    dlclose(lib);
    return ok;
}

} // namespace

QString DisplayProblem(int argc, char** argv)
{
    if (!UsesX11(argc, argv))
        return {};
    const char* option = OptionValue(argc, argv, "display");
    const QByteArray display = option ? QByteArray(option) : qgetenv("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("DISPLAY is not set");
    if (!CanConnect(display))
        return QStringLiteral("cannot open display \"%1\"").arg(QString::fromLocal8Bit(display));
    return {};
}

bool ReportMissingDisplay(const QString& programTitle, int argc, char** argv)
{
    const QString problem = DisplayProblem(argc, argv);
    if (problem.isEmpty())
        return false;
    std::fprintf(stderr, "%s needs an X11 display: %s.\n", qPrintable(programTitle), qPrintable(problem));
    return true;
}

} // namespace startcheck
