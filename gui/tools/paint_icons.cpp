// Paints the program's icons into a folder as PNG files:
//   paint_icons OUTPUT_FOLDER
// Toolbar pictures 1-12 (24x24), list pictures 15-18 and the search-folder
// button pictures (16x16), the tip picture (32x32) and the program icon (48x48).

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor Outline(60, 60, 70);
const QColor Paper(252, 252, 250);
const QColor Blue(45, 110, 200);
const QColor LightBlue(150, 200, 245);
const QColor Green(40, 150, 60);
const QColor Red(205, 40, 40);
const QColor Yellow(240, 190, 60);
const QColor DarkYellow(200, 145, 30);
const QColor Grey(150, 150, 155);

QPen pen(const QColor& colour, double width = 1.0) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded corner.
void page(QPainter& p, QRectF r, const QColor& fill = Paper, bool lines = true) {
    double fold = r.width() * 0.3;
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(pen(Outline));
    p.setBrush(fill);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(fill.darker(115));
    p.drawPath(corner);
    if (!lines) return;
    p.setPen(pen(Grey, 1.0));
    for (double y = r.top() + fold + 2; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 2.5, y), QPointF(r.right() - 2.5, y));
}

void folder(QPainter& p, QRectF r, const QColor& fill) {
    QPainterPath back;
    back.moveTo(r.left(), r.bottom());
    back.lineTo(r.left(), r.top());
    back.lineTo(r.left() + r.width() * 0.4, r.top());
    back.lineTo(r.left() + r.width() * 0.5, r.top() + r.height() * 0.18);
    back.lineTo(r.right(), r.top() + r.height() * 0.18);
    back.lineTo(r.right(), r.bottom());
    back.closeSubpath();
    p.setPen(pen(fill.darker(160)));
    p.setBrush(fill.darker(115));
    p.drawPath(back);
    QRectF front(r.left(), r.top() + r.height() * 0.34, r.width(), r.height() * 0.66);
    p.setBrush(fill);
    p.drawRect(front);
}

// A round badge with a symbol, at the bottom right of an icon.
void badge(QPainter& p, QPointF centre, double radius, const QColor& fill, const std::function<void(QPainter&)>& symbol) {
    p.setPen(pen(Qt::white, 1.0));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
    p.save();
    p.translate(centre);
    p.setPen(pen(Qt::white, radius * 0.45));
    symbol(p);
    p.restore();
}

void plus(QPainter& p, double half) {
    p.drawLine(QPointF(-half, 0), QPointF(half, 0));
    p.drawLine(QPointF(0, -half), QPointF(0, half));
}

void minus(QPainter& p, double half) { p.drawLine(QPointF(-half, 0), QPointF(half, 0)); }

void cross(QPainter& p, double half) {
    p.drawLine(QPointF(-half, -half), QPointF(half, half));
    p.drawLine(QPointF(-half, half), QPointF(half, -half));
}

void arrowRight(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width) {
    p.setPen(pen(colour, width));
    p.drawLine(from, to);
    QPainterPath head;
    head.moveTo(to + QPointF(1.5, 0));
    head.lineTo(to + QPointF(-3.5, -4));
    head.lineTo(to + QPointF(-3.5, 4));
    head.closeSubpath();
    p.setPen(pen(colour, 1.0));
    p.setBrush(colour);
    p.drawPath(head);
}

void trashCan(QPainter& p, QRectF r, const QColor& fill) {
    p.setPen(pen(fill.darker(170), 1.2));
    p.setBrush(fill);
    QPainterPath body;
    body.moveTo(r.left() + 2, r.top() + 4);
    body.lineTo(r.right() - 2, r.top() + 4);
    body.lineTo(r.right() - 3.5, r.bottom());
    body.lineTo(r.left() + 3.5, r.bottom());
    body.closeSubpath();
    p.drawPath(body);
    p.drawRoundedRect(QRectF(r.left(), r.top() + 1.5, r.width(), 2.5), 1, 1);
    p.drawRect(QRectF(r.center().x() - 2.5, r.top(), 5, 1.5));
    p.setPen(pen(fill.darker(170), 1.0));
    for (double x : {-3.0, 0.0, 3.0})
        p.drawLine(QPointF(r.center().x() + x, r.top() + 7), QPointF(r.center().x() + x * 0.85, r.bottom() - 2.5));
}

void picture(QPainter& p, QRectF r, bool coloured) {
    const QColor sky = coloured ? QColor(120, 190, 240) : QColor(205, 205, 210);
    const QColor hill = coloured ? QColor(60, 160, 70) : QColor(150, 150, 155);
    const QColor sun = coloured ? QColor(250, 200, 40) : QColor(235, 235, 235);
    p.setPen(pen(coloured ? QColor(120, 80, 40) : Grey, 2.0));
    p.setBrush(sky);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(r.right() - 5, r.top() + 5), 2.5, 2.5);
    QPainterPath hills;
    hills.moveTo(r.left() + 1, r.bottom() - 1);
    hills.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.4);
    hills.lineTo(r.left() + r.width() * 0.62, r.top() + r.height() * 0.7);
    hills.lineTo(r.left() + r.width() * 0.78, r.top() + r.height() * 0.55);
    hills.lineTo(r.right() - 1, r.bottom() - 1);
    hills.closeSubpath();
    p.setBrush(hill);
    p.drawPath(hills);
}

void checkBox(QPainter& p, QRectF r, bool ticked) {
    p.setPen(pen(Outline, 1.0));
    p.setBrush(Qt::white);
    p.drawRect(r);
    if (!ticked) return;
    p.setPen(pen(Green, 2.0));
    QPainterPath tick;
    tick.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.5);
    tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.75);
    tick.lineTo(r.left() + r.width() * 0.82, r.top() + r.height() * 0.22);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void magnifier(QPainter& p, QPointF centre, double radius, double handle) {
    p.setPen(pen(QColor(90, 60, 30), radius * 0.45));
    QPointF start = centre + QPointF(radius * 0.7, radius * 0.7);
    p.drawLine(start, start + QPointF(handle, handle));
    p.setPen(pen(Outline, radius * 0.22));
    p.setBrush(QColor(200, 230, 250, 220));
    p.drawEllipse(centre, radius, radius);
    p.setPen(pen(Qt::white, radius * 0.15));
    p.drawArc(QRectF(centre.x() - radius * 0.6, centre.y() - radius * 0.6, radius * 1.2, radius * 1.2), 100 * 16,
              60 * 16);
}

using Painter = std::function<void(QPainter&)>;

struct IconSpec {
    QString name;
    int size;
    Painter paint;
};

QList<IconSpec> icons() {
    return {
        {"1", 24, [](QPainter& p) {  // scan
             page(p, QRectF(2.5, 1.5, 13, 17));
             magnifier(p, QPointF(13, 12), 5.5, 6);
         }},
        {"2", 24, [](QPainter& p) {  // cancel
             QPolygonF octagon;
             for (int i = 0; i < 8; ++i) {
                 double angle = (22.5 + 45.0 * i) * 3.14159265 / 180.0;
                 octagon << QPointF(12 + 10.5 * std::cos(angle), 12 + 10.5 * std::sin(angle));
             }
             p.setPen(pen(Red.darker(150)));
             p.setBrush(Red);
             p.drawPolygon(octagon);
             p.setPen(pen(Qt::white, 2.6));
             p.translate(12, 12);
             cross(p, 4.5);
         }},
        {"3", 24, [](QPainter& p) {  // mark
             checkBox(p, QRectF(3.5, 3.5, 17, 17), true);
         }},
        {"4", 24, [](QPainter& p) {  // copy
             page(p, QRectF(2.5, 1.5, 12, 15));
             page(p, QRectF(9.5, 7.5, 12, 15), QColor(225, 240, 255));
         }},
        {"5", 24, [](QPainter& p) {  // move
             page(p, QRectF(2.5, 2.5, 11, 15));
             arrowRight(p, QPointF(8, 17), QPointF(19, 17), Green, 2.6);
         }},
        {"6", 24, [](QPainter& p) {  // delete
             page(p, QRectF(3.5, 1.5, 13, 17));
             p.setPen(pen(Red, 3.0));
             p.translate(15.5, 15.5);
             cross(p, 4.5);
         }},
        {"7", 24, [](QPainter& p) {  // rename
             p.setPen(pen(Outline));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(1.5, 7.5, 21, 9));
             QFont font("DejaVu Sans", 1);
             font.setPixelSize(8);
             font.setBold(true);
             p.setFont(font);
             p.setPen(Blue);
             p.drawText(QRectF(2, 7.5, 14, 9), Qt::AlignCenter, "ab");
             p.setPen(pen(Outline, 1.2));
             p.drawLine(QPointF(18, 5), QPointF(18, 19));
             p.drawLine(QPointF(16, 5), QPointF(20, 5));
             p.drawLine(QPointF(16, 19), QPointF(20, 19));
         }},
        {"8", 24, [](QPainter& p) {  // export
             page(p, QRectF(2.5, 3.5, 13, 17));
             p.setPen(pen(Blue, 2.6));
             p.drawLine(QPointF(10, 13), QPointF(18, 5));
             QPainterPath head;
             head.moveTo(21, 2);
             head.lineTo(13.5, 3.5);
             head.lineTo(19.5, 9.5);
             head.closeSubpath();
             p.setPen(pen(Blue, 1.0));
             p.setBrush(Blue);
             p.drawPath(head);
         }},
        {"9", 24, [](QPainter& p) { picture(p, QRectF(2, 4, 20, 16), false); }},   // picture viewer off
        {"10", 24, [](QPainter& p) { picture(p, QRectF(2, 4, 20, 16), true); }},   // picture viewer on
        {"11", 24, [](QPainter& p) {  // permanent delete: no recycle bin
             trashCan(p, QRectF(4, 2, 14, 20), QColor(200, 200, 205));
             badge(p, QPointF(17.5, 17.5), 5.5, Red, [](QPainter& q) { cross(q, 2.3); });
         }},
        {"12", 24, [](QPainter& p) {  // recycle bin on
             trashCan(p, QRectF(4, 2, 16, 20), QColor(110, 185, 110));
             p.setPen(pen(Qt::white, 1.6));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(8, 9, 8, 8), 30 * 16, 280 * 16);
             QPainterPath head;
             head.moveTo(16.8, 9.5);
             head.lineTo(16.5, 13.5);
             head.lineTo(13.2, 11.2);
             head.closeSubpath();
             p.setPen(pen(Qt::white, 0.8));
             p.setBrush(Qt::white);
             p.drawPath(head);
         }},
        {"15", 16, [](QPainter& p) { folder(p, QRectF(1.5, 2.5, 13, 11), Yellow); }},  // folder to search
        {"16", 16, [](QPainter& p) {  // folder left out
             folder(p, QRectF(1.5, 2.5, 13, 11), QColor(190, 190, 190));
             p.setPen(pen(Red, 2.0));
             p.drawLine(QPointF(3, 12.5), QPointF(13, 4));
         }},
        {"17", 16, [](QPainter& p) { checkBox(p, QRectF(2.5, 2.5, 11, 11), true); }},   // marked
        {"18", 16, [](QPainter& p) { checkBox(p, QRectF(2.5, 2.5, 11, 11), false); }},  // unmarked
        {"add", 16, [](QPainter& p) {
             folder(p, QRectF(0.5, 1.5, 12, 10), Yellow);
             badge(p, QPointF(11.5, 11.5), 4.3, Green, [](QPainter& q) { plus(q, 2.2); });
         }},
        {"remove", 16, [](QPainter& p) {
             folder(p, QRectF(0.5, 1.5, 12, 10), Yellow);
             badge(p, QPointF(11.5, 11.5), 4.3, Red, [](QPainter& q) { minus(q, 2.2); });
         }},
        {"exclude", 16, [](QPainter& p) {
             page(p, QRectF(1.5, 0.5, 10, 13));
             p.setPen(pen(Red, 1.6));
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(11, 11), 4, 4);
             p.drawLine(QPointF(8.3, 13.7), QPointF(13.7, 8.3));
         }},
        {"tip", 32, [](QPainter& p) {  // a light bulb
             p.setPen(pen(DarkYellow.darker(130), 1.3));
             p.setBrush(QColor(255, 225, 90));
             QPainterPath bulb;
             bulb.moveTo(12, 21);
             bulb.cubicTo(12, 17, 6, 15, 6, 10);
             bulb.cubicTo(6, 4.5, 10.5, 1.5, 16, 1.5);
             bulb.cubicTo(21.5, 1.5, 26, 4.5, 26, 10);
             bulb.cubicTo(26, 15, 20, 17, 20, 21);
             bulb.closeSubpath();
             p.drawPath(bulb);
             p.setBrush(Grey);
             p.setPen(pen(Outline, 1.0));
             p.drawRoundedRect(QRectF(11.5, 21.5, 9, 6), 1.5, 1.5);
             p.drawLine(QPointF(11.5, 24.5), QPointF(20.5, 24.5));
             p.drawRoundedRect(QRectF(13.5, 27.5, 5, 2.5), 1, 1);
             p.setPen(pen(Qt::white, 1.6));
             p.drawArc(QRectF(10, 5, 10, 10), 100 * 16, 70 * 16);
         }},
        {"twinsweep", 48, [](QPainter& p) {  // two equal pages under a magnifier
             p.scale(2.0, 2.0);
             page(p, QRectF(1.5, 1.5, 13, 17), QColor(225, 240, 255));
             page(p, QRectF(7.5, 4.5, 13, 17));
             p.setPen(pen(Green, 1.8));
             p.drawLine(QPointF(10.5, 13), QPointF(17.5, 13));
             p.drawLine(QPointF(10.5, 16.5), QPointF(17.5, 16.5));
             magnifier(p, QPointF(16, 16), 4.2, 4);
         }},
    };
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: paint_icons OUTPUT_FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) return 1;
    for (const IconSpec& icon : icons()) {
        QImage image(icon.size, icon.size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        icon.paint(painter);
        painter.end();
        QString path = folder.filePath(icon.name + ".png");
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
