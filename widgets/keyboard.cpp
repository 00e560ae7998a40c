// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/keyboard.h"

#include "widgets/controls.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QWidget>
#include <functional>

namespace kelmot {

namespace {

// The position of a marked access key, or -1 ("&&" is a literal ampersand,
// and so is one before a blank: "A & B").
qsizetype markedAt(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        if (caption[i + 1].isLetterOrNumber()) return i + 1;
    }
    return -1;
}

bool wordStart(const QString& caption, qsizetype i) {
    return i == 0 || !caption[i - 1].isLetterOrNumber();
}

} // namespace

QStringList withMnemonics(const QStringList& captions) {
    QStringList result = captions;
    std::vector<bool> done(std::size_t(captions.size()), false);
    QSet<QChar> used;
    for (qsizetype c = 0; c < captions.size(); ++c) {
        const qsizetype at = markedAt(captions[c]);
        if (at < 0) continue;
        done[std::size_t(c)] = true;
        used.insert(captions[c][at].toLower());
    }
    // Marks the first letter of caption c that `fits` and is free.
    const auto mark = [&](qsizetype c, const std::function<bool(qsizetype)>& fits) {
        const QString& caption = captions[c];
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar letter = caption[i];
            if (!letter.isLetter() || used.contains(letter.toLower()) || !fits(i)) continue;
            used.insert(letter.toLower());
            QString marked = caption;
            marked.replace(QStringLiteral("&"), QStringLiteral("&&"));
            // Ampersands before the letter were doubled: it moved as many places on.
            const qsizetype shift = caption.left(i).count(u'&');
            marked.insert(i + shift, u'&');
            result[c] = marked;
            done[std::size_t(c)] = true;
            return;
        }
    };
    const auto firstLetter = [&](qsizetype c) {
        return [&captions, c](qsizetype i) {
            for (qsizetype j = 0; j < i; ++j)
                if (captions[c][j].isLetter()) return false;
            return true;
        };
    };
    for (qsizetype c = 0; c < captions.size(); ++c)
        if (!done[std::size_t(c)]) mark(c, firstLetter(c));
    for (qsizetype c = 0; c < captions.size(); ++c)
        if (!done[std::size_t(c)])
            mark(c, [&captions, c](qsizetype i) { return wordStart(captions[c], i); });
    for (qsizetype c = 0; c < captions.size(); ++c)
        if (!done[std::size_t(c)]) mark(c, [](qsizetype) { return true; });
    return result;
}

namespace {

void markActions(const QList<QAction*>& actions) {
    QStringList captions;
    QList<QAction*> named;
    for (QAction* a : actions) {
        if (a->isSeparator()) continue;
        captions << a->text();
        named << a;
    }
    const QStringList marked = withMnemonics(captions);
    for (qsizetype i = 0; i < named.size(); ++i)
        named[i]->setText(marked[i]);
}

} // namespace

void markMnemonics(QMenuBar* bar) {
    markActions(bar->actions());
    for (QAction* a : bar->actions())
        if (a->menu()) markMnemonics(a->menu());
}

void markMnemonics(QMenu* menu) {
    markActions(menu->actions());
}

namespace {

class TablePopupOpener : public QObject {
public:
    TablePopupOpener(QAbstractScrollArea* table, QMenu* popup)
        : QObject(table), table_(table), popup_(popup) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const bool key =
            event->type() == QEvent::KeyPress && isContextMenuKey(static_cast<QKeyEvent*>(event));
        if (!key && event->type() != QEvent::ContextMenu) return false;
        // The platform's own route may follow the key: the popup opens once.
        if (key || !popup_->isVisible()) popup_->popup(table_->mapToGlobal(QPoint(40, 40)));
        return true;
    }

private:
    QAbstractScrollArea* table_;
    QMenu* popup_;
};

} // namespace

void offerTablePopup(QAbstractScrollArea* table, QMenu* popup) {
    auto* opener = new TablePopupOpener(table, popup);
    table->installEventFilter(opener);
    table->viewport()->installEventFilter(opener);
}

void measureByKeyboard(QWidget* window, QPushButton* measure, QPushButton* abort) {
    // Outside a dialog a push button takes Enter only when it says so.
    measure->setAutoDefault(true);
    abort->setAutoDefault(true);
    auto* escape = new QAction(window);
    escape->setObjectName(QStringLiteral("EscapeAbbrechen"));
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(escape, &QAction::triggered, abort, &QPushButton::click);
    window->addAction(escape);
}

void offerShortcut(QWidget* where, QAction* action, const QKeySequence& keys,
                   Qt::ShortcutContext context) {
    action->setShortcut(keys);
    action->setShortcutContext(context);
    where->addAction(action); // a hidden popup's actions hear no keys
}

} // namespace kelmot
