// The floor for start-up: a bare Qt window of the start window's size and frame that closes after
// its first complete paint, as korvastart does with KORVA_EXIT_AFTER_FIRST_PAINT=1.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class BareWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::white);
    if (!painted_) {
      painted_ = true;
      QTimer::singleShot(0, this, &QWidget::close);
    }
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  int qtArgc = argc > 0 ? 1 : 0;
  QApplication app(qtArgc, argv);
  BareWindow window;
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  window.setWindowTitle("ZEP KORVA plus Planung 6.1");
  window.setFixedSize(781, 461);
  window.show();
  return app.exec();
}
