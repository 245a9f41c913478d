#include "RegisterGenerator.h"
#include "data/Database.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(resources);
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Fills a new ZuZav.db with a synthetic community register."));
    parser.addHelpOption();
    parser.addOption({ QStringLiteral("count"), QStringLiteral("Number of residents."), QStringLiteral("N") });
    parser.addOption({ QStringLiteral("seed"), QStringLiteral("Random seed (default 1)."), QStringLiteral("S"),
        QStringLiteral("1") });
    parser.addOption({ QStringLiteral("today"),
        QStringLiteral("Reference day yyyy-MM-dd for ages and reminders (default: today)."), QStringLiteral("date") });
    parser.addOption({ QStringLiteral("force"), QStringLiteral("Replace an existing file.") });
    parser.addPositionalArgument(QStringLiteral("path"), QStringLiteral("Database file to create, e.g. data/ZuZav.db"));
    parser.process(app);

    bool countOk = false, seedOk = false;
    RegisterGenerator::Options options;
    options.count = parser.value(QStringLiteral("count")).toLongLong(&countOk);
    options.seed = parser.value(QStringLiteral("seed")).toULongLong(&seedOk);
    if (parser.isSet(QStringLiteral("today")))
        options.today = QDate::fromString(parser.value(QStringLiteral("today")), QStringLiteral("yyyy-MM-dd"));
    const QStringList args = parser.positionalArguments();
    if (!countOk || options.count < 0 || !seedOk || !options.today.isValid() || args.size() != 1) {
        err << parser.helpText();
        return 2;
    }
    const QString path = args.first();
    if (QFileInfo::exists(path) && !parser.isSet(QStringLiteral("force"))) {
        err << path << " exists; use --force to replace it\n";
        return 1;
    }

    QElapsedTimer timer;
    timer.start();
    QString error;
    if (!Database::createFile(path, &error)) {
        err << "cannot create " << path << ": " << error << '\n';
        return 1;
    }
    RegisterGenerator generator(options);
    if (!generator.fill(path, &error)) {
        // Filled without a journal: a failed file is not worth keeping.
        QFile::remove(path);
        err << "generation failed: " << error << '\n';
        return 1;
    }
    const auto &t = generator.totals();
    out << t.persons << " residents in " << t.households << " households, " << t.families << " families, " << t.changes
        << " change records, " << t.reminders << " reminders\n"
        << path << ": " << QFileInfo(path).size() / (1024 * 1024) << " MiB in "
        << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s\n";
    return 0;
}
