// Stand-in emulator of the demonstration folder: shows what it was asked to run and
// appends it to demo-emulator.log beside itself. It never opens or interprets its
// arguments, so any file name is safe to pass.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

namespace {

QStringList receivedArguments(const QApplication &app)
{
    QStringList arguments = app.arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst(); // the program itself
    return arguments;
}

QString describe(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return QStringLiteral("(no argument: started on its own)");
    return arguments.join(QLatin1Char('\n'));
}

void appendToLog(const QString &text)
{
    QFile log(QDir(QCoreApplication::applicationDirPath())
                  .filePath(QStringLiteral("demo-emulator.log")));
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write((text + QLatin1Char('\n')).toUtf8());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString text = describe(receivedArguments(app));
    appendToLog(text);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Demo emulator"));
    auto *layout = new QVBoxLayout(&window);

    auto *caption = new QLabel(QStringLiteral("Asked to run:"), &window);
    layout->addWidget(caption);

    auto *shown = new QPlainTextEdit(text, &window);
    shown->setReadOnly(true);
    shown->setAccessibleName(QStringLiteral("Asked to run"));
    shown->setMinimumSize(420, 70);
    layout->addWidget(shown);

    auto *close = new QPushButton(QStringLiteral("Close"), &window);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    layout->addWidget(close);

    window.show();
    return app.exec();
}
