// The yardsticks of the start-up figures: an empty Qt window shown from main, or with
// "--label" one that shows a line of text, as any window with words has to.
#include <QApplication>
#include <QLabel>
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
    return app.exec();
}
