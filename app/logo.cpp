#include "app/logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace zef {

QPixmap logoZef(int lado)
{
    QPixmap pixmap(lado, lado);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF area(1, 1, lado - 2, lado - 2);
    const qreal raio = lado * 0.14;
    QLinearGradient fundo(area.topLeft(), area.bottomRight());
    fundo.setColorAt(0.0, QColor(0x1f, 0x5f, 0xa8));
    fundo.setColorAt(1.0, QColor(0x0b, 0x2e, 0x5c));
    QPainterPath moldura;
    moldura.addRoundedRect(area, raio, raio);
    p.fillPath(moldura, fundo);
    p.setPen(QPen(QColor(0xe8, 0xb9, 0x2c), qMax(1.0, lado / 40.0)));
    p.drawPath(moldura);

    // The year band across the lower third.
    const QRectF faixa(area.left(), area.top() + area.height() * 0.66, area.width(), area.height() * 0.20);
    p.fillRect(faixa, QColor(0xe8, 0xb9, 0x2c));

    QFont sigla(QStringLiteral("Sans Serif"));
    sigla.setBold(true);
    sigla.setPixelSize(qMax(6, int(lado * 0.36)));
    p.setFont(sigla);
    p.setPen(Qt::white);
    p.drawText(QRectF(area.left(), area.top() + area.height() * 0.12, area.width(), area.height() * 0.50),
               Qt::AlignCenter, QStringLiteral("ZEF"));

    QFont ano(sigla);
    ano.setPixelSize(qMax(5, int(lado * 0.14)));
    p.setFont(ano);
    p.setPen(QColor(0x0b, 0x2e, 0x5c));
    p.drawText(faixa, Qt::AlignCenter, QStringLiteral("2026"));
    return pixmap;
}

} // namespace zef
