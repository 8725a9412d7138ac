#include "app/MenuLetters.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

MenuLetters::MenuLetters(QMenu& menu) : QObject(&menu), menu_(menu) {}

void MenuLetters::Install(QMenu& menu) {
    menu.installEventFilter(new MenuLetters(menu));
}

bool MenuLetters::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &menu_ || event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString letter = key->text();
    if (letter.size() != 1 || !letter.at(0).isLetterOrNumber() ||
        (key->modifiers() & ~Qt::ShiftModifier))
        return false;
    QList<QAction*> matches;
    for (QAction* action : menu_.actions())
        if (action->isVisible() && action->isEnabled() && !action->isSeparator() &&
            action->text().startsWith(letter, Qt::CaseInsensitive))
            matches << action;
    if (matches.isEmpty())
        return true;  // a letter of no item does nothing
    if (matches.size() == 1) {
        // Closed first, as a click closes it: the item may open a dialog.
        menu_.hide();
        matches.first()->trigger();
        return true;
    }
    const qsizetype current = matches.indexOf(menu_.activeAction());
    menu_.setActiveAction(matches[(current + 1) % matches.size()]);
    return true;
}
