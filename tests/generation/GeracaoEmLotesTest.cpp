// The write-back of a generation run in batches against the same write-back one statement per request: the
// same input in two fresh databases ends the same in every table the run writes, row for row, with the same
// messages and stored counters, also when the branch filter applies and when a write-back is refused or the
// connection is lost in the middle of a batch.
#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "util/Clock.h"
#include "util/Erro.h"

#include <QThread>
#include <functional>
#include <thread>

namespace {

// Three batches, the last one short.
constexpr int Clientes = 250;

struct Caso {
    const char *nome;
    // Before the listing, on the run's database and state.
    std::function<void(BancoDeTeste &, EstadoPrograma &)> prepara;
    // What the run reports.
    const char *relata;
    // The run gets through.
    bool chegaAoFim = false;
    // The run's session is killed while the server sleeps in a trigger.
    bool morreNoSono = false;
};
void PrintTo(const Caso &c, std::ostream *os) {
    *os << c.nome;
}

// How a run ended: the tables, what it reported and the requests it sent.
struct Fim {
    QString tabelas;
    QString relato;
    qint64 pedidos = 0;
};

// Every row of every table the run writes, all columns.
QString Tabelas(Connection &conexao) {
    return ConteudoDasTabelas(conexao, {{"receber", "receber_id"},
                                        {"ruvenal_boletos", "boleto_id"},
                                        {"ruvenal_numeracao", "banco, carteira, convenio"}});
}

// One whole run in a database of its own: every client marked, one receivable each, odd ones of branch 2.
class Rodada : public GeracaoDeTeste {
public:
    Rodada(const Caso &caso, int porLote) : morreNoSono(caso.morreNoSono) {
        numerosPorLote = porLote;
        SetUp();
        for (int c = 1; c <= Clientes; ++c) {
            cliente(c);
            banco.receber({{"clientes_id", c}, {"filial_id", c % 2 ? 2 : 1}});
        }
        caso.prepara(banco, estado);
    }
    void TestBody() override {}
    bool morreNoSono = false;

    // Waits for a session of database `banco` asleep and kills it, as a server or network failure would.
    static void mataQuemDorme(const QString &banco) {
        Connection outra;
        outra.configura(QString(), banco, BancoDeTeste::senhaPadrao());
        for (int i = 0; i < 500; ++i) {
            const ResultSet r = outra.abre(
                QStringLiteral("select id from information_schema.processlist where db = '%1' and state = "
                               "'User sleep'")
                    .arg(banco));
            if (!r.vazio()) {
                outra.executa(QStringLiteral("kill %1").arg(r.valor(0, 0).inteiroLongo()));
                return;
            }
            QThread::msleep(10);
        }
        ADD_FAILURE() << "no session went to sleep";
    }

    Fim roda() {
        listaClientes();
        for (int i = 0; i < clientes->linhas(); ++i)
            clientes->define(i, clientes->indice("marcado"), QStringLiteral("S"));
        Fim f;
        const qint64 antes = banco.conexao().pedidos();
        std::thread assassino;
        if (morreNoSono)
            assassino = std::thread([nome = banco.nome()] { mataQuemDorme(nome); });
        try {
            gera();
        } catch (const std::exception &e) {
            f.relato = textoDoErro(e) + u'\n';
        }
        if (assassino.joinable())
            assassino.join();
        f.pedidos = banco.conexao().pedidos() - antes;
        f.relato += mensagens.mostradas.join(u'\n').replace(destino.path(), QStringLiteral("<destino>")) +
                    u'\n' + chave("nossonumero") + u' ' + chave("sequencia_remessa");
        // Created here where the run stopped before creating them.
        proximoNossoNumero();
        boletosRegistrados();
        f.tabelas = Tabelas(banco.conexao());
        return f;
    }
};

class GeracaoEmLotes : public testing::TestWithParam<Caso> {
protected:
    void SetUp() override { Clock::fixar(QDateTime::currentDateTime()); }
    void TearDown() override { Clock::fixar(std::nullopt); }
};

TEST_P(GeracaoEmLotes, TerminaComoUmAUm) {
    const Fim serial = Rodada(GetParam(), 1).roda();
    const Fim lotes = Rodada(GetParam(), 100).roda();
    EXPECT_EQ(lotes.relato.toStdString(), serial.relato.toStdString());
    EXPECT_TRUE(lotes.relato.contains(QString::fromUtf8(GetParam().relata))) << lotes.relato.toStdString();
    EXPECT_EQ(lotes.tabelas.toStdString(), serial.tabelas.toStdString());
    // Of the two requests per client that the serial write-back sends, at most one per ten clients left.
    if (GetParam().chegaAoFim) {
        EXPECT_GE(serial.pedidos - lotes.pedidos, 2 * Clientes - Clientes / 10)
            << serial.pedidos << " against " << lotes.pedidos << " requests";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casos, GeracaoEmLotes,
    testing::Values(Caso{"TodosNumerados", [](BancoDeTeste &, EstadoPrograma &) {},
                         "Arquivo de Remessa gerado", true},
                    // Branch 1 does not list unified and the station's logical branch is 2: only the
                    // receivables of branch 2 get their numbers.
                    Caso{"SoAFilialLogica",
                         [](BancoDeTeste &b, EstadoPrograma &e) {
                             b.conexao().executa(QStringLiteral(
                                 "update filial set relreceberunificado = 'N' where filial_id = 1"));
                             e.FilialLogica = 2;
                         },
                         "Arquivo de Remessa gerado", true},
                    // Client 150's write-back, in the middle of a batch, is refused by the server.
                    Caso{"EscritaRecusadaNoMeioDoLote",
                         [](BancoDeTeste &b, EstadoPrograma &) {
                             b.conexao().executa(QStringLiteral(
                                 "create trigger falha before update on receber for each row begin if "
                                 "new.clientes_id = 150 then signal sqlstate '45000' set message_text = "
                                 "'falha simulada'; end if; end"));
                         },
                         "falha simulada"},
                    // The connection is lost at client 150's write-back, in the middle of a batch.
                    Caso{"ConexaoPerdidaNoMeioDoLote",
                         [](BancoDeTeste &b, EstadoPrograma &) {
                             b.conexao().executa(QStringLiteral(
                                 "create trigger dorme before update on receber for each row begin if "
                                 "new.clientes_id = 150 then do sleep(5); end if; end"));
                         },
                         "foi perdida no meio da operação", false, true}));

} // namespace
