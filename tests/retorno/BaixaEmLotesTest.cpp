// Settlement in batches against the same settlement one statement per request: the same input in two fresh
// databases ends the same in every table the settlement writes, row for row, also when a row fails, is
// recorded by another station or has its receivables changed between the batch's reading and its writing.
#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "tests/retorno/LojaDeTitulos.h"
#include "tests/retorno/RetornoDeTeste.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Clock.h"
#include "util/Erro.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int Documentos = 120;
const QByteArray Impressao = ImpressaoDoArquivo("retorno de 120 títulos");

// Every row of every table the settlement writes, all columns.
QString Tabelas(Connection &conexao) {
    return ConteudoDasTabelas(conexao, {{"receber", "filial_id, receber_id"},
                                        {"movment", "movment_id"},
                                        {"nlanc", "nlanc_id"},
                                        {"clientes", "clientes_id"},
                                        {"ruvenal_baixas", "tipo, chave, data_pagamento, valor_pago"}});
}

// The store of LojaDeTitulos, its titles also sent as direct debits under the last eight digits.
void PreparaDebitos(BancoDeTeste &banco) {
    loja::Prepara(banco, Documentos);
    banco.conexao().executa(QStringLiteral("update receber set lojas_leram2 = right(numero_documento, 8)"));
}

// Every seventh debit refused, the others paid in full.
ListaRetorno CarregaDebitos(Connection &conexao) {
    QStringList detalhes;
    for (int d = 1; d <= Documentos; ++d)
        detalhes << LinhaDebito(QStringLiteral("%1").arg(d, 8, 10, QLatin1Char('0')), 10000,
                                d % 7 == 0 ? QStringLiteral("01") : QStringLiteral("00"));
    ListaRetorno l =
        ListaOcorrencias(conexao, ModoRetorno::Debito, OcorrenciasDebito(RetornoDebito(detalhes), Money()));
    MarcaJaBaixadas(conexao, l.QListaTemp, l.modo, Impressao);
    return l;
}

ListaRetorno CarregaBoletos(Connection &conexao) {
    return loja::Carrega(conexao, loja::Pagamentos(Documentos), Impressao);
}

struct Caso {
    const char *nome;
    std::function<void(BancoDeTeste &)> prepara;
    std::function<ListaRetorno(Connection &)> carrega;
    // Nothing in the way of the batches: at most one round trip per ten rows.
    bool semDesvio = false;
};
void PrintTo(const Caso &c, std::ostream *os) {
    *os << c.nome;
}

// How a run ended: the database, the list's marks, what it reported and the requests it sent.
struct Fim {
    QString tabelas;
    QString marcadas;
    QString relato;
    qint64 pedidos = 0;
    int linhas = 0;
};

Fim Processa(const Caso &c, EnvioDaBaixa envio) {
    BancoDeTeste banco;
    c.prepara(banco);
    Connection &conexao = banco.conexao();
    ListaRetorno l = c.carrega(conexao);
    Fim f;
    f.linhas = l.QListaTemp.linhas();
    const qint64 antes = conexao.pedidos();
    try {
        const ResultadoBaixa r =
            ProcessaRetorno(conexao, loja::Estacao(), l.QListaTemp, l.modo, Impressao, {}, envio);
        f.relato = QStringLiteral("%1 linhas, %2 recusados, %3 contas, %4 agora, %5 antes, %6 sobras")
                       .arg(r.linhas)
                       .arg(r.recusados)
                       .arg(r.contas)
                       .arg(r.baixadasAgora)
                       .arg(r.baixadasAntes)
                       .arg(r.sobras.size());
    } catch (const Erro &e) {
        f.relato = e.texto();
    }
    f.pedidos = conexao.pedidos() - antes;
    f.tabelas = Tabelas(conexao);
    for (int i = 0; i < l.QListaTemp.linhas(); ++i)
        f.marcadas += JaBaixada(l.QListaTemp, i) ? u'S' : u'.';
    return f;
}

class EmLotes : public testing::TestWithParam<Caso> {
protected:
    void SetUp() override { Clock::fixar(loja::Agora); }
    void TearDown() override { Clock::fixar(std::nullopt); }
};

TEST_P(EmLotes, TerminaComoUmaAUma) {
    const Fim serial = Processa(GetParam(), EnvioDaBaixa::UmaAUma);
    const Fim lotes = Processa(GetParam(), EnvioDaBaixa::EmLotes);
    EXPECT_EQ(lotes.relato, serial.relato);
    EXPECT_EQ(lotes.marcadas, serial.marcadas);
    EXPECT_EQ(lotes.tabelas, serial.tabelas);
    if (GetParam().semDesvio)
        EXPECT_LE(lotes.pedidos * 10, lotes.linhas) << lotes.pedidos << " requests";
}

void Gatilho(BancoDeTeste &banco, const char *sql) {
    banco.conexao().executa(QString::fromLatin1(sql));
}

INSTANTIATE_TEST_SUITE_P(
    Casos, EmLotes,
    testing::Values(
        Caso{"BoletosPagosAMenosEmCheioEAMais", [](BancoDeTeste &b) { loja::Prepara(b, Documentos); },
             CarregaBoletos, true},
        Caso{"DebitosPagosERecusados", PreparaDebitos, CarregaDebitos, true},
        // Rows 5 and 77 recorded by another station after this one loaded the list.
        Caso{"RegistradasPorOutraEstacaoNoMeio", [](BancoDeTeste &b) { loja::Prepara(b, Documentos); },
             [](Connection &c) {
                 ListaRetorno l = CarregaBoletos(c);
                 for (int d : {5, 77})
                     c.executa(sqlRegistraBaixa(c, PagamentoDaLinha(l.QListaTemp, d - 1, l.modo), false,
                                                Impressao, loja::Agora, loja::Estacao()));
                 return l;
             }},
        // Another station lowers the receivables of title 30 between the batch's reading and its row.
        Caso{"ContasMudadasEntreALeituraEALinha",
             [](BancoDeTeste &b) {
                 loja::Prepara(b, Documentos);
                 Gatilho(b, "create trigger outra before insert on ruvenal_baixas for each row begin if "
                            "new.chave = '0000000030' then update receber set valortotal = valortotal - 5 "
                            "where numero_documento = new.chave; end if; end");
             },
             CarregaBoletos},
        Caso{"MovimentoRecusadoNoMeioDoLote",
             [](BancoDeTeste &b) {
                 loja::Prepara(b, Documentos);
                 Gatilho(b, "create trigger falha before insert on movment for each row begin if "
                            "new.numnota = 73 then signal sqlstate '45000' set message_text = 'falha "
                            "simulada'; end if; end");
             },
             CarregaBoletos},
        // Title 42 is paid 70: the newer receivable, of no value, would be settled in part.
        Caso{"ContaSemValorNoMeioDoLote",
             [](BancoDeTeste &b) {
                 loja::Prepara(b, Documentos);
                 Gatilho(b, "update receber set valor = 0 where receber_id = 84");
             },
             CarregaBoletos}));

// Another station draws a number from nlanc between the batch's reading and its row: the row goes alone,
// and every movement still has a number of its own that no one else drew.
TEST(EmLotesNumeros, NumeroTiradoPorOutraEstacaoNaoSeRepete) {
    Clock::fixar(loja::Agora);
    BancoDeTeste banco;
    loja::Prepara(banco, Documentos);
    Gatilho(banco, "create trigger outra before insert on ruvenal_baixas for each row begin if new.chave = "
                   "'0000000030' then insert into nlanc () values (); end if; end");
    Connection &c = banco.conexao();
    ListaRetorno l = CarregaBoletos(c);
    EXPECT_EQ(ProcessaRetorno(c, loja::Estacao(), l.QListaTemp, l.modo, Impressao).baixadasAgora, Documentos);
    const auto um = [&](const char *sql) { return c.abre(QLatin1String(sql)).valor(0, 0).inteiro(); };
    EXPECT_EQ(um("select count(*) from movment"), 2 * Documentos);
    EXPECT_EQ(um("select count(distinct numlanc) from movment m join nlanc n on n.nlanc_id = m.numlanc"),
              2 * Documentos);
    // The one number the other station drew and kept.
    EXPECT_EQ(um("select count(*) from nlanc where nlanc_id not in (select numlanc from movment)"), 1);
    Clock::fixar(std::nullopt);
}

} // namespace
