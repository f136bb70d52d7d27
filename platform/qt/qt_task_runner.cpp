#include "platform/qt/qt_task_runner.h"

#include <QMetaObject>

namespace kestrova {

QtTaskRunner::QtTaskRunner()
{
    // One at a time: two large pages read at once would double the memory they take.
    m_pool.setMaxThreadCount(1);
}

QtTaskRunner::~QtTaskRunner()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void QtTaskRunner::run(Work work)
{
    m_pool.start([this, work = std::move(work)] {
        Finish finish = work();
        if (finish)
            QMetaObject::invokeMethod(&m_receiver, std::move(finish), Qt::QueuedConnection);
    });
}

} // namespace kestrova
