#include "first_start_look.h"

#include "file_helpers.h"

#include <QDir>
#include <algorithm>

namespace mduAlmanorvqueLib {

namespace {
const char* const kMonthPictures[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
}

void FillFirstStartPictures(mduLib::PropertyTable& table, int month, const QString& imagesFolder)
{
    auto fill = [&](const char* key, const QString& file) {
        const QString path = imagesFolder + file;
        if (mduLib::FileExists(path))
            mduLib::SetProp(QString::fromLatin1(key), path, table);
    };
    if (month >= 1 && month <= 12)
        fill("Calendar Image Files", QString::fromLatin1(kMonthPictures[month - 1]) + ".jpg");
    fill("Calendar Background Files", QStringLiteral("Paper.jpg"));
    fill("Window Background Files", QStringLiteral("Backdrop.jpg"));
}

bool FillFirstStartPictures(const QString& settingsFile, int month, const QString& imagesFolder)
{
    mduLib::PropertyTable table(1);
    if (!mduLib::LoadIniFileForRewrite(settingsFile, table))
        return false;
    FillFirstStartPictures(table, month, imagesFolder);
    return mduLib::SaveIniFile(table, settingsFile);
}

QString PictureFilePath(const QString& value, const QString& programFolder)
{
    if (value.isEmpty() || value == QLatin1String("None") || value == QLatin1String("0") || programFolder.isEmpty() ||
        QDir::isAbsolutePath(value))
        return value;
    return QDir::cleanPath(programFolder + QLatin1Char('/') + value);
}

QString PictureValueFor(const QString& file, const QString& programFolder)
{
    if (programFolder.isEmpty() || !QDir::isAbsolutePath(file))
        return file;
    const QString folder = QDir::cleanPath(programFolder) + QLatin1Char('/');
    const QString path = QDir::cleanPath(file);
    return path.startsWith(folder) && path.size() > folder.size() ? path.mid(folder.size()) : file;
}

QString PictureFileToShow(const QString& file, const QString& imagesFolder)
{
    if (file.isEmpty() || imagesFolder.isEmpty() || mduLib::FileExists(file))
        return file;
    // Both separators: a settings file may come from either kind of system.
    const qsizetype cut = std::max(file.lastIndexOf(QLatin1Char('/')), file.lastIndexOf(QLatin1Char('\\')));
    if (cut < 0)
        return file;
    const QString name = file.mid(cut + 1);
    if (name.isEmpty() || name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?')))
        return file;
    const QString local = imagesFolder + name;
    return mduLib::FileExists(local) ? local : file;
}

} // namespace mduAlmanorvqueLib
