// The floor for start-up: the least a Qt 6 program does to put one painted window with a line
// of text over the screen's available area. The text makes it set up its fonts, as any window
// that shows words must. It ends itself once its first frame has been painted.
#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {
class FloorWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(40, 90, 160));
        painter.setPen(Qt::white);
        painter.setFont(QFont("Liberation Sans", 14));
        painter.drawText(40, 60, "Monday 7 December 2026");
        if (!painted_) QTimer::singleShot(0, [] { ::_exit(0); });
        painted_ = true;
    }

  private:
    bool painted_ = false;
};
} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    FloorWindow window;
    window.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    window.show();
    return QApplication::exec();
}
