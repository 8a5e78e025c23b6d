#include "picture.h"

#include "system/picture_handles.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace platform {

struct Picture::Data {
    // A picture from a file keeps the file's bytes and decodes them when drawn: in full
    // only when asked for, else straight at the size it is drawn at.
    QByteArray bytes;
    QSize size;
    mutable QImage image;
    quint32 handle = 0;
    ~Data() { pictures::Release(handle); }
};

Picture Picture::FromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (!reader.canRead() || !size.isValid()) {
        // No size in the header: decode it now to know whether it is a picture at all.
        buffer.seek(0);
        QImageReader whole(&buffer);
        whole.setAutoTransform(true);
        return FromImage(whole.read());
    }
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    Picture p;
    p.d_ = std::make_shared<Data>();
    p.d_->bytes = std::move(bytes);
    p.d_->size = size;
    p.d_->handle = pictures::Register(size);
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

namespace {
QImage Decode(const QByteArray& bytes, QSize scaled)
{
    QByteArray copy = bytes; // shares the data
    QBuffer buffer(&copy);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (scaled.isValid())
        reader.setScaledSize(scaled);
    return reader.read();
}
} // namespace

const QImage& Picture::Image() const
{
    static const QImage empty;
    if (!d_)
        return empty;
    if (d_->image.isNull() && !d_->bytes.isEmpty())
        d_->image = Decode(d_->bytes, QSize());
    return d_->image;
}

QImage Picture::ScaledTo(QSize pixels) const
{
    if (!d_)
        return {};
    if (pixels == d_->size)
        return Image();
    if (d_->image.isNull() && !d_->bytes.isEmpty()) {
        // Decoded straight at the size it is drawn at (JPEG scales while it decodes); a
        // turned picture comes out the other way round and is scaled from the whole.
        QImage img = Decode(d_->bytes, pixels);
        if (!img.isNull() && img.size() == pixels)
            return img;
    }
    return Image().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace platform
