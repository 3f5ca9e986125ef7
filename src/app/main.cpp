#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("无标题 - Vanta"));
    window.setFixedSize(750, 560);
    window.show();
    return app.exec();
}
