#include "generation/Documentos.h"

#include "cedente/ConfiguracaoCedente.h"
#include "db/Connection.h"
#include "db/ResultSet.h"
#include "db/Transacao.h"
#include "generation/BoletosEmitidos.h"
#include "generation/Numeracao.h"
#include "generation/RegrasBanco.h"
#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Rotinas.h"

#include <string_view>
#include <unordered_map>

using automation::Variant;
using boleto::ObjetoBolix;

namespace {

const QString secao = QStringLiteral("Ruvenal");

// The run settings, read once before the first row.
struct Ajustes {
    Money juros;
    Money desconto;
    Money acrescimo;
    Money multa;
    QString instrucao;
    qint64 n = 0;
    QString demonstrativo;
    int diasProtesto = 0;
    QString especie;
};

Ajustes leAjustes(const IniFile &ini) {
    Ajustes a;
    a.juros = ini.lerDecimal(secao, QStringLiteral("valor_juros"), Money());
    a.desconto = ini.lerDecimal(secao, QStringLiteral("valor_desconto"), Money());
    a.acrescimo = ini.lerDecimal(secao, QStringLiteral("valor_acrescimo"), Money());
    a.multa = ini.lerDecimal(secao, QStringLiteral("valor_multa"), Money());
    a.instrucao = ini.lerTexto(secao, QStringLiteral("instrucao"), QString());
    a.n = LeNossoNumero(ini);
    for (const QString &linha : LerDemonstrativo(ini).linhas)
        a.demonstrativo += linha + QStringLiteral("<br>");
    a.diasProtesto = LerDiasProtesto(ini);
    a.especie = LerEspecieTitulo(ini);
    return a;
}

QString textoData(const QDate &data) {
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

Variant moeda(Money valor) {
    return Variant(valor.toCurrency());
}

// A listing of either mode, each column looked up by its name once per run rather than for every row.
class Listada {
public:
    Listada(const ResultSet &lista, bool porEmpresa) : lista_(lista), porEmpresa_(porEmpresa) {}

    int linhas() const { return lista_.linhas(); }
    bool porEmpresa() const { return porEmpresa_; }
    Valor valor(int linha, const char *campo) const {
        auto it = colunas_.find(campo);
        if (it == colunas_.end())
            it = colunas_.emplace(campo, lista_.indice(QLatin1String(campo))).first;
        return lista_.valor(linha, it->second);
    }
    bool marcada(int linha) const { return valor(linha, "marcado").texto() == u"S"; }

private:
    const ResultSet &lista_;
    bool porEmpresa_;
    mutable std::unordered_map<std::string_view, int> colunas_;
};

// One listed row as a document sees it, in either mode.
class Linha {
public:
    Linha(const Listada &lista, int linha) : lista_(lista), linha_(linha), porEmpresa_(lista.porEmpresa()) {}

    QString texto(const char *campo) const { return lista_.valor(linha_, campo).texto(); }
    qint64 id() const {
        return lista_.valor(linha_, porEmpresa_ ? "empresa_id" : "clientes_id").inteiroLongo();
    }
    QString numeroDocumento() const { return NumeroDocumento(texto("numlanc")); }
    QString endereco() const {
        return porEmpresa_ ? texto("endereco") : texto("endereco") + QLatin1Char(' ') + texto("numero1");
    }
    QString estado() const {
        if (porEmpresa_)
            return texto("estado");
        const QString uf = texto("uf");
        return uf.trimmed().isEmpty() ? QStringLiteral("SP") : uf;
    }
    Money valor() const { return lista_.valor(linha_, porEmpresa_ ? "TOTAL" : "totalcomjuros").dinheiro(); }

private:
    const Listada &lista_;
    int linha_;
    bool porEmpresa_;
};

// Payer: name, CPF or CNPJ by the text's length, address, district, city, state, CEP.
void preenchePagador(const ObjetoBolix &doc, const Linha &l) {
    doc.set(QStringLiteral("NomeSacado"), l.texto("nome"));
    const QString cgc = l.texto("cgc");
    doc.set(cgc.size() > 11 ? QStringLiteral("CNPJSacado") : QStringLiteral("CPFSacado"), cgc);
    doc.set(QStringLiteral("EnderecoSacado"), l.endereco());
    doc.set(QStringLiteral("BairroSacado"), l.texto("bairro"));
    doc.set(QStringLiteral("CidadeSacado"), l.texto("cidade"));
    doc.set(QStringLiteral("EstadoSacado"), l.estado());
    doc.set(QStringLiteral("CepSacado"), SoNumeros(l.texto("cep")));
}

void preencheValor(const ObjetoBolix &doc, const Linha &l, Money taxa) {
    doc.set(QStringLiteral("ValorDocumento"), moeda(l.valor() + taxa));
}

// The payer's branch and account for a client's direct debit, as stored.
void preencheDebito(const ObjetoBolix &doc, const Linha &l) {
    doc.set(QStringLiteral("AgenciaDebito"), l.texto("agencia"));
    doc.set(QStringLiteral("ContaCorrenteDebito"), l.texto("cc"));
}

// `vencimento`: the chosen due date as text, formed once per run.
void preencheVencimento(const ObjetoBolix &doc, const Linha &l, const ControlesGeracao &c,
                        const QString &vencimento) {
    if (!c.porEmpresa && c.agruparPorVencimento)
        doc.set(QStringLiteral("DataVencimento"), l.texto("vencimento"));
    else if (c.cbDtVenc)
        doc.set(QStringLiteral("DataVencimento"), vencimento);
}

// The species decides whether the settings are amounts or percentages.
void preencheCobranca(const ObjetoBolix &doc, const Ajustes &a) {
    if (a.especie == u"DM") {
        doc.set(QStringLiteral("TipoDocumentoCobranca"), a.especie);
        doc.set(QStringLiteral("DiasProtesto"), a.diasProtesto);
        doc.set(QStringLiteral("ValorJurosDiaAtraso"), moeda(a.juros));
        doc.set(QStringLiteral("ValorMultaAtraso"), moeda(a.multa));
        doc.set(QStringLiteral("ValorDesconto"), moeda(a.desconto));
        doc.set(QStringLiteral("ValorOutrosAcrescimos"), moeda(a.acrescimo));
        doc.set(QStringLiteral("InstrucaoCobranca3"), QStringLiteral("2"));
        return;
    }
    doc.set(QStringLiteral("PercentualJurosDiaAtraso"), moeda(a.juros));
    doc.set(QStringLiteral("PercentualMultaAtraso"), moeda(a.multa));
    doc.set(QStringLiteral("PercentualDesconto"), moeda(a.desconto));
    doc.set(QStringLiteral("ValorOutrosAcrescimos"), moeda(a.acrescimo));
}

QString periodoDaBaixa(const LimitesPeriodo &p, const char *antesDoFim) {
    return QStringLiteral("receber.%1 between \"%2\" and \"%3%4\"")
        .arg(p.CampoData, p.inicio, QLatin1String(antesDoFim), p.fim);
}

QString filtroFilial(std::optional<int> filialLogica) {
    return filialLogica ? QStringLiteral(" and receber.filial_id = %1").arg(*filialLogica) : QString();
}

// The branch filter of a write-back by the reading of the branch setting (sqlFilial) made for it: the
// setting is read again before every write-back.
std::optional<int> filialDaBaixa(const ResultSet &filial, const EstadoPrograma &estado) {
    return aplicaFiltroFilial(filial, estado.FilialAtual, estado.FilialLogica)
               ? std::optional(estado.FilialLogica)
               : std::nullopt;
}

int marcadas(const Listada &lista) {
    int total = 0;
    for (int i = 0; i < lista.linhas(); ++i)
        total += lista.marcada(i);
    return total;
}

// Walks the listing in order: `trata` for each marked row, the progress (and window events) after each;
// skipping an unmarked row takes too little to wait for the window.
template <class F>
void percorreMarcadas(const ResultSet &resultado, bool porEmpresa, AmbienteGeracao &amb, F trata) {
    const Listada lista(resultado, porEmpresa);
    Progresso progresso(marcadas(lista), amb.progresso);
    for (int i = 0; i < lista.linhas(); ++i) {
        if (lista.marcada(i)) {
            trata(Linha(lista, i));
            progresso.avanca();
        }
    }
}

// Gives the reserved nosso números back unless the walk got through.
struct DevolveSeFalhar {
    Connection &conexao;
    const ContaNumerada &conta;
    qint64 primeiro;
    qint64 quantos;
    bool feito = false;
    ~DevolveSeFalhar() {
        if (!feito)
            DevolveNossoNumeros(conexao, conta, primeiro, quantos);
    }
};

// A built document's number and whose receivables get it.
struct NumeroDaLinha {
    QString numero;
    qint64 id;
};

} // namespace

qint64 LeNossoNumero(const IniFile &ini) {
    const QString texto = ini.lerTexto(secao, QStringLiteral("nossonumero"), QString()).trimmed();
    if (texto.isEmpty())
        return 0;
    bool ok = false;
    const qint64 n = texto.toLongLong(&ok);
    if (!ok)
        throw Erro(
            QStringLiteral("O valor \"%1\" da chave nossonumero (seção [Ruvenal] de sistema_zel.ini) não "
                           "é um número inteiro. Corrija-o antes de gerar os boletos.")
                .arg(texto));
    return n;
}

QString NumeroDocumento(const QString &numlanc) {
    return PreencheEsquerda(numlanc.right(10), QStringLiteral("0"), 10);
}

QString sqlNumeroDocumentoCliente(Connection &conexao, const LimitesPeriodo &periodo, const QString &numero,
                                  qint64 clientesId, std::optional<int> filialLogica) {
    return QStringLiteral(
               "update receber set numero_documento = \"%1\" where receber.apagado <> \"S\" and "
               "receber.amort < 100 and receber.quantidade > 0  and %2  and receber.clientes_id = %3")
               .arg(conexao.escapa(numero), periodoDaBaixa(periodo, ""), QString::number(clientesId)) +
           filtroFilial(filialLogica);
}

QString sqlNumeroDocumentoEmpresa(Connection &conexao, const LimitesPeriodo &periodo, const QString &numero,
                                  qint64 empresaId, std::optional<int> filialLogica) {
    return QStringLiteral(
               "update receber, clientes, empresa set numero_documento = \"%1\" where "
               "(clientes.clientes_id = receber.clientes_id) and (empresa.empresa_id = "
               "clientes.empresa_id) and clientes.empresa_id = %2 and receber.apagado <> \"S\"  and "
               "receber.amort < 100 and receber.quantidade > 0  and %3 ")
               .arg(conexao.escapa(numero), QString::number(empresaId), periodoDaBaixa(periodo, " ")) +
           filtroFilial(filialLogica);
}

namespace {

QString sqlNumeroDocumento(bool porEmpresa, const LimitesPeriodo &periodo, const NumeroDaLinha &n,
                           std::optional<int> filial, Connection &conexao) {
    return porEmpresa ? sqlNumeroDocumentoEmpresa(conexao, periodo, n.numero, n.id, filial)
                      : sqlNumeroDocumentoCliente(conexao, periodo, n.numero, n.id, filial);
}

// The write-back, amb.numerosPorLote rows in two requests: the rows' readings of the branch setting in one,
// then their write-backs, in the rows' order, in the other, each built from its own row's reading. The
// write-backs touch only receber, so none changes what a later reading answers: reading the batch's
// settings first gives every statement the text it gets when each reading goes just before its write-back
// (a change by another station in between counts as made after the batch). The record of the boletos goes
// in one request of its own; all inside the run's one transaction, so an error anywhere undoes the whole.
void gravaEmLotes(const QList<NumeroDaLinha> &numeros, bool porEmpresa, const LimitesPeriodo &periodo,
                  const QStringList &registros, AmbienteGeracao &amb) {
    Progresso progresso(numeros.size(), amb.progresso);
    const QString leitura = sqlFilial(amb.estado.FilialAtual);
    for (qsizetype inicio = 0; inicio < numeros.size(); inicio += amb.numerosPorLote) {
        const QList<NumeroDaLinha> lote = numeros.mid(inicio, amb.numerosPorLote);
        const std::vector<ResultSet> filiais = amb.conexao.abreLote(QStringList(lote.size(), leitura));
        QStringList comandos;
        for (qsizetype i = 0; i < lote.size(); ++i)
            comandos << sqlNumeroDocumento(porEmpresa, periodo, lote[i],
                                           filialDaBaixa(filiais[size_t(i)], amb.estado), amb.conexao);
        amb.conexao.executaLote(comandos);
        for (qsizetype i = 0; i < lote.size(); ++i)
            progresso.avanca();
    }
    amb.conexao.executaLote(registros);
}

// Every document number or none: a receivable must not carry a number whose boleto does not exist. The
// boletos are recorded in the same transaction, so no number exists without the record of what was printed;
// a nosso número the record already holds stops it before anything is written.
void gravaNumeros(const QList<NumeroDaLinha> &numeros, const QList<BoletoEmitido> &boletos, bool porEmpresa,
                  const LimitesPeriodo &periodo, AmbienteGeracao &amb) {
    if (!boletos.isEmpty())
        PreparaBoletosEmitidos(amb.conexao); // before the transaction: a table change commits
    const QDateTime quando = Clock::agora();
    EmTransacao(amb.conexao, [&] {
        ConfereNaoEmitidos(amb.conexao, boletos);
        const QStringList registros = sqlRegistraBoletosEmitidos(amb.conexao, boletos, quando, amb.estado);
        gravaEmLotes(numeros, porEmpresa, periodo, registros, amb);
    });
}

} // namespace

int GerarDocumentos(const ControlesGeracao &c, const ResultSet &lista, CamposGeracao &campos,
                    AmbienteGeracao &amb) {
    const ObjetoBolix &bolix = amb.bolix;
    bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
    Ajustes a = leAjustes(amb.ini);
    const InstalacaoBanco inst{amb.estado.banco, amb.estado.carteira};
    const QString hoje = textoData(Clock::hoje());
    const QString vencimento = textoData(c.dtVencimento);
    const LimitesPeriodo periodo = LimitesPeriodo::de(amb.conexao, c.periodo);
    QList<NumeroDaLinha> numeros;
    // A direct debit is no boleto: nothing to print again.
    const bool boletos = c.porEmpresa || !c.checkDebitoCC;
    BoletoEmitido conta{c.porEmpresa ? QStringLiteral("E") : QStringLiteral("C")};
    conta.carteira = inst.carteira;
    conta.sequenciaRemessa = campos.SequenciaRemessa;
    if (boletos)
        LeContaDoComponente(bolix, conta);
    QList<BoletoEmitido> emitidos;
    // Taken before the walk, as many as the marked rows: a run stopped afterwards leaves a gap.
    const ContaNumerada numerada = ContaDaInstalacao(amb.estado, amb.ini);
    const qint64 quantos = marcadas(Listada(lista, c.porEmpresa));
    const qint64 primeiro = ReservaNossoNumeros(amb.conexao, numerada, a.n, quantos);
    a.n = primeiro;

    // A document refused on the way leaves nothing printed or written: its numbers go back when no other
    // station took numbers since.
    DevolveSeFalhar devolve{amb.conexao, numerada, primeiro, quantos};
    percorreMarcadas(lista, c.porEmpresa, amb, [&](const Linha &l) {
        const QString numero = l.numeroDocumento();
        if (numeros.isEmpty())
            campos.CodigosMarcados.clear();
        campos.CodigosMarcados.append(l.id());
        try {
            const ObjetoBolix doc(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
            if (!c.porEmpresa)
                doc.set(QStringLiteral("BancoGeraNossoNumero"), false);
            DadosDoBanco(doc, inst.banco, numero, amb.ini);
            doc.set(QStringLiteral("NumeroDocumento"), numero);
            preenchePagador(doc, l);
            doc.set(QStringLiteral("DataDocumento"), hoje);
            preencheVencimento(doc, l, c, vencimento);
            doc.set(QStringLiteral("DataProcessamento"), hoje);
            preencheValor(doc, l, campos.TaxaBoleto);
            preencheCobranca(doc, a);
            doc.set(QStringLiteral("PadroesBoleto.InstrucoesCaixa"), a.instrucao);
            doc.set(QStringLiteral("PadroesBoleto.Demonstrativo"), a.demonstrativo);
            if (c.porEmpresa) {
                NossoNumeroPorEmpresa(bolix, doc, inst, a.n, amb.ini);
            } else {
                NossoNumeroPorCliente(doc, inst, a.n, amb.ini);
                if (c.checkDebitoCC)
                    preencheDebito(doc, l);
            }
            if (boletos) {
                BoletoEmitido b = conta;
                b.codigo = l.id();
                LeDocumentoDoComponente(doc, b);
                emitidos.append(b);
            }
        } catch (const automation::AutomationError &e) {
            throw Erro(QStringLiteral("O boleto do registro %1 %2 não foi gerado: %3\rNada foi gravado.")
                           .arg(QString::number(l.id()), l.texto("nome"), e.text()));
        }
        numeros.append({numero, l.id()});
        ++a.n;
    });
    devolve.feito = true;

    gravaNumeros(numeros, emitidos, c.porEmpresa, periodo, amb);
    GravaNumeracaoNoIni(amb.conexao, numerada, amb.ini);
    if (c.cbImprimir)
        bolix.call(QStringLiteral("ImprimeBoletos"));
    return int(numeros.size());
}

QStringList RecusasDoBanco(const ControlesGeracao &c, const ResultSet &lista, Money taxaBoleto,
                           AmbienteGeracao &amb) {
    const ObjetoBolix &bolix = amb.bolix;
    const bool debito = !c.porEmpresa && c.checkDebitoCC;
    const QString layout = debito ? QStringLiteral("DebitoCC") : QStringLiteral("FEBRABAN240");
    QStringList recusas;
    bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
    // One scratch document for every row: each row rewrites every member that the checks read.
    const ObjetoBolix doc(bolix.call(QStringLiteral("DocumentosCobranca.Add")).toObject());
    percorreMarcadas(lista, c.porEmpresa, amb, [&](const Linha &l) {
        doc.set(QStringLiteral("NumeroDocumento"), l.numeroDocumento());
        doc.set(QStringLiteral("CPFSacado"), QString());
        doc.set(QStringLiteral("CNPJSacado"), QString());
        preenchePagador(doc, l);
        preencheValor(doc, l, taxaBoleto);
        if (debito)
            preencheDebito(doc, l);
        const QString texto = doc.call(QStringLiteral("Recusas"), {layout}).toText();
        if (!texto.isEmpty())
            recusas << QStringLiteral("%1 %2: %3")
                           .arg(QString::number(l.id()), l.texto("nome"),
                                texto.split(u'\n').join(QStringLiteral(" ")));
    });
    bolix.call(QStringLiteral("DocumentosCobranca.Clear"));
    return recusas;
}
