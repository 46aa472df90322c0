#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace wvs {

// The program's folder: $WVS_HOME when set, else the folder of the executable.
QString appDir();
QString appFile(const QString &name);

// A file shipped with the program (help page, flag pictures): taken from the
// program's folder when it is there, else from beside the executable, where
// the build and the installation put them while WVS_HOME holds only the data.
QString shippedFile(const QString &name);

// Opens a web address, mail link or file in the desktop's default program.
bool openUrl(const QUrl &url);
bool openFile(const QString &path);

// What a link opens, for the message when the desktop cannot open it.
enum class LinkKind { WebPage, MailMessage, HelpPage, ExportFile };

// Opens a link in the desktop's program for it. When the desktop cannot (no
// web browser or mail program is set up) the user is told so, with what to
// install and the address to open by hand. The desktop's opener may report its
// failure only when it ends, so the message can come after this returns.
void openLink(const QUrl &url, LinkKind kind);
// The message for a link the desktop could not open.
QString linkFailureText(const QUrl &url, LinkKind kind);

// Opens the program's help page.
void openHelp();

// Pauses with no window event run: no click or key reaches a window during
// the pause and nothing opens, so what follows it (the end of the process)
// comes when the pause ends.
void sleepMs(int ms);

// Ends the process at once; tests intercept it (it then throws ProcessEnded).
[[noreturn]] void endProcess(int code = 0);

// Test stand-in for the desktop: links are recorded instead of opened, pauses
// are skipped (taken as they are with realPauses) and the end of the process
// is turned into a ProcessEnded throw.
class DesktopScript {
public:
    DesktopScript();
    ~DesktopScript();
    DesktopScript(const DesktopScript &) = delete;
    DesktopScript &operator=(const DesktopScript &) = delete;

    QList<QUrl> opened;
    int slept = 0;
    bool realPauses = false;
    int ended = -1;
    bool openResult = true;
    static DesktopScript *current();

private:
    DesktopScript *previous_;
};

} // namespace wvs
