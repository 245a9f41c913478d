#pragma once

#include <QString>
#include <QVariant>
#include <functional>

class QPlainTextEdit;

// The value of a column of the resident list's current row.
using PersonValue = std::function<QVariant(const QString &field)>;

// The read-only summary of a person that the change-record and reminder editors show.
QString PersonSummaryText(const PersonValue &value);
void FillPersonSummary(QPlainTextEdit *memo, const PersonValue &value);
