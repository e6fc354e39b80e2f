#include "Exemplos.h"
#include "tests/support/LeituraPdf.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/impresso/ConteudoBoleto.h"
#include "bolix/impresso/ImpressaoBoletos.h"
#include "bolix/impresso/PinturaBoleto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bolix;
using namespace Qt::StringLiterals;

namespace {

const QDate hoje(2025, 11, 20);

using exemplos::documento;
using exemplos::ExemploBanco;

// How each bank's worked example is printed.
struct CasoImpresso {
    const char *nome; // of the example
    const char *codigoBanco;
    const char *agenciaCodigo;
    const char *valorImpresso;
    const char *valorDoSegundo; // R$ 10,00 more
    const char *vencimentoImpresso;
    const ExemploBanco &exemplo() const { return exemplos::exemploBanco(nome); }
};

const CasoImpresso casos[] = {
    {"BB7", "001-9", "1584-9 / 00210169-6", "R$ 1.234,56", "R$ 1.244,56", "10/03/2025"},
    {"Caixa", "104-0", "0001/123456-0", "R$ 500,00", "R$ 510,00", "31/03/2026"},
    {"Bradesco", "237-2", "3380/0012345", "R$ 89,90", "R$ 99,90", "20/12/2024"},
    {"Real", "356-5", "0501/6703255", "R$ 35,00", "R$ 45,00", "30/06/2009"},
    {"Sicoob", "756-0", "3069/0123456", "R$ 1.000,00", "R$ 1.010,00", "15/12/2025"},
    {"Itau", "341-7", "0057/12345-7", "R$ 150,00", "R$ 160,00", "15/12/2025"},
    {"Santander", "033-7", "4042/0282033", "R$ 273,71", "R$ 283,71", "15/05/2003"},
    {"Sicredi", "748-X", "0165.02.00623", "R$ 150,00", "R$ 160,00", "15/12/2025"},
    {"Banrisul", "041-8", "1102.48 / 900015.0.46", "R$ 550,00", "R$ 560,00", "04/07/2000"},
};

void PrintTo(const CasoImpresso &c, std::ostream *os) {
    *os << c.nome;
}

const ExemploBanco &bb7 = exemplos::exemploBanco("BB7");

ContaConfigurada configura(const ExemploBanco &e) {
    Conta conta = exemplos::conta(e);
    conta.localPagamento =
        QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
    return exemplos::configura(e, conta);
}

// A second charge of the same account: another payer, value and due date.
Documento outroDocumento(const ExemploBanco &c) {
    Documento d = documento(c);
    d.numeroDocumento = QStringLiteral("0000004712");
    d.nomeSacado = QStringLiteral("Maria Antônia Gonçalves");
    d.cnpjSacado.clear();
    d.cpfSacado = QStringLiteral("123.456.789-09");
    d.dataVencimento = c.vencimento.addDays(1);
    d.valorDocumento = c.valor + 100'000;
    return d;
}

OpcoesImpressao opcoes(const QTemporaryDir &pasta) {
    OpcoesImpressao o;
    o.pasta = pasta.path();
    return o;
}

const ContaConfigurada &bancoDoBrasil() {
    static const ContaConfigurada conta = configura(bb7);
    return conta;
}

QStringList arquivos(const QTemporaryDir &pasta) {
    return QDir(pasta.path()).entryList(QDir::Files, QDir::Name);
}

class BoletoDoBanco : public testing::TestWithParam<CasoImpresso> {};

TEST_P(BoletoDoBanco, CadaPaginaMostraOsDadosEOCodigoDeBarrasDoSeuDocumento) {
    const CasoImpresso &c = GetParam();
    const ExemploBanco &e = c.exemplo();
    const ContaConfigurada conta = configura(e);
    const Documento segundo = outroDocumento(e);
    const Boleto boletoSegundo = calculaBoleto(conta, segundo);
    QTemporaryDir pasta;
    const QString pdf = imprimeBoletos(conta, {documento(e), segundo}, opcoes(pasta), hoje);
    ASSERT_EQ(leitura::paginas(pdf), 2);

    struct Esperado {
        QString linha, valor, vencimento, pagador, codigoBarras;
    };
    const Esperado paginas[] = {
        {QString::fromLatin1(e.linha), QString::fromLatin1(c.valorImpresso),
         QString::fromLatin1(c.vencimentoImpresso), QStringLiteral("José da Conceição"),
         QString::fromLatin1(e.codigoBarras)},
        {boletoSegundo.linhaDigitavel, QString::fromLatin1(c.valorDoSegundo),
         segundo.dataVencimento.toString(QStringLiteral("dd/MM/yyyy")), segundo.nomeSacado,
         boletoSegundo.codigoBarras},
    };
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i + 1);
        const QString texto = leitura::texto(pdf, i + 1);
        EXPECT_TRUE(texto.contains(QString::fromLatin1(c.codigoBanco))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(QString::fromLatin1(c.agenciaCodigo))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(paginas[i].linha)) << texto.toStdString();
        EXPECT_TRUE(texto.contains(paginas[i].valor)) << texto.toStdString();
        EXPECT_TRUE(texto.contains(paginas[i].vencimento)) << texto.toStdString();
        EXPECT_TRUE(texto.contains(paginas[i].pagador)) << texto.toStdString();
        EXPECT_EQ(leitura::codigosDeBarras(pdf, i + 1), QStringList{paginas[i].codigoBarras});
    }
}

INSTANTIATE_TEST_SUITE_P(Bancos, BoletoDoBanco, testing::ValuesIn(casos),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(LoteDeBoletos, CadaLoteGanhaUmArquivoNovoSemTocarOsAnteriores) {
    QTemporaryDir pasta;
    const QList<Documento> docs = {documento(bb7)};
    const QString primeiro = imprimeBoletos(bancoDoBrasil(), docs, opcoes(pasta), hoje);
    QFile f(primeiro);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray conteudo = f.readAll();
    f.close();
    // A name taken by someone else is skipped, not overwritten.
    QFile alheio(QDir(pasta.path()).filePath(QStringLiteral("boletos_20251120_002.pdf")));
    ASSERT_TRUE(alheio.open(QIODevice::WriteOnly));
    alheio.write("alheio");
    alheio.close();

    const QString terceiro = imprimeBoletos(bancoDoBrasil(), docs, opcoes(pasta), hoje);
    const QString outroDia = imprimeBoletos(bancoDoBrasil(), docs, opcoes(pasta), hoje.addDays(1));

    EXPECT_EQ(QFileInfo(primeiro).fileName(), u"boletos_20251120_001.pdf");
    EXPECT_EQ(QFileInfo(terceiro).fileName(), u"boletos_20251120_003.pdf");
    EXPECT_EQ(QFileInfo(outroDia).fileName(), u"boletos_20251121_001.pdf");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), conteudo);
    ASSERT_TRUE(alheio.open(QIODevice::ReadOnly));
    EXPECT_EQ(alheio.readAll(), "alheio");
}

TEST(LoteDeBoletos, SemDocumentosNaoImprimeNadaNemDaErro) {
    QTemporaryDir pasta;
    EXPECT_EQ(imprimeBoletos(bancoDoBrasil(), {}, opcoes(pasta), hoje), QString());
    EXPECT_TRUE(arquivos(pasta).isEmpty());
}

TEST(LoteDeBoletos, PastaQueNaoPodeSerGravadaDaErroComONomeDela) {
    QTemporaryDir pasta;
    QFile arquivo(pasta.filePath(QStringLiteral("arquivo")));
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    OpcoesImpressao o = opcoes(pasta);
    o.pasta = arquivo.fileName() + QStringLiteral("/boletos"); // below a file: cannot exist
    try {
        imprimeBoletos(bancoDoBrasil(), {documento(bb7)}, o, hoje);
        FAIL() << "no error for a folder below a file";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(QDir::toNativeSeparators(o.pasta))) << e.what();
    }
}

TEST(LoteDeBoletos, DocumentoRecusadoNaoDeixaArquivoPelaMetade) {
    QTemporaryDir pasta;
    Documento semValor = documento(bb7);
    semValor.numeroDocumento = QStringLiteral("0000004799");
    semValor.valorDocumento = 0;
    try {
        imprimeBoletos(bancoDoBrasil(), {documento(bb7), semValor}, opcoes(pasta), hoje);
        FAIL() << "a document without value was printed";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"0000004799")) << e.what();
    }
    EXPECT_TRUE(arquivos(pasta).isEmpty());
}

// Dark runs of one pixel row: [start, end) columns.
QList<std::pair<int, int>> trechosEscuros(const QImage &cinza, int y) {
    QList<std::pair<int, int>> trechos;
    const uchar *linha = cinza.constScanLine(y);
    for (int x = 0; x < cinza.width(); ++x) {
        if (linha[x] >= 128)
            continue;
        if (trechos.isEmpty() || trechos.last().second != x)
            trechos.append({x, x + 1});
        else
            trechos.last().second = x + 1;
    }
    return trechos;
}

// A row crosses the symbol where its first 114 runs and the 113 gaps between them are all narrow
// (0.254 mm, 3 pixels) or wide (three times that); no line of text looks like that.
bool cruzaOSimbolo(const QList<std::pair<int, int>> &trechos) {
    const auto elemento = [](int largura) {
        return std::abs(largura - 3) <= 1 || std::abs(largura - 9) <= 1;
    };
    if (trechos.size() < 114)
        return false;
    for (int i = 0; i < 114; ++i)
        if (!elemento(trechos[i].second - trechos[i].first) ||
            (i > 0 && !elemento(trechos[i].first - trechos[i - 1].second)))
            return false;
    return true;
}

// Read off the rendered page: 103 mm by 13 mm, and 5 mm of blank paper before the first bar (from the
// form's edge) and after the last one, along the symbol's whole height.
TEST(CodigoDeBarras, TemAsMedidasEAsZonasDeSilencioDoPadraoNaPagina) {
    QTemporaryDir pasta;
    const QString pdf = imprimeBoletos(bancoDoBrasil(), {documento(bb7)}, opcoes(pasta), hoje);
    const QImage cinza = leitura::imagem(pdf, 1).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(cinza.isNull());
    const double mm = leitura::pixelsPorMm;
    int bordaDoFormulario = cinza.width(), linhasDoSimbolo = 0;
    for (int y = 0; y < cinza.height(); ++y) {
        const auto trechos = trechosEscuros(cinza, y);
        if (!trechos.isEmpty())
            bordaDoFormulario = std::min(bordaDoFormulario, trechos.first().first);
    }
    // The narrowest margins and the extreme lengths over every row of the symbol, in pixels.
    int antes = cinza.width(), depois = cinza.width(), menor = cinza.width(), maior = 0;
    for (int y = 0; y < cinza.height(); ++y) {
        const auto trechos = trechosEscuros(cinza, y);
        if (!cruzaOSimbolo(trechos))
            continue;
        ++linhasDoSimbolo;
        const int inicio = trechos.first().first, fim = trechos[113].second;
        antes = std::min(antes, inicio - bordaDoFormulario);
        if (trechos.size() > 114)
            depois = std::min(depois, trechos[114].first - fim);
        menor = std::min(menor, fim - inicio);
        maior = std::max(maior, fim - inicio);
    }
    EXPECT_NEAR(linhasDoSimbolo / mm, 13.0, 0.3);
    EXPECT_NEAR(menor / mm, 103.0, 0.5);
    EXPECT_NEAR(maior / mm, 103.0, 0.5);
    EXPECT_GE(antes / mm, 5.0 - 0.1);
    EXPECT_GE(depois / mm, 5.0 - 0.1);
}

struct CasoLogotipo {
    const char *nome;
    const char *arquivo;  // written into the folder; "" for no file
    const char *conteudo; // "imagem" for a real PNG
    bool mostraImagem;
};

const CasoLogotipo logotipos[] = {
    {"SemArquivo", "", "", false},
    {"ArquivoQueNaoExiste", "001.jpg", nullptr, false},
    {"ArquivoQueNaoEhImagem", "001.jpg", "texto", false},
    {"Imagem", "001.png", "imagem", true},
};

void PrintTo(const CasoLogotipo &c, std::ostream *os) {
    *os << c.nome;
}

class Logotipo : public testing::TestWithParam<CasoLogotipo> {};

TEST_P(Logotipo, SemImagemUtilizavelOBancoApareceComCodigoENome) {
    const CasoLogotipo &c = GetParam();
    QTemporaryDir pasta, imagens;
    OpcoesImpressao o = opcoes(pasta);
    if (*c.arquivo) {
        o.arquivoLogotipo = imagens.filePath(QString::fromLatin1(c.arquivo));
        if (c.conteudo && std::string_view(c.conteudo) == "imagem") {
            QImage logo(300, 80, QImage::Format_RGB32);
            logo.fill(Qt::darkBlue);
            ASSERT_TRUE(logo.save(o.arquivoLogotipo));
        } else if (c.conteudo) {
            QFile f(o.arquivoLogotipo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.conteudo);
        }
    }
    const QString pdf = imprimeBoletos(bancoDoBrasil(), {documento(bb7)}, o, hoje);
    const QString texto = leitura::texto(pdf, 1);
    EXPECT_TRUE(texto.contains(u"001-9")) << texto.toStdString();
    EXPECT_EQ(texto.contains(u"Banco do Brasil"), !c.mostraImagem) << texto.toStdString();
    EXPECT_EQ(leitura::imagens(pdf), c.mostraImagem ? 2 : 0); // the recibo's head and the ficha's
    EXPECT_EQ(leitura::codigosDeBarras(pdf, 1), QStringList{QString::fromLatin1(bb7.codigoBarras)});
}

INSTANTIATE_TEST_SUITE_P(Casos, Logotipo, testing::ValuesIn(logotipos),
                         [](const auto &info) { return std::string(info.param.nome); });

// The words of the page that contain `marca`.
QList<QRectF> caixasDe(const QList<leitura::Palavra> &palavras, QStringView marca) {
    QList<QRectF> caixas;
    for (const auto &p : palavras)
        if (p.texto.contains(marca))
            caixas.append(p.caixa);
    return caixas;
}

TEST(TextoLongo, FicaDentroDaSuaCaixa) {
    Documento d = documento(bb7);
    d.nomeSacado = QStringLiteral("Longonome ").repeated(40).trimmed();
    // Each starts with one word longer than its box, then more words than the box holds.
    d.instrucoesCaixa = QStringLiteral("Instrulonga").repeated(40) + QStringLiteral("<br>") +
                        QStringLiteral("Instrulonga ").repeated(300);
    d.demonstrativo = QStringLiteral("Demolonga").repeated(60) + QStringLiteral("<br>") +
                      QStringLiteral("Demolonga ").repeated(60) + QStringLiteral("<br>") +
                      QStringLiteral("Demolinha<br>").repeated(40);
    QTemporaryDir pasta;
    const QString pdf = imprimeBoletos(bancoDoBrasil(), {d}, opcoes(pasta), hoje);
    const auto palavras = leitura::palavras(pdf, 1);

    const QList<QRectF> nome = caixasDe(palavras, u"Longonome");
    const QList<QRectF> instrucoes = caixasDe(palavras, u"Instrulonga");
    const QList<QRectF> demonstrativo = caixasDe(palavras, u"Demol");
    ASSERT_FALSE(nome.isEmpty());
    ASSERT_FALSE(instrucoes.isEmpty());
    ASSERT_FALSE(demonstrativo.isEmpty());
    // The boxes that follow each text: the right column, the ficha's payer box, the recibo's foot.
    const double colunaDosValores = caixasDe(palavras, u"Desconto").first().left();
    const double pagadorDaFicha = caixasDe(palavras, u"Pagador").last().top();
    const double rodapeDoRecibo = caixasDe(palavras, u"Recibo").first().top();
    const double margemDireita = 200.0 / 25.4 * 72.0;
    for (const QRectF &r : nome)
        EXPECT_LE(r.right(), margemDireita);
    for (const QRectF &r : instrucoes) {
        EXPECT_LT(r.right(), colunaDosValores);
        EXPECT_LT(r.bottom(), pagadorDaFicha);
    }
    for (const QRectF &r : demonstrativo) {
        EXPECT_LE(r.right(), margemDireita);
        EXPECT_LT(r.bottom(), rodapeDoRecibo);
    }
    EXPECT_EQ(leitura::codigosDeBarras(pdf, 1), QStringList{QString::fromLatin1(bb7.codigoBarras)});
}

// Each part of the page, read apart from the other: the ficha with every box of the standard form,
// the recibo with what the payer keeps; both headed by the bank and the linha digitável.
TEST(Formulario, CadaParteTemAsLegendasDoPadrao) {
    QTemporaryDir pasta;
    const QString pdf = imprimeBoletos(bancoDoBrasil(), {documento(bb7)}, opcoes(pasta), hoje);
    const double corte = caixasDe(leitura::palavras(pdf, 1), u"Corte").first().bottom();
    const double larguraA4 = 595, alturaA4 = 842; // points
    const QString recibo = leitura::texto(pdf, 1, QRectF(0, 0, larguraA4, corte));
    const QString ficha = leitura::texto(pdf, 1, QRectF(0, corte, larguraA4, alturaA4 - corte));
    const char *cabecalho[] = {"001-9", bb7.linha};
    const char *doRecibo[] = {"Recibo do Pagador",
                              "Beneficiário",
                              "Agência/Código do beneficiário",
                              "Vencimento",
                              "Pagador",
                              "Nº do documento",
                              "Nosso número",
                              "(=) Valor do documento",
                              "Demonstrativo",
                              "Autenticação mecânica"};
    const char *daFicha[] = {"Local de pagamento",
                             "Vencimento",
                             "Beneficiário",
                             "Agência/Código do beneficiário",
                             "Data do documento",
                             "Nº do documento",
                             "Espécie doc.",
                             "Aceite",
                             "Data processamento",
                             "Nosso número",
                             "Uso do banco",
                             "Carteira",
                             "Espécie",
                             "Quantidade",
                             "(x) Valor",
                             "(=) Valor do documento",
                             "Instruções (texto de responsabilidade do beneficiário)",
                             "(-) Desconto / Abatimento",
                             "(-) Outras deduções",
                             "(+) Mora / Multa",
                             "(+) Outros acréscimos",
                             "(=) Valor cobrado",
                             "Pagador",
                             "Sacador/Avalista",
                             "Autenticação mecânica - Ficha de Compensação"};
    EXPECT_FALSE(recibo.contains(u"Ficha de Compensação"));
    EXPECT_FALSE(ficha.contains(u"Recibo do Pagador"));
    for (const char *t : cabecalho) {
        EXPECT_TRUE(recibo.contains(QString::fromUtf8(t))) << t;
        EXPECT_TRUE(ficha.contains(QString::fromUtf8(t))) << t;
    }
    for (const char *legenda : doRecibo)
        EXPECT_TRUE(recibo.contains(QString::fromUtf8(legenda))) << legenda;
    for (const char *legenda : daFicha)
        EXPECT_TRUE(ficha.contains(QString::fromUtf8(legenda))) << legenda;
}

TEST(MargemSuperior, DesceOFormularioAteOLimiteDaFolha) {
    const Documento d = documento(bb7);
    const double mm = 72.0 / 25.4;
    double topo[3] = {};
    const int margens[] = {0, 40, 500};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(margens[i]);
        QTemporaryDir pasta;
        OpcoesImpressao o = opcoes(pasta);
        o.margemSuperior = margens[i];
        const QString pdf = imprimeBoletos(bancoDoBrasil(), {d}, o, hoje);
        const auto palavras = leitura::palavras(pdf, 1);
        topo[i] = caixasDe(palavras, u"Beneficiário").first().top();
        for (const auto &p : palavras)
            EXPECT_LT(p.caixa.bottom(), 297.0 * mm) << p.texto.toStdString();
        EXPECT_EQ(leitura::codigosDeBarras(pdf, 1), QStringList{QString::fromLatin1(bb7.codigoBarras)});
    }
    EXPECT_NEAR(topo[1] - topo[0], 40.0 * mm, 0.5);
    EXPECT_GT(topo[2], topo[1]);
}

// The text inside the ficha's first box, between its caption, the due date's column and the next row.
QString textoDoLocalDePagamento(const QString &pdf) {
    const auto palavras = leitura::palavras(pdf, 1);
    const QRectF legenda = caixasDe(palavras, u"Local").first();
    double colunaDireita = 595, proximaLinha = 842;
    for (const QRectF &r : caixasDe(palavras, u"Vencimento"))
        if (std::abs(r.top() - legenda.top()) < 1.0)
            colunaDireita = r.left();
    for (const QRectF &r : caixasDe(palavras, u"Beneficiário"))
        if (r.top() > legenda.bottom())
            proximaLinha = std::min(proximaLinha, r.top());
    return leitura::texto(pdf, 1,
                          QRectF(legenda.left() - 1, legenda.bottom(), colunaDireita - legenda.left(),
                                 proximaLinha - legenda.bottom() - 0.5));
}

TEST(LocalDePagamento, SemTextoDoBeneficiarioImprimeOPadrao) {
    const QString padrao =
        QStringLiteral("Até o vencimento pagável em qualquer banco do sistema de compensação.");
    const std::pair<QString, QString> casos[] = {
        {QString(), padrao},
        {QStringLiteral("   "), padrao},
        {QStringLiteral("Pagável somente na loja"), QStringLiteral("Pagável somente na loja")},
    };
    for (const auto &[dado, impresso] : casos) {
        SCOPED_TRACE(dado.toStdString());
        Conta conta = exemplos::conta(bb7);
        conta.localPagamento = dado;
        QTemporaryDir pasta;
        const QString pdf =
            imprimeBoletos(exemplos::configura(bb7, conta), {documento(bb7)}, opcoes(pasta), hoje);
        EXPECT_EQ(textoDoLocalDePagamento(pdf), impresso);
    }
}

TEST(SemVencimento, ImprimeContraApresentacaoEOCodigoSemFator) {
    Documento d = documento(bb7);
    d.dataVencimento = QDate();
    QTemporaryDir pasta;
    const QString pdf = imprimeBoletos(bancoDoBrasil(), {d}, opcoes(pasta), hoje);
    EXPECT_TRUE(leitura::texto(pdf, 1).contains(u"Contra-apresentação"));
    const QStringList codigos = leitura::codigosDeBarras(pdf, 1);
    ASSERT_EQ(codigos.size(), 1);
    EXPECT_EQ(codigos[0].mid(5, 4), u"0000");
    EXPECT_EQ(codigos[0], calculaBoleto(bancoDoBrasil(), d).codigoBarras);
}

// Options with a logo of one colour, saved in the folder.
OpcoesImpressao comLogotipo(const QTemporaryDir &pasta, QColor cor) {
    OpcoesImpressao o = opcoes(pasta);
    o.arquivoLogotipo = pasta.filePath(QStringLiteral("001.png"));
    QImage logo(300, 80, QImage::Format_ARGB32);
    logo.fill(cor);
    logo.save(o.arquivoLogotipo);
    return o;
}

// A page as `pdftotext -layout` puts it: each text in its column.
QString textoEmColunas(const QString &pdf, int pagina) {
    const QString n = QString::number(pagina);
    return QString::fromUtf8(
        leitura::roda(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), n,
                                                    QStringLiteral("-l"), n, pdf, QStringLiteral("-")}));
}

// The symbols of `simbologia` (zbarimg's name: "i25", "qrcode") found on the page rendered at `dpi`.
QStringList codigosDeBarras(const QString &pdf, int pagina, int dpi, const QString &simbologia = u"i25"_s) {
    QTemporaryDir pasta;
    const QString n = QString::number(pagina), base = pasta.filePath(QStringLiteral("pagina"));
    leitura::roda(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), n, QStringLiteral("-l"),
                   n, QStringLiteral("-singlefile"), QStringLiteral("-png"), pdf, base});
    return QString::fromLatin1(
               leitura::roda(QStringLiteral("zbarimg"),
                             {QStringLiteral("--raw"), QStringLiteral("-q"), QStringLiteral("-Sdisable"),
                              QStringLiteral("-S%1.enable").arg(simbologia), base + QStringLiteral(".png")}))
        .split(u'\n', Qt::SkipEmptyParts);
}

// The QR's rows as a PDF reader takes them from the first page's QR: its literal strings, one a row, read
// by the PDF rules (escapes, and a bare end of line as a line feed). A reader's error correction hides a
// few wrong bytes from zbarimg, not from this.
QByteArray linhasDoQrNoPdf(const QString &pdf) {
    QFile arquivo(pdf);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = arquivo.readAll();
    qsizetype i = bytes.indexOf("/Fq 1 Tf");
    const qsizetype fim = bytes.indexOf("ET", i);
    QByteArray linhas;
    while (i >= 0 && (i = bytes.indexOf('(', i)) >= 0 && i < fim) {
        for (++i; bytes[i] != ')'; ++i) {
            char c = bytes[i];
            if (c == '\\') {
                c = bytes[++i];
                c = c == 'r' ? '\r' : c == 'n' ? '\n' : c;
            } else if (c == '\r') {
                c = '\n';
                if (bytes[i + 1] == '\n')
                    ++i;
            }
            linhas.append(c);
        }
    }
    return linhas;
}

// The printer draws the pages with Qt's painter from the same layout the PDF is written from: both show
// the same texts in the same columns and bar codes that read at ordinary printer resolutions.
TEST(ImpressoraEPdf, MostramOsMesmosTextosNasMesmasColunasEOMesmoCodigo) {
    Documento longo = outroDocumento(bb7);
    longo.nomeSacado = QStringLiteral("Longonome ").repeated(30).trimmed();
    longo.instrucoesCaixa = QStringLiteral("<br>") + QStringLiteral("Instrulonga ").repeated(60);
    longo.demonstrativo =
        QStringLiteral("Compras do mês: € 1,00 «ação»<br>") + QStringLiteral("Demolonga ").repeated(40);
    const QList<Documento> docs = {documento(bb7), longo};
    QTemporaryDir pasta;
    const OpcoesImpressao o = comLogotipo(pasta, Qt::transparent);
    const QString pdf = imprimeBoletos(bancoDoBrasil(), docs, o, hoje);

    const QString impresso = pasta.filePath(QStringLiteral("impressora.pdf"));
    QPdfWriter qt(impresso);
    qt.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    qt.setResolution(1200);
    QList<ConteudoBoleto> paginas;
    for (const Documento &d : docs)
        paginas.append(conteudoBoleto(bancoDoBrasil(), d, calculaBoleto(bancoDoBrasil(), d)));
    ASSERT_TRUE(desenhaBoletos(qt, paginas, QImage(o.arquivoLogotipo), o.margemSuperior));
    for (int pagina = 1; pagina <= 2; ++pagina) {
        SCOPED_TRACE(pagina);
        const QString texto = textoEmColunas(pdf, pagina);
        EXPECT_EQ(texto.toStdString(), textoEmColunas(impresso, pagina).toStdString());
        const QStringList codigo = {calculaBoleto(bancoDoBrasil(), docs[pagina - 1]).codigoBarras};
        for (const int dpi : {150, 300})
            for (const QString &arquivo : {pdf, impresso})
                EXPECT_EQ(codigosDeBarras(arquivo, pagina, dpi), codigo) << dpi << arquivo.toStdString();
    }
    EXPECT_TRUE(textoEmColunas(pdf, 2).contains(u"Compras do mês: € 1,00 «ação»"));
}

// A boleto with the bank's Pix QR: the QR reads back as exactly its text, in the PDF and on the printer, and
// the bar code still reads beside it; the text is on the recibo for copying, and the QR adds nothing to the
// page's text. The PDF holds the QR's font once for a batch that mixes pages with and without a QR. A text
// the bank broke is refused with the document.
TEST(BoletoComPix, QrLeOTextoDoBancoEOCodigoDeBarrasContinua) {
    Documento comPix = documento(bb7);
    comPix.pixCopiaECola =
        u"00020101021226810014br.gov.bcb.pix2559pix.example.com/qr/v2/cobv/00000000000000000000000000000000"
        u"5204000053039865802BR5917LOJA EXEMPLO LTDA6008CURITIBA62070503***6304B8BC"_s;
    // Chosen so its rows hold every byte a PDF string escapes, each read back from the file below.
    for (const char escapado : {'(', ')', '\\', '\r'})
        ASSERT_TRUE(codificaQr(comPix.pixCopiaECola).linhas.contains(escapado)) << int(escapado);
    comPix.instrucoesCaixa = u"Instrulonga "_s.repeated(40);
    QTemporaryDir pasta;
    const QString pdf =
        imprimeBoletos(bancoDoBrasil(), {comPix, documento(bb7), comPix}, opcoes(pasta), hoje);
    const QString impresso = pasta.filePath(QStringLiteral("impressora.pdf"));
    QPdfWriter qt(impresso);
    qt.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    qt.setResolution(1200);
    ASSERT_TRUE(desenhaBoletos(
        qt, {conteudoBoleto(bancoDoBrasil(), comPix, calculaBoleto(bancoDoBrasil(), comPix))}, QImage(), 15));
    for (const int dpi : {150, 300})
        for (const QString &arquivo : {pdf, impresso}) {
            SCOPED_TRACE(dpi);
            EXPECT_EQ(codigosDeBarras(arquivo, 1, dpi, u"qrcode"_s), QStringList{comPix.pixCopiaECola});
            EXPECT_EQ(codigosDeBarras(arquivo, 1, dpi),
                      QStringList{calculaBoleto(bancoDoBrasil(), comPix).codigoBarras});
        }
    EXPECT_EQ(codigosDeBarras(pdf, 3, 150, u"qrcode"_s), QStringList{comPix.pixCopiaECola});
    EXPECT_EQ(linhasDoQrNoPdf(pdf), codificaQr(comPix.pixCopiaECola).linhas);
    QFile arquivo(pdf);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(arquivo.readAll().count("/Subtype /Type3"), 1);
    const QString texto = textoEmColunas(pdf, 1);
    EXPECT_EQ(texto.toStdString(), textoEmColunas(impresso, 1).toStdString());
    EXPECT_TRUE(texto.contains(u"Pague com Pix")) << texto.toStdString();
    EXPECT_TRUE(texto.contains(u"Pix Copia e Cola:")) << texto.toStdString();

    Documento quebrado = comPix;
    quebrado.pixCopiaECola.replace(u"CURITIBA"_s, u"CURITIBO"_s);
    try {
        imprimeBoletos(bancoDoBrasil(), {quebrado}, opcoes(pasta), hoje);
        FAIL() << "printed";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"PixCopiaECola")) << e.what();
        EXPECT_TRUE(e.texto().contains(u"CRC B8BC")) << e.what();
    }
}

// What the batch's file holds: the form once for all its pages, the logo once, and only the standard
// faces, which every reader has, in the encoding that carries Portuguese accents.
TEST(ArquivoPdf, GuardaOFormularioUmaVezEUsaAsFontesPadrao) {
    QTemporaryDir pasta;
    const OpcoesImpressao o = comLogotipo(pasta, Qt::darkBlue);
    const QString pdf =
        imprimeBoletos(bancoDoBrasil(), {documento(bb7), outroDocumento(bb7), documento(bb7)}, o, hoje);
    QFile arquivo(pdf);
    ASSERT_TRUE(arquivo.open(QIODevice::ReadOnly));
    const QByteArray bytes = arquivo.readAll();
    EXPECT_EQ(bytes.count("/Subtype /Form"), 1);
    EXPECT_EQ(bytes.count("/Subtype /Image"), 1);
    ASSERT_EQ(leitura::paginas(pdf), 3);
    for (int pagina = 1; pagina <= 3; ++pagina)
        EXPECT_TRUE(leitura::texto(pdf, pagina).contains(u"Sacador/Avalista")) << pagina;

    QStringList fontes = QString::fromLatin1(leitura::roda(QStringLiteral("pdffonts"), {pdf}))
                             .split(u'\n', Qt::SkipEmptyParts)
                             .mid(2); // two heading lines
    for (QString &f : fontes)
        f = f.simplified().section(u' ', 0, 3);
    fontes.sort();
    EXPECT_EQ(fontes, (QStringList{QStringLiteral("Helvetica Type 1 WinAnsi"),
                                   QStringLiteral("Helvetica-Bold Type 1 WinAnsi")}));
}

} // namespace
