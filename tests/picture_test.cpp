// Pictures from files: one decoded copy for all the controls that show one file, a file
// changed on disk read again, and a picture that keeps what it showed when its file
// changes or goes.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/picture.h"
#include "ui/picture_box.h"
#include "ui/twips.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>

namespace {

class PictureFiles : public ::testing::Test {
protected:
    QString Write(const QString& name, QColor colour, QSize size = {40, 30}, const char* format = "JPG")
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = dir_.path() + "/" + name;
        EXPECT_TRUE(img.save(path, format));
        return path;
    }
    static QColor At(const QImage& img, int x, int y) { return img.pixelColor(x, y); }
    static bool Near(QColor a, QColor b) // JPEG changes a plain colour a little
    {
        return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
               std::abs(a.blue() - b.blue()) < 12;
    }

    QTemporaryDir dir_;
};

TEST_F(PictureFiles, ControlsThatLoadOneFileShareOneDecodedPicture)
{
    const QString path = Write("Paper.jpg", Qt::red);
    platform::Form form("frmTwo");
    platform::Image first(&form, "imgFirst");
    platform::Image second(&form, "imgSecond");
    first.SetPicture(platform::Picture::FromFile(path));
    // The same file named another way is the same file.
    second.SetPicture(platform::Picture::FromFile(dir_.path() + "/./Paper.jpg"));

    const platform::Picture& a = first.GetPicture();
    const platform::Picture& b = second.GetPicture();
    ASSERT_FALSE(a.IsEmpty());
    EXPECT_TRUE(a.SameAs(b));
    EXPECT_EQ(a.Handle(), b.Handle());
    // Shown at one size, both draw the same pixels from one decoded copy.
    const QImage shownA = a.ScaledTo({20, 15});
    const QImage shownB = b.ScaledTo({20, 15});
    ASSERT_EQ(shownA.size(), QSize(20, 15));
    EXPECT_EQ(shownA.constBits(), shownB.constBits());
    EXPECT_TRUE(Near(At(shownA, 10, 7), Qt::red));
    EXPECT_EQ(a.Image().constBits(), b.Image().constBits());

    // Another file is another picture.
    const platform::Picture other = platform::Picture::FromFile(Write("Linen.jpg", Qt::blue));
    EXPECT_FALSE(other.SameAs(a));
}

TEST_F(PictureFiles, AFileChangedOnDiskIsReadAgainAndTheOldPictureKeepsItsLook)
{
    // Each change a user makes to a picture file: another size, or the same size later.
    struct Case {
        const char* what;
        const char* format;
        QSize newSize;
        qint64 secondsLater;
    };
    const Case cases[] = {
        {"a new size", "JPG", {60, 20}, 0},
        {"as many bytes, written later", "BMP", {40, 30}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = Write(QStringLiteral("Backdrop.") + c.format, Qt::red, {40, 30}, c.format);
        const qint64 bytesBefore = QFileInfo(path).size();
        const platform::Picture before = platform::Picture::FromFile(path);
        ASSERT_EQ(before.SizePixels(), QSize(40, 30));
        ASSERT_TRUE(Near(At(before.ScaledTo({20, 15}), 5, 5), Qt::red));

        Write(QStringLiteral("Backdrop.") + c.format, Qt::blue, c.newSize, c.format);
        if (c.secondsLater) {
            ASSERT_EQ(QFileInfo(path).size(), bytesBefore);
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(
                f.setFileTime(QDateTime::currentDateTime().addSecs(c.secondsLater), QFileDevice::FileModificationTime));
        }
        const platform::Picture after = platform::Picture::FromFile(path);
        ASSERT_FALSE(after.IsEmpty());
        EXPECT_FALSE(after.SameAs(before));
        EXPECT_EQ(after.SizePixels(), c.newSize);
        EXPECT_TRUE(Near(At(after.ScaledTo({30, 10}), 5, 5), Qt::blue));
        EXPECT_TRUE(Near(At(after.Image(), 5, 5), Qt::blue));

        // The picture read before shows what it showed, at any size and in full.
        EXPECT_EQ(before.SizePixels(), QSize(40, 30));
        const QImage resized = before.ScaledTo({10, 8});
        ASSERT_EQ(resized.size(), QSize(10, 8));
        EXPECT_TRUE(Near(At(resized, 5, 4), Qt::red));
        ASSERT_EQ(before.Whole().size(), QSize(40, 30));
        EXPECT_TRUE(Near(At(before.Whole(), 20, 15), Qt::red));
        EXPECT_TRUE(Near(At(before.Image(), 20, 15), Qt::red));
    }
}

TEST_F(PictureFiles, NothingIsHeldOnceNoControlShowsTheFile)
{
    const QString path = Write("May.jpg", Qt::green);
    quint32 handle = 0;
    {
        const platform::Picture p = platform::Picture::FromFile(path);
        handle = p.Handle();
        ASSERT_NE(handle, 0u);
    }
    // Read anew: a picture no control holds is not kept anywhere.
    const platform::Picture again = platform::Picture::FromFile(path);
    ASSERT_FALSE(again.IsEmpty());
    EXPECT_NE(again.Handle(), handle);
}

TEST_F(PictureFiles, APictureWhoseFileWentStillDrawsAtEverySize)
{
    const QString path = Write("Gone.png", Qt::yellow, {40, 30}, "PNG");
    const platform::Picture p = platform::Picture::FromFile(path);
    ASSERT_EQ(p.ScaledTo({20, 15}).size(), QSize(20, 15));
    ASSERT_TRUE(QFile::remove(path));
    const QImage larger = p.ScaledTo({80, 60});
    ASSERT_EQ(larger.size(), QSize(80, 60));
    EXPECT_EQ(At(larger, 40, 30), QColor(Qt::yellow));
    EXPECT_EQ(p.Image().size(), QSize(40, 30));
}

TEST_F(PictureFiles, APictureWhoseFileWentKeepsItsDetailAfterASmallDraw)
{
    // A checkerboard of 4-pixel squares: a copy drawn small and stretched back turns grey.
    QImage board(400, 400, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x)
            board.setPixel(x, y, ((x / 4 + y / 4) % 2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    const QString path = dir_.path() + "/Board.png";
    ASSERT_TRUE(board.save(path, "PNG"));
    const platform::Picture p = platform::Picture::FromFile(path);
    ASSERT_EQ(p.ScaledTo({20, 20}).size(), QSize(20, 20));
    ASSERT_TRUE(QFile::remove(path)); // edited or deleted while the calendar shows it
    EXPECT_EQ(p.Image().convertToFormat(QImage::Format_RGB32), board);
    EXPECT_EQ(At(p.ScaledTo({400, 400}), 1, 1), QColor(Qt::white));
}

TEST_F(PictureFiles, WhatIsNoPictureLoadsAsNone)
{
    const QString text = dir_.path() + "/notes.jpg";
    QFile f(text);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a picture");
    f.close();
    const QString empty = dir_.path() + "/empty.jpg";
    QFile e(empty);
    ASSERT_TRUE(e.open(QIODevice::WriteOnly));
    e.close();
    // A BMP of a few bytes whose header claims 8000 x 8000 pixels: the reader refuses to
    // decode so much, so nothing is kept of it.
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImage(2, 2, QImage::Format_RGB888).save(&buffer, "BMP");
    const qint32 side = 8000;
    for (int offset : {18, 22})
        std::memcpy(bmp.data() + offset, &side, sizeof side);
    const QString huge = dir_.path() + "/huge.bmp";
    QFile h(huge);
    ASSERT_TRUE(h.open(QIODevice::WriteOnly));
    h.write(bmp);
    h.close();
    const struct {
        QString path;
        QString why;
    } cases[] = {
        {text, "it is not a picture in a format that can be read"},
        {empty, "the file is empty"},
        {dir_.path() + "/missing.jpg", "the file cannot be read"},
        {huge, QString("it is 8000 x 8000 pixels, more than the %1 MB a picture may take once decoded")
                   .arg(QImageReader::allocationLimit())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString why;
        EXPECT_TRUE(platform::Picture::FromFile(c.path, &why).IsEmpty());
        EXPECT_EQ(why, c.why);
    }
}

TEST_F(PictureFiles, AFilePictureStretchedOverItsOwnBoxFillsIt)
{
    // As the banner fits its backdrop: the box's own picture drawn over the whole box.
    const QString path = Write("Fit.png", Qt::magenta, {4, 2}, "PNG");
    const platform::Picture source = platform::Picture::FromFile(path);
    platform::Form form("frmBanner");
    platform::PictureBox box(&form, "picBanner");
    box.SetBorderStyle(0);
    box.SetScaleMode(platform::vbPixels);
    box.Move(0, 0, static_cast<float>(platform::PixelsToTwipsX(40)), static_cast<float>(platform::PixelsToTwipsY(20)));
    box.SetPicture(source);
    box.PaintPicture(source, 0, 0, box.ScaleWidth(), box.ScaleHeight(), 0, 0, 4, 2);
    const QImage drawn = box.Image().Image();
    ASSERT_EQ(drawn.size(), QSize(40, 20));
    EXPECT_EQ(At(drawn, 39, 19), QColor(Qt::magenta));
    EXPECT_EQ(At(source.Whole(), 3, 1), QColor(Qt::magenta));
}

} // namespace
