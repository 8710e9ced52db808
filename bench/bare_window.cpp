// The yardstick for the benchmark: a bare Qt Widgets window of the game's
// opening size (282 x 284) with a clock label redrawn every 500 ms, so that it
// does the same idle work as the game's clock and nothing else.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("bare");
    window.setFixedSize(282, 284);
    QLabel clock(&window);
    clock.setGeometry(180, 250, 90, 20);
    const auto update = [&clock] { clock.setText(QTime::currentTime().toString("HH:mm:ss")); };
    update();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, update);
    timer.start(500);
    window.show();
    return QApplication::exec();
}
