#include "platform/qt/menu_binding.h"

#include "platform/menu_item.h"
#include "platform/mnemonics.h"
#include "platform/qt/qt_convert.h"

#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTimer>

namespace kestrova {

MenuBinding::MenuBinding(MenuItem &root, QMenuBar *bar) : QObject(bar), m_root(root), m_bar(bar)
{
    root.setObserver([this] { scheduleSync(); });
    sync();
}

void MenuBinding::scheduleSync()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        sync();
    });
}

void MenuBinding::sync()
{
    if (!m_bar)
        return;
    QSet<QString> alive;
    syncMenu(m_root, m_bar, alive);
    for (auto it = m_actions.begin(); it != m_actions.end();) {
        if (!alive.contains(it.key())) {
            if (it.value())
                it.value()->deleteLater();
            it = m_actions.erase(it);
        } else {
            ++it;
        }
    }
}

namespace {

// The caption as written, its '&' doubled so that it shows, with the mark before its letter.
QString markedText(const std::string &caption, std::size_t mark)
{
    std::string text;
    for (std::size_t k = 0; k < caption.size(); ++k) {
        if (k == mark)
            text += '&';
        text += caption[k];
        if (caption[k] == '&')
            text += '&';
    }
    return toQString(text);
}

} // namespace

void MenuBinding::syncMenu(MenuItem &item, QWidget *menu, QSet<QString> &alive)
{
    std::vector<std::string> captions;
    for (const auto &child : item.items())
        captions.push_back(child->caption());
    const std::vector<std::size_t> marks = chooseMnemonics(captions);
    std::size_t position = 0;
    for (const auto &child : item.items()) {
        const std::size_t mark = marks[position++];
        const QString key = toQString(child->name());
        alive.insert(key);
        QPointer<QAction> &action = m_actions[key];
        if (!action) {
            if (!child->items().empty()) {
                auto *sub = new QMenu(menu);
                action = sub->menuAction();
            } else {
                action = new QAction(menu);
                QObject::connect(action, &QAction::triggered, this, [this, key] {
                    if (auto *found = m_root.find(fromQString(key)))
                        found->userClick();
                });
            }
            action->setObjectName(key);
            menu->addAction(action);
        }
        const bool separator = child->caption() == "-";
        action->setSeparator(separator);
        // A separator is only its line; its caption would be drawn beside it.
        action->setText(separator ? QString() : markedText(child->caption(), mark));
        action->setShortcut(QKeySequence(toQString(child->shortcut())));
        if (!action->menu()) {
            action->setCheckable(child->isChecked());
            action->setChecked(child->isChecked());
        }
        if (auto *sub = action->menu())
            syncMenu(*child, sub, alive);
    }
}

} // namespace kestrova
