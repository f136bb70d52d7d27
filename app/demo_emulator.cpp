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

QStringList receivedArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int k = 1; k < argc; ++k) // argv[0] is the program itself
        arguments << QString::fromLocal8Bit(argv[k]);
    return arguments;
}

// One numbered line per argument, so that how a template was split shows at a glance.
QString describe(const QStringList &arguments)
{
    if (arguments.isEmpty())
        return QStringLiteral("(no argument: started on its own)");
    QStringList lines;
    for (qsizetype k = 0; k < arguments.size(); ++k)
        lines << QStringLiteral("%1: %2").arg(k + 1).arg(arguments[k]);
    return lines.join(QLatin1Char('\n'));
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
    const QString text = describe(receivedArguments(argc, argv));
    // The toolkit takes options such as "--title" or "-platform" out of what it is given, and
    // acts on them; the arguments are for showing, so it gets none of them.
    int toolkitArgc = 1;
    QApplication app(toolkitArgc, argv);
    appendToLog(text);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Demo emulator"));
    auto *layout = new QVBoxLayout(&window);

    auto *caption = new QLabel(QStringLiteral("Asked to run, one argument a line:"), &window);
    layout->addWidget(caption);

    auto *shown = new QPlainTextEdit(text, &window);
    shown->setReadOnly(true);
    shown->setAccessibleName(QStringLiteral("Asked to run"));
    shown->setMinimumSize(520, 130);
    layout->addWidget(shown);

    auto *close = new QPushButton(QStringLiteral("Close"), &window);
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    layout->addWidget(close);

    window.show();
    return app.exec();
}
