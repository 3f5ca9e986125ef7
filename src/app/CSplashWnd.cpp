#include "app/CSplashWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "qtsupport/AppInfo.h"

namespace vanta {

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFixedSize(kSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
    QTimer::singleShot(kDisplayMs, this, &CSplashWnd::dismiss);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
}

CSplashWnd* CSplashWnd::showSplash(QWidget* parent) {
    auto* splash = new CSplashWnd(parent);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    splash->raise();
    return splash;
}

void CSplashWnd::dismiss() {
    qApp->removeEventFilter(this);
    hide();
    close();
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Claimed, so that the key press comes here instead of triggering a shortcut.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonDblClick:
            if (isVisible()) {
                dismiss();
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height());
    sky.setColorAt(0, QColor(30, 70, 140));
    sky.setColorAt(1, QColor(10, 25, 60));
    p.fillRect(rect(), sky);

    // The panel: body, display with a line of text, and keys.
    const QRectF body(24, 60, 170, 140);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(190, 190, 195));
    p.drawRoundedRect(body, 8, 8);
    const QRectF display(body.left() + 13, body.top() + 14, 144, 48);
    p.setBrush(QColor(160, 205, 130));
    p.drawRect(display);
    p.setPen(QColor(30, 50, 30));
    QFont mono(QStringLiteral("Monospace"));
    mono.setPixelSize(13);
    mono.setBold(true);
    p.setFont(mono);
    p.drawText(display, Qt::AlignCenter, QStringLiteral("ORBIS 192x64"));
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 5; ++col) {
            p.setBrush(row == 1 && col == 4 ? QColor(200, 50, 40) : QColor(60, 60, 70));
            p.drawRoundedRect(
                QRectF(body.left() + 16 + col * 28, body.top() + 78 + row * 26, 22, 18), 3, 3);
        }
    }

    p.setPen(Qt::white);
    QFont title;
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(210, 60, 200, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vanta"));
    QFont sub;
    sub.setPixelSize(16);
    p.setFont(sub);
    p.drawText(QRectF(212, 120, 200, 30), Qt::AlignLeft | Qt::AlignVCenter,
               tr("Vanta画面设置工具"));
    sub.setPixelSize(12);
    p.setFont(sub);
    p.setPen(QColor(190, 205, 230));
    p.drawText(QRectF(212, 150, 200, 24), Qt::AlignLeft | Qt::AlignVCenter,
               tr("版本 %1").arg(QString::fromLatin1(app::kVersion)));
    p.setPen(QColor(120, 150, 200));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vanta
