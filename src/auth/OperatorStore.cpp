#include "OperatorStore.h"

#include "data/Database.h"
#include "data/Schema.h"
#include "support/Passwords.h"

#include <QSqlQuery>

bool OperatorStore::isAdministrator(const QString &name)
{
    return name.trimmed().toLower() == QLatin1String("admin");
}

QString OperatorStore::listSql(bool showDisabled)
{
    return QStringLiteral("select * from OperList where (1=1) ")
        + (showDisabled ? QString() : QStringLiteral("and F_flag = false ")) + QStringLiteral("order by F_ID");
}

std::optional<OperatorRecord> OperatorStore::byId(qint64 id)
{
    QSqlQuery q;
    if (!Database::exec(q, QStringLiteral("select F_ID, F_Name, F_Mem, F_Flag, F_xtFlag from OperList where F_ID = ?"),
            QVariantList { id })
        || !q.next())
        return std::nullopt;
    return OperatorRecord { q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString(),
        q.value(3).toInt() != 0, q.value(4).toInt() != 0 };
}

qint64 OperatorStore::idOfName(const QString &name)
{
    QSqlQuery q;
    if (!Database::exec(
            q, QStringLiteral("select F_ID from OperList where F_Name = ? order by F_ID"), QVariantList { name })
        || !q.next())
        return 0;
    return q.value(0).toLongLong();
}

QStringList OperatorStore::offeredPermissions()
{
    QStringList out;
    QSqlQuery q;
    if (Database::exec(q, QStringLiteral("select F_name from Limits where F_flag = true order by F_ID")))
        while (q.next())
            out << q.value(0).toString();
    return out;
}

QStringList OperatorStore::grantsOf(const QString &name)
{
    QStringList out;
    QSqlQuery q;
    if (Database::exec(q, QStringLiteral("select F_lmtName from OperLimit where F_OperName = ? order by F_ID"),
            QVariantList { name.trimmed() }))
        while (q.next())
            out << q.value(0).toString();
    return out;
}

int OperatorStore::nameLimit()
{
    return Schema::textSize(QStringLiteral("OperList"), QStringLiteral("F_Name"));
}

OperatorStore::SaveResult OperatorStore::save(qint64 id, const OperatorInput &input, qint64 *savedId)
{
    const QString name = input.name.trimmed();
    if (name.isEmpty())
        return SaveResult::EmptyName;
    if (name.toUcs4().size() > nameLimit())
        return SaveResult::NameTooLong;
    if (input.password != input.confirm)
        return SaveResult::PasswordMismatch;
    const qint64 found = idOfName(name);
    if (found > 0 && found != id)
        return SaveResult::Duplicate;

    QString formerName;
    if (id > 0) {
        const auto old = byId(id);
        if (!old)
            return SaveResult::Failed;
        formerName = old->name;
    }
    // Editing with both boxes left empty keeps the password; a new operator
    // always gets one, if only the empty password.
    const bool setPassword = id == 0 || !input.password.isEmpty();

    Transaction t;
    if (!t.ok())
        return SaveResult::Failed;
    QSqlQuery q;
    QVariantMap values { { QStringLiteral(":fName"), name }, { QStringLiteral(":mem"), input.mem },
        { QStringLiteral(":fFlag"), input.disabled ? 1 : 0 }, { QStringLiteral(":xtFlag"), input.ownOnly ? 1 : 0 } };
    if (setPassword)
        values.insert(QStringLiteral(":fPassword"), SavePass(input.password));
    qint64 rowId = id;
    if (id > 0) {
        values.insert(QStringLiteral(":iID"), id);
        const QString sql = setPassword
            ? QStringLiteral("Update OperList Set F_Name = :fName, F_Password = :fPassword, F_mem = :mem, "
                             "F_Flag = :fFlag, F_xtFlag = :xtFlag Where F_ID = :iID")
            : QStringLiteral("Update OperList Set F_Name = :fName, F_mem = :mem, "
                             "F_Flag = :fFlag, F_xtFlag = :xtFlag Where F_ID = :iID");
        if (!Database::exec(q, sql, values))
            return SaveResult::Failed;
    } else {
        if (!Database::exec(q,
                QStringLiteral("Insert into OperList(F_Name, F_password, F_mem, F_flag, F_xtFlag) "
                               "Values(:fName, :fPassword, :mem, :fFlag, :xtFlag)"),
                values))
            return SaveResult::Failed;
        rowId = q.lastInsertId().toLongLong();
    }
    const QString deleteGrants = QStringLiteral("delete from OperLimit where F_OperName = ?");
    if (!Database::exec(q, deleteGrants, QVariantList { name }))
        return SaveResult::Failed;
    if (!formerName.isEmpty() && !Database::exec(q, deleteGrants, QVariantList { formerName }))
        return SaveResult::Failed;
    for (const QString &grant : input.grants) {
        if (!Database::exec(q, QStringLiteral("insert into OperLimit(F_OperName, F_lmtName) values(?, ?)"),
                QVariantList { name, grant }))
            return SaveResult::Failed;
    }
    if (!t.commit())
        return SaveResult::Failed;
    if (savedId)
        *savedId = rowId;
    return SaveResult::Saved;
}

bool OperatorStore::remove(qint64 id)
{
    const auto op = byId(id);
    if (!op)
        return false;
    Transaction t;
    QSqlQuery q;
    return t.ok()
        && Database::exec(q, QStringLiteral("delete from OperLimit where F_OperName = ?"), QVariantList { op->name })
        && Database::exec(q, QStringLiteral("delete from OperList where F_ID = ?"), QVariantList { id }) && t.commit();
}

OperatorStore::PasswordResult OperatorStore::changePassword(
    const QString &name, const QString &oldPassword, const QString &newPassword, const QString &repeated)
{
    QSqlQuery q;
    if (!Database::exec(q, QStringLiteral("select F_ID, F_PassWord from OperList where F_Name = ? order by F_ID"),
            QVariantList { name })
        || !q.next())
        return PasswordResult::NoOperator;
    const qint64 id = q.value(0).toLongLong();
    if (!CheckPass(q.value(1).toString(), oldPassword))
        return PasswordResult::WrongOld;
    // Compared as stored: a blank typed at the end of one box is a different password.
    if (newPassword != repeated)
        return PasswordResult::Mismatch;
    if (!Database::exec(q, QStringLiteral("update OperList set F_PassWord = ? where F_ID = ?"),
            QVariantList { SavePass(newPassword), id }))
        return PasswordResult::Failed;
    return PasswordResult::Changed;
}
