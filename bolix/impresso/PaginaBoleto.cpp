#include "PaginaBoleto.h"

#include "BarrasI2of5.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

namespace bolix {

namespace {

// Form geometry in millimetres.
constexpr double esquerda = 10.0;
constexpr double largura = 190.0;
constexpr double direita = esquerda + largura;
constexpr double colunaDireita = direita - 50.0; // the right column of values and dates
constexpr double fimDaFicha = 285.0;
constexpr double alturaTopo = 10.0;
constexpr double alturaLinha = 7.0;
constexpr double alturaLinhaInstrucao = 6.5;
constexpr double alturaPagador = 12.0;
constexpr double alturaSacador = 5.0;
constexpr double alturaFaixaBarras = 17.0;
constexpr double alturaFicha = alturaTopo + 4 * alturaLinha + 5 * alturaLinhaInstrucao + alturaPagador +
                               alturaSacador + alturaFaixaBarras;
constexpr double alturaRodapeRecibo = 8.0;
constexpr double alturaReciboSemDemonstrativo = alturaTopo + 3 * alturaLinha + alturaRodapeRecibo;
constexpr double demonstrativoMinimo = 30.0;
constexpr double demonstrativoMaximo = 60.0;
constexpr double espacoCorte = 12.0;
constexpr double zonaDeSilencio = 5.0;

constexpr double corpoLegenda = 5.5; // points
constexpr double corpoConteudo = 8.5;
constexpr double corpoTexto = 7.5;
constexpr double corpoLinhaDigitavel = 11.0;
constexpr double corpoCodigoBanco = 16.0;
constexpr double linhaFina = 0.2;
constexpr double linhaGrossa = 1.2;

QFont fonte(double pontos, bool negrito = false) {
    // Arial's metric twin where Arial is missing, so texts measure the same everywhere.
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica")});
    f.setPointSizeF(pontos);
    f.setBold(negrito);
    return f;
}

// The painter in millimetres of the sheet. Text is placed through font metrics of the device itself,
// so it lands the same in a PDF and on a printer.
class Folha {
public:
    explicit Folha(QPainter &p)
        : p_(p), escalaX_(p.device()->logicalDpiX() / 25.4), escalaY_(p.device()->logicalDpiY() / 25.4) {}

    QRectF emPontos(const QRectF &mm) const {
        return {mm.x() * escalaX_, mm.y() * escalaY_, mm.width() * escalaX_, mm.height() * escalaY_};
    }

    void preenche(const QRectF &mm) { p_.fillRect(emPontos(mm), Qt::black); }

    void linha(QPointF de, QPointF ate, double espessura = linhaFina, Qt::PenStyle estilo = Qt::SolidLine) {
        QPen caneta(Qt::black, espessura * escalaY_, estilo, Qt::FlatCap);
        p_.setPen(caneta);
        p_.drawLine(QPointF(de.x() * escalaX_, de.y() * escalaY_),
                    QPointF(ate.x() * escalaX_, ate.y() * escalaY_));
    }

    void moldura(const QRectF &mm) {
        p_.setPen(QPen(Qt::black, linhaFina * escalaY_));
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(emPontos(mm));
    }

    // One line, cut at the box's width.
    void texto(const QRectF &mm, const QString &texto, const QFont &f, Qt::Alignment alinhamento) {
        const QRectF area = emPontos(mm);
        const QFontMetricsF medida(f, p_.device());
        p_.setFont(f);
        p_.setPen(Qt::black);
        p_.drawText(area, alinhamento | Qt::TextSingleLine,
                    medida.elidedText(texto, Qt::ElideRight, area.width()));
    }

    // One line that must show whole: the type shrinks until it fits the box.
    void textoInteiro(const QRectF &mm, const QString &texto, QFont f, Qt::Alignment alinhamento) {
        const double disponivel = emPontos(mm).width();
        for (double corpo = f.pointSizeF(); corpo > 4.0; corpo -= 0.5) {
            f.setPointSizeF(corpo);
            if (QFontMetricsF(f, p_.device()).horizontalAdvance(texto) <= disponivel)
                break;
        }
        this->texto(mm, texto, f, alinhamento);
    }

    // Paragraphs wrapped at the box's width, a word too long for it broken anywhere; lines that would
    // cross its bottom are left out.
    void paragrafos(const QRectF &mm, const QStringList &textos, const QFont &f) {
        const QRectF area = emPontos(mm);
        p_.setPen(Qt::black);
        QTextOption quebra;
        quebra.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        double y = area.top();
        for (const QString &texto : textos) {
            QTextLayout layout(texto, f, p_.device());
            layout.setTextOption(quebra);
            layout.beginLayout();
            int cabem = 0;
            for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
                l.setLineWidth(area.width());
                l.setPosition(QPointF(0, y - area.top()));
                if (y + l.height() > area.bottom())
                    break;
                y += l.height();
                ++cabem;
            }
            layout.endLayout();
            for (int i = 0; i < cabem; ++i)
                layout.lineAt(i).draw(&p_, area.topLeft());
            if (cabem < layout.lineCount())
                return;
        }
    }

    void imagem(const QRectF &mm, const QImage &img) {
        const QRectF area = emPontos(mm);
        QSizeF tamanho = img.size().scaled(area.size().toSize(), Qt::KeepAspectRatio);
        p_.drawImage(QRectF(area.topLeft() + QPointF(0, (area.height() - tamanho.height()) / 2), tamanho),
                     img);
    }

private:
    QPainter &p_;
    double escalaX_;
    double escalaY_;
};

// A box of the form: its frame, the caption top-left and the content under it.
struct Caixa {
    double x1, x2;
    QString legenda;
    QString conteudo;
    Qt::Alignment alinhamento = Qt::AlignLeft;
    bool negrito = false;
};

void caixa(Folha &f, double y, double altura, const Caixa &c) {
    const QRectF r(c.x1, y, c.x2 - c.x1, altura);
    f.moldura(r);
    f.texto(QRectF(c.x1 + 1.0, y + 0.3, r.width() - 2.0, 2.2), c.legenda, fonte(corpoLegenda),
            Qt::AlignLeft | Qt::AlignTop);
    f.texto(QRectF(c.x1 + 1.0, y + 2.4, r.width() - 2.0, altura - 2.6), c.conteudo,
            fonte(corpoConteudo, c.negrito), c.alinhamento | Qt::AlignVCenter);
}

void linhaDeCaixas(Folha &f, double y, double altura, std::initializer_list<Caixa> caixas) {
    for (const Caixa &c : caixas)
        caixa(f, y, altura, c);
}

// Logo (or name), bank code between thick rules, and a text at the right: the head of both parts.
void topo(Folha &f, double y, const ConteudoBoleto &c, const QImage &logotipo, const QString &aDireita) {
    const double fimLogo = esquerda + 42.0, fimCodigo = fimLogo + 22.0;
    if (!logotipo.isNull())
        f.imagem(QRectF(esquerda, y + 0.5, fimLogo - esquerda - 1.0, alturaTopo - 1.0), logotipo);
    else
        f.textoInteiro(QRectF(esquerda, y, fimLogo - esquerda - 1.0, alturaTopo), c.nomeBanco,
                       fonte(10.0, true), Qt::AlignLeft | Qt::AlignBottom);
    f.linha({fimLogo, y + 2.0}, {fimLogo, y + alturaTopo}, linhaGrossa);
    f.linha({fimCodigo, y + 2.0}, {fimCodigo, y + alturaTopo}, linhaGrossa);
    f.textoInteiro(QRectF(fimLogo + 0.6, y + 2.0, fimCodigo - fimLogo - 1.2, alturaTopo - 2.0), c.codigoBanco,
                   fonte(corpoCodigoBanco, true), Qt::AlignCenter);
    f.textoInteiro(QRectF(fimCodigo + 2.0, y + 2.0, direita - fimCodigo - 2.0, alturaTopo - 2.0), aDireita,
                   fonte(corpoLinhaDigitavel, true), Qt::AlignRight | Qt::AlignBottom);
    f.linha({esquerda, y + alturaTopo}, {direita, y + alturaTopo}, 0.4);
}

double recibo(Folha &f, double y, double demonstrativo, const ConteudoBoleto &c, const QImage &logotipo) {
    topo(f, y, c, logotipo, c.linhaDigitavel);
    y += alturaTopo;
    const double meio = esquerda + 95.0;
    linhaDeCaixas(
        f, y, alturaLinha,
        {{esquerda, meio, QStringLiteral("Beneficiário"), c.beneficiario},
         {meio, colunaDireita, QStringLiteral("Agência/Código do beneficiário"), c.agenciaCodigo},
         {colunaDireita, direita, QStringLiteral("Vencimento"), c.vencimento, Qt::AlignRight, true}});
    y += alturaLinha;
    linhaDeCaixas(f, y, alturaLinha,
                  {{esquerda, meio, QStringLiteral("Pagador"), c.pagador.value(0)},
                   {meio, colunaDireita, QStringLiteral("Nº do documento"), c.numeroDocumento},
                   {colunaDireita, direita, QStringLiteral("Nosso número"), c.nossoNumero, Qt::AlignRight}});
    y += alturaLinha;
    linhaDeCaixas(
        f, y, alturaLinha,
        {{esquerda, esquerda + 32.0, QStringLiteral("Data do documento"), c.dataDocumento},
         {esquerda + 32.0, esquerda + 64.0, QStringLiteral("Data processamento"), c.dataProcessamento},
         {esquerda + 64.0, meio, QStringLiteral("Espécie doc."), c.especieDoc},
         {meio, colunaDireita, QStringLiteral("Carteira"), c.carteira},
         {colunaDireita, direita, QStringLiteral("(=) Valor do documento"),
          c.valorCobrado.isEmpty() ? c.valorDocumento : c.valorCobrado, Qt::AlignRight, true}});
    y += alturaLinha;
    const QRectF caixaDemonstrativo(esquerda, y, largura, demonstrativo);
    f.moldura(caixaDemonstrativo);
    f.texto(QRectF(esquerda + 1.0, y + 0.3, largura - 2.0, 2.2), QStringLiteral("Demonstrativo"),
            fonte(corpoLegenda), Qt::AlignLeft | Qt::AlignTop);
    f.paragrafos(caixaDemonstrativo.adjusted(1.0, 3.0, -1.0, -0.5), c.demonstrativo, fonte(corpoTexto));
    y += demonstrativo;
    f.texto(QRectF(esquerda, y + 0.5, 60.0, 4.0), QStringLiteral("Recibo do Pagador"),
            fonte(corpoConteudo, true), Qt::AlignLeft | Qt::AlignTop);
    f.texto(QRectF(colunaDireita, y + 0.5, direita - colunaDireita, 3.0),
            QStringLiteral("Autenticação mecânica"), fonte(corpoLegenda), Qt::AlignRight | Qt::AlignTop);
    return y + alturaRodapeRecibo;
}

void linhaDeCorte(Folha &f, double y) {
    f.texto(QRectF(esquerda, y - 3.0, largura, 2.5), QStringLiteral("Corte na linha pontilhada"),
            fonte(corpoLegenda), Qt::AlignRight | Qt::AlignBottom);
    f.linha({esquerda, y}, {direita, y}, linhaFina, Qt::DashLine);
}

double valoresEInstrucoes(Folha &f, double y, const ConteudoBoleto &c) {
    const QString rotulos[] = {QStringLiteral("(-) Desconto / Abatimento"),
                               QStringLiteral("(-) Outras deduções"), QStringLiteral("(+) Mora / Multa"),
                               QStringLiteral("(+) Outros acréscimos"), QStringLiteral("(=) Valor cobrado")};
    const QString valores[] = {{}, {}, {}, c.outrosAcrescimos, c.valorCobrado};
    for (int i = 0; i < 5; ++i)
        caixa(f, y + i * alturaLinhaInstrucao, alturaLinhaInstrucao,
              {colunaDireita, direita, rotulos[i], valores[i], Qt::AlignRight});
    const QRectF instrucoes(esquerda, y, colunaDireita - esquerda, 5 * alturaLinhaInstrucao);
    f.moldura(instrucoes);
    f.texto(QRectF(esquerda + 1.0, y + 0.3, instrucoes.width() - 2.0, 2.2),
            QStringLiteral("Instruções (texto de responsabilidade do beneficiário)"), fonte(corpoLegenda),
            Qt::AlignLeft | Qt::AlignTop);
    f.paragrafos(instrucoes.adjusted(1.0, 3.0, -1.0, -0.5), c.instrucoes, fonte(corpoConteudo));
    return y + 5 * alturaLinhaInstrucao;
}

void ficha(Folha &f, double y, const ConteudoBoleto &c, const QImage &logotipo) {
    topo(f, y, c, logotipo, c.linhaDigitavel);
    y += alturaTopo;
    linhaDeCaixas(
        f, y, alturaLinha,
        {{esquerda, colunaDireita, QStringLiteral("Local de pagamento"), c.localPagamento},
         {colunaDireita, direita, QStringLiteral("Vencimento"), c.vencimento, Qt::AlignRight, true}});
    y += alturaLinha;
    linhaDeCaixas(f, y, alturaLinha,
                  {{esquerda, colunaDireita, QStringLiteral("Beneficiário"), c.beneficiario},
                   {colunaDireita, direita, QStringLiteral("Agência/Código do beneficiário"), c.agenciaCodigo,
                    Qt::AlignRight}});
    y += alturaLinha;
    linhaDeCaixas(
        f, y, alturaLinha,
        {{esquerda, esquerda + 28.0, QStringLiteral("Data do documento"), c.dataDocumento},
         {esquerda + 28.0, esquerda + 63.0, QStringLiteral("Nº do documento"), c.numeroDocumento},
         {esquerda + 63.0, esquerda + 83.0, QStringLiteral("Espécie doc."), c.especieDoc},
         {esquerda + 83.0, esquerda + 98.0, QStringLiteral("Aceite"), c.aceite},
         {esquerda + 98.0, colunaDireita, QStringLiteral("Data processamento"), c.dataProcessamento},
         {colunaDireita, direita, QStringLiteral("Nosso número"), c.nossoNumero, Qt::AlignRight}});
    y += alturaLinha;
    linhaDeCaixas(f, y, alturaLinha,
                  {{esquerda, esquerda + 28.0, QStringLiteral("Uso do banco"), {}},
                   {esquerda + 28.0, esquerda + 48.0, QStringLiteral("Carteira"), c.carteira},
                   {esquerda + 48.0, esquerda + 63.0, QStringLiteral("Espécie"), QStringLiteral("R$")},
                   {esquerda + 63.0, esquerda + 98.0, QStringLiteral("Quantidade"), {}},
                   {esquerda + 98.0, colunaDireita, QStringLiteral("(x) Valor"), {}},
                   {colunaDireita, direita, QStringLiteral("(=) Valor do documento"), c.valorDocumento,
                    Qt::AlignRight, true}});
    y = valoresEInstrucoes(f, y + alturaLinha, c);

    const QRectF pagador(esquerda, y, largura, alturaPagador);
    f.moldura(pagador);
    f.texto(QRectF(esquerda + 1.0, y + 0.3, 30.0, 2.2), QStringLiteral("Pagador"), fonte(corpoLegenda),
            Qt::AlignLeft | Qt::AlignTop);
    for (int i = 0; i < 3; ++i)
        f.texto(QRectF(esquerda + 1.0, y + 2.4 + i * 3.1, largura - 2.0, 3.1), c.pagador.value(i),
                fonte(corpoTexto, i == 0), Qt::AlignLeft | Qt::AlignVCenter);
    y += alturaPagador;
    f.moldura(QRectF(esquerda, y, largura, alturaSacador));
    f.texto(QRectF(esquerda + 1.0, y, largura - 2.0, alturaSacador), QStringLiteral("Sacador/Avalista"),
            fonte(corpoLegenda), Qt::AlignLeft | Qt::AlignVCenter);
    y += alturaSacador;

    for (const QRectF &barra : barrasI2of5(c.codigoBarras, QPointF(esquerda + zonaDeSilencio, y + 2.0)))
        f.preenche(barra);
    f.texto(QRectF(colunaDireita - 20.0, y + 0.5, direita - colunaDireita + 20.0, 3.0),
            QStringLiteral("Autenticação mecânica - Ficha de Compensação"), fonte(corpoConteudo, true),
            Qt::AlignRight | Qt::AlignTop);
}

} // namespace

void desenhaBoleto(QPainter &painter, const ConteudoBoleto &conteudo, const QImage &logotipo,
                   int margemSuperiorMm) {
    constexpr double formaMinima =
        alturaReciboSemDemonstrativo + demonstrativoMinimo + espacoCorte + alturaFicha;
    // A margin that would push the ficha off the sheet is cut to what the sheet holds.
    const double topo = std::clamp(static_cast<double>(margemSuperiorMm), 0.0, fimDaFicha - formaMinima);
    const double demonstrativo =
        std::clamp(fimDaFicha - topo - alturaReciboSemDemonstrativo - espacoCorte - alturaFicha,
                   demonstrativoMinimo, demonstrativoMaximo);
    Folha folha(painter);
    const double fimRecibo = recibo(folha, topo, demonstrativo, conteudo, logotipo);
    // The ficha sits at the foot of the sheet, as the banks ask of A4 forms.
    const double inicioFicha = std::max(fimRecibo + espacoCorte, fimDaFicha - alturaFicha);
    linhaDeCorte(folha, inicioFicha - espacoCorte / 2);
    ficha(folha, inicioFicha, conteudo, logotipo);
}

} // namespace bolix
