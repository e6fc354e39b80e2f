#include "tests/retorno/LojaDeTitulos.h"

#include "retorno/Baixa.h"
#include "retorno/BaixasRegistradas.h"
#include "tests/support/BancoDeTeste.h"
#include "util/Erro.h"

#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace loja {

const QDateTime Agora(QDate(2026, 3, 15), QTime(10, 30, 45));

namespace {

constexpr int Clientes = 5;

QString documento(int d) {
    return QStringLiteral("%1").arg(d, 10, 10, QLatin1Char('0'));
}

// One row per line, columns apart by blanks.
QString linhas(Connection &conexao, const QString &sql) {
    const ResultSet r = conexao.abre(sql);
    QString texto;
    for (int l = 0; l < r.linhas(); ++l) {
        QStringList colunas;
        for (int c = 0; c < r.quantidadeCampos(); ++c)
            colunas << r.valor(l, c).texto();
        texto += colunas.join(u' ') + u'\n';
    }
    return texto;
}

QStringList coluna(Connection &conexao, const QString &sql) {
    const ResultSet r = conexao.abre(sql);
    QStringList v;
    for (int l = 0; l < r.linhas(); ++l)
        v << r.valor(l, 0).texto();
    return v;
}

} // namespace

EstadoPrograma Estacao() {
    EstadoPrograma e;
    e.FilialAtual = 2;
    e.NumCaixa = 7;
    e.LojasLeramAtual = QStringLiteral("2");
    return e;
}

void Prepara(BancoDeTeste &banco, int documentos) {
    banco.empresa(1);
    for (int c = 1; c <= Clientes; ++c)
        banco.cliente(c, {{"saldomes", 10000}});
    int id = 0;
    for (int d = 1; d <= documentos; ++d) {
        for (int valor : {60, 40}) {
            ++id;
            banco.receber({{"clientes_id", d % Clientes + 1},
                           {"numero_documento", documento(d)},
                           {"numnota", id},
                           {"valor", valor},
                           {"valortotal", valor},
                           {"datahora", QDateTime(Agora.date().addDays(-10), QTime(8, 0).addSecs(id))}});
        }
    }
    banco.conexao().executa(sqlCriaBaixasRegistradas());
}

std::vector<Ocorrencia> Pagamentos(int documentos) {
    std::vector<Ocorrencia> p;
    for (int d = 1; d <= documentos; ++d) {
        const Money pago = Money::deInteiro(d % 3 == 0 ? 70 : d % 3 == 1 ? 100 : 150);
        p.push_back({documento(d), pago, 0, QStringLiteral("ocorrência %1").arg(d),
                     QStringLiteral("20260314"), pago});
    }
    return p;
}

ListaRetorno Carrega(Connection &conexao, const std::vector<Ocorrencia> &pagamentos,
                     const QByteArray &impressao) {
    ListaRetorno lista = ListaOcorrencias(conexao, ModoRetorno::Boleto, pagamentos);
    MarcaJaBaixadas(conexao, lista.QListaTemp, lista.modo, impressao);
    return lista;
}

QString Estado(Connection &conexao) {
    return QStringLiteral("receber\n") +
           linhas(conexao,
                  QStringLiteral("select receber_id, amort, valortotal, lojas_leram from receber order by "
                                 "receber_id")) +
           QStringLiteral("movment\n") +
           linhas(conexao, QStringLiteral(
                               "select numnota, valor_tot, oper from movment order by numnota, movment_id")) +
           QStringLiteral("nlanc\n") +
           linhas(conexao,
                  QStringLiteral("select count(*), count(distinct m.numlanc) from nlanc n left join movment "
                                 "m on m.numlanc = n.nlanc_id")) +
           QStringLiteral("clientes\n") +
           linhas(conexao, QStringLiteral("select clientes_id, saldomes from clientes order by clientes_id"));
}

QStringList Registrados(Connection &conexao) {
    return coluna(conexao,
                  QStringLiteral("select chave from ruvenal_baixas where tipo = 'B' order by chave"));
}

QStringList Movimentados(Connection &conexao) {
    return coluna(conexao,
                  QStringLiteral("select distinct r.numero_documento from movment m join receber r on "
                                 "r.numnota = m.numnota order by r.numero_documento"));
}

QStringList Documentos(int de, int ate) {
    QStringList v;
    for (int d = de; d <= ate; ++d)
        v << documento(d);
    return v;
}

QString BaixaLimpa(int documentos, const QByteArray &impressao) {
    BancoDeTeste limpo;
    Prepara(limpo, documentos);
    ListaRetorno l = Carrega(limpo.conexao(), Pagamentos(documentos), impressao);
    const ResultadoBaixa r = ProcessaRetorno(limpo.conexao(), Estacao(), l.QListaTemp, l.modo, impressao);
    EXPECT_EQ(r.baixadasAgora, documentos);
    return Estado(limpo.conexao());
}

void CortaERefaz(Connection &conexao, const QString &banco, int documentos, int cortada,
                 const QByteArray &impressao, const std::function<void(Connection &, qint64)> &corta,
                 const std::function<void()> &volta, const QString &limpa) {
    const EstadoPrograma estacao = Estacao();
    // The movement of the older receivable of that document waits three seconds.
    conexao.executa(QStringLiteral("create trigger pausa before insert on movment for each row begin if "
                                   "new.numnota = %1 then set @p = sleep(3); end if; end")
                        .arg(2 * cortada - 1));
    ListaRetorno l = Carrega(conexao, Pagamentos(documentos), impressao);
    const qint64 sessao = conexao.abre(QStringLiteral("select connection_id()")).valor(0, 0).inteiroLongo();
    std::thread cortador([&] {
        Connection outra;
        outra.configura(QString(), banco, BancoDeTeste::senhaPadrao());
        const QString dormindo =
            QStringLiteral("select count(*) from information_schema.processlist where id "
                           "= %1 and state = 'User sleep'")
                .arg(sessao);
        for (int i = 0; i < 500 && outra.abre(dormindo).valor(0, 0).inteiro() == 0; ++i)
            QThread::msleep(10);
        corta(outra, sessao);
    });
    QString erro;
    try {
        ProcessaRetorno(conexao, estacao, l.QListaTemp, l.modo, impressao);
    } catch (const Erro &e) {
        erro = e.texto();
    }
    cortador.join();
    volta();
    EXPECT_TRUE(erro.contains(QStringLiteral("O processamento parou na linha %1 da lista").arg(cortada)))
        << erro.toStdString();
    EXPECT_EQ(Registrados(conexao), Documentos(1, cortada - 1));
    EXPECT_EQ(Movimentados(conexao), Documentos(1, cortada - 1));

    conexao.executa(QStringLiteral("drop trigger pausa"));
    ListaRetorno denovo = Carrega(conexao, Pagamentos(documentos), impressao);
    const ResultadoBaixa r = ProcessaRetorno(conexao, estacao, denovo.QListaTemp, denovo.modo, impressao);
    EXPECT_EQ(r.baixadasAgora, documentos - cortada + 1);
    EXPECT_EQ(r.baixadasAntes, cortada - 1);
    EXPECT_EQ(Estado(conexao), limpa);
    EXPECT_EQ(Registrados(conexao), Documentos(1, documentos));
}

} // namespace loja
