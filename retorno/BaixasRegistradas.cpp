#include "retorno/BaixasRegistradas.h"

#include "config/EstadoPrograma.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "util/Clock.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

// Keys asked for in one statement when a list is loaded.
constexpr int ChavesPorConsulta = 500;

// The kind of a record: a boleto's payment, a direct debit, or a whole file settled before the record
// existed (from the settled-files list of earlier versions).
QString tipoDe(ModoRetorno modo) {
    return modo == ModoRetorno::Boleto ? QStringLiteral("B") : QStringLiteral("D");
}

QString chaveEmMemoria(const QString &chave, const QString &data, Money valor) {
    return chave + u'|' + data + u'|' + valor.toDecimalText();
}

} // namespace

Pagamento PagamentoDaLinha(const ResultSet &lista, int linha, ModoRetorno modo) {
    Pagamento p{modo, lista.valor(linha, "chave").texto(), lista.valor(linha, "dataPagamento").texto(), {}};
    // A debit's amount is no part of its key.
    if (modo == ModoRetorno::Boleto)
        p.valor = lista.valor(linha, "valorPago").dinheiro();
    return p;
}

bool JaBaixada(const ResultSet &lista, int linha) {
    return lista.valor(linha, "baixada").logico();
}

void MarcaBaixada(ResultSet &lista, int linha) {
    lista.define(linha, lista.indice("baixada"), true);
}

QString sqlCriaBaixasRegistradas() {
    return QStringLiteral("create table if not exists ruvenal_baixas (\n"
                          " tipo char(1) not null,\n"
                          " chave varchar(64) not null,\n"
                          " data_pagamento char(8) not null default '',\n"
                          " valor_pago decimal(19,4) not null default 0,\n"
                          " situacao char(1) not null,\n"
                          " impressao char(64) not null,\n"
                          " baixado_em datetime not null,\n"
                          " filial_id int not null default 0,\n"
                          " num_caixa int not null default 0,\n"
                          " primary key (tipo, chave, data_pagamento, valor_pago),\n"
                          " key impressao (impressao)\n"
                          ") engine=InnoDB default charset=latin1");
}

QString sqlRegistraBaixa(Connection &conexao, const Pagamento &p, bool liberado, const QByteArray &impressao,
                         const QDateTime &quando, const EstadoPrograma &estado) {
    return QStringLiteral(
               "insert ignore into ruvenal_baixas (tipo, chave, data_pagamento, valor_pago, situacao, "
               "impressao, baixado_em, filial_id, num_caixa) values (\"%1\", %2, %3, %4, \"%5\", "
               "%6, %7, %8, %9)")
        .arg(tipoDe(p.modo), Literal(conexao, p.chave), Literal(conexao, p.data), Literal(p.valor),
             liberado ? QStringLiteral("L") : QStringLiteral("B"),
             Literal(conexao, QString::fromLatin1(impressao)), Literal(quando),
             QString::number(estado.FilialAtual), QString::number(estado.NumCaixa));
}

QString sqlBaixasDasChaves(ModoRetorno modo, const QStringList &chavesEscapadas) {
    return QStringLiteral(
               "select chave, data_pagamento, valor_pago from ruvenal_baixas where tipo = \"%1\" and "
               "chave in (\"%2\")")
        .arg(tipoDe(modo), chavesEscapadas.join(QStringLiteral("\", \"")));
}

QString sqlArquivoBaixadoAntes(const QByteArray &impressao) {
    return QStringLiteral("select chave from ruvenal_baixas where tipo = \"A\" and chave = \"%1\"")
        .arg(QString::fromLatin1(impressao));
}

QList<QByteArray> ImpressoesDaListaAntiga(const QByteArray &conteudo) {
    // Each record begins with the fingerprint and the moment of the run, wherever it stands in a line.
    static const QRegularExpression registro(
        QStringLiteral("([0-9a-f]{64}) \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2} "));
    QList<QByteArray> impressoes;
    const QString texto = QString::fromLatin1(conteudo);
    for (auto it = registro.globalMatch(texto); it.hasNext();)
        impressoes << it.next().captured(1).toLatin1();
    return impressoes;
}

void PreparaBaixasRegistradas(Connection &conexao, const QString &listaAntiga) {
    conexao.executa(sqlCriaBaixasRegistradas());
    QFile arquivo(listaAntiga);
    if (!arquivo.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> impressoes = ImpressoesDaListaAntiga(arquivo.readAll());
    arquivo.close();
    QStringList valores;
    for (const QByteArray &i : impressoes)
        valores << QStringLiteral("(\"A\", \"%1\", \"\", 0, \"A\", \"%1\", %2, 0, 0)")
                       .arg(QString::fromLatin1(i), Literal(Clock::agora()));
    if (!valores.isEmpty())
        conexao.executa(QStringLiteral("insert ignore into ruvenal_baixas (tipo, chave, data_pagamento, "
                                       "valor_pago, situacao, impressao, baixado_em, filial_id, num_caixa) "
                                       "values ") +
                        valores.join(QStringLiteral(", ")));
    // Taken in: kept under another name for the record, no longer read nor written. Should the rename
    // fail, the next loading takes it in again, which records nothing twice.
    QFile::rename(listaAntiga, listaAntiga + QStringLiteral(".importado-") +
                                   Clock::agora().toString(QStringLiteral("yyyyMMddHHmmss")));
}

int MarcaJaBaixadas(Connection &conexao, ResultSet &t, ModoRetorno modo, const QByteArray &impressao) {
    // All in one request: the whole file, then the keys in groups.
    QStringList consultas{sqlArquivoBaixadoAntes(impressao)};
    for (int inicio = 0; inicio < t.linhas(); inicio += ChavesPorConsulta) {
        QStringList chaves;
        for (int l = inicio; l < std::min(t.linhas(), inicio + ChavesPorConsulta); ++l)
            chaves << conexao.escapa(t.valor(l, "chave").texto());
        consultas << sqlBaixasDasChaves(modo, chaves);
    }
    const std::vector<ResultSet> resultados = conexao.abreLote(consultas);
    const bool arquivoTodo = !resultados.front().vazio();
    QSet<QString> registradas;
    for (size_t i = 1; i < resultados.size(); ++i) {
        const ResultSet &r = resultados[i];
        for (int l = 0; l < r.linhas(); ++l)
            registradas.insert(
                chaveEmMemoria(r.valor(l, 0).texto(), r.valor(l, 1).texto(), r.valor(l, 2).dinheiro()));
    }
    int marcadas = 0;
    for (int l = 0; l < t.linhas(); ++l) {
        const Pagamento p = PagamentoDaLinha(t, l, modo);
        if (arquivoTodo || registradas.contains(chaveEmMemoria(p.chave, p.data, p.valor))) {
            MarcaBaixada(t, l);
            ++marcadas;
        }
    }
    return marcadas;
}

QString MensagemJaBaixadas(int baixadas, int linhas) {
    if (baixadas == linhas)
        return QStringLiteral(
            "Todos os pagamentos deste arquivo já foram baixados; \"Processar\" não baixa nada.");
    return QStringLiteral(
               "%1 dos %2 pagamentos deste arquivo já foram baixados; \"Processar\" baixa só os demais.")
        .arg(baixadas)
        .arg(linhas);
}
