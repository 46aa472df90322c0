#include "platform/PasteCatcher.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <utility>

namespace wvs {

PasteCatcher::PasteCatcher(QLineEdit *box, Where where, Wants wants, Take take)
    : QObject(box), box_(box), where_(where), wants_(std::move(wants)), take_(std::move(take))
{
    box->installEventFilter(this);
    // The keys reach the widget that holds the focus for the box.
    QWidget *keys = box;
    while (keys->focusProxy() && keys->focusProxy() != box)
        keys = keys->focusProxy();
    if (keys != box) {
        keys_ = keys;
        keys->installEventFilter(this);
    }
}

QString PasteCatcher::pastedByKey(const QKeyEvent *key)
{
    // Ctrl+Shift+Insert pastes the selection where there is one (X).
    QClipboard *clipboard = QGuiApplication::clipboard();
    const bool selection = key->key() == Qt::Key_Insert
        && (key->modifiers() & ~Qt::KeypadModifier) == (Qt::ControlModifier | Qt::ShiftModifier)
        && clipboard->supportsSelection();
    return clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard);
}

bool PasteCatcher::isWhole(QObject *watched, const QLineEdit *box)
{
    // While a widget is destroyed its type is already that of the part not
    // yet destroyed, which a cast sees.
    return watched == box && qobject_cast<QLineEdit *>(watched) != nullptr;
}

bool PasteCatcher::caught(const QString &text)
{
    if (!wants_(text))
        return false;
    take_(text);
    return true;
}

void PasteCatcher::showMenu(const QPoint &globalPos)
{
    QMenu *menu = box_->createStandardContextMenu();
    for (QAction *action : menu->actions())
        if (QObject::disconnect(action, &QAction::triggered, box_, &QLineEdit::paste)
            || QObject::disconnect(action, SIGNAL(triggered()), box_, SLOT(paste())))
            connect(action, &QAction::triggered, this, [this] {
                if (!box_->isReadOnly() && !caught(QGuiApplication::clipboard()->text()))
                    box_->paste();
            });
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool PasteCatcher::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The keys and the menu key may come to the widget that holds the focus
    // for the box; the pointer's events come to the box itself.
    const bool keys = type == QEvent::KeyPress || type == QEvent::ContextMenu;
    const bool watchedIsKeys = keys_ && watched == keys_.data() && keys;
    if ((!watchedIsKeys && !isWhole(watched, box_)) || box_->isReadOnly())
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    switch (type) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Paste))
            return false;
        if (!caught(pastedByKey(key)))
            return false;
        key->accept();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // Searched as typed, the middle button's paste is taken at the
        // press (a second quick press comes as a double click), while the
        // cursor and the selection are those the search left: the press
        // would move the one and drop the other.
        const auto *press = static_cast<QMouseEvent *>(event);
        middlePressTaken_ = false;
        if (where_ != Where::AsTyped || press->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        middlePressTaken_ = caught(clipboard->text(QClipboard::Selection));
        return middlePressTaken_;
    }
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection where it was pressed.
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        if (std::exchange(middlePressTaken_, false))
            return true;
        if (where_ == Where::AtPointer)
            box_->deselect();
        return caught(clipboard->text(QClipboard::Selection));
    }
    case QEvent::ContextMenu: {
        // A combo box hands its menu key to its line edit whatever the line
        // edit's policy; the box itself shows a menu only by its policy.
        if (!watchedIsKeys && box_->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // A drop searched as typed lands nowhere: the drag leaves the cursor
        // and the selection alone.
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (where_ != Where::AsTyped || !drag->mimeData()->hasText())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        // A drop from elsewhere lands where it is let go, and replaces no selection.
        auto *drop = static_cast<QDropEvent *>(event);
        if (drop->source() == box_ || !drop->mimeData()->hasText())
            return false;
        const QString dropped = drop->mimeData()->text();
        if (where_ == Where::AtPointer)
            box_->deselect();
        if (!wants_(dropped))
            return false;
        if (where_ == Where::AtPointer)
            box_->setCursorPosition(box_->cursorPositionAt(drop->position().toPoint()));
        take_(dropped);
        drop->acceptProposedAction();
        QDragLeaveEvent leave; // the drop's caret goes, as after the box's own drop
        QCoreApplication::sendEvent(box_, &leave);
        return true;
    }
    default:
        return false;
    }
}

} // namespace wvs
