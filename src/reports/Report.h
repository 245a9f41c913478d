#pragma once

#include "PreparedReport.h"
#include "ReportDataSet.h"
#include "ReportTemplate.h"

#include <QDateTime>
#include <QHash>
#include <functional>
#include <memory>

namespace Rpt {

// A template with its data sets bound: lays the bands out into pages.
class Report
{
public:
    Report();
    ~Report();

    // Reads Qr/<name>.fr3 beside the program. A missing file gives an empty
    // report and no warning; false only when the file exists but is no template.
    bool loadTemplate(const QString &name);
    bool loadFile(const QString &path);
    void setTemplate(Template t);
    const Template &templ() const { return *m_template; }
    Template &templ() { return *m_template; }
    QString templatePath() const { return m_path; }
    bool templateExists() const { return m_exists; }
    // Set when the file could not be read as a template at all.
    QString templateError() const { return m_template->error; }

    // Names are matched without regard to case; binding a name again replaces it.
    void bind(const QString &name, std::shared_ptr<ReportDataSet> dataSet);
    std::shared_ptr<ReportDataSet> dataSet(const QString &name) const;
    // Sets the text of a memo by its object name; false when there is none.
    bool setMemoText(const QString &objectName, const QString &text);

    // The moment [Date] and [Time] print; now unless set.
    void setPrintTime(const QDateTime &when) { m_printTime = when; }

    // Called every few hundred rows with rows done and rows in the current
    // data band; returning false stops the layout.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    // Lays out every page. Null only when cancelled.
    std::unique_ptr<PreparedReport> prepare(const Progress &progress = {});

    // Template warnings plus those of the last prepare, each once.
    QStringList warnings() const;
    // One line for a status bar, empty when there is nothing to say.
    QString warningText() const;

    // The rows a list report shows, as a table: first the caption row, then
    // one row per master row. Used by the spreadsheet export.
    struct Table
    {
        QString title;
        QStringList captions;
        QList<bool> numeric; // per column: values are numbers
        QList<QVariantList> rows;
    };
    bool tabulate(Table &table, const Progress &progress = {});

private:
    friend class Layout;
    std::shared_ptr<Template> m_template;
    QHash<QString, std::shared_ptr<ReportDataSet>> m_dataSets; // by lower-case name
    QString m_path;
    bool m_exists = false;
    QDateTime m_printTime;
    QDateTime m_runTime;
    QStringList m_runWarnings;
};

// Formats one field value as a memo with this display format shows it: null
// dates (before 1901-08-14) blank, dates "yyyy-MM-dd" unless formatted.
QString formatValue(const QVariant &value, ReportDataSet::Kind kind, FormatKind format, const QString &formatStr);
// Delphi Format-style numbers ("%2.2f", "%n", "%d", "%g", "%m") or FormatFloat patterns.
QString formatNumber(double value, const QString &formatStr);

} // namespace Rpt
