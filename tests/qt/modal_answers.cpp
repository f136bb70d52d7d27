#include "qt/modal_answers.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace kestrova::testing {

namespace {

std::string describe(const QDialog &dialog)
{
    const auto *box = qobject_cast<const QMessageBox *>(&dialog);
    return (box ? box->text() : dialog.windowTitle()).toStdString();
}

int loopLevel()
{
    return QThread::currentThread()->loopLevel();
}

} // namespace

DialogAnswer press(QMessageBox::StandardButton button)
{
    return [button](QDialog &dialog) {
        auto *box = qobject_cast<QMessageBox *>(&dialog);
        ASSERT_NE(box, nullptr) << "\"" << describe(dialog) << "\" is no message box";
        QAbstractButton *pressed = box->button(button);
        ASSERT_NE(pressed, nullptr) << "\"" << describe(dialog) << "\" has no such button";
        pressed->click();
    };
}

ModalAnswers::ModalAnswers(std::vector<DialogAnswer> answers) : m_answers(std::move(answers))
{
    m_clock.start();
    qApp->installEventFilter(this);
    // The loop that is about to wait for input is the innermost one running: once that is the
    // loop exec() runs for the dialog, an answer ends it.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &ModalAnswers::loopAboutToWait);
    auto *watchdog = new QTimer(this);
    connect(watchdog, &QTimer::timeout, this, &ModalAnswers::checkAnswered);
    watchdog->start(1000);
}

ModalAnswers::~ModalAnswers()
{
    if (m_given < m_answers.size() && !m_reported) {
        ADD_FAILURE() << "only " << m_given << " of the " << m_answers.size()
                      << " dialogs expected came";
    }
}

::testing::AssertionResult ModalAnswers::waitUntilAllGiven(int boundMs)
{
    if (waitUntil([this] { return m_given == m_answers.size(); }, "", boundMs))
        return ::testing::AssertionSuccess();
    m_reported = true;
    auto failure = ::testing::AssertionFailure();
    failure << "dialog " << m_given + 1 << " of " << m_answers.size() << " did not come within "
            << boundMs / 1000 << " s";
    if (!m_seen.empty())
        failure << " (the last one answered: \"" << m_seen.back() << "\")";
    return failure;
}

bool ModalAnswers::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    // exec() makes its dialog modal before it shows it, at the level it was called from.
    if (dialog && dialog->isWindow() && dialog->isModal())
        m_shown.push_back({dialog, loopLevel()});
    return false;
}

void ModalAnswers::loopAboutToWait()
{
    std::erase_if(m_shown, [](const Shown &s) { return !s.dialog || !s.dialog->isVisible(); });
    if (m_shown.empty())
        return;
    Shown &top = m_shown.back();
    if (top.answerPosted || loopLevel() != top.loopLevel + 1)
        return;
    top.answerPosted = true;
    // Posted, so that the answer comes from the loop itself rather than from inside its wait.
    QMetaObject::invokeMethod(
        this, [this, dialog = top.dialog] {
            if (dialog && dialog->isVisible())
                answer(*dialog);
        },
        Qt::QueuedConnection);
}

void ModalAnswers::answer(QDialog &dialog)
{
    if (m_given == m_answers.size()) {
        ADD_FAILURE() << "an unexpected dialog: \"" << describe(dialog) << "\"";
        dialog.done(QDialog::Rejected);
        return;
    }
    m_seen.push_back(describe(dialog));
    m_answered.emplace_back(&dialog, m_clock.elapsed());
    m_answers[m_given++](dialog);
}

void ModalAnswers::checkAnswered()
{
    for (auto &[dialog, answeredAt] : m_answered) {
        if (!dialog || !dialog->isVisible() || m_clock.elapsed() - answeredAt < kPatienceMs)
            continue;
        ADD_FAILURE() << "\"" << describe(*dialog) << "\" was still open "
                      << kPatienceMs / 1000 << " s after its answer";
        dialog->done(QDialog::Rejected);
    }
    std::erase_if(m_answered, [](const auto &entry) { return !entry.first; });
}

} // namespace kestrova::testing
