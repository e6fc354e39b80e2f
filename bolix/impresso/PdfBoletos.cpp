#include "PdfBoletos.h"

#include <QIODevice>
#include <algorithm>
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

// The QR as text in its own font (see `PdfBoletos::fonteQr`) under a scaling to its module: a row is a
// string of a few glyphs, each line a module below the last. Far less to write than a rectangle per run,
// and its own stream, not deflated: the rows are as good as random bytes, which deflate would spend time
// on to save nothing.
QByteArray qrCode(const QrPosto &qr) {
    const int lado = qr.codigo.lado;
    const qsizetype porLinha = qr.codigo.bytesPorLinha();
    const char *g = qr.codigo.linhas.constData();
    QByteArray saida;
    saida.reserve(64 + lado * (2 * porLinha + 4));
    const double modulo = qr.modulo() * pontosPorMm;
    saida.append("q ");
    numero(saida, modulo);
    saida.append("0 0 ");
    numero(saida, modulo);
    ponto(saida, qr.origem());
    // y up from the top of the symbol, as glyphs stand on their line: each "'" goes a module down, the
    // first to the foot of row 0.
    saida.append("cm BT /Fq 1 Tf 1 TL\n");
    for (int y = 0; y < lado; ++y) {
        saida.append('(');
        for (const char b : QByteArrayView(g + y * porLinha, porLinha)) {
            // A bare carriage return in a string would be read as a line feed.
            if (b == '(' || b == ')' || b == '\\' || b == '\r')
                saida.append('\\');
            saida.append(b == '\r' ? 'r' : b);
        }
        saida.append(")'\n");
    }
    saida.append("ET Q\n");
    return saida;
}

// The content stream of a drawing; the logo is the image /Im1, drawn only `comLogotipo`.
QByteArray conteudo(const Desenho &d, bool comLogotipo) {
    QByteArray s;
    s.reserve(4096);
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

// Level 6 with short match chains: on a boleto's page the default chains take some 5% longer for a file
// 2% smaller. Numbers are mostly short and unlike: the filtered strategy codes them as literals rather
// than as short matches, a file 1 to 3% smaller in the same time.
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

// The procedure of glyph `b` of the QR's font: its dark modules, bit 7 the leftmost, as unit squares
// merged in runs, in the page's colour. Each run is a fill of its own, since readers align a lone
// rectangle to whole pixels and neighbouring glyphs then meet without a grey seam. d0, not d1: readers
// keep d1 glyphs as bitmaps placed at whole pixels, whose soft edges left seams between the rows that
// kept the QR from reading at 300 dpi.
QByteArray glifoQr(int b) {
    QByteArray s = "8 0 d0\n";
    for (int x = 0; x < 8; ++x) {
        if (!(b & 0x80 >> x))
            continue;
        int fim = x + 1;
        while (fim < 8 && b & 0x80 >> fim)
            ++fim;
        s += QByteArray::number(x) + " 0 " + QByteArray::number(fim - x) + " 1 re f ";
        x = fim; // light, or the end
    }
    return s;
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
    QByteArray conteudos = referencia(conteudoDaPagina);
    if (campos.qr) {
        const int qr = reserva();
        fluxo(qr, {}, qrCode(*campos.qr), false);
        conteudos = "[" + conteudos + " " + referencia(qr) + "]";
    }
    const int recursosDaPagina = recursos(campos.qr.has_value());
    const int pagina = reserva();
    objeto(pagina, "<< /Type /Page /Parent " + referencia(arvoreDePaginas) + " /Resources " +
                       referencia(recursosDaPagina) + " /Contents " + conteudos + " >>");
    paginas_.append(pagina);
}

void PdfBoletos::formulario(const Desenho &d) {
    const bool comLogotipo = !d.logotipos.isEmpty() && !logotipo_.isNull();
    QByteArray recursosDoFormulario = "<< " + fontes(false); // a QR is a page's own
    if (comLogotipo)
        recursosDoFormulario += " /XObject << /Im1 " + referencia(imagemDoLogotipo()) + " >>";
    recursosDoFormulario += " >>";
    objetoFormulario_ = reserva();
    fluxo(objetoFormulario_,
          "/Type /XObject /Subtype /Form /BBox " + caixaDaPagina() + " /Resources " + recursosDoFormulario,
          conteudo(d, comLogotipo));
    recursos_ = {};
    formularioAtual_ = d;
}

int PdfBoletos::recursos(bool comQr) {
    int &r = recursos_[comQr];
    if (!r) {
        r = reserva();
        objeto(r, "<< " + fontes(comQr) + " /XObject << /Fm1 " + referencia(objetoFormulario_) + " >> >>");
    }
    return r;
}

QByteArray PdfBoletos::fontes(bool comQr) {
    QByteArray f = "/Font << /F1 " + referencia(helvetica) + " /F2 " + referencia(helveticaNegrito);
    if (comQr)
        f += " /Fq " + referencia(fonteQr());
    return f + " >>";
}

// Glyph b is the row of eight modules whose bits b holds, one unit of glyph and text space a module.
int PdfBoletos::fonteQr() {
    if (!fonteQr_) {
        QByteArray procedimentos, nomes;
        for (int b = 0; b < 256; ++b) {
            const QByteArray nome = "/q" + QByteArray::number(b) + ' ';
            const int glifo = reserva();
            fluxo(glifo, {}, glifoQr(b), false);
            procedimentos += nome + referencia(glifo) + ' ';
            nomes += nome;
        }
        // Every glyph read as a blank, so that text taken from the page is not strewn with the rows.
        const int brancos = reserva();
        fluxo(brancos, {},
              "/CIDInit /ProcSet findresource begin 12 dict begin begincmap\n"
              "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
              "/CMapName /Adobe-Identity-UCS def /CMapType 2 def\n"
              "1 begincodespacerange <00> <FF> endcodespacerange\n1 beginbfrange <00> <FF> [" +
                  QByteArray("<0020> ").repeated(256) +
                  "] endbfrange\nendcmap CMapName currentdict /CMap defineresource pop end end");
        fonteQr_ = reserva();
        objeto(fonteQr_, "<< /Type /Font /Subtype /Type3 /FontBBox [0 0 8 1] /FontMatrix [1 0 0 1 0 0] "
                         "/CharProcs << " +
                             procedimentos + ">> /Encoding << /Type /Encoding /Differences [0 " + nomes +
                             "] >> /FirstChar 0 /LastChar 255 /Widths [" + QByteArray("8 ").repeated(256) +
                             "] /ToUnicode " + referencia(brancos) + " >>");
    }
    return fonteQr_;
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

void PdfBoletos::fluxo(int numero, const QByteArray &dicionario, const QByteArray &conteudo,
                       bool comprimido) {
    const QByteArray bytes = comprimido ? comprime(conteudo) : conteudo;
    abre(numero);
    escreve("<< " + dicionario + (dicionario.isEmpty() ? "" : " ") +
            (comprimido ? "/Filter /FlateDecode " : "") + "/Length " + QByteArray::number(bytes.size()) +
            " >>\nstream\n");
    escreve(bytes);
    escreve("\nendstream\nendobj\n");
}

} // namespace bolix
