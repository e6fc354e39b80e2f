#include "RegistroEmLote.h"

#include "bolix/core/ErroBolix.h"

#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>

namespace bolix::api {

namespace {

QString nomeSituacao(ResultadoRegistro::Situacao s) {
    switch (s) {
    case ResultadoRegistro::Situacao::Registrado:
        return QStringLiteral("registrado");
    case ResultadoRegistro::Situacao::Recusado:
        return QStringLiteral("recusado");
    case ResultadoRegistro::Situacao::Divergente:
        return QStringLiteral("divergente");
    case ResultadoRegistro::Situacao::Incerto:
        break;
    }
    return QStringLiteral("incerto");
}

// Feeds the requests to the client a few at a time, so memory stays flat in their number, and waits for all
// of them. `inicia(i, concluiu)` starts the i-th and calls `concluiu` when it is done, at once or later.
class Fila {
public:
    Fila(BancoDoBrasilApi &api, qsizetype total)
        : api_(api), total_(total), janela_(2 * api.cliente().simultaneas()) {}

    void executa(const std::function<void(qsizetype, const std::function<void()> &)> &inicia) {
        inicia_ = inicia;
        alimenta();
        api_.aguardaTodas();
    }

private:
    void alimenta() {
        if (alimentando_)
            return; // the outer loop goes on
        alimentando_ = true;
        while (proximo_ < total_ && proximo_ - concluidos_ < janela_)
            inicia_(proximo_++, concluiu_);
        alimentando_ = false;
    }

    BancoDoBrasilApi &api_;
    qsizetype total_;
    qsizetype janela_;
    qsizetype proximo_ = 0;
    qsizetype concluidos_ = 0;
    bool alimentando_ = false;
    std::function<void(qsizetype, const std::function<void()> &)> inicia_;
    std::function<void()> concluiu_ = [this] {
        ++concluidos_;
        alimenta();
    };
};

} // namespace

void DiarioRegistros::anota(const QJsonObject &linha) {
    QFile arquivo(caminho_);
    if (!arquivo.open(QIODevice::Append))
        throw ErroBolix(QStringLiteral("Não foi possível gravar o diário de registros %1: %2. Nenhum boleto "
                                       "foi enviado sem ser anotado.")
                            .arg(caminho_, arquivo.errorString()));
    const QByteArray texto = QJsonDocument(linha).toJson(QJsonDocument::Compact) + '\n';
    if (arquivo.write(texto) != texto.size() || !arquivo.flush())
        throw ErroBolix(QStringLiteral("Não foi possível gravar o diário de registros %1: %2.")
                            .arg(caminho_, arquivo.errorString()));
}

void DiarioRegistros::enviando(const Documento &doc, const PedidoRegistro &pedido) {
    anota({{QStringLiteral("numero"), pedido.numero},
           {QStringLiteral("documento"), doc.numeroDocumento},
           {QStringLiteral("nossoNumero"), doc.nossoNumero},
           {QStringLiteral("situacao"), QStringLiteral("enviado")},
           {QStringLiteral("codigoBarras"), pedido.codigoBarras},
           {QStringLiteral("corpo"), QString::fromUtf8(pedido.corpo)}});
}

void DiarioRegistros::concluido(const QString &numero, const ResultadoRegistro &resultado) {
    anota({{QStringLiteral("numero"), numero},
           {QStringLiteral("situacao"), nomeSituacao(resultado.situacao)},
           {QStringLiteral("mensagem"), resultado.mensagem}});
}

QList<PedidoAnotado> DiarioRegistros::pendentes() const {
    QFile arquivo(caminho_);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    QHash<QString, PedidoAnotado> enviados;
    QHash<QString, QString> ultima;
    QStringList ordem;
    while (!arquivo.atEnd()) {
        // A line cut by a crash is no request that went out: it was written before sending.
        const QJsonObject o = QJsonDocument::fromJson(arquivo.readLine()).object();
        const QString numero = o.value(QLatin1String("numero")).toString();
        if (numero.isEmpty())
            continue;
        const QString situacao = o.value(QLatin1String("situacao")).toString();
        if (situacao == u"enviado") {
            if (!enviados.contains(numero))
                ordem << numero;
            enviados.insert(numero, {o.value(QLatin1String("documento")).toString(),
                                     o.value(QLatin1String("nossoNumero")).toString(),
                                     {numero, o.value(QLatin1String("codigoBarras")).toString(),
                                      o.value(QLatin1String("corpo")).toString().toUtf8()}});
        }
        ultima.insert(numero, situacao);
    }
    QList<PedidoAnotado> lista;
    for (const QString &numero : ordem)
        if (ultima.value(numero) == u"enviado" || ultima.value(numero) == u"incerto")
            lista << enviados.value(numero);
    return lista;
}

void DiarioRegistros::esvaziaSeConcluido() {
    if (pendentes().isEmpty())
        QFile::remove(caminho_);
}

QList<RegistroDoDocumento> registraDocumentos(BancoDoBrasilApi &api, DiarioRegistros &diario,
                                              const QList<Documento> &documentos, const QDate &hoje,
                                              const std::function<void()> &avanca) {
    QList<RegistroDoDocumento> resultados(documentos.size());
    Fila(api, documentos.size()).executa([&](qsizetype i, const std::function<void()> &concluiu) {
        const Documento &doc = documentos[i];
        resultados[i].numeroDocumento = doc.numeroDocumento;
        resultados[i].nossoNumero = doc.nossoNumero;
        const auto termina = [&, i, concluiu](const ResultadoRegistro &r) {
            resultados[i].resultado = r;
            if (avanca)
                avanca();
            concluiu();
        };
        PedidoRegistro pedido;
        try {
            pedido = api.pedido(doc, hoje);
        } catch (const ErroBolix &e) { // refused here: nothing goes out
            return termina({ResultadoRegistro::Situacao::Recusado, {}, e.texto()});
        }
        diario.enviando(doc, pedido);
        api.registra(pedido, [&diario, termina, numero = pedido.numero](const ResultadoRegistro &r) {
            diario.concluido(numero, r);
            termina(r);
        });
    });
    diario.esvaziaSeConcluido();
    return resultados;
}

QList<RegistroDoDocumento> concluiPendentes(BancoDoBrasilApi &api, DiarioRegistros &diario) {
    const auto pendentes = diario.pendentes();
    QList<RegistroDoDocumento> resultados(pendentes.size());
    Fila(api, pendentes.size()).executa([&](qsizetype i, const std::function<void()> &concluiu) {
        const PedidoAnotado &anotado = pendentes[i];
        resultados[i].numeroDocumento = anotado.numeroDocumento;
        resultados[i].nossoNumero = anotado.nossoNumero;
        api.confirma(anotado.pedido,
                     [&, i, concluiu, numero = anotado.pedido.numero](const ResultadoRegistro &r) {
                         diario.concluido(numero, r);
                         resultados[i].resultado = r;
                         concluiu();
                     });
    });
    diario.esvaziaSeConcluido();
    return resultados;
}

QString convenioDoPedido(const PedidoRegistro &pedido) {
    return QString::number(
        QJsonDocument::fromJson(pedido.corpo).object().value(QLatin1String("numeroConvenio")).toInteger());
}

QString textoDoRegistro(const RegistroDoDocumento &r) {
    const ResultadoRegistro &res = r.resultado;
    QString texto;
    switch (res.situacao) {
    case ResultadoRegistro::Situacao::Registrado:
        texto = QStringLiteral("registrado no banco") +
                (res.boleto.falhaPix.isEmpty() ? QString()
                                               : QStringLiteral(", sem o QR Pix: ") + res.boleto.falhaPix);
        break;
    case ResultadoRegistro::Situacao::Recusado:
        texto = QStringLiteral("recusado: ") + res.mensagem;
        break;
    case ResultadoRegistro::Situacao::Divergente:
        texto = QStringLiteral("não impresso: ") + res.mensagem;
        break;
    case ResultadoRegistro::Situacao::Incerto:
        texto = QStringLiteral("não impresso, ") + res.mensagem;
        break;
    }
    return QStringLiteral("Documento %1: %2").arg(r.numeroDocumento.trimmed(), texto);
}

} // namespace bolix::api
