#pragma once

#include <QString>
#include <functional>

class QWidget;

// File and folder choosers. Every one goes through a replaceable responder so that
// tests answer them without a window; an empty result means the user cancelled.
enum class FileDialogKind { Open, Save, Directory };

struct FileDialogRequest {
    FileDialogKind kind;
    QString title;
    QString directory; // initial folder or, for Save, the proposed file path
    QString filter;
};

using FileDialogResponder = std::function<QString(const FileDialogRequest &)>;
FileDialogResponder setFileDialogResponder(FileDialogResponder responder);
void resetFileDialogResponder();

QString chooseOpenFile(QWidget *parent, const QString &title, const QString &dir, const QString &filter);
QString chooseSaveFile(QWidget *parent, const QString &title, const QString &proposed, const QString &filter);
QString chooseDirectory(QWidget *parent, const QString &title, const QString &dir);
