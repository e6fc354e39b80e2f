#include "retorno/ListaOcorrencias.h"

#include "db/Connection.h"
#include "retorno/MotivoDebito.h"
#include "util/Mensagens.h"
#include "util/Regional.h"

namespace {

// The list row for one occurrence whose receivables the statement found.
void acrescentaLinha(ListaRetorno &lista, const ResultSet &pesquisa, const Ocorrencia &o) {
    const int total = pesquisa.indice("total");
    Money soma;
    for (int l = 0; l < pesquisa.linhas(); ++l)
        soma += pesquisa.valor(l, total).dinheiro();
    const qint64 codID = CodIdDaChave(o.chave, o.origem);

    ResultSet &t = lista.QListaTemp;
    t.acrescenta();
    t.define("codID", codID);
    // Receivables charged to the client's company show the company.
    const bool empresa = pesquisa.valor(0, "tipo").inteiro() == 99;
    t.define("nome", pesquisa.valor(0, empresa ? "nempresa" : "nome").texto());
    t.define("codigo", pesquisa.valor(0, empresa ? "empresa_id" : "clientes_id").inteiro());
    t.define("cliente", !empresa);
    t.define("valortotal", soma);
    t.define("debito", o.pago);
    t.define("chave", o.chave);
    t.define("dataPagamento", o.data);
    t.define("valorPago", o.valorPago);
    if (lista.modo == ModoRetorno::Boleto)
        return;
    t.define("CodOcorrencia", o.codigo);
    t.define("MotivoOcorrencia", MotivoDebito(o.codigo));
    (o.codigo <= 0 ? lista.totalDebitado : lista.totalNaoDebitado) += o.pago;
    ++lista.registros;
}

// Occurrences looked up in one request, one statement each: a return of 20,000 titles takes 40 round trips.
constexpr size_t OcorrenciasPorPedido = 500;

// An empty key matches nothing: a receivable never charged holds an empty document number.
bool semChave(const Ocorrencia &o) {
    return o.chave.trimmed().isEmpty();
}

// Adds the occurrence's row when receivables carry its key; `pesquisa` is what the statement found.
bool encontraContas(const ResultSet &pesquisa, const Ocorrencia &o, ListaRetorno &lista) {
    if (pesquisa.vazio() || pesquisa.valor(0, "total").nulo())
        return false;
    acrescentaLinha(lista, pesquisa, o);
    return true;
}

QString descreveNaoEncontrado(ModoRetorno modo, const Ocorrencia &o) {
    QString quem = modo == ModoRetorno::Debito ? QStringLiteral("Débito %1").arg(o.chave)
                   : !o.chave.trimmed().isEmpty()
                       ? QStringLiteral("Documento %1").arg(o.chave.trimmed())
                       : QStringLiteral("Nosso número %1").arg(o.nossoNumero.trimmed());
    quem += QStringLiteral(": R$ ") + Regional::atual().formataValor(o.pago);
    if (const QDate dia = QDate::fromString(o.data, QStringLiteral("yyyyMMdd")); dia.isValid())
        quem += QStringLiteral(" em ") + Regional::atual().formataData(dia, u"dd/mm/yyyy");
    return quem;
}

} // namespace

ResultSet NovaListaOcorrencias() {
    return ResultSet({{QStringLiteral("codigo"), TipoCampo::Inteiro, 0},
                      {QStringLiteral("nome"), TipoCampo::Texto, 50},
                      {QStringLiteral("valortotal"), TipoCampo::Decimal, 0},
                      {QStringLiteral("debito"), TipoCampo::Decimal, 0},
                      {QStringLiteral("datavenc"), TipoCampo::DataHora, 0},
                      {QStringLiteral("cliente"), TipoCampo::Logico, 0},
                      {QStringLiteral("codID"), TipoCampo::InteiroLongo, 0},
                      {QStringLiteral("CodOcorrencia"), TipoCampo::Inteiro, 0},
                      {QStringLiteral("MotivoOcorrencia"), TipoCampo::Texto, 80},
                      // The payment as the bank gave it, by which its settlement is recorded, and whether
                      // it was settled before.
                      {QStringLiteral("chave"), TipoCampo::Texto, 0},
                      {QStringLiteral("dataPagamento"), TipoCampo::Texto, 8},
                      {QStringLiteral("valorPago"), TipoCampo::Decimal, 0},
                      {QStringLiteral("baixada"), TipoCampo::Logico, 0}});
}

QString sqlPesquisaDeb(ModoRetorno modo, const QString &chaveEscapada) {
    // Built once: only the key changes from one occurrence to the next.
    static const QString inicio =
        QStringLiteral("Select Sum(valortotal) as total, clientes.clientes_id, clientes.nome, "
                       "empresa.empresa_id, empresa.nome as nempresa, receber.tipo from receber\n"
                       "left join clientes on (clientes.clientes_id = receber.clientes_id)\n"
                       "left join empresa on (empresa.empresa_id = clientes.empresa_id)\n");
    static const QString porDocumento = inicio + QStringLiteral("where receber.numero_documento = \"");
    static const QString porDebito = inicio + QStringLiteral("where receber.lojas_leram2 = \"");
    static const QString fim =
        QStringLiteral("\"\ngroup by clientes.clientes_id, clientes.nome, empresa.empresa_id, empresa.nome");
    const QString &onde = modo == ModoRetorno::Boleto ? porDocumento : porDebito;
    QString sql;
    sql.reserve(onde.size() + chaveEscapada.size() + fim.size());
    return sql.append(onde).append(chaveEscapada).append(fim);
}

ListaRetorno ListaOcorrencias(Connection &conexao, ModoRetorno modo,
                              const std::vector<Ocorrencia> &ocorrencias, const Progresso::Mostra &mostra) {
    ListaRetorno lista{NovaListaOcorrencias(), modo, {}, {}, 0, {}};
    Progresso progresso(qint64(ocorrencias.size()), mostra);
    for (size_t inicio = 0; inicio < ocorrencias.size(); inicio += OcorrenciasPorPedido) {
        const size_t fim = std::min(ocorrencias.size(), inicio + OcorrenciasPorPedido);
        QStringList consultas;
        for (size_t i = inicio; i < fim; ++i)
            if (!semChave(ocorrencias[i]))
                consultas << sqlPesquisaDeb(modo, conexao.escapa(ocorrencias[i].chave));
        const std::vector<ResultSet> pesquisas = conexao.abreLote(consultas);
        size_t p = 0;
        for (size_t i = inicio; i < fim; ++i) {
            const Ocorrencia &o = ocorrencias[i];
            if ((semChave(o) || !encontraContas(pesquisas[p++], o, lista)) &&
                (modo == ModoRetorno::Boleto || o.codigo <= 0))
                lista.naoEncontrados.push_back(o);
            progresso.avanca();
        }
    }
    lista.QListaTemp.primeiro();
    return lista;
}

QString MensagemPagamentosNaoEncontrados(const ListaRetorno &lista) {
    const std::vector<Ocorrencia> &naoEncontrados = lista.naoEncontrados;
    if (naoEncontrados.empty())
        return {};
    QStringList linhas;
    for (const Ocorrencia &o : naoEncontrados)
        linhas << descreveNaoEncontrado(lista.modo, o);
    return QStringLiteral("%1 pagamento(s) do arquivo não corresponde(m) a nenhuma conta a receber e não "
                          "foram listados. Dê a baixa destes manualmente:\r")
               .arg(naoEncontrados.size()) +
           PrimeirosDaLista(linhas).join(u'\r');
}

QString ChaveDaLinha(ModoRetorno modo, qint64 codID) {
    return QStringLiteral("%1").arg(codID, modo == ModoRetorno::Boleto ? 10 : 8, 10, QLatin1Char('0'));
}

CorOcorrencia CorDaOcorrencia(int linha, int CodOcorrencia, bool baixada, bool selecionada) {
    if (selecionada)
        return CorOcorrencia::Selecionada;
    if (baixada)
        return CorOcorrencia::JaBaixada;
    if (CodOcorrencia != 0)
        return CorOcorrencia::NaoDebitado;
    // Rows count from 1 on screen: the first row is odd.
    return linha % 2 == 0 ? CorOcorrencia::Impar : CorOcorrencia::Normal;
}
