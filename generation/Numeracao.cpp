#include "generation/Numeracao.h"

#include "config/EstadoPrograma.h"
#include "config/IniFile.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/Transacao.h"
#include "util/Erro.h"
#include "util/Rotinas.h"

#include <limits>

namespace {

const QString secao = QStringLiteral("Ruvenal");

QString chave(Connection &conexao, const ContaNumerada &c) {
    return QStringLiteral("banco = %1 and carteira = %2 and convenio = %3")
        .arg(Literal(conexao, c.banco), Literal(conexao, c.carteira), Literal(conexao, c.convenio));
}

// The account's row, created when missing; outside any transaction, so that its lock is not kept.
void garanteLinha(Connection &conexao, const ContaNumerada &c) {
    conexao.executa(sqlCriaNumeracao());
    conexao.executa(
        QStringLiteral("insert ignore into ruvenal_numeracao (banco, carteira, convenio) "
                       "values (%1, %2, %3)")
            .arg(Literal(conexao, c.banco), Literal(conexao, c.carteira), Literal(conexao, c.convenio)));
}

// Under the row's lock: `novo` gets the column's value or the floor, the higher, and returns what the column
// holds afterwards. A stop before the update takes nothing.
template <typename Novo>
qint64 avanca(Connection &conexao, const ContaNumerada &c, const char *coluna, qint64 piso, Novo novo) {
    garanteLinha(conexao, c);
    qint64 valor = 0;
    EmTransacao(conexao, [&] {
        const ResultSet linha =
            conexao.abre(QStringLiteral("select %1 from ruvenal_numeracao where %2 for update")
                             .arg(QLatin1String(coluna), chave(conexao, c)));
        valor = novo(std::max(linha.valor(0, 0).inteiroLongo(), piso));
        conexao.executa(QStringLiteral("update ruvenal_numeracao set %1 = %2 where %3")
                            .arg(QLatin1String(coluna), Literal(valor), chave(conexao, c)));
    });
    return valor;
}

} // namespace

ContaNumerada ContaDaInstalacao(const EstadoPrograma &estado, const IniFile &ini) {
    QString convenio = SoNumeros(ini.lerTexto(secao, QStringLiteral("identificacao_empresa"), QString()));
    while (convenio.startsWith(u'0'))
        convenio.remove(0, 1);
    return {estado.banco.trimmed(), estado.carteira.trimmed(), convenio};
}

QString sqlCriaNumeracao() {
    return QStringLiteral("create table if not exists ruvenal_numeracao (\n"
                          " banco varchar(10) not null,\n"
                          " carteira varchar(10) not null,\n"
                          " convenio varchar(30) not null,\n"
                          " nosso_numero bigint not null default 1,\n"
                          " sequencia_remessa int not null default 0,\n"
                          " primary key (banco, carteira, convenio)\n"
                          ") engine=InnoDB default charset=latin1");
}

qint64 ReservaNossoNumeros(Connection &conexao, const ContaNumerada &conta, qint64 piso, qint64 quantos) {
    return avanca(conexao, conta, "nosso_numero", piso, [&](qint64 proximo) { return proximo + quantos; }) -
           quantos;
}

void DevolveNossoNumeros(Connection &conexao, const ContaNumerada &conta, qint64 primeiro,
                         qint64 quantos) noexcept {
    try {
        conexao.executa(
            QStringLiteral("update ruvenal_numeracao set nosso_numero = %1 where %2 and nosso_numero = %3")
                .arg(Literal(primeiro), chave(conexao, conta), Literal(primeiro + quantos)));
    } catch (const std::exception &) {
        // The numbers stay a gap.
    }
}

int ReservaSequenciaRemessa(Connection &conexao, const ContaNumerada &conta, qint64 piso) {
    constexpr qint64 maior = std::numeric_limits<int>::max();
    return int(avanca(conexao, conta, "sequencia_remessa", piso, [](qint64 ultima) {
        if (ultima < 0 || ultima >= maior)
            throw Erro(
                QStringLiteral("A sequência do arquivo de remessa vale %1: ela deve ficar entre 0 e %2.")
                    .arg(ultima)
                    .arg(maior - 1));
        return ultima + 1;
    }));
}

void GravaNumeracaoNoIni(Connection &conexao, const ContaNumerada &conta, const IniFile &ini) {
    const ResultSet r =
        conexao.abre(QStringLiteral("select nosso_numero, sequencia_remessa from ruvenal_numeracao where %1")
                         .arg(chave(conexao, conta)));
    if (r.vazio())
        return;
    ini.gravarInteiro(secao, QStringLiteral("nossonumero"), r.valor(0, 0).inteiroLongo());
    ini.gravarInteiro(secao, QStringLiteral("sequencia_remessa"), r.valor(0, 1).inteiroLongo());
}
