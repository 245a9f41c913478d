#include "ChangeRecordStore.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

bool ChangeRecordStore::load(qint64 id, ChangeRecord *out)
{
    QSqlQuery q;
    if (!Database::exec(q,
                        QStringLiteral("select F_ID,F_mainID,F_Date,F_BGtype,F_Memo1,F_Memo2,F_Memo3,F_EmpName,F_editDate "
                                       "from t_BGrec where F_ID = ?"),
                        QVariantList{id})
        || !q.next())
        return false;
    out->id = q.value(0).toLongLong();
    out->mainId = q.value(1).toLongLong();
    out->date = q.value(2).toString().left(10);
    out->type = q.value(3).toString();
    out->before = q.value(4).toString();
    out->after = q.value(5).toString();
    out->remark = q.value(6).toString();
    out->handler = q.value(7).toString();
    out->editDate = q.value(8).toString();
    return true;
}

qint64 ChangeRecordStore::save(const ChangeRecord &r, QString *error)
{
    const QString type = r.type.trimmed();
    const QString handler = r.handler.trimmed();
    // refuse what the columns cannot hold rather than cut it silently
    if (type.size() > Schema::textSize(QStringLiteral("t_BGrec"), QStringLiteral("F_BGtype"))) {
        if (error)
            *error = QStringLiteral("“变更类型”太长，最多 %1 个字。").arg(Schema::textSize(QStringLiteral("t_BGrec"), QStringLiteral("F_BGtype")));
        return 0;
    }
    if (handler.size() > Schema::textSize(QStringLiteral("t_BGrec"), QStringLiteral("F_EmpName"))) {
        if (error)
            *error = QStringLiteral("“经手人”太长，最多 %1 个字。").arg(Schema::textSize(QStringLiteral("t_BGrec"), QStringLiteral("F_EmpName")));
        return 0;
    }
    Transaction t;
    QSqlQuery q;
    QVariantMap p{{QStringLiteral("Date"), r.date},     {QStringLiteral("BGtype"), type},
                  {QStringLiteral("Memo1"), r.before},  {QStringLiteral("Memo2"), r.after},
                  {QStringLiteral("Memo3"), r.remark},  {QStringLiteral("EmpName"), handler}};
    bool ok = t.ok();
    qint64 id = r.id;
    if (ok && r.id > 0) {
        p.insert(QStringLiteral("ID"), r.id);
        ok = Database::exec(q,
                            QStringLiteral("Update t_BGrec Set F_Date = :Date,F_BGtype = :BGtype,F_Memo1 = :Memo1, "
                                           "F_Memo2 = :Memo2,F_Memo3 = :Memo3,F_EmpName = :EmpName Where F_ID = :ID"),
                            p);
    } else if (ok) {
        p.insert(QStringLiteral("mainID"), r.mainId);
        p.insert(QStringLiteral("EditDate"), QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        ok = Database::exec(q,
                            QStringLiteral("Insert into t_BGrec(F_mainID,F_Date,F_BGtype,F_memo1,F_memo2,F_memo3,F_empName,"
                                           "F_editDate) Values(:mainID,:Date,:BGtype,:Memo1,:Memo2,:Memo3,:EmpName,:EditDate)"),
                            p);
        if (ok)
            id = q.lastInsertId().toLongLong();
    }
    if (ok)
        ok = t.commit();
    if (!ok) {
        if (error)
            *error = QStringLiteral("保存失败，请检测数据库连接！");
        return 0;
    }
    return id;
}
