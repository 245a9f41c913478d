#include "Dialect.h"

#include <QDate>
#include <QDateTime>
#include <sqlite3.h>

namespace Dialect {

namespace {

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Position of the next non-blank character at or after i, or -1.
qsizetype nextNonBlank(const QString &s, qsizetype i)
{
    while (i < s.size() && s.at(i).isSpace())
        ++i;
    return i < s.size() ? i : -1;
}

qsizetype prevNonBlank(const QString &s, qsizetype i)
{
    while (i >= 0 && s.at(i).isSpace())
        --i;
    return i;
}

bool isDateLiteral(const QString &body)
{
    static const QStringList formats = {QStringLiteral("yyyy-MM-dd"), QStringLiteral("yyyy-M-d"),
                                        QStringLiteral("yyyy-MM-dd hh:mm:ss"), QStringLiteral("yyyy/M/d")};
    for (const QString &f : formats)
        if (QDateTime::fromString(body.trimmed(), f).isValid() || QDate::fromString(body.trimmed(), f).isValid())
            return true;
    return false;
}

QString normaliseDate(const QString &body)
{
    const QString t = body.trimmed();
    QDate d = QDate::fromString(t, QStringLiteral("yyyy-M-d"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("yyyy/M/d"));
    if (d.isValid())
        return d.toString(QStringLiteral("yyyy-MM-dd"));
    return t;
}

} // namespace

QString jetToSqlite(const QString &sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            // copy a whole single-quoted literal, '' being an escaped quote
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('\'')) {
                    if (j + 1 < n && sql.at(j + 1) == QLatin1Char('\''))
                        j += 2;
                    else
                        break;
                } else {
                    ++j;
                }
            }
            out += sql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('"')) {
            const qsizetype j = sql.indexOf(QLatin1Char('"'), i + 1);
            if (j > i) {
                QString body = sql.mid(i + 1, j - i - 1);
                out += QLatin1Char('\'') + body.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
                i = j + 1;
                continue;
            }
        }
        if (c == QLatin1Char('#')) {
            const qsizetype j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j > i && isDateLiteral(sql.mid(i + 1, j - i - 1))) {
                out += QLatin1Char('\'') + normaliseDate(sql.mid(i + 1, j - i - 1)) + QLatin1Char('\'');
                i = j + 1;
                continue;
            }
        }
        if (c == QLatin1Char('+')) {
            // '+' beside a string literal joins text, as the dialect reads it
            const qsizetype p = prevNonBlank(out, out.size() - 1);
            const qsizetype nx = nextNonBlank(sql, i + 1);
            const bool afterString = p >= 0 && out.at(p) == QLatin1Char('\'');
            const bool beforeString = nx >= 0 && (sql.at(nx) == QLatin1Char('\'') || sql.at(nx) == QLatin1Char('"'));
            if (afterString || beforeString) {
                out += QLatin1String("||");
                ++i;
                continue;
            }
        }
        if (c.isLetter() && (i == 0 || !isIdentChar(sql.at(i - 1)))) {
            qsizetype j = i;
            while (j < n && isIdentChar(sql.at(j)))
                ++j;
            const QString word = sql.mid(i, j - i);
            const qsizetype paren = nextNonBlank(sql, j);
            if (paren >= 0 && sql.at(paren) == QLatin1Char('(')
                && (word.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0
                    || word.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0)) {
                out += QLatin1String("jet_") + word.toLower();
            } else {
                out += word;
            }
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

namespace {

QString argText(sqlite3_value *v)
{
    const unsigned char *t = sqlite3_value_text(v);
    return t ? QString::fromUtf8(reinterpret_cast<const char *>(t)) : QString();
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
}

QDateTime argDateTime(sqlite3_value *v)
{
    if (sqlite3_value_type(v) == SQLITE_NULL)
        return {};
    QString t = argText(v).trimmed();
    if (t.size() >= 10) {
        QDateTime dt = QDateTime::fromString(t.left(19).replace(QLatin1Char('T'), QLatin1Char(' ')),
                                             QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (dt.isValid())
            return dt;
    }
    QDate d = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("yyyy-M-d"));
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

void fnDate(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

void fnDateDiff(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const QString part = argText(argv[0]).trimmed().toLower();
    const QDateTime a = argDateTime(argv[1]);
    const QDateTime b = argDateTime(argv[2]);
    if (!a.isValid() || !b.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    qint64 r = 0;
    if (part == QLatin1String("yyyy"))
        r = b.date().year() - a.date().year();
    else if (part == QLatin1String("q"))
        r = (b.date().year() * 4 + (b.date().month() - 1) / 3) - (a.date().year() * 4 + (a.date().month() - 1) / 3);
    else if (part == QLatin1String("m"))
        r = (b.date().year() * 12 + b.date().month()) - (a.date().year() * 12 + a.date().month());
    else if (part == QLatin1String("y") || part == QLatin1String("d") || part == QLatin1String("w"))
        r = a.date().daysTo(b.date());
    else if (part == QLatin1String("ww"))
        r = a.date().daysTo(b.date()) / 7;
    else if (part == QLatin1String("h"))
        r = a.secsTo(b) / 3600;
    else if (part == QLatin1String("n"))
        r = a.secsTo(b) / 60;
    else if (part == QLatin1String("s"))
        r = a.secsTo(b);
    else {
        sqlite3_result_error(ctx, "DateDiff: unknown interval", -1);
        return;
    }
    if (part == QLatin1String("w"))
        r /= 7;
    sqlite3_result_int64(ctx, r);
}

void fnRight(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    resultText(ctx, s.right(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnLeft(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    resultText(ctx, s.left(qMax(0, sqlite3_value_int(argv[1]))));
}

void fnDatePart(sqlite3_context *ctx, int which, sqlite3_value **argv)
{
    const QDateTime d = argDateTime(argv[0]);
    if (!d.isValid()) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, which == 0 ? d.date().year() : which == 1 ? d.date().month() : d.date().day());
}

void fnYear(sqlite3_context *c, int, sqlite3_value **v) { fnDatePart(c, 0, v); }
void fnMonth(sqlite3_context *c, int, sqlite3_value **v) { fnDatePart(c, 1, v); }
void fnDay(sqlite3_context *c, int, sqlite3_value **v) { fnDatePart(c, 2, v); }

void fnIIf(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_result_value(ctx, sqlite3_value_int(argv[0]) ? argv[1] : argv[2]);
}

void fnMid(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString s = argText(argv[0]);
    const int start = qMax(1, sqlite3_value_int(argv[1]));
    resultText(ctx, argc > 2 ? s.mid(start - 1, qMax(0, sqlite3_value_int(argv[2]))) : s.mid(start - 1));
}

void fnLen(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int(ctx, static_cast<int>(argText(argv[0]).size()));
}

void fnVal(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    const QString s = argText(argv[0]).trimmed();
    qsizetype end = 0;
    while (end < s.size() && (s.at(end).isDigit() || s.at(end) == QLatin1Char('.') || (end == 0 && s.at(0) == QLatin1Char('-'))))
        ++end;
    sqlite3_result_double(ctx, s.left(end).toDouble());
}

} // namespace

bool registerFunctions(sqlite3 *db)
{
    const int flags = SQLITE_UTF8;
    const int det = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    bool ok = true;
    auto reg = [&](const char *name, int nArg, int f, void (*fn)(sqlite3_context *, int, sqlite3_value **)) {
        ok = ok && sqlite3_create_function_v2(db, name, nArg, f, nullptr, fn, nullptr, nullptr, nullptr) == SQLITE_OK;
    };
    // zero-argument date() only: SQLite's own date(x, ...) keeps working
    reg("date", 0, flags, fnDate);
    reg("now", 0, flags, fnNow);
    reg("datediff", 3, flags, fnDateDiff);
    reg("jet_right", 2, det, fnRight);
    reg("jet_left", 2, det, fnLeft);
    reg("year", 1, det, fnYear);
    reg("month", 1, det, fnMonth);
    reg("day", 1, det, fnDay);
    reg("iif", 3, det, fnIIf);
    reg("mid", 2, det, fnMid);
    reg("mid", 3, det, fnMid);
    reg("val", 1, det, fnVal);
    reg("len", 1, det, fnLen);
    return ok;
}

} // namespace Dialect
