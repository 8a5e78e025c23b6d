#include "test_folders.h"

#include "core/data_folders.h"
#include <QLocale>

#include "scratch_program_folder.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace testsupport {

void ProgramFolderTest::SetUp()
{
    ASSERT_TRUE(dir_.isValid());
    UseScratchProgramFolder(dir_.path());
}

void ProgramFolderTest::TearDown() { ReleaseScratchProgramFolder(); }

void CalendarFolderTest::SetUp()
{
    ProgramFolderTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    CopyShippedData({"ini"});
    mduAlmanorvqueLib::SetupDataFolders();
}

void CalendarFolderTest::TearDown()
{
    QLocale::setDefault(QLocale::c());
    ProgramFolderTest::TearDown();
}

void ProgramFolderTest::CopyShippedData(const QStringList& folders) { CopyShippedFolders(ProgramFolder(), folders); }

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
