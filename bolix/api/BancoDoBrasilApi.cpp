#include "BancoDoBrasilApi.h"

#include "Credenciais.h"

#include "bolix/core/CodigoBarras.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/ErroBolix.h"
#include "bolix/core/pix/BrCode.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

namespace bolix::api {

namespace {

constexpr int tentativasDeRegistro = 3;

QString dataBB(const QDate &data) {
    return data.toString(QStringLiteral("dd.MM.yyyy"));
}

// The bank's response dates: its request form, or ISO.
QDate dataDoBanco(const QJsonValue &valor) {
    const QString texto = valor.toString();
    const QDate data = QDate::fromString(texto, QStringLiteral("dd.MM.yyyy"));
    return data.isValid() ? data : QDate::fromString(texto, Qt::ISODate);
}

// Amounts go out as reais with two decimals, as the bank reads them.
double reais(std::int64_t centavos) {
    return double(centavos) / 100.0;
}

Dinheiro dinheiroDoBanco(const QJsonValue &valor) {
    return valor.isDouble() ? Dinheiro(std::llround(valor.toDouble() * 100.0)) * 100 : 0;
}

// Numeric JSON fields of the bank carry no leading zeros.
qint64 numero(const QString &digitos) {
    return digitos.toLongLong();
}

// The bank's characters of the seu número: upper-case letters, digits, '-', apostrophe and space.
QString seuNumero(const Documento &doc) {
    const QString fonte = doc.numeroControle.isEmpty() ? doc.numeroDocumento : doc.numeroControle;
    QString s;
    for (QChar c : fonte.toUpper())
        if ((c >= u'A' && c <= u'Z') || c.isDigit() || c == u'-' || c == u'\'' || c == u' ')
            s += c;
    return s.trimmed().left(15);
}

int codigoTipoTitulo(const QString &especie) {
    static const QHash<QString, int> tipos = {{QStringLiteral("CH"), 1},   {QStringLiteral("DM"), 2},
                                              {QStringLiteral("DS"), 4},   {QStringLiteral("RC"), 17},
                                              {QStringLiteral("FAT"), 18}, {QStringLiteral("FT"), 18}};
    return tipos.value(especie.trimmed().toUpper(), 99);
}

QJsonObject pagador(const Documento &doc) {
    const InscricaoSacado inscricao = inscricaoSacado(doc);
    if (inscricao.tipo == 0)
        recusaDocumento(doc, QStringLiteral("CNPJSacado"), doc.cnpjSacado,
                        QStringLiteral("a API do banco pede o CNPJ ou o CPF do sacado"));
    return {{QStringLiteral("tipoInscricao"), inscricao.tipo},
            {QStringLiteral("numeroInscricao"), numero(inscricao.digitos)},
            {QStringLiteral("nome"), doc.nomeSacado.trimmed().left(60)},
            {QStringLiteral("endereco"), doc.enderecoSacado.trimmed().left(60)},
            {QStringLiteral("cep"), numero(soDigitos(doc.cepSacado))},
            {QStringLiteral("cidade"), doc.cidadeSacado.trimmed().left(30)},
            {QStringLiteral("bairro"), doc.bairroSacado.trimmed().left(30)},
            {QStringLiteral("uf"), doc.estadoSacado.trimmed().toUpper().left(2)}};
}

// Interest, fine and discount as the document gives them; absent ones take the convênio's defaults.
void encargos(const Documento &doc, QJsonObject &corpo) {
    if (doc.valorJurosDiaAtraso > 0)
        corpo[QStringLiteral("jurosMora")] = QJsonObject{
            {QStringLiteral("tipo"), 1}, {QStringLiteral("valor"), reais(centavos(doc.valorJurosDiaAtraso))}};
    else if (doc.percentualJurosDiaAtraso > 0) // the bank's rate is monthly
        corpo[QStringLiteral("jurosMora")] =
            QJsonObject{{QStringLiteral("tipo"), 2},
                        {QStringLiteral("porcentagem"), reais(centavos(doc.percentualJurosDiaAtraso * 30))}};
    const QString diaSeguinte = dataBB(doc.dataVencimento.addDays(1));
    if (doc.valorMultaAtraso > 0)
        corpo[QStringLiteral("multa")] =
            QJsonObject{{QStringLiteral("tipo"), 1},
                        {QStringLiteral("data"), diaSeguinte},
                        {QStringLiteral("valor"), reais(centavos(doc.valorMultaAtraso))}};
    else if (doc.percentualMultaAtraso > 0)
        corpo[QStringLiteral("multa")] =
            QJsonObject{{QStringLiteral("tipo"), 2},
                        {QStringLiteral("data"), diaSeguinte},
                        {QStringLiteral("porcentagem"), reais(centavos(doc.percentualMultaAtraso))}};
    if (doc.valorDesconto > 0)
        corpo[QStringLiteral("desconto")] =
            QJsonObject{{QStringLiteral("tipo"), 1},
                        {QStringLiteral("dataExpiracao"), dataBB(doc.dataVencimento)},
                        {QStringLiteral("valor"), reais(centavos(doc.valorDesconto))}};
    if (codigoProtesto(doc) != u'3')
        corpo[QStringLiteral("quantidadeDiasProtesto")] = doc.diasProtesto;
}

// A text field of the bank's answer made of exactly `tamanho` digits; empty when missing or of another type.
QString digitosDoBanco(const QJsonObject &o, const char *campo, int tamanho) {
    const QJsonValue v = o.value(QLatin1String(campo));
    const QString texto = v.isString() ? soDigitos(v.toString()) : QString();
    return texto.size() == tamanho && v.toString().size() <= tamanho + 10 ? texto : QString();
}

// Text from the bank shown to the operator: one line, bounded.
QString limpo(const QString &texto) {
    QString s = texto.simplified();
    s.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return s.left(300);
}

QUrlQuery consultaDoConvenio(const ContaConfigurada &conta) {
    QUrlQuery q;
    q.addQueryItem(QStringLiteral("numeroConvenio"), QString::number(numero(conta.cedente)));
    return q;
}

// Liquidated and credited; "em liquidação", scheduled and cheque-paid states are not money yet.
bool liquidacaoFinal(int estado) {
    return estado == 6 || estado == 10 || estado == 11 || estado == 12 || estado == 16;
}

PagamentoNoBanco pagamentoDoDetalhe(const QString &numero, const QJsonObject &o) {
    PagamentoNoBanco p;
    p.numero = numero;
    p.seuNumero =
        limpo(o.value(QLatin1String("numeroTituloCedenteCobranca")).toVariant().toString()).left(15);
    p.estado = o.value(QLatin1String("codigoEstadoTituloCobranca")).toInt();
    p.valorTitulo = dinheiroDoBanco(o.value(QLatin1String("valorOriginalTituloCobranca")));
    p.valorPago = dinheiroDoBanco(o.value(QLatin1String("valorPagoSacado")));
    p.valorCreditado = dinheiroDoBanco(o.value(QLatin1String("valorCreditoCedente")));
    p.dataPagamento = dataDoBanco(o.value(QLatin1String("dataRecebimentoTitulo")));
    p.dataCredito = dataDoBanco(o.value(QLatin1String("dataCreditoLiquidacao")));
    p.pendente = !liquidacaoFinal(p.estado);
    if (p.pendente)
        p.anuncio = QStringLiteral("situação %1 no banco").arg(p.estado);
    if (!p.pendente && (p.valorPago <= 0 || !p.dataCredito.isValid()))
        throw ErroBolix(QStringLiteral("Detalhe do boleto %1 no banco: liquidado sem valorPagoSacado ou "
                                       "dataCreditoLiquidacao válidos.")
                            .arg(numero));
    return p;
}

} // namespace

QString palavrasDoBancoDoBrasil(int status, const QByteArray &corpo) {
    const QJsonObject o = QJsonDocument::fromJson(corpo).object();
    QStringList partes;
    const auto junta = [&](const QJsonValue &lista, std::initializer_list<const char *> codigos,
                           std::initializer_list<const char *> textos) {
        for (const QJsonValue &item : lista.toArray()) {
            const QJsonObject e = item.toObject();
            QString codigo, texto;
            for (const char *c : codigos)
                if (codigo.isEmpty() && !e.value(QLatin1String(c)).isUndefined())
                    codigo = e.value(QLatin1String(c)).toVariant().toString();
            for (const char *t : textos)
                if (texto.isEmpty())
                    texto = e.value(QLatin1String(t)).toString();
            if (!texto.isEmpty())
                partes << (codigo.isEmpty() ? limpo(texto) : limpo(codigo) + u' ' + limpo(texto));
        }
    };
    junta(o.value(QLatin1String("errors")), {"code"}, {"message"});
    junta(o.value(QLatin1String("erros")), {"codigoMensagem", "codigo"}, {"textoMensagem", "mensagem"});
    for (const char *chave : {"message", "error_description"})
        if (partes.isEmpty() && o.value(QLatin1String(chave)).isString())
            partes << limpo(o.value(QLatin1String(chave)).toString());
    const QString palavras = partes.join(QStringLiteral("; ")).left(600);
    return palavras.isEmpty() ? QStringLiteral("HTTP %1 sem mensagem do banco").arg(status)
                              : QStringLiteral("%1 (HTTP %2)").arg(palavras).arg(status);
}

BancoDoBrasilApi::BancoDoBrasilApi(const ContaConfigurada &conta) : conta_(conta) {
    if (!conta.configuracao.registroApi)
        throw ErroBolix(QStringLiteral("A API do banco não está configurada (registro=API em %1).")
                            .arg(QString::fromLatin1(nomeArquivoConfiguracao)));
    cliente_ = std::make_unique<ClienteApi>(
        conta.configuracao.api, configuracaoTls(conta.configuracao.api),
        PerfilToken{QStringLiteral("cobrancas.boletos-requisicao cobrancas.boletos-info"),
                    conta.configuracao.api.parametroChaveAplicacao.toLatin1()});
}

QString BancoDoBrasilApi::numeroNoBanco(const Boleto &boleto) const {
    return QStringLiteral("000") + boleto.nossoNumero.numero;
}

QJsonObject BancoDoBrasilApi::corpoRegistro(const Documento &doc, const Boleto &boleto,
                                            const QDate &hoje) const {
    if (!doc.dataVencimento.isValid())
        recusaDocumento(doc, QStringLiteral("DataVencimento"), {},
                        QStringLiteral("a API do banco pede a data de vencimento"));
    if (doc.dataVencimento < hoje)
        recusaDocumento(doc, QStringLiteral("DataVencimento"), doc.dataVencimento.toString(u"dd/MM/yyyy"),
                        QStringLiteral("a API do banco não registra boleto vencido"));
    const QString especie = doc.tipoDocumentoCobranca.trimmed().toUpper();
    QJsonObject corpo{
        {QStringLiteral("numeroConvenio"), numero(conta_.cedente)},
        {QStringLiteral("numeroCarteira"), numero(conta_.configuracao.carteira)},
        {QStringLiteral("numeroVariacaoCarteira"), numero(conta_.configuracao.variacao)},
        {QStringLiteral("codigoModalidade"), 1},
        {QStringLiteral("dataEmissao"), dataBB(hoje)},
        {QStringLiteral("dataVencimento"), dataBB(doc.dataVencimento)},
        {QStringLiteral("valorOriginal"), reais(boleto.centavos)},
        {QStringLiteral("codigoAceite"), QString(aceiteDoDocumento(conta_, doc) == u'A' ? u'A' : u'N')},
        {QStringLiteral("codigoTipoTitulo"), codigoTipoTitulo(especie)},
        {QStringLiteral("descricaoTipoTitulo"), especie.left(30)},
        {QStringLiteral("indicadorPermissaoRecebimentoParcial"), QStringLiteral("N")},
        {QStringLiteral("numeroTituloBeneficiario"), seuNumero(doc)},
        {QStringLiteral("numeroTituloCliente"), numeroNoBanco(boleto)},
        {QStringLiteral("pagador"), pagador(doc)},
        {QStringLiteral("indicadorPix"),
         conta_.configuracao.pix ? QStringLiteral("S") : QStringLiteral("N")}};
    encargos(doc, corpo);
    return corpo;
}

// One boleto's way through the bank: register, and ask before any new attempt when the answer is in doubt.
class BancoDoBrasilApi::Registro : public std::enable_shared_from_this<Registro> {
public:
    Registro(BancoDoBrasilApi &api, const PedidoRegistro &pedido,
             std::function<void(const ResultadoRegistro &)> fim)
        : api_(api), fim_(std::move(fim)), numero_(pedido.numero), codigoBarras_(pedido.codigoBarras),
          corpo_(pedido.corpo) {}

    void envia() {
        ++tentativas_;
        api_.cliente_->envia({"POST", QStringLiteral("/boletos"), {}, corpo_},
                             [self = shared_from_this()](const Resposta &r) { self->registrado(r); });
    }

    void consulta() {
        api_.cliente_->envia({"GET", QStringLiteral("/boletos/") + numero_, convenio(), {}},
                             [self = shared_from_this()](const Resposta &r) { self->consultado(r); });
    }

private:
    QUrlQuery convenio() const { return consultaDoConvenio(api_.conta_); }

    void termina(ResultadoRegistro::Situacao situacao, const QString &mensagem, BoletoNoBanco boleto = {}) {
        fim_({situacao, std::move(boleto), mensagem});
    }

    void registrado(const Resposta &r) {
        if (r.naoEnviada)
            return termina(ResultadoRegistro::Situacao::Recusado, r.falha);
        if (r.sucesso())
            return confere(QJsonDocument::fromJson(r.corpo).object(), "linhaDigitavel", "codigoBarraNumerico",
                           r.corpo);
        if (r.semResposta() || r.status >= 500) {
            motivo_ = r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo);
            return consulta();
        }
        termina(ResultadoRegistro::Situacao::Recusado, palavrasDoBancoDoBrasil(r.status, r.corpo));
    }

    void consultado(const Resposta &r) {
        if (r.status == 404) {
            if (tentativas_ < tentativasDeRegistro)
                return envia();
            return termina(ResultadoRegistro::Situacao::Recusado,
                           QStringLiteral("o banco não registrou o boleto em %1 tentativas: %2")
                               .arg(tentativas_)
                               .arg(motivo_));
        }
        if (!r.sucesso())
            return termina(
                ResultadoRegistro::Situacao::Incerto,
                QStringLiteral("sem confirmação do banco (%1; consulta: %2): será consultado de novo")
                    .arg(motivo_, r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo)));
        const QJsonObject detalhe = QJsonDocument::fromJson(r.corpo).object();
        boleto_ = lido(detalhe, "codigoLinhaDigitavel", "textoCodigoBarrasTituloCobranca");
        if (!divergencia_.isEmpty())
            return termina(ResultadoRegistro::Situacao::Divergente, divergencia_, boleto_);
        if (!api_.conta_.configuracao.pix)
            return termina(ResultadoRegistro::Situacao::Registrado, {}, boleto_);
        api_.cliente_->envia({"GET", QStringLiteral("/boletos/%1/pix").arg(numero_), convenio(), {}},
                             [self = shared_from_this()](const Resposta &p) { self->pixConsultado(p); });
    }

    void pixConsultado(const Resposta &r) {
        if (r.sucesso())
            lePix(QJsonDocument::fromJson(r.corpo).object().value(QLatin1String("qrCode")).toObject());
        else
            boleto_.falhaPix = QStringLiteral("consulta do Pix: ") +
                               (r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo));
        termina(ResultadoRegistro::Situacao::Registrado, {}, boleto_);
    }

    // The registration's answer: a 2xx means the bank holds the boleto, whatever the body says.
    void confere(const QJsonObject &o, const char *campoLinha, const char *campoBarras,
                 const QByteArray &corpo) {
        if (o.isEmpty())
            return termina(ResultadoRegistro::Situacao::Divergente,
                           QStringLiteral("registrado, mas a resposta do banco não é JSON legível (%1 bytes)")
                               .arg(corpo.size()));
        BoletoNoBanco b = lido(o, campoLinha, campoBarras);
        if (!divergencia_.isEmpty())
            return termina(ResultadoRegistro::Situacao::Divergente, divergencia_, b);
        if (api_.conta_.configuracao.pix)
            lePix(o.value(QLatin1String("qrCode")).toObject(), &b);
        termina(ResultadoRegistro::Situacao::Registrado, {}, b);
    }

    // The bar code and linha digitável the bank gave, which must be ours digit for digit.
    BoletoNoBanco lido(const QJsonObject &o, const char *campoLinha, const char *campoBarras) {
        BoletoNoBanco b;
        b.numero = numero_;
        b.codigoBarras = digitosDoBanco(o, campoBarras, 44);
        b.linhaDigitavel = digitosDoBanco(o, campoLinha, 47);
        const QString numeroDoBanco = o.value(QLatin1String("numero")).toString();
        if (b.codigoBarras.isEmpty() || b.linhaDigitavel.isEmpty())
            divergencia_ = QStringLiteral("registrado, mas a resposta do banco não traz %1 e %2 válidos")
                               .arg(QLatin1String(campoBarras), QLatin1String(campoLinha));
        else if (b.codigoBarras != codigoBarras_ || b.linhaDigitavel != linhaDigitavel(b.codigoBarras))
            divergencia_ =
                QStringLiteral("registrado, mas o código de barras do banco (%1) difere do nosso (%2)")
                    .arg(b.codigoBarras, codigoBarras_);
        else if (!numeroDoBanco.isEmpty() && numeroDoBanco != numero_)
            divergencia_ = QStringLiteral("registrado, mas o nosso número do banco (%1) difere do nosso (%2)")
                               .arg(limpo(numeroDoBanco).left(30), numero_);
        return b;
    }

    void lePix(const QJsonObject &qr, BoletoNoBanco *destino = nullptr) {
        BoletoNoBanco &b = destino ? *destino : boleto_;
        const QString emv = qr.value(QLatin1String("emv")).toString();
        if (emv.isEmpty()) {
            // A Pix that failed comes with the bank's words where its address would be.
            const QString palavras = limpo(qr.value(QLatin1String("url")).toString() + u' ' +
                                           qr.value(QLatin1String("txId")).toString());
            b.falhaPix = palavras.isEmpty() ? QStringLiteral("o banco não deu o QR Pix") : palavras;
            return;
        }
        try {
            b.pixCopiaECola = brCodeConferido(emv);
        } catch (const ErroBolix &e) {
            b.falhaPix = QStringLiteral("QR Pix do banco recusado: ") + e.texto();
        }
    }

    BancoDoBrasilApi &api_;
    std::function<void(const ResultadoRegistro &)> fim_;
    QString numero_;
    QString codigoBarras_;
    QByteArray corpo_;
    int tentativas_ = 0;
    QString motivo_;
    QString divergencia_;
    BoletoNoBanco boleto_;
};

PedidoRegistro BancoDoBrasilApi::pedido(const Documento &doc, const QDate &hoje) const {
    const Boleto nosso = calculaBoleto(conta_, doc);
    return {numeroNoBanco(nosso), nosso.codigoBarras,
            QJsonDocument(corpoRegistro(doc, nosso, hoje)).toJson(QJsonDocument::Compact)};
}

void BancoDoBrasilApi::registra(const PedidoRegistro &pedido,
                                std::function<void(const ResultadoRegistro &)> fim) {
    std::make_shared<Registro>(*this, pedido, std::move(fim))->envia();
}

void BancoDoBrasilApi::confirma(const PedidoRegistro &pedido,
                                std::function<void(const ResultadoRegistro &)> fim) {
    std::make_shared<Registro>(*this, pedido, std::move(fim))->consulta();
}

QList<PagamentoNoBanco> BancoDoBrasilApi::liquidados(const QDate &inicio, const QDate &fim) {
    QStringList numeros;
    QString indice;
    for (;;) {
        QUrlQuery q;
        q.addQueryItem(QStringLiteral("indicadorSituacao"), QStringLiteral("B"));
        q.addQueryItem(QStringLiteral("codigoEstadoTituloCobranca"), QStringLiteral("6"));
        q.addQueryItem(QStringLiteral("agenciaBeneficiario"), QString::number(numero(conta_.agencia)));
        q.addQueryItem(QStringLiteral("contaBeneficiario"), QString::number(numero(conta_.conta)));
        q.addQueryItem(QStringLiteral("dataInicioMovimento"), dataBB(inicio));
        q.addQueryItem(QStringLiteral("dataFimMovimento"), dataBB(fim));
        if (!indice.isEmpty())
            q.addQueryItem(QStringLiteral("indice"), indice);
        const Resposta r = cliente_->executa({"GET", QStringLiteral("/boletos"), q, {}});
        if (r.status == 404) // the bank's empty list
            break;
        if (!r.sucesso())
            throw ErroBolix(QStringLiteral("Consulta dos boletos liquidados no banco: %1.")
                                .arg(r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo)));
        const QJsonObject o = QJsonDocument::fromJson(r.corpo).object();
        const QJsonValue lista = o.value(QLatin1String("boletos"));
        if (!lista.isArray())
            throw ErroBolix(QStringLiteral("Consulta dos boletos liquidados no banco: resposta sem a lista "
                                           "\"boletos\"."));
        for (const QJsonValue &v : lista.toArray()) {
            const QString n = digitosDoBanco(v.toObject(), "numeroBoletoBB", 20);
            if (n.isEmpty())
                throw ErroBolix(QStringLiteral("Consulta dos boletos liquidados no banco: boleto sem "
                                               "numeroBoletoBB de 20 dígitos."));
            numeros << n;
        }
        if (o.value(QLatin1String("indicadorContinuidade")).toString() != u"S")
            break;
        const QString proximo = o.value(QLatin1String("proximoIndice")).toVariant().toString();
        if (proximo.isEmpty() || proximo == indice)
            throw ErroBolix(QStringLiteral("Consulta dos boletos liquidados no banco: continuação sem "
                                           "proximoIndice novo."));
        indice = proximo;
    }
    QList<PagamentoNoBanco> pagamentos = detalhes(numeros);
    for (const PagamentoNoBanco &p : baixasOperacionais(inicio, fim))
        if (!numeros.contains(p.numero))
            pagamentos << p;
    return pagamentos;
}

// What the paying banks announced before the money reaches the account: a promise that may still be
// cancelled, so each one is pending; cancelled ones are left out.
QList<PagamentoNoBanco> BancoDoBrasilApi::baixasOperacionais(const QDate &inicio, const QDate &fim) {
    constexpr int cancelamento = 10;
    const auto falha = [](const QString &texto) {
        return ErroBolix(QStringLiteral("Consulta das baixas operacionais no banco: %1.").arg(texto));
    };
    QList<PagamentoNoBanco> anunciados;
    QString proximo;
    for (;;) {
        QUrlQuery q;
        q.addQueryItem(QStringLiteral("agencia"), QString::number(numero(conta_.agencia)));
        q.addQueryItem(QStringLiteral("conta"), QString::number(numero(conta_.conta)));
        q.addQueryItem(QStringLiteral("carteira"), QString::number(numero(conta_.configuracao.carteira)));
        q.addQueryItem(QStringLiteral("variacao"), QString::number(numero(conta_.configuracao.variacao)));
        q.addQueryItem(QStringLiteral("dataInicioAgendamentoTitulo"), dataBB(inicio));
        q.addQueryItem(QStringLiteral("dataFimAgendamentoTitulo"), dataBB(fim));
        if (!proximo.isEmpty())
            q.addQueryItem(QStringLiteral("idProximoTitulo"), proximo);
        const Resposta r = cliente_->executa({"GET", QStringLiteral("/boletos-baixa-operacional"), q, {}});
        if (r.status == 404) // the bank's empty list
            break;
        if (!r.sucesso())
            throw falha(r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo));
        const QJsonObject o = QJsonDocument::fromJson(r.corpo).object();
        const QJsonValue lista = o.value(QLatin1String("lista"));
        if (!lista.isArray())
            throw falha(QStringLiteral("resposta sem a lista \"lista\""));
        for (const QJsonValue &v : lista.toArray()) {
            const QJsonObject titulo = v.toObject().value(QLatin1String("titulo")).toObject();
            PagamentoNoBanco p;
            p.numero = digitosDoBanco(titulo, "id", 20);
            if (p.numero.isEmpty())
                throw falha(QStringLiteral("título sem id de 20 dígitos"));
            if (titulo.value(QLatin1String("estadoBaixaOperacional")).toInt() == cancelamento)
                continue;
            const QJsonObject agendamento = titulo.value(QLatin1String("agendamentoPagamento")).toObject();
            const QDateTime momento = QDateTime::fromString(
                agendamento.value(QLatin1String("momento")).toString().left(19), Qt::ISODate);
            p.pendente = true;
            p.valorTitulo = dinheiroDoBanco(titulo.value(QLatin1String("valorOriginal")));
            p.valorPago = dinheiroDoBanco(agendamento.value(QLatin1String("valorCip")));
            p.dataPagamento = momento.date();
            p.anuncio =
                QStringLiteral("pagamento de R$ %1 anunciado%2 (baixa operacional)")
                    .arg(QString::number(double(p.valorPago) / 10'000, 'f', 2).replace(u'.', u','),
                         momento.isValid() ? momento.toString(QStringLiteral(" 'em' dd/MM/yyyy HH:mm"))
                                           : QString());
            anunciados << p;
        }
        const QJsonValue mais = o.value(QLatin1String("possuiMaisTitulos"));
        if (!(mais.toBool() || mais.toString() == u"S"))
            break;
        const QString seguinte = limpo(o.value(QLatin1String("proximoTitulo")).toVariant().toString());
        if (seguinte.isEmpty() || seguinte == proximo)
            throw falha(QStringLiteral("continuação sem proximoTitulo novo"));
        proximo = seguinte;
    }
    return anunciados;
}

QList<PagamentoNoBanco> BancoDoBrasilApi::detalhes(const QStringList &numeros) {
    QList<PagamentoNoBanco> pagamentos;
    QStringList falhas;
    for (const QString &n : numeros)
        cliente_->envia(
            {"GET", QStringLiteral("/boletos/") + n, consultaDoConvenio(conta_), {}},
            [&, n](const Resposta &r) {
                if (!r.sucesso()) {
                    falhas << QStringLiteral("%1: %2").arg(
                        n, r.semResposta() ? r.falha : palavrasDoBancoDoBrasil(r.status, r.corpo));
                    return;
                }
                try {
                    pagamentos << pagamentoDoDetalhe(n, QJsonDocument::fromJson(r.corpo).object());
                } catch (const ErroBolix &e) {
                    falhas << e.texto();
                }
            });
    cliente_->aguardaTodas();
    if (!falhas.isEmpty())
        throw ErroBolix(
            QStringLiteral("Detalhe dos boletos liquidados no banco: %1").arg(falhas.join(u"; ")));
    std::sort(pagamentos.begin(), pagamentos.end(),
              [](const PagamentoNoBanco &a, const PagamentoNoBanco &b) { return a.numero < b.numero; });
    return pagamentos;
}

} // namespace bolix::api
