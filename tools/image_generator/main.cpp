// Draws the pictures shipped in the program folder's "Images" into the folder given on
// the command line. A file is rewritten only when its bytes change: the program looks
// at modification times, and a rebuild must not make shipped files look new.

#include "eye_frames.h"
#include "month_pictures.h"
#include "page_backgrounds.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int jpegQuality = 85;
const QSize pictureSize(800, 600);
const QSize pageSize(800, 600);
const QSize backdropSize(800, 600);

struct Picture {
    QString fileName;
    std::function<QImage()> paint;
};

std::vector<Picture> pictures()
{
    static const char* const months[12] = {"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::vector<Picture> list;
    for (int m = 1; m <= 12; ++m)
        list.push_back({QString::fromLatin1(months[m - 1]) + QStringLiteral(".jpg"),
                        [m] { return paintMonthPicture(m, pictureSize); }});
    list.push_back({QStringLiteral("Paper.jpg"), [] { return paintPaper(pageSize); }});
    list.push_back({QStringLiteral("Parchment.jpg"), [] { return paintParchment(pageSize); }});
    list.push_back({QStringLiteral("Linen.jpg"), [] { return paintLinen(pageSize); }});
    list.push_back({QStringLiteral("Backdrop.jpg"), [] { return paintBackdrop(backdropSize); }});
    // In a folder of their own: the picture menus list what lies in "Images" itself.
    for (int i = 1; i <= 10; ++i)
        list.push_back({QStringLiteral("Eye/Eye%1.png").arg(i), [i] { return paintEyeFrame(i); }});
    return list;
}

bool encode(const QString& fileName, const QImage& image, QByteArray& out)
{
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly))
        return false;
    if (fileName.endsWith(QLatin1String(".png")))
        return QImageWriter(&buffer, "png").write(image);
    QImageWriter writer(&buffer, "jpg");
    writer.setQuality(jpegQuality);
    return writer.write(image.convertToFormat(QImage::Format_RGB32));
}

enum class WriteResult { Unchanged, Written, Failed };

WriteResult writeIfDifferent(const QString& path, const QByteArray& bytes)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        if (existing.size() == bytes.size() && existing.readAll() == bytes)
            return WriteResult::Unchanged;
        existing.close();
    }
    // Written aside and renamed, so an interrupted build never leaves half a picture.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return WriteResult::Failed;
    return WriteResult::Written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: image_generator <output folder>\n");
        return 2;
    }
    // Drawing needs no display; the build may run without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "image_generator: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    const QDir dir(folder);
    int written = 0;
    for (const auto& picture : pictures()) {
        QByteArray bytes;
        const QString path = dir.filePath(picture.fileName);
        QDir().mkpath(QFileInfo(path).path());
        if (!encode(picture.fileName, picture.paint(), bytes)) {
            std::fprintf(stderr, "image_generator: cannot encode %s\n", qPrintable(picture.fileName));
            return 1;
        }
        switch (writeIfDifferent(path, bytes)) {
        case WriteResult::Unchanged:
            break;
        case WriteResult::Written:
            ++written;
            break;
        case WriteResult::Failed:
            std::fprintf(stderr, "image_generator: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("image_generator: %d of %zu pictures written to %s\n", written, pictures().size(), qPrintable(folder));
    return EXIT_SUCCESS;
}
