#include "app/Program.h"
#include "reports/Reports.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // batch printing needs no screen
    const bool batch = Reports::isCommandLine(args);
    if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Program::initApplication(app);
    if (batch)
        return Reports::runCommandLine(args);
    return Program::run(app);
}
