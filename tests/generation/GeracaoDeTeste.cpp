#include "tests/generation/GeracaoDeTeste.h"

#include "db/Connection.h"
#include "generation/BoletosEmitidos.h"
#include "generation/Numeracao.h"
#include "selection/Listagem.h"
#include "selection/Totais.h"
#include "util/Rotinas.h"

#include <QDir>

void GeracaoDeTeste::SetUp() {
    estado.FilialAtual = 1;
    estado.FilialLogica = 1;
    estado.LojasLeramAtual = FilialParaLojasLeram(1);
    estado.Configurado = true;
    estado.CampoData = QStringLiteral("datahora");
    estado.banco = QStringLiteral("11");
    estado.carteira = QStringLiteral("17");
    instalacao.ruvenal(
        {"num_agencia=1584", "conta_corrente=210169", "identificacao_empresa=1234567", "nossonumero=41"});
    bolix = instalacao.componente();
    controles.periodo = {QStringLiteral("datahora"), hoje, hoje, QStringLiteral("00:00:00"),
                         QStringLiteral("23:59:59")};
    controles.dtVencimento = hoje.addDays(10);
    controles.DirFinal = destino.path();
    controles.edCodEmpres = QStringLiteral("1");
    banco.empresaQueCobra();
}

void GeracaoDeTeste::listaClientes() {
    clientes =
        banco.conexao().abre(sqlListaClientes(banco.conexao(), controles.periodo, 1, false, std::nullopt));
    acrescentaTotalComJuros(*clientes);
}

void GeracaoDeTeste::listaEmpresas() {
    controles.porEmpresa = true;
    empresas = banco.conexao().abre(sqlListaEmpresas(banco.conexao(), controles.periodo, std::nullopt));
}

void GeracaoDeTeste::marca(ResultSet &lista, std::initializer_list<qint64> ids) {
    const int id =
        lista.procura("clientes_id") >= 0 ? lista.indice("clientes_id") : lista.indice("empresa_id");
    for (int i = 0; i < lista.linhas(); ++i)
        if (std::find(ids.begin(), ids.end(), lista.valor(i, id).inteiroLongo()) != ids.end())
            lista.define(i, lista.indice("marcado"), QStringLiteral("S"));
}

void GeracaoDeTeste::gera() {
    AmbienteGeracao ambiente{estado,          instalacao.pasta(), bolix,    instalacao.ini(),
                             banco.conexao(), progresso,          situacao, numerosPorLote};
    GerarArquivo(controles, {clientes ? &*clientes : nullptr, empresas ? &*empresas : nullptr}, campos,
                 ambiente, [this](const QString &t) { titulo = t; });
}

testing::AssertionResult GeracaoDeTeste::remessaGerada(int titulos) const {
    const QString gravada = QStringLiteral("mensagem: Arquivo de Remessa gerado: %1 títulos").arg(titulos);
    if (mensagens.mostradas.size() == 2 && mensagens.mostradas[1].startsWith(gravada))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << mensagens.mostradas.join(u'|').toStdString();
}

QString GeracaoDeTeste::chave(const char *nome) const {
    return instalacao.ini().lerTexto(QStringLiteral("Ruvenal"), QLatin1String(nome),
                                     QStringLiteral("(nenhum)"));
}

QString GeracaoDeTeste::numeroDocumento(int receberId) {
    const ResultSet r = banco.conexao().abre(
        QStringLiteral("select numero_documento from receber where receber_id = %1").arg(receberId));
    return r.valor(0, "numero_documento").nulo() ? QStringLiteral("NULL")
                                                 : r.valor(0, "numero_documento").texto();
}

int GeracaoDeTeste::boletosRegistrados() {
    banco.conexao().executa(sqlCriaBoletosEmitidos());
    return banco.conexao()
        .abre(QStringLiteral("select count(*) n from ruvenal_boletos"))
        .valor(0, "n")
        .inteiro();
}

qint64 GeracaoDeTeste::proximoNossoNumero() {
    banco.conexao().executa(sqlCriaNumeracao());
    const ContaNumerada c = ContaDaInstalacao(estado, instalacao.ini());
    const ResultSet r = banco.conexao().abre(
        QStringLiteral(
            "select nosso_numero from ruvenal_numeracao where banco = '%1' and carteira = '%2' and "
            "convenio = '%3'")
            .arg(c.banco, c.carteira, c.convenio));
    return r.vazio() ? 0 : r.valor(0, 0).inteiroLongo();
}

QString GeracaoDeTeste::doc(int i, const char *membro) const {
    return boleto::ObjetoBolix(bolix.item(QStringLiteral("DocumentosCobranca"), i).toObject())
        .get(QLatin1String(membro))
        .toText();
}
