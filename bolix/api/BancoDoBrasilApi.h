#pragma once

// Banco do Brasil's API Cobranças v2 for an account the store numbers (convênio of 7 digits): registration
// that never registers a boleto twice, consultation, and the boletos liquidated in a period.

#include "bolix/api/ClienteApi.h"
#include "bolix/core/Boleto.h"
#include "bolix/core/Conta.h"
#include "bolix/core/Documento.h"

#include <QDate>
#include <QList>
#include <functional>
#include <memory>
#include <optional>

namespace bolix::api {

// What the bank answered for a registered boleto, checked against ours.
struct BoletoNoBanco {
    QString numero;         // the 20-digit nosso número
    QString codigoBarras;   // 44 digits
    QString linhaDigitavel; // 47 digits
    QString pixCopiaECola;  // empty: no QR
    QString falhaPix;       // the bank's words when the boleto registered and its Pix did not
};

struct ResultadoRegistro {
    enum class Situacao {
        Registrado, // at the bank, answer checked: print it
        Recusado,   // not at the bank: the bank's words in `mensagem`
        Divergente, // at the bank, but its answer is unusable or differs from ours: not printed
        Incerto,    // no answer and the bank could not be asked: the next run asks again
    };
    Situacao situacao = Situacao::Incerto;
    BoletoNoBanco boleto;
    QString mensagem;
};

struct PagamentoNoBanco {
    QString numero;    // nosso número, 20 digits
    QString seuNumero; // numeroTituloCedenteCobranca
    int estado = 0;    // codigoEstadoTituloCobranca
    Dinheiro valorTitulo = 0;
    Dinheiro valorPago = 0;
    Dinheiro valorCreditado = 0;
    QDate dataPagamento;
    QDate dataCredito;
    bool pendente = false; // announced by the bank, not yet money: listed, never settled
    QString anuncio;       // for a pending one, what the bank told of it
};

// One registration as it goes out: kept before it is sent, so a run cut short can finish it.
struct PedidoRegistro {
    QString numero;       // the 20-digit nosso número
    QString codigoBarras; // ours, which the bank's must equal
    QByteArray corpo;     // the JSON body
};

class BancoDoBrasilApi {
public:
    // Reads the TLS credentials; ErroBolix naming the setting before anything is sent.
    explicit BancoDoBrasilApi(const ContaConfigurada &conta);

    // The nosso número the bank knows the document's boleto by: "000", convênio and the 10-digit sequence.
    QString numeroNoBanco(const Boleto &boleto) const;
    // The registration body of one document, issued `hoje`. ErroBolix naming the document for what the
    // bank would refuse anyway.
    QJsonObject corpoRegistro(const Documento &doc, const Boleto &boleto, const QDate &hoje) const;

    // The registration of the document's boleto issued `hoje`; ErroBolix as corpoRegistro.
    PedidoRegistro pedido(const Documento &doc, const QDate &hoje) const;

    // Registers the boleto; `fim` runs once. A time-out or a 5xx is followed by a consultation before any
    // new attempt.
    void registra(const PedidoRegistro &pedido, std::function<void(const ResultadoRegistro &)> fim);
    // Asks the bank first about a registration that may have gone out (a run cut short), and sends it
    // only when the bank does not have it.
    void confirma(const PedidoRegistro &pedido, std::function<void(const ResultadoRegistro &)> fim);
    void aguardaTodas() { cliente_->aguardaTodas(); }

    // Boletos liquidated with movement dates from `inicio` to `fim`, each with its detail, then the payments
    // the paying banks announced in that period and not liquidated yet ("baixa operacional"), pending.
    // ErroBolix with the bank's words when a call fails.
    QList<PagamentoNoBanco> liquidados(const QDate &inicio, const QDate &fim);

    ClienteApi &cliente() { return *cliente_; }

private:
    class Registro;
    QList<PagamentoNoBanco> detalhes(const QStringList &numeros);
    QList<PagamentoNoBanco> baixasOperacionais(const QDate &inicio, const QDate &fim);
    ContaConfigurada conta_;
    std::unique_ptr<ClienteApi> cliente_;
};

// The bank's words from any of its error bodies (errors, erros in two shapes, the OAuth one), or the status
// when none can be read.
QString palavrasDoBancoDoBrasil(int status, const QByteArray &corpo);

} // namespace bolix::api
