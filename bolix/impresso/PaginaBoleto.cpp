#include "PaginaBoleto.h"

#include "BarrasI2of5.h"
#include "QrCode.h"

#include <algorithm>
#include <span>

namespace bolix {

namespace {

// Form geometry in millimetres.
constexpr double esquerda = 10.0;
constexpr double larguraFormulario = 190.0;
constexpr double direita = esquerda + larguraFormulario;
constexpr double colunaDireita = direita - 50.0; // the right column of values and dates
constexpr double meioRecibo = esquerda + 95.0;
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
constexpr double inicioValores = alturaTopo + 4 * alturaLinha; // below the ficha's top
constexpr double inicioPagador = inicioValores + 5 * alturaLinhaInstrucao;

constexpr Fonte legenda{5.5};
constexpr Fonte conteudo{8.5};
constexpr Fonte conteudoNegrito{8.5, true};
constexpr Fonte texto{7.5};
constexpr Fonte linhaDigitavel{11.0, true};
constexpr Fonte codigoBanco{16.0, true};
constexpr Fonte nomeBanco{10.0, true};
constexpr Fonte copiaECola{6.0};
constexpr double linhaFina = espessuraMoldura;
constexpr double linhaGrossa = 1.2;
constexpr double mmPorPonto = 25.4 / 72.0;

// Where the two parts go on the sheet for a given top margin.
struct Geometria {
    double recibo;        // top of the recibo
    double demonstrativo; // height of the recibo's demonstrativo box
    double ficha;         // top of the ficha
};

Geometria geometria(int margemSuperiorMm) {
    constexpr double formaMinima =
        alturaReciboSemDemonstrativo + demonstrativoMinimo + espacoCorte + alturaFicha;
    // A margin that would push the ficha off the sheet is cut to what the sheet holds.
    const double recibo = std::clamp(static_cast<double>(margemSuperiorMm), 0.0, fimDaFicha - formaMinima);
    const double demonstrativo =
        std::clamp(fimDaFicha - recibo - alturaReciboSemDemonstrativo - espacoCorte - alturaFicha,
                   demonstrativoMinimo, demonstrativoMaximo);
    const double fimRecibo = recibo + alturaReciboSemDemonstrativo + demonstrativo;
    // The ficha sits at the foot of the sheet, as the banks ask of A4 forms.
    return {recibo, demonstrativo, std::max(fimRecibo + espacoCorte, fimDaFicha - alturaFicha)};
}

// A box of the form: its frame and caption, and the field shown in it.
struct Caixa {
    double x1, x2;
    QStringView legenda;
    QString (*campo)(const ConteudoBoleto &) = nullptr; // none: the box shows `fixo` or stays blank
    Qt::Alignment alinhamento = Qt::AlignLeft;
    bool negrito = false;
    QStringView fixo = {};
};

struct LinhaDeCaixas {
    bool naFicha;        // else in the recibo
    double abaixoDoTopo; // of its part
    double altura;
    std::span<const Caixa> caixas;
};

#define CAMPO(membro) [](const ConteudoBoleto &c) { return c.membro; }

const Caixa reciboBeneficiario[] = {
    {esquerda, meioRecibo, u"Beneficiário", CAMPO(beneficiario)},
    {meioRecibo, colunaDireita, u"Agência/Código do beneficiário", CAMPO(agenciaCodigo)},
    {colunaDireita, direita, u"Vencimento", CAMPO(vencimento), Qt::AlignRight, true}};
const Caixa reciboPagador[] = {
    {esquerda, meioRecibo, u"Pagador", [](const ConteudoBoleto &c) { return c.pagador.value(0); }},
    {meioRecibo, colunaDireita, u"Nº do documento", CAMPO(numeroDocumento)},
    {colunaDireita, direita, u"Nosso número", CAMPO(nossoNumero), Qt::AlignRight}};
const Caixa reciboDatas[] = {
    {esquerda, esquerda + 32.0, u"Data do documento", CAMPO(dataDocumento)},
    {esquerda + 32.0, esquerda + 64.0, u"Data processamento", CAMPO(dataProcessamento)},
    {esquerda + 64.0, meioRecibo, u"Espécie doc.", CAMPO(especieDoc)},
    {meioRecibo, colunaDireita, u"Carteira", CAMPO(carteira)},
    {colunaDireita, direita, u"(=) Valor do documento",
     [](const ConteudoBoleto &c) { return c.valorCobrado.isEmpty() ? c.valorDocumento : c.valorCobrado; },
     Qt::AlignRight, true}};
const Caixa fichaLocal[] = {{esquerda, colunaDireita, u"Local de pagamento", CAMPO(localPagamento)},
                            {colunaDireita, direita, u"Vencimento", CAMPO(vencimento), Qt::AlignRight, true}};
const Caixa fichaBeneficiario[] = {
    {esquerda, colunaDireita, u"Beneficiário", CAMPO(beneficiario)},
    {colunaDireita, direita, u"Agência/Código do beneficiário", CAMPO(agenciaCodigo), Qt::AlignRight}};
const Caixa fichaDocumento[] = {
    {esquerda, esquerda + 28.0, u"Data do documento", CAMPO(dataDocumento)},
    {esquerda + 28.0, esquerda + 63.0, u"Nº do documento", CAMPO(numeroDocumento)},
    {esquerda + 63.0, esquerda + 83.0, u"Espécie doc.", CAMPO(especieDoc)},
    {esquerda + 83.0, esquerda + 98.0, u"Aceite", CAMPO(aceite)},
    {esquerda + 98.0, colunaDireita, u"Data processamento", CAMPO(dataProcessamento)},
    {colunaDireita, direita, u"Nosso número", CAMPO(nossoNumero), Qt::AlignRight}};
const Caixa fichaValor[] = {
    {esquerda, esquerda + 28.0, u"Uso do banco"},
    {esquerda + 28.0, esquerda + 48.0, u"Carteira", CAMPO(carteira)},
    {esquerda + 48.0, esquerda + 63.0, u"Espécie", nullptr, Qt::AlignLeft, false, u"R$"},
    {esquerda + 63.0, esquerda + 98.0, u"Quantidade"},
    {esquerda + 98.0, colunaDireita, u"(x) Valor"},
    {colunaDireita, direita, u"(=) Valor do documento", CAMPO(valorDocumento), Qt::AlignRight, true}};
const Caixa desconto[] = {{colunaDireita, direita, u"(-) Desconto / Abatimento"}};
const Caixa deducoes[] = {{colunaDireita, direita, u"(-) Outras deduções"}};
const Caixa mora[] = {{colunaDireita, direita, u"(+) Mora / Multa"}};
const Caixa acrescimos[] = {
    {colunaDireita, direita, u"(+) Outros acréscimos", CAMPO(outrosAcrescimos), Qt::AlignRight}};
const Caixa cobrado[] = {{colunaDireita, direita, u"(=) Valor cobrado", CAMPO(valorCobrado), Qt::AlignRight}};

#undef CAMPO

const LinhaDeCaixas linhasDeCaixas[] = {
    {false, alturaTopo, alturaLinha, reciboBeneficiario},
    {false, alturaTopo + alturaLinha, alturaLinha, reciboPagador},
    {false, alturaTopo + 2 * alturaLinha, alturaLinha, reciboDatas},
    {true, alturaTopo, alturaLinha, fichaLocal},
    {true, alturaTopo + alturaLinha, alturaLinha, fichaBeneficiario},
    {true, alturaTopo + 2 * alturaLinha, alturaLinha, fichaDocumento},
    {true, alturaTopo + 3 * alturaLinha, alturaLinha, fichaValor},
    {true, inicioValores, alturaLinhaInstrucao, desconto},
    {true, inicioValores + alturaLinhaInstrucao, alturaLinhaInstrucao, deducoes},
    {true, inicioValores + 2 * alturaLinhaInstrucao, alturaLinhaInstrucao, mora},
    {true, inicioValores + 3 * alturaLinhaInstrucao, alturaLinhaInstrucao, acrescimos},
    {true, inicioValores + 4 * alturaLinhaInstrucao, alturaLinhaInstrucao, cobrado},
};

double topoDa(const LinhaDeCaixas &l, const Geometria &g) {
    return (l.naFicha ? g.ficha : g.recibo) + l.abaixoDoTopo;
}

// Boxes whose text is wrapped in paragraphs; each has its caption and its frame.
QRectF caixaDemonstrativo(const Geometria &g) {
    return {esquerda, g.recibo + alturaTopo + 3 * alturaLinha, larguraFormulario, g.demonstrativo};
}
QRectF caixaInstrucoes(const Geometria &g) {
    return {esquerda, g.ficha + inicioValores, colunaDireita - esquerda, 5 * alturaLinhaInstrucao};
}
QRectF caixaPagador(const Geometria &g) {
    return {esquerda, g.ficha + inicioPagador, larguraFormulario, alturaPagador};
}
QRectF caixaSacador(const Geometria &g) {
    return {esquerda, g.ficha + inicioPagador + alturaPagador, larguraFormulario, alturaSacador};
}
double topoFaixaBarras(const Geometria &g) {
    return g.ficha + inicioPagador + alturaPagador + alturaSacador;
}
double fimRecibo(const Geometria &g) {
    return caixaDemonstrativo(g).bottom();
}

// The Pix QR at the right of the instructions, its side with the quiet zone within the 22 to 25 mm the
// banks ask for, its caption below it.
constexpr double ladoQrPix = 25.0;
QRectF areaQrPix(const Geometria &g) {
    const QRectF instrucoes = caixaInstrucoes(g);
    return {instrucoes.right() - 1.0 - ladoQrPix, instrucoes.top() + 2.5, ladoQrPix, ladoQrPix};
}
// The "copia e cola" text at the foot of the recibo's demonstrativo: its caption and four lines.
constexpr double alturaCopiaECola = 12.5;

// Where captions and contents go inside a box.
QRectF areaLegenda(const QRectF &caixa) {
    return {caixa.left() + 1.0, caixa.top() + 0.3, caixa.width() - 2.0, 2.2};
}
QRectF areaConteudo(const QRectF &caixa) {
    return {caixa.left() + 1.0, caixa.top() + 2.4, caixa.width() - 2.0, caixa.height() - 2.6};
}
QRectF areaParagrafos(const QRectF &caixa) {
    return caixa.adjusted(1.0, 3.0, -1.0, -0.5);
}
QRectF areaLinhaPagador(const QRectF &caixa, int i) {
    return {caixa.left() + 1.0, caixa.top() + 2.4 + i * 3.1, caixa.width() - 2.0, 3.1};
}

// The head of both parts: logo or name, the bank's code between thick rules, the linha digitável.
constexpr double fimLogo = esquerda + 42.0;
constexpr double fimCodigo = fimLogo + 22.0;
QRectF areaLinhaDigitavel(double y) {
    return {fimCodigo + 2.0, y + 2.0, direita - fimCodigo - 2.0, alturaTopo - 2.0};
}

double emMm(double pontos) {
    return pontos * mmPorPonto;
}

double larguraMm(QByteArrayView bytes, Fonte f) {
    return emMm(bolix::largura(bytes, f));
}

// Texts placed in boxes, measured with the faces' own widths.
class Textos {
public:
    explicit Textos(QList<TextoPosto> &saida) : saida_(saida) {}

    // One line, cut with an ellipsis at the box's width.
    void linha(const QRectF &caixa, const QString &t, Fonte f, Qt::Alignment alinhamento) {
        if (t.isEmpty())
            return;
        const QByteArray bytes = winAnsi(t);
        if (larguraMm(bytes, f) <= caixa.width()) {
            poe(caixa, t, larguraMm(bytes, f), f, alinhamento);
            return;
        }
        // The longest start that fits with the ellipsis after it.
        qsizetype cabem = 0;
        while (cabem < bytes.size() && larguraMm(bytes.first(cabem + 1) + '\x85', f) <= caixa.width())
            ++cabem;
        const QByteArray cortado = bytes.first(cabem) + '\x85';
        poe(caixa, t.left(cabem) + u'\u2026', larguraMm(cortado, f), f, alinhamento);
    }

    // One line that must show whole: the type shrinks until it fits the box.
    void inteira(const QRectF &caixa, const QString &t, Fonte f, Qt::Alignment alinhamento) {
        const QByteArray bytes = winAnsi(t);
        for (double corpo = f.pontos; corpo > 4.0; corpo -= 0.5) {
            f.pontos = corpo;
            if (larguraMm(bytes, f) <= caixa.width())
                break;
        }
        linha(caixa, t, f, alinhamento);
    }

    // Paragraphs wrapped at the box's width after blanks, a word too long for a line broken anywhere;
    // lines that would cross its bottom are left out. An empty paragraph is an empty line.
    void paragrafos(const QRectF &caixa, const QStringList &paragrafos, Fonte f) {
        const double altura = emMm(entrelinha(f));
        double y = caixa.top();
        for (const QString &p : paragrafos) {
            const QByteArray bytes = winAnsi(p);
            qsizetype inicio = 0;
            do {
                if (y + altura > caixa.bottom())
                    return;
                const qsizetype fim = fimDaLinha(bytes, inicio, f, caixa.width());
                const QString linha = p.sliced(inicio, fim - inicio).trimmed();
                if (!linha.isEmpty())
                    saida_.append({QPointF(caixa.left(), y + emMm(ascendente(f))), linha, f});
                y += altura;
                inicio = fim;
            } while (inicio < bytes.size());
        }
    }

private:
    void poe(const QRectF &caixa, const QString &t, double larguraTexto, Fonte f, Qt::Alignment alinhamento) {
        double x = caixa.left();
        if (alinhamento & Qt::AlignRight)
            x = caixa.right() - larguraTexto;
        else if (alinhamento & Qt::AlignHCenter)
            x = caixa.left() + (caixa.width() - larguraTexto) / 2;
        const double altura = emMm(entrelinha(f));
        double topo = caixa.top();
        if (alinhamento & Qt::AlignBottom)
            topo = caixa.bottom() - altura;
        else if (alinhamento & Qt::AlignVCenter)
            topo = caixa.top() + (caixa.height() - altura) / 2;
        saida_.append({QPointF(x, topo + emMm(ascendente(f))), t, f});
    }

    // Where the line that starts at `inicio` ends: after the last word that fits with the blanks that
    // follow it, or, when not even the first word fits, after its last letter that does.
    static qsizetype fimDaLinha(const QByteArray &bytes, qsizetype inicio, Fonte f, double larguraCaixa) {
        const auto cabe = [&](qsizetype fim) {
            return larguraMm(QByteArrayView(bytes).sliced(inicio, fim - inicio), f) <= larguraCaixa;
        };
        qsizetype fim = inicio;
        while (fim < bytes.size()) {
            qsizetype fimPalavra = fim;
            while (fimPalavra < bytes.size() && bytes[fimPalavra] != ' ')
                ++fimPalavra;
            if (!cabe(fimPalavra))
                break;
            while (fimPalavra < bytes.size() && bytes[fimPalavra] == ' ')
                ++fimPalavra;
            fim = fimPalavra;
        }
        if (fim > inicio)
            return fim;
        ++fim; // at least one letter
        while (fim < bytes.size() && cabe(fim + 1))
            ++fim;
        return fim;
    }

    QList<TextoPosto> &saida_;
};

void cabecalho(Desenho &d, double y, const ConteudoBoleto &c, QSize logotipo) {
    Textos textos(d.textos);
    const QRectF areaLogo(esquerda, y + 0.5, fimLogo - esquerda - 1.0, alturaTopo - 1.0);
    if (!logotipo.isEmpty()) {
        const QSizeF tamanho = QSizeF(logotipo).scaled(areaLogo.size(), Qt::KeepAspectRatio);
        d.logotipos.append(
            QRectF(areaLogo.topLeft() + QPointF(0, (areaLogo.height() - tamanho.height()) / 2), tamanho));
    } else {
        textos.inteira(QRectF(esquerda, y, fimLogo - esquerda - 1.0, alturaTopo), c.nomeBanco, nomeBanco,
                       Qt::AlignLeft | Qt::AlignBottom);
    }
    d.tracos.append({{fimLogo, y + 2.0}, {fimLogo, y + alturaTopo}, linhaGrossa});
    d.tracos.append({{fimCodigo, y + 2.0}, {fimCodigo, y + alturaTopo}, linhaGrossa});
    textos.inteira(QRectF(fimLogo + 0.6, y + 2.0, fimCodigo - fimLogo - 1.2, alturaTopo - 2.0), c.codigoBanco,
                   codigoBanco, Qt::AlignCenter);
    d.tracos.append({{esquerda, y + alturaTopo}, {direita, y + alturaTopo}, 0.4});
}

// A frame with its caption at the top left.
void moldura(Desenho &d, const QRectF &caixa, QStringView titulo) {
    d.molduras.append(caixa);
    Textos(d.textos).linha(areaLegenda(caixa), titulo.toString(), legenda, Qt::AlignLeft | Qt::AlignTop);
}

} // namespace

Desenho formularioBoleto(const ConteudoBoleto &c, QSize logotipo, int margemSuperiorMm) {
    const Geometria g = geometria(margemSuperiorMm);
    Desenho d;
    Textos textos(d.textos);
    cabecalho(d, g.recibo, c, logotipo);
    cabecalho(d, g.ficha, c, logotipo);
    for (const LinhaDeCaixas &l : linhasDeCaixas)
        for (const Caixa &cx : l.caixas) {
            const QRectF caixa(cx.x1, topoDa(l, g), cx.x2 - cx.x1, l.altura);
            moldura(d, caixa, cx.legenda);
            textos.linha(areaConteudo(caixa), cx.fixo.toString(), cx.negrito ? conteudoNegrito : conteudo,
                         cx.alinhamento | Qt::AlignVCenter);
        }
    moldura(d, caixaDemonstrativo(g), u"Demonstrativo");
    moldura(d, caixaInstrucoes(g), u"Instruções (texto de responsabilidade do beneficiário)");
    moldura(d, caixaPagador(g), u"Pagador");
    d.molduras.append(caixaSacador(g));
    textos.linha(caixaSacador(g).adjusted(1.0, 0, -1.0, 0), QStringLiteral("Sacador/Avalista"), legenda,
                 Qt::AlignLeft | Qt::AlignVCenter);

    const double rodape = fimRecibo(g);
    textos.linha(QRectF(esquerda, rodape + 0.5, 60.0, 4.0), QStringLiteral("Recibo do Pagador"),
                 conteudoNegrito, Qt::AlignLeft | Qt::AlignTop);
    textos.linha(QRectF(colunaDireita, rodape + 0.5, direita - colunaDireita, 3.0),
                 QStringLiteral("Autenticação mecânica"), legenda, Qt::AlignRight | Qt::AlignTop);
    const double corte = g.ficha - espacoCorte / 2;
    textos.linha(QRectF(esquerda, corte - 3.0, larguraFormulario, 2.5),
                 QStringLiteral("Corte na linha pontilhada"), legenda, Qt::AlignRight | Qt::AlignBottom);
    d.tracos.append({{esquerda, corte}, {direita, corte}, linhaFina, true});
    textos.linha(QRectF(colunaDireita - 20.0, topoFaixaBarras(g) + 0.5, direita - colunaDireita + 20.0, 3.0),
                 QStringLiteral("Autenticação mecânica - Ficha de Compensação"), conteudoNegrito,
                 Qt::AlignRight | Qt::AlignTop);
    return d;
}

Desenho camposBoleto(const ConteudoBoleto &c, int margemSuperiorMm) {
    const Geometria g = geometria(margemSuperiorMm);
    Desenho d;
    Textos textos(d.textos);
    for (const double topo : {g.recibo, g.ficha})
        textos.inteira(areaLinhaDigitavel(topo), c.linhaDigitavel, linhaDigitavel,
                       Qt::AlignRight | Qt::AlignBottom);
    for (const LinhaDeCaixas &l : linhasDeCaixas)
        for (const Caixa &cx : l.caixas)
            if (cx.campo)
                textos.linha(areaConteudo(QRectF(cx.x1, topoDa(l, g), cx.x2 - cx.x1, l.altura)), cx.campo(c),
                             cx.negrito ? conteudoNegrito : conteudo, cx.alinhamento | Qt::AlignVCenter);
    QRectF demonstrativo = areaParagrafos(caixaDemonstrativo(g));
    QRectF instrucoes = areaParagrafos(caixaInstrucoes(g));
    if (!c.pix.isEmpty()) {
        const QRectF qr = areaQrPix(g);
        d.qr = QrPosto{qr, c.qrPix};
        textos.linha(QRectF(qr.left(), qr.bottom(), qr.width(), 3.0), QStringLiteral("Pague com Pix"),
                     conteudoNegrito, Qt::AlignHCenter | Qt::AlignTop);
        instrucoes.setRight(qr.left() - 1.0);
        const QRectF pix(demonstrativo.left(), demonstrativo.bottom() - alturaCopiaECola,
                         demonstrativo.width(), alturaCopiaECola);
        demonstrativo.setBottom(pix.top());
        textos.paragrafos(pix, {QStringLiteral("Pix Copia e Cola:"), c.pix}, copiaECola);
    }
    textos.paragrafos(demonstrativo, c.demonstrativo, texto);
    textos.paragrafos(instrucoes, c.instrucoes, conteudo);
    for (int i = 0; i < 3; ++i)
        textos.linha(areaLinhaPagador(caixaPagador(g), i), c.pagador.value(i), Fonte{texto.pontos, i == 0},
                     Qt::AlignLeft | Qt::AlignVCenter);
    // Above the recibo, so that neither part the bank reads changes.
    textos.linha(QRectF(fimCodigo, std::max(0.0, g.recibo - 5.0), direita - fimCodigo, 4.5), c.via,
                 conteudoNegrito, Qt::AlignRight | Qt::AlignBottom);
    d.preenchidos +=
        barrasI2of5(c.codigoBarras, QPointF(esquerda + zonaDeSilencio, topoFaixaBarras(g) + 2.0));
    return d;
}

} // namespace bolix
