#include "selection/Listagem.h"

#include "db/Connection.h"
#include "db/ResultSet.h"
#include "util/Erro.h"
#include "util/Regional.h"
#include "util/Rotinas.h"

#include <QStringList>
#include <QTime>

namespace {

QString condicaoDoPeriodo(Connection &conexao, const Periodo &p) {
    return QStringLiteral(" and receber.%1 between \"%2\" and \" %3\" ")
        .arg(p.CampoData, LimiteDoPeriodo(conexao, p.dataInicial, p.horaInicial),
             LimiteDoPeriodo(conexao, p.dataFinal, p.horaFinal));
}

} // namespace

QString LimiteDoPeriodo(Connection &conexao, const QDate &dia, const QString &hora) {
    const QString texto = Regional::atual().formataData(dia, u"yyyy/mm/dd") + QLatin1Char(' ') + hora;
    // The server would compare against a truncated value and silently list another period.
    if (!QTime::fromString(hora.trimmed(), QStringLiteral("H:mm:ss")).isValid())
        throw Erro(QStringLiteral("Incorrect datetime value: '%1'").arg(texto));
    return conexao.escapa(texto);
}

QString CampoDataDe(const QString &utilizarDataDa) {
    return utilizarDataDa == QLatin1String("Venda") ? QStringLiteral("datahora")
                                                    : QStringLiteral("vencimento");
}

bool FiltroFilial(int FilialAtual, int FilialLogica) {
    return FilialAtual != FilialLogica;
}

QString sqlFilial(int FilialAtual) {
    return QStringLiteral(" Select nome, cgc, relreceberunificado from filial where filial_id = %1")
        .arg(FilialAtual);
}

bool aplicaFiltroFilial(const ResultSet &filial, int FilialAtual, int FilialLogica) {
    const QString unificado = filial.vazio() ? QString() : filial.valor(0, "relreceberunificado").texto();
    return SimNao(unificado) == QLatin1String("N") && FiltroFilial(FilialAtual, FilialLogica);
}

QString sqlListaEmpresas(Connection &conexao, const Periodo &periodo, std::optional<int> filialLogica) {
    QStringList l;
    l << QStringLiteral(
             " Select Sum(valortotal) as TOTAL, empresa.nome, empresa.empresa_id, receber.numlanc, "
             "receber.receber_id, receber.filial_id, ")
      << QStringLiteral(" \"N\" as marcado, empresa.cgc, ")
      << QStringLiteral(" empresa.endereco, empresa.cep, empresa.estado, empresa.bairro, empresa.cidade ")
      << QStringLiteral(" from receber")
      << QStringLiteral("  join clientes on (clientes.clientes_id = receber.clientes_id)")
      << QStringLiteral("  join empresa on (empresa.empresa_id = clientes.empresa_id) ");
    if (filialLogica)
        l << QStringLiteral(" where receber.filial_id = %1").arg(*filialLogica);
    l << QStringLiteral(" and receber.apagado <> \"S\"  and receber.amort < 100 and receber.quantidade > 0 ")
      << condicaoDoPeriodo(conexao, periodo)
      << QStringLiteral(" group by  empresa.nome, empresa.empresa_id ");
    return l.join(QLatin1Char('\n'));
}

QString sqlListaClientes(Connection &conexao, const Periodo &periodo, int empresa, bool agruparPorVencimento,
                         std::optional<int> filialLogica) {
    QStringList l;
    l << QStringLiteral(" Select Sum(receber.valortotal) as TOTAL, clientes.nome, clientes.clientes_id, "
                        "receber.numlanc, receber.receber_id, receber.filial_id, ")
      << QStringLiteral("  Sum(if((to_days(receber.vencimento) + empresa.diasjur) < to_days(CURDATE()), "
                        "(receber.valortotal*(if(clientes.cobra_juros = \"S\", clientes.multa, "
                        "empresa.multa)/100)), 0)) as multa,")
      << QStringLiteral(
             "  Sum((receber.valortotal*(if(clientes.cobra_juros = \"S\", clientes.juros, "
             "empresa.jurosdia)*(if((to_days(CURDATE())-(to_days(receber.vencimento)+empresa.diasjur)) "
             "< 0, 0,(to_days(CURDATE())-(to_days(receber.vencimento)+empresa.diasjur)))))/100)) "
             "as juros,")
      << QStringLiteral(
             " clientes.chapa, \"N\" as marcado, coalesce(nullif(clientes.cgc, \"\"), clientes.cpf) "
             "as cgc, ")
      << QStringLiteral(" clientes.endereco, clientes.cep, clientes.numero1,clientes.uf, clientes.bairro, "
                        "clientes.cidade, ")
      << QStringLiteral(" clientes.agencia, clientes.cc ")
      << (agruparPorVencimento
              ? QStringLiteral(", DATE_FORMAT(receber.vencimento, \"%d/%m/%Y\") as vencimento")
              : QStringLiteral(", DATE_FORMAT(curdate(), \"%d/%m/%Y\") as vencimento"))
      << QStringLiteral(" from receber join clientes ")
      << QStringLiteral(" on (clientes.clientes_id = receber.clientes_id) ")
      << QStringLiteral(" left join empresa on (empresa.empresa_id = clientes.empresa_id)")
      << QStringLiteral(" where clientes.empresa_id = %1").arg(empresa);
    if (filialLogica)
        l << QStringLiteral(" and receber.filial_id = %1").arg(*filialLogica);
    l << QStringLiteral(" and receber.apagado <> \"S\"  and receber.amort < 100 and receber.quantidade > 0 ")
      << condicaoDoPeriodo(conexao, periodo)
      // The server resolves a bare `vencimento` in the group list to receber.vencimento, not to the
      // output column; grouping by the due date is therefore named only where it is wanted.
      << (agruparPorVencimento
              ? QStringLiteral(" group by clientes.nome, vencimento, clientes.chapa, clientes.clientes_id ")
              : QStringLiteral(" group by clientes.nome, clientes.chapa, clientes.clientes_id "));
    return l.join(QLatin1Char('\n'));
}
