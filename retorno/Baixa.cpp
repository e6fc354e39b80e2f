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
#include <algorithm>

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

// One receivable settled: its new percentage paid and the amount of its movement.
struct Lancamento {
    Receber conta;
    Money amort;
    Money quantia;
};

// How a paid amount spreads over the receivables of a charge.
struct Espalhado {
    std::vector<Lancamento> contas;
    Money quantia; // of the paid amount
};

Erro erroNaConta(const Receber &r, const QString &documento, const std::exception &e) {
    return Erro(QStringLiteral("Ao baixar %1 (documento %2): %3").arg(r.nome(), documento, textoDoErro(e)));
}

// The paid amount over the receivables of the settlement selection, oldest first, until it or they run
// out: in full where the rest covers the receivable, in part otherwise.
Espalhado espalha(ResultSet &QMovment, Money pago, const QString &documento) {
    Espalhado e;
    for (QMovment.primeiro(); Arredonda(e.quantia) < Arredonda(pago) && !QMovment.fim() && pago != Money();
         QMovment.proximo()) {
        const Receber r = Receber::de(QMovment);
        const Money resto = pago - e.quantia;
        if (Arredonda(r.valortotal) <= Arredonda(resto)) {
            e.contas.push_back({r, Cem, r.valortotal});
            e.quantia += r.valortotal;
            continue;
        }
        try {
            e.contas.push_back({r, AmortParcial(r.amort, resto, r.bruto()), Arredonda(resto)});
        } catch (const std::exception &x) {
            throw erroNaConta(r, documento, x);
        }
        e.quantia = pago;
    }
    return e;
}

const QString InsereNumLanc = QStringLiteral("insert into nlanc () values ()");

// The columns of a receivable that settlement reads, in the order a batch compares them.
const QStringList ColunasLidas = {"filial_id",  "receber_id", "clientes_id", "quantidade",
                                  "produto_id", "usuario_id", "numnota",     "valor",
                                  "amort",      "valortotal", "datahora"};

// The receivables of the selection as the server writes them in text, NULL as "-", one per line ordered
// by their key: what a batch expects to find still there when its row's transaction has locked them.
QString retratoDasContas(const ResultSet &QMovment) {
    std::vector<std::pair<std::pair<int, int>, QString>> contas;
    for (int l = 0; l < QMovment.linhas(); ++l) {
        QStringList valores;
        for (const QString &c : ColunasLidas) {
            const Valor v = QMovment.valor(l, c);
            valores << (v.nulo() ? QStringLiteral("-") : v.texto());
        }
        contas.push_back(
            {{QMovment.valor(l, "filial_id").inteiro(), QMovment.valor(l, "receber_id").inteiro()},
             valores.join(u'|')});
    }
    std::sort(contas.begin(), contas.end());
    QStringList linhas;
    for (const auto &c : contas)
        linhas << c.second;
    return linhas.join(u';');
}

// The receivables a row settles: its charge's, not deleted, with a quantity.
QString condicaoDaBaixa(ModoRetorno modo, const QString &chaveEscapada) {
    const QString onde = modo == ModoRetorno::Boleto
                             ? QStringLiteral("where receber.numero_documento = \"%1\"")
                             : QStringLiteral("where receber.lojas_leram2 = \"%1\"");
    return onde.arg(chaveEscapada) +
           QStringLiteral("\n and receber.apagado <> \"S\" \n and receber.quantidade > 0 \n");
}

// retratoDasContas, worked out by the server on the receivables as they are now.
QString sqlRetratoDasContas(ModoRetorno modo, const QString &chaveEscapada) {
    QStringList colunas;
    for (const QString &c : ColunasLidas)
        colunas << QStringLiteral("ifnull(receber.%1, '-')").arg(c);
    return QStringLiteral(
               "select group_concat(concat_ws('|', %1) order by receber.filial_id, receber.receber_id "
               "separator ';') from receber ")
               .arg(colunas.join(QStringLiteral(", "))) +
           condicaoDaBaixa(modo, chaveEscapada);
}

// A batch's check that stops its request, the transaction open, when `condicao` holds.
QString sqlParaSe(const QString &condicao, const char *motivo) {
    return QStringLiteral("if %1 then signal sqlstate '45000' set message_text = '%2'; end if")
        .arg(condicao, QLatin1String(motivo));
}

// Settles the rows of a list, one transaction each. Rows go to the server in batches (see emLote); any row a
// batch cannot take goes alone, as `umaLinha` sends it.
class Baixa {
public:
    Baixa(Connection &conexao, const EstadoPrograma &estado, ModoRetorno modo, const QByteArray &impressao,
          ResultSet &lista, Progresso &progresso)
        : conexao_(conexao), estado_(estado), modo_(modo), impressao_(impressao), lista_(lista),
          progresso_(progresso), lojas_(conexao.escapa(estado.LojasLeramAtual)),
          lojasLiteral_(Literal(conexao, estado.LojasLeramAtual)) {}

    // The row not yet done: where an error stopped the run.
    int proxima() const { return proxima_; }
    bool terminou() const { return proxima_ >= lista_.linhas(); }
    const ResultadoBaixa &resultado() const { return resultado_; }

    // The next row, alone: the row as a whole in one transaction that first records it. A row recorded
    // before (here, or by another station since the list was loaded) is passed over, and a row stopped
    // half-way leaves neither its changes nor its record.
    void umaLinha() {
        const int l = proxima_;
        const Linha linha = leLinha(l);
        if (linha.tipo == Tipo::Nenhum || linha.tipo == Tipo::BaixadaAntes)
            return feita(linha, false, {});
        bool agora = false;
        Espalhado espalhado;
        EmTransacao(conexao_, [&] {
            if (conexao_.executa(sqlRegistra(linha)) == 0)
                return;
            agora = true;
            if (linha.tipo == Tipo::Recusada)
                conexao_.executa(sqlLibera(linha));
            else
                espalhado = baixaDocumento(linha);
        });
        feita(linha, agora, espalhado);
    }

    // The next rows, up to LinhasPorLote of them that write, in two round trips whatever their number:
    //  1. the settlement selections of the paid rows and the next number of nlanc, in one request;
    //  2. every row's transaction, its statements as umaLinha sends them, in one request.
    // A row's statements in 2 are worked out from what 1 read, so the request carries checks that stop it,
    // with the row's transaction open, when the row is not as 1 read it: recorded meanwhile (the row is
    // rolled back and counts as settled before), its receivables changed or the number taken by another
    // station (the row is rolled back and sent again alone). The numbers are read rather than reserved:
    // nlanc hands out the next number to the next insert, so the k-th insert of the batch gets the counter
    // read in 1 plus k - 1 increments unless another station inserted meanwhile, which the check after
    // each insert catches; the numbers and their order are then those of the rows sent one by one.
    void emLote() {
        std::vector<Linha> linhas;
        QStringList selecoes;
        for (int l = proxima_, escritas = 0; l < lista_.linhas() && escritas < LinhasPorLote; ++l) {
            linhas.push_back(leLinha(l));
            const Linha &linha = linhas.back();
            escritas += linha.tipo == Tipo::Paga || linha.tipo == Tipo::Recusada;
            if (linha.tipo == Tipo::Paga)
                selecoes << sqlSelecaoBaixa(modo_, conexao_.escapa(linha.chave));
        }
        Lote lote;
        std::vector<ResultSet> lidas;
        if (!selecoes.isEmpty()) {
            lidas = conexao_.abreLote(
                selecoes << QStringLiteral("select (select auto_increment from information_schema.tables "
                                           "where table_schema = database() and table_name = 'nlanc'), "
                                           "@@session.auto_increment_increment"));
            lote.numero = lidas.back().valor(0, 0).inteiroLongo();
            lote.passoDoNumero = lidas.back().valor(0, 1).inteiroLongo();
        }
        bool cortado = false;
        for (size_t n = 0, lida = 0; n < linhas.size(); ++n) {
            Linha &linha = linhas[n];
            if (linha.tipo == Tipo::Paga) {
                try {
                    linha.espalhado = espalha(lidas[lida], linha.pago, linha.chave);
                } catch (const Erro &) {
                    // The row goes alone after the rows before it, and stops the run as it would alone
                    // (unless it was recorded before).
                    linhas.resize(n);
                    cortado = true;
                    break;
                }
                acrescenta(lote, n, linha, lidas[lida++]);
            } else if (linha.tipo == Tipo::Recusada) {
                acrescenta(lote, n, linha, {});
            }
        }
        envia(lote, linhas);
        if (cortado)
            umaLinha();
    }

private:
    // Rows that write, sent in one request: 50 titles of two receivables take some 800 statements, 130 KB.
    static constexpr int LinhasPorLote = 50;

    enum class Tipo { Nenhum, BaixadaAntes, Recusada, Paga };
    // What a row of the list asks for.
    struct Linha {
        int indice = 0;
        Tipo tipo = Tipo::Nenhum;
        QString chave;
        Money pago;
        // One reading of the clock per row, its receivables settled at that moment: the system's local
        // time costs a look at the time zone.
        QDateTime quando;
        Espalhado espalhado;
    };

    // What a statement of a batch stands for: the row and, for a receivable's statements, which one; a
    // check that the row was recorded meanwhile, or that it is no longer as the batch read it.
    enum class Papel { Comando, JaRegistrada, Alterada };
    struct Passo {
        size_t linha;
        int conta;
        Papel papel;
    };
    struct Lote {
        QStringList comandos;
        std::vector<Passo> passos;
        qint64 numero = 0;
        qint64 passoDoNumero = 1;
        void poe(QString comando, size_t linha, int conta = -1, Papel papel = Papel::Comando) {
            comandos << std::move(comando);
            passos.push_back({linha, conta, papel});
        }
    };

    Linha leLinha(int l) const {
        Linha linha;
        linha.indice = l;
        if (lista_.valor(l, "debito").nulo() || lista_.valor(l, "valortotal").nulo())
            return linha;
        if (JaBaixada(lista_, l)) {
            linha.tipo = Tipo::BaixadaAntes;
            return linha;
        }
        linha.chave = ChaveDaLinha(modo_, lista_.valor(l, "codID").inteiroLongo());
        linha.tipo = modo_ == ModoRetorno::Debito && lista_.valor(l, "CodOcorrencia").inteiro() != 0
                         ? Tipo::Recusada
                         : Tipo::Paga;
        linha.pago = lista_.valor(l, "debito").dinheiro();
        linha.quando = Clock::agora();
        return linha;
    }

    QString sqlRegistra(const Linha &linha) {
        return sqlRegistraBaixa(conexao_, PagamentoDaLinha(lista_, linha.indice, modo_),
                                linha.tipo == Tipo::Recusada, impressao_, linha.quando, estado_);
    }
    QString sqlLibera(const Linha &linha) {
        return sqlLiberaDebito(lojas_, linha.quando.date(), conexao_.escapa(linha.chave));
    }

    // The row's statements, in the order umaLinha sends them, with the batch's checks between them. `n` is
    // the row's place in the batch, `QMovment` what its settlement selection read.
    void acrescenta(Lote &lote, size_t n, const Linha &linha, const ResultSet &QMovment) {
        lote.poe(QStringLiteral("start transaction"), n);
        lote.poe(sqlRegistra(linha), n);
        lote.poe(sqlParaSe(QStringLiteral("row_count() = 0"), "registrada"), n, -1, Papel::JaRegistrada);
        if (linha.tipo == Tipo::Recusada) {
            lote.poe(sqlLibera(linha), n);
        } else {
            const QString chave = conexao_.escapa(linha.chave);
            lote.poe(sqlSelecaoBaixa(modo_, chave), n);
            const QString retrato =
                QMovment.vazio() ? LiteralNulo() : Literal(conexao_, retratoDasContas(QMovment));
            lote.poe(
                sqlParaSe(QStringLiteral("not ((%1) <=> %2)").arg(sqlRetratoDasContas(modo_, chave), retrato),
                          "contas"),
                n, -1, Papel::Alterada);
            for (int j = 0; j < int(linha.espalhado.contas.size()); ++j) {
                const Lancamento &k = linha.espalhado.contas[size_t(j)];
                lote.poe(sqlAlteraAmort(k.conta, k.amort, ValorEmAberto(k.conta.bruto(), k.amort), lojas_,
                                        linha.quando.date()),
                         n, j);
                lote.poe(InsereNumLanc, n, j);
                lote.poe(sqlParaSe(QStringLiteral("last_insert_id() <> %1").arg(lote.numero), "numero"), n, j,
                         Papel::Alterada);
                for (const QString &c : sqlMovimentoESaldo(k, lote.numero, linha.quando))
                    lote.poe(c, n, j);
                lote.numero += lote.passoDoNumero;
            }
        }
        lote.poe(QStringLiteral("commit"), n);
    }

    // Sends the batch's request and counts its rows done as far as it went. A row its checks stopped is
    // rolled back and then passed over or sent alone; any other error stops the run as the row alone would.
    void envia(const Lote &lote, const std::vector<Linha> &linhas) {
        size_t feitas = 0;
        const auto conclui = [&](size_t ate) {
            for (; feitas < ate; ++feitas) {
                const Linha &l = linhas[feitas];
                feita(l, l.tipo == Tipo::Paga || l.tipo == Tipo::Recusada, l.espalhado);
            }
        };
        try {
            if (!lote.comandos.isEmpty())
                conexao_.executaLote(lote.comandos);
        } catch (const ErroNoLote &e) {
            const Passo &passo = lote.passos.at(size_t(e.comando));
            conclui(passo.linha);
            // A lost connection took the open transaction with it.
            if (!e.conexaoPerdida)
                DesfazTransacao(conexao_);
            const Linha &linha = linhas[passo.linha];
            if (e.conexaoPerdida || passo.papel == Papel::Comando) {
                if (passo.conta >= 0)
                    throw erroNaConta(linha.espalhado.contas[size_t(passo.conta)].conta, linha.chave, e);
                throw;
            }
            if (passo.papel == Papel::JaRegistrada)
                return feita(linha, false, {});
            return umaLinha();
        }
        conclui(linhas.size());
    }

    // Spreads the paid amount over the charge's receivables, oldest first, until it or they run out.
    Espalhado baixaDocumento(const Linha &linha) {
        ResultSet QMovment = conexao_.abre(sqlSelecaoBaixa(modo_, conexao_.escapa(linha.chave)));
        Espalhado espalhado = espalha(QMovment, linha.pago, linha.chave);
        for (const Lancamento &k : espalhado.contas) {
            try {
                conexao_.executa(sqlAlteraAmort(k.conta, k.amort, ValorEmAberto(k.conta.bruto(), k.amort),
                                                lojas_, linha.quando.date()));
                for (const QString &c : sqlMovimentoESaldo(k, PegaNumLanc(), linha.quando))
                    conexao_.executa(c);
            } catch (const std::exception &e) {
                throw erroNaConta(k.conta, linha.chave, e);
            }
            QCoreApplication::processEvents();
        }
        return espalhado;
    }

    // The movement of a settled receivable and, for a sale of this month, the lower balance of its client.
    QStringList sqlMovimentoESaldo(const Lancamento &k, qint64 numlanc, const QDateTime &quando) {
        QStringList c{sqlMovimento(k.conta, estado_, lojasLiteral_, numlanc, k.quantia, quando)};
        if (NoMesCorrente(k.conta.dia, quando.date()))
            c << sqlSaldoCliente(k.conta, k.quantia, lojas_);
        return c;
    }

    qint64 PegaNumLanc() {
        conexao_.executa(InsereNumLanc);
        return conexao_.ultimoId();
    }

    // A row done, settled now or before, or left alone.
    void feita(const Linha &linha, bool agora, const Espalhado &espalhado) {
        ++proxima_;
        ++resultado_.linhas;
        progresso_.avanca();
        if (linha.tipo == Tipo::Nenhum)
            return;
        MarcaBaixada(lista_, linha.indice);
        if (!agora) {
            ++resultado_.baixadasAntes;
            return;
        }
        ++resultado_.baixadasAgora;
        resultado_.contas += int(espalhado.contas.size());
        const bool recusada = linha.tipo == Tipo::Recusada;
        resultado_.recusados += recusada;
        // A refused debit moved no money.
        if (!recusada && Arredonda(espalhado.quantia) < Arredonda(linha.pago))
            resultado_.sobras.emplace_back(linha.chave, linha.pago - espalhado.quantia);
    }

    Connection &conexao_;
    const EstadoPrograma &estado_;
    ModoRetorno modo_;
    const QByteArray &impressao_;
    ResultSet &lista_;
    Progresso &progresso_;
    QString lojas_;
    QString lojasLiteral_;
    int proxima_ = 0;
    ResultadoBaixa resultado_;
};

} // namespace

ResultadoBaixa ProcessaRetorno(Connection &conexao, const EstadoPrograma &estado, ResultSet &QListaTemp,
                               ModoRetorno modo, const QByteArray &impressao, const Progresso::Mostra &mostra,
                               EnvioDaBaixa envio) {
    Progresso progresso(QListaTemp.linhas(), mostra);
    Baixa baixa(conexao, estado, modo, impressao, QListaTemp, progresso);
    const bool emLotes = envio == EnvioDaBaixa::EmLotes && conexao.aceitaCompostos();
    try {
        while (!baixa.terminou()) {
            if (emLotes)
                baixa.emLote();
            else
                baixa.umaLinha();
        }
    } catch (const std::exception &e) {
        const int l = baixa.proxima();
        throw Erro(textoDoErro(e) + u'\r' +
                   QStringLiteral("O processamento parou na linha %1 da lista; as %2 linhas anteriores "
                                  "foram processadas.")
                       .arg(l + 1)
                       .arg(l));
    }
    return baixa.resultado();
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
    // Locked until the row's transaction ends: another station settling another payment of the same
    // document waits instead of working from amounts about to change.
    return QStringLiteral(" select receber.* from receber \n") + condicaoDaBaixa(modo, chaveEscapada) +
           QStringLiteral("order by receber.datahora for update");
}

QString sqlLiberaDebito(const QString &lojasLeram, const QDate &hoje, const QString &chaveEscapada) {
    return QStringLiteral(
               "update receber set lojas_leram2 = \"\", tipo = 0, lojas_leram = \"%1\", dtalteracao = "
               "%2 where lojas_leram2 = \"%3\"")
        .arg(lojasLeram, Literal(hoje), chaveEscapada);
}
