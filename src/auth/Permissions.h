#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace Permissions {

struct Entry {
    QString code;    // "101" … "505"
    QString caption; // the main window's caption for the command
    QString menu;    // objectName of its top menu
};

// The permission catalogue in the order SetLimits tests it.
const QList<Entry> &catalogue();

// Shows the commands the operator holds and hides the others on the main window:
// actions "Action<code>" (plus 901–906 following 201–206 and 31 following 301)
// and the top menus mi100 … mi500. loginName is the name as typed at login.
void SetLimits(QWidget *mainWindow, const QString &loginName);

bool isAdministrator(const QString &loginName);

} // namespace Permissions
