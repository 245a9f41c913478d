#include "ResidentTestSupport.h"
#include "TestSupport.h"
#include "residents/Photo.h"
#include "residents/TfrmImageDisp.h"
#include "support/Messages.h"

#include <QAction>
#include <QBuffer>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A picture with distinct quarters so a wrong decode shows.
QImage quarters(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, w / 2 + 1, h / 2 + 1, QColor(200, 30, 30));
    p.fillRect(w / 2, 0, w - w / 2, h / 2 + 1, QColor(30, 160, 40));
    p.fillRect(0, h / 2, w / 2 + 1, h - h / 2, QColor(20, 40, 220));
    p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, QColor(250, 250, 250));
    return img;
}

QImage gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 255 / qMax(1, w - 1), y * 255 / qMax(1, h - 1), (x + y) % 256));
    return img;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return qAbs(qRed(a) - qRed(b)) <= tolerance && qAbs(qGreen(a) - qGreen(b)) <= tolerance
        && qAbs(qBlue(a) - qBlue(b)) <= tolerance;
}

QByteArray formatOf(const QString &path)
{
    QImageReader r(path);
    r.setDecideFormatFromContent(true);
    return r.format();
}

} // namespace

class TestPhoto : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_home = std::make_unique<TestHome>(false);
        m_messages = std::make_unique<MessageRecorder>();
        m_files = std::make_unique<FileDialogAnswers>();
    }
    void cleanup()
    {
        m_files.reset();
        m_messages.reset();
        m_home.reset();
    }

    void gifEncoderRoundTrip_data();
    void gifEncoderRoundTrip();
    void gifOfManyColoursStaysClose();
    void fileIsStoredAsJpegOrPng_data();
    void fileIsStoredAsJpegOrPng();
    void storedRowsDecodeByExtension_data();
    void storedRowsDecodeByExtension();
    void viewerLoadsFiles_data();
    void viewerLoadsFiles();
    void unreadableFileKeepsPicture();
    void exportWritesRealFiles_data();
    void exportWritesRealFiles();
    void zoomSteps();
    void keysShowNaturalSizeAndScroll();
    void fullScreenAndBack();
    void showPhotoResults_data();
    void showPhotoResults();
    void bareStoredNameShowsHandedPicture();

private:
    QString fixture(const QString &name, const QImage &img)
    {
        const QString path = m_dir.filePath(name);
        const QString suffix = QFileInfo(name).suffix().toLower();
        if (suffix == QLatin1String("gif")) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(PhotoFile::encodeGif(img));
        } else {
            img.save(path, suffix == QLatin1String("jpg") ? "jpeg" : suffix.toLatin1().constData());
        }
        return path;
    }
    QLabel *status(TfrmImageDisp &d, const char *name) { return d.findChild<QLabel *>(QLatin1String(name)); }
    QAction *action(QWidget &d, const char *name) { return d.findChild<QAction *>(QLatin1String(name)); }

    QTemporaryDir m_dir;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<FileDialogAnswers> m_files;
};

void TestPhoto::gifEncoderRoundTrip_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("one pixel") << 1 << 1;
    QTest::newRow("odd sizes") << 17 << 5;
    QTest::newRow("photo size") << 102 << 100;
    // long runs fill the LZW dictionary and force it to restart
    QTest::newRow("large") << 900 << 700;
}

void TestPhoto::gifEncoderRoundTrip()
{
    QFETCH(int, w);
    QFETCH(int, h);
    const QImage img = quarters(w, h);
    QImage back;
    QVERIFY(back.loadFromData(PhotoFile::encodeGif(img), "gif"));
    QCOMPARE(back.size(), img.size());
    for (const QPoint &p :
        { QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(w / 2, h / 2) })
        QVERIFY2(back.pixel(p) == img.pixel(p), qPrintable(QStringLiteral("pixel %1,%2").arg(p.x()).arg(p.y())));
}

void TestPhoto::gifOfManyColoursStaysClose()
{
    const QImage img = gradient(256, 256);
    QImage back;
    QVERIFY(back.loadFromData(PhotoFile::encodeGif(img), "gif"));
    QCOMPARE(back.size(), img.size());
    // a 256-colour palette with dithering: each pixel close, no stray codes
    for (int y = 0; y < 256; y += 37)
        for (int x = 0; x < 256; x += 41)
            QVERIFY2(near(back.pixel(x, y), img.pixel(x, y), 90), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
}

void TestPhoto::fileIsStoredAsJpegOrPng_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QByteArray>("storedFormat");
    QTest::newRow("jpg") << "张三.jpg"
                         << "张三.jpg" << QByteArray("jpeg");
    QTest::newRow("jpeg") << "li.jpeg"
                          << "li.jpeg" << QByteArray("jpeg");
    QTest::newRow("gif") << "wang.gif"
                         << "wang.png" << QByteArray("png");
    QTest::newRow("bmp") << "zhao.bmp"
                         << "zhao.png" << QByteArray("png");
    QTest::newRow("png") << "qian.png"
                         << "qian.png" << QByteArray("png");
}

void TestPhoto::fileIsStoredAsJpegOrPng()
{
    QFETCH(QString, file);
    QFETCH(QString, storedName);
    QFETCH(QByteArray, storedFormat);
    const QString path = fixture(file, quarters(40, 30));
    const Photo p = Photo::fromFile(path);
    QVERIFY(!p.isNull());
    QCOMPARE(p.storedName(), storedName);
    QCOMPARE(p.path(), path);
    QBuffer buf;
    buf.setData(p.bytes());
    QImageReader r(&buf);
    QCOMPARE(r.format(), storedFormat);
    if (storedFormat == "jpeg") {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        QCOMPARE(p.bytes(), f.readAll()); // the file's own bytes, not a re-encoding
    }
    const Photo again = Photo::fromStored(p.bytes(), p.storedName());
    QCOMPARE(again.image().size(), QSize(40, 30));
}

void TestPhoto::storedRowsDecodeByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("keptAs");
    QTest::newRow("old bitmap row") << "a.bmp" << QByteArray("bmp") << true << "a.png";
    QTest::newRow("jpeg") << "b.JPG" << QByteArray("jpeg") << true << "b.JPG";
    QTest::newRow("png") << "c.png" << QByteArray("png") << true << "c.png";
    QTest::newRow("old gif row") << "d.gif" << QByteArray("bmp") << false << "";
    QTest::newRow("no extension") << "e" << QByteArray("png") << false << "";
}

void TestPhoto::storedRowsDecodeByExtension()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(bool, shown);
    QFETCH(QString, keptAs);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    quarters(20, 10).save(&buf, format.constData());
    const Photo p = Photo::fromStored(bytes, name);
    QCOMPARE(!p.isNull(), shown);
    QCOMPARE(p.storedName(), keptAs);
}

void TestPhoto::viewerLoadsFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("png") << "p.png";
    QTest::newRow("jpeg") << "p.jpg";
    QTest::newRow("gif") << "p.gif";
    QTest::newRow("bmp") << "p.bmp";
}

void TestPhoto::viewerLoadsFiles()
{
    QFETCH(QString, file);
    const QString path = fixture(file, quarters(64, 48));
    TfrmImageDisp d;
    d.preparePhoto(QString());
    d.show();
    m_files->answers << path;
    action(d, "actLoad")->trigger();
    QCOMPARE(d.currentPath(), path);
    QCOMPARE(d.picture().size(), QSize(64, 48));
    QCOMPARE(status(d, "stPath")->text(), path);
    QCOMPARE(status(d, "stSize")->text(), QStringLiteral("64x48"));
    QCOMPARE(status(d, "stZoom")->text(), QStringLiteral("100%"));
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("Image1"))->size(), QSize(64, 48));
    QVERIFY(m_messages->messages.isEmpty());
}

void TestPhoto::unreadableFileKeepsPicture()
{
    const QString good = fixture(QStringLiteral("good.png"), quarters(30, 20));
    const QString bad = m_dir.filePath(QStringLiteral("broken.jpg"));
    QFile f(bad);
    f.open(QIODevice::WriteOnly);
    f.write("not a picture at all");
    f.close();
    TfrmImageDisp d;
    d.preparePhoto(good);
    m_files->answers << bad;
    action(d, "actLoad")->trigger();
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(m_messages->messages.first().kind, int(MessError));
    QCOMPARE(m_messages->messages.first().text,
        QStringLiteral("读取文件：%1时发生错误！\n该文件不是标准格式的文件，或者该文件已经被损坏！").arg(bad));
    QCOMPARE(d.picture().size(), QSize(30, 20));
    QCOMPARE(d.currentPath(), bad);
}

void TestPhoto::exportWritesRealFiles_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("format");
    QTest::newRow("jpeg") << "out.jpg"
                          << "out.jpg" << QByteArray("jpeg");
    QTest::newRow("gif") << "out.gif"
                         << "out.gif" << QByteArray("gif");
    QTest::newRow("bitmap") << "out.bmp"
                            << "out.bmp" << QByteArray("bmp");
    QTest::newRow("no type named") << "out"
                                   << "out.jpg" << QByteArray("jpeg");
}

void TestPhoto::exportWritesRealFiles()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QByteArray, format);
    // a transparent PNG: written formats get white where it was clear
    QImage img(50, 40, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter(&img).fillRect(0, 0, 25, 40, QColor(20, 40, 220));
    const QString src = fixture(QStringLiteral("src.png"), img);
    QTemporaryDir out;
    TfrmImageDisp d;
    d.preparePhoto(src);
    m_files->answers << out.filePath(chosen);
    action(d, "actExport")->trigger();
    const QString path = out.filePath(written);
    QVERIFY(QFile::exists(path));
    QCOMPARE(formatOf(path), format);
    QImage back(path);
    QCOMPARE(back.size(), QSize(50, 40));
    QVERIFY(near(back.pixel(10, 20), qRgb(20, 40, 220), 12));
    QVERIFY(near(back.pixel(40, 20), qRgb(255, 255, 255), 12));
    QVERIFY(m_messages->messages.isEmpty());
}

void TestPhoto::zoomSteps()
{
    const QString path = fixture(QStringLiteral("z.png"), quarters(200, 100));
    TfrmImageDisp d;
    d.preparePhoto(path);
    d.show();
    auto *image = d.findChild<QLabel *>(QStringLiteral("Image1"));
    QAction *in = action(d, "actZoomIn");
    QAction *out = action(d, "actZoomOut");
    const QList<int> percents = { 5, 7, 10, 15, 20, 30, 50, 70, 100, 150, 200, 300, 500, 700, 1000 };
    for (int i = 0; i < 6; ++i)
        in->trigger();
    QCOMPARE(d.zoomStep(), 15);
    QVERIFY(!in->isEnabled());
    QVERIFY(out->isEnabled());
    QCOMPARE(status(d, "stZoom")->text(), QStringLiteral("1000%"));
    QCOMPARE(image->size(), QSize(2000, 1000));
    for (int step = 14; step >= 1; --step) {
        out->trigger();
        QCOMPARE(d.zoomStep(), step);
        QCOMPARE(status(d, "stZoom")->text(), QStringLiteral("%1%").arg(percents.at(step - 1)));
        QCOMPARE(image->width(), int(200 * TfrmImageDisp::zoomFactor(step)));
    }
    QVERIFY(!out->isEnabled());
    QVERIFY(in->isEnabled());
    QCOMPARE(image->size(), QSize(10, 5));
    action(d, "actNatural")->trigger();
    QCOMPARE(d.zoomStep(), 9);
    QCOMPARE(status(d, "stZoom")->text(), QStringLiteral("100%"));
    QVERIFY(in->isEnabled() && out->isEnabled());
    QCOMPARE(image->size(), QSize(200, 100));
}

void TestPhoto::keysShowNaturalSizeAndScroll()
{
    const QString path = fixture(QStringLiteral("k.png"), quarters(300, 300));
    TfrmImageDisp d;
    d.preparePhoto(path);
    d.resize(320, 300);
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto *area = d.findChild<QScrollArea *>(QStringLiteral("ScrollBox1"));
    for (int key : { Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Slash }) {
        action(d, "actZoomIn")->trigger();
        action(d, "actZoomIn")->trigger();
        QCOMPARE(d.zoomStep(), 11);
        QTest::keyClick(area, Qt::Key(key));
        QCOMPARE(d.zoomStep(), 9);
    }
    action(d, "actZoomIn")->trigger(); // 450x450 in a smaller area: it scrolls
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    QTest::keyClick(area, Qt::Key_Down);
    const int line = area->verticalScrollBar()->value();
    QVERIFY(line > 0);
    QTest::keyClick(area, Qt::Key_PageDown);
    QVERIFY(area->verticalScrollBar()->value() > line);
    QTest::keyClick(area, Qt::Key_Up);
    QTest::keyClick(area, Qt::Key_Right);
    QVERIFY(area->horizontalScrollBar()->value() > 0);
    QVERIFY(d.isVisible());
}

void TestPhoto::fullScreenAndBack()
{
    const QString path = fixture(QStringLiteral("f.png"), quarters(40, 40));
    TfrmImageDisp d;
    d.preparePhoto(path);
    d.show();
    action(d, "actZoomIn")->trigger();
    action(d, "actFullScreen")->trigger();
    QVERIFY(d.isFullScreenView());
    QCOMPARE(d.zoomStep(), 9);
    QVERIFY(!d.findChild<QStatusBar *>()->isVisible());
    QVERIFY(!d.findChild<QWidget *>(QStringLiteral("ToolBar1"))->isVisible());
    QTest::keyClick(d.findChild<QScrollArea *>(QStringLiteral("ScrollBox1")), Qt::Key_Escape);
    QVERIFY(!d.isFullScreenView());
    QVERIFY(d.isVisible()); // Esc left full screen, it did not close the dialog
    QVERIFY(d.findChild<QStatusBar *>()->isVisible());
    QVERIFY(d.findChild<QWidget *>(QStringLiteral("ToolBar1"))->isVisible());
}

void TestPhoto::showPhotoResults_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<bool>("expectOriginal");
    QTest::addColumn<bool>("expectEmpty");
    QTest::newRow("cancel after clear keeps the photo") << QStringList { "actClear", "actCancel" } << true << false;
    QTest::newRow("save after clear removes it") << QStringList { "actClear", "actSave" } << false << true;
    QTest::newRow("save unchanged") << QStringList { "actSave" } << true << false;
    QTest::newRow("load then save") << QStringList { "actLoad", "actSave" } << false << false;
    QTest::newRow("load then cancel") << QStringList { "actLoad", "actCancel" } << true << false;
}

void TestPhoto::showPhotoResults()
{
    QFETCH(QStringList, actions);
    QFETCH(bool, expectOriginal);
    QFETCH(bool, expectEmpty);
    const QString original = fixture(QStringLiteral("orig.png"), quarters(30, 30));
    const QString other = fixture(QStringLiteral("other.jpg"), quarters(30, 30));
    m_files->answers << other;
    TfrmImageDisp d;
    whenModal([actions](QDialog *dlg) {
        for (const QString &a : actions)
            dlg->findChild<QAction *>(a)->trigger();
    });
    const QString result = d.ShowPhoto(original);
    if (expectOriginal)
        QCOMPARE(result, original);
    else if (expectEmpty)
        QCOMPARE(result, QString());
    else
        QCOMPARE(result, other);
}

void TestPhoto::bareStoredNameShowsHandedPicture()
{
    // a file of that bare name in the working folder must not replace the stored photo
    QFile stray(QStringLiteral("stored.jpg"));
    const bool madeStray = !stray.exists() && quarters(5, 5).save(QStringLiteral("stored.jpg"), "jpeg");
    TfrmImageDisp d;
    d.setPicture(quarters(77, 33));
    whenModal([](QDialog *dlg) { dlg->findChild<QAction *>(QStringLiteral("actCancel"))->trigger(); });
    d.ShowPhoto(QStringLiteral("stored.jpg"));
    if (madeStray)
        QFile::remove(QStringLiteral("stored.jpg"));
    QCOMPARE(d.picture().size(), QSize(77, 33));
    QVERIFY(m_messages->messages.isEmpty());
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("stSize"))->text(), QStringLiteral("77x33"));
}

QTEST_MAIN(TestPhoto)
#include "tst_photo.moc"
