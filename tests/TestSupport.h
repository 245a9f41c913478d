#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
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

// Runs act on the first visible T once it is shown (a modal dialog's loop is running).
template <class T> void whenShown(std::function<void(T *)> act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act, triesLeft] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *t = qobject_cast<T *>(w); t && t->isVisible()) {
                act(t);
                return;
            }
        }
        if (triesLeft > 0)
            whenShown<T>(act, triesLeft - 1);
    });
}

// A widget the test needs; its absence is a fault of the screen under test.
template <class W> W *child(QWidget *parent, const char *name)
{
    W *w = parent->findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}
