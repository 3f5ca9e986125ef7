#include "app/CommandIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

#include "app/CommandIds.h"

namespace vanta {

namespace {

// Every picture is drawn on a 16 x 16 grid; larger sizes scale the painter.
using Drawing = std::function<void(QPainter&)>;

const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kScreenBlue(40, 90, 170);
const QColor kPanelGrey(170, 170, 170);
const QColor kDisplayGreen(150, 200, 120);

QPen ink(qreal width = 1.0, const QColor& color = kInk) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// A sheet of paper with a folded corner.
void page(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 3, y);
    path.lineTo(x + w, y + 3);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

// A small monitor: the screens of the panel.
void screen(QPainter& p, qreal x, qreal y, qreal w, qreal h) {
    p.setPen(ink());
    p.setBrush(kPanelGrey);
    p.drawRect(QRectF(x, y, w, h));
    p.setPen(Qt::NoPen);
    p.setBrush(kScreenBlue);
    p.drawRect(QRectF(x + 1.5, y + 1.5, w - 2.5, h - 2.5));
}

void text(QPainter& p, const QRectF& rect, const QString& s, int pixelSize, bool bold = true,
          const QColor& color = kInk) {
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    p.setFont(font);
    p.setPen(color);
    p.drawText(rect, Qt::AlignCenter, s);
}

void drawNew(QPainter& p) {
    page(p, 3, 1, 10, 14);
}

void drawOpen(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(230, 190, 70));
    QPolygonF back({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 14}, {1, 14}});
    p.drawPolygon(back);
    p.setBrush(QColor(250, 220, 110));
    QPolygonF front({{3, 8}, {15, 8}, {13, 14}, {1, 14}});
    p.drawPolygon(front);
}

void drawSave(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kScreenBlue);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 1.5, 9, 6));
    p.setBrush(kPanelGrey);
    p.drawRect(QRectF(4.5, 10.5, 7, 4));
    p.setBrush(kInk);
    p.drawRect(QRectF(9.5, 11.5, 1, 2));
}

void drawCut(QPainter& p) {
    p.setPen(ink(1.2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(5, 1), QPointF(10, 10));
    p.drawLine(QPointF(11, 1), QPointF(6, 10));
    p.setPen(ink(1.5, QColor(180, 30, 30)));
    p.drawEllipse(QPointF(4.5, 12), 2.3, 2.3);
    p.drawEllipse(QPointF(11.5, 12), 2.3, 2.3);
}

void drawCopy(QPainter& p) {
    page(p, 1.5, 1.5, 8, 10);
    page(p, 6.5, 4.5, 8, 10);
}

void drawPaste(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(180, 130, 70));
    p.drawRect(QRectF(1.5, 2.5, 10, 12));
    p.setBrush(kPanelGrey);
    p.drawRect(QRectF(4.5, 1.5, 4, 3));
    page(p, 6.5, 6.5, 8, 8);
}

void drawAbout(QPainter& p) {
    p.setPen(ink(1.0, QColor(20, 60, 140)));
    p.setBrush(QColor(60, 120, 210));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    text(p, QRectF(0, 0, 16, 16), QStringLiteral("?"), 12, true, kPaper);
}

void drawLamp(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(255, 215, 40));
    p.drawEllipse(QRectF(3.5, 1.5, 9, 9));
    p.setBrush(kPanelGrey);
    p.drawRect(QRectF(5.5, 10.5, 5, 4));
    p.drawLine(QPointF(5.5, 12.5), QPointF(10.5, 12.5));
    p.setPen(ink(1.0, QColor(255, 255, 190)));
    p.drawLine(QPointF(6, 4), QPointF(6, 6));
}

void drawFunctionKey(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(210, 210, 210));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 2, 2);
    p.setPen(ink(1.0, QColor(250, 250, 250)));
    p.drawLine(QPointF(3, 4), QPointF(12, 4));
    text(p, QRectF(1, 3, 14, 11), QStringLiteral("F"), 10);
}

void drawText(QPainter& p) {
    text(p, QRectF(0, 0, 16, 16), QStringLiteral("A"), 15);
}

void drawDynamicText(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(0.5, 3.5, 15, 9));
    text(p, QRectF(0, 3, 11, 10), QStringLiteral("A"), 9);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({{10.5, 6.5}, {14.5, 6.5}, {12.5, 9.5}}));
}

void drawRegister(QPainter& p) {
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawRect(QRectF(0.5, 3.5, 15, 9));
    text(p, QRectF(0, 3, 16, 10), QStringLiteral("123"), 7, true, kScreenBlue);
}

void drawBarGraph(QPainter& p) {
    p.setPen(ink());
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setBrush(QColor(60, 150, 60));
    p.drawRect(QRectF(2.5, 8.5, 3, 6));
    p.setBrush(QColor(210, 60, 50));
    p.drawRect(QRectF(6.5, 3.5, 3, 11));
    p.setBrush(kScreenBlue);
    p.drawRect(QRectF(10.5, 6.5, 3, 8));
}

void drawTrend(QPainter& p) {
    p.setPen(ink());
    p.drawLine(QPointF(1.5, 1.5), QPointF(1.5, 14.5));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(ink(1.5, QColor(210, 60, 50)));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{2.5, 11}, {5, 7}, {8, 10}, {11, 4}, {14.5, 6}}));
}

void drawPicture(QPainter& p) {
    p.setPen(ink());
    p.setBrush(QColor(170, 210, 245));
    p.drawRect(QRectF(0.5, 2.5, 15, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 200, 40));
    p.drawEllipse(QPointF(11.5, 6), 1.8, 1.8);
    p.setBrush(QColor(70, 140, 70));
    p.drawPolygon(QPolygonF({{1, 13}, {5.5, 6}, {9, 11}, {11, 9}, {15, 13}}));
}

void drawNewScreen(QPainter& p) {
    screen(p, 0.5, 3.5, 12, 10);
    p.setPen(ink(1.6, QColor(230, 170, 0)));
    p.drawLine(QPointF(13, 0.5), QPointF(13, 6.5));
    p.drawLine(QPointF(10, 3.5), QPointF(16, 3.5));
}

void drawCopyScreen(QPainter& p) {
    screen(p, 0.5, 0.5, 10, 8);
    screen(p, 5.5, 6.5, 10, 8);
}

void drawDeleteScreen(QPainter& p) {
    screen(p, 0.5, 1.5, 12, 10);
    p.setPen(ink(2.0, QColor(210, 30, 30)));
    p.drawLine(QPointF(8, 8), QPointF(15, 15));
    p.drawLine(QPointF(15, 8), QPointF(8, 15));
}

void drawPanelSettings(QPainter& p) {
    // The panel: a body with its display and two rows of keys.
    p.setPen(ink());
    p.setBrush(kPanelGrey);
    p.drawRoundedRect(QRectF(0.5, 1.5, 15, 13), 1.5, 1.5);
    p.setBrush(kDisplayGreen);
    p.drawRect(QRectF(2.5, 3.5, 11, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(2.5 + col * 3, 10 + row * 2.5, 2, 1.5));
}

void drawAlarmList(QPainter& p) {
    p.setPen(ink(1.0, QColor(120, 20, 10)));
    p.setBrush(QColor(235, 60, 40));
    p.drawPolygon(QPolygonF({{8, 1}, {15.5, 14.5}, {0.5, 14.5}}));
    text(p, QRectF(0, 4, 16, 11), QStringLiteral("!"), 10, true, kPaper);
}

void drawDownload(QPainter& p) {
    // An arrow into the panel.
    p.setPen(ink());
    p.setBrush(kPanelGrey);
    p.drawRect(QRectF(1.5, 10.5, 13, 4));
    p.setBrush(kDisplayGreen);
    p.drawRect(QRectF(3.5, 11.5, 9, 2));
    p.setPen(ink(1.0, QColor(20, 110, 30)));
    p.setBrush(QColor(60, 170, 70));
    p.drawPolygon(QPolygonF({{6, 0.5}, {10, 0.5}, {10, 5}, {13, 5}, {8, 9.5}, {3, 5}, {6, 5}}));
}

void drawScreenProperties(QPainter& p) {
    screen(p, 0.5, 1.5, 13, 11);
    p.setPen(ink(1.0, kPaper));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(3, 4.5 + i * 2.5), QPointF(10, 4.5 + i * 2.5));
    p.setPen(ink(1.0));
    p.setBrush(QColor(250, 200, 40));
    p.drawPolygon(QPolygonF({{9, 14.5}, {14.5, 9}, {15.5, 10}, {10, 15.5}, {8.5, 15.5}}));
}

// A curved arrow that turns back to the left (undo), or its mirror image (redo).
void drawTurn(QPainter& p, bool back) {
    p.save();
    if (!back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    const QColor colour(40, 90, 170);
    QPainterPath arc;
    arc.moveTo(5, 6.5);
    arc.cubicTo(9, 3.5, 14.5, 5, 14, 9.5);
    arc.cubicTo(13.5, 12.5, 11, 13.5, 8, 13.5);
    p.setPen(ink(2.0, colour));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({{1, 6.5}, {7, 2}, {7, 11}}));
    p.restore();
}

void drawUndo(QPainter& p) {
    drawTurn(p, true);
}

void drawRedo(QPainter& p) {
    drawTurn(p, false);
}

Drawing drawingOf(int command) {
    switch (command) {
        case cmd::kNewProject:
            return drawNew;
        case cmd::kOpen:
            return drawOpen;
        case cmd::kSave:
            return drawSave;
        case cmd::kCut:
            return drawCut;
        case cmd::kCopy:
            return drawCopy;
        case cmd::kPaste:
            return drawPaste;
        case cmd::kAbout:
            return drawAbout;
        case cmd::kLamp:
            return drawLamp;
        case cmd::kFunctionKey:
            return drawFunctionKey;
        case cmd::kText:
            return drawText;
        case cmd::kDynamicText:
            return drawDynamicText;
        case cmd::kRegister:
            return drawRegister;
        case cmd::kBarGraph:
            return drawBarGraph;
        case cmd::kTrend:
            return drawTrend;
        case cmd::kPicture:
            return drawPicture;
        case cmd::kNewScreen:
            return drawNewScreen;
        case cmd::kCopyScreen:
            return drawCopyScreen;
        case cmd::kDeleteScreen:
            return drawDeleteScreen;
        case cmd::kPanelSettings:
            return drawPanelSettings;
        case cmd::kAlarmList:
            return drawAlarmList;
        case cmd::kDownload:
            return drawDownload;
        case cmd::kScreenProperties:
            return drawScreenProperties;
        case cmd::kUndo:
            return drawUndo;
        case cmd::kRedo:
            return drawRedo;
        default:
            return {};
    }
}

QPixmap render(const Drawing& drawing, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    drawing(painter);
    return pixmap;
}

}  // namespace

QIcon commandIcon(int command) {
    static QHash<int, QIcon> cache;
    const auto found = cache.constFind(command);
    if (found != cache.constEnd())
        return *found;
    QIcon icon;
    if (const Drawing drawing = drawingOf(command)) {
        for (int size : {16, 24, 32})
            icon.addPixmap(render(drawing, size));
    }
    cache.insert(command, icon);
    return icon;
}

}  // namespace vanta
