#include "IniFile.h"

#include "AppPaths.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <iconv.h>
#include <memory>

namespace {

bool isSection(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']')))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool isKey(const QString &line, QString *key, QString *value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#')))
        return false;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return false;
    *key = line.left(eq).trimmed();
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

QString fromGbk(const QByteArray &bytes)
{
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes);
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 4 + 16, '\0');
    char *ip = in.data();
    size_t il = static_cast<size_t>(in.size());
    char *op = out.data();
    size_t ol = static_cast<size_t>(out.size());
    while (il > 0) {
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1)) {
            // skip a byte that is not GBK either
            ++ip;
            --il;
        }
    }
    iconv_close(cd);
    out.truncate(static_cast<qsizetype>(op - out.data()));
    return QString::fromUtf8(out);
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
    reload();
}

QString IniFile::decode(const QByteArray &raw)
{
    QByteArray bytes = raw;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return fromGbk(bytes);
}

void IniFile::reload()
{
    m_lines.clear();
    if (m_path.isEmpty())
        return;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    // a file too large to be a settings file is treated as corrupt
    if (f.size() > 1024 * 1024)
        return;
    const QString text = decode(f.readAll());
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        m_lines << line;
    }
    while (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

int IniFile::findKey(const QString &section, const QString &key) const
{
    QString current;
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        QString name, k;
        if (isSection(m_lines.at(i), &name))
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
        else if (inSection && isKey(m_lines.at(i), &k, nullptr) && k.compare(key, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const int i = findKey(section, key);
    if (i < 0)
        return def;
    QString k, v;
    isKey(m_lines.at(i), &k, &v);
    return v;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok);
    return ok ? v : def;
}

bool IniFile::readBool(const QString &section, const QString &key, bool def) const
{
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok);
    return ok ? v != 0 : def;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    // values are single lines
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const int i = findKey(section, key);
    if (i >= 0) {
        QString k;
        isKey(m_lines.at(i), &k, nullptr);
        m_lines[i] = k + QLatin1Char('=') + clean;
        return save();
    }
    int insertAt = -1;
    bool inSection = false;
    for (int j = 0; j < m_lines.size(); ++j) {
        QString name;
        if (isSection(m_lines.at(j), &name)) {
            if (inSection)
                break;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                insertAt = j + 1;
        } else if (inSection && !m_lines.at(j).trimmed().isEmpty()) {
            insertAt = j + 1;
        }
    }
    if (insertAt < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << QLatin1Char('[') + section + QLatin1Char(']');
        insertAt = static_cast<int>(m_lines.size());
    }
    m_lines.insert(insertAt, key + QLatin1Char('=') + clean);
    return save();
}

bool IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::save() const
{
    if (m_path.isEmpty())
        return false;
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write((m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return f.commit();
}

namespace {
std::unique_ptr<IniFile> &configHolder()
{
    static std::unique_ptr<IniFile> c;
    return c;
}
} // namespace

IniFile &appConfig()
{
    auto &c = configHolder();
    if (!c)
        c = std::make_unique<IniFile>(AppPaths::configFile());
    return *c;
}

void resetAppConfig(const QString &path)
{
    configHolder() = std::make_unique<IniFile>(path);
}
