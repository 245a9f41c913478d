#include "TestSupport.h"

#include "app/AppPaths.h"
#include "app/IniFile.h"
#include "data/Database.h"
#include "support/FileDialogs.h"
#include "support/Messages.h"

#include <QDir>

void initTestResources()
{
    Q_INIT_RESOURCE(resources);
}

TestHome::TestHome(bool openDatabase)
{
    initTestResources();
    AppPaths::setProgramFolder(m_dir.path());
    resetAppConfig(AppPaths::configFile());
    if (openDatabase)
        Database::open(dataFolder(), true);
}

TestHome::~TestHome()
{
    Database::close();
    AppPaths::setProgramFolder(QString());
}

QString TestHome::folder() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TestHome::dataFolder() const
{
    return folder() + QStringLiteral("data/");
}

MessageRecorder::MessageRecorder()
{
    setMessResponder([this](const QString &text, int kind) {
        messages.append({text, kind});
        if (kind == MessQuestion && !answers.isEmpty())
            return answers.takeFirst();
        return static_cast<int>(MessOk);
    });
}

MessageRecorder::~MessageRecorder()
{
    resetMessResponder();
}

QStringList MessageRecorder::texts() const
{
    QStringList out;
    for (const Entry &e : messages)
        out << e.text;
    return out;
}

FileDialogAnswers::FileDialogAnswers()
{
    setFileDialogResponder([this](const FileDialogRequest &r) {
        titles << r.title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    });
}

FileDialogAnswers::~FileDialogAnswers()
{
    resetFileDialogResponder();
}
