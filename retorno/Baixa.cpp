#include "retorno/Baixa.h"

#include "config/EstadoPrograma.h"
#include "db/Connection.h"
#include "db/Literal.h"
#include "db/ResultSet.h"
#include "db/Transacao.h"
#include "retorno/BaixasRegistradas.h"
#include "retorno/ListaOcorrencias.h"
#include "util/Clock.h"
#include "util/Erro.h"
#include "util/Mensagens.h"
#include "util/Regional.h"
#include "util/Rotinas.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

const Money Cem = Money::deCentavos(10000);

// The current receivable of the settlement selection, as settlement reads it.
struct Receber {
    int filial_id = 0;
    int receber_id = 0;
    int clientes_id = 0;
    int quantidade = 0;
    int produto_id = 0;
    int usuario_id = 0;
    int numnota = 0;
    Money valor;
    Money amort;
    Money valortotal;
    // The day of the sale: only its month counts, so it is read without a time zone.
    QDate dia;

    static Receber de(const ResultSet &q) {
        return {q.valor("filial_id").inteiro(),   q.valor("receber_id").inteiro(),
                q.valor("clientes_id").inteiro(), q.valor("quantidade").inteiro(),
                q.valor("produto_id").inteiro(),  q.valor("usuario_id").inteiro(),
                q.valor("numnota").inteiro(),     q.valor("valor").dinheiro(),
                q.valor("amort").dinheiro(),      q.valor("valortotal").dinheiro(),
                q.valor("datahora").data()};
    }
    Money bruto() const { return valor * quantidade; }
    QString nome() const { return QStringLiteral("a conta %1 da filial %2").arg(receber_id).arg(filial_id); }
};

QString sqlAlteraAmort(const Receber &r, Money amort, Money valortotal, const QString &lojas,
                       const QDate &hoje) {
    return QStringLiteral("Update receber set valor = %1, amort = %2, valortotal = %3, lojas_leram = \"%4\", "
                          "dtalteracao = %5 where filial_id = %6 and receber_id = %7")
        .arg(Literal(r.valor), Literal(amort), Literal(valortotal), lojas, Literal(hoje))
        .arg(r.filial_id)
        .arg(r.receber_id);
}

QString sqlMovimento(const Receber &r, const EstadoPrograma &estado, const QString &lojasLiteral,
                     qint64 numlanc, Money quantia, const QDateTime &quando) {
    const QStringList valores = {QString::number(estado.FilialAtual),
                                 QString::number(r.filial_id),
                                 Literal(quando),
                                 QString::number(r.produto_id),
                                 QString::number(r.quantidade),
                                 QString::number(r.usuario_id),
                                 Literal(r.valor),
                                 Literal(quantia),
                                 QString::number(numlanc),
                                 QStringLiteral("9"),
                                 QString::number(r.numnota),
                                 QString::number(r.clientes_id),
                                 lojasLiteral,
                                 lojasLiteral,
                                 QStringLiteral("''"),
                                 QString::number(estado.NumCaixa)};
    return QStringLiteral(
               " Insert into movment (filial_id, dafilial_id, data_hora, produto_id, quanti_uni, "
               "usuario_id, preco_unit, valor_tot, numlanc, \n"
               " oper, numnota, clientes_id, lojas_leram, lojas_leram2, lib_usuario_id, num_caixa) "
               "Values (\n") +
           valores.join(QStringLiteral(",\n")) + u')';
}

QString sqlSaldoCliente(const Receber &r, Money quantia, const QString &lojas) {
    return QStringLiteral(
               "Update clientes set saldomes = saldomes - %1, lojas_leram = \"%2\", lojas_leram2 = "
               "\"%2\" where clientes_id = %3")
        .arg(Literal(quantia), lojas)
        .arg(r.clientes_id);
}

// Half to even, as the processor rounds currency.
std::int64_t divideArredondando(std::int64_t numerador, std::int64_t divisor) {
    std::int64_t q = numerador / divisor;
    const std::int64_t resto = numerador % divisor;
    const std::int64_t dobro = 2 * (resto < 0 ? -resto : resto);
    if (dobro > divisor || (dobro == divisor && q % 2 != 0))
        q += numerador < 0 ? -1 : 1;
    return q;
}

class Baixa {
public:
    Baixa(Connection &conexao, const EstadoPrograma &estado, ModoRetorno modo, const QByteArray &impressao)
        : conexao_(conexao), estado_(estado), modo_(modo), impressao_(impressao),
          lojas_(conexao.escapa(estado.LojasLeramAtual)),
          lojasLiteral_(Literal(conexao, estado.LojasLeramAtual)) {}

    // The row as a whole in one transaction that first records it: a row recorded before (here, or by
    // another station since the list was loaded) is passed over, and a row stopped half-way leaves
    // neither its changes nor its record.
    void linha(ResultSet &lista, int l, ResultadoBaixa &resultado) {
        if (lista.valor(l, "debito").nulo() || lista.valor(l, "valortotal").nulo())
            return;
        if (JaBaixada(lista, l)) {
            ++resultado.baixadasAntes;
            return;
        }
        const qint64 codID = lista.valor(l, "codID").inteiroLongo();
        const bool recusado = modo_ == ModoRetorno::Debito && lista.valor(l, "CodOcorrencia").inteiro() != 0;
        const Money pago = lista.valor(l, "debito").dinheiro();
        // One reading of the clock per row, its receivables settled at that moment: the system's local
        // time costs a look at the time zone.
        const QDateTime quando = Clock::agora();
        bool agora = false;
        Espalhado espalhado;
        EmTransacao(conexao_, [&] {
            if (conexao_.executa(sqlRegistraBaixa(conexao_, PagamentoDaLinha(lista, l, modo_), recusado,
                                                  impressao_, quando, estado_)) == 0)
                return;
            agora = true;
            if (recusado)
                conexao_.executa(
                    sqlLiberaDebito(lojas_, quando.date(), conexao_.escapa(ChaveDaLinha(modo_, codID))));
            else
                espalhado = baixaDocumento(codID, pago, quando);
        });
        MarcaBaixada(lista, l);
        if (!agora) {
            ++resultado.baixadasAntes;
            return;
        }
        ++resultado.baixadasAgora;
        resultado.contas += espalhado.contas;
        resultado.recusados += recusado;
        // A refused debit moved no money.
        if (!recusado && Arredonda(espalhado.quantia) < Arredonda(pago))
            resultado.sobras.emplace_back(ChaveDaLinha(modo_, codID), pago - espalhado.quantia);
    }

private:
    struct Espalhado {
        int contas = 0; // receivables settled
        Money quantia;  // of the paid amount
    };

    // Spreads the paid amount over the charge's receivables, oldest first, until it or they run out.
    Espalhado baixaDocumento(qint64 codID, Money pago, const QDateTime &quando) {
        ResultSet QMovment =
            conexao_.abre(sqlSelecaoBaixa(modo_, conexao_.escapa(ChaveDaLinha(modo_, codID))));
        int contas = 0;
        Money espalhado;
        for (QMovment.primeiro();
             Arredonda(espalhado) < Arredonda(pago) && !QMovment.fim() && pago != Money();
             QMovment.proximo()) {
            const Receber r = Receber::de(QMovment);
            try {
                espalhado += baixaConta(r, pago - espalhado, quando);
            } catch (const std::exception &e) {
                throw Erro(QStringLiteral("Ao baixar %1 (documento %2): %3")
                               .arg(r.nome(), ChaveDaLinha(modo_, codID), textoDoErro(e)));
            }
            ++contas;
            QCoreApplication::processEvents();
        }
        return {contas, espalhado};
    }

    // Settles the receivable in full when the rest covers it, in part otherwise; returns how much of
    // the rest it took.
    Money baixaConta(const Receber &r, Money resto, const QDateTime &quando) {
        if (Arredonda(r.valortotal) > Arredonda(resto)) {
            registra(r, AmortParcial(r.amort, resto, r.bruto()), Arredonda(resto), quando);
            return resto;
        }
        registra(r, Cem, r.valortotal, quando);
        return r.valortotal;
    }

    void registra(const Receber &r, Money amort, Money quantia, const QDateTime &quando) {
        conexao_.executa(sqlAlteraAmort(r, amort, ValorEmAberto(r.bruto(), amort), lojas_, quando.date()));
        const qint64 numlanc = PegaNumLanc();
        conexao_.executa(sqlMovimento(r, estado_, lojasLiteral_, numlanc, quantia, quando));
        if (NoMesCorrente(r.dia, quando.date()))
            conexao_.executa(sqlSaldoCliente(r, quantia, lojas_));
    }

    qint64 PegaNumLanc() {
        conexao_.executa(QStringLiteral("insert into nlanc () values ()"));
        return conexao_.ultimoId();
    }

    Connection &conexao_;
    const EstadoPrograma &estado_;
    ModoRetorno modo_;
    const QByteArray &impressao_;
    QString lojas_;
    QString lojasLiteral_;
};

} // namespace

ResultadoBaixa ProcessaRetorno(Connection &conexao, const EstadoPrograma &estado, ResultSet &QListaTemp,
                               ModoRetorno modo, const QByteArray &impressao,
                               const Progresso::Mostra &mostra) {
    Baixa baixa(conexao, estado, modo, impressao);
    ResultadoBaixa resultado;
    Progresso progresso(QListaTemp.linhas(), mostra);
    for (int l = 0; l < QListaTemp.linhas(); ++l) {
        try {
            baixa.linha(QListaTemp, l, resultado);
        } catch (const std::exception &e) {
            throw Erro(textoDoErro(e) + u'\r' +
                       QStringLiteral("O processamento parou na linha %1 da lista; as %2 linhas anteriores "
                                      "foram processadas.")
                           .arg(l + 1)
                           .arg(l));
        }
        ++resultado.linhas;
        progresso.avanca();
    }
    return resultado;
}

QString MensagemDebitosRecusados(int recusados) {
    return QStringLiteral("Existem ") + QString::number(recusados) +
           QStringLiteral(" registro de débitos automático que não foram creditados em sua conta,\r"
                          "por isso não serão baixados as contas deste clientes. Gere novamente o arquivo "
                          "de débito em conta para estes clientes.");
}

QString MensagemProcessoConcluido(const ResultadoBaixa &resultado) {
    QString texto = QStringLiteral("Processo concluído.\rBaixados agora: %1. Já baixados antes: %2.")
                        .arg(resultado.baixadasAgora)
                        .arg(resultado.baixadasAntes);
    if (resultado.sobras.empty())
        return texto;
    QStringList sobras;
    for (const auto &[documento, sobra] : resultado.sobras)
        sobras << QStringLiteral("Documento %1: R$ %2").arg(documento, Regional::atual().formataValor(sobra));
    return texto + QStringLiteral("\rPagos a mais que as contas; credite ou devolva ao cliente:\r") +
           PrimeirosDaLista(sobras).join(u'\r');
}

Money ValorEmAberto(Money bruto, Money amort) {
    // bruto x amort / 100 on the four-decimal values, split so that only a result out of range fails.
    constexpr std::int64_t divisor = 100 * Money::Escala;
    const std::int64_t alto = bruto.unidades() / divisor;
    const std::int64_t baixo = bruto.unidades() % divisor;
    const Money pago = Money::deUnidades(alto) * amort.unidades() +
                       Money::deUnidades(divideArredondando(baixo * amort.unidades(), divisor));
    return bruto - pago;
}

Money AmortParcial(Money amort, Money resto, Money bruto) {
    if (bruto == Money())
        throw Erro(
            QStringLiteral("O valor vezes a quantidade da conta é zero: não há como baixá-la em parte."));
    return Money::deDouble(amort.toDouble() + resto.toDouble() / bruto.toDouble() * 100);
}

bool NoMesCorrente(const QDate &venda, const QDate &hoje) {
    return venda.isValid() && venda.year() == hoje.year() && venda.month() == hoje.month();
}

QString sqlSelecaoBaixa(ModoRetorno modo, const QString &chaveEscapada) {
    const QString onde = modo == ModoRetorno::Boleto
                             ? QStringLiteral("where receber.numero_documento = \"%1\"")
                             : QStringLiteral("where receber.lojas_leram2 = \"%1\"");
    // Locked until the row's transaction ends: another station settling another payment of the same
    // document waits instead of working from amounts about to change.
    return QStringLiteral(" select receber.* from receber \n") + onde.arg(chaveEscapada) +
           QStringLiteral("\n and receber.apagado <> \"S\" \n and receber.quantidade > 0 \norder by "
                          "receber.datahora for update");
}

QString sqlLiberaDebito(const QString &lojasLeram, const QDate &hoje, const QString &chaveEscapada) {
    return QStringLiteral(
               "update receber set lojas_leram2 = \"\", tipo = 0, lojas_leram = \"%1\", dtalteracao = "
               "%2 where lojas_leram2 = \"%3\"")
        .arg(lojasLeram, Literal(hoje), chaveEscapada);
}
