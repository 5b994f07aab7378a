#include "print/emblem.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zef::print {

QImage emblemaZef(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF area(1, 1, side - 2, side - 2);
    const qreal raio = side * 0.14;
    QLinearGradient fundo(area.topLeft(), area.bottomRight());
    fundo.setColorAt(0.0, QColor(0x1f, 0x5f, 0xa8));
    fundo.setColorAt(1.0, QColor(0x0b, 0x2e, 0x5c));
    QPainterPath moldura;
    moldura.addRoundedRect(area, raio, raio);
    p.fillPath(moldura, fundo);
    p.setPen(QPen(QColor(0xe8, 0xb9, 0x2c), qMax(1.0, side / 40.0)));
    p.drawPath(moldura);

    // The year band across the lower third.
    const QRectF faixa(area.left(), area.top() + area.height() * 0.66, area.width(), area.height() * 0.20);
    p.fillRect(faixa, QColor(0xe8, 0xb9, 0x2c));

    QFont sigla(QStringLiteral("Sans Serif"));
    sigla.setBold(true);
    sigla.setPixelSize(qMax(6, int(side * 0.36)));
    p.setFont(sigla);
    p.setPen(Qt::white);
    p.drawText(QRectF(area.left(), area.top() + area.height() * 0.12, area.width(), area.height() * 0.50),
               Qt::AlignCenter, QStringLiteral("ZEF"));

    QFont ano(sigla);
    ano.setPixelSize(qMax(5, int(side * 0.14)));
    p.setFont(ano);
    p.setPen(QColor(0x0b, 0x2e, 0x5c));
    p.drawText(faixa, Qt::AlignCenter, QStringLiteral("2026"));
    p.end();
    return image;
}

} // namespace zef::print
