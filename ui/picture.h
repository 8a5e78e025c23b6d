#pragma once
// A picture loaded from a file or made from an image. A file's bytes are kept and decoded
// when the picture is drawn, straight at the size it is drawn at where the format allows.
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace platform {

// A loaded picture, known elsewhere by its handle (0 when empty).
class Picture {
public:
    Picture() = default;
    static Picture FromFile(const QString& path); // empty when the file is no picture
    static Picture FromImage(const QImage& image);
    bool IsEmpty() const { return !d_; }
    quint32 Handle() const;
    QSize SizePixels() const;
    const QImage& Image() const;
    // The picture at that size, decoded or scaled for it.
    QImage ScaledTo(QSize pixels) const;

private:
    struct Data;
    std::shared_ptr<Data> d_;
};

} // namespace platform
