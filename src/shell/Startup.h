#pragma once
class QApplication;
namespace wvs {
// Starts the program: the new-database window when WVS.db is missing, the
// splash window, then the main window and its start-up sequence.
int runProgram(QApplication &app);
}
