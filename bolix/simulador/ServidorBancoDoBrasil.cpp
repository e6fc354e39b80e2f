#include "ServidorBancoDoBrasil.h"

#include "bolix/core/CodigoBarras.h"
#include "bolix/core/Digitos.h"
#include "bolix/core/pix/BrCode.h"

#include <QHttpServerRequest>
#include <QHttpServerResponder>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSslServer>
#include <QTimer>
#include <QUrlQuery>

#include <cmath>

namespace bolix::simulador {

namespace {

const QString baseApi = QStringLiteral("/cobrancas/v2");
const QString basePagamento = QStringLiteral("/testes-portal-desenvolvedor/v1/boletos-cobranca/");

QString dataBB(const QDate &data) {
    return data.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate deDataBB(const QJsonValue &valor) {
    return QDate::fromString(valor.toString(), QStringLiteral("dd.MM.yyyy"));
}

double reais(Dinheiro valor) {
    return double(valor / 100) / 100.0;
}

// The bank's 400 body (ErroV4).
QJsonObject erro(const QString &codigo, const QString &mensagem) {
    return {{QStringLiteral("erros"),
             QJsonArray{QJsonObject{{QStringLiteral("codigo"), codigo},
                                    {QStringLiteral("versao"), QStringLiteral("1")},
                                    {QStringLiteral("mensagem"), mensagem},
                                    {QStringLiteral("ocorrencia"), QStringLiteral("SIM")}}}}};
}

// The next business day, for the credit of a payment.
QDate diaUtilSeguinte(QDate data) {
    do
        data = data.addDays(1);
    while (data.dayOfWeek() > 5);
    return data;
}

QByteArray textoAleatorio(int tamanho) {
    static const char letras[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray t;
    for (int i = 0; i < tamanho; ++i)
        t += letras[QRandomGenerator::global()->bounded(int(sizeof letras - 1))];
    return t;
}

} // namespace

ServidorBancoDoBrasil::ServidorBancoDoBrasil(OpcoesBancoDoBrasil opcoes) : opcoes_(std::move(opcoes)) {
    sslSetup(opcoes_.tls);
}

quint16 ServidorBancoDoBrasil::escuta(quint16 porta) {
    porta_ = listen(QHostAddress::LocalHost, porta);
    return porta_;
}

QString ServidorBancoDoBrasil::urlApi() const {
    return QStringLiteral("https://localhost:%1%2").arg(porta_).arg(baseApi);
}

QString ServidorBancoDoBrasil::urlToken() const {
    return QStringLiteral("https://localhost:%1/oauth/token").arg(porta_);
}

bool ServidorBancoDoBrasil::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) {
    const Resposta r = atende(request);
    auto responder = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    auto envia = [responder, r] {
        const QByteArray corpo =
            r.bruto.isNull() ? QJsonDocument(r.corpo).toJson(QJsonDocument::Compact) : r.bruto;
        responder->writeStatusLine(QHttpServerResponder::StatusCode(r.status));
        responder->writeHeader("Content-Type", "application/json");
        responder->writeHeader("Content-Length", QByteArray::number(corpo.size()));
        for (const auto &[nome, valor] : r.cabecalhos)
            responder->writeHeader(nome, valor);
        responder->writeBody(corpo);
    };
    // The token endpoint answers at once; the API takes its time, to measure requests in flight.
    if (opcoes_.atrasoMs > 0 && request.url().path().startsWith(baseApi))
        QTimer::singleShot(opcoes_.atrasoMs, this, envia);
    else
        envia();
    return true;
}

void ServidorBancoDoBrasil::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) {
    makeResponder(request, socket).write(QHttpServerResponder::StatusCode::NotFound);
}

ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::atende(const QHttpServerRequest &pedido) {
    const QString caminho = pedido.url().path();
    const auto metodo = pedido.method();
    if (caminho == u"/oauth/token" && metodo == QHttpServerRequest::Method::Post)
        return token(pedido);
    if (caminho.startsWith(basePagamento) && caminho.endsWith(u"/pagar")) {
        const QString linha = caminho.mid(basePagamento.size()).chopped(6);
        const QDate hoje = opcoes_.relogio().date();
        auto it = std::find_if(boletos_.cbegin(), boletos_.cend(),
                               [&](const BoletoSimulado &b) { return b.linhaDigitavel == linha; });
        if (it == boletos_.cend() || !paga(linha, it->valor, hoje))
            return {400, erro(QStringLiteral("4000001"),
                              QStringLiteral("Boleto não encontrado ou não está em ser."))};
        return {200, {}};
    }
    if (!caminho.startsWith(baseApi))
        return {404, erro(QStringLiteral("404"), QStringLiteral("Recurso não encontrado."))};
    if (pedido.query().queryItemValue(opcoes_.parametroChave) != opcoes_.chaveAplicacao)
        return {403,
                {{QStringLiteral("statusCode"), 403},
                 {QStringLiteral("error"), QStringLiteral("Forbidden")},
                 {QStringLiteral("message"), QStringLiteral("Chave de aplicação inválida.")}}};
    if (!autorizado(pedido) || (falhas.tokenRevogado > 0 && falhas.tokenRevogado--))
        return {401,
                {{QStringLiteral("statusCode"), 401},
                 {QStringLiteral("error"), QStringLiteral("Unauthorized")},
                 {QStringLiteral("message"), QStringLiteral("Token inválido ou expirado.")},
                 {QStringLiteral("attributes"),
                  QJsonObject{{QStringLiteral("error"), QStringLiteral("invalid_token")}}}}};
    if (falhas.limite > 0 && falhas.limite--) {
        Resposta r{429, erro(QStringLiteral("429"), QStringLiteral("Limite de requisições excedido."))};
        r.cabecalhos.append({"Retry-After", QByteArray::number(falhas.retryAfter)});
        return r;
    }
    const QStringList partes = caminho.mid(baseApi.size()).split(u'/', Qt::SkipEmptyParts);
    if (partes.size() == 1 && partes[0] == u"boletos-baixa-operacional" &&
        metodo == QHttpServerRequest::Method::Get)
        return baixasOperacionais(pedido.query());
    if (partes.value(0) != u"boletos")
        return {404, erro(QStringLiteral("404"), QStringLiteral("Recurso não encontrado."))};
    if (partes.size() == 1 && metodo == QHttpServerRequest::Method::Post)
        return registra(QJsonDocument::fromJson(pedido.body()).object());
    if (partes.size() == 1 && metodo == QHttpServerRequest::Method::Get)
        return lista(pedido.query());
    if (partes.size() == 2 && metodo == QHttpServerRequest::Method::Get)
        return detalhe(partes[1]);
    if (partes.size() == 3 && partes[2] == u"pix" && metodo == QHttpServerRequest::Method::Get)
        return pix(partes[1]);
    if (partes.size() == 3 && partes[2] == u"baixar" && metodo == QHttpServerRequest::Method::Post)
        return baixa(partes[1]);
    return {404, erro(QStringLiteral("404"), QStringLiteral("Recurso não encontrado."))};
}

ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::token(const QHttpServerRequest &pedido) {
    const QByteArray basic = "Basic " + (opcoes_.clientId + u':' + opcoes_.clientSecret).toUtf8().toBase64();
    const QUrlQuery corpo(QString::fromUtf8(pedido.body()));
    if (pedido.value("Authorization") != basic || (falhas.tokenRecusado > 0 && falhas.tokenRecusado--))
        return {
            401,
            {{QStringLiteral("error"), QStringLiteral("invalid_client")},
             {QStringLiteral("error_description"), QStringLiteral("Identificador ou credencial inválidos")}}};
    if (corpo.queryItemValue(QStringLiteral("grant_type")) != u"client_credentials")
        return {400, {{QStringLiteral("error"), QStringLiteral("unsupported_grant_type")}}};
    const QByteArray token = textoAleatorio(40);
    tokens_.insert(token, opcoes_.relogio().addSecs(opcoes_.validadeToken));
    ++tokensEmitidos_;
    return {200,
            {{QStringLiteral("access_token"), QString::fromLatin1(token)},
             {QStringLiteral("token_type"), QStringLiteral("Bearer")},
             {QStringLiteral("expires_in"), opcoes_.validadeToken},
             {QStringLiteral("scope"), corpo.queryItemValue(QStringLiteral("scope"))}}};
}

bool ServidorBancoDoBrasil::autorizado(const QHttpServerRequest &pedido) const {
    const QByteArray cabecalho = pedido.value("Authorization");
    if (!cabecalho.startsWith("Bearer "))
        return false;
    const auto it = tokens_.constFind(cabecalho.mid(7));
    return it != tokens_.cend() && *it > opcoes_.relogio();
}

// The bank's rules on what it registers, as far as a test can meet them.
ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::registra(const QJsonObject &corpo) {
    ++registrosRecebidos_;
    const QDate hoje = opcoes_.relogio().date();
    const QDate emissao = deDataBB(corpo.value(QLatin1String("dataEmissao")));
    const QDate vencimento = deDataBB(corpo.value(QLatin1String("dataVencimento")));
    const double valor = corpo.value(QLatin1String("valorOriginal")).toDouble();
    const QString numero = corpo.value(QLatin1String("numeroTituloCliente")).toString();
    const QString carteira = QString::number(corpo.value(QLatin1String("numeroCarteira")).toInt());
    const QJsonObject pagador = corpo.value(QLatin1String("pagador")).toObject();
    if (QString::number(corpo.value(QLatin1String("numeroConvenio")).toInteger()) != opcoes_.convenio)
        return {400, erro(QStringLiteral("4432632"),
                          QStringLiteral("Convenio/Carteira/Variacao nao cadastrado."))};
    if (!emissao.isValid() || emissao < hoje)
        return {400, erro(QStringLiteral("4678420"), QStringLiteral("Data de emissão inválida."))};
    if (!vencimento.isValid() || vencimento < emissao)
        return {400, erro(QStringLiteral("4678421"), QStringLiteral("Data de vencimento inválida."))};
    if (!(valor > 0))
        return {400, erro(QStringLiteral("4678422"), QStringLiteral("Valor original inválido."))};
    if (!pagador.value(QLatin1String("numeroInscricao")).isDouble() ||
        pagador.value(QLatin1String("nome")).toString().isEmpty())
        return {400, erro(QStringLiteral("4678423"), QStringLiteral("Dados do pagador inválidos."))};
    static const QRegularExpression formaNumero(QStringLiteral("^000\\d{17}$"));
    if (!formaNumero.match(numero).hasMatch() || numero.mid(3, 7) != opcoes_.convenio)
        return {400,
                erro(QStringLiteral("4678424"), QStringLiteral("Número do título do cliente inválido."))};
    if (boletos_.contains(numero))
        return {400,
                erro(QStringLiteral("4874915"), QStringLiteral("Nosso Número já incluído anteriormente."))};

    BoletoSimulado b;
    b.pedido = corpo;
    b.numero = numero;
    b.registro = opcoes_.relogio();
    b.valor = Dinheiro(std::llround(valor * 100.0)) * 100;
    b.codigoBarras = montaCodigoBarras(u"001", fatorVencimento(vencimento), b.valor / 100,
                                       QStringLiteral("000000") + numero.mid(3) + zerosEsquerda(carteira, 2));
    b.linhaDigitavel = linhaDigitavel(b.codigoBarras);
    QJsonObject qr{{QStringLiteral("url"), QString()},
                   {QStringLiteral("txId"), QString()},
                   {QStringLiteral("emv"), QString()}};
    if (corpo.value(QLatin1String("indicadorPix")).toString() == u"S") {
        if (falhas.pixFalha > 0 && falhas.pixFalha--) {
            qr[QStringLiteral("url")] = QStringLiteral("O campo data de expiração não é válido.");
            qr[QStringLiteral("txId")] = QStringLiteral("Pix não registrado");
        } else {
            const QString txId = QStringLiteral("BB") + numero;
            const QString location = QStringLiteral("qrpix-h.bb.com.br/pix/v2/cobv/") + txId;
            b.emv = brCodeDaLocation(location, opcoes_.nomeBeneficiario, opcoes_.cidade);
            qr = {{QStringLiteral("url"), location},
                  {QStringLiteral("txId"), txId},
                  {QStringLiteral("emv"), b.emv}};
        }
    }
    boletos_.insert(numero, b);
    if (falhas.erroAposRegistrar > 0 && falhas.erroAposRegistrar--)
        return {500,
                {{QStringLiteral("errors"),
                  QJsonArray{
                      QJsonObject{{QStringLiteral("code"), QStringLiteral("4125718.1")},
                                  {QStringLiteral("message"), QStringLiteral("Internal Server Error")}}}}}};
    Resposta r{
        201,
        {{QStringLiteral("numero"), numero},
         {QStringLiteral("numeroCarteira"), corpo.value(QLatin1String("numeroCarteira"))},
         {QStringLiteral("numeroVariacaoCarteira"), corpo.value(QLatin1String("numeroVariacaoCarteira"))},
         {QStringLiteral("codigoCliente"), 704950143},
         {QStringLiteral("linhaDigitavel"), b.linhaDigitavel},
         {QStringLiteral("codigoBarraNumerico"), b.codigoBarras},
         {QStringLiteral("numeroContratoCobranca"), 19581316},
         {QStringLiteral("beneficiario"),
          QJsonObject{{QStringLiteral("agencia"), opcoes_.agencia.toInt()},
                      {QStringLiteral("contaCorrente"), opcoes_.conta.toInt()}}},
         {QStringLiteral("qrCode"), qr},
         {QStringLiteral("observacao"), QString()}}};
    if (!falhas.respostaRegistro.isNull())
        r.bruto = falhas.respostaRegistro;
    return r;
}

ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::detalhe(const QString &numero) const {
    const auto it = boletos_.constFind(numero);
    if (it == boletos_.cend())
        return {404, erro(QStringLiteral("4874916"), QStringLiteral("Boleto não encontrado."))};
    QJsonObject o{
        {QStringLiteral("codigoLinhaDigitavel"), it->linhaDigitavel},
        {QStringLiteral("textoCodigoBarrasTituloCobranca"), it->codigoBarras},
        {QStringLiteral("codigoEstadoTituloCobranca"), it->estado},
        {QStringLiteral("numeroTituloCedenteCobranca"),
         it->pedido.value(QLatin1String("numeroTituloBeneficiario"))},
        {QStringLiteral("valorOriginalTituloCobranca"), reais(it->valor)},
        {QStringLiteral("valorAtualTituloCobranca"), reais(it->valor)},
        {QStringLiteral("dataVencimentoTituloCobranca"), it->pedido.value(QLatin1String("dataVencimento"))},
        {QStringLiteral("dataRegistroTituloCobranca"), dataBB(it->registro.date())}};
    if (it->estado == 6) {
        o[QStringLiteral("valorPagoSacado")] = reais(it->valorPago);
        o[QStringLiteral("valorCreditoCedente")] = reais(it->valorPago);
        o[QStringLiteral("dataRecebimentoTitulo")] = dataBB(it->dataPagamento);
        o[QStringLiteral("dataCreditoLiquidacao")] = dataBB(it->dataCredito);
        o[QStringLiteral("codigoTipoLiquidacao")] = 2;
    }
    return {200, o};
}

ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::pix(const QString &numero) const {
    const auto it = boletos_.constFind(numero);
    if (it == boletos_.cend())
        return {404, erro(QStringLiteral("4874916"), QStringLiteral("Boleto não encontrado."))};
    const QString txId = it->emv.isEmpty() ? QString() : QStringLiteral("BB") + numero;
    return {200,
            {{QStringLiteral("id"), numero},
             {QStringLiteral("qrCode"),
              QJsonObject{
                  {QStringLiteral("url"),
                   it->emv.isEmpty() ? QString() : QStringLiteral("qrpix-h.bb.com.br/pix/v2/cobv/") + txId},
                  {QStringLiteral("txId"), txId},
                  {QStringLiteral("emv"), it->emv},
                  {QStringLiteral("tipo"), 2}}}}};
}

// Liquidated or written-off titles by movement date, 300 a page, 404 when nothing matches.
ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::lista(const QUrlQuery &q) const {
    const QString situacao = q.queryItemValue(QStringLiteral("indicadorSituacao"));
    if (situacao != u"A" && situacao != u"B")
        return {400, erro(QStringLiteral("4000010"), QStringLiteral("Indicador de situação inválido."))};
    if (q.queryItemValue(QStringLiteral("agenciaBeneficiario")) != opcoes_.agencia ||
        q.queryItemValue(QStringLiteral("contaBeneficiario")) != opcoes_.conta)
        return {400,
                erro(QStringLiteral("4000011"), QStringLiteral("Agência/conta do beneficiário inválida."))};
    const QDate hoje = opcoes_.relogio().date();
    const QDate inicio = QDate::fromString(q.queryItemValue(QStringLiteral("dataInicioMovimento")),
                                           QStringLiteral("dd.MM.yyyy"));
    QDate fim =
        QDate::fromString(q.queryItemValue(QStringLiteral("dataFimMovimento")), QStringLiteral("dd.MM.yyyy"));
    if (!fim.isValid())
        fim = hoje;
    if (fim > hoje || (inicio.isValid() && inicio > fim))
        return {400, erro(QStringLiteral("4000012"), QStringLiteral("Período de movimento inválido."))};
    const QString estado = q.queryItemValue(QStringLiteral("codigoEstadoTituloCobranca"));
    QList<const BoletoSimulado *> achados;
    for (const BoletoSimulado &b : boletos_) {
        const bool baixado = b.estado != 1;
        if (baixado != (situacao == u"B") || (!estado.isEmpty() && estado.toInt() != b.estado))
            continue;
        if (inicio.isValid() &&
            (!b.dataPagamento.isValid() || b.dataPagamento < inicio || b.dataPagamento > fim))
            continue;
        achados.append(&b);
    }
    std::sort(achados.begin(), achados.end(), [](auto *a, auto *b) { return a->numero < b->numero; });
    const int indice = q.queryItemValue(QStringLiteral("indice")).toInt();
    if (indice >= achados.size())
        return {404, erro(QStringLiteral("4000404"), QStringLiteral("Não foram encontrados boletos."))};
    QJsonArray linhas;
    const int ate = std::min<int>(achados.size(), indice + opcoes_.tamanhoPagina);
    for (int i = indice; i < ate; ++i) {
        const BoletoSimulado &b = *achados[i];
        linhas.append(
            QJsonObject{{QStringLiteral("numeroBoletoBB"), b.numero},
                        {QStringLiteral("codigoEstadoTituloCobranca"), b.estado},
                        {QStringLiteral("dataRegistro"), dataBB(b.registro.date())},
                        {QStringLiteral("dataVencimento"), b.pedido.value(QLatin1String("dataVencimento"))},
                        {QStringLiteral("dataMovimento"), dataBB(b.dataPagamento)},
                        {QStringLiteral("valorOriginal"), reais(b.valor)},
                        {QStringLiteral("valorPago"), reais(b.valorPago)},
                        {QStringLiteral("dataCredito"), dataBB(b.dataCredito)}});
    }
    return {200,
            {{QStringLiteral("indicadorContinuidade"),
              ate < achados.size() ? QStringLiteral("S") : QStringLiteral("N")},
             {QStringLiteral("quantidadeRegistros"), int(linhas.size())},
             {QStringLiteral("proximoIndice"), ate},
             {QStringLiteral("boletos"), linhas}}};
}

// Payments announced by their scheduling date, `tamanhoPagina` a page continued by the next title's id;
// announcements that became settlements stay listed, as the bank's record of them does.
ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::baixasOperacionais(const QUrlQuery &q) const {
    if (q.queryItemValue(QStringLiteral("agencia")) != opcoes_.agencia ||
        q.queryItemValue(QStringLiteral("conta")) != opcoes_.conta)
        return {400,
                erro(QStringLiteral("4000011"), QStringLiteral("Agência/conta do beneficiário inválida."))};
    const QDate inicio = QDate::fromString(q.queryItemValue(QStringLiteral("dataInicioAgendamentoTitulo")),
                                           QStringLiteral("dd.MM.yyyy"));
    const QDate fim = QDate::fromString(q.queryItemValue(QStringLiteral("dataFimAgendamentoTitulo")),
                                        QStringLiteral("dd.MM.yyyy"));
    if (!inicio.isValid() || !fim.isValid() || inicio > fim)
        return {400, erro(QStringLiteral("4000013"), QStringLiteral("Período de agendamento inválido."))};
    const QString aPartirDe = q.queryItemValue(QStringLiteral("idProximoTitulo"));
    QList<const BoletoSimulado *> achados;
    for (const BoletoSimulado &b : boletos_)
        if (b.anuncio.isValid() && b.anuncio.date() >= inicio && b.anuncio.date() <= fim &&
            b.numero >= aPartirDe)
            achados.append(&b);
    std::sort(achados.begin(), achados.end(), [](auto *a, auto *b) { return a->numero < b->numero; });
    if (achados.isEmpty())
        return {404, erro(QStringLiteral("4000404"), QStringLiteral("Não foram encontrados títulos."))};
    QJsonArray lista;
    const int ate = std::min<int>(achados.size(), opcoes_.tamanhoPagina);
    for (int i = 0; i < ate; ++i) {
        const BoletoSimulado &b = *achados[i];
        lista.append(QJsonObject{
            {QStringLiteral("carteira"), b.pedido.value(QLatin1String("numeroCarteira"))},
            {QStringLiteral("variacao"), b.pedido.value(QLatin1String("numeroVariacaoCarteira"))},
            {QStringLiteral("convenio"), opcoes_.convenio.toInt()},
            {QStringLiteral("titulo"),
             QJsonObject{
                 {QStringLiteral("id"), b.numero},
                 {QStringLiteral("estadoBaixaOperacional"), 1},
                 {QStringLiteral("modalidade"), 1},
                 {QStringLiteral("dataRegistro"), dataBB(b.registro.date())},
                 {QStringLiteral("dataVencimento"), b.pedido.value(QLatin1String("dataVencimento"))},
                 {QStringLiteral("valorOriginal"), reais(b.valor)},
                 {QStringLiteral("agendamentoPagamento"),
                  QJsonObject{
                      {QStringLiteral("momento"), b.anuncio.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))},
                      {QStringLiteral("instituicaoFinanceira"), QStringLiteral("BANCO DO BRASIL")},
                      {QStringLiteral("canal"), 4},
                      {QStringLiteral("valorCip"), reais(b.valorPago)}}}}}});
    }
    QJsonObject corpo{{QStringLiteral("possuiMaisTitulos"),
                       ate < achados.size() ? QStringLiteral("S") : QStringLiteral("N")},
                      {QStringLiteral("lista"), lista}};
    if (ate < achados.size())
        corpo[QStringLiteral("proximoTitulo")] = achados[ate]->numero;
    return {200, corpo};
}

// The bank refuses a write-off in the first 30 minutes after registration.
ServidorBancoDoBrasil::Resposta ServidorBancoDoBrasil::baixa(const QString &numero) {
    const auto it = boletos_.find(numero);
    if (it == boletos_.end())
        return {404, erro(QStringLiteral("4874916"), QStringLiteral("Boleto não encontrado."))};
    if (it->registro.secsTo(opcoes_.relogio()) < 30 * 60)
        return {400, erro(QStringLiteral("4874920"),
                          QStringLiteral("Baixa não permitida antes de 30 minutos do registro do boleto."))};
    if (it->estado != 1)
        return {400, erro(QStringLiteral("4874921"), QStringLiteral("Boleto não está em ser."))};
    it->estado = 7;
    it->dataPagamento = opcoes_.relogio().date();
    const QDateTime agora = opcoes_.relogio();
    return {200,
            {{QStringLiteral("numeroContratoCobranca"), 19581316},
             {QStringLiteral("dataBaixa"), dataBB(agora.date())},
             {QStringLiteral("horarioBaixa"), agora.time().toString(QStringLiteral("HH:mm:ss"))}}};
}

bool ServidorBancoDoBrasil::paga(const QString &linhaDigitavel, Dinheiro valor, const QDate &data) {
    for (BoletoSimulado &b : boletos_) {
        if (b.linhaDigitavel != linhaDigitavel || !(b.estado == 1 || b.anuncio.isValid()) || b.estado == 6)
            continue;
        b.estado = 6;
        b.valorPago = valor;
        b.dataPagamento = data;
        b.dataCredito = diaUtilSeguinte(data);
        return true;
    }
    return false;
}

bool ServidorBancoDoBrasil::anuncia(const QString &linhaDigitavel, Dinheiro valor, const QDateTime &momento,
                                    int estado) {
    for (BoletoSimulado &b : boletos_) {
        if (b.linhaDigitavel != linhaDigitavel || b.estado != 1)
            continue;
        b.estado = estado;
        b.valorPago = valor;
        b.anuncio = momento;
        return true;
    }
    return false;
}

} // namespace bolix::simulador
