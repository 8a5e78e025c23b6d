#include "picture.h"

#include "system/picture_handles.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <unordered_map>

namespace platform {

namespace {

// What tells one state of a file from another: a rewrite changes the time or the size, a
// file put in its place by a rename changes the status time.
struct FileStamp {
    qint64 size = -1;
    qint64 modified = 0;
    qint64 changed = 0;
    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QFileInfo& info)
{
    return {info.size(), info.lastModified().toMSecsSinceEpoch(), info.metadataChangeTime().toMSecsSinceEpoch()};
}

QString CacheKey(const QFileInfo& info, const FileStamp& s)
{
    const QString canonical = info.canonicalFilePath();
    return (canonical.isEmpty() ? info.absoluteFilePath() : canonical) + QLatin1Char('\n') + QString::number(s.size) +
           QLatin1Char(' ') + QString::number(s.modified) + QLatin1Char(' ') + QString::number(s.changed);
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Read to the exact size: readAll would leave room to spare in every picture.
    const qint64 size = file.size();
    QByteArray bytes(size, Qt::Uninitialized);
    if (file.read(bytes.data(), size) != size)
        return {};
    return bytes;
}

// Why the reader gave no picture of a header that names its size.
QString DecodeFailure(QSize size, const QImageReader& reader)
{
    // The reader refuses a picture whose decoded pixels would pass its limit.
    const qint64 decoded = qint64(size.width()) * size.height() * 4;
    const int limitMB = QImageReader::allocationLimit();
    if (limitMB > 0 && decoded > qint64(limitMB) * 1024 * 1024)
        return QStringLiteral("it is %1 x %2 pixels, more than the %3 MB a picture may take once decoded")
            .arg(size.width())
            .arg(size.height())
            .arg(limitMB);
    return QStringLiteral("its picture data cannot be decoded (%1)").arg(reader.errorString());
}

QImage Decode(const QByteArray& bytes, QSize scaled)
{
    if (bytes.isEmpty())
        return {};
    QByteArray copy = bytes; // shares the data
    QBuffer buffer(&copy);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (scaled.isValid())
        reader.setScaledSize(scaled);
    return reader.read();
}

} // namespace

struct Picture::Data {
    // A picture from a file keeps the file's bytes until it keeps a decoded copy; after
    // that, a new size is decoded from the file again while the file is unchanged.
    QString path;
    QString key; // in the shared table; empty for a picture made from an image
    FileStamp stamp;
    mutable QByteArray bytes;
    QSize size;
    mutable QImage image;  // in full, once asked for
    mutable QImage scaled; // at the size last asked for
    quint32 handle = 0;
    ~Data();

    QByteArray Encoded() const;
    void Kept() const { bytes = QByteArray(); }

    // The pictures of files that some control still holds, by file and file state. Never
    // destroyed: pictures held by other statics may go after it.
    static std::unordered_map<QString, std::weak_ptr<Data>>& Loaded()
    {
        static auto* table = new std::unordered_map<QString, std::weak_ptr<Data>>;
        return *table;
    }
};

Picture::Data::~Data()
{
    pictures::Release(handle);
    if (key.isEmpty())
        return;
    auto& table = Data::Loaded();
    const auto it = table.find(key);
    if (it != table.end() && it->second.expired())
        table.erase(it);
}

QByteArray Picture::Data::Encoded() const
{
    if (!bytes.isEmpty() || path.isEmpty())
        return bytes;
    // A file changed since it was read is another picture: this one is drawn from what
    // it kept.
    if (StampOf(QFileInfo(path)) != stamp)
        return {};
    return ReadAll(path);
}

Picture Picture::FromFile(const QString& path, QString* whyNot)
{
    auto fail = [whyNot](const QString& why) {
        if (whyNot)
            *whyNot = why;
        return Picture();
    };
    const QFileInfo info(path);
    const FileStamp stamp = StampOf(info);
    const QString key = CacheKey(info, stamp);
    auto& table = Data::Loaded();
    if (const auto it = table.find(key); it != table.end()) {
        Picture shared;
        shared.d_ = it->second.lock();
        if (shared.d_)
            return shared;
    }
    QByteArray bytes = ReadAll(path);
    if (bytes.isEmpty())
        return fail(info.exists() && info.size() == 0 ? QStringLiteral("the file is empty")
                                                      : QStringLiteral("the file cannot be read"));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    Picture p;
    if (!reader.canRead() || !size.isValid()) {
        // No size in the header: decode it now to know whether it is a picture at all.
        buffer.seek(0);
        QImageReader whole(&buffer);
        whole.setAutoTransform(true);
        p = FromImage(whole.read());
        if (p.IsEmpty())
            return fail(QStringLiteral("it is not a picture in a format that can be read"));
    } else {
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        // Decoded once now, so that a picture that cannot be shown is known before anything
        // records it: small where the format decodes at a size, else whole, and dropped.
        {
            buffer.seek(0);
            QImageReader trial(&buffer);
            if (trial.supportsOption(QImageIOHandler::ScaledSize))
                trial.setScaledSize(size.scaled(64, 64, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
            if (trial.read().isNull())
                return fail(DecodeFailure(size, trial));
        }
        if (turned)
            size.transpose();
        p.d_ = std::make_shared<Data>();
        p.d_->bytes = std::move(bytes);
        p.d_->size = size;
        p.d_->handle = pictures::Register(size);
    }
    p.d_->path = info.absoluteFilePath();
    p.d_->stamp = stamp;
    p.d_->key = key;
    table[key] = p.d_;
    return p;
}

Picture Picture::FromImage(const QImage& image)
{
    if (image.isNull())
        return {};
    Picture p;
    p.d_ = std::make_shared<Data>();
    p.d_->image = image;
    p.d_->size = image.size();
    p.d_->handle = pictures::Register(image.size());
    return p;
}

quint32 Picture::Handle() const { return d_ ? d_->handle : 0; }
QSize Picture::SizePixels() const { return d_ ? d_->size : QSize(); }

const QImage& Picture::Image() const
{
    static const QImage empty;
    if (!d_)
        return empty;
    if (d_->image.isNull()) {
        d_->image = Whole();
        if (!d_->image.isNull())
            d_->Kept();
    }
    return d_->image;
}

QImage Picture::Whole() const
{
    if (!d_)
        return {};
    if (!d_->image.isNull())
        return d_->image;
    QImage img = Decode(d_->Encoded(), QSize());
    if (img.isNull() && !d_->scaled.isNull()) // the file changed: the best that is kept
        img = d_->scaled.scaled(d_->size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img;
}

QImage Picture::ScaledTo(QSize pixels, qreal pixelRatio) const
{
    if (!d_)
        return {};
    if (pixels == d_->size) {
        QImage whole = Image();
        whole.setDevicePixelRatio(pixelRatio);
        return whole;
    }
    if (d_->scaled.size() == pixels && d_->scaled.devicePixelRatio() == pixelRatio)
        return d_->scaled;
    QImage img;
    if (d_->image.isNull()) {
        // Decoded straight at the size it is drawn at (JPEG scales while it decodes); a
        // turned picture comes out the other way round and is scaled from the whole.
        img = Decode(d_->Encoded(), pixels);
        if (img.size() != pixels)
            img = Whole().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        img = d_->image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    if (!img.isNull()) {
        // Set before it is shared: setting it on a shared image would copy the pixels.
        img.setDevicePixelRatio(pixelRatio);
        d_->scaled = img;
        // The bytes stay: a copy at one size cannot give the picture at another once the
        // file has changed or gone.
    }
    return img;
}

} // namespace platform
