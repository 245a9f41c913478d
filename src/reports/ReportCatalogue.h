#pragma once

#include <QList>
#include <QString>

// The report templates the program prints, with what each reads.
namespace ReportCatalogue {

enum class Source {
    MainWindow, // frxMain, frxDetail1..3 of the main window
    Classified, // frxDM = the main list ordered by household type
    List, // frxDM = a list screen's query
};

struct Entry
{
    QString name; // file name in Qr/ without .fr3
    QString title; // what the office calls the document
    Source source;
    // The list screen's statement with its start-up filters, for printing
    // without the screen (command line, tests); empty for the main window's.
    QString listSql;
};

const QList<Entry> &entries();
const Entry *find(const QString &name); // case-insensitive

// The resident list as the main window first shows it, without its ordering:
// persons not cancelled. withPhoto adds the photo column.
QString residentListSql(bool withPhoto);
QString changeRecordsSql(); // :F_mainID
QString cancellationRecordsSql();
QString remindersSql(); // :F_mainID

} // namespace ReportCatalogue
