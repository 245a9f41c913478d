#include "app/Program.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::initApplication(app);
    return Program::run(app);
}
