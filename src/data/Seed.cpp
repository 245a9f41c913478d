#include "Seed.h"

#include "support/Passwords.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace Seed {

bool apply(QSqlDatabase &db, QString *error)
{
    QFile f(QStringLiteral(":/data/seed.sql"));
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("缺少初始数据");
        return false;
    }
    const QByteArray script = f.readAll();
    sqlite3 *h = *static_cast<sqlite3 **>(db.driver()->handle().data());
    char *msg = nullptr;
    if (sqlite3_exec(h, script.constData(), nullptr, nullptr, &msg) != SQLITE_OK) {
        if (error)
            *error = QString::fromUtf8(msg ? msg : "seed");
        sqlite3_free(msg);
        return false;
    }
    // The administrator starts with an empty password, stored hashed like any other.
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO OperList(F_Name, F_PassWord, F_Mem, F_Flag, F_xtFlag) VALUES('admin', ?, ?, 0, 0)"));
    q.addBindValue(SavePass(QString()));
    q.addBindValue(QStringLiteral("系统管理员"));
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

} // namespace Seed
