#include "TestSupport.h"
#include "auth/OperatorStore.h"
#include "auth/Permissions.h"
#include "auth/TFrmLimitGl.h"
#include "auth/TfrmModPass.h"
#include "auth/TfrmOperGl.h"
#include "data/DataModule.h"
#include "data/RunValues.h"
#include "grid/DataGrid.h"
#include "support/Messages.h"
#include "support/Passwords.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

void click(QWidget *parent, const char *name)
{
    QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
}

QString labelOf(const QString &code)
{
    return DataModule::QueryText(QStringLiteral("select F_name from Limits where F_code = ?"), QVariantList { code });
}

QStringList grantRows(const QString &name)
{
    QStringList out;
    QSqlQuery q;
    DataModule::OpenSql(
        QStringLiteral("select F_lmtName from OperLimit where F_OperName = ? order by F_ID"), q, QVariantList { name });
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QString storedPassword(const QString &name)
{
    return DataModule::QueryText(
        QStringLiteral("select F_PassWord from OperList where F_Name = ?"), QVariantList { name });
}

int operatorCount()
{
    return DataModule::QueryInteger(QStringLiteral("select count(*) from OperList"));
}

// Codes the named operator holds, asked the way the main window asks.
QStringList heldCodes(const QString &name)
{
    Run::CurrentOperator = name;
    QStringList out;
    for (const Permissions::Entry &e : Permissions::catalogue())
        if (DataModule::HasPermission(e.code))
            out << e.code;
    Run::CurrentOperator.clear();
    return out;
}

void fill(
    TFrmLimitGl *e, const QString &name, const QString &password, const QString &confirm, const QStringList &codes = {})
{
    child<QComboBox>(e, "cbbName")->setEditText(name);
    child<QLineEdit>(e, "edtPassWord")->setText(password);
    child<QLineEdit>(e, "edtRepPass")->setText(confirm);
    QListWidget *list = child<QListWidget>(e, "clbOperLimt");
    QStringList labels;
    for (const QString &c : codes)
        labels << labelOf(c);
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(labels.contains(list->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
}

QStringList ticked(TFrmLimitGl *e)
{
    QStringList out;
    QListWidget *list = child<QListWidget>(e, "clbOperLimt");
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << list->item(i)->text();
    return out;
}

} // namespace

class TestOperators : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void createdOperatorHoldsOnlyHisGrants_data();
    void createdOperatorHoldsOnlyHisGrants();
    void selectAllGrantsEveryOffered();
    void editorRefuses_data();
    void editorRefuses();
    void editShowsNoPasswordAndKeepsIt();
    void editWithNewPasswordReplacesIt();
    void renameMovesGrants();
    void failedSaveRollsBackAndKeepsTheForm();
    void nameBoxOffersHandlersAndKeepsTyping();
    void listRefusesAdmin_data();
    void listRefusesAdmin();
    void listDeletesOperatorAndGrants();
    void listHidesDisabledUntilAsked();
    void listShowsDescriptionOfCurrentRow();
    void passwordChange_data();
    void passwordChange();

private:
    qint64 addOperator(const QString &name, const QString &password, const QStringList &codes, bool disabled = false,
        const QString &mem = {})
    {
        OperatorInput in;
        in.name = name;
        in.password = password;
        in.confirm = password;
        in.disabled = disabled;
        in.mem = mem;
        for (const QString &c : codes)
            in.grants << labelOf(c);
        qint64 id = 0;
        if (OperatorStore::save(0, in, &id) != OperatorStore::SaveResult::Saved)
            qFatal("operator not saved");
        return id;
    }
    static QStringList listed(TfrmOperGl &list)
    {
        QStringList out;
        const SqlRowModel *rows = child<DataGrid>(&list, "DBGrid1")->rowModel();
        for (int r = 0; r < rows->rowCount(); ++r)
            out << rows->value(r, QStringLiteral("F_Name")).toString();
        return out;
    }
    static void selectOperator(TfrmOperGl &list, const QString &name)
    {
        QVERIFY(child<DataGrid>(&list, "DBGrid1")->locate(QStringLiteral("F_Name"), name));
    }

    std::unique_ptr<TestHome> m_home;
};

void TestOperators::init()
{
    m_home = std::make_unique<TestHome>();
    Run::CurrentOperator.clear();
}

void TestOperators::cleanup()
{
    m_home.reset();
}

void TestOperators::createdOperatorHoldsOnlyHisGrants_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("clerk") << QStringLiteral("王干事") << QStringLiteral("pw1") << QStringList { "102", "201", "303" };
    QTest::newRow("none") << QStringLiteral("临时工") << QString() << QStringList {};
    QTest::newRow("quotes and emoji") << QStringLiteral("O'Brien \"老王\" 😀") << QStringLiteral("a'b\"c 😀 ")
                                      << QStringList { "104", "503" };
}

void TestOperators::createdOperatorHoldsOnlyHisGrants()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QStringList, codes);
    MessageRecorder rec;
    TfrmOperGl list;
    bool stayedOpenEmpty = false;
    whenShown<TFrmLimitGl>([&](TFrmLimitGl *e) {
        fill(e, QStringLiteral("  ") + name + QStringLiteral(" "), password, password, codes);
        click(e, "btnSave");
        // ready for the next operator
        stayedOpenEmpty = e->isVisible() && child<QComboBox>(e, "cbbName")->currentText().isEmpty()
            && child<QLineEdit>(e, "edtPassWord")->text().isEmpty() && ticked(e).isEmpty();
        click(e, "btnClose");
    });
    click(&list, "tbNew");

    QVERIFY(rec.messages.isEmpty());
    QVERIFY(stayedOpenEmpty);
    QVERIFY(listed(list).contains(name));
    QCOMPARE(child<DataGrid>(&list, "DBGrid1")->currentValue(QStringLiteral("F_Name")).toString(), name);
    QCOMPARE(heldCodes(name), codes);
    const QString stored = storedPassword(name);
    QVERIFY(CheckPass(stored, password));
    QVERIFY(!CheckPass(stored, password + QLatin1Char('x')));
    QVERIFY(stored != password);
}

void TestOperators::selectAllGrantsEveryOffered()
{
    MessageRecorder rec;
    TFrmLimitGl e(TFrmLimitGl::NewMode);
    fill(&e, QStringLiteral("全能"), QString(), QString());
    click(&e, "btnSelectAll");
    click(&e, "btnSave");
    QCOMPARE(grantRows(QStringLiteral("全能")), OperatorStore::offeredPermissions());
    QVERIFY(!OperatorStore::offeredPermissions().isEmpty());
    fill(&e, QStringLiteral("无权"), QString(), QString());
    click(&e, "btnSelectAll");
    click(&e, "btnClear");
    click(&e, "btnSave");
    QCOMPARE(heldCodes(QStringLiteral("无权")), QStringList());
    QVERIFY(rec.messages.isEmpty());
}

void TestOperators::editorRefuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("empty name") << QStringLiteral("   ") << ""
                                << "" << QStringLiteral("操作员名称不能为空！") << "cbbName";
    QTest::newRow("mismatch") << QStringLiteral("新人") << "abc"
                              << "abc " << QStringLiteral("验正码不正确，请重新确认输入！") << "edtRepPass";
    QTest::newRow("duplicate in other case") << QStringLiteral("CLERK") << ""
                                             << "" << QStringLiteral("操作员名称重复，请重新输入！") << "cbbName";
    QTest::newRow("admin again") << QStringLiteral("Admin ") << ""
                                 << "" << QStringLiteral("操作员名称重复，请重新输入！") << "cbbName";
    QTest::newRow("too long") << QString(51, QChar(0x738B)) << ""
                              << "" << QStringLiteral("操作员名称不能超过50个字符！") << "cbbName";
}

void TestOperators::editorRefuses()
{
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    addOperator(QStringLiteral("clerk"), QString(), {});
    const int before = operatorCount();
    MessageRecorder rec;
    TFrmLimitGl e(TFrmLimitGl::NewMode);
    e.show();
    QVERIFY(QTest::qWaitForWindowActive(&e));
    fill(&e, name, password, confirm, { "201" });
    QTest::keyClick(&e, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(rec.texts(), QStringList { message });
    QCOMPARE(rec.messages.first().kind, int(MessInfo));
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(operatorCount(), before);
    QCOMPARE(child<QComboBox>(&e, "cbbName")->currentText(), name); // left as typed
    QVERIFY(e.isVisible());
}

void TestOperators::editShowsNoPasswordAndKeepsIt()
{
    const qint64 id = addOperator(QStringLiteral("clerk"), QStringLiteral("secret"), { "201" });
    MessageRecorder rec;
    TFrmLimitGl e(TFrmLimitGl::EditMode, id);
    QCOMPARE(child<QComboBox>(&e, "cbbName")->currentText(), QStringLiteral("clerk"));
    QCOMPARE(child<QLineEdit>(&e, "edtPassWord")->text(), QString());
    QCOMPARE(child<QLineEdit>(&e, "edtRepPass")->text(), QString());
    QCOMPARE(ticked(&e), QStringList { labelOf("201") });
    child<QPlainTextEdit>(&e, "Mem1")->setPlainText(QStringLiteral("窗口一"));
    child<QCheckBox>(&e, "cbXtFlag")->setChecked(true);
    click(&e, "btnSave");
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(e.result(), int(QDialog::Accepted));
    QVERIFY(CheckPass(storedPassword(QStringLiteral("clerk")), QStringLiteral("secret")));
    const auto op = OperatorStore::byId(id);
    QVERIFY(op);
    QCOMPARE(op->mem, QStringLiteral("窗口一"));
    QVERIFY(op->ownOnly);
    QCOMPARE(heldCodes(QStringLiteral("clerk")), QStringList { "201" });
}

void TestOperators::editWithNewPasswordReplacesIt()
{
    const qint64 id = addOperator(QStringLiteral("clerk"), QStringLiteral("secret"), {});
    MessageRecorder rec;
    TFrmLimitGl e(TFrmLimitGl::EditMode, id);
    child<QLineEdit>(&e, "edtPassWord")->setText(QStringLiteral("new one"));
    child<QLineEdit>(&e, "edtRepPass")->setText(QStringLiteral("new one"));
    click(&e, "btnSave");
    QVERIFY(rec.messages.isEmpty());
    const QString stored = storedPassword(QStringLiteral("clerk"));
    QVERIFY(CheckPass(stored, QStringLiteral("new one")));
    QVERIFY(!CheckPass(stored, QStringLiteral("secret")));
}

void TestOperators::renameMovesGrants()
{
    const qint64 id = addOperator(QStringLiteral("张三"), QStringLiteral("pw"), { "101", "201", "405" });
    addOperator(QStringLiteral("李四"), QString(), { "202" });
    MessageRecorder rec;
    TfrmOperGl list;
    selectOperator(list, QStringLiteral("张三"));
    whenShown<TFrmLimitGl>([](TFrmLimitGl *e) {
        QCOMPARE(e->mode(), TFrmLimitGl::EditMode);
        child<QComboBox>(e, "cbbName")->setEditText(QStringLiteral("张三丰"));
        click(e, "btnSave");
    });
    click(&list, "tbEdit");
    QVERIFY(rec.messages.isEmpty());
    QCOMPARE(grantRows(QStringLiteral("张三")), QStringList());
    QCOMPARE(heldCodes(QStringLiteral("张三丰")), (QStringList { "101", "201", "405" }));
    QCOMPARE(heldCodes(QStringLiteral("李四")), QStringList { "202" });
    QCOMPARE(OperatorStore::byId(id)->name, QStringLiteral("张三丰"));
    QVERIFY(CheckPass(storedPassword(QStringLiteral("张三丰")), QStringLiteral("pw")));
    QCOMPARE(
        child<DataGrid>(&list, "DBGrid1")->currentValue(QStringLiteral("F_Name")).toString(), QStringLiteral("张三丰"));
}

void TestOperators::failedSaveRollsBackAndKeepsTheForm()
{
    const qint64 id = addOperator(QStringLiteral("张三"), QStringLiteral("pw"), { "101" });
    QVERIFY(DataModule::ExecSql(QStringLiteral("create trigger no_grants before insert on OperLimit "
                                               "begin select raise(abort, 'refused'); end")));
    MessageRecorder rec;
    TFrmLimitGl e(TFrmLimitGl::EditMode, id);
    e.show();
    fill(&e, QStringLiteral("张三丰"), QStringLiteral("x"), QStringLiteral("x"), { "102" });
    click(&e, "btnSave");
    QCOMPARE(rec.texts(), QStringList { QStringLiteral("保存失败，请检测数据库连接！") });
    QCOMPARE(rec.messages.first().kind, int(MessError));
    QVERIFY(e.isVisible());
    QCOMPARE(child<QComboBox>(&e, "cbbName")->currentText(), QStringLiteral("张三丰"));
    QCOMPARE(ticked(&e), QStringList { labelOf("102") });
    QCOMPARE(OperatorStore::byId(id)->name, QStringLiteral("张三"));
    QCOMPARE(grantRows(QStringLiteral("张三")), QStringList { labelOf("101") });
    QVERIFY(CheckPass(storedPassword(QStringLiteral("张三")), QStringLiteral("pw")));
}

void TestOperators::nameBoxOffersHandlersAndKeepsTyping()
{
    QVERIFY(DataModule::ExecSql(QStringLiteral("insert into t_code(F_type, F_name) values('empname', '李干事'), "
                                               "('empname', ''), ('hzguanxi', '不是经手人')")));
    TFrmLimitGl e(TFrmLimitGl::NewMode);
    QComboBox *box = child<QComboBox>(&e, "cbbName");
    box->setEditText(QStringLiteral("王"));
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &in);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    QCOMPARE(items, (QStringList { QString(), QStringLiteral("李干事") }));
    QCOMPARE(box->currentText(), QStringLiteral("王"));
}

void TestOperators::listRefusesAdmin_data()
{
    QTest::addColumn<QString>("spelling");
    QTest::newRow("admin") << QStringLiteral("admin");
    QTest::newRow("capitals") << QStringLiteral("ADMIN");
}

void TestOperators::listRefusesAdmin()
{
    QFETCH(QString, spelling);
    QVERIFY(DataModule::ExecSql(
        QStringLiteral("update OperList set F_Name = ? where F_Name = 'admin'"), QVariantList { spelling }));
    MessageRecorder rec;
    TfrmOperGl list;
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    selectOperator(list, spelling);
    click(&list, "tbEdit");
    DataGrid *grid = child<DataGrid>(&list, "DBGrid1");
    const QPoint cell = grid->visualRect(grid->currentIndex()).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
    click(&list, "tbDel");
    QCOMPARE(rec.texts(),
        (QStringList { QStringLiteral("此用户为系统默认用户，不能修改和编辑！"),
            QStringLiteral("此用户为系统默认用户，不能修改和编辑！"),
            QStringLiteral("此用户为系统默认用户，不能删除！") }));
    for (const auto &m : rec.messages)
        QCOMPARE(m.kind, int(MessError));
    QVERIFY(listed(list).contains(spelling));
}

void TestOperators::listDeletesOperatorAndGrants()
{
    addOperator(QStringLiteral("O'Neil"), QString(), { "201", "202" });
    addOperator(QStringLiteral("留下"), QString(), { "201" });
    MessageRecorder rec;
    TfrmOperGl list;
    list.show();
    QVERIFY(QTest::qWaitForWindowActive(&list));
    selectOperator(list, QStringLiteral("O'Neil"));
    const QString question = QStringLiteral("真的要删除当前操作员 \"O'Neil\" 吗？");

    rec.answers << MessCancel;
    click(&list, "tbDel");
    QCOMPARE(rec.texts(), QStringList { question });
    QCOMPARE(rec.messages.first().kind, int(MessQuestion));
    QVERIFY(listed(list).contains(QStringLiteral("O'Neil")));

    rec.clear();
    rec.answers << MessOk;
    QTest::keyClick(&list, Qt::Key_Delete);
    QCOMPARE(rec.texts(), QStringList { question });
    QVERIFY(!listed(list).contains(QStringLiteral("O'Neil")));
    QCOMPARE(OperatorStore::idOfName(QStringLiteral("O'Neil")), qint64(0));
    QCOMPARE(grantRows(QStringLiteral("O'Neil")), QStringList());
    QCOMPARE(heldCodes(QStringLiteral("留下")), QStringList { "201" });
    // a later operator of the same name starts without the old grants
    addOperator(QStringLiteral("o'neil"), QString(), {});
    QCOMPARE(heldCodes(QStringLiteral("o'neil")), QStringList());
}

void TestOperators::listHidesDisabledUntilAsked()
{
    addOperator(QStringLiteral("停用的"), QString(), {}, true);
    addOperator(QStringLiteral("在岗的"), QString(), {});
    TfrmOperGl list;
    QCOMPARE(listed(list), (QStringList { QStringLiteral("admin"), QStringLiteral("在岗的") }));
    click(&list, "cbShowDisabled");
    QCOMPARE(
        listed(list), (QStringList { QStringLiteral("admin"), QStringLiteral("停用的"), QStringLiteral("在岗的") }));
    click(&list, "cbShowDisabled");
    QCOMPARE(listed(list), (QStringList { QStringLiteral("admin"), QStringLiteral("在岗的") }));
}

void TestOperators::listShowsDescriptionOfCurrentRow()
{
    const qint64 id = addOperator(QStringLiteral("说明"), QString(), {}, false, QStringLiteral("负责户籍\n周一值班"));
    QVERIFY(
        DataModule::ExecSql(QStringLiteral("update OperList set F_xtFlag = 1 where F_ID = ?"), QVariantList { id }));
    TfrmOperGl list;
    selectOperator(list, QStringLiteral("说明"));
    QCOMPARE(child<QPlainTextEdit>(&list, "DBMemo1")->toPlainText(), QStringLiteral("负责户籍\n周一值班"));
    QVERIFY(child<QCheckBox>(&list, "DBCheckBox1")->isChecked());
    selectOperator(list, QStringLiteral("admin"));
    QCOMPARE(child<QPlainTextEdit>(&list, "DBMemo1")->toPlainText(),
        DataModule::QueryText(QStringLiteral("select F_Mem from OperList where F_Name = 'admin'")));
    QVERIFY(!child<QCheckBox>(&list, "DBCheckBox1")->isChecked());
}

void TestOperators::passwordChange_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("repeated");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("nowValid");
    QTest::newRow("wrong old") << "nope"
                               << "n3w"
                               << "n3w" << QStringLiteral("旧口令输入错误，不能更改！") << int(MessWarning) << "old pw";
    QTest::newRow("old with a blank") << "old pw "
                                      << "n3w"
                                      << "n3w" << QStringLiteral("旧口令输入错误，不能更改！") << int(MessWarning)
                                      << "old pw";
    QTest::newRow("repeat differs") << "old pw"
                                    << "n3w"
                                    << "n3W" << QStringLiteral("新口令错误，不能更改！") << int(MessInfo) << "old pw";
    QTest::newRow("repeat differs by a blank")
        << "old pw"
        << "n3w "
        << "n3w" << QStringLiteral("新口令错误，不能更改！") << int(MessInfo) << "old pw";
    QTest::newRow("changed") << "old pw" << QStringLiteral("新密码 ' 😀") << QStringLiteral("新密码 ' 😀")
                             << QStringLiteral("更改口令成功！") << int(MessInfo) << QStringLiteral("新密码 ' 😀");
    QTest::newRow("changed to empty") << "old pw"
                                      << ""
                                      << "" << QStringLiteral("更改口令成功！") << int(MessInfo) << "";
}

void TestOperators::passwordChange()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, repeated);
    QFETCH(QString, message);
    QFETCH(int, kind);
    QFETCH(QString, nowValid);
    addOperator(QStringLiteral("clerk"), QStringLiteral("old pw"), {});
    Run::CurrentOperator = QStringLiteral("clerk");
    MessageRecorder rec;
    TfrmModPass dlg;
    QCOMPARE(child<QLabel>(&dlg, "lblOperator")->text(), QStringLiteral("当前操作员：clerk "));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    child<QLineEdit>(&dlg, "edtOldPass")->setFocus();
    QTest::keyClicks(child<QLineEdit>(&dlg, "edtOldPass"), old);
    QTest::keyClick(&dlg, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("edtNewPass"));
    child<QLineEdit>(&dlg, "edtNewPass")->setText(fresh);
    child<QLineEdit>(&dlg, "edtRepPass")->setText(repeated);
    click(&dlg, "btnOK");

    QCOMPARE(rec.texts(), QStringList { message });
    QCOMPARE(rec.messages.first().kind, kind);
    QVERIFY(!dlg.isVisible());
    const QString stored = storedPassword(QStringLiteral("clerk"));
    QVERIFY(CheckPass(stored, nowValid));
    QVERIFY(stored != nowValid);
    if (nowValid != QLatin1String("old pw"))
        QVERIFY(!CheckPass(stored, QStringLiteral("old pw")));
}

QTEST_MAIN(TestOperators)
#include "tst_operators.moc"
