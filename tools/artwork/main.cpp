// Draws Tressal's icons and pictures and writes them under a resources folder:
//   icons/00.png .. icons/15.png (16 x 16, transparent)
//   pictures/banner.jpg, pictures/targets.jpg, pictures/credits.jpg
//   app-icon/16.png .. app-icon/256.png and app-icon/tressal.svg, the program's own icon
// Usage: QT_QPA_PLATFORM=offscreen tressal-artwork <resources folder>

#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QString>
#include <QStringList>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// ---------------------------------------------------------------- palette

// A colour with its lighter and darker shades, for gradients and outlines.
struct Tint {
    QColor light;
    QColor base;
    QColor dark;
};

Tint tint(const char* hex) {
    const QColor base(hex);
    return {base.lighter(135), base, base.darker(165)};
}

const Tint orlane = tint("#2d6fd2");
const Tint vesko = tint("#2e9d4c");
const Tint pmb = tint("#e5701a");
const Tint bcdi = tint("#8a4cc2");
const Tint danger = tint("#d8372f");
const Tint convert = tint("#14918f");
const Tint slate = tint("#56687a");
const Tint skin = {QColor("#fbe3c8"), QColor("#f0c49c"), QColor("#a8744a")};
const Tint hair = tint("#7a5236");
const Tint wall = {QColor("#fbf1dc"), QColor("#e8d3a8"), QColor("#8f7449")};
const Tint roof = tint("#c2472f");
const Tint glass = {QColor("#d8ecff"), QColor("#9cc6ee"), QColor("#3b5f86")};
const QColor ink("#263442");
const QColor paper("#f7f8fa");

const QString fontFamily = QStringLiteral("DejaVu Sans");

// ---------------------------------------------------------------- shared helpers

// A vertical gradient from the light to the base shade over a rectangle.
QLinearGradient shade(const QRectF& r, const Tint& t) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, t.light);
    g.setColorAt(1.0, t.base);
    return g;
}

// Fills a shape with a shaded tint and outlines it with the dark shade.
void fillShape(QPainter& p, const QPainterPath& shape, const Tint& t, qreal outline = 1.0) {
    p.setBrush(shade(shape.boundingRect(), t));
    if (outline > 0)
        p.setPen(QPen(t.dark, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.setPen(Qt::NoPen);
    p.drawPath(shape);
}

QPainterPath circle(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath rectangle(const QRectF& r) {
    QPainterPath path;
    path.addRect(r);
    return path;
}

QPainterPath roundedRect(const QRectF& r, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QFont font(qreal pixelSize, bool bold) {
    QFont f(fontFamily);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

// Draws text centred on a point, using the ink extent of the glyphs.
void drawCentredText(QPainter& p, QPointF centre, const QString& text) {
    const QRectF ink = QFontMetricsF(p.font()).tightBoundingRect(text);
    const QPointF origin(centre.x() - ink.width() / 2 - ink.left(),
                         centre.y() - ink.height() / 2 - ink.top());
    p.drawText(QPointF(std::round(origin.x()), std::round(origin.y())), text);
}

// A new image filled with one colour, to draw on.
QImage canvas(int width, int height, QColor fill, QImage::Format format) {
    QImage image(width, height, format);
    image.fill(fill);
    return image;
}

void begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// ---------------------------------------------------------------- icon parts (16 x 16 units)

// A rounded square in the tint with a bold white letter: the menu of a target.
void drawBadge(QPainter& p, const Tint& t, const QString& letter) {
    fillShape(p, roundedRect(QRectF(1.5, 1.5, 13, 13), 3), t);
    p.setPen(Qt::white);
    p.setFont(font(11, true));
    drawCentredText(p, QPointF(8, 8), letter);
}

// A grown-up seen from the front: shaded jacket in the tint, white collar, tie.
void drawAdult(QPainter& p, const Tint& t) {
    QPainterPath body;
    body.moveTo(1.5, 15.5);
    body.lineTo(1.5, 13);
    body.cubicTo(1.5, 10.2, 4, 9.5, 8, 9.5);
    body.cubicTo(12, 9.5, 14.5, 10.2, 14.5, 13);
    body.lineTo(14.5, 15.5);
    body.closeSubpath();
    fillShape(p, body, t);

    QPainterPath collar;
    collar.moveTo(5.8, 9.8);
    collar.lineTo(10.2, 9.8);
    collar.lineTo(8, 13.2);
    collar.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(collar);

    QPainterPath tie;
    tie.moveTo(8, 10.2);
    tie.lineTo(9.1, 11.6);
    tie.lineTo(8, 15.5);
    tie.lineTo(6.9, 11.6);
    tie.closeSubpath();
    p.setBrush(ink);
    p.drawPath(tie);

    fillShape(p, circle(QPointF(8, 5), 3.5), skin);
    // Short hair on top of the head.
    QPainterPath hairline;
    hairline.moveTo(4.6, 4.6);
    hairline.cubicTo(4.6, 1.0, 11.4, 1.0, 11.4, 4.6);
    hairline.cubicTo(10.5, 3.2, 6.8, 3.4, 4.6, 4.6);
    fillShape(p, hairline, hair, 0);
}

// A pupil: smaller figure with a fringe, a backpack peeking over the shoulders.
void drawChild(QPainter& p, const Tint& t) {
    fillShape(p, roundedRect(QRectF(3.5, 10, 9, 5.5), 1.5), {t.base, t.dark, ink});

    QPainterPath body;
    body.moveTo(4.5, 15.5);
    body.lineTo(4.5, 13.8);
    body.cubicTo(4.5, 12.2, 5.8, 11.5, 8, 11.5);
    body.cubicTo(10.2, 11.5, 11.5, 12.2, 11.5, 13.8);
    body.lineTo(11.5, 15.5);
    body.closeSubpath();
    fillShape(p, body, t);

    // Backpack straps over the shoulders.
    p.setPen(QPen(t.dark, 1, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(6, 12), QPointF(6, 15.5));
    p.drawLine(QPointF(10, 12), QPointF(10, 15.5));

    fillShape(p, circle(QPointF(8, 7.2), 3.2), skin);
    QPainterPath fringe;
    fringe.moveTo(4.9, 7.2);
    fringe.cubicTo(4.5, 3.2, 11.5, 3.2, 11.1, 7.2);
    fringe.cubicTo(10.4, 5.8, 9.0, 5.6, 8.0, 6.2);
    fringe.cubicTo(7.0, 5.6, 5.6, 5.8, 4.9, 7.2);
    fillShape(p, fringe, hair, 0);
}

// A school building with a pediment roof; door and windows follow its width.
void drawBuilding(QPainter& p, const QRectF& walls, qreal roofHeight) {
    fillShape(p, rectangle(walls), wall);

    QPainterPath pediment;
    pediment.moveTo(walls.left() - 1, walls.top() + 0.5);
    pediment.lineTo(walls.center().x(), walls.top() - roofHeight);
    pediment.lineTo(walls.right() + 1, walls.top() + 0.5);
    pediment.closeSubpath();
    fillShape(p, pediment, roof);

    const qreal doorWidth = walls.width() >= 9 ? 3 : 2;
    const qreal doorHeight = std::min(4.0, walls.height() - 2);
    const QRectF door(walls.center().x() - doorWidth / 2, walls.bottom() - doorHeight, doorWidth,
                      doorHeight);
    p.setPen(Qt::NoPen);
    p.setBrush(slate.dark);
    p.drawRect(door);

    // One window on each side of the door when there is room for it.
    const qreal side = (walls.width() - doorWidth) / 2;
    if (side >= 3) {
        const qreal y = walls.top() + 1.5;
        for (qreal x : {walls.left() + (side - 2) / 2, walls.right() - (side + 2) / 2}) {
            p.setBrush(glass.dark);
            p.drawRect(QRectF(x, y, 2, 2.5));
            p.setBrush(glass.light);
            p.drawRect(QRectF(x + 0.5, y + 0.5, 1, 1.5));
        }
    }
}

// Two curved arrows chasing each other round a circle.
void drawCycleArrows(QPainter& p, const Tint& t, QPointF centre, qreal radius, qreal width) {
    QPainterPath arrows;
    for (qreal start : {20.0, 200.0}) {
        QPainterPath arc;
        const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, 125);
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        stroker.setCapStyle(Qt::FlatCap);
        arrows = arrows.united(stroker.createStroke(arc));

        // Head at the end of the arc, pointing along it.
        const QPointF tip = arc.currentPosition();
        const qreal angle = arc.angleAtPercent(1) * std::numbers::pi / 180;
        const QPointF along(std::cos(angle), -std::sin(angle));
        const QPointF across(-along.y(), along.x());
        const qreal half = width * 1.25;
        QPainterPath head;
        head.moveTo(tip + along * (width * 1.3));
        head.lineTo(tip + across * half);
        head.lineTo(tip - across * half);
        head.closeSubpath();
        arrows = arrows.united(head);
    }
    fillShape(p, arrows.simplified(), t);
}

// ---------------------------------------------------------------- the sixteen icons

void iconClose(QPainter& p) {
    fillShape(p, circle(QPointF(8, 8), 6.5), danger);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5.6, 5.6), QPointF(10.4, 10.4));
    p.drawLine(QPointF(10.4, 5.6), QPointF(5.6, 10.4));
}

void iconSave(QPainter& p) {
    QPainterPath disk;
    disk.moveTo(1.5, 2.5);
    disk.quadTo(1.5, 1.5, 2.5, 1.5);
    disk.lineTo(12, 1.5);
    disk.lineTo(14.5, 4);
    disk.lineTo(14.5, 13.5);
    disk.quadTo(14.5, 14.5, 13.5, 14.5);
    disk.lineTo(2.5, 14.5);
    disk.quadTo(1.5, 14.5, 1.5, 13.5);
    disk.closeSubpath();
    fillShape(p, disk, slate);

    // Metal shutter with its slot, then the paper label.
    fillShape(p, rectangle(QRectF(4.5, 1.5, 7, 4.5)),
              {QColor("#f4f6f8"), QColor("#c9d1d9"), slate.dark});
    p.setPen(Qt::NoPen);
    p.setBrush(slate.dark);
    p.drawRect(QRectF(9, 2.5, 1.5, 2.5));
    fillShape(p, roundedRect(QRectF(3.5, 8.5, 9, 6), 0.8), {Qt::white, paper, slate.dark});
    p.setPen(QPen(QColor("#9aa7b4"), 1));
    p.drawLine(QPointF(5, 10.5), QPointF(11, 10.5));
    p.drawLine(QPointF(5, 12.5), QPointF(11, 12.5));
}

void iconConvert(QPainter& p) {
    drawCycleArrows(p, convert, QPointF(8, 8), 4.6, 2.2);
}

void iconAbout(QPainter& p) {
    fillShape(p, circle(QPointF(8, 8), 6.5), orlane);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.8), 1.25, 1.25);
    QPainterPath stem;
    stem.addRect(QRectF(7, 7, 2, 4.5));
    stem.addRect(QRectF(6, 7, 1.5, 1.2));
    stem.addRect(QRectF(6, 10.8, 4, 1.2));
    p.drawPath(stem.simplified());
}

void iconSchool(QPainter& p) {
    drawBuilding(p, QRectF(2.5, 6.5, 11, 8), 5);
    p.setPen(QPen(slate.dark, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.5, 14.5), QPointF(15.5, 14.5));
}

void iconCiteScolaire(QPainter& p) {
    drawBuilding(p, QRectF(1.5, 5, 8, 9.5), 3.5);
    drawBuilding(p, QRectF(8.5, 9, 6, 5.5), 3);
    p.setPen(QPen(slate.dark, 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.5, 14.5), QPointF(15.5, 14.5));
}

using Drawing = std::function<void(QPainter&)>;

// The icons by index, as the program's windows use them.
std::array<Drawing, 16> icons() {
    return {
        iconClose,                                      // 00 close
        [](QPainter& p) { drawBadge(p, orlane, "O"); }, // 01 Orlane menu
        [](QPainter& p) { drawBadge(p, vesko, "V"); },  // 02 Vesko menu
        [](QPainter& p) { drawAdult(p, orlane); },      // 03 Orlane teachers
        [](QPainter& p) { drawChild(p, orlane); },      // 04 Orlane students
        [](QPainter& p) { drawAdult(p, vesko); },       // 05 Vesko teachers
        [](QPainter& p) { drawChild(p, vesko); },       // 06 Vesko students
        iconSave,                                       // 07 save
        iconConvert,                                    // 08 run the conversion
        iconAbout,                                      // 09 about
        [](QPainter& p) { drawBadge(p, pmb, "P"); },    // 10 PMB menu
        [](QPainter& p) { drawAdult(p, pmb); },         // 11 PMB teachers
        [](QPainter& p) { drawChild(p, pmb); },         // 12 PMB students
        [](QPainter& p) { drawBadge(p, bcdi, "B"); },   // 13 BCDI menu and students
        iconSchool,                                     // 14 one establishment
        iconCiteScolaire,                               // 15 cité scolaire
    };
}

// ---------------------------------------------------------------- picture parts

const std::array<const Tint*, 4> targetTints = {&orlane, &vesko, &pmb, &bcdi};

// Four strands twisted into a braid along a horizontal band, one per target colour, drawn in
// pieces `step` units long.
void drawBraid(QPainter& p, const QRectF& band, qreal periods, qreal strandWidth,
               qreal step = 0.75) {
    struct Piece {
        QPointF from;
        QPointF to;
        qreal depth;
        int strand;
    };
    const qreal amplitude = (band.height() - strandWidth) / 2 - 1;
    const qreal wavelength = band.width() / periods;
    // Each strand turns round the band's axis, a quarter turn apart from the next.
    const auto angle = [&](int strand, qreal x) {
        return 2 * std::numbers::pi * (x - band.left()) / wavelength +
               strand * std::numbers::pi / 2;
    };
    const auto point = [&](int strand, qreal x) {
        x = std::clamp(x, band.left(), band.right());
        return QPointF(x, band.center().y() + amplitude * std::sin(angle(strand, x)));
    };

    std::vector<Piece> pieces;
    for (int strand = 0; strand < 4; ++strand) {
        for (qreal x = band.left(); x < band.right(); x += step) {
            const qreal end = std::min(x + step, band.right());
            // Pieces overlap a little so that no seam shows between them.
            pieces.push_back({point(strand, x - 0.4), point(strand, end + 0.4),
                              std::cos(angle(strand, (x + end) / 2)), strand});
        }
    }
    // Far pieces first, so that near strands pass over far ones.
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const Piece& a, const Piece& b) { return a.depth < b.depth; });
    for (const Piece& piece : pieces) {
        const Tint& t = *targetTints[static_cast<std::size_t>(piece.strand)];
        // Strands facing the viewer are lit, those behind are shaded.
        const int darkening = 100 + qRound(30 * (1 - piece.depth) / 2);
        const QColor colour = t.base.darker(darkening);
        p.setPen(QPen(t.dark, strandWidth + 2, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(piece.from, piece.to);
        p.setPen(QPen(colour, strandWidth, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(piece.from, piece.to);
    }
}

// A thin band split into the four target colours.
void drawColourRule(QPainter& p, const QRectF& rule) {
    const qreal part = rule.width() / 4;
    p.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < 4; ++i) {
        p.setBrush(targetTints[i]->base);
        p.drawRect(QRectF(rule.left() + part * qreal(i), rule.top(), part, rule.height()));
    }
}

// Draws an icon drawing scaled into a square.
void drawScaled(QPainter& p, const QRectF& square, const Drawing& drawing) {
    p.save();
    p.translate(square.topLeft());
    p.scale(square.width() / 16, square.height() / 16);
    drawing(p);
    p.restore();
}

// A curve ending in an arrow head.
void drawArrow(QPainter& p, const QPainterPath& curve, const QColor& colour, qreal width) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    const qreal headLength = width * 3.5;
    // Stop the line short of the tip so the head keeps its point.
    p.drawPath([&] {
        QPainterPath shortened;
        const qreal length = curve.length();
        const qreal stop = curve.percentAtLength(std::max(0.0, length - headLength * 0.8));
        shortened.moveTo(curve.pointAtPercent(0));
        for (int i = 1; i <= 40; ++i)
            shortened.lineTo(curve.pointAtPercent(stop * i / 40));
        return shortened;
    }());
    const QPointF tip = curve.pointAtPercent(1);
    const qreal angle = curve.angleAtPercent(1) * std::numbers::pi / 180;
    const QPointF along(std::cos(angle), -std::sin(angle));
    const QPointF across(-along.y(), along.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - along * headLength + across * headLength * 0.55);
    head.lineTo(tip - along * headLength - across * headLength * 0.55);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
}

// A shaded rounded tile with a soft shadow below it.
void drawTile(QPainter& p, const QRectF& r, const Tint& t, qreal radius) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 28));
    p.drawRoundedRect(r.translated(0, 2), radius, radius);
    fillShape(p, roundedRect(r, radius), t, 1);
}

// A target tile: its letter in a white badge, then its name.
void drawTargetTile(QPainter& p, const QRectF& r, const Tint& t, const QString& name) {
    drawTile(p, r, t, 7);
    const QRectF badge(r.left() + 8, r.center().y() - 13, 26, 26);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(badge, 6, 6);
    p.setPen(t.base);
    p.setFont(font(18, true));
    drawCentredText(p, badge.center(), name.left(1));
    p.setPen(Qt::white);
    p.setFont(font(20, true));
    const QRectF label(badge.right() + 10, r.top(), r.right() - badge.right() - 14, r.height());
    p.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, name);
}

// A source tile: a figure, then the export's name and what it holds.
void drawSourceTile(QPainter& p, const QRectF& r, const Drawing& figure, const QString& name,
                    const QString& content) {
    drawTile(p, r, slate, 8);
    const QRectF disc(r.left() + 10, r.center().y() - 20, 40, 40);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(disc);
    drawScaled(p, disc.adjusted(4, 3, -4, -5), figure);
    p.setPen(Qt::white);
    p.setFont(font(20, true));
    p.drawText(QPointF(disc.right() + 12, r.center().y() - 2), name);
    p.setPen(QColor("#e3e9ef"));
    p.setFont(font(13, false));
    p.drawText(QPointF(disc.right() + 12, r.center().y() + 16), content);
}

// ---------------------------------------------------------------- the three pictures

// Writes the program's name in white from a baseline point; returns where it ends.
qreal drawTitle(QPainter& p, QPointF baseline, qreal pixelSize) {
    const QString name = QStringLiteral("Tressal");
    p.setPen(Qt::white);
    p.setFont(font(pixelSize, true));
    p.drawText(baseline, name);
    return baseline.x() + QFontMetricsF(p.font()).horizontalAdvance(name);
}

QImage banner() {
    QImage image = canvas(600, 43, Qt::white, QImage::Format_RGB32);
    QPainter p(&image);
    begin(p);
    QLinearGradient g(0, 0, 600, 0);
    g.setColorAt(0.0, QColor("#1d3557"));
    g.setColorAt(0.6, QColor("#2a4f7a"));
    g.setColorAt(1.0, QColor("#3b3270"));
    p.fillRect(image.rect(), g);
    drawColourRule(p, QRectF(0, 40, 600, 3));

    drawBraid(p, QRectF(12, 7, 72, 29), 1.25, 3.5);
    const qreal after = drawTitle(p, QPointF(96, 29), 24);
    p.setPen(QColor("#d5e2f0"));
    p.setFont(font(14, false));
    p.drawText(QPointF(after + 16, 28),
               QString::fromUtf8(u8"SIECLE, Sconet et STS vers Orlane, Vesko, PMB et BCDI"));
    return image;
}

// A light background, white at the top fading to the given colour.
void fillPaperGradient(QPainter& p, const QRect& rect, const QColor& bottom) {
    QLinearGradient g(0, rect.top(), 0, rect.bottom() + 1);
    g.setColorAt(0.0, Qt::white);
    g.setColorAt(1.0, bottom);
    p.fillRect(rect, g);
}

QImage targets() {
    QImage image = canvas(600, 300, paper, QImage::Format_RGB32);
    QPainter p(&image);
    begin(p);
    fillPaperGradient(p, image.rect(), QColor("#e9edf2"));

    // Title and subtitle.
    p.setPen(ink);
    p.setFont(font(40, true));
    drawCentredText(p, QPointF(300, 34), QStringLiteral("Tressal"));
    p.setPen(slate.base);
    p.setFont(font(14, false));
    drawCentredText(
        p, QPointF(300, 70),
        QString::fromUtf8(u8"Les exports de l’établissement, prêts pour vos logiciels"));
    drawColourRule(p, QRectF(200, 84, 200, 3));

    // Sources on the left, targets on the right, the braid in between.
    const std::array<QRectF, 2> sources = {QRectF(14, 118, 196, 64), QRectF(14, 206, 196, 64)};
    const std::array<QRectF, 4> tiles = {QRectF(416, 104, 170, 40), QRectF(416, 152, 170, 40),
                                         QRectF(416, 200, 170, 40), QRectF(416, 248, 170, 40)};
    const QPointF hub(298, 196);
    const QRectF braid(hub.x() - 52, hub.y() - 18, 104, 36);

    const QColor arrowColour = slate.light;
    for (const QRectF& source : sources) {
        QPainterPath curve(QPointF(source.right() + 4, source.center().y()));
        const QPointF end(braid.left() - 4, hub.y());
        curve.cubicTo(QPointF(end.x() - 10, source.center().y()), QPointF(end.x() - 30, end.y()),
                      end);
        drawArrow(p, curve, arrowColour, 2.5);
    }
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const QPointF start(braid.right() + 4, hub.y());
        const QPointF end(tiles[i].left() - 6, tiles[i].center().y());
        QPainterPath curve(start);
        curve.cubicTo(QPointF(start.x() + 40, start.y()), QPointF(end.x() - 40, end.y()), end);
        drawArrow(p, curve, targetTints[i]->base, 2.5);
    }
    drawBraid(p, braid, 1.25, 5);

    drawSourceTile(
        p, sources[0], [](QPainter& q) { drawChild(q, slate); }, QStringLiteral("SIECLE"),
        QString::fromUtf8(u8"élèves (ou Sconet)"));
    drawSourceTile(
        p, sources[1], [](QPainter& q) { drawAdult(q, slate); }, QStringLiteral("STS"),
        QStringLiteral("enseignants"));
    const std::array<QString, 4> names = {QStringLiteral("Orlane"), QStringLiteral("Vesko"),
                                          QStringLiteral("PMB"), QStringLiteral("BCDI")};
    for (std::size_t i = 0; i < tiles.size(); ++i)
        drawTargetTile(p, tiles[i], *targetTints[i], names[i]);
    return image;
}

QImage credits() {
    QImage image = canvas(395, 200, paper, QImage::Format_RGB32);
    QPainter p(&image);
    begin(p);
    fillPaperGradient(p, image.rect(), QColor("#e6ebf1"));

    // Header band with the braid and the name.
    QLinearGradient header(0, 0, 395, 0);
    header.setColorAt(0.0, QColor("#1d3557"));
    header.setColorAt(1.0, QColor("#3b3270"));
    p.fillRect(QRectF(0, 0, 395, 62), header);
    drawColourRule(p, QRectF(0, 62, 395, 3));
    drawBraid(p, QRectF(16, 12, 80, 38), 1.25, 4.5);
    const qreal after = drawTitle(p, QPointF(110, 42), 30);
    p.setPen(QColor("#d5e2f0"));
    p.setFont(font(14, false));
    p.drawText(QPointF(after + 20, 41), QStringLiteral("version 1.0"));

    const std::array<QString, 4> lines = {
        QString::fromUtf8(u8"Conversion des exports SIECLE, Sconet"),
        QString::fromUtf8(u8"et STS pour Orlane, Vesko, PMB et BCDI"),
        QString::fromUtf8(u8"© 2026 L’équipe Tressal"),
        QString::fromUtf8(u8"Logiciel libre — dessins et icônes de l’équipe Tressal"),
    };
    const std::array<qreal, 4> baselines = {94, 114, 148, 168};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        p.setPen(i < 2 ? ink : slate.base);
        p.setFont(font(i < 2 ? 14 : 12, i == 0));
        p.drawText(QPointF(20, baselines[i]), lines[i]);
    }
    return image;
}

// ---------------------------------------------------------------- the program's icon

// The program's icon on a 64-unit square: the banner's night-blue tile with the braid of the
// four targets and their colour rule. Small sizes get a looser, thicker braid that stays legible.
void drawAppIcon(QPainter& p, bool small) {
    const QRectF tile(3, 3, 58, 58);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0.0, QColor("#2a4f7a"));
    g.setColorAt(1.0, QColor("#3b3270"));
    p.setPen(QPen(QColor("#16263d"), 1.5));
    p.setBrush(g);
    p.drawRoundedRect(tile, 12, 12);
    p.setBrush(Qt::NoBrush); // keeps the SVG from repeating the gradient at every stroke
    if (small)
        drawBraid(p, QRectF(8, 12, 48, 34), 0.75, 8, 1.5);
    else
        drawBraid(p, QRectF(9, 14, 46, 30), 1.25, 5.5, 1.5);
    drawColourRule(p, QRectF(14, 50, 36, small ? 5 : 3.5));
}

QImage appIcon(int size) {
    QImage image = canvas(size, size, Qt::transparent, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    begin(p);
    p.scale(size / 64.0, size / 64.0);
    drawAppIcon(p, size <= 24);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool saveAppIconSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Tressal"));
    QPainter p;
    if (!p.begin(&svg)) {
        std::fprintf(stderr, "tressal-artwork: cannot write %s\n", qPrintable(path));
        return false;
    }
    begin(p);
    p.scale(4, 4);
    drawAppIcon(p, false);
    return p.end();
}

// ---------------------------------------------------------------- output

QImage icon(const Drawing& drawing) {
    QImage image = canvas(16, 16, Qt::transparent, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    begin(p);
    drawing(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool save(const QImage& image, const QString& path, const char* format, int quality) {
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "tressal-artwork: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tressal-artwork <resources folder>\n");
        return 2;
    }
    const QDir root(args[1]);
    if (!root.mkpath(QStringLiteral("icons")) || !root.mkpath(QStringLiteral("pictures")) ||
        !root.mkpath(QStringLiteral("app-icon"))) {
        std::fprintf(stderr, "tressal-artwork: cannot create folders in %s\n", qPrintable(args[1]));
        return 1;
    }
    const QFontInfo used(font(12, false));
    if (used.family() != fontFamily)
        std::fprintf(stderr, "tressal-artwork: warning: font %s not found, using %s\n",
                     qPrintable(fontFamily), qPrintable(used.family()));

    bool ok = true;
    const std::array<Drawing, 16> drawings = icons();
    for (std::size_t i = 0; i < drawings.size(); ++i) {
        const QString name = QStringLiteral("icons/%1.png").arg(i, 2, 10, QLatin1Char('0'));
        ok = save(icon(drawings[i]), root.filePath(name), "PNG", -1) && ok;
    }
    ok = save(banner(), root.filePath(QStringLiteral("pictures/banner.jpg")), "JPG", 90) && ok;
    ok = save(targets(), root.filePath(QStringLiteral("pictures/targets.jpg")), "JPG", 90) && ok;
    ok = save(credits(), root.filePath(QStringLiteral("pictures/credits.jpg")), "JPG", 90) && ok;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("app-icon/%1.png").arg(size);
        ok = save(appIcon(size), root.filePath(name), "PNG", -1) && ok;
    }
    ok = saveAppIconSvg(root.filePath(QStringLiteral("app-icon/tressal.svg"))) && ok;
    return ok ? 0 : 1;
}
