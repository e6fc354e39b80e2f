#include "PinturaBoleto.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace bolix {

namespace {

QFont fonte(Fonte f) {
    // Arial and its metric twin measure and kern as the page was laid out.
    QFont qf;
    qf.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
    qf.setPointSizeF(f.pontos);
    qf.setBold(f.negrito);
    return qf;
}

void pintaDesenho(QPainter &painter, const Desenho &desenho, const QImage &logotipo) {
    const double escalaX = painter.device()->logicalDpiX() / 25.4;
    const double escalaY = painter.device()->logicalDpiY() / 25.4;
    const auto ponto = [&](QPointF mm) { return QPointF(mm.x() * escalaX, mm.y() * escalaY); };
    const auto area = [&](const QRectF &mm) { return QRectF(ponto(mm.topLeft()), ponto(mm.bottomRight())); };

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, espessuraMoldura * escalaY));
    for (const QRectF &r : desenho.molduras)
        painter.drawRect(area(r));
    for (const Traco &t : desenho.tracos) {
        painter.setPen(
            QPen(Qt::black, t.espessura * escalaY, t.tracejado ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(ponto(t.de), ponto(t.ate));
    }
    for (const QRectF &r : desenho.preenchidos)
        painter.fillRect(area(r), Qt::black);
    if (const auto &qr = desenho.qr) {
        const double m = qr->modulo();
        for (const CorridaQr &c : qr->codigo.corridas())
            painter.fillRect(
                area(QRectF(qr->origem() + QPointF(c.coluna, c.linha) * m, QSizeF(c.comprimento, 1) * m)),
                Qt::black);
    }
    for (const QRectF &r : desenho.logotipos)
        painter.drawImage(area(r), logotipo);
    painter.setPen(Qt::black);
    for (const TextoPosto &t : desenho.textos) {
        painter.setFont(fonte(t.fonte));
        painter.drawText(ponto(t.base), t.texto);
    }
}

} // namespace

bool desenhaBoletos(QPagedPaintDevice &dispositivo, const QList<ConteudoBoleto> &paginas,
                    const QImage &logotipo, int margemSuperiorMm) {
    QPainter painter;
    if (!painter.begin(&dispositivo))
        return false;
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        if (i > 0)
            dispositivo.newPage();
        pintaDesenho(painter, formularioBoleto(paginas[i], logotipo.size(), margemSuperiorMm), logotipo);
        pintaDesenho(painter, camposBoleto(paginas[i], margemSuperiorMm), logotipo);
    }
    return painter.end();
}

} // namespace bolix
