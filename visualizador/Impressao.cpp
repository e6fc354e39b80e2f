#include "Impressao.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <utility>

namespace visualizador {

QPageLayout layoutPadrao() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QFont fonteParaColunas(int colunas, QPaintDevice &dispositivo) {
    QFont fonte = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fonte.setStyleHint(QFont::TypeWriter);
    fonte.setFixedPitch(true);
    fonte.setKerning(false);
    const qreal largura = dispositivo.width();
    const qreal referencia = 10;
    fonte.setPointSizeF(referencia);
    const qreal avanco = QFontMetricsF(fonte, &dispositivo).horizontalAdvance(u'M');
    fonte.setPointSizeF(referencia * largura / (colunas * avanco));
    // Glyph advances are rounded to device units; step down until the whole line really fits.
    while (QFontMetricsF(fonte, &dispositivo).horizontalAdvance(QString(colunas, u'M')) > largura)
        fonte.setPointSizeF(fonte.pointSizeF() * 0.99);
    return fonte;
}

bool imprime(const QList<Pagina> &paginas, int colunas, QPagedPaintDevice &dispositivo) {
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        return false;
    const QFont fonte = fonteParaColunas(colunas, dispositivo);
    pintor.setFont(fonte);
    const QFontMetricsF medidas(fonte, &dispositivo);
    const qreal altura = medidas.lineSpacing();
    const int linhasPorFolha = std::max(1, static_cast<int>(dispositivo.height() / altura));

    bool primeiraFolha = true;
    for (const Pagina &pagina : paginas) {
        const qsizetype folhas =
            std::max<qsizetype>(1, (pagina.size() + linhasPorFolha - 1) / linhasPorFolha);
        for (qsizetype folha = 0; folha < folhas; ++folha) {
            if (!std::exchange(primeiraFolha, false))
                dispositivo.newPage();
            const qsizetype inicio = folha * linhasPorFolha;
            const qsizetype fim = std::min<qsizetype>(pagina.size(), inicio + linhasPorFolha);
            for (qsizetype i = inicio; i < fim; ++i)
                pintor.drawText(QPointF(0, (i - inicio) * altura + medidas.ascent()),
                                pagina[i].left(colunas));
        }
    }
    return pintor.end();
}

bool salvaPdf(const QList<Pagina> &paginas, int colunas, const QString &arquivo, const QString &titulo) {
    QPdfWriter pdf(arquivo);
    pdf.setPageLayout(layoutPadrao());
    pdf.setTitle(titulo);
    pdf.setCreator(QStringLiteral("visualizador"));
    return imprime(paginas, colunas, pdf);
}

} // namespace visualizador
