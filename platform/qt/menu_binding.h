#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace kestrova {

class MenuItem;

/// Mirrors a menu tree into a menu bar. Entries created or removed at run time are caught up
/// after the event that changed them, never while one of their own actions is running.
class MenuBinding : public QObject
{
    Q_OBJECT
public:
    MenuBinding(MenuItem &root, QMenuBar *bar);

private:
    void scheduleSync();
    void sync();
    void syncMenu(MenuItem &item, QWidget *menu, QSet<QString> &alive);

    MenuItem &m_root;
    QPointer<QMenuBar> m_bar;
    QHash<QString, QPointer<QAction>> m_actions;
    bool m_pending = false;
};

} // namespace kestrova
