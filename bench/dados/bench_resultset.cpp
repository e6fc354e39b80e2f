// What a 20,000-row listing costs: the server's answer, the copy into a ResultSet, and a walk that
// reads every field the per-client list shows and marks every row. Needs MYSQL_UNIX_PORT.
#include "bench/dados/BaseGrande.h"
#include "db/Connection.h"

#include <benchmark/benchmark.h>
#include <mysql.h>

namespace {

const QString banco = QStringLiteral("ruvenal_bench_resultset");

// The per-client listing over every company: one row per client.
const QString listagem = QStringLiteral(
    "select Sum(receber.valortotal) as TOTAL, clientes.nome, clientes.clientes_id, receber.numlanc, "
    "receber.receber_id, receber.filial_id, Sum(receber.valortotal * 0.02) as multa, "
    "Sum(receber.valortotal * 0.001) as juros, clientes.chapa, \"N\" as marcado, "
    "coalesce(nullif(clientes.cgc, \"\"), clientes.cpf) as cgc, clientes.endereco, clientes.cep, "
    "clientes.numero1, clientes.uf, clientes.bairro, clientes.cidade, clientes.agencia, clientes.cc, "
    "DATE_FORMAT(curdate(), \"%d/%m/%Y\") as vencimento from receber join clientes on "
    "(clientes.clientes_id = receber.clientes_id) group by clientes.clientes_id");

Connection &conexao() {
    static Connection c;
    static bool pronta = false;
    if (!pronta) {
        c.configura(QString(), QString(), senhaPadrao());
        // Every client has receivables, so the listing has one row per client.
        criaBaseGrande(c, banco, 20000, 60000);
        pronta = true;
    }
    return c;
}

void Servidor(benchmark::State &state) {
    Connection &c = conexao();
    for (auto _ : state) {
        ResultSet rs = c.abre(listagem);
        benchmark::DoNotOptimize(rs.linhas());
    }
}
BENCHMARK(Servidor)->Unit(benchmark::kMillisecond);

void CarregaResultado(benchmark::State &state) {
    conexao();
    MYSQL *m = mysql_init(nullptr);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray s = senhaPadrao(), b = banco.toUtf8(), q = listagem.toUtf8();
    if (!mysql_real_connect(m, "", "root", s.constData(), b.constData(), 3306, nullptr, 0) ||
        mysql_real_query(m, q.constData(), q.size())) {
        state.SkipWithError(mysql_error(m));
        mysql_close(m);
        return;
    }
    MYSQL_RES *res = mysql_store_result(m);
    for (auto _ : state) {
        mysql_data_seek(res, 0);
        ResultSet rs = ResultSet::deResultado(res);
        benchmark::DoNotOptimize(rs.linhas());
    }
    state.SetItemsProcessed(state.iterations() * qint64(mysql_num_rows(res)));
    mysql_free_result(res);
    mysql_close(m);
}
BENCHMARK(CarregaResultado)->Unit(benchmark::kMillisecond);

void PercorreEMarca(benchmark::State &state) {
    ResultSet rs = conexao().abre(listagem);
    rs.acrescentaCampo({QStringLiteral("totalcomjuros"), TipoCampo::Decimal});
    const int total = rs.indice("TOTAL"), multa = rs.indice("multa"), juros = rs.indice("juros"),
              marcado = rs.indice("marcado"), comJuros = rs.indice("totalcomjuros");
    const int textos[] = {rs.indice("nome"),    rs.indice("cgc"), rs.indice("cidade"),
                          rs.indice("agencia"), rs.indice("cc"),  rs.indice("vencimento")};
    for (auto _ : state) {
        Money soma;
        for (int l = 0; l < rs.linhas(); ++l) {
            const Money t = rs.valor(l, total).dinheiro() + Money::deDouble(rs.valor(l, multa).real()) +
                            Money::deDouble(rs.valor(l, juros).real());
            rs.define(l, comJuros, t);
            rs.define(l, marcado, "S");
            soma += t;
            for (int c : textos)
                benchmark::DoNotOptimize(rs.valor(l, c).texto());
            benchmark::DoNotOptimize(rs.valor(l, "chapa").inteiroLongo());
        }
        benchmark::DoNotOptimize(soma);
    }
    state.SetItemsProcessed(state.iterations() * rs.linhas());
}
BENCHMARK(PercorreEMarca)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
