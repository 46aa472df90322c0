#include "shell/Startup.h"
#include "data/AppDatabase.h"
#include "platform/Modal.h"
#include "shell/MainForm.h"
#include "shell/NewDatabaseForm.h"
#include "shell/SplashForm.h"
#include "shell/UpdateCheck.h"
#include "shell/UpdateDB.h"

#include <QApplication>
#include <QFileInfo>

namespace wvs {

int runProgram(QApplication &app)
{
    QApplication::setQuitOnLastWindowClosed(false);
    MainForm::checkUpdatesHook() = [] { return CheckUpdates(); };
    MainForm::updateDbHook() = [] { UpdateDB(); };
    const QString path = AppDatabase::defaultPath();
    if (!QFileInfo::exists(path)) {
        NewDatabaseForm first(path);
        if (showModal(&first) != QDialog::Accepted)
            return 0;
        AppDatabase::close();
    }

    auto *splash = new SplashForm;
    MainForm *main = nullptr;
    QObject::connect(splash, &SplashForm::closed, [&main] {
        main = new MainForm;
        main->SetDB();
        main->show();
    });
    splash->show();
    return app.exec();
}

} // namespace wvs
