// The yardsticks of the start-up and idle figures: an empty Qt window shown from main, or
// with "--label" one that shows a line of text, as any window with words has to.
// "--tick MS" gives it a timer that fires every MS milliseconds and does nothing: what
// waking up that often costs by itself.
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Empty"));
    w.resize(360, 520);
    if (app.arguments().contains(QStringLiteral("--label"))) {
        auto* layout = new QVBoxLayout(&w);
        layout->addWidget(new QLabel(QStringLiteral("Friday, 11 December 2026"), &w));
    }
    w.show();
    QTimer tick;
    const QStringList args = QCoreApplication::arguments();
    const qsizetype at = args.indexOf(QStringLiteral("--tick"));
    if (at > 0 && at + 1 < args.size()) {
        QObject::connect(&tick, &QTimer::timeout, [] {});
        tick.start(args.at(at + 1).toInt());
    }
    return app.exec();
}
