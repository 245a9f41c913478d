#include "FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace {

QWidget *g_parent = nullptr;

QString realDialog(const FileDialogRequest &r)
{
    QWidget *parent = g_parent ? g_parent : QApplication::activeWindow();
    switch (r.kind) {
    case FileDialogKind::Open:
        return QFileDialog::getOpenFileName(parent, r.title, r.directory, r.filter);
    case FileDialogKind::Save:
        return QFileDialog::getSaveFileName(parent, r.title, r.directory, r.filter);
    case FileDialogKind::Directory:
        return QFileDialog::getExistingDirectory(parent, r.title, r.directory);
    }
    return {};
}

FileDialogResponder &responder()
{
    static FileDialogResponder r = realDialog;
    return r;
}

QString ask(QWidget *parent, FileDialogRequest r)
{
    g_parent = parent;
    QString result = responder()(r);
    g_parent = nullptr;
    return result;
}

} // namespace

FileDialogResponder setFileDialogResponder(FileDialogResponder r)
{
    FileDialogResponder old = responder();
    responder() = r ? std::move(r) : FileDialogResponder(realDialog);
    return old;
}

void resetFileDialogResponder()
{
    responder() = realDialog;
}

QString chooseOpenFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter)
{
    return ask(parent, {FileDialogKind::Open, title, dir, filter});
}

QString chooseSaveFile(QWidget *parent, const QString &title, const QString &proposed, const QString &filter)
{
    return ask(parent, {FileDialogKind::Save, title, proposed, filter});
}

QString chooseDirectory(QWidget *parent, const QString &title, const QString &dir)
{
    return ask(parent, {FileDialogKind::Directory, title, dir, QString()});
}
