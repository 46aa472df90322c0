#pragma once
#include <QDialog>
#include <QList>
#include <QString>
#include <functional>

namespace wvs {

// Shows a window modally and returns its result (QDialog::Accepted/Rejected).
int showModal(QDialog *dialog);

// Test stand-in: while installed, showModal shows the window without a nested
// event loop, lets the first-activation work run, then hands the window to the
// handler registered for its objectName (which drives it like a user would) and
// closes it if the handler left it open. Windows with no handler are recorded
// and closed at once.
class ModalScript {
public:
    using Handler = std::function<void(QDialog *)>;
    struct Opened {
        QString name;
        QString tag;
    };

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript &) = delete;
    ModalScript &operator=(const ModalScript &) = delete;

    // The handler runs for every opening of a window of that objectName.
    void on(const QString &objectName, Handler h) { handlers_.append({objectName, std::move(h), false}); }
    // The handler runs for the next opening only.
    void once(const QString &objectName, Handler h) { handlers_.append({objectName, std::move(h), true}); }
    const QList<Opened> &opened() const { return opened_; }
    QStringList openedNames() const;

    int run(QDialog *dialog);
    static ModalScript *current();

private:
    struct Entry {
        QString name;
        Handler handler;
        bool once;
    };
    QList<Entry> handlers_;
    QList<Opened> opened_;
    ModalScript *previous_;
};

} // namespace wvs
