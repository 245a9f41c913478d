#include "widgets/ScreenUtils.h"

#include <QAction>
#include <QToolButton>
#include <QWidget>
#include <QtTest>

class TestScreenUtils : public QObject
{
    Q_OBJECT
private slots:
    void imageKind_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        QTest::newRow("bmp") << "a.bmp" << 1;
        QTest::newRow("upper jpg") << "PHOTO.JPG" << 2;
        QTest::newRow("jpeg") << "/x/y.jpeg" << 2;
        QTest::newRow("gif") << "z.Gif" << 3;
        QTest::newRow("png") << "p.png" << 0;
        QTest::newRow("none") << "noext" << 0;
        QTest::newRow("dot in folder") << "/a.jpg/b" << 0;
    }
    void imageKind()
    {
        QFETCH(QString, file);
        QFETCH(int, kind);
        QCOMPARE(ImageKind(file), kind);
    }

    void enableNavButtons()
    {
        QWidget form;
        QList<QToolButton *> buttons;
        for (const char *n : {"tbFirst", "tbPrior", "tbNext", "tbLast", "tbPrint", "tbSet"}) {
            auto *b = new QToolButton(&form);
            b->setObjectName(QString::fromLatin1(n));
            buttons << b;
        }
        auto *expert = new QAction(&form);
        expert->setObjectName(QStringLiteral("tbExpert"));
        auto *other = new QToolButton(&form);
        other->setObjectName(QStringLiteral("tbNew"));
        EnableNavButtons(&form, false);
        for (QToolButton *b : buttons)
            QVERIFY(!b->isEnabled());
        QVERIFY(!expert->isEnabled());
        QVERIFY(other->isEnabled());
        EnableNavButtons(&form, true);
        QVERIFY(buttons.first()->isEnabled());
        QVERIFY(expert->isEnabled());
        EnableNavButtons(nullptr, true); // never fails
    }
};

QTEST_MAIN(TestScreenUtils)
#include "tst_screenutils.moc"
