#include "Photo.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <array>
#include <vector>

namespace {

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    if (!image.save(&buf, format, format == QByteArrayLiteral("jpeg") ? 92 : -1))
        return {};
    return out;
}

// transparent parts over white: none of the written formats keeps them
QImage flattened(const QImage &source)
{
    QImage flat(source.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, source);
    return flat;
}

bool isJpeg(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArrayLiteral("\xFF\xD8\xFF"));
}

} // namespace

QString Photo::withSuffix(const QString &fileName, const QString &suffix)
{
    const QFileInfo fi(fileName);
    const QString base = fi.completeBaseName().isEmpty() ? QStringLiteral("photo") : fi.completeBaseName();
    return base + QLatin1Char('.') + suffix;
}

Photo Photo::fromFile(const QString &path, QString *error)
{
    QFile f(path);
    QByteArray data;
    if (f.open(QIODevice::ReadOnly))
        data = f.readAll();
    QImage image;
    // decoded by content, so a picture under another extension still loads
    if (!data.isEmpty())
        image.loadFromData(data);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("读取文件：%1时发生错误！\n该文件不是标准格式的文件，或者该文件已经被损坏！")
                         .arg(path);
        return {};
    }
    Photo p;
    p.m_image = image;
    p.m_path = path;
    const QString fileName = QFileInfo(path).fileName();
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (isJpeg(data)) {
        p.m_bytes = data;
        p.m_name = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")
            ? fileName
            : withSuffix(fileName, QStringLiteral("jpg"));
    } else {
        p.m_bytes = encode(image, "png");
        p.m_name = withSuffix(fileName, QStringLiteral("png"));
    }
    return p;
}

Photo Photo::fromStored(const QByteArray &bytes, const QString &storedName)
{
    const QString suffix = QFileInfo(storedName).suffix().toLower();
    const char *format = nullptr;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        format = "jpeg";
    else if (suffix == QLatin1String("png"))
        format = "png";
    else if (suffix == QLatin1String("bmp"))
        format = "bmp";
    if (!format || bytes.isEmpty())
        return {};
    QImage image;
    if (!image.loadFromData(bytes, format))
        return {};
    Photo p;
    p.m_image = image;
    p.m_path = storedName;
    if (qstrcmp(format, "bmp") == 0) {
        p.m_bytes = encode(image, "png");
        p.m_name = withSuffix(storedName, QStringLiteral("png"));
    } else {
        p.m_bytes = bytes;
        p.m_name = storedName;
    }
    return p;
}

Photo Photo::fromImage(const QImage &image, const QString &name)
{
    if (image.isNull())
        return {};
    Photo p;
    p.m_image = image;
    p.m_bytes = encode(image, "png");
    p.m_name = withSuffix(QFileInfo(name).fileName(), QStringLiteral("png"));
    p.m_path = name;
    return p;
}

namespace PhotoFile {

QByteArray encodeGif(const QImage &source)
{
    const QImage img = flattened(source).convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    const int w = img.width();
    const int h = img.height();

    QByteArray out;
    auto put16 = [&out](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    out.append("GIF89a");
    put16(w);
    put16(h);
    out.append(char(0xF7)); // global table of 256 entries, 8-bit colour resolution
    out.append(char(0));
    out.append(char(0));
    const QList<QRgb> table = img.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    put16(0);
    put16(0);
    put16(w);
    put16(h);
    out.append(char(0));

    constexpr int minCodeSize = 8;
    constexpr int clearCode = 1 << minCodeSize;
    out.append(char(minCodeSize));

    QByteArray block;
    quint32 bitBuffer = 0;
    int bitCount = 0;
    auto flushBlock = [&] {
        if (block.isEmpty())
            return;
        out.append(char(block.size()));
        out.append(block);
        block.clear();
    };
    auto writeCode = [&](int code, int size) {
        bitBuffer |= quint32(code) << bitCount;
        bitCount += size;
        while (bitCount >= 8) {
            block.append(char(bitBuffer & 0xFF));
            bitBuffer >>= 8;
            bitCount -= 8;
            if (block.size() == 255)
                flushBlock();
        }
    };

    // dictionary: for each code, the code that follows it with each byte (0 = none)
    std::vector<std::array<quint16, 256>> next(4096);
    auto reset = [&] {
        for (auto &n : next)
            n.fill(0);
    };
    reset();
    int codeSize = minCodeSize + 1;
    int maxCode = clearCode + 1;
    writeCode(clearCode, codeSize);
    int cur = -1;
    for (int y = 0; y < h; ++y) {
        const uchar *line = img.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int value = line[x];
            if (cur < 0) {
                cur = value;
                continue;
            }
            if (next[cur][value]) {
                cur = next[cur][value];
                continue;
            }
            writeCode(cur, codeSize);
            next[cur][value] = quint16(++maxCode);
            if (maxCode >= (1 << codeSize))
                ++codeSize;
            if (maxCode == 4095) {
                writeCode(clearCode, codeSize);
                reset();
                codeSize = minCodeSize + 1;
                maxCode = clearCode + 1;
            }
            cur = value;
        }
    }
    if (cur >= 0)
        writeCode(cur, codeSize);
    writeCode(clearCode, codeSize);
    writeCode(clearCode + 1, minCodeSize + 1);
    if (bitCount > 0)
        writeCode(0, 8 - bitCount);
    flushBlock();
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

bool write(const QImage &image, const QString &path, Format format, QString *error)
{
    QByteArray data;
    switch (format) {
    case Format::Jpeg:
        data = encode(flattened(image), "jpeg");
        break;
    case Format::Gif:
        data = encodeGif(image);
        break;
    case Format::Bmp:
        data = encode(flattened(image), "bmp");
        break;
    }
    QSaveFile f(path);
    if (data.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit()) {
        if (error)
            *error = QStringLiteral("写入文件：%1时发生错误！").arg(path);
        return false;
    }
    return true;
}

} // namespace PhotoFile
