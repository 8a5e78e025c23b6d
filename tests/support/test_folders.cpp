#include "test_folders.h"

#include "core/app_identity.h"
#include "core/data_folders.h"
#include "system/registry_store.h"
#include "ui/timer.h"
#include "system/user_locale.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifndef ALMANORVIQUE_PROGRAM_DIR
#error "tests need the build's program folder"
#endif

namespace testsupport {

void ProgramFolderTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    QDir().mkpath(ProgramFolder());
    appinfo::SetProgramFolder(ProgramFolder());
    appinfo::SetCommandLine(QString());
    platform::registry::SetConfigFolder(dir_.path() + "/config");
    platform::registry::SetStorePath(dir_.path() + "/config/registry.json");
    platform::SetLoginNameOverride(QStringLiteral("tester"));
    platform::SetLocaleCountryOverride(QStringLiteral("United Kingdom"));
    platform::Timer::SetManualMode(true);
    using namespace mduAlmanorvqueLib;
    gImagesFolder = gStylesFolder = gDatesFolder = gIniTemplateFolder = QString();
    gDataFolder = gPersonalDatesFile = gRegion = gUserRegionFolder = gIniFile = QString();
    gPersonalDates = mduLib::PropertyTable();
    gPersonalDatesLoaded = false;
    gPropertyTable = mduLib::PropertyTable();
}

void ProgramFolderTest::TearDown()
{
    appinfo::SetProgramFolder(QString());
    platform::registry::SetConfigFolder(QString());
    platform::registry::SetStorePath(QString());
    platform::SetLoginNameOverride(QString());
    platform::SetLocaleCountryOverride(QString());
}

void ProgramFolderTest::CopyShippedData(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QString src = QStringLiteral(ALMANORVIQUE_PROGRAM_DIR) + "/" + folder;
        QDirIterator it(src, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            const QString rel = QDir(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR)).relativeFilePath(f);
            const QString dst = Path(rel);
            QDir().mkpath(QFileInfo(dst).absolutePath());
            QFile::remove(dst);
            QFile::copy(f, dst);
        }
    }
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void SetFileAge(const QString& path, qint64 secondsFromNow)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite)) << path.toStdString();
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(secondsFromNow), QFileDevice::FileModificationTime));
}

mduLib::PropertyTable TableOf(const QStringList& lines)
{
    mduLib::PropertyTable t(static_cast<int>(lines.size()));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& l = lines[i];
        const qsizetype eq = l.indexOf('=');
        QString key = eq < 0 ? l : l.left(eq);
        const qsizetype colon = key.indexOf(':');
        if (colon >= 0) {
            t[i + 1].Section = key.left(colon);
            key = key.mid(colon + 1);
        }
        t[i + 1].Key = key;
        t[i + 1].Value = eq < 0 ? QString() : l.mid(eq + 1);
    }
    return t;
}

} // namespace testsupport
