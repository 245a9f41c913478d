#pragma once

#include <QString>

class QWidget;
class TfrmSplash;

namespace Startup {

// Folder that holds ZuZav.db as Config.ini names it: [config] ds, or the program
// folder's data/ when ds is blank. An explicit folder is used as written.
QString databaseFolder(bool *isDefault = nullptr);

// Opens the database; on failure asks for the folder holding ZuZav.db and tries
// again, until a connection opens (true) or the user cancels (false).
// The splash is destroyed while the dialog is up and made anew after a choice.
bool connectDatabase(TfrmSplash *&splash);

// "连接网络数据库": lets the user pick ZuZav.db and stores its folder in
// [config] ds for the next start. Returns true when a folder was stored.
bool chooseDatabaseLocation(QWidget *parent);

} // namespace Startup
