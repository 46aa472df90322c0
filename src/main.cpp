#include "shell/Startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("WVS"));
    return wvs::runProgram(app);
}
