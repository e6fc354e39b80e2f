#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/Remessa.h"
#include "bolix/core/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <gtest/gtest.h>

#include <functional>

using namespace bolix;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));
const QDate pagamento(2025, 12, 10);

QByteArray junta(const QList<QByteArray> &linhas) {
    QByteArray bytes;
    for (const QByteArray &l : linhas)
        bytes += l + "\r\n";
    return bytes;
}

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
                                             QStringLiteral("retorno.ret"), QString::fromLatin1(e.banco));
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

// A valid return to spoil one way at a time.
QList<QByteArray> retornoValido() {
    const QByteArray remessa =
        junta(remessa240(exemplos::contaBancoDoBrasil(), exemplos::tresDocumentos(), 1, geracao));
    return simulador::retornoDaRemessa(remessa, {}, pagamento);
}

struct Estrago {
    const char *nome;
    std::function<void(QList<QByteArray> &)> estraga;
    const char *trecho1;
    const char *trecho2;
};

void PrintTo(const Estrago &c, std::ostream *os) {
    *os << c.nome;
}

const Estrago estragos[] = {
    {"LinhaCurta", [](auto &l) { l[2].chop(1); }, "linha 3:", "tamanho 239"},
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
};

class RetornoMalFormado : public testing::TestWithParam<Estrago> {};

TEST_P(RetornoMalFormado, RecusaNomeandoArquivoLinhaECampo) {
    QList<QByteArray> linhas = retornoValido();
    GetParam().estraga(linhas);
    try {
        leRetorno240(junta(linhas), QStringLiteral("CB0101.ret"), u"001");
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"Arquivo de retorno CB0101.ret, ")) << e.what();
        EXPECT_TRUE(e.texto().contains(QString::fromUtf8(GetParam().trecho1))) << e.what();
        EXPECT_TRUE(e.texto().contains(QString::fromUtf8(GetParam().trecho2))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Estragos, RetornoMalFormado, testing::ValuesIn(estragos),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(Retorno, ArquivoVazioOuAusente) {
    EXPECT_THROW(leRetorno240(QByteArray("\r\n"), QStringLiteral("x.ret"), u"001"), ErroBolix);
    try {
        leRetorno240(QStringLiteral("/nao/existe/CB0101.ret"), u"001");
        FAIL();
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"/nao/existe/CB0101.ret")) << e.what();
    }
}

TEST(Retorno, AceitaFinaisDeLinhaSoComLF) {
    QByteArray bytes;
    for (const QByteArray &l : retornoValido())
        bytes += l + "\n";
    EXPECT_EQ(leRetorno240(bytes, QStringLiteral("lf.ret"), u"001").size(), 3);
}

} // namespace
