// The yardstick of the start-up figures: an empty Qt window shown from main.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Empty"));
    w.resize(360, 520);
    w.show();
    return app.exec();
}
