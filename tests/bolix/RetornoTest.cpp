#include "ArquivosDeTeste.h"
#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace bolix;
using namespace arquivos;
using namespace Qt::StringLiterals;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));
const QDate pagamento(2025, 12, 10);

class IdaEVolta : public testing::Test {
protected:
    QList<Ocorrencia> retorno(const simulador::Pedido &pedido) {
        const QByteArray remessa = junta(remessa240(conta_, docs_, 1, geracao));
        return leRetorno240(junta(simulador::retornoDaRemessa(remessa, pedido, pagamento)),
                            QStringLiteral("retorno.ret"), u"001");
    }

    ContaConfigurada conta_ = exemplos::contaBancoDoBrasil();
    QList<Documento> docs_ = exemplos::tresDocumentos();
};

TEST_F(IdaEVolta, TodosPagosDevolvemNumeroDocumentoEValor) {
    const QList<Ocorrencia> o = retorno({});
    ASSERT_EQ(o.size(), docs_.size());
    for (qsizetype i = 0; i < o.size(); ++i) {
        SCOPED_TRACE(i);
        const Dinheiro cobrado = centavos(valorCobrado(docs_[i])) * 100;
        EXPECT_EQ(o[i].numeroDocumento, docs_[i].numeroDocumento);
        EXPECT_EQ(o[i].valorPago, cobrado);
        EXPECT_EQ(o[i].valorTitulo, cobrado);
        EXPECT_EQ(o[i].codigoMovimento, u"06");
        EXPECT_TRUE(o[i].pagamento());
        EXPECT_EQ(o[i].nossoNumero, nossoNumeroDoDocumento(conta_, docs_[i]).campoCnab);
        EXPECT_EQ(o[i].dataVencimento, docs_[i].dataVencimento);
        EXPECT_EQ(o[i].dataOcorrencia, pagamento);
        EXPECT_EQ(o[i].dataCredito, pagamento.addDays(1));
    }
}

TEST_F(IdaEVolta, AlgunsPagosEOutroValor) {
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1, 3};
    pedido.valores.insert(3, 10'000'000);
    const QList<Ocorrencia> o = retorno(pedido);
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(o[1].numeroDocumento, u"0000004712");
    EXPECT_EQ(o[1].codigoMovimento, u"02");
    EXPECT_FALSE(o[1].pagamento());
    EXPECT_EQ(o[1].valorPago, 0);
    EXPECT_TRUE(o[1].dataCredito.isNull());
    EXPECT_EQ(o[2].numeroDocumento, u"0000004713");
    EXPECT_EQ(o[2].valorPago, 10'000'000);
    EXPECT_EQ(o[2].valorTitulo, 12'345'700);
}

// A bank's lot trailer counts every title of the lot with its face value, paid or not.
TEST_F(IdaEVolta, TrailerDoLoteContaTodosOsTitulosComSeuValorDeFace) {
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {2};
    pedido.valores.insert(2, 10'000);
    const QList<QByteArray> linhas =
        simulador::retornoDaRemessa(junta(remessa240(conta_, docs_, 1, geracao)), pedido, pagamento);
    std::int64_t face = 0;
    for (const Documento &d : docs_)
        face += centavos(valorCobrado(d));
    const QByteArray &trailer = linhas[linhas.size() - 2];
    EXPECT_EQ(trailer.mid(7, 1), "5");
    EXPECT_EQ(trailer.mid(17, 6), "000008");
    EXPECT_EQ(trailer.mid(23, 6), "000003");
    EXPECT_EQ(trailer.mid(29, 17), QByteArray::number(face).rightJustified(17, '0'));
    EXPECT_EQ(trailer.mid(46, 69), QByteArray(69, '0'));
}

TEST_F(IdaEVolta, DebitoAutomaticoVoltaComOCodigoDeCadaDebito) {
    docs_[0].agenciaDebito = docs_[1].agenciaDebito = docs_[2].agenciaDebito = QStringLiteral("123");
    docs_[0].contaCorrenteDebito = docs_[1].contaCorrenteDebito = docs_[2].contaCorrenteDebito =
        QStringLiteral("4");
    simulador::Pedido pedido;
    pedido.codigos.insert(2, QStringLiteral("01"));
    const QList<QByteArray> f =
        simulador::retornoDaRemessa(junta(remessa150(conta_, docs_, 1, geracao)), pedido, pagamento);
    ASSERT_EQ(f.size(), 5);
    EXPECT_TRUE(f[0].contains("DEBITO AUTOMATICO"));
    EXPECT_EQ(f[0].left(2), "A2");
    const char *codigos[] = {"00", "01", "00"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QByteArray &linha = f[i + 1];
        EXPECT_EQ(linha.size(), 150);
        EXPECT_EQ(linha.left(1), "F");
        EXPECT_EQ(linha.mid(2, 8), docs_[i].numeroDocumento.right(8).toLatin1());
        EXPECT_EQ(linha.mid(52, 15).toLongLong(), centavos(valorCobrado(docs_[i])));
        EXPECT_EQ(linha.mid(67, 2), codigos[i]);
    }
    EXPECT_EQ(f[4].left(24), "Z00000500000000000147447");
}

TEST_F(IdaEVolta, LoteCheioContinuaEmOutroLote) {
    // Three segments per title: a lot's five-digit record number holds 33333 of them.
    Documento modelo = docs_[1];
    docs_.clear();
    for (int i = 1; i <= 33'334; ++i) {
        modelo.numeroDocumento = QString::number(i).rightJustified(10, u'0');
        modelo.nossoNumero = QString::number(i);
        docs_.append(modelo);
    }
    const QList<QByteArray> remessa = remessa240(conta_, docs_, 1, geracao);
    ASSERT_EQ(remessa.size(), 2 + 100'002 + 2 + 2);
    EXPECT_EQ(remessa[100'000].left(14), "0010001399999R");
    EXPECT_EQ(remessa[100'001].mid(0, 29), "00100015         100001033333");
    EXPECT_EQ(remessa[100'002].left(9), "00100021R");
    EXPECT_EQ(remessa[100'003].left(14), "0010002300001P");
    EXPECT_EQ(remessa.last().mid(17, 12), "000002100008");

    const QList<Ocorrencia> o = retorno({});
    ASSERT_EQ(o.size(), docs_.size());
    EXPECT_EQ(o.last().numeroDocumento, u"0000033334");
}

// Every bank's example goes through the simulator and comes back with its number, value and nosso número.
class IdaEVoltaPorBanco : public testing::TestWithParam<exemplos::ExemploBanco> {};

TEST_P(IdaEVoltaPorBanco, DevolveCadaDocumentoComSeuValor) {
    const exemplos::ExemploBanco &e = GetParam();
    const ContaConfigurada conta = exemplos::configura(e, exemplos::conta(e));
    Documento segundo = exemplos::documento(e);
    segundo.numeroDocumento = QStringLiteral("0000004712");
    segundo.valorDocumento += 1'230'000;
    const QList<Documento> docs = {exemplos::documento(e), segundo};
    simulador::Pedido pedido;
    pedido.valores.insert(2, 1'000'000);
    const QByteArray remessa = junta(remessa240(conta, docs, 1, geracao));
    const QList<Ocorrencia> o = leRetorno240(junta(simulador::retornoDaRemessa(remessa, pedido, pagamento)),
                                             QStringLiteral("retorno.ret"), conta);
    ASSERT_EQ(o.size(), 2);
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(o[i].numeroDocumento, docs[i].numeroDocumento);
        EXPECT_EQ(o[i].valorTitulo, docs[i].valorDocumento);
        EXPECT_EQ(o[i].nossoNumero, nossoNumeroDoDocumento(conta, docs[i]).campoCnab.trimmed());
    }
    EXPECT_EQ(o[0].valorPago, docs[0].valorDocumento);
    EXPECT_EQ(o[1].valorPago, 1'000'000);
}

INSTANTIATE_TEST_SUITE_P(Exemplos, IdaEVoltaPorBanco, testing::ValuesIn(exemplos::exemplosBancos()),
                         [](const auto &info) { return std::string(info.param.nome); });

// The new banks' returns: paid, paid short and not paid read back, each bank's own paid codes, and a
// return whose nosso número is out of the bank's place or that is another bank's refused.
struct CodigoDoBanco {
    const char *codigo;
    bool pago;
};

struct RetornoDoBanco {
    const char *exemplo;
    std::vector<CodigoDoBanco> codigos;
    // The file of retorno() as the bank really writes it (lines counted from 0: 0 file header, 1 lot
    // header, 2 to 7 the three titles' T and U, 8 lot trailer).
    std::function<void(QList<QByteArray> &, const ContaConfigurada &)> comoOBancoEscreve;
    // The same installation with one part of its account changed.
    std::function<void(ContaConfigurada &)> contaVizinha;
};

void PrintTo(const RetornoDoBanco &r, std::ostream *os) {
    *os << r.exemplo;
}

class RetornoPorBanco : public testing::TestWithParam<RetornoDoBanco> {
protected:
    // Title 1 paid in full, title 2 paid 10,00 short, title 3 not paid (entry confirmed).
    QList<QByteArray> retorno() const {
        simulador::Pedido pedido;
        pedido.todosPagos = false;
        pedido.pagos = {1, 2};
        pedido.valores.insert(2, docs_[1].valorDocumento - 100'000);
        return simulador::retornoDaRemessa(junta(remessa240(conta_, docs_, 1, geracao)), pedido, pagamento);
    }
    QList<Ocorrencia> le(const QList<QByteArray> &linhas) const {
        return leRetorno240(junta(linhas), QStringLiteral("CB0101.ret"), banco_);
    }

    const exemplos::ExemploBanco &exemplo_ = exemplos::exemploBanco(GetParam().exemplo);
    QString banco_ = QString::fromLatin1(exemplo_.banco);
    ContaConfigurada conta_ = exemplos::configura(exemplo_, exemplos::conta(exemplo_));
    QList<Documento> docs_ = [] {
        QList<Documento> docs = exemplos::tresDocumentos();
        for (Documento &d : docs)
            d.nossoNumero = d.nossoNumero.right(2);
        return docs;
    }();
};

TEST_P(RetornoPorBanco, PagoPagoAMenosENaoPago) {
    const QList<Ocorrencia> o = le(retorno());
    ASSERT_EQ(o.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(o[i].numeroDocumento, docs_[i].numeroDocumento);
        EXPECT_EQ(o[i].nossoNumero, nossoNumeroDoDocumento(conta_, docs_[i]).campoCnab);
        EXPECT_EQ(o[i].valorTitulo, centavos(valorCobrado(docs_[i])) * 100);
        EXPECT_EQ(o[i].dataVencimento, docs_[i].dataVencimento);
    }
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].valorPago, docs_[0].valorDocumento);
    EXPECT_TRUE(o[1].pagamento());
    EXPECT_EQ(o[1].valorPago, docs_[1].valorDocumento - 100'000);
    EXPECT_FALSE(o[2].pagamento());
    EXPECT_EQ(o[2].valorPago, 0);
}

TEST_P(RetornoPorBanco, CodigosDeMovimentoDoBanco) {
    for (const CodigoDoBanco &c : GetParam().codigos) {
        SCOPED_TRACE(c.codigo);
        QList<QByteArray> linhas = retorno();
        linhas[2].replace(15, 2, c.codigo);
        linhas[3].replace(15, 2, c.codigo);
        EXPECT_EQ(le(linhas)[0].pagamento(), c.pago);
    }
}

TEST_P(RetornoPorBanco, NossoNumeroForaDoLugarOuArquivoDeOutroBancoSaoRecusados) {
    const Faixa nn = regraDoBanco(banco_).leiaute240().nossoNumero;
    QList<QByteArray> linhas = retorno();
    linhas[2].insert(nn.inicio - 1, ' ');
    linhas[2].chop(1);
    try {
        le(linhas);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(
            u"linha 3: campo nosso número (posições %1 a %2)"_s.arg(nn.inicio).arg(nn.fim)))
            << e.what();
    }
    const QString outro = banco_ == u"341" ? u"033"_s : u"341"_s;
    try {
        leRetorno240(junta(retorno()), QStringLiteral("CB0101.ret"), outro);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"linha 1: campo banco (posições 1 a 3)")) << e.what();
    }
}

// Banks leave blank what a record that moves no money does not use: title 3's entry confirmation comes
// without document number, amounts and dates.
void terceiroSemValoresNemDatas(QList<QByteArray> &l, const Faixa &documento) {
    l[6].replace(documento.inicio - 1, documento.fim - documento.inicio + 1,
                 QByteArray(documento.fim - documento.inicio + 1, ' '));
    l[7].replace(77, 30, QByteArray(30, ' ')).replace(137, 16, QByteArray(16, ' '));
}

TEST_P(RetornoPorBanco, ComoOBancoEscreveDaOsMesmosPagamentos) {
    QList<QByteArray> linhas = retorno();
    GetParam().comoOBancoEscreve(linhas, conta_);
    const QList<Ocorrencia> o = leRetorno240(junta(linhas), QStringLiteral("CB0101.ret"), conta_);
    ASSERT_EQ(o.size(), 3);
    EXPECT_EQ(o[0].valorPago, docs_[0].valorDocumento);
    EXPECT_EQ(o[1].valorPago, docs_[1].valorDocumento - 100'000);
    EXPECT_TRUE(o[0].pagamento() && o[1].pagamento());
    EXPECT_FALSE(o[2].pagamento());
    EXPECT_EQ(o[2].codigoMovimento, u"02");

    ContaConfigurada vizinha = conta_;
    GetParam().contaVizinha(vizinha);
    try {
        leRetorno240(junta(linhas), QStringLiteral("CB0101.ret"), vizinha);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"é de outra conta")) << e.what();
    }
}

// The file header holds the account where each bank's return has it; another account's file is refused.
TEST_P(RetornoPorBanco, HeaderComAContaDaInstalacao) {
    const QByteArray bytes = junta(retorno());
    EXPECT_EQ(leRetorno240(bytes, QStringLiteral("CB0101.ret"), conta_).size(), 3);
    ContaConfigurada outra = conta_;
    outra.agencia = QStringLiteral("0999");
    try {
        leRetorno240(bytes, QStringLiteral("CB0101.ret"), outra);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"é de outra conta")) << e.what();
    }
}

const RetornoDoBanco retornosPorBanco[] = {
    // Itaú: 08 is paid at the notary's; its 17 is a refused change, 10 a write-off after payment.
    {"Itau",
     {{"06", true}, {"08", true}, {"10", false}, {"17", false}, {"02", false}},
     [](auto &l, auto &) {
         terceiroSemValoresNemDatas(l, {59, 68});
     },
     [](auto &c) { c.conta = QStringLiteral("12346"); }},
    // Santander: its código do beneficiário in the header, the portfolio's totals and a count of the
    // details alone in the lot trailer, its constant lot number 9692 in every record after the file
    // header, the file trailer's too.
    {"Santander",
     {{"06", true}, {"17", true}, {"09", false}, {"03", false}},
     [](auto &l, auto &c) {
         l[0].replace(52, 9, c.cedente.rightJustified(9, u'0').toLatin1());
         l[8].replace(17, 29,
                      "000006"
                      "000065"
                      "00000000001190475");
         for (qsizetype i = 1; i <= 9; ++i)
             l[i].replace(3, 4, "9692");
         terceiroSemValoresNemDatas(l, {55, 69});
     },
     [](auto &c) { c.cedente = QStringLiteral("1234568"); }},
    // Sicredi: a code of its own in the header's convênio field, which the installation does not have.
    {"Sicredi",
     {{"06", true}, {"17", true}, {"28", false}, {"09", false}},
     [](auto &l, auto &) {
         l[0].replace(32, 20, "0165A00623          ");
         terceiroSemValoresNemDatas(l, {59, 73});
     },
     [](auto &c) { c.cedente = QStringLiteral("00624"); }},
    // Banrisul's lettered codes: AA returned, AB to be credited.
    {"Banrisul",
     {{"06", true}, {"17", true}, {"AA", false}, {"AB", false}},
     [](auto &l, auto &) {
         terceiroSemValoresNemDatas(l, {59, 73});
     },
     [](auto &c) { c.cedente = QStringLiteral("9000151"); }},
};

INSTANTIATE_TEST_SUITE_P(Bancos, RetornoPorBanco, testing::ValuesIn(retornosPorBanco),
                         [](const auto &info) { return std::string(info.param.exemplo); });

// Caixa reports a payment through the Pix QR as 06 with reason 61 or 62, or as a write-off (09) with
// reason 15; a write-off for another reason is no payment.
TEST(RetornoCaixa, PagamentoPeloPixEhLiquidacao) {
    const exemplos::ExemploBanco &e = exemplos::exemploBanco("Caixa");
    const ContaConfigurada conta = exemplos::configura(e, exemplos::conta(e));
    const QList<QByteArray> base = simulador::retornoDaRemessa(
        junta(remessa240(conta, {exemplos::documento(e)}, 1, geracao)), {}, pagamento);
    const struct {
        const char *codigo, *motivo;
        bool pago;
    } casos[] = {{"06", "61", true},  {"06", "62", true},  {"09", "15", true},
                 {"09", "  ", false}, {"09", "09", false}, {"02", "15", false}};
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + "/" + c.motivo);
        QList<QByteArray> l = base;
        l[2].replace(15, 2, c.codigo).replace(213, 2, c.motivo);
        l[3].replace(15, 2, c.codigo);
        const QList<Ocorrencia> o = leRetorno240(junta(l), QStringLiteral("caixa.ret"), conta);
        ASSERT_EQ(o.size(), 1);
        EXPECT_EQ(o[0].pagamento(), c.pago);
        EXPECT_EQ(o[0].valorPago, c.pago ? e.valor : o[0].valorPago);
    }
}

// Caixa's file carries no QR, only its status among the reasons (T 214-223) of the entry, its refusal and
// its changes; the same reasons with another movement are no Pix news.
TEST(RetornoCaixa, SituacaoDoQrPixNosMotivos) {
    const exemplos::ExemploBanco &e = exemplos::exemploBanco("Caixa");
    const ContaConfigurada conta = exemplos::configura(e, exemplos::conta(e));
    simulador::Pedido naoPago;
    naoPago.todosPagos = false;
    const QList<QByteArray> base = simulador::retornoDaRemessa(
        junta(remessa240(conta, {exemplos::documento(e)}, 1, geracao)), naoPago, pagamento);
    const struct {
        const char *codigo, *motivos;
        const char *situacao;
        bool recusado;
    } casos[] = {
        {"02", "P1", "P1 - registrado com QR Code PIX", false},
        {"02", "P3", "P3 - registrado com QR Code PIX e código de barras", false},
        {"02", "P2", "P2 - registrado sem QR Code PIX", false},
        {"02", "PA", "PA - chave DICT do beneficiário inválida - QR não cadastrado", true},
        {"03", "PB", "PB - txid inválido - QR não cadastrado", true},
        {"26", "  P1", "P1 - registrado com QR Code PIX", false},
        {"30", "PC", "PC - PIX alterado - verificar payload pela URL", false},
        {"09", "P1", "", false},
        {"02", "  ", "", false},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + "/" + c.motivos);
        QList<QByteArray> l = base;
        l[2].replace(15, 2, c.codigo).replace(213, 10, QByteArray(c.motivos).leftJustified(10, ' '));
        l[3].replace(15, 2, c.codigo);
        const QList<Ocorrencia> o = leRetorno240(junta(l), QStringLiteral("caixa.ret"), conta);
        ASSERT_EQ(o.size(), 1);
        EXPECT_FALSE(o[0].pagamento());
        EXPECT_EQ(o[0].pixSituacao, QString::fromUtf8(c.situacao));
        EXPECT_EQ(o[0].pixRecusado, c.recusado);
        EXPECT_TRUE(o[0].pixCopiaECola.isEmpty());
    }
}

// A valid return to spoil one way at a time.
QList<QByteArray> retornoValido() {
    const QByteArray remessa =
        junta(remessa240(exemplos::contaBancoDoBrasil(), exemplos::tresDocumentos(), 1, geracao));
    return simulador::retornoDaRemessa(remessa, {}, pagamento);
}

// Makes a spoiled file add up again as far as a careless editor would: renumbers the segments of each
// lot and rewrites the record counts of both trailers.
void refazContagens(QList<QByteArray> &linhas) {
    int segmentos = 0;
    for (QByteArray &l : linhas) {
        if (l[7] == '1')
            segmentos = 0;
        else if (l[7] == '3')
            l.replace(8, 5, QByteArray::number(++segmentos).rightJustified(5, '0'));
        else if (l[7] == '5')
            l.replace(17, 6, QByteArray::number(segmentos + 2).rightJustified(6, '0'));
        else if (l[7] == '9')
            l.replace(23, 6, QByteArray::number(linhas.size()).rightJustified(6, '0'));
    }
}

// The first title's pair (lines 3 and 4) again, as the lines from `onde` on (counted from 0).
void copiaPrimeiroTitulo(QList<QByteArray> &l, qsizetype onde) {
    const QByteArray t = l[2], u = l[3];
    l.insert(onde, u);
    l.insert(onde, t);
}

void dobraPrimeiroTitulo(QList<QByteArray> &l) {
    copiaPrimeiroTitulo(l, 4);
}

const Estrago estragos[] = {
    {"LinhaCortadaNumCampo", [](auto &l) { l[3].truncate(150); },
     "linha 4:", "data do crédito (posições 146 a 153)"},
    {"LinhaLonga", [](auto &l) { l[2].append(' '); }, "linha 3:", "tamanho 241"},
    {"LinhaVaziaNoMeio", [](auto &l) { l.insert(2, QByteArray()); }, "linha 3:", "tamanho 0"},
    {"MarcaDeFimDosAntesDeOutroRegistro", [](auto &l) { l[9] = "\x1A" + l[9]; }, "linha 10:", "tamanho 241"},
    {"RegistroDesconhecido", [](auto &l) { l[2][7] = '7'; }, "linha 3:", "tipo de registro"},
    {"SegmentoDesconhecido", [](auto &l) { l[2][13] = 'Y'; }, "linha 3:", "segmento"},
    {"ValorPagoNaoNumerico", [](auto &l) { l[3][85] = 'X'; }, "linha 4:", "valor pago (posições 78 a 92)"},
    {"DataInvalida", [](auto &l) { l[3].replace(137, 8, "32132025"); }, "linha 4:", "data da ocorrência"},
    {"SemTrailer", [](auto &l) { l.removeLast(); }, "linha 9:", "trailer de arquivo"},
    {"OutroBanco", [](auto &l) { l[0].replace(0, 3, "237"); }, "linha 1:", "banco (posições 1 a 3)"},
    {"EhUmaRemessa", [](auto &l) { l[0][142] = '1'; }, "linha 1:", "código remessa/retorno"},
    {"USemT", [](auto &l) { l.removeAt(2); }, "linha 3:", "segmento U sem"},
    {"TSemU", [](auto &l) { l.removeAt(3); }, "linha 4:", "segmento T sem"},
    {"DepoisDoTrailer", [](auto &l) { l.append(l[2]); }, "linha 11:", "após o trailer"},
    // Lines: 1 file header, 2 lot header, 3 to 8 three T and U pairs, 9 lot trailer, 10 file trailer.
    {"TituloRemovidoNoMeio", [](auto &l) { l.remove(4, 2); }, "linha 5:",
     "número sequencial do registro no lote (posições 9 a 13) com \"00005\" não confere: esperado 3"},
    {"TituloRemovidoNoFim", [](auto &l) { l.remove(6, 2); }, "linha 7:",
     "quantidade de registros do lote (posições 18 a 23) com \"000008\" não confere: o lote tem 6"},
    {"TituloDobrado", dobraPrimeiroTitulo, "linha 5:", "número sequencial"},
    {"PagamentoDobradoComContagensRefeitas",
     [](auto &l) {
         dobraPrimeiroTitulo(l);
         refazContagens(l);
     },
     "linha 6:", "pagamento do título 0000004711 (nosso número 12345670000000041) já informado na linha 3"},
    {"ParDepoisDoLote", [](auto &l) { copiaPrimeiroTitulo(l, 9); }, "linha 10:", "fora de um lote"},
    {"ParAntesDoLote", [](auto &l) { copiaPrimeiroTitulo(l, 1); }, "linha 2:", "fora de um lote"},
    {"LoteSemTrailer", [](auto &l) { l.removeAt(8); }, "linha 9:", "falta o trailer de lote"},
    {"LoteSemHeader", [](auto &l) { l.removeAt(1); }, "linha 2:", "fora de um lote"},
    {"HeaderDeLoteDentroDoLote", [](auto &l) { l.insert(4, l[1]); }, "linha 5:", "lote 1 ainda aberto"},
    {"LoteQueMudaNoLote", [](auto &l) { l[1].replace(3, 4, "0002"); }, "linha 3:", "esperado 0002"},
    {"LoteZero",
     [](auto &l) {
         for (qsizetype i = 1; i <= 8; ++i)
             l[i].replace(3, 4, "0000");
     },
     "linha 2:", "lote de serviço (posições 4 a 7) com \"0000\" fora de ordem: esperado 0001"},
    {"DetalheDeOutroLote", [](auto &l) { l[4].replace(3, 4, "0002"); }, "linha 5:", "lote de serviço"},
    {"HeaderDeArquivoComLote", [](auto &l) { l[0].replace(3, 4, "0001"); }, "linha 1:", "esperado 0000"},
    {"TrailerDeLoteComOutrosRegistros", [](auto &l) { l[8].replace(17, 6, "000009"); },
     "linha 9:", "quantidade de registros do lote"},
    {"TrailerDeArquivoComOutrosLotes", [](auto &l) { l[9].replace(17, 6, "000002"); }, "linha 10:",
     "quantidade de lotes do arquivo (posições 18 a 23) com \"000002\" não confere: o arquivo tem 1"},
    {"TrailerDeArquivoComOutrosRegistros", [](auto &l) { l[9].replace(23, 6, "000011"); },
     "linha 10:", "quantidade de registros do arquivo"},
    {"TrailerDeArquivoDeOutroLote", [](auto &l) { l[9].replace(3, 4, "0001"); },
     "linha 10:", "esperado 9999"},
    // The lot's constant number passes in the file trailer; any other does not.
    {"TrailerDeArquivoNemDoArquivoNemDoLoteConstante",
     [](auto &l) {
         for (qsizetype i = 1; i <= 8; ++i)
             l[i].replace(3, 4, "9692");
         l[9].replace(3, 4, "9691");
     },
     "linha 10:", "lote de serviço (posições 4 a 7) com \"9691\" não confere: esperado 9999 ou 9692"},
};

class RetornoMalFormado : public testing::TestWithParam<Estrago> {};

TEST_P(RetornoMalFormado, RecusaNomeandoArquivoLinhaECampo) {
    confereRecusa(GetParam(), retornoValido(),
                  [](const QByteArray &bytes, const QString &nome) { leRetorno240(bytes, nome, u"001"); });
}

INSTANTIATE_TEST_SUITE_P(Estragos, RetornoMalFormado, testing::ValuesIn(estragos),
                         [](const auto &info) { return std::string(info.param.nome); });

// A payment whose bank left one of its dates blank (or at zero) takes the other, and the reading says so on
// the payment's line; a payment with neither date is refused there. Line 4 is the first title's U.
TEST(Retorno, PagamentoComUmaDasDatasEmBranco) {
    const struct {
        const char *ocorrencia, *credito;
        QDate dataOcorrencia, dataCredito;
        const char *aviso;
    } casos[] = {
        {"10122025", "        ", pagamento, pagamento,
         "sem data do crédito: tomada a data da ocorrência, 10/12/2025"},
        {"10122025", "00000000", pagamento, pagamento, "sem data do crédito: tomada a data da ocorrência"},
        {"        ", "11122025", pagamento.addDays(1), pagamento.addDays(1),
         "sem data da ocorrência: tomada a data do crédito, 11/12/2025"},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(std::string(c.ocorrencia) + "/" + c.credito);
        QList<QByteArray> l = retornoValido();
        l[3].replace(137, 8, c.ocorrencia).replace(145, 8, c.credito);
        QStringList avisos;
        const QList<Ocorrencia> o = leRetorno240(junta(l), QStringLiteral("CB0101.ret"), u"001", &avisos);
        ASSERT_EQ(o.size(), 3);
        EXPECT_TRUE(o[0].pagamento());
        EXPECT_EQ(o[0].dataOcorrencia, c.dataOcorrencia);
        EXPECT_EQ(o[0].dataCredito, c.dataCredito);
        ASSERT_EQ(avisos.size(), 1);
        EXPECT_TRUE(avisos[0].startsWith(u"Linha 4: pagamento do título 0000004711 (nosso número "));
        EXPECT_TRUE(avisos[0].contains(QString::fromUtf8(c.aviso))) << avisos[0].toStdString();
    }
    confereRecusa({"SemNenhumaData", [](auto &l) { l[3].replace(137, 16, QByteArray(16, ' ')); },
                   "linha 4:", "sem data da ocorrência nem data do crédito"},
                  retornoValido(),
                  [](const QByteArray &bytes, const QString &nome) { leRetorno240(bytes, nome, u"001"); });
}

TEST(Retorno, ArquivoVazioOuAusente) {
    EXPECT_THROW(leRetorno240(QByteArray("\r\n"), QStringLiteral("x.ret"), u"001"), ErroBolix);
    try {
        leRetornoCobranca(QStringLiteral("/nao/existe/CB0101.ret"), exemplos::contaBancoDoBrasil());
        FAIL();
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"/nao/existe/CB0101.ret")) << e.what();
    }
}

// 10 MiB of one-byte lines: the first line, padded alone, is refused before any other is read.
TEST(Retorno, LinhasCurtasRecusadasNaPrimeira) {
    QByteArray bytes;
    bytes.reserve(10 * 1024 * 1024);
    while (bytes.size() < 10 * 1024 * 1024)
        bytes += "1\n";
    const std::function<void()> leituras[] = {
        [&] { leRetorno240(bytes, QStringLiteral("curtas.ret"), u"001"); },
        [&] { leRetorno400(bytes, QStringLiteral("curtas.ret"), u"237"); },
    };
    for (const auto &le : leituras) {
        try {
            le();
            ADD_FAILURE() << "accepted";
        } catch (const ErroBolix &e) {
            EXPECT_TRUE(e.texto().startsWith(u"Arquivo de retorno curtas.ret, linha 1: ")) << e.what();
        }
    }
}

TEST(Retorno, AceitaFinaisDeLinhaSoComLF) {
    QByteArray bytes;
    for (const QByteArray &l : retornoValido())
        bytes += l + "\n";
    EXPECT_EQ(leRetorno240(bytes, QStringLiteral("lf.ret"), u"001").size(), 3);
}

// Bank software, file transfers and the banks' own habits deliver the same return in other shapes; each
// reads as the bank wrote it.
struct Entrega {
    const char *nome;
    std::function<QByteArray(QList<QByteArray>)> entrega;
};

void PrintTo(const Entrega &c, std::ostream *os) {
    *os << c.nome;
}

const Entrega entregas[] = {
    {"BrancosFinaisCortados",
     [](QList<QByteArray> l) {
         for (QByteArray &linha : l)
             while (linha.endsWith(' '))
                 linha.chop(1);
         return junta(l);
     }},
    {"MarcaDeFimDos", [](QList<QByteArray> l) { return junta(l) + "\x1A"; }},
    {"LinhasEmBrancoEMarcaDeFim", [](QList<QByteArray> l) { return junta(l) + "\r\n   \r\n\x1A\r\n"; }},
    {"SemFimDeLinhaNoUltimoRegistro", [](QList<QByteArray> l) { return junta(l).chopped(2); }},
    {"TotaisDoLoteEmZero",
     [](QList<QByteArray> l) {
         l[8].replace(23, 92, QByteArray(92, '0'));
         return junta(l);
     }},
    // The lot trailer's titles and value are the portfolio's, not the file's (Santander: 65 titles).
    {"TotaisDaCarteiraNoTrailerDeLote",
     [](QList<QByteArray> l) {
         l[8].replace(23, 23,
                      "000065"
                      "00000000001190475");
         return junta(l);
     }},
    {"ContagemDoLoteSoDosDetalhes",
     [](QList<QByteArray> l) {
         l[8].replace(17, 6, "000006");
         return junta(l);
     }},
    // A DOS end-of-file mark inside a record's text is data; the real one at the end still ends the file.
    {"MarcaDeFimNumRegistroEOutraNoFim",
     [](QList<QByteArray> l) {
         l[2][160] = '\x1A';
         return junta(l) + "\x1A";
     }},
    {"UmLoteComNumeroForaDoPadrao",
     [](QList<QByteArray> l) {
         for (qsizetype i = 1; i <= 8; ++i)
             l[i].replace(3, 4, "0004");
         return junta(l);
     }},
};

class RetornoEntregue : public testing::TestWithParam<Entrega> {};

TEST_P(RetornoEntregue, LeOsMesmosTitulos) {
    const QList<Ocorrencia> esperadas = leRetorno240(junta(retornoValido()), QStringLiteral("a.ret"), u"001");
    const QList<Ocorrencia> lidas = leRetorno240(GetParam().entrega(retornoValido()), QStringLiteral("b.ret"),
                                                 exemplos::contaBancoDoBrasil());
    ASSERT_EQ(lidas.size(), esperadas.size());
    for (qsizetype i = 0; i < lidas.size(); ++i) {
        EXPECT_EQ(lidas[i].numeroDocumento, esperadas[i].numeroDocumento);
        EXPECT_EQ(lidas[i].nossoNumero, esperadas[i].nossoNumero);
        EXPECT_EQ(lidas[i].valorPago, esperadas[i].valorPago);
        EXPECT_EQ(lidas[i].dataCredito, esperadas[i].dataCredito);
    }
}

INSTANTIATE_TEST_SUITE_P(Entregas, RetornoEntregue, testing::ValuesIn(entregas),
                         [](const auto &info) { return std::string(info.param.nome); });

// Titles registered without a document number (by the bank's web site, another system) come paid
// with movement 17: they are handed over with their nosso número, and the rest of the file is read.
TEST(Retorno, TituloPagoSemNumeroDoDocumentoVemComONossoNumero) {
    QList<QByteArray> l = retornoValido();
    l[2].replace(58, 15, QByteArray(15, ' '));
    l[2].replace(15, 2, "17");
    l[3].replace(15, 2, "17");
    const QList<Ocorrencia> o =
        leRetorno240(junta(l), QStringLiteral("bb.ret"), exemplos::contaBancoDoBrasil());
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].numeroDocumento.isEmpty());
    EXPECT_EQ(o[0].nossoNumero, QString::fromLatin1(l[2].mid(37, 20)).trimmed());
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_GT(o[0].valorPago, 0);
    EXPECT_EQ(o[1].numeroDocumento, u"0000004712");
}

// The file header's account (convênio 9, "0014", carteira and variação in 33-52, agência 53-57, conta
// 59-70) must be this installation's, part by part; a part the bank leaves blank or at zero is not
// compared, but the conta or the convênio must be.
struct HeaderDeConta {
    const char *nome;
    int inicio; // 1-based
    const char *texto;
    const char *recusa; // what the refusal says; null when the file is read
};

void PrintTo(const HeaderDeConta &c, std::ostream *os) {
    *os << c.nome;
}

const HeaderDeConta headers[] = {
    {"OutraAgencia", 53, "01585", "agência 01585 no arquivo (posições 53 a 57), 1584 na conta configurada"},
    {"OutraConta", 59, "000000210168", "conta 000000210168 no arquivo (posições 59 a 70)"},
    {"OutroConvenio", 33, "001234568", "convênio 001234568 no arquivo (posições 33 a 41), 001234567"},
    {"OutraCarteira", 46, "18", "carteira 18 no arquivo (posições 46 a 47), 17"},
    {"OutraVariacao", 48, "019", nullptr}, // none configured
    {"CarteiraEVariacaoEmBranco", 42, "           ", nullptr},
    {"ConvenioEmBranco", 33, "                    ", nullptr},
    {"ContaEmZeros", 59, "000000000000", nullptr},
    {"AgenciaSemZerosAEsquerda", 53, " 1584", nullptr},
    {"SoAAgencia", 33, "                    01584 000000000000",
     "não identifica a conta: o header não traz conta ou convênio"},
};

class ContaDoRetorno : public testing::TestWithParam<HeaderDeConta> {};

TEST_P(ContaDoRetorno, SoAContaConfigurada) {
    QList<QByteArray> l = retornoValido();
    const HeaderDeConta &h = GetParam();
    l[0].replace(h.inicio - 1, qsizetype(strlen(h.texto)), h.texto);
    const auto le = [&] {
        return leRetorno240(junta(l), QStringLiteral("outra.ret"), exemplos::contaBancoDoBrasil());
    };
    if (!h.recusa) {
        EXPECT_EQ(le().size(), 3);
        return;
    }
    try {
        le();
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"Arquivo de retorno outra.ret ")) << e.what();
        EXPECT_TRUE(e.texto().contains(QString::fromUtf8(h.recusa))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Headers, ContaDoRetorno, testing::ValuesIn(headers),
                         [](const auto &info) { return std::string(info.param.nome); });

} // namespace
