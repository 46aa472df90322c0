#include "shell/Startup.h"
#include <QApplication>
namespace wvs {
int runProgram(QApplication &app) { return app.exec(); }
}
