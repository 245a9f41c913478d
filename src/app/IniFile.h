#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Config.ini: section and key names match without regard to case. Read as UTF-8,
// or as GBK when the file is not valid UTF-8; always written as UTF-8. Lines the
// program does not know are kept as they were.
class IniFile
{
public:
    explicit IniFile(const QString &path = QString());

    QString path() const { return m_path; }
    void reload();

    QString readString(const QString &section, const QString &key, const QString &def = QString()) const;
    int readInteger(const QString &section, const QString &key, int def) const;
    bool readBool(const QString &section, const QString &key, bool def) const;

    // Each write saves the file at once; returns false when it cannot be written.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool writeInteger(const QString &section, const QString &key, int value);
    bool writeBool(const QString &section, const QString &key, bool value);

    static QString decode(const QByteArray &bytes);

private:
    int findKey(const QString &section, const QString &key) const;
    bool save() const;

    QString m_path;
    QStringList m_lines;
};

// The one settings object of the run, on the program folder's Config.ini.
IniFile &appConfig();
void resetAppConfig(const QString &path);
