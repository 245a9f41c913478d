#pragma once

#include <QDate>
#include <QString>
#include <cstdint>

// Fills a new program database with a synthetic register of a Chinese urban
// community: households in buildings, families, relief subjects, change records
// and reminders. The same options give the same file.
class RegisterGenerator
{
public:
    struct Options
    {
        std::int64_t count = 0; // residents
        std::uint64_t seed = 1;
        QDate today = QDate::currentDate(); // ages, dates and reminders are placed around it
    };
    struct Totals
    {
        std::int64_t persons = 0;
        std::int64_t households = 0;
        std::int64_t families = 0;
        std::int64_t changes = 0;
        std::int64_t reminders = 0;
    };

    explicit RegisterGenerator(const Options &options);

    // path: a file made by Database::createFile that holds no residents yet.
    bool fill(const QString &path, QString *error = nullptr);
    const Totals &totals() const { return m_totals; }

private:
    Options m_options;
    Totals m_totals;
};
