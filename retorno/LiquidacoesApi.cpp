#include "retorno/LiquidacoesApi.h"

#include "boleto/ObjetoBolix.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"

QString sqlCriaConsultasApi() {
    return QStringLiteral(
        "create table if not exists ruvenal_consultas_api (conta varchar(60) not null primary "
        "key, ultima_consulta date not null) default charset=latin1");
}

QString sqlUltimaConsultaApi(Connection &conexao, const QString &conta) {
    return QStringLiteral("select ultima_consulta from ruvenal_consultas_api where conta = %1")
        .arg(Literal(conexao, conta));
}

QString sqlGuardaConsultaApi(Connection &conexao, const QString &conta, const QDate &dia) {
    return QStringLiteral(
               "insert into ruvenal_consultas_api (conta, ultima_consulta) values (%1, %2) on "
               "duplicate key update ultima_consulta = greatest(ultima_consulta, values(ultima_consulta))")
        .arg(Literal(conexao, conta), Literal(dia));
}

QString ContaDaConsultaApi(const boleto::ObjetoBolix &ObjBolix) {
    return ObjBolix.get(QStringLiteral("NumeroBanco")).toText() + u'/' +
           ObjBolix.get(QStringLiteral("CodigoCedente")).toText().trimmed();
}

QDate InicioDaConsultaApi(Connection &conexao, const QString &conta, const QDate &hoje) {
    conexao.executa(sqlCriaConsultasApi());
    const ResultSet r = conexao.abre(sqlUltimaConsultaApi(conexao, conta));
    if (r.vazio())
        return hoje.addDays(-30);
    return std::min(hoje, r.valor(0, "ultima_consulta").data().addDays(-3));
}

LiquidacoesApi CarregaLiquidacoesApi(const boleto::ObjetoBolix &ObjBolix, const QDate &inicio,
                                     Money taxaBoleto) {
    ObjBolix.call(QStringLiteral("OcorrenciasCobranca.Clear"));
    LiquidacoesApi l;
    l.anunciados =
        ObjBolix
            .call(QStringLiteral("CarregaLiquidacoesApi"), {inicio.toString(QStringLiteral("dd/MM/yyyy"))})
            .toText();
    l.ocorrencias = OcorrenciasDoComponente(ObjBolix, taxaBoleto);
    QByteArray conteudo;
    for (const Ocorrencia &o : l.ocorrencias)
        conteudo +=
            (o.chave + u';' + o.data + u';' + o.nossoNumero + u';' + QString::number(o.valorPago.unidades()))
                .toUtf8() +
            '\n';
    l.retorno.impressao = ImpressaoDoArquivo(conteudo);
    return l;
}
