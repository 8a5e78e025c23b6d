#include "app_identity.h"

#include <QCoreApplication>
#include <QDir>

namespace appinfo {
namespace {
struct Identity {
    QString folder;
    QString title = QStringLiteral("Almanorvique");
    QString exe = QStringLiteral("Almanorvique");
    QString commandLine;
};
Identity& Id()
{
    static Identity id;
    return id;
}
} // namespace

QString ProgramFolder()
{
    if (!Id().folder.isEmpty())
        return Id().folder;
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetProgramFolder(const QString& folder)
{
    QString f = folder;
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    Id().folder = f;
}

QString ProgramTitle() { return Id().title; }
QString ExeName() { return Id().exe; }

void SetIdentity(const QString& title, const QString& exeName)
{
    Id().title = title;
    Id().exe = exeName;
}

QString CommandLine() { return Id().commandLine; }
void SetCommandLine(const QString& commandLine) { Id().commandLine = commandLine; }

QString Version() { return QStringLiteral("1.0.0"); }

} // namespace appinfo
