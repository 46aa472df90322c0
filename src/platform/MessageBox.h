#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace wvs {

enum class MsgButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MsgIcon { None, Information, Exclamation, Critical, Question };
enum class MsgAnswer { Ok, Yes, No, Cancel };

// Shows a message box (empty title unless given) and returns the button pressed.
// The text is shown as plain text, as it stands: a name or a reply holding
// markup is not rendered.
MsgAnswer msgBox(const QString &text, MsgButtons buttons = MsgButtons::Ok,
                 MsgIcon icon = MsgIcon::None, const QString &title = QString());

inline bool askYesNo(const QString &text, MsgIcon icon = MsgIcon::None)
{
    return msgBox(text, MsgButtons::YesNo, icon) == MsgAnswer::Yes;
}

// Test stand-in: while a script is installed the box is made but not shown;
// every text is recorded with the title and format the box would show, and the
// answers are taken from the queue (Yes for questions and Ok for information
// when the queue is empty).
struct ShownMessage {
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
    QString title;
    Qt::TextFormat format = Qt::AutoText;
};

class MessageScript {
public:
    MessageScript();
    ~MessageScript();
    MessageScript(const MessageScript &) = delete;
    MessageScript &operator=(const MessageScript &) = delete;

    void answer(MsgAnswer a) { answers_.append(a); }
    const QList<ShownMessage> &shown() const { return shown_; }
    QStringList texts() const;
    QString last() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear() { shown_.clear(); answers_.clear(); }
    // Runs while each box is up, before it is answered: what another
    // workstation does while the user reads the message.
    std::function<void(const ShownMessage &)> whileShown;

    // Called by msgBox.
    MsgAnswer take(const ShownMessage &m);
    static MessageScript *current();

private:
    QList<MsgAnswer> answers_;
    QList<ShownMessage> shown_;
    MessageScript *previous_;
};

} // namespace wvs
