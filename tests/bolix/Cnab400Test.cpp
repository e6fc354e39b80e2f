// CNAB 400 of Bradesco and Itaú: the remittance compared whole, the return read with its checks, and the
// simulator's answers read back.

#include "ArquivosDeTeste.h"
#include "Exemplos.h"

#include "bolix/core/Boleto.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/cnab/Registro.h"
#include "bolix/core/cnab/Remessa.h"
#include "bolix/core/cnab/Retorno.h"
#include "bolix/simulador/Simulador.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace bolix;
using namespace arquivos;

namespace {

const QDateTime geracao(QDate(2025, 11, 20), QTime(10, 30, 15));
const QDate pagamento(2025, 12, 10);

using exemplos::conta400;
using exemplos::contaBradesco;
using exemplos::contaItau;
using exemplos::contaSantander;
using exemplos::documentosBradesco;

TEST(RemessaBradesco400, IgualAoArquivoDeReferencia) {
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"),
                                 42};
    gravaArquivoRemessa(contaBradesco(), documentosBradesco(), destino, geracao);
    const QByteArray bytes = leArquivo(dir.filePath(QStringLiteral("remessa.rem")));
    EXPECT_EQ(bytes, leArquivo(QStringLiteral(DADOS_BOLIX "/remessa400_bradesco.rem")));
    EXPECT_TRUE(bytes.endsWith("\r\n\x1A"));
}

TEST(RemessaBradesco400, CamposNasPosicoesDoManual) {
    const QList<QByteArray> l = remessa400(contaBradesco(), documentosBradesco(), 42, geracao);
    ASSERT_EQ(l.size(), 5);
    for (const QByteArray &linha : l)
        EXPECT_EQ(linha.size(), 400);
    confereCampos(l,
                  {
                      {1, 1, 46, "01REMESSA01COBRANCA       00000000000004567890"},
                      {1, 47, 100, "LOJA EXEMPLO LTDA             237BRADESCO       201125"},
                      {1, 101, 117, "        MX0000042"},
                      {1, 395, 400, "000001"},
                      // carteira, branch, account and its digit; the control key; nosso número and its digit
                      {2, 1, 37, "1000000000000000000000090338000123456"},
                      {2, 38, 62, "0000004711               "},
                      {2, 63, 70, "00000000"},
                      {2, 71, 94,
                       "000000123458"
                       "0000000000"
                       "2N"},
                      {2, 109, 139,
                       "01"
                       "0000004711"
                       "151225"
                       "0000000015000"},
                      {2, 148, 160, "01N2011250000"},
                      {2, 219, 234, "0211222333000181"},
                      {2, 235, 274, "JOSE DA CONCEICAO                       "},
                      {2, 327, 334, "04913010"},
                      {2, 395, 400, "000002"},
                      // fine 2 %, digit P, interest per day, discount until the due date, protest in 5 days
                      {3, 66, 82,
                       "20200"
                       "00000000047P"},
                      {3, 148, 192,
                       "01N201125"
                       "0605"
                       "0000000000033"
                       "151225"
                       "0000000000050"},
                      // a CPF payer; the daily percentage as an amount: 0,33 % of 1234,57
                      {4, 148, 149, "99"},
                      {4, 161, 173, "0000000000407"},
                      {4, 219, 234, "0100012345678909"},
                      {5, 1, 1, "9"},
                      {5, 395, 400, "000005"},
                  });
    EXPECT_EQ(l[4].mid(1, 393), QByteArray(393, ' '));
}

TEST(RemessaBradesco400, RecusasAntesDeGravar) {
    Documento d = documentosBradesco()[0];
    d.numeroDocumento = QStringLiteral("12345678901");
    d.valorMultaAtraso = 20'000;
    ConfiguracaoBolix cfg = contaBradesco().configuracao;
    const QStringList recusas = recusasDoDocumento(d, QStringLiteral("FEBRABAN240"), cfg);
    ASSERT_EQ(recusas.size(), 2) << recusas.join(u'\n').toStdString();
    EXPECT_TRUE(recusas[0].startsWith(u"Documento 12345678901: NumeroDocumento"));
    EXPECT_TRUE(recusas[1].contains(u"ValorMultaAtraso"));
    // The same document passes the CNAB 240 checks, which take 15 characters and a fine in reais.
    cfg.layout = 240;
    EXPECT_TRUE(recusasDoDocumento(d, QStringLiteral("FEBRABAN240"), cfg).isEmpty());
    EXPECT_THROW(remessa400(contaBradesco(), {d}, 1, geracao), ErroBolix);
    // The due date is given after the check; the file refuses a title without one.
    Documento semData = documentosBradesco()[0];
    semData.dataVencimento = QDate();
    EXPECT_TRUE(
        recusasDoDocumento(semData, QStringLiteral("FEBRABAN240"), contaBradesco().configuracao).isEmpty());
    EXPECT_THROW(remessa400(contaBradesco(), {semData}, 1, geracao), ErroBolix);
}

TEST(RemessaBradesco400, ContaSemDigitoOuSemCodigoDaEmpresaRecusada) {
    ConfiguracaoBolix c = exemplos::configuracao(QStringLiteral("237"), QStringLiteral("09"));
    c.layout = 400;
    Conta semDigito;
    semDigito.codigoAgencia = QStringLiteral("3380");
    semDigito.numeroContaCorrente = QStringLiteral("0012345");
    semDigito.codigoCedente = QStringLiteral("4567890");
    semDigito.inicioNossoNumero = QStringLiteral("0");
    Conta semCodigo = semDigito;
    semCodigo.numeroContaCorrente = QStringLiteral("0012345-6");
    semCodigo.codigoCedente.clear();
    try {
        configuraConta(semDigito, c);
        ADD_FAILURE();
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"NumeroContaCorrente \"0012345\" inválido")) << e.what();
    }
    try {
        configuraConta(semCodigo, c);
        ADD_FAILURE();
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().startsWith(u"CodigoCedente")) << e.what();
    }
}

TEST(RemessaItau400, IgualAoArquivoDeReferencia) {
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"),
                                 42};
    gravaArquivoRemessa(contaItau(), exemplos::tresDocumentos(), destino, geracao);
    const QByteArray bytes = leArquivo(dir.filePath(QStringLiteral("remessa.rem")));
    EXPECT_EQ(bytes, leArquivo(QStringLiteral(DADOS_BOLIX "/remessa400_itau.rem")));
    EXPECT_TRUE(bytes.endsWith("000006\r\n"));
}

// The simulator's Bradesco return: paid, paid short and not paid, read back.
TEST(RetornoBradesco400, SimuladorPagoPagoAMenosENaoPago) {
    const QList<Documento> docs = documentosBradesco();
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1, 3};
    pedido.valores.insert(3, 10'000'000);
    pedido.tarifa = 21'000;
    const QByteArray remessa = junta(remessa400(contaBradesco(), docs, 1, geracao)) + "\x1A";
    const QList<QByteArray> retorno = simulador::retornoDaRemessa(remessa, pedido, pagamento);
    const QList<Ocorrencia> o = leRetorno400(junta(retorno), QStringLiteral("CB0101.ret"), u"237");
    ASSERT_EQ(o.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(o[i].numeroDocumento, docs[i].numeroDocumento);
        EXPECT_EQ(o[i].valorTitulo, centavos(valorCobrado(docs[i])) * 100);
        EXPECT_EQ(o[i].dataVencimento, docs[i].dataVencimento);
        const NossoNumero nn = nossoNumeroDoDocumento(contaBradesco(), docs[i]);
        EXPECT_EQ(o[i].nossoNumero, nn.numero + nn.digito);
    }
    EXPECT_EQ(o[0].codigoMovimento, u"06");
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].valorPago, 1'500'000);
    EXPECT_EQ(o[0].valorTarifa, 21'000);
    EXPECT_EQ(o[0].dataOcorrencia, pagamento);
    EXPECT_EQ(o[0].dataCredito, pagamento.addDays(1));
    EXPECT_EQ(o[1].codigoMovimento, u"02");
    EXPECT_FALSE(o[1].pagamento());
    EXPECT_EQ(o[1].valorPago, 0);
    EXPECT_EQ(o[2].valorPago, 10'000'000);
}

TEST(RetornoBradesco400, SoOsCodigosDeLiquidacaoSaoPagamentos) {
    QList<QByteArray> linhas = simulador::retornoDaRemessa(
        junta(remessa400(contaBradesco(), documentosBradesco(), 1, geracao)), {}, pagamento);
    const struct {
        const char *codigo;
        bool pago;
    } casos[] = {{"06", true},  {"15", true},  {"16", true},  {"17", true},  {"02", false},
                 {"03", false}, {"09", false}, {"10", false}, {"28", false}, {"07", false}};
    for (const auto &c : casos) {
        SCOPED_TRACE(c.codigo);
        linhas[1].replace(108, 2, c.codigo);
        EXPECT_EQ(leRetorno400(junta(linhas), QStringLiteral("r.ret"), u"237").first().pagamento(), c.pago);
    }
}

// Itaú credits the payment net of its fee: title 40,00, fee 2,10, credited 37,90 is a payment of 40,00.
TEST(RetornoItau400, ValorPagoSomaATarifaAoCreditado) {
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("41"));
    d.valorDocumento = 400'000;
    Documento naoPago = exemplos::documento(QStringLiteral("0000004712"), QStringLiteral("42"));
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1};
    pedido.tarifa = 21'000;
    const QList<QByteArray> retorno = simulador::retornoDaRemessa(
        junta(remessa400(contaItau(), {d, naoPago}, 1, geracao)), pedido, pagamento);
    ASSERT_EQ(retorno.size(), 4);
    EXPECT_EQ(retorno[1].mid(175, 13), "0000000000210");
    EXPECT_EQ(retorno[1].mid(253, 13), "0000000003790");
    const QList<Ocorrencia> o = leRetorno400(junta(retorno), QStringLiteral("CB0101.ret"), u"341");
    ASSERT_EQ(o.size(), 2);
    EXPECT_EQ(o[0].codigoMovimento, u"06");
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].valorPago, 400'000);
    EXPECT_EQ(o[0].valorLiquido, 379'000);
    EXPECT_EQ(o[0].valorTarifa, 21'000);
    EXPECT_EQ(o[0].nossoNumero, nossoNumeroDoDocumento(contaItau(), d).campoCnab);
    EXPECT_FALSE(o[1].pagamento());
    EXPECT_EQ(o[1].valorPago, 0);
}

// Itaú reports a payment as 06 and, in a later file, as 10 (written off as paid): both occurrences carry
// the same document, date and amount, the key of a settled payment; within one file it is handed over once.
TEST(RetornoItau400, LiquidacaoEBaixaPorLiquidacaoTemAMesmaChave) {
    Documento d = exemplos::documento(QStringLiteral("0000004711"), QStringLiteral("41"));
    simulador::Pedido pedido;
    pedido.tarifa = 21'000;
    QList<QByteArray> primeiro =
        simulador::retornoDaRemessa(junta(remessa400(contaItau(), {d}, 1, geracao)), pedido, pagamento);
    QList<QByteArray> segundo = primeiro;
    segundo[1].replace(108, 8,
                       "10"
                       "190126");
    const Ocorrencia liquidacao = leRetorno400(junta(primeiro), QStringLiteral("a.ret"), u"341").first();
    const Ocorrencia baixa = leRetorno400(junta(segundo), QStringLiteral("b.ret"), u"341").first();
    EXPECT_TRUE(liquidacao.pagamento());
    EXPECT_TRUE(baixa.pagamento());
    EXPECT_EQ(baixa.codigoMovimento, u"10");
    EXPECT_EQ(baixa.numeroDocumento, liquidacao.numeroDocumento);
    EXPECT_EQ(baixa.dataOcorrencia, liquidacao.dataOcorrencia);
    EXPECT_EQ(baixa.dataOcorrencia, pagamento.addDays(1));
    EXPECT_EQ(baixa.valorPago, liquidacao.valorPago);

    QList<QByteArray> ambos = primeiro;
    ambos.insert(2, segundo[1]);
    renumera(ambos);
    ambos.last().replace(212, 22,
                         "00000002"
                         "00000000030000");
    EXPECT_EQ(leRetorno400(junta(ambos), QStringLiteral("c.ret"), u"341").size(), 1);
}

// A valid Bradesco return to spoil one way at a time: header, two titles paid, one entry confirmed,
// trailer.
QList<QByteArray> retornoBradescoValido() {
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1, 2};
    return simulador::retornoDaRemessa(junta(remessa400(contaBradesco(), documentosBradesco(), 1, geracao)),
                                       pedido, pagamento);
}

const Estrago estragos[] = {
    // A short line is read as padded with blanks: the field it cuts is refused.
    {"LinhaCurta", [](auto &l) { l[2].chop(1); },
     "linha 3:", "número sequencial do registro (posições 395 a 400)"},
    {"LinhaLonga", [](auto &l) { l[2].append('0'); }, "linha 3:", "tamanho 401, esperado 400"},
    {"OutroBanco", [](auto &l) { l[0].replace(76, 3, "341"); }, "linha 1:", "banco (posições 77 a 79)"},
    {"EhUmaRemessa", [](auto &l) { l[0][1] = '1'; }, "linha 1:", "não indica um retorno"},
    {"SemHeader", [](auto &l) { l.removeFirst(); }, "linha 1:", "no lugar do header"},
    {"SequenciaQuebrada", [](auto &l) { l.removeAt(2); },
     "linha 3:", "número sequencial do registro (posições 395 a 400) com \"000004\" não confere: esperado 3"},
    {"TituloDobradoERenumerado",
     [](auto &l) {
         l.insert(2, l[1]);
         renumera(l);
     },
     "linha 3:", "pagamento do título 0000004711 (nosso número 000000123458) já informado na linha 2"},
    {"SemTrailer", [](auto &l) { l.removeLast(); }, "linha 4:", "falta o trailer"},
    {"DepoisDoTrailer", [](auto &l) { l.append(l[1]); }, "linha 6:", "após o trailer"},
    {"RegistroDesconhecido", [](auto &l) { l[2][0] = '7'; }, "linha 3:", "tipo de registro"},
    {"ValorPagoNaoNumerico", [](auto &l) { l[1][260] = 'X'; }, "linha 2:", "valor pago (posições 254 a 266)"},
    {"DataInvalida", [](auto &l) { l[1].replace(110, 6, "320125"); }, "linha 2:", "data da ocorrência"},
};

class RetornoBradesco400MalFormado : public testing::TestWithParam<Estrago> {};

TEST_P(RetornoBradesco400MalFormado, RecusaNomeandoArquivoLinhaECampo) {
    confereRecusa(GetParam(), retornoBradescoValido(),
                  [](const QByteArray &bytes, const QString &nome) { leRetorno400(bytes, nome, u"237"); });
}

INSTANTIATE_TEST_SUITE_P(Estragos, RetornoBradesco400MalFormado, testing::ValuesIn(estragos),
                         [](const auto &info) { return std::string(info.param.nome); });

// A trailer total by occurrence that disagrees with the file does not refuse it: what the total takes in is
// not certain, and it protects no money. The reading reports the figure, its line and both values. A title
// dropped with the sequence mended is such a case when only the total shows it (an entry confirmation,
// which moves no money).
TEST(RetornoBradesco400, TotaisDoTrailerQueNaoConferemSaoAvisos) {
    const struct {
        const char *nome;
        std::function<void(QList<QByteArray> &)> estraga;
        qsizetype titulos;
        const char *aviso;
    } casos[] = {
        {"TituloRemovidoERenumerado",
         [](auto &l) {
             l.removeAt(3);
             renumera(l);
         },
         2,
         "Linha 4: campo quantidade de entradas confirmadas (02) do trailer (posições 58 a 62) com \"00001\" "
         "não confere: o arquivo tem 0; o arquivo foi lido assim mesmo."},
        // The genuine file's pattern: five entries, 63-074 less than their face values.
        {"ValorDeEntradasMenorQueOsTitulos", [](auto &l) { l[4].replace(62, 12, "000000000100"); }, 3,
         "Linha 5: campo valor de entradas confirmadas (02) do trailer (posições 63 a 74) com "
         "\"000000000100\" não confere: os títulos somam "},
        {"TitulosBaixadosQueOArquivoNaoTem", [](auto &l) { l[4].replace(103, 5, "00001"); }, 3,
         "quantidade de títulos baixados (09 e 10) do trailer (posições 104 a 108) com \"00001\""},
    };
    for (const auto &c : casos) {
        SCOPED_TRACE(c.nome);
        QList<QByteArray> l = retornoBradescoValido();
        c.estraga(l);
        QStringList avisos;
        const QList<Ocorrencia> o = leRetorno400(junta(l), QStringLiteral("CB0101.ret"), u"237", &avisos);
        EXPECT_EQ(o.size(), c.titulos);
        EXPECT_EQ(std::count_if(o.cbegin(), o.cend(), [](const Ocorrencia &x) { return x.pagamento(); }), 2);
        ASSERT_FALSE(avisos.isEmpty());
        EXPECT_TRUE(avisos[0].contains(QString::fromUtf8(c.aviso))) << avisos[0].toStdString();
    }
}

// A payment whose bank left its credit date blank is settled on its occurrence date, and the other way
// round, as the reading reports; with neither it is refused on its line.
TEST(RetornoBradesco400, PagamentoComUmaDasDatasEmBranco) {
    QList<QByteArray> l = retornoBradescoValido();
    l[1].replace(295, 6, "      ");
    QStringList avisos;
    QList<Ocorrencia> o = leRetorno400(junta(l), QStringLiteral("CB0101.ret"), u"237", &avisos);
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].dataCredito, pagamento);
    EXPECT_EQ(o[0].dataOcorrencia, pagamento);
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_EQ(avisos[0], u"Linha 2: pagamento do título 0000004711 (nosso número 000000123458) sem data do "
                         u"crédito: tomada a data da ocorrência, 10/12/2025.");
    l[1].replace(110, 6, "000000");
    EXPECT_THROW(leRetorno400(junta(l), QStringLiteral("CB0101.ret"), u"237"), ErroBolix);
    l = retornoBradescoValido();
    l[1].replace(110, 6, "      ");
    o = leRetorno400(junta(l), QStringLiteral("CB0101.ret"), u"237");
    EXPECT_EQ(o[0].dataOcorrencia, pagamento.addDays(1));
}

TEST(RetornoBradesco400, TrailerComTotaisZeradosEMarcaDeFimAceitos) {
    QList<QByteArray> linhas = retornoBradescoValido();
    linhas.last().replace(17, 22, QByteArray(22, '0'));
    QByteArray bytes = junta(linhas);
    bytes += "\r\n\x1A";
    EXPECT_EQ(leRetorno400(bytes, QStringLiteral("r.ret"), u"237").size(), 3);
}

// Files as Itaú and Bradesco really send them: a paid title without a document number, records that move
// no money with blank document, amounts and dates, the portfolio's totals in 018-039. Each is read with
// exactly its payments; the same file for a neighbouring account is refused.
class Retorno400ComoOBancoEscreve : public testing::Test {
protected:
    static void semValoresNemDatas(QByteArray &linha, const char *codigo) {
        linha.replace(108, 2, codigo)
            .replace(116, 10, QByteArray(10, ' '))
            .replace(253, 13, QByteArray(13, ' '))
            .replace(295, 6, QByteArray(6, ' '));
    }

    // Reads the file through the account check of `conta` and of a neighbour with one part changed.
    QList<Ocorrencia> le(const QList<QByteArray> &linhas, const ContaConfigurada &conta,
                         const ContaConfigurada &vizinha) const {
        const QString caminho = dir_.filePath(QStringLiteral("CB0101.ret"));
        gravaLinhas(caminho, linhas, "\x1A");
        try {
            leRetornoCobranca(caminho, vizinha);
            ADD_FAILURE() << "neighbouring account accepted";
        } catch (const ErroBolix &e) {
            EXPECT_TRUE(e.texto().contains(u"é de outra conta")) << e.what();
        }
        return leRetornoCobranca(caminho, conta);
    }

    QTemporaryDir dir_;
    simulador::Pedido soOPrimeiroPago = [] {
        simulador::Pedido p;
        p.todosPagos = false;
        p.pagos = {1};
        p.tarifa = 21'000;
        return p;
    }();
};

TEST_F(Retorno400ComoOBancoEscreve, Itau) {
    const QList<Documento> docs = exemplos::tresDocumentos();
    QList<QByteArray> l = simulador::retornoDaRemessa(junta(remessa400(contaItau(), docs, 1, geracao)),
                                                      soOPrimeiroPago, pagamento);
    ASSERT_EQ(l.size(), 5);
    l[1].replace(116, 10, QByteArray(10, ' '));
    semValoresNemDatas(l[2], "02");
    semValoresNemDatas(l[3], "09");
    ContaConfigurada vizinha = contaItau();
    vizinha.conta = QStringLiteral("12346");
    const QList<Ocorrencia> o = le(l, contaItau(), vizinha);
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_TRUE(o[0].numeroDocumento.isEmpty());
    EXPECT_EQ(o[0].nossoNumero, nossoNumeroDoDocumento(contaItau(), docs[0]).campoCnab);
    EXPECT_EQ(o[0].valorPago, centavos(valorCobrado(docs[0])) * 100);
    EXPECT_FALSE(o[1].pagamento() || o[2].pagamento());
}

TEST_F(Retorno400ComoOBancoEscreve, Bradesco) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(contaBradesco(), documentosBradesco(), 1, geracao)), soOPrimeiroPago, pagamento);
    ASSERT_EQ(l.size(), 5);
    semValoresNemDatas(l[2], "02");
    semValoresNemDatas(l[3], "10");
    // 18 titles of 8.645,00 in the portfolio; one entry and one write-off in this file.
    l[4].replace(17, 22,
                 "00000018"
                 "00000000864500")
        .replace(57, 17, "00001" + l[2].mid(152, 13).right(12))
        .replace(103, 17, "00001" + l[3].mid(152, 13).right(12));
    ContaConfigurada vizinha = contaBradesco();
    vizinha.cedente = QStringLiteral("4567891");
    const QList<Ocorrencia> o = le(l, contaBradesco(), vizinha);
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].numeroDocumento, u"0000004711");
    EXPECT_EQ(o[0].valorPago, 1'500'000);
    EXPECT_FALSE(o[1].pagamento() || o[2].pagamento());
}

// The CNAB 400 of the banks added after Bradesco and Itaú, one row each: the account, the golden
// remittance, the occurrence codes that are payments and some that are not (entry, refusal, write-off,
// provisional), and a neighbouring account that the return's header refuses.
struct Banco400 {
    const char *nome;
    std::function<ContaConfigurada()> conta;
    const char *remessa;
    std::vector<const char *> pagos;
    std::vector<const char *> naoPagos;
    std::function<void(ContaConfigurada &)> vizinha;
};

void PrintTo(const Banco400 &b, std::ostream *os) {
    *os << b.nome;
}

const Banco400 bancos400[] = {
    // 93 is the intraday notice of a payment, settled by the night file's 06.
    {"Santander",
     contaSantander,
     "remessa400_santander.rem",
     {"06", "07", "08", "17"},
     {"02", "03", "09", "10", "93", "94"},
     [](ContaConfigurada &c) { c.convenioArquivo = QStringLiteral("17777751042700080113"); }},
    // X0 and X6 to XB: paid by a cheque still blocked.
    {"Sicredi",
     [] { return conta400("Sicredi"); },
     "remessa400_sicredi.rem",
     {"06", "15", "17"},
     {"02", "03", "09", "10", "24", "28"},
     [](ContaConfigurada &c) { c.cedente = QStringLiteral("00624"); }},
    // 30 and 31: payments in transit; 04: a write-off by public notice.
    {"Banrisul",
     [] { return conta400("Banrisul"); },
     "remessa400_banrisul.rem",
     {"06", "07", "08", "15"},
     {"02", "03", "04", "09", "10", "30", "31"},
     [](ContaConfigurada &c) { c.cedente = QStringLiteral("9000151"); }},
    // 05: a title without registration.
    {"Sicoob",
     [] { return conta400("Sicoob"); },
     "remessa400_sicoob.rem",
     {"06", "15"},
     {"02", "05", "09", "10", "14"},
     [](ContaConfigurada &c) { c.cedente = QStringLiteral("0123457"); }},
    // Caixa's own codes: 01 entry, 99 refused, 02/23/25 written off, 33 and 36 reversals.
    {"Caixa",
     [] { return conta400("Caixa"); },
     "remessa400_caixa.rem",
     {"21", "22", "35"},
     {"01", "02", "06", "23", "25", "33", "36", "99"},
     [](ContaConfigurada &c) { c.cedente = QStringLiteral("123457"); }},
    // 46: paid by a cheque awaiting clearing; 44: the cheque returned.
    {"BancoDoBrasil",
     exemplos::contaBancoDoBrasil400,
     "remessa400_bb.rem",
     {"06", "07", "08", "15"},
     {"02", "03", "05", "09", "10", "44", "46"},
     [](ContaConfigurada &c) { c.cedente = QStringLiteral("1234568"); }},
};

class Cnab400DoBanco : public testing::TestWithParam<Banco400> {
protected:
    QList<QByteArray> remessa() const {
        return remessa400(GetParam().conta(), documentosBradesco(), 42, geracao);
    }
    QList<QByteArray> retorno(const simulador::Pedido &pedido = {}) const {
        return simulador::retornoDaRemessa(junta(remessa()), pedido, pagamento);
    }
    QList<Ocorrencia> le(const QList<QByteArray> &linhas) const {
        return leRetorno400(junta(linhas), QStringLiteral("CB0101.ret"),
                            GetParam().conta().configuracao.banco);
    }
};

TEST_P(Cnab400DoBanco, RemessaIgualAoArquivoDeReferencia) {
    QTemporaryDir dir;
    const ArquivoRemessa destino{dir.path(), QStringLiteral("remessa.rem"), QStringLiteral("FEBRABAN240"),
                                 42};
    gravaArquivoRemessa(GetParam().conta(), documentosBradesco(), destino, geracao);
    EXPECT_EQ(leArquivo(dir.filePath(QStringLiteral("remessa.rem"))),
              leArquivo(QStringLiteral(DADOS_BOLIX "/") + QString::fromLatin1(GetParam().remessa)));
}

// The simulator's return: the first title paid with a fee, the others' entries confirmed.
TEST_P(Cnab400DoBanco, SimuladorPagoENaoPago) {
    const QList<Documento> docs = documentosBradesco();
    simulador::Pedido pedido;
    pedido.todosPagos = false;
    pedido.pagos = {1};
    pedido.tarifa = 21'000;
    const QList<Ocorrencia> o = le(retorno(pedido));
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].numeroDocumento, docs[0].numeroDocumento);
    EXPECT_EQ(o[0].valorPago, centavos(valorCobrado(docs[0])) * 100);
    EXPECT_EQ(o[0].valorTarifa, 21'000);
    EXPECT_EQ(o[0].dataCredito, pagamento.addDays(1));
    EXPECT_FALSE(o[1].pagamento() || o[2].pagamento());
    EXPECT_EQ(o[1].valorTitulo, centavos(valorCobrado(docs[1])) * 100);
}

TEST_P(Cnab400DoBanco, SoOsCodigosDeLiquidacaoSaoPagamentos) {
    QList<QByteArray> linhas = retorno();
    const auto pago = [&](const char *codigo) {
        linhas[1].replace(108, 2, codigo);
        return le(linhas).first().pagamento();
    };
    for (const char *codigo : GetParam().pagos)
        EXPECT_TRUE(pago(codigo)) << codigo;
    for (const char *codigo : GetParam().naoPagos)
        EXPECT_FALSE(pago(codigo)) << codigo;
}

TEST_P(Cnab400DoBanco, RetornoDeOutraContaOuDeOutroBancoRecusado) {
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("CB0101.ret"));
    gravaLinhas(caminho, retorno());
    EXPECT_EQ(leRetornoCobranca(caminho, GetParam().conta()).size(), 3);
    ContaConfigurada vizinha = GetParam().conta();
    GetParam().vizinha(vizinha);
    try {
        leRetornoCobranca(caminho, vizinha);
        ADD_FAILURE() << "neighbouring account accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"é de outra conta")) << e.what();
    }
    EXPECT_THROW(leRetornoCobranca(caminho, contaBradesco()), ErroBolix);
}

// A 06 whose reasons say the cheque that paid it is still blocked is reported, not settled; the credit
// date is read year first.
TEST(RetornoSicredi400, PagoComChequeBloqueadoNaoEhPagamento) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(conta400("Sicredi"), documentosBradesco(), 1, geracao)), {}, pagamento);
    l[2].replace(318, 4, "A8X6");
    const QList<Ocorrencia> o = leRetorno400(junta(l), QStringLiteral("00623B10.CRT"), u"748");
    ASSERT_EQ(o.size(), 3);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].dataCredito, pagamento.addDays(1));
    EXPECT_EQ(o[1].codigoMovimento, u"06");
    EXPECT_FALSE(o[1].pagamento());
    EXPECT_EQ(o[1].motivos, u"A8X6");
}

// A title of 150,00 paid with 2,00 of interest and 3,00 of fine, 1,00 of discount: the payer paid 154,00.
// What 254-266 holds depends on the contract's type; each type gives back the same payment. The header's
// code left at zero, as the bank may send it, is taken from the details.
TEST(RetornoBanrisul400, ValorPagoPeloTipoDoContrato) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(conta400("Banrisul"), {documentosBradesco()[0]}, 1, geracao)), {}, pagamento);
    l[0].replace(26, 13, QByteArray(13, '0'));
    l[1].replace(240, 13, "0000000000100").replace(266, 26, "00000000002000000000000300");
    const struct {
        int tipo;
        const char *valor254;
    } casos[] = {{1, "0000000015200"}, {2, "0000000015100"}, {3, "0000000015200"},
                 {4, "0000000015400"}, {5, "0000000015190"}, {6, "0000000015000"}};
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("retorno.ret"));
    for (const auto &c : casos) {
        SCOPED_TRACE(c.tipo);
        l[1].replace(253, 13, c.valor254).replace(175, 13, "0000000000210");
        gravaLinhas(caminho, l, "\x1A");
        ContaConfigurada conta = conta400("Banrisul");
        conta.configuracao.tipoValorPago = c.tipo;
        const QList<Ocorrencia> o = leRetornoCobranca(caminho, conta);
        ASSERT_EQ(o.size(), 1);
        EXPECT_EQ(o[0].valorPago, 1'540'000);
    }
    // Another payee's code in a detail is another account's file.
    l[1].replace(17, 13, "1102900016046");
    gravaLinhas(caminho, l, "\x1A");
    EXPECT_THROW(leRetornoCobranca(caminho, conta400("Banrisul")), ErroBolix);
}

// A 400-column record of blanks with the given fields (1-based first position) and its sequence.
QByteArray registro400(char tipo, int sequencia, std::initializer_list<std::pair<int, QByteArray>> campos) {
    QByteArray r(400, ' ');
    r[0] = tipo;
    for (const auto &[inicio, valor] : campos)
        r.replace(inicio - 1, valor.size(), valor);
    return r.replace(394, 6, QByteArray::number(sequencia).rightJustified(6, '0'));
}

// The return detail a peer's file holds for the manual's own nosso número, sliced against the manual: a
// header whose payee code (027-039) is zero-filled and 040-046 not blank, the account then checked on the
// detail (018-030). Its nosso número carries another check digit than the manual's: it is taken as sent.
// The amounts the slice leaves out are zero, as the bank writes them.
TEST(RetornoBanrisul400, ComoODetalheDeUmArquivoDoBanco) {
    const QList<QByteArray> l = {
        registro400('0', 1, {{2, "2RETORNO"}, {27, "0000000000000"}, {40, "0000001"}, {77, "041"}}),
        registro400('1', 2,
                    {{18, "1102900015046"},
                     {63, "2283256350"},
                     {109, "06150515"},
                     {147, "150515"},
                     {153, "0000000145000"},
                     {176, "0000000000160"},
                     {189, QByteArray(65, '0')},
                     {254, "0000000145000"},
                     {267, QByteArray(26, '0')},
                     {296, "150515"}}),
        registro400('9', 3, {}),
    };
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("CB0101.ret"));
    gravaLinhas(caminho, l, "\x1A");
    const QList<Ocorrencia> o = leRetornoCobranca(caminho, conta400("Banrisul"));
    ASSERT_EQ(o.size(), 1);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].nossoNumero, u"2283256350");
    EXPECT_EQ(o[0].valorPago, 14'500'000);
    EXPECT_EQ(o[0].valorTarifa, 16'000);
    EXPECT_EQ(o[0].dataOcorrencia, QDate(2015, 5, 15));
    EXPECT_EQ(o[0].dataCredito, QDate(2015, 5, 15));
    ContaConfigurada vizinha = conta400("Banrisul");
    vizinha.cedente = QStringLiteral("9000151");
    EXPECT_THROW(leRetornoCobranca(caminho, vizinha), ErroBolix);
}

// Type 3 subtracts the discount and the abatimento from the amount received: below zero, the file is
// refused on the title's line, naming the fields, and nothing of it is settled.
TEST(RetornoBanrisul400, ValorPagoAbaixoDeZeroRecusaOArquivo) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(conta400("Banrisul"), {documentosBradesco()[0]}, 1, geracao)), {}, pagamento);
    l[1].replace(227, 39,
                 "0000000000100"
                 "0000000000500"
                 "0000000000200");
    ContaConfigurada conta = conta400("Banrisul");
    conta.configuracao.tipoValorPago = 3;
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("CB0101.ret"));
    gravaLinhas(caminho, l, "\x1A");
    try {
        leRetornoCobranca(caminho, conta);
        FAIL() << "accepted";
    } catch (const ErroBolix &e) {
        EXPECT_TRUE(e.texto().contains(u"linha 2: valor pago do título 0000004711 (nosso número 0001234552) "
                                       u"abaixo de zero, R$ -4,00, pela "
                                       u"regra do banco sobre os campos valor pago (posições 254 a 266) R$ "
                                       u"2,00, desconto (posições 241 a "
                                       u"253) R$ 5,00, abatimento (posições 228 a 240) R$ 1,00"))
            << e.what();
    }
}

// Santander sums the discount and the abatimento granted into 228-240 and leaves 241-253 for nothing.
TEST(RetornoSantander400, DescontoNoCampoDoManual) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(contaSantander(), {documentosBradesco()[0]}, 1, geracao)), {}, pagamento);
    l[1].replace(227, 26,
                 "0000000000500"
                 "0000000009999");
    const QList<Ocorrencia> o = leRetorno400(junta(l), QStringLiteral("CB0101.ret"), u"033");
    ASSERT_EQ(o.size(), 1);
    EXPECT_TRUE(o[0].pagamento());
    EXPECT_EQ(o[0].valorDesconto, 50'000);
}

// Caixa returns the principal, the interest and the fine apart: the payer paid their sum.
TEST(RetornoCaixa400, ValorPagoSomaJurosEMulta) {
    QList<QByteArray> l = simulador::retornoDaRemessa(
        junta(remessa400(conta400("Caixa"), {documentosBradesco()[0]}, 1, geracao)), {}, pagamento);
    l[1].replace(266, 26, "00000000002000000000000300");
    const QList<Ocorrencia> o = leRetorno400(junta(l), QStringLiteral("r.ret"), u"104");
    ASSERT_EQ(o.size(), 1);
    EXPECT_EQ(o[0].codigoMovimento, u"21");
    EXPECT_EQ(o[0].identificacaoTitulo, controleDoParticipante(documentosBradesco()[0]));
    EXPECT_EQ(o[0].valorPago, 1'550'000);
    EXPECT_EQ(o[0].dataCredito, pagamento.addDays(1));
}

INSTANTIATE_TEST_SUITE_P(Bancos, Cnab400DoBanco, testing::ValuesIn(bancos400),
                         [](const auto &info) { return std::string(info.param.nome); });

// The program asks for FEBRABAN240; the records' length picks the layout, the file's bank must be the
// account's.
TEST(RetornoCobranca, LeiautePeloTamanhoDosRegistros) {
    QTemporaryDir dir;
    const QString cnab400 = dir.filePath(QStringLiteral("cnab400.ret"));
    gravaLinhas(cnab400, retornoBradescoValido(), "\x1A");
    EXPECT_EQ(leRetornoCobranca(cnab400, contaBradesco()).size(), 3);

    const QString cnab240 = dir.filePath(QStringLiteral("cnab240.ret"));
    const ContaConfigurada bb = exemplos::contaBancoDoBrasil();
    gravaLinhas(cnab240, simulador::retornoDaRemessa(
                             junta(remessa240(bb, exemplos::tresDocumentos(), 1, geracao)), {}, pagamento));
    EXPECT_EQ(leRetornoCobranca(cnab240, bb).size(), 3);

    const auto recusa = [](const QString &caminho, const ContaConfigurada &conta) {
        try {
            leRetornoCobranca(caminho, conta);
        } catch (const ErroBolix &e) {
            return e.texto();
        }
        return QStringLiteral("aceito");
    };
    // Real has no CNAB 400 here.
    const exemplos::ExemploBanco &exemploReal = exemplos::exemploBanco("Real");
    const ContaConfigurada real = exemplos::configura(exemploReal, exemplos::conta(exemploReal));
    EXPECT_TRUE(recusa(cnab400, real).contains(u"CNAB 400 não está disponível para o banco 356"));
    EXPECT_TRUE(recusa(cnab400, real).contains(u"layout=CNAB240 no bolix.ini"));
    EXPECT_TRUE(recusa(cnab240, contaBradesco()).contains(u"banco (posições 1 a 3)"));
    // Another company's file at the same bank.
    Conta outra;
    outra.codigoAgencia = QStringLiteral("3380");
    outra.numeroContaCorrente = QStringLiteral("0012345-6");
    outra.codigoCedente = QStringLiteral("4567891");
    outra.inicioNossoNumero = QStringLiteral("0");
    EXPECT_TRUE(
        recusa(cnab400, configuraConta(outra, contaBradesco().configuracao))
            .contains(
                u"é de outra conta: código da empresa 00000000000004567890 no arquivo (posições 27 a 46), "
                u"00000000000004567891 na conta configurada do banco 237"));
}

} // namespace
