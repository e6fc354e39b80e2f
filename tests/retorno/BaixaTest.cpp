#include "retorno/Baixa.h"

#include "config/EstadoPrograma.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/ListaOcorrencias.h"
#include "tests/retorno/RetornoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Regional.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

const QDateTime Agora(QDate(2026, 3, 15), QTime(10, 30, 45));
const QString Documento = QStringLiteral("0000000001");
const QByteArray Impressao = ImpressaoDoArquivo("retorno de teste");

Money reais(double valor) {
    return Money::deDouble(valor);
}

// Receivables of one client on the test server, settled by a branch other than their own.
class BaixaNoBanco : public testing::Test {
protected:
    void SetUp() override {
        Clock::fixar(Agora);
        banco.empresa(1);
        banco.cliente(1, {{"saldomes", 1000}});
        estado.FilialAtual = 2;
        estado.NumCaixa = 7;
        estado.LojasLeramAtual = QStringLiteral("2");
        banco.conexao().executa(sqlCriaBaixasRegistradas());
    }
    void TearDown() override { Clock::fixar(std::nullopt); }

    // A receivable of the document, sold on the given day of this month: older ones first.
    void conta(double valor, int quantidade, double amort, double valortotal, int dia, Colunas mais = {}) {
        banco.receber({{"valor", reais(valor)},
                       {"quantidade", quantidade},
                       {"amort", reais(amort)},
                       {"valortotal", reais(valortotal)},
                       {"numero_documento", Documento},
                       {"datahora", QDateTime(QDate(2026, 3, dia), QTime(9, 0))},
                       {"produto_id", 5},
                       {"usuario_id", 6},
                       {"numnota", 77}});
        ++contas_;
        for (const ColunaDeTeste &c : mais)
            banco.conexao().executa(QStringLiteral("update receber set %1 = %2 where receber_id = %3")
                                        .arg(c.nome, c.valor.literal(banco.conexao()))
                                        .arg(contas_));
    }
    ListaRetorno lista(ModoRetorno modo, std::vector<Ocorrencia> ocorrencias) {
        return ListaOcorrencias(banco.conexao(), modo, ocorrencias);
    }
    // Each payment on a day of its own: two payments of one document are two payments.
    ResultadoBaixa paga(double valor, const QString &documento = Documento) {
        const QString dia = QDate(2026, 3, 1).addDays(pagamentos_++).toString(QStringLiteral("yyyyMMdd"));
        ListaRetorno l =
            lista(ModoRetorno::Boleto,
                  {{documento, reais(valor), 0, QStringLiteral("ocorrência 1"), dia, reais(valor)}});
        return processa(l);
    }
    ResultadoBaixa processa(ListaRetorno &l) {
        return ProcessaRetorno(banco.conexao(), estado, l.QListaTemp, l.modo, Impressao);
    }
    ResultSet consulta(const QString &sql) { return banco.conexao().abre(sql); }
    std::vector<Money> coluna(const QString &sql) {
        const ResultSet r = consulta(sql);
        std::vector<Money> v;
        for (int l = 0; l < r.linhas(); ++l)
            v.push_back(r.valor(l, 0).dinheiro());
        return v;
    }
    Money saldomes() {
        return consulta(QStringLiteral("select saldomes from clientes where clientes_id = 1"))
            .valor(0, 0)
            .dinheiro();
    }
    qint64 quantos(const char *tabela) {
        return consulta(QStringLiteral("select count(*) from ") + QLatin1String(tabela))
            .valor(0, 0)
            .inteiroLongo();
    }

    BancoDeTeste banco;
    EstadoPrograma estado;
    int contas_ = 0;
    int pagamentos_ = 0;
};

struct Conta {
    double valor;
    int quantidade;
    double amort;
    double valortotal;
};

struct CasoBaixa {
    const char *nome;
    std::vector<Conta> contas;
    std::vector<double> pagamentos; // one run each
    std::vector<double> amort;
    std::vector<double> valortotal;
    std::vector<double> movimentos;
    double sobra = 0; // what the runs report as paid beyond the receivables
};
void PrintTo(const CasoBaixa &c, std::ostream *os) {
    *os << c.nome;
}

class Espalha : public BaixaNoBanco, public testing::WithParamInterface<CasoBaixa> {};

TEST_P(Espalha, ContasMovimentosNumerosESaldo) {
    const CasoBaixa &c = GetParam();
    int dia = 1;
    for (const Conta &k : c.contas)
        conta(k.valor, k.quantidade, k.amort, k.valortotal, dia++);
    Money sobra;
    for (double p : c.pagamentos)
        for (const auto &[documento, quantia] : paga(p).sobras) {
            EXPECT_EQ(documento, Documento);
            sobra += quantia;
        }
    EXPECT_EQ(sobra, reais(c.sobra));

    std::vector<Money> amort, valortotal, movimentos;
    for (double v : c.amort)
        amort.push_back(reais(v));
    for (double v : c.valortotal)
        valortotal.push_back(reais(v));
    for (double v : c.movimentos)
        movimentos.push_back(reais(v));
    EXPECT_EQ(coluna(QStringLiteral("select amort from receber order by receber_id")), amort);
    EXPECT_EQ(coluna(QStringLiteral("select valortotal from receber order by receber_id")), valortotal);
    EXPECT_EQ(coluna(QStringLiteral("select valor_tot from movment order by movment_id")), movimentos);
    // One number of its own for every movement, each drawn from nlanc.
    EXPECT_EQ(quantos("nlanc"), qint64(movimentos.size()));
    EXPECT_EQ(consulta(QStringLiteral("select count(distinct m.numlanc) from movment m join nlanc n on "
                                      "n.nlanc_id = m.numlanc"))
                  .valor(0, 0)
                  .inteiroLongo(),
              qint64(movimentos.size()));
    Money soma;
    for (Money m : movimentos)
        soma += m;
    EXPECT_EQ(saldomes(), reais(1000) - soma);
}

INSTANTIATE_TEST_SUITE_P(
    Casos, Espalha,
    testing::Values(
        CasoBaixa{"Pago100Em100", {{100, 1, 0, 100}}, {100}, {100}, {0}, {100}},
        CasoBaixa{"Pago100Em60E40", {{60, 1, 0, 60}, {40, 1, 0, 40}}, {100}, {100, 100}, {0, 0}, {60, 40}},
        CasoBaixa{"Pago70Em60E40", {{60, 1, 0, 60}, {40, 1, 0, 40}}, {70}, {100, 25}, {0, 30}, {60, 10}},
        CasoBaixa{"Pago30DuasVezesEm50x2", {{50, 2, 0, 100}}, {30, 30}, {60}, {40}, {30, 30}},
        CasoBaixa{"Pago150Em100", {{60, 1, 0, 60}, {40, 1, 0, 40}}, {150}, {100, 100}, {0, 0}, {60, 40}, 50},
        CasoBaixa{"PagoZero", {{100, 1, 0, 100}}, {0}, {0}, {100}, {}},
        CasoBaixa{"PagoNegativo", {{100, 1, 0, 100}}, {-2.5}, {0}, {100}, {}},
        // 10.125 and 10.12 both round to 10.12: fully settled by the unrounded open amount.
        CasoBaixa{"Aberto10_125Resto10_12", {{10.125, 1, 0, 10.125}}, {10.12}, {100}, {0}, {10.125}},
        // 10.135 rounds to 10.14, above 10.13: settled in part, 10.13 / 10.135 of it.
        CasoBaixa{"Aberto10_135Resto10_13", {{10.135, 1, 0, 10.135}}, {10.13}, {99.9507}, {0.005}, {10.13}},
        CasoBaixa{"JaBaixadaRecebeMovimentoZero", {{100, 1, 100, 0}}, {50}, {100}, {0}, {0}, 50},
        CasoBaixa{
            "ParcialSobreParcial", {{100, 1, 33.3333, 66.6667}}, {33.33}, {66.6633}, {33.3367}, {33.33}}));

TEST(ValorEmAberto, QuatroDecimaisMetadeParaOPar) {
    EXPECT_EQ(ValorEmAberto(reais(40), reais(25)), reais(30));
    EXPECT_EQ(ValorEmAberto(reais(100), reais(100)), Money());
    EXPECT_EQ(ValorEmAberto(reais(10.135), reais(99.9507)), reais(0.005));
    // 0.0001 x 50 % = 0.00005: the half goes to the even 0.0000.
    EXPECT_EQ(ValorEmAberto(reais(0.0001), reais(50)), reais(0.0001));
    EXPECT_EQ(ValorEmAberto(reais(0.0003), reais(50)), reais(0.0001));
    EXPECT_EQ(ValorEmAberto(reais(123456789012.5), reais(10)), reais(111111110111.25));
}

TEST_F(BaixaNoBanco, MovimentoEContaComTodasAsColunas) {
    conta(50, 2, 0, 100, 3);
    paga(100);
    const ResultSet m = consulta(QStringLiteral("select * from movment"));
    ASSERT_EQ(m.linhas(), 1);
    const qint64 numero = consulta(QStringLiteral("select nlanc_id from nlanc")).valor(0, 0).inteiroLongo();
    EXPECT_EQ(m.valor(0, "filial_id").inteiro(), 2);
    EXPECT_EQ(m.valor(0, "dafilial_id").inteiro(), 1);
    EXPECT_EQ(m.valor(0, "data_hora").dataHora(), Agora);
    EXPECT_EQ(m.valor(0, "produto_id").inteiro(), 5);
    EXPECT_EQ(m.valor(0, "quanti_uni").inteiro(), 2);
    EXPECT_EQ(m.valor(0, "usuario_id").inteiro(), 6);
    EXPECT_EQ(m.valor(0, "preco_unit").dinheiro(), reais(50));
    EXPECT_EQ(m.valor(0, "valor_tot").dinheiro(), reais(100));
    EXPECT_EQ(m.valor(0, "numlanc").inteiroLongo(), numero);
    EXPECT_EQ(m.valor(0, "oper").inteiro(), 9);
    EXPECT_EQ(m.valor(0, "numnota").inteiro(), 77);
    EXPECT_EQ(m.valor(0, "clientes_id").inteiro(), 1);
    EXPECT_EQ(m.valor(0, "lojas_leram").texto(), QStringLiteral("2"));
    EXPECT_EQ(m.valor(0, "lojas_leram2").texto(), QStringLiteral("2"));
    EXPECT_EQ(m.valor(0, "lib_usuario_id").texto(), QString());
    EXPECT_FALSE(m.valor(0, "lib_usuario_id").nulo());
    EXPECT_EQ(m.valor(0, "num_caixa").inteiro(), 7);

    const ResultSet r = consulta(QStringLiteral("select * from receber"));
    EXPECT_EQ(r.valor(0, "valor").dinheiro(), reais(50));
    EXPECT_EQ(r.valor(0, "lojas_leram").texto(), QStringLiteral("2"));
    EXPECT_EQ(r.valor(0, "dtalteracao").data(), Agora.date());
    EXPECT_EQ(r.valor(0, "numero_documento").texto(), Documento);

    const ResultSet c = consulta(QStringLiteral("select * from clientes"));
    EXPECT_EQ(c.valor(0, "saldomes").dinheiro(), reais(900));
    EXPECT_EQ(c.valor(0, "lojas_leram").texto(), QStringLiteral("2"));
    EXPECT_EQ(c.valor(0, "lojas_leram2").texto(), QStringLiteral("2"));
}

TEST_F(BaixaNoBanco, ApagadasESemQuantidadeNuncaSaoBaixadas) {
    conta(30, 1, 0, 30, 1, {{"apagado", "S"}});
    conta(30, 0, 0, 30, 2, {{"quantidade", 0}});
    conta(100, 1, 0, 100, 3);
    const ListaRetorno l = lista(ModoRetorno::Boleto, {{Documento, reais(100), 0, {}}});
    // The list shows all three; settlement takes only the open one.
    EXPECT_EQ(l.QListaTemp.valor(0, "valortotal").dinheiro(), reais(160));
    paga(100);
    EXPECT_EQ(coluna(QStringLiteral("select amort from receber order by receber_id")),
              (std::vector<Money>{Money(), Money(), reais(100)}));
}

TEST_F(BaixaNoBanco, SaldoSoBaixaNoMesCorrente) {
    banco.cliente(2, {{"saldomes", 1000}});
    banco.cliente(3, {{"saldomes", 1000}});
    banco.receber({{"clientes_id", 1},
                   {"numero_documento", "0000000011"},
                   {"datahora", QDateTime(QDate(2026, 2, 28), QTime(23, 59, 59))}});
    banco.receber({{"clientes_id", 2}, {"numero_documento", "0000000012"}, {"datahora", ValorDeTeste()}});
    banco.receber({{"clientes_id", 3},
                   {"numero_documento", "0000000013"},
                   {"datahora", QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59))}});
    for (const char *doc : {"0000000011", "0000000012", "0000000013"})
        paga(100, QString::fromLatin1(doc));
    EXPECT_EQ(coluna(QStringLiteral("select saldomes from clientes order by clientes_id")),
              (std::vector<Money>{reais(1000), reais(1000), reais(900)}));
    EXPECT_EQ(quantos("movment"), 3);
}

TEST_F(BaixaNoBanco, DebitoPagoBaixaAsContasQueAListaEncontrou) {
    // The debit carries the last eight digits of the document number.
    banco.receber({{"numero_documento", "1234567890"}, {"lojas_leram2", "34567890"}, {"datahora", Agora}});
    banco.receber({{"numero_documento", "0034567890"}, {"datahora", Agora}});
    banco.receber({{"numero_documento", "0000001235"},
                   {"lojas_leram2", "00001235"},
                   {"tipo", 99},
                   {"amort", 10},
                   {"valortotal", 90}});
    ListaRetorno l =
        lista(ModoRetorno::Debito, OcorrenciasDebito(RetornoDebito({LinhaDebito("34567890", 10000, "00"),
                                                                    LinhaDebito("00001235", 9000, "01")}),
                                                     Money()));
    ASSERT_EQ(l.QListaTemp.linhas(), 2);
    const ResultadoBaixa r = processa(l);
    EXPECT_EQ(r.recusados, 1);
    EXPECT_EQ(r.contas, 1);
    EXPECT_EQ(r.linhas, 2);

    const ResultSet c = consulta(QStringLiteral(
        "select amort, lojas_leram2, tipo, lojas_leram, dtalteracao from receber order by receber_id"));
    EXPECT_EQ(c.valor(0, "amort").dinheiro(), reais(100));
    EXPECT_EQ(c.valor(1, "amort").dinheiro(), Money());
    // Released for the next debit file, nothing paid.
    EXPECT_EQ(c.valor(2, "amort").dinheiro(), reais(10));
    EXPECT_EQ(c.valor(2, "lojas_leram2").texto(), QString());
    EXPECT_EQ(c.valor(2, "tipo").inteiro(), 0);
    EXPECT_EQ(c.valor(2, "lojas_leram").texto(), QStringLiteral("2"));
    EXPECT_EQ(c.valor(2, "dtalteracao").data(), Agora.date());
    EXPECT_EQ(quantos("movment"), 1);
}

TEST_F(BaixaNoBanco, BoletoIgnoraOCodigoEBaixaTudo) {
    conta(100, 1, 0, 100, 1);
    ListaRetorno l = lista(ModoRetorno::Boleto, {{Documento, reais(100), 0, {}}});
    // A boleto list never carries codes; even a stray one does not release anything.
    l.QListaTemp.define(0, l.QListaTemp.indice("CodOcorrencia"), 1);
    EXPECT_EQ(processa(l).recusados, 0);
    EXPECT_EQ(quantos("movment"), 1);
}

TEST(MensagensDaBaixa, TextosDeFechamento) {
    EXPECT_EQ(
        MensagemDebitosRecusados(1),
        QStringLiteral("Existem 1 registro de débitos automático que não foram creditados em sua conta,\r"
                       "por isso não serão baixados as contas deste clientes. Gere novamente o arquivo de "
                       "débito em conta para estes clientes."));
    ResultadoBaixa r;
    r.baixadasAgora = 3;
    r.baixadasAntes = 12;
    EXPECT_EQ(MensagemProcessoConcluido(r),
              QStringLiteral("Processo concluído.\rBaixados agora: 3. Já baixados antes: 12."));
    Regional::definir(Regional::brasileiro());
    r.sobras = {{QStringLiteral("0000004711"), Money::deCentavos(5000)},
                {QStringLiteral("0000004713"), Money::deCentavos(123456)}};
    EXPECT_EQ(MensagemProcessoConcluido(r),
              QStringLiteral("Processo concluído.\rBaixados agora: 3. Já baixados antes: 12.\r"
                             "Pagos a mais que as contas; credite ou devolva ao cliente:\r"
                             "Documento 0000004711: R$ 50,00\rDocumento 0000004713: R$ 1.234,56"));
}

TEST(SqlDaBaixa, TextosComoOsProgramasDaLojaEsperam) {
    EXPECT_EQ(
        sqlSelecaoBaixa(ModoRetorno::Boleto, Documento),
        QStringLiteral(" select receber.* from receber \nwhere receber.numero_documento = \"0000000001\"\n"
                       " and receber.apagado <> \"S\" \n and receber.quantidade > 0 \norder by "
                       "receber.datahora for update"));
    EXPECT_EQ(
        sqlLiberaDebito(QStringLiteral("*"), QDate(2026, 3, 5), QStringLiteral("00001234")),
        QStringLiteral("update receber set lojas_leram2 = \"\", tipo = 0, lojas_leram = \"*\", dtalteracao = "
                       "'2026-03-05' where lojas_leram2 = \"00001234\""));
}

// Faults injected inside one receivable's statements leave that receivable as it was.
class FalhaNoMeio : public BaixaNoBanco {
protected:
    void gatilho(const char *tabela, const char *quando, const char *condicao) {
        banco.conexao().executa(
            QStringLiteral("create trigger falha before %1 on %2 for each row begin if %3 then "
                           "signal sqlstate '45000' set message_text = 'falha simulada'; end if; end")
                .arg(QLatin1String(quando), QLatin1String(tabela), QLatin1String(condicao)));
    }
    // The one receivable of 100 as it was: open, unmarked, no number, no movement, the balance whole.
    void esperaIntocada() {
        const ResultSet r = consulta(QStringLiteral("select amort, valortotal, lojas_leram from receber"));
        EXPECT_EQ(r.valor(0, "amort").dinheiro(), Money());
        EXPECT_EQ(r.valor(0, "valortotal").dinheiro(), reais(100));
        EXPECT_TRUE(r.valor(0, "lojas_leram").nulo());
        EXPECT_EQ(quantos("movment"), 0);
        EXPECT_EQ(quantos("nlanc"), 0);
        EXPECT_EQ(saldomes(), reais(1000));
    }
    QString erroAoProcessar(ListaRetorno &l) {
        try {
            processa(l);
        } catch (const Erro &e) {
            return e.texto();
        }
        return {};
    }
};

TEST_F(FalhaNoMeio, MovimentoRecusadoDesfazAContaEDizOndeParou) {
    banco.receber(
        {{"numero_documento", "0000000001"}, {"valor", 60}, {"valortotal", 60}, {"datahora", Agora}});
    banco.receber(
        {{"numero_documento", "0000000002"}, {"valor", 40}, {"valortotal", 40}, {"datahora", Agora}});
    gatilho("movment", "insert", "new.valor_tot = 40");
    ListaRetorno l =
        lista(ModoRetorno::Boleto, {{"0000000001", reais(60), 0, {}}, {"0000000002", reais(40), 0, {}}});
    EXPECT_EQ(erroAoProcessar(l),
              QStringLiteral("Ao baixar a conta 2 da filial 1 (documento 0000000002): falha simulada\r"
                             "O processamento parou na linha 2 da lista; as 1 linhas anteriores "
                             "foram processadas."));
    EXPECT_EQ(coluna(QStringLiteral("select amort from receber order by receber_id")),
              (std::vector<Money>{reais(100), Money()}));
    EXPECT_EQ(coluna(QStringLiteral("select valortotal from receber order by receber_id")),
              (std::vector<Money>{Money(), reais(40)}));
    EXPECT_EQ(quantos("movment"), 1);
    EXPECT_EQ(quantos("nlanc"), 1);
    EXPECT_EQ(saldomes(), reais(940));
}

TEST_F(FalhaNoMeio, SaldoRecusadoDesfazContaNumeroEMovimento) {
    conta(100, 1, 0, 100, 1);
    gatilho("clientes", "update", "true");
    ListaRetorno l = lista(ModoRetorno::Boleto, {{Documento, reais(100), 0, {}}});
    EXPECT_TRUE(erroAoProcessar(l).contains(QStringLiteral("falha simulada")));
    esperaIntocada();
}

TEST_F(FalhaNoMeio, ConexaoDerrubadaNoMeioDaContaNaoDeixaMetade) {
    conta(100, 1, 0, 100, 1);
    // The movement insert waits; meanwhile another session kills the program's connection.
    gatilho("movment", "insert", "sleep(3) = 0");
    ListaRetorno l = lista(ModoRetorno::Boleto, {{Documento, reais(100), 0, {}}});
    const qint64 id = consulta(QStringLiteral("select connection_id()")).valor(0, 0).inteiroLongo();
    std::thread derruba([this, id] {
        Connection outra;
        outra.configura(QString(), banco.nome(), BancoDeTeste::senhaPadrao());
        const QString noMovimento =
            QStringLiteral("select count(*) from information_schema.processlist where id = "
                           "%1 and info like '%Insert into movment%'")
                .arg(id);
        for (int i = 0; i < 200 && outra.abre(noMovimento).valor(0, 0).inteiro() == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        outra.executa(QStringLiteral("kill connection %1").arg(id));
    });
    const QString erro = erroAoProcessar(l);
    derruba.join();
    EXPECT_TRUE(erro.startsWith(QStringLiteral("Ao baixar a conta 1 da filial 1 (documento 0000000001): ")))
        << erro.toStdString();
    esperaIntocada();
}

TEST_F(FalhaNoMeio, ContaDeValorZeroNaoEBaixadaEmParte) {
    conta(0, 1, 0, 50, 1);
    ListaRetorno l = lista(ModoRetorno::Boleto, {{Documento, reais(10), 0, {}}});
    EXPECT_EQ(erroAoProcessar(l),
              QStringLiteral(
                  "Ao baixar a conta 1 da filial 1 (documento 0000000001): O valor vezes a quantidade da "
                  "conta é zero: não há como baixá-la em parte.\rO processamento parou na linha 1 da "
                  "lista; as 0 linhas anteriores foram processadas."));
    EXPECT_EQ(quantos("movment"), 0);
    EXPECT_EQ(coluna(QStringLiteral("select valortotal from receber")), std::vector<Money>{reais(50)});
}

} // namespace
