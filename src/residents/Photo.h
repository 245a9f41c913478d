#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// A person's photo as the editor holds it and the row stores it: JPEG or PNG
// bytes, and a file name whose extension says which (F_EmpImage, F_imagePath).
class Photo
{
public:
    Photo() = default;

    // Reads a picture file. JPEG files keep their own bytes; any other picture
    // (bitmap, GIF, PNG, ...) is kept as PNG. Null with error set when unreadable.
    static Photo fromFile(const QString &path, QString *error = nullptr);
    // Decodes a stored row by the extension of its name: .jpg/.jpeg JPEG,
    // .png PNG, .bmp a bitmap (kept as PNG from now on). Anything else is null.
    static Photo fromStored(const QByteArray &bytes, const QString &storedName);
    // A picture handed over without a file (kept as PNG under the given name).
    static Photo fromImage(const QImage &image, const QString &name);

    bool isNull() const { return m_image.isNull(); }
    QImage image() const { return m_image; }
    QByteArray bytes() const { return m_bytes; }
    // The file-name part with the extension matching bytes(); empty when null.
    QString storedName() const { return m_name; }
    // Where it came from: a full path after loading a file, the stored name after a load.
    QString path() const { return m_path; }

private:
    static QString withSuffix(const QString &fileName, const QString &suffix);
    QImage m_image;
    QByteArray m_bytes;
    QString m_name;
    QString m_path;
};

// Picture files the photo viewer writes.
namespace PhotoFile {

enum class Format { Jpeg, Gif, Bmp };

// Writes image as format; false with error when the file cannot be written.
bool write(const QImage &image, const QString &path, Format format, QString *error = nullptr);
// A GIF89a file of the image (at most 256 colours; no GIF writer ships with Qt).
QByteArray encodeGif(const QImage &image);

} // namespace PhotoFile
