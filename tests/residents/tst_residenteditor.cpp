#include "ResidentTestSupport.h"
#include "TestSupport.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "residents/IdentityNumber.h"
#include "residents/Photo.h"
#include "residents/ResidentRecordStore.h"
#include "residents/TfrmZuzavEdit.h"
#include "support/Messages.h"
#include "widgets/DateEditCheck.h"
#include "widgets/MoneyEdit.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kNull = QStringLiteral("1900-08-14");

QVariantMap row(qint64 id)
{
    QSqlQuery q;
    Database::exec(q, QStringLiteral("select * from ZuZav where F_ID = ?"), QVariantList { id });
    QVariantMap m;
    if (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            m.insert(q.record().fieldName(i), q.value(i));
    return m;
}

int persons()
{
    return DataModule::QueryInteger(QStringLiteral("select count(*) from ZuZav"));
}

qint64 idOfName(const QString &name)
{
    QSqlQuery q;
    Database::exec(
        q, QStringLiteral("select F_ID from ZuZav where F_Name = ? order by F_ID desc"), QVariantList { name });
    return q.next() ? q.value(0).toLongLong() : 0;
}

qint64 addPerson(const QString &code, const QString &name, qint64 mainId, const QString &extraColumns = {},
    const QVariantList &extraValues = {})
{
    QString cols = QStringLiteral("F_Code,F_Name,F_mainID,F_CSdate,F_editDate");
    QString marks = QStringLiteral("?,?,?,'1980-02-03','2020-01-01'");
    for (const QString &c : extraColumns.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        cols += QLatin1Char(',') + c;
        marks += QStringLiteral(",?");
    }
    QVariantList values { code, name, mainId };
    values << extraValues;
    QSqlQuery q;
    if (!Database::exec(q, QStringLiteral("insert into ZuZav(%1) values(%2)").arg(cols, marks), values))
        qWarning() << q.lastError().text();
    return q.lastInsertId().toLongLong();
}

QImage picture(int w, int h, QColor c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    QPainter(&img).fillRect(0, 0, w / 2, h, Qt::black);
    return img;
}

QByteArray formatOfBytes(const QByteArray &bytes)
{
    QBuffer b;
    b.setData(bytes);
    return QImageReader(&b).format();
}

} // namespace

class TestResidentEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void identityNumbers_data();
    void identityNumbers();
    void addEveryField();
    void datesWithTickBoxes();
    void editThroughNavigator();
    void editWithoutChangesAsksNothing();
    void copyMakesANewPerson();
    void automaticNumbers_data();
    void automaticNumbers();
    void takenAutomaticNumberReplaced();
    void automaticNumberWithLetterTail();
    void twoEditorsNeverShareSerialOrNumber();
    void duplicateNumberRefused();
    void storeRechecksNumberInsideSave();
    void duplicateNameQuestion_data();
    void duplicateNameQuestion();
    void emptyNameRefused();
    void identityChecksOnSave_data();
    void identityChecksOnSave();
    void identityFillsBirthAndSex();
    void identityKeyFilter();
    void textsRoundTrip_data();
    void textsRoundTrip();
    void overlongTextRefused_data();
    void overlongTextRefused();
    void failedSaveKeepsForm();
    void continuousAddKeepsFamily_data();
    void continuousAddKeepsFamily();
    void customCaptionsAndMoneyFormat();
    void keys();
    void addButtonsOpenCodePicker_data();
    void addButtonsOpenCodePicker();
    void familyPicker();
    void photoLoadedAndStored_data();
    void photoLoadedAndStored();
    void photoClearedAndKept();
    void oldBitmapAndGifRows();
    void addressFollowsFamilyAddress();
    void pickerModeClosesAfterOneSave();
    void openRunsModally_data();
    void openRunsModally();

private:
    template <typename T> T *child(QWidget &w, const char *name)
    {
        T *c = w.findChild<T *>(QLatin1String(name));
        if (!c)
            qWarning() << "no control" << name;
        return c;
    }
    void setText(QWidget &f, const char *name, const QString &text) { child<QLineEdit>(f, name)->setText(text); }
    QString pickItem(QWidget &f, const char *name, int index = 1)
    {
        auto *cb = child<QComboBox>(f, name);
        cb->setCurrentIndex(index);
        return cb->currentText();
    }
    QString fixture(const QString &name, const QImage &img)
    {
        const QString path = m_dir.filePath(name);
        if (name.endsWith(QLatin1String(".gif"))) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(PhotoFile::encodeGif(img));
        } else {
            img.save(path);
        }
        return path;
    }
    // Loads a picture file through the photo dialog, as the user does.
    void loadPhotoThroughDialog(TfrmZuzavEdit &f, const QString &path)
    {
        m_files->answers << path;
        whenModal([](QDialog *d) {
            d->findChild<QAction *>(QStringLiteral("actLoad"))->trigger();
            d->findChild<QAction *>(QStringLiteral("actSave"))->trigger();
        });
        child<QPushButton>(f, "btnLoadPhoto")->click();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<MessageRecorder> m_messages;
    std::unique_ptr<FileDialogAnswers> m_files;
};

void TestResidentEditor::init()
{
    m_home = std::make_unique<TestHome>();
    m_messages = std::make_unique<MessageRecorder>();
    m_files = std::make_unique<FileDialogAnswers>();
    Run::AutoNumbering = false;
    Run::CustomValues = {};
    Run::AmountFormat.clear();
    TfrmZuzavEdit::setFamilyPicker({});
}

void TestResidentEditor::cleanup()
{
    m_files.reset();
    m_messages.reset();
    m_home.reset();
    Run::AutoNumbering = false;
}

void TestResidentEditor::identityNumbers_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("form");
    QTest::addColumn<bool>("checkDigit");
    QTest::addColumn<QDate>("born");
    QTest::addColumn<QString>("sex");
    QTest::newRow("18 with X") << "11010519491231002X" << true << true << QDate(1949, 12, 31) << "女";
    QTest::newRow("18 with small x") << "11010519491231002x" << true << true << QDate(1949, 12, 31) << "女";
    QTest::newRow("born 1880") << "440524188001010014" << true << true << QDate(1880, 1, 1) << "男";
    QTest::newRow("born 1990") << "210102199003074012" << true << true << QDate(1990, 3, 7) << "男";
    QTest::newRow("odd sequence") << "320106198501012339" << true << true << QDate(1985, 1, 1) << "男";
    QTest::newRow("wrong check digit") << "110105194912310021" << true << false << QDate(1949, 12, 31) << "女";
    QTest::newRow("31 February") << "110105194902310026" << true << true << QDate() << "女";
    QTest::newRow("born in the future") << "110105209912310010" << true << true << QDate() << "男";
    QTest::newRow("15 digits") << "110105491231002" << true << false << QDate(1949, 12, 31) << "女";
    QTest::newRow("16 digits") << "1101051949123100" << false << false << QDate() << "";
    QTest::newRow("other letter") << "11010519491231002Y" << false << false << QDate(1949, 12, 31) << "女";
    QTest::newRow("X inside") << "1101051949123100X2" << false << false << QDate(1949, 12, 31) << "";
    QTest::newRow("15 with X") << "11010549123100X" << false << false << QDate(1949, 12, 31) << "";
    QTest::newRow("full-width digit") << QString::fromUtf8("11010519491231002０") << false << false
                                      << QDate(1949, 12, 31) << "女";
}

void TestResidentEditor::identityNumbers()
{
    QFETCH(QString, number);
    QFETCH(bool, form);
    QFETCH(bool, checkDigit);
    QFETCH(QDate, born);
    QFETCH(QString, sex);
    QCOMPARE(IdentityNumber::hasValidForm(number), form);
    QCOMPARE(IdentityNumber::checkDigitMatches(number), checkDigit);
    QCOMPARE(IdentityNumber::birthDate(number), born);
    QCOMPARE(IdentityNumber::sex(number), sex);
}

void TestResidentEditor::addEveryField()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("户口档案 - 新增"));
    QVERIFY(child<QCheckBox>(f, "CheckBox1")->isVisible());
    QVERIFY(!child<QWidget>(f, "DBNavigator1")->isVisible());
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);

    QMap<QString, QVariant> expected;
    const QList<std::pair<const char *, const char *>> texts = { { "edtLDcode", "F_LDcode" },
        { "edtHScode", "F_HScode" }, { "edtcode", "F_Code" }, { "edtName", "F_Name" }, { "edtZYname", "F_ZYname" },
        { "edtHZname", "F_HZname" }, { "edtQFwork", "F_QFwork" }, { "edtCSaddress", "F_CSaddress" },
        { "edtSG", "F_SG" }, { "edtHJaddress", "F_HJaddress" }, { "edtJGaddress", "F_JGaddress" },
        { "edtZZaddress", "F_ZZaddress" }, { "edtQTaddress", "F_QTaddress" }, { "edtWorkAddress", "F_workAddress" },
        { "edtHKcode", "F_HKcode" }, { "edtJTphone", "F_JTphone" }, { "edtOLDaddress", "F_OLDaddress" },
        { "edtQRreason", "F_QRreason" }, { "edtNewAddress", "F_NewAddress" }, { "edtQCreason", "F_QCreason" },
        { "edtSWreason", "F_SWreason" }, { "edtZXreason", "F_ZXreason" }, { "edtZF1", "F_ZF1" }, { "edtZF2", "F_ZF2" },
        { "edtZF3", "F_ZF3" }, { "edtZF4", "F_ZF4" }, { "edtZF5", "F_ZF5" }, { "edtJTcode", "F_JTcode" } };
    int n = 0;
    for (const auto &[control, column] : texts) {
        const QString v = QStringLiteral("值%1-%2").arg(++n).arg(QLatin1String(column));
        setText(f, control, QStringLiteral("  ") + v + QStringLiteral(" ")); // saved trimmed
        expected.insert(QLatin1String(column), v);
    }
    setText(f, "edtSFZcode", QStringLiteral("11010519491231002X"));
    expected.insert(QStringLiteral("F_SFZcode"), QStringLiteral("11010519491231002X"));
    const QList<std::pair<const char *, const char *>> lists = { { "cbbHKtype", "F_HKtype" },
        { "cbbHZguanxi", "F_HZguanxi" }, { "cbbXX", "F_XX" }, { "cbbJKmem", "F_JKmem" }, { "cbbMinzu", "F_MinZu" },
        { "cbbWHchengdu", "F_WHchengdu" }, { "cbbHYmem", "F_HYmem" }, { "cbbBYmem", "F_BYmem" },
        { "cbbZJxinyang", "F_ZJxinyang" }, { "cbbZZmianmao", "F_ZZmianmao" }, { "cbbWork", "F_work" },
        { "cbbHKxingzhi", "F_HKxingzhi" }, { "cbbHJstatus", "F_HJstatus" }, { "cbbJJstatus", "F_JJstatus" },
        { "cbbZStype", "F_ZStype" }, { "cbbQRtype", "F_QRtype" }, { "cbbQCtype", "F_QCtype" }, { "cbbSex", "F_sex" } };
    for (const auto &[control, column] : lists) {
        const QString v = pickItem(f, control, 2);
        QVERIFY2(!v.isEmpty(), control);
        expected.insert(QLatin1String(column), v);
    }
    QCOMPARE(expected.value(QStringLiteral("F_sex")).toString(), QStringLiteral("女"));
    child<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("第一行\n第二行"));
    child<QPlainTextEdit>(f, "Memo2")->setPlainText(QStringLiteral("家庭备注"));
    expected.insert(QStringLiteral("F_memo1"), QStringLiteral("第一行\n第二行"));
    expected.insert(QStringLiteral("F_memo2"), QStringLiteral("家庭备注"));
    child<QDateEdit>(f, "dtpCSdate")->setDate(QDate(1949, 12, 31));
    child<QDateEdit>(f, "dtpEditDate")->setDate(QDate(2023, 4, 5));
    expected.insert(QStringLiteral("F_CSdate"), QStringLiteral("1949-12-31"));
    expected.insert(QStringLiteral("F_editDate"), QStringLiteral("2023-04-05"));
    const QList<std::pair<const char *, const char *>> dates = { { "dtpQFdate", "F_QFdate" },
        { "dtpQRdate", "F_QRdate" }, { "dtpQCdate", "F_QCdate" }, { "dtpSWdate", "F_SWdate" },
        { "dtpZXdate", "F_ZXdate" }, { "dtpRQ1", "F_RQ1" }, { "dtpRQ2", "F_RQ2" }, { "dtpRQ3", "F_RQ3" } };
    int day = 0;
    for (const auto &[control, column] : dates) {
        auto *d = child<DateEditCheck>(f, control);
        d->setChecked(true);
        d->setDate(QDate(2001, 2, ++day));
        expected.insert(QLatin1String(column), QDate(2001, 2, day).toString(QStringLiteral("yyyy-MM-dd")));
    }
    const QList<std::pair<const char *, const char *>> flags = { { "cbQRflag", "F_QRflag" }, { "cbQCflag", "F_QCflag" },
        { "cbWGflag", "F_WGflag" }, { "cbZXflag", "F_ZXflag" }, { "cbDBflag", "F_DBflag" }, { "cbSYflag", "F_SYflag" },
        { "cbYFflag", "F_YFflag" }, { "cbLLflag", "F_LLflag" }, { "cbCJflag", "F_CJflag" }, { "cbLNflag", "F_LNflag" },
        { "cbJSflag", "F_JSflag" } };
    for (const auto &[control, column] : flags) {
        child<QCheckBox>(f, control)->setChecked(true);
        expected.insert(QLatin1String(column), 1);
    }
    child<QDoubleSpinBox>(f, "rceSZ1")->setValue(1.5);
    child<QDoubleSpinBox>(f, "rceSZ2")->setValue(-2.25);
    child<QDoubleSpinBox>(f, "rceSZ3")->setValue(1234567.125);
    child<MoneyEdit>(f, "ceSRprice")->setValue(3456.7891);
    expected.insert(QStringLiteral("F_SZ1"), 1.5);
    expected.insert(QStringLiteral("F_SZ2"), -2.25);
    expected.insert(QStringLiteral("F_SZ3"), 1234567.125);
    expected.insert(QStringLiteral("F_SRprice"), 3456.7891);
    const QString photo = fixture(QStringLiteral("相片.png"), picture(102, 100, Qt::red));
    loadPhotoThroughDialog(f, photo);
    QCOMPARE(f.photoPath(), photo);
    QVERIFY(!child<QLabel>(f, "Image1")->pixmap().isNull());

    child<QPushButton>(f, "Button1")->click();
    QVERIFY2(m_messages->messages.isEmpty(), qPrintable(m_messages->texts().join(QLatin1Char('|'))));
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(persons(), 1);
    const qint64 id = idOfName(expected.value(QStringLiteral("F_Name")).toString());
    QVERIFY(id > 0);
    QCOMPARE(cursor.reopenedAt, id);
    QCOMPARE(cursor.currentId(), id);
    const QVariantMap stored = row(id);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it.value().typeId() == QMetaType::Double)
            QVERIFY2(qFuzzyCompare(stored.value(it.key()).toDouble(), it.value().toDouble()), qPrintable(it.key()));
        else
            QVERIFY2(stored.value(it.key()).toString() == it.value().toString(),
                qPrintable(it.key() + QStringLiteral(": ") + stored.value(it.key()).toString()));
    }
    QCOMPARE(stored.value(QStringLiteral("F_mainID")).toLongLong(), 1);
    QCOMPARE(stored.value(QStringLiteral("F_imagePath")).toString(), QStringLiteral("相片.png"));
    QImage back;
    QVERIFY(back.loadFromData(stored.value(QStringLiteral("F_EmpImage")).toByteArray()));
    QCOMPARE(back.size(), QSize(102, 100));

    // and it reads back into the editor unchanged
    TfrmZuzavEdit again(&cursor);
    QVERIFY(again.prepare(TfrmZuzavEdit::Edit));
    const ResidentRecord shown = again.record();
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (it.value().typeId() == QMetaType::Double)
            QVERIFY2(
                qFuzzyCompare(shown.values.value(it.key()).toDouble(), it.value().toDouble()), qPrintable(it.key()));
        else if (it.value().typeId() == QMetaType::Int)
            QVERIFY2(shown.values.value(it.key()).toBool(), qPrintable(it.key()));
        else
            QVERIFY2(shown.text(it.key()) == it.value().toString(),
                qPrintable(it.key() + QStringLiteral(": ") + shown.text(it.key())));
    }
    QCOMPARE(child<QLineEdit>(again, "edtJTaddress")->text(), expected.value(QStringLiteral("F_ZZaddress")).toString());
    QCOMPARE(again.photo().image().size(), QSize(102, 100));
}

void TestResidentEditor::datesWithTickBoxes()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    setText(f, "edtName", QStringLiteral("无日期"));
    auto *qf = child<DateEditCheck>(f, "dtpQFdate");
    QVERIFY(!qf->isChecked());
    QCOMPARE(qf->date(), QDate::currentDate());
    qf->setDate(QDate(2010, 1, 1)); // a date set but unticked is no date
    child<QPushButton>(f, "Button1")->click();
    const QVariantMap stored = row(idOfName(QStringLiteral("无日期")));
    for (const char *c : { "F_QFdate", "F_QRdate", "F_QCdate", "F_SWdate", "F_ZXdate", "F_RQ1", "F_RQ2", "F_RQ3" })
        QCOMPARE(stored.value(QLatin1String(c)).toString(), kNull);
    QCOMPARE(stored.value(QStringLiteral("F_CSdate")).toString(),
        QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));

    cursor.moveTo(idOfName(QStringLiteral("无日期")));
    TfrmZuzavEdit again(&cursor);
    QVERIFY(again.prepare(TfrmZuzavEdit::Edit));
    for (const char *c :
        { "dtpQFdate", "dtpQRdate", "dtpQCdate", "dtpSWdate", "dtpZXdate", "dtpRQ1", "dtpRQ2", "dtpRQ3" }) {
        QVERIFY2(!child<DateEditCheck>(again, c)->isChecked(), c);
        QCOMPARE(child<DateEditCheck>(again, c)->date(), QDate::currentDate());
    }
}

void TestResidentEditor::editThroughNavigator()
{
    const qint64 a = addPerson(QStringLiteral("00000001"), QStringLiteral("甲"), 1);
    const qint64 b = addPerson(QStringLiteral("00000002"), QStringLiteral("乙"), 2);
    const qint64 c = addPerson(QStringLiteral("00000003"), QStringLiteral("丙"), 3);
    IdListCursor cursor;
    cursor.moveTo(a);
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Edit));
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("户口档案 - 修改"));
    QVERIFY(child<QWidget>(f, "DBNavigator1")->isVisible());
    QVERIFY(!child<QCheckBox>(f, "CheckBox1")->isVisible());
    QVERIFY(!child<QCheckBox>(f, "cbJiaTing")->isVisible());
    QVERIFY(!child<QToolButton>(f, "tbPrior")->isEnabled());
    QCOMPARE(child<QLineEdit>(f, "edtName")->text(), QStringLiteral("甲"));
    child<QToolButton>(f, "tbLast")->click();
    QCOMPARE(child<QLineEdit>(f, "edtName")->text(), QStringLiteral("丙"));
    QVERIFY(!child<QToolButton>(f, "tbNext")->isEnabled());
    child<QToolButton>(f, "tbPrior")->click();
    QCOMPARE(child<QLineEdit>(f, "edtName")->text(), QStringLiteral("乙"));
    QCOMPARE(child<QLineEdit>(f, "edtcode")->text(), QStringLiteral("00000002"));
    setText(f, "edtName", QStringLiteral("乙改"));
    child<QPushButton>(f, "Button1")->click();
    QVERIFY(m_messages->messages.isEmpty());
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(row(b).value(QStringLiteral("F_Name")).toString(), QStringLiteral("乙改"));
    QCOMPARE(row(b).value(QStringLiteral("F_mainID")).toLongLong(), 2);
    QCOMPARE(row(a).value(QStringLiteral("F_Name")).toString(), QStringLiteral("甲"));
    QCOMPARE(row(c).value(QStringLiteral("F_Name")).toString(), QStringLiteral("丙"));
    QCOMPARE(cursor.reopenedAt, b);
    QCOMPARE(persons(), 3);
}

void TestResidentEditor::editWithoutChangesAsksNothing()
{
    addPerson(QStringLiteral("00000009"), QStringLiteral("同名"), 0);
    const qint64 id = addPerson(QString(), QStringLiteral("孤身"), 0);
    for (bool automatic : { false, true }) {
        Run::AutoNumbering = automatic;
        IdListCursor cursor;
        cursor.moveTo(idOfName(QStringLiteral("同名")));
        TfrmZuzavEdit f(&cursor);
        QVERIFY(f.prepare(TfrmZuzavEdit::Edit));
        child<QPushButton>(f, "Button1")->click();
        QVERIFY(m_messages->messages.isEmpty());
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(row(idOfName(QStringLiteral("同名"))).value(QStringLiteral("F_Code")).toString(),
            QStringLiteral("00000009"));
    }
    // a person without a serial gets his key as serial
    QCOMPARE(row(idOfName(QStringLiteral("同名"))).value(QStringLiteral("F_mainID")).toLongLong(),
        idOfName(QStringLiteral("同名")));
    QCOMPARE(row(id).value(QStringLiteral("F_mainID")).toLongLong(), 0);
}

void TestResidentEditor::copyMakesANewPerson()
{
    const qint64 src = addPerson(QStringLiteral("00000005"), QStringLiteral("原人"), 5,
        QStringLiteral("F_HZname,F_JSflag"), QVariantList { QStringLiteral("户主甲"), 1 });
    IdListCursor cursor;
    cursor.moveTo(src);
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Copy));
    f.show();
    QCOMPARE(f.windowTitle(), QStringLiteral("户口档案 - 新增"));
    QCOMPARE(f.currentMainId(), 6);
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    m_messages->answers << MessCancel; // the same name: save a second one anyway
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { QStringLiteral("户口编号重复，请重新输入！") });
    QCOMPARE(persons(), 1);
    QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtcode"));
    setText(f, "edtcode", QStringLiteral("00000006"));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(persons(), 2);
    QSqlQuery q;
    Database::exec(q, QStringLiteral("select F_ID,F_mainID,F_HZname,F_JSflag from ZuZav where F_Code = '00000006'"));
    QVERIFY(q.next());
    QVERIFY(q.value(0).toLongLong() != src);
    QCOMPARE(q.value(1).toLongLong(), 6);
    QCOMPARE(q.value(2).toString(), QStringLiteral("户主甲"));
    QCOMPARE(q.value(3).toInt(), 1);
    QCOMPARE(row(src).value(QStringLiteral("F_Code")).toString(), QStringLiteral("00000005"));
}

void TestResidentEditor::automaticNumbers_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("next");
    QTest::newRow("empty register") << QStringList {} << "00000001";
    QTest::newRow("short number") << QStringList { "123", "045" } << "124";
    QTest::newRow("short wraps") << QStringList { "999" } << "000";
    QTest::newRow("prefix kept") << QStringList { "A00000099", "00000500" } << "A00000100";
    QTest::newRow("four zeros then 999") << QStringList { "00000999" } << "00001000";
}

void TestResidentEditor::automaticNumbers()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, next);
    int serial = 0;
    for (const QString &code : existing) {
        ++serial;
        addPerson(code, QStringLiteral("旧%1").arg(serial), serial);
    }
    Run::AutoNumbering = true;
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    auto *code = child<QLineEdit>(f, "edtcode");
    QCOMPARE(code->text(), next);
    QVERIFY(code->isReadOnly());
    QCOMPARE(code->focusPolicy(), Qt::NoFocus);
    setText(f, "edtName", QStringLiteral("新人"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(true);
    child<QPushButton>(f, "Button1")->click();
    QVERIFY(m_messages->messages.isEmpty());
    const QVariantMap stored = row(idOfName(QStringLiteral("新人")));
    QCOMPARE(stored.value(QStringLiteral("F_Code")).toString(), next);
    QCOMPARE(stored.value(QStringLiteral("F_mainID")).toInt(), existing.size() + 1);
    // continuous entry: the form stays open with the number after it
    QVERIFY(f.result() != QDialog::Accepted);
    QCOMPARE(code->text(),
        DataModule::NextCodeAfter(
            qMax(next, existing.isEmpty() ? QString() : *std::max_element(existing.cbegin(), existing.cend())), 8));
    QCOMPARE(child<QLineEdit>(f, "edtName")->text(), QString());
}

void TestResidentEditor::takenAutomaticNumberReplaced()
{
    Run::AutoNumbering = true;
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    QCOMPARE(child<QLineEdit>(f, "edtcode")->text(), QStringLiteral("00000001"));
    addPerson(QStringLiteral("00000001"), QStringLiteral("抢先"), 1); // another workstation
    setText(f, "edtName", QStringLiteral("后到"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    QVERIFY(m_messages->messages.isEmpty());
    const QVariantMap stored = row(idOfName(QStringLiteral("后到")));
    QCOMPARE(stored.value(QStringLiteral("F_Code")).toString(), QStringLiteral("00000002"));
    QCOMPARE(stored.value(QStringLiteral("F_mainID")).toInt(), 2);
}

void TestResidentEditor::automaticNumberWithLetterTail()
{
    addPerson(QStringLiteral("ZZ-ABC"), QStringLiteral("怪号"), 1);
    Run::AutoNumbering = true;
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(m_messages->messages.first().kind, int(MessWarning));
    QVERIFY(m_messages->messages.first().text.contains(QStringLiteral("请手工输入编号")));
    auto *code = child<QLineEdit>(f, "edtcode");
    QVERIFY(!code->isReadOnly());
    code->setText(QStringLiteral("M001"));
    setText(f, "edtName", QStringLiteral("手工号"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(
        row(idOfName(QStringLiteral("手工号"))).value(QStringLiteral("F_Code")).toString(), QStringLiteral("M001"));
}

void TestResidentEditor::twoEditorsNeverShareSerialOrNumber()
{
    Run::AutoNumbering = true;
    IdListCursor cursor;
    TfrmZuzavEdit first(&cursor);
    TfrmZuzavEdit second(&cursor);
    QVERIFY(first.prepare(TfrmZuzavEdit::Add));
    QVERIFY(second.prepare(TfrmZuzavEdit::Add));
    QCOMPARE(first.currentMainId(), second.currentMainId());
    QCOMPARE(child<QLineEdit>(first, "edtcode")->text(), child<QLineEdit>(second, "edtcode")->text());
    setText(first, "edtName", QStringLiteral("先存"));
    setText(second, "edtName", QStringLiteral("后存"));
    child<QPushButton>(first, "Button1")->click();
    child<QPushButton>(second, "Button1")->click();
    QVERIFY(m_messages->messages.isEmpty());
    const QVariantMap a = row(idOfName(QStringLiteral("先存")));
    const QVariantMap b = row(idOfName(QStringLiteral("后存")));
    QCOMPARE(a.value(QStringLiteral("F_Code")).toString(), QStringLiteral("00000001"));
    QCOMPARE(b.value(QStringLiteral("F_Code")).toString(), QStringLiteral("00000002"));
    QCOMPARE(a.value(QStringLiteral("F_mainID")).toInt(), 1);
    QCOMPARE(b.value(QStringLiteral("F_mainID")).toInt(), 2);
}

void TestResidentEditor::duplicateNumberRefused()
{
    addPerson(QStringLiteral("A-100"), QStringLiteral("在册"), 1);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    child<QTabWidget>(f, "PageControl1")->setCurrentIndex(1);
    setText(f, "edtcode", QStringLiteral(" a-100 ")); // trimmed, letter case ignored
    setText(f, "edtName", QStringLiteral("新来"));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { QStringLiteral("户口编号重复，请重新输入！") });
    QCOMPARE(m_messages->messages.first().kind, int(MessInfo));
    QCOMPARE(persons(), 1);
    QVERIFY(f.isVisible());
    QCOMPARE(child<QTabWidget>(f, "PageControl1")->currentIndex(), 0);
    QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtcode"));
    // an empty number is not tested
    setText(f, "edtcode", QString());
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(persons(), 2);
}

// another workstation may take the number between the form's check and the save
void TestResidentEditor::storeRechecksNumberInsideSave()
{
    addPerson(QStringLiteral("B-7"), QStringLiteral("先到"), 1);
    ResidentRecord r;
    r.values.insert(QStringLiteral("F_Code"), QStringLiteral("b-7"));
    r.values.insert(QStringLiteral("F_Name"), QStringLiteral("后到"));
    const ResidentRecordStore::Outcome o = ResidentRecordStore::save(r, false);
    QCOMPARE(o.result, ResidentRecordStore::Result::CodeTaken);
    QCOMPARE(o.message, QStringLiteral("户口编号重复，请重新输入！"));
    QCOMPARE(persons(), 1);
}

void TestResidentEditor::duplicateNameQuestion_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("personsAfter");
    QTest::newRow("OK: type again") << int(MessOk) << 1;
    QTest::newRow("Cancel: save a second one") << int(MessCancel) << 2;
}

void TestResidentEditor::duplicateNameQuestion()
{
    QFETCH(int, answer);
    QFETCH(int, personsAfter);
    addPerson(QStringLiteral("1"), QStringLiteral("王'小%二"), 1);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    setText(f, "edtName", QStringLiteral("王'小%二 "));
    m_messages->answers << answer;
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->messages.size(), 1);
    QCOMPARE(m_messages->messages.first().kind, int(MessQuestion));
    QCOMPARE(m_messages->messages.first().text, QStringLiteral("姓名“王'小%二 ”重复，重新输入吗？"));
    QCOMPARE(persons(), personsAfter);
    if (answer == MessOk)
        QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtName"));
}

void TestResidentEditor::emptyNameRefused()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    setText(f, "edtName", QStringLiteral("   "));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { QStringLiteral("姓名不能为空！") });
    QCOMPARE(persons(), 0);
    QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtName"));
}

void TestResidentEditor::identityChecksOnSave_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QList<int>>("kinds"); // messages shown, by kind
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("empty") << "" << QList<int> {} << 0 << true;
    QTest::newRow("valid 18") << "11010519491231002X" << QList<int> {} << 0 << true;
    QTest::newRow("valid 15") << "110105491231002" << QList<int> {} << 0 << true;
    QTest::newRow("16 characters") << "1101051949123100" << QList<int> { int(MessWarning) } << 0 << false;
    QTest::newRow("X inside") << "1101051949123100X2" << QList<int> { int(MessWarning) } << 0 << false;
    QTest::newRow("check digit, save anyway")
        << "110105194912310021" << QList<int> { int(MessQuestion) } << int(MessOk) << true;
    QTest::newRow("check digit, correct it")
        << "110105194912310021" << QList<int> { int(MessQuestion) } << int(MessCancel) << false;
    QTest::newRow("no such date") << "110105194902310026" << QList<int> { int(MessQuestion) } << int(MessCancel)
                                  << false;
    QTest::newRow("15 without a date") << "110105491331002" << QList<int> { int(MessQuestion) } << int(MessOk) << true;
}

void TestResidentEditor::identityChecksOnSave()
{
    QFETCH(QString, number);
    QFETCH(QList<int>, kinds);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    setText(f, "edtName", QStringLiteral("查号"));
    setText(f, "edtSFZcode", number);
    if (answer)
        m_messages->answers << answer;
    child<QPushButton>(f, "Button1")->click();
    QList<int> shown;
    for (const auto &m : m_messages->messages)
        shown << m.kind;
    QCOMPARE(shown, kinds);
    if (kinds == QList<int> { int(MessWarning) })
        QCOMPARE(m_messages->messages.first().text, QStringLiteral("身份证号码不对！"));
    QCOMPARE(persons(), saved ? 1 : 0);
    if (saved)
        QCOMPARE(row(idOfName(QStringLiteral("查号"))).value(QStringLiteral("F_SFZcode")).toString(), number);
    else
        QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtSFZcode"));
}

void TestResidentEditor::identityFillsBirthAndSex()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *id = child<QLineEdit>(f, "edtSFZcode");
    id->setFocus();
    QTest::keyClicks(id, QStringLiteral("440524188001010014"));
    QTest::keyClick(id, Qt::Key_Return); // leaves the box
    QCOMPARE(child<QDateEdit>(f, "dtpCSdate")->date(), QDate(1880, 1, 1));
    QCOMPARE(child<QComboBox>(f, "cbbSex")->currentText(), QStringLiteral("男"));
    // a birth date already set is left alone
    child<QDateEdit>(f, "dtpCSdate")->setDate(QDate(1970, 5, 5));
    id->setText(QStringLiteral("11010519491231002X"));
    setText(f, "edtName", QStringLiteral("出生"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(row(idOfName(QStringLiteral("出生"))).value(QStringLiteral("F_CSdate")).toString(),
        QStringLiteral("1970-05-05"));
}

void TestResidentEditor::identityKeyFilter()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    auto *id = child<QLineEdit>(f, "edtSFZcode");
    QTest::keyClicks(id, QStringLiteral("12a3-x"));
    QCOMPARE(id->text(), QStringLiteral("123x"));
    QCOMPARE(m_messages->texts(),
        (QStringList {
            QStringLiteral("身份证号只能是数字，请重新输入！"), QStringLiteral("身份证号只能是数字，请重新输入！") }));
    QTest::keyClick(id, Qt::Key_Backspace);
    QCOMPARE(id->text(), QStringLiteral("123"));
}

void TestResidentEditor::textsRoundTrip_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("quotes in a name") << "edtName"
                                      << "F_Name" << QStringLiteral("O'Brien \"老王\" '; drop table ZuZav; --");
    QTest::newRow("percent and underscore") << "edtName"
                                            << "F_Name" << QStringLiteral("100%_王");
    QTest::newRow("emoji") << "edtName"
                           << "F_Name" << QStringLiteral("王😀小明");
    QTest::newRow("255 characters") << "edtZZaddress"
                                    << "F_ZZaddress" << QString(255, QChar(0x8857));
    QTest::newRow("long remark") << "Memo1"
                                 << "F_memo1"
                                 << (QString(300, QChar(0x5907)) + QStringLiteral("\n'%😀\n")
                                        + QString(700, QLatin1Char('x')));
    QTest::newRow("free-text health") << "cbbJKmem"
                                      << "F_JKmem" << QString(400, QChar(0x5065));
}

void TestResidentEditor::textsRoundTrip()
{
    QFETCH(QString, control);
    QFETCH(QString, column);
    QFETCH(QString, text);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    if (control != QLatin1String("edtName"))
        setText(f, "edtName", QStringLiteral("往返"));
    QWidget *w = f.findChild<QWidget *>(control);
    if (auto *le = qobject_cast<QLineEdit *>(w))
        le->setText(text);
    else if (auto *pt = qobject_cast<QPlainTextEdit *>(w))
        pt->setPlainText(text);
    else if (auto *cb = qobject_cast<QComboBox *>(w)) {
        // a stored value outside the list makes the box editable
        DataModule::SelectItemText(text, cb);
    }
    child<QPushButton>(f, "Button1")->click();
    QVERIFY2(m_messages->messages.isEmpty(), qPrintable(m_messages->texts().join(QLatin1Char('|'))));
    QCOMPARE(persons(), 1);
    QSqlQuery q;
    Database::exec(q, QStringLiteral("select F_ID, %1 from ZuZav").arg(column));
    QVERIFY(q.next());
    QCOMPARE(q.value(1).toString(), text);
    cursor.reload();
    cursor.moveTo(q.value(0).toLongLong());
    TfrmZuzavEdit again(&cursor);
    QVERIFY(again.prepare(TfrmZuzavEdit::Edit));
    QCOMPARE(again.record().text(column), text);
    child<QPushButton>(again, "Button1")->click(); // and saves back unchanged
    Database::exec(q, QStringLiteral("select %1 from ZuZav").arg(column));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), text);
}

void TestResidentEditor::overlongTextRefused_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("tab");
    QTest::newRow("name") << "edtName" << 51 << QStringLiteral("“姓名”太长，最多 50 个字。") << 0;
    QTest::newRow("present address") << "edtZZaddress" << 256 << QStringLiteral("“现住址”太长，最多 255 个字。") << 0;
    QTest::newRow("booklet number") << "edtHKcode" << 256 << QStringLiteral("“户口簿号”太长，最多 255 个字。") << 0;
    QTest::newRow("reason of death") << "edtSWreason" << 51 << QStringLiteral("“死亡情况”太长，最多 50 个字。") << 1;
    QTest::newRow("custom text") << "edtZF4" << 60 << QStringLiteral("“字符项四”太长，最多 50 个字。") << 1;
}

void TestResidentEditor::overlongTextRefused()
{
    QFETCH(QString, control);
    QFETCH(int, length);
    QFETCH(QString, message);
    QFETCH(int, tab);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    if (control != QLatin1String("edtName"))
        setText(f, "edtName", QStringLiteral("超长"));
    const QString text(length, QChar(0x957F));
    f.findChild<QLineEdit *>(control)->setText(text);
    child<QTabWidget>(f, "PageControl1")->setCurrentIndex(1 - tab);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { message });
    QCOMPARE(persons(), 0);
    QCOMPARE(f.findChild<QLineEdit *>(control)->text(), text); // nothing cut
    QCOMPARE(child<QTabWidget>(f, "PageControl1")->currentIndex(), tab);
    QCOMPARE(f.focusWidget(), f.findChild<QWidget *>(control));
    // exactly the column's size is fine
    f.findChild<QLineEdit *>(control)->setText(text.left(length == 51 || length == 60 ? 50 : 255));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(persons(), 1);
}

void TestResidentEditor::failedSaveKeepsForm()
{
    Run::AutoNumbering = true;
    addPerson(QStringLiteral("00000001"), QStringLiteral("老住户"), 1);
    QVERIFY(DataModule::ExecSql(QStringLiteral("create trigger no_insert before insert on ZuZav "
                                               "begin select raise(abort, 'disk full'); end")));
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    setText(f, "edtName", QStringLiteral("存不进"));
    setText(f, "edtcode", QStringLiteral("00000001")); // taken: replaced inside the failing save
    child<QCheckBox>(f, "cbJSflag")->setChecked(true);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { QStringLiteral("保存失败，请检测数据库连接！") });
    QCOMPARE(m_messages->messages.first().kind, int(MessError));
    QCOMPARE(persons(), 1);
    QVERIFY(f.isVisible());
    QCOMPARE(f.windowTitle(), QStringLiteral("户口档案 - 新增"));
    QCOMPARE(child<QLineEdit>(f, "edtName")->text(), QStringLiteral("存不进"));
    QCOMPARE(child<QLineEdit>(f, "edtcode")->text(), QStringLiteral("00000001"));
    QVERIFY(child<QCheckBox>(f, "cbJSflag")->isChecked());
    QCOMPARE(cursor.reopenedAt, 0);
    // the connection is usable again: no transaction left open
    QVERIFY(DataModule::ExecSql(QStringLiteral("drop trigger no_insert")));
    m_messages->clear();
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    QVERIFY(m_messages->messages.isEmpty());
    QCOMPARE(
        row(idOfName(QStringLiteral("存不进"))).value(QStringLiteral("F_Code")).toString(), QStringLiteral("00000002"));

    // an edit that fails leaves the stored row as it was
    QVERIFY(DataModule::ExecSql(QStringLiteral("create trigger no_update before update on ZuZav "
                                               "begin select raise(abort, 'locked'); end")));
    cursor.moveTo(idOfName(QStringLiteral("老住户")));
    TfrmZuzavEdit e(&cursor);
    QVERIFY(e.prepare(TfrmZuzavEdit::Edit));
    e.show();
    setText(e, "edtName", QStringLiteral("改不了"));
    m_messages->clear();
    child<QPushButton>(e, "Button1")->click();
    QCOMPARE(m_messages->texts(), QStringList { QStringLiteral("保存失败，请检测数据库连接！") });
    QVERIFY(e.isVisible());
    QVERIFY(e.isEditMode());
    QCOMPARE(child<QLineEdit>(e, "edtName")->text(), QStringLiteral("改不了"));
    QCOMPARE(
        row(idOfName(QStringLiteral("老住户"))).value(QStringLiteral("F_Name")).toString(), QStringLiteral("老住户"));
}

void TestResidentEditor::continuousAddKeepsFamily_data()
{
    QTest::addColumn<bool>("keepFamily");
    QTest::newRow("family kept") << true;
    QTest::newRow("everything cleared") << false;
}

void TestResidentEditor::continuousAddKeepsFamily()
{
    QFETCH(bool, keepFamily);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    QVERIFY(child<QCheckBox>(f, "CheckBox1")->isChecked());
    QVERIFY(!child<QCheckBox>(f, "cbJiaTing")->isChecked());
    child<QCheckBox>(f, "cbJiaTing")->setChecked(keepFamily);
    const QStringList family = { "edtJTcode", "edtHZname", "edtHKcode", "edtJTphone", "edtJTaddress" };
    const QStringList others = { "edtName", "edtLDcode", "edtHScode", "edtSFZcode", "edtZF1", "edtQRreason" };
    for (const QString &n : family + others)
        f.findChild<QLineEdit *>(n)->setText(QStringLiteral("值") + n);
    setText(f, "edtSFZcode", QStringLiteral("11010519491231002X"));
    pickItem(f, "cbbHJstatus");
    pickItem(f, "cbbJJstatus");
    pickItem(f, "cbbZStype");
    pickItem(f, "cbbMinzu");
    child<MoneyEdit>(f, "ceSRprice")->setValue(800);
    child<QPlainTextEdit>(f, "Memo2")->setPlainText(QStringLiteral("家"));
    child<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("个人"));
    for (const char *c :
        { "cbDBflag", "cbYFflag", "cbJSflag", "cbSYflag", "cbLLflag", "cbCJflag", "cbLNflag", "cbWGflag" })
        child<QCheckBox>(f, c)->setChecked(true);
    child<DateEditCheck>(f, "dtpQFdate")->setChecked(true);
    const QString photo = fixture(QStringLiteral("p.png"), picture(10, 10, Qt::blue));
    loadPhotoThroughDialog(f, photo);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(persons(), 1);
    QVERIFY(f.isVisible());
    QVERIFY(f.result() != QDialog::Accepted);
    QCOMPARE(f.focusWidget(), child<QWidget>(f, "edtName"));
    for (const QString &n : family)
        QCOMPARE(f.findChild<QLineEdit *>(n)->text(), keepFamily ? QStringLiteral("值") + n : QString());
    for (const QString &n : others)
        QCOMPARE(f.findChild<QLineEdit *>(n)->text(), QString());
    for (const char *c : { "cbbHJstatus", "cbbJJstatus", "cbbZStype" })
        QCOMPARE(child<QComboBox>(f, c)->currentText().isEmpty(), !keepFamily);
    QCOMPARE(child<QComboBox>(f, "cbbMinzu")->currentText(), QString());
    QCOMPARE(child<MoneyEdit>(f, "ceSRprice")->value(), keepFamily ? 800.0 : 0.0);
    QCOMPARE(child<QPlainTextEdit>(f, "Memo2")->toPlainText(), keepFamily ? QStringLiteral("家") : QString());
    QCOMPARE(child<QPlainTextEdit>(f, "Memo1")->toPlainText(), QString());
    for (const char *c : { "cbDBflag", "cbYFflag", "cbJSflag" })
        QCOMPARE(child<QCheckBox>(f, c)->isChecked(), keepFamily);
    for (const char *c : { "cbSYflag", "cbLLflag", "cbCJflag", "cbLNflag", "cbWGflag" })
        QVERIFY(!child<QCheckBox>(f, c)->isChecked());
    QVERIFY(!child<DateEditCheck>(f, "dtpQFdate")->isChecked());
    QVERIFY(f.photo().isNull());
    QVERIFY(f.photoPath().isEmpty());
    QCOMPARE(f.currentMainId(), 2);
}

void TestResidentEditor::customCaptionsAndMoneyFormat()
{
    Run::CustomValues[1] = QStringLiteral("鞋码");
    Run::CustomValues[6] = QStringLiteral("体重");
    Run::CustomValues[11] = QStringLiteral("体检日");
    Run::AmountFormat = DataModule::MoneyFormat(2, 3);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    QCOMPARE(child<QLabel>(f, "lblZF1")->text(), QStringLiteral("鞋码："));
    QCOMPARE(child<QLabel>(f, "lblSZ1")->text(), QStringLiteral("体重："));
    QCOMPARE(child<QLabel>(f, "lblRQ3")->text(), QStringLiteral("体检日："));
    QCOMPARE(child<QLabel>(f, "lblZF2")->text(), QStringLiteral("字符项二：")); // no caption set: the default stays
    auto *money = child<MoneyEdit>(f, "ceSRprice");
    money->setValue(1234.5);
    QCOMPARE(money->text(), QStringLiteral("￥1,234.50"));
    money->findChild<QLineEdit *>()->setText(QStringLiteral("￥2,500.1234"));
    money->interpretText();
    QCOMPARE(money->value(), 2500.1234);
    setText(f, "edtName", QStringLiteral("收入"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(row(idOfName(QStringLiteral("收入"))).value(QStringLiteral("F_SRprice")).toDouble(), 2500.1234);
}

void TestResidentEditor::keys()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    auto *ld = child<QLineEdit>(f, "edtLDcode");
    ld->setFocus();
    QTest::keyClick(ld, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(f, "edtHScode"));
    // the number box is a stop while numbering is manual
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(QApplication::focusWidget(), child<QWidget>(f, "edtcode"));
    auto *memo = child<QPlainTextEdit>(f, "Memo1");
    child<QTabWidget>(f, "PageControl2")->setCurrentIndex(1);
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("one"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("two"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("one\ntwo"));
    QCOMPARE(QApplication::focusWidget(), memo);

    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    setText(f, "edtName", QStringLiteral("快捷"));
    QTest::keySequence(&f, QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(persons(), 1);
    QVERIFY(!f.isVisible());

    TfrmZuzavEdit g(&cursor);
    QVERIFY(g.prepare(TfrmZuzavEdit::Add));
    g.show();
    QVERIFY(QTest::qWaitForWindowActive(&g));
    setText(g, "edtName", QStringLiteral("放弃"));
    QTest::keyClick(child<QLineEdit>(g, "edtName"), Qt::Key_Escape);
    QVERIFY(!g.isVisible());
    QCOMPARE(g.result(), int(QDialog::Rejected));
    QCOMPARE(persons(), 1);
}

void TestResidentEditor::addButtonsOpenCodePicker_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("sbHKtype") << "sbHKtype"
                              << "户口类别资料"
                              << "增加类别";
    QTest::newRow("sbHZguanxi") << "sbHZguanxi"
                                << "与户主关系资料"
                                << "增加与户主关系";
    QTest::newRow("sbXX") << "sbXX"
                          << "血型资料"
                          << "增加血型";
    QTest::newRow("sbJKmem") << "sbJKmem"
                             << "健康状况资料"
                             << "增加健康状况";
    QTest::newRow("sbMinzu") << "sbMinzu"
                             << "民族资料"
                             << "增加民族";
    QTest::newRow("SpeedButton4") << "SpeedButton4"
                                  << "文化程度设置"
                                  << "增加文化程度";
    QTest::newRow("SpeedButton5") << "SpeedButton5"
                                  << "婚姻状况设置"
                                  << "增加婚姻状况";
    QTest::newRow("sbBYmem") << "sbBYmem"
                             << "兵役状况设置"
                             << "增加兵役状况";
    QTest::newRow("sbZZxinyang") << "sbZZxinyang"
                                 << "宗教信仰资料"
                                 << "增加宗教信仰";
    QTest::newRow("sbZZmianmao") << "sbZZmianmao"
                                 << "政治面貌资料"
                                 << "增加政治面貌";
    QTest::newRow("sbWork") << "sbWork"
                            << "户口职业"
                            << "增加职业";
    QTest::newRow("sbQRtype") << "sbQRtype"
                              << "迁入类别资料"
                              << "增加迁移类别";
    QTest::newRow("sbQCtype") << "sbQCtype"
                              << "迁出类别资料"
                              << "增加类别";
    QTest::newRow("sbHJstatus") << "sbHJstatus"
                                << "户籍状况资料"
                                << "增加户籍状况";
    QTest::newRow("sbJJstatus") << "sbJJstatus"
                                << "经济状况资料"
                                << "增加经济状况";
    QTest::newRow("sbCStype") << "sbCStype"
                              << "住所类型资料"
                              << "增加住所状况";
    QTest::newRow("sbHKxingzhi") << "sbHKxingzhi"
                                 << "户口性质"
                                 << "增加户口性质";
}

void TestResidentEditor::addButtonsOpenCodePicker()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    auto *b = f.findChild<QToolButton *>(button);
    QVERIFY(!b->isHidden());
    QCOMPARE(b->toolTip(), hint);
    QString seen;
    whenModal([&seen](QDialog *d) {
        seen = d->windowTitle();
        d->reject();
    });
    b->click();
    QCOMPARE(seen, caption);
}

void TestResidentEditor::familyPicker()
{
    IdListCursor cursor;
    {
        TfrmZuzavEdit f(&cursor);
        QVERIFY(f.prepare(TfrmZuzavEdit::Add));
        f.show();
        QVERIFY(!child<QToolButton>(f, "sbJTcode")->isVisible());
        QCOMPARE(child<QLineEdit>(f, "edtJTcode")->focusPolicy(), Qt::ClickFocus);
    }
    QString askedWith;
    TfrmZuzavEdit::setFamilyPicker([&askedWith](const QString &code, FamilyValues *out, QWidget *) {
        askedWith = code;
        out->code = QStringLiteral("JT0007");
        out->headName = QStringLiteral("户主");
        out->bookletNo = QStringLiteral("B-1");
        out->phone = QStringLiteral("0571-1");
        out->registrationStatus = QStringLiteral("不在册的状况");
        out->address = QStringLiteral("幸福路1号");
        out->income = 1500;
        out->remark = QStringLiteral("困难");
        out->militaryFamily = true;
        out->subsistence = true;
        return true;
    });
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    setText(f, "edtJTcode", QStringLiteral("JT0001"));
    child<QToolButton>(f, "sbJTcode")->click();
    TfrmZuzavEdit::setFamilyPicker({});
    QCOMPARE(askedWith, QStringLiteral("JT0001"));
    QCOMPARE(child<QLineEdit>(f, "edtJTcode")->text(), QStringLiteral("JT0007"));
    QCOMPARE(child<QLineEdit>(f, "edtHZname")->text(), QStringLiteral("户主"));
    QCOMPARE(child<QComboBox>(f, "cbbHJstatus")->currentText(), QStringLiteral("不在册的状况"));
    QCOMPARE(child<QLineEdit>(f, "edtZZaddress")->text(), QStringLiteral("幸福路1号"));
    QVERIFY(child<QCheckBox>(f, "cbJSflag")->isChecked());
    QVERIFY(child<QCheckBox>(f, "cbDBflag")->isChecked());
    QVERIFY(!child<QCheckBox>(f, "cbYFflag")->isChecked());
    setText(f, "edtName", QStringLiteral("家人"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    const QVariantMap stored = row(idOfName(QStringLiteral("家人")));
    QCOMPARE(stored.value(QStringLiteral("F_JTcode")).toString(), QStringLiteral("JT0007"));
    QCOMPARE(stored.value(QStringLiteral("F_HJstatus")).toString(), QStringLiteral("不在册的状况"));
    QCOMPARE(stored.value(QStringLiteral("F_SRprice")).toDouble(), 1500.0);
    QCOMPARE(stored.value(QStringLiteral("F_memo2")).toString(), QStringLiteral("困难"));
}

void TestResidentEditor::photoLoadedAndStored_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QByteArray>("storedFormat");
    QTest::newRow("png") << "a.png"
                         << "a.png" << QByteArray("png");
    QTest::newRow("jpeg") << "照片.jpg"
                          << "照片.jpg" << QByteArray("jpeg");
    QTest::newRow("gif is kept too") << "c.gif"
                                     << "c.png" << QByteArray("png");
    QTest::newRow("bitmap") << "d.bmp"
                            << "d.png" << QByteArray("png");
}

void TestResidentEditor::photoLoadedAndStored()
{
    QFETCH(QString, file);
    QFETCH(QString, storedName);
    QFETCH(QByteArray, storedFormat);
    const QString path = fixture(file, picture(60, 40, Qt::green));
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    setText(f, "edtName", QStringLiteral("有照片"));
    loadPhotoThroughDialog(f, path);
    QCOMPARE(f.photoPath(), path);
    QCOMPARE(child<QLabel>(f, "Image1")->pixmap().size(), QSize(60, 40));
    child<QPushButton>(f, "Button1")->click();
    const qint64 id = idOfName(QStringLiteral("有照片"));
    const QVariantMap stored = row(id);
    QCOMPARE(stored.value(QStringLiteral("F_imagePath")).toString(), storedName);
    QCOMPARE(formatOfBytes(stored.value(QStringLiteral("F_EmpImage")).toByteArray()), storedFormat);

    cursor.moveTo(id);
    TfrmZuzavEdit again(&cursor);
    QVERIFY(again.prepare(TfrmZuzavEdit::Edit));
    QCOMPARE(again.photo().image().size(), QSize(60, 40));
    QCOMPARE(again.photoPath(), storedName);
    const QImage shown = again.photo().image();
    QVERIFY(qAbs(qGreen(shown.pixel(50, 20)) - 255) < 40 && qRed(shown.pixel(50, 20)) < 40);
}

void TestResidentEditor::photoClearedAndKept()
{
    const QString path = fixture(QStringLiteral("keep.png"), picture(30, 30, Qt::red));
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    loadPhotoThroughDialog(f, path);
    // the dialog's clear then cancel: the editor keeps its photo
    whenModal([](QDialog *d) {
        d->findChild<QAction *>(QStringLiteral("actClear"))->trigger();
        d->findChild<QAction *>(QStringLiteral("actCancel"))->trigger();
    });
    child<QPushButton>(f, "btnLoadPhoto")->click();
    QCOMPARE(f.photoPath(), path);
    // clear then save: it is gone
    whenModal([](QDialog *d) {
        d->findChild<QAction *>(QStringLiteral("actClear"))->trigger();
        d->findChild<QAction *>(QStringLiteral("actSave"))->trigger();
    });
    child<QPushButton>(f, "btnLoadPhoto")->click();
    QVERIFY(f.photo().isNull());
    QVERIFY(child<QLabel>(f, "Image1")->pixmap().isNull());
    loadPhotoThroughDialog(f, path);
    f.findChild<QAction *>(QStringLiteral("actClearPhoto"))->trigger();
    QVERIFY(f.photo().isNull());
    loadPhotoThroughDialog(f, path);
    child<QPushButton>(f, "btnClearPhoto")->click();
    QVERIFY(f.photo().isNull());
    setText(f, "edtName", QStringLiteral("无照"));
    child<QCheckBox>(f, "CheckBox1")->setChecked(false);
    child<QPushButton>(f, "Button1")->click();
    const QVariantMap stored = row(idOfName(QStringLiteral("无照")));
    QVERIFY(stored.value(QStringLiteral("F_EmpImage")).toByteArray().isEmpty());
    QCOMPARE(stored.value(QStringLiteral("F_imagePath")).toString(), QString());
}

void TestResidentEditor::oldBitmapAndGifRows()
{
    QByteArray bmp;
    QBuffer b(&bmp);
    b.open(QIODevice::WriteOnly);
    picture(20, 10, Qt::yellow).save(&b, "bmp");
    const qint64 withBmp = addPerson(QStringLiteral("1"), QStringLiteral("旧位图"), 1,
        QStringLiteral("F_EmpImage,F_imagePath"), QVariantList { bmp, QStringLiteral("old.BMP") });
    const qint64 withGif = addPerson(QStringLiteral("2"), QStringLiteral("旧动图"), 2,
        QStringLiteral("F_EmpImage,F_imagePath"), QVariantList { QByteArray(), QStringLiteral("old.gif") });
    IdListCursor cursor;
    cursor.moveTo(withBmp);
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Edit));
    QCOMPARE(f.photo().image().size(), QSize(20, 10));
    // the stored name is no file: the dialog shows the editor's picture
    QSize inDialog;
    whenModal([&inDialog](QDialog *d) {
        inDialog = d->findChild<QLabel *>(QStringLiteral("Image1"))->size();
        d->reject();
    });
    child<QPushButton>(f, "btnLoadPhoto")->click();
    QCOMPARE(inDialog, QSize(20, 10));
    QCOMPARE(f.photo().image().size(), QSize(20, 10));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(row(withBmp).value(QStringLiteral("F_imagePath")).toString(), QStringLiteral("old.png"));
    QCOMPARE(formatOfBytes(row(withBmp).value(QStringLiteral("F_EmpImage")).toByteArray()), QByteArray("png"));

    cursor.moveTo(withGif);
    TfrmZuzavEdit g(&cursor);
    QVERIFY(g.prepare(TfrmZuzavEdit::Edit));
    QVERIFY(g.photo().isNull());
    QVERIFY(g.photoPath().isEmpty());
}

void TestResidentEditor::addressFollowsFamilyAddress()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    auto *family = child<QLineEdit>(f, "edtJTaddress");
    auto *present = child<QLineEdit>(f, "edtZZaddress");
    QTest::keyClicks(family, QStringLiteral("Heping 12"));
    QCOMPARE(present->text(), QStringLiteral("Heping 12"));
    present->setText(QStringLiteral("自己的地址"));
    QTest::keyClicks(family, QStringLiteral("A"));
    QCOMPARE(present->text(), QStringLiteral("自己的地址"));
}

void TestResidentEditor::pickerModeClosesAfterOneSave()
{
    IdListCursor cursor;
    TfrmZuzavEdit f(&cursor);
    f.SetFromPicker(true);
    QVERIFY(f.prepare(TfrmZuzavEdit::Add));
    f.show();
    QVERIFY(!child<QCheckBox>(f, "CheckBox1")->isVisible());
    QVERIFY(!child<QCheckBox>(f, "cbJiaTing")->isVisible());
    QVERIFY(!child<QWidget>(f, "DBNavigator1")->isVisible());
    setText(f, "edtName", QStringLiteral("当场建"));
    child<QPushButton>(f, "Button1")->click();
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QCOMPARE(cursor.reopenedAt, idOfName(QStringLiteral("当场建")));
}

void TestResidentEditor::openRunsModally_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("saved") << true;
    QTest::newRow("cancelled") << false;
}

void TestResidentEditor::openRunsModally()
{
    QFETCH(bool, save);
    IdListCursor cursor;
    whenModal([save](QDialog *d) {
        d->findChild<QLineEdit *>(QStringLiteral("edtName"))->setText(QStringLiteral("模态"));
        d->findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->setChecked(false);
        d->findChild<QPushButton *>(save ? QStringLiteral("Button1") : QStringLiteral("Button2"))->click();
    });
    QCOMPARE(TfrmZuzavEdit::Open(TfrmZuzavEdit::Add, &cursor, nullptr), save);
    QCOMPARE(persons(), save ? 1 : 0);
}

QTEST_MAIN(TestResidentEditor)
#include "tst_residenteditor.moc"
