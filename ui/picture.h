#pragma once
// A picture loaded from a file or made from an image. Controls that load the same file
// (unchanged on disk) share one picture. A file's picture is tried once when loaded (small
// where the format decodes at a size), then decoded when drawn, straight at the size it is
// drawn at where the format allows, and keeps the file's bytes only until it keeps a
// decoded copy.
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace platform {

// A loaded picture, known elsewhere by its handle (0 when empty).
class Picture {
public:
    Picture() = default;
    // Empty, holding nothing, when the file is no picture or does not decode (it is tried
    // once here); whyNot then says why.
    static Picture FromFile(const QString& path, QString* whyNot = nullptr);
    static Picture FromImage(const QImage& image);
    bool IsEmpty() const { return !d_; }
    quint32 Handle() const;
    QSize SizePixels() const;
    // In full, decoded once and kept.
    const QImage& Image() const;
    // In full for a single use (drawing it once somewhere): no decoded copy is kept.
    QImage Whole() const;
    // The picture at that size in pixels, decoded or scaled for it, for a screen of that
    // pixel ratio; the latest is kept, so that controls showing the picture at one size
    // share it.
    QImage ScaledTo(QSize pixels, qreal pixelRatio = 1.0) const;
    // Whether two pictures are one (as two controls that loaded one file).
    bool SameAs(const Picture& other) const { return d_ == other.d_; }

private:
    struct Data;
    std::shared_ptr<Data> d_;
};

} // namespace platform
