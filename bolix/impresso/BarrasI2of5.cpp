#include "BarrasI2of5.h"

#include "bolix/core/CodigoBarras.h"

namespace bolix {

QList<QRectF> barrasI2of5(QStringView digitos, QPointF origem, double altura) {
    const QString elementos = padraoI2of5(digitos);
    QList<QRectF> barras;
    barras.reserve(elementos.size() / 2 + 1);
    double x = origem.x();
    for (qsizetype i = 0; i < elementos.size(); ++i) {
        const double largura = moduloEstreitoMm * (elementos[i] == u'W' ? razaoLargoEstreito : 1.0);
        if (i % 2 == 0) // elements alternate bar, space, starting with a bar
            barras.append(QRectF(x, origem.y(), largura, altura));
        x += largura;
    }
    return barras;
}

} // namespace bolix
