#include "Database.h"

#include "Dialect.h"
#include "Schema.h"
#include "Seed.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <sqlite3.h>

namespace {

QString g_filePath;

sqlite3 *handleOf(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    QVariant v = db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 **>(v.data());
}

QSqlDatabase addConnection(const QString &name, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    return db;
}

bool run(QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

// A rollback journal and full sync: the file may sit in a shared network folder.
void applyPragmas(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    q.exec(QStringLiteral("PRAGMA cache_size=-65536"));
    q.exec(QStringLiteral("PRAGMA temp_store=MEMORY"));
}

const QStringList &requiredTables()
{
    static const QStringList t = [] {
        QStringList names;
        for (const Schema::Table &table : Schema::tables())
            names << QString::fromLatin1(table.name).toLower();
        return names;
    }();
    return t;
}

// Ordered schema upgrades; step k takes a file from version k to k + 1.
bool upgrade(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    int version = q.value(0).toInt();
    q.finish();
    if (version >= Schema::kVersion)
        return true;
    // The tables were checked by the caller; what changed since is indexes.
    if (!run(db, QStringLiteral("BEGIN"), error))
        return false;
    for (const QString &st : Schema::upgradeStatements(version)) {
        if (!run(db, st, error)) {
            run(db, QStringLiteral("ROLLBACK"), nullptr);
            return false;
        }
    }
    if (!run(db, QStringLiteral("PRAGMA user_version=%1").arg(Schema::kVersion), error)
        || !run(db, QStringLiteral("COMMIT"), error)) {
        run(db, QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    return true;
}

bool checkTables(QSqlDatabase &db, QString *error)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type='table'"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    QStringList present;
    while (q.next())
        present << q.value(0).toString();
    for (const QString &t : requiredTables()) {
        if (!present.contains(t)) {
            if (error)
                *error = QStringLiteral("缺少数据表 %1").arg(t);
            return false;
        }
    }
    return true;
}

} // namespace

int Transaction::s_depth = 0;

Database::OpenResult Database::open(const QString &folder, bool create, QString *error)
{
    close();
    const QString path = folder + QLatin1String(kFileName);
    QFileInfo fi(path);
    if (!fi.exists()) {
        if (!create) {
            if (error)
                *error = QStringLiteral("文件 %1 不存在").arg(path);
            return OpenResult::Missing;
        }
        QDir().mkpath(fi.absolutePath());
        if (!createFile(path, error))
            return OpenResult::Failed;
    } else if (!fi.isFile() || !fi.isReadable()) {
        if (error)
            *error = QStringLiteral("无法读取文件 %1").arg(path);
        return OpenResult::Failed;
    }

    QSqlDatabase db = addConnection(QLatin1String(kConnectionName), path);
    if (!db.open()) {
        if (error)
            *error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kConnectionName));
        return OpenResult::Failed;
    }
    QString why;
    if (!checkTables(db, &why) || !upgrade(db, &why)) {
        if (error)
            *error = why;
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kConnectionName));
        return OpenResult::NotADatabase;
    }
    applyPragmas(db);
    Dialect::registerFunctions(handleOf(db));
    g_filePath = fi.absoluteFilePath();
    return OpenResult::Opened;
}

void Database::close()
{
    if (QSqlDatabase::contains(QLatin1String(kConnectionName))) {
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(kConnectionName), false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(kConnectionName));
    }
    g_filePath.clear();
}

bool Database::isOpen()
{
    return QSqlDatabase::contains(QLatin1String(kConnectionName))
        && QSqlDatabase::database(QLatin1String(kConnectionName), false).isOpen();
}

QSqlDatabase Database::db()
{
    return QSqlDatabase::database(QLatin1String(kConnectionName), false);
}

sqlite3 *Database::handle()
{
    return handleOf(db());
}

QString Database::filePath()
{
    return g_filePath;
}

bool Database::createFile(const QString &path, QString *error)
{
    // Built under a temporary name and moved into place, so that a failure never
    // leaves a half-made database where the program looks for one.
    const QString tmp = path + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    const QString conn = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = addConnection(conn, tmp);
        if (!db.open()) {
            if (error)
                *error = db.lastError().text();
        } else {
            ok = run(db, QStringLiteral("PRAGMA journal_mode=DELETE"), error)
                && run(db, QStringLiteral("BEGIN"), error);
            for (const QString &s : Schema::createStatements())
                ok = ok && run(db, s, error);
            for (const QString &s : Schema::indexStatements())
                ok = ok && run(db, s, error);
            ok = ok && Seed::apply(db, error);
            ok = ok && run(db, QStringLiteral("PRAGMA user_version=%1").arg(Schema::kVersion), error);
            ok = ok && run(db, QStringLiteral("COMMIT"), error);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(conn);
    if (ok) {
        QFile::remove(path);
        ok = QFile::rename(tmp, path);
        if (!ok && error)
            *error = QStringLiteral("无法创建文件 %1").arg(path);
    }
    if (!ok)
        QFile::remove(tmp);
    return ok;
}

bool Database::isValidFile(const QString &path, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("文件 %1 不存在").arg(path);
        return false;
    }
    const QString conn = QStringLiteral("check-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = addConnection(conn, path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            ok = checkTables(db, error);
            if (ok) {
                QSqlQuery q(db);
                ok = q.exec(QStringLiteral("PRAGMA quick_check(1)")) && q.next()
                    && q.value(0).toString() == QLatin1String("ok");
                if (!ok && error)
                    *error = QStringLiteral("数据库文件已损坏");
            }
            db.close();
        } else if (error) {
            *error = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(conn);
    return ok;
}

bool Database::backupTo(const QString &targetPath, QString *error)
{
    if (g_filePath.isEmpty()) {
        if (error)
            *error = QStringLiteral("数据库未连接");
        return false;
    }
    // A connection of its own sees only committed data, so work in progress on
    // the shared connection never reaches the copy.
    sqlite3 *src = nullptr;
    const QString tmp = targetPath + QStringLiteral(".part");
    QFile::remove(tmp);
    sqlite3 *dst = nullptr;
    int rc = sqlite3_open_v2(QFile::encodeName(g_filePath).constData(), &src, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_open_v2(QFile::encodeName(tmp).constData(), &dst, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(src, 10000);
        sqlite3_backup *b = sqlite3_backup_init(dst, "main", src, "main");
        if (b) {
            int waits = 0;
            do {
                rc = sqlite3_backup_step(b, -1);
                if ((rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && ++waits < 200)
                    sqlite3_sleep(50);
                else if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
                    break;
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(b);
            rc = rc == SQLITE_DONE ? SQLITE_OK : rc;
        } else {
            rc = sqlite3_errcode(dst);
        }
    }
    if (rc != SQLITE_OK && error)
        *error = QString::fromUtf8(sqlite3_errstr(rc));
    sqlite3_close(dst);
    sqlite3_close(src);
    if (rc == SQLITE_OK) {
        QFile::remove(targetPath);
        if (QFile::rename(tmp, targetPath))
            return true;
        if (error)
            *error = QStringLiteral("无法写入 %1").arg(targetPath);
    }
    QFile::remove(tmp);
    return false;
}

QVariant Database::storable(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().isValid() ? QVariant(v.toDate().toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
    case QMetaType::QDateTime:
        return v.toDateTime().isValid()
            ? QVariant(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")))
            : QVariant();
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

bool Database::prepare(QSqlQuery &q, const QString &sql, const QVariant &params)
{
    q = QSqlQuery(db());
    q.setForwardOnly(true);
    if (!q.prepare(Dialect::jetToSqlite(sql)))
        return false;
    if (params.typeId() == QMetaType::QVariantMap) {
        const QVariantMap m = params.toMap();
        for (auto it = m.cbegin(); it != m.cend(); ++it) {
            const QString key = it.key().startsWith(QLatin1Char(':')) ? it.key() : QLatin1Char(':') + it.key();
            q.bindValue(key, storable(it.value()));
        }
    } else if (params.isValid()) {
        const QVariantList list = params.typeId() == QMetaType::QVariantList ? params.toList() : QVariantList{params};
        for (int i = 0; i < list.size(); ++i)
            q.bindValue(i, storable(list.at(i)));
    }
    return true;
}

bool Database::exec(QSqlQuery &q, const QString &sql, const QVariant &params)
{
    return prepare(q, sql, params) && q.exec();
}

Transaction::Transaction()
{
    QSqlQuery q(Database::db());
    if (s_depth == 0) {
        m_ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        m_savepoint = QStringLiteral("sp%1").arg(s_depth);
        m_ok = q.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
    }
    if (m_ok)
        ++s_depth;
    else
        m_done = true;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    QSqlQuery q(Database::db());
    if (m_savepoint.isEmpty()) {
        q.exec(QStringLiteral("ROLLBACK"));
    } else {
        q.exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
        q.exec(QStringLiteral("RELEASE ") + m_savepoint);
    }
    --s_depth;
}

bool Transaction::commit()
{
    if (m_done)
        return false;
    QSqlQuery q(Database::db());
    const bool ok = m_savepoint.isEmpty() ? q.exec(QStringLiteral("COMMIT"))
                                          : q.exec(QStringLiteral("RELEASE ") + m_savepoint);
    if (ok) {
        m_done = true;
        --s_depth;
    }
    return ok;
}
