#include "PdfBoletos.h"

#include <QIODevice>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>
#define ZLIB_CONST // zlib reads the input through a const pointer
#include <zlib.h>

namespace bolix {

namespace {

constexpr double pontosPorMm = 72.0 / 25.4;
constexpr double larguraPagina = larguraA4Mm * pontosPorMm;
constexpr double alturaPagina = alturaA4Mm * pontosPorMm;

// Objects of fixed number; the rest follow in the order written.
enum : int { catalogo = 1, arvoreDePaginas, helvetica, helveticaNegrito, informacoes, primeiroLivre };

// A number with at most two decimals, a hundredth of a point being far below what paper shows.
void numero(QByteArray &saida, double valor) {
    const long long centesimos = std::llround(valor * 100);
    const unsigned long long absoluto = centesimos < 0 ? -centesimos : centesimos;
    if (centesimos < 0)
        saida.append('-');
    saida.append(QByteArray::number(absoluto / 100));
    if (const unsigned long long fracao = absoluto % 100) {
        saida.append('.');
        saida.append(char('0' + fracao / 10));
        if (fracao % 10)
            saida.append(char('0' + fracao % 10));
    }
    saida.append(' ');
}

// The longest run of a QR as written, "177 176 177 1 re\n".
constexpr qsizetype bytesPorCorrida = 17;

char *inteiro(char *saida, int valor) {
    saida = std::to_chars(saida, saida + 3, valor).ptr;
    *saida = ' ';
    return saida + 1;
}

// A text shown with its kerning: "[(V) 55.18 (encimento)] TJ".
void texto(QByteArray &saida, const QByteArray &winAnsi, bool negrito) {
    saida.append("[(");
    for (qsizetype i = 0; i < winAnsi.size(); ++i) {
        const char c = winAnsi[i];
        if (const double a = i > 0 ? ajuste(winAnsi[i - 1], c, negrito) : 0) {
            saida.append(") ");
            numero(saida, -a);
            saida.append('(');
        }
        if (c == '(' || c == ')' || c == '\\')
            saida.append('\\');
        saida.append(c);
    }
    saida.append(")] TJ\n");
}

// A rectangle in millimetres from the top left as the PDF's "x y w h re", from the bottom left in points.
void retangulo(QByteArray &saida, const QRectF &mm) {
    numero(saida, mm.left() * pontosPorMm);
    numero(saida, alturaPagina - mm.bottom() * pontosPorMm);
    numero(saida, mm.width() * pontosPorMm);
    numero(saida, mm.height() * pontosPorMm);
}

void ponto(QByteArray &saida, QPointF mm) {
    numero(saida, mm.x() * pontosPorMm);
    numero(saida, alturaPagina - mm.y() * pontosPorMm);
}

// The QR's runs as small integers under a scaling to its module, rows running down the page, in one fill.
void qrCode(QByteArray &saida, const QrPosto &qr) {
    const double modulo = qr.modulo() * pontosPorMm;
    saida.append("q ");
    numero(saida, modulo);
    saida.append("0 0 ");
    numero(saida, -modulo);
    ponto(saida, qr.origem());
    saida.append("cm\n");
    // Written in place: hundreds of runs a page.
    const qsizetype inicio = saida.size();
    saida.resize(inicio + qr.codigo.corridas.size() * bytesPorCorrida);
    char *fim = saida.data() + inicio;
    for (const CorridaQr &c : qr.codigo.corridas) {
        fim = inteiro(inteiro(inteiro(fim, c.coluna), c.linha), c.comprimento);
        fim = std::copy_n("1 re\n", 5, fim);
    }
    saida.truncate(fim - saida.constData());
    saida.append("f Q\n");
}

// The content stream of a drawing; the logo is the image /Im1, drawn only `comLogotipo`.
QByteArray conteudo(const Desenho &d, bool comLogotipo) {
    QByteArray s;
    s.reserve(4096 + (d.qr ? d.qr->codigo.corridas.size() * bytesPorCorrida : 0));
    if (!d.molduras.isEmpty()) {
        numero(s, espessuraMoldura * pontosPorMm);
        s.append("w\n");
        for (const QRectF &r : d.molduras) {
            retangulo(s, r);
            s.append("re\n");
        }
        s.append("S\n");
    }
    for (const Traco &t : d.tracos) {
        const double espessura = t.espessura * pontosPorMm;
        numero(s, espessura);
        s.append("w ");
        if (t.tracejado) { // the painter's dash: four widths drawn, two blank
            s.append('[');
            numero(s, 4 * espessura);
            numero(s, 2 * espessura);
            s.append("] 0 d ");
        }
        ponto(s, t.de);
        s.append("m ");
        ponto(s, t.ate);
        s.append("l S\n");
        if (t.tracejado)
            s.append("[] 0 d\n");
    }
    if (!d.preenchidos.isEmpty()) {
        for (const QRectF &r : d.preenchidos) {
            retangulo(s, r);
            s.append("re\n");
        }
        s.append("f\n");
    }
    if (d.qr)
        qrCode(s, *d.qr);
    for (const QRectF &r : comLogotipo ? d.logotipos : QList<QRectF>()) {
        s.append("q ");
        numero(s, r.width() * pontosPorMm);
        s.append("0 0 ");
        numero(s, r.height() * pontosPorMm);
        ponto(s, r.bottomLeft());
        s.append("cm /Im1 Do Q\n");
    }
    if (!d.textos.isEmpty()) {
        s.append("BT\n");
        Fonte atual;
        for (const TextoPosto &t : d.textos) {
            if (!(t.fonte == atual)) {
                s.append(t.fonte.negrito ? "/F2 " : "/F1 ");
                numero(s, t.fonte.pontos);
                s.append("Tf\n");
                atual = t.fonte;
            }
            s.append("1 0 0 1 ");
            ponto(s, t.base);
            s.append("Tm ");
            texto(s, winAnsi(t.texto), t.fonte.negrito);
        }
        s.append("ET\n");
    }
    return s;
}

// Level 6 with short match chains: the QR's runs repeat short strings ("1 re") on every line, on which
// the default chains spend several times the time for a file 2 to 3% smaller. Numbers are mostly short
// and unlike: the filtered strategy codes them as literals rather than as short matches, a file 1 to 3%
// smaller in the same time.
QByteArray comprime(const QByteArray &dados) {
    z_stream z{};
    constexpr int memoriaPadrao = 8; // zlib's own default
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, MAX_WBITS, memoriaPadrao, Z_FILTERED) != Z_OK)
        throw std::bad_alloc();
    deflateTune(&z, 8, 16, 32, 8);
    QByteArray saida(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(dados.size()))),
                     Qt::Uninitialized);
    z.next_in = reinterpret_cast<const Bytef *>(dados.constData());
    z.avail_in = static_cast<uInt>(dados.size());
    z.next_out = reinterpret_cast<Bytef *>(saida.data());
    z.avail_out = static_cast<uInt>(saida.size());
    deflate(&z, Z_FINISH); // the output has the bound's room: the stream ends in one call
    saida.truncate(static_cast<qsizetype>(z.total_out));
    deflateEnd(&z);
    return saida;
}

// The logo's pixels as 8-bit RGB rows, transparent parts over white paper.
QByteArray pixelsRgb(const QImage &imagem) {
    const QImage argb = imagem.convertToFormat(QImage::Format_ARGB32);
    QByteArray rgb;
    rgb.reserve(qsizetype(argb.width()) * argb.height() * 3);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *linha = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(linha[x]);
            for (const int c : {qRed(linha[x]), qGreen(linha[x]), qBlue(linha[x])})
                rgb.append(char((c * a + 255 * (255 - a)) / 255));
        }
    }
    return rgb;
}

QByteArray referencia(int objeto) {
    return QByteArray::number(objeto) + " 0 R";
}

QByteArray caixaDaPagina() {
    QByteArray s = "[0 0 ";
    numero(s, larguraPagina);
    numero(s, alturaPagina);
    s.chop(1);
    return s + ']';
}

} // namespace

PdfBoletos::PdfBoletos(QIODevice &saida, const QImage &logotipo) : saida_(saida), logotipo_(logotipo) {
    escreve("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    while (inicios_.size() < primeiroLivre - 1)
        inicios_.append(0);
    objeto(catalogo, "<< /Type /Catalog /Pages " + referencia(arvoreDePaginas) + " >>");
    objeto(helvetica, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    objeto(helveticaNegrito,
           "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>");
    objeto(informacoes, "<< /Title (Boletos) /Creator (Bolix) /Producer (Bolix) >>");
}

void PdfBoletos::pagina(const Desenho &formulario, const Desenho &campos) {
    if (!formularioAtual_ || !(*formularioAtual_ == formulario))
        this->formulario(formulario);
    const int conteudoDaPagina = reserva();
    fluxo(conteudoDaPagina, {}, "/Fm1 Do\n" + conteudo(campos, false));
    const int pagina = reserva();
    objeto(pagina, "<< /Type /Page /Parent " + referencia(arvoreDePaginas) + " /Resources " +
                       referencia(recursosAtuais_) + " /Contents " + referencia(conteudoDaPagina) + " >>");
    paginas_.append(pagina);
}

void PdfBoletos::formulario(const Desenho &d) {
    const QByteArray fontes =
        "/Font << /F1 " + referencia(helvetica) + " /F2 " + referencia(helveticaNegrito) + " >>";
    const bool comLogotipo = !d.logotipos.isEmpty() && !logotipo_.isNull();
    QByteArray recursosDoFormulario = "<< " + fontes;
    if (comLogotipo)
        recursosDoFormulario += " /XObject << /Im1 " + referencia(imagemDoLogotipo()) + " >>";
    recursosDoFormulario += " >>";
    const int objetoFormulario = reserva();
    fluxo(objetoFormulario,
          "/Type /XObject /Subtype /Form /BBox " + caixaDaPagina() + " /Resources " + recursosDoFormulario,
          conteudo(d, comLogotipo));
    recursosAtuais_ = reserva();
    objeto(recursosAtuais_, "<< " + fontes + " /XObject << /Fm1 " + referencia(objetoFormulario) + " >> >>");
    formularioAtual_ = d;
}

int PdfBoletos::imagemDoLogotipo() {
    if (!logotipoEscrito_) {
        logotipoEscrito_ = reserva();
        fluxo(logotipoEscrito_,
              "/Type /XObject /Subtype /Image /Width " + QByteArray::number(logotipo_.width()) + " /Height " +
                  QByteArray::number(logotipo_.height()) + " /ColorSpace /DeviceRGB /BitsPerComponent 8",
              pixelsRgb(logotipo_));
    }
    return logotipoEscrito_;
}

void PdfBoletos::termina() {
    QByteArray filhas;
    for (const int p : paginas_)
        filhas += referencia(p) + ' ';
    filhas.chop(1);
    objeto(arvoreDePaginas, "<< /Type /Pages /MediaBox " + caixaDaPagina() + " /Kids [" + filhas +
                                "] /Count " + QByteArray::number(paginas_.size()) + " >>");
    const qint64 tabela = posicao_;
    QByteArray xref = "xref\n0 " + QByteArray::number(inicios_.size() + 1) + "\n0000000000 65535 f \n";
    for (const qint64 inicio : inicios_)
        xref += QByteArray::number(inicio).rightJustified(10, '0') + " 00000 n \n";
    xref += "trailer\n<< /Size " + QByteArray::number(inicios_.size() + 1) + " /Root " +
            referencia(catalogo) + " /Info " + referencia(informacoes) + " >>\nstartxref\n" +
            QByteArray::number(tabela) + "\n%%EOF\n";
    escreve(xref);
}

int PdfBoletos::reserva() {
    inicios_.append(0);
    return static_cast<int>(inicios_.size());
}

void PdfBoletos::escreve(const QByteArray &bytes) {
    saida_.write(bytes);
    posicao_ += bytes.size();
}

void PdfBoletos::abre(int numero) {
    inicios_[numero - 1] = posicao_;
    escreve(QByteArray::number(numero) + " 0 obj\n");
}

void PdfBoletos::objeto(int numero, const QByteArray &corpo) {
    abre(numero);
    escreve(corpo + "\nendobj\n");
}

void PdfBoletos::fluxo(int numero, const QByteArray &dicionario, const QByteArray &conteudo) {
    const QByteArray comprimido = comprime(conteudo);
    abre(numero);
    escreve("<< " + dicionario + (dicionario.isEmpty() ? "" : " ") + "/Filter /FlateDecode /Length " +
            QByteArray::number(comprimido.size()) + " >>\nstream\n");
    escreve(comprimido);
    escreve("\nendstream\nendobj\n");
}

} // namespace bolix
