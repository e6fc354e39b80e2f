#pragma once

// A run's registrations with exactly-once: each request is written to a journal beside the settings
// before it goes out and its outcome after; a run cut short leaves its requests in the journal, and the
// next call asks the bank about them (and sends those the bank does not have) before anything new.

#include "bolix/api/BancoDoBrasilApi.h"

#include <QString>
#include <functional>

namespace bolix::api {

// A request as the journal keeps it, with the document it registers: its number and its nosso número as the
// program numbered it, by which the program finds its record.
struct PedidoAnotado {
    QString numeroDocumento;
    QString nossoNumero;
    PedidoRegistro pedido;
};

class DiarioRegistros {
public:
    explicit DiarioRegistros(QString caminho) : caminho_(std::move(caminho)) {}

    void enviando(const Documento &doc, const PedidoRegistro &pedido);
    void concluido(const QString &numero, const ResultadoRegistro &resultado);
    // The requests whose outcome is unknown: sent and never answered, or left uncertain.
    QList<PedidoAnotado> pendentes() const;
    // Emptied once nothing is pending: the journal only ever holds what a run may have left half done.
    void esvaziaSeConcluido();

    const QString &caminho() const { return caminho_; }

private:
    void anota(const QJsonObject &linha);
    QString caminho_;
};

struct RegistroDoDocumento {
    QString numeroDocumento;
    QString nossoNumero; // as the program numbered it
    ResultadoRegistro resultado;
};

// Registers the documents, at most a few requests waiting at any time so memory stays flat in their
// number; `avanca` runs after each one. The results in the documents' order.
QList<RegistroDoDocumento> registraDocumentos(BancoDoBrasilApi &api, DiarioRegistros &diario,
                                              const QList<Documento> &documentos, const QDate &hoje,
                                              const std::function<void()> &avanca = {});

// Finishes what an earlier run left in the journal.
QList<RegistroDoDocumento> concluiPendentes(BancoDoBrasilApi &api, DiarioRegistros &diario);

// The convênio a journal's request went out with.
QString convenioDoPedido(const PedidoRegistro &pedido);

// "Documento <n>: <what happened>" for the operator.
QString textoDoRegistro(const RegistroDoDocumento &r);

} // namespace bolix::api
