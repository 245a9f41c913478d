#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// A program folder of its own for each test: Config.ini, data/ZuZav.db.
class TestHome
{
public:
    explicit TestHome(bool openDatabase = true);
    ~TestHome();
    QString folder() const; // with trailing slash
    QString dataFolder() const;

private:
    QTemporaryDir m_dir;
};

// Records every ShowMess and answers questions from a queue (OK when empty).
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    struct Entry {
        QString text;
        int kind;
    };
    QList<Entry> messages;
    QList<int> answers; // answers for questions, taken in order
    QStringList texts() const;
    void clear() { messages.clear(); }
};

// Answers file dialogs from a queue of paths (empty string = cancel).
class FileDialogAnswers
{
public:
    FileDialogAnswers();
    ~FileDialogAnswers();
    QStringList answers;
    QStringList titles;
};

void initTestResources();
