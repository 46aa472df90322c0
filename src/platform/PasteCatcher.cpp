#include "platform/PasteCatcher.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace wvs {

PasteCatcher::PasteCatcher(QObject *parent, QLineEdit *box, Where where, Wants wants, Take take)
    : QObject(parent), box_(box), where_(where), wants_(std::move(wants)), take_(std::move(take))
{
    box->installEventFilter(this);
}

QString PasteCatcher::pastedByKey(const QKeyEvent *key)
{
    // Ctrl+Shift+Insert pastes the selection where there is one (X).
    QClipboard *clipboard = QGuiApplication::clipboard();
    const bool selection = key->key() == Qt::Key_Insert
        && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && clipboard->supportsSelection();
    return clipboard->text(selection ? QClipboard::Selection : QClipboard::Clipboard);
}

bool PasteCatcher::caught(const QString &text)
{
    if (!wants_(text))
        return false;
    take_(text);
    return true;
}

bool PasteCatcher::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != box_ || box_->isReadOnly())
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Paste))
            return false;
        if (!caught(pastedByKey(key)))
            return false;
        key->accept();
        return true;
    }
    case QEvent::MouseButtonRelease: {
        // The middle button pastes the selection where it was pressed.
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton || !clipboard->supportsSelection())
            return false;
        if (where_ == Where::AtPointer)
            box_->deselect();
        return caught(clipboard->text(QClipboard::Selection));
    }
    case QEvent::ContextMenu: {
        if (box_->contextMenuPolicy() != Qt::DefaultContextMenu)
            return false;
        // The box's own menu, whose Paste pastes as the keys do.
        QMenu *menu = box_->createStandardContextMenu();
        for (QAction *action : menu->actions())
            if (QObject::disconnect(action, &QAction::triggered, box_, &QLineEdit::paste)
                || QObject::disconnect(action, SIGNAL(triggered()), box_, SLOT(paste())))
                connect(action, &QAction::triggered, this, [this] {
                    if (!box_->isReadOnly() && !caught(QGuiApplication::clipboard()->text()))
                        box_->paste();
                });
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
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
