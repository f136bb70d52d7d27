#include "platform/qt/qt_dialogs.h"

#include "platform/qt/qt_convert.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>

namespace kestrova {

namespace {

const QString kApplicationTitle = QStringLiteral("Kestrova");

// A question answered only by its buttons: the toolkit reads Escape and the close button as
// No, which at the wrong box throws work away.
class QuestionBox : public QMessageBox
{
public:
    QuestionBox(Icon icon, const QString &title, const QString &text, StandardButtons buttons,
                QWidget *parent, bool dismissible)
        : QMessageBox(icon, title, text, buttons, parent), m_dismissible(dismissible)
    {
    }

    bool dismissed() const { return m_dismissed; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel) && !standardButtons().testFlag(Ok)) {
            dismiss();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

    void closeEvent(QCloseEvent *event) override
    {
        if (standardButtons().testFlag(Ok)) {
            QMessageBox::closeEvent(event);
            return;
        }
        event->ignore();
        dismiss();
    }

private:
    void dismiss()
    {
        if (!m_dismissible)
            return;
        m_dismissed = true;
        done(0);
    }

    bool m_dismissible;
    bool m_dismissed = false;
};

} // namespace

QWidget *QtDialogs::owner() const
{
    // A box belongs to the window it was opened from: the active one.
    QWidget *active = QApplication::activeWindow();
    return active && active->isVisible() ? active : m_owner;
}

MessageResult QtDialogs::messageBox(const std::string &text, MessageButtons buttons,
                                    MessageIcon icon, const std::string &title)
{
    const bool question = buttons != MessageButtons::Ok;
    QuestionBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    title.empty() ? kApplicationTitle : toQString(title), toQString(text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner(),
                    buttons == MessageButtons::YesNoDismissible);
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    const int answer = box.exec();
    if (box.dismissed())
        return MessageResult::Dismissed;
    if (answer == QMessageBox::Yes)
        return MessageResult::Yes;
    if (answer == QMessageBox::No)
        return MessageResult::No;
    return MessageResult::Ok;
}

std::string QtDialogs::inputBox(const std::string &prompt, const std::string &title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), toQString(title), toQString(prompt),
                                               QLineEdit::Normal, QString(), &ok);
    return ok ? fromQString(text) : std::string();
}

std::optional<std::string> QtDialogs::editText(const std::string &prompt,
                                               const std::string &title,
                                               const std::string &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), toQString(title), toQString(prompt),
                                               QLineEdit::Normal, toQString(defaultText), &ok);
    if (!ok)
        return std::nullopt;
    return fromQString(text);
}

QString toQtFileFilter(const std::string &filter)
{
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (%1)").arg(pattern);
        else
            description = description.left(description.indexOf(QLatin1Char('('))).trimmed()
                          + QStringLiteral(" (%1)").arg(pattern);
        entries << description;
    }
    return entries.join(QStringLiteral(";;"));
}

std::string QtDialogs::openFile(const std::string &filter, const std::string &defaultExtension)
{
    QFileDialog dialog(owner());
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(toQtFileFilter(filter));
#ifdef Q_OS_WIN
    // As the system's own dialog does there: only a typed name without a suffix gets one.
    QString suffix = toQString(defaultExtension);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
#else
    (void)defaultExtension; // elsewhere executables carry no suffix; the path is the file chosen
#endif
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return fromQString(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

std::string QtDialogs::browseForFolder(const std::string &title)
{
    const QString folder = QFileDialog::getExistingDirectory(owner(), toQString(title));
    if (folder.isEmpty())
        return {};
    QString native = QDir::toNativeSeparators(folder);
    // A root keeps its separator; any other folder is returned without one.
    while (native.size() > 1 && QDir(folder).isRoot() == false
           && (native.endsWith(QLatin1Char('/')) || native.endsWith(QLatin1Char('\\'))))
        native.chop(1);
    return fromQString(native);
}

std::optional<Color> QtDialogs::pickColor()
{
    // The dialog's custom colours are kept by the toolkit for the program's run.
    const QColor chosen = QColorDialog::getColor(Qt::black, owner());
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

} // namespace kestrova
