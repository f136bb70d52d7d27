#pragma once

#include "qt/wait_until.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>
#include <string>
#include <vector>

class QDialog;

namespace kestrova::testing {

/// What a person does in one dialog: reads it, then presses a button or fills it in.
using DialogAnswer = std::function<void(QDialog &)>;

/// Clicks this button of a message box.
DialogAnswer press(QMessageBox::StandardButton button);

/// Answers the modal dialogs that open while it lives, in turn, each one only once the dialog
/// waits for input in its own event loop: an answer given while exec() is still showing the
/// dialog closes it before its loop starts, and exec() then waits for ever. A dialog beyond the
/// answers, or one still open long after its answer, is a failure naming the dialog, and is
/// closed, so that no test hangs.
class ModalAnswers : public QObject
{
public:
    explicit ModalAnswers(std::vector<DialogAnswer> answers);
    ~ModalAnswers() override;

    /// The dialogs answered so far: a message box by its text, any other by its title.
    const std::vector<std::string> &seen() const { return m_seen; }
    /// Runs the event loop until every answer was given.
    ::testing::AssertionResult waitUntilAllGiven(int boundMs = kPatienceMs);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Shown
    {
        QPointer<QDialog> dialog;
        int loopLevel = 0; ///< the level exec() was called at; its own loop runs one deeper
        bool answerPosted = false;
    };

    void loopAboutToWait();
    void answer(QDialog &dialog);
    void checkAnswered();

    std::vector<DialogAnswer> m_answers;
    std::size_t m_given = 0;
    std::vector<std::string> m_seen;
    bool m_reported = false; ///< a missing dialog was reported already
    std::vector<Shown> m_shown;
    QElapsedTimer m_clock;
    /// Dialogs answered, each with the time its answer was given.
    std::vector<std::pair<QPointer<QDialog>, qint64>> m_answered;
};

} // namespace kestrova::testing
